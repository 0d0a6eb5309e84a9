#pragma once
// Helpers shared by the PDF writer's tests.
#include <string>

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

// A new JPEG image object the caller owns.
inline pdf::TPdfXObject* MakeJpegXObject(int width, int height, bool grayscale) {
  return pdf::CreatePdfImage(SolidJpeg(width, height, {200, 100, 50}, grayscale), "Pdf-Jpeg");
}

}  // namespace pdftest
