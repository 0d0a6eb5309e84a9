// Bitmaps, image drawing, decoding and encoding of the cairo implementation.
#include <gdk-pixbuf/gdk-pixbuf.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <string>

#include "platform/gdiplus/CairoGdiPlus.h"
#include "platform/gdiplus/GifWriter.h"
#include "platform/rtl/AtomicFile.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/Graphics.h"

namespace gdip::cairo_impl {
namespace {

struct Encoder {
  CLSID clsid;
  const char16_t* name;
  const char16_t* extensions;
  const char16_t* mime;
  const char* pixbufType;  // nullptr: our own writer
  bool keepsAlpha;
};

// Our encoders' class ids share one base and differ in the first word.
constexpr GUID EncoderId(std::uint32_t n) {
  return {0x8A1F5200u + n, 0x3C2E, 0x4B7A, {0x9E, 0x51, 0x0D, 0x6B, 0x2C, 0x47, 0xE3, 0x90}};
}

const Encoder kEncoders[] = {
    {EncoderId(0), u"BMP", u"*.BMP;*.DIB;*.RLE", u"image/bmp", "bmp", false},
    {EncoderId(1), u"JPEG", u"*.JPG;*.JPEG;*.JPE;*.JFIF", u"image/jpeg", "jpeg", false},
    {EncoderId(2), u"GIF", u"*.GIF", u"image/gif", nullptr, true},
    {EncoderId(3), u"TIFF", u"*.TIF;*.TIFF", u"image/tiff", "tiff", true},
    {EncoderId(4), u"PNG", u"*.PNG", u"image/png", "png", true},
};

size_t Units(const char16_t* s) {
  return std::char_traits<char16_t>::length(s) + 1;
}

size_t StringBytes(const Encoder& e) {
  return (Units(e.name) + Units(e.extensions) + Units(e.mime) + Units(u"")) * sizeof(char16_t);
}

std::uint32_t Premultiply(std::uint8_t r, std::uint8_t g, std::uint8_t b, std::uint8_t a) {
  auto mul = [a](std::uint32_t c) { return std::uint32_t(rtl::PremultiplyChannel(c, a)); };
  return (std::uint32_t(a) << 24) | (mul(r) << 16) | (mul(g) << 8) | mul(b);
}

// The stream from its current position to its end; the position is put back.
bool ReadRest(IStream* stream, std::vector<std::uint8_t>& bytes) {
  std::uint64_t start = 0;
  if (stream->Seek(0, STREAM_SEEK_CUR, &start) != S_OK) return false;
  std::uint8_t chunk[65536];
  for (;;) {
    UINT got = 0;
    if (stream->Read(chunk, sizeof chunk, &got) != S_OK || got == 0) break;
    bytes.insert(bytes.end(), chunk, chunk + got);
  }
  return stream->Seek(std::int64_t(start), STREAM_SEEK_SET, nullptr) == S_OK;
}

float Resolution(GdkPixbuf* pixbuf, const char* key) {
  const char* text = gdk_pixbuf_get_option(pixbuf, key);
  const float dpi = text ? std::strtof(text, nullptr) : 0.0f;
  return dpi > 0 ? dpi : 96.0f;
}

BitmapImpl* Decode(const std::vector<std::uint8_t>& bytes) {
  GdkPixbufLoader* loader = gdk_pixbuf_loader_new();
  const bool written = gdk_pixbuf_loader_write(loader, bytes.data(), bytes.size(), nullptr);
  const bool closed = gdk_pixbuf_loader_close(loader, nullptr);
  GdkPixbuf* pixbuf = written && closed ? gdk_pixbuf_loader_get_pixbuf(loader) : nullptr;
  BitmapImpl* bitmap = nullptr;
  if (pixbuf && gdk_pixbuf_get_bits_per_sample(pixbuf) == 8) {
    const int w = gdk_pixbuf_get_width(pixbuf), h = gdk_pixbuf_get_height(pixbuf);
    if (cairo_surface_t* surface = NewSurface(w, h)) {
      const int channels = gdk_pixbuf_get_n_channels(pixbuf), stride = gdk_pixbuf_get_rowstride(pixbuf);
      const bool alpha = gdk_pixbuf_get_has_alpha(pixbuf);
      // gdk-pixbuf's TIFF reader hands out colours already multiplied by alpha.
      GdkPixbufFormat* format = gdk_pixbuf_loader_get_format(loader);
      gchar* formatName = format ? gdk_pixbuf_format_get_name(format) : nullptr;
      const bool premultiplied = alpha && g_strcmp0(formatName, "tiff") == 0;
      g_free(formatName);
      const guchar* src = gdk_pixbuf_read_pixels(pixbuf);
      auto* dst = reinterpret_cast<std::uint32_t*>(cairo_image_surface_get_data(surface));
      const int dstStride = cairo_image_surface_get_stride(surface) / 4;
      for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
          const guchar* p = src + size_t(y) * stride + size_t(x) * channels;
          dst[size_t(y) * dstStride + x] = premultiplied
                                               ? (std::uint32_t(p[3]) << 24) | (p[0] << 16) | (p[1] << 8) | p[2]
                                               : Premultiply(p[0], p[1], p[2], alpha ? p[3] : 255);
        }
      }
      cairo_surface_mark_dirty(surface);
      bitmap = new BitmapImpl(surface);
      bitmap->dpiX = Resolution(pixbuf, "x-dpi");
      bitmap->dpiY = Resolution(pixbuf, "y-dpi");
    }
  }
  g_object_unref(loader);
  return bitmap;
}

