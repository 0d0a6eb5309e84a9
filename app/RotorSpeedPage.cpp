#include "app/RotorSpeedPage.h"

#include <algorithm>

#include "platform/rtl/Rounding.h"
#include "platform/rtl/TextConvert.h"
#include "ui/controls/vg_checkbox.h"
#include "ui/controls/vg_numberbox.h"
#include "ui/controls/vg_textcontrol.h"
#include "ui/controls/vg_track.h"

namespace app {
namespace {

constexpr int kWantedBoxes = 3;

// Box and labels of wanted rpm `index`; any index but 1 and 2 names the first.
std::string WantedSuffix(int index) { return std::to_string(index == 1 || index == 2 ? index + 1 : 1); }

}  // namespace

float RotorSpeedPage::Value(const std::string& numberBox) const {
  const auto* box = Find<vg::TvgNumberBox>(numberBox);
  return box ? box->Value() : 0;
}

float RotorSpeedPage::Throttle() const {
  const auto* slider = Find<vg::TvgCustomTrack>("tbPercent");
  return slider ? slider->Value() : 0;
}

void RotorSpeedPage::SetLabel(const std::string& name, const std::string& text) {
  if (auto* label = Find<vg::TvgTextControl>(name)) label->SetText(rtl::W(text));
}

void RotorSpeedPage::SelectLeading(const std::string& name, int count) {
  auto* box = Find<vg::TvgCustomTextBox>(name);
  if (!box) return;
  // SetSelStart alone moves nothing when the selection's moving end is
  // already at 0.
  box->SetCaretPosition(0);
  box->SetSelStart(0);
  box->SetSelLength(std::min(count, static_cast<int>(box->Text().size())));
}

void RotorSpeedPage::ReadSetup(GearMode mode) {
  const auto* teethMode = Find<vg::TvgRadioButton>("rbDJC");
  const bool teeth = mode == GearMode::Teeth || (mode == GearMode::Checked && teethMode && teethMode->IsChecked());
  setup_.GearRatio = teeth ? GearRatioFromTeeth(Value("nbZC"), Value("nbDJC")) : Value("nbCB");
  setup_.PoleCount = static_cast<std::int32_t>(rtl::Trunc(Value("nbPoles")));
  maxHeadRpm_ = setup_.MaxHeadRpm();
}

void RotorSpeedPage::ShowHeadRpmLabels(RpmTextForm form) {
  const HeadRpmLabels labels = HeadRpmLabelTexts(maxHeadRpm_, Throttle(), form);
  SetLabel("lblHighRPM", labels.High);
  SetLabel("lblLowRPM", labels.Low);
  SetLabel("lblRightRPM", labels.RightRpm);
}

void RotorSpeedPage::SetWantedMaximum() {
  for (int n = 1; n <= kWantedBoxes; ++n)
    if (auto* box = Find<vg::TvgNumberBox>("nbRPM" + std::to_string(n))) box->SetMax(static_cast<float>(maxHeadRpm_));
}

void RotorSpeedPage::ShowWarning(ThrottleWarning warning) {
  auto* tips = Find<vg::TvgVisualObject>("lblTips");
  const auto* rpm = Find<vg::TvgVisualObject>("lblRightRPM");
  if (!tips || !rpm) return;
  SetLabel("lblTips", warningText_(warning));
  if (const auto y = ThrottleWarningY(warning, rpm->Position()->Y())) tips->Position()->SetY(*y);
}

void RotorSpeedPage::Show(std::int32_t maxERpmThousands) {
  setup_.MaxERpmThousands = maxERpmThousands;
  ReadSetup(GearMode::Checked);
  ShowHeadRpmLabels(RpmTextForm::General);
  ShowWarning(ThrottleWarningOf(Throttle()));
  SetWantedMaximum();
}

void RotorSpeedPage::UpdateLimits(GearMode mode, RpmTextForm form) {
  ReadSetup(mode);
  ShowHeadRpmLabels(form);
  SetWantedMaximum();
  for (int index = 0; index < kWantedBoxes; ++index) rpmChange(index);
}

void RotorSpeedPage::PolesChanged() {
  SelectLeading("nbPoles", 4);
  UpdateLimits(GearMode::Checked, RpmTextForm::General);
}

void RotorSpeedPage::RatioChanged() {
  SelectLeading("nbCB", 3);
  UpdateLimits(GearMode::Checked, RpmTextForm::WholeNumber);
}

void RotorSpeedPage::MotorTeethChanged() {
  SelectLeading("nbDJC", 4);
  UpdateLimits(GearMode::Checked, RpmTextForm::WholeNumber);
}

void RotorSpeedPage::MainTeethChanged() {
  SelectLeading("nbZC", 4);
  UpdateLimits(GearMode::Checked, RpmTextForm::WholeNumber);
}

void RotorSpeedPage::UseTeeth(bool teeth) {
  if (auto* ratio = Find<vg::TvgVisualObject>("nbCB")) ratio->SetEnabled(!teeth);
  for (const char* name : {"nbDJC", "nbZC"})
    if (auto* box = Find<vg::TvgVisualObject>(name)) box->SetEnabled(teeth);
}

void RotorSpeedPage::TeethModeChanged() {
  const auto* mode = Find<vg::TvgRadioButton>("rbDJC");
  if (!mode) return;
  UseTeeth(mode->IsChecked());
  if (mode->IsChecked()) UpdateLimits(GearMode::Teeth, RpmTextForm::WholeNumber);
}

void RotorSpeedPage::RatioModeChanged() {
  const auto* mode = Find<vg::TvgRadioButton>("rbCB");
  if (!mode) return;
  UseTeeth(!mode->IsChecked());
  if (mode->IsChecked()) UpdateLimits(GearMode::Ratio, RpmTextForm::WholeNumber);
}

void RotorSpeedPage::ThrottleChanged() {
  const ThrottleSliderLabels labels = SliderLabelsAt(maxHeadRpm_, Throttle());
  SetLabel("lblPercent", labels.Percent);
  SetLabel("lblRightRPM", labels.RightRpm);
  for (const char* name : {"lblPercent", "lblRightRPM"})
    if (auto* label = Find<vg::TvgVisualObject>(name)) label->Position()->SetY(labels.LabelY);
  ShowWarning(labels.Warning);
}

void RotorSpeedPage::WantedRpmChanged(int index) {
  const std::string box = "nbRPM" + WantedSuffix(index);
  if (!Find<vg::TvgCustomTextBox>(box)) return;
  SelectLeading(box, 6);
  rpmChange(index);
}

void RotorSpeedPage::rpmChange(int index) {
  const std::string suffix = WantedSuffix(index);
  const RequiredThrottle required = RequiredThrottleFor(Value("nbRPM" + suffix), maxHeadRpm_);
  SetLabel("lblRP" + suffix, required.Text);
  SetLabel("lblRP" + suffix + "Tip", warningText_(required.Warning));
}

}  // namespace app
