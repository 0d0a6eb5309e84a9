#include "pdf/PdfImages.h"

#include "pdf/PdfJpegImage.h"

namespace pdf {

namespace {

TPdfAliasRegistry<TPdfImageCreatorFactory>& CreatorRegistry() {
  static TPdfAliasRegistry<TPdfImageCreatorFactory> registry;
  return registry;
}

rtl::TPixelFormat StoredFormat(rtl::TPixelFormat format) {
  using rtl::TPixelFormat;
  return format <= TPixelFormat::pf8bit ? TPixelFormat::pf8bit : TPixelFormat::pf24bit;
}

}  // namespace

TPdfArray* TPdfImageCreator::CreateIndexedColorSpace(const rtl::TBitmap& bitmap) {
  if (bitmap.PixelFormat() != rtl::TPixelFormat::pf8bit) {
    throw EPdfInvalidImageFormat("only 8 bit color image is allowed.");
  }
  rtl::TPaletteEntry entries[256] = {};
  if (bitmap.GetPaletteEntries(0, 256, entries) == 0) throw EPdfInvalidImageFormat("failed to get Palette..");
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string lookup = "<";
  for (const auto& entry : entries) {
    for (const std::uint8_t component : {entry.Red, entry.Green, entry.Blue}) {
      lookup += kHex[component >> 4];
      lookup += kHex[component & 0xF];
    }
    lookup += ' ';
  }
  lookup += '>';
  auto* binary = new TPdfBinary();
  WriteAscii(binary->Stream(), lookup);
  auto* array = new TPdfArray(nullptr);
  array->AddItem(new TPdfName("Indexed"));
  array->AddItem(new TPdfName("DeviceRGB"));
  array->AddItem(new TPdfNumber(255));
  array->AddItem(binary);
  return array;
}

TPdfImage* TPdfBitmapImage::CreateImage(const rtl::TGraphic& image) {
  auto result = std::make_unique<TPdfImage>();
  TPdfDictionary* attributes = result->Attributes();
  attributes->AddNameItem("Type", "XObject");
  attributes->AddNameItem("Subtype", "Image");

  rtl::TBitmap bitmap;
  bitmap.Assign(image);
  bitmap.SetPixelFormat(StoredFormat(bitmap.PixelFormat()));
  rtl::TMemoryStream& data = result->Stream();
  if (bitmap.PixelFormat() == rtl::TPixelFormat::pf8bit) {
    for (int y = 0; y < bitmap.Height(); ++y) data.WriteBuffer(bitmap.ScanLine(y), bitmap.Width());
    attributes->AddItem("ColorSpace", CreateIndexedColorSpace(bitmap));
  } else {
    std::string row(static_cast<size_t>(bitmap.Width()) * 3, '\0');
    for (int y = 0; y < bitmap.Height(); ++y) {
      const std::uint8_t* pixel = bitmap.ScanLine(y);
      for (size_t x = 0; x < row.size(); x += 3, pixel += 3) {
        row[x] = static_cast<char>(pixel[2]), row[x + 1] = static_cast<char>(pixel[1]),
        row[x + 2] = static_cast<char>(pixel[0]);
      }
      WriteAscii(data, row);
    }
    attributes->AddNameItem("ColorSpace", "DeviceRGB");
  }
  attributes->AddNumberItem("Width", bitmap.Width());
  attributes->AddNumberItem("Height", bitmap.Height());
  attributes->AddNumberItem("BitsPerComponent", 8);
  return result.release();
}

void RegisterPdfImageCreator(const std::string& alias, TPdfImageCreatorFactory factory) {
  CreatorRegistry().Register(alias, std::move(factory));
}

void RegisterPdfImageCreators() {
  RegisterPdfImageCreator("Pdf-Bitmap", [] { return std::make_unique<TPdfBitmapImage>(); });
  RegisterPdfImageCreator("Pdf-Jpeg", [] { return std::make_unique<TPdfJpegImage>(); });
}

TPdfXObject* CreatePdfImage(const rtl::TGraphic& image, const std::string& alias) {
  return CreatorRegistry().Find(alias)()->CreateImage(image);
}

}  // namespace pdf
