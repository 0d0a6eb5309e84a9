#include "app/RaceSheetForm.h"

#include <cmath>

#include "app/DialogResources.h"
#include "app/ScenePicture.h"
#include "ui/controls/vg_memo.h"

namespace app {
namespace {

// A box that scrolled along a long entry while it was typed shows the entry
// from its first character again, as the sheet is read.
void ScrollEntriesHome(vg::TvgObject& node) {
  if (auto* box = dynamic_cast<vg::TvgCustomTextBox*>(&node)) {
    box->SetSelLength(0);
    box->SetCaretPosition(0);
  } else if (auto* memo = dynamic_cast<vg::TvgMemo*>(&node)) {
    memo->SetSelected(false);
    memo->GoToTextBegin();
  }
  for (vg::TvgObject* child : node.Children()) ScrollEntriesHome(*child);
}

}  // namespace

TfrmInput::TfrmInput(rtl::TComponent* owner) : TSceneForm(owner) {
  RegisterDialogResources();
  ReadSceneForm();
}

TfrmInput::~TfrmInput() = default;

void TfrmInput::Publish(rtl::TPublisher<TfrmInput>& p) {
  using T = TfrmInput;
  p.Field("Panel1", &T::Panel1);
  p.Field("Image1", &T::Image1);
  p.Field("DefaultPicture", &T::DefaultPicture);
  p.Field("eEvent", &T::eEvent);
  p.Field("eDriver", &T::eDriver);
  p.Field("eNation", &T::eNation);
  p.Field("eDate", &T::eDate);
  p.Field("eFinal", &T::eFinal);
  p.Field("eEndbell", &T::eEndbell);
  p.Field("eChassis", &T::eChassis);
  p.Field("eTyres", &T::eTyres);
  p.Field("eMotor", &T::eMotor);
  p.Field("eBattery", &T::eBattery);
  p.Field("eVersion", &T::eVersion);
  p.Field("eEcs", &T::eEcs);
  p.Field("eRotor", &T::eRotor);
  p.Field("eNote", &T::eNote);
  p.Field("btnOk", &T::btnOk);
  p.Field("btnCancel", &T::btnCancel);
  p.Method("btnOkClick", &T::btnOkClick);
  p.Method("btnCancelClick", &T::btnCancelClick);
  p.Method("ComboTextBoxChange", &T::ComboTextBoxChange);
}

vg::TvgRadioButton& TfrmInput::RadioButton(int n) const {
  auto* button = Node<vg::TvgRadioButton>("RadioButton" + std::to_string(n));
  if (!button) throw rtl::Exception("TfrmInput has no RadioButton" + std::to_string(n));
  return *button;
}

void TfrmInput::btnOkClick(rtl::TObject*) { CaptureHeader(); }

void TfrmInput::btnCancelClick(rtl::TObject*) {
  for (vg::TvgCompoundTextBox* box : {eEvent, eDriver, eNation, eDate, eEndbell, eFinal}) box->SetText({});
  for (vg::TvgTextBox* box : {eVersion, eChassis, eTyres, eMotor, eBattery}) box->SetText({});
  eNote->SetText({});
  for (int n = 1; n <= kRadioButtons; ++n) RadioButton(n).SetIsChecked(false);
  CaptureHeader();
}

void TfrmInput::ComboTextBoxChange(rtl::TObject* sender) {
  auto* box = dynamic_cast<vg::TvgComboTextBox*>(sender);
  if (!box) return;
  const rtl::WideString& text = box->Text();
  box->SetReadOnly(text != u"Other" && text != u"其他");
}

void TfrmInput::CaptureHeader() {
  ScrollEntriesHome(*Panel1);
  const SceneArea area{0, 0, static_cast<int>(std::trunc(Panel1->Width())),
                       static_cast<int>(std::trunc(Panel1->Height()))};
  header_ = ReportJpeg(ScenePicture(*ControlsScene, area));
}

}  // namespace app
