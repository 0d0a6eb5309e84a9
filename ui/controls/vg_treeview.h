#pragma once
// The tree view: a scrolling tree of text items. Items are real nodes: a
// TvgTreeViewItem holds its child items as node children, the top-level
// items sit in the tree's scroll content. The tree lays the items out as one
// column indented 19 per level, numbers the reachable items (every ancestor
// expanded) in display order, draws one highlight band per run of selected
// items, and handles keys, mouse selection, check boxes, sorting and
// re-parenting by drag and drop.
#include <vector>

#include "ui/controls/vg_checkbox.h"
#include "ui/controls/vg_custombutton.h"
#include "ui/controls/vg_panels.h"
#include "ui/render/vg_scrollbox.h"

namespace vg {

class TvgTreeView;

class TvgTreeViewItem : public TvgTextControl {
  RTL_CLASS(TvgTreeViewItem, TvgTextControl)

  explicit TvgTreeViewItem(rtl::TComponent* owner);
  ~TvgTreeViewItem() override;

  bool IsExpanded() const { return FIsExpanded; }
  void SetIsExpanded(bool value);
  bool IsSelected() const { return FIsSelected; }
  void SetIsSelected(bool value);
  bool IsChecked() const { return FIsChecked; }
  void SetIsChecked(bool value);
  // The item's number in the tree's display order (valid after the last
  // layout; items below a collapsed one keep a stale number).
  int GlobalIndex() const { return FGlobalIndex; }

  // The tree the item lies in, or nullptr.
  TvgTreeView* TreeView() const;
  // The item this one is a child of, or nullptr for a top-level item.
  TvgTreeViewItem* ParentItem() const;
  // 0 for a top-level item, 1 for its children, ...
  int Level() const;
  // The child items, in child order.
  int Count() const;
  TvgTreeViewItem* ItemByIndex(int index) const;

  void AddObject(TvgObject* child) override;
  void RemoveObject(TvgObject* child) override;
  void DragEnd() override;
  bool EnterFocusChildren(TvgVisualObject* child) override;

 protected:
  void ApplyStyle() override;
  void FreeStyle() override;

 private:
  friend class TvgTreeView;
  static void Publish(rtl::TPublisher<TvgTreeViewItem>& p);
  // Shows the expander exactly when there are child items.
  void UpdateExpander();
  void UpdateCheck();
  void CheckClicked(rtl::TObject* sender);
  // The tree renumbers and lays out again (not while this item updates).
  void ChildItemsChanged();

  bool FIsExpanded = false;
  TvgCustomButton* FButton = nullptr;
  TvgCheckBox* FCheck = nullptr;
  int FGlobalIndex = 0;
  bool FIsChecked = false;
  bool FIsSelected = false;
};

using TOnCompareTreeViewItemEvent = rtl::TEvent<TvgTreeViewItem*, TvgTreeViewItem*, int&>;
// Tells of a drop: the dragged object, the item it goes into (nullptr: it
// becomes a top-level item); clearing `allow` keeps it where it is.
using TOnTreeViewDragChange = rtl::TEvent<TvgTreeViewItem*, TvgTreeViewItem*, bool&>;

class TvgTreeView : public TvgScrollBox {
  RTL_CLASS(TvgTreeView, TvgScrollBox)

  static constexpr float Indent = 19;

  explicit TvgTreeView(rtl::TComponent* owner);
  ~TvgTreeView() override;

  // Top-level items.
  int Count() const;
  TvgTreeViewItem* ItemByIndex(int index) const;
  // The display order.
  int GlobalCount() const { return static_cast<int>(FGlobalList.size()); }
  // Raises EListError outside the display order.
  TvgTreeViewItem* ItemByGlobalIndex(int index) const;
  // The item under a point in the tree's coordinates, or nullptr.
  TvgTreeViewItem* ItemByPoint(float x, float y);
  // The item's rectangle in content coordinates; empty for nullptr.
  TvgRect GetItemRect(TvgTreeViewItem* item);

