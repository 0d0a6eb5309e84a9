// Fonts, string formats and text of the cairo implementation, over pango and
// fontconfig.
#include <fontconfig/fontconfig.h>
#include <glib/gstdio.h>
#include <pango/pangofc-fontmap.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "platform/gdiplus/CairoGdiPlus.h"
#include "platform/gdiplus/CairoHandles.h"
#include "platform/gdiplus/SymbolFonts.h"
#include "platform/rtl/TextCompare.h"
#include "platform/rtl/TextConvert.h"

namespace gdip::cairo_impl {
namespace {

constexpr double kPadPerEm = 1.0 / 6.0;  // GDI+ pads each line by this share of the em on both sides

std::u16string_view View(const WCHAR* text, INT length) {
  if (!text) return {};
  return length < 0 ? std::u16string_view(text) : std::u16string_view(text, size_t(length));
}

// For each UTF-16 unit of the text (and one past its end), the offset of its
// character in the text's UTF-8 form; lone surrogates take U+FFFD's 3 bytes.
std::vector<int> Utf8Offsets(std::u16string_view text) {
  std::vector<int> offsets(text.size() + 1, 0);
  int at = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    offsets[i] = at;
    const char16_t c = text[i];
    if (rtl::IsHighSurrogate(c) && i + 1 < text.size() && rtl::IsLowSurrogate(text[i + 1])) {
      offsets[++i] = at;
      at += 4;
    } else {
      at += c < 0x80 ? 1 : c < 0x800 ? 2 : 3;
    }
  }
  offsets[text.size()] = at;
  return offsets;
}

// Inches a unit measures; 0 for units that are world units already.
double InchesPerUnit(Unit unit) {
  switch (unit) {
    case UnitPoint: return 1.0 / 72.0;
    case UnitInch: return 1.0;
    case UnitDocument: return 1.0 / 300.0;
    case UnitMillimeter: return 1.0 / 25.4;
    default: return 0.0;
  }
}

PangoFontDescription* Describe(const std::string& family, INT style, double pixels) {
  PangoFontDescription* d = pango_font_description_new();
  pango_font_description_set_family(d, family.c_str());
  pango_font_description_set_absolute_size(d, pixels * PANGO_SCALE);
  pango_font_description_set_weight(d, (style & FontStyleBold) ? PANGO_WEIGHT_BOLD : PANGO_WEIGHT_NORMAL);
  pango_font_description_set_style(d, (style & FontStyleItalic) ? PANGO_STYLE_ITALIC : PANGO_STYLE_NORMAL);
  return d;
}

void SetFontOptions(PangoContext* context, TextRenderingHint hint) {
  cairo_font_options_t* options = cairo_font_options_create();
  // The system default is the desktop's usual smoothing, fitted to the
  // pixel grid: the same metrics as ClearTypeGridFit, so text measures the
  // same before and after a caller picks that hint.
  const bool gridFit = hint == TextRenderingHintSystemDefault || hint == TextRenderingHintAntiAliasGridFit ||
                       hint == TextRenderingHintClearTypeGridFit || hint == TextRenderingHintSingleBitPerPixelGridFit;
  const bool mono = hint == TextRenderingHintSingleBitPerPixel || hint == TextRenderingHintSingleBitPerPixelGridFit;
  cairo_font_options_set_antialias(options, mono ? CAIRO_ANTIALIAS_NONE : CAIRO_ANTIALIAS_GRAY);
  cairo_font_options_set_hint_style(options, gridFit ? CAIRO_HINT_STYLE_SLIGHT : CAIRO_HINT_STYLE_NONE);
  cairo_font_options_set_hint_metrics(options, gridFit ? CAIRO_HINT_METRICS_ON : CAIRO_HINT_METRICS_OFF);
  pango_cairo_context_set_font_options(context, options);
  cairo_font_options_destroy(options);
}

// One string laid out as GDI+ places it in a layout rectangle.
struct LaidOut {
  GObjectPtr<PangoLayout> layout;
  double x = 0, y = 0;  // where the pango layout's origin goes
  double pad = 0;
  PangoRectangle logical{};
  std::vector<int> offsets;  // UTF-16 unit to byte
};

void LayOut(LaidOut& out, PangoContext* context, const WCHAR* text, INT length, const std::string& family, INT style,
            double pixels, const RectF& rect, const FormatImpl* format) {
  const INT flags = format ? format->flags : 0;
  const StringAlignment align = format ? format->align : StringAlignmentNear;
  const StringAlignment lineAlign = format ? format->lineAlign : StringAlignmentNear;
  const std::u16string shown = ShownText(family, View(text, length));
  const std::string utf8 = rtl::Utf16ToUtf8(shown);
  out.offsets = Utf8Offsets(shown);
  out.layout.reset(pango_layout_new(context));
  pango_layout_set_text(out.layout.get(), utf8.c_str(), int(utf8.size()));
  PangoFontDescription* description = Describe(family, style, pixels);
  pango_layout_set_font_description(out.layout.get(), description);
  pango_font_description_free(description);
  if (style & (FontStyleUnderline | FontStyleStrikeout)) {
    PangoAttrList* attrs = pango_attr_list_new();
    if (style & FontStyleUnderline) pango_attr_list_insert(attrs, pango_attr_underline_new(PANGO_UNDERLINE_SINGLE));
    if (style & FontStyleStrikeout) pango_attr_list_insert(attrs, pango_attr_strikethrough_new(true));
    pango_layout_set_attributes(out.layout.get(), attrs);
    pango_attr_list_unref(attrs);
  }
  pango_layout_set_alignment(out.layout.get(), align == StringAlignmentCenter ? PANGO_ALIGN_CENTER
                                         : align == StringAlignmentFar  ? PANGO_ALIGN_RIGHT
                                                                        : PANGO_ALIGN_LEFT);
  out.pad = pixels * kPadPerEm;
  // A width of 0 means no limit, as does NoWrap.
  const bool wrap = !(flags & StringFormatFlagsNoWrap) && rect.Width > 0;
  if (wrap) {
    pango_layout_set_width(out.layout.get(), int(std::max(1.0, rect.Width - 2 * out.pad) * PANGO_SCALE));
    pango_layout_set_wrap(out.layout.get(), PANGO_WRAP_WORD_CHAR);
  }
  pango_layout_get_extents(out.layout.get(), nullptr, &out.logical);
  const double lx = double(out.logical.x) / PANGO_SCALE, ly = double(out.logical.y) / PANGO_SCALE;
  const double lw = double(out.logical.width) / PANGO_SCALE, lh = double(out.logical.height) / PANGO_SCALE;
  if (wrap) {
    out.x = rect.X + out.pad;
  } else {
    const double box = lw + 2 * out.pad;
    const double left = align == StringAlignmentCenter ? rect.X + (rect.Width - box) / 2
                        : align == StringAlignmentFar  ? rect.X + rect.Width - box
                                                       : rect.X;
    out.x = left + out.pad - lx;
  }
  const double top = lineAlign == StringAlignmentCenter ? rect.Y + (rect.Height - lh) / 2
                     : lineAlign == StringAlignmentFar  ? rect.Y + rect.Height - lh
                                                        : rect.Y;
  out.y = top - ly;
}

// The padded box of the laid-out lines, in world units.
RectF PaddedBox(const LaidOut& t) {
  return {REAL(t.x + double(t.logical.x) / PANGO_SCALE - t.pad), REAL(t.y + double(t.logical.y) / PANGO_SCALE),
          REAL(double(t.logical.width) / PANGO_SCALE + 2 * t.pad), REAL(double(t.logical.height) / PANGO_SCALE)};
}

// Rectangles the range covers, one for each line it touches, without padding.
std::vector<RectF> RangeRects(const LaidOut& t, const std::string& text, CharacterRange range, bool trailingSpaces) {
  std::vector<RectF> rects;
  const int units = int(t.offsets.size()) - 1;
  const int first = std::clamp(range.First, 0, units), last = std::clamp(range.First + range.Length, 0, units);
  if (last <= first) return rects;
  const int start = t.offsets[first], end = t.offsets[last];
  PangoLayoutIter* iter = pango_layout_get_iter(t.layout.get());
  do {
    PangoLayoutLine* line = pango_layout_iter_get_line_readonly(iter);
    int lineEnd = line->start_index + line->length;
    if (!trailingSpaces) {
      while (lineEnd > line->start_index &&
             (text[lineEnd - 1] == ' ' || text[lineEnd - 1] == '\n' || text[lineEnd - 1] == '\r')) {
        --lineEnd;
      }
    }
    const int from = std::max(start, line->start_index), to = std::min(end, lineEnd);
    if (from >= to) continue;
    PangoRectangle extents;
    pango_layout_iter_get_line_extents(iter, nullptr, &extents);
    int* ranges = nullptr;
    int count = 0;
    pango_layout_line_get_x_ranges(line, from, to, &ranges, &count);
    for (int i = 0; i < count; ++i) {
      rects.push_back({REAL(t.x + double(ranges[2 * i]) / PANGO_SCALE), REAL(t.y + double(extents.y) / PANGO_SCALE),
                       REAL(double(ranges[2 * i + 1] - ranges[2 * i]) / PANGO_SCALE),
                       REAL(double(extents.height) / PANGO_SCALE)});
    }
    g_free(ranges);
  } while (pango_layout_iter_next_line(iter));
  pango_layout_iter_free(iter);
  return rects;
}

// The families of the fonts matching the pattern, in the given sets.
bool AnyFont(FcPattern* pattern, bool systemOnly, std::vector<std::pair<int, int>>* styles = nullptr) {
  FcConfig* config = FcConfigGetCurrent();
  FcObjectSet* objects = FcObjectSetBuild(FC_FAMILY, FC_WEIGHT, FC_SLANT, nullptr);
  FcFontSet* sets[2] = {FcConfigGetFonts(config, FcSetSystem), FcConfigGetFonts(config, FcSetApplication)};
  int setCount = systemOnly || !sets[1] ? 1 : 2;
  if (!sets[0]) sets[0] = sets[1], setCount = sets[0] ? 1 : 0;
  FcFontSet* found = setCount ? FcFontSetList(config, sets, setCount, pattern, objects) : nullptr;
  const bool any = found && found->nfont > 0;
  for (int i = 0; found && styles && i < found->nfont; ++i) {
    int weight = FC_WEIGHT_REGULAR, slant = FC_SLANT_ROMAN;
    FcPatternGetInteger(found->fonts[i], FC_WEIGHT, 0, &weight);
    FcPatternGetInteger(found->fonts[i], FC_SLANT, 0, &slant);
    styles->emplace_back(weight, slant);
  }
  if (found) FcFontSetDestroy(found);
  FcObjectSetDestroy(objects);
  return any;
}

bool FindStyle(const std::string& family, INT style) {
  FcPattern* pattern = FcPatternCreate();
  FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(family.c_str()));
  std::vector<std::pair<int, int>> styles;
  AnyFont(pattern, false, &styles);
  FcPatternDestroy(pattern);
  const bool bold = style & FontStyleBold, italic = style & FontStyleItalic;
  return std::any_of(styles.begin(), styles.end(), [&](const std::pair<int, int>& s) {
    return (s.first >= FC_WEIGHT_DEMIBOLD) == bold && (s.second != FC_SLANT_ROMAN) == italic;
  });
}

}  // namespace

