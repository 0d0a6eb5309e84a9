#include "ui/render/vg_filter_gdip.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cmath>
#include <memory>
#include <sstream>
#include <vector>

#include "platform/rtl/Exceptions.h"
#include "platform/rtl/Handle.h"
#include "platform/rtl/Rounding.h"
#include "platform/rtl/TextCompare.h"
#include "platform/rtl/TextConvert.h"
#include "ui/core/vg_pixels.h"
#include "ui/render/vg_canvas_gdip.h"
#include "ui/render/vg_gdip_internal.h"

namespace vg {

using namespace gdip;
using gdip_internal::G;

namespace {

FILETIME NowAsFileTime() {
  // 100-nanosecond ticks since 1601-01-01 UTC.
  constexpr std::int64_t kUnixEpochTicks = 116444736000000000;
  const auto since = std::chrono::system_clock::now().time_since_epoch();
  const std::int64_t ticks =
      std::chrono::duration_cast<std::chrono::nanoseconds>(since).count() / 100 + kUnixEpochTicks;
  return {std::uint32_t(ticks), std::uint32_t(std::uint64_t(ticks) >> 32)};
}

// A decoded picture and the stream it came from.
class Picture {
 public:
  explicit Picture(rtl::TStream& stream) : adapter_(new TMyStreamAdapter(&stream)) {
    if (G().GdipLoadImageFromStreamICM(adapter_, &image_) != Ok) image_ = nullptr;
    if (!image_) return;
    G().GdipGetImageWidth(image_, &width_);
    G().GdipGetImageHeight(image_, &height_);
  }
  ~Picture() {
    if (image_) G().GdipDisposeImage(image_);
    adapter_->Release();
  }
  Picture(const Picture&) = delete;
  Picture& operator=(const Picture&) = delete;

  bool Empty() const { return std::uint64_t(width_) * height_ == 0; }
  GpImage* Image() const { return image_; }
  TMyStreamAdapter* Adapter() const { return adapter_; }
  int Width() const { return int(width_); }
  int Height() const { return int(height_); }

 private:
  TMyStreamAdapter* adapter_;
  GpImage* image_ = nullptr;
  UINT width_ = 0, height_ = 0;
};

std::unique_ptr<rtl::TFileStream> OpenFile(const std::string& fileName) {
  return std::make_unique<rtl::TFileStream>(fileName, rtl::fmOpenRead);
}

// A GDI+ bitmap laid over a TvgBitmap's pixels, with a graphics on it.
class PixelsGraphics {
 public:
  explicit PixelsGraphics(TvgBitmap& bitmap) {
    G().GdipCreateBitmapFromScan0(bitmap.Width(), bitmap.Height(), bitmap.Width() * 4,
                                  PixelFormat32bppPARGB, reinterpret_cast<BYTE*>(bitmap.Bits()),
                                  &image_);
  }
  ~PixelsGraphics() {
    if (graphics_) G().GdipDeleteGraphics(graphics_);
    if (image_) G().GdipDisposeImage(image_);
  }
  PixelsGraphics(const PixelsGraphics&) = delete;
  PixelsGraphics& operator=(const PixelsGraphics&) = delete;

  GpBitmap* Image() const { return image_; }
  // Made on first use, so the bitmap's resolution can be set before.
  GpGraphics* Graphics() {
    if (!graphics_ && image_) G().GdipGetImageGraphicsContext(image_, &graphics_);
    return graphics_;
  }

