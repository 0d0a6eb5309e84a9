// What sets the Direct2D-style canvas apart: its surfaces and frames, lost
// devices and occluded windows (with a real scene), its clips, strokes,
// gradients and text outlines, and the selection of the back-end.
#include <gtest/gtest.h>

#include "tests/support/d2d_fakes.h"
#include "tests/support/vg_scene_fakes.h"
#include "tests/ui/render/render_pictures.h"
#include "ui/core/vg_font.h"
#include "ui/core/vg_pathdata.h"
#include "ui/core/vg_scene.h"
#include "ui/render/vg_canvas_d2d.h"
#include "ui/render/vg_canvas_gdip.h"
#include "ui/render/vg_filter_wic.h"
#include "ui/render/vg_objects.h"

using namespace vg;

namespace vgtest {
namespace {

std::uint32_t PixelOf(const TvgCanvas& canvas, int x, int y) {
  return canvas.BufferBits()[y * canvas.Width() + x];
}

TEST(D2DUnit, FactoryIsSharedAndGoesWithTheLastCanvas) {
  ASSERT_EQ(D2DFactory(), nullptr);
  auto first = std::make_unique<TvgCanvasD2D>(10, 10);
  d2d::Factory* shared = D2DFactory();
  ASSERT_NE(shared, nullptr);
  auto second = std::make_unique<TvgCanvasD2D>(10, 10);
  EXPECT_EQ(D2DFactory(), shared);
  first.reset();
  EXPECT_EQ(D2DFactory(), shared);
  second.reset();
  EXPECT_EQ(D2DFactory(), nullptr);
}

TEST(D2DUnit, SelectionNeedsTheLibraryAndLeavesThePrinterCanvas) {
  const TvgCanvasClass canvas = DefaultCanvasClass, printer = DefaultPrinterCanvasClass;
  const TvgFilterClass filter = DefaultFilterClass;
  DefaultCanvasClass = DefaultPrinterCanvasClass = &TvgCanvasGdiPlus::Class;
  DefaultFilterClass = nullptr;
  FreeD2DLibraries();
  SetD2DDefault();
  EXPECT_EQ(DefaultCanvasClass, &TvgCanvasGdiPlus::Class);
  EXPECT_EQ(DefaultFilterClass, nullptr);
  LoadD2DLibraries();
  SetD2DDefault();
  EXPECT_EQ(DefaultCanvasClass, &TvgCanvasD2D::Class);
  EXPECT_EQ(DefaultFilterClass, &TvgFilterWIC::Class);
  EXPECT_EQ(DefaultPrinterCanvasClass, &TvgCanvasGdiPlus::Class);
  DefaultCanvasClass = canvas;
  DefaultPrinterCanvasClass = printer;
  DefaultFilterClass = filter;
}

// --- Window canvases and their targets ------------------------------------------------

TEST(D2DWindowCanvas, TargetIsMadeAtTheFirstFrameAndResizedInPlace) {
  FaultyD2DFactory devices;
  TvgCanvasD2D canvas(30, 20);
  EXPECT_FALSE(canvas.Buffered());
  EXPECT_EQ(canvas.BufferBits(), nullptr);
  ASSERT_TRUE(canvas.BeginScene());
  EXPECT_EQ(devices.targetsMade, 1);
  canvas.Clear(kRed);
  canvas.EndScene();
  EXPECT_EQ(PixelOf(canvas, 29, 19), kRed) << "the window's pixels";
  canvas.ResizeBuffer(50, 10);
  EXPECT_EQ(devices.targetsMade, 1) << "resized, not made again";
  EXPECT_EQ(canvas.RenderTarget()->GetPixelSize().width, 50u);
  canvas.ResizeBuffer(-5, 0);
  EXPECT_EQ(canvas.Width(), 1);
  EXPECT_EQ(canvas.RenderTarget()->GetPixelSize().height, 1u) << "sizes below 1 become 1";
}

TEST(D2DWindowCanvas, LostDeviceFreesTheTargetAndTheNextFrameMakesANewOne) {
  FaultyD2DFactory devices;
  TvgCanvasD2D canvas(30, 20);
  devices.lostFrames = 1;
  ASSERT_TRUE(canvas.BeginScene());
  canvas.Clear(kRed);
  canvas.EndScene();
  EXPECT_EQ(canvas.RenderTarget(), nullptr);
  EXPECT_EQ(canvas.BufferBits(), nullptr);
  ASSERT_TRUE(canvas.BeginScene());
  EXPECT_EQ(devices.targetsMade, 2);
  canvas.Clear(kBlue);
  canvas.EndScene();
  EXPECT_EQ(PixelOf(canvas, 5, 5), kBlue);
}

TEST(D2DWindowCanvas, OccludedWindowBeginsNoFrameAndKeepsItsPixels) {
  FaultyD2DFactory devices;
  TvgCanvasD2D canvas(30, 20);
  ASSERT_TRUE(canvas.BeginScene());
  canvas.Clear(kRed);
  canvas.EndScene();
  devices.occluded = true;
  EXPECT_FALSE(canvas.BeginScene());
  canvas.Fill()->SetSolidColor(kBlue);
  canvas.FillRect({0, 0, 30, 20}, 0, 0, AllCorners, 1);  // no frame: draws nothing
  EXPECT_EQ(PixelOf(canvas, 5, 5), kRed);
  devices.occluded = false;
  EXPECT_TRUE(canvas.BeginScene());
  canvas.EndScene();
}

// A real embedded scene on the window canvas: a red rectangle over all of it.
class D2DScene : public ::testing::Test {
 protected:
  void SetUp() override {
    vgStartCore();
    DefaultCanvasClass = &TvgCanvasD2D::Class;
    scene.reset(new TvgScene(nullptr));
    scene->CreateEmbedded(100, 100, [](rtl::TObject*) {});
    face = new TvgRectangle(nullptr);
    face->SetBounds(0, 0, 100, 100);
    face->Fill()->SetSolidColor(kRed);
    face->Stroke()->SetStyle(vgBrushNone);
    scene->AddObject(face);
    timers.FireAll();
  }
  void TearDown() override {
    scene.reset();
    DefaultCanvasClass = nullptr;
  }
  std::uint32_t At(int x, int y) { return PixelOf(*scene->Canvas(), x, y); }
  // A change in the top-left corner only, drawn.
  void TouchCorner() {
    scene->AddUpdateRect({0, 0, 5, 5});
    timers.FireAll();
  }

