#include "pdf/PdfJpegImage.h"

#include "platform/rtl/Jpeg.h"

namespace pdf {

TPdfImage* TPdfJpegImage::CreateImage(const rtl::TGraphic& image) {
  const auto* jpeg = dynamic_cast<const rtl::TJPEGImage*>(&image);
  if (!jpeg) throw EPdfInvalidValue("only jpeg image is allowed.");
  const rtl::TJPEGImage& picture = *jpeg;
  auto result = std::make_unique<TPdfImage>();
  picture.SaveToStream(result->Stream());
  TPdfDictionary* attributes = result->Attributes();
  attributes->AddNameItem("Type", "XObject");
  attributes->AddNameItem("Subtype", "Image");
  attributes->AddNameItem("ColorSpace", picture.Grayscale() ? "DeviceGray" : "DeviceRGB");
  attributes->AddNumberItem("Width", picture.Width());
  attributes->AddNumberItem("Height", picture.Height());
  attributes->AddNumberItem("BitsPerComponent", 8);
  attributes->PdfArrayByName("Filter")->AddItem(new TPdfName("DCTDecode"));
  return result.release();
}

}  // namespace pdf
