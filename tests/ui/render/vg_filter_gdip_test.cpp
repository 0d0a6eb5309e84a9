// The GDI+ image filter and the COM stream adapter.
#include "ui/render/vg_filter_gdip.h"

#include <cmath>
#include <filesystem>
#include <fstream>

#include "platform/rtl/Exceptions.h"
#include "tests/ui/render/render_fixture.h"
#include "tests/ui/render/render_pictures.h"

using namespace vg;

namespace vgtest {
namespace {

namespace fs = std::filesystem;

class FilterTest : public RecordedTest {
 protected:
  FilterTest() : dir_(fs::temp_directory_path() / ("vg_filter_" + std::to_string(::getpid()))) {
    fs::create_directories(dir_);
  }
  ~FilterTest() override { fs::remove_all(dir_); }
  std::string PathOf(const std::string& name) const { return (dir_ / name).string(); }
  std::string SavedPicture(const std::string& name, int width, int height) {
    TvgBitmap picture(width, height);
    PaintQuadrants(picture);
    EXPECT_TRUE(filter.SaveToFile(PathOf(name), picture, ""));
    return PathOf(name);
  }

  TvgFilterGdiPlus filter;

 private:
  fs::path dir_;
};

TEST_F(FilterTest, PicturesRoundTripThroughEveryWriter) {
  struct Case {
    const char* name;
    int tolerance;
  };
  for (const Case& c : {Case{"a.png", 0}, Case{"a.bmp", 0}, Case{"a.tif", 0}, Case{"a.gif", 0},
                        Case{"a.jpg", 24}, Case{"a.JPEG", 24}}) {
    const std::string file = SavedPicture(c.name, 40, 20);
    TvgBitmap loaded;
    ASSERT_TRUE(filter.LoadFromFile(file, 0, loaded)) << c.name;
    ASSERT_EQ(loaded.Width(), 40) << c.name;
    ASSERT_EQ(loaded.Height(), 20) << c.name;
    EXPECT_TRUE(Near(loaded.GetPixels(5, 5), kRed, c.tolerance)) << c.name;
    EXPECT_TRUE(Near(loaded.GetPixels(35, 5), kGreen, c.tolerance)) << c.name;
    EXPECT_TRUE(Near(loaded.GetPixels(5, 15), kBlue, c.tolerance)) << c.name;
    EXPECT_TRUE(Near(loaded.GetPixels(35, 15), kWhite, c.tolerance)) << c.name;
    EXPECT_EQ(TvgFilterGdiPlus::GetImageSize(file), (TvgPoint{40, 20})) << c.name;
  }
}

TEST_F(FilterTest, RightAnglesTurnClockwiseAndNegativeOnesStayUnturned) {
  const std::string file = SavedPicture("turn.png", 200, 100);
  struct Case {
    float rotation;
    int width, height;
    TvgColor topLeft, topRight, bottomLeft;
  };
  const Case cases[] = {{90, 100, 200, kBlue, kRed, kWhite},
                        {450, 100, 200, kBlue, kRed, kWhite},
                        {180, 200, 100, kWhite, kBlue, kGreen},
                        {270, 100, 200, kGreen, kWhite, kRed},
                        {-90, 200, 100, kRed, kGreen, kBlue}};
  for (const Case& c : cases) {
    TvgBitmap loaded;
    ASSERT_TRUE(filter.LoadFromFile(file, c.rotation, loaded)) << c.rotation;
    EXPECT_EQ(loaded.Width(), c.width) << c.rotation;
    EXPECT_EQ(loaded.Height(), c.height) << c.rotation;
    EXPECT_EQ(loaded.GetPixels(2, 2), c.topLeft) << c.rotation;
    EXPECT_EQ(loaded.GetPixels(c.width - 3, 2), c.topRight) << c.rotation;
    EXPECT_EQ(loaded.GetPixels(2, c.height - 3), c.bottomLeft) << c.rotation;
  }
}

TEST_F(FilterTest, OtherAnglesTurnAboutTheCentreOfABiggerBitmap) {
  TvgBitmap square(100, 100);
  square.Clear(kRed);
  ASSERT_TRUE(filter.SaveToFile(PathOf("square.png"), square, ""));
  TvgBitmap loaded;
  ASSERT_TRUE(filter.LoadFromFile(PathOf("square.png"), 45, loaded));
  EXPECT_EQ(loaded.Width(), 141);
  EXPECT_EQ(loaded.Height(), 141);
  EXPECT_EQ(loaded.GetPixels(70, 70), kRed);
  EXPECT_EQ(loaded.GetPixels(70, 3), kRed) << "a corner points up";
  EXPECT_EQ(loaded.GetPixels(3, 3), 0u);
}

TEST_F(FilterTest, ThumbnailsShrinkToFitAndAreNeverEnlarged) {
  const std::string big = SavedPicture("big.png", 1000, 500);
  const std::string small = SavedPicture("small.png", 50, 20);
  for (bool embedded : {false, true}) {
    TvgBitmap thumbnail;
    ASSERT_TRUE(filter.LoadThumbnailFromFile(big, 100, 100, embedded, thumbnail));
    EXPECT_EQ(thumbnail.Width(), 100) << embedded;
    EXPECT_EQ(thumbnail.Height(), 50) << embedded;
    EXPECT_TRUE(Near(thumbnail.GetPixels(10, 10), kRed, 2)) << embedded;
    EXPECT_TRUE(Near(thumbnail.GetPixels(90, 40), kWhite, 2)) << embedded;
    ASSERT_TRUE(filter.LoadThumbnailFromFile(small, 100, 100, embedded, thumbnail));
    EXPECT_EQ(thumbnail.Width(), 50) << embedded;
    EXPECT_EQ(thumbnail.Height(), 20) << embedded;
  }
}

TEST_F(FilterTest, ThinPicturesKeepOnePixelAcross) {
  const std::string thin = SavedPicture("thin.png", 1000, 4);
  const std::string wide = SavedPicture("wide.png", 200, 100);
  struct Case {
    const std::string& file;
    float fit;
    int width, height;
  };
  const Case cases[] = {{thin, 100, 100, 1}, {wide, 1, 1, 1}};
  for (const Case& c : cases)
    for (bool embedded : {false, true}) {
      TvgBitmap thumbnail;
      ASSERT_TRUE(filter.LoadThumbnailFromFile(c.file, c.fit, c.fit, embedded, thumbnail)) << c.file << embedded;
      EXPECT_EQ(thumbnail.Width(), c.width) << c.file << embedded;
      EXPECT_EQ(thumbnail.Height(), c.height) << c.file << embedded;
    }
}

TEST_F(FilterTest, ANonFiniteAngleIsRefusedAndLeavesTheBitmapAlone) {
  const std::string picture = SavedPicture("turn.png", 8, 8);
  for (float angle : {std::nanf(""), INFINITY}) {
    TvgBitmap bitmap(3, 3);
    EXPECT_FALSE(filter.LoadFromFile(picture, angle, bitmap));
    EXPECT_EQ(bitmap.Width(), 3);
  }
}

TEST_F(FilterTest, UndecodableInputLeavesTheBitmapAlone) {
  std::ofstream(PathOf("text.png")) << "not a picture";
  TvgBitmap bitmap(3, 3);
  EXPECT_FALSE(filter.LoadFromFile(PathOf("text.png"), 0, bitmap));
  EXPECT_FALSE(filter.LoadThumbnailFromFile(PathOf("text.png"), 10, 10, false, bitmap));
  rtl::TStringStream stream("nothing");
  EXPECT_FALSE(filter.LoadFromStream(stream, bitmap));
  EXPECT_EQ(bitmap.Width(), 3);
  EXPECT_EQ(TvgFilterGdiPlus::GetImageSize(PathOf("text.png")), (TvgPoint{0, 0}));
  EXPECT_THROW(TvgFilterGdiPlus::GetImageSize(PathOf("missing.png")), rtl::Exception);
}

TEST_F(FilterTest, FileSavesChooseTheEncoderByExtensionAndReadQuality) {
  TvgBitmap picture(8, 8);
  PaintQuadrants(picture);
  EXPECT_TRUE(filter.SaveToFile(PathOf("q.JPG"), picture, "quality=80"));
  EXPECT_NE(Args("GdipSaveImageToFile").at(0).find("{quality=80}"), std::string::npos);
  std::ifstream jpeg(PathOf("q.JPG"), std::ios::binary);
  EXPECT_EQ(jpeg.get(), 0xFF);
  EXPECT_EQ(jpeg.get(), 0xD8);

  EXPECT_FALSE(filter.SaveToFile(PathOf("q.dat"), picture, ""));
  EXPECT_FALSE(fs::exists(PathOf("q.dat")));
  TvgBitmap empty;
  EXPECT_FALSE(filter.SaveToFile(PathOf("empty.png"), empty, "")) << "nothing to write";
}

TEST_F(FilterTest, QualityParametersMakeOneClampedEntry) {
  struct Case {
    const char* params;
    const char* list;
  };
  const Case cases[] = {{"quality=90 quality=50", "{quality=50}"},
                        {"speed=1 quality=70", "{quality=70}"},
                        {"QUALITY=150", "{quality=100}"},
                        {"quality=abc", "null"},
                        {"", "null"}};
  TvgBitmap picture(8, 8);
  PaintQuadrants(picture);
  for (const Case& c : cases) {
    Rec().Clear();
    rtl::TMemoryStream stream;
    EXPECT_TRUE(filter.SaveToStream(stream, picture, "jpeg", c.params)) << c.params;
    const std::string args = Args("GdipSaveImageToStream").at(0);
    EXPECT_EQ(args.substr(args.rfind(", ") + 2), c.list) << c.params;
  }
}

TEST_F(FilterTest, StreamSavesChooseTheEncoderByFormatName) {
  struct Case {
    const char* format;
    std::uint8_t first, second;
  };
  const Case cases[] = {{"png", 0x89, 'P'}, {"webp", 0x89, 'P'}, {"JPG", 0xFF, 0xD8},
                        {"bmp", 'B', 'M'},  {"gif", 'G', 'I'},   {"tiff", 'I', 'I'}};
  TvgBitmap picture(8, 8);
  PaintQuadrants(picture);
  for (const Case& c : cases) {
    rtl::TMemoryStream stream;
    ASSERT_TRUE(filter.SaveToStream(stream, picture, c.format, "")) << c.format;
    ASSERT_GT(stream.Size(), 2) << c.format;
    EXPECT_EQ(stream.Memory()[0], c.first) << c.format;
    EXPECT_EQ(stream.Memory()[1], c.second) << c.format;
    stream.SetPosition(0);
    TvgBitmap loaded;
    EXPECT_TRUE(filter.LoadFromStream(stream, loaded)) << c.format;
    EXPECT_EQ(loaded.Width(), 8) << c.format;
  }
}

TEST_F(FilterTest, BitmapsStreamThroughTheInstalledFilter) {
  TvgBitmap translucent(6, 4);
  translucent.Clear(0x80FF0000);
  rtl::TMemoryStream stream;
  EXPECT_TRUE(translucent.SaveToStream(stream));
  EXPECT_EQ(stream.Memory()[0], 0x89) << "translucent pixels are kept as PNG";
  stream.SetPosition(0);
  TvgBitmap loaded(stream);
  EXPECT_EQ(loaded.Width(), 6);
  EXPECT_EQ(loaded.GetPixels(3, 2), translucent.GetPixels(3, 2));

  TvgBitmap opaque(6, 4);
  opaque.Clear(kRed);
  rtl::TMemoryStream jpeg;
  EXPECT_TRUE(opaque.SaveToStream(jpeg));
  EXPECT_FALSE(opaque.SaveToFile(PathOf("opaque.unknown"))) << "a failed save is reported";
  EXPECT_FALSE(TvgBitmap().SaveToStream(jpeg));
  EXPECT_EQ(jpeg.Memory()[0], 0xFF) << "opaque pictures as JPEG";
  EXPECT_NE(Args("GdipSaveImageToStream").back().find("{quality=100}"), std::string::npos);
}

TEST_F(FilterTest, EncoderLookupMatchesMimeTypesExactly) {
  gdip::CLSID clsid{};
  EXPECT_GE(TvgFilterGdiPlus::FindImageEncoder(u"image/png", clsid), 0);
  EXPECT_EQ(TvgFilterGdiPlus::FindImageEncoder(u"IMAGE/PNG", clsid), -1);
  EXPECT_EQ(TvgFilterGdiPlus::FindImageEncoder(u"", clsid), -1);
  EXPECT_EQ(TvgFilterGdiPlus::GetFileTypes(), "*.bmp;*.jpg;*.jpeg;*.png;*.tif;*.tiff;*.gif;*.ico");
}

// A stream that raises on every operation.
class BrokenStream : public rtl::TStream {
 public:
  std::int64_t Read(void*, std::int64_t) override { throw rtl::EReadError("broken"); }
  std::int64_t Write(const void*, std::int64_t) override { throw rtl::EWriteError("broken"); }
  std::int64_t Seek(std::int64_t, rtl::TSeekOrigin) override { throw rtl::EStreamError("broken"); }
};

// A sink that keeps only the first `limit` bytes of each write.
class ShortSink final : public gdip::IStream {
 public:
  explicit ShortSink(gdip::UINT limit) : limit_(limit) {}
  gdip::UINT AddRef() override { return 1; }
  gdip::UINT Release() override { return 1; }
  gdip::HRESULT Read(void*, gdip::UINT, gdip::UINT*) override { return gdip::E_NOTIMPL; }
  gdip::HRESULT Write(const void*, gdip::UINT cb, gdip::UINT* written) override {
    *written = std::min(cb, limit_);
    return gdip::S_OK;
  }
  gdip::HRESULT Seek(std::int64_t, gdip::UINT, std::uint64_t*) override { return gdip::E_NOTIMPL; }
  gdip::HRESULT SetSize(std::uint64_t) override { return gdip::E_NOTIMPL; }
  gdip::HRESULT CopyTo(IStream*, std::uint64_t, std::uint64_t*, std::uint64_t*) override {
    return gdip::E_NOTIMPL;
  }
  gdip::HRESULT Commit(gdip::UINT) override { return gdip::S_OK; }
  gdip::HRESULT Revert() override { return gdip::S_OK; }
  gdip::HRESULT LockRegion(std::uint64_t, std::uint64_t, gdip::UINT) override { return gdip::S_OK; }
  gdip::HRESULT UnlockRegion(std::uint64_t, std::uint64_t, gdip::UINT) override {
    return gdip::S_OK;
  }
  gdip::HRESULT Stat(gdip::STATSTG*, gdip::UINT) override { return gdip::S_OK; }
  gdip::HRESULT Clone(IStream**) override { return gdip::E_NOTIMPL; }

