#include "tests/ui/core/vg_scene_fixture.h"

#include <chrono>
#include <thread>

#include "platform/gui/Application.h"
#include "ui/window/vg_guitimers.h"

using namespace vg;
using namespace vgtest;

namespace {

struct QueueCase {
  TvgRect queued;
  std::vector<TvgRect> kept;
};

class RecordingWindow : public IvgSceneWindow {
 public:
  bool HandleAllocated() override { return true; }
  void Invalidate(const TvgRect& rect) override { Invalidated.push_back(rect); }
  void Flush(TvgCanvas&, const std::vector<TvgRect>& rects) override { Flushed.push_back(rects); }
  bool ParentIsForm() override { return IsForm; }
  void SetMouseCapture(bool capture) override { Captured = capture; }
  TvgPoint ClientToScreen(TvgPoint p) override { return {p.X + 1000, p.Y + 2000}; }

  std::vector<TvgRect> Invalidated;
  std::vector<std::vector<TvgRect>> Flushed;
  bool IsForm = false;
  bool Captured = false;
};

}  // namespace

TEST_F(EmbeddedScene, QueuedRectanglesAreWholePixelsThatOverlapTheClientArea) {
  const QueueCase cases[] = {
      {{10.2f, 10.7f, 20.1f, 20.9f}, {{10, 10, 21, 21}}},
      {{-5, -5, 0.5f, 0.5f}, {{-5, -5, 1, 1}}},  // kept unclipped
      {{100, 0, 150, 50}, {}},                   // touches the right edge only
      {{-20, 10, -1, 20}, {}},                   // outside
      {{10, 10, 10, 50}, {}},                    // no width
  };
  for (const QueueCase& c : cases) {
    scene->AddUpdateRect(c.queued);
    EXPECT_EQ(scene->UpdateRects(), c.kept) << c.queued.Left << "," << c.queued.Top;
    DrawQueued();
  }
}

TEST_F(EmbeddedScene, ManyRepaintsMakeOneDrawPass) {
  auto* root = AddRoot<TTestRect>();
  auto* a = Add<TTestRect>(root, 0, 0, 10, 10);
  auto* b = Add<TTestRect>(root, 50, 50, 10, 10);
  DrawQueued();
  const int passes = scene->DrawCount();
  flushes = 0;
  for (int i = 0; i < 5; ++i) {
    a->Repaint();
    b->Repaint();
  }
  EXPECT_EQ(timers.Pending(), 1u);
  DrawQueued();
  EXPECT_EQ(scene->DrawCount(), passes + 1);
  EXPECT_EQ(flushes, 1);
  EXPECT_TRUE(scene->UpdateRects().empty());
}

TEST_F(EmbeddedScene, MoreThanTwentyRectanglesAreDrawnAsTheirUnion) {
  for (int count : {20, 21}) {
    Log().clear();
    for (int i = 0; i < count; ++i) scene->AddUpdateRect({float(i * 4), 0, float(i * 4 + 2), 2});
    DrawQueued();
    const std::vector<std::string> clips = Lines("SetClipRects");
    ASSERT_EQ(clips.size(), 1u);
    const auto rectangles = std::count(clips[0].begin(), clips[0].end(), '(');
    EXPECT_EQ(rectangles, count == 20 ? 20 : 1) << count;
    if (count == 21) {
      EXPECT_EQ(clips[0], "SetClipRects [(0,0,83,3)]");
    }
  }
}

TEST_F(EmbeddedScene, BackgroundIsClearedOrFilledByFillAndTransparency) {
  struct Case {
    TvgBrushStyle style;
    TvgColor color;
    bool transparency;
    std::string expected;
  };
  const Case cases[] = {
      {vgBrushNone, 0xFF102030, false, "ClearRect (10,10,21,21) 00102030"},
      {vgBrushNone, 0xFF102030, true, "ClearRect (10,10,21,21) 00000000"},
      {vgBrushSolid, 0x00102030, false, "ClearRect (10,10,21,21) 00102030"},
      {vgBrushSolid, 0xFF102030, false, "FillRect (-1,-1,101,101) 0,0 1"},
  };
  for (const Case& c : cases) {
    scene->SetTransparency(c.transparency);
    scene->Fill()->SetSolidColor(c.color);
    scene->Fill()->SetStyle(c.style);
    DrawQueued();
    Log().clear();
    scene->AddUpdateRect({10.2f, 10.7f, 20.1f, 20.9f});
    DrawQueued();
    ASSERT_GE(Log().size(), 4u);
    EXPECT_EQ(Log()[3],
              c.expected);  // after ResetClipRect, SetMatrix, SetClipRects
  }
}

