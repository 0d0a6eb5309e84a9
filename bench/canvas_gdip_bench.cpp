// A typical control face (a rounded rectangle with a gradient fill, its
// outline and a line of text) drawn through TvgCanvasGdiPlus, through
// TvgCanvasD2D, and as the same primitives straight with cairo and pango.
// The ratios of the times are the costs of the back-ends' layers.
#include <benchmark/benchmark.h>
#include <cairo.h>
#include <pango/pangocairo.h>

#include "ui/core/vg_font.h"
#include "ui/render/vg_canvas_d2d.h"
#include "ui/render/vg_canvas_gdip.h"

namespace {

constexpr int kFaces = 10000;
constexpr double kLeft = 10, kTop = 10, kWidth = 100, kHeight = 30, kRadius = 4;

// Draws control faces on canvas within one frame until the state ends.
void DrawFaces(vg::TvgCanvas& canvas, benchmark::State& state) {
  canvas.BeginScene();
  canvas.Fill()->SetStyle(vg::vgBrushGradient);
  vg::TvgGradientPoints& points = *canvas.Fill()->Gradient()->Points();
  points.Points(0)->SetIntColor(0xFFF0F0F0);
  points.Points(1)->SetIntColor(0xFFC8C8C8);
  canvas.Stroke()->SetSolidColor(0xFF707070);
  const vg::TvgRect face{kLeft, kTop, kLeft + kWidth, kTop + kHeight};
  for (auto _ : state) {
    canvas.Fill()->SetStyle(vg::vgBrushGradient);
    canvas.FillRect(face, kRadius, kRadius, vg::AllCorners, 1);
    canvas.DrawRect(face, kRadius, kRadius, vg::AllCorners, 1);
    canvas.Fill()->SetStyle(vg::vgBrushSolid);
    canvas.Fill()->SetSolidColor(0xFF000000);
    canvas.FillText(face, face, u"Connect", false, 1);
  }
  canvas.EndScene();
}

void BM_ControlFaceThroughCanvas(benchmark::State& state) {
  vg::StartGdiPlusBackEnd();
  {
    vg::TvgCanvasGdiPlus canvas(200, 60);
    DrawFaces(canvas, state);
  }
  vg::StopGdiPlusBackEnd();
}
BENCHMARK(BM_ControlFaceThroughCanvas)->Iterations(kFaces)->Unit(benchmark::kMicrosecond);

// The same faces on the second back-end's window canvas.
void BM_ControlFaceThroughD2DCanvas(benchmark::State& state) {
  vg::TvgCanvasD2D canvas(200, 60);
  DrawFaces(canvas, state);
}
BENCHMARK(BM_ControlFaceThroughD2DCanvas)->Iterations(kFaces)->Unit(benchmark::kMicrosecond);

void RoundedRectangle(cairo_t* cr) {
  constexpr double k = 0.5522847498 * kRadius, r = kRadius;
  const double right = kLeft + kWidth, bottom = kTop + kHeight;
  cairo_new_path(cr);
  cairo_move_to(cr, kLeft, kTop + r);
  cairo_curve_to(cr, kLeft, kTop + r - k, kLeft + r - k, kTop, kLeft + r, kTop);
  cairo_line_to(cr, right - r, kTop);
  cairo_curve_to(cr, right - r + k, kTop, right, kTop + r - k, right, kTop + r);
  cairo_line_to(cr, right, bottom - r);
  cairo_curve_to(cr, right, bottom - r + k, right - r + k, bottom, right - r, bottom);
  cairo_line_to(cr, kLeft + r, bottom);
  cairo_curve_to(cr, kLeft + r - k, bottom, kLeft, bottom - r + k, kLeft, bottom - r);
  cairo_close_path(cr);
}

void BM_ControlFaceStraightCairo(benchmark::State& state) {
  cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 200, 60);
  cairo_t* cr = cairo_create(surface);
  PangoContext* context = pango_cairo_create_context(cr);
  PangoFontDescription* font = pango_font_description_from_string("Sans");
  pango_font_description_set_absolute_size(font, 11 * PANGO_SCALE);
  for (auto _ : state) {
    cairo_pattern_t* gradient = cairo_pattern_create_linear(kLeft, kTop, kLeft, kTop + kHeight);
    cairo_pattern_add_color_stop_rgba(gradient, 0, 0.94, 0.94, 0.94, 1);
    cairo_pattern_add_color_stop_rgba(gradient, 1, 0.78, 0.78, 0.78, 1);
    cairo_pattern_set_extend(gradient, CAIRO_EXTEND_REFLECT);
    RoundedRectangle(cr);
    cairo_set_source(cr, gradient);
    cairo_fill(cr);
    cairo_pattern_destroy(gradient);
    RoundedRectangle(cr);
    cairo_set_source_rgba(cr, 0.44, 0.44, 0.44, 1);
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
    PangoLayout* layout = pango_layout_new(context);
    pango_layout_set_font_description(layout, font);
    pango_layout_set_text(layout, "Connect", -1);
    int width = 0, height = 0;
    pango_layout_get_pixel_size(layout, &width, &height);
    cairo_move_to(cr, kLeft + (kWidth - width) / 2, kTop + (kHeight - height) / 2);
    cairo_set_source_rgba(cr, 0, 0, 0, 0.99);
    pango_cairo_show_layout(cr, layout);
    g_object_unref(layout);
  }
  pango_font_description_free(font);
  g_object_unref(context);
  cairo_destroy(cr);
  cairo_surface_destroy(surface);
}
BENCHMARK(BM_ControlFaceStraightCairo)->Iterations(kFaces)->Unit(benchmark::kMicrosecond);

}  // namespace
