#pragma once
// The image filter that pairs with the Direct2D-style canvas: reads picture
// files and streams into a TvgBitmap (whole or as a thumbnail), reports a
// picture's size, and writes a bitmap in a container chosen by file extension
// or format name, through the imaging service of platform/d2d.
#include <string>

#include "platform/rtl/Streams.h"
#include "ui/core/vg_bitmap.h"

namespace vg {

class TvgFilterWIC : public TvgFilter {
  RTL_CLASS(TvgFilterWIC, TvgFilter)

  /// The class record installed by SetD2DDefault.
  static const TvgFilterClassInfo Class;
  /// "*.bmp;*.jpg;*.jpeg;*.png;*.tif;*.tiff;*.gif;*.ico;*.wmp"
  static std::string GetFileTypes();
  /// Width and height of the file's first frame; (0, 0) when it cannot be read.
  static TvgPoint GetImageSize(const std::string& fileName);

  /// rotation is not used: the picture loads unturned.
  bool LoadFromFile(const std::string& fileName, float rotation, TvgBitmap& bitmap) override;
  /// An embedded thumbnail when asked for and the file holds one; otherwise
  /// the picture scaled to fit the size (never enlarged).
  bool LoadThumbnailFromFile(const std::string& fileName, float fitWidth, float fitHeight,
                             bool useEmbedded, TvgBitmap& bitmap) override;
  /// The container by extension (PNG for unknown ones); false when nothing
  /// could be written (no encoder for the container, or the write failed).
  bool SaveToFile(const std::string& fileName, TvgBitmap& bitmap,
                  const std::string& params) override;
  /// Reads from the stream's position to its end.
  bool LoadFromStream(rtl::TStream& stream, TvgBitmap& bitmap) override;
  /// The container by format name (PNG for unknown ones); false when nothing
  /// was written.
  bool SaveToStream(rtl::TStream& stream, TvgBitmap& bitmap, const std::string& format,
                    const std::string& params) override;
};

}  // namespace vg
