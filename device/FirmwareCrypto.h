#pragma once
// Decryption and digests of firmware packages, through LibTomCrypt.
#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

namespace device {

using Key32 = std::array<std::uint8_t, 32>;

/// The package key: kFirmwareKeyBase with `keyText` copied over its start
/// (at most 32 bytes of it; a longer text is cut).
Key32 FirmwareKey(const std::string& keyText);
/// The package nonce: kFirmwareNonceBase with kFirmwareNonceText over its start.
Key32 FirmwareNonce();

/// EAX decryption (no header, tag neither computed nor compared) of `length`
/// bytes with the named cipher ("aes"). Raises rtl::Exception "wrong cipher"
/// when the cipher cannot be registered.
void DecryptEax(const std::string& cipherName, const Key32& key, const Key32& nonce, const std::uint8_t* input,
                std::uint8_t* output, std::size_t length);
/// The inverse of DecryptEax, for the tools that make packages.
void EncryptEax(const std::string& cipherName, const Key32& key, const Key32& nonce, const std::uint8_t* input,
                std::uint8_t* output, std::size_t length);

/// Decrypts a package blob of `length` bytes with "aes", the key of
/// `keyText` and the stored nonce.
void DecryptPackage(const std::string& keyText, const std::uint8_t* blob, std::size_t length, std::uint8_t* output);

/// Digest of a buffer with the named hash ("md5") as lowercase hex, two
/// characters per digest byte. Raises rtl::Exception "wrong hash" when the
/// hash cannot be registered.
std::string HashToHex(const std::string& hashName, std::span<const std::uint8_t> data);
/// HashToHex with "md5": 32 lowercase characters.
std::string Md5Hex(std::span<const std::uint8_t> data);

}  // namespace device
