#pragma once
// Combo boxes: a chooser that paints its current item in its own face and
// drops down a popup holding a TvgComboListBox, a list box that hands the
// user's choice (a click on an item or Enter) back to its owner and closes
// the popup.
//
// TvgComboBox::SetItemIndex fires OnChange on every call, also when the
// index stays; an index outside the items leaves no current item (the face
// shows nothing). A press on the box opens the drop-down (a second press
// closes it), Alt+Down opens it from the keyboard, the other arrow keys,
// Home, End, the wheel and type-ahead move the choice without opening it.
// The drop-down is a TvgPopup: in a window of its own, or as an overlay in
// the box's scene when no popup platform is installed.
//
// TvgStringComboBox makes its items from a list of texts; rebuilding them
// keeps the current index (or moves it to the last item) and fires
// nothing.
#include <functional>
#include <string>

#include "ui/controls/vg_listbox.h"
#include "ui/core/vg_popup.h"

namespace vg {

class TvgComboListBox : public TvgListBox {
  RTL_CLASS(TvgComboListBox, TvgListBox)

  // As a list box, but shows its selection also while unfocused.
  explicit TvgComboListBox(rtl::TComponent* owner);

  // The control that owns the drop-down, and how a choice reaches it.
  TvgControl* ComboBox() const { return FComboBox; }
  void SetComboBox(TvgControl* owner, std::function<void(int index)> choose);

  void KeyDown(std::uint16_t& key, char16_t& keyChar, TvgShiftState shift) override;
  void MouseUp(TvgMouseButton button, TvgShiftState shift, float x, float y) override;

 private:
  // The popup the list sits in, when it is open.
  TvgPopup* OpenPopup() const;

  TvgControl* FComboBox = nullptr;
  std::function<void(int)> FChoose;
};

// The parts every drop-down control makes for itself: a popup placed
// against `box` that closes on a click elsewhere (not stored, locked), and
// the list inside it, which hands a choice to `choose`.
TvgPopup* vgNewDropDown(TvgControl* box);
TvgComboListBox* vgNewDropDownList(TvgControl* box, TvgPopup* popup, std::function<void(int index)> choose);
// The height of a drop-down list that shows its first min(dropDownCount,
// count) items whole: the list's item height each (each item's own height
// when the list sets none) plus the list's inset of 2 above and below.
float vgDropDownHeight(const TvgListBox& list, int dropDownCount);

class TvgComboBox : public TvgControl {
  RTL_CLASS(TvgComboBox, TvgControl)

  // 100 x 22, focusable, eight items in the drop-down.
  explicit TvgComboBox(rtl::TComponent* owner);
  ~TvgComboBox() override;

  TvgPopup* Popup() const { return FPopup; }
  TvgComboListBox* ListBox() const { return FListBox; }
  // The list's index and count (-1 and 0 without a list).
  int ItemIndex() const;
  int Count() const;
  int GetItemIndex() const { return ItemIndex(); }
  int GetCount() const { return Count(); }
  // Makes item `value` current, then always fires OnChange and repaints.
  void SetItemIndex(int value);
  // The current item, or nullptr.
  TvgListBoxItem* Selected() const { return FListBox ? FListBox->Selected() : nullptr; }
  int DropDownCount() const { return FDropDownCount; }
  void SetDropDownCount(int value) { FDropDownCount = value; }
  TvgPlacement Placement() const { return FPlacement; }
  void SetPlacement(TvgPlacement value) { FPlacement = value; }
  // The list's item height (0: each item counts as the box's height less 4).
  float ItemHeight() const;
  void SetItemHeight(float value);
  const std::string& ListBoxResource() const;
  void SetListBoxResource(const std::string& value);

  // Closes an open drop-down; otherwise sizes the popup to at most
  // DropDownCount items, opens it and gives the list the focus.
  virtual void DropDown();
  virtual void Clear();

  std::string ItemClass() const override { return "TvgListBoxItem"; }
  // Items go into the list, anything else onto the box.
  void AddObject(TvgObject* child) override;
  void KeyDown(std::uint16_t& key, char16_t& keyChar, TvgShiftState shift) override;
  void MouseDown(TvgMouseButton button, TvgShiftState shift, float x, float y) override;
  void MouseWheel(TvgShiftState shift, int delta, bool& handled) override;
  void Realign() override;

  rtl::TNotifyEvent OnChange;

 protected:
  void ApplyStyle() override;
  void FreeStyle() override;
  void GetChildren(const rtl::TGetChildProc& proc, rtl::TComponent* root) override;
  // Paints the current item into the style's "Content" part.
  virtual void DoContentPaint(rtl::TObject* sender, TvgCanvas* canvas, const TvgRect& rect);

 private:
  static void Publish(rtl::TPublisher<TvgComboBox>& p);

  int FDropDownCount = 8;
  TvgPopup* FPopup = nullptr;
  TvgComboListBox* FListBox = nullptr;
  TvgPlacement FPlacement = vgPlacementBottom;
  TvgVisualObject* FContentPart = nullptr;
};

// A combo box of texts: one item per string of Items, rebuilt on every
// change of Items; a string appended or replaced changes only its own item.
class TvgStringComboBox : public TvgComboBox {
  RTL_CLASS(TvgStringComboBox, TvgComboBox)

  explicit TvgStringComboBox(rtl::TComponent* owner);
  ~TvgStringComboBox() override;

  TvgWideStringList* Items() const { return FItems.get(); }
  void SetItems(const TvgWideStrings* value) { FItems->Assign(value); }
  // The height of the generated items.
  float ItemHeight() const { return FItemHeight; }
  void SetItemHeight(float value);
  TvgTextAlign TextAlign() const { return FTextAlign; }
  void SetTextAlign(TvgTextAlign value);
  const std::string& ItemStyle() const { return FItemStyle; }
  void SetItemStyle(const std::string& value) { FItemStyle = value; }

  // Makes the items again from Items; the index stays (lowered to the last
  // item when past it) and nothing fires.
  void RebuildList();
  // Items[ItemIndex], empty when out of range.
  rtl::Variant GetData() override;
  void SetData(const rtl::Variant& value) override;

 private:
  static void Publish(rtl::TPublisher<TvgStringComboBox>& p);
  void ItemsChanged();
  // Follows an appended or replaced string; false for any other change.
  bool FollowItemsChange();
  void AddStringItem(const rtl::WideString& text);

  float FItemHeight = 19;
  TvgOwned<TvgItemStrings> FItems;
  TvgTextAlign FTextAlign = vgTextAlignCenter;
  std::string FItemStyle = "listboxitemstyle";
};

class TvgHudComboBox : public TvgComboBox {
  RTL_CLASS(TvgHudComboBox, TvgComboBox)
  explicit TvgHudComboBox(rtl::TComponent* owner);
};

class TvgHudStringComboBox : public TvgStringComboBox {
  RTL_CLASS(TvgHudStringComboBox, TvgStringComboBox)
  explicit TvgHudStringComboBox(rtl::TComponent* owner);
};

}  // namespace vg