 private:
  gdip::UINT limit_;
};

struct AdapterRef {
  explicit AdapterRef(rtl::TStream* stream) : adapter(new TMyStreamAdapter(stream)) {}
  ~AdapterRef() { adapter->Release(); }
  TMyStreamAdapter* operator->() const { return adapter; }
  TMyStreamAdapter* adapter;
};

TEST(StreamAdapter, ReportsComResultCodes) {
  rtl::TStringStream text("0123456789");
  AdapterRef a(&text);
  char buffer[4];
  gdip::UINT count = 0;
  std::uint64_t position = 99;
  EXPECT_EQ(a->Read(nullptr, 4, &count), gdip::STG_E_INVALIDPOINTER);
  EXPECT_EQ(a->Write(nullptr, 4, &count), gdip::STG_E_INVALIDPOINTER);
  EXPECT_EQ(a->Seek(2, gdip::STREAM_SEEK_SET, &position), gdip::S_OK);
  EXPECT_EQ(position, 2u);
  EXPECT_EQ(a->Seek(5, 3, &position), gdip::STG_E_INVALIDFUNCTION);
  EXPECT_EQ(position, 2u);
  EXPECT_EQ(a->Read(buffer, 4, &count), gdip::S_OK);
  EXPECT_EQ(count, 4u);
  EXPECT_EQ(std::string(buffer, 4), "2345") << "origin 3 did not move the stream";
  EXPECT_EQ(a->Seek(-1, gdip::STREAM_SEEK_END, &position), gdip::S_OK);
  EXPECT_EQ(position, 9u);
  EXPECT_EQ(a->SetSize(4), gdip::S_OK);
  EXPECT_EQ(text.Size(), 4);

  EXPECT_EQ(a->Stat(nullptr, 0), gdip::S_OK);
  gdip::STATSTG stat;
  EXPECT_EQ(a->Stat(&stat, 0), gdip::S_OK);
  EXPECT_EQ(stat.type, gdip::STGTY_STREAM);
  EXPECT_EQ(stat.cbSize, 4u);
  EXPECT_EQ(stat.grfLocksSupported, gdip::kLockWrite);
  EXPECT_GT(stat.mtime.dwHighDateTime, 0x01D00000u) << "a time after 2014";

  gdip::IStream* clone = a.adapter;
  EXPECT_EQ(a->Clone(&clone), gdip::E_NOTIMPL);
  EXPECT_EQ(clone, nullptr);
  EXPECT_EQ(a->Commit(0), gdip::S_OK);
  EXPECT_EQ(a->Revert(), gdip::STG_E_REVERTED);
  EXPECT_EQ(a->LockRegion(0, 1, 1), gdip::STG_E_INVALIDFUNCTION);
  EXPECT_EQ(a->UnlockRegion(0, 1, 1), gdip::STG_E_INVALIDFUNCTION);
}

TEST(StreamAdapter, TurnsStreamErrorsIntoResults) {
  BrokenStream broken;
  AdapterRef a(&broken);
  char buffer[4];
  gdip::UINT count = 0;
  gdip::STATSTG stat;
  EXPECT_EQ(a->Read(buffer, 4, &count), gdip::S_FALSE);
  EXPECT_EQ(a->Write(buffer, 4, &count), gdip::STG_E_CANTSAVE);
  EXPECT_EQ(a->Seek(0, gdip::STREAM_SEEK_SET, nullptr), gdip::STG_E_INVALIDPOINTER);
  EXPECT_EQ(a->SetSize(3), gdip::E_UNEXPECTED);
  EXPECT_EQ(a->Stat(&stat, 0), gdip::E_UNEXPECTED);
  ShortSink sink(100);
  EXPECT_EQ(a->CopyTo(&sink, 10, nullptr, nullptr), gdip::E_UNEXPECTED);
}

TEST(StreamAdapter, CopiesUntilTheCountOrAShortWrite) {
  rtl::TStringStream text("0123456789");
  AdapterRef a(&text);
  rtl::TMemoryStream target;
  AdapterRef b(&target);
  std::uint64_t read = 0, written = 0;
  EXPECT_EQ(a->CopyTo(b.adapter, 6, &read, &written), gdip::S_OK);
  EXPECT_EQ(read, 6u);
  EXPECT_EQ(written, 6u);
  EXPECT_EQ(a->CopyTo(b.adapter, 100, &read, &written), gdip::S_OK) << "ends at the stream's end";
  EXPECT_EQ(read, 4u);
  EXPECT_EQ(target.Size(), 10);

  text.SetPosition(0);
  ShortSink sink(3);
  EXPECT_EQ(a->CopyTo(&sink, 10, &read, &written), gdip::E_FAIL);
  EXPECT_EQ(read, 10u);
  EXPECT_EQ(written, 3u);
}

}  // namespace
}  // namespace vgtest
