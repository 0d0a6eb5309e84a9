#include "app/EditorTables.h"

#include <algorithm>
#include <cstdlib>

#include "platform/rtl/HexText.h"
#include "platform/rtl/Rounding.h"

namespace app {
namespace {

std::vector<std::uint8_t> Decode(const std::string& hex, std::size_t length) {
  std::vector<std::uint8_t> bytes(length);
  if (rtl::HexToBytes(hex, bytes) != static_cast<int>(length)) std::fill(bytes.begin(), bytes.end(), 0);
  return bytes;
}

int WordAt(const std::vector<std::uint8_t>& bytes, int i) {
  return bytes[static_cast<std::size_t>(2 * i)] << 8 | bytes[static_cast<std::size_t>(2 * i + 1)];
}

void PutWord(std::vector<std::uint8_t>& bytes, int i, std::int64_t value) {
  const auto word = static_cast<std::uint16_t>(std::clamp<std::int64_t>(value, 0, 0xFFFF));
  bytes[static_cast<std::size_t>(2 * i)] = static_cast<std::uint8_t>(word >> 8);
  bytes[static_cast<std::size_t>(2 * i + 1)] = static_cast<std::uint8_t>(word & 0xFF);
}

std::uint8_t ToByte(std::int64_t value) { return static_cast<std::uint8_t>(std::clamp<std::int64_t>(value, 0, 255)); }

float ScaleOf(int low, int high) { return static_cast<float>(high - low) / 256.0f; }

// Whether the points strictly between start and end lie on the straight
// line between them.
bool OnStraightLine(const std::array<int, 256>& v, int start, int end) {
  const float slope = static_cast<float>(v[static_cast<std::size_t>(end)] - v[static_cast<std::size_t>(start)]) /
                      static_cast<float>(end - start);
  for (int r = start + 1; r < end; ++r) {
    const auto expected = rtl::Round(v[static_cast<std::size_t>(start)] + static_cast<double>(r - start) * slope);
    if (v[static_cast<std::size_t>(r)] != expected) return false;
  }
  return true;
}

// The farthest end after start that closes a straight segment, or -1.
int SegmentEnd(const std::array<int, 256>& v, int start) {
  for (int end = 255; end > start; --end) {
    if (v[static_cast<std::size_t>(end)] == v[static_cast<std::size_t>(start)]) return end;
    if (end >= start + 2 && OnStraightLine(v, start, end)) return end;
  }
  return -1;
}

}  // namespace

RpmCurve CurveOf256Bytes(const std::string& hex, int maxNodeCount) {
  RpmCurve curve;
  curve.SetMaxNodeCount(maxNodeCount);
  const std::vector<std::uint8_t> bytes = Decode(hex, 256);
  std::copy(bytes.begin(), bytes.end(), curve.values.begin());
  int start = 0, found = 0;
  for (int round = 0; round < 16 && start != 255; ++round) {
    const int end = SegmentEnd(curve.values, start);
    if (end < 0) break;
    curve.nodes[static_cast<std::size_t>(++found)] = end;
    start = end;
  }
  found = std::max(found, 1);
  curve.nodes[static_cast<std::size_t>(found)] = 255;
  curve.nodeCount = found + 1;
  return curve;
}

std::string BytesOf256PointCurve(const RpmCurve& curve) {
  std::vector<std::uint8_t> bytes(256);
  for (std::size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<std::uint8_t>(curve.values[i] & 0xFF);
  return rtl::BytesToHex(bytes);
}

RpmCurve CurveOfRpmTable(const std::string& hex, int low, int high, int lockIndex, int maxNodeCount) {
  RpmCurve curve;
  curve.SetMaxNodeCount(maxNodeCount);
  curve.xStep = 8;
  curve.yScale = ScaleOf(low, high);
  curve.yOffset = static_cast<float>(low);
  curve.lockIndex = std::clamp(lockIndex, 2, 64);
  const std::vector<std::uint8_t> bytes = Decode(hex, 128);
  for (int i = 0; i < 64; ++i) {
    auto value = rtl::Trunc(static_cast<double>(rtl::Round((WordAt(bytes, i) - low) / static_cast<double>(curve.yScale))));
    if (i >= curve.lockIndex - 1) value = 255;
    if (value < 0 || i == 0) value = 0;
    curve.Value(i) = static_cast<int>(std::min<std::int64_t>(value, 255));
    curve.nodes[static_cast<std::size_t>(i)] = i;
  }
  curve.nodeCount = 64;
  return curve;
}

std::string RpmTableOfCurve(const RpmCurve& curve, int low, int high) {
  std::vector<std::uint8_t> bytes(128);
  for (int i = 0; i < 64; ++i)
    PutWord(bytes, i, rtl::Trunc(curve.values[static_cast<std::size_t>(i)] * static_cast<double>(curve.yScale) + low));
  PutWord(bytes, 63, high);
  return rtl::BytesToHex(bytes);
}

FrequencyCurve CurveOfFrequencyBytes(const std::string& hex, int low, int high, int maxNodeCount) {
  FrequencyCurve curve;
  curve.SetMaxNodeCount(maxNodeCount);
  curve.xStep = 8;
  curve.yScale = ScaleOf(low, high);
  curve.yOffset = static_cast<float>(low);
  const std::vector<std::uint8_t> bytes = Decode(hex, 64);
  for (int i = 0; i < 64; ++i)
    curve.Value(i) = static_cast<int>(rtl::Trunc((bytes[static_cast<std::size_t>(i)] - low) / static_cast<double>(curve.yScale)));
  int found = 0;
  for (int i = 1; i <= 62; ++i) {
    const int d1 = curve.Value(i) - curve.Value(i - 1), d2 = curve.Value(i + 1) - curve.Value(i);
    if ((d1 > 0 && d2 < 0) || (d1 < 0 && d2 > 0) || std::abs(d1 - d2) >= 8)
      curve.nodes[static_cast<std::size_t>(++found)] = i;
  }
  curve.nodes[static_cast<std::size_t>(++found)] = 63;
  curve.nodeCount = found + 1;
  curve.Interpolate();
  return curve;
}

std::string FrequencyBytesOfCurve(const FrequencyCurve& curve, int low) {
  std::vector<std::uint8_t> bytes(64);
  for (std::size_t i = 0; i < bytes.size(); ++i)
    bytes[i] = ToByte(rtl::Round(curve.values[i] * static_cast<double>(curve.yScale) + low));
  return rtl::BytesToHex(bytes);
}

std::vector<int> TableValues(const std::string& hex, int mode) {
  if (mode == 3) {
    const std::vector<std::uint8_t> bytes = Decode(hex, 128);
    std::vector<int> words(64);
    for (int i = 0; i < 64; ++i) words[static_cast<std::size_t>(i)] = WordAt(bytes, i);
    return words;
  }
  const std::vector<std::uint8_t> bytes = Decode(hex, 256);
  return {bytes.begin(), bytes.end()};
}

std::string TableText(const std::vector<int>& values, int mode) {
  if (mode == 3) {
    std::vector<std::uint8_t> bytes(2 * values.size());
    for (std::size_t i = 0; i < values.size(); ++i) PutWord(bytes, static_cast<int>(i), values[i]);
    return rtl::BytesToHex(bytes);
  }
  std::vector<std::uint8_t> bytes(values.size());
  std::transform(values.begin(), values.end(), bytes.begin(), [](int v) { return ToByte(v); });
  return rtl::BytesToHex(bytes);
}

}  // namespace app