std::string Utf8(const WCHAR* text, INT length) {
  return rtl::Utf16ToUtf8(View(text, length));
}

double FontImpl::PixelsAt(REAL dpi) const {
  const double inches = InchesPerUnit(unit);
  return inches > 0 ? emSize * inches * dpi : emSize;
}

// A symbol font stands in as installed, in every style: its text is drawn
// as symbols from the installed fonts.
bool CairoGdiPlus::FamilyInstalled(const std::string& name) {
  if (IsSymbolFont(name)) return true;
  const std::string key = rtl::LowerCase(name);
  auto known = installed_.find(key);
  if (known != installed_.end()) return known->second;
  FcPattern* pattern = FcPatternCreate();
  FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(name.c_str()));
  const bool any = AnyFont(pattern, true);
  FcPatternDestroy(pattern);
  installed_.emplace(key, any);
  return any;
}

bool CairoGdiPlus::HasStyle(const std::string& family, INT style) {
  if (IsSymbolFont(family)) return true;
  const auto key = std::make_pair(family, style & FontStyleBoldItalic);
  auto known = styles_.find(key);
  if (known != styles_.end()) return known->second;
  const bool found = FindStyle(family, style);
  styles_.emplace(key, found);
  return found;
}

PangoContext* CairoGdiPlus::ContextFor(GraphicsImpl& g) {
  if (!g.pango) {
    g.pango = pango_font_map_create_context(fontMap_);
    SetFontOptions(g.pango, g.hint);
  } else if (g.pangoHint != g.hint) {
    SetFontOptions(g.pango, g.hint);
  }
  g.pangoHint = g.hint;
  pango_cairo_update_context(g.cr, g.pango);
  return g.pango;
}