  FaultyD2DFactory devices;
  ManualOneShots timers;
  TvgOwned<TvgScene> scene;
  TvgRectangle* face = nullptr;
};

TEST_F(D2DScene, RecreatedTargetRepaintsTheWholeScene) {
  ASSERT_EQ(At(50, 50), kRed);
  devices.lostFrames = 1;
  TouchCorner();
  EXPECT_EQ(scene->Canvas()->BufferBits(), nullptr) << "the lost target is gone";
  TouchCorner();
  EXPECT_EQ(devices.targetsMade, 2);
  EXPECT_EQ(At(50, 50), kRed) << "far from the corner, drawn again on the new target";
}

TEST_F(D2DScene, OccludedWindowDrawsNothingAndLosesNothing) {
  devices.occluded = true;
  face->Fill()->SetSolidColor(kBlue);
  timers.FireAll();
  EXPECT_EQ(At(50, 50), kRed) << "nothing drawn while occluded";
  devices.occluded = false;
  TouchCorner();
  EXPECT_EQ(At(50, 50), kBlue) << "the change made while occluded is shown";
}

TEST(D2DSceneBuffer, TransparentSceneDrawsIntoAMemoryBuffer) {
  vgStartCore();
  ManualOneShots timers;
  DefaultCanvasClass = &TvgCanvasD2D::Class;
  {
    TvgScene scene(nullptr);
    scene.SetTransparency(true);
    scene.CreateEmbedded(40, 40, [](rtl::TObject*) {});
    auto* face = new TvgRectangle(nullptr);
    face->SetBounds(0, 0, 40, 40);
    face->Fill()->SetSolidColor(kGreen);
    face->Stroke()->SetStyle(vgBrushNone);
    scene.AddObject(face);
    timers.FireAll();
    ASSERT_TRUE(scene.Canvas()->Buffered());
    EXPECT_EQ(PixelOf(*scene.Canvas(), 20, 20), kGreen);
  }
  DefaultCanvasClass = nullptr;
}

// --- Drawing on a bitmap canvas ------------------------------------------------------------

class D2DCanvas : public ::testing::Test {
 protected:
  D2DCanvas() { canvas.BeginScene(); }
  ~D2DCanvas() override { canvas.EndScene(); }
  std::uint32_t At(int x, int y) {
    canvas.EndScene();
    canvas.BeginScene();
    return target.GetPixels(x, y);
  }
  void StrokeWith(TvgColor color, float thickness) {
    canvas.Stroke()->SetStyle(vgBrushSolid);
    canvas.Stroke()->SetSolidColor(color);
    canvas.SetStrokeThickness(thickness);
  }

