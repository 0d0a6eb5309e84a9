// Combo boxes on a real scene with the built-in styles; without a popup
// platform their drop-down opens as an overlay in the box's scene.
#include <gtest/gtest.h>

#include <vector>

#include "tests/support/vg_recording_canvas.h"
#include "tests/ui/controls/controls_fixture.h"
#include "ui/core/vg_keys.h"

namespace {

using namespace vg;
using vgtest::ControlScene;

struct ComboTest : ControlScene {
  int changes = 0;

  // Closed drop-downs free their overlay from a timer, as the loop would.
  void TearDown() override {
    timers.FireAll();
    ControlScene::TearDown();
  }

  TvgStringComboBox* MakeCombo(const rtl::WideString& commaText) {
    auto* combo = Add<TvgStringComboBox>();
    combo->SetBounds(20, 20, 120, 22);
    combo->Items()->SetCommaText(commaText);
    combo->OnChange = [this](rtl::TObject*) { ++changes; };
    return combo;
  }
  static void Key(TvgControl* control, std::uint16_t key, TvgShiftState shift = 0, char16_t ch = 0) {
    control->KeyDown(key, ch, shift);
  }
  // Releases the mouse over the list at a point of `target` (scene pixels).
  static void ReleaseOver(TvgListBox* list, TvgPoint scenePoint) {
    const TvgPoint p = list->AbsoluteToLocal(scenePoint);
    list->MouseDown(vgMouseLeft, vgLeftButton, p.X, p.Y);
    list->MouseUp(vgMouseLeft, 0, p.X, p.Y);
  }
  static TvgPoint CentreOf(TvgVisualObject* node) {
    return node->LocalToAbsolute({node->Width() / 2, node->Height() / 2});
  }
};

TEST_F(ComboTest, DropDownHeightFollowsTheItemCountAndItemHeight) {
  struct Case {
    int items;
    float listItemHeight;
    float expected;
  };
  // Each entry whole: the items' own 19 or the list's item height, and the
  // list's inset of 2 at the top and the bottom.
  const Case cases[] = {{2, 0, 42}, {3, 0, 61}, {12, 0, 156}, {20, 25, 204}, {0, 0, 4}};
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.items << " items, item height " << c.listItemHeight);
    rtl::WideString text;
    for (int i = 0; i < c.items; ++i) text += (i ? u"," : u"") + rtl::WideString(1, char16_t(u'a' + i));
    TvgStringComboBox* combo = MakeCombo(text);
    static_cast<TvgComboBox*>(combo)->SetItemHeight(c.listItemHeight);
    combo->DropDown();
    EXPECT_EQ(combo->Popup()->Height(), c.expected);
    EXPECT_EQ(combo->Popup()->Width(), 120);
    if (c.items > 0 && c.items <= 8) {
      scene->Draw();
      TvgListBox* list = combo->ListBox();
      TvgObject* bar = list->FindResource("vscrollbar");
      ASSERT_NE(bar, nullptr);
      EXPECT_FALSE(bar->Visual()->Visible()) << "every entry shows without scrolling";
      TvgVisualObject* last = list->ItemByIndex(c.items - 1);
      EXPECT_LE(last->LocalToAbsolute({0, last->Height()}).Y, list->LocalToAbsolute({0, list->Height()}).Y);
    }
    combo->Free();
  }
}

TEST_F(ComboTest, TheFaceLaysTheChosenItemOutAcrossItBeforeTheListFirstOpens) {
  TvgStringComboBox* combo = MakeCombo(u"Soft,Medium");
  combo->SetItemIndex(1);
  auto faceText = [&] {
    auto* canvas = static_cast<vgtest::RecordingCanvas*>(scene->Canvas());
    canvas->Log.clear();
    combo->Repaint();
    scene->UpdateBuffer();
    for (const std::string& call : canvas->Log)
      if (call.rfind("FillText", 0) == 0 && call.find("\"Medium\"") != std::string::npos)
        return call.substr(0, call.find('"'));
    return std::string("not drawn");
  };
  const std::string first = faceText();
  combo->DropDown();
  scene->Draw();
  combo->DropDown();
  timers.FireAll();
  EXPECT_EQ(faceText(), first) << "as it shows once the list has been open";
}

TEST_F(ComboTest, SetItemIndexFiresOnChangeOnEveryCall) {
  TvgStringComboBox* combo = MakeCombo(u"a,b,c");
  combo->SetItemIndex(2);
  combo->SetItemIndex(2);
  EXPECT_EQ(changes, 2);
  EXPECT_EQ(combo->GetItemIndex(), 2);
  EXPECT_EQ(combo->GetCount(), 3);
  EXPECT_EQ(combo->Selected()->Text(), u"c");
  EXPECT_THROW(combo->SetItemIndex(7), rtl::EListError);
  EXPECT_THROW(combo->SetItemIndex(-5), rtl::EListError);
  EXPECT_EQ(changes, 2) << "an index outside the items changes nothing";
  EXPECT_EQ(combo->ItemIndex(), 2);
  combo->SetItemIndex(-1);
  EXPECT_EQ(changes, 3);
  EXPECT_EQ(combo->Selected(), nullptr);
  EXPECT_EQ(combo->GetData().AsWideString(), u"");
  scene->Draw();  // the face paints no item
}

