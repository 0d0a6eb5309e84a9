// The property inspector on a label: what it lists, and an edit of each
// kind of property through its text box, pop-up box and edit button.
#include <gtest/gtest.h>

#include <clocale>

#include "platform/rtl/Exceptions.h"
#include "tests/ui/controls/controls_fixture.h"
#include "ui/core/vg_designmenu.h"
#include "ui/core/vg_keys.h"

namespace {

using namespace vg;
using vgtest::ControlScene;

struct Inspector : ControlScene {
  TvgInspector* inspector = nullptr;
  TvgLabel* label = nullptr;

  void SetUp() override {
    ControlScene::SetUp();
    inspector = Add<TvgInspector>();
    inspector->SetBounds(0, 0, 300, 300);
    label = Add<TvgLabel>();
    label->SetName("Label1");
    inspector->SetSelectedObject(label);
  }
  std::vector<std::string> TopNames() {
    std::vector<std::string> names;
    for (int i = 0; i < inspector->Count(); ++i) names.push_back(inspector->ItemByIndex(i)->TagString);
    return names;
  }
  bool Lists(const std::string& name) {
    const auto names = TopNames();
    return std::find(names.begin(), names.end(), name) != names.end();
  }
  // Opens the text editor on a property, types text and moves on.
  void TypeInto(const std::string& path, const char16_t* text) {
    TvgTreeViewItem* item = inspector->ItemOf(path);
    ASSERT_NE(item, nullptr) << path;
    inspector->SetSelected(item);
    ASSERT_EQ(inspector->Editor(), inspector->TextEditor()) << path;
    inspector->TextEditor()->SetText(text);
    inspector->SetSelected(nullptr);  // leaving the item commits
  }
  rtl::WideString Shown(const std::string& path) { return inspector->ValueText(inspector->ItemOf(path)); }
};

TEST_F(Inspector, ListsTheWritablePublishedPropertiesByName) {
  const std::vector<std::string> names = TopNames();
  EXPECT_TRUE(std::is_sorted(names.begin(), names.end()));
  for (const char* shown : {"Text", "Width", "Opacity", "Align", "Font", "WordWrap", "Tag"})
    EXPECT_TRUE(Lists(shown)) << shown;
  for (const rtl::TPropertyInfo* property : rtl::PublishedOf(label->ClassType()).Properties()) {
    if (property->IsReadOnly() || property->IsRunTimeOnly() || property->Kind() == rtl::pkEvent) {
      EXPECT_FALSE(Lists(property->Name())) << property->Name() << " is hidden";
    }
  }
  EXPECT_EQ(Shown("Name"), u"Label1");
  EXPECT_EQ(Shown("Align"), u"vaNone");
  EXPECT_EQ(Shown("Font"), u"TvgFont");
  ASSERT_NE(inspector->ItemOf("Font.Size"), nullptr) << "an owned value lists its own properties";
  EXPECT_FALSE(inspector->ItemOf("Font")->IsExpanded());
}

TEST_F(Inspector, DisabledNamesEventsAndTheSwitchesDecideWhatIsListed) {
  rtl::TStringList disabled;
  disabled.Add("Opacity");
  inspector->SetDisabledProperties(&disabled);
  inspector->Rebuild();
  EXPECT_FALSE(Lists("Opacity"));
  EXPECT_FALSE(Lists("OnClick"));
  inspector->SetShowEvents(true);
  EXPECT_TRUE(Lists("OnClick"));
  EXPECT_FALSE(inspector->ItemOf("Font.OnChanged")) << "events of owned values stay hidden";
  inspector->SetShowProperties(false);
  ASSERT_FALSE(TopNames().empty());
  for (const std::string& name : TopNames()) EXPECT_EQ(name.rfind("On", 0), 0u) << name << " is not an event";
}

TEST_F(Inspector, TextEditsSetNumbersAndTextsWhateverTheLocale) {
  const std::string saved = std::setlocale(LC_NUMERIC, nullptr);
  std::setlocale(LC_NUMERIC, "de_DE.UTF-8");  // a decimal comma, where installed
  TypeInto("Width", u"1.5");
  TypeInto("Font.Size", u"12.5");
  TypeInto("Tag", u"42");
  TypeInto("Text", u"Grüße");
  std::setlocale(LC_NUMERIC, saved.c_str());
  EXPECT_FLOAT_EQ(label->Width(), 1.5f);
  EXPECT_EQ(Shown("Width"), u"1.5");
  EXPECT_FLOAT_EQ(label->Font()->Size(), 12.5f);
  EXPECT_EQ(label->Tag(), 42);
  EXPECT_EQ(label->Text(), u"Grüße");
  EXPECT_EQ(Shown("Text"), u"Grüße");
}

TEST_F(Inspector, ABadNumberIsRefusedAndTheValueStands) {
  inspector->SetSelected(inspector->ItemOf("Width"));
  inspector->TextEditor()->SetText(u"wide");
  bool reported = false;
  inspector->OnChangeProperty = [&](rtl::TObject*, const std::string&) { reported = true; };
  inspector->SetSelected(nullptr);
  EXPECT_FALSE(reported);
  EXPECT_FLOAT_EQ(label->Width(), 120);
  EXPECT_EQ(Shown("Width"), u"120");
}

TEST_F(Inspector, PopupEditsSetEnumerationsAndBooleansAndReport) {
  std::vector<std::string> changed;
  inspector->OnChangeProperty = [&](rtl::TObject*, const std::string& name) { changed.push_back(name); };
  inspector->SetSelected(inspector->ItemOf("TextAlign"));
  ASSERT_EQ(inspector->Editor(), inspector->PopupEditor());
  EXPECT_EQ(inspector->PopupEditor()->Items()->Get(inspector->PopupEditor()->ItemIndex()), u"vgTextAlignCenter");
  inspector->PopupEditor()->SetItemIndex(2);
  EXPECT_EQ(label->TextAlign(), vgTextAlignFar);
  EXPECT_EQ(Shown("TextAlign"), u"vgTextAlignFar");

  inspector->SetSelected(inspector->ItemOf("WordWrap"));
  ASSERT_EQ(inspector->Editor(), inspector->PopupEditor());
  inspector->PopupEditor()->SetItemIndex(label->WordWrap() ? 0 : 1);
  EXPECT_EQ(Shown("WordWrap"), label->WordWrap() ? u"True" : u"False");
  EXPECT_EQ(changed, (std::vector<std::string>{"TextAlign", "WordWrap"}));
}

TEST_F(Inspector, TheEditButtonOpensTheValuesEditor) {
  rtl::TObject* edited = nullptr;
  TvgDesignServices services;
  services.editValue = [&](rtl::TObject* value, rtl::TComponent* component) {
    edited = value;
    EXPECT_EQ(component, label);
    return true;
  };
  const TvgDesignServices saved = vgSetDesignServices(services);
  inspector->SetSelected(inspector->ItemOf("Font"));
  ASSERT_EQ(inspector->Editor(), inspector->EditButton());
  EXPECT_EQ(inspector->EditButton()->Text(), u"Edit...");
  inspector->EditButton()->Click();
  EXPECT_EQ(edited, label->Font());
  inspector->SetSelected(inspector->ItemOf("Align"));
  EXPECT_FALSE(inspector->EditButton()->Visible());
  vgSetDesignServices(saved);
}

TEST_F(Inspector, AShapesBrushesAndItsPlaceAreListedAndEdited) {
  auto* rectangle = new TvgRectangle(nullptr);
  rectangle->SetParent(root);
  rectangle->SetBounds(10, 10, 50, 30);
  inspector->SetSelectedObject(rectangle);
  for (const char* owned : {"Fill", "Stroke", "Position", "Scale", "Skew", "RotateCenter"})
    EXPECT_TRUE(Lists(owned)) << owned;
  ASSERT_NE(inspector->ItemOf("Fill.Color"), nullptr) << "the brush lists its own properties";

  rtl::TObject* edited = nullptr;
  TvgDesignServices services;
  services.editValue = [&](rtl::TObject* value, rtl::TComponent*) {
    edited = value;
    return true;
  };
  const TvgDesignServices saved = vgSetDesignServices(services);
  inspector->SetSelected(inspector->ItemOf("Fill"));
  ASSERT_EQ(inspector->Editor(), inspector->EditButton());
  inspector->EditButton()->Click();
  EXPECT_EQ(edited, rectangle->Fill());
  vgSetDesignServices(saved);

  TypeInto("Position.X", u"40");
  EXPECT_FLOAT_EQ(rectangle->Position()->X(), 40);
}

TEST_F(Inspector, TheEditorSitsBesideItsItemAndHidesTheValue) {
  TvgTreeViewItem* item = inspector->ItemOf("Opacity");
  inspector->SetSelected(item);
  TvgVisualObject* editor = inspector->Editor();
  ASSERT_NE(editor, nullptr);
  EXPECT_FLOAT_EQ(editor->Position()->X(), 150);
  EXPECT_FLOAT_EQ(editor->Height(), 18);
  EXPECT_EQ(editor->TagString, "self");
  EXPECT_EQ(editor->Parent(), inspector) << "the editor stays on the box, not in the scrolled content";
  EXPECT_EQ(scene->GetFocused(), editor);
  std::uint16_t key = kKeyDown;
  inspector->DialogKey(key, {});
  EXPECT_EQ(key, 0);
  EXPECT_NE(inspector->Selected(), item);
}

TEST_F(Inspector, AFreedObjectEmptiesTheInspector) {
  label->Free();
  EXPECT_EQ(inspector->SelectedObject(), nullptr);
  EXPECT_EQ(inspector->Count(), 0);
  EXPECT_EQ(inspector->Editor(), nullptr);
}

}  // namespace
