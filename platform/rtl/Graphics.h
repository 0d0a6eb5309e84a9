#pragma once
// The class library's picture classes: the abstract picture `TGraphic` and
// the device-independent bitmap `TBitmap` with pixel formats and a palette.
//
// TBitmap rows are stored top row first; each row is padded to a multiple of
// four bytes. Pixels of pf24bit are blue, green, red; of pf32bit blue, green,
// red, alpha (the byte order of a little-endian ARGB32 word); of pf1bit,
// pf4bit and pf8bit palette indices, the leftmost pixel in the highest bits.
// The bitmap owns its pixels and palette. Row and pixel coordinates are not
// checked: callers keep them inside the bitmap.
#include <cstdint>
#include <vector>

#include "platform/rtl/Exceptions.h"

namespace rtl {

class TBitmap;

// A picture that cannot be read or made.
class EInvalidGraphic : public Exception {
 public:
  using Exception::Exception;
};

class TGraphic {
 public:
  virtual ~TGraphic() = default;
  virtual int Width() const = 0;
  virtual int Height() const = 0;
  // Copies the picture into `dest`, replacing its size, format and pixels.
  virtual void AssignTo(TBitmap& dest) const = 0;
};

enum class TPixelFormat { pf1bit, pf4bit, pf8bit, pf24bit, pf32bit };

// A colour channel c (0..255) scaled by alpha a (0..255), rounded, and back.
inline std::uint8_t PremultiplyChannel(std::uint32_t c, std::uint32_t a) {
  return static_cast<std::uint8_t>((c * a + 127) / 255);
}
inline std::uint8_t UnpremultiplyChannel(std::uint32_t c, std::uint32_t a) {
  if (a == 0) return 0;
  const std::uint32_t straight = (c * 255 + a / 2) / a;
  return static_cast<std::uint8_t>(straight > 255 ? 255 : straight);
}

struct TPaletteEntry {
  std::uint8_t Red = 0, Green = 0, Blue = 0;
};

class TBitmap : public TGraphic {
 public:
  TBitmap() = default;
  TBitmap(int width, int height, TPixelFormat format = TPixelFormat::pf24bit);

  int Width() const override { return width_; }
  int Height() const override { return height_; }
  // Resizes to `width` x `height` (a negative size counts as 0); the pixels
  // become 0.
  void SetSize(int width, int height);
  TPixelFormat PixelFormat() const { return format_; }
  // Changes the format and converts the pixels: indexed to indexed keeps the
  // indices, indexed to direct colour looks them up, direct colour to indexed
  // takes the nearest palette entry (index 0 without a palette).
  void SetPixelFormat(TPixelFormat format);
  int BitsPerPixel() const;
  // Bytes per row, padding included.
  int RowBytes() const;
  // The first byte of row `row` (0 is the top row). Valid until the next
  // change of size or format.
  std::uint8_t* ScanLine(int row);
  const std::uint8_t* ScanLine(int row) const;

  const std::vector<TPaletteEntry>& Palette() const { return palette_; }
  void SetPalette(std::vector<TPaletteEntry> palette) { palette_ = std::move(palette); }
  // Copies up to `count` palette entries from `start` into `entries` (room
  // for `count`); returns how many were copied (0 without a palette).
  int GetPaletteEntries(int start, int count, TPaletteEntry* entries) const;

  // The colour of a pixel, whatever the format.
  TPaletteEntry PixelColor(int x, int y) const;
  void SetPixelColor(int x, int y, TPaletteEntry color);

  void Assign(const TGraphic& source) { source.AssignTo(*this); }
  void AssignTo(TBitmap& dest) const override;

 private:
  unsigned PixelIndex(int x, int y) const;
  void SetPixelIndex(int x, int y, unsigned index);
  unsigned NearestPaletteIndex(TPaletteEntry color) const;

  int width_ = 0;
  int height_ = 0;
  TPixelFormat format_ = TPixelFormat::pf24bit;
  std::vector<std::uint8_t> pixels_;
  std::vector<TPaletteEntry> palette_;
};

}  // namespace rtl
