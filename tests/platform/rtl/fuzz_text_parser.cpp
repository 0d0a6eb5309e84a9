// Fuzzes the text form parser: any input must convert or raise an
// rtl::Exception, and converted text must come back unchanged from a second
// round through the binary form.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "platform/rtl/Exceptions.h"
#include "platform/rtl/ObjectText.h"
#include "tests/platform/rtl/FuzzSeeds.h"

namespace {
std::string TextToBinary(const std::string& text) {
  rtl::TStringStream input(text), output;
  rtl::ObjectTextToBinary(input, output);
  return output.DataString();
}
std::string BinaryToText(const std::string& binary) {
  rtl::TStringStream input(binary), output;
  rtl::ObjectBinaryToText(input, output);
  return output.DataString();
}
}  // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
  fuzzseeds::WriteSeeds(*argc, *argv, false);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string text;
  try {
    text = BinaryToText(TextToBinary(std::string(reinterpret_cast<const char*>(data), size)));
  } catch (const rtl::Exception&) {
    return 0;
  }
  if (BinaryToText(TextToBinary(text)) != text) std::abort();
  return 0;
}
