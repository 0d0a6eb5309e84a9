#pragma once
// The GDI+ flat API as an interface: one object stands for the bound library,
// and its methods carry the flat functions' names, arguments and statuses, so
// code written against GDI+ reads one to one. Two implementations:
//   CreateCairoGdiPlus()  draws with cairo and pango, reads and writes
//                         pictures with gdk-pixbuf (and our own GIF writer);
//   GdipRecorder          logs every call with its arguments and result and
//                         passes it on to another implementation (GdipRecorder.h).
//
// Ownership: every GdipCreate*/GdipLoad*/GdipClone*/GdipGet*Thumbnail call
// hands out a new handle the caller frees with the matching GdipDelete* or
// GdipDispose* call. A bitmap made over caller memory (GdipCreateBitmapFromScan0
// with scan0) shares those pixels and never frees them; the memory must outlive
// the bitmap and every graphics on it.
//
// Deviations from GDI+ worth knowing:
//   - every pixel offset mode behaves as PixelOffsetModeHalf (pixel centres at
//     .5 coordinates);
//   - a graphics on a bitmap has the bitmap's resolution at the time it is
//     made (96 unless set), one on a device context 96 dpi; sizes in points,
//     inches and millimetres follow it, as GdipDrawImage does;
//   - regions are unions of rectangles or one path; combining a path region
//     with anything, and Xor/Complement, answer NotImplemented;
//   - a path gradient is radial over its path's bounds (exact for ellipses);
//   - colour matrices may only scale alpha (entry [3][3]); others answer
//     NotImplemented;
//   - encoders: image/bmp, image/jpeg, image/gif, image/tiff, image/png; BMP
//     and JPEG are written without alpha (the premultiplied colours, that is
//     flattened onto black), GIF with a palette (see GifWriter.h); only JPEG
//     reads EncoderQuality (0..100, larger values are clamped, the last entry
//     counts); decoders: whatever gdk-pixbuf reads (bmp, jpeg, png, tiff, gif
//     first frame, ico), without colour management;
//   - text is laid out by pango; each line of a drawn or measured string is
//     padded by a sixth of the em on both sides, as GDI+ pads it.
//
// One function of our own, GdipMeasureCaretOffsets: the string laid out once
// on one line (the format's wrapping ignored) gives `offsets` (length + 1
// values, caller's memory) the x of the caret before each UTF-16 unit and
// after the last, from the left edge of the first character (offsets[0] is
// 0; both units of a surrogate pair share one x). A string's own prefix of
// n units measures offsets[n] wide, within the shaping across that border.
#include "platform/gdiplus/Gdi.h"
#include "platform/gdiplus/GdiPlusTypes.h"

#include <memory>

