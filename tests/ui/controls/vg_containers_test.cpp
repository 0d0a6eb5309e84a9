// Panels, the callout panel, bars, the expander and the popup box with the
// built-in style book.
#include <gtest/gtest.h>

#include "platform/rtl/Exceptions.h"
#include "tests/ui/controls/controls_fixture.h"

namespace {

using namespace vg;
using vgtest::ControlScene;

// The y of the tab's tip on the left side of a callout outline.
float LeftTabTip(const TvgCalloutRectangle& outline) {
  const TvgPathData& path = outline.Path();
  TvgPoint tip{1e9f, 0};
  for (const TvgPathPoint& point : path.PathData)
    if (point.Kind != vgPathPointClose && point.Point.X < tip.X) tip = point.Point;
  return tip.Y;
}

TEST_F(ControlScene, CalloutOffsetMovesTheTab) {
  auto* panel = Add<TvgCalloutPanel>();
  panel->SetBounds(10, 10, 160, 120);
  auto* outline = dynamic_cast<TvgCalloutRectangle*>(panel->ResourceLink());
  ASSERT_NE(outline, nullptr);  // the built-in style's root
  panel->SetCalloutPosition(vgCalloutLeft);
  EXPECT_EQ(outline->CalloutPosition(), vgCalloutLeft);
  const float centred = LeftTabTip(*outline);

  panel->SetCalloutOffset(40);
  EXPECT_EQ(outline->CalloutOffset(), 40);
  const float top = outline->GetShapeRect().Top;
  const float tip = LeftTabTip(*outline);
  EXPECT_NE(tip, centred);
  EXPECT_GE(tip, top + 40);
  EXPECT_LE(tip, top + 40 + panel->CalloutWidth());

  outline->SetCalloutOffset(7);
  panel->SetCalloutOffset(40);  // unchanged: the style is not touched again
  EXPECT_EQ(outline->CalloutOffset(), 7);
  panel->SetCalloutWidth(30);
  EXPECT_EQ(outline->CalloutOffset(), 40);
  EXPECT_EQ(outline->CalloutWidth(), 30);
}

TEST_F(ControlScene, StatusBarShowsADraggableSizeGripOnRequest) {
  auto* bar = Add<TvgStatusBar>();
  EXPECT_EQ(bar->Align(), vaBottom);
  EXPECT_EQ(bar->Height(), 22);
  TvgObject* grip = bar->FindResource("sizegrip");
  ASSERT_NE(grip, nullptr);
  EXPECT_TRUE(grip->Visual()->Visible());
  EXPECT_FALSE(grip->Visual()->Locked());
  EXPECT_TRUE(grip->Visual()->HitTest());
  bar->SetShowSizeGrip(false);
  grip = bar->FindResource("sizegrip");  // a fresh style clone
  EXPECT_FALSE(grip->Visual()->Visible());
  EXPECT_EQ(Add<TvgToolBar>()->Align(), vaTop);
}

struct Expanders : ControlScene {
  TvgCustomButton* Button(TvgExpander* expander) {
    return dynamic_cast<TvgCustomButton*>(expander->FindResource("button"));
  }
};

TEST_F(Expanders, CollapseKeepsTheButtonAndExpandGivesTheContentBack) {
  auto* expander = Add<TvgExpander>();
  TvgCustomButton* button = Button(expander);
  ASSERT_NE(button, nullptr);
  EXPECT_EQ(button->Height(), 25);
  TvgContent* content = expander->Content();
  EXPECT_EQ(content->Position()->Y(), 25);
  EXPECT_EQ(content->Height(), 105);

  button->Click();
  EXPECT_FALSE(expander->IsExpanded());
  EXPECT_EQ(expander->Height(), 25);
  EXPECT_FALSE(content->Visible());

  expander->SetIsExpanded(true);
  EXPECT_EQ(expander->Height(), 25 + 105);
  EXPECT_TRUE(content->Visible());
}

TEST_F(Expanders, ExpandArrowTurnsWithTheState) {
  auto* expander = Add<TvgExpander>();
  TvgObject* arrow = Button(expander)->FindResource("path");
  ASSERT_NE(arrow, nullptr);
  Settle();
  EXPECT_FLOAT_EQ(arrow->Visual()->RotateAngle(), 90);
  expander->SetIsExpanded(false);
  Settle();
  EXPECT_FLOAT_EQ(arrow->Visual()->RotateAngle(), 0);
}

TEST_F(Expanders, ContentSizeIsStoredAndReadBack) {
  auto* expander = Add<TvgExpander>();
  expander->SetIsExpanded(false);
  rtl::TMemoryStream stream;
  expander->SaveToStream(stream);
  const std::string text(reinterpret_cast<const char*>(stream.Memory()), stream.Size());
  EXPECT_NE(text.find("ContentSize = '105'"), std::string::npos) << text;

  rtl::TStringStream form(
      "object TvgExpander\n"
      "  Width = 130\n"
      "  Height = 25\n"
      "  IsExpanded = False\n"
      "  ContentSize = '80'\n"
      "  object TvgLabel\n"
      "    Text = 'inside'\n"
      "  end\n"
      "end\n");
  auto* read = dynamic_cast<TvgExpander*>(CreateObjectFromStream(nullptr, form));
  ASSERT_NE(read, nullptr);
  read->SetParent(root);
  read->ApplyResource();
  EXPECT_EQ(read->Content()->Height(), 80);
  ASSERT_EQ(read->Content()->ChildrenCount(), 1);  // a streamed child lands in the content
  EXPECT_EQ(dynamic_cast<TvgLabel*>(read->Content()->GetChild(0))->Text(), u"inside");

  rtl::TMemoryStream again;
  read->SaveToStream(again);  // and is written as the expander's child
  const std::string saved(reinterpret_cast<const char*>(again.Memory()), again.Size());
  EXPECT_NE(saved.find("  object TvgLabel"), std::string::npos) << saved;
  read->SetIsExpanded(true);
  EXPECT_EQ(read->Height(), 25 + 80);
}

TEST_F(Expanders, ChildrenGoIntoTheContentAndTheCheckBoxEnablesIt) {
  auto* expander = Add<TvgExpander>();
  expander->Position()->SetPoint({20, 30});
  auto* child = new TvgPanel(nullptr);
  child->SetParent(expander);
  child->SetBounds(5, 5, 40, 20);
  EXPECT_EQ(child->Parent(), expander->Content());
  EXPECT_EQ(child->LocalToAbsolute({0, 0}).Y, 30 + 25 + 5);

  int changes = 0;
  expander->OnCheckChange = [&](rtl::TObject*) { ++changes; };
  expander->SetShowCheck(true);
  auto* check = dynamic_cast<TvgCheckBox*>(expander->FindResource("checkbox"));
  ASSERT_NE(check, nullptr);
  EXPECT_TRUE(check->Visible());
  EXPECT_TRUE(check->IsChecked());
  check->SetIsChecked(false);
  EXPECT_FALSE(expander->IsChecked());
  EXPECT_FALSE(expander->Content()->Enabled());
  EXPECT_FALSE(child->GetAbsoluteEnabled());
  EXPECT_EQ(changes, 1);
  expander->SetIsChecked(true);
  EXPECT_TRUE(check->IsChecked());
  EXPECT_TRUE(expander->Content()->Enabled());
}

struct PopupBoxes : ControlScene {
  vgtest::RecordedMenu* menu = nullptr;
  TvgPopupBox* box = nullptr;
  int changes = 0;

