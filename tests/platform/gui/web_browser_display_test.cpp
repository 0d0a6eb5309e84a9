// The web-browser control on a real X display (run under xvfb-run): a local
// page shows in the control's rectangle of its form, the web engine starts
// only when the control is first placed inside the window and stays there,
// and moving the control out of the window unloads the page, which comes back
// when the control does.
#include <gtest/gtest.h>
#include <gtk/gtk.h>

#include <filesystem>
#include <string>

#include "platform/gui/Forms.h"
#include "platform/gui/GuiInit.h"
#include "platform/gui/Shell.h"
#include "platform/gui/WebBrowser.h"
#include "platform/rtl/AtomicFile.h"
#include "tests/support/gui_events.h"
#include "tests/support/gui_pump.h"
#include "tests/support/window_shot.h"

namespace gui {
namespace {

namespace fs = std::filesystem;
using test_support::Pixel;
using test_support::PumpFor;
using test_support::PumpUntil;
using namespace std::chrono_literals;

constexpr std::uint32_t kPageColour = 0x20C040;

class WebBrowserDisplay : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!InitGui()) GTEST_SKIP() << "no display";
    folder = fs::path(::testing::TempDir()) / "web_browser";
    fs::create_directories(folder);
    page = (folder / "page one.htm").string();
    rtl::WriteFileBytes(page, "<html><body style='margin:0;background:#20C040'><h1>Help page</h1></body></html>");
    form = new TForm(nullptr);
    form->SetClientWidth(320);
    form->SetClientHeight(200);
    form->SetBorderStyle(bsSingle);
    form->SetPosition(poScreenCenter);
    web = new TWebBrowser(form);
    web->SetParentComponent(form);
    web->SetBounds(900, 40, 150, 120);
  }
  void TearDown() override {
    if (form) form->Free();
    fs::remove_all(folder);
  }
  std::uint32_t At(int x, int y) { return Pixel(gtk_widget_get_window(form->Handle()), x, y); }
  bool PageShownAt(int x, int y) {
    return PumpUntil([&] { return !web->Busy() && At(x, y) == kPageColour; }, 10s);
  }

  fs::path folder;
  std::string page;
  TForm* form = nullptr;
  TWebBrowser* web = nullptr;
};

TEST_F(WebBrowserDisplay, ShowsALocalPageInItsRectangleOnceItIsPlacedInTheWindow) {
  if (!gui::WebEngineAvailable()) GTEST_SKIP() << "no web engine";
  web->Navigate(FileUri(page));
  form->Show();
  ASSERT_TRUE(PumpUntil([&] { return gtk_widget_get_mapped(form->Handle()); }));
  PumpFor(50ms);
  EXPECT_FALSE(web->ViewCreated());  // outside the window: the web engine is not started
  web->SetLeft(100);
  web->SetLeft(900);
  PumpFor(50ms);
  EXPECT_FALSE(web->ViewCreated());  // in and out again in one go: still not started

  web->SetLeft(100);
  EXPECT_TRUE(PumpUntil([&] { return web->ViewCreated(); }));
  ASSERT_TRUE(PageShownAt(110, 50));
  EXPECT_TRUE(web->Showing());
  EXPECT_EQ(At(245, 155), kPageColour);  // the rectangle's far corner
  EXPECT_NE(At(95, 100), kPageColour);   // left of it: the form
  EXPECT_NE(At(110, 165), kPageColour);  // below it
  EXPECT_TRUE(test_support::SaveWindowShot(form->Handle(), "web_browser_page"));

  web->SetLeft(900);
  EXPECT_FALSE(web->Showing());
  EXPECT_FALSE(web->ViewCreated());  // unloaded while hidden
  EXPECT_TRUE(PumpUntil([&] { return At(110, 50) != kPageColour; }));
  web->SetLeft(100);
  EXPECT_TRUE(PageShownAt(110, 50));
  EXPECT_EQ(web->LocationURL(), FileUri(page));
}

TEST_F(WebBrowserDisplay, NavigatesAViewInPlaceAndOutlivesOrPrecedesItsForm) {
  if (!gui::WebEngineAvailable()) GTEST_SKIP() << "no web engine";
  form->Show();
  ASSERT_TRUE(PumpUntil([&] { return gtk_widget_get_mapped(form->Handle()); }));
  web->SetLeft(20);
  ASSERT_TRUE(PumpUntil([&] { return web->ViewCreated(); }));
  ASSERT_TRUE(PumpUntil([&] { return !web->Busy(); }));
  web->Navigate(FileUri(page));
  EXPECT_TRUE(web->Busy());
  EXPECT_TRUE(PageShownAt(30, 50));
  // A missing page ends its load too.
  web->Navigate(FileUri((folder / "missing.htm").string()));
  EXPECT_TRUE(PumpUntil([&] { return !web->Busy(); }, 10s));

  web->Free();  // the control goes before its form's window
  web = nullptr;
  PumpFor(20ms);
  form->Free();  // and a form goes with its control's view in place
  form = nullptr;
  auto* other = new TForm(nullptr);
  auto* view = new TWebBrowser(other);
  view->SetParentComponent(other);
  view->SetBounds(0, 0, 50, 50);
  other->Show();
  view->SetWidth(60);
  EXPECT_TRUE(PumpUntil([&] { return view->ViewCreated(); }));
  other->Free();
}

}  // namespace
}  // namespace gui