TEST_F(ComboTest, RebuildingKeepsTheIndexOrTakesTheLastAndFiresNothing) {
  TvgStringComboBox* combo = MakeCombo(u"a,b,c,d");
  combo->SetItemIndex(2);
  changes = 0;
  combo->Items()->SetCommaText(u"x,y,z");
  EXPECT_EQ(combo->ItemIndex(), 2);
  EXPECT_EQ(combo->Selected()->Text(), u"z");
  combo->Items()->SetCommaText(u"x,y");
  EXPECT_EQ(combo->ItemIndex(), 1);
  combo->SetItemHeight(25);
  EXPECT_EQ(combo->ListBox()->ItemByIndex(0)->Height(), 25);
  EXPECT_EQ(combo->ItemIndex(), 1);
  combo->Items()->Clear();
  EXPECT_EQ(combo->ItemIndex(), -1);
  EXPECT_EQ(changes, 0);
}

TEST_F(ComboTest, KeysAndWheelMoveTheChoiceWithoutOpening) {
  TvgStringComboBox* combo = MakeCombo(u"Alpha,beta,Bravo,gamma");
  struct Case {
    int from;
    std::uint16_t key;
    char16_t ch;
    int expected;
  };
  const Case cases[] = {{0, kKeyDown, 0, 1}, {3, kKeyDown, 0, 3}, {0, kKeyUp, 0, 0}, {2, kKeyHome, 0, 0},
                        {0, kKeyEnd, 0, 3},  {0, 0, u'B', 1},      {3, 0, u'a', 0}};
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "key " << c.key << " char " << int(c.ch) << " from " << c.from);
    combo->SetItemIndex(c.from);
    Key(combo, c.key, 0, c.ch);
    EXPECT_EQ(combo->ItemIndex(), c.expected);
  }
  EXPECT_FALSE(combo->Popup()->IsOpen());
  combo->SetItemIndex(1);
  bool handled = false;
  combo->MouseWheel(0, -120, handled);
  EXPECT_TRUE(handled);
  EXPECT_EQ(combo->ItemIndex(), 2);
  combo->MouseWheel(0, 120, handled);
  combo->MouseWheel(0, 120, handled);
  EXPECT_EQ(combo->ItemIndex(), 0);
}

TEST_F(ComboTest, AltDownOpensAndEnterInTheListChoosesAndCloses) {
  TvgStringComboBox* combo = MakeCombo(u"a,b,c");
  combo->SetFocus();
  Key(combo, kKeyDown, vgAlt);
  ASSERT_TRUE(combo->Popup()->IsOpen());
  TvgComboListBox* list = combo->ListBox();
  EXPECT_TRUE(list->IsFocused());
  Key(list, kKeyDown);
  Key(list, kKeyDown);
  EXPECT_EQ(changes, 0) << "moving in the open list chooses nothing yet";
  Key(list, vgKeyReturn);
  EXPECT_FALSE(combo->Popup()->IsOpen());
  EXPECT_EQ(combo->ItemIndex(), 1);
  EXPECT_EQ(changes, 1);
}

TEST_F(ComboTest, AClickOnAnItemChoosesItAndAReleaseElsewhereOnlyCloses) {
  TvgStringComboBox* combo = MakeCombo(u"a,b,c");
  combo->SetItemIndex(0);
  changes = 0;
  combo->MouseDown(vgMouseLeft, vgLeftButton, 5, 5);
  ASSERT_TRUE(combo->Popup()->IsOpen());
  scene->Draw();
  TvgComboListBox* list = combo->ListBox();
  ReleaseOver(list, CentreOf(list->ItemByIndex(2)));
  EXPECT_FALSE(combo->Popup()->IsOpen());
  EXPECT_EQ(combo->ItemIndex(), 2);
  EXPECT_EQ(changes, 1);

  combo->DropDown();
  scene->Draw();
  ReleaseOver(list, list->LocalToAbsolute({list->Width() + 30, 5}));
  EXPECT_FALSE(combo->Popup()->IsOpen());
  EXPECT_EQ(combo->ItemIndex(), 2);
  EXPECT_EQ(changes, 1);
}

TEST_F(ComboTest, OpeningAndClosingTwiceLeavesNoOverlayBehind) {
  TvgStringComboBox* combo = MakeCombo(u"a,b,c");
  const int rootChildren = root->ChildrenCount();
  for (int i = 0; i < 2; ++i) {
    combo->DropDown();
    EXPECT_TRUE(combo->Popup()->IsOpen());
    combo->DropDown();
    EXPECT_FALSE(combo->Popup()->IsOpen());
  }
  EXPECT_EQ(root->ChildrenCount(), rootChildren);
  EXPECT_EQ(combo->Popup()->Parent(), combo);
  EXPECT_TRUE(OpenPopups().empty());
}

TEST_F(ComboTest, FreeingAnOpenComboClosesItsDropDown) {
  TvgStringComboBox* combo = MakeCombo(u"a,b");
  combo->DropDown();
  const int rootChildren = root->ChildrenCount();
  combo->Free();
  EXPECT_TRUE(OpenPopups().empty());
  EXPECT_EQ(root->ChildrenCount(), rootChildren - 2) << "the box and its overlay are gone";
}

}  // namespace