GdkPixbuf* ToPixbuf(cairo_surface_t* surface, bool keepAlpha) {
  cairo_surface_flush(surface);
  const int w = cairo_image_surface_get_width(surface), h = cairo_image_surface_get_height(surface);
  GdkPixbuf* pixbuf = gdk_pixbuf_new(GDK_COLORSPACE_RGB, keepAlpha, 8, w, h);
  if (!pixbuf) return nullptr;
  const int channels = keepAlpha ? 4 : 3, stride = gdk_pixbuf_get_rowstride(pixbuf);
  guchar* dst = gdk_pixbuf_get_pixels(pixbuf);
  const auto* src = reinterpret_cast<const std::uint32_t*>(cairo_image_surface_get_data(surface));
  const int srcStride = cairo_image_surface_get_stride(surface) / 4;
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      const std::uint32_t p = src[size_t(y) * srcStride + x], a = p >> 24;
      guchar* d = dst + size_t(y) * stride + size_t(x) * channels;
      if (keepAlpha) {
        d[0] = rtl::UnpremultiplyChannel((p >> 16) & 0xFF, a), d[1] = rtl::UnpremultiplyChannel((p >> 8) & 0xFF, a);
        d[2] = rtl::UnpremultiplyChannel(p & 0xFF, a), d[3] = guchar(a);
      } else {  // flattened onto black, as the premultiplied words already are
        d[0] = guchar(p >> 16), d[1] = guchar(p >> 8), d[2] = guchar(p);
      }
    }
  }
  return pixbuf;
}

// The quality (0..100) of the last EncoderQuality entry, or -1 for none.
int QualityOf(const EncoderParameters* params) {
  int quality = -1;
  for (UINT i = 0; params && i < params->Count; ++i) {
    const EncoderParameter& p = params->Parameter[i];
    if (p.Guid == EncoderQuality && p.Type == EncoderParameterValueTypeLong && p.NumberOfValues >= 1 && p.Value) {
      quality = int(std::min<UINT>(100, *static_cast<const UINT*>(p.Value)));
    }
  }
  return quality;
}

