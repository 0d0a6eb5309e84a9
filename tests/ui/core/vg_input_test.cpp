#include "tests/ui/core/vg_scene_fixture.h"
#include "ui/core/vg_popupmenu.h"

using namespace vg;
using namespace vgtest;

namespace {

// A popup menu that records where it was opened and for whom.
struct RecordingMenu : rtl::TComponent, IvgPopupMenu {
  using rtl::TComponent::TComponent;
  void SetPopupComponent(rtl::TComponent* component) override { popupFor = component; }
  void Popup(int x, int y) override { openedAt = {float(x), float(y)}; }
  rtl::TComponent* popupFor = nullptr;
  TvgPoint openedAt{-1, -1};
};

struct InputScene : EmbeddedScene {
  TTestRect* root = nullptr;
  std::vector<std::string> events;

  void SetUp() override {
    EmbeddedScene::SetUp();
    root = AddRoot<TTestRect>();
  }
  TvgTestButton* Button(float x, float y, const std::string& name = {}) {
    auto* button = Add<TvgTestButton>(root, x, y, 20, 10);
    button->SetName(name);
    button->OnClick = [this, name](rtl::TObject*) { events.push_back("click " + name); };
    button->OnDblClick = [this, name](rtl::TObject*) { events.push_back("dblclick " + name); };
    button->OnEnterFocus = [this, name](rtl::TObject*) { events.push_back("focus " + name); };
    button->OnMouseDown = [this, name](rtl::TObject*, TvgMouseButton, TvgShiftState, float, float) {
      events.push_back("down " + name);
    };
    return button;
  }
  void Press(float x, float y, TvgMouseButton button = vgMouseLeft, TvgShiftState shift = 0) {
    scene->MouseMove(0, x, y);
    scene->MouseDown(button, shift, x, y);
  }
  void Release(float x, float y, TvgMouseButton button = vgMouseLeft) {
    scene->MouseMove(0, x, y);
    scene->MouseUp(button, 0, x, y);
  }
  void Tab(bool shift = false) {
    std::uint16_t key = vgKeyTab;
    char16_t ch = 0;
    scene->UnicodeKeyDown(key, ch, shift ? vgShift : 0);
    EXPECT_EQ(key, 0);
  }
};

}  // namespace

TEST_F(InputScene, ClickNeedsAPlainPressAndAReleaseInside) {
  struct Case {
    const char* name;
    TvgShiftState pressShift;
    TvgPoint release;
    std::vector<std::string> expected;
  };
  const Case cases[] = {
      {"inside", 0, {15, 15}, {"click a"}},
      {"released outside", 0, {60, 60}, {}},
      {"second press of a double click", vgDouble, {15, 15}, {"dblclick a"}},
  };
  TvgTestButton* a = Button(10, 10, "a");
  a->SetCanFocused(false);
  a->SetAutoCapture(true);
  for (const Case& c : cases) {
    events.clear();
    scene->MouseDown(vgMouseLeft, c.pressShift, 12, 12);
    EXPECT_EQ(scene->GetCaptured(), a);
    Release(c.release.X, c.release.Y);
    EXPECT_EQ(scene->GetCaptured(), nullptr);
    std::erase(events, "down a");
    EXPECT_EQ(events, c.expected) << c.name;
  }
}

TEST_F(InputScene, RightPressOpensThePopupMenuAndNeverClicks) {
  TvgTestButton* a = Button(10, 10, "a");
  auto* menu = new RecordingMenu(nullptr);
  a->SetPopupMenu(menu);
  Press(12, 13, vgMouseRight);
  EXPECT_EQ(menu->openedAt, (TvgPoint{12, 13}));
  EXPECT_EQ(menu->popupFor, a);
  EXPECT_FALSE(a->Pressed());
  scene->MouseUp(vgMouseRight, 0, 12, 13);
  EXPECT_EQ(std::count(events.begin(), events.end(), "click a"), 0);

  std::uint16_t key = vgKeyMenu;
  char16_t ch = 0;
  a->SetFocus();
  scene->UnicodeKeyDown(key, ch, 0);
  EXPECT_EQ(menu->openedAt, (TvgPoint{20, 15}));  // the control's centre

  menu->Free();
  EXPECT_EQ(a->PopupMenu(), nullptr);
  Press(12, 13, vgMouseRight);  // no menu any more: nothing opens, nothing crashes

  rtl::TComponent plain(nullptr);
  a->SetPopupMenu(&plain);
  EXPECT_EQ(a->PopupMenu(), nullptr) << "only popup menus are taken";
}

