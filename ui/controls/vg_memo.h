#pragma once
// TvgMemo, the toolkit's multi-line editor: a scroll box whose content
// shows the display lines of its text model (TvgMemoText) one line height
// (Round(Font.Size * 1.25)) apart, with a caret and a selection; keys,
// mouse and wheel edit, select and scroll, and the caret is kept in view by
// moving the bars. The style ("memostyle") supplies the scroll box's parts
// and the brushes "selection" and "foreground".
//
// Coordinates: "memo" points are the memo's local coordinates; the content
// moves under the view area (ContentRect) by the bars' values V and H, and
// the lines are painted in its coordinates, line i at y = line height * i.
#include <memory>
#include <vector>

#include "ui/controls/vg_memotext.h"
#include "ui/core/vg_brush.h"
#include "ui/core/vg_canvas.h"
#include "ui/core/vg_font.h"
#include "ui/render/vg_scrollbox.h"

namespace vg {

class TvgMemo : public TvgScrollBox, public TvgMemoText {
  RTL_CLASS(TvgMemo, TvgScrollBox)

  explicit TvgMemo(rtl::TComponent* owner);
  ~TvgMemo() override;

  TvgFont* Font() const { return FFont.get(); }
  void SetFont(const TvgFont* value) { FFont->Assign(value); }
  // Text and caret colour.
  TvgBrush* FontFill() const { return FFontFill.get(); }
  TvgBrush* SelectionFill() const { return FSelectionFill.get(); }
  TvgTextAlign TextAlign() const { return FTextAlign; }
  void SetTextAlign(TvgTextAlign value) { FTextAlign = value; }
  // Select everything when the memo takes the focus.
  bool AutoSelect() const { return FAutoSelect; }
  void SetAutoSelect(bool value) { FAutoSelect = value; }
  // Show the selection only while focused.
  bool HideSelection() const { return FHideSelection; }
  void SetHideSelection(bool value);

  float GetLineHeight() const;
  // Lines the view area holds (fractional).
  float GetPageSize() override;
  // The memo point of a position's left edge and top.
  TvgPoint GetPositionPoint(TCaretPosition pos);
  // The position nearest a memo point, clamped into the view area.
  TCaretPosition GetPointPosition(TvgPoint point);
  // The selected parts of the visible lines, in content coordinates.
  std::vector<TvgRect> GetSelArea();

  // Raises OnChange when the text changed since the memo took the focus.
  void Change() override;
  rtl::Variant GetData() override;
  void SetData(const rtl::Variant& value) override;

  void KeyDown(std::uint16_t& key, char16_t& keyChar, TvgShiftState shift) override;
  void MouseDown(TvgMouseButton button, TvgShiftState shift, float x, float y) override;
  void MouseMove(TvgShiftState shift, float x, float y, float dx, float dy) override;
  void MouseUp(TvgMouseButton button, TvgShiftState shift, float x, float y) override;
  void MouseWheel(TvgShiftState shift, int delta, bool& handled) override;
  // The context menu: Undo, Cut, Copy, Paste, Delete, Select All.
  void ContextMenu(TvgPoint screenPoint) override;
  void EnterFocus() override;
  void KillFocus() override;
  TvgPoint ImeCaretPoint() override { return GetPositionPoint(CaretPosition()); }

  // Lines as tall as the text, as wide as the widest line when it does
  // not wrap; with word wrap the lines are first wrapped again when the
  // width changed since they were (edits rewrap what they touch).
  TvgRect GetContentBounds() override;
  void ContentPaint(TvgCanvas& canvas, const TvgRect& rect) override;

  rtl::TNotifyEvent OnChange, OnChangeTracking;

 protected:
  void ApplyStyle() override;
  // Text model hooks.
  bool CanMeasure() override { return GetCanvas() != nullptr; }
  float TextWidth(std::u16string_view text) override;
  // The view's width, less the vertical bar's while the bar is hidden but
  // the text's line breaks alone make more lines than the view holds: the
  // bar will be shown, and the lines are wrapped once, at their width then.
  float WrapWidth() override;
  void LinesChanged() override;
  void UpdateCaretPosition(bool scrollIntoView) override;
  void TextChanged() override;
  bool TextLoading() const override { return IsLoading(); }
  void SelectionChanged() override { Repaint(); }
  void MoveCaretVertical(int lines) override;

 private:
  static void Publish(rtl::TPublisher<TvgMemo>& p);
  void FontChanged(rtl::TObject* sender);
  // How far a line of that width moves right for the alignment.
  float AlignShift(float lineWidth);
  // The same for a line's text, measured only when not aligned near.
  float LineShift(const rtl::WideString& text);
  const std::vector<float>& LineOffsets(int line);
  void PaintLine(TvgCanvas& canvas, const TvgRect& rect, int line, float opacity);
  float LineX(int line, int pos);
  int PosAtX(int line, float x);
  void UpdateVScrlBarByCaretPos();
  void UpdateHScrlBarByCaretPos();
  bool InContent(TvgPoint point);
  bool BreaksOverflowTheView();

  TvgOwned<TvgFont> FFont;
  TvgOwned<TvgBrush> FFontFill;
  TvgOwned<TvgBrush> FSelectionFill;
  TvgTextAlign FTextAlign = vgTextAlignNear;
  bool FAutoSelect = true;
  bool FHideSelection = true;
  bool FNeedChange = false;
  bool FLMouseSelecting = false;
  std::unique_ptr<IvgListMenu> FPopupMenu;
  // The caret offsets of the last line asked for, while its text stays.
  struct TLineOffsets {
    rtl::WideString Text;
    std::vector<float> X;
  };
  TLineOffsets FLineOffsets;
};

// The memo of head-up-display forms: only its style differs.
class TvgHudMemo : public TvgMemo {
  RTL_CLASS(TvgHudMemo, TvgMemo)
  using TvgMemo::TvgMemo;
};

void RegisterMemoClasses();

}  // namespace vg
