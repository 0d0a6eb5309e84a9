#pragma once
// A document shaped like the settings report: one 2479 x 4508 page, three
// JPEG pictures with captions in "Chinese" 34 and "Arial-BoldItalic" 38.
// Shared by the reader checks and the benchmark.
#include <string>
#include <vector>

#include "pdf/PdfDoc.h"
#include "pdf/PdfImages.h"
#include "platform/rtl/Jpeg.h"

namespace pdffixture {

struct ReportPicture {
  std::string name;
  int x, y, width, height;  // where it is drawn on the page
  int pixelWidth, pixelHeight;
  rtl::TPaletteEntry color;
  bool grayscale;
};

inline constexpr int kPageWidth = 2479;
inline constexpr int kPageHeight = 4508;
inline constexpr int kLeft = 138;
inline constexpr int kTop = 4454;

inline const std::vector<ReportPicture>& ReportPictures() {
  static const std::vector<ReportPicture> pictures = {
      {"ListBoxItem2", kLeft + 5, kTop - 1000 - 445, 429, 445, 429, 525, {200, 30, 30}, false},
      {"ListBoxItem3", kLeft + 5, kTop - 1500 - 445, 429, 445, 429, 525, {128, 128, 128}, true},
      {"item 12", kLeft + 600, kTop - 1000 - 400, 600, 400, 600, 400, {30, 60, 220}, false},
  };
  return pictures;
}

inline const std::u16string kChineseCaption = u"\u901F\u5EA6\u8BA1\u7B97 ESC";
inline const std::u16string kLatinCaption = u"Throttle (curve)";

// Solid pictures, compressed at quality 100 as the report makes them.
inline std::vector<rtl::TJPEGImage> MakeReportJpegs() {
  std::vector<rtl::TJPEGImage> jpegs;
  for (const auto& picture : ReportPictures()) {
    rtl::TBitmap bitmap(picture.pixelWidth, picture.pixelHeight, rtl::TPixelFormat::pf32bit);
    for (int y = 0; y < bitmap.Height(); ++y) {
      for (int x = 0; x < bitmap.Width(); ++x) bitmap.SetPixelColor(x, y, picture.color);
    }
    rtl::TJPEGImage& jpeg = jpegs.emplace_back();
    jpeg.SetCompressionQuality(100);
    jpeg.SetGrayscale(picture.grayscale);
    jpeg.Assign(bitmap);
    jpeg.Compress();
  }
  return jpegs;
}

// Builds the document and writes it to `stream`.
inline void WriteReportLikeDocument(const std::vector<rtl::TJPEGImage>& jpegs, rtl::TStream& stream) {
  pdf::TPdfDoc doc;
  doc.SetDefaultPageWidth(kPageWidth);
  doc.SetDefaultPageHeight(kPageHeight);
  doc.NewDoc();
  doc.AddPage();
  pdf::TPdfCanvas* canvas = doc.Canvas();
  const auto& pictures = ReportPictures();
  for (size_t i = 0; i < pictures.size(); ++i) {
    const ReportPicture& picture = pictures[i];
    doc.AddXObject(picture.name, pdf::CreatePdfImage(jpegs[i], "Pdf-Jpeg"));
    canvas->DrawXObject(picture.x, picture.y, picture.width, picture.height, picture.name);
    const bool chinese = i == 0;
    canvas->SetFont(chinese ? "Chinese" : "Arial-BoldItalic", chinese ? 34 : 38);
    canvas->BeginText();
    canvas->MoveTextPoint(picture.x + 60, picture.y + picture.height);
    canvas->ShowText(chinese ? kChineseCaption : kLatinCaption);
    canvas->EndText();
  }
  doc.SaveToStream(stream);
}

}  // namespace pdffixture
