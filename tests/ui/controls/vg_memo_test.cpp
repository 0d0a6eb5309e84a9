// The memo in a real embedded scene: a recording canvas measures text 7
// units a character, the default font gives lines 14 high, and the style's
// view area leaves 10 px for each bar (190 x 140: ten lines a page).
#include "ui/controls/vg_memo.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "platform/rtl/Filer.h"
#include "platform/rtl/ObjectText.h"
#include "platform/rtl/Streams.h"
#include "platform/rtl/Strings.h"
#include "platform/rtl/TextConvert.h"
#include "tests/support/vg_anim_fakes.h"
#include "tests/support/vg_recording_canvas.h"
#include "tests/support/vg_scene_fakes.h"
#include "tests/ui/controls/controls_fixture.h"
#include "ui/core/vg_scene.h"
#include "ui/render/vg_layouts.h"
#include "ui/render/vg_objects.h"

using namespace vg;
using namespace vgtest;

namespace {

constexpr const char* kStyle = R"(object TvgLayout
  object TvgLayout
    ResourceName = 'memostyle'
    Width = 200
    Height = 150
    object TvgScrollBar
      ResourceName = 'vscrollbar'
      Align = vaRight
      Width = 10
      Orientation = vgVertical
    end
    object TvgScrollBar
      ResourceName = 'hscrollbar'
      Align = vaBottom
      Height = 10
    end
    object TvgLayout
      ResourceName = 'content'
      Align = vaClient
    end
    object TvgBrushObject
      ResourceName = 'foreground'
      Brush.Color = '#FF202020'
    end
  end
end
)";

rtl::WideString Numbered(int count) {
  rtl::WideString text;
  for (int i = 0; i < count; ++i) text += rtl::W((i ? "\r\nline " : "line ") + std::to_string(i));
  return text;
}

struct MemoScene : ::testing::Test {
  ManualOneShots timers;
  FakeAniClock clock;
  TvgOwned<TvgResources> book{new TvgResources(nullptr)};
  TvgOwned<TvgScene> scene;
  TvgMemo* memo = nullptr;

  void SetUp() override {
    vgStartCore();
    RegisterLayoutClasses();
    RegisterShapeClasses();
    RegisterMemoClasses();
    DefaultCanvasClass = &kRecordingCanvasClass;
    scene.reset(new TvgScene(nullptr));
    rtl::TStringList lines;
    lines.SetText(kStyle);
    book->SetResource(&lines);
    ASSERT_NE(book->Root(), nullptr);
    scene->CreateEmbedded(300, 300, [](rtl::TObject*) {});
    scene->SetStyle(book.get());
    auto* root = new TvgLayout(nullptr);
    scene->AddObject(root);
    memo = new TvgMemo(nullptr);
    memo->SetParent(root);
    memo->SetBounds(10, 10, 200, 150);
    memo->SetAnimated(false);
    memo->ApplyResource();
    ASSERT_NE(memo->ContentLayout(), nullptr);
  }
  void TearDown() override {
    scene.reset();
    DefaultCanvasClass = nullptr;
  }
  float V() { return memo->VScrollBarValue(); }
  void Press(std::uint16_t key, TvgShiftState shift = 0) {
    char16_t none = 0;
    scene->UnicodeKeyDown(key, none, shift);
  }
};

}  // namespace

TEST_F(MemoScene, TypingEditsAtTheCaretAndFocusSelectsAll) {
  memo->SetText(u"abc");
  memo->SetFocus();
  EXPECT_EQ(memo->GetSelText(), u"abc");
  EXPECT_EQ(memo->CaretPosition(), (TCaretPosition{0, 3}));
  Press(37, vgShift);
  EXPECT_EQ(memo->GetSelText(), u"ab") << "Shift+Left keeps the anchor at the start";

  int tracked = 0, changed = 0;
  memo->OnChangeTracking = [&](rtl::TObject*) { ++tracked; };
  memo->OnChange = [&](rtl::TObject*) { ++changed; };
  for (char16_t c : std::u16string_view(u"xy")) scene->KeyChar(c, 0);
  Press(13);
  scene->KeyChar(u'z', 0);
  EXPECT_EQ(memo->Text(), u"xy\r\nzc");
  EXPECT_EQ(tracked, 5);
  EXPECT_EQ(changed, 0) << "the committed change waits for the focus to go";
  EXPECT_EQ(memo->Caret()->Position()->Y(), 14) << "the caret stands on the second line";
  scene->SetFocused(nullptr);
  EXPECT_EQ(changed, 1);
}

