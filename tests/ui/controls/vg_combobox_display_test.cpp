// A combo box on a real window (run under xvfb-run) with the built-in
// style and the drop-down in a popup window of its own: a click opens it, a
// click on an item chooses that item and closes it; then the combo track
// bar's drop-down opens the same way. Input goes through the X server, as a
// user's would. Saved as screenshots, with a list box and a combo text box
// beside them.
#include <gtest/gtest.h>
#include <gtk/gtk.h>

#include "tests/support/artifacts.h"
#include "tests/support/gui_events.h"
#include "tests/support/gui_pump.h"
#include "tests/support/vg_scene_form.h"
#include "tests/support/window_shot.h"
#include "tests/ui/window/xtest_input.h"
#include "ui/controls/vg_controls.h"
#include "ui/window/vg_popupwindow.h"

namespace vg {
namespace {

using namespace std::chrono_literals;
using test_support::ClickAt;
using test_support::OpenPopupWindow;
using test_support::PumpFor;
using test_support::PumpUntil;

class ComboOnScreen : public test_support::ControlsFormTest<> {
 protected:
  void SetUp() override {
    SetUpControlsForm(u"esctool combo box", test_support::Popups::InWindows);
    if (IsSkipped()) return;
    root->SetBounds(0, 0, 420, 200);
  }
};

TEST_F(ComboOnScreen, AClickOpensTheDropDownAndAClickOnAnItemChoosesIt) {
  auto* combo = new TvgStringComboBox(nullptr);
  combo->SetParent(root);
  combo->SetBounds(20, 20, 160, 22);
  combo->SetDropDownCount(6);
  combo->Items()->SetCommaText(u"Soft,Medium,Hard,\"Very hard\"");
  combo->SetItemIndex(0);
  int changes = 0;
  combo->OnChange = [&](rtl::TObject*) { ++changes; };
  // A list beside it, for the screenshots: shaded odd rows, check boxes,
  // the current item marked.
  auto* list = new TvgListBox(nullptr);
  list->SetParent(root);
  list->SetBounds(220, 20, 180, 120);
  list->SetAlternatingRowBackground(true);
  list->SetShowCheckboxes(true);
  for (const char16_t* text : {u"Brake", u"Timing", u"Start power", u"Cut-off", u"Governor", u"Direction", u"Beacon"}) {
    auto* item = new TvgListBoxItem(nullptr);
    item->SetText(text);
    item->SetParent(list);
  }
  list->ItemByIndex(2)->SetIsChecked(true);
  list->SetItemIndex(1);
  list->SetHideSelectionUnfocused(false);
  // The text boxes with drop-downs, below.
  auto* editable = new TvgComboTextBox(nullptr);
  editable->SetParent(root);
  editable->SetBounds(20, 110, 160, 22);
  editable->Items()->SetCommaText(u"1000,2000,4000");
  editable->SetItemIndex(1);
  auto* track = new TvgComboTrackBar(nullptr);
  track->SetParent(root);
  track->SetBounds(20, 150, 160, 22);
  track->SetMax(100);
  track->SetValue(40);
  ASSERT_NO_FATAL_FAILURE(ShowForm(420, 200));
  PumpFor(50ms);
  EXPECT_TRUE(test_support::SaveWindowShot(form->Handle(), "combobox_before_first_opening"));

  // A page being built opens and closes each option list twice at once:
  // no window shows and nothing stays open.
  for (int i = 0; i < 4; ++i) combo->DropDown();
  EXPECT_EQ(OpenPopupWindow(), nullptr);
  PumpFor(100ms);
  EXPECT_EQ(OpenPopupWindow(), nullptr);
  EXPECT_FALSE(combo->Popup()->IsOpen());
  EXPECT_TRUE(OpenPopups().empty());

  const gui::TPoint client = form->ClientWindow()->ClientToScreen({0, 0});
  ClickAt(client.X + 100, client.Y + 31);
  ASSERT_TRUE(PumpUntil([&] { return OpenPopupWindow() != nullptr; }, 2000ms));
  PumpFor(300ms);
  GtkWidget* window = OpenPopupWindow();
  int x = 0, y = 0;
  gdk_window_get_origin(gtk_widget_get_window(window), &x, &y);
  EXPECT_EQ(x, client.X + 20);
  EXPECT_EQ(y, client.Y + 42) << "right below the box";
  EXPECT_EQ(gtk_widget_get_allocated_width(window), 160);
  GdkPixbuf* shot = gdk_pixbuf_get_from_window(gdk_get_default_root_window(), client.X, client.Y, 420, 200);
  ASSERT_NE(shot, nullptr);
  EXPECT_TRUE(gdk_pixbuf_save(shot, (test_support::ArtifactDir() / "combobox_dropdown.png").c_str(), "png",
                              nullptr, nullptr));
  g_object_unref(shot);

  TvgListBoxItem* hard = combo->ListBox()->ItemByIndex(2);
  const TvgPoint at = hard->LocalToAbsolute({hard->Width() / 2, hard->Height() / 2});
  ClickAt(x + int(at.X), y + int(at.Y));
  ASSERT_TRUE(PumpUntil([&] { return !combo->Popup()->IsOpen(); }, 2000ms));
  EXPECT_EQ(combo->ItemIndex(), 2);
  EXPECT_EQ(changes, 1);
  PumpUntil([&] { return OpenPopupWindow() == nullptr; }, 1000ms);
  EXPECT_EQ(OpenPopupWindow(), nullptr);
  PumpFor(100ms);
  EXPECT_TRUE(test_support::SaveWindowShot(form->Handle(), "combobox_chosen"));

  // The track bar's drop-down opens from the arrow beside its text.
  ClickAt(client.X + 172, client.Y + 161);
  ASSERT_TRUE(PumpUntil([&] { return OpenPopupWindow() != nullptr; }, 2000ms));
  PumpFor(300ms);
  EXPECT_TRUE(track->Popup()->IsOpen());
  shot = gdk_pixbuf_get_from_window(gdk_get_default_root_window(), client.X, client.Y, 420, 240);
  ASSERT_NE(shot, nullptr);
  EXPECT_TRUE(gdk_pixbuf_save(shot, (test_support::ArtifactDir() / "combotrackbar_dropdown.png").c_str(), "png",
                              nullptr, nullptr));
  g_object_unref(shot);
}

TEST_F(ComboOnScreen, AThreeEntryDropDownShowsEveryEntryWhole) {
  auto* combo = new TvgStringComboBox(nullptr);
  combo->SetParent(root);
  combo->SetBounds(20, 20, 160, 22);
  combo->Items()->SetCommaText(u"Forward,\"Forward and brake\",Reverse");
  combo->SetItemIndex(1);
  ASSERT_NO_FATAL_FAILURE(ShowForm(420, 200));
  PumpFor(50ms);
  const gui::TPoint client = form->ClientWindow()->ClientToScreen({0, 0});
  ClickAt(client.X + 100, client.Y + 31);
  ASSERT_TRUE(PumpUntil([&] { return OpenPopupWindow() != nullptr; }, 2000ms));
  PumpFor(300ms);
  EXPECT_EQ(gtk_widget_get_allocated_height(OpenPopupWindow()), 3 * 19 + 4);
  TvgListBox* list = combo->ListBox();
  EXPECT_FALSE(list->FindResource("vscrollbar")->Visual()->Visible());
  GdkPixbuf* shot = gdk_pixbuf_get_from_window(gdk_get_default_root_window(), client.X, client.Y, 420, 200);
  ASSERT_NE(shot, nullptr);
  EXPECT_TRUE(gdk_pixbuf_save(shot, (test_support::ArtifactDir() / "combobox_three_entries.png").c_str(), "png",
                              nullptr, nullptr));
  g_object_unref(shot);
  combo->DropDown();
  PumpUntil([&] { return OpenPopupWindow() == nullptr; }, 1000ms);
}

}  // namespace
}  // namespace vg
