// The main window's language application and its device-kind, language,
// demo and connect menus, off screen on a temporary program folder.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <set>
#include <sstream>
#include <string>
#include <utility>

#include "app/HelpContent.h"
#include "app/DeviceMenus.h"
#include "app/LangKey.h"
#include "app/LanguageApply.h"
#include "app/LanguageTables.h"
#include "app/MainFormParams.h"
#include "app/ModelMenu.h"
#include "platform/rtl/MemIniFile.h"
#include "platform/rtl/Streams.h"
#include "platform/rtl/TextCompare.h"
#include "platform/rtl/TextTrim.h"
#include "tests/app/main_form_fixture.h"
#include "ui/controls/vg_compound.h"
#include "ui/controls/vg_gridcolumn.h"
#include "ui/controls/vg_listbox.h"
#include "ui/controls/vg_numberbox.h"
#include "ui/controls/vg_textcontrol.h"
#include "ui/controls/vg_track.h"

namespace app {
namespace {

using testing::MainFormTest;

// The rotor-rpm calculator's captions that its page does not carry yet.
const std::set<std::string, std::less<>> kNotOnTheForm = {"lblTH", "lblRPM", "lblReRPM", "lblReTH"};

TEST(LanguageTitle, EnglishShowsTheDatabaseDateMonthFirst) {
  struct Case {
    Language language;
    const char* database;
    const char* caption;
  } cases[] = {
      {Language::Chinese, "2019-05-20", "T V4.0.5      Database: 2019-05-20"},
      {Language::English, "2019-05-20", "T V4.0.5      Database: 05-20-2019(MM-DD-YY)"},
      {Language::English, "", "T V4.0.5      Database: -(MM-DD-YY)"},
      {Language::English, "20190520", "T V4.0.5      Database: 20190-2019(MM-DD-YY)"},
      {Language::English, "19-1", "T V4.0.5      Database: 1-19-1(MM-DD-YY)"},
  };
  for (const Case& c : cases) EXPECT_EQ(TitleLine(c.language, "T", "V4.0.5", c.database), c.caption) << c.database;
}

TEST(ModelMenuFlag, NumbersAndTrueFalseInAnyCase) {
  struct Case {
    const char* text;
    std::optional<bool> flag;
  } cases[] = {{"1", true}, {"0", false}, {"-3", true}, {"TRUE", true}, {"false", false}, {"True", true},
               {"", std::nullopt}, {"yes", std::nullopt}, {"1x", std::nullopt}, {" 1", std::nullopt}};
  for (const Case& c : cases) EXPECT_EQ(ParseDemoFlag(c.text), c.flag) << c.text;
}

TEST(SampleLangIni, HoldsEveryTextOfBothLanguages) {
  const rtl::TMemIniFile sample((std::filesystem::path(std::getenv("ESCTOOL_SOURCE_DIR")) / "data" / "lang.ini").string());
  std::vector<std::string> keys = {"Title", "Connect", "DisConnect", "ThHigh", "ThLow"};
  for (const LanguageText& row : LanguageTexts()) keys.emplace_back(row.suffix);
  for (const SharedText& text : SharedTexts()) keys.push_back(text.key);
  for (const SharedText& text : LinkAdapterCaptions()) keys.push_back(text.key);
  for (const std::string& key : keys)
    for (const Language language : {Language::Chinese, Language::English})
      EXPECT_NE(sample.ReadString("common", LangKey(language, key), "<none>"), "<none>") << LangKey(language, key);
}

// Only the first of two equal names counts, so a second one would be text
// that never shows.
TEST(SampleLangIni, NamesEachKeyOnceInASection) {
  const rtl::TBytes bytes =
      rtl::ReadFileBytes((std::filesystem::path(std::getenv("ESCTOOL_SOURCE_DIR")) / "data" / "lang.ini").string());
  std::istringstream lines(std::string(bytes.begin(), bytes.end()));
  std::set<std::pair<std::string, std::string>> seen;
  std::string section, line;
  while (std::getline(lines, line)) {
    const std::string_view text = rtl::Trim(line);
    if (text.empty() || text.front() == ';') continue;
    if (text.front() == '[') {
      section = rtl::LowerCase(text);
      continue;
    }
    const std::string key = rtl::LowerCase(rtl::Trim(text.substr(0, text.find('='))));
    EXPECT_TRUE(seen.emplace(section, key).second) << section << " " << key;
  }
}

class LanguageTest : public MainFormTest {
 protected:
  void WriteLang(const std::string& text) { rtl::WriteFileBytes((folder / "lang.ini").string(), text); }
  void UseSampleLang() {
    std::filesystem::copy_file(std::filesystem::path(std::getenv("ESCTOOL_SOURCE_DIR")) / "data" / "lang.ini",
                               folder / "lang.ini", std::filesystem::copy_options::overwrite_existing);
  }
  device::IFormComponents& Ui() { return form->Device(); }
  gui::TMenuItem& Item(const std::string& name) { return *form->Node<gui::TMenuItem>(name); }
  gui::TMenuItem& Version() { return Item("Version1"); }
  // The text a table target shows; "<missing>" when the form has no such control.
  std::string TargetText(std::string_view target) {
    const std::string_view caption = ".TextLabel";
    if (target.ends_with(caption)) {
      auto* box = form->Node<vg::TvgCompoundTextBox>(target.substr(0, target.size() - caption.size()));
      return box ? rtl::Utf16ToUtf8(box->TextLabel()->Text()) : "<missing>";
    }
    if (!form->FindComponent(target)) return "<missing>";
    if (auto* column = form->Node<vg::TvgColumn>(target)) return rtl::Utf16ToUtf8(column->Header());
    return Ui().Text(std::string(target));
  }
  // Every target of the tables shows `expected(key, fallback)`; Label1 then
  // shows the checked device kind instead.
  template <class Expected>
  void ExpectTableTexts(Language language, Expected expected) {
    for (const LanguageText& row : LanguageTexts())
      for (std::string_view target : row.targets) {
        if (target == "Label1") continue;
        EXPECT_EQ(TargetText(target), expected(LangKey(language, row.suffix), row.Fallback(language))) << target;
      }
    std::vector<SharedText> shared = SharedTexts();
    for (const SharedText& text : LinkAdapterCaptions()) shared.push_back(text);
    for (const SharedText& text : shared) {
      if (kNotOnTheForm.contains(text.target)) {
        EXPECT_EQ(TargetText(text.target), "<missing>") << text.target;
        continue;
      }
      EXPECT_EQ(TargetText(text.target), expected(LangKey(language, text.key), text.fallback)) << text.target;
    }
    EXPECT_EQ(TargetText("Label1"), TargetText("ESCSpeedController1"));
  }
};

TEST_F(LanguageTest, ASwitchWritesEveryTextOfTheTablesFromItsKey) {
  // Every key holds a text of its own, so a text read under the wrong key,
  // or not read at all, shows.
  std::string ini = "[common]\nlang=1\n";
  auto add = [&ini](const std::string& suffix) {
    for (const Language language : {Language::Chinese, Language::English}) {
      const std::string key = LangKey(language, suffix);
      ini += key + "=<" + key + ">\n";
    }
  };
  for (const LanguageText& row : LanguageTexts()) add(std::string(row.suffix));
  for (const SharedText& text : SharedTexts()) add(text.key);
  for (const SharedText& text : LinkAdapterCaptions()) add(text.key);
  add("Title");
  WriteLang(ini);
  Create();
  auto fromKey = [](const std::string& key, std::string_view) { return "<" + key + ">"; };
  ASSERT_TRUE(Item("Chinese1").Checked());
  ExpectTableTexts(Language::Chinese, fromKey);
  EXPECT_EQ(rtl::Utf16ToUtf8(form->Caption()), "<chsTitle> V4.0.5      Database: ");

  Item("English1").Click();
  EXPECT_TRUE(Item("English1").Checked());
  EXPECT_FALSE(Item("Chinese1").Checked());
  ExpectTableTexts(Language::English, fromKey);
  EXPECT_EQ(rtl::Utf16ToUtf8(form->Caption()), "<engTitle> V4.0.5      Database: -(MM-DD-YY)");

  Item("Chinese1").Click();
  ExpectTableTexts(Language::Chinese, fromKey);
}

TEST_F(LanguageTest, WithoutLangIniTheBuiltInChineseTextsShow) {
  std::filesystem::remove(folder / "lang.ini");
  Create();
  EXPECT_TRUE(Item("Chinese1").Checked());
  ExpectTableTexts(Language::Chinese, [](const std::string&, std::string_view fallback) { return std::string(fallback); });
  EXPECT_EQ(rtl::Utf16ToUtf8(form->Caption()), "Valtorine电调调制软件 V3.0 V4.0.5      Database: ");
  EXPECT_EQ(Version().Count(), kFixedVersionItems);
  for (std::size_t n = 1; n <= kCalculatorDefaults.size(); ++n) {
    const std::string name = "calcTextBox" + std::to_string(n);
    auto* compound = form->Node<vg::TvgCompoundTextBox>(name);
    EXPECT_EQ(compound ? rtl::Utf16ToUtf8(compound->GetText()) : TargetText(name), kCalculatorDefaults[n - 1]) << n;
  }
  EXPECT_EQ(TargetText("btnConnect"), "DisConnect");  // connecting by itself
}

TEST_F(LanguageTest, TheModelMenuIsBuiltOnceFromTheDeviceSections) {
  WriteLang(
      "[common]\nlang=0\ncacl1=1000\nautoupdate=0\n"
      "[X]\ndemo=1\nname=Model X\n[Y]\ndemo=0\n[Z]\nname=No demo key\n[W]\ndemo=maybe\n[V]\ndemo=TRUE\n");
  Create();
  struct Expected {
    const char* caption;
    const char* hint;
    bool visible;
  } expected[] = {{"Model X", "X", true}, {"Y", "Y", false}, {"No demo key", "Z", false},
                  {"W", "W", false},     {"V", "V", true}};
  ASSERT_EQ(Version().Count(), kFixedVersionItems + 5);
  for (int i = 0; i < 5; ++i) {
    const gui::TMenuItem& item = *Version().Items(kFixedVersionItems + i);
    EXPECT_EQ(rtl::Utf16ToUtf8(item.Caption()), expected[i].caption);
    EXPECT_EQ(rtl::Utf16ToUtf8(item.Hint()), expected[i].hint);
    EXPECT_EQ(item.Visible(), expected[i].visible) << expected[i].hint;
    EXPECT_EQ(item.Tag(), kFirstModelTag + i);
    EXPECT_TRUE(item.RadioItem() && item.AutoCheck());
    EXPECT_EQ(item.GroupIndex(), 1);
  }
  // A model whose demo flag cannot be read hides it and the application
  // goes on to the calculator inputs and the update switch.
  EXPECT_EQ(TargetText("calcTextBox1"), "1000");
  EXPECT_FALSE(form->Updates().AutoUpdate);
  EXPECT_TRUE(Item("English1").Checked());

  // A later application keeps the items and what the user typed.
  Ui().SetText("calcTextBox1", "1234");
  Item("Chinese1").Click();
  EXPECT_EQ(Version().Count(), kFixedVersionItems + 5);
  EXPECT_EQ(TargetText("calcTextBox1"), "1234");
}

TEST_F(LanguageTest, FeatureSwitchesShowTheirMenusAndOptions) {
  Create();
  const std::pair<const char*, bool> shown[] = {
      {"ESCSpeedController1", true}, {"LCDProgramCard1", true}, {"MotorChecker1", false}, {"Version1", true},
      {"PORTAVEX1", false},          {"PORTAVEX5", false},      {"lbColor", false},       {"rbCCW", false}};
  for (const auto& [name, visible] : shown) {
    const rtl::TComponent* component = form->FindComponent(name);
    const bool isVisible = dynamic_cast<const gui::TMenuItem*>(component)
                               ? static_cast<const gui::TMenuItem*>(component)->Visible()
                               : dynamic_cast<const vg::TvgVisualObject*>(component)->Visible();
    EXPECT_EQ(isVisible, visible) << name;
  }
}

TEST_F(LanguageTest, StyleSwitchesOnlyAddAndAMissingPictureChangesNothing) {
  WriteLang("[common]\nstylecolor=1\nstyleimage=missing.png\naboutimage_w=wide\n");
  Create();
  auto* label = form->Node<vg::TvgControl>("tabLabel10");
  EXPECT_EQ(label->Resource(), "labelstyle2");
  EXPECT_FALSE(form->Node<vg::TvgListBox>("ListBox1")->Background());
  EXPECT_EQ(form->Node<vg::TvgVisualObject>("imgLogo")->Width(), 589);
  WriteLang("[common]\nstylecolor=0\n");
  Item("English1").Click();
  EXPECT_EQ(label->Resource(), "labelstyle2");
}

// ----- device kind, demo model, connect toggle

TEST_F(LanguageTest, ADeviceKindSwitchForgetsTheConnectedDevice) {
  Create();
  device::DeviceState& link = form->Device().State();
  link.Connected = link.Busy = link.Identifying = true;
  link.DeviceInfoStrings = {"CAR_ESC", "H1", "F1", "extra"};
  Item("MotorChecker1").Click();
  EXPECT_TRUE(Item("MotorChecker1").Checked());
  EXPECT_FALSE(Item("ESCSpeedController1").Checked());
  EXPECT_EQ(link.Markers, device::kScanMarkers);
  EXPECT_FALSE(link.Connected || link.Busy || link.Identifying);
  EXPECT_TRUE(link.DeviceKindChanged);
  EXPECT_EQ(link.DeviceInfoStrings, (std::array<std::string, 4>{}));
  EXPECT_FALSE(form->Node<vg::TvgVisualObject>("GroupBox2")->Visible());
  EXPECT_FALSE(form->Node<vg::TvgVisualObject>("btnConnect")->Visible());
  EXPECT_FALSE(Item("Export1").Enabled() || Item("Import1").Enabled() || Item("Print1").Enabled());
  EXPECT_EQ(TargetText("Label1"), TargetText("MotorChecker1"));
  EXPECT_EQ(form->VisiblePage(), 1);
  EXPECT_EQ(link.ProtocolSelector, 1);

  // The active kind again: only the check mark.
  link.Connected = true;
  link.DeviceKindChanged = false;
  Item("MotorChecker1").Click();
  EXPECT_TRUE(link.Connected);
  EXPECT_FALSE(link.DeviceKindChanged);

  Item("LCDProgramCard1").Click();
  EXPECT_EQ(link.Markers, device::kCardMarkers);
  EXPECT_EQ(link.ProtocolSelector, 0);
  Item("ESCSpeedController1").Click();
  EXPECT_EQ(link.Markers, device::kEscMarkers);
  EXPECT_EQ(link.ProtocolSelector, 0);  // left to the device link
  EXPECT_TRUE(form->Node<vg::TvgVisualObject>("GroupBox2")->Visible());
  EXPECT_TRUE(form->Node<vg::TvgVisualObject>("btnConnect")->Visible());
  EXPECT_TRUE(Item("Export1").Enabled() && Item("Print1").Enabled());
}

TEST_F(LanguageTest, ADemoModelShowsItsPagesWithoutADeviceAndKeepsThemAcrossALanguageSwitch) {
  UseSampleLang();
  Create();
  gui::TMenuItem* model = nullptr;
  for (int i = kFixedVersionItems; i < Version().Count(); ++i)
    if (Version().Items(i)->Hint() == u"Corvanel_V4") model = Version().Items(i);
  ASSERT_NE(model, nullptr);
  device::DeviceState& link = form->Device().State();
  link.Connected = true;
  form->Node<vg::TvgShape>("Circle1")->Fill()->SetSolidColor(device::kLedOn);
  model->Click();
  EXPECT_TRUE(model->Checked());
  EXPECT_TRUE(form->Demo1->Checked());
  EXPECT_FALSE(link.Connected);
  EXPECT_EQ(form->Node<vg::TvgShape>("Circle1")->Fill()->SolidColor(), device::kLedOff);
  EXPECT_EQ(form->Params().Version().tab, 3);
  EXPECT_EQ(TargetText("tabLabel2"), "基本设置");
  EXPECT_EQ(form->VisiblePage(), 1);
  EXPECT_FALSE(form->State().LanguageSwitching);

  // Page 3 of the governor model is the governor rpm page, with the demo's
  // 512 thousand electrical rpm.
  form->ShowPageItem(4);
  EXPECT_EQ(form->VisiblePage(), 11);
  EXPECT_EQ(form->Rotor().Setup().MaxERpmThousands, 512);

  Item("English1").Click();
  EXPECT_TRUE(model->Checked());
  EXPECT_TRUE(form->Demo1->Checked());
  EXPECT_EQ(TargetText("tabLabel2"), "Basic Settings");

  model->Click();  // a checked model again leaves the demonstration
  EXPECT_FALSE(model->Checked());
  EXPECT_FALSE(form->Demo1->Checked());
}

TEST_F(LanguageTest, TheConnectToggleNamesWhatItWillDo) {
  UseSampleLang();
  Create();
  device::DeviceState& link = form->Device().State();
  link.Connected = true;
  link.HandshakeFreeCount = 7;
  form->Node<vg::TvgShape>("Circle1")->Fill()->SetSolidColor(device::kLedOn);
  auto* button = form->Node<vg::TvgButton>("btnConnect");
  EXPECT_EQ(TargetText("btnConnect"), "断开");
  button->Click();
  EXPECT_EQ(link.AutoConnect, 0);
  EXPECT_EQ(link.HandshakeFreeCount, 0);
  EXPECT_TRUE(link.Connected);
  EXPECT_EQ(TargetText("btnConnect"), "连接");
  EXPECT_FALSE(form->Node<vg::TvgVisualObject>("btnUpdate")->Enabled());
  EXPECT_EQ(form->Node<vg::TvgShape>("Circle1")->Fill()->SolidColor(), device::kLedOff);
  button->Click();
  EXPECT_EQ(link.AutoConnect, 1);
  EXPECT_FALSE(link.Connected);
  EXPECT_EQ(TargetText("btnConnect"), "断开");
  EXPECT_TRUE(form->Node<vg::TvgVisualObject>("btnDefault")->Enabled());
}

// ----- page switcher

TEST_F(LanguageTest, PagesPlaceTheHelpViewAndFillTheGovernorPage) {
  UseSampleLang();
  Create();
  std::vector<int> lefts, helps;
  form->Hooks().placeHelpView = [&lefts](int left) { lefts.push_back(left); };
  form->Hooks().showHelp = [&helps](int code) { helps.push_back(code); };
  struct Case {
    int item;
    std::vector<int> lefts;
    bool helpColumn;
  } cases[] = {{1, {900}, false}, {2, {900, 563}, true}, {8, {900, 563}, true},
               {9, {900}, false}, {10, {900, 563}, true}, {11, {900}, false}};
  for (const Case& c : cases) {
    lefts.clear();
    helps.clear();
    form->ShowPageItem(c.item);
    EXPECT_EQ(lefts, c.lefts) << c.item;
    EXPECT_EQ(form->Node<vg::TvgVisualObject>("Panel6")->Visible(), c.helpColumn) << c.item;
    EXPECT_EQ(helps, std::vector<int>{kNoHelp}) << c.item;
  }

  // The governor rpm page: demo, 8 poles, gears 110/10, throttle 40.
  form->Demo1->SetChecked(true);
  form->Device().State().DeviceInfoStrings[device::kController] = "Corvanel_HV_V4.1";
  form->Node<vg::TvgRadioButton>("rbDJC")->SetIsChecked(true);
  form->Node<vg::TvgNumberBox>("nbPoles")->SetValue(8);
  form->Node<vg::TvgNumberBox>("nbZC")->SetValue(110);
  form->Node<vg::TvgNumberBox>("nbDJC")->SetValue(10);
  form->Node<vg::TvgTrackBar>("tbPercent")->SetValue(40);
  helps.clear();
  form->ShowPageItem(4);
  EXPECT_EQ(form->VisiblePage(), 11);
  EXPECT_EQ(form->Rotor().MaxHeadRpm(), 11636);
  EXPECT_EQ(TargetText("lblHighRPM"), "11636");
  EXPECT_EQ(TargetText("lblLowRPM"), "4654.4");
  EXPECT_EQ(TargetText("lblRightRPM"), "<-- 4654.4");
  EXPECT_EQ(TargetText("lblTips"), "油门过低");
  EXPECT_EQ(form->Node<vg::TvgVisualObject>("lblTips")->Position()->Y(),
            form->Node<vg::TvgVisualObject>("lblRightRPM")->Position()->Y() - 20);
  EXPECT_EQ(form->Node<vg::TvgNumberBox>("nbRPM2")->Max(), 11636);
  EXPECT_EQ(helps, std::vector<int>{kGovernorPageHelp});

  // A device's own electrical rpm comes from its data bytes 19 and 20.
  form->Demo1->SetChecked(false);
  form->Device().State().DeviceData[19] = 0x01;
  form->Device().State().DeviceData[20] = 0x2C;
  form->ShowPageItem(4);
  EXPECT_EQ(form->Rotor().Setup().MaxERpmThousands, 300);
  form->Hooks() = {};  // they record into this test's locals
}

}  // namespace
}  // namespace app
