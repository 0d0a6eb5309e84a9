#include "device/FirmwarePackage.h"

#include <algorithm>
#include <string_view>

#include "device/FirmwareCrypto.h"
#include "platform/rtl/HexText.h"

namespace device {
namespace {

constexpr std::size_t kDigestChars = 32;
constexpr std::int64_t kFrame = 8 + 2 * kDigestChars;  // header and both digests

std::int64_t ReadInt32(std::span<const std::uint8_t> bytes, std::size_t at) {
  auto value = static_cast<std::uint32_t>(bytes[at] | bytes[at + 1] << 8 | bytes[at + 2] << 16 |
                                          static_cast<std::uint32_t>(bytes[at + 3]) << 24);
  return static_cast<std::int32_t>(value);
}

std::string_view TextAt(std::span<const std::uint8_t> bytes, std::size_t at, std::size_t length) {
  return {reinterpret_cast<const char*>(bytes.data() + at), length};
}

std::string WithoutLineBreaks(std::string_view text, const std::function<void()>& pump) {
  std::string clean;
  clean.reserve(text.size());
  for (std::size_t at = 0; at < text.size();) {
    std::size_t lineEnd = text.find("\r\n", at);
    if (lineEnd == std::string_view::npos) lineEnd = text.size();
    clean.append(text.substr(at, lineEnd - at));
    at = std::min(text.size(), lineEnd + 2);
    if (pump) pump();
  }
  return clean;
}

bool DecodeHex(std::string_view text, Bytes& bytes) {
  bytes.assign(text.size() / 2, 0);
  return rtl::HexToBytes(text, bytes) >= 1;
}

bool DigestMatches(std::string_view text, std::string_view stored) {
  auto bytes = std::span(reinterpret_cast<const std::uint8_t*>(text.data()), text.size());
  return Md5Hex(bytes) == stored;
}

}  // namespace

std::string UnpackFirmware(std::span<const std::uint8_t> package, const std::function<void()>& pump,
                           FirmwareImage& image) {
  if (package.size() < 8) return "File Error.";
  std::int64_t a = ReadInt32(package, 0) - static_cast<std::int64_t>(kDigestChars);
  std::int64_t b = ReadInt32(package, 4) - static_cast<std::int64_t>(kDigestChars);
  if (a < 0 || b < 0 || kFrame + a + b > static_cast<std::int64_t>(package.size())) return "File Error.";
  auto lengthA = static_cast<std::size_t>(a), lengthB = static_cast<std::size_t>(b);
  std::string_view textA = TextAt(package, 8, lengthA);
  std::string_view digestA = TextAt(package, 8 + lengthA, kDigestChars);
  std::string_view textB = TextAt(package, 40 + lengthA, lengthB);
  std::string_view digestB = TextAt(package, 40 + lengthA + lengthB, kDigestChars);
  if (!DigestMatches(textA, digestA)) return "Hash1 Error.";
  if (!DigestMatches(textB, digestB)) return "Hash2 Error.";
  FirmwareImage decoded;
  if (!DecodeHex(WithoutLineBreaks(textA, pump), decoded.partA) ||
      !DecodeHex(WithoutLineBreaks(textB, pump), decoded.partB))
    return "HtoD Error.";
  image = std::move(decoded);
  return {};
}

bool IsXorModel(const std::string& controller, const std::string& hardware) {
  // Positions are 1-based in the model rules: "at 6..7" is the substring from index 5.
  auto at = [&](std::size_t position, std::string_view text) {
    return hardware.size() >= position - 1 + text.size() && hardware.compare(position - 1, text.size(), text) == 0;
  };
  if (controller == "Corvanel_V3" || controller == "Corvanel_HV_V3") return true;
  if (controller == "CAR_ESC")
    return at(1, "QV4") && (at(6, "SL") || at(6, "SD") || at(7, "SL") || at(7, "SD") || at(6, "BSD") || at(7, "BSD"));
  if (controller == "BOAT_ESC") return at(1, "QV80") && at(6, "_YT");
  return false;
}

XorMask MakeXorMask(const std::array<std::uint8_t, 32>& deviceData) {
  XorMask mask{};
  std::copy_n(deviceData.begin() + 28, 4, mask.begin() + 2);
  std::copy_n(deviceData.begin() + 22, 6, mask.begin() + 6);
  std::copy_n(deviceData.begin() + 18, 4, mask.begin() + 12);
  return mask;
}

void ApplyXorMask(Bytes& part, const XorMask& mask) {
  for (std::size_t block = 0; block + mask.size() <= part.size(); block += mask.size())
    for (std::size_t k = 0; k < mask.size(); ++k) part[block + k] ^= mask[k];
}

}  // namespace device
