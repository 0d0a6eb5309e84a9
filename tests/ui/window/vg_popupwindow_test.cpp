// Popups in windows of their own on a real X server (run under xvfb-run):
// the window opens beside its target, takes the keys through its grab, and
// closes on a press elsewhere. Input goes through the X server (XTest), so
// it takes the same road as a user's.
#include "ui/window/vg_popupwindow.h"

#include <gtest/gtest.h>
#include <gtk/gtk.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "platform/gui/GuiInit.h"
#include "tests/support/gui_events.h"
#include "tests/support/gui_pump.h"
#include "tests/ui/window/filled_shape.h"
#include "tests/ui/window/xtest_input.h"
#include "ui/render/vg_canvas_gdip.h"
#include "ui/render/vg_objects.h"

namespace vg {
namespace {

using namespace std::chrono_literals;
using test_support::FilledShape;
using test_support::PumpFor;
using test_support::PumpUntil;
using test_support::ClickAt;
using test_support::TypeKey;

std::uint32_t RootPixel(int x, int y) { return test_support::Pixel(gdk_get_default_root_window(), x, y); }

class PopupOnScreen : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!gui::InitGui()) GTEST_SKIP() << "no display";
    gui::RegisterGuiClasses();
    vgStartCore();
    RegisterShapeClasses();
    StartGdiPlusBackEnd();
    vgUsePopupWindows();
    form = new gui::TForm(nullptr);
    form->SetBorderStyle(gui::bsNone);
    form->SetBounds(100, 100, 300, 200);
    scene.reset(new TvgScene(nullptr));
    root = FilledShape<TvgRectangle>(nullptr, 0, 0, 300, 200, 0xFFE0E0E0);
    scene->AddObject(root);
    target = FilledShape<TvgRectangle>(root, 20, 20, 100, 24, 0xFF2873C7);
    popup = new TvgPopup(nullptr);
    popup->SetParent(root);
    popup->SetBounds(0, 0, 120, 60);
    popup->SetPlacementTarget(target);
    FilledShape<TvgRectangle>(popup, 0, 0, 120, 60, 0xFFE8A33D);
    popup->OnKeyDown = [this](rtl::TObject*, std::uint16_t& key, char16_t&, TvgShiftState) {
      keys.push_back(key);
    };
    host = std::make_unique<TvgSceneHost>(*scene, *form);
    form->Show();
    ASSERT_TRUE(PumpUntil([&] { return scene->DrawCount() > 0; }));
    PumpFor(50ms);
  }
  void TearDown() override {
    if (popup) popup->Free();
    host.reset();
    if (form) form->Free();
    scene.reset();
  }
  GdkWindow* PopupGdkWindow() {
    GtkWidget* shown = test_support::OpenPopupWindow();
    return shown ? gtk_widget_get_window(shown) : nullptr;
  }

  gui::TForm* form = nullptr;
  TvgOwned<TvgScene> scene;
  std::unique_ptr<TvgSceneHost> host;
  TvgRectangle* root = nullptr;
  TvgRectangle* target = nullptr;
  TvgPopup* popup = nullptr;
  std::vector<std::uint16_t> keys;
};

TEST_F(PopupOnScreen, OpensBesideItsOwnerTakesKeysAndClosesOnAPressElsewhere) {
  popup->SetIsOpen(true);
  ASSERT_TRUE(PumpUntil([&] { return PopupGdkWindow() != nullptr; }));
  PumpFor(100ms);
  GdkWindow* window = PopupGdkWindow();
  int x = 0, y = 0;
  gdk_window_get_origin(window, &x, &y);
  const gui::TPoint client = form->ClientWindow()->ClientToScreen({0, 0});
  EXPECT_EQ(x, client.X + 20);
  EXPECT_EQ(y, client.Y + 44);  // below the target
  EXPECT_EQ(gdk_window_get_width(window), 120);
  EXPECT_EQ(RootPixel(x + 60, y + 30), 0xE8A33Du);
  EXPECT_EQ(RootPixel(client.X + 200, client.Y + 150), 0xE0E0E0u);  // the owner beside it

  GdkPixbuf* shot = gdk_pixbuf_get_from_window(gdk_get_default_root_window(), client.X, client.Y, 300, 200);
  ASSERT_NE(shot, nullptr);
  const char* binary = std::getenv("ESCTOOL_BINARY_DIR");
  const std::filesystem::path dir = std::filesystem::path(binary ? binary : ".") / "artifacts";
  std::filesystem::create_directories(dir);
  EXPECT_TRUE(gdk_pixbuf_save(shot, (dir / "popup_window.png").string().c_str(), "png", nullptr, nullptr));
  g_object_unref(shot);

  // The pointer rests on the owner; the keys still reach the popup.
  test_support::MovePointer(client.X + 250, client.Y + 150);
  TypeKey(GDK_KEY_Down);
  ASSERT_TRUE(PumpUntil([&] { return !keys.empty(); }, 2000ms));
  EXPECT_EQ(keys.front(), 40);
  EXPECT_TRUE(popup->IsOpen());

  // A press in the popup keeps it; one on the owner closes it.
  ClickAt(x + 10, y + 10);
  PumpFor(150ms);
  EXPECT_TRUE(popup->IsOpen());
  ClickAt(client.X + 250, client.Y + 150);
  ASSERT_TRUE(PumpUntil([&] { return !popup->IsOpen(); }, 2000ms));
  PumpUntil([&] { return PopupGdkWindow() == nullptr; }, 1000ms);
  EXPECT_EQ(PopupGdkWindow(), nullptr);
  EXPECT_EQ(popup->Parent(), root);
}

// Runs `action` once from the loop after `delay`.
void After(std::chrono::milliseconds delay, std::function<void()> action) {
  g_timeout_add_full(
      G_PRIORITY_DEFAULT, static_cast<guint>(delay.count()),
      [](gpointer data) -> gboolean {
        (*static_cast<std::function<void()>*>(data))();
        return G_SOURCE_REMOVE;
      },
      new std::function<void()>(std::move(action)),
      [](gpointer data) { delete static_cast<std::function<void()>*>(data); });
}

// Under a modal form the keys belong to the open popup too: Esc closes the
// popup and leaves the form; the next Esc cancels the form.
TEST_F(PopupOnScreen, UnderAModalFormEscClosesOnlyTheOpenPopup) {
  form->Hide();
  bool popupOpened = false, popupClosed = false, formStayed = false;
  After(150ms, [&] {
    popup->SetIsOpen(true);
    popupOpened = popup->IsOpen();
  });
  After(500ms, [] { TypeKey(GDK_KEY_Escape); });
  After(900ms, [&] {
    popupClosed = !popup->IsOpen();
    formStayed = form->IsModal() && form->ModalResult() == gui::mrNone;
    TypeKey(GDK_KEY_Escape);
  });
  After(1500ms, [&] {
    if (form->IsModal()) form->SetModalResult(gui::mrOk);
  });
  const gui::TModalResult result = form->ShowModal();
  PumpFor(1600ms);  // the script's later steps pass while what they use lives
  EXPECT_TRUE(popupOpened);
  EXPECT_TRUE(popupClosed);
  EXPECT_TRUE(formStayed);
  EXPECT_EQ(result, gui::mrCancel);
}

}  // namespace
}  // namespace vg
