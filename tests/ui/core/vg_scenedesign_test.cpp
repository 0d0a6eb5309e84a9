// Design mode of the scene: grid and line snapping, grips, the mouse drag,
// the design menu's state and what it refuses on the root.
#include <gtest/gtest.h>

#include "tests/ui/core/vg_scene_fixture.h"
#include "ui/core/vg_designer.h"

namespace {

using namespace vg;
using vgtest::EmbeddedScene;
using vgtest::TTestRect;
using vgtest::TvgTestButton;
using vgtest::TvgTestToggle;

struct DesignScene : EmbeddedScene {
  TTestRect* root = nullptr;
  TTestRect* sibling = nullptr;
  TTestRect* node = nullptr;

  void SetUp() override {
    EmbeddedScene::SetUp();
    root = AddRoot<TTestRect>();
    scene->SetDesigning(true);
  }
  // A sibling at (sx, sy) of size sw x sh and the selected 10 x 10 node.
  void Place(TvgRect s, TvgPoint at) {
    sibling = Add<TTestRect>(root, s.Left, s.Top, s.Right, s.Bottom);
    node = Add<TTestRect>(root, at.X, at.Y, 10, 10);
    scene->DoDesignSelect(node);
  }
  TvgPoint At(TvgVisualObject* n) { return n->Position()->GetPoint(); }
};

TEST_F(DesignScene, SnapsValuesToTheGridTowardZero) {
  struct Case {
    bool on;
    float size, x, expected;
  };
  const Case cases[] = {{true, 5, 17.9f, 15}, {true, 5, -17.9f, -15}, {true, 5, 20, 20},
                        {false, 5, 17.9f, 17.9f}, {true, 0.5f, 1.7f, 1.5f}};
  for (const Case& c : cases) {
    scene->SetSnapToGrid(c.on);
    scene->SetSnapGridSize(c.size);
    EXPECT_FLOAT_EQ(scene->SnapToGridValue(c.x), c.expected) << c.x << " on grid " << c.size;
  }
  scene->SetSnapGridSize(0);
  EXPECT_FLOAT_EQ(scene->SnapGridSize(), 0.01f);
}

TEST_F(DesignScene, SnapsTheSelectionToTheFirstSiblingLineWithinTwo) {
  struct Case {
    const char* what;
    TvgRect sibling;  // x, y, width, height
    TvgPoint from, expected;
    bool guided;
  };
  const Case cases[] = {
      {"left edges", {50, 50, 20, 20}, {51, 10}, {50, 10}, true},
      {"centre before the equal left edges", {50, 50, 12, 12}, {50, 0}, {51, 0}, true},
      {"right edge onto the sibling's left", {50, 50, 20, 20}, {39, 10}, {40, 10}, true},
      {"bottom onto the sibling's top", {50, 50, 20, 20}, {10, 41}, {10, 40}, true},
      {"left onto the sibling's right", {50, 50, 20, 20}, {71.5f, 0}, {70, 0}, true},
      {"two away is not near", {50, 50, 20, 20}, {52, 10}, {52, 10}, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Place(c.sibling, c.from);
    scene->SnapToGridLines(true);
    EXPECT_EQ(At(node), c.expected);
    EXPECT_EQ(scene->DesignGridLines().size(), c.guided ? 1u : 0u);
    node->Free();
    sibling->Free();
  }
}

TEST_F(DesignScene, SnappingWithoutApplyOnlyCollectsTheGuide) {
  Place({50, 50, 20, 20}, {51, 10});
  scene->SnapToGridLines(false);
  EXPECT_EQ(At(node), (TvgPoint{51, 10}));
  ASSERT_EQ(scene->DesignGridLines().size(), 1u);
  EXPECT_EQ(scene->DesignGridLines()[0], sibling);
  scene->SetSnapToLines(false);
  EXPECT_EQ(scene->SnapPointToGridLines({23, 0}), (TvgPoint{23, 0}));
}

TEST_F(DesignScene, SnapsGripPointsToTheGuidesWithinFour) {
  Place({50, 50, 20, 20}, {49, 10});  // left edges within 2: the sibling guides
  struct Case {
    TvgPoint grip, expected;  // the selected node's coordinates
  };
  const Case cases[] = {{{23, 0}, {21, 0}}, {{24, 0}, {21, 0}}, {{25, 0}, {25, 0}}, {{0, 0}, {1, 0}},
                        {{10, 38}, {10, 40}}, {{10, 63}, {10, 60}}, {{10, 35}, {10, 35}}};
  for (const Case& c : cases) EXPECT_EQ(scene->SnapPointToGridLines(c.grip), c.expected) << c.grip.X << "," << c.grip.Y;
}

TEST_F(DesignScene, DraggingANodeNearASiblingEdgeSnapsAndTheDragGoesOnFromThere) {
  Place({50, 50, 20, 20}, {10, 10});
  scene->MouseDown(vgMouseLeft, {}, 15, 15);
  EXPECT_EQ(scene->Selected(), node);
  scene->MouseMove({}, 54, 20);  // node at (49, 15): one from the left edge
  EXPECT_EQ(At(node), (TvgPoint{50, 15}));
  EXPECT_EQ(scene->DesignGridLines().size(), 1u);
  scene->MouseMove({}, 60, 20);  // on by 5 from the snapped place
  EXPECT_EQ(At(node), (TvgPoint{55, 15}));
  scene->MouseUp(vgMouseLeft, {}, 60, 20);
  EXPECT_TRUE(scene->DesignGridLines().empty());
  scene->Draw();
  EXPECT_FALSE(Lines("DrawRect").empty()) << "the selection frame is drawn";
}

TEST_F(DesignScene, DraggingAGripResizesTheNode) {
  Place({50, 50, 20, 20}, {10, 10});
  scene->MouseDown(vgMouseLeft, {}, 20, 20);  // the bottom-right grip
  scene->MouseMove({}, 30, 25);
  scene->MouseUp(vgMouseLeft, {}, 30, 25);
  EXPECT_EQ(At(node), (TvgPoint{10, 10}));
  EXPECT_FLOAT_EQ(node->Width(), 20);
  EXPECT_FLOAT_EQ(node->Height(), 15);
}

TEST_F(DesignScene, SideGripsResizeAlongOneAxis) {
  struct Case {
    TvgPoint grip, to;
    TvgRect bounds;  // left, top, width, height afterwards
  };
  const Case cases[] = {
      {{15, 10}, {15, 5}, {10, 5, 10, 15}},    // top
      {{15, 20}, {15, 26}, {10, 10, 10, 16}},  // bottom
      {{10, 15}, {6, 15}, {6, 10, 14, 10}},    // left
      {{20, 15}, {25, 15}, {10, 10, 15, 10}},  // right
  };
  for (const Case& c : cases) {
    Place({50, 50, 20, 20}, {10, 10});
    scene->MouseDown(vgMouseLeft, {}, c.grip.X, c.grip.Y);
    scene->MouseMove({}, c.to.X, c.to.Y + 1);  // off the axis: only one side moves
    scene->MouseMove({}, c.to.X, c.to.Y);
    scene->MouseUp(vgMouseLeft, {}, c.to.X, c.to.Y);
    EXPECT_EQ(At(node), (TvgPoint{c.bounds.Left, c.bounds.Top})) << c.grip.X << "," << c.grip.Y;
    EXPECT_FLOAT_EQ(node->Width(), c.bounds.Right) << c.grip.X << "," << c.grip.Y;
    EXPECT_FLOAT_EQ(node->Height(), c.bounds.Bottom) << c.grip.X << "," << c.grip.Y;
    sibling->Free();
    node->Free();
  }
}

TEST_F(DesignScene, InsertingRepaintsTheFormerSelectionsMarks) {
  Place({50, 50, 20, 20}, {10, 10});
  scene->Draw();
  ASSERT_TRUE(scene->UpdateRects().empty());
  scene->InsertObject("TTestRect");
  const TvgRect marks{7, 7, 23, 23};  // the node's frame and grips
  const auto& queued = scene->UpdateRects();
  EXPECT_TRUE(std::any_of(queued.begin(), queued.end(), [&](const TvgRect& r) {
    return r.Left <= marks.Left && r.Top <= marks.Top && r.Right >= marks.Right && r.Bottom >= marks.Bottom;
  }));
}

TEST_F(DesignScene, TheGridMenuShowsTheSnapModeAndSwitchesIt) {
  scene->SetSnapToGrid(true);
  scene->SetSnapToLines(false);
  TvgDesignMenu menu = scene->DesignMenu();
  const TvgDesignMenuItem* grid = vgFindDesignMenuItem(menu, "Grid");
  ASSERT_NE(grid, nullptr);
  EXPECT_TRUE(vgFindDesignMenuItem(grid->items, "Snap to grid")->checked);
  EXPECT_FALSE(vgFindDesignMenuItem(grid->items, "Snap to lines")->checked);
  EXPECT_FALSE(vgFindDesignMenuItem(grid->items, "Snap disabled")->checked);
  vgFindDesignMenuItem(grid->items, "Snap disabled")->onClick();
  EXPECT_FALSE(scene->SnapToGrid());
  EXPECT_FALSE(scene->SnapToLines());
  menu = scene->DesignMenu();
  EXPECT_TRUE(vgFindDesignMenuItem(vgFindDesignMenuItem(menu, "Grid")->items, "Snap disabled")->checked);
}

TEST_F(DesignScene, TheRootCanNeitherBeDeletedNorHidden) {
  scene->DoDesignSelect(root);
  TvgDesignMenu menu = scene->DesignMenu();
  vgFindDesignMenuItem(menu, "Delete object")->onClick();
  vgFindDesignMenuItem(menu, "Hide in Design-time")->onClick();
  EXPECT_EQ(scene->GetRoot(), root);
  EXPECT_FALSE(root->DesignHide());
  EXPECT_EQ(scene->Selected(), root);
}

TEST_F(DesignScene, DeletingANodeSelectsItsParent) {
  Place({50, 50, 20, 20}, {10, 10});
  vgFindDesignMenuItem(scene->DesignMenu(), "Delete object")->onClick();
  EXPECT_EQ(scene->Selected(), root);
  EXPECT_EQ(root->ChildrenCount(), 1);
}

TEST_F(DesignScene, CopyAndPasteGoThroughTheDesignClipboard) {
  Place({50, 50, 20, 20}, {10, 10});
  TvgDesignMenu menu = scene->DesignMenu();
  const TvgDesignMenuItem* edit = vgFindDesignMenuItem(menu, "Edit");
  vgFindDesignMenuItem(edit->items, "Copy to clipboard")->onClick();
  scene->DoDesignSelect(root);
  vgFindDesignMenuItem(vgFindDesignMenuItem(scene->DesignMenu(), "Edit")->items, "Paste from clipboard")->onClick();
  ASSERT_EQ(root->ChildrenCount(), 3);
  auto* pasted = dynamic_cast<TTestRect*>(root->GetChild(2));
  ASSERT_NE(pasted, nullptr);
  EXPECT_EQ(At(pasted), (TvgPoint{10, 10}));
}

TEST_F(DesignScene, ThePropertiesOfTheSnapModeAreStreamed) {
  const rtl::TPublishedTable& table = rtl::PublishedOf(scene->ClassType());
  scene->SetSnapToGrid(true);
  for (const char* name : {"DesignSnapGridShow", "DesignSnapToGrid", "DesignSnapToLines"}) {
    const rtl::TPropertyInfo* property = table.FindProperty(name);
    ASSERT_NE(property, nullptr) << name;
    EXPECT_TRUE(property->IsStored(scene.get())) << name;
  }
  EXPECT_EQ(table.FindProperty("DesignSnapToGrid")->GetText(scene.get()), "True");
}

// An environment that names objects and records what it is told.
class RecordingDesigner : public TvgDesigner {
 public:
  using TvgDesigner::TvgDesigner;
  void SelectObject(rtl::TComponent*, TvgObject* object, const std::vector<TvgObject*>&) override {
    selected = object;
  }
  void Modified(rtl::TComponent*) override { ++modified; }
  std::string UniqueName(rtl::TComponent*, const std::string& className) override {
    return className + std::to_string(++counter);
  }
  bool IsSelected(rtl::TComponent*, rtl::TObject* object) override { return object == selected; }
  void EditStyle(TvgResources* book, const std::string& name) override {
    editedBook = book;
    editedStyle = name;
  }
  TvgObject* selected = nullptr;
  TvgResources* editedBook = nullptr;
  std::string editedStyle;
  int modified = 0;
  int counter = 0;
};

TEST_F(DesignScene, ADesignerNamesInsertedNodesAndSelectsThemInEveryScene) {
  RecordingDesigner designer(nullptr);
  vgDesigner = &designer;
  TvgScene second(nullptr);
  ASSERT_NE(designer.Scenes(), nullptr);
  EXPECT_EQ(designer.Scenes()->size(), 1u);
  designer.AddScene(scene.get());
  scene->DoDesignSelect(root);
  scene->InsertObject("TTestRect");
  TvgObject* inserted = root->GetChild(root->ChildrenCount() - 1);
  EXPECT_EQ(inserted->Name(), "TTestRect1");
  EXPECT_EQ(designer.selected, inserted);
  EXPECT_EQ(designer.modified, 1);
  EXPECT_EQ(scene->Selected(), inserted);
  designer.CallDesignSelect(root);
  EXPECT_EQ(scene->Selected(), root);
  scene->InsertObject("NoSuchClass");
  scene->InsertObject("TvgScene");  // not a node
  EXPECT_EQ(root->ChildrenCount(), 1);
  designer.RemoveScene(scene.get());
  vgDesigner = nullptr;
}

// A designed scene with a style book; controls take their styles from the
// book or, when it has none, from the built-in book.
struct StyleEditing : DesignScene {
  TvgOwned<TvgResources> book{new TvgResources(nullptr)};

  void SetUp() override {
    DesignScene::SetUp();
    rtl::TResourceStream stream("vgteststyles");
    book->ReadResources(stream);
    scene->SetStyle(book.get());
  }
  // A control with its style applied, and the styles of the controls in it.
  template <class T>
  T* Styled(const std::string& resource = {}) {
    auto* control = Add<T>(root, 10, 10, 40, 20);
    control->SetResource(resource);
    ApplyStyles(control);
    return control;
  }
  static void ApplyStyles(TvgObject* node) {
    if (auto* control = dynamic_cast<TvgControl*>(node)) control->ApplyResource();
    for (TvgObject* child : node->Children()) ApplyStyles(child);
  }
  template <class T>
  static T* ChildOf(TvgObject* node) {
    for (TvgObject* child : node->Children())
      if (auto* found = dynamic_cast<T*>(child)) return found;
    return nullptr;
  }
  void Choose(TvgVisualObject* node, const std::string& entry) {
    scene->DoDesignSelect(node);
    const auto menu = scene->DesignMenu();
    const TvgDesignMenuItem* item = vgFindDesignMenuItem(menu, entry);
    ASSERT_NE(item, nullptr) << entry;
    item->onClick();
  }
  TvgObject* Entry(const std::string& name) { return book->Root()->FindResource(name); }
};

TEST_F(StyleEditing, TheDefaultStyleTakesTheClassNameAndOutlivesTheControl) {
  scene->DoDesignSelect(root);
  EXPECT_EQ(vgFindDesignMenuItem(scene->DesignMenu(), "Edit Default Style..."), nullptr) << "not a control";
  auto* toggle = Styled<TvgTestToggle>();  // styled by its parent class in the built-in book
  TvgObject* applied = toggle->ResourceLink();
  ASSERT_NE(applied, nullptr);
  Choose(toggle, "Edit Default Style...");
  ASSERT_EQ(Entry("TestToggleStyle"), applied);
  EXPECT_EQ(applied->ResourceName(), "TestToggleStyle");
  EXPECT_EQ(applied->Parent(), book->Root());
  EXPECT_TRUE(applied->Stored());
  EXPECT_EQ(applied->Visual()->Align(), vaNone);
  EXPECT_FALSE(applied->Visual()->Locked());
  EXPECT_FLOAT_EQ(applied->Visual()->Opacity(), 0.5f);
  ASSERT_NE(toggle->ResourceLink(), nullptr);
  EXPECT_NE(toggle->ResourceLink(), applied) << "restyled from the book";
  toggle->Free();
  EXPECT_EQ(Entry("TestToggleStyle"), applied) << "the entry belongs to the book now";
  book->FillStrings();
  EXPECT_NE(book->Resource()->Text().find("TestToggleStyle"), std::string::npos);
}

TEST_F(StyleEditing, TheDefaultStyleTakesAlongOnlyTheInnerStylesTheBookLacks) {
  RecordingDesigner designer(nullptr);
  vgDesigner = &designer;
  auto* outer = Styled<TvgTestButton>("testnestedstyle");
  TvgObject* applied = outer->ResourceLink();
  auto* innerButton = ChildOf<TvgTestButton>(applied);  // its style is in the book
  auto* innerToggle = ChildOf<TvgTestToggle>(applied);  // Resource 'missingstyle'
  ASSERT_TRUE(innerButton && innerToggle && innerButton != innerToggle);
  TvgObject* buttonStyle = innerButton->ResourceLink();
  TvgObject* toggleStyle = innerToggle->ResourceLink();
  ASSERT_TRUE(buttonStyle && toggleStyle);
  Choose(outer, "Edit Default Style...");
  EXPECT_EQ(Entry("testnestedstyle"), applied);
  EXPECT_EQ(Entry("missingstyle"), toggleStyle);
  EXPECT_EQ(innerButton->ResourceLink(), buttonStyle) << "the book has this one";
  EXPECT_EQ(designer.editedBook, book.get());
  EXPECT_EQ(designer.editedStyle, "testnestedstyle");
  vgDesigner = nullptr;
}

TEST_F(DesignScene, EditingAStyleMakesTheSceneAStyleBookWhenItHasNone) {
  for (const char* entry : {"Edit Default Style...", "Edit Custom Style..."}) {
    auto* toggle = Add<TvgTestToggle>(root, 10, 10, 40, 20);
    toggle->SetName("toggle");
    toggle->ApplyResource();
    ASSERT_NE(toggle->ResourceLink(), nullptr);
    scene->DoDesignSelect(toggle);
    const auto menu = scene->DesignMenu();
    const TvgDesignMenuItem* item = vgFindDesignMenuItem(menu, entry);
    ASSERT_NE(item, nullptr) << entry;
    item->onClick();
    TvgResources* book = scene->Style();
    ASSERT_NE(book, nullptr) << entry;
    ASSERT_NE(book->Root(), nullptr) << entry;
    const std::string name = toggle->Resource().empty() ? "TestToggleStyle" : toggle->Resource();
    EXPECT_NE(book->Root()->FindResource(name), nullptr) << entry;
    toggle->Free();
    scene->SetStyle(nullptr);  // the next entry starts without a book again
  }
}

TEST_F(StyleEditing, ACustomStyleIsNamedAfterTheControl) {
  auto* outer = Styled<TvgTestButton>("testnestedstyle");
  outer->SetName("okButton");
  TvgObject* applied = outer->ResourceLink();
  TvgObject* toggleStyle = ChildOf<TvgTestToggle>(applied)->ResourceLink();
  Choose(outer, "Edit Custom Style...");
  EXPECT_EQ(Entry("okButton"), applied);
  EXPECT_EQ(outer->Resource(), "okButton");
  EXPECT_EQ(Entry("missingstyle"), toggleStyle);
  EXPECT_EQ(ChildOf<TvgTestToggle>(applied)->Resource(), "missingstyle");

  RecordingDesigner designer(nullptr);
  vgDesigner = &designer;
  auto* button = Styled<TvgTestButton>();
  button->SetName("cancelButton");
  Choose(button, "Edit Custom Style...");
  EXPECT_EQ(button->Resource().rfind("cancelButtonStyle", 0), 0u) << button->Resource();
  TvgObject* entry = Entry(button->Resource());
  ASSERT_NE(entry, nullptr);
  EXPECT_NE(entry->FindResource("text"), nullptr) << "a copy of the button's style";
  EXPECT_EQ(designer.editedStyle, button->Resource());
  ASSERT_NE(button->ResourceLink(), nullptr);
  EXPECT_NE(button->ResourceLink(), entry);
  vgDesigner = nullptr;
}

}  // namespace
