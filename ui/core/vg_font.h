#pragma once
// TvgFont: family, size (canvas units, pixels at scale 1), style and
// ClearType, with change notification. Streamed values are those that differ
// from "Tahoma", 11, regular and true.
#include "platform/rtl/Persistent.h"
#include "platform/rtl/Types.h"
#include "ui/core/vg_persistent.h"

namespace vg {

// One value, not a set.
enum TvgFontStyle {
  vgFontRegular,
  vgFontBold,
  vgFontItalic,
  vgFontBoldItalic,
  vgFontUnderline,
  vgFontStrikeout
};
RTL_ENUM_NAMES(TvgFontStyle, vgFontRegular, vgFontBold, vgFontItalic, vgFontBoldItalic,
               vgFontUnderline, vgFontStrikeout)

class TvgFont : public rtl::TPersistent {
  RTL_CLASS(TvgFont, rtl::TPersistent)

  TvgFont() = default;

  const rtl::WideString& Family() const { return FFamily; }
  float Size() const { return FSize; }
  TvgFontStyle Style() const { return FStyle; }
  bool ClearType() const { return FClearType; }
  // Each stores a different value and fires OnChanged.
  void SetFamily(const rtl::WideString& family);
  void SetSize(float size);
  void SetStyle(TvgFontStyle style);
  void SetClearType(bool clearType);

  bool FamilyStored() const { return FFamily != u"Tahoma"; }
  bool SizeStored() const { return FSize != 11; }
  bool StyleStored() const { return FStyle != vgFontRegular; }
  bool ClearTypeStored() const { return !FClearType; }

  void Assign(const rtl::TPersistent* source) override;

  TNotifyEvent OnChanged;

 private:
  static void Publish(rtl::TPublisher<TvgFont>& p) {
    p.Property("Family", &TvgFont::Family, &TvgFont::SetFamily).Stored(&TvgFont::FamilyStored);
    p.Property("Size", &TvgFont::Size, &TvgFont::SetSize).Stored(&TvgFont::SizeStored);
    p.Property("Style", &TvgFont::Style, &TvgFont::SetStyle).Stored(&TvgFont::StyleStored);
    p.Property("ClearType", &TvgFont::ClearType, &TvgFont::SetClearType)
        .Stored(&TvgFont::ClearTypeStored);
  }
  template <class T>
  void Set(T& field, const T& value) {
    if (field == value) return;
    field = value;
    Fire(OnChanged, this);
  }

  float FSize = 11;
  rtl::WideString FFamily = u"Tahoma";
  TvgFontStyle FStyle = vgFontRegular;
  bool FClearType = true;
};

}  // namespace vg
