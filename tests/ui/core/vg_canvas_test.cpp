#include <gtest/gtest.h>

#include "platform/rtl/Exceptions.h"
#include "tests/support/vg_recording_canvas.h"
#include "ui/core/vg_bitmap.h"
#include "ui/core/vg_brush.h"
#include "ui/core/vg_font.h"
#include "ui/core/vg_pathdata.h"

using namespace vg;
using vgtest::RecordingCanvas;

namespace {

class BareCanvas : public TvgCanvas {
  RTL_CLASS(BareCanvas, TvgCanvas)
};

TEST(Canvas, DashPresetsSetPatternAndOffset) {
  struct Case {
    TvgStrokeDash style;
    std::vector<float> pattern;
  };
  const Case cases[] = {{vgDashDash, {3, 1}},
                        {vgDashDot, {1, 1}},
                        {vgDashDashDot, {3, 1, 1, 1}},
                        {vgDashDashDotDot, {3, 1, 1, 1, 1, 1}}};
  for (const Case& c : cases) {
    RecordingCanvas canvas;
    canvas.SetCustomDash({2, 2}, 1);
    canvas.SetStrokeDash(c.style);
    EXPECT_EQ(canvas.Dash(), c.pattern) << c.style;
    EXPECT_EQ(canvas.DashOffset(), 0) << c.style;
    canvas.SetStrokeDash(vgDashCustom);
    EXPECT_EQ(canvas.Dash(), c.pattern) << "custom keeps the pattern";
    canvas.SetStrokeDash(vgDashSolid);
    EXPECT_TRUE(canvas.Dash().empty());
  }
  RecordingCanvas canvas;
  canvas.SetCustomDash({2, 2}, 1);
  EXPECT_EQ(canvas.StrokeDash(), vgDashCustom);
  EXPECT_EQ(canvas.Dash(), (std::vector<float>{2, 2}));
  EXPECT_EQ(canvas.DashOffset(), 1);
}

TEST(Canvas, PolygonsBecomeFiguresFilledAtTheirBounds) {
  RecordingCanvas canvas;
  canvas.FillPolygon({{0, 0}, {10, 0}, {10, 10}}, 1);
  canvas.FillPolygon({{0, 0}, {10, 0}, {10, 10}, ClosePolygon, {20, 20}, {30, 20}, {30, 30}}, 0.5f);
  canvas.DrawPolygon({{0, 0}, {10, 0}}, 1);
  EXPECT_EQ(canvas.Log, (std::vector<std::string>{
                            "FillPath M0,0 L10,0 L10,10 (0,0,10,10) 1",
                            "FillPath M0,0 L10,0 L10,10 Z M20,20 L30,20 L30,30 (0,0,30,30) 0.5",
                            "DrawPath M0,0 L10,0 (0,0,10,0.001) 1"}));
}

TEST(Canvas, ArcsAreDrawnAsTemporaryPathsAtTheirBounds) {
  RecordingCanvas canvas;
  canvas.DrawArc({50, 50}, {10, 10}, 0, 90, 1);
  ASSERT_EQ(canvas.Log.size(), 1u);
  EXPECT_EQ(canvas.Log[0].rfind("DrawPath M60,50 C", 0), 0u) << canvas.Log[0];
  EXPECT_NE(canvas.Log[0].find("50,60 (50,50,60,60) 1"), std::string::npos) << canvas.Log[0];
}

TEST(Canvas, RectSidesLiftThePenAlongSidesNotDrawn) {
  RecordingCanvas canvas;
  canvas.DrawRectSides({0, 0, 100, 40}, 0, 0, {}, 1, {vgSideTop, vgSideBottom});
  EXPECT_EQ(canvas.Log, (std::vector<std::string>{
                            "DrawPath M0,0 M0,0 L0,0 L100,0 L100,0 M100,0 M100,40 M100,40 "
                            "L100,40 L0,40 L0,40 M0,40 (0,0,100,40) 1"}));
  canvas.Log.clear();
  // A listed corner keeps its shape even where its sides are not drawn; the
  // left side closes the outline only when it is drawn.
  canvas.DrawRectSides({0, 0, 100, 40}, 10, 10, {vgCornerTopLeft}, 1, {vgSideLeft});
  EXPECT_EQ(canvas.Log, (std::vector<std::string>{
                            "DrawPath M0,10 C0,5 5,0 10,0 M90,0 M100,0 M100,10 M100,30 M100,40 "
                            "M90,40 M10,40 M0,40 L0,30 L0,10 (0,0,100,40) 1"}));
}

TEST(Canvas, SavedStatesComeBackAndFreedSlotsAreReused) {
  RecordingCanvas canvas;
  canvas.SetStrokeDash(vgDashDot);
  const int first = canvas.SaveCanvas();
  canvas.SetStrokeDash(vgDashSolid);
  const int second = canvas.SaveCanvas();
  EXPECT_EQ(first, 0);
  EXPECT_EQ(second, 1);

  canvas.SetStrokeThickness(5);
  canvas.Fill()->SetSolidColor(0xFF00FF00);
  canvas.Font()->SetSize(20);
  canvas.SetMatrix(vgCreateTranslateMatrix(3, 4));
  canvas.SetCustomDash({4, 4}, 2);
  canvas.RestoreCanvas(second);
  EXPECT_EQ(canvas.StrokeThickness(), 1);
  EXPECT_EQ(canvas.Fill()->SolidColor(), 0xFFFFFFFFu);
  EXPECT_EQ(canvas.Font()->Size(), 11);
  EXPECT_EQ(canvas.Matrix(), IdentityMatrix);
  EXPECT_EQ(canvas.StrokeDash(), vgDashSolid);
  EXPECT_TRUE(canvas.Dash().empty()) << "a solid state restores no pattern";

  canvas.RestoreCanvas(first);
  EXPECT_EQ(canvas.Dash(), (std::vector<float>{1, 1}));
  EXPECT_EQ(canvas.SaveCanvas(), 0) << "the first free slot is reused";
  EXPECT_EQ(canvas.SaveCanvas(), 1);
  EXPECT_EQ(canvas.SaveCanvas(), 2);
}

TEST(Canvas, RestoringAnUnknownStateChangesNothing) {
  RecordingCanvas canvas;
  canvas.SaveCanvas();
  canvas.SetStrokeThickness(3);
  for (int state : {-1, 1, 7}) canvas.RestoreCanvas(state);
  EXPECT_EQ(canvas.StrokeThickness(), 3);
  canvas.RestoreCanvas(0);
  canvas.SetStrokeThickness(4);
  canvas.RestoreCanvas(0);  // already restored
  EXPECT_EQ(canvas.StrokeThickness(), 4);
}

TEST(Canvas, TextExtentsMeasureOneUnwrappedLine) {
  RecordingCanvas canvas;
  EXPECT_EQ(canvas.TextWidth(u"abc"), 21);
  EXPECT_EQ(canvas.TextHeight(u"a\nb"), 26);
  EXPECT_EQ(canvas.Log, (std::vector<std::string>{"MeasureText (0,0,10000,20) \"abc\" 0 1 0",
                                                  "MeasureText (0,0,10000,10000) \"a\nb\" 0 1 0"}));
}

TEST(Canvas, UnbufferedCanvasCopiesNoPixels) {
  RecordingCanvas canvas(4, 3);
  TvgBitmap bitmap(1, 1);
  bitmap.Clear(0xFFFF0000);
  bitmap.Assign(&canvas);
  EXPECT_EQ(bitmap.Width(), 4);
  EXPECT_EQ(bitmap.Height(), 3);
  EXPECT_EQ(bitmap.GetPixels(0, 0), 0u);
  rtl::TMemoryStream stream;
  canvas.SaveToStream(stream);
  EXPECT_EQ(stream.Size(), 0);
  TvgFont font;
  EXPECT_THROW(font.Assign(&canvas), rtl::EConvertError);
}

TEST(Canvas, AbstractOperationsRaise) {
  std::unique_ptr<BareCanvas> canvas(new BareCanvas);
  TvgPathData path;
  EXPECT_THROW(canvas->FillRect({0, 0, 1, 1}, 0, 0, AllCorners, 1), rtl::EAbstractError);
  EXPECT_THROW(canvas->SaveCanvas(), rtl::EAbstractError);
  EXPECT_THROW(canvas->FillPath(path, {}, 1), rtl::EAbstractError);
  EXPECT_FALSE(canvas->LoadFontFromStream(*std::make_unique<rtl::TMemoryStream>()));
}

}  // namespace
