#include "app/RotorSpeed.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "app/CalcNumbers.h"
#include "app/LangKey.h"
#include "platform/rtl/MemIniFile.h"
#include "platform/rtl/NumberText.h"
#include "platform/rtl/Rounding.h"

namespace app {
namespace {

constexpr int kDemoMaxERpmThousands = 512;

std::string RpmText(double rpm, RpmTextForm form) {
  return form == RpmTextForm::General ? GeneralText(rpm) : rtl::IntToStr(rtl::Trunc(rpm));
}

// Y(i) = 424 − 20 × (i div 3) − 6 × (i mod 3), i = 0 to 56.
float LabelHeight(int step) { return static_cast<float>(424 - 20 * (step / 3) - 6 * (step % 3)); }

}  // namespace

int MaxERpmThousandsOf(bool demo, std::span<const std::uint8_t, 32> deviceData) {
  return demo ? kDemoMaxERpmThousands : deviceData[19] * 256 + deviceData[20];
}

float GearRatioFromTeeth(double mainTeeth, double motorTeeth) {
  if (motorTeeth == 0) return 0;
  return static_cast<float>(mainTeeth / motorTeeth);
}

std::int32_t RotorSetup::MotorRpm() const {
  const std::int32_t pairs = PoleCount / 2;
  if (pairs <= 0) return 0;
  return MaxERpmThousands / pairs * 1000;
}

std::int32_t RotorSetup::MaxHeadRpm() const {
  if (!(GearRatio > 0)) return 0;
  const long double rpm = std::trunc(MotorRpm() / static_cast<long double>(GearRatio));
  return static_cast<std::int32_t>(
      std::clamp<long double>(rpm, std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max()));
}

double HeadRpmAt(std::int32_t maxHeadRpm, double throttle) {
  // The product is exact in extended precision, so only the division rounds.
  return static_cast<double>(maxHeadRpm * static_cast<long double>(throttle) / 100);
}

HeadRpmLabels HeadRpmLabelTexts(std::int32_t maxHeadRpm, double throttle, RpmTextForm form) {
  return {rtl::IntToStr(maxHeadRpm), RpmText(HeadRpmAt(maxHeadRpm, 40), form),
          "<-- " + RpmText(HeadRpmAt(maxHeadRpm, throttle), form)};
}

ThrottleWarning ThrottleWarningOf(double throttle) {
  if (throttle > 90) return ThrottleWarning::TooHigh;
  if (throttle < 60) return ThrottleWarning::TooLow;
  return ThrottleWarning::None;
}

std::string ThrottleWarningText(ThrottleWarning warning, const rtl::TMemIniFile& texts, Language language) {
  switch (warning) {
    case ThrottleWarning::TooHigh:
      return texts.ReadString("common", LangKey(language, "ThHigh"), "TH is too high");
    case ThrottleWarning::TooLow:
      return texts.ReadString("common", LangKey(language, "ThLow"), "TH is too low");
    case ThrottleWarning::None:
      break;
  }
  return std::string();
}

std::optional<float> ThrottleWarningY(ThrottleWarning warning, float rpmLabelY) {
  switch (warning) {
    case ThrottleWarning::TooHigh:
      return rpmLabelY + 20;
    case ThrottleWarning::TooLow:
      return rpmLabelY - 20;
    case ThrottleWarning::None:
      break;
  }
  return std::nullopt;
}

float ThrottleLabelY(double throttle) {
  constexpr int kLastStep = 56;
  if (throttle < 43) return LabelHeight(0);
  if (throttle > 97) return LabelHeight(kLastStep);
  return LabelHeight(static_cast<int>(rtl::Trunc(throttle - 42)));
}

ThrottleSliderLabels SliderLabelsAt(std::int32_t maxHeadRpm, double throttle) {
  ThrottleSliderLabels labels;
  labels.Percent = GeneralText(throttle) + "%-->";
  labels.RightRpm = "<-- " + GeneralText(HeadRpmAt(maxHeadRpm, throttle));
  labels.LabelY = ThrottleLabelY(throttle);
  labels.Warning = ThrottleWarningOf(throttle);
  labels.WarningY = ThrottleWarningY(labels.Warning, labels.LabelY);
  return labels;
}

RequiredThrottle RequiredThrottleFor(double wantedRpm, std::int32_t maxHeadRpm) {
  if (maxHeadRpm == 0) return {"-->0%", ThrottleWarning::None};
  const float percent =
      static_cast<float>(static_cast<long double>(rtl::Round(wantedRpm)) / maxHeadRpm * 100);
  return {"-->" + rtl::FloatToStrF(percent, rtl::ffGeneral, 3, 0) + "%", ThrottleWarningOf(percent)};
}

}  // namespace app
