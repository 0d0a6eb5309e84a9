// Text controls and labels on a real scene with the built-in style book.
#include <gtest/gtest.h>

#include "platform/rtl/DateTime.h"
#include "ui/core/vg_translate.h"
#include "tests/ui/controls/controls_fixture.h"

namespace {

using namespace vg;
using vgtest::ControlScene;

struct TextControls : ControlScene {
  // A scene style book made of `text` (text form), owned by the scene.
  void UseBook(const char* text) {
    auto* book = new TvgResources(scene.get());
    rtl::TStringList lines;
    lines.SetText(text);
    book->SetResource(&lines);
    scene->SetStyle(book);
  }
  static TvgText* TextPart(TvgControl* control) { return dynamic_cast<TvgText*>(control->FindResource("text")); }
};

TEST_F(TextControls, NewLabelsStartAsTheirKindSays) {
  TvgLabel* label = Add<TvgLabel>();
  TvgValueLabel* value = Add<TvgValueLabel>();
  EXPECT_EQ(label->Width(), 120);
  EXPECT_EQ(label->Height(), 15);
  EXPECT_TRUE(label->AutoTranslate());
  EXPECT_TRUE(label->WordWrap());
  EXPECT_FALSE(label->HitTest());
  EXPECT_FALSE(value->AutoTranslate());
  EXPECT_FALSE(value->WordWrap());
  ASSERT_NE(TextPart(value), nullptr);
  EXPECT_FALSE(TextPart(value)->WordWrap());
}

TEST_F(TextControls, StyleShowsTheControlsTextFontAlignmentAndForeground) {
  auto* label = new TvgLabel(nullptr);
  label->SetParent(root);
  label->SetText(u"Throttle");
  label->SetTextAlign(vgTextAlignFar);
  label->Font()->SetSize(14);
  label->ApplyResource();
  TvgText* part = TextPart(label);
  ASSERT_NE(part, nullptr);
  EXPECT_EQ(part->Text(), u"Throttle");
  EXPECT_EQ(part->HorzTextAlign(), vgTextAlignFar);
  EXPECT_EQ(part->Font()->Size(), 14);
  auto* foreground = dynamic_cast<TvgBrushObject*>(label->FindResource("foreground"));
  ASSERT_NE(foreground, nullptr);
  EXPECT_EQ(label->FontFill()->SolidColor(), foreground->Brush()->SolidColor());
  EXPECT_EQ(part->Fill()->SolidColor(), foreground->Brush()->SolidColor());

  label->SetText(u"Brake");
  label->Font()->SetFamily(u"DejaVu Sans");
  label->SetVertTextAlign(vgTextAlignNear);
  EXPECT_EQ(part->Text(), u"Brake");
  EXPECT_EQ(part->Font()->Family(), u"DejaVu Sans");
  EXPECT_EQ(part->VertTextAlign(), vgTextAlignNear);
}

TEST_F(TextControls, AutoSizeFitsTheLabelToItsTextOnTheMeasuringCanvas) {
  TvgLabel* label = Add<TvgLabel>();
  label->SetText(u"Voltage");
  label->SetAutoSize(true);
  // 7 characters of 7 units, plus half the font size; one line of 13.
  EXPECT_FLOAT_EQ(label->Width(), 7 * 7 + 11 / 2.0f);
  EXPECT_FLOAT_EQ(label->Height(), 13);
  EXPECT_FALSE(label->WordWrap());
  TvgText* part = TextPart(label);
  EXPECT_EQ(part->HorzTextAlign(), vgTextAlignNear);
  EXPECT_EQ(part->VertTextAlign(), vgTextAlignNear);
  EXPECT_EQ(part->Align(), vaClient);  // its place in the label is given back

  label->SetWidth(200);
  label->SetText(u"Voltage");  // the same text changes nothing
  EXPECT_EQ(label->Width(), 200);
  label->SetText(u"Amps");
  EXPECT_FLOAT_EQ(label->Width(), 4 * 7 + 5.5f);

  label->SetAutoSize(false);
  EXPECT_FALSE(label->WordWrap());  // switching off does not bring wrapping back
}

TEST_F(TextControls, AppliedStyleShowsTheTranslationOfTranslatedControls) {
  CustomTranslateProc = [](const rtl::WideString& text) { return text == u"Brake" ? u"Bremse" : u""; };
  auto* label = new TvgLabel(nullptr);
  label->SetParent(root);
  label->SetText(u"Brake");
  auto* value = new TvgValueLabel(nullptr);  // not translated
  value->SetParent(root);
  value->SetText(u"Brake");
  label->ApplyResource();
  value->ApplyResource();
  CustomTranslateProc = nullptr;
  EXPECT_EQ(label->Text(), u"Bremse");
  EXPECT_EQ(TextPart(label)->Text(), u"Bremse");
  EXPECT_EQ(value->Text(), u"Brake");
}

TEST_F(TextControls, AnAutoSizeLabelWhoseTranslationsCycleSizesOnce) {
  static int translations = 0;
  translations = 0;
  CustomTranslateProc = [](const rtl::WideString& text) -> rtl::WideString {
    if (++translations > 50) return u"";  // ends an endless cycle, for the check below
    return text == u"A" ? u"Bb" : text == u"Bb" ? u"A" : u"";
  };
  TvgLabel* label = Add<TvgLabel>();
  label->SetAutoSize(true);
  translations = 0;
  label->SetText(u"A");
  CustomTranslateProc = nullptr;
  EXPECT_LE(translations, 2);
  EXPECT_EQ(label->Text(), u"Bb");
  EXPECT_FLOAT_EQ(label->Width(), 2 * 7 + 5.5f) << "sized to the text it shows";
}

TEST_F(TextControls, SetDataTurnsEveryKindOfValueIntoText) {
  TvgLabel* label = Add<TvgLabel>();
  const double date = rtl::EncodeDate(2024, 3, 5) + rtl::EncodeTime(14, 30, 0, 0);
  const struct {
    rtl::Variant value;
    rtl::WideString text;
  } cases[] = {
      {rtl::Variant(5), u"5"},
      {rtl::Variant(u"ready"), u"ready"},
      {rtl::Variant::Date(date), rtl::Variant(rtl::DateTimeToStr(date)).AsWideString()},
      {rtl::Variant::Null(), u""},
  };
  for (const auto& c : cases) {
    label->SetData(c.value);
    EXPECT_EQ(label->Text(), c.text);
    EXPECT_EQ(TextPart(label)->Text(), c.text);
    EXPECT_EQ(label->GetData(), rtl::Variant(c.text));
  }
}

TEST_F(TextControls, StyleWhoseRootIsATextTakesOnlyTheText) {
  UseBook(
      "object TvgBackground\n"
      "  object TvgText\n"
      "    ResourceName = 'labelstyle'\n"
      "    Text = 'style'\n"
      "  end\n"
      "end\n");
  TvgLabel* label = Add<TvgLabel>();
  auto* styleRoot = dynamic_cast<TvgText*>(label->ResourceLink());
  ASSERT_NE(styleRoot, nullptr);
  label->SetText(u"mode");
  label->Font()->SetSize(20);
  label->SetTextAlign(vgTextAlignFar);
  EXPECT_EQ(styleRoot->Text(), u"mode");
  EXPECT_EQ(styleRoot->Font()->Size(), 11);
  EXPECT_EQ(styleRoot->HorzTextAlign(), vgTextAlignCenter);
}

// Every control keeps working when its style lacks the parts it looks up
// (each style here is a bare rectangle) or has a part of another class.
TEST_F(TextControls, StylesWithoutTheirPartsLeaveControlsWorking) {
  std::string book = "object TvgBackground\n";
  for (const char* name : {"labelstyle", "checkboxstyle", "pathcheckboxstyle", "radiobuttonstyle", "groupboxstyle",
                           "expanderstyle", "popupboxstyle", "imagecontrolstyle", "statusbarstyle",
                           "calloutpanelstyle", "hudwindowstyle"})
    book += std::string("  object TvgRectangle\n    ResourceName = '") + name +
            "'\n    object TvgRectangle\n      ResourceName = 'text'\n    end\n  end\n";
  UseBook((book + "end\n").c_str());

  TvgLabel* label = Add<TvgLabel>();
  ASSERT_NE(label->ResourceLink(), nullptr);
  label->SetAutoSize(true);
  label->SetText(u"no part");
  label->Font()->SetSize(9);
  label->SetTextAlign(vgTextAlignNear);
  label->SetWordWrap(false);
  EXPECT_EQ(label->Text(), u"no part");
  EXPECT_EQ(label->Width(), 120);  // nothing to measure with

  TvgPathCheckBox* check = Add<TvgPathCheckBox>();
  check->SetText(u"on");
  check->SetIsChecked(true);
  check->Path()->SetPathString("M 0,0 L 1,1 Z");
  EXPECT_TRUE(check->IsChecked());
  TvgRadioButton* radio = Add<TvgRadioButton>();
  radio->SetIsChecked(true);
  EXPECT_TRUE(radio->IsChecked());
  Add<TvgGroupBox>()->SetText(u"group");

  TvgExpander* expander = Add<TvgExpander>();
  expander->SetShowCheck(true);
  expander->SetIsChecked(false);
  expander->SetIsExpanded(false);
  EXPECT_FALSE(expander->Content()->Visible());
  EXPECT_EQ(expander->Height(), 130);  // without a button part the height stays
  expander->SetIsExpanded(true);
  EXPECT_TRUE(expander->Content()->Visible());

  TvgPopupBox* box = Add<TvgPopupBox>();
  box->Items()->Add(u"A");
  box->SetItemIndex(0);
  box->Click();  // no menu service either
  EXPECT_EQ(box->Text(), u"A");

  TvgImageControl* image = Add<TvgImageControl>();
  TvgBitmap picture(4, 4);
  image->SetBitmap(&picture);
  EXPECT_EQ(image->Bitmap()->Width(), 4);
  Add<TvgStatusBar>()->SetShowSizeGrip(false);
  Add<TvgCalloutPanel>()->SetCalloutOffset(30);
  TvgHudWindow* window = Add<TvgHudWindow>();
  window->SetShowCaption(false);
  window->SetStrokeThickness(2);
  window->SetShowCloseButton(false);
  scene->Draw();
}

}  // namespace
