#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>

#include "platform/rtl/TextConvert.h"
#include "platform/rtl/Variant.h"
#include "tests/ui/render/shapes_fixture.h"
#include "ui/render/vg_objects.h"

namespace vgtest {
namespace {

using namespace vg;

using ContentShapesTest = ShapeTest;

// ----- text (the recording canvas measures 7 x 13 per character)

TEST_F(ContentShapesTest, AutoSizeFitsTheNodeToTheMeasuredText) {
  struct Case {
    bool wordWrap;
    TvgTextAlign vAlign;
    float width, height;
  } cases[] = {
      {false, vgTextAlignCenter, 21 + 5, 40},  // width + Font.Size / 2; centred keeps its height
      {false, vgTextAlignNear, 26, 13},
      {true, vgTextAlignFar, 80, 13},  // wrapping keeps the width
  };
  for (const Case& c : cases) {
    auto* text = Make<TvgText>(80, 40);
    text->Font()->SetSize(10);
    text->SetWordWrap(c.wordWrap);
    text->SetVertTextAlign(c.vAlign);
    text->SetText(u"abc");
    text->SetAutoSize(true);
    EXPECT_EQ(text->Width(), c.width);
    EXPECT_EQ(text->Height(), c.height);
  }
}

TEST_F(ContentShapesTest, AutoSizeWaitsForACanvasAndIgnoresEmptyText) {
  auto* text = new TvgText(nullptr);
  text->SetBounds(0, 0, 80, 40);
  text->SetWordWrap(false);
  text->SetAutoSize(true);
  text->SetText(u"abcd");
  EXPECT_EQ(text->Width(), 80);  // no scene, no canvas yet
  scene.AddObject(text);
  text->Realign();
  EXPECT_EQ(text->Width(), 28 + 5.5f);
  text->SetText(u"");
  EXPECT_EQ(text->Width(), 28 + 5.5f);
}

TEST_F(ContentShapesTest, AutoSizeMeasuresWithTheRealCanvas) {
  TvgBitmap bitmap(10, 10);
  scene.canvas = bitmap.GetCanvas();
  auto* text = Make<TvgText>(10, 10);
  text->SetWordWrap(false);
  text->SetVertTextAlign(vgTextAlignNear);
  text->SetText(u"Hello, world");
  text->SetAutoSize(true);
  const float oneLine = text->Height();
  EXPECT_GT(text->Width(), 60);
  EXPECT_LT(text->Width(), 120);
  EXPECT_GT(oneLine, 8);
  text->SetText(u"Hello,\nworld");
  EXPECT_GT(text->Height(), 1.5f * oneLine);
}

TEST_F(ContentShapesTest, StretchScalesTheTextExtentToTheNode) {
  auto* text = Make<TvgText>(200, 50);
  text->SetAutoSize(true);
  text->SetStretch(true);
  EXPECT_FALSE(text->AutoSize());
  text->SetText(u"ab");
  const auto log = Paint(*text);
  ASSERT_EQ(log.size(), 3u);
  EXPECT_EQ(log[0], "MeasureText (0,0,1000,1000) \"ab\" 0 0 0");
  char matrix[96];
  std::snprintf(matrix, sizeof matrix, "MultyMatrix %g,0,0,%g,0,0", 200.0f / 14, 50.0f / 13);
  EXPECT_EQ(log[1], matrix);
  const float grow = 11.0f / 3;
  char fill[128];
  std::snprintf(fill, sizeof fill, "FillText (%g,%g,%g,%g) \"ab\" 0 1 0 0", -grow, -grow, 14 + grow,
                13 + grow);
  EXPECT_EQ(log[2], fill);
}

TEST_F(ContentShapesTest, TextPaintsWithItsFontAndFillAndNoOutline) {
  auto* text = Make<TvgText>(60, 20);
  EXPECT_EQ(text->Fill()->SolidColor(), 0xFF000000u);
  EXPECT_EQ(text->Stroke()->Style(), vgBrushNone);
  text->Font()->SetSize(20);
  text->SetText(u"hi");
  text->SetHorzTextAlign(vgTextAlignFar);
  EXPECT_EQ(Paint(*text), std::vector<std::string>{"FillText (0,0,60,20) \"hi\" 1 1 2 0"});
  EXPECT_EQ(canvas.Font()->Size(), 20);
  EXPECT_EQ(canvas.Fill()->SolidColor(), 0xFF000000u);
  text->SetData(rtl::Variant(u"data"));
  EXPECT_EQ(text->GetData().AsWideString(), u"data");
}

TEST_F(ContentShapesTest, SameTextAgainDoesNotRepaint) {
  auto* text = Make<TvgText>(60, 20);
  text->SetText(u"x");
  scene.updates.clear();
  text->SetText(u"x");
  EXPECT_TRUE(scene.updates.empty());
}

// The box around the pixels a node paints, in its own coordinates: it is
// painted into a large transparent bitmap with its origin at (200, 100).
TvgRect InkOf(TvgVisualObject& node) {
  TvgBitmap bitmap(500, 250);
  TvgCanvas& canvas = *bitmap.GetCanvas();
  if (!canvas.BeginScene()) return {};
  canvas.Clear(0);
  node.PaintTo(canvas, {200, 100, 200 + node.Width(), 100 + node.Height()});
  canvas.EndScene();
  int left = 500, top = 250, right = 0, bottom = 0;
  for (int y = 0; y < 250; ++y)
    for (int x = 0; x < 500; ++x)
      if (bitmap.ConstBits()[y * 500 + x] >> 24) {
        left = std::min(left, x);
        top = std::min(top, y);
        right = std::max(right, x + 1);
        bottom = std::max(bottom, y + 1);
      }
  return {float(left - 200), float(top - 100), float(right - 200), float(bottom - 100)};
}

bool Covers(const TvgRect& area, const TvgRect& ink) { return vgUnionRect(area, ink) == area; }

// A text wider or taller than its node draws past it: what is repainted
// when it changes covers the text it drew before and the one it draws now.
TEST_F(ContentShapesTest, RepaintAreaCoversTheTextDrawnPastTheNode) {
  TvgBitmap measuring(10, 10);
  scene.canvas = measuring.GetCanvas();
  struct Case {
    bool wordWrap;
    TvgTextAlign align;
  } cases[] = {{false, vgTextAlignCenter}, {false, vgTextAlignNear}, {false, vgTextAlignFar},
               {true, vgTextAlignCenter}};
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "wrap " << c.wordWrap << " align " << int(c.align));
    auto* text = Make<TvgText>(30, 12);
    text->SetWordWrap(c.wordWrap);
    text->SetHorzTextAlign(c.align);
    text->SetText(u"Head Speed Remainder Enough?");
    const TvgRect wide = InkOf(*text);
    ASSERT_TRUE(vgRectWidth(wide) > 30 || vgRectHeight(wide) > 12);
    EXPECT_TRUE(Covers(text->GetUpdateRect(), wide));

