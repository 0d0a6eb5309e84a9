#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "platform/rtl/Exceptions.h"
#include "ui/core/vg_geometry.h"
#include "ui/core/vg_pathdata.h"
#include "ui/core/vg_spline.h"

using namespace vg;

namespace {

template <class T>
int CountChanges(T& object, TNotifyEvent T::*event, const std::function<void()>& action) {
  int count = 0;
  object.*event = [&](rtl::TObject* sender) {
    EXPECT_EQ(sender, &object);
    ++count;
  };
  action();
  object.*event = nullptr;
  return count;
}

}  // namespace

TEST(VgBounds, ChangeNotificationsCountOnlyRealChanges) {
  TvgBounds bounds({1, 2, 3, 4});
  const TvgBounds other({7, 7, 7, 7});
  struct Case {
    const char* what;
    std::function<void()> action;
    int changes;
  } cases[] = {
      {"same left", [&] { bounds.SetLeft(1); }, 0},
      {"new left", [&] { bounds.SetLeft(5); }, 1},
      {"same rect", [&] { bounds.SetRect({5, 2, 3, 4}); }, 0},
      {"new rect", [&] { bounds.SetRect({0, 0, 9, 9}); }, 1},
      {"rect text", [&] { bounds.SetRectText("(1,2,3,4)"); }, 1},
      {"assign", [&] { bounds.Assign(&other); }, 1},
      {"assign same", [&] { bounds.Assign(&other); }, 0},
  };
  for (Case& c : cases)
    EXPECT_EQ(CountChanges(bounds, &TvgBounds::OnChange, c.action), c.changes) << c.what;
}

TEST(VgBounds, RectPropertyText) {
  TvgBounds bounds;
  EXPECT_FALSE(bounds.RectStored());
  bounds.SetRight(5);
  EXPECT_TRUE(bounds.RectStored());
  EXPECT_EQ(bounds.RectText(), "(0,0,5,0)");
  bounds.SetRectText("(1,2,3)");
  EXPECT_EQ(bounds.GetRect(), NullRect);
  bounds.SetRectText("(2,2,2.5,2)");
  EXPECT_EQ(bounds.GetRect(), (TvgRect{2, 2, 2.5f, 2}));

  TvgBounds margins;
  margins.SetRect({5, 5, 10, 0});
  EXPECT_EQ(margins.MarginRect({0, 0, 100, 50}), (TvgRect{5, 5, 90, 50}));
  EXPECT_EQ(margins.PaddinRect({0, 0, 100, 50}), (TvgRect{-5, -5, 110, 50}));
  EXPECT_FALSE(margins.MarginEmpty());
  const TvgPosition position;
  EXPECT_THROW(margins.Assign(&position), rtl::EConvertError);
}

TEST(VgPosition, NotificationsAndPointText) {
  TvgPosition position({1, 1});
  EXPECT_EQ(CountChanges(position, &TvgPosition::OnChange, [&] { position.SetX(1); }), 0);
  EXPECT_EQ(CountChanges(position, &TvgPosition::OnChange, [&] { position.SetPoint({1, 1}); }), 1);
  EXPECT_FALSE(position.PointStored());
  position.SetY(2.5f);
  EXPECT_EQ(position.PointText(), "(1,2.500)");
  position.SetPointText("bad");
  EXPECT_EQ(position.GetPoint(), (TvgPoint{0, 0}));
  position.SetPoint({1, -1});
  position.Reflect({0, 1, 0});
  EXPECT_EQ(position.GetPoint(), (TvgPoint{1, 1}));
}

TEST(VgTransform, MatrixRotatesThenScalesThenTranslates) {
  TvgTransform transform;
  int changes = 0;
  transform.OnChanged = [&](rtl::TObject*) { ++changes; };
  transform.Position()->SetPoint({10, 20});
  transform.Scale()->SetPoint({2, 3});
  EXPECT_EQ(changes, 2);
  EXPECT_EQ(vgVectorTransform({1, 1, 1}, transform.Matrix()), (TvgVector{12, 23, 1}));
  transform.SetRotateAngle(90);
  EXPECT_EQ(changes, 3);
  const TvgVector p = vgVectorTransform({1, 0, 1}, transform.Matrix());
  EXPECT_NEAR(p.X, 10, 1e-5);
  EXPECT_NEAR(p.Y, 23, 1e-5);
  transform.SetRotateAngle(90);
  EXPECT_EQ(changes, 3);

  TvgTransform copy;
  int copyChanges = 0;
  copy.OnChanged = [&](rtl::TObject*) { ++copyChanges; };
  copy.Assign(&transform);
  EXPECT_EQ(copyChanges, 1);
  EXPECT_EQ(copy.Matrix(), transform.Matrix());
  EXPECT_EQ(copy.RotateCenter()->GetPoint(), (TvgPoint{0.5f, 0.5f}));
}

TEST(VgSpline, InterpolatesThroughItsPoints) {
  TvgSpline spline({{0, 0}, {1, 1}, {2, 0}});
  struct Case {
    float t, x, y;
  } cases[] = {{0, 0, 0}, {1, 1, 1}, {2, 2, 0}, {0.5f, 0.5f, 0.6875f}, {1.5f, 1.5f, 0.6875f}};
  for (const Case& c : cases) {
    float x, y;
    spline.SplineXY(c.t, x, y);
    EXPECT_NEAR(x, c.x, 1e-6) << c.t;
    EXPECT_NEAR(y, c.y, 1e-6) << c.t;
  }
  float x = 1, y = 1;
  TvgSpline({{5, 5}}).SplineXY(0, x, y);
  EXPECT_EQ(x, 0);
  EXPECT_EQ(y, 0);
  TvgSpline line({{0, 0}, {2, 4}});
  line.SplineXY(3, x, y);  // extrapolates the last cubic
  EXPECT_NEAR(x, 6, 1e-5);
  EXPECT_NEAR(y, 12, 1e-5);
}

TEST(VgSpline, HitsEveryPointOfALongPolygon) {
  TvgPathData rounded;
  rounded.AddRectangle({0, 0, 300, 200}, 40, 40, AllCorners, vgCornerRound);
  TvgPolygon outline;
  rounded.FlattenToPolygon(outline, 0.25f);
  std::erase(outline, ClosePolygon);
  TvgPolygon zigzag;
  for (int i = 0; i < 200; ++i) zigzag.push_back({float(i), i % 2 ? 100.f : -100.f});
  for (const TvgPolygon& polygon : {outline, zigzag}) {
    ASSERT_GT(polygon.size(), 150u);
    TvgSpline spline(polygon);
    float worst = 0;
    for (std::size_t i = 0; i < polygon.size(); ++i) {
      float x, y;
      spline.SplineXY(float(i), x, y);
      worst = std::max({worst, std::fabs(x - polygon[i].X), std::fabs(y - polygon[i].Y)});
    }
    EXPECT_LT(worst, 0.01f) << polygon.size() << " points";
  }
}
