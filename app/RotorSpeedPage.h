#pragma once
// The throttle and rotor-rpm page of the main window (GroupBox5): from the
// controller's highest electrical rpm, the motor's poles (nbPoles) and the
// gear (teeth nbDJC and nbZC with rbDJC, or the ratio nbCB with rbCB) the
// highest main-rotor rpm; the rotor rpm at the throttle slider (tbPercent)
// and the throttle each wanted rpm (nbRPM1 to nbRPM3) needs, with warnings
// above 90 % and below 60 %. Its controls are found by name on the window.
#include <cstdint>
#include <functional>
#include <string>

#include "app/RotorSpeed.h"
#include "platform/rtl/Component.h"

namespace app {

class RotorSpeedPage {
 public:
  /// The text of a throttle warning in the window's language.
  using WarningText = std::function<std::string(ThrottleWarning)>;

  RotorSpeedPage(rtl::TComponent& form, WarningText warningText)
      : form_(form), warningText_(std::move(warningText)) {}

  /// The page is shown for a controller whose highest electrical rpm is
  /// `maxERpmThousands` thousand: its highest head speed, the rpm labels in
  /// the general form, the slider's warning and the wanted boxes' maximum.
  void Show(std::int32_t maxERpmThousands);

  // The inputs' change handlers. Each selects the leading characters of
  // its box, then recomputes the highest head speed with the labels, the
  // wanted boxes' maximum and their throttles; the poles show the labels in
  // the general form, the gear in whole numbers.
  void PolesChanged();
  void RatioChanged();
  void MotorTeethChanged();
  void MainTeethChanged();
  /// A gear mode switched: checked, it enables its own boxes, disables the
  /// other mode's and recomputes with its own ratio; unchecked, it only
  /// hands the boxes to the other mode.
  void TeethModeChanged();
  void RatioModeChanged();

  /// The slider moved: the throttle and rotor-rpm labels follow its thumb,
  /// and the warning goes above or below them.
  void ThrottleChanged();
  /// A wanted rotor rpm (index 0 to 2) committed: its text is selected and
  /// its throttle shown.
  void WantedRpmChanged(int index);
  /// Shows the throttle wanted rpm `index` needs (any index but 1 and 2
  /// names the first box) and its warning.
  void rpmChange(int index);

  const RotorSetup& Setup() const { return setup_; }
  std::int32_t MaxHeadRpm() const { return maxHeadRpm_; }

 private:
  enum class GearMode { Checked, Teeth, Ratio };

  template <class T>
  T* Find(const std::string& name) const {
    return dynamic_cast<T*>(form_.FindComponent(name));
  }
  float Value(const std::string& numberBox) const;
  float Throttle() const;
  void SetLabel(const std::string& name, const std::string& text);
  void SelectLeading(const std::string& box, int count);
  /// Reads the gear and the poles and computes the highest head speed.
  void ReadSetup(GearMode mode);
  void ShowHeadRpmLabels(RpmTextForm form);
  void SetWantedMaximum();
  void ShowWarning(ThrottleWarning warning);
  void UpdateLimits(GearMode mode, RpmTextForm form);
  /// Enables the teeth boxes or the ratio box.
  void UseTeeth(bool teeth);

  rtl::TComponent& form_;
  WarningText warningText_;
  RotorSetup setup_;
  std::int32_t maxHeadRpm_ = 0;
};

}  // namespace app
