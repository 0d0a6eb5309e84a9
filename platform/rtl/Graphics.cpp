#include "platform/rtl/Graphics.h"

#include <climits>
#include <cstddef>

namespace rtl {

using std::size_t;

TBitmap::TBitmap(int width, int height, TPixelFormat format) : format_(format) { SetSize(width, height); }

int TBitmap::BitsPerPixel() const {
  static constexpr int kBits[] = {1, 4, 8, 24, 32};
  return kBits[static_cast<int>(format_)];
}

int TBitmap::RowBytes() const { return (width_ * BitsPerPixel() + 31) / 32 * 4; }

void TBitmap::SetSize(int width, int height) {
  width_ = width > 0 ? width : 0;
  height_ = height > 0 ? height : 0;
  pixels_.assign(static_cast<size_t>(RowBytes()) * static_cast<size_t>(height_), 0);
}

std::uint8_t* TBitmap::ScanLine(int row) { return pixels_.data() + static_cast<size_t>(row) * RowBytes(); }

const std::uint8_t* TBitmap::ScanLine(int row) const { return pixels_.data() + static_cast<size_t>(row) * RowBytes(); }

int TBitmap::GetPaletteEntries(int start, int count, TPaletteEntry* entries) const {
  int read = 0;
  for (; read < count && start + read < static_cast<int>(palette_.size()); ++read) {
    entries[read] = palette_[static_cast<size_t>(start + read)];
  }
  return read;
}

unsigned TBitmap::PixelIndex(int x, int y) const {
  const std::uint8_t* row = ScanLine(y);
  switch (format_) {
    case TPixelFormat::pf1bit: return (row[x / 8] >> (7 - x % 8)) & 1;
    case TPixelFormat::pf4bit: return (row[x / 2] >> (x % 2 ? 0 : 4)) & 0xF;
    default: return row[x];
  }
}

void TBitmap::SetPixelIndex(int x, int y, unsigned index) {
  std::uint8_t* row = ScanLine(y);
  switch (format_) {
    case TPixelFormat::pf1bit: {
      const int shift = 7 - x % 8;
      row[x / 8] = static_cast<std::uint8_t>((row[x / 8] & ~(1 << shift)) | ((index & 1) << shift));
      break;
    }
    case TPixelFormat::pf4bit: {
      const int shift = x % 2 ? 0 : 4;
      row[x / 2] = static_cast<std::uint8_t>((row[x / 2] & ~(0xF << shift)) | ((index & 0xF) << shift));
      break;
    }
    default: row[x] = static_cast<std::uint8_t>(index);
  }
}

unsigned TBitmap::NearestPaletteIndex(TPaletteEntry color) const {
  unsigned best = 0;
  int bestDistance = INT_MAX;
  for (size_t i = 0; i < palette_.size(); ++i) {
    const int dr = palette_[i].Red - color.Red, dg = palette_[i].Green - color.Green,
              db = palette_[i].Blue - color.Blue;
    const int distance = dr * dr + dg * dg + db * db;
    if (distance < bestDistance) bestDistance = distance, best = static_cast<unsigned>(i);
  }
  return best;
}

TPaletteEntry TBitmap::PixelColor(int x, int y) const {
  if (format_ == TPixelFormat::pf24bit || format_ == TPixelFormat::pf32bit) {
    const std::uint8_t* pixel = ScanLine(y) + x * (BitsPerPixel() / 8);
    return {pixel[2], pixel[1], pixel[0]};
  }
  const unsigned index = PixelIndex(x, y);
  return index < palette_.size() ? palette_[index] : TPaletteEntry{};
}

void TBitmap::SetPixelColor(int x, int y, TPaletteEntry color) {
  if (format_ == TPixelFormat::pf24bit || format_ == TPixelFormat::pf32bit) {
    std::uint8_t* pixel = ScanLine(y) + x * (BitsPerPixel() / 8);
    pixel[0] = color.Blue, pixel[1] = color.Green, pixel[2] = color.Red;
    if (format_ == TPixelFormat::pf32bit) pixel[3] = 0xFF;
    return;
  }
  SetPixelIndex(x, y, NearestPaletteIndex(color));
}

void TBitmap::SetPixelFormat(TPixelFormat format) {
  if (format == format_) return;
  const TBitmap old = *this;
  format_ = format;
  SetSize(old.width_, old.height_);
  const bool indexed = format_ <= TPixelFormat::pf8bit && old.format_ <= TPixelFormat::pf8bit;
  for (int y = 0; y < height_; ++y) {
    for (int x = 0; x < width_; ++x) {
      if (indexed) {
        SetPixelIndex(x, y, old.PixelIndex(x, y));
      } else {
        SetPixelColor(x, y, old.PixelColor(x, y));
      }
    }
  }
}

void TBitmap::AssignTo(TBitmap& dest) const {
  if (&dest != this) dest = *this;
}

}  // namespace rtl