 private:
  GpBitmap* image_ = nullptr;
  GpGraphics* graphics_ = nullptr;
};

// Sizes the bitmap and clears it, so a translucent picture lands on nothing.
void PrepareBitmap(TvgBitmap& bitmap, int width, int height) {
  bitmap.SetSize(width, height);
  if (bitmap.Bits()) vgFillLongword(bitmap.Bits(), bitmap.Width() * bitmap.Height(), 0);
  bitmap.SetNeedUpdate(true);
}

std::u16string MimeForExtension(const std::string& fileName) {
  const size_t dot = fileName.find_last_of('.');
  const size_t slash = fileName.find_last_of('/');
  if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return u"";
  const std::string ext = rtl::LowerCase(fileName.substr(dot));
  if (ext == ".jpg" || ext == ".jpeg") return u"image/jpeg";
  if (ext == ".bmp") return u"image/bmp";
  if (ext == ".png") return u"image/png";
  if (ext == ".tif" || ext == ".tiff") return u"image/tiff";
  if (ext == ".gif") return u"image/gif";
  return u"";
}

std::u16string MimeForFormat(const std::string& format) {
  const std::string f = rtl::LowerCase(format);
  if (f == "jpeg" || f == "jpg") return u"image/jpeg";
  if (f == "bmp") return u"image/bmp";
  if (f == "tif" || f == "tiff") return u"image/tiff";
  if (f == "gif") return u"image/gif";
  return u"image/png";
}

// The encoder parameters of params: one quality entry at most (the last
// "quality=N" counts; a value that is not a whole number is ignored).
// Not copyable: its parameter list points at its own quality.
struct EncoderSettings : rtl::TNonCopyable {
  INT quality = 0;
  EncoderParameters list{};
  bool any = false;

