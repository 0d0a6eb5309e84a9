#include "app/TextFiles.h"

#include <string_view>

#include "platform/rtl/Streams.h"
#include "platform/rtl/TextFileEncoding.h"

namespace app {

void StripUtf8Bom(const std::string& fileName) {
  const rtl::TBytes bytes = rtl::ReadFileBytes(fileName);
  const std::string_view text(reinterpret_cast<const char*>(bytes.data()), bytes.size());
  if (text.starts_with(rtl::kUtf8Bom))
    rtl::WriteFileBytes(fileName, bytes.data() + rtl::kUtf8Bom.size(), bytes.size() - rtl::kUtf8Bom.size());
}

}  // namespace app
