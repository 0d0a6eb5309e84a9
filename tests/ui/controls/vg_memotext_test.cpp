// The memo's text model without a view: a measure of one unit a character
// stands in for the canvas.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "platform/rtl/TextConvert.h"
#include "ui/controls/vg_memotext.h"

using namespace vg;
using rtl::WideString;

namespace {

class MeasuredMemo : public TvgMemoText {
 public:
  explicit MeasuredMemo(float wrapWidth = 0, bool canMeasure = true) : FWrapWidth(wrapWidth), FCanMeasure(canMeasure) {}
  int Changes = 0;
  int ScrolledToCaret = 0;

  void Change() override { ++Changes; }

 protected:
  void UpdateCaretPosition(bool scrollIntoView) override { ScrolledToCaret += scrollIntoView; }
  // Lines of equal width: the caret keeps its position.
  void MoveCaretVertical(int lines) override {
    SetCaretPosition({CaretPosition().Line + lines, CaretPosition().Pos});
  }
  float GetPageSize() override { return 2.4f; }

 protected:
  bool CanMeasure() override { return FCanMeasure; }
  float TextWidth(std::u16string_view text) override { return static_cast<float>(text.size()); }
  float WrapWidth() override { return FWrapWidth; }

 private:
  float FWrapWidth;
  bool FCanMeasure;
};

// What typing does: a selection is replaced, one undo step reverting both.
void Type(TvgMemoText& memo, const WideString& text) {
  for (char16_t c : text) memo.InsertAtCaret(WideString(1, c));
}

struct FakeClipboard final : IvgClipboard {
  FakeClipboard() { vgSetClipboard(this); }
  ~FakeClipboard() override { vgSetClipboard(nullptr); }
  WideString AsText() override { return Text; }
  void SetAsText(const WideString& text) override { Text = text; }
  WideString Text;
};

void Backspace(TvgMemoText& memo) {
  memo.DeleteFrom(memo.GetPositionShift(memo.CaretPosition(), -1), 1, {doMoveCaret, doCanUndo});
}

}  // namespace

TEST(MemoLineIndex, BreaksAtLineEndsAndWrapsAtSeparators) {
  struct Case {
    const char16_t* text;
    bool wordWrap;
    float width;
    TLinesBegs begs;
  };
  const Case cases[] = {
      {u"", false, 0, {}},
      {u"a\r\nb", false, 0, {1, 4}},
      {u"a\nb", false, 0, {1, 3}},
      {u"a\r\n", false, 0, {1, 4}},  // an empty last line
      {u"a\r\rb", false, 0, {1, 3, 4}},
      {u"a\n\rb", false, 0, {1, 3, 4}},
      {u"\r\n\r\n", false, 0, {1, 3, 5}},
      {u"aaa bbb ccc", false, 3, {1}},
      {u"aaa bbb ccc", true, 7, {1, 5}},             // before the first word that does not fit
      {u"well-known fact", true, 6, {1, 6, 12}},    // after a hyphen
      {u"a verylongword b", true, 5, {1, 3, 16}},   // a word wider than the box stands alone
      {u"aaa bbb\r\nccc ddd", true, 4, {1, 5, 10, 14}},
      {u"ab,, cd", true, 4, {1, 6}},                // separators stay with the line they end
      {u"   abc", true, 2, {1, 4}},
  };
  for (const auto& c : cases) {
    MeasuredMemo memo(c.width);
    memo.SetWordWrap(c.wordWrap);
    memo.SetText(c.text);
    EXPECT_EQ(memo.LinesBegs(), c.begs) << rtl::Utf16ToUtf8(c.text);
  }

  MeasuredMemo unmeasured(2, false);
  unmeasured.SetWordWrap(true);
  unmeasured.SetText(u"aaa bbb\r\nc");
  EXPECT_EQ(unmeasured.LinesBegs(), (TLinesBegs{1, 10})) << "without measuring only line ends break";
  EXPECT_EQ(unmeasured.Lines()->Count(), 2);
}