Status Encode(BitmapImpl& bitmap, const CLSID* clsid, const EncoderParameters* params,
              std::vector<std::uint8_t>& bytes) {
  const Encoder* encoder = nullptr;
  for (const Encoder& e : kEncoders) {
    if (clsid && e.clsid == *clsid) encoder = &e;
  }
  if (!encoder) return InvalidParameter;
  if (!encoder->pixbufType) {
    cairo_surface_flush(bitmap.surface);
    if (cairo_image_surface_get_stride(bitmap.surface) != bitmap.Width() * 4) return NotImplemented;
    bytes = EncodeGif(reinterpret_cast<const std::uint32_t*>(cairo_image_surface_get_data(bitmap.surface)),
                      bitmap.Width(), bitmap.Height());
    return bytes.empty() ? ValueOverflow : Ok;
  }
  GdkPixbuf* pixbuf = ToPixbuf(bitmap.surface, encoder->keepsAlpha);
  if (!pixbuf) return OutOfMemory;
  const int quality = QualityOf(params);
  std::string qualityText = std::to_string(quality);
  char* keys[] = {const_cast<char*>("quality"), nullptr};
  char* values[] = {qualityText.data(), nullptr};
  const bool withQuality = quality >= 0 && std::strcmp(encoder->pixbufType, "jpeg") == 0;
  gchar* buffer = nullptr;
  gsize size = 0;
  const bool saved = gdk_pixbuf_save_to_bufferv(pixbuf, &buffer, &size, encoder->pixbufType,
                                                withQuality ? keys : nullptr, withQuality ? values : nullptr, nullptr);
  g_object_unref(pixbuf);
  if (!saved) return GenericError;
  bytes.assign(buffer, buffer + size);
  g_free(buffer);
  return Ok;
}

bool Integral(REAL v) {
  return v == std::floor(v);
}

}  // namespace

Status CairoGdiPlus::DrawSurface(GraphicsImpl& g, cairo_surface_t* image, RectF dst, RectF src, double alpha) {
  if (!(src.Width > 0 && src.Height > 0) || dst.Width == 0 || dst.Height == 0 || alpha <= 0) return Ok;
  cairo_t* cr = g.cr;
  cairo_save(cr);
  cairo_new_path(cr);
  cairo_rectangle(cr, dst.X, dst.Y, dst.Width, dst.Height);
  cairo_clip(cr);
  cairo_translate(cr, dst.X, dst.Y);
  cairo_scale(cr, dst.Width / src.Width, dst.Height / src.Height);
  const int w = cairo_image_surface_get_width(image), h = cairo_image_surface_get_height(image);
  // A whole-pixel source rectangle inside the image is cut out, so that its
  // edges repeat their own pixels rather than blend in their neighbours.
  const bool cut = Integral(src.X) && Integral(src.Y) && Integral(src.Width) && Integral(src.Height) && src.X >= 0 &&
                   src.Y >= 0 && src.X + src.Width <= w && src.Y + src.Height <= h;
  cairo_surface_t* source = cut ? cairo_surface_create_for_rectangle(image, src.X, src.Y, src.Width, src.Height)
                                : cairo_surface_reference(image);
  cairo_set_source_surface(cr, source, cut ? 0 : -src.X, cut ? 0 : -src.Y);
  cairo_pattern_set_extend(cairo_get_source(cr), CAIRO_EXTEND_PAD);
  cairo_pattern_set_filter(cairo_get_source(cr), FilterFor(g.interpolation));
  if (alpha >= 1)
    cairo_paint(cr);
  else
    cairo_paint_with_alpha(cr, alpha);
  cairo_restore(cr);
  cairo_surface_destroy(source);
  return Ok;
}

Status CairoGdiPlus::GdipCreateBitmapFromScan0(INT width, INT height, INT stride, PixelFormat format, BYTE* scan0,
                                               GpBitmap** bitmap) {
  if (!bitmap || width <= 0 || height <= 0) return InvalidParameter;
  *bitmap = nullptr;
  cairo_surface_t* surface = nullptr;
  if (scan0) {
    if (format != PixelFormat32bppPARGB) return NotImplemented;
    if (stride < width * 4 || stride % 4 != 0) return InvalidParameter;
    surface = cairo_image_surface_create_for_data(scan0, CAIRO_FORMAT_ARGB32, width, height, stride);
    if (cairo_surface_status(surface) != CAIRO_STATUS_SUCCESS) {
      cairo_surface_destroy(surface);
      return InvalidParameter;
    }
  } else {
    if (format != PixelFormat32bppPARGB && format != PixelFormat32bppARGB) return NotImplemented;
    surface = NewSurface(width, height);
    if (!surface) return OutOfMemory;
  }
  *bitmap = new BitmapImpl(surface);
  return Ok;
}

