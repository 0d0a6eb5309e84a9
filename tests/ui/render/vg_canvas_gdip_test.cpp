// The GDI+ canvas's call-level rules, checked on the calls it makes.
#include <memory>

#include "tests/ui/render/render_fixture.h"
#include "ui/core/vg_font.h"
#include "ui/core/vg_pathdata.h"
#include "ui/render/vg_filter_gdip.h"

using namespace vg;

namespace vgtest {
namespace {

// The arguments after the first (the handle the call works on).
std::string Tail(const std::string& args) {
  const size_t comma = args.find(", ");
  return comma == std::string::npos ? "" : args.substr(comma + 2);
}

class CanvasCalls : public RecordedTest {
 protected:
  CanvasCalls() { Rec().Clear(); }  // only what the test does
  TvgBitmap target{100, 60};
  TvgCanvasGdiPlus canvas{target};

  void SetGradient(float offset0, float offset1) {
    canvas.Fill()->SetStyle(vgBrushGradient);
    TvgGradientPoints& points = *canvas.Fill()->Gradient()->Points();
    points.Points(0)->SetIntColor(0xFFFF0000);
    points.Points(0)->SetOffset(offset0);
    points.Points(1)->SetIntColor(0xFF0000FF);
    points.Points(1)->SetOffset(offset1);
  }
};

TEST_F(CanvasCalls, GradientStopsAreAddedAtZeroAndOneOnlyWhenMissing) {
  SetGradient(0.2f, 0.8f);
  canvas.FillRect({10, 10, 30, 30}, 0, 0, AllCorners, 1);
  SetGradient(0, 1);
  canvas.FillRect({10, 10, 30, 30}, 0, 0, AllCorners, 1);
  const auto blends = Args("GdipSetLinePresetBlend");
  ASSERT_EQ(blends.size(), 2u);
  EXPECT_EQ(Tail(blends[0]), "[FFFF0000@0 FFFF0000@0.2 FF0000FF@0.8 FF0000FF@1], 4");
  EXPECT_EQ(Tail(blends[1]), "[FFFF0000@0 FF0000FF@1], 2");
  // End points scale by the rectangle's Right and Bottom, and flip-tile.
  EXPECT_EQ(Args("GdipCreateLineBrush")[0].substr(0, 16), "(10,10), (10,40)");
  EXPECT_EQ(Tail(Args("GdipSetLineWrapMode")[0]), "1");
}

TEST_F(CanvasCalls, GradientsLargerThanTheOldStopBuffersAreDrawnWhole) {
  SetGradient(0, 1);
  TvgGradientPoints& points = *canvas.Fill()->Gradient()->Points();
  while (points.Count() < 150) points.AddPoint(0xFF00FF00, 1);
  canvas.FillRect({0, 0, 10, 10}, 0, 0, AllCorners, 1);
  EXPECT_EQ(Rec().CallsTo("GdipSetLinePresetBlend")[0].status, gdip::Ok);
  EXPECT_NE(Args("GdipSetLinePresetBlend")[0].find("], 150"), std::string::npos);
}

TEST_F(CanvasCalls, BitmapFillsAndDrawingsScaleAlphaOnlyBelowFullOpacity) {
  TvgBitmap picture(4, 4);
  picture.Clear(0xFF336699);
  canvas.Fill()->SetStyle(vgBrushBitmap);
  canvas.Fill()->Bitmap()->SetBitmap(&picture);
  canvas.FillRect({0, 0, 10, 10}, 0, 0, AllCorners, 1);
  EXPECT_EQ(Count("GdipCreateImageAttributes"), 0u);
  canvas.FillRect({0, 0, 10, 10}, 0, 0, AllCorners, 0.5f);
  EXPECT_EQ(Tail(Args("GdipSetImageAttributesColorMatrix").at(0)), "1, 1, {m33=0.5}, null, 0");

  Rec().Clear();
  canvas.DrawBitmap(picture, {0, 0, 4, 4}, {0, 0, 8, 8}, 1, false);
  canvas.DrawBitmap(picture, {0, 0, 4, 4}, {0, 0, 8, 8}, 0.25f, false);
  canvas.DrawBitmap(picture, {0, 0, 4, 4}, {0, 0, 8, 8}, 0, true);
  const auto draws = Args("GdipDrawImageRectRect");
  ASSERT_EQ(draws.size(), 2u) << "opacity 0 draws nothing";
  EXPECT_NE(draws[0].find("2, null"), std::string::npos) << draws[0];
  EXPECT_NE(draws[1].find("2, attributes"), std::string::npos) << draws[1];
  // The interpolation mode is left as the last call set it.
  EXPECT_EQ(Rec().Names().back(), "GdipSetInterpolationMode");
  EXPECT_EQ(Tail(Args("GdipSetInterpolationMode").back()), "5");
}

TEST_F(CanvasCalls, RectangleCornersFollowTheirShapes) {
  struct Case {
    TvgRect rect;
    float radius;
    TvgCornerType type;
    std::vector<std::string> lines, beziers;
  };
  const Case cases[] = {
      {{0, 0, 100, 40}, 5, vgCornerRound, {}, {"0, 5, 0, 2.23858, 2.23858, 0, 5, 0"}},
      {{0, 0, 100, 40}, 30, vgCornerRound, {}, {"0, 20, 0, 8.9543, 13.4315, 0, 30, 0"}},
      {{0, 0, 50, 50},
       10,
       vgCornerInnerLine,
       {"0, 10, 4.47715, 10", "4.47715, 10, 10, 4.47715", "10, 4.47715, 10, 0"},
       {}},
      {{0, 0, 50, 50}, 10, vgCornerBevel, {"0, 10, 10, 0"}, {}},
  };
  for (const Case& c : cases) {
    Rec().Clear();
    canvas.FillRect(c.rect, c.radius, c.radius, {vgCornerTopLeft}, 1, c.type);
    const auto lines = Args("GdipAddPathLine");
    const auto beziers = Args("GdipAddPathBezier");
    for (size_t i = 0; i < c.lines.size(); ++i) EXPECT_EQ(Tail(lines.at(i)), c.lines[i]);
    ASSERT_EQ(beziers.size(), c.beziers.size());
    for (size_t i = 0; i < c.beziers.size(); ++i) EXPECT_EQ(Tail(beziers[i]), c.beziers[i]);
    EXPECT_EQ(Count("GdipClosePathFigure"), 1u);
  }
  // Radii without corners: a plain fill, and an outline with square corners.
  Rec().Clear();
  canvas.FillRect({0, 0, 50, 50}, 10, 10, {}, 1);
  canvas.DrawRect({0, 0, 50, 50}, 10, 10, {}, 1);
  EXPECT_EQ(Count("GdipFillRectangle"), 1u);
  EXPECT_EQ(Count("GdipDrawPath"), 1u);
  EXPECT_EQ(Count("GdipAddPathBezier"), 0u);
}

TEST_F(CanvasCalls, PenFollowsTheStrokeSettings) {
  canvas.SetStrokeThickness(3);
  canvas.SetStrokeCap(vgCapRound);
  canvas.SetStrokeJoin(vgJoinBevel);
  canvas.SetStrokeDash(vgDashDashDot);
  canvas.DrawLine({0, 0}, {10, 10}, 1);
  canvas.SetStrokeDash(vgDashSolid);
  canvas.DrawLine({0, 0}, {10, 10}, 1);
  EXPECT_EQ(Tail(Args("GdipSetPenLineCap197819")[0]), "2, 2, 2");
  EXPECT_EQ(Tail(Args("GdipSetPenLineJoin")[0]), "1");
  EXPECT_EQ(Tail(Args("GdipSetPenDashArray")[0]), "[3 1 1 1], 4");
  EXPECT_EQ(Tail(Args("GdipSetPenWidth")[0]), "3");
  EXPECT_EQ(Args("GdipSetPenDashStyle").size(), 1u) << "only the solid line sets a solid style";
}

TEST_F(CanvasCalls, SavedStatesReuseSlotsAndRestoreTheirGraphicsState) {
  const int first = canvas.SaveCanvas();
  canvas.SetStrokeThickness(7);
  canvas.RestoreCanvas(first);
  EXPECT_EQ(canvas.StrokeThickness(), 1);
  EXPECT_EQ(canvas.SaveCanvas(), first);
  const auto saves = Rec().CallsTo("GdipSaveGraphics");
  ASSERT_EQ(saves.size(), 2u);
  EXPECT_EQ(Tail(Args("GdipRestoreGraphics")[0]), Tail(saves[0].args));

  TvgCanvasGdiPlus bare(0, 0);
  EXPECT_EQ(bare.Graphics(), nullptr);
  EXPECT_EQ(bare.SaveCanvas(), -1);
  bare.RestoreCanvas(-1);
}

TEST_F(CanvasCalls, ClipRectanglesBecomeOneRegion) {
  canvas.SetClipRects({{0, 0, 10, 10}, {20, 0, 30, 10}});
  canvas.SetClipRects({});
  EXPECT_EQ(Count("GdipSetEmpty"), 2u);
  EXPECT_EQ(Count("GdipCombineRegionRect"), 2u);
  const auto clips = Args("GdipSetClipRegion");
  ASSERT_EQ(clips.size(), 2u);
  EXPECT_EQ(clips[1].substr(clips[1].size() - 3), ", 0") << "replaces the clip";
}

TEST_F(CanvasCalls, MeasuringWithoutWrapUsesAZeroWidthLayout) {
  TvgRect r{10, 0, 200, 20};
  canvas.MeasureText(r, r, u"Hello", false, vgTextAlignNear, vgTextAlignNear);
  const auto measures = Args("GdipMeasureCharacterRanges");
  ASSERT_EQ(measures.size(), 1u);
  EXPECT_NE(measures[0].find("(10,0,0,20)"), std::string::npos) << measures[0];
  EXPECT_GT(r.Right - r.Left, 20);
  EXPECT_LT(r.Right - r.Left, 60);

  TvgRect empty{10, 0, 200, 20};
  canvas.MeasureText(empty, empty, u"", false, vgTextAlignNear, vgTextAlignNear);
  EXPECT_EQ(empty, (TvgRect{10, 0, 10, 20}));
  EXPECT_EQ(Count("GdipMeasureCharacterRanges"), 1u);
}

TEST_F(CanvasCalls, TextMeasuresWithoutASurfaceThroughAScratchGraphics) {
  TvgCanvasGdiPlus bare(0, 0);
  Rec().Clear();
  EXPECT_GT(bare.TextWidth(u"Hello"), 20);
  EXPECT_EQ(bare.Graphics(), nullptr);
  EXPECT_EQ(Count("GdipCreateBitmapFromScan0"), Count("GdipDisposeImage"));
}

TEST_F(CanvasCalls, TextAtFullOpacityIsDrawnAtNinetyNinePercent) {
  canvas.Fill()->SetSolidColor(0xFF000000);
  canvas.FillText({0, 0, 100, 20}, {}, u"Hi", false, 1);
  canvas.FillText({0, 0, 100, 20}, {}, u"Hi", false, 0.5f);
  const auto fills = Args("GdipCreateSolidFill");
  ASSERT_EQ(fills.size(), 2u);
  EXPECT_EQ(fills[0].substr(0, fills[0].find(',')), std::to_string(vgOpacity(0xFF000000, 0.99f)));
  EXPECT_EQ(fills[1].substr(0, fills[1].find(',')), std::to_string(vgOpacity(0xFF000000, 0.5f)));
  EXPECT_EQ(Tail(Args("GdipSetStringFormatFlags")[0]), std::to_string(0x4000 | 0x1000));
}

TEST_F(CanvasCalls, FractionalScalesDrawTextAntialiasedThenPutTheHintBack) {
  canvas.SetMatrix({1.5f, 0, 0, 0, 1.5f, 0, 0, 0, 1});
  Rec().Clear();
  canvas.FillText({0, 0, 100, 20}, {}, u"Hi", false, 1);
  const auto hints = Args("GdipSetTextRenderingHint");
  ASSERT_EQ(hints.size(), 2u);
  EXPECT_EQ(Tail(hints[0]), "4");
  EXPECT_EQ(Tail(hints[1]), "5");
}

TEST_F(CanvasCalls, UnknownFamiliesFallBackToSansSerif) {
  canvas.Font()->SetFamily(u"No Such Family");
  EXPECT_EQ(Rec().CallsTo("GdipCreateFontFamilyFromName")[0].status, gdip::FontFamilyNotFound);
  EXPECT_EQ(Count("GdipCloneFontFamily"), 1u);
  canvas.Font()->SetFamily(u"DejaVu Sans");
  EXPECT_EQ(Rec().CallsTo("GdipCreateFontFamilyFromName")[1].status, gdip::Ok);
  EXPECT_EQ(Count("GdipCloneFontFamily"), 1u);
}

TEST_F(CanvasCalls, TextToPathCopiesFiguresAndLeavesThePathForEmptyText) {
  TvgPathData path;
  path.MoveTo({1, 1});
  EXPECT_FALSE(canvas.TextToPath(path, {0, 0, 100, 40}, u"", false));
  EXPECT_EQ(path.PathData.size(), 1u);
  EXPECT_TRUE(canvas.TextToPath(path, {0, 0, 100, 40}, u"O", false));
  const auto closes =
      std::count_if(path.PathData.begin(), path.PathData.end(),
                    [](const TvgPathPoint& p) { return p.Kind == vgPathPointClose; });
  EXPECT_EQ(closes, 2) << "the outer and inner outline of O";
  EXPECT_EQ(path.PathData.front().Kind, vgPathPointMoveTo);
}

TEST_F(CanvasCalls, ThumbnailsScaleTheWorldByWidthOverBitmapWidth) {
  TvgBitmap picture(400, 300);
  picture.Clear(0xFF00FF00);
  std::unique_ptr<TvgBitmap> thumbnail(picture.CreateThumbnail(100, 75));
  EXPECT_EQ(Tail(Args("GdipScaleWorldTransform").at(0)), "0.25, 0.25, 0");
  EXPECT_EQ(thumbnail->GetPixels(50, 37), 0xFF00FF00u);
  EXPECT_EQ(thumbnail->GetPixels(99, 74), 0xFF00FF00u);
}

TEST_F(CanvasCalls, BitmapHandlesOutliveTheCanvasThatMadeThem) {
  auto picture = std::make_unique<TvgBitmap>(4, 4);
  {
    TvgBitmap other(8, 8);
    TvgCanvasGdiPlus painter(other);
    painter.DrawBitmap(*picture, {0, 0, 4, 4}, {0, 0, 4, 4}, 1, false);
  }
  ASSERT_NE(picture->Handle(), 0u);
  Rec().Clear();
  picture.reset();
  EXPECT_EQ(Count("GdipDisposeImage"), 1u);
}

TEST_F(CanvasCalls, PrivateFontsAreLookedUpFirst) {
  rtl::TFileStream font("/usr/share/fonts/truetype/dejavu/DejaVuSerif.ttf", rtl::fmOpenRead);
  EXPECT_TRUE(canvas.LoadFontFromStream(font));
  canvas.Font()->SetFamily(u"DejaVu Serif");
  const auto lookups = Rec().CallsTo("GdipCreateFontFamilyFromName");
  ASSERT_EQ(lookups.size(), 1u);
  EXPECT_NE(lookups[0].args.find("collection"), std::string::npos) << lookups[0].args;
  EXPECT_EQ(lookups[0].status, gdip::Ok);
}

// A node painted by a visual brush: fills what it is given with red and
// disturbs the canvas's stroke, which the canvas must put back.
class PaintedNode : public rtl::TComponent, public IvgVisualPaint {
  RTL_CLASS(PaintedNode, rtl::TComponent)

