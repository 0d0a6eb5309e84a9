#include "ui/controls/vg_numberbox.h"

#include <cmath>
#include <cstdlib>

#include "platform/rtl/ClassRegistry.h"
#include "platform/rtl/NumberText.h"
#include "platform/rtl/Rounding.h"
#include "platform/rtl/TextConvert.h"
#include "ui/core/vg_keys.h"

namespace vg {
namespace {

constexpr const char16_t* kNumberChars = u"0123456789.,-+";
constexpr std::uint32_t kRepeatMs = 100;
constexpr std::uint32_t kRepeatDelayMs = 500;
constexpr TvgColor kDragBarColor = 0xAA505050;
// Single-precision values hold about seven significant digits; more would
// show the binary noise of the conversion (2.1 as 2.09999990463257).
constexpr int kSingleDigits = 7;

bool HasFraction(float value) { return value != std::trunc(value); }

rtl::WideString IntegerText(float value) { return rtl::Utf8ToUtf16(rtl::IntToStr(rtl::Trunc(value))); }

}  // namespace

// ----- number box

TvgNumberBox::TvgNumberBox(rtl::TComponent* owner) : TvgCustomTextBox(owner) {
  SetFilterChar(kNumberChars);
  StoreText(u"0");
  SetAutoCapture(true);
}

TvgNumberBox::~TvgNumberBox() = default;

void TvgNumberBox::Publish(rtl::TPublisher<TvgNumberBox>& p) {
  using T = TvgNumberBox;
  p.Property("DecimalDigits", &T::DecimalDigits, &T::SetDecimalDigits).Default(2);
  p.Property("Min", &T::Min, &T::SetMin);
  p.Property("Max", &T::Max, &T::SetMax);
  p.Property("ShowCaret", &T::ShowCaret, &T::SetShowCaret).Default(true);
  p.Property("Value", &T::Value, &T::SetValue);
  p.Property("ValueType", &T::ValueType, &T::SetValueType).Default(vgValueInteger);
  p.Property("HorzIncrement", &T::HorzIncrement, &T::SetHorzIncrement);
  p.Property("VertIncrement", &T::VertIncrement, &T::SetVertIncrement);
}

float TvgNumberBox::Clamped(float value) const {
  if (value > FMax) value = FMax;
  if (value < FMin) value = FMin;
  return value;
}

void TvgNumberBox::SetValue(float value) {
  if (value == FValue) return;
  FValue = Clamped(value);
  if (HasFraction(FValue) && FValueType == vgValueFloat)
    StoreText(rtl::Utf8ToUtf16(
        rtl::FloatToStrF(FValue, rtl::ffFixed, 15, std::clamp(FDecimalDigits, 0, 18), rtl::FormatSettings())));
  else
    StoreText(IntegerText(FValue));
}

void TvgNumberBox::Change() {
  double typed = 0;
  if (rtl::TryStrToFloat(rtl::Utf16ToUtf8(Text()), typed, rtl::FormatSettings()))
    FValue = Clamped(static_cast<float>(typed));
  const bool wholeSelected = GetSelLength() > 0 && GetSelLength() == static_cast<int>(Text().size());
  if (HasFraction(FValue) && FValueType == vgValueFloat)
    StoreText(rtl::Utf8ToUtf16(rtl::FloatToStrF(FValue, rtl::ffGeneral, kSingleDigits, 0, rtl::FormatSettings())));
  else
    StoreText(IntegerText(FValue));
  if (wholeSelected) SelectAll();
  inherited::Change();
}

rtl::Variant TvgNumberBox::GetData() { return rtl::Variant(double(FValue)); }

void TvgNumberBox::SetData(const rtl::Variant& value) {
  if (value.VarType() == rtl::varEvent)
    OnChange = value.AsEvent();
  else
    SetValue(static_cast<float>(value.AsFloat()));
}

void TvgNumberBox::KeyDown(std::uint16_t& key, char16_t& keyChar, TvgShiftState shift) {
  if (key == kKeyUp || key == kKeyDown) {
    SetValue(FValue + (key == kKeyUp ? FHorzIncrement : -FHorzIncrement));
    key = 0;
    return;
  }
  inherited::KeyDown(key, keyChar, shift);
}

void TvgNumberBox::MouseDown(TvgMouseButton button, TvgShiftState shift, float x, float y) {
  inherited::MouseDown(button, shift, x, y);
  if (button != vgMouseLeft) return;
  FPressed = true;
  FPressedPos = {x, y};
  FPressedVert = false;
  FPressedInc = 0;
  FPressedStepped = false;
}

void TvgNumberBox::MouseMove(TvgShiftState shift, float x, float y, float dx, float dy) {
  inherited::MouseMove(shift, x, y, dx, dy);
  if (!FPressed) return;
  const float offsetX = x - FPressedPos.X;
  const float offsetY = y - FPressedPos.Y;
  FPressedVert = std::abs(offsetY) > std::abs(offsetX);
  if (FPressedVert)
    SetValue(FValue + (offsetY >= 0 ? -FVertIncrement : FVertIncrement));
  else
    SetValue(FValue + (offsetX > 0 ? FHorzIncrement : -FHorzIncrement));
  FPressedInc = offsetX;
  FPressedStepped = true;
  SetNeedChange(true);
  FPressedPos = {x, y};
}

void TvgNumberBox::MouseUp(TvgMouseButton button, TvgShiftState shift, float x, float y) {
  inherited::MouseUp(button, shift, x, y);
  if (!FPressed) return;
  FPressed = false;
  if (FPressedStepped) Change();
  Repaint();
}

void TvgNumberBox::PaintChildren() {
  if (!FPressed) {
    inherited::PaintChildren();
    return;
  }
  SetDisableCaret(true);
  inherited::PaintChildren();
  SetDisableCaret(false);
  TvgCanvas* canvas = GetCanvas();
  if (!canvas) return;
  TvgSavedCanvasState saved(*canvas);
  canvas->SetMatrix(GetAbsoluteMatrix());
  canvas->Fill()->SetStyle(vgBrushSolid);
  canvas->Fill()->SetSolidColor(kDragBarColor);
  TvgRect bar = GetLocalRect();
  vgInflateRect(bar, -1, -1);
  if (FPressedVert)
    bar.Left = bar.Right - 5;
  else
    bar.Top = bar.Bottom - 5;
  canvas->FillRect(bar, 1, 1, AllCorners, GetAbsoluteOpacity());
}

// ----- spin box

TvgSpinBox::TvgSpinBox(rtl::TComponent* owner) : TvgCustomTextBox(owner) {
  SetFilterChar(kNumberChars);
  SetTextAlign(vgTextAlignCenter);
  StoreText(u"0");
}

TvgSpinBox::~TvgSpinBox() = default;

void TvgSpinBox::Publish(rtl::TPublisher<TvgSpinBox>& p) {
  using T = TvgSpinBox;
  p.Property("DecimalDigits", &T::DecimalDigits, &T::SetDecimalDigits).Default(2);
  p.Property("Min", &T::Min, &T::SetMin);
  p.Property("Max", &T::Max, &T::SetMax);
  p.Property("Increment", &T::Increment, &T::SetIncrement);
  p.Property("ShowCaret", &T::ShowCaret, &T::SetShowCaret).Default(true);
  p.Property("Value", &T::Value, &T::SetValue);
  p.Property("ValueType", &T::ValueType, &T::SetValueType).Default(vgValueInteger);
  p.Property("TextAlign", &T::TextAlign, &T::SetTextAlign).Default(vgTextAlignCenter);
  p.Property("Postfix", &T::Postfix, &T::SetPostfix);
}

float TvgSpinBox::Wrapped(float value) const {
  if (value > FMax) value = FMin;
  if (value < FMin) value = FMax;
  return value;
}

rtl::WideString TvgSpinBox::Formatted() const {
  const rtl::WideString number =
      FValueType == vgValueFloat
          ? rtl::Utf8ToUtf16(
                rtl::FloatToStrF(FValue, rtl::ffFixed, 12, std::clamp(FDecimalDigits, 0, 18), rtl::FormatSettings()))
          : IntegerText(FValue);
  return number + FPostfix;
}

void TvgSpinBox::SetValue(float value) {
  if (value == FValue) return;
  FValue = Wrapped(value);
  StoreText(Formatted());
}

void TvgSpinBox::SetValueType(TvgValueType value) {
  if (value == FValueType) return;
  FValueType = value;
  if (FValueType == vgValueInteger && HasFraction(FIncrement)) FIncrement = 1;
}

void TvgSpinBox::SetPostfix(const rtl::WideString& value) {
  FPostfix = value;
  Repaint();
}

void TvgSpinBox::Change() {
  FValue = Wrapped(FValue);
  StoreText(Formatted());
  inherited::Change();
}

rtl::Variant TvgSpinBox::GetData() { return rtl::Variant(double(FValue)); }

void TvgSpinBox::SetData(const rtl::Variant& value) {
  if (value.VarType() == rtl::varEvent)
    OnChange = value.AsEvent();
  else
    SetValue(static_cast<float>(value.AsFloat()));
}

void TvgSpinBox::KeyDown(std::uint16_t& key, char16_t& keyChar, TvgShiftState shift) {
  TvgControl::KeyDown(key, keyChar, shift);
  if (key == kKeyUp || key == kKeyDown) SetValue(FValue + (key == kKeyUp ? FIncrement : -FIncrement));
  key = 0;
  keyChar = 0;
}

void TvgSpinBox::Step(float delta) {
  SetFocus();
  FValue += delta;
  SetNeedChange(true);
  Change();
}

void TvgSpinBox::DoMinusClick() { Step(-FIncrement); }
void TvgSpinBox::DoPlusClick() { Step(FIncrement); }

void TvgSpinBox::BindButton(const char* part, std::intptr_t tag, void (TvgSpinBox::*click)()) {
  auto* button = dynamic_cast<TvgCustomButton*>(FindResource(part));
  (tag == 1 ? FMinus : FPlus) = button;
  if (!button) return;
  button->SetTag(tag);
  button->OnClick = [this, click](rtl::TObject*) { (this->*click)(); };
  button->OnMouseDown = [this](rtl::TObject* sender, TvgMouseButton, TvgShiftState, float, float) {
    StartRepeat(sender);
  };
  button->OnMouseUp = [this](rtl::TObject*, TvgMouseButton, TvgShiftState, float, float) { StopRepeat(); };
  button->OnMouseLeave = [this](rtl::TObject*) { StopRepeat(); };
}

void TvgSpinBox::ApplyStyle() {
  inherited::ApplyStyle();
  BindButton("minusbutton", 1, &TvgSpinBox::DoMinusClick);
  BindButton("plusbutton", 2, &TvgSpinBox::DoPlusClick);
}

void TvgSpinBox::FreeStyle() {
  inherited::FreeStyle();
  StopRepeat();
  FMinus = nullptr;
  FPlus = nullptr;
}

// Held buttons: nothing for the first 500 ms, then a step every 100 ms.
void TvgSpinBox::StartRepeat(rtl::TObject* button) {
  auto* component = dynamic_cast<rtl::TComponent*>(button);
  FMouseButton = component ? component->Tag() : 0;
  FHeldMs = 0;
  FRepeat = vgStartOneShot(kRepeatMs, [this] { RepeatTick(); });
}

void TvgSpinBox::StopRepeat() { FRepeat.reset(); }

void TvgSpinBox::RepeatTick() {
  FHeldMs += kRepeatMs;
  FRepeat = vgStartOneShot(kRepeatMs, [this] { RepeatTick(); });
  if (FHeldMs <= kRepeatDelayMs) return;
  if (FMouseButton == 1)
    DoMinusClick();
  else
    DoPlusClick();
}

void RegisterNumberBoxClasses() {
  static bool registered = false;
  if (registered) return;
  registered = true;
  rtl::RegisterClasses<TvgCustomButton, TvgNumberBox, TvgSpinBox, TvgHudNumberBox, TvgHudSpinBox>();
}

}  // namespace vg
