// Decoding, scaling, conversion and encoding over gdk-pixbuf.
#include "platform/d2d/Imaging.h"

#include <algorithm>

#include "platform/gdiplus/GifWriter.h"

namespace d2d {

namespace {

std::uint32_t Premultiply(const guchar* p, bool alpha) {
  const std::uint32_t a = alpha ? p[3] : 255;
  auto scale = [a](guchar c) { return (std::uint32_t(c) * a + 127) / 255; };
  return a << 24 | scale(p[0]) << 16 | scale(p[1]) << 8 | scale(p[2]);
}

guchar Unpremultiply(std::uint32_t c, std::uint32_t a) {
  return a == 0 ? 0 : guchar(std::min<std::uint32_t>(255, (c * 255 + a / 2) / a));
}

// A pixbuf of the pixels: straight RGBA, or RGB as drawn over black.
GdkPixbuf* ToPixbuf(const std::uint32_t* pixels, SizeU size, bool keepAlpha) {
  GdkPixbuf* pixbuf = gdk_pixbuf_new(GDK_COLORSPACE_RGB, keepAlpha, 8, int(size.width),
                                     int(size.height));
  if (!pixbuf) return nullptr;
  const int stride = gdk_pixbuf_get_rowstride(pixbuf);
  guchar* rows = gdk_pixbuf_get_pixels(pixbuf);
  for (std::uint32_t y = 0; y < size.height; ++y) {
    guchar* out = rows + std::size_t(y) * stride;
    for (std::uint32_t x = 0; x < size.width; ++x) {
      const std::uint32_t c = pixels[std::size_t(y) * size.width + x], a = c >> 24;
      const std::uint32_t channels[3] = {(c >> 16) & 255, (c >> 8) & 255, c & 255};
      for (std::uint32_t channel : channels)
        *out++ = keepAlpha ? Unpremultiply(channel, a) : guchar(channel);
      if (keepAlpha) *out++ = guchar(a);
    }
  }
  return pixbuf;
}

}  // namespace

BitmapFrame::~BitmapFrame() {
  if (pixbuf_) g_object_unref(pixbuf_);
}

SizeU BitmapFrame::GetSize() const {
  return {std::uint32_t(gdk_pixbuf_get_width(pixbuf_)),
          std::uint32_t(gdk_pixbuf_get_height(pixbuf_))};
}

std::unique_ptr<BitmapFrame> BitmapFrame::Scale(SizeU size) const {
  if (size.width == 0 || size.height == 0) return nullptr;
  GdkPixbuf* scaled =
      gdk_pixbuf_scale_simple(pixbuf_, int(size.width), int(size.height), GDK_INTERP_BILINEAR);
  return scaled ? std::make_unique<BitmapFrame>(scaled) : nullptr;
}

bool BitmapFrame::ConvertToPBGRA(Bitmap& out) const {
  if (gdk_pixbuf_get_colorspace(pixbuf_) != GDK_COLORSPACE_RGB ||
      gdk_pixbuf_get_bits_per_sample(pixbuf_) != 8)
    return false;
  const bool alpha = gdk_pixbuf_get_has_alpha(pixbuf_);
  const int channels = gdk_pixbuf_get_n_channels(pixbuf_), stride = gdk_pixbuf_get_rowstride(pixbuf_);
  const guchar* rows = gdk_pixbuf_read_pixels(pixbuf_);
  out.size = GetSize();
  out.pixels.resize(std::size_t(out.size.width) * out.size.height);
  for (std::uint32_t y = 0; y < out.size.height; ++y)
    for (std::uint32_t x = 0; x < out.size.width; ++x)
      out.pixels[std::size_t(y) * out.size.width + x] =
          Premultiply(rows + std::size_t(y) * stride + std::size_t(x) * channels, alpha);
  return true;
}

std::unique_ptr<BitmapFrame> DecodeFile(const std::string& fileName) {
  GdkPixbuf* pixbuf = gdk_pixbuf_new_from_file(fileName.c_str(), nullptr);
  return pixbuf ? std::make_unique<BitmapFrame>(pixbuf) : nullptr;
}

bool ReadImageSize(const std::string& fileName, SizeU& size) {
  int width = 0, height = 0;
  if (!gdk_pixbuf_get_file_info(fileName.c_str(), &width, &height) || width <= 0 || height <= 0)
    return false;
  size = {std::uint32_t(width), std::uint32_t(height)};
  return true;
}

std::unique_ptr<BitmapFrame> DecodeMemory(const std::uint8_t* data, std::size_t size) {
  GdkPixbufLoader* loader = gdk_pixbuf_loader_new();
  GdkPixbuf* pixbuf = nullptr;
  const bool read = gdk_pixbuf_loader_write(loader, data, size, nullptr);
  if (gdk_pixbuf_loader_close(loader, nullptr) && read) {
    pixbuf = gdk_pixbuf_loader_get_pixbuf(loader);
    if (pixbuf) g_object_ref(pixbuf);
  }
  g_object_unref(loader);
  return pixbuf ? std::make_unique<BitmapFrame>(pixbuf) : nullptr;
}

bool HasEncoder(ContainerFormat format) { return format != ContainerFormat::Wmp; }

std::vector<std::uint8_t> Encode(ContainerFormat format, const std::uint32_t* pixels, SizeU size) {
  if (!HasEncoder(format) || !pixels || size.width == 0 || size.height == 0) return {};
  if (format == ContainerFormat::Gif)
    return gdip::EncodeGif(pixels, int(size.width), int(size.height));
  const char* type = format == ContainerFormat::Bmp    ? "bmp"
                     : format == ContainerFormat::Jpeg ? "jpeg"
                     : format == ContainerFormat::Tiff ? "tiff"
                                                       : "png";
  const bool alpha = format == ContainerFormat::Png || format == ContainerFormat::Tiff;
  GdkPixbuf* pixbuf = ToPixbuf(pixels, size, alpha);
  if (!pixbuf) return {};
  gchar* buffer = nullptr;
  gsize length = 0;
  std::vector<std::uint8_t> bytes;
  if (gdk_pixbuf_save_to_buffer(pixbuf, &buffer, &length, type, nullptr, nullptr))
    bytes.assign(reinterpret_cast<std::uint8_t*>(buffer),
                 reinterpret_cast<std::uint8_t*>(buffer) + length);
  g_free(buffer);
  g_object_unref(pixbuf);
  return bytes;
}

}  // namespace d2d
