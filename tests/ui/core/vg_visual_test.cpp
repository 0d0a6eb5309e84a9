#include "ui/core/vg_visual.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "platform/rtl/TypeInfo.h"
#include "tests/support/vg_headless_scene.h"

namespace {

using vg::TvgAlign;
using vg::TvgRect;
using vg::TvgVisualObject;
using vgtest::HeadlessScene;

struct Box {
  float x, y, w, h;
};

// A scene with one root of the given size. Children are added while the
// root is updating, so they are laid out together by the first Align.
class Layout {
 public:
  Layout(float width, float height) : root(new TvgVisualObject(nullptr)) {
    scene.AddObject(root);
    scene.root = root;
    root->SetSizeWithoutChange(width, height);
    root->BeginUpdate();
  }
  ~Layout() { root->Free(); }

  void Align() {
    if (root->Updating() > 0)
      root->EndUpdate();
    else
      root->Realign();
  }

  TvgVisualObject* Add(TvgAlign align, Box box, TvgRect padding = {}) {
    auto* child = new TvgVisualObject(nullptr);
    child->SetBounds(box.x, box.y, box.w, box.h);
    child->Padding()->SetRect(padding);
    child->SetAlign(align);
    root->AddObject(child);
    return child;
  }

  HeadlessScene scene;
  TvgVisualObject* root;
};

void ExpectBox(TvgVisualObject* node, Box box) {
  EXPECT_FLOAT_EQ(node->Position()->X(), box.x);
  EXPECT_FLOAT_EQ(node->Position()->Y(), box.y);
  EXPECT_FLOAT_EQ(node->Width(), box.w);
  EXPECT_FLOAT_EQ(node->Height(), box.h);
}

TEST(Realign, SidesStackInTheirOrder) {
  Layout tops(100, 200);
  auto* y30 = tops.Add(vg::vaTop, {0, 30, 10, 10});
  auto* y10 = tops.Add(vg::vaTop, {0, 10, 10, 20});
  auto* y20 = tops.Add(vg::vaTop, {0, 20, 10, 30});
  tops.Align();
  ExpectBox(y10, {0, 0, 100, 20});
  ExpectBox(y20, {0, 20, 100, 30});
  ExpectBox(y30, {0, 50, 100, 10});

  Layout bottoms(100, 200);
  auto* first = bottoms.Add(vg::vaBottom, {0, 150, 10, 50});
  auto* later = bottoms.Add(vg::vaBottom, {0, 170, 10, 30});  // same bottom edge
  bottoms.Align();
  ExpectBox(later, {0, 170, 100, 30});  // nearest the bottom edge
  ExpectBox(first, {0, 120, 100, 50});
}

TEST(Realign, MarginsAndPaddingShapeTheSlots) {
  Layout l(100, 200);
  l.root->Margins()->SetRect({5, 5, 5, 5});
  auto* top = l.Add(vg::vaTop, {0, 0, 10, 20}, {1, 2, 3, 4});
  auto* next = l.Add(vg::vaTop, {0, 50, 10, 10});
  auto* left = l.Add(vg::vaLeft, {0, 0, 15, 10});
  auto* right = l.Add(vg::vaRight, {0, 0, 25, 10}, {2, 0, 0, 0});
  auto* client = l.Add(vg::vaClient, {0, 0, 1, 1}, {1, 1, 1, 1});
  auto* contents = l.Add(vg::vaContents, {3, 3, 3, 3}, {2, 2, 2, 2});
  l.Align();
  ExpectBox(top, {6, 7, 100 - 10 - 4, 20});
  ExpectBox(next, {5, 5 + 26, 90, 10});
  ExpectBox(left, {5, 41, 15, 195 - 41});
  ExpectBox(right, {95 - 25, 41, 25, 195 - 41});
  ExpectBox(client, {20 + 1, 41 + 1, 68 - 20 - 2, 195 - 41 - 2});
  ExpectBox(contents, {2, 2, 96, 196});  // the whole parent, margins ignored
}

TEST(Realign, CentringAndFitting) {
  struct Case {
    const char* name;
    TvgAlign align;
    Box start, expected;
  };
  const Case cases[] = {
      {"centre", vg::vaCenter, {0, 0, 21, 10}, {39, 45, 21, 10}},
      {"horizontal centre", vg::vaHorzCenter, {0, 0, 20, 10}, {40, 0, 20, 100}},
      {"vertical centre", vg::vaVertCenter, {0, 0, 20, 10}, {0, 45, 100, 10}},
      {"fit enlarges", vg::vaFit, {0, 0, 20, 10}, {0, 25, 100, 50}},
      {"fit shrinks", vg::vaFit, {10, 10, 400, 100}, {0, 38, 100, 25}},
      {"fit left", vg::vaFitLeft, {0, 0, 10, 20}, {0, 0, 50, 100}},
      {"fit right", vg::vaFitRight, {0, 0, 10, 20}, {50, 0, 50, 100}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Layout l(100, 100);
    auto* child = l.Add(c.align, c.start);
    l.Align();
    ExpectBox(child, c.expected);
  }
}

TEST(Realign, AnchorsScaleAndFreeAxesFollowResizes) {
  Layout l(100, 100);
  auto* anchored = l.Add(vg::vaTopRight, {80, 10, 10, 10});
  auto* corner = l.Add(vg::vaBottomRight, {80, 80, 10, 10});
  auto* scaled = l.Add(vg::vaScale, {10, 20, 30, 40});
  auto* column = l.Add(vg::vaVertical, {40, 0, 10, 10}, {3, 1, 0, 2});
  l.Align();
  ExpectBox(column, {40, 1, 10, 97});

  l.root->SetWidth(150);
  ExpectBox(anchored, {130, 10, 10, 10});
  ExpectBox(scaled, {15, 20, 45, 40});
  ExpectBox(column, {40, 1, 10, 97});
  l.root->SetHeight(50);
  ExpectBox(corner, {130, 30, 10, 10});
  ExpectBox(column, {40, 1, 10, 47});
  l.root->SetWidth(100);
  l.root->SetHeight(100);
  ExpectBox(anchored, {80, 10, 10, 10});
  ExpectBox(corner, {80, 80, 10, 10});
  ExpectBox(scaled, {10, 20, 30, 40});
}

TEST(Realign, TinyHiddenAndUpdatingNodesDoNotLayOut) {
  Layout narrow(1.5f, 100);
  auto* a = narrow.Add(vg::vaClient, {0, 0, 10, 10});
  narrow.Align();
  ExpectBox(a, {0, 0, 10, 10});

  Layout l(100, 100);
  auto* hidden = l.Add(vg::vaTop, {0, 0, 10, 10});
  hidden->SetVisible(false);
  auto* shown = l.Add(vg::vaTop, {0, 50, 10, 10});
  l.Align();
  ExpectBox(shown, {0, 0, 100, 10});
  l.root->BeginUpdate();
  l.root->SetWidth(80);
  ExpectBox(shown, {0, 0, 100, 10});  // not while updating
  l.root->EndUpdate();
  ExpectBox(shown, {0, 0, 80, 10});
  ExpectBox(hidden, {0, 0, 10, 10});  // hidden children are left alone
}

TEST(VisualGeometry, MatricesMapBetweenLocalAndSceneCoordinates) {
  Layout l(200, 200);
  l.root->Position()->SetPoint({10, 20});
  l.root->Scale()->SetPoint({2, 2});
  auto* child = l.Add(vg::vaNone, {5, 5, 40, 20});
  l.Align();
  child->SetRotateAngle(90);  // about its centre (20, 10)
  const vg::TvgPoint p = child->LocalToAbsolute({0, 0});
  // (0,0) turns about (20,10) to (30,-10), moves by (5,5), then the root maps it.
  EXPECT_NEAR(p.X, 10 + 2 * 35, 1e-3);
  EXPECT_NEAR(p.Y, 20 + 2 * -5, 1e-3);
  const vg::TvgPoint back = child->AbsoluteToLocal(p);
  EXPECT_NEAR(back.X, 0, 1e-3);
  EXPECT_NEAR(back.Y, 0, 1e-3);
  const vg::TvgVector v = child->LocalToAbsoluteVector({1, 0, 1});
  EXPECT_NEAR(v.X, 0, 1e-3);
  EXPECT_NEAR(v.Y, 2, 1e-3);
  EXPECT_EQ(child->GetAbsoluteScale(), (vg::TvgPoint{2, 2}));
  const TvgRect r = child->GetAbsoluteRect();
  EXPECT_NEAR(r.Right - r.Left, 40, 1e-3);  // 20 tall turned, doubled
  EXPECT_NEAR(r.Bottom - r.Top, 80, 1e-3);
  child->SetRotateAngle(450);
  EXPECT_FLOAT_EQ(child->RotateAngle(), 90);
}

TEST(VisualGeometry, OpacityClampsAndDisabledLevelsCompound) {
  for (auto [value, stored] : {std::pair{1.5f, 1.0f}, {-1.0f, 0.0f}, {0.25f, 0.25f}}) {
    TvgVisualObject node(nullptr);
    node.SetOpacity(value);
    EXPECT_FLOAT_EQ(node.Opacity(), stored);
  }
  Layout l(100, 100);
  auto* rootChild = l.Add(vg::vaNone, {0, 0, 10, 10});
  auto* middle = new TvgVisualObject(nullptr);
  rootChild->AddObject(middle);
  auto* leaf = new TvgVisualObject(nullptr);
  middle->AddObject(leaf);
  leaf->SetOpacity(0.5f);
  rootChild->SetEnabled(false);
  EXPECT_FLOAT_EQ(rootChild->GetAbsoluteOpacity(), 1);  // a direct child of the root
  middle->SetEnabled(false);
  EXPECT_FLOAT_EQ(middle->GetAbsoluteOpacity(), 0.8f);
  EXPECT_NEAR(leaf->GetAbsoluteOpacity(), 0.5 * 0.64, 1e-6);
  rootChild->SetEnabled(true);
  middle->SetEnabled(true);
  EXPECT_FLOAT_EQ(leaf->GetAbsoluteOpacity(), 0.5f);
}

class TFocusable : public TvgVisualObject {
  RTL_CLASS(TFocusable, TvgVisualObject)
  explicit TFocusable(rtl::TComponent* owner) : TvgVisualObject(owner) { FCanFocused = true; }
};

TEST(VisualGeometry, HidingTheFocusedNodeClearsTheFocusAndQueuesItsArea) {
  Layout l(100, 100);
  auto* node = new TFocusable(nullptr);
  node->SetBounds(10, 10, 20, 20);
  l.root->AddObject(node);
  l.Align();
  l.scene.focused = node;
  l.scene.updates.clear();
  node->SetVisible(false);
  EXPECT_EQ(l.scene.focused, nullptr);
  const auto& queued = l.scene.updates;
  EXPECT_NE(std::find(queued.begin(), queued.end(), TvgRect{10, 10, 30, 30}), queued.end());
  l.scene.updates.clear();
  node->Repaint();  // hidden: nothing queued
  EXPECT_TRUE(l.scene.updates.empty());
}

class TFakeEffect : public vg::TvgObject {
  RTL_CLASS(TFakeEffect, vg::TvgObject)
  using vg::TvgObject::TvgObject;
  bool IsEnabledEffect() const override { return enabled; }
  bool enabled = true;
};

TEST(VisualGeometry, EnabledEffectChildrenSwitchTheEffectCache) {
  TvgVisualObject node(nullptr);
  auto* off = new TFakeEffect(nullptr);
  off->enabled = false;
  node.AddObject(off);
  EXPECT_FALSE(node.HasEffect());
  auto* on = new TFakeEffect(nullptr);
  node.AddObject(on);
  EXPECT_TRUE(node.HasEffect());
  EXPECT_TRUE(node.EffectsDirty());
  node.RemoveObject(on);
  EXPECT_FALSE(node.HasEffect());
  on->Free();
}

TEST(VisualGeometry, RunTimePropertiesAreReadableByPath) {
  Layout l(100, 100);
  auto* child = l.Add(vg::vaNone, {0, 0, 10, 10});
  l.root->SetOpacity(0.5f);
  EXPECT_EQ(rtl::GetPropText(child, "Parent.Opacity"), "0.5");
  EXPECT_EQ(rtl::GetPropText(child, "IsVisible"), "True");
  EXPECT_EQ(rtl::GetPropText(child, "IsMouseOver"), "False");
  const auto& props = rtl::PublishedOf(TvgVisualObject::StaticClass());
  for (const char* name : {"Parent", "IsMouseOver", "IsFocused", "IsVisible", "IsDragOver"}) {
    SCOPED_TRACE(name);
    ASSERT_NE(props.FindProperty(name), nullptr);
    EXPECT_TRUE(props.FindProperty(name)->IsRunTimeOnly());
  }
}

TEST(VisualGeometry, EveryEventAFormMayBindIsPublished) {
  const auto& props = rtl::PublishedOf(TvgVisualObject::StaticClass());
  for (const char* name : {"OnClick", "OnDblClick", "OnMouseDown", "OnMouseUp", "OnMouseMove", "OnMouseWheel",
                           "OnMouseEnter", "OnMouseLeave", "OnKeyDown", "OnKeyUp", "OnCanFocused", "OnEnterFocus",
                           "OnKillFocus", "OnPaint", "OnBeforePaint", "OnDragEnter", "OnDragOver", "OnDragDrop",
                           "OnDragLeave", "OnDragEnd", "OnApplyResource"}) {
    const rtl::TPropertyInfo* property = props.FindProperty(name);
    ASSERT_NE(property, nullptr) << name;
    EXPECT_EQ(property->Kind(), rtl::pkEvent) << name;
  }
  ASSERT_NE(props.FindProperty("PopupMenu"), nullptr);
  EXPECT_EQ(props.FindProperty("PopupMenu")->Kind(), rtl::pkComponent);
}

}  // namespace
