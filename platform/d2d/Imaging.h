#pragma once
// The imaging service of the second canvas back-end: decoding the first frame
// of a picture file or of bytes in memory, scaling a frame, converting it to
// the toolkit's pixel layout (premultiplied ARGB words, 32bppPBGRA), and
// encoding pixels into a picture container. Decoding uses gdk-pixbuf's
// loaders (bmp, jpeg, png, tiff, gif, ico and whatever else is installed);
// encoding writes bmp, png, jpeg and tiff through gdk-pixbuf and gif through
// our own writer. There is no encoder for the WMP container on this
// platform, and no loader hands out a thumbnail embedded in a file.
#include <gdk-pixbuf/gdk-pixbuf.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/d2d/D2D.h"

namespace d2d {

enum class ContainerFormat { Bmp, Png, Jpeg, Tiff, Gif, Wmp };

/// One decoded picture (a frame, a scaled frame or a thumbnail).
class BitmapFrame {
 public:
  explicit BitmapFrame(GdkPixbuf* pixbuf) : pixbuf_(pixbuf) {}  // takes the reference
  ~BitmapFrame();
  BitmapFrame(const BitmapFrame&) = delete;
  BitmapFrame& operator=(const BitmapFrame&) = delete;

  SizeU GetSize() const;
  /// The thumbnail embedded in the file; nullptr when it holds none (always,
  /// here: no loader of this platform reads embedded thumbnails).
  std::unique_ptr<BitmapFrame> GetThumbnail() const { return nullptr; }
  /// This frame scaled to size with linear interpolation; nullptr when a side is 0.
  std::unique_ptr<BitmapFrame> Scale(SizeU size) const;
  /// The frame in the toolkit's pixel layout; false when it cannot be converted.
  bool ConvertToPBGRA(Bitmap& out) const;

 private:
  GdkPixbuf* pixbuf_;
};

/// Frame 0 of a picture file; nullptr when no loader reads it.
std::unique_ptr<BitmapFrame> DecodeFile(const std::string& fileName);
/// The size of frame 0 of a picture file, read without decoding its pixels;
/// false when no loader reads the file.
bool ReadImageSize(const std::string& fileName, SizeU& size);
/// Frame 0 of a picture held in memory; nullptr when no loader reads it.
std::unique_ptr<BitmapFrame> DecodeMemory(const std::uint8_t* data, std::size_t size);

/// Whether pictures can be written in this container.
bool HasEncoder(ContainerFormat format);
/// The picture of width x height premultiplied ARGB pixels encoded in the
/// container; empty when there is no encoder or encoding fails. Formats
/// without alpha (bmp, jpeg) get the colours as drawn over black.
std::vector<std::uint8_t> Encode(ContainerFormat format, const std::uint32_t* pixels, SizeU size);

}  // namespace d2d
