#include "ui/controls/vg_treeview.h"

#include <algorithm>
#include <memory>

#include "platform/rtl/Exceptions.h"
#include "platform/rtl/TextCompare.h"
#include "ui/core/vg_keys.h"

namespace vg {

namespace {

TvgTreeViewItem* AsItem(TvgObject* node) {
  return node && node->InheritsFrom(TvgTreeViewItem::StaticClass()) ? static_cast<TvgTreeViewItem*>(node) : nullptr;
}

std::vector<TvgTreeViewItem*> ItemsOf(const TvgObject* node) {
  std::vector<TvgTreeViewItem*> items;
  if (node)
    for (TvgObject* child : node->Children())
      if (TvgTreeViewItem* item = AsItem(child)) items.push_back(item);
  return items;
}

void HideSubtree(TvgTreeViewItem* item) {
  for (TvgTreeViewItem* child : ItemsOf(item)) {
    child->SetVisible(false);
    child->SetOpacity(0);
    HideSubtree(child);
  }
}

}  // namespace

// ----- TvgTreeViewItem

TvgTreeViewItem::TvgTreeViewItem(rtl::TComponent* owner) : TvgTextControl(owner) {
  FAutoTranslate = true;
  SetTextAlign(vgTextAlignNear);
  SetHeight(19);
  SetHitTest(false);
  FCanFocused = false;
  Position()->SetPoint({5000, 5000});
}

TvgTreeViewItem::~TvgTreeViewItem() { TearDown(); }

void TvgTreeViewItem::Publish(rtl::TPublisher<TvgTreeViewItem>& p) {
  using T = TvgTreeViewItem;
  p.Property("AutoTranslate", &T::AutoTranslate, &T::SetAutoTranslate).Default(true);
  p.Property("Font", &T::Font, &T::SetFont);
  p.Property("Text", &T::Text, &T::SetText);
  p.Property("TextAlign", &T::TextAlign, &T::SetTextAlign).Default(vgTextAlignNear);
  p.Property("IsChecked", &T::IsChecked, &T::SetIsChecked).Default(false);
  p.Property("IsExpanded", &T::IsExpanded, &T::SetIsExpanded).Default(false);
  p.Property("IsSelected", &T::IsSelected, &T::SetIsSelected).Default(false);
}

TvgTreeView* TvgTreeViewItem::TreeView() const {
  for (TvgObject* node = Parent(); node; node = node->Parent())
    if (node->InheritsFrom(TvgTreeView::StaticClass())) return static_cast<TvgTreeView*>(node);
  return nullptr;
}

TvgTreeViewItem* TvgTreeViewItem::ParentItem() const { return AsItem(Parent()); }

int TvgTreeViewItem::Level() const {
  int level = 0;
  for (TvgTreeViewItem* item = ParentItem(); item; item = item->ParentItem()) ++level;
  return level;
}

int TvgTreeViewItem::Count() const { return static_cast<int>(ItemsOf(this).size()); }

TvgTreeViewItem* TvgTreeViewItem::ItemByIndex(int index) const {
  const std::vector<TvgTreeViewItem*> items = ItemsOf(this);
  return index >= 0 && index < static_cast<int>(items.size()) ? items[index] : nullptr;
}

void TvgTreeViewItem::ChildItemsChanged() {
  if (Updating() > 0) return;
  if (TvgTreeView* tree = TreeView()) tree->Realign();
}

void TvgTreeViewItem::AddObject(TvgObject* child) {
  inherited::AddObject(child);
  if (AsItem(child)) ChildItemsChanged();
}

void TvgTreeViewItem::RemoveObject(TvgObject* child) {
  TvgTreeView* tree = AsItem(child) ? TreeView() : nullptr;
  if (tree) tree->Forget(child);
  inherited::RemoveObject(child);
  if (tree) ChildItemsChanged();
}

void TvgTreeViewItem::UpdateExpander() {
  if (!FButton) return;
  FButton->SetVisible(Count() > 0);
  if (!FButton->Visible()) return;
  FButton->ApplyResource();
  FButton->StartTriggerAnimation(this, "IsExpanded");
}

void TvgTreeViewItem::UpdateCheck() {
  if (FCheck) {
    const TvgTreeView* tree = TreeView();
    FCheck->SetVisible(tree && tree->ShowCheckboxes());
  }
  for (TvgTreeViewItem* child : ItemsOf(this)) child->UpdateCheck();
}

void TvgTreeViewItem::SetIsExpanded(bool value) {
  if (value == FIsExpanded) return;
  FIsExpanded = value;
  if (FButton && !IsLoading()) UpdateExpander();
  if (TvgTreeView* tree = TreeView()) tree->Realign();
}

void TvgTreeViewItem::SetIsSelected(bool value) {
  if (value == FIsSelected) return;
  FIsSelected = value;
  StartTriggerAnimation(this, "IsSelected");
  if (TvgTreeView* tree = TreeView()) tree->UpdateSelection();
}

void TvgTreeViewItem::SetIsChecked(bool value) {
  if (value == FIsChecked) return;
  FIsChecked = value;
  if (FCheck) FCheck->SetIsChecked(value);
}

void TvgTreeViewItem::CheckClicked(rtl::TObject*) {
  FIsChecked = FCheck->IsChecked();
  if (TvgTreeView* tree = TreeView()) {
    tree->SetFocus();
    tree->SetSelected(this);
    tree->OnChangeCheck(this);
  }
}

void TvgTreeViewItem::ApplyStyle() {
  inherited::ApplyStyle();
  FButton = dynamic_cast<TvgCustomButton*>(FindResource("button"));
  if (FButton) {
    FButton->OnClick = [this](rtl::TObject*) { SetIsExpanded(!FIsExpanded); };
    UpdateExpander();
  }
  FCheck = dynamic_cast<TvgCheckBox*>(FindResource("check"));
  if (FCheck) {
    FCheck->SetIsChecked(FIsChecked);
    FCheck->OnChange = [this](rtl::TObject* sender) { CheckClicked(sender); };
    const TvgTreeView* tree = TreeView();
    FCheck->SetVisible(tree && tree->ShowCheckboxes());
  }
  StartTriggerAnimation(this, "IsSelected");
}

void TvgTreeViewItem::FreeStyle() {
  FButton = nullptr;
  FCheck = nullptr;
  inherited::FreeStyle();
}

void TvgTreeViewItem::DragEnd() {
  inherited::DragEnd();
  if (TvgTreeView* tree = TreeView(); tree && tree->FDragItem) {
    tree->FDragItem->DragLeave();
    tree->Watch(tree->FDragItem, nullptr);
  }
}

bool TvgTreeViewItem::EnterFocusChildren(TvgVisualObject* child) {
  if (TvgTreeView* tree = TreeView()) tree->SetSelected(this);
  return inherited::EnterFocusChildren(child);
}

// ----- TvgTreeView

TvgTreeView::TvgTreeView(rtl::TComponent* owner) : TvgScrollBox(owner) {
  SetWidth(100);
  SetHeight(100);
  FCanFocused = true;
  SetAutoCapture(true);
  FGlobalList.reserve(100);
}

TvgTreeView::~TvgTreeView() { TearDown(); }

void TvgTreeView::Publish(rtl::TPublisher<TvgTreeView>& p) {
  using T = TvgTreeView;
  p.Property("CanFocused", &T::CanFocused, &T::SetCanFocused).Default(true);
  p.Property("DisableFocusEffect", &T::DisableFocusEffect, &T::SetDisableFocusEffect).Default(false);
  p.Property("ItemHeight", &T::ItemHeight, &T::SetItemHeight).Default(0.0f);
  p.Property("HideSelectionUnfocused", &T::HideSelectionUnfocused, &T::SetHideSelectionUnfocused).Default(true);
  p.Property("ShowCheckboxes", &T::ShowCheckboxes, &T::SetShowCheckboxes).Default(false);
  p.Property("Sorted", &T::Sorted, &T::SetSorted).Default(false);
  p.Property("MultiSelect", &T::MultiSelect, &T::SetMultiSelect).Default(false);
  p.Property("AllowDrag", &T::AllowDrag, &T::SetAllowDrag).Default(false);
  p.Property("OnChange", &T::OnChange);
  p.Property("OnChangeCheck", &T::OnChangeCheck);
  p.Property("OnCompare", &T::OnCompare);
  p.Property("OnDragChange", &T::OnDragChange);
}

int TvgTreeView::Count() const { return static_cast<int>(ItemsOf(Content()).size()); }

TvgTreeViewItem* TvgTreeView::ItemByIndex(int index) const {
  const std::vector<TvgTreeViewItem*> items = ItemsOf(Content());
  return index >= 0 && index < static_cast<int>(items.size()) ? items[index] : nullptr;
}

TvgTreeViewItem* TvgTreeView::ItemByGlobalIndex(int index) const {
  if (index < 0 || index >= GlobalCount()) throw rtl::EListError(rtl::Format("List index out of bounds (%d)", index));
  return FGlobalList[index];
}

// ----- weak references

void TvgTreeView::Watch(TvgTreeViewItem*& field, TvgTreeViewItem* value) {
  if (field == value) return;
  TvgTreeViewItem* old = field;
  field = value;
  if (old && old != FSelected && old != FDragItem && old != FFirstSelect) old->RemoveFreeNotification(this);
  if (value) value->FreeNotification(this);
}

void TvgTreeView::Notification(rtl::TComponent* component, rtl::TOperation operation) {
  inherited::Notification(component, operation);
  if (operation != rtl::opRemove) return;
  if (component == FSelected) FSelected = nullptr;
  if (component == FDragItem) FDragItem = nullptr;
  if (component == FFirstSelect) FFirstSelect = nullptr;
}

// An item leaves the tree: references into its subtree, in the fields and
// in the display order, are dropped and it is deselected.
void TvgTreeView::Forget(TvgObject* removed) {
  TvgTreeViewItem* item = AsItem(removed);
  if (!item || IsDestroying()) return;
  item->SetIsSelected(false);
  for (TvgTreeViewItem** field : {&FSelected, &FDragItem, &FFirstSelect})
    if (*field && (*field)->IsAncestorOrSelf(item)) Watch(*field, nullptr);
  std::erase_if(FGlobalList, [item](const TvgTreeViewItem* listed) { return listed->IsAncestorOrSelf(item); });
}

void TvgTreeView::ContentBeforeRemoveObject(TvgObject* child) { Forget(child); }

// ----- layout

void TvgTreeView::AddToDisplayOrder(TvgTreeViewItem* item) {
  item->FGlobalIndex = GlobalCount();
  FGlobalList.push_back(item);
  if (!item->IsExpanded()) return;
  for (TvgTreeViewItem* child : ItemsOf(item)) AddToDisplayOrder(child);
}

void TvgTreeView::RebuildDisplayOrder() {
  FGlobalList.clear();
  for (TvgTreeViewItem* item : ItemsOf(Content())) AddToDisplayOrder(item);
}

void TvgTreeView::SortItems() {
  Content()->Sort([this](TvgObject* a, TvgObject* b) {
    TvgTreeViewItem* first = AsItem(a);
    TvgTreeViewItem* second = AsItem(b);
    if (!first || !second) return false;
    if (!OnCompare) return rtl::WideCompareText(first->Text(), second->Text()) < 0;
    int result = 0;
    OnCompare(first, second, result);
    return result < 0;
  });
}

void TvgTreeView::PlaceItem(TvgTreeViewItem* item, float& x, float& y) {
  TvgVisualObject* parent = item->Parent()->Visual();
  const TvgPoint at = parent->AbsoluteToLocal(Content()->LocalToAbsolute({x, y}));
  const TvgBounds& padding = *item->Padding();
  const float height = FItemHeight != 0 ? FItemHeight : item->Height();
  item->SetBounds(at.X + padding.Left(), at.Y + padding.Top(),
                  ContentLayout()->Width() - padding.Left() - padding.Right() - item->Level() * Indent, height);
  if (item->FButton) item->FButton->SetVisible(item->Count() > 0);
  y += item->Height() + padding.Top() + padding.Bottom();
  if (item->Count() == 0) return;
  if (!item->IsExpanded()) {
    HideSubtree(item);
    return;
  }
  x += Indent;
  for (TvgTreeViewItem* child : ItemsOf(item)) {
    child->SetVisible(true);
    child->SetOpacity(1);
    PlaceItem(child, x, y);
  }
  x -= Indent;
}

TvgRect TvgTreeView::GetContentBounds() {
  TvgRect r = GetLocalRect();
  RebuildDisplayOrder();
  if (Updating() > 0 || !ContentLayout()) return r;
  r = ContentLayout()->GetLocalRect();
  if (Content()) {
    if (FSorted) SortItems();
    float x = 0, y = 0;
    for (TvgTreeViewItem* item : ItemsOf(Content())) PlaceItem(item, x, y);
    r.Bottom = r.Top + y;
    RebuildDisplayOrder();
  }
  if (r.Bottom == r.Top) r.Bottom = r.Top + 1;
  UpdateSelection();
  return r;
}

void TvgTreeView::SetItemHeight(float value) {
  if (value == FItemHeight) return;
  FItemHeight = value;
  Realign();
}

void TvgTreeView::SetSorted(bool value) {
  if (value == FSorted) return;
  FSorted = value;
  Realign();
}

void TvgTreeView::SetShowCheckboxes(bool value) {
  if (value == FShowCheckboxes) return;
  FShowCheckboxes = value;
  for (TvgTreeViewItem* item : ItemsOf(Content())) item->UpdateCheck();
}

void TvgTreeView::SetAllowDrag(bool value) {
  if (value == FAllowDrag) return;
  FAllowDrag = value;
  if (value) DragDisableHighlight = true;
}

// ----- hit test and geometry

TvgTreeViewItem* TvgTreeView::ItemAt(TvgTreeViewItem* item, TvgPoint absolute) {
  if (!item->Visible() || !vgIntersectRect(item->GetUpdateRect(), GetUpdateRect())) return nullptr;
  if (item->PointInObject(absolute.X, absolute.Y)) return item;
  if (!item->IsExpanded()) return nullptr;
  for (TvgTreeViewItem* child : ItemsOf(item))
    if (TvgTreeViewItem* hit = ItemAt(child, absolute)) return hit;
  return nullptr;
}

TvgTreeViewItem* TvgTreeView::ItemByPoint(float x, float y) {
  const TvgPoint absolute = LocalToAbsolute({x, y});
  for (TvgTreeViewItem* item : ItemsOf(Content()))
    if (TvgTreeViewItem* hit = ItemAt(item, absolute)) return hit;
  return nullptr;
}

TvgRect TvgTreeView::GetItemRect(TvgTreeViewItem* item) {
  if (!item || !Content()) return {};
  const TvgPoint p = Content()->AbsoluteToLocal(item->LocalToAbsolute({0, 0}));
  return {p.X, p.Y, p.X + item->Width(), p.Y + item->Height()};
}

// ----- selection

void TvgTreeView::ScrollIntoView(TvgTreeViewItem* item) {
  TvgScrollBar* bar = VScrollBar();
  if (!ContentLayout() || !bar) return;
  const float y = ContentLayout()->AbsoluteToLocal(item->LocalToAbsolute({0, 0})).Y;
  const float bottom = y + item->Padding()->Top() + item->Padding()->Bottom() + item->Height();
  if (y < 0)
    bar->SetValue(bar->Value() + y);
  else if (bottom > ContentLayout()->Height())
    bar->SetValue(bar->Value() + bottom - ContentLayout()->Height());
}

void TvgTreeView::SetSelected(TvgTreeViewItem* value) {
  if (value == FSelected) return;
  if (!FMultiSelect && FSelected) FSelected->SetIsSelected(false);
  Watch(FSelected, value);
  if (value && Content()) {
    for (TvgTreeViewItem* parent = value->ParentItem(); parent; parent = parent->ParentItem())
      parent->SetIsExpanded(true);
    ScrollIntoView(value);
    value->SetIsSelected(true);
  }
  OnChange(this);
}

void TvgTreeView::SelectRange(TvgTreeViewItem* a, TvgTreeViewItem* b) {
  if (!a || !b) return;
  const int from = std::min(a->GlobalIndex(), b->GlobalIndex());
  const int to = std::max(a->GlobalIndex(), b->GlobalIndex());
  for (TvgTreeViewItem* item : FGlobalList) item->SetIsSelected(item->GlobalIndex() >= from && item->GlobalIndex() <= to);
}

void TvgTreeView::ClearSelection() {
  for (TvgTreeViewItem* item : FGlobalList) item->SetIsSelected(false);
}

void TvgTreeView::SelectAll() {
  for (TvgTreeViewItem* item : FGlobalList) item->SetIsSelected(true);
}

void TvgTreeView::ExpandAll() {
  BeginUpdate();
  for (TvgTreeViewItem* item : ItemsOf(Content())) item->SetIsExpanded(true);
  EndUpdate();
  Realign();
}

void TvgTreeView::CollapseAll() {
  BeginUpdate();
  for (TvgTreeViewItem* item : ItemsOf(Content())) item->SetIsExpanded(false);
  EndUpdate();
  Realign();
}

void TvgTreeView::Clear() {
  BeginUpdate();
  std::vector<TvgTreeViewItem*> items = ItemsOf(Content());
  for (auto it = items.rbegin(); it != items.rend(); ++it) (*it)->Free();
  EndUpdate();
  if (VScrollBar()) VScrollBar()->SetValue(0);
  if (HScrollBar()) HScrollBar()->SetValue(0);
  Watch(FSelected, nullptr);
  Realign();
  UpdateSelection();
}

TvgSelectionItem* TvgTreeView::GetSelection() const { return dynamic_cast<TvgSelectionItem*>(FSelection); }

void TvgTreeView::UpdateSelection() {
  if (!FSelection || IsDestroying()) return;
  TvgVisualObject* host = FSelection->Parent() ? FSelection->Parent()->Visual() : nullptr;
  if (!host) return;
  std::vector<TvgRect> bands;
  bool previousSelected = false;
  for (TvgTreeViewItem* item : FGlobalList) {
    if (!item->IsSelected()) {
      previousSelected = false;
      continue;
    }
    const TvgPoint p = host->AbsoluteToLocal(item->LocalToAbsolute({0, 0}));
    const TvgRect rect{p.X, p.Y, p.X + item->Width(), p.Y + item->Height()};
    if (previousSelected)
      bands.back() = vgUnionRect(bands.back(), rect);
    else
      bands.push_back(rect);
    previousSelected = true;
  }
  while (FSelections.size() < bands.size()) {
    TvgObject* clone = FSelection->Clone(nullptr);
    clone->SetStored(false);
    clone->Visual()->SetLocked(true);
    clone->SetParent(host);
    FSelections.push_back(clone->Visual());
  }
  const bool shown = !(FHideSelectionUnfocused && !IsFocused());
  for (std::size_t i = 0; i < FSelections.size(); ++i) {
    TvgVisualObject* band = FSelections[i];
    band->SetVisible(shown && i < bands.size());
    if (band->Visible())
      band->SetBounds(bands[i].Left, bands[i].Top, vgRectWidth(bands[i]), vgRectHeight(bands[i]));
  }
}

void TvgTreeView::ApplyStyle() {
  inherited::ApplyStyle();
  TvgObject* part = FindResource("selection");
  FSelection = part && part->IsVisual() ? part->Visual() : nullptr;
  if (FSelection) FSelection->SetVisible(false);
  UpdateSelection();
}

void TvgTreeView::FreeStyle() {
  // The bands are children of the style and go with it.
  FSelection = nullptr;
  FSelections.clear();
  inherited::FreeStyle();
}

void TvgTreeView::HScrollChange(rtl::TObject* sender) {
  inherited::HScrollChange(sender);
  UpdateSelection();
}

void TvgTreeView::VScrollChange(rtl::TObject* sender) {
  inherited::VScrollChange(sender);
  UpdateSelection();
}

void TvgTreeView::EnterFocus() {
  inherited::EnterFocus();
  if (FHideSelectionUnfocused && FSelected) UpdateSelection();
}

void TvgTreeView::KillFocus() {
  inherited::KillFocus();
  if (FHideSelectionUnfocused && FSelected) UpdateSelection();
}

// ----- keys and mouse

void TvgTreeView::KeyDown(std::uint16_t& key, char16_t& keyChar, TvgShiftState shift) {
  inherited::KeyDown(key, keyChar, shift);
  if (Count() == 0 || !FSelected || FGlobalList.empty()) return;
  const int index = FSelected->GlobalIndex();
  switch (key) {
    case kKeyEnd: SetSelected(FGlobalList.back()); break;
    case kKeyHome: SetSelected(FGlobalList.front()); break;
    case kKeyUp:
      if (index > 0) SetSelected(ItemByGlobalIndex(index - 1));
      break;
    case kKeyDown:
      if (index < GlobalCount() - 1) SetSelected(ItemByGlobalIndex(index + 1));
      break;
    case kKeyAdd: FSelected->SetIsExpanded(true); break;
    case kKeySubtract: FSelected->SetIsExpanded(false); break;
    default: return;
  }
  key = 0;
}

void TvgTreeView::MouseDown(TvgMouseButton button, TvgShiftState shift, float x, float y) {
  inherited::MouseDown(button, shift, x, y);
  if (button != vgMouseLeft) return;
  TvgTreeViewItem* item = ItemByPoint(x, y);
  if (!item) return;
  if (FMultiSelect) {
    if (shift & vgCtrl) {
      item->SetIsSelected(!item->IsSelected());
    } else {
      if (shift & vgShift)
        SelectRange(FSelected, item);
      else
        ClearSelection();
      // SetSelected leaves the current item alone: mark it again after clearing.
      if (item == FSelected) item->SetIsSelected(true);
      SetSelected(item);
    }
  } else if (item != FSelected) {
    SetSelected(item);
  } else if (FAllowDrag) {
    if (IvgScene* scene = GetScene()) {
      std::unique_ptr<TvgBitmap> image(MakeScreenshot());
      scene->BeginVCLDrag(item, image.get());
    }
  }
  Watch(FFirstSelect, item);
}

void TvgTreeView::MouseUp(TvgMouseButton button, TvgShiftState shift, float x, float y) {
  inherited::MouseUp(button, shift, x, y);
  Watch(FFirstSelect, nullptr);
}

// ----- drag and drop

// Refuses drops that would put an item inside its own subtree.
bool TvgTreeView::CanDropInto(const rtl::TObject* source, TvgTreeViewItem* target) const {
  auto* item = dynamic_cast<const TvgTreeViewItem*>(source);
  if (!item || item->TreeView() != this) return false;
  return !target || !target->IsAncestorOrSelf(item);
}

void TvgTreeView::DragOver(const TvgDragObject& data, TvgPoint point, bool& accept) {
  inherited::DragOver(data, point, accept);
  const TvgPoint local = AbsoluteToLocal(point);
  TvgTreeViewItem* item = ItemByPoint(local.X, local.Y);
  if (item != FDragItem) {
    if (FDragItem) FDragItem->DragLeave();
    Watch(FDragItem, item);
    if (item) item->DragEnter(data, point);
  }
  accept = item && item != FSelected && CanDropInto(data.Source, item);
}

void TvgTreeView::DragDrop(const TvgDragObject& data, TvgPoint point) {
  inherited::DragDrop(data, point);
  if (FDragItem) {
    FDragItem->DragLeave();
    Watch(FDragItem, nullptr);
  }
  auto* source = dynamic_cast<TvgObject*>(data.Source);
  const TvgPoint local = AbsoluteToLocal(point);
  TvgTreeViewItem* target = ItemByPoint(local.X, local.Y);
  if (!source || !CanDropInto(source, target)) return;
  bool allow = true;
  OnDragChange(AsItem(source), target, allow);
  if (!allow) return;
  if (target) {
    if (!target->IsExpanded()) target->SetIsExpanded(true);
    source->SetParent(target);
  } else {
    AddObject(source);
  }
  Realign();
}

void RegisterTreeViewClasses() {
  RegisterVGObjects("Trees", {TvgTreeView::StaticClass()});
  RegisterVGObjects("Items", {TvgTreeViewItem::StaticClass()});
}

}  // namespace vg
