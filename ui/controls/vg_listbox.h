#pragma once
// List boxes: a scroll box whose items are ordinary child nodes
// (TvgListBoxItem) of its scroll content, laid out in rows (or, with
// vgListHorizontal, in columns), several per row when Columns or ItemWidth
// ask for it.
//
// The list keeps a current index (ItemIndex, -1 for none, any value
// accepted) and a single or multiple selection; the selected items are
// marked by clones of the style's "selection" part, one per run of
// adjacent selected items, hidden while the list is unfocused when
// HideSelectionUnfocused is on. An item's IsSelected and the list's
// ItemIndex follow each other: in a single-selection list choosing another
// item first deselects the old one, which fires OnChange with no item, and
// then fires OnChange with the new item. Items also carry an optional check
// box (the item style's "check" part, shown with ShowCheckboxes).
//
// Keys: Home, End, arrows (by Columns up and down) and type-ahead on the
// first letter of the items' texts. Mouse: press chooses, Ctrl toggles and
// Shift selects a range in a multiple-selection list, dragging over items
// moves the choice, and with AllowDrag items can be dropped onto each
// other to exchange them.
//
// TvgStringListBox makes its items from a list of texts; TvgHorzListBox
// lays them out in columns.
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "ui/controls/vg_itemstrings.h"
#include "ui/controls/vg_textcontrol.h"
#include "ui/core/vg_bitmap.h"
#include "ui/core/vg_brush.h"
#include "ui/core/vg_widestrings.h"
#include "ui/render/vg_scrollbox.h"

namespace vg {

class TvgCheckBox;
class TvgListBox;

RTL_ENUM(TvgListStyle, vgListVertical, vgListHorizontal)

class TvgListBoxItem : public TvgTextControl {
  RTL_CLASS(TvgListBoxItem, TvgTextControl)

  // 19 x 19, text aligned near, translated, not hit-tested (the list
  // hit-tests its items), far away until the list places it.
  explicit TvgListBoxItem(rtl::TComponent* owner);
  ~TvgListBoxItem() override;

  // The nearest list box above the item, or nullptr.
  TvgListBox* ListBox() const;
  // The item's place among the list's items.
  int Index() { return GetIndex(); }

  bool IsSelected() const { return FIsSelected; }
  // Selecting makes the item current in a single-selection list;
  // deselecting the current one leaves the list without a current item.
  void SetIsSelected(bool value);
  bool IsChecked() const { return FIsChecked; }
  void SetIsChecked(bool value);
  // The style's check box, or nullptr.
  TvgCheckBox* Check() const { return FCheck; }
  // Shows the check box as the list asks, here and in nested items.
  void UpdateCheck();

  bool EnterFocusChildren(TvgVisualObject* child) override;
  void DragEnd() override;

 protected:
  void ApplyStyle() override;
  void FreeStyle() override;

 private:
  static void Publish(rtl::TPublisher<TvgListBoxItem>& p);
  void DoCheckClick(rtl::TObject* sender);

  bool FIsSelected = false;
  bool FIsChecked = false;
  TvgCheckBox* FCheck = nullptr;
};

using TvgListBoxCompareEvent = std::function<int(TvgListBoxItem* item1, TvgListBoxItem* item2)>;
using TvgListBoxDragChangeEvent =
    rtl::TEvent<TvgListBoxItem* /*source*/, TvgListBoxItem* /*dest*/, bool& /*allow*/>;

class TvgListBox : public TvgScrollBox {
  RTL_CLASS(TvgListBox, TvgScrollBox)

  // 100 x 100, focusable, one column, selection hidden when unfocused.
  explicit TvgListBox(rtl::TComponent* owner);
  ~TvgListBox() override;

  // Items are the children of the scroll content, in child order.
  int Count() const;
  // The item at index, or nullptr outside the items.
  TvgListBoxItem* ItemByIndex(int index) const;
  // The current item, or nullptr.
  TvgListBoxItem* Selected() const { return ItemByIndex(FItemIndex); }
  // The index of the first item whose text starts with the letter (either
  // case), or -1.
  int ItemStartingWith(char16_t letter) const;
  // The first item under the point (scene coordinates), or nullptr.
  TvgListBoxItem* ItemByPoint(float x, float y);

