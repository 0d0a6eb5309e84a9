// The program from its program folder without an adapter: the main window
// in Chinese, switched to English, and a demo model's pages, each shot for a
// person to look at.
#include <gtk/gtk.h>

#include "app/MainFormDevice.h"
#include "app/MainFormParams.h"
#include "app/ModelMenu.h"
#include "platform/rtl/TextConvert.h"
#include "tests/app/program_run.h"
#include "tests/support/window_shot.h"
#include "ui/controls/vg_textcontrol.h"

namespace app {
namespace {

std::string NodeText(TfrmInterface& form, const char* name) {
  return rtl::Utf16ToUtf8(form.Node<vg::TvgTextControl>(name)->Text());
}

gui::TMenuItem* ModelItem(TfrmInterface& form, const char16_t* section) {
  auto* version = form.Node<gui::TMenuItem>("Version1");
  for (int i = kFixedVersionItems; i < version->Count(); ++i)
    if (version->Items(i)->Hint() == section) return version->Items(i);
  return nullptr;
}

// A step that shoots the window once it was drawn again after `act`.
testing::ProgramRun::Step ShootAfter(std::function<void(TfrmInterface&)> act, std::string name, bool& shot) {
  return [act = std::move(act), name = std::move(name), &shot, draws = -1](TfrmInterface& form) mutable {
    if (draws < 0) {
      act(form);
      draws = form.ControlsScene->DrawCount();
      return false;
    }
    if (form.ControlsScene->DrawCount() == draws) return false;
    shot = test_support::SaveWindowShot(form.Handle(), name).has_value();
    return true;
  };
}

TEST(ProgramLanguage, ShowsChineseEnglishAndADemoModel) {
  unsetenv("ESCTOOL_SIMULATED_HID");
  testing::ProgramRun run;
  bool startShot = false, chineseShot = false, englishShot = false, demoShot = false, governorShot = false;
  std::string chineseTab, englishTab, englishHelpMenu, demoTab;
  int demoPage = 0, governorPage = 0;
  bool demo = false;
  run.Then("the window shows and was activated",
           [](TfrmInterface& form) { return form.ControlsScene->DrawCount() > 0 && form.State().AdapterListCreated; })
      .Then("the first page is shot", ShootAfter([](TfrmInterface& form) { form.ShowPageItem(1); },
                                                 "main_window_chinese_start", startShot))
      .Then("Chinese is shot", ShootAfter([](TfrmInterface& form) { form.ShowPageItem(10); },
                                          "main_window_chinese", chineseShot))
      .Then("English is chosen", ShootAfter(
                                     [&](TfrmInterface& form) {
                                       chineseTab = NodeText(form, "tabLabel10");
                                       form.Node<gui::TMenuItem>("English1")->Click();
                                       form.ShowPageItem(10);
                                       englishTab = NodeText(form, "tabLabel10");
                                       englishHelpMenu = rtl::Utf16ToUtf8(form.Node<gui::TMenuItem>("Help1")->Caption());
                                     },
                                     "main_window_english", englishShot))
      .Then("a demo model is chosen", ShootAfter(
                                          [&](TfrmInterface& form) {
                                            ModelItem(form, u"Corvanel_V4")->Click();
                                            demo = form.Demo1->Checked();
                                            form.ShowPageItem(2);
                                            demoPage = form.VisiblePage();
                                            demoTab = NodeText(form, "tabLabel2");
                                          },
                                          "main_window_demo_model", demoShot))
      .Then("its governor page is shown", ShootAfter(
                                              [&](TfrmInterface& form) {
                                                form.ShowPageItem(4);
                                                governorPage = form.VisiblePage();
                                              },
                                              "main_window_demo_governor", governorShot))
      .Then("the window is closed", [](TfrmInterface& form) {
        form.Close();
        return true;
      });
  EXPECT_EQ(run.Run(std::chrono::seconds(30)), 0);
  EXPECT_EQ(run.timedOut, "");
  EXPECT_EQ(chineseTab, "速度计算");
  EXPECT_EQ(englishTab, "Speed Calculator");
  EXPECT_EQ(englishHelpMenu, "&Help");
  EXPECT_TRUE(demo);
  EXPECT_EQ(demoPage, 2);
  EXPECT_EQ(demoTab, "Basic Settings");
  EXPECT_EQ(governorPage, 11);
  EXPECT_TRUE(startShot && chineseShot && englishShot && demoShot && governorShot);
}

}  // namespace
}  // namespace app
