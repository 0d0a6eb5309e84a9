// libFuzzer target: device-supplied report descriptors. Any input parses
// without reading past its end, and the lengths stay within their bounds:
// each report at most 1 MiB, the overall lengths one above the longest, and
// only report ID 0 when the descriptor declares no IDs.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "platform/hid/ReportDescriptor.h"
#include "tests/support/fuzz_corpus.h"

namespace {

void Check(bool condition) {
  if (!condition) std::abort();
}

void CheckLengths(const std::map<std::uint8_t, int>& bytes, int overall, bool usesIds) {
  int longest = -1;
  for (const auto& [id, size] : bytes) {
    Check(size >= 0 && size <= (1 << 20));
    Check(usesIds || id == 0);
    longest = std::max(longest, size);
  }
  Check(overall == longest + 1 || (bytes.empty() && overall == 0));
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
  // Numbered input and output reports, then Push/Pop around a field.
  const std::string numbered("\x06\x00\xFF\x09\x01\xA1\x01\x75\x08\x85\x01\x95\x03\x81\x02\x91\x02"
                             "\x85\x04\x96\x3F\x00\x81\x02\x91\x02\xC0", 27);
  const std::string pushPop("\x75\x01\x95\x08\x81\x02\xA4\x75\x08\x95\x2F\x81\x02\xB4\x91\x02\xC0", 17);
  test_support::WriteSeedsIfEmpty(*argc, *argv, {numbered, pushPop});
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const hid::ReportLengths lengths = hid::ParseReportDescriptor(data, size);
  CheckLengths(lengths.inputBytes, lengths.InputReportLength(), lengths.usesReportIds);
  CheckLengths(lengths.outputBytes, lengths.OutputReportLength(), lengths.usesReportIds);
  for (const auto& [id, bytes] : lengths.outputBytes) Check(lengths.OutputLengthOf(id) == bytes + 1);
  return 0;
}
