// The tree view on a real embedded scene with the built-in styles: layout
// and display order, keys, mouse selection and bands, scrolling to a
// selected item, and re-parenting by drag and drop.
#include <gtest/gtest.h>

#include "platform/rtl/TextCompare.h"
#include "tests/ui/controls/controls_fixture.h"

namespace {

using namespace vg;

struct TreeView : vgtest::ControlScene {
  TvgTreeView* tree = nullptr;

  void SetUp() override {
    ControlScene::SetUp();
    tree = Add<TvgTreeView>();
    tree->SetBounds(10, 10, 200, 200);
  }
  TvgTreeViewItem* Item(TvgObject* parent, const char16_t* text) {
    auto* item = new TvgTreeViewItem(nullptr);
    item->SetText(text);
    parent->AddObject(item);
    return item;
  }
  // A > B > C, all expanded, then D at the top level.
  void Build() {
    a = Item(tree, u"A");
    b = Item(a, u"B");
    c = Item(b, u"C");
    d = Item(tree, u"D");
    a->SetIsExpanded(true);
    b->SetIsExpanded(true);
  }
  float X(TvgTreeViewItem* item) { return tree->GetItemRect(item).Left; }
  void Key(std::uint16_t key) {
    char16_t keyChar = 0;
    tree->KeyDown(key, keyChar, 0);
    lastKey = key;
  }
  // The centre of an item in the tree's coordinates.
  TvgPoint At(TvgTreeViewItem* item) {
    return tree->AbsoluteToLocal(item->LocalToAbsolute({item->Width() / 2, item->Height() / 2}));
  }
  void Click(TvgTreeViewItem* item, TvgShiftState shift = 0) {
    const TvgPoint p = At(item);
    tree->MouseDown(vgMouseLeft, shift | vgLeftButton, p.X, p.Y);
    tree->MouseUp(vgMouseLeft, shift, p.X, p.Y);
  }

