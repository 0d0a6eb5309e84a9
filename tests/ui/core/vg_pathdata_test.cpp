#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "platform/rtl/Exceptions.h"
#include "platform/rtl/Streams.h"
#include "ui/core/vg_pathdata.h"

using namespace vg;

namespace {

TvgPathPoint M(float x, float y) { return {vgPathPointMoveTo, {x, y}}; }
TvgPathPoint L(float x, float y) { return {vgPathPointLineTo, {x, y}}; }
TvgPathPoint C(float x, float y) { return {vgPathPointCurveTo, {x, y}}; }
TvgPathPoint Z(float x, float y) { return {vgPathPointClose, {x, y}}; }

std::vector<TvgPathPoint> Parse(const std::string& text) {
  TvgPathData path;
  path.SetPathString(text);
  return path.PathData;
}

void ExpectNear(TvgPoint actual, TvgPoint expected, float tolerance = 1e-3f) {
  EXPECT_NEAR(actual.X, expected.X, tolerance);
  EXPECT_NEAR(actual.Y, expected.Y, tolerance);
}

}  // namespace

TEST(VgPathText, ParserCases) {
  struct Case {
    const char* text;
    std::vector<TvgPathPoint> expected;
  } cases[] = {
      {"M 10,20 L 30,40 Z", {M(10, 20), L(30, 40), Z(10, 20)}},
      {"M0 0 10 0 10 10z", {M(0, 0), L(10, 0), L(10, 10), Z(0, 0)}},  // implicit repetition
      {"m 5,5 l 10,0", {M(5, 5), L(15, 5)}},
      {"M 0,0 H 10 V 10", {M(0, 0), L(10, 0), L(10, 10)}},
      {"M 0,0 H 10, V 10", {M(0, 0), L(10, 0)}},  // a comma after H's number stops parsing
      {"M 0,0 h 5 v -5", {M(0, 0), L(5, 0), L(5, -5)}},
      {"M 1e-3,2", {M(0.001f, 2)}},
      {"M 1,2 L 1e+3,4 L 5,6", {M(1, 2)}},  // the letter is dropped, parsing ends at "+"
      {"M 0,0 Q 1,1 2,2 L 3,3", {M(0, 0), L(3, 3)}},  // quadratic curves add nothing
      {"M 0,0 T 1,1 L 3,3", {M(0, 0), L(3, 3)}},
      {"M 10,20 L", {M(10, 20), L(0, 0)}},  // a trailing letter reads (0,0)
      {"M 10", {}},                         // one number only: M is dropped
      {"M 0,0 C 0,10 10,10 10,0", {M(0, 0), C(0, 10), C(10, 10), C(10, 0)}},
      {"M 0,0 C 0,10 10,10 10,0 S 20,-10 20,0",
       {M(0, 0), C(0, 10), C(10, 10), C(10, 0), C(10, -10), C(20, -10), C(20, 0)}},
      {"M 0,0 S 5,5 10,0", {M(0, 0), C(5, 5), C(5, 5), C(10, 0)}},  // no curve to reflect
      {"M 1,1 c 1,1 2,2 3,3 s 1,0 2,0",
       {M(1, 1), C(2, 2), C(3, 3), C(4, 4), C(5, 5), C(5, 4), C(6, 4)}},
      {"M0-5L3-4", {M(0, -5), L(3, -4)}},
      {"M 1,1\tL 2,2\r\nZ", {M(1, 1), L(2, 2), Z(1, 1)}},
      {"ML", {M(0, 0), L(0, 0)}},
      {"M 1,1 X L 2,2", {M(1, 1)}},  // a character outside the command set ends parsing
      {"", {}},
  };
  for (const Case& c : cases) EXPECT_EQ(Parse(c.text), c.expected) << c.text;
}

TEST(VgPathText, SvgArcTurnsClockwiseOverTheChord) {
  const auto points = Parse("M 0,0 A 10,10 0 0,1 20,0");
  ASSERT_EQ(points.size(), 7u);  // MoveTo and two quarter curves
  ExpectNear(points[3].Point, {10, -10});
  ExpectNear(points.back().Point, {20, 0});
  for (size_t i : {0, 3, 6})
    EXPECT_NEAR(std::hypot(points[i].Point.X - 10, points[i].Point.Y), 10, 1e-3f);

  // Relative end point; a zero radius drops the letter and nothing else.
  EXPECT_EQ(Parse("M 0,0 a 10,10 0 0,1 20,0").size(), 7u);
  EXPECT_EQ(Parse("M 0,0 A 0,10 0 0,1 20,0 L 5,5"), (std::vector{M(0, 0), L(5, 5)}));
  // An arc whose points would overflow single precision is dropped the same way.
  EXPECT_EQ(Parse("M 0,0 A 2e38,2e38 0 1,1 3e38,0 L 5,5"), (std::vector{M(0, 0), L(5, 5)}));
  TvgPathData path;
  EXPECT_THROW(path.AddArcSvg({0, 0}, {0, 0}, 0, false, true, {20, 0}), rtl::Exception);
}

