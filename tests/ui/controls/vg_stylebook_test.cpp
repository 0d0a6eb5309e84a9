// The built-in style book: it reads strictly (every class and property
// known), its styles carry only the toolkit's style names, and every part a
// control looks up is there with the class the control expects. Each
// control issue adds the rows of its styles to kStyles.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <utility>
#include <vector>

#include "platform/rtl/Filer.h"
#include "platform/rtl/Resources.h"
#include "tests/ui/controls/controls_fixture.h"
#include "ui/core/vg_ani.h"
#include "ui/core/vg_effects.h"
#include "ui/core/vg_popup.h"
#include "ui/render/vg_scrollbox.h"

namespace {

using namespace vg;
using vgtest::ControlScene;

// The names a style of the built-in book may have.
const std::set<std::string> kBookNames = {
    "thumbbarstyle", "scrollbarvtrackstyle", "scrollbarhtrackstyle", "scrollbarleftbutton", "scrollbarrightbutton",
    "scrollbartopbutton", "scrollbarbottombutton", "hthumbstyle", "vthumbstyle", "trackstyle", "trackbarstyle",
    "scrollbarstyle", "smallscrollbarhtrackstyle", "smallscrollbarvtrackstyle", "smallscrollbarstyle",
    "scrollboxstyle", "framedscrollboxstyle", "messagepopupstyle", "toolbuttonstyle", "toolpathbuttonstyle",
    "backgroundstyle", "panelstyle", "calloutpanelstyle", "statusbarstyle", "toolbarstyle",
    "expandercheckboxstyle", "expanderstyle", "groupboxstyle", "imagecontrolstyle", "buttonstyle",
    "popupbuttonstyle", "roundbuttonstyle", "circlebuttonstyle", "colorbuttonstyle", "cornerbuttonstyle",
    "bitmapbuttonstyle", "pathbuttonstyle", "speedbuttonstyle", "anglebuttonstyle", "splitterstyle",
    "textboxstyle", "roundtextboxstyle", "transparentbuttonstyle", "transparentcirclebuttonstyle", "spinboxstyle",
    "textboxclearbtnstyle", "popupboxstyle", "memostyle", "numberboxstyle", "labelstyle", "valuelabelstyle",
    "listboxstyle", "transparentlistboxstyle", "listboxitemstyle", "imagelistboxitemstyle", "tabitemstyle",
    "checkboxstyle", "pathcheckboxstyle", "radiobuttonstyle", "progressbarstyle", "sizegripstyle",
    "combolistboxstyle", "comboboxstyle", "combotextboxstyle", "combopopupstyle", "CloseButtonStyle",
    "expanderbuttonstyle", "treeviewstyle", "treeviewitemstyle", "treeviewexpanderbuttonstyle", "tabcontrolstyle",
    "droptargetstyle", "hudtrackbarstyle", "hudnumberboxstyle", "hudtextboxstyle", "hudroundtextboxstyle",
    "hudspinboxstyle", "hudmemostyle", "hudscrollbarstyle", "hudwindowstyle", "hudSizeGripStyle",
    "hudCloseButtonStyle", "hudlabelstyle", "hudbuttonstyle", "hudroundbuttonstyle", "hudcirclebuttonstyle",
    "hudcornerbuttonstyle", "hudcheckboxstyle", "hudradiobuttonstyle", "hudgroupboxstyle", "hudpopupboxstyle",
    "hudanglebuttonstyle", "hudthumbbarstyle", "hudscrollbarvtrackstyle", "hudscrollbarhtrackstyle",
    "hudscrollbarleftbutton", "hudscrollbarrightbutton", "hudscrollbartopbutton", "hudscrollbarbottombutton",
    "grad", "hudhthumbstyle", "hudvthumbstyle", "hudcomboboxstyle", "hudcombotextboxstyle", "hudcombolistboxstyle",
    "hudcombopopupstyle", "hudtrackstyle", "hudtabcontrolstyle", "hudtabitemstyle", "hudstatusbarstyle",
    "hudpanelstyle", "hudlistboxstyle", "hudlistboxitemstyle", "iconconfirmation", "iconinformation",
    "iconwarning", "iconerror", "iphonebuttonstyle", "textcellstyle", "checkcellstyle", "progresscellstyle",
    "popupcellstyle", "imagecellstyle", "headeritemstyle", "gridstyle"};

struct Part {
  const char* name;  // nullptr: the style's root itself
  rtl::TClass cls;
};
struct StyleRow {
  const char* style;
  rtl::TClass control;  // the control that finds this style by its class name
  std::vector<Part> parts;
  bool byResource = false;  // found through the control's Resource, not its class
};

template <class T>
rtl::TClass C() {
  return T::StaticClass();
}

std::vector<Part> TextParts() { return {{"text", C<TvgText>()}, {"foreground", C<TvgBrushObject>()}}; }
std::vector<Part> ScrollBarParts(bool arrows) {
  std::vector<Part> parts = {{"htrack", C<TvgCustomTrack>()}, {"vtrack", C<TvgCustomTrack>()}};
  if (arrows)
    for (const char* name : {"leftbutton", "rightbutton", "topbutton", "bottombutton"})
      parts.push_back({name, C<TvgCustomButton>()});
  return parts;
}
std::vector<Part> CornerParts() {
  std::vector<Part> parts = TextParts();
  parts.push_back({"Background", C<TvgRectangle>()});
  return parts;
}
std::vector<Part> AngleParts() {
  return {{"tick", C<TvgVisualObject>()}, {"tracktext", C<TvgText>()}, {"text", C<TvgText>()}};
}

std::vector<Part> TextBoxParts() {
  return {{"content", C<TvgContent>()}, {"selection", C<TvgBrushObject>()}, {"foreground", C<TvgBrushObject>()}};
}

std::vector<Part> SpinBoxParts() {
  std::vector<Part> parts = TextBoxParts();
  parts.push_back({"minusbutton", C<TvgCustomButton>()});
  parts.push_back({"plusbutton", C<TvgCustomButton>()});
  return parts;
}

std::vector<Part> ClearBoxParts() {
  std::vector<Part> parts = TextBoxParts();
  parts.push_back({"clearbutton", C<TvgCustomButton>()});
  return parts;
}

std::vector<Part> MemoParts() {
  return {{"content", C<TvgVisualObject>()},
          {"vscrollbar", C<TvgScrollBar>()},
          {"hscrollbar", C<TvgScrollBar>()},
          {"selection", C<TvgBrushObject>()},
          {"foreground", C<TvgBrushObject>()}};
}

std::vector<Part> ScrollBoxParts() {
  return {{"content", C<TvgVisualObject>()}, {"vscrollbar", C<TvgScrollBar>()}, {"hscrollbar", C<TvgScrollBar>()}};
}

std::vector<Part> ListParts() {
  return {{"content", C<TvgVisualObject>()},
          {"vscrollbar", C<TvgScrollBar>()},
          {"hscrollbar", C<TvgScrollBar>()},
          {"selection", C<TvgVisualObject>()},
          {"AlternatingRowBackground", C<TvgBrushObject>()}};
}

std::vector<Part> ListItemParts() {
  std::vector<Part> parts = TextParts();
  parts.push_back({"check", C<TvgCheckBox>()});
  return parts;
}

const std::vector<StyleRow>& Styles() {
  static const std::vector<StyleRow> rows = {
      {"backgroundstyle", C<TvgBackground>(), {}},
      {"panelstyle", C<TvgPanel>(), {}},
      {"hudpanelstyle", C<TvgHudPanel>(), {}},
      {"calloutpanelstyle", C<TvgCalloutPanel>(), {{nullptr, C<TvgCalloutRectangle>()}}},
      {"statusbarstyle", C<TvgStatusBar>(), {{"sizegrip", C<TvgVisualObject>()}}},
      {"hudstatusbarstyle", C<TvgHudStatusBar>(), {{"sizegrip", C<TvgVisualObject>()}}},
      {"toolbarstyle", C<TvgToolBar>(), {}},
      {"CloseButtonStyle", C<TvgCloseButton>(), {}},
      {"hudCloseButtonStyle", C<TvgHudCloseButton>(), {}},
      {"sizegripstyle", C<TvgSizeGrip>(), {}},
      {"hudSizeGripStyle", C<TvgHudSizeGrip>(), {}},
      {"hudwindowstyle",
       C<TvgHudWindow>(),
       {{"close", C<TvgCloseButton>()},
        {"back", C<TvgShape>()},
        {"stroke", C<TvgShape>()},
        {"caption", C<TvgVisualObject>()},
        {"text", C<TvgText>()},
        {"sizegrip", C<TvgVisualObject>()}}},
      {"labelstyle", C<TvgLabel>(), TextParts()},
      {"valuelabelstyle", C<TvgValueLabel>(), TextParts()},
      {"hudlabelstyle", C<TvgHudLabel>(), TextParts()},
      {"checkboxstyle", C<TvgCheckBox>(), {{"text", C<TvgText>()}}},
      {"hudcheckboxstyle", C<TvgHudCheckBox>(), {{"text", C<TvgText>()}}},
      {"pathcheckboxstyle", C<TvgPathCheckBox>(), {{"text", C<TvgText>()}, {"checkmark", C<TvgPath>()}}},
      {"radiobuttonstyle", C<TvgRadioButton>(), {{"text", C<TvgText>()}}},
      {"hudradiobuttonstyle", C<TvgHudRadioButton>(), {{"text", C<TvgText>()}}},
      {"groupboxstyle", C<TvgGroupBox>(), {{"text", C<TvgText>()}}},
      {"hudgroupboxstyle", C<TvgHudGroupBox>(), {{"text", C<TvgText>()}}},
      {"expanderbuttonstyle", C<TvgExpanderButton>(), {}},
      {"expanderstyle",
       C<TvgExpander>(),
       {{"text", C<TvgText>()}, {"button", C<TvgCustomButton>()}, {"checkbox", C<TvgCheckBox>()}}},
      {"imagecontrolstyle", C<TvgImageControl>(), {{"image", C<TvgImage>()}}},
      {"popupboxstyle", C<TvgPopupBox>(), {{"text", C<TvgText>()}}},
      {"hudpopupboxstyle", C<TvgHudPopupBox>(), {{"text", C<TvgText>()}}},
      {"memostyle", C<TvgMemo>(), MemoParts()},
      {"hudmemostyle", C<TvgHudMemo>(), MemoParts()},
      {"textboxstyle", C<TvgTextBox>(), TextBoxParts()},
      {"roundtextboxstyle", C<TvgRoundTextBox>(), TextBoxParts()},
      {"hudtextboxstyle", C<TvgHudTextBox>(), TextBoxParts()},
      {"hudroundtextboxstyle", C<TvgHudRoundTextBox>(), TextBoxParts()},
      {"numberboxstyle", C<TvgNumberBox>(), TextBoxParts()},
      {"hudnumberboxstyle", C<TvgHudNumberBox>(), TextBoxParts()},
      {"spinboxstyle", C<TvgSpinBox>(), SpinBoxParts()},
      {"textboxclearbtnstyle", C<TvgTextBoxClearBtn>(), ClearBoxParts()},
      {"hudspinboxstyle", C<TvgHudSpinBox>(), SpinBoxParts()},
      {"buttonstyle", C<TvgButton>(), TextParts()},
      {"roundbuttonstyle", C<TvgRoundButton>(), TextParts()},
      {"circlebuttonstyle", C<TvgCircleButton>(), TextParts()},
      {"popupbuttonstyle", C<TvgPopupButton>(), TextParts()},
      {"speedbuttonstyle", C<TvgSpeedButton>(), TextParts()},
      {"cornerbuttonstyle", C<TvgCornerButton>(), CornerParts()},
      {"bitmapbuttonstyle", C<TvgBitmapButton>(), {{"text", C<TvgText>()}, {"image", C<TvgImage>()}}},
      {"toolbuttonstyle", C<TvgToolButton>(), {{"text", C<TvgText>()}, {"image", C<TvgImage>()}}},
      {"pathbuttonstyle",
       C<TvgPathButton>(),
       {{"text", C<TvgText>()}, {"path", C<TvgPath>()}, {"pathowner", C<TvgVisualObject>()}}},
      {"toolpathbuttonstyle",
       C<TvgToolPathButton>(),
       {{"text", C<TvgText>()}, {"path", C<TvgPath>()}, {"pathowner", C<TvgVisualObject>()}}},
      {"colorbuttonstyle", C<TvgColorButton>(), {{"fill", C<TvgShape>()}}},
      {"hudbuttonstyle", C<TvgHudButton>(), TextParts()},
      {"hudroundbuttonstyle", C<TvgHudRoundButton>(), TextParts()},
      {"hudcirclebuttonstyle", C<TvgHudCircleButton>(), TextParts()},
      {"hudcornerbuttonstyle", C<TvgHudCornerButton>(), CornerParts()},
      {"thumbbarstyle", C<TvgThumb>(), {}, true},
      {"hudthumbbarstyle", C<TvgThumb>(), {}, true},
      {"hthumbstyle", C<TvgThumb>(), {}, true},
      {"vthumbstyle", C<TvgThumb>(), {}, true},
      {"hudhthumbstyle", C<TvgThumb>(), {}, true},
      {"hudvthumbstyle", C<TvgThumb>(), {}, true},
      {"trackbarstyle", C<TvgTrackBar>(), {{"thumb", C<TvgThumb>()}, {"background", C<TvgShape>()}}},
      {"hudtrackbarstyle", C<TvgHudTrackBar>(), {{"thumb", C<TvgThumb>()}, {"background", C<TvgShape>()}}},
      {"trackstyle", C<TvgTrack>(), {{"thumb", C<TvgThumb>()}}},
      {"hudtrackstyle", C<TvgHudTrack>(), {{"thumb", C<TvgThumb>()}}},
      {"scrollbarhtrackstyle", C<TvgTrack>(), {{"thumb", C<TvgThumb>()}}, true},
      {"scrollbarvtrackstyle", C<TvgTrack>(), {{"thumb", C<TvgThumb>()}}, true},
      {"smallscrollbarhtrackstyle", C<TvgTrack>(), {{"thumb", C<TvgThumb>()}}, true},
      {"smallscrollbarvtrackstyle", C<TvgTrack>(), {{"thumb", C<TvgThumb>()}}, true},
      {"hudscrollbarhtrackstyle", C<TvgTrack>(), {{"thumb", C<TvgThumb>()}}, true},
      {"hudscrollbarvtrackstyle", C<TvgTrack>(), {{"thumb", C<TvgThumb>()}}, true},
      {"scrollbarleftbutton", C<TvgSpeedButton>(), {}, true},
      {"scrollbarrightbutton", C<TvgSpeedButton>(), {}, true},
      {"scrollbartopbutton", C<TvgSpeedButton>(), {}, true},
      {"scrollbarbottombutton", C<TvgSpeedButton>(), {}, true},
      {"hudscrollbarleftbutton", C<TvgHudSpeedButton>(), {}, true},
      {"hudscrollbarrightbutton", C<TvgHudSpeedButton>(), {}, true},
      {"hudscrollbartopbutton", C<TvgHudSpeedButton>(), {}, true},
      {"hudscrollbarbottombutton", C<TvgHudSpeedButton>(), {}, true},
      {"scrollbarstyle", C<TvgScrollBar>(), ScrollBarParts(true)},
      {"smallscrollbarstyle", C<TvgSmallScrollBar>(), ScrollBarParts(false)},
      {"hudscrollbarstyle", C<TvgHudScrollBar>(), ScrollBarParts(true)},
      {"progressbarstyle",
       C<TvgProgressBar>(),
       {{"htrack", C<TvgVisualObject>()},
        {"vtrack", C<TvgVisualObject>()},
        {"hindicator", C<TvgVisualObject>()},
        {"vindicator", C<TvgVisualObject>()}}},
      {"splitterstyle", C<TvgSplitter>(), {{"grip", C<TvgVisualObject>()}}},
      {"framedscrollboxstyle", C<TvgFramedScrollBox>(), ScrollBoxParts()},
      {"framedscrollboxstyle", C<TvgFramedVertScrollBox>(), ScrollBoxParts()},
      {"anglebuttonstyle", C<TvgAngleButton>(), AngleParts()},
      {"listboxstyle", C<TvgListBox>(), ListParts()},
      {"hudlistboxstyle", C<TvgHudListBox>(), ListParts()},
      {"combolistboxstyle", C<TvgComboListBox>(), ListParts()},
      {"hudcombolistboxstyle", C<TvgComboListBox>(), ListParts(), true},
      {"transparentlistboxstyle", C<TvgListBox>(), ListParts(), true},
      {"listboxitemstyle", C<TvgListBoxItem>(), ListItemParts()},
      {"hudlistboxitemstyle", C<TvgListBoxItem>(), ListItemParts(), true},
      {"comboboxstyle", C<TvgComboBox>(), {{"Content", C<TvgContent>()}}},
      {"combotextboxstyle", C<TvgComboTextBox>(), TextBoxParts()},
      {"hudcombotextboxstyle", C<TvgHudComboTextBox>(), TextBoxParts(), true},
      {"combopopupstyle", C<TvgPopup>(), {}, true},
      {"hudcombopopupstyle", C<TvgPopup>(), {}, true},
      {"imagelistboxitemstyle", C<TvgImageListBoxItem>(), {{"textborder", C<TvgVisualObject>()}, {"text", C<TvgText>()}, {"check", C<TvgCheckBox>()}}},
      {"hudcomboboxstyle", C<TvgHudComboBox>(), {{"Content", C<TvgContent>()}}},
      {"tabcontrolstyle", C<TvgTabControl>(), {{"background", C<TvgVisualObject>()}}},
      {"hudtabcontrolstyle", C<TvgHudTabControl>(), {{"background", C<TvgVisualObject>()}}},
      {"tabitemstyle", C<TvgTabItem>(), TextParts()},
      {"hudtabitemstyle", C<TvgHudTabItem>(), TextParts()},
      {"framedscrollboxstyle",
       C<TvgImageViewer>(),
       {{"content", C<TvgVisualObject>()}, {"vscrollbar", C<TvgScrollBar>()}, {"hscrollbar", C<TvgScrollBar>()}},
       true},
      {"droptargetstyle", C<TvgDropTarget>(), TextParts()},
      {"iphonebuttonstyle",
       C<TvgIPhoneButton>(),
       {{"background", C<TvgShape>()}, {"text", C<TvgText>()}, {"image", C<TvgImage>()}}},
      {"hudanglebuttonstyle", C<TvgHudAngleButton>(), AngleParts()},
      {"gridstyle",
       C<TvgGrid>(),
       {{"content", C<TvgVisualObject>()},
        {"vscrollbar", C<TvgScrollBar>()},
        {"hscrollbar", C<TvgScrollBar>()},
        {"header", C<TvgHeader>()},
        {"selection", C<TvgVisualObject>()},
        {"focus", C<TvgVisualObject>()},
        {"linefill", C<TvgBrushObject>()},
        {"AlternatingRowBackground", C<TvgBrushObject>()}}},
      {"headeritemstyle", C<TvgHeaderItem>(), CornerParts()},
      {"textcellstyle", C<TvgTextCell>(), TextBoxParts()},
      {"checkcellstyle", C<TvgCheckCell>(), {{"checkmark", C<TvgPath>()}}},
      {"progresscellstyle",
       C<TvgProgressCell>(),
       {{"htrack", C<TvgVisualObject>()},
        {"vtrack", C<TvgVisualObject>()},
        {"hindicator", C<TvgVisualObject>()},
        {"vindicator", C<TvgVisualObject>()}}},
      {"popupcellstyle", C<TvgPopupCell>(), {{"text", C<TvgText>()}}},
      {"imagecellstyle", C<TvgImageCell>(), {{"image", C<TvgImage>()}}},
      {"treeviewstyle",
       C<TvgTreeView>(),
       {{"content", C<TvgVisualObject>()},
        {"vscrollbar", C<TvgScrollBar>()},
        {"hscrollbar", C<TvgScrollBar>()},
        {"selection", C<TvgVisualObject>()}}},
      {"treeviewitemstyle",
       C<TvgTreeViewItem>(),
       {{"text", C<TvgText>()}, {"button", C<TvgCustomButton>()}, {"check", C<TvgCheckBox>()}}},
      {"treeviewexpanderbuttonstyle", C<TvgExpanderButton>(), {{"path", C<TvgPath>()}}, true},
      {"transparentcirclebuttonstyle", C<TvgButton>(), TextParts(), true},
      {"transparentbuttonstyle", C<TvgButton>(), TextParts(), true},
      {"scrollboxstyle", C<TvgScrollBox>(), ScrollBoxParts()},
      {"messagepopupstyle", C<TvgMessagePopup>(), {{"background", C<TvgShape>()}}},
      {"expandercheckboxstyle", C<TvgCheckBox>(), {{"checkmark", C<TvgPath>()}, {"text", C<TvgText>()}}, true},
      {"iconconfirmation", C<TvgControl>(), {}, true},
      {"iconinformation", C<TvgControl>(), {}, true},
      {"iconwarning", C<TvgControl>(), {}, true},
      {"iconerror", C<TvgControl>(), {}, true},
  };
  return rows;
}

// Some trigger in the style switches a look on with the focus.
bool ShowsTheFocus(TvgObject* node) {
  std::string trigger;
  if (auto* animation = dynamic_cast<TvgAnimation*>(node)) trigger = animation->Trigger();
  if (auto* effect = dynamic_cast<TvgEffect*>(node)) trigger = effect->Trigger();
  if (trigger.find("IsFocused=true") != std::string::npos) return true;
  for (TvgObject* child : node->Children())
    if (ShowsTheFocus(child)) return true;
  return false;
}

struct StyleBook : ControlScene {
  // The book read strictly: an unknown class or property raises.
  TvgObject* ReadStrictly() {
    rtl::TResourceStream stream("defaultvgstyle");
    return dynamic_cast<TvgObject*>(rtl::ReadComponentFromStream(stream, nullptr, false));
  }
};

TEST_F(StyleBook, ReadsStrictlyWithEveryClassRegistered) {
  TvgObject* book = nullptr;
  ASSERT_NO_THROW(book = ReadStrictly());
  auto* background = dynamic_cast<TvgBackground*>(book);
  ASSERT_NE(background, nullptr);
  EXPECT_EQ(background->Width(), 548);
  EXPECT_EQ(background->Height(), 547);
  EXPECT_EQ(background->Fill()->Style(), vgBrushSolid);
  EXPECT_EQ(background->Fill()->SolidColor(), 0xFF2B2B2Bu);
  book->Free();
}

TEST_F(StyleBook, EveryStyleIsNamedAndHasThePartsItsControlLooksUp) {
  TvgObject* book = DefaultStyles();
  ASSERT_NE(book, nullptr);
  std::set<std::string> listed;
  for (const StyleRow& row : Styles()) listed.insert(row.style);
  std::set<std::string> present;
  for (TvgObject* style : book->Children()) {
    const std::string& name = style->ResourceName();
    SCOPED_TRACE(name);
    EXPECT_TRUE(kBookNames.count(name)) << "not a style name of the toolkit";
    EXPECT_TRUE(present.insert(name).second) << "a second style of this name is never found";
    if (!style->IsVisual()) {
      EXPECT_TRUE(style->InheritsFrom(C<TvgBrushObject>())) << "only a brush resource may be non-visual";
      continue;
    }
    EXPECT_TRUE(listed.count(name)) << "add the style's parts to the table of this test";
    EXPECT_TRUE(style->Visual()->DesignHide());
  }
  for (const std::string& name : kBookNames) EXPECT_TRUE(present.count(name)) << name << " is missing";
  for (const StyleRow& row : Styles()) {
    SCOPED_TRACE(row.style);
    TvgObject* style = book->FindResource(row.style);
    ASSERT_NE(style, nullptr) << "listed but not in the book";
    for (const Part& part : row.parts) {
      TvgObject* found = part.name ? style->FindResource(part.name) : style;
      ASSERT_NE(found, nullptr) << part.name;
      EXPECT_TRUE(found->InheritsFrom(part.cls)) << (part.name ? part.name : "root") << " is a "
                                                 << found->ClassName();
    }
  }
}

TEST_F(StyleBook, EveryControlFindsItsStyleByClassName) {
  for (const StyleRow& row : Styles()) {
    SCOPED_TRACE(row.style);
    auto* control = dynamic_cast<TvgControl*>(row.control->createComponent(nullptr));
    ASSERT_NE(control, nullptr);
    control->SetParent(root);
    if (row.byResource) control->SetResource(row.style);
    control->ApplyResource();
    ASSERT_NE(control->ResourceLink(), nullptr);
    if (!row.byResource) {
      EXPECT_EQ(control->ResourceLink()->ResourceName(), row.style);
    }
    for (const Part& part : row.parts)
      EXPECT_TRUE(!part.name || control->FindResource(part.name)) << part.name;
    control->Free();
  }
  scene->Draw();
}

TEST_F(StyleBook, EveryControlThatTakesTheFocusShowsIt) {
  // Lists, trees and grids show the focus on their selection (grid cells on
  // the grid's focus frame); a drop-down's list and a message popup pass it on.
  const std::set<std::string> shownOtherwise = {
      "listboxstyle",     "hudlistboxstyle", "combolistboxstyle", "hudcombolistboxstyle", "transparentlistboxstyle",
      "treeviewstyle",    "gridstyle",       "checkcellstyle",    "popupcellstyle",       "imagecellstyle",
      "combopopupstyle",  "hudcombopopupstyle", "messagepopupstyle"};
  TvgObject* book = DefaultStyles();
  ASSERT_NE(book, nullptr);
  for (const StyleRow& row : Styles()) {
    if (shownOtherwise.count(row.style)) continue;
    auto* control = dynamic_cast<TvgControl*>(row.control->createComponent(nullptr));
    ASSERT_NE(control, nullptr);
    const bool focusable = control->CanFocused();
    control->Free();
    if (focusable) {
      EXPECT_TRUE(ShowsTheFocus(book->FindResource(row.style))) << row.style;
    }
  }
}

}  // namespace
