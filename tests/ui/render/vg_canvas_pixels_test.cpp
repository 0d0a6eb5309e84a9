// What the canvases of both back-ends put on their surfaces, read at pixel
// centres. Each test runs on every back-end of the table; the table says
// where the back-ends differ by design.
#include "platform/gdiplus/Gdi.h"
#include "tests/support/reference_image.h"
#include "tests/ui/render/render_fixture.h"
#include "tests/ui/render/render_pictures.h"
#include "ui/core/vg_font.h"
#include "ui/core/vg_pathdata.h"
#include "ui/core/vg_resourcelink.h"
#include "ui/render/vg_canvas_d2d.h"

using namespace vg;

namespace vgtest {
namespace {

struct BackEnd {
  const char* name;
  TvgCanvasClass canvasClass;
  // Clips apply outside saved states, and SetClipRects({}) hides everything
  // (the other back-end clips only inside a state and ignores no rectangles).
  bool clipsOutsideSavedStates;
  // A radial gradient fills only its ellipse (else its rim colour goes on).
  bool radialOnlyInsideEllipse;
};
const BackEnd kBackEnds[] = {
    {"GdiPlus", &TvgCanvasGdiPlus::Class, true, true},
    {"D2D", &TvgCanvasD2D::Class, false, false},
};

// A bitmap canvas in a frame; reading a pixel ends the frame (which puts
// what was drawn into the bitmap) and begins the next.
class CanvasPixels : public ::testing::TestWithParam<BackEnd> {
 protected:
  CanvasPixels() { canvas.BeginScene(); }
  ~CanvasPixels() override { canvas.EndScene(); }
  TvgBitmap target{60, 40};
  TvgOwned<TvgCanvas> owned{GetParam().canvasClass->CreateFromBitmap(target)};
  TvgCanvas& canvas = *owned;
  std::uint32_t At(int x, int y) {
    canvas.EndScene();
    canvas.BeginScene();
    return target.GetPixels(x, y);
  }
  // Runs change on the bitmap itself, between frames.
  template <class Change>
  void OutsideAFrame(Change change) {
    canvas.EndScene();
    change();
    canvas.BeginScene();
  }
  void FillWith(TvgColor color) {
    canvas.Fill()->SetStyle(vgBrushSolid);
    canvas.Fill()->SetSolidColor(color);
  }
  void StrokeWith(TvgColor color, float thickness) {
    canvas.Stroke()->SetSolidColor(color);
    canvas.SetStrokeThickness(thickness);
  }
};

TEST_P(CanvasPixels, ShapesFillAndStrokeTheirArea) {
  FillWith(kRed);
  canvas.FillRect({10, 10, 30, 20}, 0, 0, AllCorners, 1);
  EXPECT_EQ(At(20, 15), kRed);
  EXPECT_EQ(At(35, 15), 0u);
  FillWith(kBlue);
  canvas.FillEllipse({40, 0, 60, 20}, 1);
  EXPECT_EQ(At(50, 10), kBlue);
  EXPECT_EQ(At(41, 1), 0u) << "outside the ellipse";
  StrokeWith(kGreen, 2);
  canvas.DrawLine({0, 30}, {60, 30}, 1);
  EXPECT_EQ(At(30, 30), kGreen);
  EXPECT_EQ(At(30, 33), 0u);
  canvas.DrawRect({2, 2, 8, 8}, 0, 0, AllCorners, 1);
  EXPECT_EQ(At(2, 5), kGreen);
  EXPECT_EQ(At(5, 5), 0u);
  canvas.DrawEllipse({10, 22, 20, 28}, 1);
  EXPECT_EQ(At(15, 22), kGreen);
}

TEST_P(CanvasPixels, RoundedCornersLeaveTheCornerEmpty) {
  FillWith(kRed);
  canvas.FillRect({0, 0, 60, 40}, 10, 10, AllCorners, 1);
  EXPECT_EQ(At(0, 0), 0u);
  EXPECT_EQ(At(30, 0), kRed);
  EXPECT_EQ(At(0, 20), kRed);
  EXPECT_EQ(At(59, 39), 0u);
}

TEST_P(CanvasPixels, OpacityScalesAlpha) {
  FillWith(kRed);
  canvas.FillRect({0, 0, 10, 10}, 0, 0, AllCorners, 0.5f);
  EXPECT_NEAR(Alpha(At(5, 5)), 128, 1);
}

TEST_P(CanvasPixels, RadialGradientsColourTheRimWithOffsetZero) {
  canvas.Fill()->SetStyle(vgBrushGradient);
  canvas.Fill()->Gradient()->SetStyle(vgRadialGradient);
  TvgGradientPoints& points = *canvas.Fill()->Gradient()->Points();
  points.Points(0)->SetIntColor(kRed);
  points.Points(1)->SetIntColor(kBlue);
  canvas.FillRect({0, 0, 40, 40}, 0, 0, AllCorners, 1);
  const TvgColorRec centre = TvgColorRec::From(At(20, 20));
  const TvgColorRec rim = TvgColorRec::From(At(20, 1));
  EXPECT_GT(centre.B, 240);
  EXPECT_GT(rim.R, 200);
  if (GetParam().radialOnlyInsideEllipse)
    EXPECT_EQ(At(1, 1), 0u) << "outside the ellipse stays unpainted";
  else
    EXPECT_GT(TvgColorRec::From(At(1, 1)).R, 200) << "the rim colour goes on outside";
}

TEST_P(CanvasPixels, LinearGradientsRunFromStartToStop) {
  canvas.Fill()->SetStyle(vgBrushGradient);
  TvgGradientPoints& points = *canvas.Fill()->Gradient()->Points();
  points.Points(0)->SetIntColor(kRed);
  points.Points(1)->SetIntColor(kBlue);
  canvas.FillRect({0, 0, 60, 40}, 0, 0, AllCorners, 1);
  EXPECT_GT(TvgColorRec::From(At(30, 1)).R, 240);
  EXPECT_GT(TvgColorRec::From(At(30, 38)).B, 240);
}

// The whole picture of a small drawing, against one reference image that
// both back-ends match.
TEST_P(CanvasPixels, ADrawingMatchesItsReferenceImage) {
  canvas.Fill()->SetStyle(vgBrushGradient);
  TvgGradientPoints& points = *canvas.Fill()->Gradient()->Points();
  points.Points(0)->SetIntColor(0xFFF2F2F5);
  points.Points(1)->SetIntColor(0xFFC8D2E0);
  canvas.FillRect({0, 0, 60, 40}, 0, 0, AllCorners, 1);
  FillWith(0xFF2873C7);
  canvas.FillRect({4, 4, 34, 20}, 5, 5, AllCorners, 1);
  FillWith(0xFFE8A33D);
  canvas.FillEllipse({38, 6, 56, 24}, 0.8f);
  StrokeWith(0xFF333333, 1.5f);
  canvas.DrawEllipse({38, 6, 56, 24}, 1);
  canvas.DrawLine({4, 32}, {56, 28}, 1);
  OutsideAFrame([&] {
    EXPECT_TRUE(test_support::MatchesReferenceImage({target.Bits(), target.Width(), target.Height(), target.Width()},
                                                    "tests/ui/render/references/canvas_drawing.png"));
  });
}

TEST_P(CanvasPixels, PathsAreMappedOntoTheirRectangle) {
  TvgPathData path;
  path.MoveTo({0, 0});
  path.LineTo({10, 0});
  path.LineTo({10, 10});
  path.LineTo({0, 10});
  path.ClosePath();
  FillWith(kRed);
  canvas.FillPath(path, {20, 10, 40, 30}, 1);  // twice the bounds' size
  EXPECT_EQ(At(21, 11), kRed);
  EXPECT_EQ(At(39, 29), kRed);
  EXPECT_EQ(At(41, 31), 0u);
  EXPECT_TRUE(canvas.PtInPath({30, 20}, {20, 10, 40, 30}, path));
  EXPECT_FALSE(canvas.PtInPath({45, 20}, {20, 10, 40, 30}, path));

  StrokeWith(kBlue, 2);
  canvas.DrawPath(path, {2, 2, 12, 12}, 1);
  EXPECT_EQ(At(7, 2), kBlue);
  EXPECT_EQ(At(2, 7), kBlue) << "Close draws back to the figure's start";
  EXPECT_EQ(At(7, 7), 0u);

  TvgPathData empty;
  EXPECT_FALSE(canvas.PtInPath({0, 0}, {0, 0, 10, 10}, empty));
}

// A style resource holding a brush.
class BrushResource : public IvgResourceNode {
 public:
  virtual ~BrushResource() = default;
  std::string GetResourceName() const override { return "accent"; }
  void AddFreeNotify(IvgFreeNotification*) override {}
  void RemoveFreeNotify(IvgFreeNotification*) override {}
  TvgBrush* ResourceBrush() override { return &brush; }
  TvgBrush brush{vgBrushSolid, kBlue};
};

TEST_P(CanvasPixels, ResourceFillsTakeOverTheLinkedBrush) {
  static BrushResource resource;
  vgFindResource = [](const std::string& name) -> IvgResourceNode* {
    return name == "accent" ? &resource : nullptr;
  };
  canvas.Fill()->SetStyle(vgBrushResource);
  canvas.Fill()->Resource()->SetResourceName("missing");
  canvas.FillRect({20, 0, 30, 10}, 0, 0, AllCorners, 1);
  EXPECT_EQ(At(25, 5), 0u) << "an unresolved resource paints nothing";
  canvas.Fill()->Resource()->SetResourceName("accent");
  canvas.FillRect({0, 0, 10, 10}, 0, 0, AllCorners, 1);
  EXPECT_EQ(At(5, 5), kBlue);
  EXPECT_EQ(canvas.Fill()->Style(), vgBrushSolid) << "the fill took the linked brush over";
  vgFindResource = nullptr;
}

TEST_P(CanvasPixels, BitmapsAreDrawnScaled) {
  TvgBitmap picture(2, 2);
  picture.Clear(kGreen);
  canvas.DrawBitmap(picture, {0, 0, 2, 2}, {10, 10, 30, 30}, 1, true);
  EXPECT_EQ(At(20, 20), kGreen);
  EXPECT_EQ(At(31, 31), 0u);
}

TEST_P(CanvasPixels, ClipsLimitDrawingUntilReset) {
  const bool outside = GetParam().clipsOutsideSavedStates;
  FillWith(kRed);
  canvas.SetClipRects({});
  canvas.FillRect({0, 0, 60, 40}, 0, 0, AllCorners, 1);
  if (outside)
    EXPECT_EQ(At(30, 20), 0u) << "no rectangles: everything hidden";
  else
    EXPECT_EQ(At(30, 20), kRed) << "no rectangles: nothing changes";
  OutsideAFrame([&] { target.Clear(0); });
  canvas.SetClipRects({{0, 0, 10, 10}, {50, 30, 60, 40}});
  int state = canvas.SaveCanvas();
  canvas.ExcludeClipRect({0, 0, 5, 5});
  canvas.FillRect({0, 0, 60, 40}, 0, 0, AllCorners, 1);
  canvas.RestoreCanvas(state);
  EXPECT_EQ(At(7, 7), kRed);
  EXPECT_EQ(At(2, 2), 0u);
  EXPECT_EQ(At(55, 35), kRed);
  EXPECT_EQ(At(30, 20), 0u);
  canvas.ResetClipRect();
  canvas.IntersectClipRect({20, 20, 30, 30});
  FillWith(kBlue);
  canvas.FillRect({0, 0, 60, 40}, 0, 0, AllCorners, 1);
  EXPECT_EQ(At(25, 25), kBlue);
  EXPECT_EQ(At(35, 25), outside ? 0u : kBlue) << "a clip outside a saved state";

  canvas.ResetClipRect();
  OutsideAFrame([&] { target.Clear(0); });
  state = canvas.SaveCanvas();
  canvas.IntersectClipRect({20, 20, 30, 30});
  canvas.FillRect({0, 0, 60, 40}, 0, 0, AllCorners, 1);
  canvas.RestoreCanvas(state);
  EXPECT_EQ(At(35, 25), 0u) << "the clip held inside the state";
  FillWith(kGreen);
  canvas.FillRect({0, 0, 60, 40}, 0, 0, AllCorners, 1);
  EXPECT_EQ(At(35, 25), kGreen) << "and ended at its restore";
}

TEST_P(CanvasPixels, SavedStatesBringBackMatrixAndClip) {
  const int state = canvas.SaveCanvas();
  canvas.SetMatrix(vgCreateTranslateMatrix(30, 0));
  canvas.IntersectClipRect({0, 0, 5, 5});
  canvas.RestoreCanvas(state);
  FillWith(kRed);
  canvas.FillRect({10, 10, 20, 20}, 0, 0, AllCorners, 1);
  EXPECT_EQ(At(15, 15), kRed);
}

// The fill's picture is shared with the saved state; writing it afterwards
// must neither reach the state nor leave the fill painting the old pixels.
TEST_P(CanvasPixels, ASavedStateKeepsThePictureOfItsFill) {
  TvgBitmap picture(4, 4);
  picture.Clear(kGreen);
  canvas.Fill()->SetStyle(vgBrushBitmap);
  canvas.Fill()->Bitmap()->SetBitmap(&picture);
  canvas.FillRect({0, 0, 10, 10}, 0, 0, AllCorners, 1);
  EXPECT_EQ(At(5, 5), kGreen);
  const int state = canvas.SaveCanvas();
  TvgBitmap& fillPicture = *canvas.Fill()->Bitmap()->Bitmap();
  std::fill_n(fillPicture.Bits(), 16, kRed);
  canvas.FillRect({20, 0, 30, 10}, 0, 0, AllCorners, 1);
  EXPECT_EQ(At(25, 5), kRed) << "the fill paints the written picture";
  canvas.RestoreCanvas(state);
  canvas.FillRect({40, 0, 50, 10}, 0, 0, AllCorners, 1);
  EXPECT_EQ(At(45, 5), kGreen) << "the saved state kept the picture as it was";
  EXPECT_EQ(picture.GetPixels(0, 0), kGreen);
}

TEST_P(CanvasPixels, ClearRectWritesRawWordsIntoTheBitmap) {
  OutsideAFrame([&] { target.Clear(kBlue); });
  canvas.ClearRect({-5, -5, 3.5f, 2.5f}, kRed);
  EXPECT_EQ(At(3, 1), kRed);
  EXPECT_EQ(At(4, 1), kBlue) << "3.5 rounds to 4 (exclusive)";
  EXPECT_EQ(At(3, 2), kBlue) << "2.5 rounds to 2 (exclusive)";
  canvas.Clear(kGreen);
  EXPECT_EQ(At(30, 30), kGreen);
}

TEST_P(CanvasPixels, AFreshCanvasMeasuresTextAsAfterAFontChange) {
  const float width = canvas.TextWidth(u"Hello"), height = canvas.TextHeight(u"Hello");
  const float size = canvas.Font()->Size();
  canvas.Font()->SetSize(size + 1);
  canvas.Font()->SetSize(size);  // the same font again, now through the canvas's own hint
  EXPECT_NEAR(canvas.TextWidth(u"Hello"), width, 0.01f);
  EXPECT_NEAR(canvas.TextHeight(u"Hello"), height, 0.01f);
}

TEST_P(CanvasPixels, TextInksInsideItsAlignedBox) {
  canvas.Font()->SetSize(20);
  FillWith(0xFF000000);
  canvas.FillText({0, 0, 60, 40}, {}, u"II", false, 1, vgTextAlignFar, vgTextAlignCenter);
  int minX = 60, maxX = -1;
  for (int y = 0; y < 40; ++y)
    for (int x = 0; x < 60; ++x)
      if (Alpha(At(x, y)) > 128) minX = std::min(minX, x), maxX = std::max(maxX, x);
  ASSERT_GE(maxX, 0) << "some text was drawn";
  EXPECT_GT(minX, 30) << "far alignment puts the ink on the right";
  EXPECT_LT(maxX, 58) << "padded from the right edge";
}

// The same drawing calls on both back-ends, compared pixel by pixel: only
// antialiased edges may differ, and only a little. A failure writes both
// pictures and their difference beside the test.
const TvgRect kSampleText{10, 150, 150, 170};

void DrawSampleFace(TvgCanvas& canvas) {
  canvas.BeginScene();
  canvas.Clear(0xFFF4F4F4);
  canvas.Fill()->SetStyle(vgBrushGradient);
  TvgGradientPoints& points = *canvas.Fill()->Gradient()->Points();
  points.Points(0)->SetIntColor(0xFFF0F0F0);
  points.Points(1)->SetIntColor(0xFF3070C8);
  canvas.FillRect({10, 10, 110, 40}, 4, 4, AllCorners, 1);
  canvas.Stroke()->SetSolidColor(0xFF404040);
  canvas.SetStrokeThickness(1);
  canvas.DrawRect({10.5f, 10.5f, 109.5f, 39.5f}, 4, 4, AllCorners, 1);
  canvas.Fill()->SetStyle(vgBrushSolid);
  canvas.Fill()->SetSolidColor(0xFFCC3322);
  canvas.FillEllipse({120, 8, 150, 38}, 1);
  canvas.SetStrokeThickness(3);
  canvas.DrawEllipse({124, 12, 146, 34}, 0.5f);
  canvas.Stroke()->SetSolidColor(0xFF00A040);
  canvas.DrawLine({10, 55}, {150, 70}, 1);
  canvas.Fill()->SetSolidColor(0xFF2040FF);
  canvas.FillRect({20, 50, 60, 90}, 0, 0, AllCorners, 0.5f);
  canvas.FillRect({70, 75, 150, 95}, 6, 6, {vgCornerTopLeft, vgCornerBottomRight}, 1, vgCornerBevel);
  TvgPathData path;
  path.SetPathString("M 0 0 L 10 0 L 5 10 Z");
  canvas.Fill()->SetSolidColor(0xFF8020A0);
  canvas.FillPath(path, {10, 60, 30, 90}, 1);
  TvgBitmap picture(2, 2);
  picture.Clear(0xFF00C0C0);
  canvas.DrawBitmap(picture, {0, 0, 2, 2}, {130, 45, 150, 65}, 1, true);
  const int state = canvas.SaveCanvas();
  canvas.SetMatrix(vgCreateTranslateMatrix(2, 2));
  canvas.IntersectClipRect({90, 40, 110, 60});
  canvas.Fill()->SetSolidColor(0xFF806000);
  canvas.FillEllipse({80, 40, 120, 70}, 1);
  canvas.RestoreCanvas(state);
  canvas.Fill()->SetStyle(vgBrushGradient);
  canvas.Fill()->Gradient()->SetStyle(vgRadialGradient);
  canvas.FillEllipse({20, 105, 80, 145}, 1);  // off the origin: centred on its own rectangle
  TvgBitmap tile(4, 4);
  tile.Clear(0xFFE0A020);
  tile.ClearRect({0, 0, 2, 2}, 0xFF2050A0);
  canvas.Fill()->SetStyle(vgBrushBitmap);
  canvas.Fill()->Bitmap()->SetBitmap(&tile);
  canvas.Fill()->Bitmap()->SetWrapMode(vgWrapTile);
  canvas.FillRect({92, 104, 152, 144}, 0, 0, AllCorners, 1);
  canvas.Fill()->SetStyle(vgBrushSolid);
  canvas.Fill()->SetSolidColor(0xFF202020);
  canvas.Font()->SetSize(12);
  canvas.FillText(kSampleText, kSampleText, u"Throttle 45%", false, 1, vgTextAlignNear, vgTextAlignCenter);
  canvas.EndScene();
}

// The box of the pixels darker than the face's background inside r.
TvgRect Ink(const TvgBitmap& b, const TvgRect& r) {
  TvgRect ink{r.Right, r.Bottom, r.Left, r.Top};
  for (int y = int(r.Top); y < int(r.Bottom); ++y)
    for (int x = int(r.Left); x < int(r.Right); ++x)
      if ((b.GetPixels(x, y) & 0xFF) < 0xA0)
        ink = {std::min(ink.Left, float(x)), std::min(ink.Top, float(y)), std::max(ink.Right, float(x + 1)),
               std::max(ink.Bottom, float(y + 1))};
  return ink;
}

TEST(BackEndComparison, SameCallsGiveTheSamePixelsUpToEdges) {
  constexpr int kWidth = 160, kHeight = 175;
  TvgBitmap gdip(kWidth, kHeight), d2d(kWidth, kHeight);
  {
    TvgCanvasGdiPlus canvas(gdip);
    DrawSampleFace(canvas);
  }
  {
    TvgCanvasD2D canvas(d2d);
    DrawSampleFace(canvas);
  }
  int edges = 0, worst = 0;
  TvgBitmap difference(kWidth, kHeight);
  for (int y = 0; y < kHeight; ++y)
    for (int x = 0; x < kWidth; ++x) {
      if (vgPtInRect({x + 0.5f, y + 0.5f}, kSampleText)) continue;  // compared by its ink below
      const std::uint32_t a = gdip.GetPixels(x, y), b = d2d.GetPixels(x, y);
      int channel = 0;
      for (int shift = 0; shift < 32; shift += 8)
        channel = std::max(channel, std::abs(int((a >> shift) & 0xFF) - int((b >> shift) & 0xFF)));
      worst = std::max(worst, channel);
      if (channel > 2) ++edges;
      difference.ClearRect({float(x), float(y), float(x + 1), float(y + 1)},
                           0xFF000000 | std::uint32_t(channel) * 0x010101);
    }
  const bool alike = edges <= kWidth * kHeight / 100 && worst <= 64;
  EXPECT_TRUE(alike) << edges << " pixels differ by more than 2, the worst by " << worst;
  // The first back-end's text starts a sixth of an em further in, as GDI+
  // lays out text; the ink is otherwise the same.
  const TvgRect gdipInk = Ink(gdip, kSampleText), d2dInk = Ink(d2d, kSampleText);
  EXPECT_NEAR(gdipInk.Left, d2dInk.Left, 3);
  EXPECT_NEAR(vgRectWidth(gdipInk), vgRectWidth(d2dInk), 1);
  EXPECT_NEAR(gdipInk.Top, d2dInk.Top, 1);
  EXPECT_NEAR(gdipInk.Bottom, d2dInk.Bottom, 1);
  if (!alike) {
    gdip.SaveToFile("backend_gdiplus.png");
    d2d.SaveToFile("backend_d2d.png");
    difference.SaveToFile("backend_difference.png");
  }
}

INSTANTIATE_TEST_SUITE_P(BothBackEnds, CanvasPixels, ::testing::ValuesIn(kBackEnds),
                         [](const auto& test) { return std::string(test.param.name); });

TEST(WindowCanvasPixels, FlushBufferRectCopiesTheTruncatedRectanglePlusOne) {
  TvgCanvasGdiPlus canvas(20, 20);
  canvas.Clear(kRed);
  gdip::BITMAPINFO info;
  info.bmiHeader.biWidth = 30;
  info.bmiHeader.biHeight = -30;
  void* bits = nullptr;
  gdip::HBITMAP dib =
      gdip::CreateDIBSection(nullptr, &info, gdip::DIB_RGB_COLORS, &bits, nullptr, 0);
  gdip::HDC dc = gdip::CreateCompatibleDC(nullptr);
  gdip::SelectObject(dc, dib);
  canvas.FlushBufferRect(5, 5, reinterpret_cast<std::uintptr_t>(dc), {0.5f, 0.5f, 10.2f, 10.7f});
  auto at = [&](int x, int y) { return static_cast<std::uint32_t*>(bits)[y * 30 + x]; };
  EXPECT_EQ(at(5, 5), kRed);
  EXPECT_EQ(at(15, 15), kRed);
  EXPECT_EQ(at(16, 16), 0u);
  EXPECT_EQ(at(4, 4), 0u);

  TvgBitmap copy;
  copy.Assign(&canvas);
  EXPECT_EQ(copy.Width(), 20);
  EXPECT_EQ(copy.GetPixels(19, 19), kRed);
  gdip::DeleteDC(dc);
  gdip::DeleteObject(dib);

  canvas.FreeBuffer();
  EXPECT_EQ(canvas.BufferBits(), nullptr);
  canvas.ClearRect({0, 0, 5, 5}, kRed);  // nothing left to write to
  TvgBitmap fresh;
  fresh.Assign(&canvas);
  EXPECT_EQ(fresh.GetPixels(1, 1), 0u);
}

}  // namespace
}  // namespace vgtest