    scene.updates.clear();
    text->SetText(u"x");
    ASSERT_FALSE(scene.updates.empty());
    EXPECT_TRUE(Covers(scene.updates.front(), wide));  // the old text goes
    scene.updates.clear();
    text->SetText(u"Head Speed Remainder Enough?");
    ASSERT_FALSE(scene.updates.empty());
    EXPECT_TRUE(Covers(scene.updates.back(), wide));  // the new one comes
  }
}

// ----- images

TEST_F(ContentShapesTest, ImageWrapModes) {
  struct Case {
    TvgImageWrap wrap;
    float size;
    int bw, bh;
    std::vector<std::string> expected;
    size_t draws;
  } cases[] = {
      {vgImageFit, 100, 50, 20, {"DrawBitmap 50x20 (0,0,50,20) (25,40,75,60) 1 0"}, 1},
      {vgImageStretch, 100, 50, 20, {"DrawBitmap 50x20 (0,0,50,20) (0,0,100,100) 1 0"}, 1},
      {vgImageOriginal,
       100,
       50,
       20,
       {"SaveCanvas 0", "IntersectClipRect (0,0,100,100)",
        "DrawBitmap 50x20 (0,0,50,20) (0,0,50,20) 1 1", "RestoreCanvas 0", "SetMatrix 1,0,0,1,0,0"},
       1},
      {vgImageTile, 100, 30, 30, {}, 16},  // Round(3.33) = 3: 4 x 4
      {vgImageTile, 75, 30, 30, {}, 9},    // Round(2.5) = 2: 3 x 3
  };
  for (const Case& c : cases) {
    auto* image = Make<TvgImage>(c.size, c.size);
    image->Bitmap()->SetSize(c.bw, c.bh);
    image->SetWrapMode(c.wrap);
    const auto log = Paint(*image);
    if (!c.expected.empty()) {
      EXPECT_EQ(log, c.expected);
    }
    EXPECT_EQ(Only(log, "DrawBitmap").size(), c.draws) << c.wrap;
  }
}

