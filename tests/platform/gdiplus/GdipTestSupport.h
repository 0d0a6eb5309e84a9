#pragma once
// A bitmap with a graphics on it, over pixels the test can read, and a byte
// stream in memory for the codecs.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "platform/gdiplus/GdiPlus.h"

namespace gdip::testing {

struct Surface {
  Surface(GdiPlus& api, int width, int height, bool smooth = true)
      : api(api), width(width), height(height), pixels(size_t(width) * height, 0) {
    EXPECT_EQ(api.GdipCreateBitmapFromScan0(width, height, width * 4, PixelFormat32bppPARGB,
                                            reinterpret_cast<BYTE*>(pixels.data()), &bitmap),
              Ok);
    EXPECT_EQ(api.GdipGetImageGraphicsContext(bitmap, &graphics), Ok);
    if (smooth) api.GdipSetSmoothingMode(graphics, SmoothingModeHighQuality);
  }
  ~Surface() {
    api.GdipDeleteGraphics(graphics);
    api.GdipDisposeImage(bitmap);
  }
  /// The premultiplied word at the pixel's centre.
  ARGB At(int x, int y) const { return pixels[size_t(y) * width + x]; }
  int Alpha(int x, int y) const { return int(At(x, y) >> 24); }

  GdiPlus& api;
  int width, height;
  std::vector<ARGB> pixels;
  GpBitmap* bitmap = nullptr;
  GpGraphics* graphics = nullptr;
};

/// Brushes and pens freed at the end of a test.
struct Objects {
  explicit Objects(GdiPlus& api) : api(api) {}
  ~Objects() {
    for (GpBrush* b : brushes) api.GdipDeleteBrush(b);
    for (GpPen* p : pens) api.GdipDeletePen(p);
    for (GpPath* p : paths) api.GdipDeletePath(p);
  }
  GpSolidFill* Solid(ARGB color) {
    GpSolidFill* b = nullptr;
    EXPECT_EQ(api.GdipCreateSolidFill(color, &b), Ok);
    brushes.push_back(b);
    return b;
  }
  GpPen* Pen(ARGB color, REAL width) {
    GpPen* p = nullptr;
    EXPECT_EQ(api.GdipCreatePen1(color, width, UnitWorld, &p), Ok);
    pens.push_back(p);
    return p;
  }
  GpPath* Path(FillMode mode = FillModeAlternate) {
    GpPath* p = nullptr;
    EXPECT_EQ(api.GdipCreatePath(mode, &p), Ok);
    paths.push_back(p);
    return p;
  }
  template <class B>
  B* Keep(B* brush) {
    brushes.push_back(brush);
    return brush;
  }
  GdiPlus& api;
  std::vector<GpBrush*> brushes;
  std::vector<GpPen*> pens;
  std::vector<GpPath*> paths;
};

/// A stream over a byte vector; starts with one reference held by the test.
class VectorStream final : public IStream {
 public:
  std::vector<BYTE> bytes;
  std::uint64_t position = 0;

  UINT AddRef() override { return ++refs_; }
  UINT Release() override {
    const UINT left = --refs_;
    if (left == 0) delete this;
    return left;
  }
  HRESULT Read(void* pv, UINT cb, UINT* read) override {
    const size_t n = position >= bytes.size() ? 0 : std::min<size_t>(cb, bytes.size() - position);
    if (n) std::memcpy(pv, bytes.data() + position, n);
    position += n;
    if (read) *read = UINT(n);
    return S_OK;
  }
  HRESULT Write(const void* pv, UINT cb, UINT* written) override {
    if (bytes.size() < position + cb) bytes.resize(position + cb);
    std::memcpy(bytes.data() + position, pv, cb);
    position += cb;
    if (written) *written = cb;
    return S_OK;
  }
  HRESULT Seek(std::int64_t move, UINT origin, std::uint64_t* result) override {
    const std::int64_t base = origin == STREAM_SEEK_SET   ? 0
                              : origin == STREAM_SEEK_CUR ? std::int64_t(position)
                                                          : std::int64_t(bytes.size());
    position = std::uint64_t(base + move);
    if (result) *result = position;
    return S_OK;
  }
  HRESULT SetSize(std::uint64_t size) override {
    bytes.resize(size);
    return S_OK;
  }
  HRESULT CopyTo(IStream*, std::uint64_t, std::uint64_t*, std::uint64_t*) override { return E_NOTIMPL; }
  HRESULT Commit(UINT) override { return S_OK; }
  HRESULT Revert() override { return STG_E_REVERTED; }
  HRESULT LockRegion(std::uint64_t, std::uint64_t, UINT) override { return STG_E_INVALIDFUNCTION; }
  HRESULT UnlockRegion(std::uint64_t, std::uint64_t, UINT) override { return STG_E_INVALIDFUNCTION; }
  HRESULT Stat(STATSTG*, UINT) override { return E_NOTIMPL; }
  HRESULT Clone(IStream** out) override {
    *out = nullptr;
    return E_NOTIMPL;
  }

 private:
  UINT refs_ = 1;
};

}  // namespace gdip::testing