// --- families and fonts -------------------------------------------------------

Status CairoGdiPlus::GdipCreateFontFamilyFromName(const WCHAR* name, GpFontCollection* collection,
                                                  GpFontFamily** family) {
  auto* privateFonts = collection ? As<CollectionImpl>(collection) : nullptr;
  if (!name || !family || (collection && !privateFonts)) return InvalidParameter;
  *family = nullptr;
  const std::string wanted = Utf8(name, -1);
  bool found = false;
  if (privateFonts) {
    found = std::any_of(privateFonts->families.begin(), privateFonts->families.end(),
                        [&](const std::string& f) { return g_ascii_strcasecmp(f.c_str(), wanted.c_str()) == 0; });
  } else {
    found = !wanted.empty() && FamilyInstalled(wanted);
  }
  if (!found) return FontFamilyNotFound;
  auto* f = new FamilyImpl;
  f->name = wanted;
  *family = f;
  return Ok;
}

// The first family fontconfig's configuration prefers for "sans-serif" that
// is installed; its own matching would rank by language first.
Status CairoGdiPlus::GdipGetGenericFontFamilySansSerif(GpFontFamily** family) {
  if (!family) return InvalidParameter;
  *family = nullptr;
  FcPattern* pattern = FcPatternCreate();
  FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>("sans-serif"));
  FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
  std::string chosen;
  FcChar8* name = nullptr;
  for (int i = 0; chosen.empty() && FcPatternGetString(pattern, FC_FAMILY, i, &name) == FcResultMatch; ++i) {
    if (FamilyInstalled(reinterpret_cast<const char*>(name))) chosen = reinterpret_cast<const char*>(name);
  }
  FcPatternDestroy(pattern);
  if (chosen.empty()) return FontFamilyNotFound;
  auto* f = new FamilyImpl;
  f->name = chosen;
  *family = f;
  return Ok;
}

