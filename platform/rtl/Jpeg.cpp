#include "platform/rtl/Jpeg.h"

#include "platform/rtl/JpegCodec.h"

namespace rtl {

namespace {

constexpr size_t kErrorSize = 200;

[[noreturn]] void RaiseJpegError(const char* error) { throw EJPEG(std::string("JPEG error: ") + error); }

}  // namespace

TJPEGHeader ReadJPEGHeader(const TBytes& data) {
  rtl_jpeg_info info{};
  char error[kErrorSize];
  if (rtl_jpeg_read_header(data.data(), data.size(), &info, error, sizeof error) != 0) RaiseJpegError(error);
  return {info.width, info.height, info.components};
}

void TJPEGImage::SetCompressionQuality(int quality) { quality_ = quality < 1 ? 1 : quality > 100 ? 100 : quality; }

void TJPEGImage::Assign(const TBitmap& bitmap) {
  bitmap_ = std::make_shared<const TBitmap>(bitmap);
  width_ = bitmap.Width();
  height_ = bitmap.Height();
  data_.clear();
}

void TJPEGImage::Compress() const {
  if (!bitmap_) return;
  if (width_ == 0 || height_ == 0) throw EJPEG("JPEG error: the bitmap is empty");
  std::vector<unsigned char> rgb(static_cast<size_t>(width_) * static_cast<size_t>(height_) * 3);
  unsigned char* pixel = rgb.data();
  const bool direct = bitmap_->PixelFormat() >= TPixelFormat::pf24bit;
  const int step = bitmap_->BitsPerPixel() / 8;
  for (int y = 0; y < height_; ++y) {
    const std::uint8_t* source = bitmap_->ScanLine(y);
    for (int x = 0; x < width_; ++x, source += step) {
      const TPaletteEntry color = direct ? TPaletteEntry{source[2], source[1], source[0]} : bitmap_->PixelColor(x, y);
      *pixel++ = color.Red, *pixel++ = color.Green, *pixel++ = color.Blue;
    }
  }
  unsigned char* out = nullptr;
  unsigned long outSize = 0;
  char error[kErrorSize];
  if (rtl_jpeg_compress(rgb.data(), width_, height_, static_cast<size_t>(width_) * 3, quality_, grayscale_, &out,
                        &outSize, error, sizeof error) != 0) {
    RaiseJpegError(error);
  }
  data_.assign(out, out + outSize);
  rtl_jpeg_free(out);
  bitmap_.reset();
}

const TBytes& TJPEGImage::Data() const {
  Compress();
  return data_;
}

void TJPEGImage::SaveToStream(TStream& stream) const {
  const TBytes& data = Data();
  stream.WriteBuffer(data.data(), static_cast<std::int64_t>(data.size()));
}

void TJPEGImage::LoadFromStream(TStream& stream) {
  TBytes data = stream.ReadRemaining();
  rtl_jpeg_info info{};
  char error[kErrorSize];
  if (rtl_jpeg_read_header(data.data(), data.size(), &info, error, sizeof error) != 0) RaiseJpegError(error);
  data_ = std::move(data);
  bitmap_.reset();
  width_ = info.width;
  height_ = info.height;
  grayscale_ = info.grayscale != 0;
}

void TJPEGImage::LoadFromFile(const std::string& fileName) {
  TFileStream file(fileName, fmOpenRead);
  LoadFromStream(file);
}

void TJPEGImage::AssignTo(TBitmap& dest) const {
  if (bitmap_) {
    dest = *bitmap_;
    return;
  }
  dest.SetPixelFormat(TPixelFormat::pf24bit);
  dest.SetSize(width_, height_);
  if (data_.empty()) return;
  std::vector<unsigned char> rgb(static_cast<size_t>(width_) * static_cast<size_t>(height_) * 3);
  char error[kErrorSize];
  if (rtl_jpeg_decompress_rgb(data_.data(), data_.size(), rgb.data(), error, sizeof error) != 0) RaiseJpegError(error);
  const unsigned char* pixel = rgb.data();
  for (int y = 0; y < height_; ++y) {
    for (int x = 0; x < width_; ++x, pixel += 3) dest.SetPixelColor(x, y, {pixel[0], pixel[1], pixel[2]});
  }
}

}  // namespace rtl