TEST_F(InputScene, PressFocusesBeforeMouseDownUnlessVetoed) {
  TvgTestButton* a = Button(10, 10, "a");
  TvgTestButton* b = Button(40, 10, "b");
  Press(12, 12);
  EXPECT_EQ(events, (std::vector<std::string>{"focus a", "down a"}));
  EXPECT_TRUE(a->IsFocused());

  b->OnCanFocused = [](rtl::TObject*, bool& accept) { accept = false; };
  b->SetFocus();
  EXPECT_EQ(scene->GetFocused(), a);
  EXPECT_TRUE(a->IsFocused());
  EXPECT_FALSE(b->IsFocused());
}

TEST_F(InputScene, DisabledContainerLosesTheFocusOfItsChildAndLetsClicksThrough) {
  auto* panel = Add<TvgTestButton>(root, 0, 0, 60, 60);
  panel->SetCanFocused(false);
  auto* child = Add<TvgTestButton>(panel, 10, 10, 20, 10);
  child->SetFocus();
  ASSERT_EQ(scene->GetFocused(), child);
  panel->SetEnabled(false);
  EXPECT_FALSE(child->GetAbsoluteEnabled());
  EXPECT_EQ(scene->GetFocused(), nullptr);
  EXPECT_EQ(scene->ObjectByPoint(15, 15),
            root);  // the disabled controls are skipped
}

TEST_F(InputScene, TabMovesTheFocusAndWrapsAtBothEnds) {
  struct Case {
    int entries;
    int focused;  // -1: nothing focused
    bool backwards;
    int expected;
  };
  const Case cases[] = {
      {5, 2, false, 3},
      {5, 2, true, 1},
      {5, 4, false, 0},
      {5, 0, true, 4},
      {5, -1, false, 0},
      {5, -1, true, 4},
      // Short lists search the same way.
      {1, 0, false, 0},
      {2, 0, false, 1},
      {2, 1, false, 0},
      {2, 0, true, 1},
      {2, -1, false, 0},
      {1, -1, true, 0},
  };
  for (const Case& c : cases) {
    root->DeleteChildren();
    std::vector<TvgTestButton*> buttons;
    for (int i = 0; i < c.entries; ++i) buttons.push_back(Button(float(i * 5), 0));
    scene->SetFocused(c.focused < 0 ? nullptr : buttons[std::size_t(c.focused)]);
    Tab(c.backwards);
    EXPECT_EQ(scene->GetFocused(), buttons[std::size_t(c.expected)])
        << c.entries << " entries, from " << c.focused << (c.backwards ? " backwards" : "");
  }
}

TEST_F(InputScene, TabSkipsHiddenDisabledAndUnfocusableEntries) {
  TvgTestButton* a = Button(0, 0);
  TvgTestButton* hidden = Button(0, 20);
  TvgTestButton* disabled = Button(0, 40);
  TvgTestButton* plain = Button(0, 60);
  TvgTestButton* e = Button(0, 80);
  hidden->SetVisible(false);
  disabled->SetEnabled(false);
  plain->SetCanFocused(false);
  a->SetFocus();
  Tab();
  EXPECT_EQ(scene->GetFocused(), e);
}

TEST_F(InputScene, TabOrderIsClampedAndRestoredFromTheStoredValues) {
  TvgTestButton* a = Button(0, 0);
  TvgTestButton* b = Button(0, 20);
  TvgTestButton* c = Button(0, 40);
  TvgTestButton* d = Button(0, 60);
  a->SetTabOrder(99);
  EXPECT_EQ(root->TabList(), (std::vector<TvgVisualObject*>{b, c, d, a}));
  EXPECT_EQ(a->GetTabOrder(), 3);

  rtl::TStringStream form(
      "object TTestRect\n"
      "  object TvgTestButton\n    TabOrder = 2\n  end\n"
      "  object TvgTestButton\n    TabOrder = 0\n  end\n"
      "  object TvgTestButton\n    TabOrder = 1\n  end\n"
      "end\n");
  auto* loaded = new TTestRect(nullptr);
  scene->AddObject(loaded);
  ASSERT_EQ(LoadObjectFromStream(loaded, form), loaded);
  ASSERT_EQ(loaded->ChildrenCount(), 3);
  const auto child = [&](int i) { return loaded->GetChild(i)->Visual(); };
  EXPECT_EQ(loaded->TabList(), (std::vector<TvgVisualObject*>{child(1), child(2), child(0)}));
}

