#include "ui/controls/vg_checkbox.h"

#include <algorithm>

namespace vg {

namespace {

constexpr const char* kCheckMarkPath =
    "M 341.236,311.738 L 309.372,342.676 L 291.667,325.488 L 291.667,304.863 L 309.372,321.997 L 341.236,291.113 Z";

}  // namespace

// ----- TvgTwoStateControl

TvgTwoStateControl::TvgTwoStateControl(rtl::TComponent* owner) : TvgTextControl(owner) {
  FAutoTranslate = true;
  SetAutoCapture(true);
  FCanFocused = true;
  SetTextAlign(vgTextAlignNear);
  SetWidth(120);
  SetHeight(19);
}

void TvgTwoStateControl::Publish(rtl::TPublisher<TvgTwoStateControl>& p) {
  using T = TvgTwoStateControl;
  p.Property("IsPressed", &T::IsPressed).RunTimeOnly();
  p.Property("IsChecked", &T::IsChecked, &T::SetIsChecked).Default(false);
  p.Property("AutoTranslate", &T::AutoTranslate, &T::SetAutoTranslate).Default(true);
  p.Property("BindingSource", &T::BindingSource, &T::SetBindingSource);
  p.Property("CanFocused", &T::CanFocused, &T::SetCanFocused).Default(true);
  p.Property("DisableFocusEffect", &T::DisableFocusEffect, &T::SetDisableFocusEffect).Default(false);
  p.Property("Font", &T::Font, &T::SetFont);
  p.Property("TextAlign", &T::TextAlign, &T::SetTextAlign).Default(vgTextAlignNear);
  p.Property("Text", &T::Text, &T::SetText);
  p.Property("WordWrap", &T::WordWrap, &T::SetWordWrap).Default(false);
  p.Property("OnChange", &T::OnChange);
}

void TvgTwoStateControl::ChangeChecked(bool value) {
  FIsChecked = value;
  RaiseTrigger("IsChecked");
  OnChange(this);
}

rtl::Variant TvgTwoStateControl::GetData() { return rtl::Variant(FIsChecked); }

void TvgTwoStateControl::SetData(const rtl::Variant& value) {
  if (VarIsEvent(value))
    OnChange = VariantToEvent(value);
  else
    SetIsChecked(value.VarType() == rtl::varBoolean && value.AsBoolean());
}

void TvgTwoStateControl::MouseDown(TvgMouseButton button, TvgShiftState shift, float x, float y) {
  inherited::MouseDown(button, shift, x, y);
  if (button != vgMouseLeft) return;
  FPressing = true;
  FIsPressed = true;
  RaiseTrigger("IsPressed");
}

void TvgTwoStateControl::MouseMove(TvgShiftState shift, float x, float y, float dx, float dy) {
  inherited::MouseMove(shift, x, y, dx, dy);
  if (!(shift & vgLeftButton) || !FPressing) return;
  const bool inside = vgPtInRect({x, y}, GetLocalRect());
  if (inside == FIsPressed) return;
  FIsPressed = inside;
  RaiseTrigger("IsPressed");
}

void TvgTwoStateControl::MouseUp(TvgMouseButton button, TvgShiftState shift, float x, float y) {
  inherited::MouseUp(button, shift, x, y);
  if (!FPressing || button != vgMouseLeft) return;
  FPressing = false;
  FIsPressed = false;
  if (vgPtInRect({x, y}, GetLocalRect())) SetIsChecked(!FIsChecked);
}

void TvgTwoStateControl::KeyDown(std::uint16_t& key, char16_t& keyChar, TvgShiftState shift) {
  inherited::KeyDown(key, keyChar, shift);
  if (key == vgKeyReturn || key == vgKeySpace) SetIsChecked(!FIsChecked);
}

void TvgTwoStateControl::ApplyStyle() {
  inherited::ApplyStyle();
  RaiseTrigger("IsChecked");
}

// ----- TvgCheckBox

void TvgCheckBox::SetIsChecked(bool value) {
  if (value != IsChecked()) ChangeChecked(value);
}

// ----- TvgPathCheckBox

TvgPathCheckBox::TvgPathCheckBox(rtl::TComponent* owner) : TvgCheckBox(owner), FPath(new TvgPathData) {
  FPath->SetPathString(kCheckMarkPath);
  FPath->OnChanged = [this](rtl::TObject*) { ApplyStyle(); };
}

TvgPathCheckBox::~TvgPathCheckBox() { TearDown(); }

void TvgPathCheckBox::Publish(rtl::TPublisher<TvgPathCheckBox>& p) {
  p.Property("Path", &TvgPathCheckBox::Path, &TvgPathCheckBox::SetPath);
}

void TvgPathCheckBox::ApplyStyle() {
  inherited::ApplyStyle();
  if (auto* mark = dynamic_cast<TvgPath*>(FindResource("checkmark"))) mark->SetPathData(FPath.get());
}

// ----- TvgRadioButton

void TvgRadioButton::Publish(rtl::TPublisher<TvgRadioButton>& p) {
  p.Property("GroupName", &TvgRadioButton::GroupName, &TvgRadioButton::SetGroupName);
}

std::vector<TvgRadioButton*> TvgRadioButton::GroupMembers() {
  std::vector<TvgRadioButton*> members;
  IvgScene* scene = GetScene();
  TvgObject* root = scene ? scene->GetRoot() : nullptr;
  if (!root) return members;
  std::vector<TvgObject*> nodes;
  root->AddObjectsToList(nodes);
  for (TvgObject* node : nodes) {
    auto* radio = dynamic_cast<TvgRadioButton*>(node);
    if (radio && radio != this && radio->FGroupName == FGroupName) members.push_back(radio);
  }
  return members;
}

void TvgRadioButton::SetIsChecked(bool value) {
  if (value == IsChecked()) return;
  if (value) StoreChecked(true);  // the members see this one checked while they uncheck
  const std::vector<TvgRadioButton*> members = GroupMembers();
  const bool anotherChecked =
      std::any_of(members.begin(), members.end(), [](TvgRadioButton* member) { return member->IsChecked(); });
  if (value)
    for (TvgRadioButton* member : members) member->SetIsChecked(false);
  else if (!anotherChecked)
    return;  // the last checked button of a group stays checked
  ChangeChecked(value);
}

// ----- TvgGroupBox

TvgGroupBox::TvgGroupBox(rtl::TComponent* owner) : TvgTextControl(owner) {
  FAutoTranslate = true;
  FCanFocused = false;
  SetWidth(120);
  SetHeight(100);
}

void TvgGroupBox::Publish(rtl::TPublisher<TvgGroupBox>& p) {
  using T = TvgGroupBox;
  p.Property("AutoTranslate", &T::AutoTranslate, &T::SetAutoTranslate).Default(true);
  p.Property("Font", &T::Font, &T::SetFont);
  p.Property("TextAlign", &T::TextAlign, &T::SetTextAlign).Default(vgTextAlignCenter);
  p.Property("Text", &T::Text, &T::SetText);
}

}  // namespace vg
