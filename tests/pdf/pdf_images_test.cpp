// Image objects: JPEG bytes kept unchanged, raw bitmap samples, the indexed
// colour space and the creators' errors.
#include <gtest/gtest.h>

#include "pdf/PdfDoc.h"
#include "pdf/PdfImages.h"
#include "tests/pdf/pdf_test_support.h"

namespace pdf {
namespace {

using pdftest::WrittenValue;

std::string StreamBytes(TPdfStream& stream) {
  const rtl::TBytes& bytes = stream.Stream().Bytes();
  return std::string(bytes.begin(), bytes.end());
}

class PdfImagesTest : public ::testing::Test {
 protected:
  void SetUp() override { RegisterPdfClasses(); }
};

TEST_F(PdfImagesTest, JpegBytesAreStoredUnchanged) {
  for (const bool gray : {false, true}) {
    const rtl::TJPEGImage jpeg = pdftest::SolidJpeg(30, 20, {10, 200, 30}, gray);
    std::unique_ptr<TPdfXObject> image(CreatePdfImage(jpeg, "Pdf-Jpeg"));
    const rtl::TBytes& file = jpeg.Data();
    EXPECT_EQ(StreamBytes(*image), std::string(file.begin(), file.end()));
    const std::string head = WrittenValue(image->Attributes());
    EXPECT_EQ(head, "<<\r\n/Length 0\r\n/Filter [/DCTDecode ]\r\n/Type /XObject\r\n/Subtype /Image\r\n/ColorSpace /" +
                        std::string(gray ? "DeviceGray" : "DeviceRGB") +
                        "\r\n/Width 30\r\n/Height 20\r\n/BitsPerComponent 8\r\n>>");
    const std::string written = WrittenValue(image.get());
    EXPECT_NE(written.find("/Length " + std::to_string(file.size()) + "\r\n"), std::string::npos);
  }
}

TEST_F(PdfImagesTest, JpegColourSpaceFollowsTheFile) {
  rtl::TJPEGImage flagChanged = pdftest::SolidJpeg(8, 8, {10, 200, 30}, false);
  flagChanged.SetGrayscale(true);  // after compression: the file stays colour
  const struct {
    const char* name;
    rtl::TJPEGImage jpeg;
    std::string colorSpace;
  } cases[] = {
      {"gray file", pdftest::SolidJpegFile(8, 8, JCS_GRAYSCALE, {90}), "/ColorSpace /DeviceGray\r\n"},
      {"RGB file", pdftest::SolidJpegFile(8, 8, JCS_RGB, {1, 2, 3}), "/ColorSpace /DeviceRGB\r\n"},
      {"flag changed", std::move(flagChanged), "/ColorSpace /DeviceRGB\r\n"},
      {"CMYK file", pdftest::SolidJpegFile(8, 8, JCS_CMYK, {255, 0, 0, 255}),
       "/ColorSpace /DeviceCMYK\r\n/Width 8\r\n/Height 8\r\n/BitsPerComponent 8\r\n/Decode [1 0 1 0 1 0 1 0 ]\r\n"},
  };
  for (const auto& c : cases) {
    std::unique_ptr<TPdfXObject> image(CreatePdfImage(c.jpeg, "Pdf-Jpeg"));
    EXPECT_NE(WrittenValue(image->Attributes()).find(c.colorSpace), std::string::npos) << c.name;
  }
  const rtl::TJPEGImage twoComponents = pdftest::SolidJpegFile(8, 8, JCS_UNKNOWN, {1, 2});
  try {
    CreatePdfImage(twoComponents, "Pdf-Jpeg");
    FAIL();
  } catch (const EPdfInvalidValue& e) {
    EXPECT_STREQ(e.what(), "CreateImage --a JPEG of 2 colour components is not supported.");
  }
}

TEST_F(PdfImagesTest, JpegCreatorRefusesOtherPictures) {
  const rtl::TBitmap bitmap(2, 2);
  try {
    CreatePdfImage(bitmap, "Pdf-Jpeg");
    FAIL();
  } catch (const EPdfInvalidValue& e) {
    EXPECT_STREQ(e.what(), "only jpeg image is allowed.");
  }
  try {
    CreatePdfImage(bitmap, "Pdf-Gif");
    FAIL();
  } catch (const rtl::EClassNotFound& e) {
    EXPECT_STREQ(e.what(), "Class Pdf-Gif not found");
  }
}

TEST_F(PdfImagesTest, RgbBitmapSamples) {
  rtl::TBitmap bitmap(2, 2, rtl::TPixelFormat::pf32bit);
  bitmap.SetPixelColor(0, 0, {255, 0, 0});
  bitmap.SetPixelColor(1, 1, {1, 2, 3});
  std::unique_ptr<TPdfXObject> image(CreatePdfImage(bitmap, "Pdf-Bitmap"));
  EXPECT_EQ(StreamBytes(*image), std::string("\xFF\0\0\0\0\0\0\0\0\x01\x02\x03", 12));
  EXPECT_EQ(WrittenValue(image->Attributes()),
            "<<\r\n/Length 0\r\n/Filter []\r\n/Type /XObject\r\n/Subtype /Image\r\n/ColorSpace /DeviceRGB\r\n"
            "/Width 2\r\n/Height 2\r\n/BitsPerComponent 8\r\n>>");
}

TEST_F(PdfImagesTest, OneBitBitmapBecomesIndexed) {
  rtl::TBitmap bitmap(3, 1, rtl::TPixelFormat::pf1bit);
  bitmap.SetPalette({{0, 0, 0}, {255, 255, 255}});
  bitmap.SetPixelColor(1, 0, {255, 255, 255});
  std::unique_ptr<TPdfXObject> image(CreatePdfImage(bitmap, "Pdf-Bitmap"));
  EXPECT_EQ(StreamBytes(*image), std::string("\0\x01\0", 3));
  const std::string colorSpace = WrittenValue(image->Attributes()->ValueByName("ColorSpace"));
  EXPECT_EQ(colorSpace.substr(0, 43), "[/Indexed /DeviceRGB 255 <000000 FFFFFF 000");
  EXPECT_EQ(colorSpace.size(), 25 + 1 + 256 * 7 + 1 + 2u);
  EXPECT_EQ(colorSpace.substr(colorSpace.size() - 5), "0 > ]");
}

TEST_F(PdfImagesTest, IndexedColorSpaceNeedsAPalette) {
  const rtl::TBitmap bitmap(2, 2, rtl::TPixelFormat::pf8bit);
  try {
    CreatePdfImage(bitmap, "Pdf-Bitmap");
    FAIL();
  } catch (const EPdfInvalidImageFormat& e) {
    EXPECT_STREQ(e.what(), "failed to get Palette..");
  }
}

TEST_F(PdfImagesTest, JpegPictureAsBitmapImage) {
  const rtl::TJPEGImage jpeg = pdftest::SolidJpeg(8, 8, {0, 0, 255}, false);
  std::unique_ptr<TPdfXObject> image(CreatePdfImage(jpeg, "Pdf-Bitmap"));
  const std::string samples = StreamBytes(*image);
  ASSERT_EQ(samples.size(), 8 * 8 * 3u);
  EXPECT_LT(static_cast<unsigned char>(samples[0]), 8);
  EXPECT_GT(static_cast<unsigned char>(samples[2]), 247);
}

}  // namespace
}  // namespace pdf
