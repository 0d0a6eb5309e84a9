#pragma once
// The one way the program writes a whole file: into a temporary file beside
// the target, every write, the flush to disk and the close checked, then
// renamed over the target. A failure raises EFCreateError and leaves the old
// file as it was.
#include <cstddef>
#include <string>

namespace rtl {

void WriteFileAtomic(const std::string& fileName, const void* data, std::size_t size);

}  // namespace rtl
