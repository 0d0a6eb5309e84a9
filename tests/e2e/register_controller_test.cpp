// A user with a controller on the register protocol: it is identified, every
// page is opened from the page list, a value is changed, written and read
// back by connecting again, the factory defaults are restored, the adapter
// is pulled out in the middle of a write and then plugged back in.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/MainForm.h"
#include "platform/hid/HidBackendChoice.h"
#include "platform/hid/SimulatedHid.h"
#include "platform/rtl/TypeInfo.h"
#include "tests/app/program_run.h"
#include "tests/e2e/e2e_user.h"
#include "ui/controls/vg_combobox.h"
#include "ui/controls/vg_listbox.h"

namespace {

using app::TfrmInterface;
using app::testing::ProgramRun;

constexpr const char* kAdapter = "/sim/hidraw0";
// The first option list of the controller's page: three entries, the first
// one its default.
constexpr const char* kRunningMode = "cbItem0";
constexpr int kDefaultEntry = 0, kWrittenEntry = 2, kUnwrittenEntry = 1;

bool ConnectedAndSettled(TfrmInterface& form) { return e2e::Settled(form) && e2e::LampOn(form); }

vg::TvgListBox& PageList(TfrmInterface& form) { return *form.Node<vg::TvgListBox>("ListBox1"); }

std::string EntryText(TfrmInterface& form, int index) {
  auto* combo = form.Node<vg::TvgComboBox>(kRunningMode);
  vg::TvgListBoxItem* item = combo ? combo->ListBox()->ItemByIndex(index) : nullptr;
  return item ? rtl::GetPropText(item, "Text") : std::string();
}

// Opens the running-mode list with the pointer and clicks one of its entries.
void ChooseRunningMode(ProgramRun& run, const std::string& what, int entry) {
  run.Then(what + ": list opened",
           [](TfrmInterface& form) { return ConnectedAndSettled(form) && e2e::Click(form, kRunningMode); })
      .Then(what + ": entry clicked",
            [entry](TfrmInterface& form) { return e2e::ClickDropDownEntry(form, kRunningMode, entry); })
      .Then(what + ": entry shown",
            [entry](TfrmInterface& form) { return e2e::Shows(form, kRunningMode) == EntryText(form, entry); });
}

// Clicks a button once a user could, and reports whether it was clicked.
ProgramRun::Step ClickWhenSettled(const char* button) {
  return [button](TfrmInterface& form) { return ConnectedAndSettled(form) && e2e::Click(form, button); };
}

ProgramRun::Step ShowParameterPage() {
  return [](TfrmInterface& form) { return ConnectedAndSettled(form) && e2e::Click(form, "ListBoxItem2"); };
}

ProgramRun::Step Shot(const std::string& name) { return e2e::ShotStep("e2e_register_" + name); }

struct Seen {
  std::string controller, hardware, firmware;
  std::size_t pages = 0;
  std::vector<int> opened;
  std::string writtenText, savedBox, readBack, defaultsBox, shownDefault, defaultEntry;
  std::string failureBox, connectCaption, toggledCaption;
  bool writeReachableAfterFailure = true;
  int pagesAfterFailure = -1;
  std::string controllerAgain;
};

void Identify(ProgramRun& run, Seen& seen) {
  run.Then("identified",
           [&](TfrmInterface& form) {
             if (!ConnectedAndSettled(form) || !form.FindComponent(kRunningMode)) return false;
             seen.controller = e2e::Shows(form, "eController");
             seen.hardware = e2e::Shows(form, "eHardware");
             seen.firmware = e2e::Shows(form, "eFirmware");
             seen.pages = static_cast<std::size_t>(PageList(form).Count());
             return true;
           })
      .Then("identified: shot", Shot("identified"));
}

// Every entry of the page list, clicked in turn; the controller has at most
// a few pages, and the steps for entries past the end do nothing.
void OpenEveryPage(ProgramRun& run, Seen& seen) {
  constexpr int kMostPages = 8;
  for (int page = 0; page < kMostPages; ++page) {
    const std::string name = "page " + std::to_string(page);
    auto exists = [page](TfrmInterface& form) { return page < PageList(form).Count(); };
    run.Then(name + " clicked",
             [=](TfrmInterface& form) {
               return !exists(form) || (e2e::Settled(form) && e2e::ClickNode(form, *PageList(form).ItemByIndex(page)));
             })
        .Then(name + " shown",
              [=, &seen](TfrmInterface& form) {
                if (!exists(form)) return true;
                if (PageList(form).ItemIndex() != page) return false;
                seen.opened.push_back(page);
                return true;
              })
        .Then(name + " shot", [=, shot = Shot("page" + std::to_string(page))](TfrmInterface& form) mutable {
          return !exists(form) || shot(form);
        });
  }
}

// Writes a changed value, changes it once more without writing, then
// disconnects and connects: the controller's value comes back.
void WriteAndReadBack(ProgramRun& run, Seen& seen) {
  run.Then("parameter page shown", ShowParameterPage());
  ChooseRunningMode(run, "changed", kWrittenEntry);
  run.Then("changed: text kept",
           [&](TfrmInterface& form) {
             seen.writtenText = e2e::Shows(form, kRunningMode);
             return true;
           })
      .Then("write clicked", ClickWhenSettled("btnUpdate"))
      .Then("write's box answered", e2e::AnswerBoxStep(&seen.savedBox));
  ChooseRunningMode(run, "changed without writing", kUnwrittenEntry);
  run.Then("disconnect clicked", ClickWhenSettled("btnConnect"))
      .Then("connect clicked",
            [](TfrmInterface& form) {
              return e2e::Settled(form) && !e2e::LampOn(form) && e2e::Click(form, "btnConnect");
            })
      .Then("read back",
            [&](TfrmInterface& form) {
              if (!ConnectedAndSettled(form) || e2e::Shows(form, kRunningMode) != seen.writtenText) return false;
              seen.readBack = e2e::Shows(form, kRunningMode);
              return true;
            })
      .Then("read back: page shown", ShowParameterPage())
      .Then("read back: shot", Shot("read_back"));
}

void RestoreDefaults(ProgramRun& run, Seen& seen) {
  run.Then("defaults clicked", ClickWhenSettled("btnDefault"))
      .Then("defaults' box answered", e2e::AnswerBoxStep(&seen.defaultsBox))
      .Then("default shown",
            [&](TfrmInterface& form) {
              if (!ConnectedAndSettled(form)) return false;
              seen.shownDefault = e2e::Shows(form, kRunningMode);
              seen.defaultEntry = EntryText(form, kDefaultEntry);
              return true;
            })
      .Then("defaults: page shown", ShowParameterPage())
      .Then("defaults: shot", Shot("defaults"));
}

// The adapter goes away after a few reports of the write: before the click
// (the write runs on this thread, from the click), the simulator is told to
// pull it out at the sixth report from now, which lies among the settings
// chunks whatever keep-alive came first. The failure is reported, the window
// goes back to its idle look and still answers.
void UnplugDuringWrite(ProgramRun& run, Seen& seen) {
  ChooseRunningMode(run, "changed before the unplug", kUnwrittenEntry);
  run.Then("write clicked, adapter pulled out during it",
           [](TfrmInterface& form) {
             if (!ConnectedAndSettled(form)) return false;
             hid::SimulatedAdapterOfThisRun()->Faults(kAdapter).unplugAfterWrites = 6;
             return e2e::Click(form, "btnUpdate");
           })
      .Then("failure box shot", [shot = Shot("unplugged_box")](TfrmInterface& form) mutable {
        return gui::TopModalForm() && shot(form);
      })
      .Then("failure box answered", e2e::AnswerBoxStep(&seen.failureBox))
      .Then("disconnected shown",
            [&](TfrmInterface& form) {
              if (!e2e::Settled(form) || e2e::LampOn(form)) return false;
              seen.writeReachableAfterFailure = e2e::Reachable(form, "btnUpdate") != nullptr;
              seen.pagesAfterFailure = PageList(form).Count();
              return true;
            })
      .Then("unplugged: shot", Shot("unplugged"))
      .Then("connect button clicked",
            [&](TfrmInterface& form) {
              seen.connectCaption = e2e::Shows(form, "btnConnect");
              return e2e::Settled(form) && e2e::Click(form, "btnConnect");
            })
      .Then("connect button answered and clicked back",
            [&](TfrmInterface& form) {
              if (e2e::Shows(form, "btnConnect") == seen.connectCaption) return false;
              seen.toggledCaption = e2e::Shows(form, "btnConnect");
              return e2e::Click(form, "btnConnect");
            })
      .Then("connect button back",
            [&](TfrmInterface& form) { return e2e::Shows(form, "btnConnect") == seen.connectCaption; });
}

// The adapter goes back in: the controller is identified again.
void PlugBack(ProgramRun& run, Seen& seen) {
  run.Then("adapter plugged back",
           [](TfrmInterface&) {
             hid::SimulatedAdapterOfThisRun()->Replug(kAdapter);
             return true;
           })
      .Then("identified again",
            [&](TfrmInterface& form) {
              if (!ConnectedAndSettled(form) || !form.FindComponent(kRunningMode)) return false;
              seen.controllerAgain = e2e::Shows(form, "eController");
              return true;
            })
      .Then("identified again: page shown", ShowParameterPage())
      .Then("identified again: shot", Shot("plugged_back"));
}

TEST(RegisterController, IdentifiesPagesWritesRestoresAndSurvivesAnUnplugDuringAWrite) {
  setenv("ESCTOOL_SIMULATED_HID", "CAR_ESC_QV4", 1);
  ProgramRun run;
  Seen seen;
  Identify(run, seen);
  OpenEveryPage(run, seen);
  WriteAndReadBack(run, seen);
  RestoreDefaults(run, seen);
  UnplugDuringWrite(run, seen);
  PlugBack(run, seen);
  std::string saved, defaults, failed;
  run.Then("texts of the boxes",
             [&](TfrmInterface& form) {
               saved = form.LangText("setting_succ", "setting_succ");
               defaults = form.LangText("default_succ", "default_succ");
               failed = form.LangText("setting_fail", "setting_fail");
               return true;
             })
      .Then("exit", [](TfrmInterface& form) { return e2e::Settled(form) && e2e::Choose(form, "Exit1"); });

  EXPECT_EQ(run.Run(std::chrono::seconds(60)), 0);
  unsetenv("ESCTOOL_SIMULATED_HID");
  EXPECT_EQ(run.timedOut, "");
  EXPECT_EQ(seen.controller, "CAR_ESC");
  EXPECT_EQ(seen.hardware, "QV4-ASD-2");
  EXPECT_EQ(seen.firmware, "2.01");
  EXPECT_GE(seen.pages, 3u);
  EXPECT_EQ(seen.opened.size(), seen.pages);

  EXPECT_FALSE(seen.writtenText.empty());
  EXPECT_EQ(seen.savedBox, saved);
  EXPECT_EQ(seen.readBack, seen.writtenText);
  EXPECT_EQ(seen.defaultsBox, defaults);
  EXPECT_FALSE(seen.shownDefault.empty());
  EXPECT_EQ(seen.shownDefault, seen.defaultEntry);
  EXPECT_NE(seen.shownDefault, seen.writtenText);

  EXPECT_EQ(seen.failureBox, failed);
  EXPECT_FALSE(seen.writeReachableAfterFailure);
  EXPECT_EQ(seen.pagesAfterFailure, 1);  // only the first page: no controller
  EXPECT_FALSE(seen.toggledCaption.empty());
  EXPECT_EQ(seen.controllerAgain, "CAR_ESC");
}

}  // namespace
