// The text box in a real embedded scene with the built-in style book: the
// recording canvas measures 7 units a character, which with a 14-point font
// is half the font size; the style's content leaves 4 px at either side, so
// a box 78 wide shows ten characters (content 4 .. 74).
#include "ui/controls/vg_textbox.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "platform/rtl/TextConvert.h"
#include "tests/support/vg_recording_canvas.h"
#include "tests/ui/controls/controls_fixture.h"

using namespace vg;
using namespace vgtest;

namespace {

enum : std::uint16_t { kBack = 8, kEnter = 13, kEnd = 35, kHome = 36, kLeft = 37, kRight = 39, kInsert = 45, kDelete = 46 };

struct FakeClipboard final : IvgClipboard {
  rtl::WideString AsText() override { return text; }
  void SetAsText(const rtl::WideString& value) override { text = value; }
  rtl::WideString text;
};

struct TextBoxScene : ControlScene {
  TvgTextBox* box = nullptr;
  RecordedMenu* menu = nullptr;
  FakeClipboard clipboard;
  int changes = 0, tracking = 0, typing = 0;

  void SetUp() override {
    ControlScene::SetUp();
    vgSetClipboard(&clipboard);
    box = Add<TvgTextBox>();
    box->SetBounds(10, 10, 78, 22);
    box->Font()->SetSize(14);
    box->OnChange = [this](rtl::TObject*) { ++changes; };
    box->OnChangeTracking = [this](rtl::TObject*) { ++tracking; };
    box->OnTyping = [this](rtl::TObject*) { ++typing; };
  }
  void TearDown() override {
    vgSetClipboard(nullptr);
    vgSetListMenuFactory(nullptr);
    ControlScene::TearDown();
  }
  // Context menus opened from now on are recorded in `menu`.
  void RecordMenus() {
    vgSetListMenuFactory([this] {
      auto made = std::make_unique<RecordedMenu>();
      menu = made.get();
      return made;
    });
  }

