#pragma once
// The fixed key material firmware packages are enciphered with.
#include <array>
#include <cstdint>

namespace device {

/// Filled into the 32-byte key before the key text is copied over its start.
extern const std::array<std::uint8_t, 32> kFirmwareKeyBase;
/// Filled into the 32-byte nonce before kFirmwareNonceText is copied over its start.
extern const std::array<std::uint8_t, 32> kFirmwareNonceBase;
/// The 9-character nonce text (NUL-terminated here; the NUL is never copied).
extern const char kFirmwareNonceText[10];

}  // namespace device
