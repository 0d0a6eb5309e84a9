#include "ui/render/vg_selection.h"

#include <gtest/gtest.h>

#include "tests/ui/render/shapes_fixture.h"
#include "ui/render/vg_layouts.h"

namespace vgtest {
namespace {

using namespace vg;

class SelectionTest : public ShapeTest {
 protected:
  SelectionTest() {
    parent = Make<TvgLayout>(200, 200);
    selection = new TvgSelection(nullptr);
    selection->SetParent(parent);
    selection->SetBounds(10, 10, 100, 50);
    selection->OnTrack = [this](rtl::TObject*) { ++tracks; };
    selection->OnChange = [this](rtl::TObject*) { ++changes; };
  }
  // A left-button drag from local point `from` to `to` (local at the press).
  void Drag(TvgPoint from, TvgPoint to) {
    selection->Press(from, true);
    selection->Track(to);
    selection->Release();
  }
  TvgRect Bounds() const {
    const TvgPoint p = selection->Position()->GetPoint();
    return {p.X, p.Y, p.X + selection->Width(), p.Y + selection->Height()};
  }

  TvgLayout* parent;
  TvgSelection* selection;
  int tracks = 0, changes = 0;
};

TEST_F(SelectionTest, BodyDragMovesAndStopsAtTheParentsEdge) {
  Drag({50, 25}, {200, 25});
  EXPECT_EQ(Bounds(), (TvgRect{100, 10, 200, 60}));
  EXPECT_EQ(tracks, 1);
  EXPECT_EQ(changes, 1);
  selection->SetParentBounds(false);
  Drag({50, 25}, {-150, 25});
  EXPECT_EQ(selection->Position()->X(), -100);
}

TEST_F(SelectionTest, CornerDragsResizeWithTheOppositeCornerInPlace) {
  struct Case {
    const char* grip;
    TvgPoint press, to;  // local points
    TvgRect expected;
  } cases[] = {
      {"right-bottom", {100, 50}, {150, 90}, {10, 10, 160, 100}},
      {"left-top", {0, 0}, {-5, -5}, {5, 5, 110, 60}},
      {"right-top", {100, 0}, {120, 10}, {10, 20, 130, 60}},
      {"left-bottom", {0, 50}, {30, 70}, {40, 10, 110, 80}},
      {"right-bottom past the left edge", {100, 50}, {-20, 50}, {10, 10, 25, 60}},
  };
  for (const Case& c : cases) {
    selection->SetBounds(10, 10, 100, 50);
    Drag(c.press, c.to);
    EXPECT_EQ(Bounds(), c.expected) << c.grip;
  }
  EXPECT_EQ(changes, 5);
}

TEST_F(SelectionTest, ProportionalResizeKeepsThePressRatio) {
  selection->SetProportional(true);
  Drag({100, 50}, {80, 10});  // right-bottom grip to width 80
  EXPECT_EQ(Bounds(), (TvgRect{10, 10, 90, 50}));
  Drag({0, 0}, {40, 0});  // left-top: width 40, bottom-right corner stays
  EXPECT_EQ(Bounds(), (TvgRect{50, 30, 90, 50}));
  Drag({40, 20}, {-100, -100});  // below the minimum: width 30 keeps ratio 2
  EXPECT_EQ(selection->Width(), 30);
  EXPECT_EQ(selection->Height(), 15);
}

TEST_F(SelectionTest, ZeroHeightSelectionResizesProportionallyWithRatioOne) {
  selection->SetBounds(10, 10, 100, 0);
  selection->SetProportional(true);
  Drag({100, 0}, {50, 0});
  EXPECT_EQ(selection->Width(), 50);
  EXPECT_EQ(selection->Height(), 50);
}

TEST_F(SelectionTest, GripsAreHitFirstLeftTopAndLightUpUnderThePointer) {
  selection->SetBounds(10, 10, 4, 4);  // grips overlap
  selection->Press({2, 2}, true);
  selection->Track({0, 0});
  selection->Release();
  EXPECT_EQ(selection->Position()->GetPoint(), (TvgPoint{12, 12}));  // left-top: P + D

  selection->SetBounds(10, 10, 100, 50);
  EXPECT_TRUE(selection->PointInObject(10 + 102, 10 + 52));  // in a grip outside the node
  EXPECT_FALSE(selection->PointInObject(10 + 105, 10 + 25));
  selection->Hover({101, 1});
  EXPECT_TRUE(selection->GripHot(1));
  selection->Leave();
  EXPECT_FALSE(selection->GripHot(1));
  EXPECT_EQ(selection->GetAbsoluteRect(), (TvgRect{3, 3, 117, 67}));
}

TEST_F(SelectionTest, SettersClampAndHideSelectionOnlyHidesThePainting) {
  selection->SetGripSize(50);
  EXPECT_EQ(selection->GripSize(), 20);
  selection->SetMinSize(0);
  EXPECT_EQ(selection->MinSize(), 1);
  selection->SetGripSize(3);

  const auto log = Paint(*selection);
  ASSERT_EQ(log.size(), 9u);
  EXPECT_EQ(log[0], "DrawRect (0.5,0.5,99.5,49.5) 0,0 1");
  EXPECT_EQ(log[1], "FillEllipse (-3,-3,3,3) 1");
  EXPECT_EQ(log[7], "FillEllipse (97,47,103,53) 1");
  selection->SetHideSelection(true);
  EXPECT_TRUE(Paint(*selection).empty());
  Drag({50, 25}, {60, 25});
  EXPECT_EQ(selection->Position()->X(), 20);
}

TEST_F(SelectionTest, MouseHandlersHoverTrackAndRelease) {
  EXPECT_TRUE(selection->AutoCapture());
  selection->MouseMove(0, 101, 1, 0, 0);
  EXPECT_TRUE(selection->GripHot(1));
  selection->MouseLeave();
  EXPECT_FALSE(selection->GripHot(1));

  selection->MouseDown(vgMouseLeft, vgLeftButton, 50, 25);
  selection->MouseMove(vgLeftButton | vgCtrl, 60, 35, 0, 0);  // left held: tracks whatever else is held
  selection->MouseMove(0, 500, 500, 0, 0);                    // no button: only hovers
  selection->MouseUp(vgMouseLeft, 0, 60, 35);
  EXPECT_EQ(Bounds(), (TvgRect{20, 20, 120, 70}));
  EXPECT_EQ(changes, 1);

  auto* point = new TvgSelectionPoint(nullptr);
  point->SetParent(parent);
  point->MouseDown(vgMouseLeft, vgLeftButton, 0, 0);
  point->MouseMove(vgLeftButton, 30, 40, 0, 0);
  point->MouseUp(vgMouseLeft, 0, 30, 40);
  point->MouseMove(0, 90, 90, 0, 0);
  EXPECT_EQ(point->Position()->GetPoint(), (TvgPoint{30, 40}));
}

TEST_F(SelectionTest, SelectionPointFollowsThePointerInsideItsParent) {
  auto* point = new TvgSelectionPoint(nullptr);
  point->SetParent(parent);
  EXPECT_EQ(point->Width(), 6);
  point->SetWidth(40);
  EXPECT_EQ(point->Width(), 6);
  point->Position()->SetPoint({50, 50});
  EXPECT_TRUE(point->PointInObject(52, 48));
  EXPECT_FALSE(point->PointInObject(53, 50));

  int changed = 0;
  point->OnChange = [&](rtl::TObject*) { ++changed; };
  point->Track({10, 10});
  EXPECT_EQ(point->Position()->GetPoint(), (TvgPoint{50, 50}));  // not pressed
  point->Press(true);
  point->Track({500, -80});
  EXPECT_EQ(point->Position()->GetPoint(), (TvgPoint{200, 0}));
  point->Release();
  EXPECT_EQ(changed, 1);

  for (bool enter : {true, false}) {
    scene.updates.clear();
    if (enter)
      point->MouseEnter();
    else
      point->MouseLeave();
    EXPECT_EQ(scene.updates.size(), 1u) << (enter ? "enter repaints" : "leave repaints");
  }
}

}  // namespace
}  // namespace vgtest