TEST(VgPathText, PrinterWritesEveryItemWithATrailingSpace) {
  TvgPathData path;
  path.SetPathString("M 10,20 L 30,40 Z");
  EXPECT_EQ(path.GetPathString(), "M 10,20 L 30,40 Z ");
  path.SetPathString("M 0,0 C 0.5,1 2,3 4,5");
  EXPECT_EQ(path.GetPathString(), "M 0,0 C 0.500,1 2,3 4,5 ");
  TvgPathData copy;
  copy.SetPathString(path.GetPathString());
  EXPECT_EQ(copy.PathData, path.PathData);
}

TEST(VgPathData, BuildersAndNotifications) {
  TvgPathData path;
  int changes = 0;
  path.OnChanged = [&](rtl::TObject* sender) {
    EXPECT_EQ(sender, &path);
    ++changes;
  };
  path.HLineTo(5);  // empty path: the unchanged coordinate is LastPoint's 0
  path.MoveTo({1, 2});
  path.LineToRel({1, 1});
  path.VLineToRel(3);
  path.CurveToRel({1, 0}, {1, 1}, {0, 1});
  path.ClosePath();
  EXPECT_EQ(path.PathData, (std::vector{L(5, 0), M(1, 2), L(2, 3), L(2, 6), C(3, 6), C(3, 7),
                                        C(2, 7), Z(1, 2)}));
  EXPECT_EQ(changes, 0);
  path.Clear();
  path.SetPathString("M 1,1");
  path.Flatten();
  EXPECT_EQ(changes, 3);
}

TEST(VgPathData, ArcsEllipsesAndRectangles) {
  TvgPathData arc;
  arc.AddArc({0, 0}, {10, 10}, 0, 360);
  ASSERT_EQ(arc.PathData.size(), 13u);
  EXPECT_EQ(arc.PathData[0].Kind, vgPathPointMoveTo);
  ExpectNear(arc.PathData[0].Point, {10, 0});
  ExpectNear(arc.PathData[3].Point, {0, 10});  // positive sweeps turn clockwise (y down)
  TvgPathData clamped;
  clamped.AddArc({0, 0}, {10, 10}, 0, 450);
  EXPECT_EQ(clamped.PathData, arc.PathData);
  TvgPathData connected;
  connected.MoveTo({0, 0});
  connected.AddArc({0, 0}, {10, 10}, 90, 1e-9f);  // too small: nothing
  connected.AddArc({0, 0}, {10, 10}, 90, 45);
  EXPECT_EQ(connected.PathData[1].Kind, vgPathPointLineTo);
  EXPECT_EQ(connected.PathData.size(), 5u);

  TvgPathData ellipse;
  ellipse.AddEllipse({0, 0, 20, 10});
  ASSERT_EQ(ellipse.PathData.size(), 13u);
  EXPECT_EQ(ellipse.PathData[0], M(0, 5));
  ExpectNear(ellipse.PathData[1].Point, {0, 5 - 5 * 0.5522847f});
  EXPECT_EQ(ellipse.PathData[12], C(0, 5));

  TvgPathData round;
  round.AddRectangle({0, 0, 10, 10}, 20, 20, AllCorners, vgCornerRound);  // radii limited to 5
  EXPECT_EQ(round.PathData[0], M(0, 5));
  EXPECT_EQ(round.PathData[1], C(0, 2.5f));
  EXPECT_EQ(round.PathData[3], C(5, 0));
  EXPECT_EQ(round.PathData.back(), Z(0, 5));
  EXPECT_EQ(round.PathData.size(), 1u + 4 * 3 + 3 + 1);  // no line after a final curve

  TvgPathData mixed;
  mixed.AddRectangle({0, 0, 10, 10}, 2, 2, TvgCorners{vgCornerBottomLeft}, vgCornerInnerLine);
  EXPECT_EQ(mixed.PathData, (std::vector{M(0, 2), L(0, 0), L(2, 0), L(8, 0), L(10, 0), L(10, 2),
                                         L(10, 8), L(10, 10), L(8, 10), L(2, 10), L(2, 9),
                                         L(1, 8), L(0, 8), L(0, 8), Z(0, 2)}));
}

