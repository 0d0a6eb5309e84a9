#include "ui/controls/vg_combotextbox.h"

#include <algorithm>

#include "platform/rtl/FormatSettings.h"
#include "platform/rtl/NumberText.h"
#include "platform/rtl/TextConvert.h"
#include "ui/core/vg_keys.h"
#include "ui/core/vg_textforms.h"

namespace vg {

namespace {

// Digits a single-precision value carries.
constexpr int kSingleDigits = 7;
constexpr float kTrackPopupHeight = 30, kTrackPopupMinWidth = 100;

}  // namespace

// ----- TvgComboTextBox

TvgComboTextBox::TvgComboTextBox(rtl::TComponent* owner)
    : TvgCustomTextBox(owner), FItems(new TvgWideStringList) {
  SetCursor(0);
  FPopup = vgNewDropDown(this);
  FPopup->OnClosePopup = [this](rtl::TObject*) { DoClosePopup(); };
  FListBox = vgNewDropDownList(this, FPopup, [this](int index) { SetItemIndex(index); });
  FListBox->SetItemHeight(FItemHeight);
  FItems->OnChange = [this](rtl::TObject*) { RebuildList(); };
}

TvgComboTextBox::~TvgComboTextBox() { TearDown(); }

void TvgComboTextBox::Publish(rtl::TPublisher<TvgComboTextBox>& p) {
  using T = TvgComboTextBox;
  p.Property("Cursor", &T::Cursor, &T::SetCursor).Default(0);
  p.Property("DropDownCount", &T::DropDownCount, &T::SetDropDownCount).Default(8);
  p.Property("ItemHeight", &T::ItemHeight, &T::SetItemHeight).Default(19.0f);
  p.Property("ItemIndex", &T::ItemIndex, &T::SetItemIndex).Default(-1);
  p.Property("Items", &T::Items, &T::SetItems);
  p.Property("ListBoxResource", &T::ListBoxResource, &T::SetListBoxResource);
  p.Property("Text", &T::Text, &T::SetText);
}

int TvgComboTextBox::ItemIndex() const { return FListBox ? FListBox->ItemIndex() : -1; }
int TvgComboTextBox::Count() const { return FListBox ? FListBox->Count() : 0; }

void TvgComboTextBox::SetItemIndex(int value) {
  if (!FListBox) return;
  FListBox->SetItemIndex(value);
  const int index = FListBox->ItemIndex();
  if (index < 0 || index >= FItems->Count()) return;
  SetText(FItems->Strings(index));
  SetNeedChange(false);
  SelectAll();
  ToBindingObjects();
  OnChange(this);
  UpdateEffects();
  Repaint();
}

void TvgComboTextBox::SetItemHeight(float value) {
  if (value == FItemHeight) return;
  FItemHeight = value;
  FListBox->SetItemHeight(value);
}

void TvgComboTextBox::RebuildList() {
  if (IsDestroying() || !FListBox) return;
  BeginUpdate();
  const int index = FListBox->ItemIndex();
  FListBox->StoreItemIndex(-1);
  FListBox->Clear();
  for (int i = 0; i < FItems->Count(); ++i) {
    auto* item = new TvgListBoxItem(this);
    item->SetAutoTranslate(AutoTranslate());
    item->SetParent(FListBox);
    item->SetHeight(FItemHeight);
    item->SetStored(false);
    item->SetLocked(true);
    item->SetText(FItems->Strings(i));
  }
  FListBox->StoreItemIndex(std::min(index, FListBox->Count() - 1));
  EndUpdate();
}

void TvgComboTextBox::DropDown() {
  if (FPopup->IsOpen()) {
    FPopup->ClosePopup();
    return;
  }
  if (ShowCaret()) HideCaret();
  FPopup->SetPlacement(FPlacement);
  FPopup->SetWidth(Width());
  FPopup->SetHeight(vgDropDownHeight(*FListBox, FDropDownCount));
  FListBox->UpdateResource();
  FListBox->ApplyResource();
  FPopup->Popup();
  FListBox->SetFocus();
  FListBox->UpdateSelection();
}

void TvgComboTextBox::DoClosePopup() {
  if (ShowCaret() && IsFocused()) ShowCaretProc();
}

void TvgComboTextBox::KeyDown(std::uint16_t& key, char16_t& keyChar, TvgShiftState shift) {
  inherited::KeyDown(key, keyChar, shift);
  const int count = Count();
  if (count == 0) return;
  if (ReadOnly() && keyChar != 0) {
    if (const int match = FListBox->ItemStartingWith(keyChar); match >= 0) SetItemIndex(match);
    keyChar = 0;
  }
  const int index = ItemIndex();
  if (key == kKeyUp) {
    if (index > 0) SetItemIndex(std::max(index - 1, 0));
  } else if (key == kKeyDown) {
    if (index < count - 1) SetItemIndex(std::min(index + 1, count - 1));
  } else {
    return;
  }
  key = 0;
}

void TvgComboTextBox::MouseDown(TvgMouseButton button, TvgShiftState shift, float x, float y) {
  inherited::MouseDown(button, shift, x, y);
  if (button == vgMouseLeft && !vgPtInRect({x, y}, ContentRect())) DropDown();
}

void TvgComboTextBox::Realign() {
  inherited::Realign();
  if (!FPopup || FPopup->IsOpen() || DisableDefaultAlign()) return;
  const bool wasDisabled = FPopup->DisableDefaultAlign();
  FPopup->SetDisableDefaultAlign(true);
  FPopup->SetWidth(Width());
  FListBox->SetWidth(Width());
  FPopup->SetDisableDefaultAlign(wasDisabled);
}

// ----- TvgComboTrackBar

TvgComboTrackBar::TvgComboTrackBar(rtl::TComponent* owner) : TvgCustomTextBox(owner) {
  SetFilterChar(u"0123456789.,-+");
  SetText(u"0");
  SetWidth(100);
  SetHeight(22);
  SetResource("combotextboxstyle");
  FPopup = vgNewDropDown(this);
  FPopup->SetResource("combopopupstyle");
  FPopup->Margins()->SetRect({5, 2, 5, 2});
  FPopup->OnClosePopup = [this](rtl::TObject*) { DoClosePopup(); };
  FTrackBar = new TvgTrackBar(this);
  FTrackBar->SetParent(FPopup);
  FTrackBar->SetStored(false);
  FTrackBar->SetDisableFocusEffect(true);
  FTrackBar->SetAlign(vaVertCenter);
  FTrackBar->OnChange = [this](rtl::TObject* sender) { DoTrackChange(sender); };
}

TvgComboTrackBar::~TvgComboTrackBar() { TearDown(); }

void TvgComboTrackBar::Publish(rtl::TPublisher<TvgComboTrackBar>& p) {
  using T = TvgComboTrackBar;
  p.Property("Min", &T::Min, &T::SetMin);
  p.Property("Max", &T::Max, &T::SetMax);
  p.Property("Value", &T::Value, &T::SetValue);
  p.Property("Frequency", &T::Frequency, &T::SetFrequency);
  p.Property("Text", &T::Text, &T::SetText).Stored(false);
}

void TvgComboTrackBar::DropDown() {
  if (FPopup->IsOpen()) {
    FPopup->ClosePopup();
    return;
  }
  if (ShowCaret()) HideCaret();
  FPopup->SetPlacement(FPlacement);
  FPopup->SetWidth(std::max(Width(), kTrackPopupMinWidth));
  FPopup->SetHeight(kTrackPopupHeight);
  FTrackBar->ApplyResource();
  FPopup->Popup();
}

void TvgComboTrackBar::DoClosePopup() {
  if (ShowCaret() && IsFocused()) ShowCaretProc();
}

void TvgComboTrackBar::DoTrackChange(rtl::TObject*) {
  SetText(rtl::Utf8ToUtf16(vgFloatToStr(FTrackBar->Value())));
  SelectAll();
  OnChange(this);
}

void TvgComboTrackBar::Change() {
  double typed = 0;
  if (rtl::TryStrToFloat(rtl::Utf16ToUtf8(Text()), typed, rtl::FormatSettings()))
    FTrackBar->SetValue(static_cast<float>(typed));
  // The track may have snapped or clamped the number, or kept its value.
  StoreText(rtl::Utf8ToUtf16(
      rtl::FloatToStrF(FTrackBar->Value(), rtl::ffGeneral, kSingleDigits, 0, rtl::FormatSettings())));
  Repaint();
  inherited::Change();
}

void TvgComboTrackBar::MouseDown(TvgMouseButton button, TvgShiftState shift, float x, float y) {
  inherited::MouseDown(button, shift, x, y);
  if (button == vgMouseLeft && !vgPtInRect({x, y}, ContentRect())) DropDown();
}

// ----- HUD

TvgHudComboTextBox::TvgHudComboTextBox(rtl::TComponent* owner) : TvgComboTextBox(owner) {
  SetResource("hudcombotextboxstyle");
  SetListBoxResource("hudcombolistboxstyle");
}

TvgHudComboTrackBar::TvgHudComboTrackBar(rtl::TComponent* owner) : TvgComboTrackBar(owner) {
  SetResource("hudcombotextboxstyle");
  Popup()->SetResource("hudcombopopupstyle");
  TrackBar()->SetResource("hudtrackbarstyle");
}

}  // namespace vg