TEST_F(MemoScene, MouseSelectsAndDoubleClickSelectsAWord) {
  memo->SetText(u"alpha beta\r\ngamma");
  // Line 1 at y 10 + 14 + 7; x 10 + 7 * 2 lies between the 2nd and 3rd character.
  scene->MouseDown(vgMouseLeft, vgLeftButton, 10 + 7 * 2 + 1, 10 + 3);
  scene->MouseMove(vgLeftButton, 10 + 7 * 3 + 1, 10 + 14 + 7);
  scene->MouseUp(vgMouseLeft, 0, 10 + 7 * 3 + 1, 10 + 14 + 7);
  EXPECT_EQ(memo->GetSelText(), u"pha beta\r\ngam");

  scene->MouseDown(vgMouseLeft, vgLeftButton, 10 + 2, 10 + 3);
  scene->MouseUp(vgMouseLeft, 0, 10 + 2, 10 + 3);
  EXPECT_FALSE(memo->Selected()) << "a click leaves no empty selection";

  memo->SetCaretPosition({0, 7});
  memo->MouseDown(vgMouseLeft, vgLeftButton | vgDouble, 7 * 7, 3);
  EXPECT_EQ(memo->GetSelText(), u"beta");
}

TEST_F(MemoScene, TheCaretIsKeptInViewAndTheWheelScrolls) {
  memo->SetHeight(140);  // no horizontal bar: a page of ten lines
  memo->SetText(Numbered(100));
  memo->SetFocus();
  memo->SetSelected(false);
  memo->SetCaretPosition({9, 0});
  EXPECT_EQ(V(), 0);
  Press(40);
  EXPECT_EQ(memo->CaretPosition().Line, 10);
  EXPECT_EQ(V(), 14) << "Down from the last visible line scrolls one line";
  Press(34);
  EXPECT_EQ(memo->CaretPosition().Line, 20) << "a page is ten lines";
  EXPECT_EQ(V(), 14 * 11);

  memo->Lines()->Insert(0, u"newest");
  memo->GoToTextBegin();
  EXPECT_EQ(V(), 0) << "the first line is shown at once";

  bool handled = false;
  memo->MouseWheel(0, -120, handled);
  const float step = 3 * memo->VScrollBar()->SmallChange();
  EXPECT_FLOAT_EQ(V(), step + 4) << "the box's step and WheelDelta / 30";
}

TEST_F(MemoScene, ContentBoundsFollowTheLinesAndTheWidestLine) {
  memo->SetText(u"short\r\n" + rtl::WideString(40, u'w'));
  const TvgRect bounds = memo->GetContentBounds();
  EXPECT_EQ(bounds.Bottom - bounds.Top, 28);
  EXPECT_EQ(bounds.Right - bounds.Left, 40 * 7 + 10) << "a wider line widens the range by its width + 10";
  EXPECT_TRUE(memo->HScrollBar()->Visible());

  memo->SetWordWrap(true);
  memo->SetText(u"one two three four five six seven eight nine ten eleven twelve");
  EXPECT_GT(memo->GetLineCount(), 1);
  for (int line = 0; line < memo->GetLineCount(); ++line)
    EXPECT_LE(memo->GetLine(line).size() * 7, 190 + 7) << line;
}

namespace {

// Text measurements the recording canvas saw since its log was cleared.
int MemoMeasurements(TvgScene& scene) {
  int count = 0;
  for (const std::string& call : static_cast<RecordingCanvas*>(scene.Canvas())->Log)
    if (call.rfind("MeasureText", 0) == 0 || call.rfind("CaretOffsets", 0) == 0) ++count;
  return count;
}

}  // namespace