TEST(VgPathData, BoundsTransformsAndFlattening) {
  TvgPathData path;
  path.MoveTo({5, 5});
  EXPECT_EQ(path.GetBounds(), (TvgRect{5, 5, 5.001f, 5.001f}));
  EXPECT_EQ(TvgPathData().GetBounds(), NullRect);

  path.SetPathString("M 0,0 L 100,100 M 0,100 C 0,10 0,0 0,0 Z");
  TvgPolygon polygon;
  const TvgPoint size = path.FlattenToPolygon(polygon, 1);
  EXPECT_EQ(size, (TvgPoint{100, 100}));
  // Step 1: the curve's first control point lies 10 from its end: 10 samples.
  ASSERT_EQ(polygon.size(), 2u + 1 + 10 + 2);
  EXPECT_EQ(polygon[3], (TvgPoint{0, 100}));  // the first sample repeats the start
  EXPECT_EQ(polygon[12], (TvgPoint{0, 0}));
  EXPECT_EQ(polygon[13], (TvgPoint{0, 100}));  // the figure's start, then the marker
  EXPECT_EQ(polygon[14], ClosePolygon);

  path.Flatten(1);
  EXPECT_EQ(path.PathData.size(), 2u + 1 + 10 + 1);
  EXPECT_EQ(path.PathData.back(), Z(0, 100));

  TvgPathData moved;
  moved.SetPathString("M 1,2 L 3,4 Z");
  moved.Scale(2, 3);
  moved.Offset(1, 1);
  TvgMatrix m = IdentityMatrix;
  m.m31 = 10;
  moved.ApplyMatrix(m);
  EXPECT_EQ(moved.PathData, (std::vector{M(13, 7), L(17, 13), Z(1, 2)}));  // Close keeps its point
}

TEST(VgPathData, FarPathsAndFreshPathsStartFromTheirOwnPoints) {
  const struct {
    const char* text;
    TvgRect bounds;
  } far[] = {
      {"M 70000,70000 L 80000,90000", {70000, 70000, 80000, 90000}},
      {"M -70000,-70000 L -80000,-90000", {-80000, -90000, -70000, -70000}},
  };
  for (const auto& c : far) {
    TvgPathData path;
    path.SetPathString(c.text);
    EXPECT_EQ(path.GetBounds(), c.bounds) << c.text;
    TvgPolygon polygon;
    EXPECT_EQ(path.FlattenToPolygon(polygon), (TvgPoint{10000, 20000})) << c.text;
  }

  TvgPathData path;
  path.SetPathString("M 5,5 L 1,1");
  path.SetPathString("L 2,2 Z");
  EXPECT_EQ(path.PathData, (std::vector{L(2, 2), Z(0, 0)})) << "new text starts afresh";
  path.SetPathString("M 5,5 L 1,1");
  path.Clear();
  path.LineTo({3, 3});
  path.ClosePath();
  EXPECT_EQ(path.PathData, (std::vector{L(3, 3), Z(0, 0)})) << "so does a cleared path";
}

TEST(VgPathData, BinaryPropertyRecordForms) {
  auto record = [](std::vector<unsigned char>& bytes, std::uint8_t kind, float x, float y,
                   bool packed) {
    bytes.push_back(kind);
    if (!packed) bytes.insert(bytes.end(), 3, 0);
    for (float f : {x, y}) {
      unsigned char raw[4];
      std::memcpy(raw, &f, 4);
      bytes.insert(bytes.end(), raw, raw + 4);
    }
  };
  for (bool packed : {true, false}) {
    std::vector<unsigned char> bytes = {4, 0, 0, 0};
    record(bytes, 0, 0, 0, packed);
    record(bytes, 1, 10, 0, packed);
    record(bytes, 1, 10, 10, packed);
    record(bytes, 3, 0, 0, packed);
    EXPECT_EQ(bytes.size(), packed ? 40u : 52u);
    rtl::TBytesViewStream stream(bytes.data(), static_cast<std::int64_t>(bytes.size()));
    TvgPathData path;
    path.ReadPath(stream);
    EXPECT_EQ(path.PathData, (std::vector{M(0, 0), L(10, 0), L(10, 10), Z(0, 0)}));

    rtl::TMemoryStream written;
    path.WritePath(written);
    EXPECT_EQ(written.Size(), 52);
    if (!packed) {
      EXPECT_EQ(std::memcmp(written.Bytes().data(), bytes.data(), 52), 0);
    }
  }
}

TEST(VgPathData, BinaryPropertyRejectsCountsThatDoNotFit) {
  struct Case {
    std::vector<unsigned char> bytes;
    bool accepted;
  } cases[] = {
      {{0xFF, 0xFF, 0xFF, 0x7F}, false},                    // a huge count and no records
      {{2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}, false},     // 9 bytes for two points
      {{1, 0, 0, 0, 9, 0, 0, 0, 0, 0, 0, 0, 0}, false},     // unknown kind 9
      {{0xFF, 0xFF, 0xFF, 0xFF}, true},                     // a negative count: empty
      {{0, 0, 0, 0}, true},
  };
  for (const Case& c : cases) {
    rtl::TBytesViewStream stream(c.bytes.data(), static_cast<std::int64_t>(c.bytes.size()));
    TvgPathData path;
    path.MoveTo({1, 1});
    if (c.accepted) {
      path.ReadPath(stream);
      EXPECT_TRUE(path.IsEmpty());
    } else {
      EXPECT_THROW(path.ReadPath(stream), rtl::EReadError);
      EXPECT_EQ(path.PathData.size(), 1u);
    }
  }
}
