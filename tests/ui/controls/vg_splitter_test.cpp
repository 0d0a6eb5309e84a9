// The splitter resizing its neighbour on a real scene, and the activity
// indicator's painting on the recording canvas.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "tests/ui/controls/controls_fixture.h"

namespace {

using namespace vg;
using vgtest::ControlScene;

struct Splitters : ControlScene {
  TvgLayout* Neighbour(TvgAlign align) {
    auto* panel = new TvgLayout(nullptr);
    panel->SetParent(root);
    panel->SetAlign(align);
    panel->SetWidth(100);
    panel->SetHeight(100);
    return panel;
  }
  TvgSplitter* SplitterBeside(TvgAlign align) {
    auto* splitter = Add<TvgSplitter>();
    splitter->SetAlign(align);
    if (align == vaTop || align == vaBottom) splitter->SetHeight(5);
    return splitter;
  }
  // Presses the splitter's centre and moves the pointer through `moves`
  // (offsets from the press point along the splitter's axis).
  void Drag(TvgSplitter* splitter, std::initializer_list<float> moves) {
    const TvgPoint p = splitter->LocalToAbsolute({splitter->Width() / 2, splitter->Height() / 2});
    const bool horizontal = splitter->Align() != vaTop && splitter->Align() != vaBottom;
    scene->MouseMove(0, p.X, p.Y);
    scene->MouseDown(vgMouseLeft, vgLeftButton, p.X, p.Y);
    TvgPoint at = p;
    for (float d : moves) {
      at = horizontal ? TvgPoint{p.X + d, p.Y} : TvgPoint{p.X, p.Y + d};
      scene->MouseMove(vgLeftButton, at.X, at.Y);
    }
    scene->MouseUp(vgMouseLeft, 0, at.X, at.Y);
  }
};

TEST_F(Splitters, DragResizesTheNeighbourWithinItsLimits) {
  const struct {
    TvgAlign align;
    std::initializer_list<float> moves;
    float size, shift;  // the neighbour's new size and how far it moved
  } cases[] = {
      {vaLeft, {10, 20, 30}, 130, 0},
      {vaLeft, {-200}, 20, 0},     // MinSize
      {vaLeft, {1000}, 375, 0},    // 400 - MinSize - the splitter's 5
      {vaRight, {-10, -30}, 130, -30},
      {vaTop, {30}, 130, 0},
      {vaBottom, {-30}, 130, -30},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(int(c.align));
    TvgLayout* panel = Neighbour(c.align);
    TvgSplitter* splitter = SplitterBeside(c.align);
    const bool horizontal = c.align == vaLeft || c.align == vaRight;
    const float before = horizontal ? panel->Position()->X() : panel->Position()->Y();
    Drag(splitter, c.moves);
    EXPECT_EQ(horizontal ? panel->Width() : panel->Height(), c.size);
    EXPECT_EQ((horizontal ? panel->Position()->X() : panel->Position()->Y()) - before, c.shift);
    // The realignment keeps the splitter beside its neighbour.
    const TvgRect p = panel->GetParentedRect(), s = splitter->GetParentedRect();
    const bool touching = c.align == vaLeft ? s.Left == p.Right : c.align == vaRight ? s.Right == p.Left
                        : c.align == vaTop  ? s.Top == p.Bottom
                                            : s.Bottom == p.Top;
    EXPECT_TRUE(touching);
    splitter->Free();
    panel->Free();
  }
}

TEST_F(Splitters, ClientAlignedSplitterFindsNoNeighbour) {
  TvgLayout* panel = Neighbour(vaLeft);
  TvgSplitter* splitter = SplitterBeside(vaClient);
  Drag(splitter, {30});
  EXPECT_EQ(panel->Width(), 100);
  EXPECT_EQ(splitter->Cursor(), vgCursorHSplit);
  splitter->SetAlign(vaTop);
  EXPECT_EQ(splitter->Cursor(), vgCursorVSplit);
}

TEST_F(Splitters, ShowGripHidesTheGrip) {
  TvgSplitter* splitter = SplitterBeside(vaLeft);
  TvgObject* grip = splitter->FindResource("grip");
  ASSERT_NE(grip, nullptr);
  EXPECT_TRUE(grip->Visual()->Visible());
  splitter->SetShowGrip(false);
  EXPECT_FALSE(splitter->FindResource("grip")->Visual()->Visible());
}

struct Indicators : ControlScene {
  // The lines the indicator draws, from the canvas log.
  std::vector<std::string> Drawn(TvgAniIndicator* indicator, const char* primitive) {
    auto* canvas = dynamic_cast<vgtest::RecordingCanvas*>(scene->Canvas());
    canvas->Log.clear();
    indicator->Paint();
    std::vector<std::string> found;
    for (const std::string& line : canvas->Log)
      if (line.rfind(primitive, 0) == 0) found.push_back(line);
    return found;
  }
};

TEST_F(Indicators, SpokesOrDotsWithAHighlightWhileEnabled) {
  auto* indicator = Add<TvgAniIndicator>();
  indicator->SetBounds(0, 0, 40, 40);
  const struct {
    TvgAniIndicatorStyle style;
    bool enabled;
    const char* primitive;
    std::size_t count;
  } cases[] = {{vgAniIndicatorLine, false, "DrawLine", 12},
               {vgAniIndicatorLine, true, "DrawLine", 24},
               {vgAniIndicatorCircle, false, "FillEllipse", 8},
               {vgAniIndicatorCircle, true, "FillEllipse", 16}};
  for (const auto& c : cases) {
    indicator->SetStyle(c.style);
    indicator->SetEnabled(c.enabled);
    EXPECT_EQ(Drawn(indicator, c.primitive).size(), c.count) << c.primitive << " " << c.enabled;
  }
  // The first spoke runs from r' to r'/2 right of the centre: r = 20,
  // d = 20 / 3.7.
  indicator->SetStyle(vgAniIndicatorLine);
  const float inner = 20 - 20 / 3.7f;
  const std::string first = Drawn(indicator, "DrawLine").front();
  EXPECT_NE(first.find(std::to_string(int(20 + inner))), std::string::npos) << first;
}

TEST_F(Indicators, EnabledIndicatorTurnsWithTheAnimationClock) {
  auto* indicator = Add<TvgAniIndicator>();
  indicator->SetEnabled(true);
  for (int i = 0; i < 30; ++i) clock.Step();  // about a second
  EXPECT_GT(indicator->Phase(), 30);
  EXPECT_LT(indicator->Phase(), 40);
  indicator->SetEnabled(false);
  const int stopped = indicator->Phase();
  clock.Step();
  EXPECT_EQ(indicator->Phase(), stopped);
}

}  // namespace
