#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "tests/support/vg_anim_fakes.h"
#include "tests/support/vg_recording_canvas.h"
#include "ui/core/vg_effects.h"

using namespace vg;
using vgtest::FakeScene;
using vgtest::FakeShape;
using vgtest::RecordingCanvas;

namespace {

// Bitmaps get recording canvases, so effect images and screenshots can be
// painted into.
const TvgCanvasClassInfo kRecordingBitmaps = {
    [](TvgBitmap& bitmap) -> TvgCanvas* { return new RecordingCanvas(bitmap.Width(), bitmap.Height()); },
    [](TvgBitmap& bitmap, int y) -> std::uint32_t* {
      return y >= 0 && y < bitmap.Height() ? bitmap.Bits() + y * bitmap.Width() : nullptr;
    }};

struct PaintedScene : ::testing::Test {
  RecordingCanvas canvas;
  FakeScene scene{&canvas};
  TvgOwned<FakeShape> root{new FakeShape};

  void SetUp() override {
    DefaultCanvasClass = &kRecordingBitmaps;
    root->SetNewScene(&scene);
    root->SetBounds(0, 0, 100, 100);
  }
  void TearDown() override { DefaultCanvasClass = nullptr; }
  FakeShape* Add(TvgObject* parent, float x, float y, float w, float h) {
    auto* shape = new FakeShape(root.get());
    shape->SetParent(parent);
    shape->SetBounds(x, y, w, h);
    return shape;
  }
  // The lines of the log that start with prefix.
  std::vector<std::string> Lines(const std::string& prefix) const {
    std::vector<std::string> lines;
    std::copy_if(canvas.Log.begin(), canvas.Log.end(), std::back_inserter(lines),
                 [&](const std::string& line) { return line.rfind(prefix, 0) == 0; });
    return lines;
  }
  std::size_t IndexOf(const std::string& line) const {
    return std::find(canvas.Log.begin(), canvas.Log.end(), line) - canvas.Log.begin();
  }
};

}  // namespace

TEST_F(PaintedScene, OnlyChildrenUnderADirtyRectangleArePainted) {
  Add(root.get(), 0, 0, 10, 10);
  FakeShape* far = Add(root.get(), 60, 60, 10, 20);
  Add(far, 2, 2, 4, 4);  // painted with its parent
  scene.Dirty = {{55, 55, 65, 65}};
  root->PaintChildren();
  EXPECT_EQ(Lines("FillRect").size(), 2u);
  EXPECT_LT(IndexOf("SetMatrix 1,0,0,1,60,60"), IndexOf("SetMatrix 1,0,0,1,62,62"));

  canvas.Log.clear();
  scene.Dirty.clear();
  root->PaintChildren();
  EXPECT_TRUE(Lines("FillRect").empty());
}

TEST_F(PaintedScene, OnPaintDrawsInTheNodesCoordinatesAfterItsChildren) {
  scene.Dirty = {{0, 0, 100, 100}};
  FakeShape* chart = Add(root.get(), 10, 10, 80, 80);
  Add(chart, 30, 40, 10, 10);
  std::string matrixAtPaint;
  chart->OnPaint = [&](rtl::TObject*, TvgCanvas*, const TvgRect&) { matrixAtPaint = Lines("SetMatrix").back(); };
  root->PaintChildren();
  EXPECT_EQ(matrixAtPaint, "SetMatrix 1,0,0,1,10,10");
}

TEST_F(PaintedScene, ClipChildrenAndClipParentShapeTheClip) {
  scene.Dirty = {{0, 0, 100, 100}};
  root->SetClipChildren(true);
  FakeShape* child = Add(root.get(), 90, 90, 20, 20);
  FakeShape* hole = Add(child, 5, 5, 4, 4);
  hole->SetClipParent(true);
  root->PaintChildren();
  const std::size_t clip = IndexOf("IntersectClipRect (0,0,100,100)");
  const std::size_t exclude = IndexOf("ExcludeClipRect (0,0,4,4)");
  const std::size_t fill = IndexOf("FillRect (0,0,20,20) 0,0 1");
  ASSERT_LT(fill, canvas.Log.size());
  EXPECT_LT(clip, exclude);
  EXPECT_LT(exclude, fill);
  EXPECT_EQ(Lines("SaveCanvas").size(), Lines("RestoreCanvas").size());

  // Hit testing follows the clip: the part outside the parent is not hit.
  EXPECT_EQ(root->ObjectByPoint(95, 95), child);
  EXPECT_EQ(root->ObjectByPoint(105, 95), nullptr);
}

