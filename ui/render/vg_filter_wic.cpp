// TvgFilterWIC: pictures through the imaging service.
#include "ui/render/vg_filter_wic.h"

#include <algorithm>
#include <cmath>

#include "platform/d2d/Imaging.h"
#include "platform/rtl/AtomicFile.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/TextCompare.h"

namespace vg {

namespace {

d2d::ContainerFormat ContainerForName(const std::string& name) {
  const std::string n = rtl::LowerCase(name);
  if (n == "jpg" || n == "jpeg") return d2d::ContainerFormat::Jpeg;
  if (n == "bmp") return d2d::ContainerFormat::Bmp;
  if (n == "tif" || n == "tiff") return d2d::ContainerFormat::Tiff;
  if (n == "gif") return d2d::ContainerFormat::Gif;
  if (n == "wmp") return d2d::ContainerFormat::Wmp;
  return d2d::ContainerFormat::Png;
}

d2d::ContainerFormat ContainerForFile(const std::string& fileName) {
  const std::size_t dot = fileName.find_last_of('.');
  const std::size_t slash = fileName.find_last_of('/');
  if (dot == std::string::npos || (slash != std::string::npos && dot < slash))
    return d2d::ContainerFormat::Png;
  return ContainerForName(fileName.substr(dot + 1));
}

// Sizes bitmap to the picture and copies its pixels; `red` first clears it to
// opaque red, which shows through where no pixels were copied.
bool CopyInto(const d2d::BitmapFrame& frame, TvgBitmap& bitmap, bool red) {
  d2d::Bitmap pixels;
  if (!frame.ConvertToPBGRA(pixels)) return false;
  bitmap.SetSize(int(pixels.size.width), int(pixels.size.height));
  if (red) bitmap.Clear(0xFFFF0000);
  if (bitmap.Bits()) std::copy(pixels.pixels.begin(), pixels.pixels.end(), bitmap.Bits());
  bitmap.BitmapChanged();
  return true;
}

std::vector<std::uint8_t> EncodeBitmap(d2d::ContainerFormat format, TvgBitmap& bitmap) {
  return d2d::Encode(format, bitmap.ConstBits(),
                     {std::uint32_t(std::max(bitmap.Width(), 0)), std::uint32_t(std::max(bitmap.Height(), 0))});
}

}  // namespace

const TvgFilterClassInfo TvgFilterWIC::Class = {
    []() -> TvgFilter* { return new TvgFilterWIC; }, &TvgFilterWIC::GetFileTypes,
    &TvgFilterWIC::GetImageSize};

std::string TvgFilterWIC::GetFileTypes() {
  return "*.bmp;*.jpg;*.jpeg;*.png;*.tif;*.tiff;*.gif;*.ico;*.wmp";
}

TvgPoint TvgFilterWIC::GetImageSize(const std::string& fileName) {
  d2d::SizeU size;
  if (!d2d::ReadImageSize(fileName, size)) return {0, 0};
  return {float(size.width), float(size.height)};
}

bool TvgFilterWIC::LoadFromFile(const std::string& fileName, float, TvgBitmap& bitmap) {
  const auto frame = d2d::DecodeFile(fileName);
  return frame && CopyInto(*frame, bitmap, true);
}

bool TvgFilterWIC::LoadThumbnailFromFile(const std::string& fileName, float fitWidth,
                                         float fitHeight, bool useEmbedded, TvgBitmap& bitmap) {
  const auto frame = d2d::DecodeFile(fileName);
  if (!frame) return false;
  if (useEmbedded) {
    if (const auto thumbnail = frame->GetThumbnail()) return CopyInto(*thumbnail, bitmap, true);
  }
  const d2d::SizeU size = frame->GetSize();
  TvgRect r{0, 0, float(size.width), float(size.height)};
  float s = vgFitRect(r, {0, 0, fitWidth, fitHeight});
  if (s == 0) s = 0.001f;
  if (s < 1) s = 1;
  // A thin picture keeps at least one pixel across.
  const auto side = [s](std::uint32_t length) {
    return std::max<std::uint32_t>(1, std::uint32_t(std::nearbyint(float(length) / s)));
  };
  const auto scaled = frame->Scale({side(size.width), side(size.height)});
  return scaled && CopyInto(*scaled, bitmap, true);
}

bool TvgFilterWIC::LoadFromStream(rtl::TStream& stream, TvgBitmap& bitmap) {
  const rtl::TBytes bytes = stream.ReadRemaining();
  const auto frame = d2d::DecodeMemory(bytes.data(), bytes.size());
  return frame && CopyInto(*frame, bitmap, false);
}

bool TvgFilterWIC::SaveToFile(const std::string& fileName, TvgBitmap& bitmap, const std::string&) {
  const std::vector<std::uint8_t> bytes = EncodeBitmap(ContainerForFile(fileName), bitmap);
  if (bytes.empty()) return false;
  try {
    rtl::WriteFileBytes(fileName, bytes.data(), bytes.size());
  } catch (const rtl::Exception&) {
    return false;
  }
  return true;
}

bool TvgFilterWIC::SaveToStream(rtl::TStream& stream, TvgBitmap& bitmap, const std::string& format,
                                const std::string&) {
  const std::vector<std::uint8_t> bytes = EncodeBitmap(ContainerForName(format), bitmap);
  if (bytes.empty()) return false;
  stream.WriteBuffer(bytes.data(), std::int64_t(bytes.size()));
  return true;
}

}  // namespace vg
