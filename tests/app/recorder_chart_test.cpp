// The data recorder chart's two lines over the plot grid.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/RecorderChart.h"
#include "tests/support/vg_recording_canvas.h"
#include "ui/controls/vg_plotgrid.h"
#include "ui/core/vg_brush.h"
#include "ui/core/vg_control.h"
#include "ui/core/vg_scene.h"

namespace app_test {
void StartDialogs();
}

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

// The plot grid of the page in a real scene, drawn by the program's canvas.
TEST(RecorderChartTest, DrawsItsLinesOverARealPlotGrid) {
  app_test::StartDialogs();
  vg::TvgOwned<vg::TvgScene> scene(new vg::TvgScene(nullptr));
  scene->CreateEmbedded(520, 330, [](rtl::TObject*) {});
  auto* root = new vg::TvgBackground(nullptr);
  root->SetBounds(0, 0, 520, 330);
  scene->AddObject(root);
  auto* grid = new vg::TvgPlotGrid(nullptr);
  grid->SetParent(root);
  grid->SetBounds(0, 0, 520, 330);
  grid->SetMarks(25);
  grid->SetFrequency(10);
  grid->OnPaint = [](rtl::TObject*, vg::TvgCanvas* canvas, const vg::TvgRect& rect) {
    app::PaintRecorderChart(*canvas, rect);
  };
  scene->UpdateBuffer();
  const std::uint32_t* bits = scene->Canvas()->BufferBits();
  ASSERT_NE(bits, nullptr);
  const auto pixel = [&](int x, int y) { return bits[y * 520 + x]; };
  constexpr std::uint32_t black = 0xFF000000;
  for (const auto& [x, y] : {std::pair{270, 100}, std::pair{271, 300}, std::pair{150, 15}, std::pair{20, 16}})
    EXPECT_EQ(pixel(x, y), black) << x << "," << y;
  for (const auto& [x, y] : {std::pair{273, 100}, std::pair{150, 18}, std::pair{300, 16}})
    EXPECT_NE(pixel(x, y), black) << x << "," << y;
}

}  // namespace
