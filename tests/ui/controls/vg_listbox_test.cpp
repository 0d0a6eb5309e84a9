// List boxes on a real scene with the built-in styles: layout in rows and
// columns, the current index and its OnChange, keys, type-ahead, selection
// marks and clicks routed through the scene.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "platform/rtl/TextCompare.h"
#include "platform/rtl/TextConvert.h"
#include "tests/support/vg_recording_canvas.h"
#include "tests/ui/controls/controls_fixture.h"
#include "ui/core/vg_keys.h"

namespace {

using namespace vg;
using vgtest::ControlScene;

struct ListBoxTest : ControlScene {
  TvgListBox* list = nullptr;
  std::vector<TvgListBoxItem*> items;
  std::vector<rtl::TObject*> changes;

  void MakeList(int count, float width = 160, float height = 200) {
    list = Add<TvgListBox>();
    list->SetBounds(10, 10, width, height);
    for (int i = 0; i < count; ++i) AddItem(u"item " + rtl::WideString(1, char16_t(u'A' + i)));
    list->OnChange = [this](rtl::TObject* sender) { changes.push_back(sender); };
  }
  TvgListBoxItem* AddItem(const rtl::WideString& text) {
    auto* item = new TvgListBoxItem(nullptr);
    item->SetText(text);
    item->SetParent(list);
    items.push_back(item);
    return item;
  }
  void Key(std::uint16_t key, char16_t ch = 0) { list->KeyDown(key, ch, 0); }
  // A click at the centre of the item, through the scene.
  void Click(TvgVisualObject* item) {
    const TvgPoint p = item->LocalToAbsolute({item->Width() / 2, item->Height() / 2});
    scene->MouseMove(0, p.X, p.Y);
    scene->MouseDown(vgMouseLeft, vgLeftButton, p.X, p.Y);
    scene->MouseUp(vgMouseLeft, 0, p.X, p.Y);
  }
  std::vector<TvgVisualObject*> ShownMarks() {
    std::vector<TvgVisualObject*> marks;
    TvgObject* selection = list->FindResource("selection");
    for (TvgObject* node : selection->Parent()->Children())
      if (node != selection && node->ResourceName().empty() && node->ClassType() == selection->ClassType() &&
          node->Visual()->Visible())
        marks.push_back(node->Visual());
    return marks;
  }
};

TEST_F(ListBoxTest, RowsShareTheTallestItemsHeightAndItemWidthSetsTheColumns) {
  MakeList(5);
  items[1]->SetHeight(30);
  list->SetItemWidth(50);
  EXPECT_EQ(list->Columns(), 3);  // 156 wide inside the style's margins
  const float view = list->ContentLayout()->Width();
  EXPECT_EQ(view, 156);
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(items[i]->Position()->X(), 50.0f * i);
    EXPECT_EQ(items[i]->Position()->Y(), 0);
    EXPECT_EQ(items[i]->Width(), 50);
    EXPECT_EQ(items[i]->Height(), 30) << i;
  }
  EXPECT_EQ(items[3]->Position()->Y(), 30);
  EXPECT_EQ(items[4]->Position()->X(), 50);
  EXPECT_EQ(items[4]->Height(), 19) << "a row of its own height";

  list->SetItemWidth(0);
  list->SetColumns(2);
  list->SetItemHeight(19);
  EXPECT_EQ(items[1]->Position()->X(), view / 2);
  EXPECT_EQ(items[1]->Width(), view / 2);
  EXPECT_EQ(items[2]->Position()->Y(), 19);
  EXPECT_EQ(vgRectHeight(list->GetContentBounds()), 3 * 19);
}

TEST_F(ListBoxTest, HorizontalListStacksItemsInColumns) {
  MakeList(5, 300, 60);
  list->SetListStyle(vgListHorizontal);
  list->SetItemHeight(19);
  list->SetItemWidth(40);
  ASSERT_EQ(list->Columns(), 2);  // Trunc(56 / 19) items per column
  EXPECT_EQ(items[1]->Position()->X(), 0);
  EXPECT_EQ(items[1]->Position()->Y(), 19);
  EXPECT_EQ(items[2]->Position()->X(), 40);
  EXPECT_EQ(items[4]->Position()->X(), 80);
}

