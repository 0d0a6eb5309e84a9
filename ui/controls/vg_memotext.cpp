#include "ui/controls/vg_memotext.h"

#include "platform/rtl/TextConvert.h"
#include "ui/controls/vg_flagscope.h"
#include "ui/core/vg_keys.h"

#include <algorithm>
#include <cmath>

namespace vg {
namespace {

constexpr char16_t kCR = u'\r';
constexpr char16_t kLF = u'\n';
const rtl::WideString kLineBreak = u"\r\n";

int Length(const rtl::WideString& text) { return static_cast<int>(text.size()); }

bool Before(TCaretPosition a, TCaretPosition b) { return a.Line < b.Line || (a.Line == b.Line && a.Pos < b.Pos); }

}  // namespace

// --- TvgMemoLines ---------------------------------------------------------

WideString TvgMemoLines::Get(int index) const { return FMemo.GetLine(index); }
int TvgMemoLines::GetCount() const { return FMemo.GetLineCount(); }

void TvgMemoLines::Insert(int index, const WideString& text) {
  FMemo.InsertLine(index, text);
  FMemo.Change();
}

void TvgMemoLines::Delete(int index) {
  FMemo.DeleteLine(index);
  FMemo.Change();
}

void TvgMemoLines::Clear() {
  FMemo.ClearLines();
  FMemo.Change();
}

void TvgMemoLines::SetUpdateState(bool updating) {
  TvgWideStrings::SetUpdateState(updating);
  FMemo.SetUpdateState(updating);
}

// --- TvgMemoText: text and settings ---------------------------------------

TvgMemoText::TvgMemoText() : FLines(new TvgMemoLines(*this)) {}

TvgMemoText::~TvgMemoText() = default;

void TvgMemoText::SetText(const rtl::WideString& value) {
  const rtl::WideString text = vgApplyCharCase(value, FCharCase);
  if (text == FText) return;
  FText = text;
  FActionStack.Clear();
  UpdateLines();
  ClampCaret();
  NotifyLinesChanged();
  TextChanged();
}

void TvgMemoText::SetWordWrap(bool value) {
  if (value == FWordWrap) return;
  FWordWrap = value;
  StorePositions();
  UpdateLines();
  RestorePositions();
  NotifyLinesChanged();
}

void TvgMemoText::SetUpdateState(bool updating) {
  FUpdating = updating;
  if (!updating) LinesChanged();
}

void TvgMemoText::NotifyLinesChanged() {
  if (!FUpdating) LinesChanged();
}

// --- the line index ----------------------------------------------------------

TvgMemoText::TLineBounds TvgMemoText::GetLineBounds(int line) const {
  if (FLinesBegs.empty()) return {1, 0};
  if (line < 0 || line >= GetLineCount()) return {0, 0};
  const int next = line + 1 < GetLineCount() ? FLinesBegs[line + 1] : Length(FText) + 1;
  return {FLinesBegs[line], next - FLinesBegs[line]};
}

rtl::WideString TvgMemoText::GetLineInternal(int line) const {
  const TLineBounds bounds = GetLineBounds(line);
  if (bounds.Length == 0) return {};
  return FText.substr(bounds.Start - 1, bounds.Length);
}

rtl::WideString TvgMemoText::GetLine(int line) const {
  rtl::WideString text = GetLineInternal(line);
  if (!text.empty() && text.back() == kLF) text.pop_back();
  if (!text.empty() && text.back() == kCR) text.pop_back();
  return text;
}

int TvgMemoText::BreakLength(int line) const {
  const TLineBounds bounds = GetLineBounds(line);
  if (bounds.Length == 0) return 0;
  const int last = bounds.Start + bounds.Length - 2;  // 0-based
  if (FText[last] == kLF) return last > bounds.Start - 1 && FText[last - 1] == kCR ? 2 : 1;
  return FText[last] == kCR ? 1 : 0;
}

int TvgMemoText::PhysicalLineStart(int line) const {
  while (line > 0 && BreakLength(line - 1) == 0) --line;
  return line;
}

int TvgMemoText::PhysicalLineEnd(int line) const {
  while (line + 1 < GetLineCount() && BreakLength(line) == 0) ++line;
  return line;
}

TvgLineLayout TvgMemoText::Layout() {
  TvgLineLayout layout;
  layout.WordWrap = FWordWrap;
  if (CanMeasure()) {
    layout.WrapWidth = WrapWidth();
    layout.Measure = [this](std::u16string_view text) { return TextWidth(text); };
  }
  return layout;
}

void TvgMemoText::UpdateLines() {
  FLinesBegs.clear();
  FLineWidths.clear();
  FWidthCounts.clear();
  const TvgLineLayout layout = Layout();
  FWrappedAt = layout.Measure ? layout.WrapWidth : -1;
  if (FText.empty()) return;
  TvgScannedLines scanned = ScanDisplayLines(FText, 0, Length(FText), layout);
  FLinesBegs.push_back(1);
  FLinesBegs.insert(FLinesBegs.end(), scanned.Starts.begin(), scanned.Starts.end());
  FLineWidths = std::move(scanned.Widths);
  for (const float width : FLineWidths) CountWidth(width, 1);
  FitWidthsToLines();
}

bool TvgMemoText::WrappedAtWrapWidth() { return !FWordWrap || (CanMeasure() && FWrappedAt == WrapWidth()); }

int TvgMemoText::WidesLineIndex() const {
  const auto widest = std::find(FLineWidths.begin(), FLineWidths.end(), WidestLineWidth());
  return widest == FLineWidths.end() ? 0 : static_cast<int>(widest - FLineWidths.begin());
}

void TvgMemoText::CountWidth(float width, int change) {
  const auto counted = FWidthCounts.try_emplace(width, 0).first;
  counted->second += change;
  if (counted->second == 0) FWidthCounts.erase(counted);
}

void TvgMemoText::FitWidthsToLines() {
  const std::size_t lines = FLinesBegs.size();
  for (std::size_t line = lines; line < FLineWidths.size(); ++line) CountWidth(FLineWidths[line], -1);
  for (std::size_t line = FLineWidths.size(); line < lines; ++line) CountWidth(0, 1);
  FLineWidths.resize(lines, 0);
}

// --- positions ----------------------------------------------------------------

int TvgMemoText::PosToTextPos(TCaretPosition pos) const {
  if (FLinesBegs.empty()) return 0;
  const int line = std::clamp(pos.Line, 0, GetLineCount() - 1);
  const TLineBounds bounds = GetLineBounds(line);
  return bounds.Start - 1 + std::clamp(pos.Pos, 0, bounds.Length);
}

TCaretPosition TvgMemoText::TextPosToPos(int textPos) const {
  if (FLinesBegs.empty()) return {0, 0};
  const int index = std::clamp(textPos, 0, Length(FText)) + 1;
  const auto next = std::upper_bound(FLinesBegs.begin(), FLinesBegs.end(), index);
  const int line = static_cast<int>(next - FLinesBegs.begin()) - 1;
  return {line, index - FLinesBegs[line]};
}

TCaretPosition TvgMemoText::GetPositionShift(TCaretPosition pos, int count) const {
  const int length = Length(FText);
  int textPos = std::clamp(PosToTextPos(pos) + count, 0, length);
  const bool insideLineBreak = textPos > 0 && textPos < length && FText[textPos - 1] == kCR && FText[textPos] == kLF;
  if (insideLineBreak || vgSplitsSurrogatePair(FText, textPos)) textPos += count >= 0 ? 1 : -1;
  return TextPosToPos(textPos);
}

// --- edits ---------------------------------------------------------------------

void TvgMemoText::InsertAfter(TCaretPosition pos, const rtl::WideString& text, TInsertOptions options) {
  const int caret = PosToTextPos(FCaretPosition);
  const int at = PosToTextPos(pos);
  rtl::WideString fragment = FUndoing ? text : vgApplyCharCase(text, FCharCase);
  if (FMaxLength > 0) {
    fragment.resize(std::min<std::size_t>(fragment.size(), std::max(0, FMaxLength - Length(FText))));
    if (fragment.size() < text.size() && !fragment.empty() && rtl::IsHighSurrogate(fragment.back())) fragment.pop_back();
  }
  const bool recorded = options.Contains(ioCanUndo) && !FUndoing;
  if (recorded) FActionStack.FragmentInserted(at, Length(fragment), options.Contains(ioUnDoPairedWithPriv));
  if (!fragment.empty()) ReplaceText(at, 0, fragment, recorded);

  if (options.Contains(ioSelected)) {
    FSelStart = TextPosToPos(at);
    FSelEnd = GetPositionShift(FSelStart, Length(fragment));
    FSelected = true;
    FCaretPosition = FSelEnd;
    UpdateCaretPosition(false);
  } else if (!TextLoading()) {
    FCaretPosition = TextPosToPos(caret + Length(fragment));
    UpdateCaretPosition(false);
  }
  NotifyLinesChanged();
}

void TvgMemoText::DeleteFrom(TCaretPosition pos, int count, TDeleteOptions options) {
  const int length = Length(FText);
  int at = PosToTextPos(pos);
  int n = std::clamp(count, 0, length - at);
  if (n > 0) {
    if (FText[at + n - 1] == kCR && at + n < length && FText[at + n] == kLF) ++n;
    if (FText[at] == kLF && at >= 1 && FText[at - 1] == kCR) {
      --at;
      ++n;
    }
  }
  const bool hadSelection = FSelected && GetSelLength() > 0;
  const bool recorded = options.Contains(doCanUndo) && !FUndoing;
  if (recorded && n > 0) FActionStack.FragmentDeleted(at + 1, FText.substr(at, n));
  if (n > 0) ReplaceText(at, n, {}, recorded);

  if (options.Contains(doMoveCaret) || hadSelection) {
    FSelected = false;
    FCaretPosition = TextPosToPos(at);
    UpdateCaretPosition(false);
  } else {
    ClampCaret();
  }
  NotifyLinesChanged();
}

void TvgMemoText::InsertAtCaret(const rtl::WideString& text) {
  const bool replacing = FSelected && GetSelLength() > 0;
  if (replacing) DeleteFrom(GetSelBeg(), GetSelLength(), {doMoveCaret, doCanUndo});
  TInsertOptions options{ioMoveCaret, ioCanUndo};
  if (replacing) options.Include(ioUnDoPairedWithPriv);
  InsertAfter(FCaretPosition, text, options);
  FSelected = false;
}

void TvgMemoText::InsertLine(int index, const rtl::WideString& text) {
  const int count = GetLineCount();
  if (count == 0) InsertAfter({0, 0}, text, {});
  else if (index < count) InsertAfter({std::max(index, 0), 0}, text + kLineBreak, {});
  else InsertAfter(TextPosToPos(Length(FText)), kLineBreak + text, {});
}

void TvgMemoText::DeleteLine(int index) {
  const int count = GetLineCount();
  if (index < 0 || index >= count) return;
  const TLineBounds bounds = GetLineBounds(index);
  const int breakBefore = index > 0 ? BreakLength(index - 1) : 0;
  if (index + 1 < count || breakBefore == 0) {
    DeleteFrom({index, 0}, bounds.Length, {});
    return;
  }
  DeleteFrom(TextPosToPos(bounds.Start - 1 - breakBefore), breakBefore + bounds.Length, {});
}

TvgWideStrings* TvgMemoText::GetUnwrapLines() {
  if (!FUnwrapLines) FUnwrapLines.reset(new TvgWideStringList());
  FUnwrapLines->SetTextStr(FText);
  return FUnwrapLines.get();
}

void TvgMemoText::Revert(const TEdtAction& action) {
  TFlagScope undoing(FUndoing);
  if (action.ActionType == atDelete) {
    TInsertOptions options{ioMoveCaret};
    if (action.DeletedFragment != kLineBreak) options.Include(ioSelected);
    InsertAfter(TextPosToPos(action.StartPosition - 1), action.DeletedFragment, options);
  } else {
    DeleteFrom(TextPosToPos(action.StartPosition), action.Length, {doMoveCaret});
  }
}

// --- the incremental index update ----------------------------------------------

TvgMemoText::TRegion TvgMemoText::EditRegion(int from, int to) const {
  int first = PhysicalLineStart(TextPosToPos(from).Line);
  // A lone CR before the region may pair with an LF the edit brings.
  if (first > 0 && FText[FLinesBegs[first] - 2] == kCR) first = PhysicalLineStart(first - 1);
  const int last = PhysicalLineEnd(TextPosToPos(to).Line);
  const int end = last + 1 < GetLineCount() ? FLinesBegs[last + 1] : Length(FText) + 1;
  return {FLinesBegs[first], end};
}

void TvgMemoText::ReplaceText(int at, int count, const rtl::WideString& text, bool recorded) {
  if (!recorded && !FUndoing) FActionStack.Clear();
  if (FText.empty() || Length(FText) == count) {
    FText.replace(at, count, text);
    UpdateLines();
  } else {
    const TRegion region = EditRegion(at, at + count);
    FText.replace(at, count, text);
    SpliceLines(region, Length(text) - count);
  }
  TextChanged();
}

// The old starts after the region's first line up to its end give way to
// the rescanned ones; later starts move by delta.
void TvgMemoText::SpliceLines(TRegion region, int delta) {
  const int newEnd = region.End + delta;
  const TvgLineLayout layout = Layout();
  // Lines wrapped at another width than the rest leave the index to be rebuilt.
  if (layout.Measure ? layout.WrapWidth != FWrappedAt : FWrappedAt >= 0) FWrappedAt = -1;
  const TvgScannedLines scanned = ScanDisplayLines(FText, region.Start - 1, newEnd - 1, layout);
  const auto first = std::upper_bound(FLinesBegs.begin(), FLinesBegs.end(), region.Start);
  const auto last = std::upper_bound(first, FLinesBegs.end(), region.End);
  const int firstLine = static_cast<int>(first - FLinesBegs.begin()) - 1;
  const int oldLines = 1 + static_cast<int>(std::lower_bound(first, last, region.End) - first);

  for (auto start = last; start != FLinesBegs.end(); ++start) *start += delta;
  const auto at = FLinesBegs.erase(first, last);
  FLinesBegs.insert(at, scanned.Starts.begin(), scanned.Starts.end());
  const auto widths = FLineWidths.begin() + std::min<std::size_t>(firstLine, FLineWidths.size());
  const auto widthsEnd = widths + std::min<std::ptrdiff_t>(oldLines, FLineWidths.end() - widths);
  for (auto width = widths; width != widthsEnd; ++width) CountWidth(*width, -1);
  FLineWidths.insert(FLineWidths.erase(widths, widthsEnd), scanned.Widths.begin(), scanned.Widths.end());
  for (const float width : scanned.Widths) CountWidth(width, 1);
  FitWidthsToLines();
}

// --- caret and selection ----------------------------------------------------------

void TvgMemoText::ClampCaret() {
  const int line = std::clamp(FCaretPosition.Line, 0, std::max(GetLineCount() - 1, 0));
  FCaretPosition = {line, std::clamp(FCaretPosition.Pos, 0, Length(GetLine(line)))};
}

void TvgMemoText::SetCaretPosition(TCaretPosition pos) {
  FCaretPosition = pos;
  ClampCaret();
  UpdateCaretPosition(true);
}

TCaretPosition TvgMemoText::GetSelBeg() const { return Before(FSelEnd, FSelStart) ? FSelEnd : FSelStart; }
TCaretPosition TvgMemoText::GetSelEnd() const { return Before(FSelEnd, FSelStart) ? FSelStart : FSelEnd; }

void TvgMemoText::SelectAtPos(TCaretPosition pos) {
  if (!FSelected) {
    FSelStart = pos;
    FSelected = true;
  }
  FSelEnd = pos;
}

int TvgMemoText::GetSelStart() const {
  return FSelected ? PosToTextPos(GetSelBeg()) : PosToTextPos(FCaretPosition);
}

int TvgMemoText::GetSelLength() const {
  if (!FSelected) return 0;
  return std::abs(PosToTextPos(FSelEnd) - PosToTextPos(FSelStart));
}

rtl::WideString TvgMemoText::GetSelText() const {
  return FText.substr(static_cast<std::size_t>(GetSelStart()), static_cast<std::size_t>(GetSelLength()));
}

void TvgMemoText::SelectAll() {
  FSelStart = {0, 0};
  FSelEnd = TextPosToPos(Length(FText));
  FSelected = true;
  FCaretPosition = FSelEnd;
  SelectionChanged();
}

void TvgMemoText::SelectWord() {
  FSelStart = GetPrivWordBeging(FCaretPosition);
  FSelEnd = GetNextWordBeging(FCaretPosition);
  FSelected = true;
  SelectionChanged();
}

TCaretPosition TvgMemoText::GetPrivWordBeging(TCaretPosition pos) const {
  if (pos.Pos <= 0) {
    if (pos.Line <= 0) return {0, 0};
    return {pos.Line - 1, Length(GetLine(pos.Line - 1))};
  }
  return {pos.Line, vgPriorWordStart(GetLine(pos.Line), pos.Pos)};
}

TCaretPosition TvgMemoText::GetNextWordBeging(TCaretPosition pos) const {
  const rtl::WideString line = GetLine(pos.Line);
  if (pos.Pos < Length(line)) return {pos.Line, vgNextWordStart(line, pos.Pos)};
  if (pos.Line + 1 < GetLineCount()) return {pos.Line + 1, 0};
  return {pos.Line, Length(line)};
}

void TvgMemoText::GoToTextBegin() {
  FCaretPosition = {0, 0};
  UpdateCaretPosition(true);
}

void TvgMemoText::GoToTextEnd() {
  const int last = std::max(GetLineCount() - 1, 0);
  FCaretPosition = {last, Length(GetLine(last))};
}

// --- editing as the user does it -----------------------------------------------

void TvgMemoText::ClearSelection() {
  if (FReadOnly || GetSelLength() == 0) return;
  DeleteFrom(GetSelBeg(), GetSelLength(), {doMoveCaret, doCanUndo});
}

void TvgMemoText::CopyToClipboard() {
  const rtl::WideString text = GetSelText();
  if (text.empty()) return;
  if (IvgClipboard* clipboard = vgClipboard()) clipboard->SetAsText(text);
}

void TvgMemoText::CutToClipboard() {
  CopyToClipboard();
  ClearSelection();
}

void TvgMemoText::PasteFromClipboard() {
  if (FReadOnly) return;
  IvgClipboard* clipboard = vgClipboard();
  const rtl::WideString text = clipboard ? clipboard->AsText() : rtl::WideString();
  if (text.empty()) return;
  InsertAtCaret(text);
  Change();
}

void TvgMemoText::EditKeyDown(std::uint16_t& key, char16_t& keyChar, TvgShiftState shift) {
  const TCaretPosition oldCaret = FCaretPosition;
  const TvgShiftState modifiers = shift & (vgShift | vgCtrl | vgAlt);
  if (key == kKeyEnter && !FReadOnly) {
    InsertAtCaret(kLineBreak);
    key = 0;
  }
  if (key == kKeyBack || key == kKeyDelete) DeleteByKey(key, modifiers);
  else if (key >= kKeyPageUp && key <= kKeyDown) MoveCaretByKey(key, modifiers);
  else if (key == kKeyInsert && modifiers == vgCtrl) CopyToClipboard();
  else if (key == kKeyInsert && modifiers == vgShift) PasteFromClipboard();

  if (keyChar != 0 && modifiers == vgCtrl && ShortCutChar(keyChar)) keyChar = 0;
  if ((keyChar >= 32 || keyChar == u'\r') && !FReadOnly) {
    InsertAtCaret(keyChar == u'\r' ? kLineBreak : rtl::WideString(1, keyChar));
    keyChar = 0;
  }
  if (key >= kKeyPageUp && key <= kKeyDown) {
    if (modifiers & vgShift) {
      if (!FSelected) SelectAtPos(oldCaret);
      SelectAtPos(FCaretPosition);
    } else {
      FSelected = false;
    }
    SelectionChanged();
  }
  UpdateCaretPosition(true);
}

int TvgMemoText::CharUnitsAt(TCaretPosition pos) const {
  return vgSplitsSurrogatePair(FText, PosToTextPos(pos) + 1) ? 2 : 1;
}

void TvgMemoText::DeleteByKey(std::uint16_t key, TvgShiftState shift) {
  if (FReadOnly) return;
  if (FSelected && GetSelLength() > 0) {
    if (shift & vgShift) CutToClipboard();
    else ClearSelection();
  } else if (key == kKeyDelete) {
    DeleteFrom(FCaretPosition, CharUnitsAt(FCaretPosition), {doMoveCaret, doCanUndo});
  } else if (PosToTextPos(FCaretPosition) > 0) {
    const TCaretPosition before = GetPositionShift(FCaretPosition, -1);
    DeleteFrom(before, CharUnitsAt(before), {doMoveCaret, doCanUndo});
  }
}

void TvgMemoText::MoveCaretByKey(std::uint16_t key, TvgShiftState shift) {
  const bool ctrl = shift & vgCtrl;
  const int page = static_cast<int>(std::nearbyint(GetPageSize()));
  switch (key) {
    case kKeyPageUp:
      return MoveCaretVertical(-page);
    case kKeyPageDown:
      return MoveCaretVertical(page);
    case kKeyEnd:
      return ctrl ? GoToTextEnd() : GotoLineEnd();
    case kKeyHome:
      return ctrl ? GoToTextBegin() : GoToLineBegin();
    case kKeyLeft:
      if (ctrl) FCaretPosition = GetPrivWordBeging(FCaretPosition);
      else MoveCaretLeft();
      return;
    case kKeyRight:
      if (ctrl) FCaretPosition = GetNextWordBeging(FCaretPosition);
      else MoveCaretRight();
      return;
    case kKeyUp:
      return MoveCaretVertical(-1);
    case kKeyDown:
      return MoveCaretVertical(1);
  }
}

// Ctrl+A selects all, C copies, V pastes, X cuts; Z is taken but does
// nothing (undo is in the menu).
bool TvgMemoText::ShortCutChar(char16_t keyChar) {
  switch (keyChar) {
    case u'a':
    case u'A':
      SelectAll();
      return true;
    case u'c':
    case u'C':
      CopyToClipboard();
      return true;
    case u'v':
    case u'V':
      PasteFromClipboard();
      return true;
    case u'x':
    case u'X':
      CutToClipboard();
      return true;
    case u'z':
    case u'Z':
      return true;
  }
  return false;
}

void TvgMemoText::StorePositions() {
  FOldCaretPos = PosToTextPos(FCaretPosition);
  if (!FSelected) return;
  FOldSelStartPos = PosToTextPos(FSelStart);
  FOldSelEndPos = PosToTextPos(FSelEnd);
}

void TvgMemoText::RestorePositions() {
  if (FOldCaretPos >= 0) {
    FCaretPosition = TextPosToPos(FOldCaretPos);
    UpdateCaretPosition(false);
  }
  if (FOldSelStartPos >= 0) FSelStart = TextPosToPos(FOldSelStartPos);
  if (FOldSelEndPos >= 0) FSelEnd = TextPosToPos(FOldSelEndPos);
  FOldCaretPos = FOldSelStartPos = FOldSelEndPos = -1;
}

}  // namespace vg
