#pragma once
// TvgIPhoneButton: a bitmap button whose background colour is a property:
// Background fills the style's "background" part whenever the style is
// applied or the brush changes.
#include "ui/controls/vg_glyphbuttons.h"

namespace vg {

class TvgIPhoneButton : public TvgBitmapButton {
  RTL_CLASS(TvgIPhoneButton, TvgBitmapButton)

  explicit TvgIPhoneButton(rtl::TComponent* owner);
  ~TvgIPhoneButton() override;

  TvgBrush* Background() const { return FBackground.get(); }
  // Copies the brush.
  void SetBackground(const TvgBrush* value) { FBackground->Assign(value); }

 protected:
  void ApplyStyle() override;

 private:
  static void Publish(rtl::TPublisher<TvgIPhoneButton>& p);
  void ShowBackground();

  TvgOwned<TvgBrush> FBackground;
};

}  // namespace vg
