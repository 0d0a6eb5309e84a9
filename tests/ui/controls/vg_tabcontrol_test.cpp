// The tab control: strip and page layout, selection, hiding and showing
// tabs, clicks, painting order and reading from a form.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/rtl/Streams.h"
#include "tests/support/vg_recording_canvas.h"
#include "tests/ui/controls/controls_fixture.h"
#include "ui/render/vg_layouts.h"

namespace {

using namespace vg;
using vgtest::ControlScene;

struct Tabs : ControlScene {
  TvgTabControl* control = nullptr;
  std::vector<TvgTabItem*> tabs;
  std::vector<TvgLayout*> pages;
  int changes = 0;

  // A control of `width` with `count` tabs, each with its page.
  void Make(int count, float width = 200) {
    control = Add<TvgTabControl>();
    control->SetBounds(0, 0, width, 150);
    control->OnChange = [this](rtl::TObject*) { ++changes; };
    for (int i = 0; i < count; ++i) {
      auto* page = new TvgLayout(nullptr);
      page->SetParent(control);
      auto* tab = Add<TvgTabItem>(control);
      tab->SetText(u"tab" + std::u16string(1, char16_t(u'0' + i)));
      tab->SetLayout(page);
      tabs.push_back(tab);
      pages.push_back(page);
    }
  }
  std::vector<bool> PagesShown() const {
    std::vector<bool> shown;
    for (TvgLayout* page : pages) shown.push_back(page->Visible());
    return shown;
  }
  std::vector<bool> TabsSelected() const {
    std::vector<bool> selected;
    for (TvgTabItem* tab : tabs) selected.push_back(tab->IsSelected());
    return selected;
  }
};

TEST_F(Tabs, StripTabsAndSelectedPageAreLaidOut) {
  Make(2);
  control->SetItemIndex(1);
  EXPECT_EQ(tabs[0]->Position()->X(), 0);
  EXPECT_EQ(tabs[1]->Position()->X(), 80);
  EXPECT_EQ(tabs[1]->Height(), 20);
  EXPECT_EQ(PagesShown(), (std::vector<bool>{false, true}));
  EXPECT_EQ(TabsSelected(), (std::vector<bool>{false, true}));
  EXPECT_EQ(pages[1]->Position()->X(), 0);
  EXPECT_EQ(pages[1]->Position()->Y(), 20);
  EXPECT_EQ(pages[1]->Width(), 200);
  EXPECT_EQ(pages[1]->Height(), 130);
  EXPECT_TRUE(pages[1]->ClipChildren());
  // The style lies below the strip; the tabs come first among the children.
  auto* style = control->ResourceLink()->Visual();
  EXPECT_EQ(style->Position()->Y(), 20);
  EXPECT_EQ(style->Height(), 130);
  EXPECT_EQ(control->GetChild(0), tabs[0]);
  EXPECT_EQ(control->GetChild(1), tabs[1]);
}

TEST_F(Tabs, StripHeightAndTabWidths) {
  const struct {
    int visible;
    bool fullSize;
    float itemHeight;
    float strip, tabWidth;
  } cases[] = {
      {3, false, 0, 20, 80},
      {3, true, 0, 20, 100},
      {3, false, 30, 30, 80},
      {2, true, 0, 20, 150},
      {0, false, 30, 0, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.visible << " visible, full " << c.fullSize << ", height " << c.itemHeight);
    tabs.clear();
    pages.clear();
    Make(3, 300);
    for (int i = c.visible; i < 3; ++i) tabs[i]->SetVisible(false);
    control->SetFullSize(c.fullSize);
    control->SetItemHeight(c.itemHeight);
    EXPECT_EQ(control->TabCount(), c.visible);
    EXPECT_EQ(control->ResourceLink()->Visual()->Position()->Y(), c.strip);
    for (int i = 0; i < c.visible; ++i) {
      EXPECT_EQ(tabs[i]->Width(), c.tabWidth);
      EXPECT_EQ(tabs[i]->Height(), c.strip);
      EXPECT_EQ(tabs[i]->Position()->X(), i * c.tabWidth);
    }
    control->Free();
  }
}

TEST_F(Tabs, SelectingANumberNoTabCarriesHidesEveryPage) {
  Make(2);
  control->SetItemIndex(0);
  changes = 0;
  control->SetItemIndex(5);
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(control->TabItem(5), nullptr);
  EXPECT_EQ(PagesShown(), (std::vector<bool>{false, false}));
  EXPECT_EQ(TabsSelected(), (std::vector<bool>{false, false}));
  control->SetItemIndex(5);
  EXPECT_EQ(changes, 1);
}

TEST_F(Tabs, HidingAndShowingRenumbersAndKeepsASelection) {
  const struct {
    const char* what;
    int selected, hide;
    bool showAgain;
    int selectedTab;  // which of the three tabs is selected afterwards, -1 none
    int itemIndex;
  } cases[] = {
      {"the selected last tab: the new last one", 2, 2, false, 1, 1},
      {"the selected first tab: the one moving into its place", 0, 0, false, 1, 0},
      {"another tab: the same tab under its new number", 2, 0, false, 2, 1},
      {"and showing it again: the old number", 2, 0, true, 2, 2},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    tabs.clear();
    pages.clear();
    Make(3);
    control->SetItemIndex(c.selected);
    changes = 0;
    tabs[c.hide]->SetVisible(false);
    if (c.showAgain) tabs[c.hide]->SetVisible(true);
    EXPECT_EQ(changes, c.showAgain ? 2 : 1);
    EXPECT_EQ(control->ItemIndex(), c.itemIndex);
    EXPECT_EQ(control->TabItem(c.itemIndex), tabs[c.selectedTab]);
    for (int i = 0; i < 3; ++i) {
      EXPECT_EQ(tabs[i]->IsSelected(), i == c.selectedTab) << i;
      EXPECT_EQ(pages[i]->Visible(), i == c.selectedTab) << i;
    }
    control->Free();
  }
}

TEST_F(Tabs, HidingTheOnlyTabLeavesNoPageShowing) {
  Make(1);
  control->SetItemIndex(0);
  changes = 0;
  tabs[0]->SetVisible(false);
  EXPECT_EQ(control->ItemIndex(), -1);
  EXPECT_FALSE(tabs[0]->IsSelected());
  EXPECT_FALSE(pages[0]->Visible());
  EXPECT_EQ(changes, 1);
}

TEST_F(Tabs, OnlyALeftClickSelectsATab) {
  Make(2);
  control->SetItemIndex(0);
  tabs[1]->MouseUp(vgMouseRight, 0, 5, 5);
  EXPECT_EQ(control->ItemIndex(), 0);
  tabs[1]->MouseUp(vgMouseLeft, 0, 5, 5);
  EXPECT_EQ(control->ItemIndex(), 1);
  EXPECT_TRUE(pages[1]->Visible());
}

TEST_F(Tabs, AFreedPageIsForgotten) {
  Make(2);
  pages[1]->Free();
  EXPECT_EQ(tabs[1]->Layout(), nullptr);
  control->SetItemIndex(1);
  EXPECT_TRUE(tabs[1]->IsSelected());
}

TEST_F(Tabs, TheSelectedTabIsPaintedLast) {
  Make(3);
  control->SetItemIndex(1);
  auto* canvas = dynamic_cast<vgtest::RecordingCanvas*>(scene->Canvas());
  ASSERT_NE(canvas, nullptr);
  canvas->Log.clear();
  scene->Draw();
  std::vector<std::string> texts;
  for (const std::string& call : canvas->Log)
    if (call.rfind("FillText", 0) == 0) texts.push_back(call);
  ASSERT_EQ(texts.size(), 3u);
  EXPECT_NE(texts.back().find("tab1"), std::string::npos) << texts.back();
  EXPECT_NE(texts.front().find("tab0"), std::string::npos) << texts.front();
  EXPECT_TRUE(tabs[1]->Visible());
}

TEST_F(Tabs, AFormSelectsItsPageOnceRead) {
  rtl::TStringStream form(
      "object TvgTabControl\n"
      "  Width = 300\n"
      "  Height = 200\n"
      "  ItemIndex = 1\n"
      "  object Tab1: TvgTabItem\n"
      "    Layout = Page1\n"
      "    Text = 'Table'\n"
      "  end\n"
      "  object Tab2: TvgTabItem\n"
      "    Index = 1\n"
      "    Layout = Page2\n"
      "    Text = 'Chart'\n"
      "  end\n"
      "  object Page1: TvgLayout\n"
      "  end\n"
      "  object Page2: TvgLayout\n"
      "  end\n"
      "end\n");
  auto* read = new TvgTabControl(nullptr);
  read->SetParent(root);
  read->LoadFromStream(form);
  read->ApplyResource();
  TvgTabItem* chart = read->TabItem(1);
  ASSERT_NE(chart, nullptr);
  EXPECT_EQ(chart->Text(), u"Chart");
  ASSERT_NE(chart->Layout(), nullptr);
  EXPECT_EQ(chart->Layout()->Name(), "Page2");
  EXPECT_TRUE(chart->Layout()->Visible());
  EXPECT_FALSE(read->TabItem(0)->Layout()->Visible());
  scene->Draw();
  EXPECT_TRUE(chart->IsSelected());
  EXPECT_FALSE(read->TabItem(0)->IsSelected());
}

}  // namespace
