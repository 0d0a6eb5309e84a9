#include "ui/core/vg_storage.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "platform/rtl/Exceptions.h"

using namespace vg;

namespace {

rtl::TBytes Bytes(TvgStorage& storage) {
  rtl::TMemoryStream stream;
  storage.SaveToStream(stream);
  stream.SetPosition(0);
  return stream.ReadRemaining();
}

void Fill(TvgStorage& storage) {
  storage.Values(u"count").SetAsInteger(70000);
  storage.Values(u"ratio").SetAsFloat(0.5f);
  storage.Values(u"title").SetAsString(u"Überschrift");
  storage.Values(u"ascii").SetAsString(u"plain");
  storage.Values(u"on").SetAsBool(true);
  storage.Values(u"off").SetAsBool(false);
  storage.Values(u"blob").AsStream().WriteBuffer("\x01\x02\x03", 3);
  storage.Values(u"unset");
}

void ExpectFilled(TvgStorage& storage) {
  EXPECT_EQ(storage.Values(u"count").AsInteger(), 70000);
  EXPECT_EQ(storage.Values(u"ratio").AsFloat(), 0.5f);
  EXPECT_EQ(storage.Values(u"TITLE").AsString(), u"Überschrift");  // names ignore case
  EXPECT_EQ(storage.Values(u"ascii").AsString(), u"plain");
  EXPECT_TRUE(storage.Values(u"on").AsBool());
  EXPECT_FALSE(storage.Values(u"off").AsBool());
  EXPECT_EQ(storage.Values(u"off").Type(), 8);
  rtl::TMemoryStream& blob = storage.Values(u"blob").AsStream();
  blob.SetPosition(0);
  EXPECT_EQ(blob.ReadRemaining(), (rtl::TBytes{1, 2, 3}));
}

}  // namespace

TEST(Storage, WritesTheComponentStreamOfARootNamedRoot) {
  TvgStorage storage;
  storage.Values(u"a").SetAsInteger(5);
  storage.Values(u"b").SetAsBool(true);
  storage.Values(u"never set");
  const rtl::TBytes expected{'T', 'P', 'F', '0', 4, 'R', 'o', 'o', 't', 0, 1, 'a', 2, 5, 1, 'b', 9, 0, 0};
  EXPECT_EQ(Bytes(storage), expected);
}

TEST(Storage, RoundTripsEveryKindInBinaryAndTextFiles) {
  TvgStorage source;
  Fill(source);
  rtl::TMemoryStream stream;
  source.SaveToStream(stream);
  stream.SetPosition(0);
  TvgStorage binary;
  binary.LoadFromStream(stream);
  ExpectFilled(binary);
  EXPECT_EQ(binary.Count(), 7);  // the unset item was not written

  const std::string path = (std::filesystem::temp_directory_path() / "esctool_storage_test.txt").string();
  source.SaveToFile(path);
  const rtl::TBytes file = rtl::ReadFileBytes(path);
  const std::string text(file.begin(), file.end());
  EXPECT_EQ(text.rfind("object TRoot", 0) == 0 || text.rfind("object Root", 0) == 0, true) << text;
  EXPECT_NE(text.find("count = 70000"), std::string::npos) << text;
  TvgStorage fromText;
  fromText.LoadFromFile(path);
  ExpectFilled(fromText);
  std::filesystem::remove(path);
}

TEST(Storage, DamagedStreamsAndMissingFilesRaiseStreamErrors) {
  TvgStorage source;
  Fill(source);
  const rtl::TBytes whole = Bytes(source);
  for (std::size_t cut : {std::size_t(3), std::size_t(12), whole.size() / 2, whole.size() - 1}) {
    rtl::TBytesViewStream truncated(whole.data(), static_cast<std::int64_t>(cut));
    TvgStorage target;
    EXPECT_THROW(target.LoadFromStream(truncated), rtl::Exception) << cut;
  }
  TvgStorage target;
  EXPECT_THROW(target.LoadFromFile("/nonexistent/storage.txt"), rtl::EFOpenError);
}
