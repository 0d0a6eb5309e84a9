// A scene on a real window (run under xvfb-run), drawn by either back-end:
// what it paints reaches the screen, only its dirty areas are repainted, and
// clicks and keys reach its nodes.
#include "ui/window/vg_scenehost.h"

#include <gtest/gtest.h>
#include <gtk/gtk.h>

#include <string>
#include <vector>

#include "platform/gui/GuiInit.h"
#include "tests/support/gui_events.h"
#include "tests/support/gui_pump.h"
#include "tests/support/vg_scene_form.h"
#include "tests/support/window_shot.h"
#include "tests/ui/window/filled_shape.h"
#include "ui/render/vg_canvas_d2d.h"
#include "ui/render/vg_canvas_gdip.h"
#include "ui/render/vg_objects.h"

namespace vg {
namespace {

using namespace std::chrono_literals;
using test_support::FilledShape;
using test_support::PumpFor;
using test_support::PumpUntil;
using test_support::ScreenPixel;

// The background: keeps the dirty rectangles of every pass it paints in.
class TProbeBackground : public TvgRectangle {
 public:
  using TvgRectangle::TvgRectangle;
  void Paint() override {
    IvgScene* scene = GetScene();
    for (int i = 0; i < scene->GetUpdateRectsCount(); ++i) Dirty.push_back(scene->GetUpdateRect(i));
    TvgRectangle::Paint();
  }
  std::vector<TvgRect> Dirty;
};

// The back-end the scene draws with: "GdiPlus" or "D2D".
class SceneOnScreen : public test_support::SceneFormTest<::testing::TestWithParam<std::string>> {
 protected:
  static void SetUpTestSuite() {
    setenv("GTK_IM_MODULE", "gtk-im-context-simple", 1);
    setenv("NO_AT_BRIDGE", "1", 1);
  }
  void SetUp() override {
    if (!gui::InitGui()) GTEST_SKIP() << "no display";
    gui::RegisterGuiClasses();
    vgStartCore();
    RegisterShapeClasses();
    StartGdiPlusBackEnd();
    if (GetParam() == "D2D")
      SetD2DDefault();
    else
      DefaultCanvasClass = &TvgCanvasGdiPlus::Class;
    CreateForm();
    root = new TProbeBackground(nullptr);
    root->Fill()->SetSolidColor(0xFFE0E0E0);
    root->Stroke()->SetStyle(vgBrushNone);
    scene->AddObject(root);
  }
  void TearDown() override { DestroyForm(); }
  void Show(int width, int height) {
    ASSERT_NO_FATAL_FAILURE(ShowForm(width, height));
    PumpFor(50ms);
  }
  gui::TSceneWindow* Window() { return form->ClientWindow(); }
  std::uint32_t Pixel(int x, int y) { return ScreenPixel(*Window(), x, y); }

