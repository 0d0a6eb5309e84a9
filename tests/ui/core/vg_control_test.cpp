#include "tests/ui/core/vg_scene_fixture.h"

using namespace vg;
using namespace vgtest;

namespace {

struct StyledScene : EmbeddedScene {
  TvgOwned<TvgResources> book{new TvgResources(nullptr)};
  TTestRect* root = nullptr;

  void SetUp() override {
    EmbeddedScene::SetUp();
    ASSERT_NE(DefaultStyles(), nullptr);  // the built-in book of the tests
    rtl::TResourceStream stream("vgteststyles");
    book->ReadResources(stream);
    ASSERT_NE(book->Root(), nullptr);
    scene->SetStyle(book.get());
    root = AddRoot<TTestRect>();
  }
  template <class T = TvgTestButton>
  T* Button(const std::string& resource = {}) {
    auto* button = Add<T>(root, 10, 10, 40, 20);
    button->SetResource(resource);
    return button;
  }
  static TvgVisualObject* Style(TvgControl* control) {
    TvgObject* link = control->ResourceLink();
    return link && link->IsVisual() ? link->Visual() : nullptr;
  }
};

}  // namespace

TEST_F(EmbeddedScene, TheBuiltInBookIsReadAgainAfterAFailedRead) {
  FreeDefaultStyles();
  rtl::UnRegisterClass(TTestRect::StaticClass());  // a class of the book is missing
  EXPECT_EQ(DefaultStyles(), nullptr);
  EXPECT_FALSE(DefaultStylesLoaded());
  rtl::RegisterClasses<TTestRect>();
  EXPECT_NE(DefaultStyles(), nullptr);
  EXPECT_TRUE(DefaultStylesLoaded());
}

TEST_F(EmbeddedScene, ControlListsAndTheStreamingParentOfContentChildren) {
  auto* root = AddRoot<TTestRect>();
  auto* outer = Add<TvgTestButton>(root, 0, 0, 40, 40);
  auto* content = Add<TvgContent>(outer, 0, 0, 40, 40);
  auto* inner = Add<TvgTestButton>(content, 0, 0, 10, 10);
  auto* shape = Add<TTestRect>(content, 0, 0, 10, 10);
  auto* last = Add<TvgTestButton>(root, 50, 0, 20, 20);
  std::vector<TvgControl*> controls;
  root->AddControlsToList(controls);
  EXPECT_EQ(controls, (std::vector<TvgControl*>{outer, inner, last}));
  EXPECT_EQ(shape->GetParentComponent(), outer) << "a content child names the content's parent";
  EXPECT_EQ(content->GetParentComponent(), outer);
}

TEST_F(StyledScene, StyleIsFoundByNameThenByClassAndParentClassOnlyInTheBuiltInBook) {
  struct Case {
    const char* name;
    bool toggle;
    bool withBook;
    std::string resource;
    float opacity;  // tells the style objects apart
    std::string resourceName;
  };
  const Case cases[] = {
      {"class name in the scene's book", false, true, "", 1, "testbuttonstyle"},
      {"own resource", false, true, "roundstyle", 0.75f, ""},
      {"unknown resource falls back", false, true, "nowhere", 1, "testbuttonstyle"},
      {"built-in only name", false, true, "builtinonly", 0.25f, ""},
      {"parent class from the built-in book", true, true, "", 0.5f, "testbuttonstyle"},
      {"no scene book", false, false, "", 0.5f, "testbuttonstyle"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    scene->SetStyle(c.withBook ? book.get() : nullptr);
    TvgControl* control = c.toggle ? static_cast<TvgControl*>(Button<TvgTestToggle>(c.resource))
                                   : static_cast<TvgControl*>(Button(c.resource));
    TvgVisualObject* style = Style(control);
    ASSERT_NE(style, nullptr);
    EXPECT_FLOAT_EQ(style->Opacity(), c.opacity);
    EXPECT_EQ(style->ResourceName(), c.resourceName);
    control->Free();
  }
}

TEST_F(StyledScene, ControlNamingItsOwnResourceNameGetsNoStyle) {
  auto* button = Add<TvgTestButton>(root, 0, 0, 10, 10);
  button->SetResourceName("mine");
  button->SetResource("mine");
  EXPECT_EQ(button->ResourceLink(), nullptr);
}

TEST_F(StyledScene, ClonedStyleIsTheFirstChildLockedNotStoredAndGetsTheParts) {
  auto* button = Add<TvgTestButton>(root, 10, 10, 40, 20);
  auto* own = Add<TTestRect>(button, 0, 0, 5, 5);
  EXPECT_EQ(button->ResourceLink(), nullptr);  // lazily applied
  DrawQueued();
  TvgVisualObject* style = Style(button);
  ASSERT_NE(style, nullptr);
  EXPECT_EQ(button->GetChild(0), style);
  EXPECT_EQ(own->GetIndex(), 1);
  EXPECT_EQ(style->Align(), vaContents);
  EXPECT_EQ(style->GetBoundsRect(), (TvgRect{0, 0, 40, 20}));
  EXPECT_FALSE(style->Stored());
  EXPECT_FALSE(style->DesignHide());
  TvgObject* background = button->FindResource("background");
  ASSERT_NE(background, nullptr);
  EXPECT_TRUE(style->Locked() && background->Visual()->Locked());
  ASSERT_NE(button->TextPart, nullptr);
  EXPECT_EQ(button->TextPart->Text(), u"OK");
  EXPECT_NE(std::find(Log().begin(), Log().end(), "FillText (0,0,40,20) \"OK\" 0 1 0 0"), Log().end());

  // The same name again replaces the clone; the old parts are forgotten.
  TTestText* oldText = button->TextPart;
  button->SetResource("");
  EXPECT_EQ(button->FreeStyleCalls, 1);
  EXPECT_NE(Style(button), style);
  EXPECT_NE(button->TextPart, oldText);
  EXPECT_EQ(button->ChildrenCount(), 2);
}

TEST_F(StyledScene, HoverStartsTheStyleAnimation) {
  auto* button = Button();
  TvgObject* background = button->FindResource("background");
  ASSERT_NE(background, nullptr);
  scene->MouseMove(0, 20, 15);
  EXPECT_EQ(scene->Hovered(), button);
  EXPECT_TRUE(button->IsMouseOver());
  for (int i = 0; i < 20; ++i) clock.Step();
  EXPECT_FLOAT_EQ(background->Visual()->Opacity(), 0.5f);
  scene->MouseMove(0, 90, 90);
  EXPECT_FALSE(button->IsMouseOver());
}

TEST_F(StyledScene, BackgroundShowsItsFillOrItsStyleButNeverBoth) {
  struct Case {
    const char* name;
    TvgBrushStyle fill;
    bool transparency;
    int fills;        // FillRect calls: the background's own fill or its style
    bool styleShown;  // the style's colour reached the canvas
  };
  const Case cases[] = {
      {"solid fill", vgBrushSolid, false, 1, false},
      {"no fill shows the style", vgBrushNone, false, 1, true},
      {"transparent root shows nothing", vgBrushNone, true, 0, false},
  };
  root->Free();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    auto* background = AddRoot<TvgBackground>();
    background->Fill()->SetStyle(c.fill);
    scene->SetTransparency(c.transparency);
    scene->Fill()->SetStyle(vgBrushNone);
    DrawQueued();
    Log().clear();
    scene->Canvas()->Fill()->SetSolidColor(0);
    scene->UpdateBuffer();
    EXPECT_EQ(Lines("FillRect").size(), std::size_t(c.fills));
    EXPECT_EQ(scene->Canvas()->Fill()->SolidColor() == 0xFF203040, c.styleShown);
    background->Free();
  }
}

