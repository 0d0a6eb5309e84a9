#include "ui/core/vg_bitmap.h"

#include <algorithm>
#include <cmath>
#include <filesystem>

#include "platform/rtl/Exceptions.h"
#include "platform/rtl/Filer.h"
#include "platform/rtl/Rounding.h"
#include "ui/core/vg_pixels.h"

namespace vg {

TvgCanvasClass DefaultCanvasClass = nullptr;
TvgFilterClass DefaultFilterClass = nullptr;

namespace {

[[noreturn]] void AbstractError() { throw rtl::EAbstractError("Abstract Error"); }

}  // namespace

bool TvgFilter::LoadFromFile(const std::string&, float, TvgBitmap&) { AbstractError(); }
bool TvgFilter::LoadThumbnailFromFile(const std::string&, float, float, bool, TvgBitmap&) {
  AbstractError();
}
bool TvgFilter::SaveToFile(const std::string&, TvgBitmap&, const std::string&) { AbstractError(); }
bool TvgFilter::LoadFromStream(rtl::TStream&, TvgBitmap&) { AbstractError(); }
bool TvgFilter::SaveToStream(rtl::TStream&, TvgBitmap&, const std::string&, const std::string&) {
  AbstractError();
}

TvgBitmap::TvgBitmap(int width, int height, bool) {
  width_ = std::max(width, 0);
  height_ = std::max(height, 0);
  Recreate();
}

TvgBitmap::TvgBitmap(rtl::TStream& stream) : TvgBitmap() { LoadFromStream(stream); }

TvgBitmap::TvgBitmap(const TvgBitmap& bitmap, const TvgBitmap& mask)
    : TvgBitmap(bitmap.Width(), bitmap.Height()) {
  if (IsEmpty() || mask.Width() != width_ || mask.Height() != height_) return;
  const std::uint32_t* color = bitmap.ConstBits();
  const std::uint32_t* alpha = mask.ConstBits();
  for (std::uint32_t& pixel : *pixels_)
    pixel = (*color++ & 0x00FFFFFFu) | (*alpha++ & 0x00FF0000u) << 8;
}

TvgBitmap::~TvgBitmap() {
  Fire(OnDestroyHandle, this);
  canvas_.reset();
  handle_ = 0;
}

void TvgBitmap::Recreate(std::shared_ptr<PixelBlock> shared) {
  Fire(OnBitmapDestroy, this);
  DropHandle();
  canvas_.reset();
  pixels_ = std::move(shared);
  if (!pixels_ && std::int64_t(width_) * height_ != 0) {
    pixels_ = std::make_shared<PixelBlock>(size_t(width_) * size_t(height_));
    Clear(0);
  }
  needUpdate_ = true;
  Fire(OnBitmapCreate, this);
}

void TvgBitmap::DropHandle() {
  Fire(OnDestroyHandle, this);
  handle_ = 0;
  needUpdate_ = true;
}

std::uint32_t* TvgBitmap::Bits() {
  if (!pixels_) return nullptr;
  if (pixels_.use_count() > 1) {
    pixels_ = std::make_shared<PixelBlock>(*pixels_);
    DropHandle();
  }
  return pixels_->data();
}

void TvgBitmap::KeepPixelsPrivate() {
  Bits();
  privatePixels_ = true;
}

void TvgBitmap::TakePixelsOf(const TvgBitmap& other) {
  if (privatePixels_ || other.privatePixels_) {
    SetSize(other.width_, other.height_);
    if (!other.IsEmpty()) std::copy(other.pixels_->begin(), other.pixels_->end(), Bits());
  } else if (width_ != other.width_ || height_ != other.height_) {
    width_ = other.width_;
    height_ = other.height_;
    Recreate(other.pixels_);
    BitmapChanged();
  } else if (pixels_ != other.pixels_) {
    DropHandle();
    pixels_ = other.pixels_;
  }
  needUpdate_ = true;
}

void TvgBitmap::SetSize(int width, int height) {
  width = std::max(width, 0);
  height = std::max(height, 0);
  if (width == width_ && height == height_) return;
  width_ = width;
  height_ = height;
  Recreate();
  BitmapChanged();
}

void TvgBitmap::SetWidth(int width) {
  width = std::max(width, 0);
  if (width == width_) return;
  width_ = width;
  Recreate();
}

void TvgBitmap::SetHeight(int height) {
  height = std::max(height, 0);
  if (height == height_) return;
  height_ = height;
  Recreate();
}

std::uint32_t TvgBitmap::GetPixels(int x, int y) const {
  if (IsEmpty() || x < 0 || y < 0 || x >= width_ || y >= height_) return 0;
  return (*pixels_)[size_t(y) * width_ + x];
}

std::uint32_t* TvgBitmap::GetScanline(int y) {
  if (!DefaultCanvasClass || !DefaultCanvasClass->GetBitmapScanline) return nullptr;
  return DefaultCanvasClass->GetBitmapScanline(*this, y);
}

void TvgBitmap::Clear(TvgColor color) {
  if (IsEmpty()) return;
  std::uint32_t* bits = Bits();
  std::fill_n(bits, pixels_->size(), vgPremultyAlpha(color));
  BitmapChanged();
  needUpdate_ = true;
}

void TvgBitmap::ClearRect(const TvgRect& r, TvgColor color) {
  if (IsEmpty()) return;
  auto clampTo = [](double v, int max) { return int(std::clamp(v, 0.0, double(max))); };
  const int left = clampTo(std::trunc(r.Left), width_);
  const int top = clampTo(std::trunc(r.Top), height_);
  const int right = std::max(left, clampTo(std::nearbyint(r.Right), width_));
  const int bottom = std::max(top, clampTo(std::nearbyint(r.Bottom), height_));
  vgFillLongwordRect(Bits(), width_, height_, left, top, right, bottom,
                     vgPremultyAlpha(color));
  needUpdate_ = true;
}

TvgCanvas* TvgBitmap::GetCanvas() {
  if (!canvas_) {
    KeepPixelsPrivate();
    if (!DefaultCanvasClass || !DefaultCanvasClass->CreateFromBitmap)
      throw rtl::EInvalidOperation("No canvas class is installed");
    canvas_.reset(DefaultCanvasClass->CreateFromBitmap(*this));
    canvas_->SetMatrix(IdentityMatrix);
  }
  return canvas_.get();
}

void TvgBitmap::Rotate(float degrees) {
  if (degrees == 0) return;
  TvgMatrix m = vgMatrixMultiply(vgCreateTranslateMatrix(-width_ / 2.0f, -height_ / 2.0f),
                                 vgCreateRotationMatrix(vgDegToRad(degrees)));
  std::vector<TvgPoint> corners;
  for (TvgPoint p : {TvgPoint{0, 0}, TvgPoint{float(width_), 0},
                     TvgPoint{float(width_), float(height_)}, TvgPoint{0, float(height_)}})
    corners.push_back(vgPointFromVector(vgVectorTransform(vgVector(p), m)));
  const TvgRect bounds = vgNormalizeRect(corners);
  m = vgMatrixMultiply(m, vgCreateTranslateMatrix(vgRectWidth(bounds) / 2,
                                                  vgRectHeight(bounds) / 2));
  TvgOwned<TvgBitmap> rotated(
      new TvgBitmap(rtl::Trunc(vgRectWidth(bounds)), rtl::Trunc(vgRectHeight(bounds))));
  rotated->Clear(0);
  TvgCanvas* canvas = rotated->GetCanvas();
  if (canvas->BeginScene()) {
    canvas->SetMatrix(m);
    const TvgRect whole{0, 0, float(width_), float(height_)};
    canvas->DrawBitmap(*this, whole, whole, 1, false);
    canvas->EndScene();
  }
  Assign(rotated.get());
  BitmapChanged();
}

void TvgBitmap::FlipHorizontal() {
  std::uint32_t* bits = Bits();
  auto row = [this, bits](int y) { return bits + ptrdiff_t(y) * width_; };
  for (int i = 0, j = height_ - 1; bits && i < j; ++i, --j) std::swap_ranges(row(i), row(i + 1), row(j));
  needUpdate_ = true;
  BitmapChanged();
}

void TvgBitmap::FlipVertical() {
  std::uint32_t* bits = Bits();
  for (int y = 0; y < height_ && bits; ++y) {
    std::uint32_t* row = bits + ptrdiff_t(y) * width_;
    std::reverse(row, row + width_);
  }
  needUpdate_ = true;
  BitmapChanged();
}

void TvgBitmap::InvertAlpha() {
  if (Bits()) for (std::uint32_t& pixel : *pixels_) {
    TvgColorRec rec = TvgColorRec::From(vgUnpremultyAlpha(pixel));
    rec.A = std::uint8_t(255 - rec.A);
    pixel = vgPremultyAlpha(rec.Color());
  }
  needUpdate_ = true;
  BitmapChanged();
}

void TvgBitmap::FillColor(TvgColor color) {
  if (Bits()) for (std::uint32_t& pixel : *pixels_) {
    const std::uint8_t alpha = std::uint8_t(pixel >> 24);
    if (alpha != 0) pixel = vgPremultyAlpha(vgOpacity(color, alpha / 255.0f));
  }
  needUpdate_ = true;
  BitmapChanged();
}

std::vector<std::uint8_t> TvgBitmap::CreateMask() const {
  if (IsEmpty()) return {};
  std::vector<std::uint8_t> mask(pixels_->size());
  std::transform(pixels_->begin(), pixels_->end(), mask.begin(),
                 [](std::uint32_t pixel) { return std::uint8_t(pixel >> 24); });
  return mask;
}

void TvgBitmap::ApplyMask(const std::vector<std::uint8_t>& mask, int dx, int dy) {
  std::uint32_t* bits = Bits();
  for (int y = 0; y < height_ && bits; ++y)
    for (int x = 0; x < width_; ++x) {
      const int mx = x - dx, my = y - dy;
      if (mx < 0 || my < 0 || mx >= width_ || my >= height_) continue;
      const size_t index = size_t(my) * width_ + mx;
      if (index >= mask.size() || mask[index] == 0) continue;
      std::uint32_t& pixel = bits[size_t(y) * width_ + x];
      pixel = vgPremultyAlpha(vgOpacity(vgUnpremultyAlpha(pixel), (255 - mask[index]) / 255.0f));
    }
  needUpdate_ = true;
  BitmapChanged();
}

TvgBitmap* TvgBitmap::CreateThumbnail(int width, int height) {
  TvgOwned<TvgBitmap> thumbnail(new TvgBitmap(width, height));
  TvgCanvas* canvas = thumbnail->GetCanvas();
  if (canvas->BeginScene()) {
    canvas->DrawThumbnail(*this, float(width), float(height));
    canvas->EndScene();
  }
  return thumbnail.release();
}

TvgOwned<TvgFilter> TvgBitmap::NewFilter() const {
  if (!DefaultFilterClass || !DefaultFilterClass->Create)
    throw rtl::EInvalidOperation("No image filter class is installed");
  return TvgOwned<TvgFilter>(DefaultFilterClass->Create());
}

void TvgBitmap::LoadFromFile(const std::string& fileName, float rotation) {
  std::error_code error;
  if (!std::filesystem::exists(fileName, error)) return;
  if (NewFilter()->LoadFromFile(fileName, rotation, *this)) BitmapChanged();
}

void TvgBitmap::LoadThumbnailFromFile(const std::string& fileName, float fitWidth,
                                      float fitHeight, bool useEmbedded) {
  if (NewFilter()->LoadThumbnailFromFile(fileName, fitWidth, fitHeight, useEmbedded, *this))
    BitmapChanged();
}

bool TvgBitmap::SaveToFile(const std::string& fileName, const std::string& params) {
  return NewFilter()->SaveToFile(fileName, *this, params);
}

void TvgBitmap::LoadFromStream(rtl::TStream& stream) {
  auto filter = NewFilter();
  bool loaded;
  if (stream.Position() != 0) {
    rtl::TMemoryStream rest;
    // CopyFrom takes a count of 0 as "the whole stream".
    if (const std::int64_t count = stream.Size() - stream.Position(); count > 0)
      rest.CopyFrom(stream, count);
    rest.SetPosition(0);
    loaded = filter->LoadFromStream(rest, *this);
  } else {
    loaded = filter->LoadFromStream(stream, *this);
  }
  if (loaded) BitmapChanged();
}

bool TvgBitmap::SaveToStream(rtl::TStream& stream) {
  const bool translucent =
      pixels_ && std::any_of(pixels_->begin(), pixels_->end(),
                             [](std::uint32_t pixel) { return (pixel >> 24) < 255; });
  if (translucent) return NewFilter()->SaveToStream(stream, *this, "png", "");
  return NewFilter()->SaveToStream(stream, *this, "jpeg", "quality=100");
}

void TvgBitmap::DefineProperties(rtl::TFiler& filer) {
  inherited::DefineProperties(filer);
  filer.DefineBinaryProperty(
      "PNG", [this](rtl::TStream& stream) { LoadFromStream(stream); },
      [this](rtl::TStream& stream) { SaveToStream(stream); }, !IsEmpty());
}

void TvgBitmap::SetResource(IvgResourceNode* node) {
  if (node == resource_.Node()) return;
  resource_.Link(node);
  if (!node) resource_.SetName({});
  BitmapChanged();
}

void TvgBitmap::SetResourceName(const std::string& name) {
  if (name == resource_.Name()) return;
  resource_.SetName(name);
  BitmapChanged();
}

TvgBitmap* TvgBitmap::GetBitmap() const {
  IvgResourceNode* node =
      resource_.Resolve([](IvgResourceNode* n) { return n->ResourceBitmap() != nullptr; });
  return node ? node->ResourceBitmap() : nullptr;
}

void TvgBitmap::Assign(const rtl::TPersistent* source) {
  const auto* other = dynamic_cast<const TvgBitmap*>(source);
  if (!other) return inherited::Assign(source);
  if (other == this) return;
  if (other->GetBitmap()) {
    resource_.Link(other->GetResource());
    resource_.SetName(other->GetResourceName());
  } else {
    resource_.Link(nullptr);
    resource_.SetName({});
    TakePixelsOf(*other);
  }
  BitmapChanged();
}

void TvgBitmap::Assign(const rtl::TGraphic& graphic) {
  rtl::TBitmap source;
  graphic.AssignTo(source);
  const bool withAlpha = source.PixelFormat() == rtl::TPixelFormat::pf32bit;
  if (!withAlpha) source.SetPixelFormat(rtl::TPixelFormat::pf24bit);
  SetSize(source.Width(), source.Height());
  std::uint32_t* bits = Bits();
  for (int y = 0; y < height_ && bits; ++y) {
    const std::uint8_t* row = source.ScanLine(y);
    std::uint32_t* pixel = bits + size_t(y) * width_;
    for (int x = 0; x < width_; ++x, ++pixel) {
      const std::uint8_t* bgr = row + x * (withAlpha ? 4 : 3);
      *pixel = TvgColorRec{bgr[0], bgr[1], bgr[2], withAlpha ? bgr[3] : std::uint8_t(255)}.Color();
    }
  }
  needUpdate_ = true;
  BitmapChanged();
}

void TvgBitmap::AssignTo(rtl::TBitmap& dest) const {
  dest.SetPixelFormat(rtl::TPixelFormat::pf32bit);
  dest.SetSize(width_, height_);
  for (int y = 0; y < height_; ++y)
    for (int x = 0; x < width_; ++x) {
      const TvgColorRec pixel = TvgColorRec::From((*pixels_)[size_t(y) * width_ + x]);
      std::uint8_t* out = dest.ScanLine(y) + x * 4;
      out[0] = pixel.B, out[1] = pixel.G, out[2] = pixel.R, out[3] = pixel.A;
    }
}

}  // namespace vg
