// The program started from its program folder on the simulated adapter
// builds the identified controller's parameter pages into its window, filled
// from the controller's settings; a value changed on a page and written is
// what the controller gives back when its settings are read again.
#include <glib.h>

#include "app/MainFormDevice.h"
#include "app/MainFormParams.h"
#include "app/pages/ParamControls.h"
#include "platform/rtl/TextConvert.h"
#include "tests/app/program_run.h"
#include "tests/support/window_shot.h"
#include "ui/controls/vg_listbox.h"

namespace app {
namespace {

struct Model {
  const char* name;
  const char* list;  // an option list of the first page
  int choice;        // the entry chosen on it
  int offset;        // stored byte = entry index + offset
};

bool PagesBuilt(TfrmInterface& form, const Model& model) {
  const device::DeviceState& link = form.Device().State();
  return link.Connected && !link.Busy && !form.Progress().Exists() && form.FindComponent(model.list);
}

// Clicks the write button from the message loop: its success box is modal.
void ClickWriteLater(TfrmInterface& form) {
  g_idle_add(
      [](gpointer data) {
        static_cast<TfrmInterface*>(data)->btnUpdateClick(nullptr);
        return G_SOURCE_REMOVE;
      },
      &form);
}

bool AnswerInfoBox(TfrmInterface& form, std::string& text) {
  TfrmInfo* box = form.Info().Form();
  if (!box || !box->IsModal()) return false;
  text = rtl::Utf16ToUtf8(box->Label1->Text());
  box->btnOkClick(nullptr);
  return true;
}

void ReadSettingsAgain(TfrmInterface& form) {
  device::DeviceState& link = form.Device().State();
  link.Busy = true;
  const std::string failure = form.Device().Jobs().ReadSettings();
  link.Busy = false;
  EXPECT_EQ(failure, "");
  form.Params().BuildParameterPages();
}

// A classic car controller and one on the register protocol. The program
// runs once per process: the build makes one test program for each model.
constexpr Model kModels[] = {{"CAR_ESC", "cbItem1", 3, 1}, {"CAR_ESC_QV4", "cbItem0", 2, 0}};

TEST(ProgramPages, ShowsTheControllersSettingsAndWritesAChangedValue) {
  const Model& model = kModels[ESCTOOL_PAGES_MODEL];
  setenv("ESCTOOL_SIMULATED_HID", model.name, 1);
  testing::ProgramRun run;
  int shownIndex = -1, storedByte = -1, readBack = -1, drawsBefore = 0;
  std::vector<std::string> firstPage;
  std::string answer, saved;
  bool shot = false, writable = false;
  const int item = std::stoi(std::string(model.list).substr(6));
  std::string boxShown;  // a box shown while the pages are awaited
  run.Then("the pages are built",
           [&](TfrmInterface& form) {
             if (TfrmInfo* box = form.Info().Form(); box && box->IsModal() && boxShown.empty())
               boxShown = rtl::Utf16ToUtf8(box->Label1->Text()) + " (pages of " +
                          std::to_string(form.Params().Version().tab) + " tabs)";
             return PagesBuilt(form, model);
           })
      .Then("the first page is shown",
            [&](TfrmInterface& form) {
              ParamControls controls(form);
              const device::DeviceState& link = form.Device().State();
              shownIndex = controls.ItemIndex(model.list);
              writable = form.Node<vg::TvgVisualObject>("btnUpdate")->Enabled();
              storedByte = link.SettingsImage[static_cast<std::size_t>(link.Layout.valueOffset + item)];
              auto* list = form.Node<vg::TvgListBox>("ListBox1");
              for (int i = 0; list && i < list->Count(); ++i) firstPage.push_back(list->ItemByIndex(i)->Name());
              form.ShowPageItem(params::kFirstParamPage);
              drawsBefore = form.ControlsScene->DrawCount();
              return true;
            })
      .Then("the page is shot",
            [&](TfrmInterface& form) {
              if (form.ControlsScene->DrawCount() == drawsBefore) return false;
              shot = test_support::SaveWindowShot(form.Handle(), std::string("main_window_pages_") + model.name)
                         .has_value();
              return true;
            })
      .Then("a value is changed and written",
            [&](TfrmInterface& form) {
              ParamControls(form).SetItemIndex(model.list, model.choice);
              ClickWriteLater(form);
              return true;
            })
      .Then("the write's box is answered",
            [&](TfrmInterface& form) {
              saved = form.LangText("setting_succ", "?");
              return AnswerInfoBox(form, answer);
            })
      .Then("the settings are read again",
            [&](TfrmInterface& form) {
              if (form.Device().State().Busy) return false;
              ReadSettingsAgain(form);
              readBack = ParamControls(form).ItemIndex(model.list);
              return true;
            })
      .Then("the window is closed", [](TfrmInterface& form) {
        form.Close();
        return true;
      });
  EXPECT_EQ(run.Run(std::chrono::seconds(40)), 0);
  unsetenv("ESCTOOL_SIMULATED_HID");
  EXPECT_EQ(run.timedOut, "") << boxShown;
  EXPECT_GE(shownIndex, 0);
  EXPECT_NE(shownIndex, model.choice);
  EXPECT_EQ(shownIndex, storedByte - model.offset);
  EXPECT_GE(firstPage.size(), 2u);
  EXPECT_TRUE(shot);
  EXPECT_TRUE(writable);
  EXPECT_EQ(answer, saved);
  EXPECT_EQ(readBack, model.choice);
}

}  // namespace
}  // namespace app
