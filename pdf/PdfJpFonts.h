#pragma once
// Composite (Type0) fonts: the base `TPdfType0Font` with its width ranges,
// and the sixteen Japanese fonts "Gothic", "Mincyo", "PGothic", "PMincyo" with
// their ",Bold", ",Italic" and ",BoldItalic" forms (Adobe-Japan1, Shift-JIS
// encodings 90ms-RKSJ-H and 90msp-RKSJ-H). No font file is embedded.
#include <cstdint>
#include <vector>

#include "pdf/PdfDoc.h"

namespace pdf {

// The CID of the character at `index` (from 1) of `s`, or -1 for a position
// that does not start a character.
using TCharToCMap = int (*)(std::u16string_view s, int index);

// The bytes a font writes text as.
using TTextEncoder = std::string (*)(std::u16string_view text);

// The code (its bytes, the first one high) that `encode` writes the character
// at `index` (from 1) of `s` as; -1 for the second half of a surrogate pair.
int CharCodeAt(std::u16string_view s, int index, TTextEncoder encode);

// One width range: CIDs first..last are `width` thousandths wide.
struct TPdfCIDWidthItem {
  std::int32_t FStrCID;
  std::int32_t FEndCID;
  std::uint16_t FWidth;
};

// A row of a code-to-CID table: codes first..last map from `firstCid` on.
struct TPdfCodeRange {
  std::int32_t firstCode;
  std::int32_t lastCode;
  std::int32_t firstCid;
};

class TPdfType0Font : public TPdfFont {
 public:
  using TPdfFont::TPdfFont;
  // Reads "DW" and the "W" array of the descendant font. Raises
  // EPdfInvalidValue for a malformed "W" array.
  void SetData(TPdfDictionary* value) override;
  // The width "W" gives the character's CID, else "DW", as readers draw it;
  // 0 for the second half of a surrogate pair.
  int GetCharWidth(std::u16string_view text, int pos) const override;
  void SetCharToCMap(TCharToCMap func) { charToCMap_ = func; }
  const std::vector<TPdfCIDWidthItem>& WidthRanges() const { return array_; }

 protected:
  // Builds the composite dictionary, its CIDFontType2 descendant (character
  // collection Adobe-`ordering`-2) and the font descriptor, then attaches the
  // composite dictionary. Then adds "Type", "Subtype" /Type0 and `encoding`.
  void CreateComposite(TPdfXref& xref, const char* ordering, const char* encoding);
  // Adds "Flags", "ItalicAngle" and "StemV" to the descriptor.
  virtual void FillDescriptor(TPdfDictionary& descriptor) { (void)descriptor; }
  // Adds "W" to the descendant font.
  virtual void FillWidths(TPdfDictionary& descendant) { (void)descendant; }
  // The base font and font name.
  virtual std::string FontBaseName() const { return {}; }

 private:
  // The width "W" lists for the CID, or -1.
  int FindCIDWidth(int cid) const;
  TCharToCMap charToCMap_ = nullptr;
  std::vector<TPdfCIDWidthItem> array_;
  std::uint16_t dw_ = 0;
};

// Descriptor values of one Japanese font.
struct TPdfJpStyle {
  const char* name;
  std::int32_t flags;
  std::int32_t italicAngle;
  std::int32_t stemV;
};

class TPdfJpFont : public TPdfType0Font {
 public:
  TPdfJpFont(std::string alias, TPdfJpStyle style) : TPdfType0Font(std::move(alias)), style_(style) {}
  // Shift-JIS (CP932).
  std::string EncodeText(std::u16string_view text) const override;

 protected:
  void FillDescriptor(TPdfDictionary& descriptor) override;
  std::string FontBaseName() const override { return style_.name; }

 private:
  TPdfJpStyle style_;
};

// Half-width and full-width characters (90ms-RKSJ-H).
class TPdfJpFixedFont : public TPdfJpFont {
 public:
  using TPdfJpFont::TPdfJpFont;
  void Create(TPdfXref& xref) override;

 protected:
  void FillWidths(TPdfDictionary& descendant) override;
};

// Proportional Latin characters (90msp-RKSJ-H).
class TPdfJpProportionalFont : public TPdfJpFont {
 public:
  using TPdfJpFont::TPdfJpFont;
  void Create(TPdfXref& xref) override;

 protected:
  void FillWidths(TPdfDictionary& descendant) override;
};

#define PDF_JP_FONT(Name, Base)       \
  class Name : public Base {          \
   public:                            \
    explicit Name(std::string alias); \
  };
PDF_JP_FONT(TPdfGothic, TPdfJpFixedFont)
PDF_JP_FONT(TPdfGothicBold, TPdfJpFixedFont)
PDF_JP_FONT(TPdfGothicItalic, TPdfJpFixedFont)
PDF_JP_FONT(TPdfGothicBoldItalic, TPdfJpFixedFont)
PDF_JP_FONT(TPdfMincyo, TPdfJpFixedFont)
PDF_JP_FONT(TPdfMincyoBold, TPdfJpFixedFont)
PDF_JP_FONT(TPdfMincyoItalic, TPdfJpFixedFont)
PDF_JP_FONT(TPdfMincyoBoldItalic, TPdfJpFixedFont)
PDF_JP_FONT(TPdfPGothic, TPdfJpProportionalFont)
PDF_JP_FONT(TPdfPGothicBold, TPdfJpProportionalFont)
PDF_JP_FONT(TPdfPGothicItalic, TPdfJpProportionalFont)
PDF_JP_FONT(TPdfPGothicBoldItalic, TPdfJpProportionalFont)
PDF_JP_FONT(TPdfPMincyo, TPdfJpProportionalFont)
PDF_JP_FONT(TPdfPMincyoBold, TPdfJpProportionalFont)
PDF_JP_FONT(TPdfPMincyoItalic, TPdfJpProportionalFont)
PDF_JP_FONT(TPdfPMincyoBoldItalic, TPdfJpProportionalFont)
#undef PDF_JP_FONT

// The CID of a Shift-JIS code in the fixed-width or proportional table; 0
// when no row holds it.
int FixedCodeToCID(int code);
int ProportionalCodeToCID(int code);
// Code mappings of the Japanese fonts: the character's Shift-JIS code (one or
// two bytes) looked up in the table.
int FixedCharToCID(std::u16string_view s, int index);
int ProportionalCharToCID(std::u16string_view s, int index);

// Registers the sixteen Japanese classes under their aliases.
void RegisterJpFonts();

}  // namespace pdf
