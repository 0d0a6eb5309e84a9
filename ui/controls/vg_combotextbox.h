#pragma once
// Text boxes with a drop-down.
//
// TvgComboTextBox is an editable text box with a drop-down list of texts
// (Items) in a popup: choosing a text in the list (a click on it, or Enter)
// makes it the box's text and fires OnChange; Up and Down step through the
// list without opening it, a read-only box also jumps to the first text
// starting with a typed letter, and a press beside the text area opens or
// closes the list. Typing edits the text freely and never moves ItemIndex.
//
// TvgComboTrackBar is a number box whose drop-down is a track bar: moving
// the track writes its value into the box (and fires OnChange), committing
// a typed number moves the track.
#include <string>

#include "ui/controls/vg_combobox.h"
#include "ui/controls/vg_textbox.h"
#include "ui/controls/vg_track.h"
#include "ui/core/vg_popup.h"

namespace vg {

class TvgComboTextBox : public TvgCustomTextBox {
  RTL_CLASS(TvgComboTextBox, TvgCustomTextBox)

  explicit TvgComboTextBox(rtl::TComponent* owner);
  ~TvgComboTextBox() override;

  TvgPopup* Popup() const { return FPopup; }
  TvgComboListBox* ListBox() const { return FListBox; }
  TvgWideStringList* Items() const { return FItems.get(); }
  void SetItems(const TvgWideStrings* value) { FItems->Assign(value); }
  // The list's index and count (-1 and 0 without a list).
  int ItemIndex() const;
  int Count() const;
  int GetItemIndex() const { return ItemIndex(); }
  int GetCount() const { return Count(); }
  // Sets the list's index; an index naming one of Items also makes that
  // text the box's text (selected) and fires OnChange, also when the index
  // stays. Any other index changes neither the text nor fires anything.
  void SetItemIndex(int value);
  int DropDownCount() const { return FDropDownCount; }
  void SetDropDownCount(int value) { FDropDownCount = value; }
  TvgPlacement Placement() const { return FPlacement; }
  void SetPlacement(TvgPlacement value) { FPlacement = value; }
  float ItemHeight() const { return FItemHeight; }
  void SetItemHeight(float value);
  const std::string& ListBoxResource() const { return FListBox->Resource(); }
  void SetListBoxResource(const std::string& value) { FListBox->SetResource(value); }

  // Closes an open drop-down; otherwise sizes it to at most DropDownCount
  // items, opens it and gives the list the focus.
  void DropDown();

  void KeyDown(std::uint16_t& key, char16_t& keyChar, TvgShiftState shift) override;
  void MouseDown(TvgMouseButton button, TvgShiftState shift, float x, float y) override;
  void Realign() override;

 private:
  static void Publish(rtl::TPublisher<TvgComboTextBox>& p);
  void RebuildList();
  void DoClosePopup();

  int FDropDownCount = 8;
  TvgPopup* FPopup = nullptr;
  TvgComboListBox* FListBox = nullptr;
  TvgPlacement FPlacement = vgPlacementBottom;
  TvgOwned<TvgWideStringList> FItems;
  float FItemHeight = 19;
};

class TvgComboTrackBar : public TvgCustomTextBox {
  RTL_CLASS(TvgComboTrackBar, TvgCustomTextBox)

  explicit TvgComboTrackBar(rtl::TComponent* owner);
  ~TvgComboTrackBar() override;

  TvgPopup* Popup() const { return FPopup; }
  TvgTrackBar* TrackBar() const { return FTrackBar; }
  TvgPlacement Placement() const { return FPlacement; }
  void SetPlacement(TvgPlacement value) { FPlacement = value; }
  // The track bar's range, value and step.
  float Min() const { return FTrackBar->Min(); }
  void SetMin(float value) { FTrackBar->SetMin(value); }
  float Max() const { return FTrackBar->Max(); }
  void SetMax(float value) { FTrackBar->SetMax(value); }
  float Value() const { return FTrackBar->Value(); }
  void SetValue(float value) { FTrackBar->SetValue(value); }
  float Frequency() const { return FTrackBar->Frequency(); }
  void SetFrequency(float value) { FTrackBar->SetFrequency(value); }

  // Closes an open drop-down; otherwise opens the track bar below the box.
  void DropDown();
  // Moves the track to the typed number (an unreadable text shows the
  // track's value again), then commits as a text box does.
  void Change() override;
  void MouseDown(TvgMouseButton button, TvgShiftState shift, float x, float y) override;

 protected:
  // The track moved: its value becomes the text, selected, and OnChange
  // fires.
  virtual void DoTrackChange(rtl::TObject* sender);

 private:
  static void Publish(rtl::TPublisher<TvgComboTrackBar>& p);
  void DoClosePopup();

  TvgPopup* FPopup = nullptr;
  TvgTrackBar* FTrackBar = nullptr;
  TvgPlacement FPlacement = vgPlacementBottom;
};

class TvgHudComboTextBox : public TvgComboTextBox {
  RTL_CLASS(TvgHudComboTextBox, TvgComboTextBox)
  explicit TvgHudComboTextBox(rtl::TComponent* owner);
};

class TvgHudComboTrackBar : public TvgComboTrackBar {
  RTL_CLASS(TvgHudComboTrackBar, TvgComboTrackBar)
  explicit TvgHudComboTrackBar(rtl::TComponent* owner);
};

}  // namespace vg
