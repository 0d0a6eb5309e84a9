// Input routing through an embedded scene with a fake window.
#include "tests/ui/core/vg_scene_fixture.h"

using namespace vg;
using namespace vgtest;

namespace {

class FakeWindow : public IvgSceneWindow {
 public:
  bool HandleAllocated() override { return false; }
  void Invalidate(const TvgRect&) override {}
  void Flush(TvgCanvas&, const std::vector<TvgRect>&) override {}
  bool ParentIsForm() override { return false; }
  TvgPoint ClientToScreen(TvgPoint p) override { return p; }
  void SetMouseCapture(bool capture) override { Captured = capture; }
  std::intptr_t ParentTag() override { return Tag; }
  TvgRect OwnerBounds() override { return Owner; }
  void SetOwnerBounds(const TvgRect& bounds) override { Owner = bounds; }
  bool CancelModalOwner() override {
    if (!Modal) return false;
    ModalResult = 2;
    return true;
  }
  void BeginDrag(rtl::TObject* source) override { DragSource = source; }

  bool Captured = false;
  std::intptr_t Tag = 0;
  TvgRect Owner{100, 100, 400, 300};
  bool Modal = false;
  int ModalResult = 0;
  rtl::TObject* DragSource = nullptr;
};

struct RoutingScene : EmbeddedScene {
  FakeWindow window;
  TTestRect* root = nullptr;
  std::vector<std::string> events;

