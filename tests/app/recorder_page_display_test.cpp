// The data recorder page on screen under Xvfb: what its two tables' cell
// controls show after records are loaded one after the other, with
// screenshots for a person to look at.
#include <chrono>
#include <string>
#include <vector>

#include "platform/rtl/TextConvert.h"
#include "tests/app/main_form_fixture.h"
#include "tests/support/gui_fakes.h"
#include "tests/support/gui_pump.h"
#include "tests/support/text_extent.h"
#include "tests/support/window_shot.h"
#include "ui/controls/vg_grid.h"
#include "ui/controls/vg_tabcontrol.h"
#include "ui/controls/vg_textbox.h"
#include "ui/controls/vg_textcontrol.h"
#include "ui/core/vg_textforms.h"

namespace app {
namespace {

using namespace std::chrono_literals;
using testing::MainFormTest;

// A record of 30 samples whose numbers start at `first`, with statistics.
std::string RecordText(int first) {
  std::string text = "[setup]\ncount=31\n";
  for (int i = 1; i <= 30; ++i) {
    const std::string n = std::to_string(i);
    text += "rpm" + n + "=" + std::to_string(first + i) + "\nvoltage" + n + "=" + std::to_string(first % 20) +
            ".5\ncurrent" + n + "=" + std::to_string(i) + ".25\n";
  }
  for (const char* quantity : {"rpm", "voltage", "current"})
    for (const char* statistic : {"avg", "max", "min"})
      text += std::string(quantity) + statistic + "=" + std::to_string(first) + statistic + "\n";
  return text;
}

class RecorderPageOnScreen : public MainFormTest {
 protected:
  void SetUp() override {
    MainFormTest::SetUp();
    CreateOnScreen();
    form->ShowPageItem(9);
    form->Node<vg::TvgTabControl>("TabControl1")->SetItemIndex(0);
    test_support::PumpFor(50ms);
  }

  void Load(const std::string& name, const std::string& content) {
    const std::string path = (folder / name).string();
    rtl::WriteFileBytes(path, content);
    dialogs.ChooseFile(path);
    form->btnLoadClick(nullptr);
  }

  // For every cell control the grid shows: (column, row) and its text
  // against the text the grid stores there.
  static std::vector<std::string> ShownMismatches(vg::TvgStringGrid& grid) {
    std::vector<std::string> mismatches;
    for (int column = 0; vg::TvgColumn* gridColumn = grid.GetColumn(column); ++column)
      for (vg::TvgControl* cell : gridColumn->CellControls()) {
        auto* text = dynamic_cast<vg::TvgCustomTextBox*>(cell);
        if (!cell->Visible() || !text) continue;
        const vg::TvgPoint at = vg::vgStringToPoint(cell->TagString);
        const rtl::WideString stored = grid.GetCells(column, static_cast<int>(at.Y));
        if (text->Text() != stored)
          mismatches.push_back(cell->TagString + " shows \"" + rtl::Utf16ToUtf8(text->Text()) + "\", not \"" +
                               rtl::Utf16ToUtf8(stored) + "\"");
      }
    return mismatches;
  }
  static int ShownCells(vg::TvgStringGrid& grid) {
    int shown = 0;
    for (int column = 0; vg::TvgColumn* gridColumn = grid.GetColumn(column); ++column)
      for (vg::TvgControl* cell : gridColumn->CellControls()) shown += cell->Visible() ? 1 : 0;
    return shown;
  }
  bool Shot(const std::string& name) {
    const int draws = form->ControlsScene->DrawCount();
    test_support::PumpUntil([&] { return form->ControlsScene->DrawCount() > draws; }, 1000ms);
    test_support::PumpFor(100ms);
    return test_support::SaveWindowShot(form->Handle(), name).has_value();
  }

  test_support::TScriptedDialogs dialogs;
};

TEST_F(RecorderPageOnScreen, BothTablesShowTheRecordJustLoaded) {
  auto* samples = form->Node<vg::TvgStringGrid>("StringGrid1");
  auto* statistics = form->Node<vg::TvgStringGrid>("StringGrid2");
  for (const auto& [name, first] : {std::pair{"first.txt", 1000}, std::pair{"second.txt", 7000}}) {
    SCOPED_TRACE(name);
    Load(name, RecordText(first));
    test_support::PumpFor(20ms);
    ASSERT_EQ(samples->RowCount(), 31);
    EXPECT_EQ(samples->GetCells(1, 3), rtl::W(std::to_string(first + 3)));
    EXPECT_GT(ShownCells(*samples), 40);
    EXPECT_EQ(statistics->GetCells(2, 1), rtl::W(std::to_string(first) + "max"));
    EXPECT_GE(ShownCells(*statistics), 9);
    EXPECT_EQ(ShownMismatches(*samples), std::vector<std::string>{});
    EXPECT_EQ(ShownMismatches(*statistics), std::vector<std::string>{});
  }
  EXPECT_TRUE(Shot("recorder_page_second_record"));
}

TEST_F(RecorderPageOnScreen, TheEnglishWindowShowsTheWholeRecorderPageInEnglish) {
  form->English1->Click();
  form->ShowPageItem(9);
  form->Node<vg::TvgTabControl>("TabControl1")->SetItemIndex(0);
  test_support::PumpFor(50ms);
  auto* page = form->Node<vg::TvgVisualObject>("tabLayout9");
  ASSERT_TRUE(page->Visible());
  EXPECT_EQ(test_support::ChineseTexts(*page), std::vector<std::string>{});
  EXPECT_EQ(form->Node<vg::TvgColumn>("StringColumn2")->Header(), u"RPM");
  EXPECT_EQ(form->Node<vg::TvgTextControl>("btnLoad")->Text(), u"Load");
  EXPECT_TRUE(Shot("recorder_page_english"));
}

}  // namespace
}  // namespace app
