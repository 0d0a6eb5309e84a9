#pragma once
// TvgBitmap, the toolkit's raster image: Width x Height premultiplied ARGB
// pixels (rows top-down, no padding, 0xAARRGGBB little-endian), a canvas made
// on demand from DefaultCanvasClass, image files and streams through the
// exchangeable codec DefaultFilterClass, a few pixel operations, and an
// optional link to a named bitmap resource. Colours handed to its operations
// are straight and premultiplied on the way in.
//
// Bitmaps assigned from one another share their pixels until one of them is
// written (the non-const Bits(), GetScanline, the pixel operations), which
// then copies them: brush copies and saved canvas states cost no copy of the
// picture. Read through the const Bits()/ConstBits() to keep sharing. A
// bitmap that a canvas draws into keeps its pixels to itself from then on,
// since the canvas writes them without asking.
//
// TvgFilter is the abstract codec; the back-end installs its concrete filter
// in DefaultFilterClass when it starts (tests install a fake).
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/rtl/Graphics.h"
#include "platform/rtl/Persistent.h"
#include "platform/rtl/Streams.h"
#include "ui/core/vg_canvas.h"
#include "ui/core/vg_colors.h"
#include "ui/core/vg_persistent.h"
#include "ui/core/vg_resourcelink.h"
#include "ui/core/vg_types.h"

namespace vg {

class TvgFilter : public rtl::TPersistent {
  RTL_CLASS(TvgFilter, rtl::TPersistent)

  // Each returns true when bitmap now holds the image. The base raises
  // rtl::EAbstractError.
  virtual bool LoadFromFile(const std::string& fileName, float rotation, TvgBitmap& bitmap);
  virtual bool LoadThumbnailFromFile(const std::string& fileName, float fitWidth, float fitHeight,
                                     bool useEmbedded, TvgBitmap& bitmap);
  virtual bool SaveToFile(const std::string& fileName, TvgBitmap& bitmap,
                          const std::string& params);
  virtual bool LoadFromStream(rtl::TStream& stream, TvgBitmap& bitmap);
  // format is "png" or "jpeg"; params e.g. "quality=100".
  virtual bool SaveToStream(rtl::TStream& stream, TvgBitmap& bitmap, const std::string& format,
                            const std::string& params);
};

struct TvgFilterClassInfo {
  TvgFilter* (*Create)() = nullptr;  // a filter for one call, freed right after
  std::string (*GetFileTypes)() = [] { return std::string(); };
  TvgPoint (*GetImageSize)(const std::string& fileName) = [](const std::string&) {
    return TvgPoint{};
  };
};
using TvgFilterClass = const TvgFilterClassInfo*;

extern TvgFilterClass DefaultFilterClass;

class TvgBitmap : public rtl::TPersistent {
  RTL_CLASS(TvgBitmap, rtl::TPersistent)

  // Every bitmap is premultiplied; the flag is accepted and ignored.
  explicit TvgBitmap(int width = 0, int height = 0, bool premultiplied = true);
  explicit TvgBitmap(rtl::TStream& stream);  // an empty bitmap, then LoadFromStream
  // bitmap's pixels with the alpha taken from the R channel of mask's pixels
  // when mask has the same size; cleared otherwise.
  TvgBitmap(const TvgBitmap& bitmap, const TvgBitmap& mask);
  ~TvgBitmap() override;

  int Width() const { return width_; }
  int Height() const { return height_; }
  void SetSize(int width, int height);  // discards pixels, canvas, handle; OnChange
  void SetWidth(int width);
  void SetHeight(int height);
  bool IsEmpty() const { return !pixels_; }

  // The pixel block (Width * Height values), nullptr when empty. The
  // non-const form is for writing: it first copies pixels shared with
  // another bitmap (dropping the platform handle, which showed the old block).
  std::uint32_t* Bits();
  const std::uint32_t* Bits() const { return ConstBits(); }
  const std::uint32_t* ConstBits() const { return pixels_ ? pixels_->data() : nullptr; }
  // Stops sharing the pixels, now and later: a canvas is about to draw
  // straight into them.
  void KeepPixelsPrivate();
  std::uint32_t GetPixels(int x, int y) const;  // stored value; 0 outside
  std::uint32_t* GetScanline(int y);            // through DefaultCanvasClass
  void Clear(TvgColor color);                   // OnChange
  void ClearRect(const TvgRect& r, TvgColor color);
  void BitmapChanged() { Fire(OnChange, this); }

