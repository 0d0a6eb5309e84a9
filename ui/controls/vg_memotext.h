#pragma once
// The text model of the memo: the whole text as one wide string, the index
// of its display lines (LinesBegs), positions as (display line, characters
// before) pairs, the two edit primitives InsertAfter and DeleteFrom, the
// undo stack they feed, the caret and the selection, and Lines, the display
// lines as a wide-string list.
//
// Positions: a text position is the number of characters of Text before a
// point (0 .. length); an index is 1-based. A position never lies between
// the CR and the LF of a CR LF pair after a move, and no edit splits one.
//
// The edit primitives keep the index up to date by rescanning the physical
// lines they touch, so after every edit the index is the one a full rebuild
// of the text would give. An edit that records no undo step (a line-list
// operation, an assignment of Text) empties the undo stack, whose records
// would no longer fit the text.
//
// The memo view (TvgMemo) supplies measuring, the wrap width and what
// follows a change through the hooks below; without measuring, lines break
// only at line breaks and every width is 0.
#include <map>
#include <memory>
#include <string_view>

#include "platform/rtl/Set.h"
#include "ui/controls/vg_linebreaks.h"
#include "ui/controls/vg_memoundo.h"
#include "ui/controls/vg_textedit.h"
#include "ui/core/vg_persistent.h"
#include "ui/core/vg_visual.h"
#include "ui/core/vg_widestrings.h"

namespace vg {

struct TCaretPosition {
  int Line = 0;  // 0-based display line
  int Pos = 0;   // characters of that line before the position
  bool operator==(const TCaretPosition&) const = default;
};
inline TCaretPosition ComposeCaretPos(int line, int pos) { return {line, pos}; }

enum TInsertOption { ioSelected, ioMoveCaret, ioCanUndo, ioUnDoPairedWithPriv };
enum TDeleteOption { doMoveCaret, doCanUndo };
using TInsertOptions = rtl::TSet<TInsertOption>;
using TDeleteOptions = rtl::TSet<TDeleteOption>;

class TvgMemoText;

// The memo's display lines as a list: reading maps onto the lines, Insert,
// Delete and Clear edit the text and then report the change.
class TvgMemoLines : public TvgWideStrings {
  RTL_CLASS(TvgMemoLines, TvgWideStrings)

  explicit TvgMemoLines(TvgMemoText& memo) : FMemo(memo) {}

  WideString Get(int index) const override;
  int GetCount() const override;
  void Insert(int index, const WideString& text) override;
  void Delete(int index) override;
  void Clear() override;

 protected:
  void SetUpdateState(bool updating) override;

 private:
  TvgMemoText& FMemo;
};

class TvgMemoText {
 public:
  TvgMemoText();
  virtual ~TvgMemoText();
  TvgMemoText(const TvgMemoText&) = delete;
  TvgMemoText& operator=(const TvgMemoText&) = delete;

  // --- text and settings
  const rtl::WideString& Text() const { return FText; }
  // A different text is stored (in CharCase) and the index rebuilt.
  virtual void SetText(const rtl::WideString& value);
  TEditCharCase CharCase() const { return FCharCase; }
  // Applies to text assigned or typed later; the current text stays.
  void SetCharCase(TEditCharCase value) { FCharCase = value; }
  int MaxLength() const { return FMaxLength; }
  // The longest text insertions may produce; 0 = no limit.
  void SetMaxLength(int value) { FMaxLength = value; }
  bool WordWrap() const { return FWordWrap; }
  void SetWordWrap(bool value);
  TvgMemoLines* Lines() const { return FLines.get(); }
  void SetLines(const TvgWideStrings* value) { FLines->Assign(value); }
  // While updating, edits do not realign the view; leaving realigns.
  void SetUpdateState(bool updating);
  bool LinesUpdating() const { return FUpdating; }
  // Raises the committed-change event (the view decides when).
  virtual void Change() {}