TEST_F(StyledScene, NewStyleBookReappliesEveryStyle) {
  auto* button = Button();
  TvgVisualObject* before = Style(button);
  TvgOwned<TvgResources> other{new TvgResources(nullptr)};
  other->Resource()->SetText(
      "object TvgBackground\n"
      "  object TTestRect\n"
      "    ResourceName = 'testbuttonstyle'\n"
      "    Opacity = 0.125\n"
      "  end\n"
      "end\n");
  ASSERT_NE(other->Root(), nullptr);
  scene->SetStyle(other.get());
  ASSERT_NE(Style(button), before);
  EXPECT_FLOAT_EQ(Style(button)->Opacity(), 0.125f);
  other->Resource()->SetText("not a style book");
  EXPECT_EQ(other->Root(), nullptr);
  scene->SetStyle(nullptr);
}

TEST(ResourceNodes, ComponentNameBecomesAnEmptyResourceName) {
  TvgOwned<TvgBrushObject> brush{new TvgBrushObject(nullptr)};
  brush->SetName("grad");
  EXPECT_EQ(brush->ResourceName(), "grad");
  EXPECT_EQ(brush->Brush()->SolidColor(), 0xFFFFFFFFu);
  TvgOwned<TvgPathObject> path{new TvgPathObject(nullptr)};
  path->SetResourceName("arrow");
  path->SetName("pathName");
  EXPECT_EQ(path->ResourceName(), "arrow");
}

TEST_F(StyledScene, BoundControlsFollowTheirSourceUntilEitherIsFreed) {
  struct Follower : TvgTestButton {
    using TvgTestButton::TvgTestButton;
    void SetData(const rtl::Variant& value) override { Received.push_back(value); }
    std::vector<rtl::Variant> Received;
  };
  auto* source = Add<TvgTestButton>(root, 0, 0, 10, 10);
  source->SetName("Source");
  auto* follower = new Follower(nullptr);
  follower->SetBindingSource(source);
  ASSERT_EQ(follower->Received.size(), 1u);
  source->ToBindingObjects();
  EXPECT_EQ(follower->Received.size(), 2u);
  source->Free();
  EXPECT_EQ(follower->BindingSource(), nullptr);
  follower->Free();
}

TEST_F(StyledScene, StyleFileReplacesTheBookAndAMissingFileChangesNothing) {
  auto* button = Button();
  const std::string path = ::testing::TempDir() + "vg_style_file.style";
  const std::string text =
      "object TvgBackground\n"
      "  object TTestRect\n"
      "    ResourceName = 'testbuttonstyle'\n"
      "    Opacity = 0.375\n"
      "  end\n"
      "end\n";
  rtl::WriteFileBytes(path, text.data(), text.size());
  book->SetFileName(path);
  ASSERT_NE(Style(button), nullptr);
  EXPECT_FLOAT_EQ(Style(button)->Opacity(), 0.375f);

  TvgObject* root = book->Root();
  book->SetFileName("no such style file");
  EXPECT_EQ(book->Root(), root);

  book->FillStrings();  // the tree as text, without rebuilding it
  EXPECT_EQ(book->Root(), root);
  EXPECT_NE(book->Resource()->Text().find("Opacity = 0.375"), std::string::npos);
}

// Every style book embedded here reads strictly: no misspelt property or
// unknown class hides in it.
TEST_F(EmbeddedScene, EveryEmbeddedResourceLoadsStrictly) {
  EXPECT_EQ(rtl::StrictResourceErrors(), std::vector<std::string>{});
}
