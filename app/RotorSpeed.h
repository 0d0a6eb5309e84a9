#pragma once
// The throttle and rotor-rpm calculator's arithmetic: the highest main-rotor
// rpm of a set-up, the rpm at a throttle, the throttle a wanted rpm needs,
// and the texts, heights and warnings the page shows for them.
#include <cstdint>
#include <optional>
#include <span>
#include <string>

namespace rtl {
class TMemIniFile;
}

namespace app {

enum class Language;

// Highest electrical rpm in thousands: 512 for a demo model, else bytes 19
// (high) and 20 (low) of the device data.
int MaxERpmThousandsOf(bool demo, std::span<const std::uint8_t, 32> deviceData);

// Teeth of the main gear / teeth of the motor gear, as a 32-bit float; 0
// when the motor gear has no teeth.
float GearRatioFromTeeth(double mainTeeth, double motorTeeth);

struct RotorSetup {
  std::int32_t MaxERpmThousands = 0;
  std::int32_t PoleCount = 0;  // 9 poles count as 8: pole pairs are PoleCount div 2
  float GearRatio = 0;

  // (MaxERpmThousands div pole pairs) × 1000; 0 with fewer than two poles.
  std::int32_t MotorRpm() const;
  // MotorRpm / GearRatio cut toward zero, at most the 32-bit maximum; 0 when
  // the ratio is not positive.
  std::int32_t MaxHeadRpm() const;
};

// Head rpm at a throttle percentage: MaxHeadRpm × throttle / 100, multiplied
// first so that a whole result stays whole (12800 at 77 % is 9856).
double HeadRpmAt(std::int32_t maxHeadRpm, double throttle);

enum class RpmTextForm {
  General,     // shortest text, decimals only for a fraction: "4654.4"
  WholeNumber  // cut toward zero: "4654"
};

struct HeadRpmLabels {
  std::string High;      // MaxHeadRpm
  std::string Low;       // 0.4 × MaxHeadRpm
  std::string RightRpm;  // "<-- " and the rpm at the slider's throttle
};
HeadRpmLabels HeadRpmLabelTexts(std::int32_t maxHeadRpm, double throttle, RpmTextForm form);

enum class ThrottleWarning { None, TooHigh, TooLow };

// Above 90 % too high, below 60 % too low.
ThrottleWarning ThrottleWarningOf(double throttle);
// The warning's text in the language: [common] "ThHigh" or "ThLow" through
// LangKey, defaults "TH is too high" and "TH is too low"; empty for None.
std::string ThrottleWarningText(ThrottleWarning warning, const rtl::TMemIniFile& texts, Language language);
// The warning label's height: 20 below the rpm label's for too high, 20
// above for too low; nullopt (the label keeps its height) for None.
std::optional<float> ThrottleWarningY(ThrottleWarning warning, float rpmLabelY);

// Height of the labels beside the slider's thumb, from the 57-step table
// 424, 418, 412, 404, ... 52.
float ThrottleLabelY(double throttle);

struct ThrottleSliderLabels {
  std::string Percent;   // "77%-->"
  std::string RightRpm;  // "<-- 9856"
  float LabelY = 0;      // height of both
  ThrottleWarning Warning = ThrottleWarning::None;
  std::optional<float> WarningY;
};
ThrottleSliderLabels SliderLabelsAt(std::int32_t maxHeadRpm, double throttle);

struct RequiredThrottle {
  std::string Text;  // "-->77.5%"
  ThrottleWarning Warning = ThrottleWarning::None;
};
// The throttle a wanted rotor rpm needs, to three significant digits; with no
// highest rpm known (0) "-->0%" and no warning.
RequiredThrottle RequiredThrottleFor(double wantedRpm, std::int32_t maxHeadRpm);

}  // namespace app
