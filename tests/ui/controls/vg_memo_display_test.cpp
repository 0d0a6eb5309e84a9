// The memo on a real window (run under xvfb-run) with the built-in style,
// the GDI+ canvas, real timers and the platform's popup menu: typing,
// selecting with the mouse, wheel scrolling and Undo from the context menu;
// the result is saved as a screenshot artifact.
#include <gtest/gtest.h>
#include <gtk/gtk.h>

#include <algorithm>
#include <cmath>
#include <string>

#include "platform/rtl/TextConvert.h"
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

class MemoOnScreen : public test_support::ControlsFormTest<> {
 protected:
  void SetUp() override {
    SetUpControlsForm(u"esctool memo");
  }
  void Show(int width, int height) {
    root->SetBounds(0, 0, width, height);
    ShowForm(width, height);
  }
  // The shown popup menu's items, empty when none is shown.
  GList* ShownMenuItems() {
    GtkWidget* shown = nullptr;
    PumpUntil([&] {
      GList* windows = gtk_window_list_toplevels();
      for (GList* it = windows; it; it = it->next) {
        GtkWidget* child = gtk_bin_get_child(GTK_BIN(it->data));
        if (child && GTK_IS_MENU(child) && gtk_widget_get_mapped(child)) shown = child;
      }
      g_list_free(windows);
      return shown != nullptr;
    });
    menu = shown;
    return shown ? gtk_container_get_children(GTK_CONTAINER(shown)) : nullptr;
  }

  GtkWidget* menu = nullptr;
};

TEST_F(MemoOnScreen, TypingSelectingScrollingAndUndoFromTheMenu) {
  auto* memo = new TvgMemo(nullptr);
  memo->SetParent(root);
  memo->SetBounds(20, 20, 360, 200);
  for (int i = 30; i >= 1; --i)
    memo->Lines()->Insert(0, rtl::W("Channel " + std::to_string(i % 8 + 1) + ": block " + std::to_string(i) + " written"));
  memo->GoToTextBegin();
  Show(400, 240);
  ASSERT_NE(memo->ContentLayout(), nullptr) << "the built-in book has the memo's style";
  const float lineHeight = memo->GetLineHeight();
  const TvgPoint origin = memo->LocalToAbsolute({memo->ContentRect().Left, memo->ContentRect().Top});

  // Typing at the start of the first line.
  scene->MouseDown(vgMouseLeft, vgLeftButton, origin.X + 1, origin.Y + lineHeight / 2);
  scene->MouseUp(vgMouseLeft, 0, origin.X + 1, origin.Y + lineHeight / 2);
  ASSERT_TRUE(memo->IsFocused());
  memo->SetCaretPosition({0, 0});
  memo->SetSelected(false);
  for (char16_t c : std::u16string_view(u"Typed: ")) scene->KeyChar(c, 0);
  EXPECT_EQ(memo->Lines()->Strings(0), u"Typed: Channel 2: block 1 written");

  // Wheel scrolling, eased by the real animation clock.
  EXPECT_TRUE(scene->DoMouseWheel(0, -120));
  ASSERT_TRUE(PumpUntil([&] { return memo->VScrollBarValue() >= 3 * memo->VScrollBar()->SmallChange(); }));
  EXPECT_GT(memo->VScrollBarValue(), 0);

  // A drag over the visible lines selects them.
  const float firstVisible = std::ceil(memo->VScrollBarValue() / lineHeight);
  const float top = origin.Y + (firstVisible * lineHeight - memo->VScrollBarValue()) + lineHeight / 2;
  scene->MouseDown(vgMouseLeft, vgLeftButton, origin.X + 1, top);
  scene->MouseMove(vgLeftButton, origin.X + 120, top + 2 * lineHeight);
  scene->MouseUp(vgMouseLeft, 0, origin.X + 120, top + 2 * lineHeight);
  const rtl::WideString selected = memo->GetSelText();
  EXPECT_EQ(std::count(selected.begin(), selected.end(), u'\n'), 2) << rtl::Utf16ToUtf8(selected);

  // Typing over the selection, then Undo from the real menu.
  const rtl::WideString before = memo->Text();
  scene->KeyChar(u'X', 0);
  EXPECT_EQ(memo->Text().size(), before.size() - selected.size() + 1);
  memo->ContextMenu({200, 200});
  GList* items = ShownMenuItems();
  ASSERT_EQ(g_list_length(items), 6u);
  auto* undo = GTK_MENU_ITEM(g_list_nth_data(items, 0));
  EXPECT_STREQ(gtk_menu_item_get_label(undo), "Undo");
  EXPECT_TRUE(gtk_widget_get_sensitive(GTK_WIDGET(undo)));
  gtk_menu_item_activate(undo);
  g_list_free(items);
  gtk_menu_popdown(GTK_MENU(menu));
  PumpFor(100ms);
  EXPECT_EQ(memo->Text(), before);
  EXPECT_EQ(memo->GetSelText(), selected) << "the replaced lines come back selected";
  PumpFor(300ms);
  EXPECT_TRUE(test_support::SaveWindowShot(form->Handle(), "memo_editing"));
}

}  // namespace
}  // namespace vg
