#pragma once
// Text boxes that hold a number: TvgNumberBox, whose value also follows
// mouse drags (one increment per move: up and right raise it, down and left
// lower it) and the Up and Down keys, clamped to Min .. Max; and TvgSpinBox,
// stepped by its style's "minusbutton" and "plusbutton" (repeating every
// 100 ms once held for 500 ms) and by Up and Down, wrapping around at its
// bounds and showing a Postfix after the number.
//
// Numbers are shown and read with the user's decimal separator
// (rtl::FormatSettings()). Setting a value writes the text without the
// change events; Change (Enter, focus loss) formats the text from the value
// and raises OnChange while the box is marked changed.
#include <memory>

#include "ui/controls/vg_custombutton.h"
#include "ui/controls/vg_textbox.h"

namespace vg {

RTL_ENUM(TvgValueType, vgValueInteger, vgValueFloat)

class TvgNumberBox : public TvgCustomTextBox {
  RTL_CLASS(TvgNumberBox, TvgCustomTextBox)

  explicit TvgNumberBox(rtl::TComponent* owner);
  ~TvgNumberBox() override;

  float Value() const { return FValue; }
  // Clamped to Max, then to Min; fires no OnChange.
  void SetValue(float value);
  float Min() const { return FMin; }
  void SetMin(float value) { FMin = value; }
  float Max() const { return FMax; }
  void SetMax(float value) { FMax = value; }
  TvgValueType ValueType() const { return FValueType; }
  void SetValueType(TvgValueType value) { FValueType = value; }
  int DecimalDigits() const { return FDecimalDigits; }
  void SetDecimalDigits(int value) { FDecimalDigits = value; }
  float HorzIncrement() const { return FHorzIncrement; }
  void SetHorzIncrement(float value) { FHorzIncrement = value; }
  float VertIncrement() const { return FVertIncrement; }
  void SetVertIncrement(float value) { FVertIncrement = value; }

  // Reads the text (an unreadable text keeps the value), clamps, shows the
  // value again and raises OnChange while marked changed.
  void Change() override;
  rtl::Variant GetData() override;
  // An event becomes OnChange; anything else a value.
  void SetData(const rtl::Variant& value) override;
  void KeyDown(std::uint16_t& key, char16_t& keyChar, TvgShiftState shift) override;
  void MouseDown(TvgMouseButton button, TvgShiftState shift, float x, float y) override;
  void MouseMove(TvgShiftState shift, float x, float y, float dx, float dy) override;
  void MouseUp(TvgMouseButton button, TvgShiftState shift, float x, float y) override;

 protected:
  // While dragging: a bar at the right edge after a vertical step, at the
  // bottom after a horizontal one.
  void PaintChildren() override;

 private:
  static void Publish(rtl::TPublisher<TvgNumberBox>& p);
  float Clamped(float value) const;

  float FValue = 0;
  float FMin = 0;
  float FMax = 10;
  bool FPressed = false;
  TvgPoint FPressedPos{};
  bool FPressedVert = false;
  float FPressedInc = 0;
  // The held press has stepped the value: its release commits it.
  bool FPressedStepped = false;
  TvgValueType FValueType = vgValueInteger;
  float FHorzIncrement = 1;
  float FVertIncrement = 5;
  int FDecimalDigits = 2;
};

class TvgSpinBox : public TvgCustomTextBox {
  RTL_CLASS(TvgSpinBox, TvgCustomTextBox)

  explicit TvgSpinBox(rtl::TComponent* owner);
  ~TvgSpinBox() override;

  float Value() const { return FValue; }
  // Above Max wraps to Min, below Min to Max; fires no OnChange.
  void SetValue(float value);
  float Min() const { return FMin; }
  void SetMin(float value) { FMin = value; }
  float Max() const { return FMax; }
  void SetMax(float value) { FMax = value; }
  float Increment() const { return FIncrement; }
  void SetIncrement(float value) { FIncrement = value; }
  TvgValueType ValueType() const { return FValueType; }
  // Switching to integers resets a fractional increment to 1.
  void SetValueType(TvgValueType value);
  int DecimalDigits() const { return FDecimalDigits; }
  void SetDecimalDigits(int value) { FDecimalDigits = value; }
  // Shown after the number from the next formatting on.
  const rtl::WideString& Postfix() const { return FPostfix; }
  void SetPostfix(const rtl::WideString& value);

  // Wraps and formats the value (the text is never read), then raises
  // OnChange while marked changed.
  void Change() override;
  rtl::Variant GetData() override;
  void SetData(const rtl::Variant& value) override;
  // Up and Down step the value; no key reaches the text.
  void KeyDown(std::uint16_t& key, char16_t& keyChar, TvgShiftState shift) override;

  // A step down or up that always raises OnChange.
  void DoMinusClick();
  void DoPlusClick();

 protected:
  void ApplyStyle() override;
  void FreeStyle() override;

 private:
  static void Publish(rtl::TPublisher<TvgSpinBox>& p);
  float Wrapped(float value) const;
  rtl::WideString Formatted() const;
  void Step(float delta);
  void BindButton(const char* part, std::intptr_t tag, void (TvgSpinBox::*click)());
  void StartRepeat(rtl::TObject* button);
  void StopRepeat();
  void RepeatTick();

  float FValue = 0;
  float FMin = 0;
  float FMax = 10;
  TvgValueType FValueType = vgValueInteger;
  TvgCustomButton* FMinus = nullptr;
  TvgCustomButton* FPlus = nullptr;
  float FIncrement = 1;
  int FDecimalDigits = 2;
  rtl::WideString FPostfix;
  std::intptr_t FMouseButton = 0;
  std::uint32_t FHeldMs = 0;
  std::unique_ptr<IvgOneShot> FRepeat;
};

class TvgHudNumberBox : public TvgNumberBox {
  RTL_CLASS(TvgHudNumberBox, TvgNumberBox)
  using TvgNumberBox::TvgNumberBox;
};
class TvgHudSpinBox : public TvgSpinBox {
  RTL_CLASS(TvgHudSpinBox, TvgSpinBox)
  using TvgSpinBox::TvgSpinBox;
};

void RegisterNumberBoxClasses();

}  // namespace vg
