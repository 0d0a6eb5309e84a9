#pragma once
// Unpacking a zip archive, over libzip.
#include <string>

#include "platform/rtl/Exceptions.h"

namespace net {

class EZipError : public rtl::Exception {
 public:
  using rtl::Exception::Exception;
};

// Unpacks every entry of `zipFileName` into `folder`, with the folders the
// entry names hold, all or nothing:
// - An entry whose name is absolute (a leading "/" or a drive letter),
//   climbs out with a ".." part ("\" counts as a separator too) or is a
//   symbolic link refuses the whole archive before anything is written.
// - Every file is first written beside its target under a temporary name;
//   only when all entries have been read and checked are they renamed over
//   their targets, so a damaged archive leaves the old files as they were.
// Raises EZipError naming the archive for an archive that cannot be opened
// or read and for a refused entry, and the atomic writer's errors for a
// target that cannot be written. Folders made for the entries stay.
void ExtractZipFile(const std::string& zipFileName, const std::string& folder);

}  // namespace net
