// The main window's table editors run modally by a scripted user: each
// opens on the parameter's table, gives back the edited table after OK and
// nothing after Cancel; the help column is hidden while a curve editor is
// open; for the settings report a curve editor stays open.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "app/FrequencyEditorForm.h"
#include "app/MainFormParams.h"
#include "app/TableEditorForm.h"
#include "platform/gui/GuiInit.h"
#include "platform/rtl/HexText.h"
#include "tests/app/main_form_fixture.h"
#include "tests/support/gui_fakes.h"
#include "ui/window/vg_controlservices.h"

namespace app {
namespace {

std::string Hex(const std::vector<std::uint8_t>& bytes) { return rtl::BytesToHex(bytes); }

std::string Words(const std::vector<int>& words) {
  std::vector<std::uint8_t> bytes;
  for (int w : words) {
    bytes.push_back(static_cast<std::uint8_t>(w >> 8));
    bytes.push_back(static_cast<std::uint8_t>(w & 0xFF));
  }
  return Hex(bytes);
}

// The pointer position over point `index` (256-point spacing) at `value`.
float PlotX(int index) { return static_cast<float>((index + 8) * 2); }
float PlotY(int value) { return 286.0f - static_cast<float>(value + 16); }

class EditorLaunch : public testing::MainFormTest {
 protected:
  void SetUp() override {
    MainFormTest::SetUp();
    vg::vgUsePlatformControlServices();  // buttons close their modal form
    Create();
  }
  std::optional<std::string> Edit(int mode, const std::string& table, int low = 0, int high = 0, int lock = 0) {
    return form->Params().Edit({.item = 0, .mode = mode, .table = table, .low = low, .high = high, .lockIndex = lock},
                               false);
  }
  bool HelpShown() { return form->Node<vg::TvgVisualObject>("Panel6")->Visible(); }

