// Check boxes, radio buttons and the group box, driven through the scene's
// input routing where a user would click.
#include <gtest/gtest.h>

#include "tests/ui/controls/controls_fixture.h"

namespace {

using namespace vg;
using vgtest::ControlScene;

struct TwoState : ControlScene {
  // A left click at the centre of `control`, through the scene.
  void Click(TvgVisualObject* control) {
    const TvgPoint p = control->LocalToAbsolute({control->Width() / 2, control->Height() / 2});
    scene->MouseMove(0, p.X, p.Y);
    scene->MouseDown(vgMouseLeft, vgLeftButton, p.X, p.Y);
    scene->MouseUp(vgMouseLeft, 0, p.X, p.Y);
  }
  template <class T>
  T* Place(TvgObject* parent, float y, int* changes = nullptr) {
    T* control = Add<T>(parent);
    control->Position()->SetPoint({5, y});
    if (changes) control->OnChange = [changes](rtl::TObject*) { ++*changes; };
    return control;
  }
};

TEST_F(TwoState, CheckBoxFlipsOnClickEnterAndSpace) {
  int changes = 0;
  TvgCheckBox* box = Place<TvgCheckBox>(root, 10, &changes);
  EXPECT_EQ(box->Width(), 120);
  EXPECT_EQ(box->Height(), 19);
  EXPECT_EQ(box->TextAlign(), vgTextAlignNear);
  Click(box);
  EXPECT_TRUE(box->IsChecked());
  EXPECT_TRUE(box->IsFocused());
  for (std::uint16_t key : {vgKeySpace, vgKeyReturn}) {
    char16_t ch = 0;
    box->KeyDown(key, ch, 0);
  }
  EXPECT_TRUE(box->IsChecked());
  EXPECT_EQ(changes, 3);
  box->SetIsChecked(true);  // unchanged: no event
  EXPECT_EQ(changes, 3);
}

TEST_F(TwoState, PressedLookFollowsThePointerAndAReleaseOutsideChangesNothing) {
  TvgCheckBox* box = Place<TvgCheckBox>(root, 10);
  box->MouseDown(vgMouseLeft, vgLeftButton, 5, 5);
  EXPECT_TRUE(box->IsPressed());
  box->MouseMove(vgLeftButton, 300, 5, 0, 0);
  EXPECT_FALSE(box->IsPressed());
  box->MouseMove(vgLeftButton, 6, 5, 0, 0);
  EXPECT_TRUE(box->IsPressed());
  box->MouseUp(vgMouseLeft, 0, 300, 5);
  EXPECT_FALSE(box->IsPressed());
  EXPECT_FALSE(box->IsChecked());
}

TEST_F(TwoState, CheckMarkShowsTheCheckedState) {
  TvgCheckBox* box = Place<TvgCheckBox>(root, 10);
  TvgObject* mark = box->FindResource("checkmark");
  ASSERT_NE(mark, nullptr);
  box->SetIsChecked(true);
  Settle();
  EXPECT_FLOAT_EQ(mark->Visual()->Opacity(), 1);
  box->SetIsChecked(false);
  Settle();
  EXPECT_FLOAT_EQ(mark->Visual()->Opacity(), 0);
}

TEST_F(TwoState, OnlyBooleansSetTheStateThroughData) {
  TvgCheckBox* box = Place<TvgCheckBox>(root, 10);
  const struct {
    rtl::Variant value;
    bool checked;
  } cases[] = {{true, true}, {1, false}, {true, true}, {u"true", false}, {rtl::Variant::Null(), false}};
  for (const auto& c : cases) {
    box->SetData(c.value);
    EXPECT_EQ(box->IsChecked(), c.checked);
    EXPECT_EQ(box->GetData(), rtl::Variant(c.checked));
  }
  int changes = 0;
  box->SetData(EventToVariant([&](rtl::TObject*) { ++changes; }));
  box->SetIsChecked(true);
  EXPECT_EQ(changes, 1);
}

TEST_F(TwoState, RadioGroupsSpanTheWholeScene) {
  auto* left = Add<TvgPanel>();
  auto* right = Add<TvgPanel>();
  right->Position()->SetPoint({150, 0});
  int changes = 0;
  TvgRadioButton* a = Place<TvgRadioButton>(left, 10, &changes);
  TvgRadioButton* b = Place<TvgRadioButton>(left, 40, &changes);
  TvgRadioButton* c = Place<TvgRadioButton>(right, 10, &changes);
  TvgRadioButton* other = Place<TvgRadioButton>(right, 40);
  other->SetGroupName("mode");
  other->SetIsChecked(true);

  Click(a);
  EXPECT_TRUE(a->IsChecked());
  Click(c);
  EXPECT_FALSE(a->IsChecked());
  EXPECT_FALSE(b->IsChecked());
  EXPECT_TRUE(c->IsChecked());
  EXPECT_TRUE(other->IsChecked());  // another group
  EXPECT_EQ(changes, 3);            // a on, a off, c on

  Click(c);  // a checked radio button stays checked
  char16_t ch = 0;
  std::uint16_t space = vgKeySpace;
  c->KeyDown(space, ch, 0);
  EXPECT_TRUE(c->IsChecked());
  EXPECT_EQ(changes, 3);

  c->SetIsChecked(false);  // the last checked one of its group
  EXPECT_TRUE(c->IsChecked());
  b->SetIsChecked(true);
  EXPECT_FALSE(c->IsChecked());
  EXPECT_TRUE(b->IsChecked());
}

TEST_F(TwoState, LoneRadioButtonCannotBeUnchecked) {
  TvgRadioButton* lone = Place<TvgRadioButton>(root, 10);
  lone->SetGroupName("alone");
  lone->SetIsChecked(true);
  Click(lone);
  lone->SetIsChecked(false);
  EXPECT_TRUE(lone->IsChecked());

  auto* detached = new TvgRadioButton(nullptr);  // no scene: no group at all
  detached->SetIsChecked(true);
  detached->SetIsChecked(false);
  EXPECT_TRUE(detached->IsChecked());
  detached->Free();
}

TEST_F(TwoState, PathCheckBoxHandsItsPathToTheCheckMark) {
  TvgPathCheckBox* box = Place<TvgPathCheckBox>(root, 10);
  auto* mark = dynamic_cast<TvgPath*>(box->FindResource("checkmark"));
  ASSERT_NE(mark, nullptr);
  EXPECT_EQ(mark->Data()->GetPathString(), box->Path()->GetPathString());
  EXPECT_FALSE(box->Path()->IsEmpty());
  box->Path()->SetPathString("M 0,0 L 10,10 L 0,10 Z");
  EXPECT_EQ(mark->Data()->GetPathString(), box->Path()->GetPathString());
}

TEST_F(TwoState, GroupBoxIsACaptionedFrameThatTakesNoFocus) {
  TvgGroupBox* group = Add<TvgGroupBox>();
  group->SetText(u"Brake");
  EXPECT_EQ(group->Width(), 120);
  EXPECT_EQ(group->Height(), 100);
  EXPECT_FALSE(group->CanFocused());
  EXPECT_TRUE(group->AutoTranslate());
  auto* text = dynamic_cast<TvgText*>(group->FindResource("text"));
  ASSERT_NE(text, nullptr);
  EXPECT_EQ(text->Text(), u"Brake");
}

}  // namespace