TEST_F(PaintedScene, PaintToKeepsGeometryAndTheScenesUpdateState) {
  FakeShape* node = Add(root.get(), 10, 20, 40, 30);
  node->SetRotateAngle(30);
  for (bool disabled : {false, true}) {
    scene.DisableUpdate = disabled;
    scene.Queued.clear();
    RecordingCanvas other;
    node->PaintTo(other, {0, 0, 80, 60}, nullptr);
    EXPECT_EQ(scene.DisableUpdate, disabled);
    EXPECT_TRUE(scene.Queued.empty());
    EXPECT_NE(std::find(other.Log.begin(), other.Log.end(), "SetMatrix 2,0,0,2,0,0"), other.Log.end());
    EXPECT_EQ(node->Position()->GetPoint(), (TvgPoint{10, 20}));
    EXPECT_EQ(node->Scale()->GetPoint(), (TvgPoint{1, 1}));
    EXPECT_FLOAT_EQ(node->RotateAngle(), 30);
    EXPECT_EQ(node->Parent(), root.get());
    EXPECT_FALSE(node->InPaintTo());
  }
}

TEST_F(PaintedScene, ScreenshotsRoundTheirSize) {
  FakeShape* node = Add(root.get(), 0, 0, 10.4f, 10.6f);
  TvgOwned<TvgBitmap> shot(node->MakeScreenshot());
  EXPECT_EQ(shot->Width(), 10);
  EXPECT_EQ(shot->Height(), 11);
}

TEST_F(PaintedScene, EffectImagesGoUnderOrOverTheNode) {
  scene.Dirty = {{0, 0, 100, 100}};
  FakeShape* node = Add(root.get(), 10, 10, 20, 20);
  auto* shadow = new TvgShadowEffect(root.get());
  shadow->SetParent(node);
  root->PaintChildren();
  const std::size_t image = IndexOf("DrawBitmap 32x32 (0,0,32,32) (-3.87868,-3.87868,28.1213,28.1213) 1 1");
  ASSERT_LT(image, canvas.Log.size());
  EXPECT_LT(image, IndexOf("FillRect (0,0,20,20) 0,0 1"));

  canvas.Log.clear();
  shadow->Free();
  auto* inner = new TvgInnerGlowEffect(root.get());
  inner->SetParent(node);
  root->PaintChildren();
  const std::size_t over = IndexOf("DrawBitmap 36x36 (0,0,36,36) (-8,-8,28,28) 1 1");
  ASSERT_LT(over, canvas.Log.size());
  EXPECT_GT(over, IndexOf("FillRect (0,0,20,20) 0,0 1"));
}

TEST_F(PaintedScene, TwoEffectsKeepAnImageEach) {
  scene.Dirty = {{0, 0, 100, 100}};
  FakeShape* node = Add(root.get(), 10, 10, 20, 20);
  (new TvgShadowEffect(root.get()))->SetParent(node);
  (new TvgGlowEffect(root.get()))->SetParent(node);
  root->PaintChildren();
  const std::vector<std::string> first = Lines("DrawBitmap");
  ASSERT_EQ(first.size(), 2u);
  canvas.Log.clear();
  root->PaintChildren();  // from the cache now
  EXPECT_EQ(Lines("DrawBitmap"), first);
}

TEST_F(PaintedScene, AScreenshotOfAHiddenPageKeepsGrandchildrenUnderAnEffect) {
  FakeShape* page = Add(root.get(), 0, 0, 50, 50);
  page->SetVisible(false);
  FakeShape* child = Add(page, 0, 0, 30, 30);
  Add(child, 0, 0, 10, 10);
  scene.Dirty = {{90, 90, 100, 100}};  // nothing of the page is on screen
  auto fills = [&](RecordingCanvas* shot) {
    return std::count_if(shot->Log.begin(), shot->Log.end(),
                         [](const std::string& line) { return line.rfind("FillRect", 0) == 0; });
  };
  TvgOwned<TvgBitmap> plain(page->MakeScreenshot());
  const auto expected = fills(static_cast<RecordingCanvas*>(plain->GetCanvas()));
  ASSERT_EQ(expected, 3);
  (new TvgShadowEffect(root.get()))->SetParent(child);
  TvgOwned<TvgBitmap> shot(page->MakeScreenshot());
  EXPECT_EQ(fills(static_cast<RecordingCanvas*>(shot->GetCanvas())), expected);
}

