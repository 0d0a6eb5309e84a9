#include <gtest/gtest.h>

#include "platform/rtl/Exceptions.h"
#include "tests/ui/core/vg_fakes.h"
#include "ui/core/vg_brush.h"
#include "ui/core/vg_font.h"

using namespace vg;
using vgtest::FakeBackEnd;
using vgtest::FakeResourceNode;

namespace {

void SetStops(TvgGradient& g, std::initializer_list<std::pair<TvgColor, float>> stops) {
  g.Points()->Clear();
  for (auto [color, offset] : stops) g.Points()->AddPoint(color, offset);
}

}  // namespace

TEST(VgGradient, InterpolateColor) {
  TvgGradient g;
  struct Case {
    float offset;
    TvgColor color;
  } blackToWhite[] = {{0.5f, 0xFF7F7F7F}, {-1, 0xFF000000}, {2, 0xFFFFFFFF}, {1, 0xFFFFFFFF}};
  for (const Case& c : blackToWhite) EXPECT_EQ(g.InterpolateColor(c.offset), c.color) << c.offset;

  SetStops(g, {{0xFFFF0000, 0.2f}, {0xFF0000FF, 0.8f}});
  const Case redToBlue[] = {{0.1f, 0xFFFF0000}, {0.9f, 0xFF0000FF}, {0.5f, 0xFF80007F}};
  for (const Case& c : redToBlue) EXPECT_EQ(g.InterpolateColor(c.offset), c.color) << c.offset;

  SetStops(g, {{0xFF000000, 0}, {0xFF00FF00, 0.5f}, {0xFF0000FF, 0.5f}, {0xFFFFFFFF, 1}});
  EXPECT_EQ(g.InterpolateColor(0.5f), 0xFF0000FFu);  // the last bracketing pair wins
  SetStops(g, {{0xFF123456, 0}});
  EXPECT_EQ(g.InterpolateColor(0), 0u);
}

TEST(VgGradient, AssignCopiesStopsAndOnlyWhatTheStyleUses) {
  TvgGradient source;
  SetStops(source, {{0xFF111111, 0}, {0xFF222222, 0.5f}, {0xFF333333, 1}});
  source.SetStyle(vgRadialGradient);
  source.RadialTransform()->SetRotateAngle(30);
  source.StartPosition()->SetPoint({0.3f, 0.3f});

  TvgGradient copy;
  int changes = 0;
  copy.OnChanged = [&](rtl::TObject*) { ++changes; };
  copy.Assign(&source);
  EXPECT_EQ(changes, 1);
  ASSERT_EQ(copy.Points()->Count(), 3);
  EXPECT_EQ(copy.Points()->Points(1)->GetColor(), "#FF222222");
  EXPECT_EQ(copy.Points()->Points(1)->Offset(), 0.5f);
  EXPECT_EQ(copy.RadialTransform()->RotateAngle(), 30);
  EXPECT_EQ(copy.StartPosition()->GetPoint(), (TvgPoint{0, 0}));  // linear-only: not copied

  copy.StopPosition()->SetX(1);  // position changes reach the gradient's listener
  EXPECT_EQ(changes, 2);
}

TEST(VgBrush, ColorTextSetsSolidColourAndFirstGradientStop) {
  TvgBrush brush(vgBrushSolid, 0xFFFFFFFF);
  brush.SetStyle(vgBrushGradient);
  int changes = 0;
  brush.OnChanged = [&](rtl::TObject* sender) {
    EXPECT_EQ(sender, &brush);
    ++changes;
  };
  brush.SetColor("#FF00FF00");
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(brush.Gradient()->Points()->Points(0)->IntColor(), 0xFF00FF00u);
  brush.SetColor("Lime");  // the same colour: no notification
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(brush.GetColor(), "#FF00FF00");
  brush.Gradient()->SetStyle(vgRadialGradient);
  EXPECT_EQ(changes, 2);  // parts notify through the brush
}

namespace {

// The published properties the writer would store, in table order.
std::string StoredProperties(const rtl::TObject& object) {
  std::string names;
  for (const rtl::TPropertyInfo* info : rtl::PublishedOf(object.ClassType()).Properties())
    if (info->IsStored(&object)) names += (names.empty() ? "" : " ") + info->Name();
  return names;
}

}  // namespace

TEST(VgBrush, StoredPropertiesFollowStyleAndDefaults) {
  struct Case {
    TvgBrushStyle style;
    TvgColor color;
    const char* stored;
  } cases[] = {
      {vgBrushSolid, 0xFFFFFFFF, ""},
      {vgBrushSolid, 0xFF000000, "Color"},
      {vgBrushGradient, 0xFF000000, "Style Gradient"},
      {vgBrushBitmap, 0xFFFFFFFF, "Style Bitmap"},
      {vgBrushResource, 0xFFFFFFFF, "Style Resource"},
      {vgBrushVisual, 0xFFFFFFFF, "Style Visual"},
      {vgBrushNone, 0xFF000000, "Style"},
  };
  for (const Case& c : cases) {
    TvgBrush brush(vgBrushSolid, 0xFFFFFFFF);
    brush.SetStyle(c.style);
    brush.SetSolidColor(c.color);
    EXPECT_EQ(StoredProperties(brush), c.stored) << c.style;
  }
  TvgGradient gradient;
  EXPECT_EQ(StoredProperties(gradient), "Points Style StartPosition StopPosition");
  gradient.SetStyle(vgRadialGradient);
  EXPECT_EQ(StoredProperties(gradient), "Points Style RadialTransform");
  EXPECT_EQ(StoredProperties(*gradient.Points()->Points(0)), "Color");
  EXPECT_EQ(StoredProperties(*gradient.Points()->Points(1)), "Color Offset");
  TvgFont font;
  EXPECT_EQ(StoredProperties(font), "");
  font.SetFamily(u"Arial");
  font.SetClearType(false);
  EXPECT_EQ(StoredProperties(font), "Family ClearType");
  EXPECT_EQ(StoredProperties(TvgPosition({1, 2})), "");
}