  int ItemIndex() const { return FItemIndex; }
  // Makes item `value` current (any value, no bound test), scrolls it into
  // view and fires OnChange with it (unless the list is updating).
  virtual void SetItemIndex(int value);
  // Frees every item.
  virtual void Clear();
  // With Sorted, orders the items by OnCompare, else by text ignoring case.
  virtual void SortItems();
  // Selects the items between the two (inclusive), deselects the others.
  void SelectRange(TvgListBoxItem* item1, TvgListBoxItem* item2);
  void ClearSelection();
  void SelectAll();
  // Exchanges two items; the current item stays current.
  void Exchange(TvgListBoxItem* item1, TvgListBoxItem* item2);
  using TvgObject::Exchange;
  // Rebuilds the selection marks.
  void UpdateSelection();
  // Writes the index without any notification (lists that rebuild their
  // items keep their index so).
  void StoreItemIndex(int value) { FItemIndex = value; }

  int Columns() const { return FColumns; }
  void SetColumns(int value);
  float ItemWidth() const { return FItemWidth; }
  void SetItemWidth(float value);
  float ItemHeight() const { return FItemHeight; }
  void SetItemHeight(float value);
  TvgListStyle ListStyle() const { return FListStyle; }
  void SetListStyle(TvgListStyle value);
  bool Sorted() const { return FSorted; }
  void SetSorted(bool value);
  bool MultiSelect() const { return FMultiSelect; }
  // Turning it off clears the selection.
  void SetMultiSelect(bool value);
  bool ShowCheckboxes() const { return FShowCheckboxes; }
  void SetShowCheckboxes(bool value);
  bool AllowDrag() const { return FAllowDrag; }
  void SetAllowDrag(bool value);
  bool HideSelectionUnfocused() const { return FHideSelectionUnfocused; }
  void SetHideSelectionUnfocused(bool value) { FHideSelectionUnfocused = value; }
  bool Background() const { return FBackground; }
  void SetBackground(bool value);
  bool AlternatingRowBackground() const { return FAlternatingRowBackground; }
  void SetAlternatingRowBackground(bool value);
  TvgBrush* OddFill() const { return FOddFill.get(); }
  TvgBitmap* BackgroundBitmap() const { return FBackgroundBitmap.get(); }
  // Loads a picture file as the background bitmap (an unreadable file
  // leaves it empty); Background is left as it is.
  void AddBackgroundBitmap(const std::string& fileName);
  // The item under a drag in progress.
  TvgListBoxItem* DragItem() const { return FDragItem; }
  void ForgetDragItem() { FDragItem = nullptr; }

  // The current item's text, empty without one.
  rtl::Variant GetData() override;
  void SetData(const rtl::Variant& value) override;
  std::string ItemClass() const override { return "TvgListBoxItem"; }
  void AddObject(TvgObject* child) override;

  void KeyDown(std::uint16_t& key, char16_t& keyChar, TvgShiftState shift) override;
  void MouseDown(TvgMouseButton button, TvgShiftState shift, float x, float y) override;
  void MouseMove(TvgShiftState shift, float x, float y, float dx, float dy) override;
  void MouseUp(TvgMouseButton button, TvgShiftState shift, float x, float y) override;
  void DragOver(const TvgDragObject& data, TvgPoint point, bool& accept) override;
  void DragDrop(const TvgDragObject& data, TvgPoint point) override;
  void EnterFocus() override;
  void KillFocus() override;

  void ContentAddObject(TvgObject* child) override;
  void ContentBeforeRemoveObject(TvgObject* child) override;
  void ContentRemoveObject(TvgObject* child) override;
  void HScrollChange(rtl::TObject* sender) override;
  void VScrollChange(rtl::TObject* sender) override;
  // Lays the items out and answers the content's bounds.
  TvgRect GetContentBounds() override;
  // Not while a layout is held (see TLayoutHold).
  void Realign() override;
  // A held layout happens now.
  void LayOutHeldItems();
  // Item changes made while one lives do not lay the list out: the layout
  // waits for the next paint or the first look at an item's place, so a
  // run of changes costs one layout.
  class TLayoutHold {
   public:
    explicit TLayoutHold(TvgListBox& list) : FList(list), FOuter(std::exchange(list.FHoldingLayout, true)) {}
    ~TLayoutHold() { FList.FHoldingLayout = FOuter; }
    TLayoutHold(const TLayoutHold&) = delete;
    TLayoutHold& operator=(const TLayoutHold&) = delete;

   private:
    TvgListBox& FList;
    bool FOuter;
  };
  // The background bitmap and the shading of odd rows.
  void ContentPaint(TvgCanvas& canvas, const TvgRect& rect) override;