TEST_F(ListBoxTest, ArrowKeysMoveByColumnsAndStayInsideTheList) {
  struct Case {
    int count, columns, from;
    std::uint16_t key;
    int expected;
  };
  const Case cases[] = {
      {10, 3, 4, kKeyEnd, 7},  {10, 3, 8, kKeyDown, 9},  {10, 3, 1, kKeyUp, 0},   {10, 3, 2, kKeyDown, 5},
      {10, 3, 5, kKeyHome, 0}, {10, 3, 0, kKeyLeft, 0}, {10, 3, 9, kKeyRight, 9}, {10, 3, 4, kKeyLeft, 3},
      {2, 3, 1, kKeyEnd, 0},   {1, 1, 0, kKeyUp, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.count << " items, " << c.columns << " columns, key " << c.key
                                    << " from " << c.from);
    items.clear();
    MakeList(c.count);
    list->SetColumns(c.columns);
    list->SetItemIndex(c.from);
    std::uint16_t key = c.key;
    char16_t ch = 0;
    list->KeyDown(key, ch, 0);
    EXPECT_EQ(list->ItemIndex(), c.expected);
    EXPECT_EQ(key, 0) << "the key is swallowed";
    list->Free();
  }
}

TEST_F(ListBoxTest, ChoosingAnotherItemFiresOnChangeWithNoItemThenTheItem) {
  MakeList(3);
  list->SetItemIndex(0);
  changes.clear();
  Click(items[2]);
  EXPECT_EQ(list->ItemIndex(), 2);
  EXPECT_EQ(changes, (std::vector<rtl::TObject*>{nullptr, items[2]}));
  EXPECT_FALSE(items[0]->IsSelected());
  EXPECT_TRUE(items[2]->IsSelected());
  changes.clear();
  list->SetItemIndex(2);
  EXPECT_TRUE(changes.empty()) << "unchanged index";
  items[2]->SetIsSelected(false);
  EXPECT_EQ(list->ItemIndex(), -1);
  EXPECT_EQ(changes, (std::vector<rtl::TObject*>{nullptr}));
}

TEST_F(ListBoxTest, AClickRunsTheItemsClickHandler) {
  MakeList(3);
  rtl::TObject* clicked = nullptr;
  items[1]->OnClick = [&](rtl::TObject* sender) { clicked = sender; };
  Click(items[1]);
  EXPECT_EQ(clicked, items[1]);
  EXPECT_TRUE(list->IsFocused());
}

TEST_F(ListBoxTest, DeletingItemsKeepsTheCurrentItem) {
  MakeList(4);
  list->SetItemIndex(2);
  items[0]->Free();
  EXPECT_EQ(list->ItemIndex(), 1);
  EXPECT_EQ(list->Selected(), items[2]);
  items[3]->Free();  // after the current one
  EXPECT_EQ(list->Selected(), items[2]);
  changes.clear();
  items[2]->Free();
  EXPECT_EQ(list->ItemIndex(), -1);
  EXPECT_EQ(changes, (std::vector<rtl::TObject*>{nullptr}));
  list->Clear();
  EXPECT_EQ(list->Count(), 0);
}

TEST_F(ListBoxTest, TypeAheadChoosesTheFirstItemWithThatLetterInEitherCase) {
  MakeList(0);
  for (const char16_t* text : {u"Alpha", u"", u"beta", u"Bravo"}) AddItem(text);
  for (char16_t letter : {u'b', u'B'}) {
    list->SetItemIndex(0);
    char16_t ch = letter;
    std::uint16_t key = 0;
    list->KeyDown(key, ch, 0);
    EXPECT_EQ(list->ItemIndex(), 2);
    EXPECT_EQ(ch, 0);
  }
  char16_t ch = u'z';
  std::uint16_t key = 0;
  list->KeyDown(key, ch, 0);
  EXPECT_EQ(list->ItemIndex(), 2) << "no match changes nothing";
  EXPECT_EQ(ch, 0);
}

TEST_F(ListBoxTest, SortedListOrdersIgnoringCaseOrByOnCompare) {
  MakeList(0);
  for (const char16_t* text : {u"delta", u"Bravo", u"alpha", u"Charlie"}) AddItem(text);
  list->SetSorted(true);
  auto texts = [&] {
    std::vector<rtl::WideString> result;
    for (int i = 0; i < list->Count(); ++i) result.push_back(list->ItemByIndex(i)->Text());
    return result;
  };
  EXPECT_EQ(texts(), (std::vector<rtl::WideString>{u"alpha", u"Bravo", u"Charlie", u"delta"}));
  list->OnCompare = [](TvgListBoxItem* a, TvgListBoxItem* b) { return rtl::WideCompareStr(b->Text(), a->Text()); };
  list->Realign();
  EXPECT_EQ(texts(), (std::vector<rtl::WideString>{u"delta", u"alpha", u"Charlie", u"Bravo"}));
}