TEST(MemoLineIndex, LinesWithAndWithoutTheirBreaks) {
  MeasuredMemo memo;
  memo.SetText(u"ab\r\nabcd\rxyz\nabc");
  EXPECT_EQ(memo.GetLineCount(), 4);
  EXPECT_EQ(memo.GetLineInternal(0), u"ab\r\n");
  EXPECT_EQ(memo.GetLine(0), u"ab");
  EXPECT_EQ(memo.GetLine(1), u"abcd");
  EXPECT_EQ(memo.GetLineInternal(2), u"xyz\n");
  EXPECT_EQ(memo.GetLine(3), u"abc");
  EXPECT_EQ(memo.GetLine(4), u"");
  EXPECT_EQ(memo.GetLineBounds(1), (TvgMemoText::TLineBounds{5, 5}));
  EXPECT_EQ(memo.GetLineBounds(9), (TvgMemoText::TLineBounds{0, 0}));
  EXPECT_EQ(memo.WidesLineIndex(), 1);
  EXPECT_EQ(memo.WidestLineWidth(), 4);
  EXPECT_EQ(memo.GetUnwrapLines()->Count(), 4);

  MeasuredMemo empty;
  EXPECT_EQ(empty.GetLineBounds(0), (TvgMemoText::TLineBounds{1, 0}));
}

TEST(MemoPositions, ConvertAndShiftWithoutEnteringALineBreak) {
  MeasuredMemo memo;
  memo.SetText(u"ab\r\ncd\ref");  // lines "ab\r\n" (1), "cd\r" (5), "ef" (8)
  struct Conversion {
    int textPos;
    TCaretPosition pos;
  };
  const Conversion conversions[] = {{0, {0, 0}}, {2, {0, 2}}, {4, {1, 0}}, {7, {2, 0}}, {9, {2, 2}}, {99, {2, 2}}};
  for (const auto& c : conversions) {
    EXPECT_EQ(memo.TextPosToPos(c.textPos), c.pos) << c.textPos;
    EXPECT_EQ(memo.PosToTextPos(c.pos), std::min(c.textPos, 9)) << c.textPos;
  }
  EXPECT_EQ(memo.PosToTextPos({0, 99}), 4) << "a position beyond the line counts as its length";
  EXPECT_EQ(memo.PosToTextPos({-3, 1}), 1);
  EXPECT_EQ(memo.PosToTextPos({7, 0}), 7);

  struct Shift {
    TCaretPosition from;
    int count;
    TCaretPosition to;
  };
  const Shift shifts[] = {
      {{0, 2}, 1, {1, 0}},   // over CR LF as one step
      {{1, 0}, -1, {0, 2}},  // back before CR LF
      {{1, 2}, 1, {2, 0}},   // over a lone CR
      {{0, 1}, 3, {1, 0}},   // b, CR, LF
      {{0, 0}, 20, {2, 2}},  // stays at the end
      {{2, 1}, -20, {0, 0}},
      {{1, 1}, -2, {0, 2}},  // c, then the pair: before CR, never between
  };
  for (const auto& s : shifts)
    EXPECT_EQ(memo.GetPositionShift(s.from, s.count), s.to) << s.from.Line << "," << s.from.Pos << " by " << s.count;
}

TEST(MemoEdits, DeletionsNeverSplitALineBreakPair) {
  struct Case {
    TCaretPosition at;
    int count;
    const char16_t* expected;
  };
  const Case cases[] = {
      {{0, 2}, 1, u"abcd"},        // forwards at the end of a line
      {{0, 1}, 2, u"acd"},         // b and CR: LF goes too
      {{0, 3}, 1, u"abcd"},        // from between CR and LF
      {{1, 0}, 0, u"ab\r\ncd"},
      {{1, 1}, 9, u"ab\r\nc"},
  };
  for (const auto& c : cases) {
    MeasuredMemo memo;
    memo.SetText(u"ab\r\ncd");
    memo.DeleteFrom(c.at, c.count, {});
    EXPECT_EQ(memo.Text(), c.expected) << c.at.Line << "," << c.at.Pos;
  }

  MeasuredMemo memo;
  memo.SetText(u"ab\r\ncd");
  memo.SetCaretPosition({1, 0});
  Backspace(memo);
  EXPECT_EQ(memo.Text(), u"abcd") << "backwards at a line's start";
  EXPECT_EQ(memo.CaretPosition(), (TCaretPosition{0, 2}));
}

