#include "platform/rtl/Streams.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/rtl/Exceptions.h"

namespace rtl {

namespace {

// Resolves a seek against a stream of `size` bytes; a position before the
// start is clamped to 0, one past the end is allowed (writes extend).
std::int64_t SeekTarget(std::int64_t current, std::int64_t size, std::int64_t offset, TSeekOrigin origin) {
  std::int64_t base = 0;
  switch (origin) {
    case TSeekOrigin::soBeginning: base = 0; break;
    case TSeekOrigin::soCurrent: base = current; break;
    case TSeekOrigin::soEnd: base = size; break;
  }
  return std::max<std::int64_t>(0, base + offset);
}

template <typename Container>
std::int64_t ReadFrom(const Container& data, std::int64_t& position, void* buffer, std::int64_t count) {
  const auto size = static_cast<std::int64_t>(data.size());
  if (count <= 0 || position >= size) return 0;
  const std::int64_t n = std::min(count, size - position);
  std::memcpy(buffer, data.data() + position, static_cast<size_t>(n));
  position += n;
  return n;
}

template <typename Container>
std::int64_t WriteTo(Container& data, std::int64_t& position, const void* buffer, std::int64_t count) {
  if (count <= 0) return 0;
  const std::int64_t end = position + count;
  if (end > static_cast<std::int64_t>(data.size())) data.resize(static_cast<size_t>(end));
  std::memcpy(data.data() + position, buffer, static_cast<size_t>(count));
  position = end;
  return count;
}

// Sets the size of `data`; a position beyond the new end moves back to it.
template <typename Container>
void ResizeTo(Container& data, std::int64_t& position, std::int64_t newSize) {
  data.resize(static_cast<size_t>(std::max<std::int64_t>(0, newSize)));
  position = std::min(position, static_cast<std::int64_t>(data.size()));
}

std::string ErrnoText() { return std::strerror(errno); }

}  // namespace

std::int64_t TStream::Size() {
  const std::int64_t position = Position();
  const std::int64_t size = Seek(0, TSeekOrigin::soEnd);
  Seek(position, TSeekOrigin::soBeginning);
  return size;
}

void TStream::SetSize(std::int64_t) { throw EStreamError("Stream size cannot be changed"); }

void TStream::ReadBuffer(void* buffer, std::int64_t count) {
  if (count > 0 && Read(buffer, count) != count) throw EReadError("Stream read error");
}

void TStream::WriteBuffer(const void* buffer, std::int64_t count) {
  if (count > 0 && Write(buffer, count) != count) throw EWriteError("Stream write error");
}

std::int64_t TStream::CopyFrom(TStream& source, std::int64_t count) {
  if (count == 0) {
    source.SetPosition(0);
    count = source.Size();
  }
  std::uint8_t chunk[65536];
  std::int64_t copied = 0;
  while (copied < count) {
    const std::int64_t n = std::min<std::int64_t>(sizeof chunk, count - copied);
    source.ReadBuffer(chunk, n);
    WriteBuffer(chunk, n);
    copied += n;
  }
  return copied;
}

TBytes TStream::ReadRemaining() {
  const std::int64_t remaining = std::max<std::int64_t>(0, Size() - Position());
  TBytes bytes(static_cast<size_t>(remaining));
  ReadBuffer(bytes.data(), remaining);
  return bytes;
}

std::int64_t TMemoryStream::Read(void* buffer, std::int64_t count) { return ReadFrom(data_, position_, buffer, count); }
std::int64_t TMemoryStream::Write(const void* buffer, std::int64_t count) { return WriteTo(data_, position_, buffer, count); }
std::int64_t TMemoryStream::Seek(std::int64_t offset, TSeekOrigin origin) {
  return position_ = SeekTarget(position_, Size(), offset, origin);
}
void TMemoryStream::SetSize(std::int64_t newSize) { ResizeTo(data_, position_, newSize); }
void TMemoryStream::Clear() {
  data_.clear();
  position_ = 0;
}
void TMemoryStream::LoadFromStream(TStream& stream) {
  stream.SetPosition(0);
  data_.assign(static_cast<size_t>(stream.Size()), 0);
  stream.ReadBuffer(data_.data(), Size());
  position_ = 0;
}
void TMemoryStream::SaveToStream(TStream& stream) { stream.WriteBuffer(data_.data(), Size()); }
void TMemoryStream::LoadFromFile(const std::string& fileName) {
  data_ = ReadFileBytes(fileName);
  position_ = 0;
}
void TMemoryStream::SaveToFile(const std::string& fileName) { WriteFileBytes(fileName, data_.data(), data_.size()); }

TBytesViewStream::TBytesViewStream(const void* data, std::int64_t size)
    : data_(static_cast<const std::uint8_t*>(data)), size_(std::max<std::int64_t>(0, size)) {}
std::int64_t TBytesViewStream::Read(void* buffer, std::int64_t count) {
  if (count <= 0 || position_ >= size_) return 0;
  const std::int64_t n = std::min(count, size_ - position_);
  std::memcpy(buffer, data_ + position_, static_cast<size_t>(n));
  position_ += n;
  return n;
}
std::int64_t TBytesViewStream::Write(const void*, std::int64_t) { return 0; }
std::int64_t TBytesViewStream::Seek(std::int64_t offset, TSeekOrigin origin) {
  return position_ = SeekTarget(position_, size_, offset, origin);
}

TFileStream::TFileStream(const std::string& fileName, unsigned mode) : fileName_(fileName) {
  if (mode == fmCreate || (mode & fmCreate) == fmCreate) {
    file_ = std::fopen(fileName.c_str(), "w+b");
    if (!file_) throw EFCreateError(Format("Cannot create file \"%s\". %s", fileName.c_str(), ErrnoText().c_str()));
    return;
  }
  const char* how = (mode & 3) == fmOpenRead ? "rb" : "r+b";
  file_ = std::fopen(fileName.c_str(), how);
  if (!file_) throw EFOpenError(Format("Cannot open file \"%s\". %s", fileName.c_str(), ErrnoText().c_str()));
}
TFileStream::~TFileStream() {
  if (file_) std::fclose(file_);
}
std::int64_t TFileStream::Read(void* buffer, std::int64_t count) {
  if (count <= 0) return 0;
  return static_cast<std::int64_t>(std::fread(buffer, 1, static_cast<size_t>(count), file_));
}
std::int64_t TFileStream::Write(const void* buffer, std::int64_t count) {
  if (count <= 0) return 0;
  return static_cast<std::int64_t>(std::fwrite(buffer, 1, static_cast<size_t>(count), file_));
}
std::int64_t TFileStream::Seek(std::int64_t offset, TSeekOrigin origin) {
  const int whence = origin == TSeekOrigin::soBeginning ? SEEK_SET : origin == TSeekOrigin::soCurrent ? SEEK_CUR : SEEK_END;
  if (fseeko(file_, offset, whence) != 0) fseeko(file_, 0, SEEK_SET);
  return ftello(file_);
}
void TFileStream::SetSize(std::int64_t newSize) {
  std::fflush(file_);
  if (ftruncate(fileno(file_), newSize) != 0)
    throw EStreamError(Format("Cannot resize \"%s\". %s", fileName_.c_str(), ErrnoText().c_str()));
  if (Position() > newSize) Seek(newSize, TSeekOrigin::soBeginning);
}

std::int64_t TStringStream::Read(void* buffer, std::int64_t count) { return ReadFrom(data_, position_, buffer, count); }
std::int64_t TStringStream::Write(const void* buffer, std::int64_t count) { return WriteTo(data_, position_, buffer, count); }
std::int64_t TStringStream::Seek(std::int64_t offset, TSeekOrigin origin) {
  return position_ = SeekTarget(position_, Size(), offset, origin);
}
void TStringStream::SetSize(std::int64_t newSize) { ResizeTo(data_, position_, newSize); }

TBytes ReadFileBytes(const std::string& fileName) {
  TFileStream file(fileName, fmOpenRead);
  return file.ReadRemaining();
}

namespace {

// Writes all of data to fd; false on any error.
bool WriteAll(int fd, const void* data, std::size_t size) {
  const auto* p = static_cast<const std::uint8_t*>(data);
  while (size > 0) {
    const ssize_t n = ::write(fd, p, size);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    p += n;
    size -= static_cast<std::size_t>(n);
  }
  return true;
}

// The mode of the file being replaced, else what a new file gets.
mode_t FileMode(const std::string& fileName) {
  struct stat info {};
  if (::stat(fileName.c_str(), &info) == 0) return info.st_mode & 07777;
  const mode_t mask = ::umask(0);
  ::umask(mask);
  return 0666 & ~mask;
}

}  // namespace

void WriteFileBytes(const std::string& fileName, const void* data, std::size_t size) {
  std::string temp = fileName + ".XXXXXX";
  const int fd = ::mkstemp(temp.data());
  if (fd < 0) throw EFCreateError(Format("Cannot create file \"%s\". %s", fileName.c_str(), ErrnoText().c_str()));
  ::fchmod(fd, FileMode(fileName));
  bool written = WriteAll(fd, data, size) && ::fsync(fd) == 0;
  int error = written ? 0 : errno;
  if (::close(fd) != 0 && written) {
    written = false;
    error = errno;
  }
  if (written && ::rename(temp.c_str(), fileName.c_str()) != 0) {
    written = false;
    error = errno;
  }
  if (written) return;
  ::unlink(temp.c_str());
  throw EFCreateError(Format("Cannot write file \"%s\". %s", fileName.c_str(), std::strerror(error)));
}

}  // namespace rtl