TEST_F(ListBoxTest, SelectionMarksMergeAdjacentItemsAndHideWithoutFocus) {
  MakeList(5);
  list->SetMultiSelect(true);
  list->SetFocus();
  items[1]->SetIsSelected(true);
  items[2]->SetIsSelected(true);
  items[4]->SetIsSelected(true);
  std::vector<TvgVisualObject*> marks = ShownMarks();
  ASSERT_EQ(marks.size(), 2u);
  EXPECT_EQ(marks[0]->Height(), 2 * items[1]->Height());
  EXPECT_EQ(marks[1]->Height(), items[4]->Height());
  list->SetItemIndex(4);
  Add<TvgCheckBox>()->SetFocus();
  EXPECT_TRUE(ShownMarks().empty());
  list->SetFocus();
  EXPECT_EQ(ShownMarks().size(), 2u);
  list->SetMultiSelect(false);
  EXPECT_TRUE(ShownMarks().empty());
  EXPECT_EQ(list->ItemIndex(), -1);
}

TEST_F(ListBoxTest, ShiftAndCtrlClicksSelectRangesInAMultipleSelectionList) {
  MakeList(5);
  list->SetMultiSelect(true);
  auto press = [&](int index, TvgShiftState shift) {
    const TvgPoint p = list->AbsoluteToLocal(items[index]->LocalToAbsolute({5, 5}));
    list->MouseDown(vgMouseLeft, shift | vgLeftButton, p.X, p.Y);
    list->MouseUp(vgMouseLeft, shift, p.X, p.Y);
  };
  press(1, 0);
  press(3, vgShift);
  press(2, vgCtrl);
  std::vector<bool> selected;
  for (TvgListBoxItem* item : items) selected.push_back(item->IsSelected());
  EXPECT_EQ(selected, (std::vector<bool>{false, true, false, true, false}));
  EXPECT_EQ(list->ItemIndex(), 3);
}

TEST_F(ListBoxTest, DropOntoAnotherItemExchangesThemUnlessItIsTheCurrentOneOrVetoed) {
  MakeList(3);
  list->SetItemIndex(0);
  const auto drop = [&](TvgListBoxItem* source, TvgListBoxItem* onto) {
    TvgDragObject data;
    data.Source = source;
    const TvgPoint p = onto->LocalToAbsolute({5, 5});
    bool accept = false;
    list->DragOver(data, p, accept);
    list->DragDrop(data, p);
    return accept;
  };
  EXPECT_FALSE(drop(items[2], items[0]));
  EXPECT_EQ(list->ItemByIndex(0), items[0]);
  bool allow = false;
  list->OnDragChange = [&](TvgListBoxItem*, TvgListBoxItem*, bool& ok) { ok = allow; };
  EXPECT_TRUE(drop(items[0], items[2]));
  EXPECT_EQ(list->ItemByIndex(0), items[0]) << "vetoed";
  allow = true;
  drop(items[0], items[2]);
  EXPECT_EQ(list->ItemByIndex(2), items[0]);
  EXPECT_EQ(list->Selected(), items[0]) << "the current item stays current";
}

TEST_F(ListBoxTest, CheckBoxesShowOnRequestAndReportClicks) {
  MakeList(2);
  scene->Draw();
  ASSERT_NE(items[1]->Check(), nullptr);
  EXPECT_FALSE(items[1]->Check()->Visible());
  list->SetShowCheckboxes(true);
  EXPECT_TRUE(items[1]->Check()->Visible());
  rtl::TObject* checked = nullptr;
  list->OnChangeCheck = [&](rtl::TObject* sender) { checked = sender; };
  items[0]->SetIsChecked(true);
  EXPECT_EQ(checked, nullptr) << "set in code";
  EXPECT_TRUE(items[0]->Check()->IsChecked());
  items[1]->Check()->SetIsChecked(true);
  EXPECT_EQ(checked, items[1]);
  EXPECT_TRUE(items[1]->IsChecked());
  EXPECT_EQ(list->ItemIndex(), 1);
}

