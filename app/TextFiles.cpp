#include "app/TextFiles.h"

#include "platform/rtl/AtomicFile.h"
#include "platform/rtl/TextFileEncoding.h"

namespace app {

void WriteTextFile(const std::string& fileName, std::string_view text) {
  if (text.starts_with(rtl::kUtf8Bom)) text.remove_prefix(rtl::kUtf8Bom.size());
  rtl::WriteFileBytes(fileName, text);
}

}  // namespace app
