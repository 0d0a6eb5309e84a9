#include "platform/rtl/AtomicFile.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <optional>
#include <regex>
#include <system_error>

#include "platform/rtl/Exceptions.h"

namespace rtl {
namespace {

namespace fs = std::filesystem;

[[noreturn]] void RaiseWriteError(const std::string& fileName, int error) {
  throw EWriteError(Format("Cannot write file \"%s\". %s", fileName.c_str(), std::strerror(error)));
}

// The file a write to `fileName` must replace: the end of a chain of links.
fs::path ResolveTarget(const std::string& fileName) {
  std::error_code error;
  const fs::path target = fs::canonical(fileName, error);
  return error ? fs::path(fileName) : target;
}

// Temporary files for `target` are named ".<name>.<pid>-<n>.tmp" beside it;
// this is the part before the process id.
std::string TemporaryStem(const fs::path& target) {
  return (target.has_parent_path() ? target.parent_path() / "." : fs::path(".")).string() +
         target.filename().string() + ".";
}

// The process that made a temporary file of that name; none for other names.
std::optional<pid_t> TemporaryFileOwner(const std::string& name) {
  static const std::regex kTemporaryName(R"(\..+\.([0-9]{1,9})-[0-9]+\.tmp)");
  std::smatch match;
  if (!std::regex_match(name, match, kTemporaryName)) return std::nullopt;
  return static_cast<pid_t>(std::stol(match[1].str()));
}

// A device, a FIFO or a folder in the target's place would be replaced by a
// regular file: the write is refused instead.
void RefuseSpecialFile(const fs::path& target) {
  struct stat status {};
  if (stat(target.c_str(), &status) == 0 && !S_ISREG(status.st_mode))
    throw EFCreateError(Format("Cannot create file \"%s\". Not a regular file", target.c_str()));
}

}  // namespace

// An open, exclusively created file with a name of its own beside the
// target. The name is unlinked unless Commit renames it over the target.
class TAtomicFileWriter::TemporaryFile {
 public:
  explicit TemporaryFile(const fs::path& target) : target_(target) {
    static std::atomic<unsigned> counter{0};
    const std::string stem = TemporaryStem(target);
    for (int attempt = 0; attempt < 100 && fd_ < 0; ++attempt) {
      path_ = stem + std::to_string(getpid()) + "-" + std::to_string(counter++) + ".tmp";
      fd_ = open(path_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
      if (fd_ < 0 && errno != EEXIST) break;
    }
    if (fd_ < 0)
      throw EFCreateError(Format("Cannot create file \"%s\". %s", target.c_str(), std::strerror(errno)));
  }
  ~TemporaryFile() {
    if (fd_ >= 0) close(fd_);
    if (!committed_) unlink(path_.c_str());
  }
  TemporaryFile(const TemporaryFile&) = delete;
  TemporaryFile& operator=(const TemporaryFile&) = delete;

  void Write(const void* data, std::size_t size) {
    const auto* bytes = static_cast<const char*>(data);
    while (size > 0) {
      const ssize_t written = write(fd_, bytes, size);
      if (written < 0 && errno == EINTR) continue;
      if (written < 0) Fail(errno);
      bytes += written;
      size -= static_cast<std::size_t>(written);
    }
  }

  void KeepModeOf(const fs::path& original) {
    struct stat status {};
    if (stat(original.c_str(), &status) == 0 && fchmod(fd_, status.st_mode & 07777) != 0) Fail(errno);
  }

  void Close() {
    if (fd_ < 0) return;
    if (fsync(fd_) != 0) Fail(errno);
    const int fd = fd_;
    fd_ = -1;
    if (close(fd) != 0) Fail(errno);
  }

  void Commit() {
    Close();
    if (rename(path_.c_str(), target_.c_str()) != 0) Fail(errno);
    committed_ = true;
    SyncFolder();
  }

 private:
  [[noreturn]] void Fail(int error) { RaiseWriteError(target_.string(), error); }

  // Makes the rename itself durable. File systems that cannot flush a
  // folder say so with EINVAL; the file is in place either way.
  void SyncFolder() {
    const fs::path folder = target_.has_parent_path() ? target_.parent_path() : fs::path(".");
    const int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    const bool synced = fsync(fd) == 0 || errno == EINVAL;
    const int error = errno;
    close(fd);
    if (!synced) Fail(error);
  }

  fs::path target_;
  std::string path_;
  int fd_ = -1;
  bool committed_ = false;
};

TAtomicFileWriter::TAtomicFileWriter(const std::string& fileName) {
  const fs::path target = ResolveTarget(fileName);
  RefuseSpecialFile(target);
  file_ = std::make_unique<TemporaryFile>(target);
  file_->KeepModeOf(target);
}

TAtomicFileWriter::~TAtomicFileWriter() = default;

void TAtomicFileWriter::Write(const void* data, std::size_t size) { file_->Write(data, size); }
void TAtomicFileWriter::Close() { file_->Close(); }
void TAtomicFileWriter::Commit() { file_->Commit(); }

void WriteFileBytes(const std::string& fileName, const void* data, std::size_t size) {
  TAtomicFileWriter writer(fileName);
  writer.Write(data, size);
  writer.Commit();
}

void RemoveStaleTemporaryFiles(const std::string& folder) {
  std::error_code error;
  for (fs::directory_iterator entry(folder, error), end; !error && entry != end; entry.increment(error)) {
    const std::optional<pid_t> owner = TemporaryFileOwner(entry->path().filename().string());
    if (!owner || kill(*owner, 0) == 0 || errno == EPERM) continue;  // not one, or its writer still runs
    std::error_code ignored;
    if (entry->is_regular_file(ignored)) fs::remove(entry->path(), ignored);
  }
}

}  // namespace rtl