Status CairoGdiPlus::GdipLoadImageFromStreamICM(IStream* stream, GpImage** image) {
  GpBitmap* bitmap = nullptr;
  const Status s = GdipCreateBitmapFromStreamICM(stream, &bitmap);
  if (image) *image = bitmap;
  return s;
}

Status CairoGdiPlus::GdipCreateBitmapFromStreamICM(IStream* stream, GpBitmap** bitmap) {
  if (!stream || !bitmap) return InvalidParameter;
  *bitmap = nullptr;
  std::vector<std::uint8_t> bytes;
  if (!ReadRest(stream, bytes)) return Win32Error;
  if (bytes.empty()) return UnknownImageFormat;
  *bitmap = Decode(bytes);
  return *bitmap ? Ok : UnknownImageFormat;
}

Status CairoGdiPlus::GdipGetImageWidth(GpImage* image, UINT* width) {
  auto* b = As<BitmapImpl>(image);
  if (!b || !width) return InvalidParameter;
  *width = UINT(b->Width());
  return Ok;
}

Status CairoGdiPlus::GdipGetImageHeight(GpImage* image, UINT* height) {
  auto* b = As<BitmapImpl>(image);
  if (!b || !height) return InvalidParameter;
  *height = UINT(b->Height());
  return Ok;
}

Status CairoGdiPlus::GdipGetImageHorizontalResolution(GpImage* image, REAL* resolution) {
  return GetField(image, &BitmapImpl::dpiX, resolution);
}

Status CairoGdiPlus::GdipGetImageVerticalResolution(GpImage* image, REAL* resolution) {
  return GetField(image, &BitmapImpl::dpiY, resolution);
}

Status CairoGdiPlus::GdipBitmapSetResolution(GpBitmap* bitmap, REAL xdpi, REAL ydpi) {
  auto* b = As<BitmapImpl>(bitmap);
  if (!b || !(xdpi > 0) || !(ydpi > 0)) return InvalidParameter;
  b->dpiX = xdpi;
  b->dpiY = ydpi;
  return Ok;
}

// Turns clockwise by a quarter per step, then mirrors left to right when
// asked. The bitmap then owns new pixels of the turned size.
Status CairoGdiPlus::GdipImageRotateFlip(GpImage* image, RotateFlipType type) {
  auto* b = As<BitmapImpl>(image);
  if (!b || type < RotateNoneFlipNone || type > Rotate270FlipX) return InvalidParameter;
  const int quarter = type & 3;
  const bool flip = (type & 4) != 0;
  const int w = b->Width(), h = b->Height();
  const int nw = quarter % 2 ? h : w, nh = quarter % 2 ? w : h;
  cairo_surface_t* turned = NewSurface(nw, nh);
  if (!turned) return OutOfMemory;
  cairo_surface_flush(b->surface);
  const auto* src = reinterpret_cast<const std::uint32_t*>(cairo_image_surface_get_data(b->surface));
  const int ss = cairo_image_surface_get_stride(b->surface) / 4;
  auto* dst = reinterpret_cast<std::uint32_t*>(cairo_image_surface_get_data(turned));
  const int ds = cairo_image_surface_get_stride(turned) / 4;
  for (int y = 0; y < nh; ++y) {
    for (int x0 = 0; x0 < nw; ++x0) {
      const int x = flip ? nw - 1 - x0 : x0;
      int sx = x, sy = y;
      switch (quarter) {
        case 1: sx = y, sy = h - 1 - x; break;
        case 2: sx = w - 1 - x, sy = h - 1 - y; break;
        case 3: sx = w - 1 - y, sy = x; break;
      }
      dst[size_t(y) * ds + x0] = src[size_t(sy) * ss + sx];
    }
  }
  cairo_surface_mark_dirty(turned);
  cairo_surface_destroy(b->surface);
  b->surface = turned;
  if (quarter % 2) std::swap(b->dpiX, b->dpiY);
  return Ok;
}

