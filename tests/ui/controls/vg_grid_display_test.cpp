// A string grid of 200 rows on a real window (run under xvfb-run) with the
// built-in style and the GDI+ canvas: scrolled by wheel events through the
// window, a cell clicked and edited by typing into the window; the result is
// saved as a screenshot artifact.
#include <gtest/gtest.h>
#include <gtk/gtk.h>

#include <string>

#include "platform/rtl/TextConvert.h"
#include "tests/support/gui_events.h"
#include "tests/support/gui_pump.h"
#include "tests/support/vg_scene_form.h"
#include "tests/support/window_shot.h"
#include "ui/controls/vg_controls.h"
#include "ui/window/vg_scenehost.h"

namespace vg {
namespace {

using namespace std::chrono_literals;
using test_support::PumpFor;
using test_support::PumpUntil;
using test_support::Type;

class GridOnScreen : public test_support::ControlsFormTest<> {
 protected:
  void SetUp() override {
    SetUpControlsForm(u"esctool grid");
  }
  // The pointer moves to a point of the scene and turns the wheel a notch
  // down, as the window system delivers it.
  void WheelDown(TvgPoint at) {
    gui::TSceneWindow& window = *form->ClientWindow();
    const gui::TPoint origin = window.ClientToScreen({0, 0});
    test_support::SendMotion(window, origin.X + int(at.X), origin.Y + int(at.Y));
    GdkEvent* event = gdk_event_new(GDK_SCROLL);
    event->scroll.window = GDK_WINDOW(g_object_ref(gtk_widget_get_window(window.Widget())));
    event->scroll.send_event = TRUE;
    event->scroll.direction = GDK_SCROLL_DOWN;
    event->scroll.x = at.X;
    event->scroll.y = at.Y;
    event->scroll.x_root = origin.X + at.X;
    event->scroll.y_root = origin.Y + at.Y;
    gdk_event_set_device(event, test_support::Device(false));
    gtk_main_do_event(event);
    gdk_event_free(event);
  }
  void Click(TvgPoint at) {
    gui::TSceneWindow& window = *form->ClientWindow();
    test_support::SendButton(window, GDK_BUTTON_PRESS, 1, at.X, at.Y, 10);
    test_support::SendButton(window, GDK_BUTTON_RELEASE, 1, at.X, at.Y, 20);
    PumpFor(20ms);
  }
};

TEST_F(GridOnScreen, TwoHundredRowsScrolledByWheelAndEditedByTyping) {
  auto* grid = new TvgStringGrid(nullptr);
  grid->SetParent(root);
  grid->SetBounds(20, 20, 420, 300);
  grid->SetAlternatingRowBackground(true);
  const char* headers[] = {"Time", "RPM", "Volts", "Amps"};
  for (const char* header : headers) {
    auto* column = new TvgStringColumn(nullptr);
    column->SetWidth(96);
    column->SetHeader(rtl::Utf8ToUtf16(header));
    column->SetParent(grid);
  }
  grid->SetRowCount(200);
  for (int row = 0; row < 200; ++row) {
    grid->SetCells(0, row, rtl::Utf8ToUtf16(std::to_string(row / 10) + "." + std::to_string(row % 10) + " s"));
    grid->SetCells(1, row, rtl::Utf8ToUtf16(std::to_string(12000 + row * 37)));
    grid->SetCells(2, row, rtl::Utf8ToUtf16("16." + std::to_string(row % 10)));
    grid->SetCells(3, row, rtl::Utf8ToUtf16(std::to_string(20 + row % 7) + ".5"));
  }
  root->SetBounds(0, 0, 460, 340);
  ASSERT_NO_FATAL_FAILURE(ShowForm(460, 340));
  form->ClientWindow()->SetFocus();
  ASSERT_NE(grid->ContentLayout(), nullptr) << "the built-in book has the grid's style";
  const std::size_t pool = grid->GetColumn(0)->CellControls().size();
  EXPECT_EQ(pool, static_cast<std::size_t>(grid->GetVisibleRows()));

  // Wheel scrolling, eased by the real animation clock.
  const TvgPoint middle = grid->LocalToAbsolute({grid->Width() / 2, grid->Height() / 2});
  for (int notch = 0; notch < 4; ++notch) WheelDown(middle);
  ASSERT_TRUE(PumpUntil([&] { return grid->GetTopRow() >= 3; }));
  PumpFor(800ms);
  const int top = grid->GetTopRow();
  EXPECT_EQ(grid->GetColumn(1)->CellControls()[0]->TagString, "(1," + std::to_string(top) + ")");
  EXPECT_EQ(grid->GetColumn(0)->CellControls().size(), pool) << "scrolling reuses the pool";

  // A click on a cell in view makes its row and column current; typing edits it.
  const int row = top + 2;
  const TvgPoint cell = grid->Content()->LocalToAbsolute({96 * 2 + 40, row * grid->RowHeight() + 10});
  Click(cell);
  EXPECT_EQ(grid->Selected(), row);
  EXPECT_EQ(grid->ColumnIndex(), 2);
  for (unsigned key : {GDK_KEY_1, GDK_KEY_5, GDK_KEY_period, GDK_KEY_2}) Type(form->Handle(), key);
  PumpFor(20ms);
  auto* editor = static_cast<TvgTextBox*>(grid->GetColumn(2)->CellControlByRow(row));
  ASSERT_NE(editor, nullptr);
  EXPECT_TRUE(editor->IsFocused());
  EXPECT_EQ(editor->Text(), u"15.2");
  PumpFor(300ms);
  EXPECT_TRUE(test_support::SaveWindowShot(form->Handle(), "grid_editing"));
  Type(form->Handle(), GDK_KEY_Return);
  PumpFor(20ms);
  EXPECT_EQ(grid->GetCells(2, row), u"15.2");
  EXPECT_TRUE(grid->IsFocused());
  PumpFor(300ms);
  EXPECT_TRUE(test_support::SaveWindowShot(form->Handle(), "grid_scrolled_and_edited"));
}

}  // namespace
}  // namespace vg
