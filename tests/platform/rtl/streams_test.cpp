#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <filesystem>
#include <future>

#include "platform/rtl/Exceptions.h"
#include "platform/rtl/Streams.h"
#include "platform/rtl/Strings.h"
#include "tests/support/file_size_limit.h"

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

TEST(Streams, FileStreamRoundTripAndErrors) {
  const auto path = std::filesystem::temp_directory_path() / "esctool_streams_test.bin";
  WriteFileBytes(path.string(), "hello", 5);
  EXPECT_EQ(ReadFileBytes(path.string()), (TBytes{'h', 'e', 'l', 'l', 'o'}));
  {
    TFileStream file(path.string(), fmOpenReadWrite);
    file.SetSize(2);
    EXPECT_EQ(file.Size(), 2);
  }
  std::filesystem::remove(path);
  try {
    TFileStream missing(path.string(), fmOpenRead);
    FAIL();
  } catch (const EFOpenError& e) {
    EXPECT_NE(e.Message().find("Cannot open file \"" + path.string() + "\"."), std::string::npos);
  }
}

namespace {

namespace fs = std::filesystem;
using test_support::LimitedRun;
using test_support::RunWithFileSizeLimit;

// A fresh folder per test, removed afterwards.
class AtomicWrites : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = fs::temp_directory_path() /
              ("esctool_atomic_" + std::to_string(getpid()) + "_" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(folder_);
    fs::create_directories(folder_);
  }
  void TearDown() override {
    fs::permissions(folder_, fs::perms::owner_all, fs::perm_options::add);
    fs::remove_all(folder_);
  }
  std::string PathOf(const std::string& name) const { return (folder_ / name).string(); }
  std::string Read(const std::string& path) const {
    const TBytes bytes = ReadFileBytes(path);
    return std::string(bytes.begin(), bytes.end());
  }
  int FilesInFolder() const {
    return static_cast<int>(std::distance(fs::directory_iterator(folder_), fs::directory_iterator()));
  }

  fs::path folder_;
};

TEST_F(AtomicWrites, AFullDiskKeepsTheOldFileAndLeavesNoTemporary) {
  const std::string path = PathOf("lang.ini");
  const std::string old(3100, 'o');
  WriteFileBytes(path, old);
  const std::string fresh(3100, 'n');
  EXPECT_EQ(RunWithFileSizeLimit(1000, [&] { WriteFileBytes(path, fresh); }), LimitedRun::WriteError);
  EXPECT_EQ(Read(path), old);
  EXPECT_EQ(FilesInFolder(), 1);
  EXPECT_EQ(RunWithFileSizeLimit(4000, [&] { WriteFileBytes(path, fresh); }), LimitedRun::Returned);
  EXPECT_EQ(Read(path), fresh);
}

TEST_F(AtomicWrites, EveryWholeFileWriterRaisesOnAFullDisk) {
  const std::string path = PathOf("out.txt");
  TStringList lines;
  lines.SetText(std::string(600, 'x') + "\n" + std::string(600, 'y'));
  TMemoryStream memory;
  memory.WriteBuffer(std::string(1500, 'm'));
  EXPECT_EQ(RunWithFileSizeLimit(1000, [&] { lines.SaveToFile(path); }), LimitedRun::WriteError);
  EXPECT_EQ(RunWithFileSizeLimit(1000, [&] { memory.SaveToFile(path); }), LimitedRun::WriteError);
  EXPECT_FALSE(fs::exists(path));
  EXPECT_EQ(FilesInFolder(), 0);
}

TEST_F(AtomicWrites, KeepsModeFollowsLinksAndRefusesWhatItCannotReplace) {
  const std::string real = PathOf("real.ini");
  const std::string link = PathOf("link.ini");
  WriteFileBytes(real, "old");
  fs::permissions(real, fs::perms::owner_read | fs::perms::owner_write);
  fs::create_symlink("real.ini", link);
  WriteFileBytes(link, "new");
  EXPECT_TRUE(fs::is_symlink(link));
  EXPECT_EQ(Read(real), "new");
  EXPECT_EQ(fs::status(real).permissions() & fs::perms::all, fs::perms::owner_read | fs::perms::owner_write);

  fs::create_directory(PathOf("folder"));
  ASSERT_EQ(mkfifo(PathOf("fifo").c_str(), 0666), 0);
  const bool node = mknod(PathOf("full").c_str(), S_IFCHR | 0666, makedev(1, 7)) == 0;  // as /dev/full
  for (const char* special : {"folder", "fifo", "full"}) {
    if (std::string(special) == "full" && !node) continue;  // no right to make device nodes
    try {
      WriteFileBytes(PathOf(special), "x");
      ADD_FAILURE() << special << " was written";
    } catch (const EFCreateError& e) {
      EXPECT_NE(e.Message().find("Not a regular file"), std::string::npos) << special;
    }
  }
  EXPECT_TRUE(fs::is_fifo(PathOf("fifo")));
  EXPECT_TRUE(!node || fs::is_character_file(PathOf("full")));
  EXPECT_THROW(WriteFileBytes(PathOf("missing/file"), "x"), EFCreateError);
  EXPECT_EQ(FilesInFolder(), node ? 5 : 4);
}

TEST(Streams, FileStreamWriteToAFullDeviceRaises) {
  TFileStream full("/dev/full", fmOpenWrite);
  EXPECT_THROW(full.WriteBuffer("abc", 3), EWriteError);
}

TEST(Streams, FileStreamReadsAfterWritesWithoutASeek) {
  const auto path = fs::temp_directory_path() / ("esctool_rw_" + std::to_string(getpid()));
  {
    TFileStream file(path.string(), fmCreate);
    file.WriteBuffer("0123456789", 10);
    file.SetPosition(2);
    char two[2];
    file.ReadBuffer(two, 2);
    file.WriteBuffer("ab", 2);  // at position 4
    file.Close();
  }
  const TBytes bytes = ReadFileBytes(path.string());
  EXPECT_EQ(std::string(bytes.begin(), bytes.end()), "0123ab6789");
  fs::remove(path);
}

TEST(Streams, ReadFileBytesRefusesWhatIsNotARegularFile) {
  const fs::path fifo = fs::temp_directory_path() / ("esctool_fifo_" + std::to_string(getpid()));
  ASSERT_EQ(mkfifo(fifo.c_str(), 0666), 0);
  for (const std::string& path : {std::string("/tmp"), std::string("/dev/null"), fifo.string()}) {
    auto reading = std::async(std::launch::async, [&] {
      try {
        ReadFileBytes(path);
        return std::string("read");
      } catch (const EFOpenError& e) {
        return e.Message();
      }
    });
    if (reading.wait_for(std::chrono::seconds(10)) == std::future_status::timeout) {
      ADD_FAILURE() << path << ": waits for a writer";
      close(open(path.c_str(), O_WRONLY | O_NONBLOCK));  // lets the waiting open return
    }
    EXPECT_NE(reading.get().find("Not a regular file"), std::string::npos) << path;
  }
  fs::remove(fifo);
}

}  // namespace
