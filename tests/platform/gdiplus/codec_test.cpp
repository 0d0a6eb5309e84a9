// Decoding, encoding and pixel access of the cairo implementation's bitmaps.
#include <gdk-pixbuf/gdk-pixbuf.h>

#include <cstdlib>
#include <filesystem>

#include "tests/platform/gdiplus/GdipTestSupport.h"

namespace gdip::testing {
namespace {

class CodecTest : public ::testing::Test {
 protected:
  // 4 x 3: a different colour in each corner, and one half-transparent pixel.
  std::vector<ARGB> picture{0xFFFF0000, 0xFF00FF00, 0xFF00FF00, 0xFF0000FF,  //
                            0xFF808080, 0x80400000, 0xFF808080, 0xFF808080,  //
                            0xFFFFFFFF, 0xFF000000, 0xFF000000, 0xFFFFFF00};
  std::unique_ptr<GdiPlus> api = CreateCairoGdiPlus();
  GpBitmap* bitmap = nullptr;

  void SetUp() override {
    ASSERT_EQ(api->GdipCreateBitmapFromScan0(4, 3, 16, PixelFormat32bppPARGB, reinterpret_cast<BYTE*>(picture.data()),
                                             &bitmap),
              Ok);
  }
  void TearDown() override { api->GdipDisposeImage(bitmap); }