Status CairoGdiPlus::GdipCloneFontFamily(GpFontFamily* family, GpFontFamily** clone) {
  auto* f = As<FamilyImpl>(family);
  if (!f || !clone) return InvalidParameter;
  auto* copy = new FamilyImpl;
  copy->name = f->name;
  *clone = copy;
  return Ok;
}

// name receives at most 32 units including the terminating zero.
Status CairoGdiPlus::GdipGetFamilyName(const GpFontFamily* family, WCHAR* name, LANGID) {
  auto* f = As<FamilyImpl>(family);
  if (!f || !name) return InvalidParameter;
  const std::u16string wide = rtl::Utf8ToUtf16(f->name);
  const size_t n = std::min<size_t>(wide.size(), 31);
  std::copy_n(wide.begin(), n, name);
  name[n] = 0;
  return Ok;
}

Status CairoGdiPlus::GdipIsStyleAvailable(const GpFontFamily* family, INT style, BOOL* available) {
  auto* f = As<FamilyImpl>(family);
  if (!f || !available) return InvalidParameter;
  *available = HasStyle(f->name, style) ? 1 : 0;
  return Ok;
}

Status CairoGdiPlus::GdipDeleteFontFamily(GpFontFamily* family) { return DeleteAs<FamilyImpl>(family); }

Status CairoGdiPlus::GdipCreateFont(const GpFontFamily* family, REAL emSize, INT style, Unit unit, GpFont** font) {
  auto* f = As<FamilyImpl>(family);
  if (!f || !font || !(emSize > 0) || unit == UnitDisplay) return InvalidParameter;
  *font = nullptr;
  if (!HasStyle(f->name, style)) return FontStyleNotFound;
  auto* result = new FontImpl;
  result->family = f->name;
  result->emSize = emSize;
  result->style = style;
  result->unit = unit;
  *font = result;
  return Ok;
}

Status CairoGdiPlus::GdipDeleteFont(GpFont* font) { return DeleteAs<FontImpl>(font); }

