#pragma once
// The data recorder page's record: the samples (rpm, voltage, current) and
// their statistics, read from a recorder file, and put into the page's two
// tables.
//
// A recorder file is a UTF-8 ini file with one section "setup": "count"
// (table rows, the empty row 0 included), "rpm"/"voltage"/"current" + i for
// the samples 1 to count - 1, and "rpmavg", "rpmmax", "rpmmin" (and the
// same for voltage and current) as texts shown as they stand.
#include <array>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "platform/rtl/DateTime.h"
#include "platform/rtl/Types.h"

namespace app {

// The most samples a record may hold: far more than a device records, and
// few enough that loading them stays within a few hundred megabytes.
inline constexpr int kMaxRecorderSamples = 1000000;

// A recorder file with more samples than kMaxRecorderSamples.
class ERecordTooLong : public std::runtime_error {
 public:
  explicit ERecordTooLong(long long samples);
  long long Samples() const { return samples_; }

 private:
  long long samples_;
};

struct RecorderRecord {
  // Rows of the sample table, the empty row 0 included.
  int RowCount = 1;
  // Rows 1 to RowCount - 1: sample number, rpm, voltage and current with
  // two decimals.
  std::vector<std::array<std::string, 4>> Samples;
  // Rows rpm, voltage, current; columns average, maximum, minimum.
  std::array<std::array<std::string, 3>, 3> Statistics;
};

// Reads a recorder file. A missing key, or a value that is no number, gives
// 0 ("0.00"); missing statistics are empty; a file that is no ini file or
// has no "setup" section gives one empty row. A negative count gives no
// rows. Raises ERecordTooLong for a count of more than kMaxRecorderSamples
// samples, rtl::EFOpenError for a file that exists but cannot be read.
RecorderRecord ReadRecorderFile(const std::string& fileName);

// Writes `record` as a recorder file (UTF-8 without byte-order mark,
// through the atomic writer); reading it back gives the same record.
void WriteRecorderFile(const std::string& fileName, const RecorderRecord& record);

// "year-month-day hour:minute:second:millisecond", each number in decimal
// without leading zeros ("2026-1-5 9:3:7:45").
std::string GetTimeString(rtl::TDateTime time);
// Appends `text`, "---->", `time` in the default date-time form and CR LF to
// `logFile`, creating it when missing. Nothing happens, and nothing is
// raised, when the name is empty or the file cannot be written.
void WriteLog(const std::string& logFile, std::string_view text, rtl::TDateTime time);

// The cells of one of the page's tables, as the record fills them.
class IRecorderTable {
 public:
  virtual ~IRecorderTable() = default;
  virtual void SetRowCount(int count) = 0;
  virtual void SetCell(int column, int row, const rtl::WideString& text) = 0;
};

// Puts a record into the sample table (row count, then rows from 1; row 0
// is left alone) and the statistics table (columns 1 to 3 of its three
// rows; column 0 stays empty).
void ShowRecord(const RecorderRecord& record, IRecorderTable& samples, IRecorderTable& statistics);

}  // namespace app
