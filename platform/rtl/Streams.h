#pragma once
// The class library's streams: an abstract byte stream with a position, and
// the memory, file and string streams built on it.
//
// Read and Write move up to `count` bytes and return how many moved (0 at the
// end, never an error); ReadBuffer and WriteBuffer move exactly `count` bytes
// or raise EReadError "Stream read error" / EWriteError "Stream write error".
#include <cstdint>
#include <string>

#include "platform/rtl/AtomicFile.h"
#include "platform/rtl/Types.h"

namespace rtl {

enum class TSeekOrigin { soBeginning, soCurrent, soEnd };

class TStream {
 public:
  virtual ~TStream() = default;

  virtual std::int64_t Read(void* buffer, std::int64_t count) = 0;
  virtual std::int64_t Write(const void* buffer, std::int64_t count) = 0;
  virtual std::int64_t Seek(std::int64_t offset, TSeekOrigin origin) = 0;
  virtual std::int64_t Size();
  virtual void SetSize(std::int64_t newSize);

  std::int64_t Position() { return Seek(0, TSeekOrigin::soCurrent); }
  void SetPosition(std::int64_t position) { Seek(position, TSeekOrigin::soBeginning); }

  void ReadBuffer(void* buffer, std::int64_t count);
  void WriteBuffer(const void* buffer, std::int64_t count);
  void WriteBuffer(const std::string& bytes) { WriteBuffer(bytes.data(), static_cast<std::int64_t>(bytes.size())); }
  // Copies `count` bytes from `source`'s position; count 0 copies the whole
  // of `source` from its beginning. Returns the number of bytes copied.
  std::int64_t CopyFrom(TStream& source, std::int64_t count);
  // The bytes from the current position to the end.
  TBytes ReadRemaining();
};

// A growable buffer in memory. Memory() stays valid until the next size change.
class TMemoryStream : public TStream {
 public:
  std::int64_t Read(void* buffer, std::int64_t count) override;
  std::int64_t Write(const void* buffer, std::int64_t count) override;
  std::int64_t Seek(std::int64_t offset, TSeekOrigin origin) override;
  std::int64_t Size() override { return static_cast<std::int64_t>(data_.size()); }
  void SetSize(std::int64_t newSize) override;

  std::uint8_t* Memory() { return data_.data(); }
  const std::uint8_t* Memory() const { return data_.data(); }
  const TBytes& Bytes() const { return data_; }
  void Clear();
  void LoadFromStream(TStream& stream);
  void SaveToStream(TStream& stream);
  void LoadFromFile(const std::string& fileName);
  void SaveToFile(const std::string& fileName);

 private:
  TBytes data_;
  std::int64_t position_ = 0;
};

// A read-only view of bytes owned elsewhere (embedded resources, buffers).
// The bytes must outlive the stream.
class TBytesViewStream : public TStream {
 public:
  TBytesViewStream(const void* data, std::int64_t size);
  std::int64_t Read(void* buffer, std::int64_t count) override;
  std::int64_t Write(const void* buffer, std::int64_t count) override;
  std::int64_t Seek(std::int64_t offset, TSeekOrigin origin) override;
  std::int64_t Size() override { return size_; }

 private:
  const std::uint8_t* data_;
  std::int64_t size_;
  std::int64_t position_ = 0;
};

// Open modes of TFileStream.
enum TFileMode : unsigned {
  fmOpenRead = 0x0000,
  fmOpenWrite = 0x0001,
  fmOpenReadWrite = 0x0002,
  fmCreate = 0xFF00,
};

// A file on disk, read and written without a buffer of its own, so a failed
// write shows at once (WriteBuffer raises EWriteError). Raises EFCreateError
// "Cannot create file "%s". %s" or EFOpenError "Cannot open file "%s". %s"
// when the file cannot be had. Close raises EWriteError "Stream write error"
// when the system reports a failure at close; the destructor closes a file
// still open and cannot report. Whole files the program writes go through
// WriteFileBytes (AtomicFile.h) instead.
class TFileStream : public TStream {
 public:
  TFileStream(const std::string& fileName, unsigned mode);
  ~TFileStream() override;
  void Close();
  TFileStream(const TFileStream&) = delete;
  TFileStream& operator=(const TFileStream&) = delete;

  std::int64_t Read(void* buffer, std::int64_t count) override;
  std::int64_t Write(const void* buffer, std::int64_t count) override;
  std::int64_t Seek(std::int64_t offset, TSeekOrigin origin) override;
  void SetSize(std::int64_t newSize) override;
  const std::string& FileName() const { return fileName_; }
  // The open file descriptor, owned by the stream; -1 after Close.
  int Handle() const { return fd_; }

 private:
  std::string fileName_;
  int fd_ = -1;
};

// A stream over a byte string; DataString() is its whole content.
class TStringStream : public TStream {
 public:
  explicit TStringStream(std::string data = {}) : data_(std::move(data)) {}
  std::int64_t Read(void* buffer, std::int64_t count) override;
  std::int64_t Write(const void* buffer, std::int64_t count) override;
  std::int64_t Seek(std::int64_t offset, TSeekOrigin origin) override;
  std::int64_t Size() override { return static_cast<std::int64_t>(data_.size()); }
  void SetSize(std::int64_t newSize) override;
  const std::string& DataString() const { return data_; }

 private:
  std::string data_;
  std::int64_t position_ = 0;
};

// The whole of a regular file. Raises EFOpenError like TFileStream, also for
// anything that is not a regular file (a folder, a device).
TBytes ReadFileBytes(const std::string& fileName);

}  // namespace rtl
