#pragma once
// TfrmInput, the race-sheet header form: the small modal window in which
// the user fills in the race sheet of a car model before the settings
// report is written. It stores nothing of what is typed: OK and Cancel take
// a picture of its upper part (Panel1) as a JPEG, which the report places at
// the top of its page after OK.
#include <memory>

#include "app/SceneForm.h"
#include "platform/rtl/Jpeg.h"
#include "ui/controls/vg_buttons.h"
#include "ui/controls/vg_checkbox.h"
#include "ui/controls/vg_combotextbox.h"
#include "ui/controls/vg_compound.h"
#include "ui/controls/vg_panels.h"
#include "ui/render/vg_layouts.h"
#include "ui/render/vg_objects.h"

namespace app {

class TfrmInput : public TSceneForm {
  RTL_CLASS(TfrmInput, TSceneForm)

  explicit TfrmInput(rtl::TComponent* owner);
  ~TfrmInput() override;

  static constexpr int kRadioButtons = 11;

  vg::TvgPanel* Panel1 = nullptr;
  vg::TvgImage* Image1 = nullptr;
  // Drawn in Image1 until a picture file takes its place.
  vg::TvgLayout* DefaultPicture = nullptr;
  vg::TvgCompoundTextBox *eEvent = nullptr, *eDriver = nullptr, *eNation = nullptr, *eDate = nullptr;
  vg::TvgCompoundTextBox *eFinal = nullptr, *eEndbell = nullptr;
  vg::TvgTextBox *eChassis = nullptr, *eTyres = nullptr, *eMotor = nullptr, *eBattery = nullptr, *eVersion = nullptr;
  vg::TvgComboTextBox *eEcs = nullptr, *eRotor = nullptr;
  vg::TvgCompoundMemo* eNote = nullptr;
  vg::TvgRoundButton *btnOk = nullptr, *btnCancel = nullptr;

  /// RadioButton<n>, n from 1 to kRadioButtons.
  vg::TvgRadioButton& RadioButton(int n) const;

  void btnOkClick(rtl::TObject* sender);
  /// Empties every box and unchecks every radio button before the picture.
  void btnCancelClick(rtl::TObject* sender);
  /// eEcs or eRotor becomes editable exactly while it shows "Other".
  void ComboTextBoxChange(rtl::TObject* sender);
  /// Takes the header picture: Panel1 as shown, at quality 100, every entry
  /// scrolled to its first character.
  void CaptureHeader();
  /// The header picture; null until OK or Cancel was pressed.
  const rtl::TJPEGImage* HeaderPicture() const { return header_.get(); }

  static void Publish(rtl::TPublisher<TfrmInput>& p);

 private:
  std::unique_ptr<rtl::TJPEGImage> header_;
};

}  // namespace app