  TvgTreeViewItem* Selected() const { return FSelected; }
  // Makes `value` the current item: expands its ancestors, scrolls it into
  // view and selects it (without MultiSelect, deselecting the old one);
  // raises OnChange.
  virtual void SetSelected(TvgTreeViewItem* value);
  // Selects every item of the display order between a and b (inclusive)
  // and deselects all others; nothing unless both are given.
  void SelectRange(TvgTreeViewItem* a, TvgTreeViewItem* b);
  void ClearSelection();
  void SelectAll();
  // Expand or collapse the top-level items; deeper items keep their state.
  void ExpandAll();
  void CollapseAll();
  // Frees every top-level item.
  void Clear();
  // The "selection" part when it is a TvgSelectionItem.
  TvgSelectionItem* GetSelection() const;
  // The highlight bands shown (one per run of selected items).
  const std::vector<TvgVisualObject*>& SelectionBands() const { return FSelections; }

  float ItemHeight() const { return FItemHeight; }
  void SetItemHeight(float value);
  bool HideSelectionUnfocused() const { return FHideSelectionUnfocused; }
  void SetHideSelectionUnfocused(bool value) { FHideSelectionUnfocused = value; }
  bool ShowCheckboxes() const { return FShowCheckboxes; }
  void SetShowCheckboxes(bool value);
  bool Sorted() const { return FSorted; }
  void SetSorted(bool value);
  bool MultiSelect() const { return FMultiSelect; }
  void SetMultiSelect(bool value) { FMultiSelect = value; }
  bool AllowDrag() const { return FAllowDrag; }
  void SetAllowDrag(bool value);

  // Lays the items out and rebuilds the display order.
  TvgRect GetContentBounds() override;
  void HScrollChange(rtl::TObject* sender) override;
  void VScrollChange(rtl::TObject* sender) override;
  void KeyDown(std::uint16_t& key, char16_t& keyChar, TvgShiftState shift) override;
  void MouseDown(TvgMouseButton button, TvgShiftState shift, float x, float y) override;
  void MouseUp(TvgMouseButton button, TvgShiftState shift, float x, float y) override;
  void DragOver(const TvgDragObject& data, TvgPoint point, bool& accept) override;
  void DragDrop(const TvgDragObject& data, TvgPoint point) override;
  void EnterFocus() override;
  void KillFocus() override;
  void ContentBeforeRemoveObject(TvgObject* child) override;

  rtl::TNotifyEvent OnChange;
  // Sender: the item whose check box was clicked.
  rtl::TNotifyEvent OnChangeCheck;
  TOnCompareTreeViewItemEvent OnCompare;
  TOnTreeViewDragChange OnDragChange;

 protected:
  void ApplyStyle() override;
  void FreeStyle() override;
  void Notification(rtl::TComponent* component, rtl::TOperation operation) override;

 private:
  friend class TvgTreeViewItem;
  static void Publish(rtl::TPublisher<TvgTreeView>& p);
  void RebuildDisplayOrder();
  void AddToDisplayOrder(TvgTreeViewItem* item);
  void SortItems();
  void PlaceItem(TvgTreeViewItem* item, float& x, float& y);
  TvgTreeViewItem* ItemAt(TvgTreeViewItem* item, TvgPoint absolute);
  // Redraws the highlight bands.
  void UpdateSelection();
  void ScrollIntoView(TvgTreeViewItem* item);
  // Points a weak reference at an item, asking to be told when it goes.
  void Watch(TvgTreeViewItem*& field, TvgTreeViewItem* value);
  void Forget(TvgObject* removed);
  // Whether `source` may be dropped into `target` (nullptr: top level).
  bool CanDropInto(const rtl::TObject* source, TvgTreeViewItem* target) const;

  TvgTreeViewItem* FSelected = nullptr;
  float FItemHeight = 0;
  bool FHideSelectionUnfocused = true;
  bool FShowCheckboxes = false;
  bool FSorted = false;
  bool FMultiSelect = false;
  TvgTreeViewItem* FFirstSelect = nullptr;
  TvgVisualObject* FSelection = nullptr;
  std::vector<TvgVisualObject*> FSelections;
  bool FAllowDrag = false;
  TvgTreeViewItem* FDragItem = nullptr;
  std::vector<TvgTreeViewItem*> FGlobalList;
};

void RegisterTreeViewClasses();

}  // namespace vg
