#include "app/DataRecorder.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <filesystem>
#include <system_error>

#include "app/TextFiles.h"
#include "platform/rtl/AtomicFile.h"
#include "platform/rtl/DebugOutput.h"

#include "platform/rtl/MemIniFile.h"
#include "platform/rtl/NumberText.h"
#include "platform/rtl/Streams.h"
#include "platform/rtl/TextConvert.h"

namespace app {
namespace {

constexpr const char* kSection = "setup";
constexpr std::array<const char*, 3> kQuantities = {"rpm", "voltage", "current"};
constexpr std::array<const char*, 3> kStatistics = {"avg", "max", "min"};

// A stored decimal narrowed to single precision and shown with two
// decimals, rounded from the shortest decimal that reads back as that
// single ("12.345" shows as "12.35", not as the single's 12.3449993...).
// A value beyond single range shows as one that does not read: "0.00".
std::string TwoDecimals(const rtl::TMemIniFile& ini, const std::string& key) {
  double stored = 0;
  if (!rtl::TryStrToFloat(ini.ReadString(kSection, key, ""), stored)) stored = 0;
  float single = static_cast<float>(stored);
  if (!std::isfinite(single)) single = 0;
  char shortest[32];
  const auto end = std::to_chars(shortest, shortest + sizeof shortest, single).ptr;
  return rtl::FormatFloat("0.00", rtl::StrToFloat(std::string_view(shortest, end - shortest)));
}

}  // namespace

ERecordTooLong::ERecordTooLong(long long samples)
    : std::runtime_error("a record of " + std::to_string(samples) + " samples"), samples_(samples) {}

RecorderRecord ReadRecorderFile(const std::string& fileName) {
  const rtl::TMemIniFile ini(fileName);
  RecorderRecord record;
  record.RowCount = std::max(ini.ReadInteger(kSection, "count", 1), 0);
  if (record.RowCount - 1 > kMaxRecorderSamples) throw ERecordTooLong(record.RowCount - 1LL);
  record.Samples.reserve(static_cast<std::size_t>(std::max(record.RowCount - 1, 0)));
  for (int i = 1; i < record.RowCount; ++i) {
    const std::string index = std::to_string(i);
    record.Samples.push_back({index, std::to_string(ini.ReadInteger(kSection, "rpm" + index, 0)),
                              TwoDecimals(ini, "voltage" + index), TwoDecimals(ini, "current" + index)});
  }
  for (std::size_t q = 0; q < kQuantities.size(); ++q)
    for (std::size_t s = 0; s < kStatistics.size(); ++s)
      record.Statistics[q][s] = ini.ReadString(kSection, std::string(kQuantities[q]) + kStatistics[s], "");
  return record;
}

void WriteRecorderFile(const std::string& fileName, const RecorderRecord& record) {
  rtl::TMemIniFile ini(fileName, "");
  ini.WriteInteger(kSection, "count", record.RowCount);
  for (std::size_t row = 0; row < record.Samples.size(); ++row) {
    const std::string index = std::to_string(row + 1);
    for (std::size_t q = 0; q < kQuantities.size(); ++q)
      ini.WriteString(kSection, kQuantities[q] + index, record.Samples[row][q + 1]);
  }
  for (std::size_t q = 0; q < kQuantities.size(); ++q)
    for (std::size_t s = 0; s < kStatistics.size(); ++s)
      ini.WriteString(kSection, std::string(kQuantities[q]) + kStatistics[s], record.Statistics[q][s]);
  WriteTextFile(fileName, ini.Text());
}

std::string GetTimeString(rtl::TDateTime time) {
  int year, month, day, hour, minute, second, millisecond;
  rtl::DecodeDate(time, year, month, day);
  rtl::DecodeTime(time, hour, minute, second, millisecond);
  return std::to_string(year) + "-" + std::to_string(month) + "-" + std::to_string(day) + " " +
         std::to_string(hour) + ":" + std::to_string(minute) + ":" + std::to_string(second) + ":" +
         std::to_string(millisecond);
}

void WriteLog(const std::string& logFile, std::string_view text, rtl::TDateTime time) {
  if (logFile.empty()) return;
  try {
    std::string content;
    std::error_code error;
    if (std::filesystem::exists(logFile, error)) {
      const rtl::TBytes old = rtl::ReadFileBytes(logFile);
      content.assign(old.begin(), old.end());
    }
    content.append(text).append("---->").append(rtl::DateTimeToStr(time)).append("\r\n");
    rtl::WriteFileBytes(logFile, content);
  } catch (const std::exception& e) {
    rtl::OutputDebugString(std::string("recorder: log not written: ") + e.what());
  }
}

void ShowRecord(const RecorderRecord& record, IRecorderTable& samples, IRecorderTable& statistics) {
  samples.SetRowCount(record.RowCount);
  for (std::size_t row = 0; row < record.Samples.size(); ++row)
    for (std::size_t column = 0; column < 4; ++column)
      samples.SetCell(static_cast<int>(column), static_cast<int>(row) + 1, rtl::W(record.Samples[row][column]));
  for (std::size_t row = 0; row < 3; ++row)
    for (std::size_t column = 0; column < 3; ++column)
      statistics.SetCell(static_cast<int>(column) + 1, static_cast<int>(row), rtl::W(record.Statistics[row][column]));
}

}  // namespace app
