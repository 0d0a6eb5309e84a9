#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "platform/rtl/ClassRegistry.h"
#include "platform/rtl/Streams.h"
#include "tests/ui/render/shapes_fixture.h"
#include "ui/core/vg_effects.h"
#include "ui/render/vg_objects.h"

namespace vgtest {
namespace {

using namespace vg;

using ShapesTest = ShapeTest;

TEST_F(ShapesTest, ShapeRectShrinksByHalfTheStrokeUnlessItIsOff) {
  auto* rect = Make<TvgRectangle>(100, 50);
  rect->SetStrokeThickness(4);
  EXPECT_EQ(rect->GetShapeRect(), (TvgRect{2, 2, 98, 48}));
  rect->Stroke()->SetStyle(vgBrushNone);
  EXPECT_EQ(rect->GetShapeRect(), (TvgRect{0, 0, 100, 50}));
}

TEST_F(ShapesTest, RectangleWithMissingSidesFillsAcrossThemAndStrokesOnlyTheListed) {
  struct Case {
    bool stroke;
    TvgSides sides;
    const char* fill;
    const char* outline;
  } cases[] = {
      {true, AllSides, "FillRect (2,2,98,48) 0,0 1", "DrawRect (2,2,98,48) 0,0 1"},
      {true,
       {vgSideTop},
       "FillRect (0,2,100,50) 0,0 1",
       "DrawPath M2,2 C2,2 2,2 2,2 L98,2 C98,2 98,2 98,2 M98,48 C98,48 98,48 98,48 M2,48"},
      {true, {vgSideLeft, vgSideRight}, "FillRect (2,0,98,50) 0,0 1", ""},
      {false, {vgSideTop}, "FillRect (0,0,100,50) 0,0 1", ""},
  };
  for (const Case& c : cases) {
    auto* rect = Make<TvgRectangle>(100, 50);
    rect->SetStrokeThickness(4);
    if (!c.stroke) rect->Stroke()->SetStyle(vgBrushNone);
    rect->SetSides(c.sides);
    const auto log = Paint(*rect);
    ASSERT_EQ(log.size(), 2u);
    EXPECT_EQ(log[0], c.fill);
    if (*c.outline) {
      EXPECT_EQ(log[1].rfind(c.outline, 0), 0u) << log[1];
    }
  }
}

TEST_F(ShapesTest, StrokeSettingsReachTheCanvasAndAreResetAfterPainting) {
  auto* line = Make<TvgLine>(40, 30);
  line->SetStrokeThickness(2);
  line->SetStrokeDash(vgDashDot);
  line->SetLineType(vgLineHorizontal);
  EXPECT_EQ(Paint(*line), std::vector<std::string>{"DrawLine (1,1)-(39,1) 1"});
  EXPECT_EQ(canvas.StrokeThickness(), 2);
  EXPECT_EQ(canvas.StrokeDash(), vgDashDot);
  line->AfterPaint();
  EXPECT_EQ(canvas.StrokeThickness(), 1);
  EXPECT_EQ(canvas.StrokeDash(), vgDashSolid);
}

TEST_F(ShapesTest, RoundRectRadiusIsHalfTheShorterSideOfTheShapeRect) {
  for (auto [w, h] : {std::pair{100.f, 40.f}, std::pair{40.f, 100.f}}) {
    auto* round = Make<TvgRoundRect>(w, h);
    EXPECT_EQ(Paint(*round)[0].substr(0, 8), "FillRect");
    EXPECT_NE(Paint(*round)[0].find(" 19.5,19.5 "), std::string::npos) << Paint(*round)[0];
  }
}

TEST_F(ShapesTest, CalloutOutlineOfA100By60Callout) {
  auto* callout = Make<TvgCalloutRectangle>(100, 60);
  callout->Stroke()->SetStyle(vgBrushNone);
  callout->CreatePath();
  EXPECT_EQ(RecordingCanvas::PathText(callout->Path()),
            "M0,11 C0,11 0,11 0,11 L38.5,11 L50,0 L61.5,11 L100,11 C100,11 100,11 100,11 L100,60 "
            "C100,60 100,60 100,60 L0,60 C0,60 0,60 0,60 L0,11");
}

TEST_F(ShapesTest, CenteredTabSitsAtHalfTheSideCountedFromZero) {
  auto* callout = Make<TvgCalloutRectangle>(100, 60);
  callout->SetStrokeThickness(2);  // the outline runs from x = 1
  callout->CreatePath();
  EXPECT_NE(RecordingCanvas::PathText(callout->Path()).find("L37.5,12 L49,1 L60.5,12 L99,12"),
            std::string::npos)
      << RecordingCanvas::PathText(callout->Path());
}

// A shadow drawn from its cached picture would keep the old tab.
TEST_F(ShapesTest, MovingTheCalloutTabRedrawsItsEffects) {
  const std::function<void(TvgCalloutRectangle&)> changes[] = {
      [](TvgCalloutRectangle& c) { c.SetCalloutOffset(30); },
      [](TvgCalloutRectangle& c) { c.SetCalloutLength(20); },
      [](TvgCalloutRectangle& c) { c.SetCalloutWidth(12); },
      [](TvgCalloutRectangle& c) { c.SetCalloutPosition(vgCalloutLeft); },
  };
  for (const auto& change : changes) {
    auto* callout = Make<TvgCalloutRectangle>(100, 60);
    callout->AddObject(new TvgShadowEffect(nullptr));
    callout->ApplyEffect();
    ASSERT_FALSE(callout->EffectsDirty());
    change(*callout);
    EXPECT_TRUE(callout->EffectsDirty());
  }
}

TEST_F(ShapesTest, CalloutTabOnEachSideInTheDirectionOfTravel) {
  struct Case {
    TvgCalloutPosition position;
    float offset;
    const char* tab;
  } cases[] = {
      {vgCalloutTop, -5, "L72,11 L83.5,0 L95,11 L100,11"},
      {vgCalloutRight, 10, "L89,10 L100,21.5 L89,33 L89,60"},
      {vgCalloutBottom, 10, "L33,49 L21.5,60 L10,49 L0,49"},
      {vgCalloutLeft, 10, "L11,33 L0,21.5 L11,10 L11,0"},
  };
  for (const Case& c : cases) {
    auto* callout = Make<TvgCalloutRectangle>(100, 60);
    callout->Stroke()->SetStyle(vgBrushNone);
    callout->SetCalloutPosition(c.position);
    callout->SetCalloutOffset(c.offset);
    const std::string path = RecordingCanvas::PathText(callout->Path());
    EXPECT_NE(path.find(c.tab), std::string::npos) << path;
  }
}

TEST_F(ShapesTest, CalloutTabPlacementAndRadiusClamp) {
  auto* callout = Make<TvgCalloutRectangle>(100, 60);
  callout->Stroke()->SetStyle(vgBrushNone);
  callout->SetCalloutPosition(vgCalloutRight);
  callout->SetCalloutOffset(-5);
  EXPECT_NE(RecordingCanvas::PathText(callout->Path())
                .find("L89,0 C89,0 89,0 89,0 L89,32 L100,43.5 L89,55 L89,60"),
            std::string::npos)
      << RecordingCanvas::PathText(callout->Path());

  callout->SetCalloutPosition(vgCalloutTop);
  callout->SetCalloutOffset(0);
  callout->SetxRadius(80);
  callout->SetCorners({vgCornerTopLeft});
  callout->SetCornerType(vgCornerBevel);
  callout->CreatePath();
  // rx = 50 (half the width), ry = 0.
  EXPECT_EQ(RecordingCanvas::PathText(callout->Path()).substr(0, 18), "M0,11 L50,11 L38.5");
}

TEST_F(ShapesTest, CircleFitsASquareIntoTheShapeRect) {
  auto* circle = Make<TvgCircle>(100, 50);
  EXPECT_EQ(Paint(*circle)[0], "FillEllipse (25.5,0.5,74.5,49.5) 1");
}

TEST_F(ShapesTest, PieSweepsTheDifferenceAndArcTheEndAngle) {
  auto* pie = Make<TvgPie>(101, 101);
  pie->SetStartAngle(30);
  pie->SetEndAngle(60);
  auto* arc = Make<TvgArc>(101, 101);
  arc->SetStartAngle(30);
  arc->SetEndAngle(60);
  TvgPathData thirty, sixty;
  thirty.MoveTo({50.5f, 50.5f});
  thirty.AddArc({50.5f, 50.5f}, {50, 50}, 30, 30);
  thirty.LineTo({50.5f, 50.5f});
  thirty.ClosePath();
  sixty.AddArc({50.5f, 50.5f}, {50, 50}, 30, 60);
  EXPECT_NE(Paint(*pie)[0].find(RecordingCanvas::PathText(thirty)), std::string::npos);
  EXPECT_NE(Paint(*arc)[0].find(RecordingCanvas::PathText(sixty)), std::string::npos);
  EXPECT_EQ(arc->Fill()->Style(), vgBrushNone);
  EXPECT_EQ(arc->Fill()->DefaultStyle(), vgBrushNone);
}

TEST_F(ShapesTest, EllipseHitTestIncludesTheBoundaryAndNeverHitsAnEmptyNode) {
  auto* ellipse = Make<TvgEllipse>(100, 50);
  struct Case {
    float x, y;
    bool hit;
  } cases[] = {{50, 25, true}, {0, 25, true}, {50, 0, true}, {5, 5, false}, {99, 49, false}};
  for (const Case& c : cases)
    EXPECT_EQ(ellipse->PointInObject(c.x, c.y), c.hit) << c.x << "," << c.y;
  auto* circle = Make<TvgCircle>(0, 50);
  EXPECT_FALSE(circle->PointInObject(0, 25));
  auto* arc = Make<TvgArc>(100, 100);
  EXPECT_TRUE(arc->PointInObject(50, 50));
}

TEST_F(ShapesTest, PieHitTestFollowsThePieOnARealCanvasAndTheEllipseWithout) {
  TvgBitmap bitmap(100, 100);
  scene.canvas = bitmap.GetCanvas();
  auto* pie = Make<TvgPie>(100, 100);  // 0 to -90: the upper right quarter
  EXPECT_TRUE(pie->PointInObject(75, 25));
  EXPECT_FALSE(pie->PointInObject(25, 75));
  EXPECT_FALSE(pie->PointInObject(25, 25));
  scene.canvas = nullptr;
  EXPECT_TRUE(pie->PointInObject(25, 75));
}

TEST_F(ShapesTest, SettersStoreOnlyChangesAndRepaint) {
  auto* rect = Make<TvgRectangle>(10, 10);
  scene.updates.clear();
  rect->SetxRadius(3);
  rect->SetxRadius(3);
  rect->Fill()->SetSolidColor(0xFF112233);
  EXPECT_EQ(scene.updates.size(), 2u);
  rect->BeginUpdate();
  rect->Fill()->SetSolidColor(0xFF445566);
  rect->EndUpdate();
  EXPECT_EQ(scene.updates.size(), 2u);
}

TEST_F(ShapesTest, RegisteredClassesStreamByNameAndEmptySidesSurvive) {
  RegisterShapeClasses();
  RegisterShapeClasses();
  for (const char* name : {"TvgLine", "TvgSidesRectangle", "TvgCalloutRectangle",
                           "TvgScrollArrowRight", "TvgPaintBox", "TvgImage"})
    EXPECT_NE(rtl::GetClass(name), nullptr) << name;
  int shapes = 0;
  for (const auto& entry : ObjectList()) shapes += entry.first == "Shapes";
  EXPECT_EQ(shapes, 17);

  auto* rect = Make<TvgRectangle>(10, 10);
  rect->SetSides({});
  rtl::TMemoryStream stream;
  rect->SaveToStream(stream);
  stream.SetPosition(0);
  TvgObject* copy = CreateObjectFromStream(nullptr, stream);
  ASSERT_NE(copy, nullptr);
  EXPECT_EQ(static_cast<TvgRectangle*>(copy)->Sides(), TvgSides{});
  copy->Free();
}

// ----- blur shapes

TEST_F(ShapesTest, BlurBufferIsBuiltOnceAndCopiedAtOpacityOne) {
  auto* blur = Make<TvgBlurRectangle>(10.5f, 11.5f);
  blur->SetOpacity(0.5f);
  EXPECT_EQ(Paint(*blur),
            std::vector<std::string>{"DrawBitmap 10x12 (0,0,10.5,11.5) (0,0,10.5,11.5) 1 1"});
  const std::uint32_t* first = blur->Blur().Buffer()->Bits();
  const std::uint32_t pixel = blur->Blur().Buffer()->GetPixels(5, 5);
  EXPECT_FALSE(blur->Blur().Recreate());

  struct Step {
    const char* what;
    void (*change)(TvgBlurRectangle&);
    bool rebuilds;
  } steps[] = {
      {"stroke", [](TvgBlurRectangle& b) { b.Stroke()->SetSolidColor(0xFF00FF00); }, false},
      {"softness", [](TvgBlurRectangle& b) { b.SetSoftness(0.31f); }, true},
      {"fill", [](TvgBlurRectangle& b) { b.Fill()->SetSolidColor(0xFFFF0000); }, true},
      {"radius", [](TvgBlurRectangle& b) { b.SetxRadius(2); }, true},
  };
  for (const Step& step : steps) {
    step.change(*blur);
    EXPECT_EQ(blur->Blur().Recreate(), step.rebuilds) << step.what;
    Paint(*blur);
  }
  EXPECT_EQ(blur->Blur().Buffer()->Bits(), first);  // same size: the buffer is reused
  EXPECT_NE(blur->Blur().Buffer()->GetPixels(5, 5), pixel);

  // The opacity lives in the buffer: a change redraws it fainter.
  const std::uint32_t opaque = blur->Blur().Buffer()->GetPixels(5, 5);
  blur->SetOpacity(0.25f);
  Paint(*blur);
  EXPECT_LT(blur->Blur().Buffer()->GetPixels(5, 5) >> 24, opaque >> 24);
}

TEST_F(ShapesTest, BlurRadiusIsTruncatedSoftnessTimesFifteen) {
  auto pixels = [&](float softness) {
    auto* blur = Make<TvgBlurRoundRect>(40, 20);
    blur->Fill()->SetSolidColor(0xFFFFFFFF);
    blur->SetSoftness(softness);
    Paint(*blur);
    const TvgBitmap& buffer = *blur->Blur().Buffer();
    return std::vector<std::uint32_t>(buffer.Bits(), buffer.Bits() + 40 * 20);
  };
  const auto radius4 = pixels(0.3f);
  EXPECT_EQ(pixels(0.31f), radius4);  // Trunc(4.65) = 4 as Trunc(4.5)
  EXPECT_NE(pixels(0.34f), radius4);  // Trunc(5.1) = 5
  // Below radius 1 nothing is blurred and the shape fills the buffer.
  const auto sharp = pixels(0.05f);
  EXPECT_EQ(sharp[20] >> 24, 255u);
  EXPECT_LT(radius4[20] >> 24, 128u);

  auto* empty = Make<TvgBlurRectangle>(0.4f, 0.5f);  // rounds to 0 x 0
  EXPECT_TRUE(Paint(*empty).empty());
  EXPECT_TRUE(empty->Blur().Buffer()->IsEmpty());
}

// ----- pixels through the scene's painting on the GDI+ canvas

TEST_F(ShapesTest, ShapesPaintTheirPixelsIntoAScreenshot) {
  auto* callout = Make<TvgCalloutRectangle>(60, 40);
  callout->Stroke()->SetStyle(vgBrushNone);
  callout->Fill()->SetSolidColor(0xFFFF0000);
  auto* ellipse = new TvgEllipse(nullptr);
  ellipse->SetParent(callout);
  ellipse->SetBounds(40, 20, 20, 20);
  ellipse->Stroke()->SetStyle(vgBrushNone);
  ellipse->Fill()->SetSolidColor(0xFF0000FF);
  std::unique_ptr<TvgBitmap> shot(callout->MakeScreenshot());
  struct Probe {
    int x, y;
    std::uint32_t pixel;
  } probes[] = {
      {30, 3, 0xFFFF0000},   // inside the tab
      {5, 3, 0},             // beside the tab, above the body
      {10, 25, 0xFFFF0000},  // body
      {50, 30, 0xFF0000FF},  // the child ellipse's centre
      {41, 21, 0xFFFF0000},  // the body outside the ellipse's curve
  };
  for (const Probe& p : probes) EXPECT_EQ(shot->GetPixels(p.x, p.y), p.pixel) << p.x << "," << p.y;
}

}  // namespace
}  // namespace vgtest