Status CairoGdiPlus::GdipBitmapLockBits(GpBitmap* bitmap, const GpRect* rect, UINT flags, PixelFormat format,
                                        BitmapData* data) {
  auto* b = As<BitmapImpl>(bitmap);
  if (!b || !data) return InvalidParameter;
  const Rect r = rect ? *rect : Rect{0, 0, b->Width(), b->Height()};
  if (r.X < 0 || r.Y < 0 || r.Width <= 0 || r.Height <= 0 || r.X + r.Width > b->Width() ||
      r.Y + r.Height > b->Height()) {
    return InvalidParameter;
  }
  if (format != PixelFormat32bppPARGB) return NotImplemented;
  cairo_surface_flush(b->surface);
  const int stride = cairo_image_surface_get_stride(b->surface);
  data->Width = UINT(r.Width);
  data->Height = UINT(r.Height);
  data->Stride = stride;
  data->PixelFormat = format;
  data->Scan0 = cairo_image_surface_get_data(b->surface) + size_t(r.Y) * stride + size_t(r.X) * 4;
  data->Reserved = flags;
  return Ok;
}

Status CairoGdiPlus::GdipBitmapUnlockBits(GpBitmap* bitmap, BitmapData* data) {
  auto* b = As<BitmapImpl>(bitmap);
  if (!b || !data) return InvalidParameter;
  if (data->Reserved & ImageLockModeWrite) cairo_surface_mark_dirty(b->surface);
  return Ok;
}

Status CairoGdiPlus::GdipGetImageThumbnail(GpImage* image, UINT width, UINT height, GpImage** thumbnail, void*, void*) {
  auto* b = As<BitmapImpl>(image);
  if (!b || !thumbnail || width == 0 || height == 0 || width > 32767 || height > 32767) return InvalidParameter;
  cairo_surface_t* surface = NewSurface(int(width), int(height));
  if (!surface) return OutOfMemory;
  auto* thumb = new BitmapImpl(surface);
  GraphicsImpl g(surface);
  g.interpolation = InterpolationModeHighQuality;
  DrawSurface(g, b->surface, {0, 0, REAL(width), REAL(height)}, {0, 0, REAL(b->Width()), REAL(b->Height())}, 1);
  *thumbnail = thumb;
  return Ok;
}

Status CairoGdiPlus::GdipDisposeImage(GpImage* image) { return DeleteAs<BitmapImpl>(image); }

// Drawn at its physical size: its pixels times the target's resolution over its own.
Status CairoGdiPlus::GdipDrawImage(GpGraphics* graphics, GpImage* image, REAL x, REAL y) {
  auto* g = As<GraphicsImpl>(graphics);
  auto* b = As<BitmapImpl>(image);
  if (!g || !b) return InvalidParameter;
  return GdipDrawImageRect(graphics, image, x, y, b->Width() * g->dpiX / b->dpiX, b->Height() * g->dpiY / b->dpiY);
}

Status CairoGdiPlus::GdipDrawImageRect(GpGraphics* graphics, GpImage* image, REAL x, REAL y, REAL width, REAL height) {
  auto* g = As<GraphicsImpl>(graphics);
  auto* b = As<BitmapImpl>(image);
  if (!g || !b) return InvalidParameter;
  return DrawSurface(*g, b->surface, {x, y, width, height}, {0, 0, REAL(b->Width()), REAL(b->Height())}, 1);
}

Status CairoGdiPlus::GdipDrawImageRectI(GpGraphics* graphics, GpImage* image, INT x, INT y, INT width, INT height) {
  return GdipDrawImageRect(graphics, image, REAL(x), REAL(y), REAL(width), REAL(height));
}

Status CairoGdiPlus::GdipDrawImageRectRect(GpGraphics* graphics, GpImage* image, REAL dstX, REAL dstY, REAL dstWidth,
                                           REAL dstHeight, REAL srcX, REAL srcY, REAL srcWidth, REAL srcHeight,
                                           Unit srcUnit, const GpImageAttributes* attributes, void*, void*) {
  auto* g = As<GraphicsImpl>(graphics);
  auto* b = As<BitmapImpl>(image);
  auto* attrs = attributes ? As<AttributesImpl>(attributes) : nullptr;
  if (!g || !b || (attributes && !attrs)) return InvalidParameter;
  if (srcUnit != UnitPixel) return NotImplemented;
  return DrawSurface(*g, b->surface, {dstX, dstY, dstWidth, dstHeight}, {srcX, srcY, srcWidth, srcHeight},
                     attrs ? attrs->alpha : 1.0);
}

