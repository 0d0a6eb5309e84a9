// Recorder files into the data recorder page's tables, the writer they
// read back from, and the log line writer.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "app/DataRecorder.h"
#include "platform/rtl/AtomicFile.h"
#include "platform/rtl/TextConvert.h"

namespace {

namespace fs = std::filesystem;
using Row = std::array<std::string, 4>;

class DataRecorderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = fs::path(::testing::TempDir()) / ("app-recorder-" + std::to_string(getpid()));
    fs::remove_all(folder_);
    fs::create_directories(folder_);
  }
  void TearDown() override { fs::remove_all(folder_); }
  app::RecorderRecord Read(const std::string& text) {
    const std::string file = (folder_ / "record.txt").string();
    rtl::WriteFileBytes(file, text);
    return app::ReadRecorderFile(file);
  }
  static std::string ReadFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream content;
    content << in.rdbuf();
    return content.str();
  }

  fs::path folder_;
};

TEST_F(DataRecorderTest, ReadsCountsNumbersAndMissingKeysAsTheTableShowsThem) {
  struct Case {
    const char* what;
    std::string file;
    int rows;
    std::vector<Row> samples;
  };
  const Case cases[] = {
      {"rpm only", "[setup]\ncount=3\nrpm1=12000\nrpm2=13000\n", 3,
       {{"1", "12000", "0.00", "0.00"}, {"2", "13000", "0.00", "0.00"}}},
      {"integer and decimal columns", "[setup]\ncount=2\nrpm1=23000.7\nvoltage1=12.345\ncurrent1=3\n", 2,
       {{"1", "0", "12.35", "3.00"}}},
      {"values that are no numbers", "[setup]\ncount=2\nrpm1=fast\nvoltage1=1,5\ncurrent1=\n", 2,
       {{"1", "0", "0.00", "0.00"}}},
      {"values a single cannot hold", "[setup]\ncount=3\nvoltage1=1e40\ncurrent1=nan\nvoltage2=-1e40\ncurrent2=4\n", 3,
       {{"1", "0", "0.00", "0.00"}, {"2", "0", "0.00", "4.00"}}},
      {"other sections and keys", "[other]\ncount=9\n[setup]\ncount=2\nrpm1=7\nnote=x\n", 2, {{"1", "7", "0.00", "0.00"}}},
      {"count 1", "[setup]\ncount=1\nrpm1=5\n", 1, {}},
      {"no count", "[setup]\nrpm1=5\n", 1, {}},
      {"count 0", "[setup]\ncount=0\n", 0, {}},
      {"negative count", "[setup]\ncount=-4\n", 0, {}},
      {"no setup section", "[data]\ncount=3\n", 1, {}},
      {"not an ini file", std::string("\x89PNG\r\n\x1A\n\0\0", 10), 1, {}},
  };
  for (const Case& c : cases) {
    const app::RecorderRecord record = Read(c.file);
    EXPECT_EQ(record.RowCount, c.rows) << c.what;
    EXPECT_EQ(record.Samples, c.samples) << c.what;
  }
}

TEST_F(DataRecorderTest, ALongRecordIsReadWholeAndOneBeyondTheMostIsRefused) {
  const app::RecorderRecord record = Read("[setup]\ncount=70001\nrpm70000=9\n");
  ASSERT_EQ(record.RowCount, 70001);
  ASSERT_EQ(record.Samples.size(), 70000u);
  EXPECT_EQ(record.Samples.back(), (Row{"70000", "9", "0.00", "0.00"}));

  for (long long samples : {app::kMaxRecorderSamples + 1LL, 2147483646LL}) {
    SCOPED_TRACE(samples);
    try {
      Read("[setup]\ncount=" + std::to_string(samples + 1) + "\n");
      ADD_FAILURE() << "read";
    } catch (const app::ERecordTooLong& e) {
      EXPECT_EQ(e.Samples(), samples);
    }
  }
  EXPECT_EQ(Read("[setup]\ncount=" + std::to_string(app::kMaxRecorderSamples + 1) + "\n").RowCount,
            app::kMaxRecorderSamples + 1);
}

// The cells a table was given, and its row count.
struct RecordingTable final : app::IRecorderTable {
  void SetRowCount(int count) override { rows = count; }
  void SetCell(int column, int row, const rtl::WideString& text) override {
    cells[{column, row}] = rtl::Utf16ToUtf8(text);
  }
  int rows = -1;
  std::map<std::pair<int, int>, std::string> cells;
};

TEST_F(DataRecorderTest, StatisticsGoIntoTheirTableAsTheyStandAndRowZeroIsLeftAlone) {
  const app::RecorderRecord record =
      Read("[setup]\ncount=2\nrpm1=100\nvoltage1=7.4\ncurrent1=20\nrpmavg=100 rpm\nrpmmax=100\nrpmmin=100\n"
           "voltageavg=7.40\ncurrentmin=20.0\n");
  RecordingTable samples, statistics;
  app::ShowRecord(record, samples, statistics);
  EXPECT_EQ(samples.rows, 2);
  EXPECT_EQ(samples.cells, (std::map<std::pair<int, int>, std::string>{
                               {{0, 1}, "1"}, {{1, 1}, "100"}, {{2, 1}, "7.40"}, {{3, 1}, "20.00"}}));
  EXPECT_EQ(statistics.rows, -1);  // three rows from the form
  const std::map<std::pair<int, int>, std::string> expected = {
      {{1, 0}, "100 rpm"}, {{2, 0}, "100"}, {{3, 0}, "100"}, {{1, 1}, "7.40"}, {{2, 1}, ""},
      {{3, 1}, ""},        {{1, 2}, ""},    {{2, 2}, ""},    {{3, 2}, "20.0"}};
  EXPECT_EQ(statistics.cells, expected);
}

TEST_F(DataRecorderTest, AWrittenRecordReadsBackTheSame) {
  const app::RecorderRecord record =
      Read("[setup]\ncount=3\nrpm1=100\nvoltage1=7.4\ncurrent1=20\nrpm2=-3\nvoltage2=0.005\nrpmavg=51\n"
           "currentmax=20.00\n");
  const fs::path copy = folder_ / "copy.txt";
  app::WriteRecorderFile(copy.string(), record);
  const app::RecorderRecord back = app::ReadRecorderFile(copy.string());
  EXPECT_EQ(back.RowCount, record.RowCount);
  EXPECT_EQ(back.Samples, record.Samples);
  EXPECT_EQ(back.Statistics, record.Statistics);
  EXPECT_FALSE(ReadFile(copy).starts_with("\xEF\xBB\xBF"));
}

TEST_F(DataRecorderTest, LogLinesAreAppendedAndAFileThatCannotBeWrittenIsSkipped) {
  const rtl::TDateTime time = rtl::EncodeDate(2026, 1, 5) + rtl::EncodeTime(9, 3, 7, 45);
  EXPECT_EQ(app::GetTimeString(time), "2026-1-5 9:3:7:45");
  const fs::path log = folder_ / "recorder.log";
  app::WriteLog(log.string(), "first", time);
  app::WriteLog(log.string(), "second", time);
  const std::string stamp = rtl::DateTimeToStr(time);
  EXPECT_EQ(ReadFile(log), "first---->" + stamp + "\r\nsecond---->" + stamp + "\r\n");
  EXPECT_NO_THROW(app::WriteLog((folder_ / "missing/folder.log").string(), "lost", time));
  EXPECT_NO_THROW(app::WriteLog("", "lost", time));
  EXPECT_FALSE(fs::exists(folder_ / "missing"));
}

}  // namespace