  test_support::TScriptedModalRunner runner;
};

TEST_F(EditorLaunch, TheCurveEditorGivesBackTheEditedCurveAfterOk) {
  std::vector<std::uint8_t> ramp(256);
  for (int i = 0; i < 256; ++i) ramp[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(i);
  bool helpHidden = false;
  std::string bottomLabel;
  runner.Then([&](gui::TForm& shown) {
    auto& graph = dynamic_cast<TfrmGraph&>(shown);
    helpHidden = !HelpShown();
    bottomLabel = rtl::Utf16ToUtf8(graph.AxisLabel('y', 9)->Text());
    graph.State.SetMaxNodeCount(16);  // what a description gives a curve
    graph.PlotGrid1MouseDown(graph.PlotGrid1, vg::vgMouseLeft, {}, PlotX(100), PlotY(150));
    graph.PlotGrid1MouseUp(graph.PlotGrid1, vg::vgMouseLeft, {}, PlotX(100), PlotY(150));
    graph.btnOk->Click();
  });
  const std::optional<std::string> edited = Edit(8, Hex(ramp));
  ASSERT_TRUE(edited);
  std::vector<std::uint8_t> bytes(256);
  ASSERT_EQ(rtl::HexToBytes(*edited, bytes), 256);
  EXPECT_EQ(bytes[100], 150);
  EXPECT_EQ(bytes[50], 75);
  EXPECT_EQ(bytes[255], 255);
  EXPECT_TRUE(helpHidden);
  EXPECT_EQ(bottomLabel, "0%");
  EXPECT_TRUE(HelpShown());
}

TEST_F(EditorLaunch, CancelGivesNothingBack) {
  struct Case {
    int mode;
    std::string table;
  } cases[] = {{8, Hex(std::vector<std::uint8_t>(256, 9))},
               {9, Words(std::vector<int>(64, 3000))},
               {12, Hex(std::vector<std::uint8_t>(64, 9))},
               {3, Words(std::vector<int>(64, 3000))},
               {4, Hex(std::vector<std::uint8_t>(256, 9))}};
  const int components = form->ComponentCount();
  for (const Case& c : cases) {
    runner.Then([](gui::TForm& shown) {
      if (auto* graph = dynamic_cast<TCurveEditorForm*>(&shown)) {
        graph->btnInitClick(graph->btnInit);
        graph->btnCancel->Click();
      } else {
        auto& table = dynamic_cast<TfrmAdjust&>(shown);
        table.Bar(5).SetValue(table.Bar(5).Value() + 100);
        table.btnCancel->Click();
      }
    });
    EXPECT_EQ(Edit(c.mode, c.table, 1000, 9000, 40), std::nullopt) << c.mode;
  }
  EXPECT_TRUE(runner.Done());
  EXPECT_EQ(form->ComponentCount(), components) << "an editor outlived its run";
}

TEST_F(EditorLaunch, AnRpmCurveTakenOverKeepsItsEndsAndLabelsTheRpmAxis) {
  std::vector<std::string> labels;
  runner.Then([&](gui::TForm& shown) {
    auto& graph = dynamic_cast<TfrmGraph&>(shown);
    for (int n = 1; n <= 9; ++n) labels.push_back(rtl::Utf16ToUtf8(graph.AxisLabel('y', n)->Text()));
    graph.btnOk->Click();
  });
  std::vector<int> words(64);
  for (int i = 0; i < 64; ++i) words[static_cast<std::size_t>(i)] = 1000 + 125 * i;  // 4 plot units a point
  const std::optional<std::string> edited = Edit(9, Words(words), 1000, 9000, 40);
  ASSERT_TRUE(edited);
  EXPECT_EQ(labels, (std::vector<std::string>{"9000", "8000", "7000", "6000", "5000", "4000", "3000", "2000", "1000"}));
  words[0] = 1000;
  for (int i = 39; i < 63; ++i) words[static_cast<std::size_t>(i)] = 8968;
  words[63] = 9000;
  EXPECT_EQ(*edited, Words(words));
}

TEST_F(EditorLaunch, TheFrequencyEditorOffersItsPresetsAndWritesTheTopLevelAsTheRangesEnd) {
  for (const auto& [high, firstPreset, topLabel] :
       {std::tuple{32, "0.5k", "16k"}, std::tuple{64, "1k", "32k"}}) {
    std::string preset, label;
    runner.Then([&](gui::TForm& shown) {
      auto& graph = dynamic_cast<TfrmGraph2&>(shown);
      graph.FormShow(&graph);
      preset = rtl::Utf16ToUtf8(graph.scbSelect->Items()->Get(0));
      label = rtl::Utf16ToUtf8(graph.AxisLabel('y', 1)->Text());
      graph.scbSelect->SetItemIndex(9);
      graph.btnOk->Click();
    });
    const int low = high == 32 ? 1 : 2;
    EXPECT_EQ(Edit(12, Hex(std::vector<std::uint8_t>(64, 5)), low, high), Hex(std::vector<std::uint8_t>(64, static_cast<std::uint8_t>(high))));
    EXPECT_EQ(preset, firstPreset);
    EXPECT_EQ(label, topLabel);
  }
}

TEST_F(EditorLaunch, TheTableEditorStartsEmptyRpmEntriesAtTheBottomAndWritesWords) {
  std::vector<int> words(64, 0);
  words[1] = 2500;
  std::vector<int> shown;
  runner.Then([&](gui::TForm& form) {
    auto& table = dynamic_cast<TfrmAdjust&>(form);
    shown = table.Values();
    table.Bar(10).SetValue(4020);  // snaps to 4000
    table.btnOk->Click();
  });
  const std::optional<std::string> edited = Edit(3, Words(words), 1000, 9000);
  ASSERT_EQ(shown.size(), 64u);
  EXPECT_EQ(shown[0], 1000);
  EXPECT_EQ(shown[1], 2500);
  EXPECT_EQ(shown[2], 2500);  // raised to its predecessor
  std::vector<int> expected(64, 4000);
  expected[0] = 1000;
  for (int i = 1; i < 10; ++i) expected[static_cast<std::size_t>(i)] = 2500;
  EXPECT_EQ(edited, Words(expected));

  runner.Then([](gui::TForm& form) {
    auto& table = dynamic_cast<TfrmAdjust&>(form);
    table.Bar(255).SetValue(77);
    table.btnOk->Click();
  });
  std::vector<std::uint8_t> bytes(256, 3);
  const std::optional<std::string> bytesEdited = Edit(4, Hex(bytes));
  bytes[255] = 77;
  EXPECT_EQ(bytesEdited, Hex(bytes));
}

TEST_F(EditorLaunch, ForTheReportTheCurveEditorStaysOpenUntilFreed) {
  if (!gui::InitGui()) GTEST_SKIP() << "no display";
  form->State().ReportCapture = true;
  EXPECT_EQ(form->Params().Edit({.item = 0, .mode = 12, .table = Hex(std::vector<std::uint8_t>(64, 9)), .low = 2, .high = 64},
                                true),
            std::nullopt);
  ASSERT_NE(form->Params().ReportEditor(), nullptr);
  EXPECT_FALSE(HelpShown());
  form->Params().FreeReportEditor();
  EXPECT_EQ(form->Params().ReportEditor(), nullptr);
  EXPECT_TRUE(HelpShown());
}

}  // namespace
}  // namespace app
