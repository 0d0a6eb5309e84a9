// Text layouts over pango.
#include "platform/d2d/DWrite.h"

#include <glib-object.h>
#include <pango/pangocairo.h>

#include <cstring>

#include "platform/gdiplus/SymbolFonts.h"


namespace d2d {

namespace {

std::string Utf8(const std::u16string& text) {
  glong written = 0;
  gchar* utf8 = g_utf16_to_utf8(reinterpret_cast<const gunichar2*>(text.data()),
                                glong(text.size()), nullptr, &written, nullptr);
  std::string result = utf8 ? std::string(utf8, std::size_t(written)) : std::string();
  g_free(utf8);
  return result;
}

// The UTF-16 units of the UTF-8 characters in [from, to).
std::uint32_t Utf16Units(const char* from, const char* to) {
  std::uint32_t units = 0;
  for (const char* c = from; c < to; c = g_utf8_next_char(c)) units += g_utf8_get_char(c) > 0xFFFF ? 2 : 1;
  return units;
}

float Factor(TextAlignment alignment) {
  return alignment == TextAlignment::Center ? 0.5f : alignment == TextAlignment::Trailing ? 1 : 0;
}

float Factor(ParagraphAlignment alignment) {
  return alignment == ParagraphAlignment::Center ? 0.5f
         : alignment == ParagraphAlignment::Far  ? 1
                                                 : 0;
}

PangoAlignment PangoAlign(TextAlignment alignment) {
  return alignment == TextAlignment::Center     ? PANGO_ALIGN_CENTER
         : alignment == TextAlignment::Trailing ? PANGO_ALIGN_RIGHT
                                                : PANGO_ALIGN_LEFT;
}

}  // namespace

// --- Factory ---------------------------------------------------------------------

TextFactory::TextFactory()
    : fontMap_(pango_cairo_font_map_new()), context_(pango_font_map_create_context(fontMap_)) {
  pango_cairo_context_set_resolution(context_, 96);
  cairo_font_options_t* options = cairo_font_options_create();
  cairo_font_options_set_antialias(options, CAIRO_ANTIALIAS_GRAY);
  cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_NONE);
  cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_OFF);
  pango_cairo_context_set_font_options(context_, options);
  cairo_font_options_destroy(options);
}

TextFactory::~TextFactory() {
  g_object_unref(context_);
  g_object_unref(fontMap_);
}

// --- Glyph runs ---------------------------------------------------------------------

void GlyphRun::GetGlyphRunOutline(PathGeometry::Sink& sink) const {
  cairo_surface_t* scratch = cairo_image_surface_create(CAIRO_FORMAT_A8, 1, 1);
  cairo_t* cr = cairo_create(scratch);
  cairo_move_to(cr, 0, 0);
  pango_cairo_glyph_string_path(cr, font_, glyphs_);
  cairo_path_t* path = cairo_copy_path(cr);
  bool open = false;
  for (int i = 0; i < path->num_data; i += path->data[i].header.length) {
    const cairo_path_data_t* data = &path->data[i];
    auto at = [data](int k) { return Point2F{float(data[k].point.x), float(data[k].point.y)}; };
    switch (data->header.type) {
      case CAIRO_PATH_MOVE_TO:
        if (open) sink.EndFigure(FigureEnd::Open);
        sink.BeginFigure(at(1), FigureBegin::Filled);
        open = true;
        break;
      case CAIRO_PATH_LINE_TO:
        sink.AddLine(at(1));
        break;
      case CAIRO_PATH_CURVE_TO:
        sink.AddBezier(at(1), at(2), at(3));
        break;
      case CAIRO_PATH_CLOSE_PATH:
        if (open) sink.EndFigure(FigureEnd::Closed);
        open = false;
        break;
    }
  }
  if (open) sink.EndFigure(FigureEnd::Open);
  cairo_path_destroy(path);
  cairo_destroy(cr);
  cairo_surface_destroy(scratch);
}

// --- Layouts -----------------------------------------------------------------------

TextLayout::TextLayout(const TextFactory& factory, const std::u16string& text,
                       const TextFormat& format, float maxWidth, float maxHeight)
    : layout_(pango_layout_new(factory.Context())), maxWidth_(maxWidth), maxHeight_(maxHeight) {
  const std::string utf8 = Utf8(gdip::ShownText(Utf8(format.family), text));
  pango_layout_set_text(layout_, utf8.data(), int(utf8.size()));
  PangoFontDescription* font = pango_font_description_new();
  pango_font_description_set_family(font, Utf8(format.family).c_str());
  pango_font_description_set_weight(font, PangoWeight(format.weight));
  pango_font_description_set_style(font, format.style == FontStyle::Normal   ? PANGO_STYLE_NORMAL
                                         : format.style == FontStyle::Italic ? PANGO_STYLE_ITALIC
                                                                             : PANGO_STYLE_OBLIQUE);
  pango_font_description_set_absolute_size(font, double(format.size) * PANGO_SCALE);
  pango_layout_set_font_description(layout_, font);
  pango_font_description_free(font);
  pango_layout_set_attributes(layout_, pango_attr_list_new());
  SetWordWrapping(WordWrapping::Wrap);
}

