// The tree view, the colour controls and the calendar on a real window (run
// under xvfb-run) with the built-in styles and the GDI+ canvas, saved as
// screenshots: a tree with an expanded branch, a selection and check
// boxes; the colour ramps, square, strip, swatch, gradient editor and
// panel; the combo colour box with its drop-down open; calendars with
// Monday and Sunday first and a date box with its calendar dropped down.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "tests/support/artifacts.h"
#include "tests/support/gui_pump.h"
#include "tests/support/vg_scene_form.h"
#include "tests/support/window_shot.h"
#include "ui/controls/vg_controls.h"
#include "ui/window/vg_popupwindow.h"

namespace vg {
namespace {

using namespace std::chrono_literals;
using test_support::PumpFor;
using test_support::PumpUntil;

class PickersOnScreen : public test_support::ControlsFormTest<> {
 protected:
  void SetUp() override {
    SetUpControlsForm(u"esctool pickers", test_support::Popups::InWindows);
  }
  void Show(int width, int height) {
    root->SetBounds(0, 0, width, height);
    ASSERT_NO_FATAL_FAILURE(ShowForm(width, height));
  }
  template <class T>
  T* Place(float x, float y, float w, float h) {
    auto* control = new T(nullptr);
    control->SetParent(root);
    control->SetBounds(x, y, w, h);
    return control;
  }
  // Saves the form and, when open, the screen around it with the popup's
  // own window.
  void Shoot(const char* name, TvgPopup* popup = nullptr) {
    PumpFor(400ms);
    EXPECT_TRUE(test_support::SaveWindowShot(form->Handle(), name));
    if (!popup || !popup->PopupWindow()) return;
    GdkRectangle area{};
    gdk_window_get_frame_extents(gtk_widget_get_window(form->Handle()), &area);
    const TvgRect bounds = popup->PopupWindow()->Bounds();
    const TvgRect both = vgUnionRect(
        {float(area.x), float(area.y), float(area.x + area.width), float(area.y + area.height)}, bounds);
    const std::unique_ptr<GdkPixbuf, decltype(&g_object_unref)> shot(
        gdk_pixbuf_get_from_window(gdk_get_default_root_window(), int(both.Left), int(both.Top),
                                   int(vgRectWidth(both)), int(vgRectHeight(both))),
        &g_object_unref);
    ASSERT_TRUE(shot);
    const std::string file = (test_support::ArtifactDir() / (std::string(name) + "_dropdown.png")).string();
    EXPECT_TRUE(gdk_pixbuf_save(shot.get(), file.c_str(), "png", nullptr, nullptr));
  }
};

TEST_F(PickersOnScreen, TreeViewWithBranchesSelectionAndCheckBoxes) {
  auto* tree = Place<TvgTreeView>(16, 16, 220, 240);
  auto* checks = Place<TvgTreeView>(252, 16, 220, 240);
  checks->SetShowCheckboxes(true);
  tree->SetHideSelectionUnfocused(false);
  for (TvgTreeView* view : {tree, checks}) {
    for (const char16_t* top : {u"Motor", u"Battery", u"Throttle"}) {
      auto* item = new TvgTreeViewItem(nullptr);
      item->SetText(top);
      view->AddObject(item);
      for (const char16_t* child : {u"Timing", u"Start power", u"Brake"}) {
        auto* sub = new TvgTreeViewItem(nullptr);
        sub->SetText(child);
        item->AddObject(sub);
      }
    }
    view->ItemByIndex(0)->SetIsExpanded(true);
    view->ItemByIndex(0)->ItemByIndex(1)->SetIsChecked(true);
  }
  Show(488, 272);
  tree->SetFocus();
  tree->SetSelected(tree->ItemByIndex(0)->ItemByIndex(1));
  checks->SetFocus();
  checks->SetSelected(checks->ItemByIndex(2));
  PumpFor(300ms);
  EXPECT_EQ(tree->GlobalCount(), 6);
  Shoot("treeview");
}

TEST_F(PickersOnScreen, ColourControlsAndTheComboDropDown) {
  Place<TvgHueTrackBar>(16, 16, 200, 15);
  Place<TvgAlphaTrackBar>(16, 40, 200, 15);
  Place<TvgBWTrackBar>(16, 64, 200, 15);
  auto* quad = Place<TvgColorQuad>(16, 92, 120, 120);
  auto* picker = Place<TvgColorPicker>(146, 92, 15, 120);
  auto* swatch = Place<TvgColorBox>(172, 92, 44, 44);
  picker->SetColorQuad(quad);
  quad->SetColorBox(swatch);
  picker->SetColor(0xC03D8EE6);
  auto* gradient = Place<TvgGradientEdit>(16, 228, 200, 30);
  TvgGradientPoints& stops = *gradient->Gradient()->Points();
  stops.Clear();
  stops.AddPoint(0xFFE6543D, 0);
  stops.AddPoint(0x803D8EE6, 0.6f);
  stops.AddPoint(0xFFFFFFFF, 1);
  gradient->SetCurrentPoint(1);
  auto* panel = Place<TvgColorPanel>(240, 16, 150, 150);
  panel->SetColor("#FF40C060");
  auto* combo = Place<TvgComboColorBox>(240, 184, 80, 22);
  combo->SetValue("#A0E6543D");
  Show(420, 280);
  combo->DropDown();
  ASSERT_TRUE(PumpUntil([&] { return combo->Popup()->IsOpen() && combo->Popup()->PopupWindow(); }));
  EXPECT_EQ(combo->ColorText()->Text(), u"#A0E6543D");
  Shoot("colorcontrols", combo->Popup());
  combo->DropDown();
}

TEST_F(PickersOnScreen, CalendarWithWeekNumbersAndADateBoxDroppedDown) {
  auto* calendar = Place<TvgCalendar>(16, 16, 200, 160);
  calendar->SetFirstDayOfWeek(vgMonday);
  calendar->SetWeekNumbers(true);
  calendar->SetDate(rtl::EncodeDate(2020, 12, 24));
  auto* sunday = Place<TvgCalendar>(232, 16, 180, 160);
  sunday->SetFirstDayOfWeek(vgSunday);
  sunday->SetDate(rtl::EncodeDate(2024, 2, 29));
  auto* box = Place<TvgCalendarBox>(16, 192, 160, 22);
  box->SetDate(rtl::EncodeDate(2026, 3, 1));
  Place<TvgCalendarTextBox>(232, 192, 160, 22)->SetDate(rtl::EncodeDate(2026, 3, 2));
  Show(428, 240);
  EXPECT_EQ(calendar->WeekLabel(4)->Text(), u"53");
  box->DropDown();
  ASSERT_TRUE(PumpUntil([&] { return box->Popup()->IsOpen() && box->Popup()->PopupWindow(); }));
  Shoot("calendar", box->Popup());
  box->DropDown();
}

}  // namespace
}  // namespace vg
