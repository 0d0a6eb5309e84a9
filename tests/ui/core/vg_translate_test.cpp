#include "ui/core/vg_translate.h"

#include <filesystem>

#include "platform/rtl/Exceptions.h"
#include "platform/rtl/ObjectText.h"
#include "tests/ui/core/vg_scene_fixture.h"

using namespace vg;
using namespace vgtest;

namespace {

// Shows its caption translated, as text controls do: the text shown is
// what passes through Translate each time the style is applied.
class TTranslatedButton : public TvgTestButton {
  RTL_CLASS(TTranslatedButton, TvgTestButton)
  using TvgTestButton::TvgTestButton;
  ~TTranslatedButton() override { TearDown(); }

 protected:
  void ApplyStyle() override {
    Caption = Translate(Caption);
    inherited::ApplyStyle();
  }
};

struct TranslatedScene : EmbeddedScene {
  TvgOwned<TvgResources> book{new TvgResources(nullptr)};
  TTranslatedButton* button = nullptr;

  void SetUp() override {
    EmbeddedScene::SetUp();
    rtl::TResourceStream stream("vgteststyles");
    book->ReadResources(stream);
    scene->SetStyle(book.get());
    auto* root = AddRoot<TTestRect>();
    button = Add<TTranslatedButton>(root, 10, 10, 40, 20);
    button->Caption = u"Open";
    button->SetResource("testbuttonstyle");
    ASSERT_NE(button->TextPart, nullptr);
  }
  void TearDown() override {
    FreeLang();
    CustomTranslateProc = nullptr;
    EmbeddedScene::TearDown();
  }
  static std::unique_ptr<TvgWideStringList> Lines(std::initializer_list<const char16_t*> lines) {
    auto list = std::make_unique<TvgWideStringList>();
    for (const char16_t* line : lines) list->Add(line);
    return list;
  }
  const rtl::WideString& Shown() { return button->TextPart->Text(); }
};

}  // namespace

TEST_F(TranslatedScene, DictionaryMatchesWholeCaseSensitiveNamesAndFallsBackToTheText) {
  const auto lines = Lines({u"Open=Abrir", u"Close=", u"Bare", u"Save=Guardar"});
  LoadLangFromStrings(lines.get());
  const std::pair<const char16_t*, const char16_t*> cases[] = {
      {u"Open", u"Abrir"}, {u"open", u"open"}, {u"Close", u"Close"},
      {u"Bare", u"Bare"},  {u"", u""},         {u"Save", u"Guardar"},
  };
  for (const auto& [text, expected] : cases) EXPECT_EQ(Translate(text), expected);
  EXPECT_EQ(Shown(), u"Abrir");  // the scenes re-applied their styles
}

TEST_F(TranslatedScene, ResetAndSwitchingRevertToTheOriginalsFirst) {
  const auto spanish = Lines({u"Open=Abrir"});
  const auto german = Lines({u"Open=Öffnen"});
  LoadLangFromStrings(spanish.get());
  EXPECT_EQ(Shown(), u"Abrir");
  LoadLangFromStrings(german.get());  // back to "Open", then into German
  EXPECT_EQ(Shown(), u"Öffnen");
  ResetLang();
  EXPECT_EQ(Shown(), u"Open");
  EXPECT_EQ(Translate(u"Open"), u"Open");
  LoadLangFromStrings(nullptr);
  EXPECT_EQ(Shown(), u"Open");
}

TEST_F(TranslatedScene, CollectingKeepsEachTextOnceInOrder) {
  CollectLangStart();
  for (const char16_t* text : {u"b", u"a", u"b", u"", u"B"}) Translate(text);
  ASSERT_NE(CollectLangStrings(), nullptr);
  EXPECT_EQ(CollectLangStrings()->Text(), u"B\r\na\r\nb\r\n");
  CollectLangFinish();
  EXPECT_EQ(CollectLangStrings(), nullptr);
}

