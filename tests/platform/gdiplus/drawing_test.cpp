// Pixel tests of the cairo implementation: each drawing call once, read at
// pixel centres well inside or outside the shapes.
#include "tests/platform/gdiplus/GdipTestSupport.h"

namespace gdip::testing {
namespace {

constexpr ARGB kRed = 0xFFFF0000, kBlue = 0xFF0000FF, kGreen = 0xFF00FF00, kWhite = 0xFFFFFFFF;

class DrawingTest : public ::testing::Test {
 protected:
  std::unique_ptr<GdiPlus> api = CreateCairoGdiPlus();
  Surface s{*api, 40, 40};
  Objects o{*api};

  GpMatrix* Matrix(REAL m11, REAL m12, REAL m21, REAL m22, REAL dx, REAL dy) {
    GpMatrix* m = nullptr;
    EXPECT_EQ(api->GdipCreateMatrix2(m11, m12, m21, m22, dx, dy, &m), Ok);
    matrices.push_back(m);
    return m;
  }
  void TearDown() override {
    for (GpMatrix* m : matrices) api->GdipDeleteMatrix(m);
  }
  std::vector<GpMatrix*> matrices;
};

TEST_F(DrawingTest, FillRectangleAndClearColourPixelsInsideOnly) {
  ASSERT_EQ(api->GdipGraphicsClear(s.graphics, kWhite), Ok);
  ASSERT_EQ(api->GdipFillRectangle(s.graphics, o.Solid(kRed), 10, 10, 10, 10), Ok);
  EXPECT_EQ(s.At(15, 15), kRed);
  EXPECT_EQ(s.At(5, 5), kWhite);
  EXPECT_EQ(s.At(25, 15), kWhite);
  // Half-transparent colours land premultiplied.
  ASSERT_EQ(api->GdipFillRectangle(s.graphics, o.Solid(0x800000FF), 30, 30, 5, 5), Ok);
  EXPECT_EQ(s.At(32, 32), 0xFF7F7FFFu);
}

TEST_F(DrawingTest, ClipRectanglesIntersectExcludeAndEmptyRegion) {
  GpBrush* red = o.Solid(kRed);
  api->GdipSetClipRect(s.graphics, 0, 0, 20, 40, CombineModeIntersect);
  api->GdipSetClipRect(s.graphics, 5, 5, 10, 10, CombineModeExclude);
  api->GdipFillRectangle(s.graphics, red, 0, 0, 40, 40);
  EXPECT_EQ(s.At(2, 2), kRed);
  EXPECT_EQ(s.At(10, 10), 0u);  // excluded
  EXPECT_EQ(s.At(30, 2), 0u);   // outside the intersection

  GpRegion* region = nullptr;
  ASSERT_EQ(api->GdipCreateRegion(&region), Ok);
  api->GdipSetEmpty(region);
  api->GdipSetClipRegion(s.graphics, region, CombineModeReplace);
  api->GdipFillRectangle(s.graphics, o.Solid(kBlue), 0, 0, 40, 40);
  EXPECT_EQ(s.At(2, 2), kRed);  // an empty clip hides everything

  const RectF a{0, 30, 5, 5}, b{35, 30, 5, 5};
  api->GdipCombineRegionRect(region, &a, CombineModeUnion);
  api->GdipCombineRegionRect(region, &b, CombineModeUnion);
  api->GdipSetClipRegion(s.graphics, region, CombineModeReplace);
  api->GdipFillRectangle(s.graphics, o.Solid(kBlue), 0, 0, 40, 40);
  EXPECT_EQ(s.At(2, 32), kBlue);
  EXPECT_EQ(s.At(37, 32), kBlue);
  EXPECT_EQ(s.At(20, 32), 0u);
  RectF bounds;
  api->GdipGetRegionBounds(region, s.graphics, &bounds);
  EXPECT_EQ(bounds.X, 0);
  EXPECT_EQ(bounds.Width, 40);
  api->GdipDeleteRegion(region);

  api->GdipResetClip(s.graphics);
  api->GdipFillRectangle(s.graphics, o.Solid(kGreen), 0, 0, 40, 40);
  EXPECT_EQ(s.At(20, 20), kGreen);
}

TEST_F(DrawingTest, WorldTransformsPrependAndClipsFollowThem) {
  api->GdipSetWorldTransform(s.graphics, Matrix(1, 0, 0, 1, 20, 0));
  api->GdipScaleWorldTransform(s.graphics, 2, 2, MatrixOrderPrepend);  // scale first, then move
  api->GdipFillRectangle(s.graphics, o.Solid(kRed), 0, 0, 5, 5);
  EXPECT_EQ(s.At(29, 9), kRed);
  EXPECT_EQ(s.At(31, 9), 0u);
  EXPECT_EQ(s.At(5, 5), 0u);

  api->GdipMultiplyWorldTransform(s.graphics, Matrix(1, 0, 0, 1, 0, 10), MatrixOrderPrepend);  // 20 px down
  api->GdipSetClipRect(s.graphics, 0, 0, 2, 2, CombineModeIntersect);                          // (20,20)-(24,24)
  api->GdipFillRectangle(s.graphics, o.Solid(kBlue), 0, 0, 10, 10);
  EXPECT_EQ(s.At(22, 22), kBlue);
  EXPECT_EQ(s.At(26, 26), 0u);

  EXPECT_EQ(api->GdipSetWorldTransform(s.graphics, Matrix(0, 0, 0, 0, 0, 0)), InvalidParameter);
  GpMatrix* read = Matrix(1, 0, 0, 1, 0, 0);
  api->GdipGetWorldTransform(s.graphics, read);
  REAL e[6];
  api->GdipGetMatrixElements(read, e);
  EXPECT_EQ(std::vector<REAL>(e, e + 6), (std::vector<REAL>{2, 0, 0, 2, 20, 20}));
}

TEST_F(DrawingTest, ShearMatrixPrepends) {
  GpMatrix* m = Matrix(1, 0, 0, 1, 5, 0);
  api->GdipShearMatrix(m, 1, 0, MatrixOrderPrepend);
  REAL e[6];
  api->GdipGetMatrixElements(m, e);
  EXPECT_EQ(std::vector<REAL>(e, e + 6), (std::vector<REAL>{1, 0, 1, 1, 5, 0}));
}

TEST_F(DrawingTest, RestoreBringsBackTransformClipAndModesAndDropsLaterStates) {
  GraphicsState outer = 0, inner = 0;
  api->GdipSaveGraphics(s.graphics, &outer);
  api->GdipSetInterpolationMode(s.graphics, InterpolationModeNearestNeighbor);
  api->GdipSetWorldTransform(s.graphics, Matrix(1, 0, 0, 1, 30, 30));
  api->GdipSetClipRect(s.graphics, 0, 0, 5, 5, CombineModeIntersect);
  api->GdipSaveGraphics(s.graphics, &inner);
  api->GdipRestoreGraphics(s.graphics, outer);
  api->GdipRestoreGraphics(s.graphics, inner);  // already dropped: ignored
  api->GdipFillRectangle(s.graphics, o.Solid(kRed), 0, 0, 10, 10);
  EXPECT_EQ(s.At(5, 5), kRed);
  EXPECT_EQ(s.At(32, 32), 0u);
  InterpolationMode mode;
  api->GdipGetInterpolationMode(s.graphics, &mode);
  EXPECT_EQ(mode, InterpolationModeBilinear);
}

struct PenCase {
  const char* name;
  LineCap cap;
  std::vector<REAL> dashes;
  int x;  // a pixel on the line's row, y = 20
  bool inked;
};

class PenTest : public DrawingTest, public ::testing::WithParamInterface<PenCase> {};

// A 4 wide line from x 10 to 30: caps reach 2 beyond, dashes count in widths.
TEST_P(PenTest, CapsAndDashesInPenWidths) {
  const PenCase& c = GetParam();
  GpPen* pen = o.Pen(kRed, 4);
  api->GdipSetPenLineCap197819(pen, c.cap, c.cap, c.cap == LineCapRound ? DashCapRound : DashCapFlat);
  if (!c.dashes.empty()) api->GdipSetPenDashArray(pen, c.dashes.data(), INT(c.dashes.size()));
  api->GdipDrawLine(s.graphics, pen, 10, 20, 30, 20);
  EXPECT_EQ(s.Alpha(c.x, 20) == 255, c.inked) << c.name;
  EXPECT_EQ(s.Alpha(c.x, 20) == 0, !c.inked) << c.name;
}

INSTANTIATE_TEST_SUITE_P(Pens, PenTest,
                         ::testing::Values(PenCase{"flat end", LineCapFlat, {}, 30, false},
                                           PenCase{"round end", LineCapRound, {}, 30, true},
                                           PenCase{"flat middle", LineCapFlat, {}, 20, true},
                                           PenCase{"dash on", LineCapFlat, {2, 1}, 15, true},    // 10..18 on
                                           PenCase{"dash gap", LineCapFlat, {2, 1}, 19, false},  // 18..22 off
                                           PenCase{"dash next", LineCapFlat, {2, 1}, 23, true}),
                         [](const auto& info) {
                           std::string n = info.param.name;
                           for (char& ch : n) ch = ch == ' ' ? '_' : ch;
                           return n;
                         });

TEST_F(DrawingTest, JoinsShapeTheCorner) {
  for (LineJoin join : {LineJoinMiter, LineJoinBevel, LineJoinRound}) {
    Surface t(*api, 40, 40);
    GpPen* pen = o.Pen(kRed, 8);
    api->GdipSetPenLineJoin(pen, join);
    GpPath* path = o.Path();
    api->GdipAddPathLine(path, 10, 30, 10, 10);
    api->GdipAddPathLine(path, 10, 10, 30, 10);
    api->GdipDrawPath(t.graphics, pen, path);
    // The outer corner at (6.5, 6.5): only a miter fills it.
    EXPECT_EQ(t.Alpha(6, 6) == 255, join == LineJoinMiter) << join;
    EXPECT_EQ(t.Alpha(10, 20), 255);
  }
}

TEST_F(DrawingTest, HairlineStaysOneDevicePixelUnderScale) {
  api->GdipScaleWorldTransform(s.graphics, 10, 10, MatrixOrderPrepend);
  api->GdipSetSmoothingMode(s.graphics, SmoothingModeNone);
  api->GdipDrawLine(s.graphics, o.Pen(kRed, 0), 0, 2.05f, 4, 2.05f);  // device y 20.5
  EXPECT_EQ(s.At(20, 20), kRed);
  EXPECT_EQ(s.At(20, 21), 0u);
  EXPECT_EQ(s.At(20, 19), 0u);
}

TEST_F(DrawingTest, LineGradientFollowsPresetBlendAndFlipsBeyondItsEnd) {
  const PointF p1{0, 0}, p2{20, 0};
  GpLineGradient* brush = nullptr;
  ASSERT_EQ(api->GdipCreateLineBrush(&p1, &p2, kRed, kRed, WrapModeTile, &brush), Ok);
  o.Keep(brush);
  const ARGB colors[] = {kRed, kRed, kBlue};
  const REAL positions[] = {0, 0.5f, 1};
  api->GdipSetLinePresetBlend(brush, colors, positions, 3);
  api->GdipSetLineWrapMode(brush, WrapModeTileFlipX);
  api->GdipFillRectangle(s.graphics, brush, 0, 0, 40, 10);
  EXPECT_EQ(s.At(5, 5), kRed);
  EXPECT_GT(s.At(19, 5) & 0xFF, 0xE0u) << std::hex << s.At(19, 5);  // nearly blue at 19.5
  EXPECT_GT(s.At(20, 5) & 0xFF, 0xE0u) << std::hex << s.At(20, 5);  // mirrored, not restarted
  EXPECT_EQ(s.At(35, 5), kRed);

  GpLineGradient* none = nullptr;
  EXPECT_NE(api->GdipCreateLineBrush(&p1, &p1, kRed, kBlue, WrapModeTile, &none), Ok);
}

TEST_F(DrawingTest, PathGradientRunsFromRimToCentreInsideTheEllipse) {
  GpPath* ellipse = o.Path();
  api->GdipAddPathEllipse(ellipse, 0, 0, 40, 40);
  GpPathGradient* brush = nullptr;
  ASSERT_EQ(api->GdipCreatePathGradientFromPath(ellipse, &brush), Ok);
  o.Keep(brush);
  const ARGB colors[] = {kRed, kBlue};
  const REAL positions[] = {0, 1};
  api->GdipSetPathGradientPresetBlend(brush, colors, positions, 2);
  api->GdipSetPathGradientWrapMode(brush, WrapModeClamp);
  api->GdipFillRectangle(s.graphics, brush, 0, 0, 40, 40);
  EXPECT_GT(s.At(20, 20) & 0xFF, 0xF0u);         // centre blue
  EXPECT_GT((s.At(1, 20) >> 16) & 0xFF, 0xC0u);  // rim red
  EXPECT_EQ(s.At(1, 1), 0u);                     // outside the ellipse

  // The brush transform moves the ellipse.
  Surface t(*api, 40, 40);
  api->GdipSetPathGradientTransform(brush, Matrix(0.5f, 0, 0, 0.5f, 20, 20));
  api->GdipFillRectangle(t.graphics, brush, 0, 0, 40, 40);
  EXPECT_GT(t.At(30, 30) & 0xFF, 0xE0u);
  EXPECT_EQ(t.At(10, 10), 0u);
}

class TextureTest : public DrawingTest {
 protected:
  // A 2 x 1 image: red then blue.
  std::vector<ARGB> tile{kRed, kBlue};
  GpBitmap* image = nullptr;
  void SetUp() override {
    ASSERT_EQ(
        api->GdipCreateBitmapFromScan0(2, 1, 8, PixelFormat32bppPARGB, reinterpret_cast<BYTE*>(tile.data()), &image),
        Ok);
  }
  void TearDown() override {
    api->GdipDisposeImage(image);
    DrawingTest::TearDown();
  }
  std::vector<ARGB> Row(WrapMode wrap, const GpImageAttributes* attrs = nullptr) {
    Surface t(*api, 8, 1, false);
    GpTexture* brush = nullptr;
    EXPECT_EQ(api->GdipCreateTextureIA(image, attrs, 0, 0, 2, 1, &brush), Ok);
    api->GdipSetTextureWrapMode(brush, wrap);
    api->GdipFillRectangle(t.graphics, brush, 0, 0, 8, 1);
    api->GdipDeleteBrush(brush);
    return t.pixels;
  }
};

TEST_F(TextureTest, WrapModesTileFlipAndClamp) {
  EXPECT_EQ(Row(WrapModeTile), (std::vector<ARGB>{kRed, kBlue, kRed, kBlue, kRed, kBlue, kRed, kBlue}));
  EXPECT_EQ(Row(WrapModeTileFlipX), (std::vector<ARGB>{kRed, kBlue, kBlue, kRed, kRed, kBlue, kBlue, kRed}));
  EXPECT_EQ(Row(WrapModeClamp), (std::vector<ARGB>{kRed, kBlue, 0, 0, 0, 0, 0, 0}));
}

TEST_F(TextureTest, AWholeImageBrushSharesThePixelsAndAPartIsCopied) {
  GpTexture* whole = nullptr;
  ASSERT_EQ(api->GdipCreateTextureIA(image, nullptr, 0, 0, 2, 1, &whole), Ok);
  GpTexture* part = nullptr;
  ASSERT_EQ(api->GdipCreateTextureIA(image, nullptr, 1, 0, 1, 1, &part), Ok);
  tile[0] = kBlue;  // no copy was taken for the whole image
  Surface t(*api, 4, 1, false);
  api->GdipFillRectangle(t.graphics, whole, 0, 0, 2, 1);
  api->GdipFillRectangle(t.graphics, part, 2, 0, 2, 1);
  EXPECT_EQ(t.pixels, (std::vector<ARGB>{kBlue, kBlue, kBlue, kBlue}));
  api->GdipDeleteBrush(whole);
  api->GdipDeleteBrush(part);
}

TEST_F(TextureTest, AttributesHalveAlphaAndScaleStretches) {
  GpImageAttributes* attrs = nullptr;
  ASSERT_EQ(api->GdipCreateImageAttributes(&attrs), Ok);
  ColorMatrix m{};
  for (int i = 0; i < 5; ++i) m.m[i][i] = 1;
  m.m[3][3] = 0.5f;
  ASSERT_EQ(
      api->GdipSetImageAttributesColorMatrix(attrs, ColorAdjustTypeBitmap, 1, &m, nullptr, ColorMatrixFlagsDefault),
      Ok);
  EXPECT_EQ(Row(WrapModeTile, attrs)[0] >> 24, 0x80u);
  m.m[0][1] = 1;  // anything but alpha is not ours to do
  EXPECT_EQ(
      api->GdipSetImageAttributesColorMatrix(attrs, ColorAdjustTypeBitmap, 1, &m, nullptr, ColorMatrixFlagsDefault),
      NotImplemented);
  api->GdipDisposeImageAttributes(attrs);

  Surface t(*api, 8, 1, false);
  GpTexture* brush = nullptr;
  ASSERT_EQ(api->GdipCreateTexture(image, WrapModeClamp, &brush), Ok);
  api->GdipScaleTextureTransform(brush, 4, 1, MatrixOrderPrepend);
  api->GdipSetInterpolationMode(t.graphics, InterpolationModeNearestNeighbor);
  api->GdipFillRectangle(t.graphics, brush, 0, 0, 8, 1);
  api->GdipDeleteBrush(brush);
  EXPECT_EQ(t.At(1, 0), kRed);
  EXPECT_EQ(t.At(6, 0), kBlue);
}

TEST_F(DrawingTest, PathFiguresJoinSegmentsAndFillEvenOdd) {
  GpPath* path = o.Path();
  // Two lines that do not touch: the figure joins them with a line.
  api->GdipAddPathLine(path, 0, 0, 20, 0);
  api->GdipAddPathLine(path, 20, 20, 0, 20);
  api->GdipClosePathFigure(path);
  // A second figure inside the first: a hole under the even-odd rule.
  api->GdipAddPathEllipse(path, 5, 5, 10, 10);
  INT count = 0;
  api->GdipGetPointCount(path, &count);
  ASSERT_EQ(count, 4 + 13);
  std::vector<PointF> points(count);
  std::vector<BYTE> types(count);
  GpPathData data{count, points.data(), types.data()};
  ASSERT_EQ(api->GdipGetPathData(path, &data), Ok);
  EXPECT_EQ((std::vector<BYTE>(types.begin(), types.begin() + 5)),
            (std::vector<BYTE>{PathPointTypeStart, 1, 1, 1 | PathPointTypeCloseSubpath, PathPointTypeStart}));
  EXPECT_EQ(types.back(), PathPointTypeBezier | PathPointTypeCloseSubpath);

  api->GdipFillPath(s.graphics, o.Solid(kRed), path);
  EXPECT_EQ(s.At(2, 10), kRed);
  EXPECT_EQ(s.At(10, 10), 0u);
  EXPECT_EQ(s.At(25, 10), 0u);
  BOOL inside = 0;
  api->GdipIsVisiblePathPoint(path, 2, 10, nullptr, &inside);
  EXPECT_TRUE(inside);
  api->GdipIsVisiblePathPoint(path, 10, 10, nullptr, &inside);
  EXPECT_FALSE(inside);
}

TEST_F(DrawingTest, BezierEllipseAndRectangleOutlines) {
  GpPen* pen = o.Pen(kRed, 2);
  api->GdipDrawBezier(s.graphics, pen, 0, 30, 0, 39, 20, 39, 20, 30);  // bottom at y = 36.75
  EXPECT_EQ(s.Alpha(10, 36), 255);
  EXPECT_EQ(s.Alpha(10, 31), 0);
  api->GdipDrawEllipse(s.graphics, pen, 2, 2, 20, 20);
  EXPECT_EQ(s.Alpha(12, 2), 255);
  EXPECT_EQ(s.Alpha(12, 12), 0);
  api->GdipDrawRectangle(s.graphics, pen, 25, 2, 10, 10);
  EXPECT_EQ(s.Alpha(25, 7), 255);
  EXPECT_EQ(s.Alpha(30, 7), 0);
}

TEST_F(DrawingTest, DrawImageScalesCutsAndFades) {
  std::vector<ARGB> picture{kRed, kGreen, kBlue, kWhite};  // 2 x 2
  GpBitmap* image = nullptr;
  ASSERT_EQ(
      api->GdipCreateBitmapFromScan0(2, 2, 8, PixelFormat32bppPARGB, reinterpret_cast<BYTE*>(picture.data()), &image),
      Ok);
  api->GdipSetInterpolationMode(s.graphics, InterpolationModeNearestNeighbor);
  api->GdipDrawImageRectI(s.graphics, image, 0, 0, 20, 20);
  EXPECT_EQ(s.At(5, 5), kRed);
  EXPECT_EQ(s.At(15, 15), kWhite);
  EXPECT_EQ(s.At(25, 5), 0u);
  // The source's right column only, at half opacity, with pixels outside the
  // cut never bleeding in under smooth scaling.
  GpImageAttributes* attrs = nullptr;
  api->GdipCreateImageAttributes(&attrs);
  ColorMatrix m{};
  for (int i = 0; i < 5; ++i) m.m[i][i] = 1;
  m.m[3][3] = 0.5f;
  api->GdipSetImageAttributesColorMatrix(attrs, ColorAdjustTypeBitmap, 1, &m, nullptr, ColorMatrixFlagsDefault);
  api->GdipSetInterpolationMode(s.graphics, InterpolationModeHighQuality);
  api->GdipDrawImageRectRect(s.graphics, image, 20, 20, 20, 20, 1, 0, 1, 1, UnitPixel, attrs, nullptr, nullptr);
  EXPECT_EQ(s.At(21, 30), 0x80008000u);
  api->GdipDisposeImageAttributes(attrs);
  api->GdipDisposeImage(image);
}

TEST_F(DrawingTest, CompositingSourceCopyReplacesPixels) {
  api->GdipGraphicsClear(s.graphics, kWhite);
  api->GdipSetCompositingMode(s.graphics, CompositingModeSourceCopy);
  api->GdipFillRectangle(s.graphics, o.Solid(0x00000000), 0, 0, 10, 10);
  EXPECT_EQ(s.At(5, 5), 0u);
}

TEST(GdiTest, DibSectionIsDrawnByGraphicsAndCopiedWithBitBlt) {
  auto api = CreateCairoGdiPlus();
  BITMAPINFO info;
  info.bmiHeader.biWidth = 8;
  info.bmiHeader.biHeight = -4;
  void* bits = nullptr;
  HBITMAP dib = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  ASSERT_TRUE(dib && bits);
  HDC dc = CreateCompatibleDC(nullptr);
  ASSERT_NE(SelectObject(dc, dib), nullptr);
  GpGraphics* g = nullptr;
  ASSERT_EQ(api->GdipCreateFromHDC(dc, &g), Ok);
  api->GdipGraphicsClear(g, 0x80FF0000);
  api->GdipDeleteGraphics(g);
  EXPECT_EQ(static_cast<ARGB*>(bits)[0], 0x80800000u);

  // To a window: alpha is ignored.
  cairo_surface_t* window = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 8, 8);
  cairo_t* cr = cairo_create(window);
  HDC windowDc = CreateDCForCairo(cr);
  EXPECT_TRUE(BitBlt(windowDc, 2, 2, 100, 100, dc, 0, 0, SRCCOPY));
  cairo_surface_flush(window);
  auto* out = reinterpret_cast<ARGB*>(cairo_image_surface_get_data(window));
  EXPECT_EQ(out[2 * 8 + 2], 0xFF800000u);
  EXPECT_EQ(out[1 * 8 + 1], 0u);
  EXPECT_EQ(out[6 * 8 + 6], 0u);  // the source is only 4 rows high
  DeleteDC(windowDc);
  cairo_destroy(cr);
  cairo_surface_destroy(window);

  info.bmiHeader.biHeight = 4;  // bottom-up is not made
  EXPECT_EQ(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0), nullptr);
  EXPECT_EQ(bits, nullptr);
  DeleteDC(dc);
  DeleteObject(dib);
}

}  // namespace
}  // namespace gdip::testing
