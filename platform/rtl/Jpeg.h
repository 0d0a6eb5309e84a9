#pragma once
// The class library's JPEG picture over libjpeg-turbo. It holds either a
// bitmap to compress or the bytes of a JPEG file; Compress turns the first
// into the second (baseline, CompressionQuality, gray when Grayscale).
// Failures of libjpeg raise rtl::EJPEG with libjpeg's message.
#include <memory>

#include "platform/rtl/Exceptions.h"
#include "platform/rtl/Graphics.h"
#include "platform/rtl/Streams.h"

namespace rtl {

class EJPEG : public EInvalidGraphic {
 public:
  using EInvalidGraphic::EInvalidGraphic;
};

// What the header of a JPEG file says.
struct TJPEGHeader {
  int Width = 0;
  int Height = 0;
  // Colour components: 1 gray, 3 colour (YCbCr or RGB), 4 CMYK or YCCK.
  int Components = 0;
};

// Reads the header of the JPEG file in `data`; raises EJPEG when it is none.
TJPEGHeader ReadJPEGHeader(const TBytes& data);

class TJPEGImage : public TGraphic {
 public:
  int Width() const override { return width_; }
  int Height() const override { return height_; }

  // 1..100; 90 at first.
  int CompressionQuality() const { return quality_; }
  void SetCompressionQuality(int quality);
  // Compress in gray levels; after loading, whether the file is gray.
  bool Grayscale() const { return grayscale_; }
  void SetGrayscale(bool grayscale) { grayscale_ = grayscale; }

  // Takes a copy of the bitmap's pixels; the JPEG bytes are made by Compress.
  void Assign(const TBitmap& bitmap);
  void Compress() const;
  // The JPEG file (compressing first when needed); valid until the next
  // Assign or load.
  const TBytes& Data() const;
  void SaveToStream(TStream& stream) const;
  // Reads a JPEG file from the stream's position to its end.
  void LoadFromStream(TStream& stream);
  void LoadFromFile(const std::string& fileName);
  // Decodes the picture into a 24-bit bitmap.
  void AssignTo(TBitmap& dest) const override;

 private:
  int width_ = 0;
  int height_ = 0;
  int quality_ = 90;
  bool grayscale_ = false;
  // A pending bitmap, replaced by the file bytes on compression.
  mutable std::shared_ptr<const TBitmap> bitmap_;
  mutable TBytes data_;
};

}  // namespace rtl
