// The picture classes: bitmap formats and palette, JPEG compression and
// loading over libjpeg.
#include "platform/rtl/Graphics.h"

#include <gtest/gtest.h>

#include "platform/rtl/Jpeg.h"

namespace rtl {
namespace {

TBitmap Gradient(int width, int height) {
  TBitmap bitmap(width, height);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      bitmap.SetPixelColor(x, y, {static_cast<std::uint8_t>(x * 7), static_cast<std::uint8_t>(y * 5), 90});
    }
  }
  return bitmap;
}

// The marker that follows the start of image and the tables: SOF0 for baseline.
bool HasMarker(const TBytes& file, std::uint8_t marker) {
  for (size_t i = 0; i + 1 < file.size(); ++i) {
    if (file[i] == 0xFF && file[i + 1] == marker) return true;
  }
  return false;
}

TEST(Bitmap, RowsArePaddedAndFormatsConvert) {
  TBitmap bitmap(3, 2, TPixelFormat::pf24bit);
  EXPECT_EQ(bitmap.RowBytes(), 12);
  bitmap.SetPixelColor(2, 1, {1, 2, 3});
  EXPECT_EQ(bitmap.ScanLine(1)[6], 3);  // blue first
  bitmap.SetPalette({{0, 0, 0}, {1, 2, 3}});
  bitmap.SetPixelFormat(TPixelFormat::pf1bit);
  EXPECT_EQ(bitmap.RowBytes(), 4);
  EXPECT_EQ(bitmap.ScanLine(1)[0], 0x20);  // third pixel, index 1
  bitmap.SetPixelFormat(TPixelFormat::pf8bit);
  EXPECT_EQ(bitmap.ScanLine(1)[2], 1);
  bitmap.SetPixelFormat(TPixelFormat::pf32bit);
  EXPECT_EQ(bitmap.PixelColor(2, 1).Blue, 3);
  TPaletteEntry entries[4];
  EXPECT_EQ(bitmap.GetPaletteEntries(1, 4, entries), 1);
  EXPECT_EQ(entries[0].Green, 2);
}

TEST(Jpeg, CompressesBaselineAndReadsBack) {
  TJPEGImage jpeg;
  jpeg.SetCompressionQuality(100);
  jpeg.Assign(Gradient(33, 17));
  const TBytes file = jpeg.Data();
  ASSERT_GT(file.size(), 4u);
  EXPECT_EQ(file[0], 0xFF);
  EXPECT_EQ(file[1], 0xD8);
  EXPECT_EQ(file[file.size() - 1], 0xD9);
  EXPECT_TRUE(HasMarker(file, 0xC0));
  EXPECT_FALSE(HasMarker(file, 0xC2));

  TMemoryStream stream;
  jpeg.SaveToStream(stream);
  stream.SetPosition(0);
  TJPEGImage loaded;
  loaded.LoadFromStream(stream);
  EXPECT_EQ(loaded.Width(), 33);
  EXPECT_EQ(loaded.Height(), 17);
  EXPECT_FALSE(loaded.Grayscale());
  TBitmap decoded;
  decoded.Assign(loaded);
  EXPECT_EQ(decoded.PixelFormat(), TPixelFormat::pf24bit);
  EXPECT_NEAR(decoded.PixelColor(20, 10).Red, 140, 4);
  EXPECT_NEAR(decoded.PixelColor(20, 10).Green, 50, 4);
}

TEST(Jpeg, QualityAndGrayscale) {
  auto compressed = [](int quality, bool gray) {
    TJPEGImage jpeg;
    jpeg.SetCompressionQuality(quality);
    jpeg.SetGrayscale(gray);
    jpeg.Assign(Gradient(64, 64));
    return jpeg;
  };
  EXPECT_LT(compressed(20, false).Data().size(), compressed(100, false).Data().size());
  TMemoryStream stream;
  compressed(90, true).SaveToStream(stream);
  stream.SetPosition(0);
  TJPEGImage loaded;
  loaded.LoadFromStream(stream);
  EXPECT_TRUE(loaded.Grayscale());
}

TEST(Jpeg, BadDataRaisesInsteadOfAborting) {
  TBytesViewStream garbage("not a jpeg at all", 17);
  TJPEGImage jpeg;
  EXPECT_THROW(jpeg.LoadFromStream(garbage), EJPEG);
  TJPEGImage empty;
  empty.Assign(TBitmap());
  EXPECT_THROW(empty.Compress(), EJPEG);
}

}  // namespace
}  // namespace rtl
