// A user opens a table parameter's editor by choosing the custom entry of
// its drop-down list with the mouse, edits the table and closes the editor
// with OK, then once more with Cancel: the program goes on, the edited table
// stays after OK and Cancel leaves it. One editor kind per program (the
// program runs once per process): the throttle curve of the classic car
// controller, the rpm table of the register one and the brake frequency
// curve, whose editor's own list closes alone on Esc.
#include <gtk/gtk.h>
#include <gtest/gtest.h>

#include <string>

#include "app/MainForm.h"
#include "platform/rtl/TypeInfo.h"
#include "tests/app/program_run.h"
#include "tests/e2e/e2e_user.h"
#include "ui/controls/vg_combobox.h"
#include "ui/controls/vg_listbox.h"

namespace {

using app::TfrmInterface;
using app::testing::ProgramRun;

struct EditorCase {
  const char* model;
  const char* page;    // the page list's entry of the parameter's page
  const char* list;    // the parameter's drop-down list
  const char* table;   // its table box
  const char* editor;  // the editor's class
  const char* edited;  // the node of the editor a click edits
};

#if EDITOR_CASE == 0
constexpr EditorCase kCase{"CAR_ESC", "ListBoxItem4", "cbItem14", "eItem14", "TfrmGraph", "PlotGrid1"};
#elif EDITOR_CASE == 1
constexpr EditorCase kCase{"CAR_ESC_QV4", "ListBoxItem2", "cbItem3", "eItem3", "TfrmAdjust", "Trackbar2"};
#else
constexpr EditorCase kCase{"CAR_ESC_BSD", "ListBoxItem2", "cbItem0", "eItem0", "TfrmGraph2", "PlotGrid1"};
#endif
constexpr bool kEditorHasAList = EDITOR_CASE == 2;

bool Ready(TfrmInterface& form) { return e2e::Settled(form) && e2e::LampOn(form) && e2e::Reachable(form, kCase.list); }

int LastEntry(TfrmInterface& form) { return form.Node<vg::TvgComboBox>(kCase.list)->ListBox()->Count() - 1; }

struct Round {
  std::string entryShown, tableAfter;
  bool editorStayedOnEsc = false;
};

// Chooses `entry` of the parameter's list with the mouse (the last one
// for -1); done once the list has closed with it chosen.
void ChooseEntry(ProgramRun& run, const std::string& what, int entry) {
  run.Then(what + ": list opened", [](TfrmInterface& form) { return Ready(form) && e2e::Click(form, kCase.list); })
      .Then(what + ": entry clicked",
            [entry](TfrmInterface& form) {
              return e2e::ClickDropDownEntry(form, kCase.list, entry < 0 ? LastEntry(form) : entry);
            })
      .Then(what + ": entry chosen", [entry](TfrmInterface& form) {
        return !e2e::DropDownWindow(form, kCase.list) &&
               form.Node<vg::TvgComboBox>(kCase.list)->ItemIndex() == (entry < 0 ? LastEntry(form) : entry);
      });
}

// Esc with the editor's own list open closes that list only.
void EscapeFromTheEditorsList(ProgramRun& run, Round& round) {
  run.Then("its list opened", [](TfrmInterface&) {
       e2e::TSceneForm* editor = e2e::Dialog(kCase.editor);
       return editor && e2e::Click(*editor, "scbSelect");
     })
      .Then("Esc pressed in the list",
            [](TfrmInterface&) {
              e2e::TSceneForm* editor = e2e::Dialog(kCase.editor);
              if (!editor || !e2e::DropDownWindow(*editor, "scbSelect")) return false;
              e2e::Press(*editor, GDK_KEY_Escape);
              return true;
            })
      .Then("the list closed", [&round](TfrmInterface&) {
        e2e::TSceneForm* editor = e2e::Dialog(kCase.editor);
        if (editor && e2e::DropDownWindow(*editor, "scbSelect")) return false;
        round.editorStayedOnEsc = editor != nullptr;
        return true;
      });
}

// The custom entry chosen, the editor edited and closed by `button`.
void EditFromTheList(ProgramRun& run, const std::string& what, const char* button, Round& round) {
  ChooseEntry(run, what, -1);
  run.Then(what + ": editor shown", [](TfrmInterface&) {
    e2e::TSceneForm* editor = e2e::Dialog(kCase.editor);
    return editor && editor->ControlsScene->DrawCount() > 0;
  });
  if (button == std::string("btnOk"))
    run.Then(what + ": shot", e2e::ShotStep(std::string("e2e_editor_from_list_") + kCase.model));
  if (kEditorHasAList && button == std::string("btnCancel")) EscapeFromTheEditorsList(run, round);
  run.Then(what + ": edited",
           [](TfrmInterface&) {
             e2e::TSceneForm* editor = e2e::Dialog(kCase.editor);
             vg::TvgVisualObject* node = editor ? e2e::Reachable(*editor, kCase.edited) : nullptr;
             return node && e2e::ClickNodeAt(*editor, *node, {node->Width() / 2, node->Height() / 5});
           })
      .Then(what + ": closed", [button](TfrmInterface&) {
        e2e::TSceneForm* editor = e2e::Dialog(kCase.editor);
        return editor && e2e::Click(*editor, button);
      })
      .Then(what + ": table read", [&round](TfrmInterface& form) {
        if (!Ready(form)) return false;
        round.entryShown = e2e::ShownEntry(form, kCase.list);
        round.tableAfter = e2e::Shows(form, kCase.table);
        return true;
      });
}

TEST(EditorFromList, OkKeepsTheEditedTableAndCancelLeavesIt) {
  setenv("ESCTOOL_SIMULATED_HID", kCase.model, 1);
  ProgramRun run;
  std::string before, customEntry;
  Round ok, cancel;
  run.Then("identified", [](TfrmInterface& form) { return e2e::Settled(form) && e2e::LampOn(form); })
      .Then("page shown", [](TfrmInterface& form) { return e2e::Click(form, kCase.page); })
      .Then("table read", [&](TfrmInterface& form) {
        if (!Ready(form)) return false;
        before = e2e::Shows(form, kCase.table);
        auto* list = form.Node<vg::TvgComboBox>(kCase.list);
        customEntry = rtl::GetPropText(list->ListBox()->ItemByIndex(LastEntry(form)), "Text");
        return true;
      });
  EditFromTheList(run, "OK", "btnOk", ok);
  ChooseEntry(run, "first entry", 0);
  EditFromTheList(run, "Cancel", "btnCancel", cancel);
  run.Then("exit", [](TfrmInterface& form) { return e2e::Settled(form) && e2e::Choose(form, "Exit1"); });

  EXPECT_EQ(run.Run(std::chrono::seconds(60)), 0);
  unsetenv("ESCTOOL_SIMULATED_HID");
  ASSERT_EQ(run.timedOut, "");
  EXPECT_EQ(ok.entryShown, customEntry);
  EXPECT_FALSE(before.empty());
  EXPECT_NE(ok.tableAfter, before);
  EXPECT_EQ(cancel.entryShown, customEntry);
  EXPECT_EQ(cancel.tableAfter, ok.tableAfter);
  if (kEditorHasAList) {
    EXPECT_TRUE(cancel.editorStayedOnEsc);
  }
}

}  // namespace