TEST_F(ContentShapesTest, TilesStepByTheBitmapSize) {
  auto* image = Make<TvgImage>(75, 75);
  image->Bitmap()->SetSize(30, 30);
  image->SetWrapMode(vgImageTile);
  const auto draws = Only(Paint(*image), "DrawBitmap");
  EXPECT_EQ(draws.back(), "DrawBitmap 30x30 (0,0,30,30) (60,60,90,90) 1 1");
}

TEST_F(ContentShapesTest, NinePartImageKeepsCornersAndStretchesTheRest) {
  auto* image = Make<TvgImage>(100, 40);
  image->Bitmap()->SetSize(20, 20);
  image->SetWrapMode(vgImageTile);  // ignored while margins are set
  image->BitmapMargins()->SetRect({5, 5, 5, 5});
  const std::vector<std::string> expected = {"DrawBitmap 20x20 (0,0,5,5) (0,0,5,5) 1 1",
                                             "DrawBitmap 20x20 (5,0,15,5) (5,0,95,5) 1 1",
                                             "DrawBitmap 20x20 (15,0,20,5) (95,0,100,5) 1 1",
                                             "DrawBitmap 20x20 (0,5,5,15) (0,5,5,35) 1 1",
                                             "DrawBitmap 20x20 (5,5,15,15) (5,5,95,35) 1 1",
                                             "DrawBitmap 20x20 (15,5,20,15) (95,5,100,35) 1 1",
                                             "DrawBitmap 20x20 (0,15,5,20) (0,35,5,40) 1 1",
                                             "DrawBitmap 20x20 (5,15,15,20) (5,35,95,40) 1 1",
                                             "DrawBitmap 20x20 (15,15,20,20) (95,35,100,40) 1 1"};
  EXPECT_EQ(Paint(*image), expected);
}

TEST_F(ContentShapesTest, EmptyImagePaintsOnlyTheDesignFrame) {
  auto* image = Make<TvgImage>(20, 10);
  EXPECT_TRUE(Paint(*image).empty());
  scene.designTime = true;
  const auto log = Paint(*image);
  ASSERT_EQ(log.size(), 1u);
  EXPECT_EQ(log[0], "DrawRect (0.5,0.5,19.5,9.5) 0,0 1");
  EXPECT_EQ(canvas.StrokeDash(), vgDashSolid);
  image->SetLocked(true);
  EXPECT_TRUE(Paint(*image).empty());
}

TEST_F(ContentShapesTest, ImageDataCopiesBitmapsAndIgnoresOtherObjects) {
  auto* image = Make<TvgImage>(20, 10);
  TvgBitmap source(3, 2);
  image->SetData(ObjectToVariant(&source));
  EXPECT_EQ(image->Bitmap()->Width(), 3);
  rtl::TObject other;
  image->SetData(ObjectToVariant(&other));
  EXPECT_EQ(image->Bitmap()->Width(), 3);
  EXPECT_EQ(VariantToObject(image->GetData()), image->Bitmap());

  const std::string file = ::testing::TempDir() + "vg_image_data.png";
  TvgBitmap picture(4, 5);
  picture.Clear(0xFF336699);
  picture.SaveToFile(file);
  image->SetData(rtl::Variant(rtl::Utf8ToUtf16(file)));
  EXPECT_EQ(image->Bitmap()->Width(), 4);
  EXPECT_EQ(image->Bitmap()->Height(), 5);
  std::remove(file.c_str());
}