  // --- the line index
  const TLinesBegs& LinesBegs() const { return FLinesBegs; }
  int GetLineCount() const { return static_cast<int>(FLinesBegs.size()); }
  struct TLineBounds {
    int Start;   // 1-based index of the first character
    int Length;  // characters, line break included
    bool operator==(const TLineBounds&) const = default;
  };
  // (1, 0) without lines, (0, 0) for a line that does not exist.
  TLineBounds GetLineBounds(int line) const;
  // The line with its line break.
  rtl::WideString GetLineInternal(int line) const;
  // The line without its line break.
  rtl::WideString GetLine(int line) const;
  // The widest display line (the first of equal widths; looked for on each
  // call) and its width (kept up to date by every edit).
  int WidesLineIndex() const;
  float WidestLineWidth() const { return FWidthCounts.empty() ? 0 : FWidthCounts.rbegin()->first; }
  // Rebuilds the whole index.
  void UpdateLines();
  // False when word wrap is on and the index was not wrapped at the current
  // wrap width (it changed, or nothing could be measured then).
  bool WrappedAtWrapWidth();

  // --- positions
  // The line is clamped to the lines, the position to the line's length
  // with its break; 0 for an empty text.
  int PosToTextPos(TCaretPosition pos) const;
  // The display line holding the text position (clamped to the text), with
  // the end of a line given as the start of the next one; (0, 0) without
  // lines.
  TCaretPosition TextPosToPos(int textPos) const;
  // The position count characters after (count < 0: before) pos, a CR LF
  // pair counting as two and never entered.
  TCaretPosition GetPositionShift(TCaretPosition pos, int count) const;

  // --- edits
  // Inserts text (cut to MaxLength) at pos. With ioSelected the inserted
  // text becomes the selection and the caret its end; otherwise the caret
  // keeps its distance from the end of the text. ioCanUndo records the
  // step, tied to the one below with ioUnDoPairedWithPriv.
  void InsertAfter(TCaretPosition pos, const rtl::WideString& text, TInsertOptions options);
  // Removes count characters from pos (a CR LF pair goes whole). With
  // doMoveCaret, or when a non-empty selection existed, the selection is
  // dropped and the caret goes to pos. doCanUndo records the step.
  void DeleteFrom(TCaretPosition pos, int count, TDeleteOptions options);
  // Typed or pasted text: it replaces a non-empty selection (one undo step
  // reverts both) or goes in at the caret; no selection remains.
  void InsertAtCaret(const rtl::WideString& text);
  // Inserts a whole line before display line index (appends at the count).
  void InsertLine(int index, const rtl::WideString& text);
  // Removes display line index with one line break: its own, or for the
  // last line the one before it.
  void DeleteLine(int index);
  void ClearLines() { SetText({}); }
  // Reverts the last undo step; false when there is none.
  bool UnDo() { return FActionStack.RollBackAction(); }
  TEdtActionStack& ActionStack() { return FActionStack; }
  // The text split at line breaks only (not at wraps), refilled on each call.
  TvgWideStrings* GetUnwrapLines();

  // --- editing as the user does it; a read-only memo only copies.
  bool ReadOnly() const { return FReadOnly; }
  void SetReadOnly(bool value) { FReadOnly = value; }
  // Removes the selected text (one undo step).
  void ClearSelection();
  void CopyToClipboard();
  void CutToClipboard();
  // The clipboard's text replaces the selection or goes in at the caret.
  void PasteFromClipboard();

  // A key as the scene delivers it (key code, typed character): Enter,
  // Backspace, Delete, the caret keys (with Shift they select, with Ctrl
  // they go by words or to the text's ends), Ctrl+Insert and Shift+Insert,
  // Ctrl+A, C, V and X, and typed characters. What it uses is set to 0.
  void EditKeyDown(std::uint16_t& key, char16_t& keyChar, TvgShiftState shift);