Status CairoGdiPlus::GdipNewPrivateFontCollection(GpFontCollection** collection) {
  if (!collection) return InvalidParameter;
  *collection = new CollectionImpl;
  return Ok;
}

// Fontconfig reads fonts from files only: the bytes go to a temporary file
// that lives as long as this object.
Status CairoGdiPlus::GdipPrivateAddMemoryFont(GpFontCollection* collection, const void* memory, INT length) {
  auto* c = As<CollectionImpl>(collection);
  if (!c || !memory || length <= 0) return InvalidParameter;
  gchar* path = nullptr;
  const int fd = g_file_open_tmp("esctool-font-XXXXXX", &path, nullptr);
  if (fd < 0) return Win32Error;
  const bool written = write(fd, memory, size_t(length)) == length;
  close(fd);
  std::string file = path;
  g_free(path);
  int faces = 0;
  FcPattern* query =
      written ? FcFreeTypeQuery(reinterpret_cast<const FcChar8*>(file.c_str()), 0, nullptr, &faces) : nullptr;
  FcChar8* family = nullptr;
  if (!query || FcPatternGetString(query, FC_FAMILY, 0, &family) != FcResultMatch ||
      !FcConfigAppFontAddFile(FcConfigGetCurrent(), reinterpret_cast<const FcChar8*>(file.c_str()))) {
    if (query) FcPatternDestroy(query);
    std::remove(file.c_str());
    return written ? NotTrueTypeFont : Win32Error;
  }
  c->families.emplace_back(reinterpret_cast<const char*>(family));
  FcPatternDestroy(query);
  memoryFontFiles_.push_back(file);
  styles_.clear();
  pango_fc_font_map_config_changed(PANGO_FC_FONT_MAP(fontMap_));
  return Ok;
}

Status CairoGdiPlus::GdipDeletePrivateFontCollection(GpFontCollection** collection) {
  if (!collection) return InvalidParameter;
  auto* c = As<CollectionImpl>(*collection);
  if (!c) return InvalidParameter;
  delete c;
  *collection = nullptr;
  return Ok;
}

// --- string formats -------------------------------------------------------

Status CairoGdiPlus::GdipCreateStringFormat(INT flags, LANGID, GpStringFormat** format) {
  if (!format) return InvalidParameter;
  auto* f = new FormatImpl;
  f->flags = flags;
  *format = f;
  return Ok;
}

Status CairoGdiPlus::GdipGetStringFormatFlags(const GpStringFormat* format, INT* flags) {
  return GetField(format, &FormatImpl::flags, flags);
}

Status CairoGdiPlus::GdipSetStringFormatFlags(GpStringFormat* format, INT flags) {
  auto* f = As<FormatImpl>(format);
  if (!f) return InvalidParameter;
  f->flags = flags;
  return Ok;
}

Status CairoGdiPlus::GdipSetStringFormatAlign(GpStringFormat* format, StringAlignment align) {
  auto* f = As<FormatImpl>(format);
  if (!f || align < StringAlignmentNear || align > StringAlignmentFar) return InvalidParameter;
  f->align = align;
  return Ok;
}

Status CairoGdiPlus::GdipSetStringFormatLineAlign(GpStringFormat* format, StringAlignment align) {
  auto* f = As<FormatImpl>(format);
  if (!f || align < StringAlignmentNear || align > StringAlignmentFar) return InvalidParameter;
  f->lineAlign = align;
  return Ok;
}

Status CairoGdiPlus::GdipSetStringFormatMeasurableCharacterRanges(GpStringFormat* format, INT count,
                                                                  const CharacterRange* ranges) {
  auto* f = As<FormatImpl>(format);
  if (!f || count < 0 || count > 32 || (count > 0 && !ranges)) return count > 32 ? ValueOverflow : InvalidParameter;
  f->ranges.assign(ranges, ranges + count);
  return Ok;
}

Status CairoGdiPlus::GdipGetStringFormatMeasurableCharacterRangeCount(const GpStringFormat* format, INT* count) {
  auto* f = As<FormatImpl>(format);
  if (!f || !count) return InvalidParameter;
  *count = INT(f->ranges.size());
  return Ok;
}

Status CairoGdiPlus::GdipDeleteStringFormat(GpStringFormat* format) { return DeleteAs<FormatImpl>(format); }

// --- text -------------------------------------------------------------------