  TvgTreeViewItem *a = nullptr, *b = nullptr, *c = nullptr, *d = nullptr;
  std::uint16_t lastKey = 0;
};

TEST_F(TreeView, LaysItemsOutInDisplayOrderIndentedByLevel) {
  Build();
  const float viewRight = tree->ContentLayout()->Width();
  struct Row {
    TvgTreeViewItem* item;
    int number;
    float indent;
  };
  for (const Row& row : {Row{a, 0, 0}, Row{b, 1, 19}, Row{c, 2, 38}, Row{d, 3, 0}}) {
    SCOPED_TRACE(rtl::WideString(row.item->Text()).size());
    EXPECT_EQ(row.item->GlobalIndex(), row.number);
    EXPECT_EQ(tree->ItemByGlobalIndex(row.number), row.item);
    EXPECT_FLOAT_EQ(X(row.item), row.indent);
    EXPECT_FLOAT_EQ(tree->GetItemRect(row.item).Right, viewRight);
    EXPECT_FLOAT_EQ(tree->GetItemRect(row.item).Top, row.number * 19.0f);
  }
  EXPECT_EQ(tree->GlobalCount(), 4);
  EXPECT_EQ(tree->ItemByPoint(At(c).X, At(c).Y), c);

  a->SetIsExpanded(false);
  EXPECT_EQ(tree->GlobalCount(), 2);
  EXPECT_EQ(d->GlobalIndex(), 1);
  EXPECT_FALSE(b->Visible());
  EXPECT_EQ(c->Opacity(), 0);
  EXPECT_THROW(tree->ItemByGlobalIndex(2), rtl::EListError);
}

TEST_F(TreeView, EmptyTreeHasContentOneHigh) {
  EXPECT_EQ(tree->GlobalCount(), 0);
  EXPECT_FLOAT_EQ(tree->Content()->Height(), 1);
}

TEST_F(TreeView, KeysWalkTheDisplayOrderAndConsumeEveryTableKey) {
  Build();
  int changes = 0;
  tree->OnChange = [&](rtl::TObject*) { ++changes; };
  tree->SetSelected(a);
  Key(38);  // Up on the first item: nothing, but consumed
  EXPECT_EQ(tree->Selected(), a);
  EXPECT_EQ(lastKey, 0);
  Key(40);
  EXPECT_EQ(tree->Selected(), b);
  EXPECT_FALSE(a->IsSelected());
  Key(35);
  EXPECT_EQ(tree->Selected(), d);
  Key(40);  // Down on the last item
  EXPECT_EQ(tree->Selected(), d);
  EXPECT_EQ(lastKey, 0);
  Key(36);
  EXPECT_EQ(tree->Selected(), a);
  Key(109);  // numeric-pad minus collapses
  EXPECT_FALSE(a->IsExpanded());
  Key(40);
  EXPECT_EQ(tree->Selected(), d) << "the collapsed children are skipped";
  Key(65);
  EXPECT_EQ(lastKey, 65) << "other keys pass on";
  EXPECT_EQ(changes, 5);
}

TEST_F(TreeView, SelectingAHiddenItemExpandsItsAncestorsAndScrollsItIntoView) {
  tree->SetHeight(60);
  Build();
  for (int i = 0; i < 6; ++i) Item(tree, u"filler");
  TvgTreeViewItem* last = Item(tree, u"last");
  TvgTreeViewItem* deep = Item(last, u"deep");
  a->SetIsExpanded(false);
  tree->SetSelected(deep);
  EXPECT_TRUE(last->IsExpanded());
  EXPECT_TRUE(deep->IsSelected());
  const TvgRect view = tree->ContentLayout()->GetAbsoluteRect();
  const TvgRect shown = deep->GetAbsoluteRect();
  EXPECT_GE(shown.Top, view.Top - 0.01f);
  EXPECT_LE(shown.Bottom, view.Bottom + 0.01f);

  tree->SetSelected(a);
  EXPECT_NEAR(a->GetAbsoluteRect().Top, view.Top, 0.01f);
}

TEST_F(TreeView, MultiSelectShiftSelectsARangeCtrlTogglesAndBandsFollowRuns) {
  tree->SetMultiSelect(true);
  tree->SetHideSelectionUnfocused(false);
  std::vector<TvgTreeViewItem*> items;
  for (const char16_t* text : {u"0", u"1", u"2", u"3", u"4", u"5", u"6"}) items.push_back(Item(tree, text));
  Click(items[6]);
  Click(items[2]);
  Click(items[5], vgShift);
  for (int i = 0; i < 7; ++i) EXPECT_EQ(items[i]->IsSelected(), i >= 2 && i <= 5) << i;
  Click(items[3], vgCtrl);
  EXPECT_FALSE(items[3]->IsSelected());

  std::vector<TvgRect> shown;
  for (TvgVisualObject* band : tree->SelectionBands())
    if (band->Visible()) shown.push_back(band->GetAbsoluteRect());
  ASSERT_EQ(shown.size(), 2u) << "items 2 and 4-5";
  EXPECT_NEAR(shown[0].Top, items[2]->GetAbsoluteRect().Top, 0.01f);
  EXPECT_NEAR(shown[1].Top, items[4]->GetAbsoluteRect().Top, 0.01f);
  EXPECT_NEAR(shown[1].Bottom, items[5]->GetAbsoluteRect().Bottom, 0.01f);
}

TEST_F(TreeView, SelectionBandHidesWithoutFocus) {
  Build();
  tree->SetSelected(b);
  auto visibleBands = [&] {
    int n = 0;
    for (TvgVisualObject* band : tree->SelectionBands()) n += band->Visible();
    return n;
  };
  EXPECT_EQ(visibleBands(), 0);
  tree->SetFocus();
  EXPECT_EQ(visibleBands(), 1);
}

TEST_F(TreeView, CheckBoxesShowOnDemandAndAClickChecksAndSelects) {
  Build();
  b->ApplyResource();
  auto* check = dynamic_cast<TvgCheckBox*>(b->FindResource("check"));
  ASSERT_NE(check, nullptr);
  EXPECT_FALSE(check->Visible());
  tree->SetShowCheckboxes(true);
  EXPECT_TRUE(check->Visible()) << "down the whole tree";
  TvgObject* told = nullptr;
  tree->OnChangeCheck = [&](rtl::TObject* sender) { told = dynamic_cast<TvgObject*>(sender); };
  check->MouseDown(vgMouseLeft, vgLeftButton, 5, 5);
  check->MouseUp(vgMouseLeft, 0, 5, 5);
  EXPECT_TRUE(b->IsChecked());
  EXPECT_EQ(tree->Selected(), b);
  EXPECT_TRUE(tree->IsFocused());
  EXPECT_EQ(told, b);
}

TEST_F(TreeView, SortedOrdersTopLevelItemsByTextOrByOnCompare) {
  for (const char16_t* text : {u"delta", u"Alpha", u"charlie", u"Bravo"}) Item(tree, text);
  auto texts = [&] {
    std::u16string joined;
    for (int i = 0; i < tree->Count(); ++i) joined += tree->ItemByIndex(i)->Text().substr(0, 1);
    return joined;
  };
  tree->SetSorted(true);
  EXPECT_EQ(texts(), u"ABcd");
  tree->OnCompare = [](TvgTreeViewItem* x, TvgTreeViewItem* y, int& result) {
    result = rtl::WideCompareText(y->Text(), x->Text());
  };
  tree->Realign();
  EXPECT_EQ(texts(), u"dcBA");
  EXPECT_EQ(tree->ItemByGlobalIndex(0)->Text(), u"delta");
}

TEST_F(TreeView, ExpandAllOpensOnlyTheTopLevel) {
  Build();
  a->SetIsExpanded(false);
  b->SetIsExpanded(false);
  tree->ExpandAll();
  EXPECT_TRUE(a->IsExpanded());
  EXPECT_FALSE(b->IsExpanded());
  EXPECT_EQ(tree->GlobalCount(), 3);
  tree->CollapseAll();
  EXPECT_EQ(tree->GlobalCount(), 2);
}

TEST_F(TreeView, FreeingTheSelectedItemClearsTheSelection) {
  Build();
  tree->SetSelected(c);
  b->Free();
  EXPECT_EQ(tree->Selected(), nullptr);
  EXPECT_EQ(tree->GlobalCount(), 2);
  tree->Clear();
  EXPECT_EQ(tree->Count(), 0);
}

struct TreeDrag : TreeView {
  // Drags `source` over the point of `target` (nullptr: below the items)
  // and drops it when the tree accepts.
  bool DragOnto(TvgObject* source, TvgTreeViewItem* target) {
    TvgDragObject data;
    data.Source = source;
    const TvgPoint local = target ? At(target) : TvgPoint{50, 190};
    const TvgPoint point = tree->LocalToAbsolute(local);
    bool accept = false;
    tree->DragOver(data, point, accept);
    if (accept || !target) tree->DragDrop(data, point);
    return accept;
  }
};

TEST_F(TreeDrag, RefusesADropOntoTheSelectedItemOrIntoItsOwnSubtree) {
  Build();
  tree->SetSelected(a);
  EXPECT_FALSE(DragOnto(a, a));
  EXPECT_FALSE(DragOnto(a, c)) << "C lies inside A";
  EXPECT_EQ(c->Parent(), b);
  EXPECT_EQ(a->ParentItem(), nullptr);
}

TEST_F(TreeDrag, TakesOnlyItsOwnItems) {
  Build();
  auto* list = Add<TvgListBox>();
  auto* listItem = new TvgListBoxItem(nullptr);
  listItem->SetParent(list);
  auto* otherTree = Add<TvgTreeView>();
  TvgTreeViewItem* foreign = Item(otherTree, u"F");
  TvgObject* listParent = listItem->Parent();
  TvgObject* foreignParent = foreign->Parent();
  int told = 0;
  tree->OnDragChange = [&](TvgTreeViewItem*, TvgTreeViewItem*, bool&) { ++told; };
  for (TvgObject* source : {static_cast<TvgObject*>(listItem), static_cast<TvgObject*>(foreign)}) {
    for (TvgTreeViewItem* target : {d, static_cast<TvgTreeViewItem*>(nullptr)}) {
      const bool accepted = DragOnto(source, target);
      EXPECT_FALSE(accepted && target) << source->ClassName();
    }
  }
  EXPECT_EQ(listItem->Parent(), listParent);
  EXPECT_EQ(foreign->Parent(), foreignParent);
  EXPECT_EQ(tree->GlobalCount(), 4);
  EXPECT_EQ(told, 0);
}

TEST_F(TreeDrag, DropReparentsIntoTheItemOrToTheTopLevel) {
  Build();
  tree->SetSelected(c);
  std::vector<std::pair<TvgTreeViewItem*, TvgTreeViewItem*>> told;
  tree->OnDragChange = [&](TvgTreeViewItem* s, TvgTreeViewItem* t, bool&) { told.push_back({s, t}); };
  EXPECT_TRUE(DragOnto(c, d));
  EXPECT_EQ(c->ParentItem(), d);
  EXPECT_TRUE(d->IsExpanded());
  EXPECT_EQ(c->GlobalIndex(), 3);

  DragOnto(c, nullptr);
  EXPECT_EQ(c->ParentItem(), nullptr);
  EXPECT_EQ(c->Level(), 0);
  EXPECT_EQ(tree->ItemByIndex(2), c);
  ASSERT_EQ(told.size(), 2u);
  EXPECT_EQ(told[0].second, d);
  EXPECT_EQ(told[1].second, nullptr);

  tree->OnDragChange = [](TvgTreeViewItem*, TvgTreeViewItem*, bool& allow) { allow = false; };
  tree->SetSelected(b);
  EXPECT_TRUE(DragOnto(b, d));
  EXPECT_EQ(b->ParentItem(), a) << "the handler refused the move";
}

}  // namespace
