#pragma once
// The few GDI calls a window back buffer needs: a 32-bit top-down DIB section
// in a memory device context, copied to a window with BitBlt. The memory is
// the toolkit's pixel layout (premultiplied ARGB words, rows top-down, stride
// width x 4), so GDI+ (GdipCreateFromHDC) draws straight into it. A window
// device context wraps the drawing context the window system hands the host
// for one paint (CreateDCForCairo).
#include <cstdint>

// cairo's types, declared as cairo.h does, so users of this header need not
// include cairo.
typedef struct _cairo cairo_t;
typedef struct _cairo_surface cairo_surface_t;

namespace gdip {

struct BITMAPINFOHEADER {
  std::uint32_t biSize = 40;
  std::int32_t biWidth = 0;
  std::int32_t biHeight = 0;  // negative: rows run top-down
  std::uint16_t biPlanes = 1;
  std::uint16_t biBitCount = 32;
  std::uint32_t biCompression = 0;  // BI_RGB
  std::uint32_t biSizeImage = 0;
  std::int32_t biXPelsPerMeter = 0;
  std::int32_t biYPelsPerMeter = 0;
  std::uint32_t biClrUsed = 0;
  std::uint32_t biClrImportant = 0;
};
struct BITMAPINFO {
  BITMAPINFOHEADER bmiHeader;
};

class GdiObject;
class GdiDC;
using HGDIOBJ = GdiObject*;
using HBITMAP = GdiObject*;
using HDC = GdiDC*;

constexpr std::uint32_t DIB_RGB_COLORS = 0;
constexpr std::uint32_t BI_RGB = 0;
constexpr std::uint32_t SRCCOPY = 0x00CC0020;

/// A memory device context with nothing selected; nullptr when out of memory.
/// The argument (a reference context) is not used.
HDC CreateCompatibleDC(HDC dc);

/// A device context that draws into the host's cairo context for one paint.
/// The context stays the caller's; DeleteDC releases only the wrapper.
HDC CreateDCForCairo(cairo_t* cr);

/// A DIB section: only 32-bit BI_RGB with a negative height (top-down) is made;
/// anything else, or no memory, gives nullptr and *bits = nullptr. *bits points
/// to zeroed pixels the bitmap owns until DeleteObject.
HBITMAP CreateDIBSection(HDC dc, const BITMAPINFO* info, std::uint32_t usage, void** bits, void* section,
                         std::uint32_t offset);

/// Selects a DIB section into a memory DC; returns the object selected before
/// (a placeholder object when there was none) or nullptr when it cannot.
HGDIOBJ SelectObject(HDC dc, HGDIOBJ object);

/// Frees a DC (never the bitmap selected into it). True when it was one.
bool DeleteDC(HDC dc);

/// Frees a DIB section. It must not be selected into a live DC.
bool DeleteObject(HGDIOBJ object);

/// Copies a rectangle of a memory DC's pixels with SRCCOPY to another DC.
/// Onto a window DC the alpha bytes are ignored (an opaque window); the
/// rectangle is clipped to both sides' sizes.
bool BitBlt(HDC dst, int x, int y, int width, int height, HDC src, int srcX, int srcY, std::uint32_t rop);

/// The image surface over the DIB selected into a memory DC, nullptr for none.
/// The DC keeps its reference.
cairo_surface_t* GetDCSurface(HDC dc);

}  // namespace gdip