 public:
  PaintedNode() : rtl::TComponent(nullptr) {}
  float GetOpacity() const override { return opacity; }
  void SetOpacity(float value) override { opacity = value; }
  void PaintTo(TvgCanvas& canvas, const TvgRect& rect) override {
    paintedAt = opacity;
    canvas.Fill()->SetStyle(vgBrushSolid);
    canvas.Fill()->SetSolidColor(0xFFFF0000);
    canvas.FillRect({0, 0, 100, 60}, 0, 0, AllCorners, opacity);
    canvas.Stroke()->SetSolidColor(0xFF123456);
    canvas.SetStrokeThickness(9);
    painted = rect;
  }
  float opacity = 1, paintedAt = -1;
  TvgRect painted;
};

TEST_F(CanvasCalls, VisualBrushesPaintTheirNodeClippedToTheShape) {
  PaintedNode node;
  canvas.Fill()->SetStyle(vgBrushVisual);
  canvas.Fill()->Visual()->SetVisualObject(&node);
  canvas.FillRect({10, 10, 20, 20}, 0, 0, AllCorners, 1);
  EXPECT_EQ(node.painted, (TvgRect{10, 10, 20, 20}));
  EXPECT_EQ(target.GetPixels(15, 15), 0xFFFF0000u);
  EXPECT_EQ(target.GetPixels(25, 15), 0u) << "clipped to the rectangle";
  canvas.FillEllipse({40, 0, 60, 20}, 0.5f);
  EXPECT_EQ(node.paintedAt, 0.5f);
  EXPECT_EQ(node.opacity, 1) << "the node's opacity is put back";
  EXPECT_EQ(target.GetPixels(41, 1), 0u) << "clipped to the ellipse";
  EXPECT_EQ(canvas.Stroke()->SolidColor(), 0xFF000000u);
  EXPECT_EQ(canvas.StrokeThickness(), 1);
  EXPECT_EQ(canvas.Fill()->Style(), vgBrushVisual);
  canvas.Fill()->Visual()->SetVisualObject(nullptr);
}

TEST(WindowCanvas, BuffersTakeAtLeastOnePixelAndSkipEqualSizes) {
  TvgCanvasGdiPlus canvas(0, 0);
  EXPECT_EQ(canvas.Graphics(), nullptr) << "the stored size already equals (0, 0)";
  canvas.ResizeBuffer(0, 0);
  EXPECT_EQ(canvas.Graphics(), nullptr);
  canvas.ResizeBuffer(0, 3);
  ASSERT_NE(canvas.Graphics(), nullptr);
  EXPECT_EQ(canvas.Width(), 1);
  EXPECT_EQ(canvas.Height(), 3);
  canvas.ResizeBuffer(0, 0);
  EXPECT_EQ(canvas.Height(), 1);
  gdip::GpGraphics* graphics = canvas.Graphics();
  canvas.ResizeBuffer(1, 1);
  EXPECT_EQ(canvas.Graphics(), graphics) << "same size: nothing rebuilt";

  TvgCanvasGdiPlus tall(0, 5);
  EXPECT_EQ(tall.Width(), 1);
  EXPECT_EQ(tall.Height(), 5);
  EXPECT_NE(tall.Graphics(), nullptr);
}

TEST(BackEnd, StartKeepsAChosenCanvasClassAndIsIdempotent) {
  const TvgCanvasClassInfo other{};
  DefaultCanvasClass = &other;
  DefaultFilterClass = nullptr;
  DefaultPrinterCanvasClass = nullptr;
  gdip::GdiPlus* bound = GDIPApi();
  StartGdiPlusBackEnd();
  EXPECT_EQ(DefaultCanvasClass, &other);
  EXPECT_EQ(DefaultFilterClass, &TvgFilterGdiPlus::Class);
  EXPECT_EQ(DefaultPrinterCanvasClass, &TvgCanvasGdiPlus::Class);
  EXPECT_EQ(GDIPApi(), bound) << "a bound library is not started again";
  DefaultCanvasClass = &TvgCanvasGdiPlus::Class;

  StopGdiPlusBackEnd();
  EXPECT_EQ(GDIPApi(), nullptr);
  StopGdiPlusBackEnd();
  StartGdiPlusBackEnd();
  EXPECT_NE(GDIPApi(), nullptr);
}

}  // namespace
}  // namespace vgtest
