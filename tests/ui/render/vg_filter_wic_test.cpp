// The image filter of the Direct2D-style back-end.
#include "ui/render/vg_filter_wic.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "tests/ui/render/render_pictures.h"

using namespace vg;

namespace vgtest {
namespace {

namespace fs = std::filesystem;

void ExpectQuadrants(const TvgBitmap& b, int tolerance, const std::string& what) {
  const int w = b.Width(), h = b.Height();
  EXPECT_TRUE(Near(b.GetPixels(w / 8, h / 8), kRed, tolerance)) << what;
  EXPECT_TRUE(Near(b.GetPixels(w - 1 - w / 8, h / 8), kGreen, tolerance)) << what;
  EXPECT_TRUE(Near(b.GetPixels(w / 8, h - 1 - h / 8), kBlue, tolerance)) << what;
  EXPECT_TRUE(Near(b.GetPixels(w - 1 - w / 8, h - 1 - h / 8), kWhite, tolerance)) << what;
}

std::string Head(const std::string& bytes) { return bytes.substr(0, 4); }

class WicFilter : public ::testing::Test {
 protected:
  WicFilter() : dir_(fs::temp_directory_path() / ("vg_wic_" + std::to_string(::getpid()))) {
    fs::create_directories(dir_);
  }
  ~WicFilter() override { fs::remove_all(dir_); }
  std::string PathOf(const std::string& name) const { return (dir_ / name).string(); }
  std::string SavedPicture(const std::string& name, int width, int height) {
    TvgBitmap picture(width, height);
    PaintQuadrants(picture);
    EXPECT_TRUE(filter.SaveToFile(PathOf(name), picture, ""));
    return PathOf(name);
  }
  std::string FileBytes(const std::string& name) {
    std::ifstream in(PathOf(name), std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
  }
  std::size_t FilesInDir() const {
    return std::size_t(std::distance(fs::directory_iterator(dir_), fs::directory_iterator()));
  }

  TvgFilterWIC filter;

 private:
  fs::path dir_;
};

TEST_F(WicFilter, PicturesRoundTripThroughEveryWriter) {
  struct Case {
    const char* name;
    int tolerance;
  };
  for (const Case& c : {Case{"a.png", 0}, Case{"a.bmp", 0}, Case{"a.tif", 0}, Case{"a.gif", 0},
                        Case{"a.jpg", 24}, Case{"a.JPEG", 24}}) {
    const std::string file = SavedPicture(c.name, 40, 20);
    TvgBitmap loaded;
    ASSERT_TRUE(filter.LoadFromFile(file, 90, loaded)) << c.name;
    EXPECT_EQ(loaded.Width(), 40) << c.name << ": the rotation is not used";
    EXPECT_EQ(loaded.Height(), 20) << c.name;
    ExpectQuadrants(loaded, c.tolerance, c.name);
    EXPECT_EQ(TvgFilterWIC::GetImageSize(file), (TvgPoint{40, 20})) << c.name;
  }
  EXPECT_EQ(FilesInDir(), 6u) << "no temporary files are left";

  TvgBitmap translucent(4, 4);
  translucent.Clear(0x80FF0000);
  rtl::TMemoryStream stream;
  ASSERT_TRUE(filter.SaveToStream(stream, translucent, "png", ""));
  stream.SetPosition(0);
  TvgBitmap back;
  ASSERT_TRUE(filter.LoadFromStream(stream, back));
  EXPECT_TRUE(Near(back.GetPixels(1, 1), translucent.GetPixels(1, 1), 1)) << "alpha survives";
}

TEST_F(WicFilter, ContainersFollowTheExtensionOrFormatNameWithPngForTheRest) {
  TvgBitmap picture(8, 8);
  PaintQuadrants(picture);
  const std::string png = "\x89PNG";
  ASSERT_TRUE(filter.SaveToFile(PathOf("a.dat"), picture, ""));
  EXPECT_EQ(Head(FileBytes("a.dat")), png);
  ASSERT_TRUE(filter.SaveToFile(PathOf("noext"), picture, ""));
  EXPECT_EQ(Head(FileBytes("noext")), png);

  struct Case {
    const char* format;
    std::string head;
  };
  for (const Case& c : {Case{"bmp", "BM"}, Case{"JPG", "\xFF\xD8"}, Case{"jpeg", "\xFF\xD8"},
                        Case{"gif", "GIF8"}, Case{"tiff", "II*"}, Case{"tif", "II*"},
                        Case{"webp", png}, Case{"png", png}}) {
    rtl::TStringStream stream("");
    ASSERT_TRUE(filter.SaveToStream(stream, picture, c.format, "")) << c.format;
    EXPECT_EQ(stream.DataString().substr(0, c.head.size()), c.head) << c.format;
  }
}

TEST_F(WicFilter, ContainersWithoutAnEncoderWriteNothing) {
  TvgBitmap picture(8, 8);
  EXPECT_FALSE(filter.SaveToFile(PathOf("a.wmp"), picture, ""));
  EXPECT_FALSE(fs::exists(PathOf("a.wmp")));
  rtl::TStringStream stream("");
  EXPECT_FALSE(filter.SaveToStream(stream, picture, "wmp", ""));
  EXPECT_EQ(stream.Size(), 0);
  EXPECT_FALSE(filter.SaveToFile(PathOf("missing/a.png"), picture, "")) << "a failed write";
  TvgBitmap empty;
  EXPECT_FALSE(filter.SaveToFile(PathOf("empty.png"), empty, ""));
}

TEST_F(WicFilter, ThumbnailsAreThePictureScaledToFitAndNeverEnlarged) {
  const std::string big = SavedPicture("big.png", 1000, 500);
  const std::string small = SavedPicture("small.png", 50, 20);
  for (bool embedded : {false, true}) {
    TvgBitmap thumbnail;
    ASSERT_TRUE(filter.LoadThumbnailFromFile(big, 300, 300, embedded, thumbnail));
    EXPECT_EQ(thumbnail.Width(), 300) << embedded;
    EXPECT_EQ(thumbnail.Height(), 150) << embedded;
    ExpectQuadrants(thumbnail, 2, "thumbnail");
    ASSERT_TRUE(filter.LoadThumbnailFromFile(small, 300, 300, embedded, thumbnail));
    EXPECT_EQ(thumbnail.Width(), 50) << embedded;
  }
}

TEST_F(WicFilter, ThinPicturesKeepOnePixelAcross) {
  const std::string thin = SavedPicture("thin.png", 2000, 1);
  TvgBitmap thumbnail;
  ASSERT_TRUE(filter.LoadThumbnailFromFile(thin, 300, 300, false, thumbnail));
  EXPECT_EQ(thumbnail.Width(), 300);
  EXPECT_EQ(thumbnail.Height(), 1);
}

TEST_F(WicFilter, UnreadableInputFailsAndLeavesTheBitmapAlone) {
  std::ofstream(PathOf("text.png")) << "not a picture";
  TvgBitmap bitmap(3, 3);
  EXPECT_FALSE(filter.LoadFromFile(PathOf("text.png"), 0, bitmap));
  EXPECT_FALSE(filter.LoadThumbnailFromFile(PathOf("text.png"), 10, 10, true, bitmap));
  rtl::TStringStream stream("nothing");
  EXPECT_FALSE(filter.LoadFromStream(stream, bitmap));
  EXPECT_EQ(bitmap.Width(), 3);
  EXPECT_EQ(TvgFilterWIC::GetImageSize(PathOf("text.png")), (TvgPoint{0, 0}));
  EXPECT_EQ(TvgFilterWIC::GetImageSize(PathOf("missing.png")), (TvgPoint{0, 0}));
}

TEST(WicFilterClass, ListsNinePatternsEndingWithWmp) {
  const std::string types = TvgFilterWIC::Class.GetFileTypes();
  EXPECT_EQ(std::count(types.begin(), types.end(), ';'), 8);
  EXPECT_TRUE(types.ends_with("*.wmp"));
}

}  // namespace
}  // namespace vgtest
