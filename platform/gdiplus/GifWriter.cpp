#include "platform/gdiplus/GifWriter.h"

#include <algorithm>
#include <unordered_map>

namespace gdip {
namespace {

std::uint32_t Unpremultiplied(std::uint32_t p) {
  const std::uint32_t a = p >> 24;
  if (a == 0) return 0;
  auto channel = [&](int shift) { return std::min<std::uint32_t>(255, (((p >> shift) & 0xFF) * 255 + a / 2) / a); };
  return (channel(16) << 16) | (channel(8) << 8) | channel(0);
}

struct Palette {
  std::vector<std::uint32_t> colors;  // 0xRRGGBB
  std::vector<std::uint8_t> indices;  // one a pixel
  int transparent = -1;
  int bits = 1;
};

constexpr bool IsTransparent(std::uint32_t p) {
  return (p >> 24) < 128;
}

int CubeIndex(std::uint32_t rgb) {
  const int r = (int((rgb >> 16) & 0xFF) * 5 + 127) / 255;
  const int g = (int((rgb >> 8) & 0xFF) * 6 + 127) / 255;
  const int b = (int(rgb & 0xFF) * 5 + 127) / 255;
  return r * 42 + g * 6 + b;
}

Palette BuildPalette(const std::uint32_t* pixels, size_t count) {
  Palette pal;
  pal.indices.resize(count);
  std::unordered_map<std::uint32_t, int> exact;
  bool anyTransparent = false, fits = true;
  for (size_t i = 0; i < count && fits; ++i) {
    if (IsTransparent(pixels[i])) {
      anyTransparent = true;
      continue;
    }
    const std::uint32_t rgb = Unpremultiplied(pixels[i]);
    if (!exact.count(rgb)) {
      if (exact.size() == 255)
        fits = false;
      else
        exact.emplace(rgb, int(exact.size()));
    }
  }
  if (fits) {
    pal.colors.resize(exact.size());
    for (auto& [rgb, index] : exact) pal.colors[index] = rgb;
  } else {
    for (int r = 0; r < 6; ++r)
      for (int g = 0; g < 7; ++g)
        for (int b = 0; b < 6; ++b) pal.colors.push_back(((r * 255 / 5) << 16) | ((g * 255 / 6) << 8) | (b * 255 / 5));
  }
  if (anyTransparent) {
    pal.transparent = int(pal.colors.size());
    pal.colors.push_back(0);
  }
  for (size_t i = 0; i < count; ++i) {
    if (IsTransparent(pixels[i])) {
      pal.indices[i] = std::uint8_t(pal.transparent);
    } else {
      const std::uint32_t rgb = Unpremultiplied(pixels[i]);
      pal.indices[i] = std::uint8_t(fits ? exact[rgb] : CubeIndex(rgb));
    }
  }
  while ((1u << pal.bits) < pal.colors.size()) ++pal.bits;
  pal.colors.resize(size_t(1) << pal.bits, 0);
  return pal;
}

class BitPacker {
 public:
  explicit BitPacker(std::vector<std::uint8_t>& out) : out_(out) {}
  void Put(int code, int size) {
    buffer_ |= std::uint32_t(code) << used_;
    used_ += size;
    while (used_ >= 8) {
      Byte(std::uint8_t(buffer_ & 0xFF));
      buffer_ >>= 8;
      used_ -= 8;
    }
  }
  void Finish() {
    if (used_ > 0) Byte(std::uint8_t(buffer_ & 0xFF));
    FlushBlock();
    out_.push_back(0);
  }

 private:
  void Byte(std::uint8_t b) {
    block_.push_back(b);
    if (block_.size() == 255) FlushBlock();
  }
  void FlushBlock() {
    if (block_.empty()) return;
    out_.push_back(std::uint8_t(block_.size()));
    out_.insert(out_.end(), block_.begin(), block_.end());
    block_.clear();
  }
  std::vector<std::uint8_t>& out_;
  std::vector<std::uint8_t> block_;
  std::uint32_t buffer_ = 0;
  int used_ = 0;
};

void CompressLzw(const std::vector<std::uint8_t>& indices, int minCodeSize, std::vector<std::uint8_t>& out) {
  out.push_back(std::uint8_t(minCodeSize));
  BitPacker bits(out);
  const int clear = 1 << minCodeSize, end = clear + 1;
  std::unordered_map<std::uint32_t, int> dictionary;
  int codeSize = minCodeSize + 1, next = end + 1;
  bits.Put(clear, codeSize);
  int prefix = indices[0];
  for (size_t i = 1; i < indices.size(); ++i) {
    const std::uint32_t key = (std::uint32_t(prefix) << 8) | indices[i];
    if (auto found = dictionary.find(key); found != dictionary.end()) {
      prefix = found->second;
      continue;
    }
    bits.Put(prefix, codeSize);
    if (next < 4096) {
      dictionary.emplace(key, next++);
      if (next > (1 << codeSize) && codeSize < 12) ++codeSize;
    } else {
      bits.Put(clear, codeSize);
      dictionary.clear();
      codeSize = minCodeSize + 1;
      next = end + 1;
    }
    prefix = indices[i];
  }
  bits.Put(prefix, codeSize);
  bits.Put(end, codeSize);
  bits.Finish();
}

void Put16(std::vector<std::uint8_t>& out, int v) {
  out.push_back(std::uint8_t(v & 0xFF));
  out.push_back(std::uint8_t((v >> 8) & 0xFF));
}

}  // namespace

std::vector<std::uint8_t> EncodeGif(const std::uint32_t* pixels, int width, int height) {
  std::vector<std::uint8_t> out;
  if (width <= 0 || height <= 0 || width > 65535 || height > 65535) return out;
  const Palette pal = BuildPalette(pixels, size_t(width) * size_t(height));
  for (char c : {'G', 'I', 'F', '8', '9', 'a'}) out.push_back(std::uint8_t(c));
  Put16(out, width);
  Put16(out, height);
  out.push_back(std::uint8_t(0x80 | ((pal.bits - 1) << 4) | (pal.bits - 1)));
  out.push_back(0);  // background index
  out.push_back(0);  // aspect ratio
  for (std::uint32_t rgb : pal.colors) {
    out.push_back(std::uint8_t(rgb >> 16));
    out.push_back(std::uint8_t(rgb >> 8));
    out.push_back(std::uint8_t(rgb));
  }
  if (pal.transparent >= 0) {
    for (int b : {0x21, 0xF9, 0x04, 0x01, 0, 0, pal.transparent, 0}) out.push_back(std::uint8_t(b));
  }
  out.push_back(0x2C);
  Put16(out, 0);
  Put16(out, 0);
  Put16(out, width);
  Put16(out, height);
  out.push_back(0);
  CompressLzw(pal.indices, pal.bits < 2 ? 2 : pal.bits, out);
  out.push_back(0x3B);
  return out;
}

}  // namespace gdip