TEST_F(MemoScene, AClickOrAVerticalMoveOnALongLineMeasuresItOnceAndLandsUnderThePoint) {
  const rtl::WideString line(2000, u'a');
  memo->SetText(line + u"\r\n" + line);
  memo->SetFocus();
  memo->SetSelected(false);
  Press(35, vgCtrl);  // the end of the text: the view shows the lines' ends
  auto* canvas = static_cast<RecordingCanvas*>(scene->Canvas());
  canvas->Log.clear();
  scene->UpdateBuffer();
  const float h = memo->HScrollBarValue();
  bool caretLineDrawn = false;
  for (const std::string& call : canvas->Log) {
    float left = 0;
    char text[4096] = {};
    if (std::sscanf(call.c_str(), "FillText (%f,%*f,%*f,%*f) \"%4095[a]\"", &left, text) != 2) continue;
    const float right = left + 7 * float(std::strlen(text));
    if (std::strlen(text) < 100 && left <= h && right >= h + 190) caretLineDrawn = true;
  }
  EXPECT_TRUE(caretLineDrawn) << "the caret's line is drawn where the view shows it, and only there";
  canvas->Log.clear();
  scene->MouseDown(vgMouseLeft, vgLeftButton, 100, 10 + 3);
  scene->MouseUp(vgMouseLeft, 0, 100, 10 + 3);
  EXPECT_LE(MemoMeasurements(*scene), 2);
  const TCaretPosition clicked = memo->CaretPosition();
  EXPECT_EQ(clicked.Line, 0);
  EXPECT_GT(clicked.Pos, 1900);
  EXPECT_NEAR(memo->GetPositionPoint(clicked).X, 100 - 10, 7) << "within a character of the click";

  static_cast<RecordingCanvas*>(scene->Canvas())->Log.clear();
  Press(40);
  EXPECT_LE(MemoMeasurements(*scene), 2);
  EXPECT_EQ(memo->CaretPosition(), (TCaretPosition{1, clicked.Pos})) << "Down keeps the caret's x";
}

TEST_F(MemoScene, AWrappedMemoRewrapsWhatAKeyTouchesAndAllOfItWhenTheWidthChanges) {
  rtl::WideString text;
  for (int i = 0; i < 40; ++i) text += u"one two three four five six seven eight nine ten\r\n";
  memo->SetWordWrap(true);
  memo->SetText(text);
  memo->SetFocus();
  memo->SetSelected(false);
  const auto rebuilt = [this] {
    const TLinesBegs lines = memo->LinesBegs();
    memo->UpdateLines();
    return memo->LinesBegs() == lines;
  };
  ASSERT_EQ(memo->GetLineCount(), 2 * 40 + 1);

  memo->SetCaretPosition({0, 0});
  static_cast<RecordingCanvas*>(scene->Canvas())->Log.clear();
  scene->KeyChar(u'x', 0);
  EXPECT_LE(MemoMeasurements(*scene), 20) << "one paragraph rewrapped, not forty";
  EXPECT_EQ(memo->GetLine(0), u"xone two three four five ");
  EXPECT_TRUE(rebuilt());

  memo->SetCaretPosition({1, 3});
  const float x = memo->GetPositionPoint(memo->CaretPosition()).X;
  Press(40);
  EXPECT_EQ(memo->CaretPosition().Line, 2);
  EXPECT_NEAR(memo->GetPositionPoint(memo->CaretPosition()).X, x, 7) << "Down onto a wrapped line keeps the x";

  memo->SetWidth(150);
  EXPECT_EQ(memo->GetLineCount(), 3 * 40 + 1) << "a narrower memo wraps every paragraph again";
  EXPECT_TRUE(rebuilt());
}

TEST_F(MemoScene, AWrappedMemoWrapsALoadedTextOnceAtTheWidthTheShownBarLeaves) {
  rtl::WideString text;
  for (int i = 0; i < 40; ++i) text += u"one two three four five six seven eight nine ten\r\n";
  memo->SetWordWrap(true);
  auto* canvas = static_cast<RecordingCanvas*>(scene->Canvas());
  canvas->Log.clear();
  memo->SetText(text);
  const int loaded = MemoMeasurements(*scene);
  ASSERT_TRUE(memo->VScrollBar()->Visible());
  const TLinesBegs lines = memo->LinesBegs();
  canvas->Log.clear();
  memo->UpdateLines();
  EXPECT_EQ(memo->LinesBegs(), lines) << "wrapped at the width the bar leaves";
  EXPECT_LE(loaded, MemoMeasurements(*scene) + 2) << "and only there";
}

