#include "pdf/PdfJpFonts.h"

#include <algorithm>
#include <array>

#include "platform/rtl/TextConvert.h"

namespace pdf {

namespace {

#include "pdf/PdfJpCidRanges.inc"

// The proportional table differs only in its first row: Latin characters
// from CID 1 instead of the half-width forms from CID 231.
constexpr std::array<TPdfCodeRange, 171> kProportionalCidRanges = [] {
  auto ranges = kFixedCidRanges;
  ranges[0].firstCid = 1;
  return ranges;
}();

int CodeToCID(const std::array<TPdfCodeRange, 171>& ranges, int code) {
  for (const auto& range : ranges) {
    if (code >= range.firstCode && code <= range.lastCode) return range.firstCid + (code - range.firstCode);
  }
  return 0;
}

std::string ShiftJisText(std::u16string_view text) { return rtl::Utf16ToCodePage(text, "CP932"); }

// The proportional Latin widths of CIDs 1..16 are the published metrics; the
// remaining values of the ten runs are approximate (500 for Latin and
// half-width kana, 1000 for full-width forms): no Debian package ships the
// Adobe-Japan1 proportional metrics.
struct TPdfWidthRun {
  int firstCid;
  int count;
  std::uint16_t width;
};
constexpr std::uint16_t kProportionalLatinStart[] = {305, 219, 500, 500, 500, 500, 594, 203,
                                                     305, 305, 500, 500, 203, 500, 203, 500};
constexpr TPdfWidthRun kProportionalRuns[] = {{1, 95, 500},    {326, 64, 500},  {633, 63, 1000}, {771, 8, 1000},
                                              {780, 10, 1000}, {790, 26, 1000}, {816, 26, 1000}, {842, 83, 1000},
                                              {925, 63, 1000}, {988, 23, 1000}};

}  // namespace

// ---- composite font base ----

int CharCodeAt(std::u16string_view s, int index, TTextEncoder encode) {
  if (IsPairTail(s, index)) return -1;
  const auto position = static_cast<size_t>(index - 1);
  const size_t length = rtl::IsHighSurrogate(s[position]) && position + 1 < s.size() ? 2 : 1;
  int code = 0;
  for (const char byte : encode(s.substr(position, length))) code = code * 256 + static_cast<unsigned char>(byte);
  return code;
}

void TPdfType0Font::CreateComposite(TPdfXref& xref, const char* ordering, const char* encoding) {
  const std::string name = FontBaseName();
  auto* composite = new TPdfDictionary(&xref);
  xref.AddObject(composite);
  composite->AddNameItem("BaseFont", name);

  auto* descendant = new TPdfDictionary(&xref);
  xref.AddObject(descendant);
  auto* descendants = new TPdfArray(&xref);
  descendants->AddItem(descendant);
  composite->AddItem("DescendantFonts", descendants);

  AddNameEntries(*descendant, {{"Type", "Font"}, {"Subtype", "CIDFontType2"}, {"WinCharSet", "128"}});
  descendant->AddNameItem("BaseFont", name);
  auto* systemInfo = new TPdfDictionary(&xref);
  systemInfo->AddItem("Registry", new TPdfString(u"Adobe"));
  systemInfo->AddItem("Ordering", new TPdfString(rtl::Utf8ToUtf16(ordering)));
  systemInfo->AddNumberItem("Supplement", 2);
  descendant->AddItem("CIDSystemInfo", systemInfo);
  descendant->AddNumberItem("DW", 1000);
  FillWidths(*descendant);

  auto* descriptor = new TPdfDictionary(&xref);
  xref.AddObject(descriptor);
  descriptor->AddNameItem("Type", "FontDescriptor");
  descriptor->AddNameItem("FontName", name);
  AddNumberEntries(*descriptor, {{"Ascent", 859}, {"CapHeight", 859}, {"Descent", -141}, {"MissingWidth", 500}});
  FillDescriptor(*descriptor);
  descriptor->AddItem("FontBBox", TPdfArray::CreateNumArray(&xref, {0, -141, 1000, 859}));
  descendant->AddItem("FontDescriptor", descriptor);

  SetData(composite);
  AddNameEntries(*composite, {{"Type", "Font"}, {"Subtype", "Type0"}, {"Encoding", encoding}});
}

void TPdfType0Font::SetData(TPdfDictionary* value) {
  TPdfFont::SetData(value);
  const auto* descendant = static_cast<TPdfDictionary*>(value->PdfArrayByName("DescendantFonts")->Items(0));
  dw_ = static_cast<std::uint16_t>(descendant->PdfNumberByName("DW")->Value());

  array_.clear();
  const TPdfArray* widths = descendant->PdfArrayByName("W");
  const int count = widths ? widths->ItemCount() : 0;
  auto number = [&](int index) { return index < count ? dynamic_cast<TPdfNumber*>(widths->Items(index)) : nullptr; };
  for (int i = 0; i < count;) {
    const TPdfNumber* first = number(i);
    if (!first) throw EPdfInvalidValue("invalid W array start pos..");
    if (i == count - 1) break;
    if (const TPdfNumber* last = number(i + 1)) {
      const TPdfNumber* width = number(i + 2);
      if (!width) throw EPdfInvalidValue("invalid W array width value..");
      array_.push_back({first->Value(), last->Value(), static_cast<std::uint16_t>(width->Value())});
      i += 3;
    } else if (const auto* list = dynamic_cast<TPdfArray*>(widths->Items(i + 1))) {
      for (int k = 0; k < list->ItemCount(); ++k) {
        const auto* width = dynamic_cast<TPdfNumber*>(list->Items(k));
        if (!width) throw EPdfInvalidValue("invalid W array value..");
        array_.push_back({first->Value() + k, first->Value() + k, static_cast<std::uint16_t>(width->Value())});
      }
      i += 2;
    } else {
      throw EPdfInvalidValue("invalid W array value..");
    }
  }
}

int TPdfType0Font::FindCIDWidth(int cid) const {
  for (const auto& range : array_) {
    if (range.FEndCID >= cid) return range.FStrCID <= cid ? range.FWidth : -1;
  }
  return -1;
}

int TPdfType0Font::GetCharWidth(std::u16string_view text, int pos) const {
  const int cid = charToCMap_ ? charToCMap_(text, pos) : 0;
  if (cid == -1) return 0;
  const int width = FindCIDWidth(cid);
  return width >= 0 ? width : dw_;
}

// ---- Japanese fonts ----

std::string TPdfJpFont::EncodeText(std::u16string_view text) const { return ShiftJisText(text); }

void TPdfJpFont::FillDescriptor(TPdfDictionary& descriptor) {
  AddNumberEntries(descriptor, {{"Flags", style_.flags}, {"ItalicAngle", style_.italicAngle}, {"StemV", style_.stemV}});
}

void TPdfJpFixedFont::Create(TPdfXref& xref) {
  CreateComposite(xref, "Japan1", "90ms-RKSJ-H");
  SetCharToCMap(FixedCharToCID);
}

void TPdfJpFixedFont::FillWidths(TPdfDictionary& descendant) {
  descendant.AddItem("W", TPdfArray::CreateNumArray(descendant.ObjectMgr(), {231, 631, 500}));
}

void TPdfJpProportionalFont::Create(TPdfXref& xref) {
  CreateComposite(xref, "Japan1", "90msp-RKSJ-H");
  SetCharToCMap(ProportionalCharToCID);
}

void TPdfJpProportionalFont::FillWidths(TPdfDictionary& descendant) {
  auto* widths = new TPdfArray(descendant.ObjectMgr());
  for (const auto& run : kProportionalRuns) {
    widths->AddItem(new TPdfNumber(run.firstCid));
    std::vector<std::int32_t> values(static_cast<size_t>(run.count), run.width);
    if (run.firstCid == 1)
      std::copy(std::begin(kProportionalLatinStart), std::end(kProportionalLatinStart), values.begin());
    widths->AddItem(TPdfArray::CreateNumArray(descendant.ObjectMgr(), values));
  }
  descendant.AddItem("W", widths);
}

TPdfGothic::TPdfGothic(std::string alias) : TPdfJpFixedFont(std::move(alias), {"Gothic", 5, 0, 78}) {}
TPdfGothicBold::TPdfGothicBold(std::string alias)
    : TPdfJpFixedFont(std::move(alias), {"Gothic,Bold", 262149, 0, 156}) {}
TPdfGothicItalic::TPdfGothicItalic(std::string alias)
    : TPdfJpFixedFont(std::move(alias), {"Gothic,Italic", 5, -11, 78}) {}
TPdfGothicBoldItalic::TPdfGothicBoldItalic(std::string alias)
    : TPdfJpFixedFont(std::move(alias), {"Gothic,BoldItalic", 262149, -11, 156}) {}
TPdfMincyo::TPdfMincyo(std::string alias) : TPdfJpFixedFont(std::move(alias), {"Mincyo", 7, 0, 78}) {}
TPdfMincyoBold::TPdfMincyoBold(std::string alias)
    : TPdfJpFixedFont(std::move(alias), {"Mincyo,Bold", 262151, 0, 156}) {}
TPdfMincyoItalic::TPdfMincyoItalic(std::string alias)
    : TPdfJpFixedFont(std::move(alias), {"Mincyo,Italic", 7, -11, 78}) {}
TPdfMincyoBoldItalic::TPdfMincyoBoldItalic(std::string alias)
    : TPdfJpFixedFont(std::move(alias), {"Mincyo,BoldItalic", 262151, -11, 156}) {}
TPdfPGothic::TPdfPGothic(std::string alias) : TPdfJpProportionalFont(std::move(alias), {"PGothic", 4, 0, 78}) {}
TPdfPGothicBold::TPdfPGothicBold(std::string alias)
    : TPdfJpProportionalFont(std::move(alias), {"PGothic,Bold", 262148, 0, 156}) {}
TPdfPGothicItalic::TPdfPGothicItalic(std::string alias)
    : TPdfJpProportionalFont(std::move(alias), {"PGothic,Italic", 4, -11, 78}) {}
TPdfPGothicBoldItalic::TPdfPGothicBoldItalic(std::string alias)
    : TPdfJpProportionalFont(std::move(alias), {"PGothic,BoldItalic", 262148, -11, 156}) {}
TPdfPMincyo::TPdfPMincyo(std::string alias) : TPdfJpProportionalFont(std::move(alias), {"PMincyo", 6, 0, 78}) {}
TPdfPMincyoBold::TPdfPMincyoBold(std::string alias)
    : TPdfJpProportionalFont(std::move(alias), {"PMincyo,Bold", 262150, 0, 156}) {}
TPdfPMincyoItalic::TPdfPMincyoItalic(std::string alias)
    : TPdfJpProportionalFont(std::move(alias), {"PMincyo,Italic", 6, -11, 78}) {}
TPdfPMincyoBoldItalic::TPdfPMincyoBoldItalic(std::string alias)
    : TPdfJpProportionalFont(std::move(alias), {"PMincyo,BoldItalic", 262150, -11, 156}) {}

int FixedCodeToCID(int code) { return CodeToCID(kFixedCidRanges, code); }
int ProportionalCodeToCID(int code) { return CodeToCID(kProportionalCidRanges, code); }

int FixedCharToCID(std::u16string_view s, int index) {
  const int code = CharCodeAt(s, index, ShiftJisText);
  return code < 0 ? -1 : FixedCodeToCID(code);
}

int ProportionalCharToCID(std::u16string_view s, int index) {
  const int code = CharCodeAt(s, index, ShiftJisText);
  return code < 0 ? -1 : ProportionalCodeToCID(code);
}

void RegisterJpFonts() {
  RegisterPdfFontClass<TPdfGothic>("Gothic");
  RegisterPdfFontClass<TPdfGothicBold>("Gothic,Bold");
  RegisterPdfFontClass<TPdfGothicItalic>("Gothic,Italic");
  RegisterPdfFontClass<TPdfGothicBoldItalic>("Gothic,BoldItalic");
  RegisterPdfFontClass<TPdfMincyo>("Mincyo");
  RegisterPdfFontClass<TPdfMincyoBold>("Mincyo,Bold");
  RegisterPdfFontClass<TPdfMincyoItalic>("Mincyo,Italic");
  RegisterPdfFontClass<TPdfMincyoBoldItalic>("Mincyo,BoldItalic");
  RegisterPdfFontClass<TPdfPGothic>("PGothic");
  RegisterPdfFontClass<TPdfPGothicBold>("PGothic,Bold");
  RegisterPdfFontClass<TPdfPGothicItalic>("PGothic,Italic");
  RegisterPdfFontClass<TPdfPGothicBoldItalic>("PGothic,BoldItalic");
  RegisterPdfFontClass<TPdfPMincyo>("PMincyo");
  RegisterPdfFontClass<TPdfPMincyoBold>("PMincyo,Bold");
  RegisterPdfFontClass<TPdfPMincyoItalic>("PMincyo,Italic");
  RegisterPdfFontClass<TPdfPMincyoBoldItalic>("PMincyo,BoldItalic");
}

}  // namespace pdf
