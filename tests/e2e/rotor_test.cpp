// The throttle and rotor-rpm calculator as a user works it, with a
// simulated Corvanel V4 connected (its third page is this calculator): the
// pole count typed, the gear given as teeth, the throttle slider moved with
// the keyboard and three wanted rotor speeds typed; each figure as the
// arithmetic from the controller's highest electrical rpm gives it.
#include <gdk/gdkkeysyms.h>
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "app/MainForm.h"
#include "platform/hid/SimModels.h"
#include "tests/app/program_run.h"
#include "tests/e2e/e2e_user.h"

namespace {

using app::TfrmInterface;

// Its pages are listed once it is identified.
bool Identified(TfrmInterface& form) {
  return e2e::Front() == gui::MainForm() && !e2e::ShownWindow(form, "TfrmProgress") &&
         e2e::Reachable(form, "ListBoxItem4");
}

// The controller's highest electrical rpm in thousands: bytes 19 and 20
// of its device data, which a Corvanel V4 sends as bytes 48..63 of its
// information block, high byte first.
int MaxERpmThousands() {
  const hid::Bytes block = hid::SimInfoBlock(*hid::FindSimModel("Corvanel_V4"));
  return block[48 + 3] * 256 + block[48 + 4];
}

std::string Text(int number) { return std::to_string(number); }

// The throttle a wanted speed needs, as the page shows it: three digits.
std::string Throttle(int wanted, int maxHead) {
  char shown[16];
  std::snprintf(shown, sizeof shown, "-->%.3g%%", static_cast<float>(wanted / double(maxHead) * 100));
  return shown;
}

TEST(RotorCalculator, FollowsPolesGearSliderAndWantedSpeeds) {
  setenv("ESCTOOL_SIMULATED_HID", "Corvanel_V4", 1);
  // 40 poles make 20 pole pairs; the motor's rpm is a multiple of 1000, so
  // every figure below is exact. The ratio box (10) counts until the teeth
  // mode (110/10 = 11) is chosen; the slider starts at 40 %.
  const int motor = MaxERpmThousands() / 20 * 1000;
  const int maxHead = static_cast<int>(motor / 11.0);
  const e2e::Texts byRatio = {{"lblHighRPM", Text(motor / 10)},
                              {"lblLowRPM", Text(motor / 10 * 4 / 10)},
                              {"lblRightRPM", "<-- " + Text(motor / 10 * 40 / 100)}};
  const e2e::Texts byTeeth = {{"lblHighRPM", Text(maxHead)},
                              {"lblLowRPM", Text(maxHead * 4 / 10)},
                              {"lblRightRPM", "<-- " + Text(maxHead * 40 / 100)},
                              {"lblTips", "油门过低"}};
  const e2e::Texts fullThrottle = {
      {"lblPercent", "100%-->"}, {"lblRightRPM", "<-- " + Text(maxHead)}, {"lblTips", "油门过高"}};
  const int wanted[3] = {maxHead * 8 / 10, maxHead * 96 / 100, maxHead * 535 / 1000};
  const e2e::Texts throttles = {{"lblRP1", Throttle(wanted[0], maxHead)}, {"lblRP1Tip", ""},
                                {"lblRP2", Throttle(wanted[1], maxHead)}, {"lblRP2Tip", "油门过高"},
                                {"lblRP3", Throttle(wanted[2], maxHead)}, {"lblRP3Tip", "油门过低"}};

  app::testing::ProgramRun run;
  e2e::Texts ratioSeen, teethSeen, fullSeen, throttlesSeen;
  float thumbLabelY = 0;
  bool shot = false;
  run.Then("identified", Identified)
      .Then("rotor page clicked", [](TfrmInterface& form) { return e2e::Click(form, "ListBoxItem4"); })
      .Then("poles entered",
            [](TfrmInterface& form) { return e2e::Reachable(form, "nbPoles") && e2e::Enter(form, "nbPoles", "40"); })
      .Then("ratio results shown", e2e::UntilShown(byRatio, &ratioSeen))
      .Then("teeth mode clicked", [](TfrmInterface& form) { return e2e::Click(form, "rbDJC"); })
      .Then("teeth results shown", e2e::UntilShown(byTeeth, &teethSeen))
      .Then("slider to full throttle",
            [](TfrmInterface& form) {
              if (!e2e::Click(form, "tbPercent")) return false;
              e2e::Press(form, GDK_KEY_End);
              return true;
            })
      .Then("full throttle shown", e2e::UntilShown(fullThrottle, &fullSeen))
      .Then("label beside the thumb noted",
            [&](TfrmInterface& form) {
              thumbLabelY = form.Node<vg::TvgVisualObject>("lblRightRPM")->Position()->Y();
              return true;
            })
      .Then("wanted speeds typed",
            [&](TfrmInterface& form) {
              for (int i = 0; i < 3; ++i) e2e::Enter(form, "nbRPM" + Text(i + 1), Text(wanted[i]));
              return true;
            })
      .Then("throttles shown", e2e::UntilShown(throttles, &throttlesSeen))
      .Then("shot", e2e::ShotStep("e2e_rotor_calculator", &shot))
      .Then("exit", [](TfrmInterface& form) { return e2e::Choose(form, "Exit1"); });
  EXPECT_EQ(run.Run(std::chrono::seconds(50)), 0);
  EXPECT_EQ(run.timedOut, "");

  EXPECT_EQ(ratioSeen, byRatio);
  EXPECT_EQ(teethSeen, byTeeth);
  EXPECT_EQ(fullSeen, fullThrottle);
  EXPECT_EQ(thumbLabelY, 52);  // the top of the label table, at 98 % and over
  EXPECT_EQ(throttlesSeen, throttles);
  EXPECT_TRUE(shot);
}

}  // namespace
