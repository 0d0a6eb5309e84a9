#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>

#include "platform/rtl/Exceptions.h"
#include "platform/rtl/Streams.h"

using namespace rtl;

TEST(Streams, MemoryStreamReadsWritesSeeksAndGrows) {
  TMemoryStream stream;
  stream.WriteBuffer("abcdef", 6);
  EXPECT_EQ(stream.Size(), 6);
  stream.Seek(-2, TSeekOrigin::soEnd);
  char tail[4] = {};
  EXPECT_EQ(stream.Read(tail, 4), 2);  // short read at the end, no error
  EXPECT_STREQ(tail, "ef");
  stream.SetPosition(8);  // writing past the end fills the gap with zeros
  stream.WriteBuffer("x", 1);
  EXPECT_EQ(stream.Size(), 9);
  EXPECT_EQ(stream.Bytes()[6], 0);
  stream.SetPosition(0);
  char all[16];
  EXPECT_THROW(stream.ReadBuffer(all, 10), EReadError);
}

TEST(Streams, CopyFromWholeSourceAndViews) {
  const char bytes[] = "0123456789";
  TBytesViewStream view(bytes, 10);
  view.SetPosition(7);
  TStringStream copy;
  EXPECT_EQ(copy.CopyFrom(view, 0), 10);
  EXPECT_EQ(copy.DataString(), "0123456789");
  EXPECT_EQ(view.Write("z", 1), 0);
}

TEST(Streams, FileWriterReplacesTheFileWholeOrLeavesTheOldOne) {
  const auto dir = std::filesystem::temp_directory_path() / "esctool_writer_test";
  std::filesystem::create_directories(dir);
  const std::string path = (dir / "data.bin").string();
  WriteFileBytes(path, "old", 3);
  WriteFileBytes(path, "new", 3);
  EXPECT_EQ(ReadFileBytes(path), (TBytes{'n', 'e', 'w'}));
  std::filesystem::permissions(dir, std::filesystem::perms::owner_write, std::filesystem::perm_options::remove);
  if (::access(dir.c_str(), W_OK) != 0)  // root writes anyway
    EXPECT_THROW(WriteFileBytes(path, "lost", 4), EFCreateError);
  std::filesystem::permissions(dir, std::filesystem::perms::owner_write, std::filesystem::perm_options::add);
  EXPECT_EQ(ReadFileBytes(path), (TBytes{'n', 'e', 'w'}));
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir), std::filesystem::directory_iterator()), 1);
  std::filesystem::remove_all(dir);
}

TEST(Streams, FileStreamRoundTripAndErrors) {
  const auto path = std::filesystem::temp_directory_path() / "esctool_streams_test.bin";
  WriteFileBytes(path.string(), "hello", 5);
  EXPECT_EQ(ReadFileBytes(path.string()), (TBytes{'h', 'e', 'l', 'l', 'o'}));
  {
    TFileStream file(path.string(), fmOpenReadWrite);
    file.SetSize(2);
    EXPECT_EQ(file.Size(), 2);
  }
  EXPECT_THROW(WriteFileBytes((path.parent_path() / "no such dir" / "x").string(), "x", 1), EFCreateError);
  std::filesystem::remove(path);
  try {
    TFileStream missing(path.string(), fmOpenRead);
    FAIL();
  } catch (const EFOpenError& e) {
    EXPECT_NE(e.Message().find("Cannot open file \"" + path.string() + "\"."), std::string::npos);
  }
}
