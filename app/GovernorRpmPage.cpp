#include "app/GovernorRpmPage.h"

#include "app/LangKey.h"
#include "app/MainForm.h"
#include "app/MainFormDevice.h"
#include "app/RotorSpeed.h"
#include "platform/rtl/TextConvert.h"
#include "ui/controls/vg_checkbox.h"
#include "ui/controls/vg_numberbox.h"
#include "ui/controls/vg_textcontrol.h"
#include "ui/controls/vg_track.h"

namespace app {
namespace {

float NumberValue(const TfrmInterface& form, const char* name) {
  auto* box = form.Node<vg::TvgNumberBox>(name);
  return box ? box->Value() : 0.0f;
}

float GearRatio(const TfrmInterface& form) {
  auto* byTeeth = form.Node<vg::TvgRadioButton>("rbDJC");
  if (byTeeth && byTeeth->IsChecked()) return GearRatioFromTeeth(NumberValue(form, "nbZC"), NumberValue(form, "nbDJC"));
  return NumberValue(form, "nbCB");
}

void SetLabel(const TfrmInterface& form, const char* name, const std::string& text) {
  if (auto* label = form.Node<vg::TvgTextControl>(name)) label->SetText(rtl::W(text));
}

void ShowThrottleTip(TfrmInterface& form, double throttle) {
  auto* tip = form.Node<vg::TvgTextControl>("lblTips");
  auto* rpm = form.Node<vg::TvgTextControl>("lblRightRPM");
  if (!tip) return;
  const ThrottleWarning warning = ThrottleWarningOf(throttle);
  tip->SetText(rtl::W(ThrottleWarningText(warning, form.LangIni(), form.IsChinese() ? Language::Chinese
                                                                                     : Language::English)));
  if (const auto y = ThrottleWarningY(warning, rpm ? rpm->Position()->Y() : 0.0f)) tip->Position()->SetY(*y);
}

}  // namespace

void FillGovernorRpmPage(TfrmInterface& form) {
  MainFormState& state = form.State();
  state.MaxERpmThousands = MaxERpmThousandsOf(form.Demo1 && form.Demo1->Checked(), form.Device().State().DeviceData);
  state.GearRatio = GearRatio(form);
  state.PoleCount = static_cast<std::int32_t>(NumberValue(form, "nbPoles"));
  state.MaxHeadRpm = RotorSetup{state.MaxERpmThousands, state.PoleCount, state.GearRatio}.MaxHeadRpm();
  auto* slider = form.Node<vg::TvgTrackBar>("tbPercent");
  const double throttle = slider ? slider->Value() : 0.0;
  const HeadRpmLabels labels = HeadRpmLabelTexts(state.MaxHeadRpm, throttle, RpmTextForm::General);
  SetLabel(form, "lblHighRPM", labels.High);
  SetLabel(form, "lblLowRPM", labels.Low);
  SetLabel(form, "lblRightRPM", labels.RightRpm);
  ShowThrottleTip(form, throttle);
  for (const char* name : {"nbRPM1", "nbRPM2", "nbRPM3"})
    if (auto* box = form.Node<vg::TvgNumberBox>(name)) box->SetMax(static_cast<float>(state.MaxHeadRpm));
  form.ShowHelp(kGovernorPageHelp);
}

}  // namespace app
