#include "tests/ui/core/vg_fakes.h"

#include <cmath>
#include <cstdio>

#include "platform/rtl/Streams.h"

namespace vgtest {

using namespace vg;

const TvgCanvasClassInfo FakeCanvas::Class = {
    [](TvgBitmap& bitmap) -> TvgCanvas* { return new FakeCanvas(bitmap); },
    [](TvgBitmap& bitmap, int y) -> std::uint32_t* {
      return y >= 0 && y < bitmap.Height() ? bitmap.Bits() + y * bitmap.Width() : nullptr;
    }};

void FakeCanvas::DrawBitmap(TvgBitmap& bitmap, const TvgRect& source, const TvgRect& dest, float,
                            bool) {
  TvgMatrix inverse = FMatrix;
  vgInvertMatrix(inverse);
  const float sx = vgRectWidth(source) / vgRectWidth(dest);
  const float sy = vgRectHeight(source) / vgRectHeight(dest);
  for (int y = 0; y < target_.Height(); ++y)
    for (int x = 0; x < target_.Width(); ++x) {
      const TvgVector p = vgVectorTransform({x + 0.5f, y + 0.5f, 1}, inverse);
      if (!vgPtInRect({p.X, p.Y}, dest)) continue;
      const int u = int(std::floor(source.Left + (p.X - dest.Left) * sx));
      const int v = int(std::floor(source.Top + (p.Y - dest.Top) * sy));
      if (u < 0 || v < 0 || u >= bitmap.Width() || v >= bitmap.Height()) continue;
      target_.Bits()[y * target_.Width() + x] = bitmap.GetPixels(u, v);
    }
}

void FakeCanvas::DrawThumbnail(TvgBitmap& bitmap, float width, float) {
  const float scale = width / bitmap.Width();
  DrawBitmap(bitmap, {0, 0, float(bitmap.Width()), float(bitmap.Height())},
             {0, 0, bitmap.Width() * scale, bitmap.Height() * scale}, 1, true);
}

const TvgFilterClassInfo FakeFilter::Class = {[]() -> TvgFilter* { return new FakeFilter; }};

bool FakeFilter::SaveToStream(rtl::TStream& stream, TvgBitmap& bitmap, const std::string& format,
                              const std::string& params) {
  Saved.push_back(format + " " + params);
  std::string text = "fake:" + format + ":" + params + ":" + std::to_string(bitmap.Width()) +
                     "x" + std::to_string(bitmap.Height()) + ":";
  for (int i = 0; i < bitmap.Width() * bitmap.Height(); ++i) {
    char hex[9];
    std::snprintf(hex, sizeof hex, "%08X", bitmap.Bits()[i]);
    text += hex;
  }
  stream.WriteBuffer(text.data(), static_cast<std::int64_t>(text.size()));
  return true;
}

bool FakeFilter::LoadFromStream(rtl::TStream& stream, TvgBitmap& bitmap) {
  std::string text(static_cast<size_t>(stream.Size() - stream.Position()), '\0');
  stream.ReadBuffer(text.data(), static_cast<std::int64_t>(text.size()));
  if (text.rfind("fake:", 0) != 0) return false;
  const size_t sizeStart = text.find(':', text.find(':', 5) + 1) + 1;
  int width = 0, height = 0;
  if (std::sscanf(text.c_str() + sizeStart, "%dx%d", &width, &height) != 2) return false;
  bitmap.SetSize(width, height);
  const size_t pixels = text.find(':', sizeStart) + 1;
  for (int i = 0; i < width * height; ++i)
    bitmap.Bits()[i] =
        std::uint32_t(std::stoul(text.substr(pixels + 8 * size_t(i), 8), nullptr, 16));
  return true;
}

bool FakeFilter::LoadFromFile(const std::string& fileName, float, TvgBitmap& bitmap) {
  rtl::TFileStream file(fileName, rtl::fmOpenRead);
  return LoadFromStream(file, bitmap);
}

}  // namespace vgtest