TEST_F(MemoScene, LinesAndSelectionArePainted) {
  memo->SetText(u"first\r\nsecond");
  memo->SetFocus();
  scene->UpdateBuffer();
  std::string log;
  for (const std::string& call : static_cast<RecordingCanvas*>(scene->Canvas())->Log) log += call + "\n";
  EXPECT_NE(log.find("\"first\""), std::string::npos);
  EXPECT_NE(log.find("\"second\""), std::string::npos);
  EXPECT_NE(log.find("FillRect"), std::string::npos) << "the selection of a focused memo";
}

TEST_F(MemoScene, ContextMenuUndoesAReplaceAndEnablesWhatCanBeDone) {
  RecordedMenu* menu = nullptr;
  vgSetListMenuFactory([&] {
    auto made = std::make_unique<RecordedMenu>();
    menu = made.get();
    return made;
  });
  struct Clipboard final : IvgClipboard {
    rtl::WideString AsText() override { return text; }
    void SetAsText(const rtl::WideString& value) override { text = value; }
    rtl::WideString text;
  } clipboard;
  vgSetClipboard(&clipboard);

  auto open = [&] {
    memo->ContextMenu({50, 60});
    std::string shown;
    for (const auto& item : menu->items) shown += rtl::Utf16ToUtf8(item.caption) + (item.enabled ? "+ " : "- ");
    return shown;
  };
  auto choose = [&](const char16_t* caption) {
    for (const auto& item : menu->items)
      if (item.caption == caption) item.click();
  };

  memo->SetText(u"old words");
  memo->SetFocus();  // selects all
  EXPECT_EQ(open(), "Undo- Cut+ Copy+ Paste- Delete+ Select All- ");
  EXPECT_EQ(menu->popups, 1);
  EXPECT_EQ(menu->x, 50);

  memo->SetCaretPosition({0, 0});
  memo->SelectWord();
  scene->KeyChar(u'n', 0);
  scene->KeyChar(u'e', 0);
  scene->KeyChar(u'w', 0);
  EXPECT_EQ(memo->Text(), u"newwords");
  clipboard.text = u"x";
  EXPECT_EQ(open(), "Undo+ Cut- Copy- Paste+ Delete- Select All+ ");
  choose(u"Undo");
  EXPECT_EQ(memo->Text(), u"old words");
  EXPECT_EQ(memo->GetSelText(), u"old ") << "the replaced word comes back selected";
  EXPECT_EQ(open(), "Undo- Cut+ Copy+ Paste+ Delete+ Select All+ ") << "nothing left to undo";

  memo->SetReadOnly(true);
  EXPECT_EQ(open(), "Undo- Cut- Copy+ Paste- Delete- Select All+ ");
  vgSetClipboard(nullptr);
  vgSetListMenuFactory(nullptr);
}

TEST_F(MemoScene, StreamsItsLinesAndSettings) {
  memo->SetText(u"first\r\nsecond");
  memo->SetWordWrap(true);
  memo->SetReadOnly(true);
  memo->SetMaxLength(40);
  rtl::TMemoryStream binary;
  rtl::WriteComponentToStream(binary, memo);
  binary.SetPosition(0);
  rtl::TMemoryStream text;
  rtl::ObjectBinaryToText(binary, text);
  const std::string form(reinterpret_cast<const char*>(text.Memory()), static_cast<std::size_t>(text.Size()));
  EXPECT_NE(form.find("Lines.strings"), std::string::npos) << form;

  binary.SetPosition(0);
  auto* copy = dynamic_cast<TvgMemo*>(rtl::ReadComponentFromStream(binary, nullptr, false));
  ASSERT_NE(copy, nullptr);
  EXPECT_EQ(copy->Text(), u"first\r\nsecond");
  EXPECT_TRUE(copy->WordWrap());
  EXPECT_TRUE(copy->ReadOnly());
  EXPECT_EQ(copy->MaxLength(), 40);
  EXPECT_EQ(copy->CaretPosition(), (TCaretPosition{0, 0})) << "loading does not move the caret";
  copy->Free();
}