TEST(MemoEdits, InsertionKeepsTheCaretsDistanceFromTheEndAndHonoursLimits) {
  MeasuredMemo memo;
  memo.SetText(u"a\r\nb");
  memo.SetCaretPosition({1, 1});
  memo.Lines()->Insert(0, u"new");
  EXPECT_EQ(memo.Text(), u"new\r\na\r\nb");
  EXPECT_EQ(memo.CaretPosition(), (TCaretPosition{2, 1})) << "the caret stays at the end";
  EXPECT_EQ(memo.Changes, 1);

  memo.SetMaxLength(12);
  memo.InsertAfter({0, 0}, u"12345", {});
  EXPECT_EQ(memo.Text(), u"123new\r\na\r\nb");
  memo.InsertAfter({0, 0}, u"x", {ioCanUndo});
  EXPECT_EQ(memo.Text(), u"123new\r\na\r\nb") << "nothing fits at the limit";
  EXPECT_TRUE(memo.ActionStack().Empty());

  memo.SetMaxLength(14);
  memo.InsertAfter({0, 0}, u"y\U0001F600", {});
  EXPECT_EQ(memo.Text(), u"y123new\r\na\r\nb") << "half a surrogate pair is not inserted";

  MeasuredMemo lower;
  lower.SetCharCase(vgecLowerCase);
  lower.SetText(u"MiXed");
  EXPECT_EQ(lower.Text(), u"mixed");
  lower.SetCharCase(vgecUpperCase);
  EXPECT_EQ(lower.Text(), u"mixed") << "the current text keeps its case";
  lower.InsertAfter({0, 5}, u"Up", {});
  EXPECT_EQ(lower.Text(), u"mixedUP");
}

TEST(MemoEdits, LineListOperations) {
  struct Case {
    const char16_t* text;
    void (*op)(TvgWideStrings&);
    const char16_t* expected;
  };
  const Case cases[] = {
      {u"", [](TvgWideStrings& l) { l.Insert(0, u"x"); }, u"x"},
      {u"a\r\nb", [](TvgWideStrings& l) { l.Insert(1, u"x"); }, u"a\r\nx\r\nb"},
      {u"a\r\nb", [](TvgWideStrings& l) { l.Add(u"x"); }, u"a\r\nb\r\nx"},
      {u"a\r\nb", [](TvgWideStrings& l) { l.Delete(0); }, u"b"},
      {u"a\r\nb", [](TvgWideStrings& l) { l.Delete(1); }, u"a"},
      {u"a\r\n", [](TvgWideStrings& l) { l.Delete(1); }, u"a"},
      {u"a\r\nb", [](TvgWideStrings& l) { l.Delete(5); }, u"a\r\nb"},
      {u"a\r\nb", [](TvgWideStrings& l) { l.Clear(); }, u""},
      {u"a\r\nb", [](TvgWideStrings& l) { l.SetStrings(1, u"c"); }, u"a\r\nc"},
      {u"a", [](TvgWideStrings& l) { l.SetTextStr(u"x\ny"); }, u"x\r\ny"},
  };
  for (const auto& c : cases) {
    MeasuredMemo memo;
    memo.SetText(c.text);
    c.op(*memo.Lines());
    EXPECT_EQ(memo.Text(), c.expected) << rtl::Utf16ToUtf8(c.text);
  }
}

