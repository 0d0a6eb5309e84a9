// The about box: its texts from lang.ini, and the credits' fade and scroll
// on the animation clock.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/AboutForm.h"
#include "app/HelpCommands.h"
#include "app/UpdateForm.h"
#include "platform/rtl/DebugOutput.h"
#include "platform/rtl/TextConvert.h"
#include "tests/support/gui_fakes.h"
#include "tests/support/main_window_fakes.h"
#include "tests/support/shell_fakes.h"
#include "tests/support/vg_anim_fakes.h"

namespace app_test {

void StartDialogs();

namespace {

using app::Language;
using app::TfrmAbout;

struct AboutTexts {
  std::string caption, heading, text, link, credits, close;
  bool operator==(const AboutTexts&) const = default;
};

AboutTexts Shown(TfrmAbout& about) {
  return {rtl::Utf16ToUtf8(about.Caption()),         rtl::Utf16ToUtf8(about.Text1->Text()),
          rtl::Utf16ToUtf8(about.Text2->Text()),     rtl::Utf16ToUtf8(about.Text3->Text()),
          rtl::Utf16ToUtf8(about.Button1->Text()),   rtl::Utf16ToUtf8(about.Button2->Text())};
}

class AboutBoxTest : public ::testing::Test {
 protected:
  void SetUp() override { StartDialogs(); }
  // The form's scene host puts the program's clock in; the fake goes in after.
  void Open() {
    about_.reset(new TfrmAbout(nullptr));
    clock_.emplace();
  }
  float ElapsedMs(double since) { return static_cast<float>(clock_->MonotonicMs() - since); }