  void SetUp() override {
    ControlScene::SetUp();
    vgSetListMenuFactory([this] {
      auto made = std::make_unique<vgtest::RecordedMenu>();
      menu = made.get();
      return made;
    });
    box = Add<TvgPopupBox>();
    box->OnChange = [this](rtl::TObject*) { ++changes; };
  }
  void TearDown() override {
    vgSetListMenuFactory(nullptr);
    ControlScene::TearDown();
  }
  void Fill() {
    for (const char16_t* item : {u"A", u"B", u"C"}) box->Items()->Add(item);
  }
};

TEST_F(PopupBoxes, MenuRowsAreCentredOnTheBoxAndChooseTheIndex) {
  Fill();
  box->SetBounds(10, 50, 80, 21);
  box->SetItemIndex(1);
  box->Click();
  ASSERT_NE(menu, nullptr);
  ASSERT_EQ(menu->items.size(), 3u);
  EXPECT_EQ(menu->items[0].caption, u"A");
  EXPECT_FALSE(menu->items[0].checked);
  EXPECT_TRUE(menu->items[1].checked);
  EXPECT_TRUE(menu->items[2].enabled);
  EXPECT_EQ(menu->popups, 1);
  EXPECT_EQ(menu->x, 10);
  EXPECT_EQ(menu->y, 50 + static_cast<int>(21 / 2.0f - 3 * 20 / 2));  // Trunc(-19.5) = -19

  menu->items[2].click();
  EXPECT_EQ(box->ItemIndex(), 2);
  EXPECT_EQ(box->Text(), u"C");
  EXPECT_EQ(changes, 2);
}

TEST_F(PopupBoxes, TextIsAlwaysAnItemOrEmpty) {
  box->SetText(u"B");  // empty list
  EXPECT_EQ(box->Text(), u"");
  EXPECT_EQ(box->ItemIndex(), -1);
  Fill();
  box->SetData(u"B");
  EXPECT_EQ(box->ItemIndex(), 1);
  EXPECT_EQ(box->Text(), u"B");
  EXPECT_EQ(changes, 1);
  box->SetData(u"Z");
  EXPECT_EQ(box->Text(), u"");
  EXPECT_EQ(box->ItemIndex(), -1);
  EXPECT_EQ(changes, 1);
  box->SetData(2);
  EXPECT_EQ(box->Text(), u"C");
  box->SetData(rtl::Variant::Null());
  EXPECT_EQ(box->ItemIndex(), -1);
  EXPECT_EQ(box->GetData(), rtl::Variant(u""));
}

TEST_F(PopupBoxes, AnIndexIntoAnEmptyListGivesNoChoice) {
  box->SetText(u"stale");
  EXPECT_NO_THROW(box->SetItemIndex(0));
  EXPECT_EQ(box->ItemIndex(), -1);
  EXPECT_EQ(box->Text(), u"");
}

TEST_F(PopupBoxes, IndexPastTheListRaisesTheListErrorAndChangesNothing) {
  Fill();
  box->SetItemIndex(0);
  EXPECT_THROW(box->SetItemIndex(3), rtl::EListError);
  EXPECT_EQ(box->ItemIndex(), 0);
  EXPECT_EQ(box->Text(), u"A");
  EXPECT_EQ(changes, 1);
}

}  // namespace