  explicit EncoderSettings(const std::string& params) {
    std::istringstream tokens(params);
    std::string token;
    while (tokens >> token) {
      const size_t equals = token.find('=');
      if (equals == std::string::npos || rtl::LowerCase(token.substr(0, equals)) != "quality") continue;
      const std::string value = token.substr(equals + 1);
      char* end = nullptr;
      errno = 0;
      const long number = std::strtol(value.c_str(), &end, 10);
      if (value.empty() || *end != '\0' || errno == ERANGE) continue;
      quality = INT(std::clamp<long>(number, 0, 100));
      any = true;
    }
    list.Count = 1;
    list.Parameter[0] = {EncoderQuality, 1, EncoderParameterValueTypeLong, &quality};
  }
  const EncoderParameters* List() const { return any ? &list : nullptr; }
};

}  // namespace

// --- Adapter -------------------------------------------------------------------------

TMyStreamAdapter::~TMyStreamAdapter() {
  if (FOwnership == soOwned) delete FStream;
}

UINT TMyStreamAdapter::Release() {
  const UINT left = --refs_;
  if (left == 0) delete this;
  return left;
}

HRESULT TMyStreamAdapter::Read(void* pv, UINT cb, UINT* pcbRead) {
  if (!pv) return STG_E_INVALIDPOINTER;
  try {
    const std::int64_t read = FStream->Read(pv, cb);
    if (pcbRead) *pcbRead = UINT(read);
    return S_OK;
  } catch (...) {
    return S_FALSE;
  }
}

HRESULT TMyStreamAdapter::Write(const void* pv, UINT cb, UINT* pcbWritten) {
  if (!pv) return STG_E_INVALIDPOINTER;
  try {
    const std::int64_t written = FStream->Write(pv, cb);
    if (pcbWritten) *pcbWritten = UINT(written);
    return S_OK;
  } catch (...) {
    return STG_E_CANTSAVE;
  }
}

HRESULT TMyStreamAdapter::Seek(std::int64_t dlibMove, UINT dwOrigin,
                               std::uint64_t* plibNewPosition) {
  if (dwOrigin > STREAM_SEEK_END) return STG_E_INVALIDFUNCTION;
  try {
    const std::int64_t position = FStream->Seek(dlibMove, rtl::TSeekOrigin(dwOrigin));
    if (plibNewPosition) *plibNewPosition = std::uint64_t(position);
    return S_OK;
  } catch (...) {
    return STG_E_INVALIDPOINTER;
  }
}

HRESULT TMyStreamAdapter::SetSize(std::uint64_t libNewSize) {
  try {
    FStream->SetSize(std::int64_t(libNewSize));
    return std::uint64_t(FStream->Size()) == libNewSize ? S_OK : E_FAIL;
  } catch (...) {
    return E_UNEXPECTED;
  }
}

HRESULT TMyStreamAdapter::CopyTo(IStream* stm, std::uint64_t cb, std::uint64_t* pcbRead,
                                 std::uint64_t* pcbWritten) {
  constexpr std::uint64_t kBlock = 1 << 20;
  HRESULT result = S_OK;
  std::uint64_t totalRead = 0, totalWritten = 0;
  try {
    std::vector<std::uint8_t> buffer(size_t(std::min(cb, kBlock)));
    while (cb > 0) {
      const std::int64_t read =
          FStream->Read(buffer.data(), std::int64_t(std::min<std::uint64_t>(buffer.size(), cb)));
      if (read <= 0) break;
      totalRead += std::uint64_t(read);
      UINT written = 0;
      result = stm->Write(buffer.data(), UINT(read), &written);
      totalWritten += written;
      if (result == S_OK && std::int64_t(written) < read) result = E_FAIL;
      if (result != S_OK) break;
      cb -= std::uint64_t(read);
    }
  } catch (...) {
    result = E_UNEXPECTED;
  }
  if (pcbRead) *pcbRead = totalRead;
  if (pcbWritten) *pcbWritten = totalWritten;
  return result;
}

HRESULT TMyStreamAdapter::Stat(STATSTG* pstatstg, UINT) {
  if (!pstatstg) return S_OK;
  try {
    *pstatstg = STATSTG{};
    pstatstg->type = STGTY_STREAM;
    pstatstg->cbSize = std::uint64_t(FStream->Size());
    pstatstg->mtime = pstatstg->ctime = pstatstg->atime = NowAsFileTime();
    pstatstg->grfLocksSupported = kLockWrite;
    return S_OK;
  } catch (...) {
    return E_UNEXPECTED;
  }
}

HRESULT TMyStreamAdapter::Clone(IStream** ppstm) {
  if (ppstm) *ppstm = nullptr;
  return E_NOTIMPL;
}

// --- Filter ---------------------------------------------------------------------------

const TvgFilterClassInfo TvgFilterGdiPlus::Class = {
    []() -> TvgFilter* { return new TvgFilterGdiPlus; }, &TvgFilterGdiPlus::GetFileTypes,
    &TvgFilterGdiPlus::GetImageSize};

std::string TvgFilterGdiPlus::GetFileTypes() {
  return "*.bmp;*.jpg;*.jpeg;*.png;*.tif;*.tiff;*.gif;*.ico";
}

TvgPoint TvgFilterGdiPlus::GetImageSize(const std::string& fileName) {
  auto file = OpenFile(fileName);
  const Picture picture(*file);
  return {float(picture.Width()), float(picture.Height())};
}

bool TvgFilterGdiPlus::LoadFromStream(rtl::TStream& stream, TvgBitmap& bitmap) {
  const Picture picture(stream);
  if (picture.Empty()) return false;
  PrepareBitmap(bitmap, picture.Width(), picture.Height());
  PixelsGraphics target(bitmap);
  if (!target.Graphics()) return false;
  return G().GdipDrawImageRectI(target.Graphics(), picture.Image(), 0, 0, bitmap.Width(),
                                bitmap.Height()) == Ok;
}

bool TvgFilterGdiPlus::LoadFromFile(const std::string& fileName, float rotation,
                                    TvgBitmap& bitmap) {
  if (!std::isfinite(rotation)) return false;  // before the bitmap is touched
  auto file = OpenFile(fileName);
  const Picture picture(*file);
  if (picture.Empty()) return false;
  const float width = float(picture.Width()), height = float(picture.Height());

  if (std::trunc(rotation) == rotation && std::fabs(rotation) < 1e9f &&
      rtl::Trunc(rotation) % 90 == 0) {
    const int angle = int(rtl::Trunc(rotation) % 360);
    const bool across = angle == 90 || angle == 270;
    PrepareBitmap(bitmap, across ? picture.Height() : picture.Width(),
                  across ? picture.Width() : picture.Height());
    GpBitmap* turned = nullptr;
    if (G().GdipCreateBitmapFromStreamICM(picture.Adapter(), &turned) != Ok || !turned)
      return false;
    if (angle == 90) G().GdipImageRotateFlip(turned, Rotate90FlipNone);
    if (angle == 180) G().GdipImageRotateFlip(turned, Rotate180FlipNone);
    if (angle == 270) G().GdipImageRotateFlip(turned, Rotate270FlipNone);
    const Rect whole{0, 0, bitmap.Width(), bitmap.Height()};
    BitmapData data{};
    const bool locked = G().GdipBitmapLockBits(turned, &whole, ImageLockModeRead,
                                               PixelFormat32bppPARGB, &data) == Ok;
    if (locked) {
      for (int y = 0; y < bitmap.Height(); ++y)
        vgMoveLongword(reinterpret_cast<const std::uint32_t*>(static_cast<const BYTE*>(data.Scan0) +
                                                              ptrdiff_t(y) * data.Stride),
                       bitmap.Bits() + ptrdiff_t(y) * bitmap.Width(), bitmap.Width());
      G().GdipBitmapUnlockBits(turned, &data);
    }
    G().GdipDisposeImage(turned);
    return locked;
  }

  TvgMatrix m = vgMatrixMultiply(vgCreateTranslateMatrix(-width / 2, -height / 2),
                                 vgCreateRotationMatrix(vgDegToRad(rotation)));
  std::vector<TvgPoint> corners;
  for (TvgPoint p :
       {TvgPoint{0, 0}, TvgPoint{width, 0}, TvgPoint{width, height}, TvgPoint{0, height}})
    corners.push_back(vgPointFromVector(vgVectorTransform(vgVector(p), m)));
  const TvgRect bounds = vgNormalizeRect(corners);
  m = vgMatrixMultiply(m,
                       vgCreateTranslateMatrix(vgRectWidth(bounds) / 2, vgRectHeight(bounds) / 2));
  PrepareBitmap(bitmap, int(rtl::Trunc(vgRectWidth(bounds))),
                int(rtl::Trunc(vgRectHeight(bounds))));
  if (bitmap.IsEmpty()) return false;
  PixelsGraphics target(bitmap);
  if (!target.Graphics()) return false;
  GpMatrix* transform = nullptr;
  G().GdipCreateMatrix2(m.m11, m.m12, m.m21, m.m22, m.m31, m.m32, &transform);
  G().GdipSetWorldTransform(target.Graphics(), transform);
  G().GdipDeleteMatrix(transform);
  return G().GdipDrawImageRect(target.Graphics(), picture.Image(), 0, 0, width, height) == Ok;
}

bool TvgFilterGdiPlus::LoadThumbnailFromFile(const std::string& fileName, float fitWidth,
                                             float fitHeight, bool useEmbedded, TvgBitmap& bitmap) {
  auto file = OpenFile(fileName);
  const Picture picture(*file);
  if (picture.Empty()) return false;
  TvgRect fitted{0, 0, float(picture.Width()), float(picture.Height())};
  float scale = vgFitRect(fitted, {0, 0, fitWidth, fitHeight});
  if (!(scale >= 1)) {  // never enlarged (and no NaN from a degenerate fit)
    scale = 1;
    fitted = {0, 0, float(picture.Width()), float(picture.Height())};
  }
  if (useEmbedded) {
    GpImage* thumbnail = nullptr;
    G().GdipGetImageThumbnail(picture.Image(), UINT(std::max<std::int64_t>(1, rtl::Trunc(picture.Width() / scale))),
                              UINT(std::max<std::int64_t>(1, rtl::Trunc(picture.Height() / scale))), &thumbnail,
                              nullptr, nullptr);
    if (!thumbnail) return false;
    UINT width = 0, height = 0;
    G().GdipGetImageWidth(thumbnail, &width);
    G().GdipGetImageHeight(thumbnail, &height);
    bool drawn = false;
    if (std::uint64_t(width) * height != 0) {
      PrepareBitmap(bitmap, int(width), int(height));
      PixelsGraphics target(bitmap);
      drawn = target.Graphics() && G().GdipDrawImageRectI(target.Graphics(), thumbnail, 0, 0,
                                                          int(width), int(height)) == Ok;
    }
    G().GdipDisposeImage(thumbnail);
    return drawn;
  }
  // A thin picture keeps at least one pixel across.
  const int width = std::max(1, int(rtl::Trunc(vgRectWidth(fitted)))),
            height = std::max(1, int(rtl::Trunc(vgRectHeight(fitted))));
  PrepareBitmap(bitmap, width, height);
  PixelsGraphics target(bitmap);
  REAL dpiX = 96, dpiY = 96;
  G().GdipGetImageHorizontalResolution(picture.Image(), &dpiX);
  G().GdipGetImageVerticalResolution(picture.Image(), &dpiY);
  G().GdipBitmapSetResolution(target.Image(), dpiX / scale, dpiY / scale);
  if (!target.Graphics()) return false;
  G().GdipSetInterpolationMode(target.Graphics(), InterpolationModeHighQuality);
  return G().GdipDrawImage(target.Graphics(), picture.Image(), 0, 0) == Ok;
}

int TvgFilterGdiPlus::FindImageEncoder(const std::u16string& mimeType, CLSID& clsid) {
  UINT count = 0, size = 0;
  if (G().GdipGetImageEncodersSize(&count, &size) != Ok || size == 0) return -1;
  std::vector<ImageCodecInfo> buffer((size + sizeof(ImageCodecInfo) - 1) / sizeof(ImageCodecInfo));
  if (G().GdipGetImageEncoders(count, size, buffer.data()) != Ok) return -1;
  int found = -1;
  for (UINT i = 0; i < count; ++i) {
    if (buffer[i].MimeType && mimeType == buffer[i].MimeType) {
      clsid = buffer[i].Clsid;
      found = int(i);
    }
  }
  return found;
}

namespace {

template <class Save>
bool SaveBitmap(TvgBitmap& bitmap, const std::u16string& mimeType, const std::string& params,
                Save save) {
  CLSID clsid{};
  if (mimeType.empty() || TvgFilterGdiPlus::FindImageEncoder(mimeType, clsid) < 0) return false;
  if (bitmap.IsEmpty()) return false;
  PixelsGraphics source(bitmap);
  if (!source.Image()) return false;
  const EncoderSettings settings(params);
  return save(source.Image(), clsid, settings.List()) == Ok;
}

}  // namespace

bool TvgFilterGdiPlus::SaveToFile(const std::string& fileName, TvgBitmap& bitmap,
                                  const std::string& params) {
  const std::u16string wideName = rtl::Utf8ToUtf16(fileName);
  return SaveBitmap(bitmap, MimeForExtension(fileName), params,
                    [&](GpImage* image, const CLSID& clsid, const EncoderParameters* list) {
                      return G().GdipSaveImageToFile(image, wideName.c_str(), &clsid, list);
                    });
}

bool TvgFilterGdiPlus::SaveToStream(rtl::TStream& stream, TvgBitmap& bitmap,
                                    const std::string& format, const std::string& params) {
  return SaveBitmap(bitmap, MimeForFormat(format), params,
                    [&](GpImage* image, const CLSID& clsid, const EncoderParameters* list) {
                      auto* adapter = new TMyStreamAdapter(&stream);
                      const Status status = G().GdipSaveImageToStream(image, adapter, &clsid, list);
                      adapter->Release();
                      return status;
                    });
}

}  // namespace vg
