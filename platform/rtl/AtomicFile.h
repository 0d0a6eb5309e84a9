#pragma once
// The one way the program writes a whole file: readers and a later start see
// either the old content or the new, never a part of it.
//
// The bytes go to a temporary file beside the target; every write, the
// flush to disk and the close are checked; then the temporary file is
// renamed over the target and the folder is flushed so the rename lasts.
// A target that exists keeps its permission bits, and a symbolic link is
// followed, so the file it points to is replaced and the link stays.
//
// Errors raise and leave the old file untouched, with no temporary file
// behind: EFCreateError "Cannot create file "%s". %s" when no temporary
// file can be made beside the target (a missing or read-only folder),
// EWriteError "Cannot write file "%s". %s" when a write, the flush, the
// close or the rename fails (a full disk, a size limit, a target that is a
// folder). The reason is the system's error text.
#include <cstddef>
#include <string>
#include <string_view>

namespace rtl {

void WriteFileBytes(const std::string& fileName, const void* data, std::size_t size);
inline void WriteFileBytes(const std::string& fileName, std::string_view bytes) {
  WriteFileBytes(fileName, bytes.data(), bytes.size());
}

}  // namespace rtl
