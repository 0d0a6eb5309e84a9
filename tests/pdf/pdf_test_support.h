#pragma once
// Helpers shared by the PDF writer's tests.
#include <cstdio>  // jpeglib.h needs FILE
#include <cstdlib>
#include <jpeglib.h>

#include <string>
#include <vector>

#include "pdf/PdfDoc.h"
#include "pdf/PdfImages.h"
#include "platform/rtl/Jpeg.h"

namespace pdftest {

inline const rtl::TDateTime kFixedTime = rtl::EncodeDate(2026, 1, 2) + rtl::EncodeTime(3, 4, 5, 0);

inline pdf::TPdfDoc::Clock FixedClock() {
  return [] { return kFixedTime; };
}

inline std::string SavedBytes(pdf::TPdfDoc& doc) {
  rtl::TStringStream stream;
  doc.SaveToStream(stream);
  return stream.DataString();
}

// The object as it is written where it is used.
inline std::string WrittenValue(pdf::TPdfObject* object) {
  rtl::TStringStream stream;
  object->WriteToStream(stream);
  return stream.DataString();
}

// An indirect object's value, without "n 0 obj" and "endobj".
inline std::string DefinedValue(pdf::TPdfObject* object) {
  rtl::TStringStream stream;
  object->WriteValueToStream(stream);
  const std::string& text = stream.DataString();
  const size_t start = text.find("obj\r\n") + 5;
  return text.substr(start, text.size() - start - 10);
}

inline std::string ContentBytes(pdf::TPdfDoc& doc) {
  const rtl::TBytes& bytes = doc.Canvas()->Contents()->Stream().Bytes();
  return std::string(bytes.begin(), bytes.end());
}

inline rtl::TJPEGImage SolidJpeg(int width, int height, rtl::TPaletteEntry color, bool grayscale) {
  rtl::TBitmap bitmap(width, height);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) bitmap.SetPixelColor(x, y, color);
  }
  rtl::TJPEGImage jpeg;
  jpeg.SetCompressionQuality(100);
  jpeg.SetGrayscale(grayscale);
  jpeg.Assign(bitmap);
  jpeg.Compress();
  return jpeg;
}

// A one-colour JPEG file written by libjpeg in `colorSpace` with one sample
// per component in `pixel` (JCS_CMYK: inks stored inverted, as Adobe's
// programs write CMYK files), loaded as a picture.
inline rtl::TJPEGImage SolidJpegFile(int width, int height, J_COLOR_SPACE colorSpace,
                                     const std::vector<std::uint8_t>& pixel) {
  jpeg_compress_struct c{};
  jpeg_error_mgr error{};
  c.err = jpeg_std_error(&error);  // a fault here ends the test run with libjpeg's message
  jpeg_create_compress(&c);
  unsigned char* out = nullptr;
  unsigned long outSize = 0;
  jpeg_mem_dest(&c, &out, &outSize);
  c.image_width = static_cast<JDIMENSION>(width);
  c.image_height = static_cast<JDIMENSION>(height);
  c.input_components = static_cast<int>(pixel.size());
  c.in_color_space = colorSpace;
  jpeg_set_defaults(&c);
  jpeg_set_quality(&c, 100, TRUE);
  jpeg_start_compress(&c, TRUE);
  std::vector<std::uint8_t> row;
  for (int x = 0; x < width; ++x) row.insert(row.end(), pixel.begin(), pixel.end());
  while (c.next_scanline < c.image_height) {
    JSAMPROW rows[] = {row.data()};
    jpeg_write_scanlines(&c, rows, 1);
  }
  jpeg_finish_compress(&c);
  jpeg_destroy_compress(&c);
  rtl::TStringStream file(std::string(reinterpret_cast<const char*>(out), outSize));
  std::free(out);
  rtl::TJPEGImage jpeg;
  jpeg.LoadFromStream(file);
  return jpeg;
}

// A new JPEG image object the caller owns.
inline pdf::TPdfXObject* MakeJpegXObject(int width, int height, bool grayscale) {
  return pdf::CreatePdfImage(SolidJpeg(width, height, {200, 100, 50}, grayscale), "Pdf-Jpeg");
}

}  // namespace pdftest
