#include "platform/gui/CairoCanvas.h"

#include <cairo.h>
#include <pango/pangocairo.h>

#include <algorithm>
#include <memory>

#include "platform/gui/Menus.h"
#include "platform/rtl/TextConvert.h"

namespace gui {

namespace {

struct LayoutDeleter {
  void operator()(PangoLayout* layout) const { g_object_unref(layout); }
};
struct FontDescriptionDeleter {
  void operator()(PangoFontDescription* description) const { pango_font_description_free(description); }
};
using TLayout = std::unique_ptr<PangoLayout, LayoutDeleter>;

// A layout of `text` in `font`; its own pixel sizes are read with
// pango_layout_get_pixel_size.
TLayout MakeLayout(cairo_t* cr, const TFont& font, const rtl::WideString& text) {
  TLayout layout(pango_cairo_create_layout(cr));
  std::unique_ptr<PangoFontDescription, FontDescriptionDeleter> description(pango_font_description_new());
  pango_font_description_set_family(description.get(), font.Name.c_str());
  pango_font_description_set_absolute_size(description.get(), font.Size * 96.0 / 72.0 * PANGO_SCALE);
  pango_font_description_set_weight(description.get(),
                                    font.Style.Contains(fsBold) ? PANGO_WEIGHT_BOLD : PANGO_WEIGHT_NORMAL);
  pango_font_description_set_style(description.get(),
                                   font.Style.Contains(fsItalic) ? PANGO_STYLE_ITALIC : PANGO_STYLE_NORMAL);
  pango_layout_set_font_description(layout.get(), description.get());
  const std::string utf8 = rtl::Utf16ToUtf8(text);
  pango_layout_set_text(layout.get(), utf8.data(), static_cast<int>(utf8.size()));
  return layout;
}

}  // namespace

void TCairoCanvas::SetColor(TColor color) {
  const TColor rgb = ColorToRGB(color);
  cairo_set_source_rgb(cr_, (rgb & 0xFF) / 255.0, ((rgb >> 8) & 0xFF) / 255.0, ((rgb >> 16) & 0xFF) / 255.0);
}

void TCairoCanvas::FillAndStroke() {
  if (Brush().Style() != bsClear) {
    SetColor(Brush().Color());
    cairo_fill_preserve(cr_);
  }
  if (Pen().Style() != psClear) {
    SetColor(Pen().Color());
    cairo_set_line_width(cr_, PenWidth());
    cairo_stroke_preserve(cr_);
  }
  cairo_new_path(cr_);
}

void TCairoCanvas::DrawLine(TPoint from, TPoint to) {
  if (Pen().Style() == psClear) return;
  const double width = PenWidth();
  // A horizontal line lies on the rows it names, a vertical one on the
  // columns; other lines run through pixel centres.
  const double ox = from.X == to.X ? width / 2 : (from.Y == to.Y ? 0 : 0.5);
  const double oy = from.Y == to.Y ? width / 2 : (from.X == to.X ? 0 : 0.5);
  cairo_move_to(cr_, from.X + ox, from.Y + oy);
  cairo_line_to(cr_, to.X + ox, to.Y + oy);
  SetColor(Pen().Color());
  cairo_set_line_width(cr_, width);
  cairo_set_line_cap(cr_, CAIRO_LINE_CAP_BUTT);
  cairo_stroke(cr_);
}

void TCairoCanvas::Rectangle(int x1, int y1, int x2, int y2) {
  const double inset = Pen().Style() == psClear ? 0 : PenWidth() / 2;
  cairo_rectangle(cr_, x1 + inset, y1 + inset, x2 - x1 - 2 * inset, y2 - y1 - 2 * inset);
  FillAndStroke();
}

void TCairoCanvas::RoundRect(int x1, int y1, int x2, int y2, int cornerWidth, int cornerHeight) {
  const double inset = Pen().Style() == psClear ? 0 : PenWidth() / 2;
  const double left = x1 + inset, top = y1 + inset, right = x2 - inset, bottom = y2 - inset;
  const double rx = std::min(cornerWidth / 2.0, (right - left) / 2), ry = std::min(cornerHeight / 2.0, (bottom - top) / 2);
  auto corner = [&](double cx, double cy, double from) {
    cairo_save(cr_);
    cairo_translate(cr_, cx, cy);
    cairo_scale(cr_, std::max(rx, 0.01), std::max(ry, 0.01));
    cairo_arc(cr_, 0, 0, 1, from, from + G_PI / 2);
    cairo_restore(cr_);
  };
  cairo_new_sub_path(cr_);
  corner(right - rx, top + ry, -G_PI / 2);
  corner(right - rx, bottom - ry, 0);
  corner(left + rx, bottom - ry, G_PI / 2);
  corner(left + rx, top + ry, G_PI);
  cairo_close_path(cr_);
  FillAndStroke();
}

void TCairoCanvas::Ellipse(int x1, int y1, int x2, int y2) {
  const double inset = Pen().Style() == psClear ? 0 : PenWidth() / 2;
  const double rx = std::max((x2 - x1) / 2.0 - inset, 0.01), ry = std::max((y2 - y1) / 2.0 - inset, 0.01);
  cairo_save(cr_);
  cairo_translate(cr_, (x1 + x2) / 2.0, (y1 + y2) / 2.0);
  cairo_scale(cr_, rx, ry);
  cairo_arc(cr_, 0, 0, 1, 0, 2 * G_PI);
  cairo_restore(cr_);
  FillAndStroke();
}

void TCairoCanvas::FillRect(const TRect& rect) {
  if (Brush().Style() == bsClear) return;
  cairo_rectangle(cr_, rect.Left, rect.Top, rect.Width(), rect.Height());
  SetColor(Brush().Color());
  cairo_fill(cr_);
}

TPoint TCairoCanvas::TextExtent(const rtl::WideString& text) {
  TLayout layout = MakeLayout(cr_, Font(), text);
  int width = 0, height = 0;
  pango_layout_get_pixel_size(layout.get(), &width, &height);
  return {width, height};
}

int TCairoCanvas::DrawText(const rtl::WideString& text, TRect& rect, unsigned flags) {
  TLayout layout = MakeLayout(cr_, Font(), (flags & DT_NOPREFIX) ? text : StripHotkey(text));
  if ((flags & DT_WORDBREAK) && !(flags & DT_SINGLELINE)) {
    pango_layout_set_width(layout.get(), std::max(rect.Width(), 1) * PANGO_SCALE);
    pango_layout_set_wrap(layout.get(), PANGO_WRAP_WORD);
  }
  int width = 0, height = 0;
  pango_layout_get_pixel_size(layout.get(), &width, &height);
  if (flags & DT_CALCRECT) {
    rect.Right = rect.Left + width;
    rect.Bottom = rect.Top + height;
    return height;
  }
  int x = rect.Left, y = rect.Top;
  if (flags & DT_CENTER)
    x += (rect.Width() - width) / 2;
  else if (flags & DT_RIGHT)
    x = rect.Right - width;
  if (flags & DT_SINGLELINE) {
    if (flags & DT_VCENTER)
      y += (rect.Height() - height) / 2;
    else if (flags & DT_BOTTOM)
      y = rect.Bottom - height;
  }
  cairo_save(cr_);
  if (!(flags & DT_NOCLIP)) {
    cairo_rectangle(cr_, rect.Left, rect.Top, rect.Width(), rect.Height());
    cairo_clip(cr_);
  }
  if (Brush().Style() != bsClear) {
    cairo_rectangle(cr_, x, y, width, height);
    SetColor(Brush().Color());
    cairo_fill(cr_);
  }
  SetColor(Font().Color);
  cairo_move_to(cr_, x, y);
  pango_cairo_show_layout(cr_, layout.get());
  cairo_restore(cr_);
  return height;
}

}  // namespace gui
