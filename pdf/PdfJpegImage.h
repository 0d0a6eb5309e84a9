#pragma once
// "Pdf-Jpeg": a JPEG picture's file bytes stored unchanged under DCTDecode.
// The colour space follows the file's own component count.
#include "pdf/PdfImages.h"

namespace pdf {

class TPdfJpegImage : public TPdfImageCreator {
 public:
  // Gray, RGB or CMYK (with the inverted "Decode" of CMYK JPEG files) as the
  // file holds 1, 3 or 4 components. Raises EPdfInvalidValue "only jpeg image
  // is allowed." for a picture that is not an rtl::TJPEGImage, and for a file
  // of any other component count; rtl::EJPEG for bytes that are no JPEG file.
  TPdfImage* CreateImage(const rtl::TGraphic& image) override;
};

}  // namespace pdf
