#include "platform/rtl/AtomicFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstring>
#include <filesystem>
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

// An open, exclusively created file with a name of its own beside the
// target. The name is unlinked unless Commit renames it over the target.
class TemporaryFile {
 public:
  explicit TemporaryFile(const fs::path& target) : target_(target) {
    static std::atomic<unsigned> counter{0};
    const std::string stem = (target.has_parent_path() ? target.parent_path() / "." : fs::path(".")).string() +
                             target.filename().string() + ".";
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

  void Commit() {
    if (fsync(fd_) != 0) Fail(errno);
    const int fd = fd_;
    fd_ = -1;
    if (close(fd) != 0) Fail(errno);
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

}  // namespace

void WriteFileBytes(const std::string& fileName, const void* data, std::size_t size) {
  const fs::path target = ResolveTarget(fileName);
  TemporaryFile file(target);
  file.KeepModeOf(target);
  file.Write(data, size);
  file.Commit();
}

}  // namespace rtl
