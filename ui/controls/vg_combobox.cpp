#include "ui/controls/vg_combobox.h"

#include <algorithm>
#include <string>

#include "platform/rtl/Exceptions.h"
#include "ui/controls/vg_panels.h"
#include "ui/core/vg_canvas.h"
#include "ui/core/vg_keys.h"

namespace vg {

// ----- TvgComboListBox

TvgComboListBox::TvgComboListBox(rtl::TComponent* owner) : TvgListBox(owner) { SetHideSelectionUnfocused(false); }

void TvgComboListBox::SetComboBox(TvgControl* owner, std::function<void(int)> choose) {
  FComboBox = owner;
  FChoose = std::move(choose);
}

TvgPopup* TvgComboListBox::OpenPopup() const {
  auto* popup = dynamic_cast<TvgPopup*>(Parent());
  return popup && popup->IsOpen() ? popup : nullptr;
}

void TvgComboListBox::KeyDown(std::uint16_t& key, char16_t& keyChar, TvgShiftState shift) {
  inherited::KeyDown(key, keyChar, shift);
  if (key != vgKeyReturn) return;
  TvgPopup* popup = OpenPopup();
  if (!popup) return;
  if (FChoose) FChoose(ItemIndex());
  popup->ClosePopup();
}

void TvgComboListBox::MouseUp(TvgMouseButton button, TvgShiftState shift, float x, float y) {
  inherited::MouseUp(button, shift, x, y);
  TvgPopup* popup = OpenPopup();
  if (!popup) return;
  if (vgPtInRect({x, y}, GetLocalRect())) {
    const TvgPoint at = LocalToAbsolute({x, y});
    if (TvgListBoxItem* item = ItemByPoint(at.X, at.Y); item && FChoose) FChoose(item->Index());
  }
  popup->ClosePopup();
}

namespace {

// Sizes an item without telling its list and lays its parts out for that
// size: the face paints the chosen item at its own size, which the list
// may never have laid it out at.
void LayOutAt(TvgVisualObject& item, float width, float height) {
  if (item.Width() == width && item.Height() == height) return;
  item.SetSizeWithoutChange(width, height);
  item.Realign();
}

}  // namespace

// ----- TvgComboBox

// ----- drop-downs

TvgPopup* vgNewDropDown(TvgControl* box) {
  auto* popup = new TvgPopup(box);
  popup->SetPlacementTarget(box);
  popup->SetStaysOpen(false);
  popup->SetStored(false);
  popup->SetParent(box);
  popup->SetLocked(true);
  popup->SetDesignHide(true);
  return popup;
}

TvgComboListBox* vgNewDropDownList(TvgControl* box, TvgPopup* popup, std::function<void(int)> choose) {
  auto* list = new TvgComboListBox(box);
  list->SetParent(popup);
  list->SetComboBox(box, std::move(choose));
  list->SetStored(false);
  list->SetAlign(vaClient);
  list->SetShowCheckboxes(false);
  return list;
}

float vgDropDownHeight(const TvgListBox& list, int dropDownCount) {
  constexpr float kListInset = 4;
  const int shown = std::min(dropDownCount, list.Count());
  float height = kListInset;
  if (list.ItemHeight() > 0) return height + float(shown) * list.ItemHeight();
  for (int i = 0; i < shown; ++i)
    if (const TvgListBoxItem* item = list.ItemByIndex(i)) height += item->Height();
  return height;
}

// ----- TvgComboBox

TvgComboBox::TvgComboBox(rtl::TComponent* owner) : TvgControl(owner) {
  FCanFocused = true;
  FPopup = vgNewDropDown(this);
  FListBox = vgNewDropDownList(this, FPopup, [this](int index) { SetItemIndex(index); });
  SetWidth(100);
  SetHeight(22);
}

TvgComboBox::~TvgComboBox() { TearDown(); }

void TvgComboBox::Publish(rtl::TPublisher<TvgComboBox>& p) {
  using T = TvgComboBox;
  p.Property("CanFocused", &T::CanFocused, &T::SetCanFocused).Default(true);
  p.Property("DisableFocusEffect", &T::DisableFocusEffect, &T::SetDisableFocusEffect).Default(false);
  p.Property("TabOrder", &T::GetTabOrder, &T::SetTabOrder);
  p.Property("Resource", &T::Resource, &T::SetResource);
  p.Property("ItemIndex", &T::ItemIndex, &T::SetItemIndex).Default(-1);
  p.Property("ItemHeight", &T::ItemHeight, &T::SetItemHeight).Default(0.0f);
  p.Property("DropDownCount", &T::DropDownCount, &T::SetDropDownCount).Default(8);
  p.Property("Placement", &T::Placement, &T::SetPlacement).Default(vgPlacementBottom);
  p.Property("BindingSource", &T::BindingSource, &T::SetBindingSource);
  p.Property("ListBoxResource", &T::ListBoxResource, &T::SetListBoxResource);
  p.Property("OnChange", &T::OnChange);
}

int TvgComboBox::ItemIndex() const { return FListBox ? FListBox->ItemIndex() : -1; }
int TvgComboBox::Count() const { return FListBox ? FListBox->Count() : 0; }

void TvgComboBox::SetItemIndex(int value) {
  if (!FListBox) return;
  // A stream sets the index before it adds the items; anyone else gets the
  // list error rather than a combo that silently shows nothing.
  if ((value >= Count() || value < -1) && !ComponentState().Contains(rtl::csLoading))
    throw rtl::EListError("List index out of bounds (" + std::to_string(value) + ")");
  FListBox->SetItemIndex(value);
  ToBindingObjects();
  OnChange(this);
  UpdateEffects();
  Repaint();
}

float TvgComboBox::ItemHeight() const { return FListBox ? FListBox->ItemHeight() : 0; }

void TvgComboBox::SetItemHeight(float value) {
  if (FListBox) FListBox->SetItemHeight(value);
}

const std::string& TvgComboBox::ListBoxResource() const {
  static const std::string none;
  return FListBox ? FListBox->Resource() : none;
}

void TvgComboBox::SetListBoxResource(const std::string& value) {
  if (FListBox) FListBox->SetResource(value);
}

void TvgComboBox::DropDown() {
  if (FPopup->IsOpen()) {
    FPopup->ClosePopup();
    return;
  }
  FPopup->SetPlacement(FPlacement);
  FPopup->SetWidth(Width());
  FPopup->SetHeight(vgDropDownHeight(*FListBox, FDropDownCount));
  FPopup->Popup();
  if (FPopup->IsOpen()) FListBox->SetFocus();
}

void TvgComboBox::Clear() {
  if (FListBox) FListBox->Clear();
}

void TvgComboBox::AddObject(TvgObject* child) {
  const bool item = dynamic_cast<TvgListBoxItem*>(child) || dynamic_cast<TvgSelectionItem*>(child);
  if (item && FListBox)
    FListBox->AddObject(child);
  else
    inherited::AddObject(child);
}

void TvgComboBox::GetChildren(const rtl::TGetChildProc& proc, rtl::TComponent* root) {
  inherited::GetChildren(proc, root);
  if (FListBox && FListBox->Content())
    for (TvgObject* child : FListBox->Content()->Children())
      if (child->Stored()) proc(child);
}

// ----- input

void TvgComboBox::KeyDown(std::uint16_t& key, char16_t& keyChar, TvgShiftState shift) {
  inherited::KeyDown(key, keyChar, shift);
  const int count = Count();
  if (count == 0) return;
  if (keyChar != 0) {
    if (const int match = FListBox->ItemStartingWith(keyChar); match >= 0) SetItemIndex(match);
    keyChar = 0;
  }
  const int index = ItemIndex();
  switch (key) {
    case kKeyHome:
      SetItemIndex(0);
      break;
    case kKeyEnd:
      SetItemIndex(count - 1);
      break;
    case kKeyLeft:
      if (index > 0) SetItemIndex(index - 1);
      break;
    case kKeyUp:
      if (index > 0) SetItemIndex(std::max(index - 1, 0));
      break;
    case kKeyRight:
      if (index < count - 1) SetItemIndex(index + 1);
      break;
    case kKeyDown:
      if (shift & vgAlt)
        DropDown();
      else if (index < count - 1)
        SetItemIndex(std::min(index + 1, count - 1));
      break;
    default:
      return;
  }
  key = 0;
}

void TvgComboBox::MouseDown(TvgMouseButton button, TvgShiftState shift, float x, float y) {
  inherited::MouseDown(button, shift, x, y);
  if (button == vgMouseLeft) DropDown();
}

void TvgComboBox::MouseWheel(TvgShiftState shift, int delta, bool& handled) {
  inherited::MouseWheel(shift, delta, handled);
  const int index = ItemIndex();
  if (delta < 0) {
    if (index < Count() - 1) SetItemIndex(index + 1);
  } else if (index > 0) {
    SetItemIndex(index - 1);
  }
  handled = true;
}

void TvgComboBox::Realign() {
  inherited::Realign();
  if (!FPopup || FPopup->IsOpen()) return;
  const bool wasDisabled = FPopup->DisableDefaultAlign();
  FPopup->SetDisableDefaultAlign(true);
  FPopup->SetWidth(Width());
  FPopup->SetDisableDefaultAlign(wasDisabled);
}

// ----- style and face

void TvgComboBox::ApplyStyle() {
  inherited::ApplyStyle();
  TvgObject* part = FindResource("Content");
  FContentPart = part && part->IsVisual() ? part->Visual() : nullptr;
  if (FContentPart)
    FContentPart->OnPaint = [this](rtl::TObject* sender, TvgCanvas* canvas, const TvgRect& rect) {
      DoContentPaint(sender, canvas, rect);
    };
}

void TvgComboBox::FreeStyle() {
  inherited::FreeStyle();
  FContentPart = nullptr;
}

void TvgComboBox::DoContentPaint(rtl::TObject* sender, TvgCanvas* canvas, const TvgRect& rect) {
  TvgListBoxItem* item = Selected();
  if (!item || !canvas || vgRectWidth(rect) <= 0 || vgRectHeight(rect) <= 0) return;
  item->ApplyResource();
  const float width = item->Width(), height = item->Height();
  LayOutAt(*item, vgRectWidth(rect), vgRectHeight(rect));
  item->PaintTo(*canvas, rect, dynamic_cast<TvgObject*>(sender));
  LayOutAt(*item, width, height);
}

// ----- TvgStringComboBox

TvgStringComboBox::TvgStringComboBox(rtl::TComponent* owner)
    : TvgComboBox(owner), FItems(new TvgItemStrings) {
  FAutoTranslate = true;
  FItems->OnChange = [this](rtl::TObject*) { ItemsChanged(); };
  SetResource("comboboxstyle");
}

TvgStringComboBox::~TvgStringComboBox() { TearDown(); }

void TvgStringComboBox::Publish(rtl::TPublisher<TvgStringComboBox>& p) {
  using T = TvgStringComboBox;
  p.Property("AutoTranslate", &T::AutoTranslate, &T::SetAutoTranslate).Default(true);
  p.Property("TextAlign", &T::TextAlign, &T::SetTextAlign);
  p.Property("ItemHeight", &T::ItemHeight, &T::SetItemHeight).Default(19.0f);
  p.Property("Items", &T::Items, &T::SetItems);
  p.Property("ItemIndex", &T::ItemIndex, &T::SetItemIndex).Default(-1);
}

void TvgStringComboBox::SetItemHeight(float value) {
  if (value == FItemHeight) return;
  FItemHeight = value;
  RebuildList();
}

void TvgStringComboBox::SetTextAlign(TvgTextAlign value) {
  if (value == FTextAlign) return;
  FTextAlign = value;
  if (!IsLoading()) RebuildList();
}

void TvgStringComboBox::RebuildList() {
  TvgComboListBox* list = ListBox();
  if (IsDestroying() || !FItems || !list) return;
  BeginUpdate();
  const int index = list->ItemIndex();
  list->StoreItemIndex(-1);
  Clear();
  for (int i = 0; i < FItems->Count(); ++i) AddStringItem(FItems->Strings(i));
  list->StoreItemIndex(std::min(index, list->Count() - 1));
  EndUpdate();
  Repaint();
}

void TvgStringComboBox::AddStringItem(const rtl::WideString& text) {
  // The item's parent frees it. An owner would tell each of its earlier
  // items about every new one (and every leaving one).
  auto* item = new TvgListBoxItem(nullptr);
  item->SetAutoTranslate(AutoTranslate());
  item->SetParent(this);
  item->BeginUpdate();  // its style waits for its first paint
  item->SetHeight(FItemHeight);
  item->SetStored(false);
  item->SetLocked(true);
  item->SetResource(FItemStyle);
  item->SetText(text);
  item->SetTextAlign(FTextAlign);
  item->EndUpdate();
}

void TvgStringComboBox::ItemsChanged() {
  if (!FollowItemsChange()) RebuildList();
}

bool TvgStringComboBox::FollowItemsChange() {
  TvgComboListBox* list = ListBox();
  const TvgItemStrings::TChange change = FItems->LastChange();
  if (!list || IsDestroying() || Updating() > 0) return false;
  if (change.Kind == TvgItemStrings::ckAppended && change.Index == list->Count()) {
    TvgListBox::TLayoutHold hold(*list);
    AddStringItem(FItems->Strings(change.Index));
    list->Repaint();
    return true;
  }
  if (change.Kind == TvgItemStrings::ckReplaced && FItems->Count() == list->Count()) {
    if (TvgListBoxItem* item = list->ItemByIndex(change.Index)) item->SetText(FItems->Strings(change.Index));
    Repaint();
    return true;
  }
  return false;
}

rtl::Variant TvgStringComboBox::GetData() {
  const int index = ItemIndex();
  return rtl::Variant(index >= 0 && index < FItems->Count() ? FItems->Strings(index) : rtl::WideString{});
}

void TvgStringComboBox::SetData(const rtl::Variant& value) {
  const int index = ItemIndex();
  if (index >= 0 && index < FItems->Count()) FItems->SetStrings(index, value.AsWideString());
}

// ----- HUD

TvgHudComboBox::TvgHudComboBox(rtl::TComponent* owner) : TvgComboBox(owner) {
  SetListBoxResource("hudcombolistboxstyle");
}

TvgHudStringComboBox::TvgHudStringComboBox(rtl::TComponent* owner) : TvgStringComboBox(owner) {
  SetResource("hudcomboboxstyle");
  SetListBoxResource("hudcombolistboxstyle");
  SetItemStyle("hudlistboxitemstyle");
}

}  // namespace vg
