#pragma once
// Report lengths from a HID report descriptor, as the adapter records need
// them: per report ID and direction, and the overall lengths (report ID byte
// included) that every read and write passes.
#include <cstddef>
#include <cstdint>
#include <map>

namespace hid {

struct ReportLengths {
  bool usesReportIds = false;
  /// Payload bytes (report ID byte excluded) per report ID; ID 0 when the
  /// descriptor declares no report IDs.
  std::map<std::uint8_t, int> inputBytes;
  std::map<std::uint8_t, int> outputBytes;

  /// 1 + the longest input report (0 when there is none).
  int InputReportLength() const;
  /// 1 + the longest output report (0 when there is none).
  int OutputReportLength() const;
  /// 1 + the output payload of this report ID, or 0 when it is not declared.
  int OutputLengthOf(std::uint8_t reportId) const;
};

/// Walks the descriptor's items (Report Size, Report Count, Report ID, Push,
/// Pop; Input and Output main items). Malformed or truncated input yields what
/// was read up to the fault; it never reads past `length`.
ReportLengths ParseReportDescriptor(const std::uint8_t* data, std::size_t length);

}  // namespace hid
