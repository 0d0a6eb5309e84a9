#pragma once
// "Pdf-Jpeg": a JPEG picture's file bytes stored unchanged under DCTDecode.
#include "pdf/PdfImages.h"

namespace pdf {

class TPdfJpegImage : public TPdfImageCreator {
 public:
  // Raises EPdfInvalidValue "only jpeg image is allowed." for a picture that
  // is not an rtl::TJPEGImage.
  TPdfImage* CreateImage(const rtl::TGraphic& image) override;
};

}  // namespace pdf
