#pragma once
// TvgCustomTextBox, the toolkit's single-line editor, and TvgTextBox with
// its style aliases.
//
// The box keeps one text, a caret, a signed selection and a horizontal
// scroll position counted in characters (FirstVisibleChar, 1-based), and
// paints the visible part of the text into its style's "content" part.
// Positions count UTF-16 units. The selection runs from the anchor
// SelStart + SelLength to its moving end SelStart; reads (GetSelStart,
// GetSelLength, GetSelText) normalise it. Texts are measured on the scene's
// canvas; without a canvas every width is 0.
//
// Changes: every new text raises OnChangeTracking (not while loading) and
// marks the box changed; Enter and focus loss raise OnChange while it is
// marked, and only entering the box clears the mark. OnTyping follows every
// edit made by typing, Backspace/Delete or pasting by key.
#include <cstdint>
#include <memory>

#include "ui/controls/vg_textedit.h"
#include "ui/core/vg_brush.h"
#include "ui/core/vg_canvas.h"
#include "ui/core/vg_control.h"
#include "ui/core/vg_font.h"

namespace vg {

class TvgCustomTextBox : public TvgControl {
  RTL_CLASS(TvgCustomTextBox, TvgControl)

  explicit TvgCustomTextBox(rtl::TComponent* owner);
  ~TvgCustomTextBox() override;

  const rtl::WideString& Text() const { return FText; }
  // Never raises OnChange; a caret past the new end moves to the end.
  virtual void SetText(const rtl::WideString& value);
  // Raises OnChange (after updating bound objects) while the text changed
  // since the box was entered.
  virtual void Change();

  TvgFont* Font() const { return FFont.get(); }
  void SetFont(const TvgFont* value) { FFont->Assign(value); }
  TvgBrush* FontFill() const { return FFontFill.get(); }
  TvgBrush* SelectionFill() const { return FSelectionFill.get(); }
  TvgTextAlign TextAlign() const { return FTextAlign; }
  void SetTextAlign(TvgTextAlign value);
  bool Password() const { return FPassword; }
  void SetPassword(bool value);
  bool ReadOnly() const { return FReadOnly; }
  void SetReadOnly(bool value) { FReadOnly = value; }
  // Longest text typing and pasting may produce; 0: no limit.
  int MaxLength() const { return FMaxLength; }
  void SetMaxLength(int value) { FMaxLength = value; }
  // Characters typing may enter; empty: all.
  const rtl::WideString& FilterChar() const { return FFilterChar; }
  void SetFilterChar(const rtl::WideString& value) { FFilterChar = value; }
  bool ShowCaret() const { return FShowCaret; }
  void SetShowCaret(bool value) { FShowCaret = value; }
  bool DisableCaret() const { return FDisableCaret; }
  void SetDisableCaret(bool value) { FDisableCaret = value; }
  bool NeedChange() const { return FNeedChange; }

  int CaretPosition() const { return FCaretPosition; }
  // Clamps to 0 .. length, scrolls the caret into view and places the
  // shared caret while focused.
  void SetCaretPosition(int value);
  void UpdateCaretePosition() { SetCaretPosition(FCaretPosition); }
  int FirstVisibleChar() const { return FFirstVisibleChar; }

  int GetSelStart() const;
  int GetSelLength() const;
  rtl::WideString GetSelText() const;
  // Drops the selection and puts the caret at value.
  void SetSelStart(int value);
  // Signed distance from the caret end to the anchor.
  void SetSelLength(int value);
  void SelectAll();

  // Replaces the selection by text; refused (the selection dropped) when
  // the result would pass MaxLength.
  void InsertText(const rtl::WideString& text);
  void ClearSelection();
  void CopyToClipboard();
  void CutToClipboard();
  void PasteFromClipboard();

  // Geometry in local coordinates. The content rectangle is that of the
  // style's "content" part, else the local rectangle.
  TvgRect ContentRect();
  // x of the boundary after pos characters.
  float GetCharX(int pos);
  // The character boundary nearest a local x: a point in a character's
  // left half lands before it, in its right half after it.
  int GetCoordinatePosition(float x);
  float TextWidth(const rtl::WideString& text);
  float GetPasswordCharWidth() const;
  float CaretHeight() const;
  TvgRect GetSelRect();
  int GetNextWordBeging(int pos) const { return vgNextWordStart(FText, pos); }
  int GetPrivWordBeging(int pos) const { return vgPriorWordStart(FText, pos); }