Status CairoGdiPlus::GdipCreateImageAttributes(GpImageAttributes** attributes) {
  if (!attributes) return InvalidParameter;
  *attributes = new AttributesImpl;
  return Ok;
}

Status CairoGdiPlus::GdipSetImageAttributesColorMatrix(GpImageAttributes* attributes, ColorAdjustType, BOOL enable,
                                                       const ColorMatrix* matrix, const ColorMatrix*,
                                                       ColorMatrixFlags) {
  auto* a = As<AttributesImpl>(attributes);
  if (!a || (enable && !matrix)) return InvalidParameter;
  if (!enable) {
    a->alpha = 1;
    return Ok;
  }
  for (int r = 0; r < 5; ++r) {
    for (int c = 0; c < 5; ++c) {
      if (r == 3 && c == 3) continue;
      if (matrix->m[r][c] != (r == c ? 1.0f : 0.0f)) return NotImplemented;
    }
  }
  a->alpha = std::clamp<double>(matrix->m[3][3], 0.0, 1.0);
  return Ok;
}

Status CairoGdiPlus::GdipDisposeImageAttributes(GpImageAttributes* attributes) {
  return DeleteAs<AttributesImpl>(attributes);
}

Status CairoGdiPlus::GdipGetImageEncodersSize(UINT* count, UINT* size) {
  if (!count || !size) return InvalidParameter;
  size_t bytes = 0;
  for (const Encoder& e : kEncoders) bytes += sizeof(ImageCodecInfo) + StringBytes(e);
  *count = UINT(std::size(kEncoders));
  *size = UINT(bytes);
  return Ok;
}

Status CairoGdiPlus::GdipGetImageEncoders(UINT count, UINT size, ImageCodecInfo* encoders) {
  UINT needCount = 0, needSize = 0;
  GdipGetImageEncodersSize(&needCount, &needSize);
  if (!encoders || count != needCount || size < needSize) return InvalidParameter;
  auto* text = reinterpret_cast<char16_t*>(encoders + count);
  auto place = [&text](const char16_t* s) {
    const size_t n = Units(s);
    std::copy(s, s + n, text);
    const char16_t* placed = text;
    text += n;
    return placed;
  };
  for (UINT i = 0; i < count; ++i) {
    const Encoder& e = kEncoders[i];
    ImageCodecInfo& info = encoders[i];
    info.Clsid = e.clsid;
    info.FormatID = e.clsid;
    info.CodecName = place(e.name);
    info.FilenameExtension = place(e.extensions);
    info.MimeType = place(e.mime);
    info.FormatDescription = place(u"");
    info.Flags = 0;
    info.Version = 1;
  }
  return Ok;
}

Status CairoGdiPlus::GdipSaveImageToFile(GpImage* image, const WCHAR* fileName, const CLSID* encoder,
                                         const EncoderParameters* params) {
  auto* b = As<BitmapImpl>(image);
  if (!b || !fileName) return InvalidParameter;
  std::vector<std::uint8_t> bytes;
  if (Status s = Encode(*b, encoder, params, bytes); s != Ok) return s;
  try {
    rtl::WriteFileBytes(Utf8(fileName, -1), bytes.data(), bytes.size());
  } catch (const rtl::EStreamError&) {
    return Win32Error;
  }
  return Ok;
}

Status CairoGdiPlus::GdipSaveImageToStream(GpImage* image, IStream* stream, const CLSID* encoder,
                                           const EncoderParameters* params) {
  auto* b = As<BitmapImpl>(image);
  if (!b || !stream) return InvalidParameter;
  std::vector<std::uint8_t> bytes;
  if (Status s = Encode(*b, encoder, params, bytes); s != Ok) return s;
  size_t done = 0;
  while (done < bytes.size()) {
    const UINT chunk = UINT(std::min<size_t>(bytes.size() - done, 1u << 20));
    UINT written = 0;
    if (stream->Write(bytes.data() + done, chunk, &written) != S_OK || written == 0) return Win32Error;
    done += written;
  }
  return Ok;
}

}  // namespace gdip::cairo_impl
