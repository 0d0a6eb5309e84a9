#include "pdf/PdfJpegImage.h"

#include "platform/rtl/Jpeg.h"

namespace pdf {

namespace {

// The colour space the file's own component count calls for.
const char* JpegColorSpace(int components) {
  switch (components) {
    case 1: return "DeviceGray";
    case 3: return "DeviceRGB";
    case 4: return "DeviceCMYK";
    default:
      throw EPdfInvalidValue(
          rtl::Format("CreateImage --a JPEG of %d colour components is not supported.", components));
  }
}

}  // namespace

TPdfImage* TPdfJpegImage::CreateImage(const rtl::TGraphic& image) {
  const auto* jpeg = dynamic_cast<const rtl::TJPEGImage*>(&image);
  if (!jpeg) throw EPdfInvalidValue("only jpeg image is allowed.");
  const rtl::TBytes& file = jpeg->Data();
  const rtl::TJPEGHeader header = rtl::ReadJPEGHeader(file);
  const char* colorSpace = JpegColorSpace(header.Components);
  auto result = std::make_unique<TPdfImage>();
  result->Stream().WriteBuffer(file.data(), static_cast<std::int64_t>(file.size()));
  TPdfDictionary* attributes = result->Attributes();
  attributes->AddNameItem("Type", "XObject");
  attributes->AddNameItem("Subtype", "Image");
  attributes->AddNameItem("ColorSpace", colorSpace);
  attributes->AddNumberItem("Width", header.Width);
  attributes->AddNumberItem("Height", header.Height);
  attributes->AddNumberItem("BitsPerComponent", 8);
  // CMYK JPEG files store their inks inverted, as Adobe's programs write them.
  if (header.Components == 4) {
    attributes->AddItem("Decode", TPdfArray::CreateNumArray(nullptr, {1, 0, 1, 0, 1, 0, 1, 0}));
  }
  attributes->PdfArrayByName("Filter")->AddItem(new TPdfName("DCTDecode"));
  return result.release();
}

}  // namespace pdf
