#pragma once
// Image objects from pictures: creators registered under aliases turn a
// picture of the class library into an image XObject. "Pdf-Jpeg" copies the
// bytes of a JPEG picture unchanged under DCTDecode; "Pdf-Bitmap" stores raw
// samples (palette indices or RGB) of any other picture.
#include <functional>
#include <memory>

#include "pdf/PdfTypes.h"
#include "platform/rtl/Graphics.h"

namespace pdf {

// Raised by the bitmap creator for a picture it cannot store.
class EPdfInvalidImageFormat : public rtl::Exception {
 public:
  using rtl::Exception::Exception;
};

class TPdfImageCreator {
 public:
  virtual ~TPdfImageCreator() = default;
  // A new image object the caller owns, or null.
  virtual TPdfImage* CreateImage(const rtl::TGraphic& image) {
    (void)image;
    return nullptr;
  }

 protected:
  // [/Indexed /DeviceRGB 255 <rrggbb ...>] with 256 lookup entries of the
  // bitmap's palette (black beyond its own entries). Raises
  // EPdfInvalidImageFormat for a bitmap that is not 8-bit or has no palette.
  static TPdfArray* CreateIndexedColorSpace(const rtl::TBitmap& bitmap);
};

// "Pdf-Bitmap": raw samples, 8-bit indexed or 24-bit RGB, uncompressed.
class TPdfBitmapImage : public TPdfImageCreator {
 public:
  TPdfImage* CreateImage(const rtl::TGraphic& image) override;
};

using TPdfImageCreatorFactory = std::function<std::unique_ptr<TPdfImageCreator>()>;

// Registers a creator class under an alias (aliases compare without case).
void RegisterPdfImageCreator(const std::string& alias, TPdfImageCreatorFactory factory);
// Registers "Pdf-Bitmap" and "Pdf-Jpeg".
void RegisterPdfImageCreators();

// The image object made by the creator registered under `alias`; the caller
// owns it until it hands it to TPdfDoc::AddXObject. Raises rtl::EClassNotFound
// "Class %s not found" for an unknown alias.
TPdfXObject* CreatePdfImage(const rtl::TGraphic& image, const std::string& alias);

}  // namespace pdf
