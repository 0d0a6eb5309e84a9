#pragma once
// The Chinese composite font "Chinese": a Type0 font over a CIDFontType2
// descendant (Adobe-GB1-2, GBK-EUC-H encoding). Text shown in it is written in
// GBK, so simplified and traditional characters alike are drawn; no font file
// is embedded.
#include "pdf/PdfJpFonts.h"

namespace pdf {

class TPdfGBFont : public TPdfType0Font {
 public:
  using TPdfType0Font::TPdfType0Font;
  // GBK bytes; the lone byte 0x80 (the euro sign), which GBK-EUC-H maps to
  // no glyph, becomes "?" like every character GBK cannot hold.
  std::string EncodeText(std::u16string_view text) const override;
};

// Fixed-width GB font: GBK-EUC-H encoding, half-width ASCII, code mapping.
class TPdfGBFixedFont : public TPdfGBFont {
 public:
  using TPdfGBFont::TPdfGBFont;
  void Create(TPdfXref& xref) override;

 protected:
  void FillWidths(TPdfDictionary& descendant) override;
};

class TPdfChinese : public TPdfGBFixedFont {
 public:
  using TPdfGBFixedFont::TPdfGBFixedFont;

 protected:
  void FillDescriptor(TPdfDictionary& descriptor) override;
  std::string FontBaseName() const override { return "Chinese"; }
};

// The CID GBK-EUC-H gives a GBK code (one or two bytes); 0 when no row holds
// it.
int GBKCodeToCID(int code);
// The CID of the character at `index` (from 1) as the Chinese font writes it;
// -1 for the second half of a surrogate pair.
int GBCharToCID(std::u16string_view s, int index);

// Registers "Chinese".
void RegisterGBFonts();

}  // namespace pdf
