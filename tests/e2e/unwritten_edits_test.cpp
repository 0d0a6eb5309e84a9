// A user changes a value on a car controller's page without writing it,
// then switches the language both ways: the value is still there and the
// same page is still open, and the settings were not read from the device
// again; the lamp of read settings says what it shows.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "app/MainForm.h"
#include "tests/app/program_run.h"
#include "tests/e2e/e2e_user.h"
#include "ui/controls/vg_combobox.h"
#include "ui/controls/vg_listbox.h"

namespace {

using app::TfrmInterface;

constexpr char kPage[] = "ListBoxItem2";  // the first parameter page
constexpr char kList[] = "cbItem1";       // the cell count, on that page
constexpr int kChosenEntry = 3;
constexpr char kAdapter[] = "/sim/hidraw0";
constexpr std::uint8_t kReadSettingsCommand = 9;

int SettingsReadsSent() { return e2e::ClassicFramesSent(kAdapter, {kReadSettingsCommand}); }

bool Identified(TfrmInterface& form) {
  return e2e::LampOn(form) && e2e::Settled(form) && e2e::Reachable(form, kPage);
}

int ChosenEntry(TfrmInterface& form) {
  auto* combo = form.Node<vg::TvgStringComboBox>(kList);
  return combo ? combo->ItemIndex() : -2;
}

struct Seen {
  int before = -1, chosen = -1;
  int readsBefore = -1, readsAfter = -2;
  int entry[2] = {-1, -1};
  bool pageShown[2] = {}, entryHighlighted[2] = {};
  std::string settingsLamp[2];  // the caption of the lamp lit by read settings
};

TEST(UnwrittenEdits, ALanguageSwitchKeepsTheChangedValueAndThePage) {
  setenv("ESCTOOL_SIMULATED_HID", "CAR_ESC", 1);
  app::testing::ProgramRun run;
  Seen seen;
  run.Then("identified", Identified)
      .Then("page opened", [](TfrmInterface& form) { return e2e::Click(form, kPage); })
      .Then("list opened",
            [&](TfrmInterface& form) {
              if (!e2e::Reachable(form, kList)) return false;
              seen.before = ChosenEntry(form);
              return e2e::Click(form, kList);
            })
      .Then("entry chosen", [](TfrmInterface& form) { return e2e::ClickDropDownEntry(form, kList, kChosenEntry); })
      .Then("entry shown", [&](TfrmInterface& form) {
        if (e2e::DropDownWindow(form, kList)) return false;
        seen.chosen = ChosenEntry(form);
        seen.readsBefore = SettingsReadsSent();
        return true;
      });
  const struct {
    const char* item;
    const char* fileMenu;
  } switches[] = {{"English1", "File"}, {"Chinese1", "文件"}};
  for (int i = 0; i < 2; ++i) {
    const std::string item = switches[i].item, fileMenu = switches[i].fileMenu;
    run.Then(item + " chosen", [item](TfrmInterface& form) { return e2e::Choose(form, item); })
        .Then(item + ": value and page seen",
              [&seen, i, fileMenu](TfrmInterface& form) {
                if (e2e::MenuCaption(form, "File1").rfind(fileMenu, 0) != 0 || !Identified(form)) return false;
                seen.entry[i] = ChosenEntry(form);
                seen.pageShown[i] = e2e::Reachable(form, kList) != nullptr;
                auto* entry = form.Node<vg::TvgListBox>("ListBox1")->Selected();
                seen.entryHighlighted[i] = entry && entry->Name() == kPage && entry->IsSelected();
                seen.settingsLamp[i] = e2e::Shows(form, "Label2");
                return true;
              })
        .Then(item + ": shot", e2e::ShotStep(std::string("e2e_unwritten_edits_") + switches[i].item));
  }
  run.Then("exit", [&seen](TfrmInterface& form) {
    seen.readsAfter = SettingsReadsSent();
    return e2e::Choose(form, "Exit1");
  });
  EXPECT_EQ(run.Run(std::chrono::seconds(60)), 0);
  EXPECT_EQ(run.timedOut, "");

  EXPECT_NE(seen.before, kChosenEntry);
  EXPECT_EQ(seen.chosen, kChosenEntry);
  EXPECT_GT(seen.readsBefore, 0);
  EXPECT_EQ(seen.readsAfter, seen.readsBefore);
  for (int i = 0; i < 2; ++i) {
    EXPECT_EQ(seen.entry[i], kChosenEntry) << switches[i].item;
    EXPECT_TRUE(seen.pageShown[i]) << switches[i].item;
    EXPECT_TRUE(seen.entryHighlighted[i]) << switches[i].item;
  }
  EXPECT_EQ(seen.settingsLamp[0], "Settings Read");
  EXPECT_EQ(seen.settingsLamp[1], "工作指示");
}

}  // namespace
