#include "platform/rtl/Streams.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
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
    fd_ = open(fileName.c_str(), O_RDWR | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (fd_ < 0) throw EFCreateError(Format("Cannot create file \"%s\". %s", fileName.c_str(), ErrnoText().c_str()));
    return;
  }
  // Opening a FIFO would wait for a writer: the open does not block, the
  // reads and writes afterwards do.
  fd_ = open(fileName.c_str(), ((mode & 3) == fmOpenRead ? O_RDONLY : O_RDWR) | O_CLOEXEC | O_NONBLOCK);
  if (fd_ < 0) throw EFOpenError(Format("Cannot open file \"%s\". %s", fileName.c_str(), ErrnoText().c_str()));
  const int flags = fcntl(fd_, F_GETFL);
  if (flags < 0 || fcntl(fd_, F_SETFL, flags & ~O_NONBLOCK) != 0) {
    const std::string error = ErrnoText();
    close(fd_);
    fd_ = -1;
    throw EFOpenError(Format("Cannot open file \"%s\". %s", fileName.c_str(), error.c_str()));
  }
}
TFileStream::~TFileStream() {
  if (fd_ >= 0) close(fd_);
}
void TFileStream::Close() {
  if (fd_ < 0) return;
  const int fd = fd_;
  fd_ = -1;
  if (close(fd) != 0) throw EWriteError("Stream write error");
}
std::int64_t TFileStream::Read(void* buffer, std::int64_t count) {
  if (count <= 0 || fd_ < 0) return 0;
  auto* bytes = static_cast<char*>(buffer);
  std::int64_t done = 0;
  while (done < count) {
    const ssize_t n = read(fd_, bytes + done, static_cast<size_t>(count - done));
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    done += n;
  }
  return done;
}
std::int64_t TFileStream::Write(const void* buffer, std::int64_t count) {
  if (count <= 0 || fd_ < 0) return 0;
  const auto* bytes = static_cast<const char*>(buffer);
  std::int64_t done = 0;
  while (done < count) {
    const ssize_t n = write(fd_, bytes + done, static_cast<size_t>(count - done));
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    done += n;
  }
  return done;
}
std::int64_t TFileStream::Seek(std::int64_t offset, TSeekOrigin origin) {
  const int whence = origin == TSeekOrigin::soBeginning ? SEEK_SET : origin == TSeekOrigin::soCurrent ? SEEK_CUR : SEEK_END;
  const off_t position = lseek(fd_, offset, whence);
  return position >= 0 ? position : lseek(fd_, 0, SEEK_SET);
}
void TFileStream::SetSize(std::int64_t newSize) {
  if (ftruncate(fd_, newSize) != 0)
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
  struct stat status {};
  if (fstat(file.Handle(), &status) != 0 || !S_ISREG(status.st_mode))
    throw EFOpenError(Format("Cannot open file \"%s\". Not a regular file", fileName.c_str()));
  return file.ReadRemaining();
}

}  // namespace rtl
