#pragma once
// The decrypted firmware package: two hex-text parts, each followed by its
// 32-character MD5 text, behind a header of two little-endian int32 lengths
// (each part's text length plus 32). Also the device binding of some models:
// a 16-byte XOR mask made from the device's own data.
#include <array>
#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <vector>

namespace device {

using Bytes = std::vector<std::uint8_t>;

/// The decoded parts of a package, ready to upload.
struct FirmwareImage {
  Bytes partA;
  Bytes partB;
};

/// Checks and decodes a decrypted package. Returns the job message, empty on
/// success: "File Error." (lengths negative or beyond the package, computed
/// in 64 bits), "Hash1 Error." / "Hash2 Error." (a part's MD5 text differs
/// from its stored digest), "HtoD Error." (a part's text, without its CR LF
/// pairs, is not hex of at least one byte). `pump` runs between line
/// removals. `image` is filled only on success.
std::string UnpackFirmware(std::span<const std::uint8_t> package, const std::function<void()>& pump,
                           FirmwareImage& image);

/// Whether the model's firmware is bound to the device by the XOR mask.
bool IsXorModel(const std::string& controller, const std::string& hardware);

using XorMask = std::array<std::uint8_t, 16>;
/// The mask: bytes 0..1 zero, 2..5 = deviceData[28..31], 6..11 = [22..27],
/// 12..15 = [18..21].
XorMask MakeXorMask(const std::array<std::uint8_t, 32>& deviceData);
/// XORs byte k of every full 16-byte block with mask[k]; a final partial
/// block stays as it is. Applying it twice restores the bytes.
void ApplyXorMask(Bytes& part, const XorMask& mask);

}  // namespace device
