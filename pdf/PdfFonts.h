#pragma once
// The twelve standard Type1 fonts (no embedding, WinAnsi encoding), found by
// alias: "FixedWidth" (Courier), "Arial" (Helvetica), "Times-Roman" and their
// bold, italic and bold-italic forms.
#include <array>
#include <cstdint>

#include "pdf/PdfDoc.h"

namespace pdf {

// Widths of the codes 32..255 in thousandths of the font size.
using TPdfWidthTable = std::array<std::uint16_t, 224>;

class TPdfType1Font : public TPdfFont {
 public:
  // `baseFont` and `widths` are static data the font refers to, not copies.
  TPdfType1Font(std::string alias, const char* baseFont, const TPdfWidthTable& widths);
  // Registers the font dictionary (Type, Subtype, Encoding, FirstChar,
  // LastChar, BaseFont; "Widths" kept internal) and attaches it.
  void Create(TPdfXref& xref) override;
  // Reads the widths back from the dictionary.
  void SetData(TPdfDictionary* value) override;
  // The width of the character's WinAnsi code; 0 for codes without a glyph.
  // A character WinAnsi lacks, a surrogate pair too, measures as one "?".
  int GetCharWidth(std::u16string_view text, int pos) const override;

 private:
  const char* baseFont_;
  const TPdfWidthTable& widths_;
  std::uint8_t firstChar_ = 0;
  std::uint8_t lastChar_ = 0;
  std::array<std::uint16_t, 256> array_{};
};

#define PDF_TYPE1_FONT(Name)          \
  class Name : public TPdfType1Font { \
   public:                            \
    explicit Name(std::string alias); \
  };
PDF_TYPE1_FONT(TPdfFixedWidth)
PDF_TYPE1_FONT(TPdfFixedWidthBold)
PDF_TYPE1_FONT(TPdfFixedWidthItalic)
PDF_TYPE1_FONT(TPdfFixedWidthBoldItalic)
PDF_TYPE1_FONT(TPdfArial)
PDF_TYPE1_FONT(TPdfArialBold)
PDF_TYPE1_FONT(TPdfArialItalic)
PDF_TYPE1_FONT(TPdfArialBoldItalic)
PDF_TYPE1_FONT(TPdfTimesRoman)
PDF_TYPE1_FONT(TPdfTimesBold)
PDF_TYPE1_FONT(TPdfTimesItalic)
PDF_TYPE1_FONT(TPdfTimesBoldItalic)
#undef PDF_TYPE1_FONT

// Registers the twelve classes under their aliases.
void RegisterStandardFonts();

}  // namespace pdf
