// The angle knob: snapping, value texts and when it reports.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "tests/ui/controls/controls_fixture.h"

namespace {

using namespace vg;
using vgtest::ControlScene;

struct AngleKnob : ControlScene {
  TvgAngleButton* knob = nullptr;
  int changes = 0;
  void SetUp() override {
    ControlScene::SetUp();
    knob = Add<TvgAngleButton>();
    knob->OnChange = [this](rtl::TObject*) { ++changes; };
  }
  // The knob's local point at `degrees` (counter-clockwise from the right).
  TvgPoint At(double degrees) {
    const double a = degrees * std::numbers::pi / 180;
    return {float(15 + 10 * std::cos(a)), float(15 - 10 * std::sin(a))};
  }
  void Drag(double from, std::initializer_list<double> through) {
    TvgPoint p = At(from);
    knob->MouseDown(vgMouseLeft, vgLeftButton, p.X, p.Y);
    for (double degrees : through) {
      p = At(degrees);
      knob->MouseMove(vgLeftButton, p.X, p.Y, 0, 0);
    }
    knob->MouseUp(vgMouseLeft, 0, p.X, p.Y);
  }
  rtl::WideString Text(const char* part) { return dynamic_cast<TvgText*>(knob->FindResource(part))->Text(); }
};

TEST_F(AngleKnob, SnapsToFrequencyAndShowsTheValue) {
  EXPECT_EQ(knob->Width(), 30);
  knob->SetFrequency(15);
  knob->SetShowValue(true);
  Drag(0, {50});
  EXPECT_EQ(knob->Value(), 45);
  EXPECT_EQ(Text("text"), u"45\u00B0");
  EXPECT_TRUE(knob->FindResource("text")->Visual()->Visible());
  EXPECT_FALSE(knob->FindResource("tracktext")->Visual()->Visible());
  EXPECT_FLOAT_EQ(knob->FindResource("tick")->Visual()->RotateAngle(), -45);
  EXPECT_EQ(changes, 2);  // during the drag, and once more on release
  knob->SetShowValue(false);
  EXPECT_FALSE(knob->FindResource("text")->Visual()->Visible());
}

TEST_F(AngleKnob, WithoutTrackingOnlyTheReleaseReports) {
  knob->SetTracking(false);
  Drag(0, {30, 60, 90});
  EXPECT_FLOAT_EQ(knob->Value(), 90);
  EXPECT_EQ(changes, 1);
  Drag(90, {120, 90});  // back where it started
  EXPECT_EQ(changes, 1);
}

TEST_F(AngleKnob, DataIsTheValue) {
  knob->SetData(rtl::Variant(30));
  EXPECT_EQ(knob->GetData(), rtl::Variant(30.0));
  knob->SetData(rtl::Variant(u"x"));
  EXPECT_EQ(knob->Value(), 0);
  EXPECT_EQ(changes, 2);
}

}  // namespace