  void SetUp() override {
    EmbeddedScene::SetUp();
    scene->SetWindow(&window);
    root = AddRoot<TTestRect>();
    root->SetHitTest(false);
  }
  void TearDown() override {
    scene->SetWindow(nullptr);
    EmbeddedScene::TearDown();
  }
  // A node that logs what reaches it, with its name and local coordinates.
  TTestRect* Node(TvgObject* parent, const std::string& name, float x, float y, float w, float h) {
    auto* node = Add<TTestRect>(parent, x, y, w, h);
    node->OnMouseEnter = [=, this](rtl::TObject*) { events.push_back("enter " + name); };
    node->OnMouseLeave = [=, this](rtl::TObject*) { events.push_back("leave " + name); };
    node->OnMouseMove = [=, this](rtl::TObject*, TvgShiftState, float lx, float ly, float, float) {
      events.push_back("move " + name + " " + std::to_string(int(lx)) + "," + std::to_string(int(ly)));
    };
    node->OnMouseUp = [=, this](rtl::TObject*, TvgMouseButton, TvgShiftState, float lx, float ly) {
      events.push_back("up " + name + " " + std::to_string(int(lx)) + "," + std::to_string(int(ly)));
    };
    node->OnKeyDown = [=, this](rtl::TObject*, std::uint16_t& key, char16_t& ch, TvgShiftState) {
      events.push_back("keydown " + name + " " + std::to_string(key) + "," + std::to_string(int(ch)));
    };
    node->OnKeyUp = [=, this](rtl::TObject*, std::uint16_t& key, char16_t& ch, TvgShiftState) {
      events.push_back("keyup " + name + " " + std::to_string(key) + "," + std::to_string(int(ch)));
    };
    return node;
  }
  std::vector<std::string> Take() { return std::exchange(events, {}); }
};

TEST_F(RoutingScene, HoverLeavesBeforeEnteringAndLeavingTheWindowLeaves) {
  Node(root, "a", 0, 0, 40, 40);
  Node(root, "b", 50, 0, 40, 40);
  scene->EmbeddedMouseMove(0, 10, 10);
  scene->EmbeddedMouseMove(0, 60, 10);
  scene->MouseLeaveWindow();
  EXPECT_EQ(Take(), (std::vector<std::string>{"enter a", "move a 10,10", "leave a", "enter b", "move b 10,10",
                                              "leave b"}));
  EXPECT_EQ(scene->Hovered(), nullptr);
}

TEST_F(RoutingScene, CapturedNodeGetsMovesAndTheReleaseOutsideIt) {
  TTestRect* a = Node(root, "a", 10, 10, 20, 20);
  Node(root, "b", 50, 50, 20, 20);
  a->SetAutoCapture(true);
  scene->EmbeddedMouseMove(0, 15, 15);
  scene->EmbeddedMouseDown(vgMouseLeft, vgLeftButton, 15, 15);
  EXPECT_EQ(scene->GetCaptured(), a);
  Take();
  scene->EmbeddedMouseMove(vgLeftButton, 200, 60);  // beyond the window, over nothing and then b
  scene->EmbeddedMouseMove(vgLeftButton, 55, 55);
  scene->EmbeddedMouseUp(vgMouseLeft, 0, 55, 55);
  EXPECT_EQ(Take(), (std::vector<std::string>{"move a 190,50", "move a 45,45", "up a 45,45"}));
  EXPECT_EQ(scene->GetCaptured(), nullptr);
}

TEST_F(RoutingScene, WheelBubblesUpToTheFirstParentThatHandlesIt) {
  TTestRect* list = Node(root, "list", 0, 0, 100, 100);
  TTestRect* item = Node(list, "item", 0, 0, 100, 20);
  std::vector<std::string> wheels;
  item->OnMouseWheel = [&](rtl::TObject*, TvgShiftState, int, TvgPoint, bool&) { wheels.push_back("item"); };
  list->OnMouseWheel = [&](rtl::TObject*, TvgShiftState, int delta, TvgPoint, bool& handled) {
    wheels.push_back("list " + std::to_string(delta));
    handled = true;
  };
  root->OnMouseWheel = [&](rtl::TObject*, TvgShiftState, int, TvgPoint, bool&) { wheels.push_back("root"); };
  scene->EmbeddedMouseMove(0, 10, 10);
  EXPECT_TRUE(scene->EmbeddedMouseWheel(0, -120));
  EXPECT_EQ(wheels, (std::vector<std::string>{"item", "list -120"}));
}

TEST_F(RoutingScene, TypedCharactersReachTheFocusedNode) {
  TTestRect* box = Node(root, "box", 0, 0, 50, 20);
  box->SetCanFocused(true);
  box->SetFocus();
  struct Case {
    char16_t typed;
    std::vector<std::string> delivered;
  };
  const Case cases[] = {
      {3, {"keydown box 0,99", "keyup box 0,99"}},     // Ctrl+C
      {1, {"keydown box 0,97", "keyup box 0,97"}},     // Ctrl+A
      {22, {"keydown box 0,118", "keyup box 0,118"}},  // Ctrl+V
      {24, {"keydown box 0,120", "keyup box 0,120"}},  // Ctrl+X
      {26, {"keydown box 0,122", "keyup box 0,122"}},  // Ctrl+Z
      {13, {}},                                        // Enter is a key, not a character
      {u'中', {"keydown box 0,20013"}},
  };
  for (const Case& c : cases) {
    scene->KeyChar(c.typed, c.typed < 32 ? vgCtrl : 0);
    EXPECT_EQ(Take(), c.delivered) << int(c.typed);
  }
  scene->ImeResult(u"ab");
  EXPECT_EQ(Take(), (std::vector<std::string>{"keydown box 0,97", "keydown box 0,98"}));
}

TEST_F(RoutingScene, DialogKeysAreOfferedToTheTreeFirstAndEscapeCancelsTheModalOwner) {
  TTestRect* box = Node(root, "box", 0, 0, 50, 20);
  box->SetCanFocused(true);
  box->SetFocus();
  // Consumes the up arrow only.
  struct Consumer : TTestRect {
    using TTestRect::TTestRect;
    void DialogKey(std::uint16_t& key, TvgShiftState) override {
      if (key == 38) key = 0;
    }
  };
  auto* consumer = new Consumer(nullptr);
  consumer->SetParent(root);
  auto press = [&](std::uint16_t key) {
    char16_t ch = 0;
    scene->UnicodeKeyDown(key, ch, 0);
    return key;
  };
  EXPECT_EQ(press(38), 0);
  EXPECT_EQ(press(40), 40);
  EXPECT_EQ(Take(), (std::vector<std::string>{"keydown box 40,0"}));

  EXPECT_EQ(press(27), 27);  // no modal owner: the focused node has it
  window.Modal = true;
  EXPECT_EQ(press(27), 0);
  EXPECT_EQ(window.ModalResult, 2);
  EXPECT_EQ(Take(), (std::vector<std::string>{"keydown box 27,0"}));
}

TEST_F(RoutingScene, EmptyAreaDragsTheOwnerUnlessTheParentIsTagged65535) {
  scene->EmbeddedMouseDown(vgMouseLeft, vgLeftButton, 20, 20);
  EXPECT_TRUE(scene->Dragging());
  scene->EmbeddedMouseMove(vgLeftButton, 25, 17);
  EXPECT_EQ(window.Owner, (TvgRect{105, 97, 405, 297}));
  scene->EmbeddedMouseUp(vgMouseLeft, 0, 25, 17);
  EXPECT_FALSE(scene->Dragging());
  EXPECT_FALSE(window.Captured);

  window.Tag = 65535;
  scene->EmbeddedMouseDown(vgMouseLeft, vgLeftButton, 20, 20);
  scene->EmbeddedMouseMove(vgLeftButton, 40, 40);
  EXPECT_FALSE(scene->Dragging());
  EXPECT_EQ(window.Owner, (TvgRect{105, 97, 405, 297}));
}

TEST_F(RoutingScene, SizeGripResizesTheOwner) {
  struct Grip : TTestRect, IvgSizeGrip {
    using TTestRect::TTestRect;
  };
  auto* grip = new Grip(nullptr);
  grip->SetParent(root);
  grip->SetBounds(80, 80, 20, 20);
  scene->EmbeddedMouseDown(vgMouseLeft, vgLeftButton, 90, 90);
  scene->EmbeddedMouseMove(vgLeftButton, 95, 93);
  scene->EmbeddedMouseMove(vgLeftButton, 97, 100);
  EXPECT_EQ(window.Owner, (TvgRect{100, 100, 407, 310}));
}

TEST_F(RoutingScene, DroppedFilesReachTheTargetWholeAndFirstAsData) {
  TTestRect* target = Node(root, "target", 10, 10, 50, 50);
  target->OnDragOver = [](rtl::TObject*, const TvgDragObject& data, TvgPoint, bool& accept) {
    accept = !data.Files.empty();
  };
  TvgDragObject dropped;
  target->OnDragDrop = [&](rtl::TObject*, const TvgDragObject& data, TvgPoint) { dropped = data; };
  const rtl::WideString longName = u"/home/user/" + rtl::WideString(300, u'n') + u".esc";
  TvgDragObject data;
  data.Files = {longName, u"/tmp/second.esc"};
  data.Data = longName;
  EXPECT_FALSE(scene->DragOver(data, {80, 80}, false));
  EXPECT_TRUE(scene->DragOver(data, {20, 20}, false));
  EXPECT_EQ(TvgCustomScene::DropTarget(), target);
  EXPECT_TRUE(target->IsDragOver());
  scene->DragDrop(data, {20, 20});
  EXPECT_EQ(dropped.Files, data.Files);
  EXPECT_EQ(dropped.Data, rtl::Variant(longName));
  EXPECT_EQ(TvgCustomScene::DropTarget(), nullptr);
}

TEST_F(RoutingScene, DraggedNodeIsNeverItsOwnDropTarget) {
  TTestRect* node = Node(root, "node", 10, 10, 30, 30);
  TTestRect* other = Node(root, "other", 50, 10, 30, 30);
  for (TTestRect* n : {node, other})
    n->OnDragOver = [](rtl::TObject*, const TvgDragObject&, TvgPoint, bool& accept) { accept = true; };
  int ends = 0;
  node->OnDragEnd = [&](rtl::TObject*) { ++ends; };
  node->SetDragMode(vgDragAutomatic);
  scene->EmbeddedMouseDown(vgMouseLeft, vgLeftButton, 20, 20);
  ASSERT_EQ(window.DragSource, node);

  TvgDragObject data;
  data.Source = node;
  EXPECT_FALSE(scene->DragOver(data, {20, 20}, true));
  EXPECT_EQ(TvgCustomScene::DropTarget(), nullptr);
  scene->DragOver(data, {60, 20}, true);  // enters the other node
  EXPECT_TRUE(scene->DragOver(data, {60, 20}, true));
  EXPECT_FALSE(scene->DragOver(data, {20, 20}, true));  // back over itself: left
  EXPECT_FALSE(other->IsDragOver());
  scene->EndDrag();
  EXPECT_EQ(ends, 1);
}

TEST_F(RoutingScene, HintsComeFromTheNodeUnderThePoint) {
  TTestRect* node = Node(root, "node", 10.5f, 10, 30, 20);
  node->SetHint(u"Tip");
  rtl::WideString text;
  TvgRect area;
  EXPECT_FALSE(scene->HintAt(20, 20, text, area));
  node->SetShowHint(true);
  ASSERT_TRUE(scene->HintAt(20, 20, text, area));
  EXPECT_EQ(text, u"Tip");
  EXPECT_EQ(area, (TvgRect{10, 10, 40, 30}));
  scene->EmbeddedMouseMove(0, 20, 20);
  EXPECT_EQ(scene->Hint(), u"Tip");

  node->SetCanFocused(true);
  node->SetFocus();
  TvgRect caret;
  ASSERT_TRUE(scene->ImeCaret(caret));
  EXPECT_EQ(caret, (TvgRect{10, 10, 11, 11})) << "no caret: one pixel";
  const char* caretClass = std::exchange(vgCaretClassName, "TTestRect");
  node->SetCaretSize({2, 14});
  vgCaretClassName = caretClass;
  ASSERT_TRUE(scene->ImeCaret(caret));
  EXPECT_EQ(caret, (TvgRect{10, 10, 11, 24})) << "as tall as the caret";
}

TEST_F(RoutingScene, ALostGrabForgetsTheCapturedNodeAndTheWindowDrag) {
  TTestRect* a = Node(root, "a", 10, 10, 20, 20);
  a->SetAutoCapture(true);
  scene->EmbeddedMouseDown(vgMouseLeft, vgLeftButton, 15, 15);
  ASSERT_EQ(scene->GetCaptured(), a);
  scene->MouseCaptureLost();
  EXPECT_EQ(scene->GetCaptured(), nullptr);
  scene->EmbeddedMouseDown(vgMouseLeft, vgLeftButton, 60, 60);  // empty area: drags the window
  ASSERT_TRUE(scene->Dragging());
  scene->MouseCaptureLost();
  EXPECT_FALSE(scene->Dragging());
  const TvgRect owner = window.Owner;
  scene->EmbeddedMouseMove(vgLeftButton, 90, 90);
  EXPECT_EQ(window.Owner, owner);
}

}  // namespace

