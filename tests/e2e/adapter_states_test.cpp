// What a user sees of the adapter beyond a plain connection:
// - plugged in but not to be opened (no udev rule): the program says so,
//   naming the rule and how to install it, in the language chosen; once the
//   rule is in place and the adapter is plugged in again, the controller is
//   identified;
// - the motor checker chosen with only a speed controller on the adapter:
//   its lamp stays dark, and the data recorder, which needs no device, stays
//   open while the program keeps looking for the checker.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "app/MainForm.h"
#include "platform/hid/HidBackendChoice.h"
#include "platform/hid/SimulatedHid.h"
#include "tests/app/program_run.h"
#include "tests/e2e/e2e_user.h"

namespace {

using app::TfrmInterface;
using app::testing::ProgramRun;

constexpr const char* kAdapter = "/sim/hidraw0";
// Polls of 50 ms: several hot-plug checks; several failed identification
// attempts of the poll timer.
constexpr int kRemovalPolls = 6;
constexpr int kRecorderPolls = 60;

bool ConnectedAndSettled(TfrmInterface& form) { return e2e::Settled(form) && e2e::LampOn(form); }

struct Told {
  std::string chinese, english;
  bool chineseShot = false, englishShot = false;
};

// Pulls the adapter out, waits until the program has seen it go (the
// hot-plug check runs every 50 ms) and shows the no-device state, and plugs
// it back with `denied` access.
void ReplugWith(ProgramRun& run, bool denied, const std::string& what, bool* welcomeShown = nullptr) {
  run.Then(what + ": adapter pulled out",
           [denied](TfrmInterface& form) {
             if (!e2e::Settled(form)) return false;
             hid::SimulatedHid* adapter = hid::SimulatedAdapterOfThisRun();
             adapter->Faults(kAdapter).denyOpen = denied;
             adapter->Unplug(kAdapter);
             return true;
           })
      .Then(what + ": no device shown",
            [welcomeShown, polls = std::make_shared<int>(0)](TfrmInterface& form) {
              if (++*polls < kRemovalPolls || !e2e::Settled(form) || e2e::LampOn(form)) return false;
              if (welcomeShown) *welcomeShown = e2e::Reachable(form, "lblWelcome") != nullptr;
              return true;
            })
      .Then(what + ": adapter plugged in", [](TfrmInterface&) {
        hid::SimulatedAdapterOfThisRun()->Replug(kAdapter);
        return true;
      });
}

// The box that explains the denied adapter: shot, then answered.
void DeniedBox(ProgramRun& run, const std::string& shotName, std::string* text, bool* shot) {
  run.Then(shotName + ": box shot",
           [step = e2e::ShotStep(shotName, shot)](TfrmInterface& form) mutable {
             return gui::TopModalForm() && step(form);
           })
      .Then(shotName + ": box answered", e2e::AnswerBoxStep(text));
}

// The motor checker chosen, the recorder opened: still open, and the lamp
// dark, after several of the poll timer's failing attempts.
void RecorderWithoutChecker(ProgramRun& run, bool* recorderKept, bool* lampLit) {
  auto polls = std::make_shared<int>(0);
  run.Then("motor checker chosen", [](TfrmInterface& form) { return e2e::Settled(form) && e2e::Choose(form, "MotorChecker1"); })
      .Then("recorder opened", [](TfrmInterface& form) { return e2e::Settled(form) && e2e::Click(form, "ListBoxItem9"); })
      .Then("recorder still open after the attempts",
            [=](TfrmInterface& form) {
              if (++*polls < kRecorderPolls) return false;
              *lampLit = e2e::LampOn(form);
              *recorderKept = e2e::Reachable(form, "StringGrid2") != nullptr;
              return true;
            })
      .Then("recorder shot", e2e::ShotStep("e2e_recorder_without_checker"));
}

TEST(AdapterStates, ADeniedAdapterIsExplainedAndAMissingCheckerLeavesTheRecorderOpen) {
  setenv("ESCTOOL_SIMULATED_HID", "CAR_ESC", 1);
  ProgramRun run;
  e2e::ShowEveryFeature(run.folder);
  Told told;
  std::string controllerAfter;
  bool recorderKept = false, checkerLamp = false;
  // The About page asks for a device only while none is there.
  bool aboutShown = false, welcomeConnected = true, welcomeUnplugged = false;
  run.Then("identified", ConnectedAndSettled)
      .Then("About opened", [](TfrmInterface& form) { return e2e::Click(form, "ListBoxItem1"); })
      .Then("About seen connected",
            [&](TfrmInterface& form) {
              if (!(aboutShown = e2e::Reachable(form, "imgLogo") != nullptr)) return false;
              welcomeConnected = e2e::Reachable(form, "lblWelcome") != nullptr;
              return true;
            });
  ReplugWith(run, true, "denied", &welcomeUnplugged);
  DeniedBox(run, "e2e_adapter_denied_zh", &told.chinese, &told.chineseShot);
  run.Then("English chosen", [](TfrmInterface& form) { return e2e::Settled(form) && e2e::Choose(form, "English1"); })
      .Then("English shown", [](TfrmInterface& form) { return e2e::MenuCaption(form, "File1") == "File"; });
  ReplugWith(run, true, "denied in English");
  DeniedBox(run, "e2e_adapter_denied_en", &told.english, &told.englishShot);
  ReplugWith(run, false, "allowed");
  run.Then("identified again",
           [&](TfrmInterface& form) {
             if (!ConnectedAndSettled(form) || e2e::Shows(form, "eController").empty()) return false;
             controllerAfter = e2e::Shows(form, "eController");
             return true;
           });
  RecorderWithoutChecker(run, &recorderKept, &checkerLamp);
  run.Then("exit", [](TfrmInterface& form) { return e2e::Choose(form, "Exit1"); });
  EXPECT_EQ(run.Run(std::chrono::seconds(90)), 0);
  EXPECT_EQ(run.timedOut, "");

  for (const std::string& text : {told.chinese, told.english}) {
    EXPECT_NE(text.find("70-esctool-adapters.rules"), std::string::npos) << text;
    EXPECT_NE(text.find("/etc/udev/rules.d/"), std::string::npos) << text;
  }
  EXPECT_NE(told.chinese.find("权限"), std::string::npos) << told.chinese;
  EXPECT_NE(told.english.find("No permission to open the adapter"), std::string::npos) << told.english;
  EXPECT_TRUE(told.chineseShot);
  EXPECT_TRUE(told.englishShot);
  EXPECT_TRUE(aboutShown);
  EXPECT_FALSE(welcomeConnected);
  EXPECT_TRUE(welcomeUnplugged);
  EXPECT_EQ(controllerAfter, "CAR_ESC");
  EXPECT_TRUE(recorderKept);
  EXPECT_FALSE(checkerLamp);
}

}  // namespace