  rtl::Variant GetData() override;
  // Null: empty text; a date: its date-time text; an event: OnChange.
  void SetData(const rtl::Variant& value) override;

  void KeyDown(std::uint16_t& key, char16_t& keyChar, TvgShiftState shift) override;
  void MouseDown(TvgMouseButton button, TvgShiftState shift, float x, float y) override;
  void MouseMove(TvgShiftState shift, float x, float y, float dx, float dy) override;
  void MouseUp(TvgMouseButton button, TvgShiftState shift, float x, float y) override;
  void DblClick() override;
  // Cut, Copy, Paste, Delete, Select All.
  void ContextMenu(TvgPoint screenPoint) override;
  void EnterFocus() override;
  void KillFocus() override;
  TvgPoint ImeCaretPoint() override;

  rtl::TNotifyEvent OnChange, OnChangeTracking, OnTyping;

 protected:
  virtual void FontChanged(rtl::TObject* sender);
  void ApplyStyle() override;
  void FreeStyle() override;
  void DoContentPaint(TvgCanvas& canvas, const TvgRect& rect);
  // Shows a text without the change events or mark (number formatting).
  void StoreText(const rtl::WideString& value);
  void SetNeedChange(bool value) { FNeedChange = value; }

 private:
  static void Publish(rtl::TPublisher<TvgCustomTextBox>& p);
  void UpdateFirstVisibleChar();
  float AlignOffset();
  // Width of the characters from 1-based index `first` through index `last`.
  float VisibleWidth(int first, int last);
  void DeleteKey(std::uint16_t key, TvgShiftState shift);
  void Typed() {
    if (OnTyping) OnTyping(this);
  }

  rtl::WideString FText;
  TvgOwned<TvgFont> FFont;
  TvgOwned<TvgBrush> FFontFill;
  TvgOwned<TvgBrush> FSelectionFill;
  TvgTextAlign FTextAlign = vgTextAlignNear;
  bool FReadOnly = false;
  int FSelStart = 0;
  int FSelLength = 0;
  int FCaretPosition = 0;
  int FMaxLength = 0;
  int FFirstVisibleChar = 1;
  bool FLMouseSelecting = false;
  bool FDisableCaret = false;
  bool FPassword = false;
  bool FNeedChange = false;
  bool FShowCaret = true;
  rtl::WideString FFilterChar;
  std::uint16_t FLastKey = 0;
  char16_t FLastChar = 0;
  TvgContent* FContent = nullptr;
  std::unique_ptr<IvgListMenu> FPopupMenu;
};

class TvgTextBox : public TvgCustomTextBox {
  RTL_CLASS(TvgTextBox, TvgCustomTextBox)
  using TvgCustomTextBox::TvgCustomTextBox;

 private:
  static void Publish(rtl::TPublisher<TvgTextBox>& p);
};

// Boxes that differ only by the style their class name finds.
class TvgRoundTextBox : public TvgTextBox {
  RTL_CLASS(TvgRoundTextBox, TvgTextBox)
  using TvgTextBox::TvgTextBox;
};
class TvgHudTextBox : public TvgTextBox {
  RTL_CLASS(TvgHudTextBox, TvgTextBox)
  using TvgTextBox::TvgTextBox;
};
class TvgHudRoundTextBox : public TvgTextBox {
  RTL_CLASS(TvgHudRoundTextBox, TvgTextBox)
  using TvgTextBox::TvgTextBox;
};

class TvgCustomButton;

// A text box whose style's "clearbutton" empties it (and commits that).
class TvgTextBoxClearBtn : public TvgCustomTextBox {
  RTL_CLASS(TvgTextBoxClearBtn, TvgCustomTextBox)
  using TvgCustomTextBox::TvgCustomTextBox;

 protected:
  void ApplyStyle() override;
  void FreeStyle() override;

 private:
  static void Publish(rtl::TPublisher<TvgTextBoxClearBtn>& p);
  void DoClearBtnClick();

  TvgCustomButton* FClearBtn = nullptr;
};

void RegisterTextBoxClasses();

}  // namespace vg