  TProbeBackground* root = nullptr;
};

TEST_P(SceneOnScreen, ShowsTheSceneAndRepaintsOnlyTheDirtyAreas) {
  auto* red = FilledShape<TvgRectangle>(root, 10, 10, 50, 40, 0xFFFF0000);
  FilledShape<TvgEllipse>(root, 100, 10, 60, 40, 0xFF0000FF);
  Show(200, 120);
  EXPECT_EQ(Pixel(35, 30), 0xFF0000u);
  EXPECT_EQ(Pixel(130, 30), 0x0000FFu);
  EXPECT_EQ(Pixel(190, 110), 0xE0E0E0u);

  // The background changes unseen; only the red shape asks for a repaint.
  scene->SetDisableUpdate(true);
  root->Fill()->SetSolidColor(0xFFFFFFFF);
  scene->SetDisableUpdate(false);
  root->Dirty.clear();
  red->Fill()->SetSolidColor(0xFF00FF00);
  ASSERT_TRUE(PumpUntil([&] { return !root->Dirty.empty(); }));
  PumpFor(30ms);
  ASSERT_EQ(root->Dirty.size(), 1u);
  const TvgRect dirty = root->Dirty[0];
  EXPECT_LE(dirty.Left, 10);
  EXPECT_GE(dirty.Right, 60);
  EXPECT_LT(dirty.Right, 100);
  EXPECT_EQ(Pixel(35, 30), 0x00FF00u);
  EXPECT_EQ(Pixel(130, 30), 0x0000FFu);
  EXPECT_EQ(Pixel(80, 100), 0xE0E0E0u);  // outside the dirty area: what was there before
}

TEST_P(SceneOnScreen, ClicksAndTypedTextReachNodes) {
  auto* box = FilledShape<TvgRectangle>(root, 10, 10, 50, 40, 0xFFFFFFFF);
  box->SetCanFocused(true);
  std::vector<std::string> events;
  box->OnMouseDown = [&](rtl::TObject*, TvgMouseButton, TvgShiftState, float x, float y) {
    events.push_back("down " + std::to_string(int(x)) + "," + std::to_string(int(y)));
  };
  box->OnClick = [&](rtl::TObject*) { events.push_back("click"); };
  box->OnKeyDown = [&](rtl::TObject*, std::uint16_t& key, char16_t& ch, TvgShiftState) {
    events.push_back("keydown " + std::to_string(key) + "," + std::to_string(int(ch)));
  };
  box->OnKeyUp = [&](rtl::TObject*, std::uint16_t& key, char16_t& ch, TvgShiftState) {
    if (key == 0) events.push_back("keyup 0," + std::to_string(int(ch)));
  };
  Show(200, 120);
  gui::TSceneWindow& window = *Window();
  test_support::SendButton(window, GDK_BUTTON_PRESS, 1, 20, 25, 1000);
  test_support::SendButton(window, GDK_BUTTON_RELEASE, 1, 20, 25, 1050);
  EXPECT_EQ(events, (std::vector<std::string>{"down 10,15", "click"}));
  EXPECT_EQ(scene->GetFocused(), box);

  events.clear();
  test_support::Type(form->Handle(), GDK_KEY_b);
  test_support::Type(form->Handle(), GDK_KEY_c, GDK_CONTROL_MASK);
  PumpFor(20ms);
  const std::vector<std::string> expected{"keydown 66,0", "keydown 0,98", "keydown 0,99", "keyup 0,99"};
  std::vector<std::string> seen;
  for (const std::string& e : events)
    if (std::find(expected.begin(), expected.end(), e) != expected.end()) seen.push_back(e);
  EXPECT_EQ(seen, expected);
}

// Takes Escape away from the scene while `consume` is set.
class TEscapeTaker : public TvgRectangle {
 public:
  using TvgRectangle::TvgRectangle;
  void DialogKey(std::uint16_t& key, TvgShiftState) override {
    if (consume && key == 27) key = 0;
  }
  bool consume = true;
};

TEST_P(SceneOnScreen, EscapeTheTreeLeavesClosesTheModalForm) {
  auto* taker = new TEscapeTaker(nullptr);
  taker->SetParent(root);
  form->SetClientWidth(200);
  form->SetClientHeight(120);
  host = std::make_unique<TvgSceneHost>(*scene, *form);
  struct Script {
    gui::TForm* form;
    bool thenOk;
  };
  auto run = [&](bool thenOk) {
    Script script{form, thenOk};
    g_timeout_add(100, [](gpointer data) -> gboolean {
      auto* s = static_cast<Script*>(data);
      s->form->ClientWindow()->SetFocus();
      test_support::Type(s->form->Handle(), GDK_KEY_Escape);
      return G_SOURCE_REMOVE;
    }, &script);
    g_timeout_add(300, [](gpointer data) -> gboolean {
      auto* s = static_cast<Script*>(data);
      if (s->thenOk) s->form->SetModalResult(gui::mrOk);
      return G_SOURCE_REMOVE;
    }, &script);
    const gui::TModalResult result = form->ShowModal();
    PumpFor(250ms);  // lets the second timeout pass before the script goes
    return result;
  };
  EXPECT_EQ(run(true), gui::mrOk);  // the tree took Escape
  taker->consume = false;
  EXPECT_EQ(run(false), gui::mrCancel);
}

TEST_P(SceneOnScreen, TransparentSceneShowsWhatLiesBehindAndRedrawsOncePerChange) {
  // Below: an opaque white form at the same place.
  gui::TForm* below = new gui::TForm(nullptr);
  below->SetBorderStyle(gui::bsNone);
  below->SetPosition(gui::poScreenCenter);
  below->SetClientWidth(200);
  below->SetClientHeight(120);
  TvgOwned<TvgScene> white(new TvgScene(nullptr));
  auto* paper = FilledShape<TvgRectangle>(nullptr, 0, 0, 200, 120, 0xFFFFFFFF);
  white->AddObject(paper);
  auto paperHost = std::make_unique<TvgSceneHost>(*white, *below);
  below->Show();
  ASSERT_TRUE(PumpUntil([&] { return white->DrawCount() > 0; }));

  form->SetBorderStyle(gui::bsNone);
  scene->SetTransparency(true);
  root->Fill()->SetStyle(vgBrushNone);
  auto* disc = FilledShape<TvgEllipse>(root, 10, 10, 40, 40, 0xFFFF0000);
  Show(200, 120);
  GdkWindow* screen = gdk_get_default_root_window();
  const gui::TPoint origin = Window()->ClientToScreen({0, 0});
  auto behind = [&](int x, int y) { return test_support::Pixel(screen, origin.X + x, origin.Y + y); };
  ASSERT_TRUE(PumpUntil([&] { return behind(30, 30) == 0xFF0000u; }));
  EXPECT_EQ(behind(190, 10), 0xFFFFFFu) << "the white form shows through";

  const int passes = scene->DrawCount();
  disc->Position()->SetPoint({100, 10});
  EXPECT_TRUE(PumpUntil([&] { return behind(120, 30) == 0xFF0000u; })) << "the change is drawn";
  PumpFor(50ms);
  EXPECT_EQ(scene->DrawCount(), passes + 1) << "one pass per change";
  EXPECT_EQ(behind(30, 30), 0xFFFFFFu);

  paperHost.reset();
  below->Free();
}

TEST_P(SceneOnScreen, DemoFormScreenshot) {
  root->Fill()->SetSolidColor(0xFFF2F2F5);
  FilledShape<TvgRectangle>(root, 0, 0, 130, 300, 0xFF2873C7);
  auto* button = FilledShape<TvgRoundRect>(root, 160, 220, 100, 32, 0xFF2873C7);
  button->Stroke()->SetStyle(vgBrushSolid);
  FilledShape<TvgEllipse>(root, 300, 60, 70, 70, 0xFFE8A33D);
  auto* title = FilledShape<TvgText>(root, 150, 20, 240, 30, 0xFF333333);
  title->SetText(u"esctool demo scene");
  title->Font()->SetSize(16);
  form->SetCaption(u"esctool demo");
  Show(400, 300);
  EXPECT_TRUE(test_support::SaveWindowShot(form->Handle(), "demo_scene_form_" + GetParam()));
  EXPECT_EQ(Pixel(60, 150), 0x2873C7u);
}

INSTANTIATE_TEST_SUITE_P(BothBackEnds, SceneOnScreen, ::testing::Values("GdiPlus", "D2D"),
                         [](const auto& test) { return test.param; });

}  // namespace
}  // namespace vg