namespace gdip {

// X(name, (parameters), (arguments)): functions the recorder logs by itself.
// M(...): functions whose array arguments the recorder describes by hand.
#define GDIP_FUNCTIONS(X, M)                                                                         \
  X(GdiplusStartup, (std::uintptr_t* token, const GdiplusStartupInput* input, void* output),         \
    (token, input, output))                                                                          \
  X(GdiplusShutdown, (std::uintptr_t token), (token))                                                \
  /* graphics */                                                                                     \
  X(GdipCreateFromHDC, (HDC hdc, GpGraphics** graphics), (hdc, graphics))                             \
  X(GdipGetImageGraphicsContext, (GpImage* image, GpGraphics** graphics), (image, graphics))          \
  X(GdipDeleteGraphics, (GpGraphics* graphics), (graphics))                                          \
  X(GdipSetSmoothingMode, (GpGraphics* graphics, SmoothingMode mode), (graphics, mode))              \
  X(GdipSetPixelOffsetMode, (GpGraphics* graphics, PixelOffsetMode mode), (graphics, mode))          \
  X(GdipSetCompositingMode, (GpGraphics* graphics, CompositingMode mode), (graphics, mode))          \
  X(GdipSetTextContrast, (GpGraphics* graphics, UINT contrast), (graphics, contrast))                \
  X(GdipSetInterpolationMode, (GpGraphics* graphics, InterpolationMode mode), (graphics, mode))      \
  X(GdipGetInterpolationMode, (GpGraphics* graphics, InterpolationMode* mode), (graphics, mode))     \
  X(GdipSetTextRenderingHint, (GpGraphics* graphics, TextRenderingHint hint), (graphics, hint))      \
  X(GdipGetTextRenderingHint, (GpGraphics* graphics, TextRenderingHint* hint), (graphics, hint))     \
  X(GdipGetDpiX, (GpGraphics* graphics, REAL* dpi), (graphics, dpi))                                 \
  X(GdipGraphicsClear, (GpGraphics* graphics, ARGB color), (graphics, color))                        \
  X(GdipSetWorldTransform, (GpGraphics* graphics, GpMatrix* matrix), (graphics, matrix))             \
  X(GdipGetWorldTransform, (GpGraphics* graphics, GpMatrix* matrix), (graphics, matrix))             \
  X(GdipMultiplyWorldTransform, (GpGraphics* graphics, const GpMatrix* matrix, MatrixOrder order),   \
    (graphics, matrix, order))                                                                       \
  X(GdipScaleWorldTransform, (GpGraphics* graphics, REAL sx, REAL sy, MatrixOrder order),            \
    (graphics, sx, sy, order))                                                                       \
  X(GdipSaveGraphics, (GpGraphics* graphics, GraphicsState* state), (graphics, state))               \
  X(GdipRestoreGraphics, (GpGraphics* graphics, GraphicsState state), (graphics, state))             \
  X(GdipSetClipRegion, (GpGraphics* graphics, GpRegion* region, CombineMode mode),                   \
    (graphics, region, mode))                                                                        \
  X(GdipSetClipRect, (GpGraphics* graphics, REAL x, REAL y, REAL width, REAL height, CombineMode mode), \
    (graphics, x, y, width, height, mode))                                                           \
  X(GdipResetClip, (GpGraphics* graphics), (graphics))                                               \
  /* regions and matrices */                                                                         \
  X(GdipCreateRegion, (GpRegion** region), (region))                                                 \
  X(GdipCreateRegionPath, (GpPath* path, GpRegion** region), (path, region))                         \
  X(GdipSetEmpty, (GpRegion* region), (region))                                                      \
  X(GdipCombineRegionRect, (GpRegion* region, const GpRectF* rect, CombineMode mode),                \
    (region, rect, mode))                                                                            \
  X(GdipGetRegionBounds, (GpRegion* region, GpGraphics* graphics, GpRectF* rect),                    \
    (region, graphics, rect))                                                                        \
  X(GdipDeleteRegion, (GpRegion* region), (region))                                                  \
  X(GdipCreateMatrix2, (REAL m11, REAL m12, REAL m21, REAL m22, REAL dx, REAL dy, GpMatrix** matrix), \
    (m11, m12, m21, m22, dx, dy, matrix))                                                            \
  X(GdipShearMatrix, (GpMatrix* matrix, REAL shearX, REAL shearY, MatrixOrder order),                \
    (matrix, shearX, shearY, order))                                                                 \
  M(GdipGetMatrixElements, (const GpMatrix* matrix, REAL* elements), (matrix, elements))             \
  X(GdipDeleteMatrix, (GpMatrix* matrix), (matrix))                                                  \
  /* pens */                                                                                         \
  X(GdipCreatePen1, (ARGB color, REAL width, Unit unit, GpPen** pen), (color, width, unit, pen))     \
  X(GdipCreatePen2, (GpBrush* brush, REAL width, Unit unit, GpPen** pen), (brush, width, unit, pen)) \
  X(GdipSetPenWidth, (GpPen* pen, REAL width), (pen, width))                                         \
  X(GdipSetPenLineCap197819, (GpPen* pen, LineCap startCap, LineCap endCap, DashCap dashCap),        \
    (pen, startCap, endCap, dashCap))                                                                \
  X(GdipSetPenLineJoin, (GpPen* pen, LineJoin join), (pen, join))                                    \
  X(GdipSetPenDashStyle, (GpPen* pen, DashStyle style), (pen, style))                                \
  X(GdipSetPenDashOffset, (GpPen* pen, REAL offset), (pen, offset))                                  \
  M(GdipSetPenDashArray, (GpPen* pen, const REAL* dashes, INT count), (pen, dashes, count))          \
  X(GdipDeletePen, (GpPen* pen), (pen))                                                              \
  /* brushes */                                                                                      \
  X(GdipCreateSolidFill, (ARGB color, GpSolidFill** brush), (color, brush))                          \
  X(GdipCreateLineBrush,                                                                             \
    (const GpPointF* point1, const GpPointF* point2, ARGB color1, ARGB color2, WrapMode wrap,         \
     GpLineGradient** brush),                                                                        \
    (point1, point2, color1, color2, wrap, brush))                                                   \
  X(GdipSetLineWrapMode, (GpLineGradient* brush, WrapMode wrap), (brush, wrap))                      \
  M(GdipSetLinePresetBlend, (GpLineGradient* brush, const ARGB* colors, const REAL* positions, INT count), \
    (brush, colors, positions, count))                                                               \
  X(GdipCreatePathGradientFromPath, (const GpPath* path, GpPathGradient** brush), (path, brush))     \
  X(GdipSetPathGradientTransform, (GpPathGradient* brush, GpMatrix* matrix), (brush, matrix))        \
  X(GdipSetPathGradientWrapMode, (GpPathGradient* brush, WrapMode wrap), (brush, wrap))              \
  M(GdipSetPathGradientPresetBlend,                                                                  \
    (GpPathGradient* brush, const ARGB* colors, const REAL* positions, INT count),                   \
    (brush, colors, positions, count))                                                               \
  X(GdipCreateTexture, (GpImage* image, WrapMode wrap, GpTexture** brush), (image, wrap, brush))     \
  X(GdipCreateTextureIA,                                                                             \
    (GpImage* image, const GpImageAttributes* attributes, REAL x, REAL y, REAL width, REAL height,   \
     GpTexture** brush),                                                                             \
    (image, attributes, x, y, width, height, brush))                                                 \
  X(GdipSetTextureWrapMode, (GpTexture* brush, WrapMode wrap), (brush, wrap))                        \
  X(GdipScaleTextureTransform, (GpTexture* brush, REAL sx, REAL sy, MatrixOrder order),              \
    (brush, sx, sy, order))                                                                          \
  X(GdipDeleteBrush, (GpBrush* brush), (brush))                                                      \
  /* paths */                                                                                        \
  X(GdipCreatePath, (FillMode mode, GpPath** path), (mode, path))                                    \
  X(GdipAddPathLine, (GpPath* path, REAL x1, REAL y1, REAL x2, REAL y2), (path, x1, y1, x2, y2))     \
  X(GdipAddPathBezier,                                                                               \
    (GpPath* path, REAL x1, REAL y1, REAL x2, REAL y2, REAL x3, REAL y3, REAL x4, REAL y4),          \
    (path, x1, y1, x2, y2, x3, y3, x4, y4))                                                          \
  X(GdipAddPathEllipse, (GpPath* path, REAL x, REAL y, REAL width, REAL height),                     \
    (path, x, y, width, height))                                                                     \
  X(GdipAddPathString,                                                                               \
    (GpPath* path, const WCHAR* text, INT length, const GpFontFamily* family, INT style, REAL emSize, \
     const RectF* layout, const GpStringFormat* format),                                             \
    (path, text, length, family, style, emSize, layout, format))                                     \
  X(GdipStartPathFigure, (GpPath* path), (path))                                                     \
  X(GdipClosePathFigure, (GpPath* path), (path))                                                     \
  X(GdipGetPointCount, (GpPath* path, INT* count), (path, count))                                    \
  M(GdipGetPathData, (GpPath* path, GpPathData* data), (path, data))                                 \
  X(GdipIsVisiblePathPoint, (GpPath* path, REAL x, REAL y, GpGraphics* graphics, BOOL* result),      \
    (path, x, y, graphics, result))                                                                  \
  X(GdipDeletePath, (GpPath* path), (path))                                                          \
  /* drawing */                                                                                      \
  X(GdipDrawLine, (GpGraphics* graphics, GpPen* pen, REAL x1, REAL y1, REAL x2, REAL y2),            \
    (graphics, pen, x1, y1, x2, y2))                                                                 \
  X(GdipDrawBezier,                                                                                  \
    (GpGraphics* graphics, GpPen* pen, REAL x1, REAL y1, REAL x2, REAL y2, REAL x3, REAL y3, REAL x4, \
     REAL y4),                                                                                       \
    (graphics, pen, x1, y1, x2, y2, x3, y3, x4, y4))                                                 \
  X(GdipDrawRectangle, (GpGraphics* graphics, GpPen* pen, REAL x, REAL y, REAL width, REAL height),  \
    (graphics, pen, x, y, width, height))                                                            \
  X(GdipFillRectangle,                                                                               \
    (GpGraphics* graphics, GpBrush* brush, REAL x, REAL y, REAL width, REAL height),                 \
    (graphics, brush, x, y, width, height))                                                          \
  X(GdipDrawEllipse, (GpGraphics* graphics, GpPen* pen, REAL x, REAL y, REAL width, REAL height),    \
    (graphics, pen, x, y, width, height))                                                            \
  X(GdipDrawPath, (GpGraphics* graphics, GpPen* pen, GpPath* path), (graphics, pen, path))           \
  X(GdipFillPath, (GpGraphics* graphics, GpBrush* brush, GpPath* path), (graphics, brush, path))     \
  /* images */                                                                                       \
  X(GdipCreateBitmapFromScan0,                                                                       \
    (INT width, INT height, INT stride, PixelFormat format, BYTE* scan0, GpBitmap** bitmap),         \
    (width, height, stride, format, scan0, bitmap))                                                  \
  X(GdipLoadImageFromStreamICM, (IStream* stream, GpImage** image), (stream, image))                 \
  X(GdipCreateBitmapFromStreamICM, (IStream* stream, GpBitmap** bitmap), (stream, bitmap))           \
  X(GdipGetImageWidth, (GpImage* image, UINT* width), (image, width))                                \
  X(GdipGetImageHeight, (GpImage* image, UINT* height), (image, height))                             \
  X(GdipGetImageHorizontalResolution, (GpImage* image, REAL* resolution), (image, resolution))       \
  X(GdipGetImageVerticalResolution, (GpImage* image, REAL* resolution), (image, resolution))         \
  X(GdipBitmapSetResolution, (GpBitmap* bitmap, REAL xdpi, REAL ydpi), (bitmap, xdpi, ydpi))         \
  X(GdipImageRotateFlip, (GpImage* image, RotateFlipType type), (image, type))                       \
  X(GdipBitmapLockBits,                                                                              \
    (GpBitmap* bitmap, const GpRect* rect, UINT flags, PixelFormat format, BitmapData* data),        \
    (bitmap, rect, flags, format, data))                                                             \
  X(GdipBitmapUnlockBits, (GpBitmap* bitmap, BitmapData* data), (bitmap, data))                      \
  X(GdipGetImageThumbnail,                                                                           \
    (GpImage* image, UINT width, UINT height, GpImage** thumbnail, void* callback, void* callbackData), \
    (image, width, height, thumbnail, callback, callbackData))                                       \
  X(GdipDisposeImage, (GpImage* image), (image))                                                     \
  X(GdipDrawImage, (GpGraphics* graphics, GpImage* image, REAL x, REAL y), (graphics, image, x, y))  \
  X(GdipDrawImageRect,                                                                               \
    (GpGraphics* graphics, GpImage* image, REAL x, REAL y, REAL width, REAL height),                 \
    (graphics, image, x, y, width, height))                                                          \
  X(GdipDrawImageRectI, (GpGraphics* graphics, GpImage* image, INT x, INT y, INT width, INT height), \
    (graphics, image, x, y, width, height))                                                          \
  X(GdipDrawImageRectRect,                                                                           \
    (GpGraphics* graphics, GpImage* image, REAL dstX, REAL dstY, REAL dstWidth, REAL dstHeight,      \
     REAL srcX, REAL srcY, REAL srcWidth, REAL srcHeight, Unit srcUnit,                              \
     const GpImageAttributes* attributes, void* callback, void* callbackData),                       \
    (graphics, image, dstX, dstY, dstWidth, dstHeight, srcX, srcY, srcWidth, srcHeight, srcUnit,    \
     attributes, callback, callbackData))                                                            \
  X(GdipCreateImageAttributes, (GpImageAttributes** attributes), (attributes))                       \
  X(GdipSetImageAttributesColorMatrix,                                                               \
    (GpImageAttributes* attributes, ColorAdjustType type, BOOL enable, const ColorMatrix* matrix,    \
     const ColorMatrix* grayMatrix, ColorMatrixFlags flags),                                         \
    (attributes, type, enable, matrix, grayMatrix, flags))                                           \
  X(GdipDisposeImageAttributes, (GpImageAttributes* attributes), (attributes))                       \
  /* codecs */                                                                                       \
  X(GdipGetImageEncodersSize, (UINT* count, UINT* size), (count, size))                              \
  M(GdipGetImageEncoders, (UINT count, UINT size, ImageCodecInfo* encoders), (count, size, encoders)) \
  X(GdipSaveImageToFile,                                                                             \
    (GpImage* image, const WCHAR* fileName, const CLSID* encoder, const EncoderParameters* params),  \
    (image, fileName, encoder, params))                                                              \
  X(GdipSaveImageToStream,                                                                           \
    (GpImage* image, IStream* stream, const CLSID* encoder, const EncoderParameters* params),        \
    (image, stream, encoder, params))                                                                \
  /* fonts */                                                                                        \
  X(GdipCreateFontFamilyFromName,                                                                    \
    (const WCHAR* name, GpFontCollection* collection, GpFontFamily** family),                        \
    (name, collection, family))                                                                      \
  X(GdipGetGenericFontFamilySansSerif, (GpFontFamily** family), (family))                            \
  X(GdipCloneFontFamily, (GpFontFamily* family, GpFontFamily** clone), (family, clone))              \
  M(GdipGetFamilyName, (const GpFontFamily* family, WCHAR* name, LANGID language),                   \
    (family, name, language))                                                                        \
  X(GdipIsStyleAvailable, (const GpFontFamily* family, INT style, BOOL* available),                  \
    (family, style, available))                                                                      \
  X(GdipDeleteFontFamily, (GpFontFamily* family), (family))                                          \
  X(GdipCreateFont, (const GpFontFamily* family, REAL emSize, INT style, Unit unit, GpFont** font),   \
    (family, emSize, style, unit, font))                                                             \
  X(GdipDeleteFont, (GpFont* font), (font))                                                          \
  X(GdipNewPrivateFontCollection, (GpFontCollection** collection), (collection))                     \
  X(GdipPrivateAddMemoryFont, (GpFontCollection* collection, const void* memory, INT length),        \
    (collection, memory, length))                                                                    \
  X(GdipDeletePrivateFontCollection, (GpFontCollection** collection), (collection))                  \
  /* string formats and text */                                                                      \
  X(GdipCreateStringFormat, (INT flags, LANGID language, GpStringFormat** format),                   \
    (flags, language, format))                                                                       \
  X(GdipGetStringFormatFlags, (const GpStringFormat* format, INT* flags), (format, flags))            \
  X(GdipSetStringFormatFlags, (GpStringFormat* format, INT flags), (format, flags))                  \
  X(GdipSetStringFormatAlign, (GpStringFormat* format, StringAlignment align), (format, align))       \
  X(GdipSetStringFormatLineAlign, (GpStringFormat* format, StringAlignment align), (format, align))   \
  M(GdipSetStringFormatMeasurableCharacterRanges,                                                    \
    (GpStringFormat* format, INT count, const CharacterRange* ranges), (format, count, ranges))      \
  X(GdipGetStringFormatMeasurableCharacterRangeCount, (const GpStringFormat* format, INT* count),    \
    (format, count))                                                                                 \
  X(GdipDeleteStringFormat, (GpStringFormat* format), (format))                                      \
  X(GdipDrawString,                                                                                  \
    (GpGraphics* graphics, const WCHAR* text, INT length, const GpFont* font, const RectF* layout,   \
     const GpStringFormat* format, const GpBrush* brush),                                            \
    (graphics, text, length, font, layout, format, brush))                                           \
  X(GdipMeasureString,                                                                               \
    (GpGraphics* graphics, const WCHAR* text, INT length, const GpFont* font, const RectF* layout,   \
     const GpStringFormat* format, RectF* bounds, INT* codepointsFitted, INT* linesFilled),          \
    (graphics, text, length, font, layout, format, bounds, codepointsFitted, linesFilled))           \
  M(GdipMeasureCharacterRanges,                                                                      \
    (GpGraphics* graphics, const WCHAR* text, INT length, const GpFont* font, const RectF* layout,   \
     const GpStringFormat* format, INT regionCount, GpRegion** regions),                             \
    (graphics, text, length, font, layout, format, regionCount, regions))                            \
  M(GdipMeasureCaretOffsets,                                                                         \
    (GpGraphics* graphics, const WCHAR* text, INT length, const GpFont* font,                        \
     const GpStringFormat* format, REAL* offsets),                                                   \
    (graphics, text, length, font, format, offsets))

/// The bound flat API. Methods answer a Status; handles given out are owned by
/// the caller (see the file comment). Not thread-safe: use from one thread.
class GdiPlus {
 public:
  virtual ~GdiPlus() = default;
#define GDIP_DECLARE_PURE(name, params, args) virtual Status name params = 0;
  GDIP_FUNCTIONS(GDIP_DECLARE_PURE, GDIP_DECLARE_PURE)
#undef GDIP_DECLARE_PURE
};

/// The implementation over cairo, pango, fontconfig and gdk-pixbuf. Fonts come
/// from fontconfig's current configuration (FONTCONFIG_FILE pins it in tests).
/// Private memory fonts join fontconfig's application fonts (only their
/// collection names them) and are cleared when the object goes: keep one
/// object with private fonts at a time.
std::unique_ptr<GdiPlus> CreateCairoGdiPlus();

}  // namespace gdip
