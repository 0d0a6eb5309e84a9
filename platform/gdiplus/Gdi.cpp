#include "platform/gdiplus/Gdi.h"

#include <cairo.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "platform/gdiplus/CairoHandles.h"

namespace gdip {

class GdiObject {
 public:
  GdiObject() = default;
  GdiObject(const GdiObject&) = delete;
  GdiObject& operator=(const GdiObject&) = delete;
  virtual ~GdiObject() = default;
};

namespace {

class DibSection final : public GdiObject {
 public:
  DibSection(int width, int height) : width_(width), height_(height) {
    const size_t bytes = size_t(width) * size_t(height) * 4;
    bits_.reset(static_cast<unsigned char*>(std::calloc(bytes, 1)));
    if (bits_)
      surface_.reset(cairo_image_surface_create_for_data(bits_.get(), CAIRO_FORMAT_ARGB32, width, height, width * 4));
  }
  bool Valid() const { return bits_ && surface_ && cairo_surface_status(surface_.get()) == CAIRO_STATUS_SUCCESS; }
  unsigned char* Bits() const { return bits_.get(); }
  cairo_surface_t* Surface() const { return surface_.get(); }
  int Width() const { return width_; }
  int Height() const { return height_; }

 private:
  int width_, height_;
  // Declared first so that it goes last: the surface draws into the bits.
  rtl::THandle<unsigned char, [](void* bits) { std::free(bits); }> bits_;
  CairoSurfacePtr surface_;
};

// Stands for "nothing selected yet": what SelectObject returns the first time.
class StockBitmap final : public GdiObject {};
StockBitmap stockBitmap;

}  // namespace

class GdiDC {
 public:
  explicit GdiDC(cairo_t* window) : window_(window) {}
  cairo_t* Window() const { return window_; }
  DibSection* selected = nullptr;

 private:
  cairo_t* window_;
};

HDC CreateCompatibleDC(HDC) {
  return new (std::nothrow) GdiDC(nullptr);
}

HDC CreateDCForCairo(cairo_t* cr) {
  return cr ? new (std::nothrow) GdiDC(cr) : nullptr;
}

HBITMAP CreateDIBSection(HDC, const BITMAPINFO* info, std::uint32_t usage, void** bits, void*, std::uint32_t) {
  if (bits) *bits = nullptr;
  if (!info || usage != DIB_RGB_COLORS) return nullptr;
  const BITMAPINFOHEADER& h = info->bmiHeader;
  if (h.biBitCount != 32 || h.biCompression != BI_RGB || h.biWidth <= 0 || h.biHeight >= 0 || h.biWidth > 32767 ||
      -h.biHeight > 32767) {
    return nullptr;
  }
  auto* dib = new (std::nothrow) DibSection(h.biWidth, -h.biHeight);
  if (!dib || !dib->Valid()) {
    delete dib;
    return nullptr;
  }
  if (bits) *bits = dib->Bits();
  return dib;
}

HGDIOBJ SelectObject(HDC dc, HGDIOBJ object) {
  if (!dc || dc->Window() || !object) return nullptr;
  GdiObject* previous = dc->selected ? static_cast<GdiObject*>(dc->selected) : &stockBitmap;
  if (object == &stockBitmap) {
    dc->selected = nullptr;
    return previous;
  }
  auto* dib = dynamic_cast<DibSection*>(object);
  if (!dib) return nullptr;
  dc->selected = dib;
  return previous;
}

bool DeleteDC(HDC dc) {
  delete dc;
  return dc != nullptr;
}

bool DeleteObject(HGDIOBJ object) {
  if (!object || object == &stockBitmap) return false;
  delete object;
  return true;
}

cairo_surface_t* GetDCSurface(HDC dc) {
  return dc && dc->selected ? dc->selected->Surface() : nullptr;
}

bool BitBlt(HDC dst, int x, int y, int width, int height, HDC src, int srcX, int srcY, std::uint32_t rop) {
  if (!dst || !src || !src->selected || rop != SRCCOPY) return false;
  DibSection& from = *src->selected;
  // Clip the source rectangle to the source bitmap, moving the target with it.
  const int left = std::max(srcX, 0), top = std::max(srcY, 0);
  const int right = std::min(srcX + width, from.Width()), bottom = std::min(srcY + height, from.Height());
  if (right <= left || bottom <= top) return true;
  x += left - srcX;
  y += top - srcY;
  if (cairo_t* cr = dst->Window()) {
    cairo_surface_flush(from.Surface());
    // An opaque window ignores alpha: paint an RGB view of the same memory.
    cairo_surface_t* rgb = cairo_image_surface_create_for_data(from.Bits(), CAIRO_FORMAT_RGB24, from.Width(),
                                                               from.Height(), from.Width() * 4);
    cairo_save(cr);
    cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
    cairo_set_source_surface(cr, rgb, x - left, y - top);
    cairo_rectangle(cr, x, y, right - left, bottom - top);
    cairo_fill(cr);
    cairo_restore(cr);
    cairo_surface_destroy(rgb);
    return true;
  }
  if (!dst->selected) return false;
  DibSection& to = *dst->selected;
  const int dx0 = std::max(x, 0), dy0 = std::max(y, 0);
  const int dx1 = std::min(x + (right - left), to.Width()), dy1 = std::min(y + (bottom - top), to.Height());
  if (dx1 <= dx0 || dy1 <= dy0) return true;
  cairo_surface_flush(from.Surface());
  cairo_surface_flush(to.Surface());
  for (int row = dy0; row < dy1; ++row) {
    const unsigned char* s = from.Bits() + (size_t(row - y + top) * from.Width() + (dx0 - x + left)) * 4;
    unsigned char* d = to.Bits() + (size_t(row) * to.Width() + dx0) * 4;
    std::memmove(d, s, size_t(dx1 - dx0) * 4);
  }
  cairo_surface_mark_dirty(to.Surface());
  return true;
}

}  // namespace gdip
