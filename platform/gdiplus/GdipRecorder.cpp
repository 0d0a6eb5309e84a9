#include "platform/gdiplus/GdipRecorder.h"

#include <charconv>
#include <cstdio>
#include <optional>

#include "platform/rtl/TextConvert.h"

namespace gdip {
namespace {

// printf's %g, but with "." whatever the process locale.
std::string Num(double v) {
  char text[32];
  return std::string(text, std::to_chars(text, text + sizeof text, v, std::chars_format::general, 6).ptr);
}

std::string Hex(std::uint32_t v) {
  char text[16];
  std::snprintf(text, sizeof text, "%08X", v);
  return text;
}

std::string Quoted(const WCHAR* s, INT length) {
  if (!s) return "null";
  return "\"" + rtl::Utf16ToUtf8(length < 0 ? std::u16string_view(s) : std::u16string_view(s, size_t(length))) + "\"";
}

const char* KindOf(const GpGraphics*) {
  return "graphics";
}
const char* KindOf(const GpPen*) {
  return "pen";
}
const char* KindOf(const GpBrush*) {
  return "brush";
}
const char* KindOf(const GpPath*) {
  return "path";
}
const char* KindOf(const GpRegion*) {
  return "region";
}
const char* KindOf(const GpMatrix*) {
  return "matrix";
}
const char* KindOf(const GpImage*) {
  return "image";
}
const char* KindOf(const GpImageAttributes*) {
  return "attributes";
}
const char* KindOf(const GpFontFamily*) {
  return "family";
}
const char* KindOf(const GpFont*) {
  return "font";
}
const char* KindOf(const GpFontCollection*) {
  return "collection";
}
const char* KindOf(const GpStringFormat*) {
  return "format";
}

template <class T>
concept Handle = requires(const T* h) {
  KindOf(h);
};

// Inputs, described before the call.
struct In {
  GdipRecorder& r;
  std::string operator()(double v) const { return Num(v); }
  std::string operator()(float v) const { return Num(v); }
  std::string operator()(int v) const { return std::to_string(v); }
  std::string operator()(unsigned v) const { return std::to_string(v); }
  std::string operator()(std::uintptr_t v) const { return std::to_string(v); }
  template <class E>
  requires std::is_enum_v<E> std::string operator()(E v) const { return std::to_string(int(v)); }
  std::string operator()(const WCHAR* s) const { return Quoted(s, -1); }
  std::string operator()(const PointF* p) const { return p ? "(" + Num(p->X) + "," + Num(p->Y) + ")" : "null"; }
  std::string operator()(const RectF* p) const {
    return p ? "(" + Num(p->X) + "," + Num(p->Y) + "," + Num(p->Width) + "," + Num(p->Height) + ")" : "null";
  }
  std::string operator()(const Rect* p) const {
    return p ? "(" + std::to_string(p->X) + "," + std::to_string(p->Y) + "," + std::to_string(p->Width) + "," +
                   std::to_string(p->Height) + ")"
             : "null";
  }
  std::string operator()(const GpMatrix* m) const {
    if (!m) return "null";
    REAL e[6];
    if (r.Inner().GdipGetMatrixElements(m, e) != Ok) return r.NameOf(m, "matrix");
    std::string out = "[";
    for (int i = 0; i < 6; ++i) out += (i ? "," : "") + Num(e[i]);
    return out + "]";
  }
  std::string operator()(const ColorMatrix* m) const {
    if (!m) return "null";
    std::string out = "{";
    for (int i = 0; i < 5; ++i)
      for (int j = 0; j < 5; ++j)
        if (m->m[i][j] != (i == j ? 1.0f : 0.0f))
          out += (out.size() > 1 ? "," : "") + ("m" + std::to_string(i)) + std::to_string(j) + "=" + Num(m->m[i][j]);
    return out + "}";
  }
  std::string operator()(const EncoderParameters* p) const {
    if (!p) return "null";
    std::string out = "{";
    for (UINT i = 0; i < p->Count; ++i) {
      const EncoderParameter& e = p->Parameter[i];
      out += i ? "," : "";
      out += e.Guid == EncoderQuality ? "quality" : "?";
      if (e.Value && e.Type == EncoderParameterValueTypeLong)
        out += "=" + std::to_string(*static_cast<const UINT*>(e.Value));
    }
    return out + "}";
  }
  std::string operator()(const CLSID* c) const { return c ? "{" + Hex(c->Data1) + "}" : "null"; }
  std::string operator()(const GdiplusStartupInput* i) const {
    return i ? "{" + std::to_string(i->GdiplusVersion) + "}" : "null";
  }
  std::string operator()(HDC dc) const { return dc ? "hdc" : "null"; }
  std::string operator()(IStream* s) const { return s ? "stream" : "null"; }
  std::string operator()(const void* p) const { return p ? "ptr" : "null"; }
  template <Handle T>
  std::string operator()(const T* h) const {
    return h ? r.NameOf(h, KindOf(h)) : "null";
  }
  // Outputs are described after the call.
  template <class T>
  std::string operator()(T**) const {
    return "";
  }
  std::string operator()(REAL*) const { return ""; }
  std::string operator()(INT*) const { return ""; }
  std::string operator()(UINT*) const { return ""; }
  std::string operator()(RectF*) const { return ""; }
  std::string operator()(InterpolationMode*) const { return ""; }
  std::string operator()(TextRenderingHint*) const { return ""; }
  std::string operator()(std::uintptr_t*) const { return ""; }
  std::string operator()(BitmapData*) const { return "data"; }
};

// Outputs, described after the call; nullopt for inputs.
struct Out {
  GdipRecorder& r;
  template <class T>
  std::optional<std::string> operator()(const T&) const {
    return std::nullopt;
  }
  template <Handle T>
  std::optional<std::string> operator()(T** h) const {
    return h && *h ? r.NameOf(*h, KindOf(*h)) : "null";
  }
  std::optional<std::string> operator()(REAL* v) const { return v ? Num(*v) : "null"; }
  std::optional<std::string> operator()(INT* v) const { return v ? std::to_string(*v) : "null"; }
  std::optional<std::string> operator()(UINT* v) const { return v ? std::to_string(*v) : "null"; }
  std::optional<std::string> operator()(InterpolationMode* v) const { return v ? std::to_string(int(*v)) : "null"; }
  std::optional<std::string> operator()(TextRenderingHint* v) const { return v ? std::to_string(int(*v)) : "null"; }
  std::optional<std::string> operator()(std::uintptr_t* v) const { return v ? std::to_string(*v) : "null"; }
  std::optional<std::string> operator()(RectF* p) const { return In{r}(static_cast<const RectF*>(p)); }
};

template <class T>
const void* FirstHandle(T* h) {
  if constexpr (Handle<T>)
    return h;
  else if constexpr (std::is_pointer_v<T>)
    return h ? *h : nullptr;  // GdipDeletePrivateFontCollection
  else
    return nullptr;
}
template <class T>
const void* FirstHandle(const T&) {
  return nullptr;
}

bool Frees(const std::string& name) {
  return name.rfind("GdipDelete", 0) == 0 || name.rfind("GdipDispose", 0) == 0;
}

std::string Join(const std::vector<std::string>& parts) {
  std::string out;
  for (const std::string& p : parts) out += (out.empty() ? "" : ", ") + p;
  return out;
}

std::string Blend(const ARGB* colors, const REAL* positions, INT count) {
  std::string out = "[";
  for (INT i = 0; colors && positions && i < count; ++i)
    out += (i ? " " : "") + Hex(colors[i]) + "@" + Num(positions[i]);
  return out + "]";
}

}  // namespace

std::string GdipRecorder::NameOf(const void* handle, const char* kind) {
  auto found = names_.find(handle);
  if (found != names_.end()) return found->second;
  std::string name = kind + std::to_string(++counters_[kind]);
  names_.emplace(handle, name);
  return name;
}

std::vector<GdipCall> GdipRecorder::CallsTo(const std::string& name) const {
  std::vector<GdipCall> out;
  for (const GdipCall& c : calls_) {
    if (c.name == name) out.push_back(c);
  }
  return out;
}

std::vector<std::string> GdipRecorder::Names() const {
  std::vector<std::string> out;
  for (const GdipCall& c : calls_) out.push_back(c.name);
  return out;
}

template <class Call>
Status GdipRecorder::Pass(const char* name, Call call) {
  auto due = failures_.find(name);
  if (due == failures_.end()) return call();
  const Status status = due->second.first;
  if (--due->second.second <= 0) failures_.erase(due);
  return status;
}

template <class Call, class... Args>
Status GdipRecorder::Record(const char* name, Call call, Args... args) {
  std::vector<std::string> before{In{*this}(args)...};
  const void* first = nullptr;
  ((first = first ? first : FirstHandle(args)), ...);
  const Status status = Pass(name, call);
  std::vector<std::optional<std::string>> after{Out{*this}(args)...};
  for (size_t i = 0; i < before.size(); ++i) {
    if (after[i]) before[i] = *after[i];
  }
  if (Frees(name) && status == Ok && first) Forget(first);
  calls_.push_back({name, Join(before), status});
  return status;
}

#define GDIP_EXPAND(...) __VA_ARGS__
#define GDIP_RECORD(name, params, args)                             \
  Status GdipRecorder::name params {                                \
    return Record(                                                  \
        #name, [&] { return inner_.name args; }, GDIP_EXPAND args); \
  }
#define GDIP_BY_HAND(name, params, args)
GDIP_FUNCTIONS(GDIP_RECORD, GDIP_BY_HAND)
#undef GDIP_RECORD
#undef GDIP_BY_HAND

Status GdipRecorder::GdipGetMatrixElements(const GpMatrix* matrix, REAL* elements) {
  const Status s = Pass("GdipGetMatrixElements", [&] { return inner_.GdipGetMatrixElements(matrix, elements); });
  calls_.push_back({"GdipGetMatrixElements", In{*this}(matrix), s});
  return s;
}

Status GdipRecorder::GdipSetPenDashArray(GpPen* pen, const REAL* dashes, INT count) {
  std::string list = "[";
  for (INT i = 0; dashes && i < count; ++i) list += (i ? " " : "") + Num(dashes[i]);
  const std::string args = Join({In{*this}(pen), list + "]", std::to_string(count)});
  const Status s = Pass("GdipSetPenDashArray", [&] { return inner_.GdipSetPenDashArray(pen, dashes, count); });
  calls_.push_back({"GdipSetPenDashArray", args, s});
  return s;
}

Status GdipRecorder::GdipSetLinePresetBlend(GpLineGradient* brush, const ARGB* colors, const REAL* positions,
                                            INT count) {
  const std::string args = Join({In{*this}(brush), Blend(colors, positions, count), std::to_string(count)});
  const Status s =
      Pass("GdipSetLinePresetBlend", [&] { return inner_.GdipSetLinePresetBlend(brush, colors, positions, count); });
  calls_.push_back({"GdipSetLinePresetBlend", args, s});
  return s;
}

Status GdipRecorder::GdipSetPathGradientPresetBlend(GpPathGradient* brush, const ARGB* colors, const REAL* positions,
                                                    INT count) {
  const std::string args = Join({In{*this}(brush), Blend(colors, positions, count), std::to_string(count)});
  const Status s = Pass("GdipSetPathGradientPresetBlend",
                        [&] { return inner_.GdipSetPathGradientPresetBlend(brush, colors, positions, count); });
  calls_.push_back({"GdipSetPathGradientPresetBlend", args, s});
  return s;
}

Status GdipRecorder::GdipGetPathData(GpPath* path, GpPathData* data) {
  const Status s = Pass("GdipGetPathData", [&] { return inner_.GdipGetPathData(path, data); });
  calls_.push_back({"GdipGetPathData", In{*this}(path), s});
  return s;
}

Status GdipRecorder::GdipGetImageEncoders(UINT count, UINT size, ImageCodecInfo* encoders) {
  const Status s = Pass("GdipGetImageEncoders", [&] { return inner_.GdipGetImageEncoders(count, size, encoders); });
  calls_.push_back({"GdipGetImageEncoders", Join({std::to_string(count), std::to_string(size)}), s});
  return s;
}

Status GdipRecorder::GdipGetFamilyName(const GpFontFamily* family, WCHAR* name, LANGID language) {
  const Status s = Pass("GdipGetFamilyName", [&] { return inner_.GdipGetFamilyName(family, name, language); });
  calls_.push_back(
      {"GdipGetFamilyName", Join({In{*this}(family), s == Ok ? Quoted(name, -1) : "", std::to_string(language)}), s});
  return s;
}

Status GdipRecorder::GdipSetStringFormatMeasurableCharacterRanges(GpStringFormat* format, INT count,
                                                                  const CharacterRange* ranges) {
  std::string list = "[";
  for (INT i = 0; ranges && i < count; ++i) {
    list += (i ? " " : "") + std::to_string(ranges[i].First) + "+" + std::to_string(ranges[i].Length);
  }
  const std::string args = Join({In{*this}(format), std::to_string(count), list + "]"});
  const Status s = Pass("GdipSetStringFormatMeasurableCharacterRanges",
                        [&] { return inner_.GdipSetStringFormatMeasurableCharacterRanges(format, count, ranges); });
  calls_.push_back({"GdipSetStringFormatMeasurableCharacterRanges", args, s});
  return s;
}

Status GdipRecorder::GdipMeasureCharacterRanges(GpGraphics* graphics, const WCHAR* text, INT length, const GpFont* font,
                                                const RectF* layout, const GpStringFormat* format, INT regionCount,
                                                GpRegion** regions) {
  std::string list = "[";
  for (INT i = 0; regions && i < regionCount; ++i) list += (i ? " " : "") + In{*this}(regions[i]);
  const std::string args = Join({In{*this}(graphics), Quoted(text, length), std::to_string(length), In{*this}(font),
                                 In{*this}(layout), In{*this}(format), std::to_string(regionCount), list + "]"});
  const Status s = Pass("GdipMeasureCharacterRanges", [&] {
    return inner_.GdipMeasureCharacterRanges(graphics, text, length, font, layout, format, regionCount, regions);
  });
  calls_.push_back({"GdipMeasureCharacterRanges", args, s});
  return s;
}

Status GdipRecorder::GdipMeasureCaretOffsets(GpGraphics* graphics, const WCHAR* text, INT length, const GpFont* font,
                                             const GpStringFormat* format, REAL* offsets) {
  const std::string args = Join({In{*this}(graphics), Quoted(text, length), std::to_string(length), In{*this}(font),
                                 In{*this}(format)});
  const Status s = Pass("GdipMeasureCaretOffsets",
                        [&] { return inner_.GdipMeasureCaretOffsets(graphics, text, length, font, format, offsets); });
  calls_.push_back({"GdipMeasureCaretOffsets", args, s});
  return s;
}

}  // namespace gdip
