#pragma once
// Compound controls: a caption label on the left (TextLabel, 70 wide) and
// one editor beside it, as one control.
//
// The label and the editor are parts of the control: created by its
// constructor, locked, never stored as children, and published as
// sub-components, so a form keeps their settings as nested properties
// ("TextLabel.Text", "TextBox.Width"). Editors that sit in a container are
// children of an unnamed plain control filling the rest of the compound.
// OnChange passes the editor's change on, with the editor as sender.
#include "ui/controls/vg_anglebutton.h"
#include "ui/controls/vg_colorbutton.h"
#include "ui/controls/vg_imagecontrol.h"
#include "ui/controls/vg_memo.h"
#include "ui/controls/vg_numberbox.h"
#include "ui/controls/vg_popupbox.h"
#include "ui/controls/vg_textbox.h"
#include "ui/controls/vg_textcontrol.h"
#include "ui/controls/vg_track.h"

namespace vg {

// What the compound controls have in common; not a class of its own in
// forms or styles.
class TvgCompoundControl : public TvgControl {
  RTL_CLASS(TvgCompoundControl, TvgControl)

  TvgLabel* TextLabel() const { return FTextLabel; }

  rtl::TNotifyEvent OnChange;

 protected:
  TvgCompoundControl(rtl::TComponent* owner, float width, float height);

  // A new part of class T: a locked, unstored child of `parent`, aligned
  // `align`; a named part is a sub-component.
  template <class T>
  T* AddPart(TvgVisualObject* parent, const char* name, TvgAlign align) {
    auto* part = new T(nullptr);
    MakePart(*part, parent, name, align);
    return part;
  }
  // An unnamed plain control holding an editor.
  TvgControl* AddContainer(TvgAlign align) { return AddPart<TvgControl>(this, "", align); }
  // Passes an editor's change on as OnChange.
  void PassChange(rtl::TObject* sender) { OnChange(sender); }

 private:
  static void Publish(rtl::TPublisher<TvgCompoundControl>& p);
  void MakePart(TvgVisualObject& part, TvgVisualObject* parent, const char* name, TvgAlign align);

  TvgLabel* FTextLabel = nullptr;
};

// A track bar with a label showing its value.
class TvgCompoundTrackBar : public TvgCompoundControl {
  RTL_CLASS(TvgCompoundTrackBar, TvgCompoundControl)

  explicit TvgCompoundTrackBar(rtl::TComponent* owner);

  TvgTrackBar* TrackBar() const { return FTrackBar; }
  TvgValueLabel* ValueLabel() const { return FValueLabel; }
  float Value() const { return FTrackBar->Value(); }
  void SetValue(float value);
  // The decimals the value label shows when the track moves in fractions.
  int DecimalDigits() const { return FDecimalDigits; }
  void SetDecimalDigits(int value);
  // Shown after the value.
  const rtl::WideString& Suffix() const { return FSuffix; }
  void SetSuffix(const rtl::WideString& value);

 private:
  static void Publish(rtl::TPublisher<TvgCompoundTrackBar>& p);
  void ShowValue();

  TvgTrackBar* FTrackBar = nullptr;
  TvgValueLabel* FValueLabel = nullptr;
  int FDecimalDigits = 2;
  rtl::WideString FSuffix;
};

// An angle button with a label showing its whole degrees.
class TvgCompoundAngleBar : public TvgCompoundControl {
  RTL_CLASS(TvgCompoundAngleBar, TvgCompoundControl)

  explicit TvgCompoundAngleBar(rtl::TComponent* owner);

  TvgAngleButton* AngleButton() const { return FAngleButton; }
  TvgValueLabel* ValueLabel() const { return FValueLabel; }
  float Value() const { return FAngleButton->Value(); }
  void SetValue(float value);

 private:
  static void Publish(rtl::TPublisher<TvgCompoundAngleBar>& p);
  void ShowValue();

  TvgAngleButton* FAngleButton = nullptr;
  TvgValueLabel* FValueLabel = nullptr;
};

class TvgCompoundTextBox : public TvgCompoundControl {
  RTL_CLASS(TvgCompoundTextBox, TvgCompoundControl)

  explicit TvgCompoundTextBox(rtl::TComponent* owner);

  TvgTextBox* TextBox() const { return FTextBox; }
  const rtl::WideString& GetText() const { return FTextBox->Text(); }
  void SetText(const rtl::WideString& value) { FTextBox->SetText(value); }

 private:
  static void Publish(rtl::TPublisher<TvgCompoundTextBox>& p);

  TvgTextBox* FTextBox = nullptr;
};

class TvgCompoundMemo : public TvgCompoundControl {
  RTL_CLASS(TvgCompoundMemo, TvgCompoundControl)

  explicit TvgCompoundMemo(rtl::TComponent* owner);

  TvgMemo* Memo() const { return FMemo; }
  const rtl::WideString& GetText() const { return FMemo->Text(); }
  void SetText(const rtl::WideString& value) { FMemo->SetText(value); }

 private:
  static void Publish(rtl::TPublisher<TvgCompoundMemo>& p);

  TvgMemo* FMemo = nullptr;
};

class TvgCompoundNumberBox : public TvgCompoundControl {
  RTL_CLASS(TvgCompoundNumberBox, TvgCompoundControl)

  explicit TvgCompoundNumberBox(rtl::TComponent* owner);

  TvgNumberBox* NumberBox() const { return FNumberBox; }
  float GetValue() const { return FNumberBox->Value(); }
  void SetValue(float value) { FNumberBox->SetValue(value); }

 private:
  static void Publish(rtl::TPublisher<TvgCompoundNumberBox>& p);

  TvgNumberBox* FNumberBox = nullptr;
};

class TvgCompoundPopupBox : public TvgCompoundControl {
  RTL_CLASS(TvgCompoundPopupBox, TvgCompoundControl)

  explicit TvgCompoundPopupBox(rtl::TComponent* owner);

  TvgPopupBox* PopupBox() const { return FPopupBox; }
  int GetItemIndex() const { return FPopupBox->ItemIndex(); }
  void SetItemIndex(int value) { FPopupBox->SetItemIndex(value); }

 private:
  static void Publish(rtl::TPublisher<TvgCompoundPopupBox>& p);

  TvgPopupBox* FPopupBox = nullptr;
};

class TvgCompoundColorButton : public TvgCompoundControl {
  RTL_CLASS(TvgCompoundColorButton, TvgCompoundControl)

  explicit TvgCompoundColorButton(rtl::TComponent* owner);

  TvgColorButton* ColorButton() const { return FColorButton; }
  // The colour as text.
  const std::string& GetValue() const { return FColorButton->Color(); }
  void SetValue(const std::string& value) { FColorButton->SetColor(value); }

 private:
  static void Publish(rtl::TPublisher<TvgCompoundColorButton>& p);

  TvgColorButton* FColorButton = nullptr;
};

class TvgCompoundImage : public TvgCompoundControl {
  RTL_CLASS(TvgCompoundImage, TvgCompoundControl)

  explicit TvgCompoundImage(rtl::TComponent* owner);

  TvgImageControl* Image() const { return FImage; }

 private:
  static void Publish(rtl::TPublisher<TvgCompoundImage>& p);

  TvgImageControl* FImage = nullptr;
};

}  // namespace vg
