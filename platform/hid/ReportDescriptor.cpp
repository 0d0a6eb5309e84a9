#include "platform/hid/ReportDescriptor.h"

#include <algorithm>
#include <vector>

namespace hid {
namespace {

struct GlobalState {
  std::uint32_t reportSize = 0;
  std::uint32_t reportCount = 0;
  std::uint8_t reportId = 0;
};

enum : std::uint8_t {
  kTypeMain = 0,
  kTypeGlobal = 1,
  kTagInput = 0x8,
  kTagOutput = 0x9,
  kTagReportSize = 0x7,
  kTagReportId = 0x8,
  kTagReportCount = 0x9,
  kTagPush = 0xA,
  kTagPop = 0xB,
  kLongItemPrefix = 0xFE,
};

int LargestLength(const std::map<std::uint8_t, int>& bytes) {
  int largest = -1;
  for (const auto& [id, size] : bytes) largest = std::max(largest, size);
  return largest < 0 ? 0 : largest + 1;
}

}  // namespace

int ReportLengths::InputReportLength() const { return LargestLength(inputBytes); }
int ReportLengths::OutputReportLength() const { return LargestLength(outputBytes); }

int ReportLengths::OutputLengthOf(std::uint8_t reportId) const {
  auto found = outputBytes.find(reportId);
  return found == outputBytes.end() ? 0 : found->second + 1;
}

ReportLengths ParseReportDescriptor(const std::uint8_t* data, std::size_t length) {
  std::map<std::uint8_t, std::uint64_t> inputBits, outputBits;
  GlobalState state;
  std::vector<GlobalState> stack;
  bool usesIds = false;
  std::size_t pos = 0;
  while (pos < length) {
    std::uint8_t prefix = data[pos];
    if (prefix == kLongItemPrefix) {
      if (pos + 1 >= length) break;
      pos += 3 + data[pos + 1];
      continue;
    }
    std::size_t size = (prefix & 3) == 3 ? 4 : (prefix & 3);
    if (pos + 1 + size > length) break;
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < size; ++i) value |= std::uint32_t(data[pos + 1 + i]) << (8 * i);
    std::uint8_t type = (prefix >> 2) & 3, tag = prefix >> 4;
    if (type == kTypeGlobal) {
      switch (tag) {
        case kTagReportSize: state.reportSize = value; break;
        case kTagReportCount: state.reportCount = value; break;
        case kTagReportId: state.reportId = static_cast<std::uint8_t>(value); usesIds = true; break;
        case kTagPush: stack.push_back(state); break;
        case kTagPop:
          if (!stack.empty()) { state = stack.back(); stack.pop_back(); }
          break;
        default: break;
      }
    } else if (type == kTypeMain && (tag == kTagInput || tag == kTagOutput)) {
      auto& bits = tag == kTagInput ? inputBits : outputBits;
      bits[state.reportId] += std::uint64_t(state.reportSize) * state.reportCount;
    }
    pos += 1 + size;
  }
  ReportLengths lengths;
  lengths.usesReportIds = usesIds;
  auto toBytes = [](const std::map<std::uint8_t, std::uint64_t>& bits, std::map<std::uint8_t, int>& out) {
    for (const auto& [id, count] : bits)
      out[id] = static_cast<int>(std::min<std::uint64_t>((count + 7) / 8, 1 << 20));
  };
  toBytes(inputBits, lengths.inputBytes);
  toBytes(outputBits, lengths.outputBytes);
  return lengths;
}

}  // namespace hid
