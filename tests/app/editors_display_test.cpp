// The program started from its program folder shows the pages of sample
// controllers; a click on a table parameter opens its editor on screen in
// the real modal loop, where the user edits with the mouse and confirms,
// and the parameter's table takes the edit. Each editor is saved as a
// screenshot artifact.
#include <glib.h>
#include <gtk/gtk.h>

#include <functional>
#include <string>
#include <vector>

#include "app/FrequencyEditorForm.h"
#include "app/MainFormParams.h"
#include "app/TableEditorForm.h"
#include "app/pages/ParamControls.h"
#include "platform/rtl/HexText.h"
#include "tests/app/program_run.h"
#include "tests/support/gui_events.h"
#include "tests/support/gui_pump.h"
#include "tests/support/window_shot.h"

namespace app {
namespace {

using namespace std::chrono_literals;

// Where PlotGrid1 lies in a curve editor's client area.
constexpr double kPlotLeft = 57, kPlotTop = 30;

struct EditorCase {
  const char* section;  // the sample description
  int mode;             // the ItemMode of the parameter clicked
  const char* shot;
  std::function<void(gui::TForm&)> edit;  // the user's edit, ending with OK
};

// A drag on the plot from one point to another with the left button.
void DragOnPlot(gui::TForm& editor, double fromX, double fromY, double toX, double toY) {
  gui::TSceneWindow& window = *editor.ClientWindow();
  const gui::TPoint origin = window.ClientToScreen({0, 0});
  test_support::SendMotion(window, origin.X + static_cast<int>(kPlotLeft + fromX), origin.Y + static_cast<int>(kPlotTop + fromY));
  test_support::SendButton(window, GDK_BUTTON_PRESS, 1, kPlotLeft + fromX, kPlotTop + fromY, 10);
  test_support::SendMotion(window, origin.X + static_cast<int>(kPlotLeft + toX), origin.Y + static_cast<int>(kPlotTop + toY));
  test_support::SendButton(window, GDK_BUTTON_RELEASE, 1, kPlotLeft + toX, kPlotTop + toY, 20);
  test_support::PumpFor(100ms);
}

// The editor the main window runs modally, once it is on screen and drawn.
TSceneForm* ShownEditor(TfrmInterface& form) {
  for (int i = 0; i < form.ComponentCount(); ++i) {
    auto* editor = dynamic_cast<TSceneForm*>(form.Components(i));
    if (!editor || !editor->IsModal() || !editor->HandleAllocated() || !gtk_widget_get_mapped(editor->Handle()))
      continue;
    if (editor->ControlsScene->DrawCount() > 0) return editor;
  }
  return nullptr;
}

TEST(EditorsOnScreen, EachEditorOpensFromItsParameterAndWritesTheEditBack) {
  const std::vector<EditorCase> cases = {
      {"CAR_ESC VALTORINE_456_A V1", 8, "editor_curve_256",
       [](gui::TForm& editor) {
         DragOnPlot(editor, 216, 200, 216, 80);  // a new node at point 100, dragged from 70 to 190
         EXPECT_TRUE(test_support::SaveWindowShot(editor.Handle(), "editor_curve_256_edited"));
         dynamic_cast<TfrmGraph&>(editor).btnOk->Click();
       }},
      {"CAR_ESC VALTORINE_456_A V1", 9, "editor_curve_rpm",
       [](gui::TForm& editor) {
         auto& graph = dynamic_cast<TfrmGraph&>(editor);
         graph.btnInitClick(graph.btnInit);
         graph.btnOk->Click();
       }},
      {"CAR_ESC QV4-1BSD V3.1", 12, "editor_frequency",
       [](gui::TForm& editor) {
         auto& graph = dynamic_cast<TfrmGraph2&>(editor);
         graph.scbSelect->SetItemIndex(5);
         DragOnPlot(editor, 216, 160, 216, 60);  // a node at point 25 lifted above the level
         EXPECT_EQ(graph.scbSelect->Count(), 10);
         EXPECT_TRUE(test_support::SaveWindowShot(editor.Handle(), "editor_frequency_edited"));
         graph.btnOk->Click();
       }},
      {"CAR_ESC QV4-ASD", 3, "editor_table_rpm",
       [](gui::TForm& editor) {
         auto& table = dynamic_cast<TfrmAdjust&>(editor);
         table.CheckBox1->SetIsChecked(true);
         table.CheckBox1Click(table.CheckBox1);
         table.Bar(4).SetValue(table.Bar(4).Value() + 1000);
         table.Bar(20).SetValue(table.Bar(20).Value() + 5000);
         test_support::PumpFor(150ms);
         EXPECT_TRUE(test_support::SaveWindowShot(editor.Handle(), "editor_table_rpm_edited"));
         table.btnOk->Click();
       }},
      {"CAR_ESC VALTORINE_456_A V1", 4, "editor_table_bytes",
       [](gui::TForm& editor) {
         auto& table = dynamic_cast<TfrmAdjust&>(editor);
         table.Bar(0).SetValue(table.Bar(0).Value() + 20);
         table.btnOk->Click();
       }},
  };
  testing::ProgramRun run;
  std::vector<std::string> before(cases.size()), after(cases.size()), shots;
  std::vector<std::string> boxes(cases.size());
  run.Then("the window has started", [](TfrmInterface& form) {
    return !form.State().FirstActivation && form.Params().DescriptionLoaded() && form.ControlsScene->DrawCount() > 0;
  });
  for (std::size_t c = 0; c < cases.size(); ++c) {
    const EditorCase& editor = cases[c];
    run.Then(std::string("the pages of ") + editor.section,
             [&, c](TfrmInterface& form) {
               form.Params().LoadDeviceDescription(editor.section);
               form.Params().BuildParameterPages();
               const params::VERSION& version = form.Params().Version();
               for (int i = 0; i < version.item && boxes[c].empty(); ++i)
                 if (version.items[static_cast<std::size_t>(i)].mode == editor.mode) boxes[c] = "eItem" + std::to_string(i);
               if (boxes[c].empty()) return true;  // reported below
               before[c] = ParamControls(form).Text(boxes[c]);
               static std::string clicked;
               clicked = boxes[c];
               g_idle_add(
                   [](gpointer data) {
                     static_cast<TfrmInterface*>(data)->Params().Editor().itemClick(clicked);
                     return G_SOURCE_REMOVE;
                   },
                   &form);
               return true;
             })
        .Then(std::string(editor.shot) + " on screen",
              [&, c](TfrmInterface& form) {
                if (boxes[c].empty()) return true;
                TSceneForm* shown = ShownEditor(form);
                if (!shown) return false;
                test_support::PumpFor(150ms);
                if (test_support::SaveWindowShot(shown->Handle(), editor.shot)) shots.push_back(editor.shot);
                editor.edit(*shown);
                return true;
              })
        .Then(std::string(editor.shot) + " closed", [&, c](TfrmInterface& form) {
          if (!boxes[c].empty() && ShownEditor(form)) return false;
          if (!boxes[c].empty()) after[c] = ParamControls(form).Text(boxes[c]);
          return true;
        });
  }
  // For the settings report the frequency editor stays open beside the pages, without a modal loop.
  bool reportEditorShown = false, helpHiddenForReport = false;
  run.Then("the report's curve editor", [&](TfrmInterface& form) {
    if (boxes[2].empty()) return true;
    form.Params().LoadDeviceDescription(cases[2].section);
    form.Params().BuildParameterPages();
    form.State().ReportCapture = true;
    form.Params().Editor().itemClick(boxes[2]);
    form.State().ReportCapture = false;
    TCurveEditorForm* editor = form.Params().ReportEditor();
    if (!editor) return true;
    test_support::PumpFor(200ms);
    reportEditorShown = !editor->IsModal() && gtk_widget_get_mapped(editor->Handle()) &&
                        test_support::SaveWindowShot(editor->Handle(), "editor_frequency_report");
    helpHiddenForReport = !form.Node<vg::TvgVisualObject>("Panel6")->Visible();
    form.Params().FreeReportEditor();
    return true;
  });
  run.Then("the window is closed", [](TfrmInterface& form) {
    form.Close();
    return true;
  });
  EXPECT_EQ(run.Run(std::chrono::seconds(60)), 0);
  EXPECT_EQ(run.timedOut, "");
  EXPECT_EQ(shots.size(), cases.size());

  auto bytes = [](const std::string& hex) {
    std::vector<std::uint8_t> out(hex.size() / 2);
    EXPECT_EQ(rtl::HexToBytes(hex, out), static_cast<int>(out.size())) << hex;
    return out;
  };
  for (std::size_t c = 0; c < cases.size(); ++c) {
    SCOPED_TRACE(cases[c].shot);
    ASSERT_FALSE(boxes[c].empty()) << "no parameter of mode " << cases[c].mode;
    EXPECT_EQ(after[c].size(), before[c].size());
    EXPECT_NE(after[c], before[c]);
  }
  EXPECT_TRUE(reportEditorShown);
  EXPECT_TRUE(helpHiddenForReport);
  EXPECT_EQ(bytes(after[0])[100], 190);
  const std::vector<std::uint8_t> frequency = bytes(after[2]);
  EXPECT_GT(frequency[25], frequency[0]);
}

}  // namespace
}  // namespace app
