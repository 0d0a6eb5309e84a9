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
// behind: EFCreateError "Cannot create file "%s". %s" when the target
// exists and is no regular file (a folder, a device, a FIFO: "Not a
// regular file") or no temporary file can be made beside it (a missing or
// read-only folder), EWriteError "Cannot write file "%s". %s" when a
// write, the flush, the close or the rename fails (a full disk, a size
// limit). The reason is the system's error text. A size limit is an error
// only where SIGXFSZ is ignored; otherwise the signal ends the process.
#include <cstddef>
#include <memory>
#include <string>
#include <string_view>

namespace rtl {

// The same writer for content that arrives in pieces (a download, an entry
// of an archive). Construction makes the temporary file (EFCreateError);
// Write appends; Close flushes the data to disk and closes it, so many
// files can be made ready before any of them replaces its target; Commit
// closes if still open and renames over the target. Write, Close and
// Commit raise EWriteError. A writer destroyed before Commit removes its
// temporary file and leaves the target as it was.
class TAtomicFileWriter {
 public:
  explicit TAtomicFileWriter(const std::string& fileName);
  ~TAtomicFileWriter();
  TAtomicFileWriter(const TAtomicFileWriter&) = delete;
  TAtomicFileWriter& operator=(const TAtomicFileWriter&) = delete;

  void Write(const void* data, std::size_t size);
  void Close();
  void Commit();

 private:
  class TemporaryFile;
  std::unique_ptr<TemporaryFile> file_;
};

void WriteFileBytes(const std::string& fileName, const void* data, std::size_t size);

// Removes the temporary files of `folder` that writers of processes no
// longer running left behind (a crash or power loss in the middle of a
// write); those of running processes stay. Errors are ignored.
void RemoveStaleTemporaryFiles(const std::string& folder);
inline void WriteFileBytes(const std::string& fileName, std::string_view bytes) {
  WriteFileBytes(fileName, bytes.data(), bytes.size());
}

}  // namespace rtl
