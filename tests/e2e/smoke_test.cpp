// The driver's own check: the program on a simulated classic controller,
// a page chosen with the pointer, the write button clicked and its box
// answered, the About box opened and closed from the menu, then Exit.
#include <gtest/gtest.h>

#include "app/MainForm.h"
#include "tests/app/program_run.h"
#include "tests/e2e/e2e_user.h"

namespace {

using app::TfrmInterface;

bool Identified(TfrmInterface& form) {
  return !e2e::Shows(form, "eController").empty() && !gui::TopModalForm() &&
         !e2e::ShownWindow(form, "TfrmProgress") && e2e::Reachable(form, "ListBoxItem2");
}

TEST(Driver, ClicksChoosesAndAnswers) {
  setenv("ESCTOOL_SIMULATED_HID", "CAR_ESC", 1);
  app::testing::ProgramRun run;
  std::string answered, about;
  run.Then("identified", Identified)
      .Then("a page is clicked", [](TfrmInterface& form) { return e2e::Click(form, "ListBoxItem2"); })
      .Then("shot", e2e::ShotStep("e2e_smoke_page"))
      .Then("write clicked", [](TfrmInterface& form) { return e2e::Click(form, "btnUpdate"); })
      .Then("its box answered",
            [&](TfrmInterface&) {
              e2e::TSceneForm* box = e2e::Front();
              if (!box || box == gui::MainForm()) return false;
              answered = e2e::Shows(*box, "Label1");
              return e2e::Click(*box, "btnOk");
            })
      .Then("about chosen",
            [](TfrmInterface& form) { return !gui::TopModalForm() && e2e::Choose(form, "About1"); })
      .Then("about closed",
            [&](TfrmInterface&) {
              e2e::TSceneForm* box = e2e::Front();
              if (!box || box == gui::MainForm()) return false;
              about = box->ClassName();
              box->Close();
              return true;
            })
      .Then("exit", [](TfrmInterface& form) { return !gui::TopModalForm() && e2e::Choose(form, "Exit1"); });
  EXPECT_EQ(run.Run(std::chrono::seconds(60)), 0);
  EXPECT_EQ(run.timedOut, "");
  EXPECT_FALSE(answered.empty());
  EXPECT_FALSE(about.empty());
}

}  // namespace
