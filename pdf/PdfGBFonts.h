#pragma once
// The Chinese composite font "Chinese": a Type0 font over a CIDFontType2
// descendant (Adobe-GB1-2, GB-EUC-H encoding). Text shown in it is written in
// GBK; no font file is embedded.
#include "pdf/PdfJpFonts.h"

namespace pdf {

class TPdfGBFont : public TPdfType0Font {
 public:
  using TPdfType0Font::TPdfType0Font;
  const char* CodePage() const override { return "GBK"; }
};

// Fixed-width GB font: GB-EUC-H encoding, half-width ranges, code mapping.
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

// -1 for the second half of a surrogate pair, else 0.
int GBCharToCID(std::u16string_view s, int index);

// Registers "Chinese".
void RegisterGBFonts();

}  // namespace pdf