TEST(MemoUndo, TypedRunsMergeAndAReplaceUndoesInOneStep) {
  MeasuredMemo memo;
  Type(memo, u"abc");
  EXPECT_EQ(memo.ActionStack().Count(), 1);
  memo.SetCaretPosition({0, 0});
  Type(memo, u"xy");
  EXPECT_EQ(memo.Text(), u"xyabc");
  EXPECT_TRUE(memo.UnDo());
  EXPECT_EQ(memo.Text(), u"abc") << "typing elsewhere is a step of its own";
  EXPECT_TRUE(memo.UnDo());
  EXPECT_EQ(memo.Text(), u"");
  EXPECT_FALSE(memo.UnDo());

  memo.SetText(u"one two");
  memo.SetCaretPosition({0, 7});
  for (int i = 0; i < 3; ++i) Backspace(memo);
  EXPECT_EQ(memo.Text(), u"one ");
  EXPECT_TRUE(memo.UnDo());
  EXPECT_EQ(memo.Text(), u"one two");
  EXPECT_EQ(memo.GetSelText(), u"two") << "restored text comes back selected";
  EXPECT_TRUE(memo.ActionStack().Empty());

  memo.SetSelStart(0);
  memo.SetSelLength(3);
  memo.SetSelected(true);
  Type(memo, u"1");
  EXPECT_EQ(memo.Text(), u"1 two");
  EXPECT_TRUE(memo.UnDo());
  EXPECT_EQ(memo.Text(), u"one two");
  EXPECT_EQ(memo.GetSelText(), u"one");
  EXPECT_TRUE(memo.ActionStack().Empty());
}

TEST(MemoUndo, OnlyTouchingDeletionsMergeAndUnrecordedEditsForgetTheSteps) {
  MeasuredMemo memo;
  memo.SetText(u"abcd");
  memo.DeleteFrom({0, 2}, 1, {doCanUndo});  // c
  memo.DeleteFrom({0, 0}, 1, {doCanUndo});  // a, one character away from the first gap
  EXPECT_EQ(memo.Text(), u"bd");
  EXPECT_TRUE(memo.UnDo());
  EXPECT_TRUE(memo.UnDo());
  EXPECT_EQ(memo.Text(), u"abcd");

  memo.SetText(u"ab\r\ncd");
  memo.DeleteFrom({0, 1}, 1, {doCanUndo});  // b
  memo.DeleteFrom({0, 1}, 1, {doCanUndo});  // CR LF, forwards at the same place
  memo.DeleteFrom({0, 0}, 1, {doCanUndo});  // a, backwards
  EXPECT_EQ(memo.Text(), u"cd");
  EXPECT_EQ(memo.ActionStack().Count(), 1);
  EXPECT_TRUE(memo.UnDo());
  EXPECT_EQ(memo.Text(), u"ab\r\ncd");

  Type(memo, u"x");
  memo.Lines()->Insert(0, u"status");
  EXPECT_TRUE(memo.ActionStack().Empty()) << "the typed step no longer fits the text";
  EXPECT_FALSE(memo.UnDo());
  EXPECT_EQ(memo.Lines()->Strings(0), u"status");
}