  // Sender: the new current item, or nullptr.
  rtl::TNotifyEvent OnChange;
  // Sender: the item whose check box was clicked.
  rtl::TNotifyEvent OnChangeCheck;
  TvgListBoxCompareEvent OnCompare;
  TvgListBoxDragChangeEvent OnDragChange;

 protected:
  void ApplyStyle() override;
  void FreeStyle() override;
  void BeforePaint() override;

 private:
  static void Publish(rtl::TPublisher<TvgListBox>& p);
  std::vector<TvgListBoxItem*> Items() const;
  void LayoutRows(const TvgRect& view, TvgRect& bounds);
  void LayoutColumns(const TvgRect& view, TvgRect& bounds);
  void ScrollIntoView(TvgListBoxItem* item);
  void PressItem(TvgListBoxItem* item, TvgShiftState shift);
  void PaintOddRows(TvgCanvas& canvas, const TvgRect& rect);

  bool FMouseSelecting = false;
  bool FHoldingLayout = false;
  bool FLayoutHeld = false;
  bool FHideSelectionUnfocused = true;
  bool FShowCheckboxes = false;
  bool FSorted = false;
  bool FMultiSelect = false;
  bool FBackground = false;
  bool FAlternatingRowBackground = false;
  bool FAllowDrag = false;
  TvgListBoxItem* FDragItem = nullptr;
  int FColumns = 1;
  float FItemWidth = 0;
  float FItemHeight = 0;
  TvgListStyle FListStyle = vgListVertical;
  TvgListBoxItem* FFirstSelect = nullptr;
  TvgVisualObject* FSelection = nullptr;
  std::vector<TvgVisualObject*> FSelections;
  TvgOwned<TvgBrush> FOddFill;
  int FItemIndex = -1;
  TvgOwned<TvgBitmap> FBackgroundBitmap;
};

class TvgHorzListBox : public TvgListBox {
  RTL_CLASS(TvgHorzListBox, TvgListBox)
  explicit TvgHorzListBox(rtl::TComponent* owner);
};

// A list box of texts: one item per string of Items, rebuilt on every
// change of Items (keeping the current index and the scroll position); a
// string appended or replaced outside an update changes only its own item.
class TvgStringListBox : public TvgListBox {
  RTL_CLASS(TvgStringListBox, TvgListBox)

  explicit TvgStringListBox(rtl::TComponent* owner);
  ~TvgStringListBox() override;

  TvgWideStringList* Items() const { return FItems.get(); }
  void SetItems(const TvgWideStrings* value) { FItems->Assign(value); }
  TvgFont* Font() const { return FFont.get(); }
  void SetFont(const TvgFont* value) { FFont->Assign(value); }
  TvgTextAlign TextAlign() const { return FTextAlign; }
  void SetTextAlign(TvgTextAlign value);
  const std::string& ItemStyle() const { return FItemStyle; }
  void SetItemStyle(const std::string& value) { FItemStyle = value; }

  void RebuildList();
  // The outermost end of an update rebuilds the items.
  void EndUpdate() override;
  void SortItems() override;
  // Items[ItemIndex], empty when out of range.
  rtl::Variant GetData() override;
  void SetData(const rtl::Variant& value) override;

 private:
  static void Publish(rtl::TPublisher<TvgStringListBox>& p);
  void FontChanged(rtl::TObject* sender);
  void ItemsChanged();
  // Follows an appended or replaced string; false for any other change.
  bool FollowItemsChange();
  void AddStringItem(const rtl::WideString& text);

  TvgOwned<TvgItemStrings> FItems;
  TvgOwned<TvgFont> FFont;
  TvgTextAlign FTextAlign = vgTextAlignCenter;
  std::string FItemStyle = "listboxitemstyle";
};

class TvgHudListBox : public TvgListBox {
  RTL_CLASS(TvgHudListBox, TvgListBox)
  using TvgListBox::TvgListBox;
};

class TvgHudHorzListBox : public TvgHorzListBox {
  RTL_CLASS(TvgHudHorzListBox, TvgHorzListBox)
  explicit TvgHudHorzListBox(rtl::TComponent* owner);
};

class TvgHudStringListBox : public TvgStringListBox {
  RTL_CLASS(TvgHudStringListBox, TvgStringListBox)
  explicit TvgHudStringListBox(rtl::TComponent* owner);
};

}  // namespace vg
