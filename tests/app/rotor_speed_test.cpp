#include "app/RotorSpeed.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <limits>
#include <string>

#include "platform/rtl/MemIniFile.h"
#include "app/LangKey.h"
#include "device/DeviceInfoBlock.h"
#include "platform/hid/SimModels.h"

namespace app {
namespace {

// A simulated Corvanel V4 reports 100 thousand electrical rpm: an
// eight-pole motor at 25,000 rpm, 2500 rpm at the head through a 10:1 gear.
TEST(RotorSetup, ASimulatedControllerGivesAHeadSpeedARealOneCould) {
  const hid::SimModel& model = *hid::FindSimModel("Corvanel_V4");
  const hid::Bytes block = hid::SimInfoBlock(model);
  device::InfoBlock info{};
  std::copy(block.begin(), block.end(), info.begin());
  std::array<std::uint8_t, 32> deviceData{};
  std::string extra;
  device::TakeDeviceData(model.controller, model.hardware, info, deviceData, extra);
  const RotorSetup setup{MaxERpmThousandsOf(false, deviceData), 8, 10};
  EXPECT_EQ(setup.MotorRpm(), 25000);
  EXPECT_EQ(setup.MaxHeadRpm(), 2500);
}

TEST(RotorSetup, HighestRpmFromDeviceAndGear) {
  std::array<std::uint8_t, 32> deviceData{};
  deviceData[19] = 0x01;
  deviceData[20] = 0x2C;
  EXPECT_EQ(MaxERpmThousandsOf(false, deviceData), 300);
  EXPECT_EQ(MaxERpmThousandsOf(true, deviceData), 512);

  EXPECT_EQ(GearRatioFromTeeth(110, 10), 11.0f);
  EXPECT_EQ(GearRatioFromTeeth(110, 9), static_cast<float>(110.0 / 9));
  EXPECT_EQ(GearRatioFromTeeth(110, 0), 0.0f);

  struct Case {
    RotorSetup setup;
    std::int32_t motor;
    std::int32_t head;
  };
  const Case cases[] = {
      {{512, 8, 10}, 128000, 12800},
      {{512, 8, GearRatioFromTeeth(110, 10)}, 128000, 11636},
      {{512, 9, 10}, 128000, 12800},  // 9 poles count as 8
      {{100, 6, 1}, 33000, 33000},    // 100 div 3
      {{512, 1, 10}, 0, 0},           // no pole pair
      {{512, 8, 0}, 128000, 0},       // no gear ratio
      {{65535, 2, 0.001f}, 65535000, std::numeric_limits<std::int32_t>::max()},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.setup.MaxERpmThousands << "/" << c.setup.PoleCount << "/" << c.setup.GearRatio);
    EXPECT_EQ(c.setup.MotorRpm(), c.motor);
    EXPECT_EQ(c.setup.MaxHeadRpm(), c.head);
  }
}

TEST(HeadRpmLabels, GeneralAndWholeForms) {
  struct Case {
    std::int32_t maxHead;
    double throttle;
    RpmTextForm form;
    const char* high;
    const char* low;
    const char* right;
  };
  const Case cases[] = {
      {12800, 77, RpmTextForm::WholeNumber, "12800", "5120", "<-- 9856"},
      {12800, 77, RpmTextForm::General, "12800", "5120", "<-- 9856"},
      {11636, 40, RpmTextForm::General, "11636", "4654.4", "<-- 4654.4"},
      {11636, 40, RpmTextForm::WholeNumber, "11636", "4654", "<-- 4654"},
      {11636, 77, RpmTextForm::General, "11636", "4654.4", "<-- 8959.72"},
  };
  for (const Case& c : cases) {
    const HeadRpmLabels labels = HeadRpmLabelTexts(c.maxHead, c.throttle, c.form);
    EXPECT_EQ(labels.High, c.high);
    EXPECT_EQ(labels.Low, c.low);
    EXPECT_EQ(labels.RightRpm, c.right);
  }
}

// A whole head speed never shows one less: against integer arithmetic for
// every whole throttle of the slider, with the throttle coming from a float
// as the slider holds it.
TEST(HeadRpmLabels, WholeResultsStayWhole) {
  for (std::int32_t maxHead : {100, 11636, 12800, 33000, 65535000})
    for (int throttle = 40; throttle <= 100; ++throttle) {
      const std::int64_t exact = std::int64_t{maxHead} * throttle / 100;
      const HeadRpmLabels labels = HeadRpmLabelTexts(maxHead, static_cast<float>(throttle), RpmTextForm::WholeNumber);
      ASSERT_EQ(labels.RightRpm, "<-- " + std::to_string(exact)) << maxHead << " at " << throttle;
      if (std::int64_t{maxHead} * throttle % 100 == 0) {
        EXPECT_EQ(HeadRpmLabelTexts(maxHead, static_cast<float>(throttle), RpmTextForm::General).RightRpm,
                  "<-- " + std::to_string(exact));
      }
    }
}

TEST(ThrottleSlider, LabelHeightsAndWarnings) {
  struct Case {
    double throttle;
    float y;
    ThrottleWarning warning;
  };
  const Case cases[] = {
      {40, 424, ThrottleWarning::TooLow},  {42.5, 424, ThrottleWarning::TooLow}, {43, 418, ThrottleWarning::TooLow},
      {44, 412, ThrottleWarning::TooLow},  {45, 404, ThrottleWarning::TooLow},   {48, 384, ThrottleWarning::TooLow},
      {59, 312, ThrottleWarning::TooLow},  {60, 304, ThrottleWarning::None},     {90, 104, ThrottleWarning::None},
      {91, 98, ThrottleWarning::TooHigh}, {97, 58, ThrottleWarning::TooHigh},   {98, 52, ThrottleWarning::TooHigh},
      {100, 52, ThrottleWarning::TooHigh},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.throttle);
    const ThrottleSliderLabels labels = SliderLabelsAt(12800, c.throttle);
    EXPECT_EQ(labels.LabelY, c.y);
    EXPECT_EQ(labels.Warning, c.warning);
    switch (c.warning) {
      case ThrottleWarning::TooHigh: EXPECT_EQ(labels.WarningY, c.y + 20); break;
      case ThrottleWarning::TooLow: EXPECT_EQ(labels.WarningY, c.y - 20); break;
      case ThrottleWarning::None: EXPECT_FALSE(labels.WarningY); break;
    }
  }
  const ThrottleSliderLabels at77 = SliderLabelsAt(12800, 77);
  EXPECT_EQ(at77.Percent, "77%-->");
  EXPECT_EQ(at77.RightRpm, "<-- 9856");
  EXPECT_EQ(SliderLabelsAt(11636, 42.5).Percent, "42.5%-->");
}