  // --- caret moves (the view follows at its next caret refresh)
  TCaretPosition CaretPosition() const { return FCaretPosition; }
  // The caret to the start, scrolled into view at once.
  void GoToTextBegin();
  void GoToTextEnd();
  void GoToLineBegin() { FCaretPosition.Pos = 0; }
  void GotoLineEnd() { FCaretPosition.Pos = static_cast<int>(GetLine(FCaretPosition.Line).size()); }
  void MoveCaretLeft() { FCaretPosition = GetPositionShift(FCaretPosition, -1); }
  void MoveCaretRight() { FCaretPosition = GetPositionShift(FCaretPosition, 1); }
  // Word starts on display lines: from a line's start back to the end of the
  // line before; from a line's end on to the start of the next.
  TCaretPosition GetPrivWordBeging(TCaretPosition pos) const;
  TCaretPosition GetNextWordBeging(TCaretPosition pos) const;
  // Clamped to the lines and the line's length; the view follows.
  void SetCaretPosition(TCaretPosition pos);
  // Anchor and moving end; Selected with equal ends is an empty selection.
  TCaretPosition SelStart() const { return FSelStart; }
  TCaretPosition SelEnd() const { return FSelEnd; }
  bool Selected() const { return FSelected; }
  void SetSelected(bool value) { FSelected = value; }
  // The earlier and the later end.
  TCaretPosition GetSelBeg() const;
  TCaretPosition GetSelEnd() const;
  // With a selection: SelEnd moves to pos; else both ends go there.
  void SelectAtPos(TCaretPosition pos);
  // The text position of the selection's start, else of the caret.
  int GetSelStart() const;
  int GetSelLength() const;
  rtl::WideString GetSelText() const;
  // Set one end by text position; Selected is not changed.
  void SetSelStart(int textPos) { FSelStart = TextPosToPos(textPos); }
  void SetSelLength(int length) { FSelEnd = TextPosToPos(PosToTextPos(FSelStart) + length); }
  // Selects everything, the caret at the end.
  void SelectAll();
  // Selects from the word start before the caret to the next one.
  void SelectWord();
  // Keep the caret and the selection as text positions across a rebuild.
  void StorePositions();
  void RestorePositions();

 protected:
  // --- what the view supplies
  virtual bool CanMeasure() { return false; }
  virtual float TextWidth(std::u16string_view) { return 0; }
  // The width long lines wrap at.
  virtual float WrapWidth() { return 0; }
  // The lines changed: the view lays itself out anew.
  virtual void LinesChanged() {}
  // The caret moved: the view shows it there, scrolled into view if asked.
  virtual void UpdateCaretPosition(bool /*scrollIntoView*/) {}
  // The text changed (every edit).
  virtual void TextChanged() {}
  virtual bool TextLoading() const { return false; }
  // The selection changed: the view repaints.
  virtual void SelectionChanged() {}
  // The caret moves by lines keeping its x, and the lines a page holds;
  // both need the view's geometry.
  virtual void MoveCaretVertical(int /*lines*/) {}
  virtual float GetPageSize() { return 0; }

  // Realigns unless updating.
  void NotifyLinesChanged();

 private:
  // The stretch of text an edit at [from, to) (text positions of the old
  // text) rescans: whole physical lines, and the one before when its lone
  // CR could pair with an LF of the edit.
  struct TRegion {
    int Start;  // 1-based index of its first character
    int End;    // 1-based index just after it
  };
  TRegion EditRegion(int from, int to) const;
  // Replaces count characters at the text position by text, then brings
  // the index up to date.
  void ReplaceText(int at, int count, const rtl::WideString& text, bool recorded);
  void SpliceLines(TRegion region, int delta);
  // Counts a line of the width in (change 1) or out (change -1).
  void CountWidth(float width, int change);
  // One width for each line: a last line the scans did not measure is empty.
  void FitWidthsToLines();
  TvgLineLayout Layout();
  // Characters of the line's break (0 for a wrapped line or the last one).
  int BreakLength(int line) const;
  int PhysicalLineStart(int line) const;
  int PhysicalLineEnd(int line) const;
  void ClampCaret();
  void MoveCaretByKey(std::uint16_t key, TvgShiftState shift);
  void DeleteByKey(std::uint16_t key, TvgShiftState shift);
  // The units of the character at pos: two for a surrogate pair.
  int CharUnitsAt(TCaretPosition pos) const;
  bool ShortCutChar(char16_t keyChar);
  // Undoes one record without recording anything.
  void Revert(const TEdtAction& action);

  rtl::WideString FText;
  TLinesBegs FLinesBegs;
  std::vector<float> FLineWidths;     // of each display line
  std::map<float, int> FWidthCounts;  // how many lines have each width
  float FWrappedAt = -1;           // the wrap width of the index; -1: not measured
  TEditCharCase FCharCase = vgecNormal;
  int FMaxLength = 0;
  bool FWordWrap = false;
  bool FUpdating = false;
  bool FUndoing = false;
  bool FReadOnly = false;
  TCaretPosition FCaretPosition;
  TCaretPosition FSelStart;
  TCaretPosition FSelEnd;
  bool FSelected = false;
  int FOldSelStartPos = -1;
  int FOldSelEndPos = -1;
  int FOldCaretPos = -1;
  TEdtActionStack FActionStack{*this};
  TvgOwned<TvgMemoLines> FLines;
  TvgOwned<TvgWideStringList> FUnwrapLines;

  friend class TEdtActionStack;
};

}  // namespace vg
