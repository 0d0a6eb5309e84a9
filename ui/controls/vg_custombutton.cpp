#include "ui/controls/vg_custombutton.h"

#include "ui/controls/vg_services.h"

namespace vg {

TvgCustomButton::TvgCustomButton(rtl::TComponent* owner) : TvgTextControl(owner) {
  FAutoTranslate = true;
  SetWidth(80);
  SetHeight(22);
  SetAutoCapture(true);
  FCanFocused = true;
}

TvgCustomButton::~TvgCustomButton() { TearDown(); }

void TvgCustomButton::Publish(rtl::TPublisher<TvgCustomButton>& p) {
  using T = TvgCustomButton;
  p.Property("AutoTranslate", &T::AutoTranslate, &T::SetAutoTranslate).Default(true);
  p.Property("StaysPressed", &T::StaysPressed, &T::SetStaysPressed).Default(false);
  p.Property("IsPressed", &T::IsPressed, &T::SetIsPressed).Default(false);
  p.Property("CanFocused", &T::CanFocused, &T::SetCanFocused).Default(true);
  p.Property("DisableFocusEffect", &T::DisableFocusEffect, &T::SetDisableFocusEffect).Default(false);
  p.Property("Font", &T::Font, &T::SetFont);
  p.Property("ModalResult", &T::ModalResult, &T::SetModalResult).Default(0);
  p.Property("TextAlign", &T::TextAlign, &T::SetTextAlign).Default(vgTextAlignCenter);
  p.Property("Text", &T::Text, &T::SetText);
  p.Property("RepeatClick", &T::RepeatClick, &T::SetRepeatClick).Default(false);
  p.Property("WordWrap", &T::WordWrap, &T::SetWordWrap).Default(false);
}

void TvgCustomButton::ShowPressed(bool value) {
  FIsPressed = value;
  RaiseTrigger("IsPressed");
}

void TvgCustomButton::SetIsPressed(bool value) {
  if (FStaysPressed && value != FIsPressed) ShowPressed(value);
}

void TvgCustomButton::SetData(const rtl::Variant& value) {
  if (VarIsEvent(value)) OnClick = VariantToEvent(value);
}

void TvgCustomButton::Click() {
  if (FModalResult != 0 && GetScene()) vgSetOwnerFormModalResult(GetScene()->GetComponent(), FModalResult);
  inherited::Click();
}

void TvgCustomButton::DblClick() {
  inherited::DblClick();
  Click();
}

void TvgCustomButton::ArmRepeat(std::uint32_t milliseconds) {
  // The first shot only ends the delay; every later one clicks.
  const bool clicks = milliseconds == RepeatInterval;
  FRepeatTimer = vgStartOneShot(milliseconds, [this, clicks] {
    // Re-arming frees this handler: work on copies of what it holds.
    TvgCustomButton* const button = this;
    const bool click = clicks;
    button->ArmRepeat(RepeatInterval);
    if (click) button->Click();
  });
}

void TvgCustomButton::MouseDown(TvgMouseButton button, TvgShiftState shift, float x, float y) {
  inherited::MouseDown(button, shift, x, y);
  if (button != vgMouseLeft) return;
  FPressing = true;
  if (FStaysPressed) {
    ShowPressed(!FIsPressed);
    return;
  }
  if (FRepeat) ArmRepeat(RepeatDelay);
  ShowPressed(true);
}

void TvgCustomButton::MouseMove(TvgShiftState shift, float x, float y, float dx, float dy) {
  inherited::MouseMove(shift, x, y, dx, dy);
  if (!(shift & vgLeftButton) || !FPressing || FStaysPressed) return;
  const bool inside = vgPtInRect({x, y}, GetLocalRect());
  if (inside != FIsPressed) ShowPressed(inside);
}

void TvgCustomButton::MouseUp(TvgMouseButton button, TvgShiftState shift, float x, float y) {
  if (FPressing && button == vgMouseLeft) {
    FRepeatTimer.reset();
    FPressing = false;
    if (!FStaysPressed) ShowPressed(false);
  }
  inherited::MouseUp(button, shift, x, y);
}

void TvgCustomButton::KeyDown(std::uint16_t& key, char16_t& keyChar, TvgShiftState shift) {
  inherited::KeyDown(key, keyChar, shift);
  if (key == vgKeyReturn || key == vgKeySpace) Click();
}

void TvgCustomButton::ApplyStyle() {
  inherited::ApplyStyle();
  RaiseTrigger("IsPressed");
}

}  // namespace vg