Status CairoGdiPlus::GdipDrawString(GpGraphics* graphics, const WCHAR* text, INT length, const GpFont* font,
                                    const RectF* layout, const GpStringFormat* format, const GpBrush* brush) {
  auto* g = As<GraphicsImpl>(graphics);
  auto* f = As<FontImpl>(font);
  auto* fmt = format ? As<FormatImpl>(format) : nullptr;
  const BrushData* b = Brush(brush);
  if (!g || !f || !b || !text || !layout || (format && !fmt)) return InvalidParameter;
  if (length == 0 || text[0] == 0) return Ok;
  LaidOut laid;
  LayOut(laid, ContextFor(*g), text, length, f->family, f->style, f->PixelsAt(g->dpiY), *layout, fmt);
  cairo_pattern_t* pattern = b->CreatePattern();
  if (!pattern) return Ok;
  cairo_t* cr = g->cr;
  cairo_save(cr);
  const INT flags = fmt ? fmt->flags : 0;
  if (!(flags & StringFormatFlagsNoClip) && layout->Width > 0 && layout->Height > 0) {
    cairo_new_path(cr);
    cairo_rectangle(cr, layout->X, layout->Y, layout->Width, layout->Height);
    cairo_clip(cr);
  }
  cairo_set_source(cr, pattern);
  cairo_pattern_destroy(pattern);
  cairo_new_path(cr);
  cairo_move_to(cr, laid.x, laid.y);
  if (b->alpha < 1) {
    cairo_push_group(cr);
    pango_cairo_show_layout(cr, laid.layout.get());
    cairo_pop_group_to_source(cr);
    cairo_paint_with_alpha(cr, b->alpha);
  } else {
    pango_cairo_show_layout(cr, laid.layout.get());
  }
  cairo_restore(cr);
  return Ok;
}

Status CairoGdiPlus::GdipMeasureString(GpGraphics* graphics, const WCHAR* text, INT length, const GpFont* font,
                                       const RectF* layout, const GpStringFormat* format, RectF* bounds,
                                       INT* codepointsFitted, INT* linesFilled) {
  auto* g = As<GraphicsImpl>(graphics);
  auto* f = As<FontImpl>(font);
  auto* fmt = format ? As<FormatImpl>(format) : nullptr;
  if (!g || !f || !text || !layout || !bounds || (format && !fmt)) return InvalidParameter;
  LaidOut laid;
  LayOut(laid, ContextFor(*g), text, length, f->family, f->style, f->PixelsAt(g->dpiY), *layout, fmt);
  const bool empty = laid.offsets.size() <= 1;
  *bounds = empty ? RectF{layout->X, layout->Y, 0, 0} : PaddedBox(laid);
  if (codepointsFitted) *codepointsFitted = INT(laid.offsets.size() - 1);
  if (linesFilled) *linesFilled = empty ? 0 : pango_layout_get_line_count(laid.layout.get());
  return Ok;
}

Status CairoGdiPlus::GdipMeasureCharacterRanges(GpGraphics* graphics, const WCHAR* text, INT length, const GpFont* font,
                                                const RectF* layout, const GpStringFormat* format, INT regionCount,
                                                GpRegion** regions) {
  auto* g = As<GraphicsImpl>(graphics);
  auto* f = As<FontImpl>(font);
  auto* fmt = As<FormatImpl>(format);
  if (!g || !f || !text || !layout || !fmt || !regions || regionCount != INT(fmt->ranges.size())) {
    return InvalidParameter;
  }
  for (INT i = 0; i < regionCount; ++i) {
    if (!As<RegionImpl>(regions[i])) return InvalidParameter;
  }
  LaidOut laid;
  LayOut(laid, ContextFor(*g), text, length, f->family, f->style, f->PixelsAt(g->dpiY), *layout, fmt);
  const std::string utf8 = pango_layout_get_text(laid.layout.get());
  const bool trailing = fmt->flags & StringFormatFlagsMeasureTrailingSpaces;
  for (INT i = 0; i < regionCount; ++i) {
    auto* region = As<RegionImpl>(regions[i]);
    region->kind = RegionImpl::Kind::Rects;
    region->rects = RangeRects(laid, utf8, fmt->ranges[i], trailing);
  }
  return Ok;
}

