// The combo text box and the combo track bar on a real scene with the
// built-in styles (drop-downs open as overlays without a popup platform).
#include <gtest/gtest.h>

#include "platform/rtl/TextConvert.h"
#include "tests/ui/controls/controls_fixture.h"
#include "ui/core/vg_keys.h"

namespace {

using namespace vg;
using vgtest::ControlScene;

struct ComboTextTest : ControlScene {
  int changes = 0;

  // Closed drop-downs free their overlay from a timer, as the loop would.
  void TearDown() override {
    timers.FireAll();
    ControlScene::TearDown();
  }

  TvgComboTextBox* MakeBox(const rtl::WideString& commaText) {
    auto* box = Add<TvgComboTextBox>();
    box->SetBounds(20, 20, 120, 22);
    box->Items()->SetCommaText(commaText);
    box->OnChange = [this](rtl::TObject*) { ++changes; };
    return box;
  }
  static void Key(TvgControl* control, std::uint16_t key, char16_t ch = 0) { control->KeyDown(key, ch, 0); }
};

TEST_F(ComboTextTest, DropDownShowsAtMostDropDownCountItemsOfItemHeight) {
  struct Case {
    int items;
    float expected;
  };
  for (const Case& c : {Case{3, 61}, Case{20, 156}}) {
    rtl::WideString text;
    for (int i = 0; i < c.items; ++i) text += (i ? u"," : u"") + rtl::WideString(1, char16_t(u'a' + i));
    TvgComboTextBox* box = MakeBox(text);
    box->DropDown();
    EXPECT_TRUE(box->Popup()->IsOpen());
    EXPECT_EQ(box->Popup()->Height(), c.expected) << c.items << " items";
    EXPECT_TRUE(box->ListBox()->IsFocused());
    box->DropDown();
    EXPECT_FALSE(box->Popup()->IsOpen());
    box->Free();
  }
}

TEST_F(ComboTextTest, SetItemIndexShowsTheTextAndFiresOnlyForAnIndexOfItems) {
  TvgComboTextBox* box = MakeBox(u"low,middle,high");
  box->SetItemIndex(1);
  box->SetItemIndex(1);
  EXPECT_EQ(box->Text(), u"middle");
  EXPECT_EQ(box->GetSelText(), u"middle");
  EXPECT_EQ(changes, 2);
  box->SetItemIndex(5);
  EXPECT_EQ(box->ItemIndex(), 5) << "the list takes any index";
  EXPECT_EQ(box->Text(), u"middle");
  EXPECT_EQ(changes, 2);
}

TEST_F(ComboTextTest, UpAndDownStepThroughTheItemsAndTypingOnlyEditsTheText) {
  TvgComboTextBox* box = MakeBox(u"Alpha,beta,Bravo");
  box->SetFocus();
  Key(box, kKeyDown);
  EXPECT_EQ(box->ItemIndex(), 0) << "from none to the first";
  Key(box, kKeyUp);
  EXPECT_EQ(box->ItemIndex(), 0);
  Key(box, kKeyDown);
  Key(box, kKeyDown);
  Key(box, kKeyDown);
  EXPECT_EQ(box->ItemIndex(), 2);
  EXPECT_EQ(box->Text(), u"Bravo");
  Key(box, 0, u'b');
  EXPECT_EQ(box->ItemIndex(), 2) << "typing never moves the index";
  EXPECT_EQ(box->Text(), u"b");
  box->SetReadOnly(true);
  Key(box, 0, u'B');
  EXPECT_EQ(box->ItemIndex(), 1);
  Key(box, 0, u'a');
  EXPECT_EQ(box->ItemIndex(), 0);
  EXPECT_EQ(box->Text(), u"Alpha");
}

TEST_F(ComboTextTest, EnterInTheOpenListChoosesAndRebuildingKeepsTheIndexSilently) {
  TvgComboTextBox* box = MakeBox(u"a,b,c,d");
  box->DropDown();
  Key(box->ListBox(), kKeyDown);
  Key(box->ListBox(), kKeyDown);
  Key(box->ListBox(), vgKeyReturn);
  EXPECT_FALSE(box->Popup()->IsOpen());
  EXPECT_EQ(box->ItemIndex(), 1);
  EXPECT_EQ(box->Text(), u"b");
  EXPECT_EQ(changes, 1);
  box->Items()->SetCommaText(u"x");
  EXPECT_EQ(box->ItemIndex(), 0);
  box->Items()->SetCommaText(u"x,y,z");
  EXPECT_EQ(box->ItemIndex(), 0);
  EXPECT_EQ(box->ListBox()->ItemByIndex(2)->Height(), 19);
  EXPECT_EQ(changes, 1);
}

TEST_F(ComboTextTest, ATrackBarDropDownWritesItsValueAndATypedNumberMovesIt) {
  auto* box = Add<TvgComboTrackBar>();
  box->SetMax(10);
  box->SetFrequency(0);
  box->OnChange = [this](rtl::TObject*) { ++changes; };
  box->DropDown();
  ASSERT_TRUE(box->Popup()->IsOpen());
  EXPECT_EQ(box->Popup()->Height(), 30);
  EXPECT_EQ(box->Popup()->Width(), 100);
  struct Case {
    float value;
    const char16_t* text;
  };
  for (const Case& c : {Case{2.5f, u"2.500"}, Case{4, u"4"}}) {
    box->TrackBar()->SetValue(c.value);
    EXPECT_EQ(box->Text(), c.text);
    EXPECT_EQ(box->GetSelText(), c.text);
  }
  EXPECT_EQ(changes, 2);
  box->SetFocus();
  box->SetText(u"7");
  Key(box, vgKeyReturn);
  EXPECT_EQ(box->Value(), 7);
  box->SetText(u"seven");
  Key(box, vgKeyReturn);
  EXPECT_EQ(box->Value(), 7);
  EXPECT_EQ(box->Text(), u"7") << "an unreadable number shows the track's value again";

  box->SetFrequency(5);
  for (const Case& c : {Case{10, u"12"}, Case{5, u"6"}, Case{5, u"4"}}) {
    box->SetText(c.text);
    Key(box, vgKeyReturn);
    EXPECT_EQ(box->Value(), c.value) << rtl::Utf16ToUtf8(c.text);
    EXPECT_EQ(box->Text(), rtl::Utf8ToUtf16(std::to_string(int(c.value)))) << "the text shows the value kept";
  }
}

}  // namespace