TEST(VgBrush, ColourPropertyByPath) {
  TvgBrush brush(vgBrushSolid, 0xFFFFFFFF);
  const rtl::TPropertyPath path = rtl::FindPropertyPath(&brush, "Gradient.Style");
  ASSERT_TRUE(path);
  EXPECT_EQ(rtl::GetPropText(&brush, "Gradient.Style"), "vgLinearGradient");
  rtl::PublishedOf(brush.ClassType()).FindProperty("color")->SetString(&brush, "Red");
  EXPECT_EQ(brush.SolidColor(), 0xFFFF0000u);
}

TEST(VgBrush, AssignFlattensAResourceBrushToItsColour) {
  FakeBackEnd backEnd;
  FakeResourceNode red("redbrush");
  TvgBrush source(vgBrushNone, 0xFF000000);
  source.SetStyle(vgBrushResource);
  source.Resource()->SetResourceName("redbrush");
  EXPECT_EQ(source.GetSolidColor(), 0xFFFF0000u);

  TvgBrush copy(vgBrushSolid, 0xFFFFFFFF);
  int changes = 0;
  copy.OnChanged = [&](rtl::TObject*) { ++changes; };
  copy.Assign(&source);
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(copy.SolidColor(), 0xFFFF0000u);
  EXPECT_EQ(copy.Style(), vgBrushResource);
  EXPECT_EQ(copy.Resource()->GetResourceName(), "redbrush");
  EXPECT_EQ(copy.Resource()->Resource(), &red);
  EXPECT_EQ(copy.DefaultStyle(), vgBrushNone);
  const TvgFont font;
  EXPECT_THROW(copy.Assign(&font), rtl::EConvertError);
}

TEST(VgBrush, SelfReferringResourceBrushesFallBackToTheirOwnColour) {
  FakeBackEnd backEnd;
  FakeResourceNode a("a"), b("b");
  a.brush.SetStyle(vgBrushResource);
  a.brush.Resource()->SetResourceName("b");
  b.brush.SetStyle(vgBrushResource);
  b.brush.Resource()->SetResourceName("a");
  TvgBrush brush(vgBrushResource, 0xFF123456);
  brush.Resource()->SetResourceName("a");
  EXPECT_EQ(brush.GetSolidColor(), 0xFF123456u);
  a.brush.Resource()->SetResourceName("a");  // directly self-referring
  EXPECT_EQ(a.brush.GetSolidColor(), 0xFFFF0000u);
}

TEST(VgResourceLinks, LinksResolveByNameAndDieWithTheirNode) {
  FakeBackEnd backEnd;
  TvgPathData path;
  TvgBitmap bitmap;
  TvgBrush brush(vgBrushResource, 0);
  TvgVisual visual;
  {
    FakeResourceNode node("shape");
    vgtest::FakeNode visualNode;
    node.path.SetPathString("M 0,0 L 1,1");
    path.SetResourceName("shape");
    bitmap.SetResourceName("shape");
    brush.Resource()->SetResourceName("shape");
    EXPECT_EQ(path.GetPath(), &node.path);
    EXPECT_EQ(bitmap.GetBitmap(), &node.bitmap);
    EXPECT_EQ(brush.Resource()->GetBrush(), &node.brush);
    visual.SetVisualObject(&visualNode);
    EXPECT_EQ(node.LinkCount(), 3u);
    EXPECT_EQ(visualNode.LinkCount(), 1u);

    TvgPathData copy;
    copy.Assign(&path);  // links, does not copy points
    EXPECT_EQ(copy.GetResource(), &node);
    EXPECT_TRUE(copy.IsEmpty());
  }
  EXPECT_EQ(path.GetResource(), nullptr);
  EXPECT_EQ(path.GetResourceName(), "shape");  // the name stays for a later lookup
  EXPECT_EQ(path.GetPath(), nullptr);
  EXPECT_EQ(bitmap.GetBitmap(), nullptr);
  EXPECT_EQ(brush.Resource()->GetBrush(), nullptr);
  EXPECT_EQ(visual.VisualObject(), nullptr);
  path.SetResource(nullptr);
}

TEST(VgFont, SettersNotifyOnlyOnChange) {
  TvgFont font;
  int changes = 0;
  font.OnChanged = [&](rtl::TObject*) { ++changes; };
  font.SetSize(11);
  font.SetFamily(u"Tahoma");
  EXPECT_EQ(changes, 0);
  EXPECT_FALSE(font.SizeStored() || font.FamilyStored() || font.StyleStored() ||
               font.ClearTypeStored());
  font.SetSize(12);
  font.SetStyle(vgFontBoldItalic);
  font.SetClearType(false);
  EXPECT_EQ(changes, 3);
  EXPECT_TRUE(font.SizeStored() && font.StyleStored() && font.ClearTypeStored());

  TvgFont copy;
  int copyChanges = 0;
  copy.OnChanged = [&](rtl::TObject*) { ++copyChanges; };
  copy.Assign(&font);
  EXPECT_EQ(copyChanges, 1);
  EXPECT_EQ(copy.Size(), 12);
  EXPECT_EQ(copy.Style(), vgFontBoldItalic);
  EXPECT_FALSE(copy.ClearType());
}
