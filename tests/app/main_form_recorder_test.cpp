// The main window's data recorder page: records loaded into its tables,
// written back by its save handler, and its start button's toggle.
#include "app/InfoForm.h"
#include "tests/app/main_form_fixture.h"
#include "tests/support/gui_fakes.h"
#include "ui/controls/vg_buttons.h"
#include "ui/controls/vg_grid.h"

namespace app::testing {
namespace {

class RecorderPageTest : public MainFormTest {
 protected:
  void SetUp() override {
    MainFormTest::SetUp();
    Create();
    samples = form->Node<vg::TvgStringGrid>("StringGrid1");
    statistics = form->Node<vg::TvgStringGrid>("StringGrid2");
  }
  std::string File(const std::string& name, const std::string& content) {
    const std::string path = (folder / name).string();
    rtl::WriteFileBytes(path, content);
    return path;
  }
  void Load(const std::string& path) {
    dialogs.ChooseFile(path);
    form->btnLoadClick(nullptr);
  }
  std::string Sample(int column, int row) { return rtl::Utf16ToUtf8(samples->GetCells(column, row)); }

  test_support::TScriptedDialogs dialogs;
  vg::TvgStringGrid* samples = nullptr;
  vg::TvgStringGrid* statistics = nullptr;
};

TEST_F(RecorderPageTest, AShorterRecordReplacesALongerOneAndACancelKeepsIt) {
  Load(File("long.txt", "[setup]\ncount=6\nrpm5=900\n"));
  ASSERT_EQ(samples->RowCount(), 6);
  EXPECT_EQ(Sample(1, 5), "900");
  Load(File("short.txt", "[setup]\ncount=3\nrpm1=100\nrpm2=200\nvoltageavg=11.20\n"));
  EXPECT_EQ(samples->RowCount(), 3);
  EXPECT_EQ(Sample(1, 2), "200");
  EXPECT_EQ(Sample(2, 2), "0.00");
  EXPECT_EQ(rtl::Utf16ToUtf8(statistics->GetCells(1, 1)), "11.20");
  dialogs.ChooseFile(std::nullopt);
  form->btnLoadClick(nullptr);
  EXPECT_EQ(samples->RowCount(), 3);
}

TEST_F(RecorderPageTest, ARecordTooLongIsRefusedWithAMessageNamingItsSamples) {
  test_support::TScriptedModalRunner runner;
  runner.ThenAnswer(gui::mrOk);
  Load(File("short.txt", "[setup]\ncount=3\nrpm2=200\n"));
  Load(File("long.txt", "[setup]\ncount=5000001\n"));
  EXPECT_EQ(samples->RowCount(), 3);
  EXPECT_EQ(Sample(1, 2), "200");
  EXPECT_EQ(runner.Shown, std::vector<std::string>{"frmInfo"});
  ASSERT_NE(form->Info().Form(), nullptr);
  EXPECT_EQ(form->Info().Form()->Label1->Text(), u"此记录有 5000000 个数据，超过可显示的 1000000 个，未载入。");
}

TEST_F(RecorderPageTest, ASavedRecordLoadsBackIntoTheSameCells) {
  Load(File("record.txt",
            "[setup]\ncount=3\nrpm1=1500\nvoltage1=12.345\ncurrent1=7\nrpm2=1700\nvoltage2=11.5\ncurrent2=6.25\n"
            "rpmavg=1600\nrpmmax=1700\nrpmmin=1500\ncurrentmin=6.25\n"));
  std::vector<std::string> before;
  for (int row = 0; row < 3; ++row)
    for (int column = 0; column < 4; ++column) before.push_back(Sample(column, row));
  dialogs.ChooseFile((folder / "saved.txt").string());
  form->btnSaveClick(nullptr);
  samples->SetRowCount(1);
  statistics->SetCells(1, 0, u"");
  Load((folder / "saved.txt").string());
  std::vector<std::string> after;
  for (int row = 0; row < 3; ++row)
    for (int column = 0; column < 4; ++column) after.push_back(Sample(column, row));
  EXPECT_EQ(after, before);
  EXPECT_EQ(rtl::Utf16ToUtf8(statistics->GetCells(1, 0)), "1600");
  EXPECT_EQ(rtl::Utf16ToUtf8(statistics->GetCells(3, 2)), "6.25");
  const rtl::TBytes saved = rtl::ReadFileBytes((folder / "saved.txt").string());
  ASSERT_GE(saved.size(), 3u);
  EXPECT_NE(saved[0], 0xEF) << "the record starts with a byte-order mark";
}

TEST_F(RecorderPageTest, StartTogglesToItsStartTextAndAStartWithoutAJobResetsTheTable) {
  form->Free();  // writes lang.ini back
  rtl::WriteFileBytes((folder / "lang.ini").string(), "[common]\nlang=0\neStart1=Record\neStart2=Stop\n");
  Create();
  samples = form->Node<vg::TvgStringGrid>("StringGrid1");
  auto* start = form->Node<vg::TvgButton>("btnStart");
  form->btnStartClick(start);  // the form's own text is not the start text
  EXPECT_EQ(start->Text(), u"Record");
  samples->SetCells(0, 1, u"7");
  form->Device().State().Recorder.speedMax = 99;
  form->btnStartClick(start);  // no device job holds the link: nothing is read
  EXPECT_EQ(start->Text(), u"Record");
  EXPECT_EQ(samples->RowCount(), 2);
  EXPECT_EQ(Sample(0, 1), "");
  EXPECT_EQ(form->Device().State().Recorder.speedMax, 0);
  EXPECT_EQ(form->Device().State().Recorder.speedMin, 200000);
}

}  // namespace
}  // namespace app::testing