TEST_F(InputScene, DialogKeyGoesToVisibleEnabledChildrenUntilOneTakesIt) {
  std::vector<std::string> offered;
  struct Taker : TvgTestButton {
    using TvgTestButton::TvgTestButton;
    void DialogKey(std::uint16_t& key, TvgShiftState shift) override {
      Log->push_back(Name());
      if (Takes) key = 0;
      TvgTestButton::DialogKey(key, shift);
    }
    std::vector<std::string>* Log = nullptr;
    bool Takes = false;
  };
  auto add = [&](const std::string& name, bool takes) {
    auto* node = new Taker(nullptr);
    node->SetParent(root);
    node->SetName(name);
    node->Log = &offered;
    node->Takes = takes;
    return node;
  };
  add("hidden", true)->SetVisible(false);
  add("disabled", true)->SetEnabled(false);
  add("first", false);
  add("taker", true);
  add("after", true);
  std::uint16_t key = 27;
  char16_t ch = 0;
  scene->UnicodeKeyDown(key, ch, 0);
  EXPECT_EQ(key, 0);
  EXPECT_EQ(offered, (std::vector<std::string>{"first", "taker"}));
}

TEST_F(InputScene, CaretIsMadeOnceHiddenFromHitTestingAndStreaming) {
  const char* shapeClass = std::exchange(vgCaretClassName, "TTestRect");
  scene->SetAnimatedCaret(true);
  TvgTestButton* box = Button(10, 10);
  box->ShowCaretProc();
  TvgVisualObject* caret = box->Caret();
  ASSERT_NE(caret, nullptr);
  box->HideCaret();
  box->ShowCaretProc();
  EXPECT_EQ(box->Caret(), caret);
  EXPECT_EQ(std::count_if(box->Children().begin(), box->Children().end(),
                          [](TvgObject* child) { return child->InheritsFrom(TTestRect::StaticClass()); }),
            1);
  EXPECT_TRUE(caret->Visible());
  EXPECT_FALSE(caret->Stored());
  EXPECT_FALSE(caret->HitTest());
  EXPECT_EQ(caret->GetBoundsRect(), (TvgRect{0, 0, 3, 20}));
  EXPECT_EQ(static_cast<TTestRect*>(caret)->Fill()->SolidColor(), 0xFF0000FFu);
  ASSERT_EQ(caret->ChildrenCount(), 1);
  auto* blink = dynamic_cast<TvgFloatAnimation*>(caret->GetChild(0));
  ASSERT_NE(blink, nullptr);
  EXPECT_TRUE(blink->Running());
  EXPECT_EQ(blink->BindingName(), "caret");

  box->SetCaretPos({4.5f, 5.5f});
  EXPECT_EQ(caret->Position()->GetPoint(), (TvgPoint{4, 6}));
  EXPECT_EQ(scene->ObjectByPoint(11, 11), box);
  vgCaretClassName = shapeClass;
}

TEST_F(InputScene, DropTargetFollowsTheDragAndAnAutomaticDragEndsWithoutAClick) {
  TvgTestButton* target = Button(10, 10, "target");
  TvgDragObject data;
  data.Data = rtl::Variant(std::string("text"));
  bool accept = false;
  target->DragEnter(data, {1, 1});
  EXPECT_TRUE(target->IsDragOver());
  target->DragOver(data, {2, 2}, accept);
  EXPECT_FALSE(accept);  // no handler: the caller's answer stands
  target->OnDragOver = [](rtl::TObject*, const TvgDragObject&, TvgPoint, bool& ok) { ok = true; };
  target->DragOver(data, {2, 2}, accept);
  EXPECT_TRUE(accept);
  target->DragDrop(data, {2, 2});
  EXPECT_FALSE(target->IsDragOver());

  TvgTestButton* source = Button(40, 10, "source");
  source->SetDragMode(vgDragAutomatic);
  Press(45, 15);
  EXPECT_TRUE(source->Pressed());
  source->DragEnd();
  EXPECT_FALSE(source->Pressed());
  EXPECT_EQ(std::count(events.begin(), events.end(), "click source"), 0);
}