TEST_F(ListBoxTest, StringListBoxRebuildsKeepingItsIndexAndFiringNothing) {
  auto* strings = Add<TvgStringListBox>();
  strings->SetBounds(10, 10, 120, 100);
  strings->Items()->SetCommaText(u"one,two,three");
  ASSERT_EQ(strings->Count(), 3);
  EXPECT_EQ(strings->ItemByIndex(1)->Text(), u"two");
  EXPECT_EQ(strings->ItemByIndex(1)->Height(), 19);
  strings->SetItemIndex(2);
  int fired = 0;
  strings->OnChange = [&](rtl::TObject*) { ++fired; };
  strings->Items()->Add(u"four");
  EXPECT_EQ(strings->Count(), 4);
  EXPECT_EQ(strings->ItemIndex(), 2);
  EXPECT_EQ(fired, 0);
  EXPECT_EQ(strings->GetData().AsWideString(), u"three");
  strings->SetData(rtl::Variant(rtl::WideString(u"THREE")));
  EXPECT_EQ(strings->Items()->Strings(2), u"THREE");
  EXPECT_EQ(strings->ItemByIndex(2)->Text(), u"THREE");
}

// A string list that counts the realignments that lay its items out (one
// or two passes each: a second when a scroll bar came or went).
struct LayoutCountingList : TvgStringListBox {
  using TvgStringListBox::TvgStringListBox;
  int layouts = 0;
  int passes = 0;
  void Realign() override {
    const int before = passes;
    TvgStringListBox::Realign();
    if (passes > before) ++layouts;
  }
  TvgRect GetContentBounds() override {
    if (Updating() == 0) ++passes;
    return TvgStringListBox::GetContentBounds();
  }
};

TEST_F(ListBoxTest, StringsAddedOneByOneAreLaidOutOnceAtThePaintOrTheFirstLookAtAPlace) {
  auto* strings = Add<LayoutCountingList>();
  strings->SetBounds(10, 10, 120, 100);
  scene->UpdateBuffer();
  strings->layouts = 0;
  for (int i = 0; i < 50; ++i) strings->Items()->Add(rtl::W("item " + std::to_string(i)));
  EXPECT_EQ(strings->Count(), 50);
  EXPECT_EQ(strings->ItemByIndex(49)->Text(), u"item 49");
  EXPECT_EQ(strings->layouts, 0);
  scene->UpdateBuffer();
  EXPECT_EQ(strings->layouts, 1);
  EXPECT_EQ(strings->ItemByIndex(49)->Position()->Y(), 49 * 19);

  strings->Items()->Add(u"last");
  strings->SetItemIndex(50);
  EXPECT_EQ(strings->layouts, 2) << "scrolling the new item into view lays the list out first";
  EXPECT_EQ(strings->ItemByIndex(50)->Position()->Y(), 50 * 19);

  strings->Items()->SetStrings(50, u"changed");
  EXPECT_EQ(strings->ItemByIndex(50)->Text(), u"changed");
  EXPECT_EQ(strings->ItemIndex(), 50);

  strings->BeginUpdate();
  for (int i = 0; i < 20; ++i) strings->Items()->Add(u"more");
  strings->EndUpdate();
  EXPECT_EQ(strings->layouts, 3) << "an update block ends in one layout";
  EXPECT_EQ(strings->Count(), 71);
  EXPECT_EQ(strings->ItemIndex(), 50);
}

TEST_F(ListBoxTest, OddRowsAreShadedAndASingleItemShadesItsOwnRow) {
  MakeList(5);
  list->SetAlternatingRowBackground(true);
  auto bands = [&] {
    vgtest::RecordingCanvas canvas(400, 400);
    list->ContentPaint(canvas, {0, 0, 400, 400});
    std::vector<std::string> fills;
    for (const std::string& line : canvas.Log)
      if (line.rfind("FillRect", 0) == 0) fills.push_back(line);
    return fills;
  };
  const auto band = [width = list->ContentLayout()->Width()](int top) {
    char text[64];
    std::snprintf(text, sizeof text, "FillRect (0,%d,%g,%d)", top, width, top + 19);
    return std::string(text);
  };
  const std::string row1 = band(19), row3 = band(57);
  std::vector<std::string> fills = bands();
  ASSERT_EQ(fills.size(), 2u);
  EXPECT_EQ(fills[0].rfind(row1, 0), 0u) << fills[0];
  EXPECT_EQ(fills[1].rfind(row3, 0), 0u) << fills[1];
  for (int i = 4; i > 0; --i) items[i]->Free();
  fills = bands();
  ASSERT_EQ(fills.size(), 1u);
  EXPECT_EQ(fills[0].rfind(band(0), 0), 0u) << fills[0];
}

}  // namespace