namespace {

using namespace vg;

struct Windows : vgtest::ControlScene {
  std::vector<rtl::TComponent*> closed;
  void SetUp() override {
    ControlScene::SetUp();
    vgSetFormCloser([this](rtl::TComponent* component) {
      closed.push_back(component);
      return true;
    });
  }
  void TearDown() override {
    vgSetFormCloser(nullptr);
    ControlScene::TearDown();
  }
  static TvgVisualObject* Part(TvgControl* control, const char* name) {
    TvgObject* part = control->FindResource(name);
    return part ? part->Visual() : nullptr;
  }
  static void Press(TvgVisualObject* button) {
    button->MouseDown(vgMouseLeft, vgLeftButton, 5, 5);
    button->MouseUp(vgMouseLeft, 0, 500, 500);  // the release point does not matter
  }
};

TEST_F(Windows, CloseButtonClosesTheFormUnlessTheWindowTakesTheClick) {
  auto* window = Add<TvgHudWindow>();
  auto* close = dynamic_cast<TvgCloseButton*>(window->FindResource("close"));
  ASSERT_NE(close, nullptr);
  Press(close);
  EXPECT_EQ(closed, std::vector<rtl::TComponent*>{scene.get()});

  int clicks = 0;
  window->OnCloseClick = [&](rtl::TObject*) { ++clicks; };
  window->SetResource(window->Resource());
  close = dynamic_cast<TvgCloseButton*>(window->FindResource("close"));
  EXPECT_FALSE(close->CloseForm());
  Press(close);
  EXPECT_EQ(clicks, 1);
  EXPECT_EQ(closed.size(), 1u);
}

TEST_F(Windows, HudWindowPartsFollowItsSettings) {
  auto* window = Add<TvgHudWindow>();
  EXPECT_EQ(window->Width(), 200);
  EXPECT_EQ(window->TextAlign(), vgTextAlignNear);
  EXPECT_EQ(window->Font()->Style(), vgFontBold);
  window->SetText(u"Tools");
  EXPECT_EQ(dynamic_cast<TvgText*>(Part(window, "text"))->Text(), u"Tools");

  window->SetStrokeThickness(3);
  window->SetCloseAlign(vgButtonAlignRight);
  TvgBrush fill(vgBrushSolid, 0xC0102030);
  window->SetFill(&fill);
  EXPECT_EQ(Part(window, "caption")->Height(), 23);
  EXPECT_EQ(Part(window, "caption")->Padding()->GetRect(), (TvgRect{3, 3, 3, 0}));
  EXPECT_EQ(Part(window, "stroke")->Margins()->GetRect(), (TvgRect{3, 3, 3, 3}));
  EXPECT_EQ(dynamic_cast<TvgShape*>(Part(window, "stroke"))->StrokeThickness(), 3);
  EXPECT_EQ(dynamic_cast<TvgShape*>(Part(window, "back"))->Fill()->SolidColor(), 0xC0102030u);
  EXPECT_EQ(Part(window, "close")->Align(), vaRight);

  window->SetShowCaption(false);
  for (const char* name : {"close", "caption", "text"}) {
    EXPECT_FALSE(Part(window, name)->Visible()) << name;
    EXPECT_TRUE(Part(window, name)->DesignHide()) << name;
  }
  window->SetShowSizeGrip(false);
  EXPECT_FALSE(Part(window, "sizegrip")->Visible());
  window->SetShowCloseButton(false);
  EXPECT_FALSE(Part(window, "close")->Visible());
}

}  // namespace