  CLSID EncoderFor(const std::u16string& mime) {
    UINT count = 0, size = 0;
    EXPECT_EQ(api->GdipGetImageEncodersSize(&count, &size), Ok);
    std::vector<std::uint8_t> buffer(size);
    auto* codecs = reinterpret_cast<ImageCodecInfo*>(buffer.data());
    EXPECT_EQ(api->GdipGetImageEncoders(count, size, codecs), Ok);
    for (UINT i = 0; i < count; ++i) {
      if (codecs[i].MimeType == mime) return codecs[i].Clsid;
    }
    ADD_FAILURE() << "no encoder";
    return {};
  }
  VectorStream* Save(const std::u16string& mime, const EncoderParameters* params = nullptr) {
    auto* stream = new VectorStream;
    const CLSID clsid = EncoderFor(mime);
    EXPECT_EQ(api->GdipSaveImageToStream(bitmap, stream, &clsid, params), Ok);
    stream->position = 0;
    return stream;
  }
  std::vector<ARGB> Load(IStream* stream, UINT* w = nullptr, UINT* h = nullptr) {
    GpImage* image = nullptr;
    EXPECT_EQ(api->GdipLoadImageFromStreamICM(stream, &image), Ok);
    if (!image) return {};
    UINT width = 0, height = 0;
    api->GdipGetImageWidth(image, &width);
    api->GdipGetImageHeight(image, &height);
    if (w) *w = width;
    if (h) *h = height;
    std::vector<ARGB> out(size_t(width) * height);
    BitmapData data{};
    EXPECT_EQ(api->GdipBitmapLockBits(static_cast<GpBitmap*>(image), nullptr, ImageLockModeRead, PixelFormat32bppPARGB,
                                      &data),
              Ok);
    for (UINT y = 0; y < height; ++y) {
      std::memcpy(&out[size_t(y) * width], static_cast<BYTE*>(data.Scan0) + size_t(y) * data.Stride, width * 4);
    }
    api->GdipBitmapUnlockBits(static_cast<GpBitmap*>(image), &data);
    api->GdipDisposeImage(image);
    return out;
  }
};

int Distance(ARGB a, ARGB b) {
  int worst = 0;
  for (int shift = 0; shift < 32; shift += 8)
    worst = std::max(worst, std::abs(int((a >> shift) & 0xFF) - int((b >> shift) & 0xFF)));
  return worst;
}

struct RoundTrip {
  std::u16string mime;
  ARGB halfTransparent;  // what 0x80400000 comes back as
  int tolerance;
};

class RoundTripTest : public CodecTest, public ::testing::WithParamInterface<RoundTrip> {};

TEST_P(RoundTripTest, PicturesComeBackThroughAStream) {
  const RoundTrip& c = GetParam();
  VectorStream* stream = Save(c.mime);
  UINT w = 0, h = 0;
  const std::vector<ARGB> back = Load(stream, &w, &h);
  stream->Release();
  ASSERT_EQ(w, 4u);
  ASSERT_EQ(h, 3u);
  for (size_t i = 0; i < picture.size(); ++i) {
    const ARGB expected = i == 5 ? c.halfTransparent : picture[i];
    EXPECT_LE(Distance(back[i], expected), c.tolerance) << i << ": " << std::hex << back[i] << " vs " << expected;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Formats, RoundTripTest,
    // Without alpha, pixels are flattened onto black; GIF
    // keeps the colour of pixels at least half opaque.
    ::testing::Values(RoundTrip{u"image/png", 0x80400000, 1}, RoundTrip{u"image/bmp", 0xFF400000, 0},
                      RoundTrip{u"image/tiff", 0x80400000, 1}, RoundTrip{u"image/gif", 0xFF800000, 0}),
    [](const auto& test) { return std::string(test.param.mime.begin() + 6, test.param.mime.end()); });

TEST_F(CodecTest, JpegRoundTripKeepsBlocksOfColour) {
  std::vector<ARGB> quadrants(16 * 16);
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 16; ++x) quadrants[y * 16 + x] = (x < 8) == (y < 8) ? 0xFFC02020 : 0xFF2040C0;
  GpBitmap* big = nullptr;
  api->GdipCreateBitmapFromScan0(16, 16, 64, PixelFormat32bppPARGB, reinterpret_cast<BYTE*>(quadrants.data()), &big);
  std::swap(big, bitmap);
  VectorStream* stream = Save(u"image/jpeg");
  std::swap(big, bitmap);
  api->GdipDisposeImage(big);
  const std::vector<ARGB> back = Load(stream);
  stream->Release();
  ASSERT_EQ(back.size(), quadrants.size());
  for (int i : {3 * 16 + 3, 3 * 16 + 12, 12 * 16 + 3, 12 * 16 + 12})
    EXPECT_LE(Distance(back[i], quadrants[i]), 16) << i;
}

TEST_F(CodecTest, GifKeepsTransparencyAndManyColoursStillEncode) {
  picture[5] = 0x10100000;  // mostly transparent: the transparent index
  VectorStream* stream = Save(u"image/gif");
  EXPECT_EQ(Load(stream)[5], 0u);
  stream->Release();
  // Noise in more colours than a palette holds: the fixed cube, and enough
  // codes to fill the compressor's table more than once.
  std::vector<ARGB> ramp(128 * 128);
  std::uint32_t seed = 7;
  for (ARGB& p : ramp) p = 0xFF000000 | ((seed = seed * 1103515245 + 12345) >> 8);
  GpBitmap* big = nullptr;
  api->GdipCreateBitmapFromScan0(128, 128, 512, PixelFormat32bppPARGB, reinterpret_cast<BYTE*>(ramp.data()), &big);
  auto* out = new VectorStream;
  const CLSID gif = EncoderFor(u"image/gif");
  ASSERT_EQ(api->GdipSaveImageToStream(big, out, &gif, nullptr), Ok);
  out->position = 0;
  const std::vector<ARGB> back = Load(out);
  ASSERT_EQ(back.size(), ramp.size());
  for (size_t i = 0; i < ramp.size(); ++i) ASSERT_LE(Distance(back[i], ramp[i]), 26) << i;
  out->Release();
  api->GdipDisposeImage(big);
}

TEST_F(CodecTest, JpegQualityComesFromTheLastQualityEntry) {
  std::vector<ARGB> noise(64 * 64);
  std::uint32_t seed = 1;
  for (ARGB& p : noise) p = 0xFF000000 | ((seed = seed * 1103515245 + 12345) >> 8);
  GpBitmap* big = nullptr;
  api->GdipCreateBitmapFromScan0(64, 64, 256, PixelFormat32bppPARGB, reinterpret_cast<BYTE*>(noise.data()), &big);
  std::swap(big, bitmap);
  auto sizeAt = [&](UINT quality) {
    EncoderParameters params{1, {{EncoderQuality, 1, EncoderParameterValueTypeLong, &quality}}};
    VectorStream* s = Save(u"image/jpeg", &params);
    const size_t n = s->bytes.size();
    s->Release();
    return n;
  };
  EXPECT_LT(sizeAt(10), sizeAt(95));
  EXPECT_EQ(sizeAt(100), sizeAt(250));  // clamped to 100
  std::swap(big, bitmap);
  api->GdipDisposeImage(big);
}

TEST_F(CodecTest, FilesAndIconsAndBadInput) {
  const std::filesystem::path dir = ::testing::TempDir();
  const std::u16string png = (dir / "gdip_codec.png").u16string();
  const CLSID clsid = EncoderFor(u"image/png");
  ASSERT_EQ(api->GdipSaveImageToFile(bitmap, png.c_str(), &clsid, nullptr), Ok);
  EXPECT_TRUE(std::filesystem::file_size(dir / "gdip_codec.png") > 0);
  EXPECT_EQ(api->GdipSaveImageToFile(bitmap, u"/no/such/dir/x.png", &clsid, nullptr), Win32Error);
  const CLSID unknown{};
  EXPECT_EQ(api->GdipSaveImageToFile(bitmap, png.c_str(), &unknown, nullptr), InvalidParameter);

  // An icon written by gdk-pixbuf decodes.
  GdkPixbuf* pixbuf = gdk_pixbuf_new(GDK_COLORSPACE_RGB, true, 8, 16, 16);
  gdk_pixbuf_fill(pixbuf, 0x00FF00FF);
  gchar* bytes = nullptr;
  gsize size = 0;
  ASSERT_TRUE(gdk_pixbuf_save_to_buffer(pixbuf, &bytes, &size, "ico", nullptr, nullptr));
  g_object_unref(pixbuf);
  auto* ico = new VectorStream;
  ico->bytes.assign(bytes, bytes + size);
  g_free(bytes);
  UINT w = 0;
  EXPECT_EQ(Load(ico, &w)[0], 0xFF00FF00u);
  EXPECT_EQ(w, 16u);
  ico->Release();

  auto* junk = new VectorStream;
  junk->bytes = {1, 2, 3, 4};
  GpImage* image = nullptr;
  EXPECT_EQ(api->GdipLoadImageFromStreamICM(junk, &image), UnknownImageFormat);
  EXPECT_EQ(image, nullptr);
  UINT width = 7;
  EXPECT_EQ(api->GdipGetImageWidth(image, &width), InvalidParameter);
  junk->Release();
}

TEST_F(CodecTest, OneStreamDecodesTwiceFromItsPosition) {
  VectorStream* stream = Save(u"image/png");
  stream->bytes.insert(stream->bytes.begin(), {9, 9, 9});
  stream->position = 3;
  GpImage* first = nullptr;
  GpBitmap* second = nullptr;
  ASSERT_EQ(api->GdipLoadImageFromStreamICM(stream, &first), Ok);
  ASSERT_EQ(api->GdipCreateBitmapFromStreamICM(stream, &second), Ok);
  EXPECT_EQ(stream->position, 3u);
  api->GdipDisposeImage(first);
  api->GdipDisposeImage(second);
  stream->Release();
}

TEST_F(CodecTest, RotateFlipTurnsClockwise) {
  struct Case {
    RotateFlipType type;
    UINT w, h;
    ARGB topLeft, topRight;
  };
  for (const Case& c :
       {Case{Rotate90FlipNone, 3, 4, 0xFFFFFFFF, 0xFFFF0000}, Case{Rotate180FlipNone, 4, 3, 0xFFFFFF00, 0xFFFFFFFF},
        Case{Rotate270FlipNone, 3, 4, 0xFF0000FF, 0xFFFFFF00}, Case{RotateNoneFlipX, 4, 3, 0xFF0000FF, 0xFFFF0000}}) {
    auto* stream = Save(u"image/png");
    GpBitmap* turned = nullptr;
    ASSERT_EQ(api->GdipCreateBitmapFromStreamICM(stream, &turned), Ok);
    stream->Release();
    ASSERT_EQ(api->GdipImageRotateFlip(turned, c.type), Ok);
    UINT w = 0, h = 0;
    api->GdipGetImageWidth(turned, &w);
    api->GdipGetImageHeight(turned, &h);
    EXPECT_EQ(w, c.w) << c.type;
    EXPECT_EQ(h, c.h) << c.type;
    BitmapData data{};
    ASSERT_EQ(api->GdipBitmapLockBits(turned, nullptr, ImageLockModeRead, PixelFormat32bppPARGB, &data), Ok);
    const ARGB* row = static_cast<const ARGB*>(data.Scan0);
    EXPECT_EQ(row[0], c.topLeft) << c.type;
    EXPECT_EQ(row[w - 1], c.topRight) << c.type;
    api->GdipBitmapUnlockBits(turned, &data);
    api->GdipDisposeImage(turned);
  }
}

TEST_F(CodecTest, LockBitsSharesThePixelsAndThumbnailsScale) {
  const Rect inner{1, 1, 2, 1};
  BitmapData data{};
  ASSERT_EQ(
      api->GdipBitmapLockBits(bitmap, &inner, ImageLockModeRead | ImageLockModeWrite, PixelFormat32bppPARGB, &data),
      Ok);
  EXPECT_EQ(data.Scan0, &picture[5]);
  EXPECT_EQ(data.Stride, 16);
  api->GdipBitmapUnlockBits(bitmap, &data);
  const Rect outside{3, 0, 2, 1};
  EXPECT_EQ(api->GdipBitmapLockBits(bitmap, &outside, ImageLockModeRead, PixelFormat32bppPARGB, &data),
            InvalidParameter);

  GpImage* thumb = nullptr;
  ASSERT_EQ(api->GdipGetImageThumbnail(bitmap, 8, 6, &thumb, nullptr, nullptr), Ok);
  UINT w = 0;
  api->GdipGetImageWidth(thumb, &w);
  EXPECT_EQ(w, 8u);
  REAL dpi = 0;
  api->GdipGetImageHorizontalResolution(thumb, &dpi);
  EXPECT_EQ(dpi, 96);
  api->GdipBitmapSetResolution(static_cast<GpBitmap*>(thumb), 48, 48);
  // Drawn at its physical size: 48 dpi doubles it on a 96 dpi surface.
  Surface s(*api, 20, 20, false);
  api->GdipDrawImage(s.graphics, thumb, 0, 0);
  EXPECT_NE(s.At(15, 11), 0u);
  EXPECT_EQ(s.At(17, 13), 0u);
  api->GdipDisposeImage(thumb);

  // Shrinking by resolution: a target at a quarter of the picture's
  // resolution draws it at a quarter of its size.
  std::vector<ARGB> target(4, 0);
  GpBitmap* small = nullptr;
  api->GdipCreateBitmapFromScan0(2, 2, 8, PixelFormat32bppPARGB, reinterpret_cast<BYTE*>(target.data()), &small);
  api->GdipBitmapSetResolution(small, 24, 24);
  GpGraphics* g = nullptr;
  api->GdipGetImageGraphicsContext(small, &g);
  REAL targetDpi = 0;
  api->GdipGetDpiX(g, &targetDpi);
  EXPECT_EQ(targetDpi, 24);
  api->GdipDrawImage(g, bitmap, 0, 0);  // 4 x 3 at 96 dpi: 1 x 0.75
  EXPECT_NE(target[0], 0u);
  EXPECT_EQ(target[1], 0u);
  api->GdipDeleteGraphics(g);
  api->GdipDisposeImage(small);
}

}  // namespace
}  // namespace gdip::testing
