#include "app/TextFiles.h"

#include "platform/rtl/Streams.h"

namespace app {

void StripUtf8Bom(const std::string& fileName) {
  const rtl::TBytes bytes = rtl::ReadFileBytes(fileName);
  const bool hasBom = bytes.size() >= 3 && bytes[0] == 0xEF && bytes[1] == 0xBB && bytes[2] == 0xBF;
  if (hasBom) rtl::WriteFileBytes(fileName, bytes.data() + 3, bytes.size() - 3);
}

}  // namespace app