TEST(ThrottleWarning, TextsComeFromTheTextStoreWithDefaults) {
  const rtl::TMemIniFile texts("lang.ini", "[common]\nengThHigh=Too much throttle\nchsThLow=油门太低\n");
  EXPECT_EQ(ThrottleWarningText(ThrottleWarning::TooHigh, texts, Language::English), "Too much throttle");
  EXPECT_EQ(ThrottleWarningText(ThrottleWarning::TooLow, texts, Language::English), "TH is too low");
  EXPECT_EQ(ThrottleWarningText(ThrottleWarning::TooLow, texts, Language::Chinese), "油门太低");
  EXPECT_EQ(ThrottleWarningText(ThrottleWarning::TooHigh, texts, Language::Chinese), "TH is too high");
  EXPECT_EQ(ThrottleWarningText(ThrottleWarning::None, texts, Language::English), "");
}

TEST(RequiredThrottle, ThreeDigitsAndWarnings) {
  struct Case {
    double wanted;
    std::int32_t maxHead;
    const char* text;
    ThrottleWarning warning;
  };
  const Case cases[] = {
      {12800, 12800, "-->100%", ThrottleWarning::TooHigh},
      {9856, 12800, "-->77%", ThrottleWarning::None},
      {9855.5, 12800, "-->77%", ThrottleWarning::None},  // the box value rounds half to even
      {9920, 12800, "-->77.5%", ThrottleWarning::None},
      {512, 10000, "-->5.12%", ThrottleWarning::TooLow},
      {7680, 12800, "-->60%", ThrottleWarning::None},
      {11520, 12800, "-->90%", ThrottleWarning::None},
      {11636, 12800, "-->90.9%", ThrottleWarning::TooHigh},
      {0, 12800, "-->0%", ThrottleWarning::TooLow},
      {500, 0, "-->0%", ThrottleWarning::None},  // no highest rpm known
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.wanted);
    const RequiredThrottle required = RequiredThrottleFor(c.wanted, c.maxHead);
    EXPECT_EQ(required.Text, c.text);
    EXPECT_EQ(required.Warning, c.warning);
  }
}

}  // namespace
}  // namespace app