  TvgBitmap target{60, 40};
  TvgCanvasD2D canvas{target};
};

TEST_F(D2DCanvas, PathOfAClosedAndAnOpenFigureDrawsBothAndLeavesTheSecondOpen) {
  TvgPathData path;
  path.MoveTo({0, 0});
  path.LineTo({20, 0});
  path.LineTo({20, 20});
  path.ClosePath();
  path.MoveTo({30, 0});
  path.LineTo({50, 0});
  path.LineTo({50, 20});
  StrokeWith(kBlue, 2);
  canvas.DrawPath(path, {5, 5, 55, 25}, 1);
  EXPECT_EQ(At(15, 15), kBlue) << "the first figure is closed";
  EXPECT_EQ(At(45, 5), kBlue) << "the second is drawn";
  EXPECT_EQ(At(45, 15), 0u) << "and stays open";
}

TEST_F(D2DCanvas, GradientStrokesUseTheSolidColourAndPresetDashesTheirOwnPattern) {
  canvas.Stroke()->SetStyle(vgBrushGradient);
  canvas.SetStrokeThickness(2);
  canvas.DrawLine({0, 5}, {60, 5}, 1);
  EXPECT_EQ(At(30, 5), canvas.Stroke()->GetSolidColor());

  StrokeWith(kRed, 2);
  canvas.SetStrokeDash(vgDashDash);  // twice the width on, twice off
  canvas.DrawLine({0, 30}, {60, 30}, 1);
  EXPECT_EQ(At(1, 30), kRed);
  EXPECT_EQ(At(5, 30), 0u) << "not the canvas's own dash array";
  EXPECT_EQ(At(9, 30), kRed);
}

TEST_F(D2DCanvas, RadialGradientCentresOnItsRectangle) {
  canvas.Fill()->SetStyle(vgBrushGradient);
  canvas.Fill()->Gradient()->SetStyle(vgRadialGradient);
  TvgGradientPoints& points = *canvas.Fill()->Gradient()->Points();
  points.Points(0)->SetIntColor(kRed);
  points.Points(1)->SetIntColor(kBlue);
  canvas.FillRect({10, 10, 50, 50}, 0, 0, AllCorners, 1);
  EXPECT_GT(TvgColorRec::From(At(30, 30)).B, 240) << "the centre of the rectangle";
  EXPECT_GT(TvgColorRec::From(At(11, 11)).R, 200) << "the rim colour in its corner";
}

TEST_F(D2DCanvas, ClipsBelongToTheInnermostSavedStateStillOpen) {
  canvas.Fill()->SetSolidColor(kRed);
  const int outer = canvas.SaveCanvas();
  canvas.RestoreCanvas(canvas.SaveCanvas());
  canvas.IntersectClipRect({0, 0, 10, 10});
  canvas.IntersectClipRect({0, 0, 20, 20});
  canvas.FillRect({0, 0, 60, 40}, 0, 0, AllCorners, 1);
  EXPECT_EQ(At(15, 5), 0u) << "both clips hold";
  canvas.SaveCanvas();
  canvas.RestoreCanvas(outer);
  canvas.ResetClipRect();
  canvas.FillRect({0, 0, 60, 40}, 0, 0, AllCorners, 1);
  EXPECT_EQ(At(40, 30), kRed) << "both ended with the outer state";
}

TEST_F(D2DCanvas, BitmapFillsTileClampOrStretchByWrapMode) {
  TvgBitmap picture(2, 1);  // red on the left, blue on the right
  picture.ClearRect({0, 0, 1, 1}, kRed);
  picture.ClearRect({1, 0, 2, 1}, kBlue);
  canvas.Fill()->SetStyle(vgBrushBitmap);
  canvas.Fill()->Bitmap()->SetBitmap(&picture);
  struct Case {
    TvgWrapMode mode;
    int x;
    TvgColor colour;
  };
  // Stretched pixels are interpolated: near a source pixel's centre its
  // colour dominates.
  auto near = [](TvgColor a, TvgColor b) {
    const TvgColorRec x = TvgColorRec::From(a), y = TvgColorRec::From(b);
    return std::abs(x.R - y.R) < 40 && std::abs(x.B - y.B) < 40;
  };
  for (const Case& c : {Case{vgWrapTile, 2, kRed}, Case{vgWrapTile, 3, kBlue},
                        Case{vgWrapTileOriginal, 8, kBlue}, Case{vgWrapTileStretch, 2, kRed},
                        Case{vgWrapTileStretch, 8, kBlue}}) {
    canvas.Fill()->Bitmap()->SetWrapMode(c.mode);
    canvas.FillRect({0, 0, 10, 4}, 0, 0, AllCorners, 1);
    const TvgColor got = At(c.x, 2);
    EXPECT_TRUE(near(got, c.colour)) << int(c.mode) << " at " << c.x << ": " << std::hex << got;
  }
}

TEST_F(D2DCanvas, ThumbnailsDrawNothing) {
  TvgBitmap picture(4, 4);
  picture.Clear(kGreen);
  canvas.DrawThumbnail(picture, 60, 60);
  EXPECT_EQ(At(1, 1), 0u);
}

TEST_F(D2DCanvas, DrawsOnWhatItsBitmapHoldsAtEachFrame) {
  canvas.EndScene();
  target.Clear(kBlue);
  canvas.BeginScene();
  canvas.Fill()->SetSolidColor(kRed);
  canvas.FillRect({0, 0, 10, 10}, 0, 0, AllCorners, 1);
  EXPECT_EQ(At(5, 5), kRed);
  EXPECT_EQ(At(30, 30), kBlue) << "the bitmap's own change is kept";
  canvas.EndScene();
  target.SetSize(80, 50);
  canvas.BeginScene();
  canvas.FillRect({70, 40, 80, 50}, 0, 0, AllCorners, 1);
  EXPECT_EQ(At(75, 45), kRed) << "a resized bitmap is drawn whole";
}

TEST_F(D2DCanvas, TextOutlinesSitAtEachLinesBaselineRelativeToTheRectCorner) {
  canvas.Font()->SetSize(20);
  TvgPathData one, two, moved;
  ASSERT_TRUE(canvas.TextToPath(one, {0, 0, 200, 100}, u"H", false, vgTextAlignNear, vgTextAlignNear));
  ASSERT_TRUE(canvas.TextToPath(two, {0, 0, 200, 100}, u"H\nH", false, vgTextAlignNear, vgTextAlignNear));
  ASSERT_TRUE(canvas.TextToPath(moved, {50, 50, 250, 150}, u"H", false, vgTextAlignNear, vgTextAlignNear));
  const TvgRect a = one.GetBounds(), b = two.GetBounds(), m = moved.GetBounds();
  EXPECT_NEAR(b.Top, a.Top, 0.5f);
  EXPECT_GT(b.Bottom - a.Bottom, 18) << "the second line lies a line lower";
  EXPECT_NEAR(m.Left, a.Left, 0.5f);
  EXPECT_NEAR(m.Top, a.Top, 0.5f);
  EXPECT_FALSE(canvas.TextToPath(one, {0, 0, 10, 10}, u"", false));
}

TEST_F(D2DCanvas, MeasuringWithoutWrapUsesAZeroWidthLayout) {
  canvas.Font()->SetSize(20);
  TvgRect near{10, 0, 200, 40};
  canvas.MeasureText(near, {}, u"Wide", false, vgTextAlignNear, vgTextAlignNear);
  EXPECT_EQ(near.Left, 10);
  EXPECT_GT(near.Right - near.Left, 30);
  TvgRect centred{10, 0, 200, 40};
  canvas.MeasureText(centred, {}, u"Wide", false, vgTextAlignCenter, vgTextAlignNear);
  EXPECT_NEAR(centred.Left, 10 - (near.Right - near.Left) / 2, 0.5f) << "centred on the left edge";
}

// From one layout of the line: each offset is the width of the units before
// it, the far edge of a pair's first unit is the caret before the pair, and
// trailing blanks count.
TEST_F(D2DCanvas, CaretOffsetsAreTheWidthsOfTheLeadingUnits) {
  canvas.Font()->SetSize(20);
  const rtl::WideString text = u"ab \U0001F600 cd  ";
  const std::vector<float> offsets = canvas.CaretOffsets(text);
  ASSERT_EQ(offsets.size(), text.size() + 1);
  EXPECT_EQ(offsets[0], 0);
  for (std::size_t n = 1; n <= text.size(); ++n) {
    SCOPED_TRACE(n);
    if (n < text.size() && text[n] >= 0xDC00 && text[n] <= 0xDFFF) {
      EXPECT_EQ(offsets[n], offsets[n - 1]);
      continue;
    }
    EXPECT_GT(offsets[n], offsets[n - 1]);
    TvgRect leading{0, 0, 0, 40};
    canvas.MeasureText(leading, {}, text.substr(0, n), false, vgTextAlignNear, vgTextAlignNear);
    EXPECT_NEAR(offsets[n], vgRectWidth(leading), 0.5f);
  }
  EXPECT_EQ(canvas.CaretOffsets(u"").size(), 1u);
}

}  // namespace
}  // namespace vgtest