Status CairoGdiPlus::GdipMeasureCaretOffsets(GpGraphics* graphics, const WCHAR* text, INT length, const GpFont* font,
                                             const GpStringFormat* format, REAL* offsets) {
  auto* g = As<GraphicsImpl>(graphics);
  auto* f = As<FontImpl>(font);
  auto* fmt = format ? As<FormatImpl>(format) : nullptr;
  if (!g || !f || !text || !offsets || (format && !fmt)) return InvalidParameter;
  FormatImpl oneLine;
  oneLine.flags = (fmt ? fmt->flags : 0) | StringFormatFlagsNoWrap;
  LaidOut laid;
  LayOut(laid, ContextFor(*g), text, length, f->family, f->style, f->PixelsAt(g->dpiY), RectF{}, &oneLine);
  const int bytes = laid.offsets.back();
  // The x of each character's start, by its byte; the end takes the last
  // character's far edge.
  std::vector<int> xAt(size_t(bytes) + 1, 0);
  PangoLayoutIter* iter = pango_layout_get_iter(laid.layout.get());
  int first = 0, end = 0;
  bool any = false;
  do {
    const int index = pango_layout_iter_get_index(iter);
    if (index >= bytes) continue;
    PangoRectangle extents;
    pango_layout_iter_get_char_extents(iter, &extents);
    xAt[size_t(index)] = extents.x;
    if (!any || extents.x < first) first = extents.x;
    end = std::max(end, extents.x + extents.width);
    any = true;
  } while (pango_layout_iter_next_char(iter));
  pango_layout_iter_free(iter);
  xAt[size_t(bytes)] = end;
  // A symbol font's shown text may differ in length: extra units take the end.
  const size_t units = View(text, length).size();
  for (size_t i = 0; i <= units; ++i) {
    const int byte = i < laid.offsets.size() ? laid.offsets[i] : bytes;
    offsets[i] = REAL(double(xAt[size_t(byte)] - first) / PANGO_SCALE);
  }
  return Ok;
}

// The glyph outlines become closed figures of the path, at emSize world units.
Status CairoGdiPlus::GdipAddPathString(GpPath* path, const WCHAR* text, INT length, const GpFontFamily* family,
                                       INT style, REAL emSize, const RectF* layout, const GpStringFormat* format) {
  auto* p = As<PathImpl>(path);
  auto* f = As<FamilyImpl>(family);
  auto* fmt = format ? As<FormatImpl>(format) : nullptr;
  if (!p || !f || !text || !layout || !(emSize > 0) || (format && !fmt)) return InvalidParameter;
  if (!scratch_) {
    scratch_ = pango_font_map_create_context(fontMap_);
    SetFontOptions(scratch_, TextRenderingHintAntiAlias);
  }
  LaidOut laid;
  LayOut(laid, scratch_, text, length, f->name, style, emSize, *layout, fmt);
  cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_A8, 1, 1);
  cairo_t* cr = cairo_create(surface);
  cairo_move_to(cr, laid.x, laid.y);
  pango_cairo_layout_path(cr, laid.layout.get());
  cairo_path_t* outline = cairo_copy_path(cr);
  p->figureOpen = false;
  bool pendingMove = false;
  PointF move;
  for (int i = 0; i < outline->num_data; i += outline->data[i].header.length) {
    const cairo_path_data_t* d = &outline->data[i];
    auto pt = [d](int k) { return PointF{REAL(d[k].point.x), REAL(d[k].point.y)}; };
    switch (d->header.type) {
      case CAIRO_PATH_MOVE_TO:
        p->figureOpen = false;
        pendingMove = true;
        move = pt(1);
        break;
      case CAIRO_PATH_LINE_TO:
      case CAIRO_PATH_CURVE_TO:
        if (pendingMove) p->ContinueAt(move), pendingMove = false;
        if (d->header.type == CAIRO_PATH_LINE_TO) {
          p->AddLinePoint(pt(1));
        } else {
          for (int k = 1; k <= 3; ++k) p->points.push_back(pt(k)), p->types.push_back(PathPointTypeBezier);
        }
        break;
      case CAIRO_PATH_CLOSE_PATH: p->CloseFigure(); break;
    }
  }
  p->figureOpen = false;
  cairo_path_destroy(outline);
  cairo_destroy(cr);
  cairo_surface_destroy(surface);
  return Ok;
}

}  // namespace gdip::cairo_impl
