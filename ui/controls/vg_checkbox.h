#pragma once
// Two-state controls and the group box.
//
// TvgCheckBox and TvgRadioButton share their press handling: a left press
// shows the pressed look (trigger "IsPressed"), which follows the pointer
// while the button is held; a release inside, Enter or Space asks for the
// other state. A check box simply flips. A radio button is one of a group
// of radio buttons with the same GroupName anywhere in its scene (the empty
// name is a group too): checking one unchecks the others, and a radio
// button can only become unchecked while another one of its group is
// checked, so a click on a checked one changes nothing.
#include "ui/controls/vg_textcontrol.h"
#include "ui/core/vg_pathdata.h"

namespace vg {

// What check boxes and radio buttons have in common; not a class of its own
// in forms or styles.
class TvgTwoStateControl : public TvgTextControl {
  RTL_CLASS(TvgTwoStateControl, TvgTextControl)

  explicit TvgTwoStateControl(rtl::TComponent* owner);

  bool IsPressed() const { return FIsPressed; }
  bool IsChecked() const { return FIsChecked; }
  virtual void SetIsChecked(bool value) = 0;

  // IsChecked as a Boolean.
  rtl::Variant GetData() override;
  // An event reference becomes OnChange, a Boolean sets IsChecked, anything
  // else unchecks.
  void SetData(const rtl::Variant& value) override;
  void MouseDown(TvgMouseButton button, TvgShiftState shift, float x, float y) override;
  void MouseMove(TvgShiftState shift, float x, float y, float dx, float dy) override;
  void MouseUp(TvgMouseButton button, TvgShiftState shift, float x, float y) override;
  void KeyDown(std::uint16_t& key, char16_t& keyChar, TvgShiftState shift) override;

  rtl::TNotifyEvent OnChange;

 protected:
  void ApplyStyle() override;
  // Stores the state, raises "IsChecked" and OnChange.
  void ChangeChecked(bool value);
  // The flag alone.
  void StoreChecked(bool value) { FIsChecked = value; }

 private:
  static void Publish(rtl::TPublisher<TvgTwoStateControl>& p);

  bool FPressing = false;
  bool FIsPressed = false;
  bool FIsChecked = false;
};

class TvgCheckBox : public TvgTwoStateControl {
  RTL_CLASS(TvgCheckBox, TvgTwoStateControl)

  explicit TvgCheckBox(rtl::TComponent* owner) : TvgTwoStateControl(owner) {}
  void SetIsChecked(bool value) override;
};

class TvgHudCheckBox : public TvgCheckBox {
  RTL_CLASS(TvgHudCheckBox, TvgCheckBox)
  using TvgCheckBox::TvgCheckBox;
};

// A check box whose check mark is a path, handed to the style's
// "checkmark" part (a TvgPath).
class TvgPathCheckBox : public TvgCheckBox {
  RTL_CLASS(TvgPathCheckBox, TvgCheckBox)

  explicit TvgPathCheckBox(rtl::TComponent* owner);
  ~TvgPathCheckBox() override;
  TvgPathData* Path() const { return FPath.get(); }
  void SetPath(const TvgPathData* value) { FPath->Assign(value); }

 protected:
  void ApplyStyle() override;

 private:
  static void Publish(rtl::TPublisher<TvgPathCheckBox>& p);
  TvgOwned<TvgPathData> FPath;
};

class TvgRadioButton : public TvgTwoStateControl {
  RTL_CLASS(TvgRadioButton, TvgTwoStateControl)

  explicit TvgRadioButton(rtl::TComponent* owner) : TvgTwoStateControl(owner) {}
  const std::string& GroupName() const { return FGroupName; }
  void SetGroupName(const std::string& value) { FGroupName = value; }
  void SetIsChecked(bool value) override;

 private:
  static void Publish(rtl::TPublisher<TvgRadioButton>& p);
  // The other radio buttons of the scene with this one's group name.
  std::vector<TvgRadioButton*> GroupMembers();

  std::string FGroupName;
};

class TvgHudRadioButton : public TvgRadioButton {
  RTL_CLASS(TvgHudRadioButton, TvgRadioButton)
  using TvgRadioButton::TvgRadioButton;
};

// A captioned frame around other controls.
class TvgGroupBox : public TvgTextControl {
  RTL_CLASS(TvgGroupBox, TvgTextControl)

  explicit TvgGroupBox(rtl::TComponent* owner);

 private:
  static void Publish(rtl::TPublisher<TvgGroupBox>& p);
};

class TvgHudGroupBox : public TvgGroupBox {
  RTL_CLASS(TvgHudGroupBox, TvgGroupBox)
  using TvgGroupBox::TvgGroupBox;
};

}  // namespace vg
