#include "ui/render/vg_layouts.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "tests/ui/render/shapes_fixture.h"
#include "ui/render/vg_objects.h"

namespace vgtest {
namespace {

using namespace vg;

using LayoutsTest = ShapeTest;

TEST_F(LayoutsTest, GridFlowWrapsWhenTheNextCellWouldPassTheWidth) {
  auto* grid = Make<TvgGridLayout>(200, 200);
  std::vector<TvgVisualObject*> cells;
  for (int i = 0; i < 4; ++i) {
    auto* cell = new TvgRectangle(nullptr);
    cell->SetParent(grid);
    cells.push_back(cell);
  }
  grid->Realign();
  const TvgPoint expected[] = {{0, 0}, {64, 0}, {128, 0}, {0, 64}};
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(cells[i]->Position()->GetPoint(), expected[i]) << i;
    EXPECT_EQ(cells[i]->Width(), 64);
  }

  grid->Margins()->SetRect({10, 5, 0, 0});
  cells[1]->Padding()->SetRect({2, 3, 4, 5});
  grid->SetOrientation(vgVertical);
  grid->SetItemHeight(90);  // 200 - 5 < 5 + 90 + 90 + 90 wraps after two
  EXPECT_EQ(cells[1]->Position()->GetPoint(), (TvgPoint{12, 98}));
  EXPECT_EQ(cells[1]->Width(), 58);
  EXPECT_EQ(cells[1]->Height(), 82);
  EXPECT_EQ(cells[2]->Position()->GetPoint(), (TvgPoint{74, 5}));
}

TEST_F(LayoutsTest, GridSettersRealignOnlyOnChange) {
  auto* grid = Make<TvgGridLayout>(200, 200);
  auto* cell = new TvgRectangle(nullptr);
  cell->SetParent(grid);
  grid->Realign();
  cell->SetBounds(7, 7, 7, 7);
  grid->SetItemWidth(64);
  EXPECT_EQ(cell->Position()->X(), 7);
  grid->SetItemWidth(32);
  EXPECT_EQ(cell->Width(), 32);
}

TEST_F(LayoutsTest, ScaledLayoutScalesItsChildren) {
  auto* scaled = Make<TvgScaledLayout>(100, 100);
  EXPECT_EQ(scaled->OriginalWidth(), 50);  // the size at creation
  scaled->SetOriginalWidth(100);
  scaled->SetOriginalHeight(100);
  auto* child = new TvgRectangle(nullptr);
  child->SetParent(scaled);
  child->SetBounds(0, 0, 50, 50);
  scaled->SetWidth(200);
  const TvgRect r = child->GetAbsoluteRect();
  EXPECT_EQ(vgRectWidth(r), 100);
  EXPECT_EQ(vgRectHeight(r), 50);
  scaled->SetOriginalWidth(0);
  EXPECT_EQ(scaled->OriginalWidth(), 1);
}

TEST_F(LayoutsTest, ScaledLayoutEditsAtScaleOneInTheDesigner) {
  scene.designTime = true;
  auto* scaled = Make<TvgScaledLayout>(100, 100);
  scaled->SetWidth(300);
  EXPECT_EQ(scaled->OriginalWidth(), 300);
  EXPECT_EQ(scaled->GetChildrenMatrix(), IdentityMatrix);
}

TEST_F(LayoutsTest, LayoutsLetClicksThroughAndDrawOnlyInTheDesigner) {
  auto* layout = Make<TvgLayout>(40, 20);
  auto* split = Make<TvgSplitLayout>(40, 20);
  EXPECT_FALSE(layout->HitTest());
  EXPECT_FALSE(split->HitTest());
  EXPECT_EQ(layout->ObjectByPoint(10, 10), nullptr);
  EXPECT_TRUE(Paint(*layout).empty());
  scene.designTime = true;
  EXPECT_EQ(Paint(*layout), std::vector<std::string>{"DrawRect (0.5,0.5,39.5,19.5) 0,0 1"});
}

// ----- the window-control host

class FakeWindow : public rtl::TComponent, public IvgWindowControl {
 public:
  FakeWindow() : rtl::TComponent(nullptr) {}
  bool GetVisible() const override { return visible; }
  void SetVisible(bool value) override { visible = value; }
  void SetBounds(int l, int t, int w, int h) override {
    bounds = {float(l), float(t), float(l + w), float(t + h)};
  }
  bool visible = true;
  TvgRect bounds;
};

class ManualClock : public IvgAniClock {
 public:
  struct Timer : IvgTimer {
    explicit Timer(ManualClock& clock) : clock(clock) { ++clock.running; }
    ~Timer() override { --clock.running; }
    ManualClock& clock;
  };
  double MonotonicMs() override { return 0; }
  std::unique_ptr<IvgTimer> StartTimer(std::uint32_t intervalMs,
                                       std::function<void()> tick) override {
    interval = intervalMs;
    this->tick = std::move(tick);
    return std::make_unique<Timer>(*this);
  }
  void WaitForEvent() override {}
  int running = 0;
  std::uint32_t interval = 0;
  std::function<void()> tick;
};

class NonVGLayoutTest : public ShapeTest {
 protected:
  NonVGLayoutTest() : previous(vgSetAniClock(&clock)) {}
  ~NonVGLayoutTest() override { vgSetAniClock(previous); }
  ManualClock clock;
  IvgAniClock* previous;
};

TEST_F(NonVGLayoutTest, ControlFollowsTheNodeRectangleAndVisibility) {
  auto* parent = Make<TvgLayout>(300, 300);
  auto* host = new TvgNonVGLayout(nullptr);
  host->SetParent(parent);
  host->SetBounds(10.5f, 20.5f, 100.5f, 50);
  FakeWindow window;
  host->SetControl(&window);
  EXPECT_EQ(window.bounds, (TvgRect{10, 20, 110, 70}));  // half to even
  EXPECT_EQ(clock.running, 1);  // a shown control is watched from the start
  host->Position()->SetX(11.5f);
  EXPECT_EQ(window.bounds.Left, 12);

  parent->SetVisible(false);
  clock.tick();
  EXPECT_FALSE(window.visible);
  EXPECT_EQ(clock.running, 0);

  parent->SetVisible(true);
  parent->Position()->SetX(30);  // moved while the control was hidden
  EXPECT_TRUE(host->CheckParentVisible());
  EXPECT_TRUE(window.visible);
  EXPECT_EQ(window.bounds.Left, 42);  // 41.5 to even
  EXPECT_EQ(clock.running, 1);
  EXPECT_EQ(clock.interval, 100u);

  window.SetVisible(false);  // hidden from outside: the next check shows it again
  host->CheckParentVisible();
  EXPECT_TRUE(window.visible);
  EXPECT_EQ(clock.running, 1);
}

TEST_F(NonVGLayoutTest, FreedControlIsForgotten) {
  auto* host = Make<TvgNonVGLayout>(20, 20);
  auto* window = new FakeWindow;
  host->SetControl(window);
  window->Free();
  EXPECT_EQ(host->NonVGControl(), nullptr);
  host->SetBounds(1, 1, 5, 5);  // nothing left to move

  rtl::TComponent plain(nullptr);
  host->SetControl(&plain);
  EXPECT_EQ(host->NonVGControl(), nullptr);
}

TEST_F(LayoutsTest, RegistersTheLayoutClasses) {
  RegisterLayoutClasses();
  RegisterLayoutClasses();
  int layouts = 0;
  for (const auto& entry : ObjectList()) layouts += entry.first == "Layout";
  EXPECT_EQ(layouts, 9);  // five layouts and four scroll boxes
}

}  // namespace
}  // namespace vgtest
