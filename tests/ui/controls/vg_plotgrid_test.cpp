// The plot grid's lines: where they lie, how wide and how strong.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "tests/support/vg_recording_canvas.h"
#include "tests/ui/controls/controls_fixture.h"

namespace {

using namespace vg;
using vgtest::ControlScene;

struct Line {
  TvgPoint from, to;
  float thickness;
  TvgColor color;
  float opacity;
};

// Keeps each line with the stroke it was drawn with.
class LineCanvas : public vgtest::RecordingCanvas {
 public:
  std::vector<Line> lines;
  void DrawLine(TvgPoint p1, TvgPoint p2, float opacity) override {
    lines.push_back({p1, p2, StrokeThickness(), Stroke()->SolidColor(), opacity});
  }
  // The vertical line at x, or nullptr.
  const Line* VerticalAt(float x) const {
    for (const Line& line : lines)
      if (line.from.X == x && line.to.X == x && line.from.Y == 0) return &line;
    return nullptr;
  }
  int VerticalCount() const {
    int count = 0;
    for (const Line& line : lines) count += line.from.X == line.to.X;
    return count;
  }
};

constexpr TvgColor kStrong = 0xFF505050;
constexpr TvgColor kFaint = 0x66505050;  // alpha 255 x 0.4, cut

struct PlotGrids : ControlScene {
  LineCanvas canvas;
  TvgPlotGrid* grid = nullptr;

  // A grid on the scene, drawn by the scene into `canvas`.
  void Draw(float width, float frequency, float marks) {
    grid = new TvgPlotGrid(nullptr);
    grid->SetParent(root);
    grid->SetBounds(0, 0, width, 100);
    grid->SetFrequency(frequency);
    grid->SetMarks(marks);
    grid->SetOpacity(0.5f);
    grid->SetTempCanvas(&canvas);
    scene->Draw();
  }
};

TEST_F(PlotGrids, CentreLinesAreWideAndEveryMarkIsStrong) {
  Draw(520, 10, 25);
  const struct {
    float x, thickness;
    TvgColor color;
  } cases[] = {
      {261, 2, kStrong},                                     // the centre, 260 + half the width
      {270.5f, 1, kFaint}, {250.5f, 1, kFaint}, {280.5f, 1, kFaint},
      {510.5f, 1, kStrong}, {10.5f, 1, kStrong},             // 25 steps out
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.x);
    const Line* line = canvas.VerticalAt(c.x);
    ASSERT_NE(line, nullptr);
    EXPECT_EQ(line->thickness, c.thickness);
    EXPECT_EQ(line->color, c.color);
    EXPECT_EQ(line->to.Y, 100);
    EXPECT_FLOAT_EQ(line->opacity, 0.5f);
  }
  EXPECT_EQ(canvas.VerticalAt(520.5f), nullptr) << "the walk stops below half the width";
  EXPECT_EQ(canvas.VerticalAt(0.5f), nullptr);
  EXPECT_EQ(canvas.VerticalCount(), 1 + 2 * 25);
  // The horizontal centre line lies at half the height.
  bool horizontalCentre = false;
  for (const Line& line : canvas.lines)
    horizontalCentre |= line.from.Y == 51 && line.to.Y == 51 && line.to.X == 520 && line.thickness == 2;
  EXPECT_TRUE(horizontalCentre);
}

TEST_F(PlotGrids, FractionalOffsetsAreFaint) {
  Draw(30, 2.5f, 2);
  const struct {
    float offset;
    TvgColor color;
  } cases[] = {{2.5f, kFaint}, {5, kStrong}, {7.5f, kFaint}, {10, kStrong}, {12.5f, kFaint}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.offset);
    for (float x : {15 + c.offset + 0.5f, 15 - c.offset + 0.5f}) {
      const Line* line = canvas.VerticalAt(x);
      ASSERT_NE(line, nullptr) << x;
      EXPECT_EQ(line->color, c.color);
    }
  }
}

TEST_F(PlotGrids, FrequencyStaysPositive) {
  for (float frequency : {0.0f, -5.0f}) {
    TvgPlotGrid plot(nullptr);
    plot.SetFrequency(frequency);
    EXPECT_FLOAT_EQ(plot.Frequency(), 0.001f);
  }
}

}  // namespace