  // Back-end bookkeeping: its platform image of the pixels and whether that
  // image must be refreshed before the next use.
  std::uintptr_t Handle() const { return handle_; }
  void SetHandle(std::uintptr_t handle) { handle_ = handle; }
  bool NeedUpdate() const { return needUpdate_; }
  void SetNeedUpdate(bool value) { needUpdate_ = value; }

  // The bitmap's own canvas, made on first use; raises EInvalidOperation when
  // no canvas class is installed.
  TvgCanvas* GetCanvas();

  // Pixel operations; each fires OnChange.
  void Rotate(float degrees);
  void FlipHorizontal();  // mirrors top to bottom (swaps rows)
  void FlipVertical();    // mirrors left to right (swaps columns)
  void InvertAlpha();
  void FillColor(TvgColor color);
  std::vector<std::uint8_t> CreateMask() const;  // alpha of each pixel, row-major
  // Erodes every pixel whose mask entry at (x - dx, y - dy) is non-zero; the
  // mask has rows of Width entries; entries beyond its end are ignored.
  void ApplyMask(const std::vector<std::uint8_t>& mask, int dx = 0, int dy = 0);
  TvgBitmap* CreateThumbnail(int width, int height);  // owned by the caller

  // Files and streams through a DefaultFilterClass instance.
  void LoadFromFile(const std::string& fileName, float rotation = 0);
  void LoadThumbnailFromFile(const std::string& fileName, float fitWidth, float fitHeight,
                             bool useEmbedded = true);
  // The saves return what the filter reports (false: nothing or not all
  // was written).
  bool SaveToFile(const std::string& fileName, const std::string& params = {});
  void LoadFromStream(rtl::TStream& stream);
  // PNG when any pixel has alpha below 255, else JPEG at quality 100.
  bool SaveToStream(rtl::TStream& stream);

  // The linked named bitmap resource.
  IvgResourceNode* GetResource() const { return resource_.Node(); }
  void SetResource(IvgResourceNode* node);
  const std::string& GetResourceName() const { return resource_.Name(); }
  void SetResourceName(const std::string& name);
  // The linked resource's bitmap (resolved by name on first use), or nullptr:
  // painting code then draws this bitmap itself.
  TvgBitmap* GetBitmap() const;

  void Assign(const rtl::TPersistent* source) override;
  // A class-library picture: a 32-bit one keeps its pixel values (alpha
  // included), any other becomes opaque.
  void Assign(const rtl::TGraphic& graphic);
  // Makes dest a 32-bit bitmap of the same size holding these (premultiplied)
  // pixel values.
  void AssignTo(rtl::TBitmap& dest) const;
  // Fired when a background load has finished.
  void DoLoaded() { Fire(OnThreadLoaded, this); }

  TNotifyEvent OnChange;
  TNotifyEvent OnThreadLoaded;
  TNotifyEvent OnBitmapCreate;
  TNotifyEvent OnBitmapDestroy;
  TNotifyEvent OnDestroyHandle;

 protected:
  using rtl::TPersistent::AssignTo;
  // The binary property "PNG": what SaveToStream writes (PNG or JPEG),
  // written when the bitmap has pixels; reading takes either format.
  void DefineProperties(rtl::TFiler& filer) override;

 private:
  static void Publish(rtl::TPublisher<TvgBitmap>& p) {
    p.Property("ResourceName", &TvgBitmap::GetResourceName, &TvgBitmap::SetResourceName);
  }
  using PixelBlock = std::vector<std::uint32_t>;
  // Releases the pixels, handle and canvas, then takes shared, or a cleared
  // block of the current size when shared is null.
  void Recreate(std::shared_ptr<PixelBlock> shared = nullptr);
  void DropHandle();
  void TakePixelsOf(const TvgBitmap& other);
  TvgOwned<TvgFilter> NewFilter() const;

  std::shared_ptr<PixelBlock> pixels_;  // null when empty
  bool privatePixels_ = false;
  std::uintptr_t handle_ = 0;
  int width_ = 0;
  int height_ = 0;
  bool needUpdate_ = false;
  mutable TvgResourceLink resource_;  // resolved lazily by GetBitmap
  TvgOwned<TvgCanvas> canvas_;
};

}  // namespace vg
