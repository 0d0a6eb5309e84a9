// A user's settings round trip on a simulated controller of a family the
// other scenarios do not write: a value changed on the first parameter page
// is written, read back by disconnecting and connecting, and the factory
// settings are restored. The program runs once per process, so each model
// is its own test program (ROUNDTRIP_CASE 0: a Corvanel V4 of the series
// family; 1: the helicopter controller AIRPLANE_ESC).
#include <gtest/gtest.h>

#include <string>

#include "app/MainForm.h"
#include "tests/app/program_run.h"
#include "tests/e2e/e2e_user.h"
#include "ui/controls/vg_combobox.h"

namespace {

using app::TfrmInterface;
using app::testing::ProgramRun;

#if ROUNDTRIP_CASE == 0
constexpr const char* kModel = "Corvanel_V4";
#else
constexpr const char* kModel = "AIRPLANE_ESC";
#endif
constexpr const char* kPage = "ListBoxItem2";
constexpr const char* kList = "cbItem0";
constexpr int kDefaultEntry = 0, kWrittenEntry = 2;

bool ConnectedAndSettled(TfrmInterface& form) { return e2e::Settled(form) && e2e::LampOn(form); }

int ChosenEntry(TfrmInterface& form) {
  auto* combo = form.Node<vg::TvgComboBox>(kList);
  return combo ? combo->ItemIndex() : -2;
}

ProgramRun::Step ClickWhenSettled(const char* button) {
  return [button](TfrmInterface& form) { return ConnectedAndSettled(form) && e2e::Click(form, button); };
}

ProgramRun::Step PageShown() {
  return [](TfrmInterface& form) { return ConnectedAndSettled(form) && e2e::Click(form, kPage); };
}

struct Seen {
  int atStart = -1, read = -1, restored = -1;
  bool writable = false;
  std::string written, defaults;
};

TEST(SettingsRoundTrip, AValueIsWrittenReadBackAndTheDefaultsRestored) {
  setenv("ESCTOOL_SIMULATED_HID", kModel, 1);
  ProgramRun run;
  Seen seen;
  const std::string shot = std::string("e2e_roundtrip_") + kModel;
  run.Then("identified", [](TfrmInterface& form) { return ConnectedAndSettled(form) && e2e::Reachable(form, kPage); })
      .Then("page opened", PageShown())
      .Then("list opened",
            [&](TfrmInterface& form) {
              if (!e2e::Reachable(form, kList)) return false;
              seen.atStart = ChosenEntry(form);
              seen.writable = e2e::Reachable(form, "btnUpdate") && e2e::Reachable(form, "btnDefault");
              return e2e::Click(form, kList);
            })
      .Then("entry clicked", [](TfrmInterface& form) { return e2e::ClickDropDownEntry(form, kList, kWrittenEntry); })
      .Then("entry shown", [](TfrmInterface& form) { return ChosenEntry(form) == kWrittenEntry; })
      .Then("write clicked", ClickWhenSettled("btnUpdate"))
      .Then("write's box answered", e2e::AnswerBoxStep(&seen.written))
      .Then("disconnect clicked", ClickWhenSettled("btnConnect"))
      .Then("connect clicked",
            [](TfrmInterface& form) {
              return e2e::Settled(form) && !e2e::LampOn(form) && e2e::Click(form, "btnConnect");
            })
      .Then("read back", [](TfrmInterface& form) { return ConnectedAndSettled(form) && e2e::Reachable(form, kPage); })
      .Then("read back: page opened", PageShown())
      .Then("read back: value seen",
            [&](TfrmInterface& form) {
              if (!e2e::Reachable(form, kList)) return false;
              seen.read = ChosenEntry(form);
              return true;
            })
      .Then("read back: shot", e2e::ShotStep(shot + "_read_back"))
      .Then("defaults clicked", ClickWhenSettled("btnDefault"))
      .Then("defaults' box answered", e2e::AnswerBoxStep(&seen.defaults))
      .Then("defaults: value seen",
            [&](TfrmInterface& form) {
              if (!ConnectedAndSettled(form)) return false;
              seen.restored = ChosenEntry(form);
              return true;
            })
      .Then("exit", [](TfrmInterface& form) { return e2e::Settled(form) && e2e::Choose(form, "Exit1"); });
  EXPECT_EQ(run.Run(std::chrono::seconds(80)), 0);
  EXPECT_EQ(run.timedOut, "");

  EXPECT_TRUE(seen.writable);
  EXPECT_NE(seen.atStart, kWrittenEntry);
  EXPECT_EQ(seen.written, "设置成功");
  EXPECT_EQ(seen.read, kWrittenEntry);
  EXPECT_EQ(seen.defaults, "已恢复出厂设置");
  EXPECT_EQ(seen.restored, kDefaultEntry);
}

}  // namespace
