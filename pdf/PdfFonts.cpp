#include "pdf/PdfFonts.h"

#include "platform/rtl/TextConvert.h"

namespace pdf {

namespace {

#include "pdf/PdfStandardWidths.inc"

constexpr TPdfWidthTable kCourierWidths = [] {
  TPdfWidthTable widths{};
  widths.fill(600);
  return widths;
}();

constexpr int kFirstChar = 32;
constexpr int kLastChar = 255;

// The characters of the code page's bytes 0x80..0x9F, the only ones that
// differ from their Unicode values; decoded once, as one string.
const std::u16string& AnsiUpperControls() {
  static const std::u16string characters = [] {
    std::string bytes;
    for (int code = 0x80; code < 0xA0; ++code) bytes += static_cast<char>(code);
    return rtl::CodePageToUtf16(bytes, kPdfAnsiCodePage);
  }();
  return characters;
}

// The WinAnsi code the character is written as; one the code page lacks is
// written, and so measured, as "?".
unsigned WinAnsiCode(char16_t unit) {
  if (unit < 0x80 || (unit >= 0xA0 && unit <= 0xFF)) return unit;
  const std::size_t index = unit == 0xFFFD ? std::u16string::npos : AnsiUpperControls().find(unit);
  return index == std::u16string::npos ? '?' : static_cast<unsigned>(0x80 + index);
}

}  // namespace

TPdfType1Font::TPdfType1Font(std::string alias, const char* baseFont, const TPdfWidthTable& widths)
    : TPdfFont(std::move(alias)), baseFont_(baseFont), widths_(widths) {}

void TPdfType1Font::Create(TPdfXref& xref) {
  auto* dictionary = new TPdfDictionary(&xref);
  xref.AddObject(dictionary);
  AddNameEntries(*dictionary, {{"Type", "Font"}, {"Subtype", "Type1"}, {"Encoding", "WinAnsiEncoding"}});
  AddNumberEntries(*dictionary, {{"FirstChar", kFirstChar}, {"LastChar", kLastChar}});
  dictionary->AddNameItem("BaseFont", baseFont_);
  auto* widths = new TPdfArray(&xref);
  for (const auto width : widths_) widths->AddItem(new TPdfNumber(width));
  dictionary->AddInternalItem("Widths", widths);
  SetData(dictionary);
}

void TPdfType1Font::SetData(TPdfDictionary* value) {
  TPdfFont::SetData(value);
  const TPdfNumber* missing = value->PdfNumberByName("MissingWidth");
  array_.fill(static_cast<std::uint16_t>(missing ? missing->Value() : 0));
  firstChar_ = static_cast<std::uint8_t>(value->PdfNumberByName("FirstChar")->Value());
  lastChar_ = static_cast<std::uint8_t>(value->PdfNumberByName("LastChar")->Value());
  const TPdfArray* widths = value->PdfArrayByName("Widths");
  for (int i = 0; widths && i < widths->ItemCount() && firstChar_ + i < 256; ++i) {
    array_[static_cast<size_t>(firstChar_ + i)] =
        static_cast<std::uint16_t>(static_cast<TPdfNumber*>(widths->Items(i))->Value());
  }
}

int TPdfType1Font::GetCharWidth(std::u16string_view text, int pos) const {
  if (IsPairTail(text, pos)) return 0;
  return array_[WinAnsiCode(text[static_cast<size_t>(pos - 1)])];
}

TPdfFixedWidth::TPdfFixedWidth(std::string alias) : TPdfType1Font(std::move(alias), "Courier", kCourierWidths) {}
TPdfFixedWidthBold::TPdfFixedWidthBold(std::string alias)
    : TPdfType1Font(std::move(alias), "Courier-Bold", kCourierWidths) {}
TPdfFixedWidthItalic::TPdfFixedWidthItalic(std::string alias)
    : TPdfType1Font(std::move(alias), "Courier-Oblique", kCourierWidths) {}
TPdfFixedWidthBoldItalic::TPdfFixedWidthBoldItalic(std::string alias)
    : TPdfType1Font(std::move(alias), "Courier-BoldOblique", kCourierWidths) {}
TPdfArial::TPdfArial(std::string alias) : TPdfType1Font(std::move(alias), "Helvetica", kHelveticaWidths) {}
TPdfArialBold::TPdfArialBold(std::string alias)
    : TPdfType1Font(std::move(alias), "Helvetica-Bold", kHelveticaBoldWidths) {}
TPdfArialItalic::TPdfArialItalic(std::string alias)
    : TPdfType1Font(std::move(alias), "Helvetica-Oblique", kHelveticaWidths) {}
TPdfArialBoldItalic::TPdfArialBoldItalic(std::string alias)
    : TPdfType1Font(std::move(alias), "Helvetica-BoldOblique", kHelveticaBoldWidths) {}
TPdfTimesRoman::TPdfTimesRoman(std::string alias) : TPdfType1Font(std::move(alias), "Times-Roman", kTimesRomanWidths) {}
TPdfTimesBold::TPdfTimesBold(std::string alias) : TPdfType1Font(std::move(alias), "Times-Bold", kTimesBoldWidths) {}
TPdfTimesItalic::TPdfTimesItalic(std::string alias)
    : TPdfType1Font(std::move(alias), "Times-Italic", kTimesItalicWidths) {}
TPdfTimesBoldItalic::TPdfTimesBoldItalic(std::string alias)
    : TPdfType1Font(std::move(alias), "Times-BoldItalic", kTimesBoldItalicWidths) {}

void RegisterStandardFonts() {
  RegisterPdfFontClass<TPdfFixedWidth>("FixedWidth");
  RegisterPdfFontClass<TPdfFixedWidthBold>("FixedWidth-Bold");
  RegisterPdfFontClass<TPdfFixedWidthItalic>("FixedWidth-Italic");
  RegisterPdfFontClass<TPdfFixedWidthBoldItalic>("FixedWidth-BoldItalic");
  RegisterPdfFontClass<TPdfArial>("Arial");
  RegisterPdfFontClass<TPdfArialBold>("Arial-Bold");
  RegisterPdfFontClass<TPdfArialItalic>("Arial-Italic");
  RegisterPdfFontClass<TPdfArialBoldItalic>("Arial-BoldItalic");
  RegisterPdfFontClass<TPdfTimesRoman>("Times-Roman");
  RegisterPdfFontClass<TPdfTimesBold>("Times-Bold");
  RegisterPdfFontClass<TPdfTimesItalic>("Times-Italic");
  RegisterPdfFontClass<TPdfTimesBoldItalic>("Times-BoldItalic");
}

}  // namespace pdf
