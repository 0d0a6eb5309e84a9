// A user's session with a classic car controller on the simulated adapter:
// the controller is identified and its pages are listed; each page is
// opened from the page list; an option list (through its drop-down) and a
// track bar are changed with the pointer and written; disconnecting and
// connecting again reads the settings back; restoring the factory settings
// brings every option list back to its default entry.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "app/MainForm.h"
#include "platform/rtl/MemIniFile.h"
#include "platform/rtl/TextConvert.h"
#include "tests/app/program_run.h"
#include "tests/e2e/e2e_user.h"
#include "tests/support/window_shot.h"
#include "ui/controls/vg_combobox.h"
#include "ui/controls/vg_listbox.h"
#include "ui/controls/vg_track.h"
#include "ui/render/vg_objects.h"

namespace {

using app::TfrmInterface;


struct Page {
  const char* item;        // its entry in the page list
  const char* ownControl;  // a control only this page shows
};

// The pages listed for this controller: about, its three parameter pages,
// software information.
constexpr Page kPages[] = {{"ListBoxItem1", "imgLogo"},
                           {"ListBoxItem2", "cbItem0"},
                           {"ListBoxItem3", "eItem8"},
                           {"ListBoxItem4", "cbItem13"},
                           {"ListBoxItem8", "eController"}};
constexpr const Page& kFirstParamPage = kPages[1];

// What the user changes on the first page: the cell count's list and the
// brake force's track bar with the label showing its value.
constexpr const char* kList = "cbItem1";
constexpr int kChosenEntry = 3;
constexpr const char* kTrack = "eItem5";
constexpr const char* kTrackValue = "leItem5";
constexpr int kMaxOptionLists = 40;

// Connected and idle: no box, no progress, the window usable.
bool Settled(TfrmInterface& form) { return e2e::LampOn(form) && e2e::Settled(form); }

bool OnlyPageShown(TfrmInterface& form, const Page& page) {
  for (const Page& other : kPages)
    if ((e2e::Reachable(form, other.ownControl) != nullptr) != (&other == &page)) return false;
  return true;
}

std::vector<std::string> ListedPages(TfrmInterface& form) {
  std::vector<std::string> names;
  if (auto* list = form.Node<vg::TvgListBox>("ListBox1"))
    for (int i = 0; i < list->Count(); ++i) names.push_back(list->ItemByIndex(i)->Name());
  return names;
}

int ShownEntry(TfrmInterface& form, const char* list) {
  auto* combo = form.Node<vg::TvgStringComboBox>(list);
  return combo ? combo->ItemIndex() : -2;
}

// The description marks an option list's default entry "(*)"; unmarked
// lists default to their first entry.
int DefaultEntry(vg::TvgStringComboBox& combo) {
  for (int k = 0; k < combo.Items()->Count(); ++k)
    if (rtl::Utf16ToUtf8(combo.Items()->Strings(k)).find("(*)") != std::string::npos) return k;
  return 0;
}

// The option lists of all pages that show another entry than their default.
std::vector<std::string> ListsOffDefault(TfrmInterface& form) {
  std::vector<std::string> off;
  for (int i = 0; i < kMaxOptionLists; ++i) {
    const std::string name = "cbItem" + std::to_string(i);
    auto* combo = form.Node<vg::TvgStringComboBox>(name);
    if (combo && combo->ItemIndex() != DefaultEntry(*combo)) off.push_back(name);
  }
  return off;
}

// The program's text of a [common] key in the language it starts in.
std::string LangText(const std::filesystem::path& folder, const std::string& key) {
  const rtl::TMemIniFile ini((folder / "lang.ini").string());
  const std::string prefix = ini.ReadInteger("common", "lang", 0) != 0 ? "chs" : "eng";
  return ini.ReadString("common", prefix + key, "");
}

TEST(ClassicController, PagesAreShownChangedWrittenReadAgainAndRestored) {
  setenv("ESCTOOL_SIMULATED_HID", "CAR_ESC", 1);
  app::testing::ProgramRun run;
  std::string controller, hardware, trackBefore, trackMin, trackChosen, written, connectCaption;
  std::string trackRead, restored, trackRestored;
  std::vector<std::string> listed, pagesShown, offAtStart, offRestored;
  int before = -1, chosen = -1, read = -1, restoredEntry = -1, dropDownPolls = 0;
  bool dropDownShot = false;

  run.Then("the controller is identified",
           [&](TfrmInterface& form) {
             if (!Settled(form) || e2e::Shows(form, "eController").empty() || !e2e::Reachable(form, kList))
               return false;
             controller = e2e::Shows(form, "eController");
             hardware = e2e::Shows(form, "eHardware");
             listed = ListedPages(form);
             offAtStart = ListsOffDefault(form);
             before = ShownEntry(form, kList);
             trackBefore = e2e::Shows(form, kTrackValue);
             trackMin = std::to_string(static_cast<int>(form.Node<vg::TvgTrackBar>(kTrack)->Min()));
             return true;
           })
      .Then("shot identified", e2e::ShotStep("e2e_classic_identified"));

  for (const Page& page : kPages) {
    const std::string item = page.item;
    run.Then("open " + item, [item](TfrmInterface& form) { return e2e::Click(form, item); })
        .Then(item + " shows its page",
              [&, &page = page](TfrmInterface& form) {
                if (!OnlyPageShown(form, page)) return false;
                pagesShown.push_back(page.item);
                return true;
              })
        .Then("shot " + item, e2e::ShotStep("e2e_classic_page_" + item));
  }

  run.Then("open the first parameter page",
           [](TfrmInterface& form) { return e2e::Click(form, kFirstParamPage.item); })
      .Then("first parameter page shown", [](TfrmInterface& form) { return OnlyPageShown(form, kFirstParamPage); })
      .Then("open the drop-down", [](TfrmInterface& form) { return e2e::Click(form, kList); })
      .Then("shot the drop-down",
            [&](TfrmInterface& form) {
              GtkWidget* window = e2e::DropDownWindow(form, kList);
              if (!window || ++dropDownPolls < 4) return false;  // drawn and done opening
              dropDownShot = test_support::SaveWindowShot(window, "e2e_classic_dropdown").has_value();
              return true;
            })
      .Then("choose an entry",
            [](TfrmInterface& form) { return e2e::ClickDropDownEntry(form, kList, kChosenEntry); })
      .Then("the drop-down closes on the choice",
            [&](TfrmInterface& form) {
              if (e2e::DropDownWindow(form, kList)) return false;
              chosen = ShownEntry(form, kList);
              return true;
            })
      .Then("click the track bar",
            [](TfrmInterface& form) {
              vg::TvgVisualObject* track = e2e::Reachable(form, kTrack);
              return track && e2e::ClickNodeAt(form, *track, {track->Width() * 0.75f, track->Height() / 2});
            })
      .Then("the track bar moves",
            [&](TfrmInterface& form) {
              trackChosen = e2e::Shows(form, kTrackValue);
              return trackChosen != trackBefore;
            })
      .Then("shot changed", e2e::ShotStep("e2e_classic_changed"))
      .Then("write", [](TfrmInterface& form) { return e2e::Click(form, "btnUpdate"); })
      .Then("answer the write's box", e2e::AnswerBoxStep(&written))
      .Then("disconnect", [](TfrmInterface& form) { return Settled(form) && e2e::Click(form, "btnConnect"); })
      .Then("disconnected",
            [&](TfrmInterface& form) {
              if (e2e::LampOn(form) || e2e::Reachable(form, "btnUpdate")) return false;
              connectCaption = e2e::Shows(form, "btnConnect");
              return true;
            })
      .Then("connect", [](TfrmInterface& form) { return e2e::Click(form, "btnConnect"); })
      .Then("the settings are read again",
            [&](TfrmInterface& form) {
              if (!Settled(form) || !OnlyPageShown(form, kFirstParamPage)) return false;
              read = ShownEntry(form, kList);
              trackRead = e2e::Shows(form, kTrackValue);
              return true;
            })
      .Then("shot read again", e2e::ShotStep("e2e_classic_read_again"))
      .Then("restore the factory settings", [](TfrmInterface& form) { return e2e::Click(form, "btnDefault"); })
      .Then("answer the restore's box", e2e::AnswerBoxStep(&restored))
      .Then("the defaults are shown",
            [&](TfrmInterface& form) {
              if (!Settled(form)) return false;
              offRestored = ListsOffDefault(form);
              restoredEntry = ShownEntry(form, kList);
              trackRestored = e2e::Shows(form, kTrackValue);
              return true;
            })
      .Then("shot restored", e2e::ShotStep("e2e_classic_restored"))
      .Then("exit", [](TfrmInterface& form) { return e2e::Choose(form, "Exit1"); });

  EXPECT_EQ(run.Run(std::chrono::seconds(60)), 0);
  unsetenv("ESCTOOL_SIMULATED_HID");
  ASSERT_EQ(run.timedOut, "");

  // The simulated controller's identity and the pages its description gives.
  EXPECT_EQ(controller, "CAR_ESC");
  EXPECT_EQ(hardware, "VALTORINE_456_A");
  std::vector<std::string> expectedPages;
  for (const Page& page : kPages) expectedPages.push_back(page.item);
  EXPECT_EQ(listed, expectedPages);
  EXPECT_EQ(pagesShown, expectedPages);
  EXPECT_TRUE(dropDownShot);

  // It does not start on its factory settings, so the restore is seen.
  EXPECT_FALSE(offAtStart.empty());
  EXPECT_NE(before, kChosenEntry);
  EXPECT_EQ(chosen, kChosenEntry);
  EXPECT_NE(trackChosen, trackMin);

  EXPECT_EQ(written, LangText(run.folder, "setting_succ"));
  EXPECT_EQ(connectCaption, LangText(run.folder, "Connect"));
  EXPECT_EQ(read, kChosenEntry);
  EXPECT_EQ(trackRead, trackChosen);

  EXPECT_EQ(restored, LangText(run.folder, "default_succ"));
  EXPECT_EQ(offRestored, std::vector<std::string>{});
  EXPECT_NE(restoredEntry, kChosenEntry);
  EXPECT_EQ(trackRestored, trackMin);
}

}  // namespace