TEST_F(PaintedScene, HitTestingUsesTheStrictInteriorAndTheTopmostChild) {
  FakeShape* first = Add(root.get(), 10, 10, 20, 20);
  FakeShape* second = Add(root.get(), 20, 20, 20, 20);
  struct Case {
    float x, y;
    TvgVisualObject* hit;
  } cases[] = {
      {10, 15, root.get()},  // the left edge of first does not hit it
      {15, 10, root.get()},
      {30, 15, root.get()},  // x = Width neither
      {15, 15, first},
      {25, 25, second},  // the later child is on top
      {0, 50, nullptr},
  };
  for (const Case& c : cases) EXPECT_EQ(root->ObjectByPoint(c.x, c.y), c.hit) << c.x << "," << c.y;

  second->SetHitTest(false);
  EXPECT_EQ(root->ObjectByPoint(25, 25), first);
  second->SetHitTest(true);
  second->Control = true;
  second->SetEnabled(false);  // a disabled control lets the mouse through
  EXPECT_EQ(root->ObjectByPoint(25, 25), first);
  second->Control = false;  // a disabled shape does not
  EXPECT_EQ(root->ObjectByPoint(25, 25), second);

  FakeShape* collapsed = Add(root.get(), 50, 50, 50, 50);
  for (TvgPoint scale : {TvgPoint{0, 0}, TvgPoint{0, 1}, TvgPoint{1, 0}}) {
    collapsed->Scale()->SetPoint(scale);
    EXPECT_EQ(root->ObjectByPoint(25, 25), second) << "nothing collapsed is hit " << scale.X << "," << scale.Y;
    EXPECT_EQ(root->ObjectByPoint(60, 60), root.get());
  }
}

TEST_F(PaintedScene, UpdateRectanglesFollowChildrenThatGrowAndShrink) {
  FakeShape* control = Add(root.get(), 10, 10, 36, 24);
  FakeShape* clone = Add(control, 0, 0, 50, 50);  // a style clone at its first size
  FakeShape* part = Add(clone, 0, 0, 10, 10);
  EXPECT_EQ(control->GetUpdateRect(), (TvgRect{10, 10, 60, 60}));
  clone->SetBounds(0, 0, 36, 24);  // realigned to the control
  EXPECT_EQ(control->GetUpdateRect(), (TvgRect{10, 10, 46, 34}));
  part->SetBounds(0, 0, 80, 10);  // past its grandparent too
  EXPECT_EQ(control->GetUpdateRect(), (TvgRect{10, 10, 90, 34}));
  part->SetBounds(0, 0, 10, 10);
  EXPECT_EQ(control->GetUpdateRect(), (TvgRect{10, 10, 46, 34}));
}

TEST_F(PaintedScene, RepaintAndInvalidateRectQueueTheRightArea) {
  FakeShape* node = Add(root.get(), 10, 10, 20, 20);
  scene.Queued.clear();
  node->BeginUpdate();
  node->Repaint();
  EXPECT_TRUE(scene.Queued.empty());
  node->EndUpdate();
  scene.Queued.clear();
  node->SetFocusState(true);
  node->RecalcUpdateRect();
  node->Repaint();
  ASSERT_EQ(scene.Queued.size(), 1u);
  EXPECT_EQ(scene.Queued[0], (TvgRect{5, 5, 35, 35}));
  node->InvalidateRect({2, 3, 4, 5});
  EXPECT_EQ(scene.Queued.back(), (TvgRect{12, 13, 14, 15}));
}

TEST_F(PaintedScene, BitmapListAnimationPlaysFramesOfTheStrip) {
  static RecordingCanvas* lastCanvas = nullptr;
  static const TvgCanvasClassInfo kTracked = {[](TvgBitmap& bitmap) -> TvgCanvas* {
    return lastCanvas = new RecordingCanvas(bitmap.Width(), bitmap.Height());
  }};
  DefaultCanvasClass = &kTracked;
  vgtest::FakeAniClock clock;
  FakeShape* node = Add(root.get(), 0, 0, 32, 10);
  node->Bitmap()->SetSize(32, 10);
  auto* strip = new TvgBitmapListAnimation(root.get());
  strip->SetParent(node);
  strip->SetPropertyName("Bitmap");
  strip->AnimationBitmap()->SetSize(131, 10);
  strip->SetAnimationCount(4);
  strip->SetDuration(1);
  strip->Start();
  for (auto [delta, left] : {std::pair{0.34f, 33}, {0.33f, 66}, {0.33f, 99}}) {
    strip->ProcessTick(0, delta);
    ASSERT_NE(lastCanvas, nullptr);
    const std::string expected = "DrawBitmap 131x10 (" + std::to_string(left) + ",0," +
                                 std::to_string(left + 32) + ",10) (0,0,32,10) 1 0";
    EXPECT_NE(std::find(lastCanvas->Log.begin(), lastCanvas->Log.end(), expected), lastCanvas->Log.end())
        << expected;
    lastCanvas->Log.clear();
  }
  EXPECT_EQ(node->Bitmap()->Width(), 32);
}