  void Key(std::uint16_t key, TvgShiftState shift = 0) {
    char16_t ch = 0;
    box->KeyDown(key, ch, shift);
  }
  void Type(const std::u16string& text) {
    for (char16_t c : text) scene->KeyChar(c, 0);
  }
  // Focuses the box (selecting everything) with the caret at pos.
  void Enter(const rtl::WideString& text, int pos) {
    box->SetText(text);
    box->SetFocus();
    box->SetCaretPosition(pos);
    box->SetSelLength(0);
  }
};

TEST_F(TextBoxScene, EnteringByMouseSelectsAllThenAClickLandsByTheHalfCharacterRule) {
  box->SetText(u"abcdef");
  // Box at x 10, content from 14: character i spans 14 + 7i .. 21 + 7i.
  scene->MouseDown(vgMouseLeft, 0, 30, 20);
  scene->MouseUp(vgMouseLeft, 0, 30, 20);
  EXPECT_TRUE(box->IsFocused());
  EXPECT_EQ(box->GetSelText(), u"abcdef");
  EXPECT_EQ(box->CaretPosition(), 6);

  struct Case {
    float x;
    int pos;
  } cases[] = {{14, 0}, {17, 0}, {17.6f, 1}, {21, 1}, {24.4f, 1}, {25, 2}, {55, 6}, {80, 6}};
  for (const Case& c : cases) {
    scene->MouseDown(vgMouseLeft, 0, c.x, 20);
    scene->MouseUp(vgMouseLeft, 0, c.x, 20);
    EXPECT_EQ(box->CaretPosition(), c.pos) << "x " << c.x;
    EXPECT_EQ(box->GetSelLength(), 0);
  }
}

TEST_F(TextBoxScene, CaretKeysMoveAndShiftExtendsFromTheAnchor) {
  box->SetText(u"one two three");
  box->SetFocus();
  Key(kLeft, vgShift);
  EXPECT_EQ(box->GetSelText(), u"one two thre") << "select all, then Shift+Left";
  Key(kHome);
  EXPECT_EQ(box->CaretPosition(), 0);
  EXPECT_EQ(box->GetSelLength(), 0);
  Key(kRight, vgShift);
  Key(kRight, vgShift);
  EXPECT_EQ(box->GetSelStart(), 0);
  EXPECT_EQ(box->GetSelText(), u"on");
  Key(kEnd, vgShift);
  EXPECT_EQ(box->GetSelText(), u"one two three");

  struct Case {
    const char16_t* text;
    int from;
    std::uint16_t key;
    int to;
  } words[] = {{u"one two three", 3, kRight, 8},  // from the end of the first word: before the third
               {u"one two", 7, kLeft, 4},         // from the end: before the second word
               {u"one two", 0, kRight, 4},
               {u"one two", 4, kLeft, 0}};
  for (const Case& c : words) {
    Enter(c.text, c.from);
    Key(c.key, vgCtrl);
    EXPECT_EQ(box->CaretPosition(), c.to) << rtl::Utf16ToUtf8(c.text) << " from " << c.from;
  }
}

TEST_F(TextBoxScene, ALongTextScrollsToKeepTheCaretInViewAndHomeScrollsBack) {
  box->SetText(u"abcdefghijklmnopqrstuvwxyz");
  box->SetFocus();
  EXPECT_EQ(box->CaretPosition(), 26);
  // Ten characters fit: the last shown is the one before the caret.
  EXPECT_EQ(box->FirstVisibleChar(), 17);
  EXPECT_FLOAT_EQ(box->GetCharX(26), 4 + 70);
  Key(kHome);
  EXPECT_EQ(box->FirstVisibleChar(), 1);
  Key(kEnd);
  EXPECT_EQ(box->FirstVisibleChar(), 17);
  Key(kLeft);
  EXPECT_EQ(box->FirstVisibleChar(), 17) << "moving left inside the view keeps it";

  // A long text takes the coarse steps and still lands on the smallest fit.
  box->SetText(rtl::WideString(2000, u'x'));
  box->SetCaretPosition(2000);
  EXPECT_EQ(box->FirstVisibleChar(), 1991);

  // Dragging past the right edge scrolls a character a move.
  Enter(u"abcdefghijklmnopqrstuvwxyz", 0);
  scene->MouseDown(vgMouseLeft, 0, 20, 20);
  const int first = box->FirstVisibleChar();
  scene->MouseMove(0, 95, 20);
  scene->MouseMove(0, 96, 20);
  scene->MouseUp(vgMouseLeft, 0, 96, 20);
  EXPECT_GT(box->FirstVisibleChar(), first);
  EXPECT_EQ(box->GetSelStart(), 1);
  EXPECT_EQ(box->CaretPosition(), 16) << "the boundary nearest the pointer, plus one past the edge";
}

TEST_F(TextBoxScene, AlignmentShiftsShortTextsAndTheCaret) {
  struct Case {
    TvgTextAlign align;
    const char16_t* text;
    float charX;  // of the caret at the end
  } cases[] = {{vgTextAlignCenter, u"abc", 4 + 24.5f + 21},
               {vgTextAlignFar, u"abc", 4 + 49 + 21},
               {vgTextAlignNear, u"abc", 4 + 21},
               {vgTextAlignCenter, u"", 4 + 31.5f},  // an empty text measures as "a"
               {vgTextAlignCenter, u"abcdefghijkl", 4 + 70}};
  for (const Case& c : cases) {
    box->SetTextAlign(c.align);
    box->SetText(c.text);
    box->SetCaretPosition(100);
    EXPECT_FLOAT_EQ(box->GetCharX(box->CaretPosition()), c.charX) << rtl::Utf16ToUtf8(c.text);
  }
}

TEST_F(TextBoxScene, PasswordPositionsAndDots) {
  box->SetPassword(true);
  Enter(u"secret", 3);
  EXPECT_FLOAT_EQ(box->GetCharX(3), 4 + 21);
  EXPECT_EQ(box->GetCoordinatePosition(4 + 15), 2);
  scene->UpdateBuffer();
  int dots = 0;
  for (const std::string& call : static_cast<RecordingCanvas*>(scene->Canvas())->Log) {
    EXPECT_EQ(call.find("secret"), std::string::npos) << call;
    dots += call.rfind("FillEllipse", 0) == 0;
  }
  EXPECT_EQ(dots, 6);
}

TEST_F(TextBoxScene, TypingHonoursReadOnlyFilterAndMaxLength) {
  struct Case {
    const char* name;
    const char16_t* text;
    const char16_t* filter;
    int maxLength;
    bool readOnly;
    const char16_t* typed;
    const char16_t* result;
  } cases[] = {
      {"plain", u"ab", u"", 0, false, u"cd", u"abcd"},
      {"filtered", u"12", u"0123456789", 0, false, u"3a4", u"1234"},
      {"up to the limit", u"ab", u"", 3, false, u"cd", u"abc"},
      {"already over the limit", u"abcde", u"", 3, false, u"f", u"abcde"},
      {"read-only", u"ab", u"", 0, true, u"cd", u"ab"},
  };
  for (const Case& c : cases) {
    box->SetReadOnly(false);
    Enter(c.text, static_cast<int>(std::u16string(c.text).size()));
    box->SetFilterChar(c.filter);
    box->SetMaxLength(c.maxLength);
    box->SetReadOnly(c.readOnly);
    Type(c.typed);
    EXPECT_EQ(box->Text(), c.result) << c.name;
  }

  // A refused paste drops the selection and leaves the text.
  box->SetReadOnly(false);
  box->SetMaxLength(4);
  Enter(u"abcd", 1);
  Key(kRight, vgShift);
  clipboard.text = u"xy";
  box->PasteFromClipboard();
  EXPECT_EQ(box->Text(), u"abcd");
  EXPECT_EQ(box->GetSelLength(), 0);
}

TEST_F(TextBoxScene, BackspaceAndDeleteEditAndReportTyping) {
  Enter(u"abc", 0);
  typing = 0;
  Key(kBack);
  EXPECT_EQ(box->Text(), u"abc");
  EXPECT_EQ(typing, 1) << "Backspace at the start still reports typing";
  Key(kDelete);
  EXPECT_EQ(box->Text(), u"bc");
  Key(kEnd);
  Key(kBack);
  EXPECT_EQ(box->Text(), u"b");
  EXPECT_EQ(box->CaretPosition(), 1);
  Key(kHome, 0);
  Key(kEnd, vgShift);
  Key(kDelete, vgShift);
  EXPECT_EQ(box->Text(), u"");
  EXPECT_EQ(clipboard.text, u"b") << "Shift+Delete cuts";
  EXPECT_EQ(typing, 3);
}

TEST_F(TextBoxScene, CaretKeysAndDeletionTakeASurrogatePairWhole) {
  const rtl::WideString text = u"a\U0001F600b";  // a, a pair of two units, b
  struct Case {
    const char* name;
    int caret;
    std::uint16_t key;
    TvgShiftState shift;
    const char16_t* result;
    int caretAfter;
    const char16_t* selected;
  } cases[] = {
      {"Right", 1, kRight, 0, u"a\U0001F600b", 3, u""},
      {"Left", 3, kLeft, 0, u"a\U0001F600b", 1, u""},
      {"Shift+Right", 1, kRight, vgShift, u"a\U0001F600b", 3, u"\U0001F600"},
      {"Backspace", 3, kBack, 0, u"ab", 1, u""},
      {"Delete", 1, kDelete, 0, u"ab", 1, u""},
      {"Backspace after a", 1, kBack, 0, u"\U0001F600b", 0, u""},
  };
  for (const Case& c : cases) {
    Enter(text, c.caret);
    Key(c.key, c.shift);
    EXPECT_EQ(box->Text(), c.result) << c.name;
    EXPECT_EQ(box->CaretPosition(), c.caretAfter) << c.name;
    EXPECT_EQ(box->GetSelText(), c.selected) << c.name;
  }
}

TEST_F(TextBoxScene, APasswordNeverReachesTheClipboard) {
  RecordMenus();
  box->SetPassword(true);
  Enter(u"secret", 0);
  box->SelectAll();
  clipboard.text = u"before";
  scene->KeyChar(3, vgCtrl);  // Ctrl+C
  Key(kInsert, vgCtrl);
  scene->KeyChar(24, vgCtrl);  // Ctrl+X
  Key(kDelete, vgShift);
  box->CopyToClipboard();
  box->CutToClipboard();
  EXPECT_EQ(clipboard.text, u"before");
  EXPECT_EQ(box->Text(), u"secret") << "a refused cut removes nothing";
  box->ContextMenu({5, 6});
  ASSERT_NE(menu, nullptr);
  for (const auto& item : menu->items)
    if (item.caption == u"Cut" || item.caption == u"Copy") {
      EXPECT_FALSE(item.enabled) << rtl::Utf16ToUtf8(item.caption);
    }
}

TEST_F(TextBoxScene, ADisabledBoxDimsItsTextLikeADisabledButtonItsCaption) {
  auto* button = Add<TvgButton>();
  button->SetBounds(10, 50, 78, 22);
  button->SetText(u"press");
  box->SetText(u"typed");
  auto textOpacity = [&](const char* text) {
    auto* canvas = static_cast<RecordingCanvas*>(scene->Canvas());
    canvas->Log.clear();
    scene->UpdateBuffer();
    for (const std::string& call : canvas->Log)
      if (call.rfind("FillText", 0) == 0 && call.find(std::string("\"") + text + "\"") != std::string::npos)
        return std::stof(call.substr(call.find("\" 0 ") + 4));
    return -1.0f;
  };
  EXPECT_FLOAT_EQ(textOpacity("typed"), 1);
  box->SetEnabled(false);
  button->SetEnabled(false);
  root->Repaint();
  const float caption = textOpacity("press");
  EXPECT_LT(caption, 1);
  EXPECT_FLOAT_EQ(textOpacity("typed"), caption);
}

TEST_F(TextBoxScene, ClipboardCutCopyPaste) {
  Enter(u"hello world", 0);
  Key(kRight, vgShift | vgCtrl);
  EXPECT_EQ(box->GetSelText(), u"hello ");
  scene->KeyChar(3, vgCtrl);  // Ctrl+C
  EXPECT_EQ(clipboard.text, u"hello ");
  EXPECT_EQ(box->Text(), u"hello world");
  scene->KeyChar(24, vgCtrl);  // Ctrl+X
  EXPECT_EQ(box->Text(), u"world");
  Key(kEnd);
  typing = 0;
  scene->KeyChar(22, vgCtrl);  // Ctrl+V
  EXPECT_EQ(box->Text(), u"worldhello ");
  EXPECT_EQ(box->CaretPosition(), 11);
  EXPECT_EQ(typing, 1);
  Key(kInsert, vgShift);
  EXPECT_EQ(box->Text(), u"worldhello hello ");

  clipboard.text = u"";
  box->PasteFromClipboard();
  EXPECT_EQ(box->Text(), u"worldhello hello ") << "an empty clipboard pastes nothing";

  box->SetReadOnly(true);
  box->SelectAll();
  Key(kInsert, vgCtrl);
  EXPECT_EQ(clipboard.text, u"worldhello hello ") << "read-only boxes still copy";
  box->CutToClipboard();
  EXPECT_EQ(box->Text(), u"worldhello hello ");
}

TEST_F(TextBoxScene, ChangeFiresOnEnterAndFocusLossUntilReentered) {
  auto* other = Add<TvgTextBox>();
  other->SetBounds(10, 50, 78, 22);
  box->SetText(u"a");
  EXPECT_EQ(tracking, 1);
  box->SetFocus();
  Key(kEnter);
  EXPECT_EQ(changes, 0) << "nothing changed since entry";
  Type(u"b");
  EXPECT_EQ(tracking, 2);
  Key(kEnter);
  EXPECT_EQ(changes, 1);
  other->SetFocus();
  EXPECT_EQ(changes, 2) << "focus loss fires again: entry alone clears the mark";
  box->SetFocus();
  other->SetFocus();
  EXPECT_EQ(changes, 2);
}

TEST_F(TextBoxScene, ContextMenuOffersFiveItemsEnabledByState) {
  RecordMenus();
  auto open = [&] {
    box->ContextMenu({5, 6});
    std::string shown;
    for (const auto& item : menu->items) shown += rtl::Utf16ToUtf8(item.caption) + (item.enabled ? "+ " : "- ");
    return shown;
  };
  box->SetText(u"text");
  box->SetFocus();
  EXPECT_EQ(open(), "Cut+ Copy+ Paste- Delete+ Select All- ");
  clipboard.text = u"x";
  box->SetSelLength(0);
  EXPECT_EQ(open(), "Cut- Copy- Paste+ Delete- Select All+ ");
  menu->items.back().click();
  EXPECT_EQ(box->GetSelText(), u"text");
  menu->items[3].click();
  EXPECT_EQ(box->Text(), u"");
  box->SetReadOnly(true);
  EXPECT_EQ(open(), "Cut- Copy- Paste- Delete- Select All- ");
}

TEST_F(TextBoxScene, InputMethodOpensAtTheCaret) {
  Enter(u"abc", 2);
  TvgRect area;
  ASSERT_TRUE(scene->ImeCaret(area));
  EXPECT_FLOAT_EQ(area.Left, 10 + 4 + 14);
  EXPECT_FLOAT_EQ(area.Bottom - area.Top, 17) << "as tall as the caret (14 * 1.25, truncated ends)";
  scene->ImeResult(u"\u4e2d\u6587");
  EXPECT_EQ(box->Text(), u"ab\u4e2d\u6587c");
  EXPECT_EQ(box->CaretPosition(), 4);
}

TEST_F(TextBoxScene, DataAndStreaming) {
  box->SetData(rtl::Variant(u"seven"));
  EXPECT_EQ(box->Text(), u"seven");
  box->SetData(rtl::Variant::Null());
  EXPECT_EQ(box->Text(), u"");
  EXPECT_EQ(box->GetData().AsWideString(), u"");
}

TEST_F(TextBoxScene, TheClearButtonEmptiesAndCommits) {
  auto* box = Add<TvgTextBoxClearBtn>();
  box->SetBounds(10, 50, 100, 22);
  box->OnChange = [this](rtl::TObject*) { ++changes; };
  box->SetText(u"search");
  scene->MouseDown(vgMouseLeft, vgLeftButton, 100, 60);  // the button at the right end
  scene->MouseUp(vgMouseLeft, 0, 100, 60);
  EXPECT_EQ(box->Text(), u"");
  EXPECT_TRUE(box->IsFocused());
  EXPECT_EQ(changes, 1);
}

}  // namespace