// Every edit must leave the index a full rebuild of the same text gives.
TEST(MemoLineIndex, EditsSpliceTheIndexAsAFullRebuildWould) {
  const char16_t alphabet[] = u"aaabbc  ,-\r\n";
  for (unsigned seed = 1; seed <= 300; ++seed) {
    std::mt19937 random(seed);
    auto pick = [&](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
    auto fragment = [&](int maxLength) {
      WideString text;
      for (int i = pick(maxLength + 1); i > 0; --i) text += alphabet[pick(sizeof(alphabet) / 2 - 1)];
      return text;
    };
    const float width = static_cast<float>(2 + pick(10));
    const bool wrap = seed % 3 != 0;
    MeasuredMemo memo(width);
    memo.SetWordWrap(wrap);
    memo.SetText(fragment(30));
    for (int step = 0; step < 80; ++step) {
      const TCaretPosition at = memo.TextPosToPos(pick(static_cast<int>(memo.Text().size()) + 1));
      switch (pick(6)) {
        case 0:
        case 1:
          memo.InsertAfter(at, fragment(6), {ioCanUndo});
          break;
        case 2:
        case 3:
          memo.DeleteFrom(at, pick(7), {doCanUndo});
          break;
        case 4:
          memo.UnDo();
          break;
        default:
          if (pick(2)) memo.Lines()->Insert(pick(memo.GetLineCount() + 2) - 1, fragment(4));
          else memo.Lines()->Delete(pick(memo.GetLineCount() + 1));
      }
      MeasuredMemo rebuilt(width);
      rebuilt.SetWordWrap(wrap);
      rebuilt.SetText(memo.Text());
      ASSERT_EQ(memo.LinesBegs(), rebuilt.LinesBegs()) << "seed " << seed << " step " << step;
      ASSERT_EQ(memo.WidesLineIndex(), rebuilt.WidesLineIndex()) << "seed " << seed << " step " << step;
      ASSERT_EQ(memo.WidestLineWidth(), rebuilt.WidestLineWidth()) << "seed " << seed << " step " << step;
    }
  }
}

TEST(MemoEditing, WordMovesOnLinesAndAcrossThem) {
  struct Word {
    const char16_t* text;
    int pos, prior, next;
  };
  const Word words[] = {
      {u"one two three", 3, 0, 8},  // from the end of the first word past the second
      {u"one two three", 0, 0, 4},
      {u"ab cd", 5, 3, 5},
      {u"ab  cd ", 7, 4, 7},
      {u"ab c", 0, 0, 3},
      {u"", 0, 0, 0},
  };
  for (const auto& w : words) {
    EXPECT_EQ(vgPriorWordStart(w.text, w.pos), w.prior) << rtl::Utf16ToUtf8(w.text) << " " << w.pos;
    EXPECT_EQ(vgNextWordStart(w.text, w.pos), w.next) << rtl::Utf16ToUtf8(w.text) << " " << w.pos;
  }

  MeasuredMemo memo;
  memo.SetText(u"ab cd\r\nef");
  EXPECT_EQ(memo.GetPrivWordBeging({1, 0}), (TCaretPosition{0, 5}));
  EXPECT_EQ(memo.GetNextWordBeging({0, 5}), (TCaretPosition{1, 0}));
  EXPECT_EQ(memo.GetNextWordBeging({1, 2}), (TCaretPosition{1, 2}));
  memo.SetCaretPosition({0, 4});
  memo.SelectWord();
  EXPECT_EQ(memo.GetSelText(), u"cd");
}

TEST(MemoEditing, ClipboardAndReadOnly) {
  FakeClipboard clipboard;
  MeasuredMemo memo;
  memo.SetText(u"alpha beta");
  memo.SelectAll();
  EXPECT_EQ(memo.CaretPosition(), (TCaretPosition{0, 10}));
  memo.CopyToClipboard();
  EXPECT_EQ(clipboard.Text, u"alpha beta");

  memo.SetCaretPosition({0, 0});
  memo.SelectWord();
  memo.SetReadOnly(true);
  memo.CutToClipboard();
  memo.PasteFromClipboard();
  memo.ClearSelection();
  EXPECT_EQ(memo.Text(), u"alpha beta") << "read-only: only copying works";
  EXPECT_EQ(clipboard.Text, u"alpha ");

  memo.SetReadOnly(false);
  clipboard.Text = u"x\r\ny";
  memo.PasteFromClipboard();
  EXPECT_EQ(memo.Text(), u"x\r\nybeta");
  EXPECT_EQ(memo.CaretPosition(), (TCaretPosition{1, 1}));
  EXPECT_TRUE(memo.UnDo());
  EXPECT_EQ(memo.Text(), u"alpha beta") << "one step reverts the paste over a selection";
  EXPECT_EQ(memo.GetSelText(), u"alpha ");

  memo.CutToClipboard();
  EXPECT_EQ(memo.Text(), u"beta");
  EXPECT_EQ(clipboard.Text, u"alpha ");
  memo.ClearSelection();
  EXPECT_EQ(memo.Text(), u"beta") << "nothing selected, nothing removed";
}

TEST(MemoEditing, GoingToTheTextsStartScrollsTheCaretIntoView) {
  MeasuredMemo memo;
  memo.SetText(u"a\r\nb\r\nc");
  memo.GoToTextEnd();
  EXPECT_EQ(memo.CaretPosition(), (TCaretPosition{2, 1}));
  const int scrolled = memo.ScrolledToCaret;
  memo.GoToTextBegin();
  EXPECT_EQ(memo.CaretPosition(), (TCaretPosition{0, 0}));
  EXPECT_EQ(memo.ScrolledToCaret, scrolled + 1);
}

TEST(MemoEditing, CaretKeysAndDeletionTakeASurrogatePairWhole) {
  struct Case {
    const char* name;
    int caret;
    std::uint16_t key;
    const char16_t* result;
    int caretAfter;
  } cases[] = {
      {"Right", 1, 39, u"a\U0001F600b", 3},
      {"Left", 3, 37, u"a\U0001F600b", 1},
      {"Backspace", 3, 8, u"ab", 1},
      {"Delete", 1, 46, u"ab", 1},
  };
  for (const Case& c : cases) {
    MeasuredMemo memo;
    memo.SetText(u"a\U0001F600b");
    memo.SetCaretPosition({0, c.caret});
    std::uint16_t key = c.key;
    char16_t keyChar = 0;
    memo.EditKeyDown(key, keyChar, 0);
    EXPECT_EQ(memo.Text(), c.result) << c.name;
    EXPECT_EQ(memo.CaretPosition(), (TCaretPosition{0, c.caretAfter})) << c.name;
  }
}

TEST(MemoEditing, KeysEditMoveAndSelect) {
  FakeClipboard clipboard;
  MeasuredMemo memo;
  auto press = [&](std::uint16_t key, char16_t keyChar = 0, TvgShiftState shift = 0) {
    memo.EditKeyDown(key, keyChar, shift);
    return std::pair(key, keyChar);
  };
  for (char16_t c : std::u16string_view(u"one two")) press(0, c);
  EXPECT_EQ(press(13).first, 0) << "Enter is used";
  press(0, u'x');
  EXPECT_EQ(memo.Text(), u"one two\r\nx");
  press(8);
  press(8);
  EXPECT_EQ(memo.Text(), u"one two") << "Backspace takes the line break whole";

  press(0, u'a', vgCtrl);
  press(37, 0, vgShift);
  EXPECT_EQ(memo.GetSelText(), u"one tw") << "Shift+Left from a select-all keeps the anchor";
  press(36, 0, vgCtrl);
  EXPECT_FALSE(memo.Selected());
  press(39, 0, vgCtrl);
  EXPECT_EQ(memo.CaretPosition(), (TCaretPosition{0, 4}));
  press(35, 0, vgShift);
  EXPECT_EQ(memo.GetSelText(), u"two");
  press(46, 0, vgShift);
  EXPECT_EQ(clipboard.Text, u"two") << "Shift+Delete cuts";
  EXPECT_EQ(memo.Text(), u"one ");
  press(45, 0, vgShift);
  EXPECT_EQ(memo.Text(), u"one two");
  EXPECT_EQ(press(0, u'z', vgCtrl).second, 0) << "Ctrl+Z is taken and does nothing";
  EXPECT_EQ(memo.Text(), u"one two");

  memo.SetText(u"0\r\n1\r\n2\r\n3\r\n4");
  memo.SetCaretPosition({0, 1});
  press(34, 0, vgShift);
  EXPECT_EQ(memo.CaretPosition(), (TCaretPosition{2, 1})) << "a page is the rounded page size";
  EXPECT_EQ(memo.GetSelText(), u"\r\n1\r\n2");

  memo.SetReadOnly(true);
  press(13);
  press(0, u'q');
  press(8);
  EXPECT_EQ(memo.Text(), u"0\r\n1\r\n2\r\n3\r\n4") << "a read-only memo takes no edits";
  press(45, 0, vgCtrl);
  EXPECT_EQ(clipboard.Text, u"\r\n1\r\n2") << "but copies";
}