// ----- paths

TEST_F(ContentShapesTest, PathWrapModes) {
  struct Case {
    TvgPathWrap wrap;
    float w, h;
    std::vector<std::string> rects;  // the rectangle of each FillPath
  } cases[] = {
      {vgPathStretch, 50, 50, {"(1,1,49,49)"}},
      {vgPathFit, 50, 50, {"(20,15,30,35)"}},  // never enlarged, centred
      {vgPathOriginal, 50, 50, {"(1,1,11,21)"}},
      // Round(50/10) = 5, Round(50/20) = 2 (2.5 to even): 6 x 3 tiles,
      // stepping by the path's size plus twice the stroke inset.
      {vgPathTile, 50, 50, {}},
  };
  for (const Case& c : cases) {
    auto* path = Make<TvgPath>(c.w, c.h);
    path->Data()->SetPathString("M0,0 L10,0 L10,20 Z");
    path->SetStrokeThickness(2);
    path->SetWrapMode(c.wrap);
    const auto fills = Only(Paint(*path), "FillPath");
    if (c.wrap == vgPathTile) {
      ASSERT_EQ(fills.size(), 18u);
      EXPECT_NE(fills[1].find("(1,23,11,43)"), std::string::npos) << fills[1];
      EXPECT_NE(fills.back().find("(61,45,71,65)"), std::string::npos) << fills.back();
      continue;
    }
    ASSERT_EQ(fills.size(), 1u);
    EXPECT_NE(fills[0].find(c.rects[0]), std::string::npos) << fills[0];
  }
}

TEST_F(ContentShapesTest, FlatPathTiledDrawsNothing) {
  auto* path = Make<TvgPath>(50, 50);
  path->Data()->SetPathString("M0,0 L10,0");
  path->SetWrapMode(vgPathTile);
  EXPECT_TRUE(Only(Paint(*path), "FillPath").empty());
}

TEST_F(ContentShapesTest, PathHitTestUsesThePathAtRunTimeAndTheBoxInTheDesigner) {
  TvgBitmap bitmap(100, 100);
  scene.canvas = bitmap.GetCanvas();
  auto* path = Make<TvgPath>(100, 100);
  path->Stroke()->SetStyle(vgBrushNone);
  path->Data()->SetPathString("M0,0 L100,0 L0,100 Z");  // upper-left triangle
  EXPECT_TRUE(path->PointInObject(20, 20));
  EXPECT_FALSE(path->PointInObject(80, 80));
  scene.designTime = true;
  EXPECT_TRUE(path->PointInObject(80, 80));
  scene.designTime = false;
  path->Data()->SetPathString("M0,0");
  EXPECT_TRUE(path->PointInObject(80, 80));  // fewer than two points: the box
}

TEST_F(ContentShapesTest, ScrollArrowsAreFittedTrianglesScaledBy100) {
  auto* arrow = Make<TvgScrollArrowLeft>(10, 10);
  EXPECT_EQ(arrow->WrapMode(), vgPathFit);
  EXPECT_EQ(arrow->Data()->GetBounds(), (TvgRect{0, 0, 100, 100}));
  EXPECT_EQ(Make<TvgScrollArrowRight>(10, 10)->Data()->PathData.size(), 4u);
}

TEST_F(ContentShapesTest, PaintBoxHandsItsCanvasToTheHandler) {
  auto* box = Make<TvgPaintBox>(10, 10);
  TvgCanvas* seen = nullptr;
  box->OnPaint = [&](rtl::TObject* sender, TvgCanvas* c) {
    EXPECT_EQ(sender, box);
    seen = c;
  };
  Paint(*box);
  EXPECT_EQ(seen, &canvas);
}

}  // namespace
}  // namespace vgtest
