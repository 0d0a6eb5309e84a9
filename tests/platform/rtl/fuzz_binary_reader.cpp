// Fuzzes the binary component reader (strict and lenient) and the binary to
// text converter: any input must end in a result or an rtl::Exception.
#include <cstddef>
#include <cstdint>

#include "platform/rtl/Exceptions.h"
#include "platform/rtl/ObjectText.h"
#include "tests/platform/rtl/FuzzSeeds.h"
#include "tests/platform/rtl/StreamingFixtures.h"

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
  fixtures::RegisterStreamingFixtures();
  fuzzseeds::WriteSeeds(*argc, *argv, true);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  for (bool lenient : {false, true}) {
    rtl::TBytesViewStream stream(data, static_cast<std::int64_t>(size));
    try {
      rtl::TComponent* root = rtl::ReadComponentFromStream(stream, nullptr, lenient);
      root->Free();
    } catch (const rtl::Exception&) {
    }
  }
  rtl::TBytesViewStream stream(data, static_cast<std::int64_t>(size));
  rtl::TMemoryStream text;
  try {
    rtl::ObjectBinaryToText(stream, text);
  } catch (const rtl::Exception&) {
  }
  return 0;
}