TextLayout::~TextLayout() { g_object_unref(layout_); }

void TextLayout::SetWordWrapping(WordWrapping wrapping) {
  wrapping_ = wrapping;
  const bool wraps = wrapping == WordWrapping::Wrap && maxWidth_ > 0;
  pango_layout_set_width(layout_, wraps ? int(maxWidth_ * PANGO_SCALE) : -1);
  pango_layout_set_wrap(layout_, PANGO_WRAP_WORD_CHAR);
}

void TextLayout::AddAttribute(PangoAttribute* attribute) {
  PangoAttrList* list = pango_attr_list_copy(pango_layout_get_attributes(layout_));
  pango_attr_list_insert(list, attribute);
  pango_layout_set_attributes(layout_, list);
  pango_attr_list_unref(list);
}

void TextLayout::SetUnderline(bool underline) {
  if (underline) AddAttribute(pango_attr_underline_new(PANGO_UNDERLINE_SINGLE));
}

void TextLayout::SetStrikethrough(bool strikethrough) {
  if (strikethrough) AddAttribute(pango_attr_strikethrough_new(true));
}

void TextLayout::SetParagraphAlignment(ParagraphAlignment alignment) { paragraph_ = alignment; }

void TextLayout::SetTextAlignment(TextAlignment alignment) {
  alignment_ = alignment;
  pango_layout_set_alignment(layout_, PangoAlign(alignment));
}

Point2F TextLayout::Offset() const {
  PangoRectangle logical;
  pango_layout_get_extents(layout_, nullptr, &logical);
  // A layout with a width aligns its lines itself; one without is aligned
  // as a whole inside the box.
  const float x = pango_layout_get_width(layout_) > 0
                      ? 0
                      : Factor(alignment_) * (maxWidth_ - float(logical.width) / PANGO_SCALE);
  const float y = Factor(paragraph_) * (maxHeight_ - float(logical.height) / PANGO_SCALE);
  return {x, y};
}

TextMetrics TextLayout::GetMetrics() const {
  PangoRectangle logical;
  pango_layout_get_extents(layout_, nullptr, &logical);
  const Point2F offset = Offset();
  TextMetrics metrics;
  metrics.left = offset.x + float(logical.x) / PANGO_SCALE;
  metrics.top = offset.y + float(logical.y) / PANGO_SCALE;
  metrics.width = metrics.widthIncludingTrailingWhitespace = float(logical.width) / PANGO_SCALE;
  metrics.height = float(logical.height) / PANGO_SCALE;
  return metrics;
}

// The layout's cluster positions in text order; a position without a run
// (a line's end) covers its line break.
std::vector<ClusterMetrics> TextLayout::GetClusterMetrics() const {
  const char* text = pango_layout_get_text(layout_);
  const int bytes = int(std::strlen(text));
  std::vector<int> starts;
  std::vector<float> widths;
  PangoLayoutIter* iter = pango_layout_get_iter(layout_);
  do {
    const int index = pango_layout_iter_get_index(iter);
    if (index >= bytes || (!starts.empty() && index <= starts.back())) continue;
    PangoRectangle logical{};
    if (pango_layout_iter_get_run_readonly(iter)) pango_layout_iter_get_cluster_extents(iter, nullptr, &logical);
    starts.push_back(index);
    widths.push_back(float(logical.width) / PANGO_SCALE);
  } while (pango_layout_iter_next_cluster(iter));
  pango_layout_iter_free(iter);
  starts.push_back(bytes);
  std::vector<ClusterMetrics> clusters(widths.size());
  for (std::size_t i = 0; i < clusters.size(); ++i)
    clusters[i] = {widths[i], Utf16Units(text + starts[i], text + starts[i + 1])};
  return clusters;
}

HRESULT TextLayout::Draw(void* context, TextRenderer& renderer, float originX,
                         float originY) const {
  const Point2F offset = Offset();
  PangoLayoutIter* iter = pango_layout_get_iter(layout_);
  do {
    PangoLayoutRun* run = pango_layout_iter_get_run_readonly(iter);
    if (!run) continue;
    PangoRectangle logical;
    pango_layout_iter_get_run_extents(iter, nullptr, &logical);
    const float x = originX + offset.x + float(logical.x) / PANGO_SCALE;
    const float y = originY + offset.y + float(pango_layout_iter_get_baseline(iter)) / PANGO_SCALE;
    renderer.DrawGlyphRun(context, x, y, GlyphRun(run->item->analysis.font, run->glyphs));
  } while (pango_layout_iter_next_run(iter));
  pango_layout_iter_free(iter);
  return S_OK;
}

void TextLayout::Show(cairo_t* cr, Point2F origin) const {
  const Point2F offset = Offset();
  cairo_move_to(cr, origin.x + offset.x, origin.y + offset.y);
  pango_cairo_show_layout(cr, layout_);
}

}  // namespace d2d
