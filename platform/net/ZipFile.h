#pragma once
// Unpacking a zip archive, over libzip.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>

#include "platform/rtl/Exceptions.h"

namespace net {

class EZipError : public rtl::Exception {
 public:
  using rtl::Exception::Exception;
};

// What an archive may hold. `accept` is asked for every entry with its path
// below the target folder ("/" between the parts, no "." parts, a folder
// without its trailing "/"); empty, it takes every entry.
struct TZipLimits {
  std::function<bool(const std::string& path, bool folder)> accept;
  std::size_t maxEntries = 10000;
  std::int64_t maxUnpackedBytes = std::int64_t{512} << 20;
};

// Unpacks every entry of `zipFileName` into `folder`, with the folders the
// entry names hold, all or nothing:
// - An entry whose name is absolute (a leading "/" or a drive letter),
//   climbs out with a ".." part ("\" counts as a separator too), is a
//   symbolic link or is not accepted, more entries than the limit, or
//   entries that would unpack to more bytes than the limit (as the archive
//   states their sizes, or as they turn out while unpacking) refuse the
//   whole archive before anything is replaced.
// - Every file is first written beside its target under a temporary name;
//   only when all entries have been read and checked are they renamed over
//   their targets, so a damaged archive leaves the old files as they were.
// Raises EZipError naming the archive for an archive that cannot be opened
// or read and for a refused entry, and the atomic writer's errors for a
// target that cannot be written. Folders made for the entries stay.
void ExtractZipFile(const std::string& zipFileName, const std::string& folder, const TZipLimits& limits = {});

}  // namespace net
