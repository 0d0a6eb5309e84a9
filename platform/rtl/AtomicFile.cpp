#include "platform/rtl/AtomicFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <vector>

#include "platform/rtl/Exceptions.h"

namespace rtl {

namespace {

[[noreturn]] void Fail(const std::string& fileName, int error) {
  throw EFCreateError(
      Format("Cannot create file \"%s\". %s", fileName.c_str(), std::strerror(error)));
}

bool WriteAll(int fd, const char* data, std::size_t size) {
  while (size > 0) {
    const ssize_t written = ::write(fd, data, size);
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) return false;
    data += written;
    size -= std::size_t(written);
  }
  return true;
}

}  // namespace

void WriteFileAtomic(const std::string& fileName, const void* data, std::size_t size) {
  std::string pattern = fileName + ".XXXXXX";
  std::vector<char> name(pattern.begin(), pattern.end());
  name.push_back('\0');
  const int fd = ::mkstemp(name.data());
  if (fd < 0) Fail(fileName, errno);
  const bool written = WriteAll(fd, static_cast<const char*>(data), size) && ::fsync(fd) == 0;
  int error = errno;
  const bool closed = ::close(fd) == 0;
  if (written && !closed) error = errno;
  if (written && closed && ::fchmodat(AT_FDCWD, name.data(), 0644, 0) == 0 &&
      std::rename(name.data(), fileName.c_str()) == 0)
    return;
  if (written && closed) error = errno;
  ::unlink(name.data());
  Fail(fileName, error);
}

}  // namespace rtl