TEST_F(RoutingScene, DetachedNodesAreForgottenBeforeTheyAreFreed) {
  TTestRect* hovered = Node(root, "hovered", 0, 0, 40, 40);
  TTestRect* page = Node(root, "page", 50, 0, 40, 40);
  TTestRect* captured = Node(page, "captured", 0, 0, 20, 20);
  captured->SetAutoCapture(true);

  scene->EmbeddedMouseMove(0, 10, 10);
  ASSERT_EQ(scene->Hovered(), hovered);
  hovered->SetParent(nullptr);
  EXPECT_EQ(scene->Hovered(), nullptr);
  hovered->Free();

  scene->EmbeddedMouseMove(0, 55, 5);
  scene->EmbeddedMouseDown(vgMouseLeft, vgLeftButton, 55, 5);
  ASSERT_EQ(scene->GetCaptured(), captured);
  scene->RemoveObject(root);  // the whole tree leaves the scene
  EXPECT_EQ(scene->GetCaptured(), nullptr);
  EXPECT_EQ(scene->Hovered(), nullptr);
  root->Free();
  root = nullptr;

  scene->EmbeddedMouseMove(0, 12, 12);  // touches nothing freed
  scene->EmbeddedMouseUp(vgMouseLeft, 0, 12, 12);
}

TEST_F(RoutingScene, HiddenOrDisabledContainersGiveUpTheFocusAndTakeNoKeys) {
  struct Case {
    const char* name;
    void (*change)(TTestRect* page, bool on);
  };
  const Case cases[] = {
      {"hidden", [](TTestRect* page, bool on) { page->SetVisible(on); }},
      {"disabled", [](TTestRect* page, bool on) { page->SetEnabled(on); }},
  };
  TTestRect* page = Node(root, "page", 0, 0, 60, 60);
  TTestRect* box = Node(page, "box", 0, 0, 50, 20);
  box->SetCanFocused(true);
  for (const Case& c : cases) {
    box->SetFocus();
    ASSERT_EQ(scene->GetFocused(), box) << c.name;
    c.change(page, false);
    EXPECT_EQ(scene->GetFocused(), nullptr) << c.name;
    scene->KeyChar(u'x', 0);
    EXPECT_TRUE(Take().empty()) << c.name;
    c.change(page, true);
  }
}