  std::unique_ptr<TfrmAbout, void (*)(TfrmAbout*)> about_{nullptr, [](TfrmAbout* form) { form->Free(); }};
  std::optional<vgtest::FakeAniClock> clock_;
};

TEST_F(AboutBoxTest, TakesItsTextsFromLangIniWithEmptyDefaults) {
  struct Case {
    Language language;
    bool keys;
    AboutTexts shown;
  };
  const Case cases[] = {
      {Language::English, true, {"About esctool", "Credits", "esctool 4", "http://x.example", "Thanks", "OK"}},
      {Language::English, false, {"About", "", "", "", "", ""}},
      {Language::Chinese, false, {"关于", "", "", "", "", ""}},
  };
  for (const Case& c : cases) {
    test_support::TFakeMainWindow window;
    window.Language = c.language;
    if (c.keys)
      window.Texts = {{"engAbout_title", "About esctool"}, {"engAbout_label1", "Credits"},
                      {"engAbout_label2", "esctool 4"},    {"engAbout_label3", "http://x.example"},
                      {"engAbout_btncredits", "Thanks"},   {"engAbout_btnok", "OK"}};
    test_support::TScriptedModalRunner runner;
    AboutTexts shown;
    runner.Then([&](gui::TForm& form) {
      shown = Shown(static_cast<TfrmAbout&>(form));
      static_cast<TfrmAbout&>(form).Button2Click(nullptr);
    });
    app::ShowAboutBox(window);
    EXPECT_EQ(shown, c.shown);
    EXPECT_TRUE(runner.Done());
  }
}

TEST_F(AboutBoxTest, CreditsFadeInAndThenScrollUpForAMinute) {
  Open();
  EXPECT_TRUE(about_->textList->Text().empty());
  const double start = clock_->MonotonicMs();
  about_->Button1Click(about_->Button1);
  // The first view fades out in 0.4 s, the credits in in 0.6 s, in 33 ms steps.
  EXPECT_GE(ElapsedMs(start), 1000);
  EXPECT_LT(ElapsedMs(start), 1000 + 2 * 33 + 1);
  EXPECT_FALSE(about_->FirstLayout->Visible());
  EXPECT_TRUE(about_->AniLayout->Visible());
  EXPECT_FLOAT_EQ(about_->AniLayout->Opacity(), 1);
  EXPECT_FLOAT_EQ(about_->LogoImage->Scale()->X(), 0.5f);
  EXPECT_FLOAT_EQ(about_->LogoImage->Scale()->Y(), 0.5f);
  EXPECT_TRUE(about_->CreditsTimer->Enabled());
  EXPECT_EQ(about_->CreditsTimer->Interval(), 1000u);
  EXPECT_FALSE(about_->Slide->Running());

  const float top = about_->AniLayout->Position()->Y();
  about_->CreditsTimerTimer(about_->CreditsTimer);
  EXPECT_FALSE(about_->CreditsTimer->Enabled());
  ASSERT_TRUE(about_->Slide->Running());
  for (int i = 0; i < 30000 / 33; ++i) clock_->Step();
  // Halfway through the minute, halfway up to minus its height.
  const float halfway = top + (-about_->AniLayout->Height() - top) / 2;
  EXPECT_NEAR(about_->AniLayout->Position()->Y(), halfway, 30);
  for (int i = 0; i < 31000 / 33; ++i) clock_->Step();
  EXPECT_TRUE(about_->Slide->Running());  // it loops
  EXPECT_GT(about_->AniLayout->Position()->Y(), halfway);

  // Credits again: the fade replays, the scroll restarts from where it is.
  about_->Button1Click(about_->Button1);
  EXPECT_FLOAT_EQ(about_->AniLayout->Opacity(), 1);
  about_->CreditsTimerTimer(about_->CreditsTimer);
  EXPECT_NEAR(about_->Slide->StartValue(), about_->AniLayout->Position()->Y(), 1);
  EXPECT_NE(about_->Slide->StartValue(), top);
}

TEST_F(AboutBoxTest, OnlyWebAddressesAreOpenedFromTheTexts) {
  Open();
  test_support::TRecordingShell shell;
  struct Case {
    const char16_t* text;
    bool opened;
  };
  const Case cases[] = {{u"http://www.valtorine.example", true},
                        {u"https://www.valtorine.example", true},
                        {u"www.valtorine.example", false},
                        {u"", false}};
  for (const Case& c : cases) {
    shell.Opened.clear();
    about_->Text2->SetText(c.text);
    about_->Text2Click(about_->Text2);
    about_->Text3->SetText(c.text);
    about_->Text3Click(about_->Text3);
    EXPECT_EQ(shell.Opened.size(), c.opened ? 2u : 0u) << rtl::Utf16ToUtf8(c.text);
  }
}

TEST_F(AboutBoxTest, ALinkNoBrowserOpensIsSaidInABox) {
  test_support::TRecordingShell shell;
  shell.Succeeds = false;
  test_support::TFakeMainWindow window;
  window.Texts = {{"engAbout_label3", "https://x.example"}, {"engbrowser_fail", "No browser for"}};
  test_support::TScriptedModalRunner runner;
  runner.Then([](gui::TForm& form) {
    auto& about = static_cast<TfrmAbout&>(form);
    about.Text3Click(about.Text3);
    about.Button2Click(nullptr);
  });
  app::ShowAboutBox(window);
  EXPECT_EQ(shell.Opened, std::vector<std::string>{"https://x.example"});
  EXPECT_EQ(window.Infos, (std::vector<test_support::TFakeMainWindow::Info>{{"No browser for\nhttps://x.example", 1}}));
}

}  // namespace
}  // namespace app_test

namespace app_test {
namespace {

// The readers skip what they do not know and say so on the debug output:
// the dialogs' form texts must read without a word.
TEST(DialogFormsTest, ReadWithoutASkippedClassOrProperty) {
  StartDialogs();
  std::vector<std::string> lines;
  const rtl::TDebugSink previous = rtl::SetDebugSink([&](const std::string& line) { lines.push_back(line); });
  test_support::TFakeMainWindow window;
  (new app::TfrmUpdate(nullptr, window))->Free();
  (new TfrmAbout(nullptr))->Free();
  rtl::SetDebugSink(previous);
  EXPECT_EQ(lines, std::vector<std::string>{});
}

}  // namespace
}  // namespace app_test
