#include "ui/controls/vg_listbox.h"

#include <algorithm>

#include "platform/rtl/TextCase.h"
#include "platform/rtl/TextCompare.h"
#include "ui/controls/vg_checkbox.h"
#include "ui/controls/vg_panels.h"
#include "ui/core/vg_canvas.h"
#include "ui/core/vg_keys.h"

namespace vg {

namespace {

constexpr TvgColor kOddRowColor = 0x20000000;

TvgListBoxItem* AsItem(TvgObject* node) { return dynamic_cast<TvgListBoxItem*>(node); }

char16_t LowerUnit(char16_t c) {
  const rtl::WideString lower = rtl::WideLowerCase(std::u16string_view(&c, 1));
  return lower.size() == 1 ? lower[0] : c;
}

}  // namespace

// ----- TvgListBoxItem

TvgListBoxItem::TvgListBoxItem(rtl::TComponent* owner) : TvgTextControl(owner) {
  SetBounds(5000, 5000, 19, 19);
  SetTextAlign(vgTextAlignNear);
  FAutoTranslate = true;
  SetHitTest(false);
}

TvgListBoxItem::~TvgListBoxItem() { TearDown(); }

void TvgListBoxItem::Publish(rtl::TPublisher<TvgListBoxItem>& p) {
  using T = TvgListBoxItem;
  p.Property("IsChecked", &T::IsChecked, &T::SetIsChecked).Default(false);
  p.Property("IsSelected", &T::IsSelected, &T::SetIsSelected).Default(false);
  p.Property("AutoTranslate", &T::AutoTranslate, &T::SetAutoTranslate).Default(true);
  p.Property("Font", &T::Font, &T::SetFont);
  p.Property("Resource", &T::Resource, &T::SetResource);
  p.Property("Text", &T::Text, &T::SetText);
  p.Property("TextAlign", &T::TextAlign, &T::SetTextAlign).Default(vgTextAlignNear);
  p.Property("WordWrap", &T::WordWrap, &T::SetWordWrap).Default(false);
}

TvgListBox* TvgListBoxItem::ListBox() const {
  for (TvgObject* node = Parent(); node; node = node->Parent())
    if (auto* list = dynamic_cast<TvgListBox*>(node)) return list;
  return nullptr;
}

void TvgListBoxItem::SetIsSelected(bool value) {
  if (value == FIsSelected) return;
  FIsSelected = value;
  StartTriggerAnimation(this, "IsSelected");
  TvgListBox* list = ListBox();
  if (!list) return;
  if (list->MultiSelect())
    list->UpdateSelection();
  else if (value)
    list->SetItemIndex(Index());
  else if (list->ItemIndex() == Index())
    list->SetItemIndex(-1);
  else
    list->UpdateSelection();
}

void TvgListBoxItem::SetIsChecked(bool value) {
  if (value == FIsChecked) return;
  FIsChecked = value;
  if (FCheck) FCheck->SetIsChecked(value);
}

void TvgListBoxItem::UpdateCheck() {
  if (FCheck) {
    TvgListBox* list = ListBox();
    FCheck->SetVisible(list && list->ShowCheckboxes());
  }
  for (TvgObject* child : Children())
    if (auto* item = AsItem(child)) item->UpdateCheck();
}

void TvgListBoxItem::ApplyStyle() {
  inherited::ApplyStyle();
  FCheck = dynamic_cast<TvgCheckBox*>(FindResource("check"));
  if (FCheck) {
    FCheck->SetIsChecked(FIsChecked);
    FCheck->OnChange = [this](rtl::TObject* sender) { DoCheckClick(sender); };
    UpdateCheck();
  }
  StartTriggerAnimation(this, "IsSelected");
}

void TvgListBoxItem::FreeStyle() {
  inherited::FreeStyle();
  FCheck = nullptr;
}

// Only a change made on the check box itself counts as a click: setting
// IsChecked in code stores the state before it reaches the box.
void TvgListBoxItem::DoCheckClick(rtl::TObject*) {
  if (!FCheck || FCheck->IsChecked() == FIsChecked) return;
  FIsChecked = FCheck->IsChecked();
  TvgListBox* list = ListBox();
  if (!list) return;
  list->SetFocus();
  list->SetItemIndex(Index());
  list->OnChangeCheck(this);
}

bool TvgListBoxItem::EnterFocusChildren(TvgVisualObject*) {
  if (TvgListBox* list = ListBox()) {
    if (list->MultiSelect()) list->ClearSelection();
    list->SetItemIndex(Index());
  }
  return true;
}

void TvgListBoxItem::DragEnd() {
  inherited::DragEnd();
  DragLeave();
  if (TvgListBox* list = ListBox()) list->ForgetDragItem();
}

// ----- TvgListBox

TvgListBox::TvgListBox(rtl::TComponent* owner)
    : TvgScrollBox(owner), FOddFill(new TvgBrush(vgBrushSolid, kOddRowColor)), FBackgroundBitmap(new TvgBitmap) {
  Content()->SetDisableDefaultAlign(true);
  FCanFocused = true;
  SetAutoCapture(true);
  SetWidth(100);
  SetHeight(100);
}

TvgListBox::~TvgListBox() { TearDown(); }

void TvgListBox::Publish(rtl::TPublisher<TvgListBox>& p) {
  using T = TvgListBox;
  p.Property("Resource", &T::Resource, &T::SetResource);
  p.Property("AllowDrag", &T::AllowDrag, &T::SetAllowDrag).Default(false);
  p.Property("CanFocused", &T::CanFocused, &T::SetCanFocused).Default(true);
  p.Property("DisableFocusEffect", &T::DisableFocusEffect, &T::SetDisableFocusEffect).Default(false);
  p.Property("TabOrder", &T::GetTabOrder, &T::SetTabOrder);
  p.Property("Background", &T::Background, &T::SetBackground).Default(false);
  p.Property("AlternatingRowBackground", &T::AlternatingRowBackground, &T::SetAlternatingRowBackground)
      .Default(false);
  p.Property("Columns", &T::Columns, &T::SetColumns).Default(1);
  p.Property("HideSelectionUnfocused", &T::HideSelectionUnfocused, &T::SetHideSelectionUnfocused).Default(true);
  p.Property("ItemIndex", &T::ItemIndex, &T::SetItemIndex).Default(-1);
  p.Property("ItemWidth", &T::ItemWidth, &T::SetItemWidth).Default(0.0f);
  p.Property("ItemHeight", &T::ItemHeight, &T::SetItemHeight).Default(0.0f);
  p.Property("ListStyle", &T::ListStyle, &T::SetListStyle).Default(vgListVertical);
  p.Property("MultiSelect", &T::MultiSelect, &T::SetMultiSelect).Default(false);
  p.Property("Sorted", &T::Sorted, &T::SetSorted).Default(false);
  p.Property("ShowCheckboxes", &T::ShowCheckboxes, &T::SetShowCheckboxes).Default(false);
  p.Property("BindingSource", &T::BindingSource, &T::SetBindingSource);
  p.Property("OnChange", &T::OnChange);
  p.Property("OnChangeCheck", &T::OnChangeCheck);
}

int TvgListBox::Count() const { return Content() ? Content()->ChildrenCount() : 0; }

TvgListBoxItem* TvgListBox::ItemByIndex(int index) const {
  if (index < 0 || index >= Count()) return nullptr;
  return AsItem(Content()->GetChild(index));
}

std::vector<TvgListBoxItem*> TvgListBox::Items() const {
  std::vector<TvgListBoxItem*> items;
  for (int i = 0; i < Count(); ++i)
    if (TvgListBoxItem* item = ItemByIndex(i)) items.push_back(item);
  return items;
}

TvgListBoxItem* TvgListBox::ItemByPoint(float x, float y) {
  LayOutHeldItems();
  for (TvgListBoxItem* item : Items())
    if (item->PointInObject(x, y)) return item;
  return nullptr;
}

void TvgListBox::AddObject(TvgObject* child) {
  const bool item = AsItem(child) || dynamic_cast<TvgSelectionItem*>(child);
  if (item && Content())
    Content()->AddObject(child);
  else
    inherited::AddObject(child);
}

// ----- current item and selection

void TvgListBox::SetItemIndex(int value) {
  if (value == FItemIndex) return;
  if (!FMultiSelect)
    if (TvgListBoxItem* old = Selected()) old->SetIsSelected(false);
  FItemIndex = value;
  if (TvgListBoxItem* item = Selected()) {
    ScrollIntoView(item);
    item->SetIsSelected(true);
  }
  if (Updating() == 0) {
    ToBindingObjects();
    OnChange(Selected());
  }
  UpdateSelection();
}

void TvgListBox::Clear() {
  BeginUpdate();
  for (int i = Count() - 1; i >= 0; --i)
    if (TvgListBoxItem* item = ItemByIndex(i)) item->Free();
  SetScrollDesign({0, 0});
  EndUpdate();
}

void TvgListBox::SelectRange(TvgListBoxItem* item1, TvgListBoxItem* item2) {
  if (!item1 || !item2) return;
  const int low = std::min(item1->Index(), item2->Index());
  const int high = std::max(item1->Index(), item2->Index());
  for (TvgListBoxItem* item : Items()) item->SetIsSelected(item->Index() >= low && item->Index() <= high);
}

void TvgListBox::ClearSelection() {
  for (TvgListBoxItem* item : Items()) item->SetIsSelected(false);
}

void TvgListBox::SelectAll() {
  for (TvgListBoxItem* item : Items()) item->SetIsSelected(true);
}

void TvgListBox::SortItems() {
  if (!FSorted || !Content()) return;
  Content()->Sort([this](TvgObject* a, TvgObject* b) {
    TvgListBoxItem* item1 = AsItem(a);
    TvgListBoxItem* item2 = AsItem(b);
    if (!item1 || !item2) return false;
    const int order = OnCompare ? OnCompare(item1, item2) : rtl::WideCompareText(item1->Text(), item2->Text());
    return order < 0;
  });
}

void TvgListBox::Exchange(TvgListBoxItem* item1, TvgListBoxItem* item2) {
  if (!item1 || !item2 || !Content()) return;
  if (item1 == Selected())
    FItemIndex = item2->Index();
  else if (item2 == Selected())
    FItemIndex = item1->Index();
  Content()->Exchange(item1, item2);
}

// Inside an update the marks wait for its end, which lays the list out.
void TvgListBox::UpdateSelection() {
  if (!FSelection || Updating() > 0) return;
  TvgObject* parent = FSelection->Parent();
  if (!parent || !parent->IsVisual()) return;
  TvgVisualObject* frame = parent->Visual();
  const TvgRect listRect = GetAbsoluteRect();
  std::vector<TvgRect> marks;
  TvgListBoxItem* previous = nullptr;
  for (TvgListBoxItem* item : Items()) {
    const bool mark = item->IsSelected() && vgIntersectRect(item->GetAbsoluteRect(), listRect);
    if (mark) {
      const TvgPoint topLeft = frame->AbsoluteToLocal(item->LocalToAbsolute({0, 0}));
      const TvgRect r{topLeft.X, topLeft.Y, topLeft.X + item->Width(), topLeft.Y + item->Height()};
      if (previous && previous->IsSelected() && !marks.empty())
        marks.back() = vgUnionRect(marks.back(), r);
      else
        marks.push_back(r);
    }
    previous = item;
  }
  while (FSelections.size() < marks.size()) {
    TvgObject* clone = FSelection->Clone(nullptr);
    clone->SetResourceName("");
    clone->SetStored(false);
    clone->SetParent(parent);
    FSelections.push_back(clone->Visual());
  }
  const bool shown = !FHideSelectionUnfocused || IsFocused();
  for (std::size_t i = 0; i < FSelections.size(); ++i) {
    TvgVisualObject* clone = FSelections[i];
    if (i >= marks.size()) {
      clone->SetVisible(false);
      continue;
    }
    clone->SetVisible(shown);
    if (shown)
      clone->SetBounds(marks[i].Left, marks[i].Top, vgRectWidth(marks[i]), vgRectHeight(marks[i]));
  }
}

void TvgListBox::ScrollIntoView(TvgListBoxItem* item) {
  LayOutHeldItems();
  TvgVisualObject* layout = ContentLayout();
  if (!layout || !Content()) return;
  const TvgRect view = ContentRect();
  const TvgBounds& pad = *item->Padding();
  if (TvgScrollBar* bar = VScrollBar(); bar && HScrollBar()) {
    const float contentTop = Content()->Position()->Y();
    const float top = item->Position()->Y();
    const float bottom = contentTop + top + pad.Top() + pad.Bottom() + item->Height();
    if (bottom > view.Bottom) bar->SetValue(bar->Value() + bottom - view.Bottom);
    if (contentTop + top < view.Top) bar->SetValue(top + contentTop + bar->Value() - view.Top);
  }
  if (TvgScrollBar* bar = HScrollBar(); bar && VScrollBar()) {
    const float contentLeft = Content()->Position()->X();
    const float left = item->Position()->X();
    const float right = contentLeft + left + pad.Left() + pad.Right() + item->Width();
    if (right > view.Right) bar->SetValue(bar->Value() + right - view.Right);
    if (contentLeft + left < 0) bar->SetValue(left + contentLeft + bar->Value() - view.Left);
  }
}

// ----- properties

void TvgListBox::SetColumns(int value) {
  if (value == FColumns) return;
  FColumns = std::max(value, 1);
  Realign();
}

void TvgListBox::SetItemWidth(float value) {
  if (value == FItemWidth) return;
  FItemWidth = value;
  Realign();
}

void TvgListBox::SetItemHeight(float value) {
  if (value == FItemHeight) return;
  FItemHeight = value;
  Realign();
}

void TvgListBox::SetListStyle(TvgListStyle value) {
  if (value == FListStyle) return;
  FListStyle = value;
  Realign();
}

void TvgListBox::SetSorted(bool value) {
  if (value == FSorted) return;
  FSorted = value;
  Realign();
}

void TvgListBox::SetMultiSelect(bool value) {
  if (value == FMultiSelect) return;
  FMultiSelect = value;
  if (!value) ClearSelection();
}

void TvgListBox::SetShowCheckboxes(bool value) {
  if (value == FShowCheckboxes) return;
  FShowCheckboxes = value;
  for (TvgListBoxItem* item : Items()) item->UpdateCheck();
}

void TvgListBox::SetAllowDrag(bool value) {
  if (value == FAllowDrag) return;
  FAllowDrag = value;
  if (value) DragDisableHighlight = true;
}

void TvgListBox::SetBackground(bool value) {
  if (value == FBackground) return;
  FBackground = value;
  Repaint();
}

void TvgListBox::SetAlternatingRowBackground(bool value) {
  if (value == FAlternatingRowBackground) return;
  FAlternatingRowBackground = value;
  Repaint();
}

void TvgListBox::AddBackgroundBitmap(const std::string& fileName) {
  auto bitmap = std::make_unique<TvgBitmap>();
  bitmap->LoadFromFile(fileName, 0);
  FBackgroundBitmap.reset(bitmap.release());
}

rtl::Variant TvgListBox::GetData() {
  TvgListBoxItem* item = Selected();
  return rtl::Variant(item ? item->Text() : rtl::WideString{});
}

void TvgListBox::SetData(const rtl::Variant& value) {
  if (TvgListBoxItem* item = Selected()) item->SetText(value.AsWideString());
}

// ----- keyboard and mouse

int TvgListBox::ItemStartingWith(char16_t letter) const {
  const char16_t wanted = LowerUnit(letter);
  for (int i = 0; i < Count(); ++i) {
    TvgListBoxItem* item = ItemByIndex(i);
    if (item && !item->Text().empty() && LowerUnit(item->Text()[0]) == wanted) return i;
  }
  return -1;
}

void TvgListBox::KeyDown(std::uint16_t& key, char16_t& keyChar, TvgShiftState shift) {
  inherited::KeyDown(key, keyChar, shift);
  const int count = Count();
  if (count == 0) return;
  if (keyChar != 0) {
    if (const int match = ItemStartingWith(keyChar); match >= 0) SetItemIndex(match);
    keyChar = 0;
  }
  switch (key) {
    case kKeyHome:
      SetItemIndex(0);
      break;
    case kKeyEnd:
      SetItemIndex(std::max(count - FColumns, 0));
      break;
    case kKeyLeft:
      if (FItemIndex > 0) SetItemIndex(FItemIndex - 1);
      break;
    case kKeyRight:
      if (FItemIndex < count - 1) SetItemIndex(FItemIndex + 1);
      break;
    case kKeyUp:
      if (FItemIndex > 0) SetItemIndex(std::max(FItemIndex - FColumns, 0));
      break;
    case kKeyDown:
      if (FItemIndex < count - 1) SetItemIndex(std::min(FItemIndex + FColumns, count - 1));
      break;
    default:
      return;
  }
  key = 0;
}

void TvgListBox::PressItem(TvgListBoxItem* item, TvgShiftState shift) {
  if (FMultiSelect) {
    if (shift & vgCtrl) {
      item->SetIsSelected(!item->IsSelected());
    } else if (shift & vgShift) {
      SelectRange(Selected(), item);
      SetItemIndex(item->Index());
    } else {
      ClearSelection();
      item->SetIsSelected(true);
      SetItemIndex(item->Index());
    }
    FFirstSelect = item;
  } else if (item != Selected()) {
    SetItemIndex(item->Index());
  } else if (FAllowDrag && FScene) {
    FScene->BeginVCLDrag(item, MakeScreenshot());
  }
}

void TvgListBox::MouseDown(TvgMouseButton button, TvgShiftState shift, float x, float y) {
  inherited::MouseDown(button, shift, x, y);
  if (button != vgMouseLeft || MouseTracking()) return;
  const TvgPoint at = LocalToAbsolute({x, y});
  if (TvgListBoxItem* item = ItemByPoint(at.X, at.Y)) {
    PressItem(item, shift);
    if (shift & vgDouble)
      item->OnDblClick(item);
    else
      item->OnClick(item);
  }
  FMouseSelecting = true;
}

void TvgListBox::MouseMove(TvgShiftState shift, float x, float y, float dx, float dy) {
  inherited::MouseMove(shift, x, y, dx, dy);
  if (!FMouseSelecting || !(shift & vgLeftButton)) return;
  const TvgPoint at = LocalToAbsolute({x, y});
  TvgListBoxItem* item = ItemByPoint(at.X, at.Y);
  if (!item || item == Selected()) return;
  if (FMultiSelect) {
    if (shift & vgCtrl)
      item->SetIsSelected(!item->IsSelected());
    else
      SelectRange(FFirstSelect, item);
  }
  SetItemIndex(item->Index());
}

void TvgListBox::MouseUp(TvgMouseButton button, TvgShiftState shift, float x, float y) {
  inherited::MouseUp(button, shift, x, y);
  FFirstSelect = nullptr;
  if (MouseTracking() && LastDelta().X == 0 && LastDelta().Y == 0) {
    const TvgPoint at = LocalToAbsolute({x, y});
    if (TvgListBoxItem* item = ItemByPoint(at.X, at.Y)) SetItemIndex(item->Index());
  }
  FMouseSelecting = false;
}

void TvgListBox::DragOver(const TvgDragObject& data, TvgPoint point, bool& accept) {
  inherited::DragOver(data, point, accept);
  TvgListBoxItem* item = ItemByPoint(point.X, point.Y);
  if (!item) {
    accept = false;
    return;
  }
  if (item != FDragItem) {
    if (FDragItem) FDragItem->DragLeave();
    FDragItem = item;
    item->DragEnter(data, point);
  }
  accept = item != Selected();
}

void TvgListBox::DragDrop(const TvgDragObject& data, TvgPoint point) {
  inherited::DragDrop(data, point);
  if (FDragItem) {
    FDragItem->DragLeave();
    FDragItem = nullptr;
  }
  TvgListBoxItem* target = ItemByPoint(point.X, point.Y);
  auto* source = dynamic_cast<TvgListBoxItem*>(data.Source);
  if (!target || !source || target == Selected()) return;
  bool allow = true;
  OnDragChange(source, target, allow);
  if (allow) Exchange(source, target);
}

void TvgListBox::EnterFocus() {
  inherited::EnterFocus();
  if (FHideSelectionUnfocused && Selected()) UpdateSelection();
}

void TvgListBox::KillFocus() {
  inherited::KillFocus();
  if (FHideSelectionUnfocused && Selected()) UpdateSelection();
}

// ----- scroll box hooks

void TvgListBox::ContentAddObject(TvgObject* child) {
  if (auto* item = AsItem(child)) item->UpdateCheck();
}

void TvgListBox::ContentBeforeRemoveObject(TvgObject* child) {
  TvgListBoxItem* item = AsItem(child);
  if (!item) return;
  if (item->Index() < FItemIndex) {
    --FItemIndex;
    UpdateSelection();
  }
  item->SetIsSelected(false);
}

void TvgListBox::ContentRemoveObject(TvgObject* child) {
  if (AsItem(child)) UpdateSelection();
}

void TvgListBox::HScrollChange(rtl::TObject* sender) {
  inherited::HScrollChange(sender);
  UpdateSelection();
}

void TvgListBox::VScrollChange(rtl::TObject* sender) {
  inherited::VScrollChange(sender);
  UpdateSelection();
}

void TvgListBox::ApplyStyle() {
  inherited::ApplyStyle();
  TvgObject* selection = FindResource("selection");
  FSelection = selection && selection->IsVisual() ? selection->Visual() : nullptr;
  FSelections.clear();
  if (FSelection) FSelection->SetVisible(false);
  if (TvgObject* odd = FindResource("AlternatingRowBackground")) {
    if (auto* brush = dynamic_cast<TvgBrushObject*>(odd)) FOddFill->Assign(brush->Brush());
    if (odd->IsVisual()) odd->Visual()->SetVisible(false);
  }
  UpdateSelection();
}

// The clones are children of the style and go with it.
void TvgListBox::FreeStyle() {
  inherited::FreeStyle();
  FSelection = nullptr;
  FSelections.clear();
}

// ----- layout

void TvgListBox::Realign() {
  if (FHoldingLayout) {
    FLayoutHeld = true;
    return;
  }
  FLayoutHeld = false;
  inherited::Realign();
}

void TvgListBox::LayOutHeldItems() {
  if (FLayoutHeld && !FHoldingLayout) Realign();
}

void TvgListBox::BeforePaint() {
  inherited::BeforePaint();
  LayOutHeldItems();
}

TvgRect TvgListBox::GetContentBounds() {
  TvgVisualObject* layout = ContentLayout();
  if (Updating() > 0 || !layout || !Content()) return GetLocalRect();
  SortItems();
  if (!FMultiSelect)
    if (TvgListBoxItem* item = Selected()) item->SetIsSelected(true);
  const TvgRect view = layout->GetLocalRect();
  TvgRect bounds = view;
  if (FListStyle == vgListVertical)
    LayoutRows(view, bounds);
  else
    LayoutColumns(view, bounds);
  UpdateSelection();
  return bounds;
}

void TvgListBox::LayoutRows(const TvgRect& view, TvgRect& bounds) {
  const std::vector<TvgListBoxItem*> items = Items();
  if (FItemWidth != 0) FColumns = std::max(static_cast<int>(vgRectWidth(view) / FItemWidth), 1);
  for (TvgListBoxItem* item : items) {
    if (FItemWidth != 0) item->SetWidth(FItemWidth);
    if (FItemHeight != 0) item->SetHeight(FItemHeight);
  }
  const float columnWidth = FItemWidth != 0 ? FItemWidth : vgRectWidth(view) / float(FColumns);
  float top = 0;
  for (std::size_t first = 0; first < items.size(); first += FColumns) {
    const std::size_t end = std::min(first + FColumns, items.size());
    float rowHeight = 0;
    for (std::size_t i = first; i < end; ++i) {
      const TvgBounds& pad = *items[i]->Padding();
      rowHeight = std::max(rowHeight, items[i]->Height() + pad.Top() + pad.Bottom());
    }
    for (std::size_t i = first; i < end; ++i) {
      TvgListBoxItem* item = items[i];
      const TvgBounds& pad = *item->Padding();
      const float height = rowHeight - pad.Top() - pad.Bottom();
      item->SetBounds(float(i - first) * columnWidth + pad.Left(), top + pad.Top(),
                      columnWidth - pad.Left() - pad.Right(), height);
    }
    top += rowHeight;
  }
  if (top > 0) bounds.Bottom = bounds.Top + top;
  if (FItemWidth != 0) bounds.Right = bounds.Left + FItemWidth * float(FColumns);
}

void TvgListBox::LayoutColumns(const TvgRect& view, TvgRect& bounds) {
  const std::vector<TvgListBoxItem*> items = Items();
  const float viewHeight = vgRectHeight(view) - Padding()->Top() - Padding()->Bottom();
  if (FItemHeight != 0) FColumns = std::max(static_cast<int>(viewHeight / FItemHeight), 1);
  for (TvgListBoxItem* item : items) {
    if (FItemHeight != 0) item->SetHeight(FItemHeight);
    if (FItemWidth != 0) item->SetWidth(FItemWidth);
  }
  if (FItemIndex > Count() - 1) FItemIndex = Count() - 1;
  const float rowHeight = FItemHeight != 0 ? FItemHeight : vgRectHeight(view) / float(FColumns);
  float left = 0;
  for (std::size_t first = 0; first < items.size(); first += FColumns) {
    const std::size_t end = std::min(first + FColumns, items.size());
    float columnWidth = 0;
    for (std::size_t i = first; i < end; ++i) {
      const TvgBounds& pad = *items[i]->Padding();
      columnWidth = std::max(columnWidth, items[i]->Width() + pad.Left() + pad.Right());
    }
    for (std::size_t i = first; i < end; ++i) {
      TvgListBoxItem* item = items[i];
      const TvgBounds& pad = *item->Padding();
      item->SetBounds(left + pad.Left(), float(i - first) * rowHeight + pad.Top(),
                      columnWidth - pad.Left() - pad.Right(), rowHeight - pad.Top() - pad.Bottom());
    }
    left += columnWidth;
  }
  if (left > 0) bounds.Right = bounds.Left + left;
  if (FItemHeight != 0) bounds.Bottom = bounds.Top + FItemHeight * float(FColumns);
}

// ----- painting

void TvgListBox::ContentPaint(TvgCanvas& canvas, const TvgRect& rect) {
  if (!ContentLayout()) return;
  if (FBackground && !FBackgroundBitmap->IsEmpty()) {
    TvgBrush brush(vgBrushBitmap, 0);
    brush.Bitmap()->Bitmap()->Assign(FBackgroundBitmap.get());
    canvas.Fill()->Assign(&brush);
    canvas.FillRect(rect, 0, 0, AllCorners, GetAbsoluteOpacity());
  }
  if (FAlternatingRowBackground) PaintOddRows(canvas, rect);
}

void TvgListBox::PaintOddRows(TvgCanvas& canvas, const TvgRect& rect) {
  const int count = Count();
  if (count == 0) return;
  canvas.Fill()->Assign(FOddFill.get());
  for (int row = 1; row <= count / FColumns; row += 2) {
    if (row >= count && count >= 2) continue;
    TvgListBoxItem* first = ItemByIndex(std::min(row * FColumns, count - 1));
    if (!first) continue;
    const TvgPoint at = Content()->AbsoluteToLocal(first->LocalToAbsolute({0, 0}));
    const TvgRect band{at.X, at.Y, at.X + ContentLayout()->Width(), at.Y + first->Height()};
    if (vgIntersectRect(band, rect)) canvas.FillRect(band, 0, 0, AllCorners, GetAbsoluteOpacity());
  }
}

// ----- TvgHorzListBox

TvgHorzListBox::TvgHorzListBox(rtl::TComponent* owner) : TvgListBox(owner) {
  SetResource("listboxstyle");
  SetListStyle(vgListHorizontal);
}

TvgHudHorzListBox::TvgHudHorzListBox(rtl::TComponent* owner) : TvgHorzListBox(owner) {
  SetResource("hudlistboxstyle");
}

// ----- TvgStringListBox

TvgStringListBox::TvgStringListBox(rtl::TComponent* owner)
    : TvgListBox(owner), FItems(new TvgItemStrings), FFont(new TvgFont) {
  FAutoTranslate = true;
  FItems->OnChange = [this](rtl::TObject*) { ItemsChanged(); };
  FFont->OnChanged = [this](rtl::TObject* sender) { FontChanged(sender); };
  SetItemHeight(19);
  SetResource("listboxstyle");
}

TvgStringListBox::~TvgStringListBox() { TearDown(); }

void TvgStringListBox::Publish(rtl::TPublisher<TvgStringListBox>& p) {
  using T = TvgStringListBox;
  p.Property("AutoTranslate", &T::AutoTranslate, &T::SetAutoTranslate).Default(true);
  p.Property("TextAlign", &T::TextAlign, &T::SetTextAlign);
  p.Property("Font", &T::Font, &T::SetFont);
  p.Property("Items", &T::Items, &T::SetItems);
  p.Property("ItemIndex", &T::ItemIndex, &T::SetItemIndex).Default(-1);
}

void TvgStringListBox::SetTextAlign(TvgTextAlign value) {
  if (value == FTextAlign) return;
  FTextAlign = value;
  if (!IsLoading()) RebuildList();
}

void TvgStringListBox::RebuildList() {
  if (Updating() > 0 || IsDestroying() || !FItems) return;
  TvgListBox::BeginUpdate();
  const TvgPoint scroll = ScrollDesign();
  const int index = ItemIndex();
  Clear();
  for (int i = 0; i < FItems->Count(); ++i) AddStringItem(FItems->Strings(i));
  StoreItemIndex(index);
  SetScrollDesign(scroll);
  {
    // The parts' own ends of the update would lay the list out as well.
    TLayoutHold hold(*this);
    TvgListBox::EndUpdate();
  }
  LayOutHeldItems();
}

void TvgStringListBox::AddStringItem(const rtl::WideString& text) {
  // The item's parent frees it. An owner would tell each of its earlier
  // items about every new one (and every leaving one).
  auto* item = new TvgListBoxItem(nullptr);
  item->SetParent(this);
  item->BeginUpdate();  // its style waits for its first paint
  item->SetAutoTranslate(AutoTranslate());
  item->SetHeight(ItemHeight());
  item->SetStored(false);
  item->SetLocked(true);
  item->SetText(text);
  item->SetFont(FFont.get());
  item->SetResource(FItemStyle);
  item->SetTextAlign(FTextAlign);
  item->EndUpdate();
}

void TvgStringListBox::ItemsChanged() {
  if (Updating() == 0 && !IsDestroying() && !FollowItemsChange()) RebuildList();
}

bool TvgStringListBox::FollowItemsChange() {
  const TvgItemStrings::TChange change = FItems->LastChange();
  if (change.Kind == TvgItemStrings::ckAppended && change.Index == Count()) {
    TLayoutHold hold(*this);
    AddStringItem(FItems->Strings(change.Index));
    Repaint();
    return true;
  }
  if (change.Kind == TvgItemStrings::ckReplaced && FItems->Count() == Count()) {
    if (TvgListBoxItem* item = ItemByIndex(change.Index)) item->SetText(FItems->Strings(change.Index));
    return true;
  }
  return false;
}

// The rebuild after the outermost end lays the list out once.
void TvgStringListBox::EndUpdate() {
  const bool outermost = Updating() == 1;
  {
    TLayoutHold hold(*this);
    inherited::EndUpdate();
  }
  if (outermost) RebuildList();
}

void TvgStringListBox::SortItems() {
  if (Sorted()) FItems->SetSorted(true);
}

void TvgStringListBox::FontChanged(rtl::TObject*) {
  for (int i = 0; i < Count(); ++i)
    if (TvgListBoxItem* item = ItemByIndex(i)) item->SetFont(FFont.get());
}

rtl::Variant TvgStringListBox::GetData() {
  const int index = ItemIndex();
  return rtl::Variant(index >= 0 && index < FItems->Count() ? FItems->Strings(index) : rtl::WideString{});
}

void TvgStringListBox::SetData(const rtl::Variant& value) {
  const int index = ItemIndex();
  if (index >= 0 && index < FItems->Count()) FItems->SetStrings(index, value.AsWideString());
}

TvgHudStringListBox::TvgHudStringListBox(rtl::TComponent* owner) : TvgStringListBox(owner) {
  SetResource("hudlistboxstyle");
  SetItemStyle("hudlistboxitemstyle");
}

}  // namespace vg
