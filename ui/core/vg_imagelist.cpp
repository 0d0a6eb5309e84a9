#include "ui/core/vg_imagelist.h"

#include <cstdint>
#include <memory>

#include "platform/rtl/Exceptions.h"
#include "platform/rtl/Filer.h"
#include "ui/core/vg_canvas.h"

namespace vg {

namespace {

std::int32_t ReadInt32(rtl::TStream& stream) {
  std::int32_t value = 0;
  stream.ReadBuffer(&value, 4);
  return value;
}

// A count or length of what follows, refused when the data is shorter.
std::int32_t ReadBounded(rtl::TStream& stream, std::int64_t unitSize) {
  const std::int32_t value = ReadInt32(stream);
  if (value < 0 || value * unitSize > stream.Size() - stream.Position())
    throw rtl::EReadError("Image data runs past its end");
  return value;
}

}  // namespace

TvgImageList::TvgImageList(rtl::TComponent* owner) : rtl::TCustomImageList(owner) {
  SetWidth(32);
  SetHeight(32);
}

TvgImageList::~TvgImageList() { Clear(); }

void TvgImageList::Publish(rtl::TPublisher<TvgImageList>& p) {
  using T = TvgImageList;
  p.Property("Width", &T::Width, &T::SetWidth).Default(32);
  p.Property("Height", &T::Height, &T::SetHeight).Default(32);
}

int TvgImageList::Add(TvgBitmap& source) {
  auto bitmap = std::make_unique<TvgBitmap>(Width(), Height());
  TvgRect fitted{0, 0, float(source.Width()), float(source.Height())};
  vgFitRect(fitted, {0, 0, float(Width()), float(Height())});
  if (TvgCanvas* canvas = bitmap->GetCanvas())
    canvas->DrawBitmap(source, {0, 0, float(source.Width()), float(source.Height())}, fitted, 1, false);
  FImages.push_back(bitmap.release());
  return Count() - 1;
}

void TvgImageList::Clear() {
  for (TvgBitmap* bitmap : FImages) delete bitmap;
  FImages.clear();
}

TvgBitmap* TvgImageList::GetBitmap(int index) const {
  return index >= 0 && index < Count() ? FImages[static_cast<std::size_t>(index)] : nullptr;
}

void TvgImageList::WriteImages(rtl::TStream& stream) {
  const auto count = static_cast<std::int32_t>(FImages.size());
  stream.WriteBuffer(&count, 4);
  for (TvgBitmap* bitmap : FImages) {
    rtl::TMemoryStream data;
    bitmap->SaveToStream(data);
    const auto length = static_cast<std::int32_t>(data.Size());
    stream.WriteBuffer(&length, 4);
    data.SetPosition(0);
    stream.CopyFrom(data, 0);
  }
}

void TvgImageList::ReadImages(rtl::TStream& stream) {
  const std::int32_t count = ReadBounded(stream, 4);
  std::vector<std::unique_ptr<TvgBitmap>> read;
  for (std::int32_t i = 0; i < count; ++i) {
    const std::int32_t length = ReadBounded(stream, 1);
    rtl::TBytes bytes(static_cast<std::size_t>(length));
    if (length > 0) stream.ReadBuffer(bytes.data(), length);
    rtl::TBytesViewStream view(bytes.data(), length);
    read.push_back(std::make_unique<TvgBitmap>(view));
  }
  for (auto& bitmap : read) FImages.push_back(bitmap.release());
}

void TvgImageList::DefineProperties(rtl::TFiler& filer) {
  inherited::DefineProperties(filer);
  filer.DefineBinaryProperty(
      "Images", [this](rtl::TStream& stream) { ReadImages(stream); },
      [this](rtl::TStream& stream) { WriteImages(stream); }, !FImages.empty());
}

}  // namespace vg