TEST_F(TranslatedScene, CustomProcedureReplacesTheDictionaryAndEmptyAnswersKeepTheText) {
  const auto lines = Lines({u"Open=Abrir"});
  LoadLangFromStrings(lines.get());
  CustomTranslateProc = [](const WideString& text) { return text == u"Open" ? WideString() : u"<" + text + u">"; };
  EXPECT_EQ(Translate(u"Open"), u"Open");
  EXPECT_EQ(Translate(u"Save"), u"<Save>");
}

TEST_F(TranslatedScene, DictionaryFileIsReadWhenItExists) {
  const std::string path = (std::filesystem::temp_directory_path() / "esctool_lang_test.txt").string();
  const auto lines = Lines({u"Open=Ouvrir"});
  lines->SaveToFile(path);
  LoadLangFromFile(path + ".missing");
  EXPECT_EQ(Shown(), u"Open");
  LoadLangFromFile(path);
  EXPECT_EQ(Shown(), u"Ouvrir");
  std::filesystem::remove(path);
}

TEST_F(TranslatedScene, LangComponentSwitchesBetweenItsDictionaries) {
  TvgOwned<TvgLang> lang{new TvgLang(nullptr)};
  lang->AddLang(u"de");
  lang->AddLang(u"de");
  EXPECT_EQ(lang->Resources().Count(), 1);
  lang->GetLangStr(u"de")->Add(u"Open=Öffnen");
  lang->SetLang("de");
  EXPECT_EQ(Shown(), u"Öffnen");
  lang->SetLang("fr");  // never added
  EXPECT_EQ(Shown(), u"Öffnen");
  lang->SetLang("en");
  EXPECT_EQ(Shown(), u"Open");
  EXPECT_EQ(lang->GetLangStr(u"fr"), nullptr);
}

TEST(LangResources, RoundTripAndWrittenOnlyWithLanguagesWhenStoredInTheForm) {
  TvgOwned<TvgLang> lang{new TvgLang(nullptr)};
  auto textForm = [&] {
    rtl::TMemoryStream binary, text;
    rtl::TWriter(binary).WriteRootComponent(lang.get());
    binary.SetPosition(0);
    rtl::ObjectBinaryToText(binary, text);
    text.SetPosition(0);
    const rtl::TBytes bytes = text.ReadRemaining();
    return std::string(bytes.begin(), bytes.end());
  };
  EXPECT_EQ(textForm().find("ResourcesBin"), std::string::npos);  // no language yet
  lang->Original().Add(u"Open");
  lang->AddLang(u"es");
  lang->GetLangStr(u"es")->Add(u"Open=Abrir");
  EXPECT_NE(textForm().find("ResourcesBin"), std::string::npos);
  lang->SetStoreInForm(false);
  EXPECT_EQ(textForm().find("ResourcesBin"), std::string::npos);

  rtl::TMemoryStream data;
  lang->WriteResources(data);
  const rtl::TBytes bytes = [&] { data.SetPosition(0); return data.ReadRemaining(); }();
  // Originals "Open\r\n" (6 units), one language: "es" (2), "Open=Abrir\r\n" (12).
  EXPECT_EQ(bytes.size(), 4 + 12 + 4 + (4 + 4) + (4 + 24));
  TvgOwned<TvgLang> copy{new TvgLang(nullptr)};
  data.SetPosition(0);
  copy->ReadResources(data);
  EXPECT_EQ(copy->Original().Text(), u"Open\r\n");
  ASSERT_NE(copy->GetLangStr(u"es"), nullptr);
  EXPECT_EQ(copy->GetLangStr(u"es")->Text(), u"Open=Abrir\r\n");

  for (std::size_t cut : {std::size_t(2), std::size_t(10), std::size_t(17), bytes.size() - 1}) {
    rtl::TBytesViewStream truncated(bytes.data(), static_cast<std::int64_t>(cut));
    TvgOwned<TvgLang> target{new TvgLang(nullptr)};
    EXPECT_THROW(target->ReadResources(truncated), rtl::EReadError) << cut;
    EXPECT_EQ(target->Resources().Count(), 0);
  }
}
