// The data recorder chart's two lines over the plot grid.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/DataRecorder.h"
#include "app/RecorderChart.h"
#include "app/RecorderGrid.h"
#include "platform/rtl/TextConvert.h"
#include "tests/support/vg_recording_canvas.h"
#include "ui/controls/vg_gridcolumn.h"
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

// Records into the page's string grids: a shorter record after a longer
// one leaves exactly its rows, row 0 keeps what it had.
TEST(RecorderGridTest, ARecordFillsRealStringGrids) {
  app_test::StartDialogs();
  vg::TvgOwned<vg::TvgStringGrid> samples(new vg::TvgStringGrid(nullptr));
  vg::TvgOwned<vg::TvgStringGrid> statistics(new vg::TvgStringGrid(nullptr));
  for (vg::TvgStringGrid* grid : {samples.get(), statistics.get()})
    for (int i = 0; i < 4; ++i) (new vg::TvgStringColumn(nullptr))->SetParent(grid);
  statistics->SetRowCount(3);
  samples->SetRowCount(1);
  samples->SetCells(1, 0, u"head");
  app::TRecorderGrid sampleTable(*samples), statisticsTable(*statistics);
  app::RecorderRecord longer;
  longer.RowCount = 4;
  longer.Samples = {{"1", "10", "1.00", "2.00"}, {"2", "20", "1.10", "2.10"}, {"3", "30", "1.20", "2.20"}};
  longer.Statistics[1] = {"1.10", "1.20", "1.00"};
  app::ShowRecord(longer, sampleTable, statisticsTable);
  EXPECT_EQ(samples->RowCount(), 4);
  EXPECT_EQ(rtl::Utf16ToUtf8(samples->GetCells(1, 3)), "30");
  EXPECT_EQ(rtl::Utf16ToUtf8(statistics->GetCells(2, 1)), "1.20");
  app::RecorderRecord shorter;
  shorter.RowCount = 2;
  shorter.Samples = {{"1", "99", "0.00", "0.00"}};
  app::ShowRecord(shorter, sampleTable, statisticsTable);
  EXPECT_EQ(samples->RowCount(), 2);
  EXPECT_EQ(rtl::Utf16ToUtf8(samples->GetCells(1, 1)), "99");
  EXPECT_EQ(rtl::Utf16ToUtf8(samples->GetCells(1, 3)), "");
  EXPECT_EQ(rtl::Utf16ToUtf8(samples->GetCells(1, 0)), "head");
  EXPECT_EQ(rtl::Utf16ToUtf8(statistics->GetCells(2, 1)), "");
}

}  // namespace
