#include "ui/core/vg_font.h"

namespace vg {

void TvgFont::SetFamily(const rtl::WideString& family) { Set(FFamily, family); }
void TvgFont::SetSize(float size) { Set(FSize, size); }
void TvgFont::SetStyle(TvgFontStyle style) { Set(FStyle, style); }
void TvgFont::SetClearType(bool clearType) { Set(FClearType, clearType); }

void TvgFont::Assign(const rtl::TPersistent* source) {
  const auto* other = dynamic_cast<const TvgFont*>(source);
  if (!other) return inherited::Assign(source);
  FFamily = other->FFamily;
  FSize = other->FSize;
  FStyle = other->FStyle;
  FClearType = other->FClearType;
  Fire(OnChanged, this);
}

}  // namespace vg
