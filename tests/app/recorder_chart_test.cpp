// The data recorder chart's two lines over the plot grid.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/RecorderChart.h"
#include "tests/support/vg_recording_canvas.h"
#include "ui/core/vg_brush.h"

namespace {

// Logs the stroke each line is drawn with.
class StrokeLoggingCanvas : public vgtest::RecordingCanvas {
 public:
  void DrawLine(vg::TvgPoint p1, vg::TvgPoint p2, float opacity) override {
    Strokes.push_back(Stroke()->GetColor() + " " + std::to_string(StrokeThickness()) +
                      (Stroke()->Style() == vg::vgBrushSolid ? " solid" : " not solid"));
    RecordingCanvas::DrawLine(p1, p2, opacity);
  }
  std::vector<std::string> Strokes;
};

TEST(RecorderChartTest, DrawsTwoBlackLinesClippedToThePaintRectangle) {
  StrokeLoggingCanvas canvas;
  canvas.Stroke()->SetColor("#FF00FF00");
  canvas.SetStrokeThickness(5);
  const int before = canvas.SaveCanvas();
  canvas.Log.clear();
  app::PaintRecorderChart(canvas, vg::TvgRect{10, 20, 300, 200});
  ASSERT_GE(canvas.Log.size(), 5u);  // restoring may set the matrix again
  EXPECT_TRUE(canvas.Log[0].starts_with("SaveCanvas"));
  EXPECT_EQ(canvas.Log[1], "SetClipRects [(10,20,300,200)]");
  EXPECT_EQ(canvas.Log[2], "DrawLine (271,2)-(271,536) 1");
  EXPECT_EQ(canvas.Log[3], "DrawLine (8,16)-(284,16) 1");
  EXPECT_TRUE(canvas.Log[4].starts_with("RestoreCanvas"));
  EXPECT_EQ(canvas.Strokes, std::vector<std::string>(2, "#FF000000 2.000000 solid"));
  canvas.RestoreCanvas(before);
}

}  // namespace
