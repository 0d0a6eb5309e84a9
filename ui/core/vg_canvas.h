#pragma once
// The abstract drawing surface as far as the value types use it, and the
// canvas "class variable": the back-end installs the factory of its concrete
// canvas in DefaultCanvasClass when it starts (tests install a fake).
#include <cstdint>

#include "platform/rtl/Persistent.h"
#include "ui/core/vg_types.h"

namespace vg {

class TvgBitmap;

class TvgCanvas : public rtl::TPersistent {
  RTL_CLASS(TvgCanvas, rtl::TPersistent)

  // Starts a frame; false means nothing may be drawn.
  virtual bool BeginScene() { return true; }
  virtual void EndScene() {}
  virtual void SetMatrix(const TvgMatrix& m) { FMatrix = m; }
  const TvgMatrix& Matrix() const { return FMatrix; }
  // Draws the source part of bitmap into dest under the current matrix;
  // highSpeed chooses nearest-neighbour sampling.
  virtual void DrawBitmap(TvgBitmap& bitmap, const TvgRect& source, const TvgRect& dest,
                          float opacity, bool highSpeed) = 0;
  // Draws bitmap at the origin scaled by width / bitmap width.
  virtual void DrawThumbnail(TvgBitmap& bitmap, float width, float height) = 0;

 protected:
  TvgMatrix FMatrix = IdentityMatrix;
};

struct TvgCanvasClassInfo {
  // A canvas drawing into bitmap, sized like it; owned by the caller.
  TvgCanvas* (*CreateFromBitmap)(TvgBitmap& bitmap) = nullptr;
  // Address of row y of bitmap's pixels; nullptr outside 0 <= y < Height.
  std::uint32_t* (*GetBitmapScanline)(TvgBitmap& bitmap, int y) = nullptr;
};
using TvgCanvasClass = const TvgCanvasClassInfo*;

extern TvgCanvasClass DefaultCanvasClass;

}  // namespace vg