TEST_F(EmbeddedScene, DrawPassPaintsRootsInOrderOverTheBackground) {
  auto* first = AddRoot<TTestRect>();
  Add<TTestRect>(first, 5, 5, 10, 10);
  auto* second = new TTestRect(nullptr);
  second->SetBounds(20, 20, 30, 30);
  scene->AddObject(second);
  auto* away = new TTestRect(nullptr);
  away->SetBounds(80, 80, 10, 10);
  scene->AddObject(away);
  DrawQueued();
  Log().clear();
  scene->AddUpdateRect({0, 0, 40, 40});
  DrawQueued();
  EXPECT_EQ(Lines("SetClipRects"), std::vector<std::string>{"SetClipRects [(0,0,41,41)]"});
  EXPECT_EQ(Lines("FillRect"), (std::vector<std::string>{"FillRect (0,0,100,100) 0,0 1", "FillRect (0,0,10,10) 0,0 1",
                                                         "FillRect (0,0,30,30) 0,0 1"}));
  const auto clear = std::find(Log().begin(), Log().end(), "ClearRect (0,0,41,41) 00000000");
  const auto paint = std::find(Log().begin(), Log().end(), "FillRect (0,0,100,100) 0,0 1");
  EXPECT_LT(clear, paint);
}

TEST_F(EmbeddedScene, QuarterTurnedRootFillsTheClientAreaAfterItsTurn) {
  scene->CreateEmbedded(300, 200, [](rtl::TObject*) {});
  auto* root = new TTestRect(nullptr);
  root->SetRotateAngle(90);
  scene->AddObject(root);
  EXPECT_EQ(root->Position()->GetPoint(), (TvgPoint{50, -50}));
  EXPECT_EQ(root->Width(), 200);
  EXPECT_EQ(root->Height(), 300);
  root->SetRotateAngle(0);
  scene->RealignRoot();
  EXPECT_EQ(root->GetBoundsRect(), (TvgRect{0, 0, 300, 200}));
}

TEST_F(EmbeddedScene, DyingFocusedNodeAndStyleBookAreForgotten) {
  auto* root = AddRoot<TTestRect>();
  auto* button = Add<TvgTestButton>(root, 0, 0, 20, 20);
  button->SetFocus();
  ASSERT_EQ(scene->GetFocused(), button);
  button->Free();
  EXPECT_EQ(scene->GetFocused(), nullptr);

  auto* book = new TvgResources(nullptr);
  scene->SetStyle(book);
  book->Free();
  EXPECT_EQ(scene->Style(), nullptr);
}

TEST_F(EmbeddedScene, WindowedSceneInvalidatesAndLayeredSceneFlushesItself) {
  RecordingWindow window;
  scene.reset(new TvgScene(nullptr));
  scene->SetWindow(&window);
  scene->SetBounds(0, 0, 100, 100);
  scene->HandleCreated();
  EXPECT_EQ(window.Invalidated, std::vector<TvgRect>{(TvgRect{0, 0, 101, 101})});
  EXPECT_TRUE(scene->UpdateRects().empty());
  scene->PaintRects({{0, 0, 50, 50}});
  EXPECT_TRUE(window.Flushed.empty());  // the window copies what it asked for

  window.IsForm = true;
  scene->SetTransparency(true);
  EXPECT_EQ(timers.Pending(), 1u);
  DrawQueued();
  ASSERT_EQ(window.Flushed.size(), 1u);
  EXPECT_EQ(window.Flushed[0], std::vector<TvgRect>{(TvgRect{0, 0, 10001, 10001})});
  scene->SetWindow(nullptr);
}

TEST(SceneOnRealTimers, EmbeddedSceneDrawsEveryChangeAndKeepsItsQueueSmall) {
  StartSceneTests();
  vg::vgUseGuiTimers();
  vg::DefaultCanvasClass = &kRecordingCanvasClass;
  int flushes = 0;
  TvgOwned<TvgScene> scene(new TvgScene(nullptr));
  scene->CreateEmbedded(100, 100, [&](rtl::TObject*) { ++flushes; });
  auto pumpUntilFlushed = [&](int wanted) {
    for (int i = 0; i < 500 && flushes < wanted; ++i) {
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
      gui::Application->ProcessMessages();
    }
    return flushes >= wanted;
  };
  EXPECT_TRUE(pumpUntilFlushed(1)) << "the first posted draw";
  for (int i = 0; i < 50; ++i) scene->AddUpdateRect({float(i), float(i), float(i + 2), float(i + 2)});
  EXPECT_LE(scene->UpdateRects().size(), std::size_t(vgMaxDirtyRects));
  EXPECT_TRUE(pumpUntilFlushed(2)) << "a later change";
  EXPECT_TRUE(scene->UpdateRects().empty());
  scene.reset();
  vg::DefaultCanvasClass = nullptr;
  vg::vgSetOneShotFactory(nullptr);
  vg::vgSetAniClock(nullptr);
}
