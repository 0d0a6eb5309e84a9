// The main window's handlers of its two calculator pages: each passes the
// event to the governor page or the rotor-rpm page.
#include "app/MainForm.h"
#include "app/MainFormDevice.h"

namespace app {
namespace {

constexpr const char* kGovernorLayout = "tabLayout10";
constexpr const char* kRotorLayout = "tabLayout11";

}  // namespace

void TfrmInterface::PublishCalculators(rtl::TPublisher<TfrmInterface>& p) {
  using T = TfrmInterface;
  p.Method("calcChange", &T::calcChange);
  p.Method("calcTextBoxChange", &T::calcTextBoxChange);
  p.Method("calcTextBoxKeyDown", &T::calcTextBoxKeyDown);
  p.Method("tbPercentChange", &T::tbPercentChange);
  p.Method("nbPolesChange", &T::nbPolesChange);
  p.Method("nbCBChange", &T::nbCBChange);
  p.Method("nbDJCChange", &T::nbDJCChange);
  p.Method("nbZCChange", &T::nbZCChange);
  p.Method("rbDJCChange", &T::rbDJCChange);
  p.Method("rbCBChange", &T::rbCBChange);
  p.Method("nbRPM1Change", &T::nbRPM1Change);
  p.Method("nbRPM2Change", &T::nbRPM2Change);
  p.Method("nbRPM3Change", &T::nbRPM3Change);
}

void TfrmInterface::PrepareShownCalculators() {
  if (auto* governor = Node<vg::TvgVisualObject>(kGovernorLayout); governor && governor->Visible()) CalcGovernor();
  if (auto* rotor = Node<vg::TvgVisualObject>(kRotorLayout); rotor && rotor->Visible())
    rotor_->Show(MaxERpmThousandsOf(Demo1 && Demo1->Checked(), device_->State().DeviceData));
}

void TfrmInterface::calcChange(rtl::TObject* sender) { governor_->InputCommitted(sender); }
void TfrmInterface::calcTextBoxChange(rtl::TObject* sender) { governor_->BatteryChosen(sender); }
void TfrmInterface::calcTextBoxKeyDown(rtl::TObject* sender, std::uint16_t& key, char16_t& keyChar,
                                       vg::TvgShiftState) {
  governor_->KeyDown(sender, key, keyChar);
}
void TfrmInterface::CalcGovernor() { governor_->CalcGovernor(); }

void TfrmInterface::tbPercentChange(rtl::TObject*) { rotor_->ThrottleChanged(); }
void TfrmInterface::nbPolesChange(rtl::TObject*) { rotor_->PolesChanged(); }
void TfrmInterface::nbCBChange(rtl::TObject*) { rotor_->RatioChanged(); }
void TfrmInterface::nbDJCChange(rtl::TObject*) { rotor_->MotorTeethChanged(); }
void TfrmInterface::nbZCChange(rtl::TObject*) { rotor_->MainTeethChanged(); }
void TfrmInterface::rbDJCChange(rtl::TObject*) { rotor_->TeethModeChanged(); }
void TfrmInterface::rbCBChange(rtl::TObject*) { rotor_->RatioModeChanged(); }
void TfrmInterface::nbRPM1Change(rtl::TObject*) { rotor_->WantedRpmChanged(0); }
void TfrmInterface::nbRPM2Change(rtl::TObject*) { rotor_->WantedRpmChanged(1); }
void TfrmInterface::nbRPM3Change(rtl::TObject*) { rotor_->WantedRpmChanged(2); }

}  // namespace app
