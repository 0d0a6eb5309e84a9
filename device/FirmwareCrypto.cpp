#include "device/FirmwareCrypto.h"

#include <tomcrypt.h>

#include <algorithm>
#include <cstring>

#include "device/FirmwareKeys.h"
#include "platform/rtl/Exceptions.h"

namespace device {
namespace {

int RegisteredCipher(const std::string& name) {
  if (name != "aes" || register_cipher(&aes_desc) < 0) throw rtl::Exception("wrong cipher");
  return find_cipher(name.c_str());
}

int RegisteredHash(const std::string& name) {
  if (name != "md5" || register_hash(&md5_desc) < 0) throw rtl::Exception("wrong hash");
  return find_hash(name.c_str());
}

template <typename Crypt>
void RunEax(const std::string& cipherName, const Key32& key, const Key32& nonce, Crypt crypt) {
  int cipher = RegisteredCipher(cipherName);
  eax_state eax;
  if (eax_init(&eax, cipher, key.data(), key.size(), nonce.data(), nonce.size(), nullptr, 0) != CRYPT_OK)
    throw rtl::Exception("wrong cipher");
  int result = crypt(&eax);
  zeromem(&eax, sizeof eax);
  if (result != CRYPT_OK) throw rtl::Exception("wrong cipher");
}

}  // namespace

Key32 FirmwareKey(const std::string& keyText) {
  Key32 key = kFirmwareKeyBase;
  std::memcpy(key.data(), keyText.data(), std::min(keyText.size(), key.size()));
  return key;
}

Key32 FirmwareNonce() {
  Key32 nonce = kFirmwareNonceBase;
  std::memcpy(nonce.data(), kFirmwareNonceText, std::strlen(kFirmwareNonceText));
  return nonce;
}

void DecryptEax(const std::string& cipherName, const Key32& key, const Key32& nonce, const std::uint8_t* input,
                std::uint8_t* output, std::size_t length) {
  RunEax(cipherName, key, nonce, [&](eax_state* eax) {
    return length == 0 ? CRYPT_OK : eax_decrypt(eax, input, output, static_cast<unsigned long>(length));
  });
}

void EncryptEax(const std::string& cipherName, const Key32& key, const Key32& nonce, const std::uint8_t* input,
                std::uint8_t* output, std::size_t length) {
  RunEax(cipherName, key, nonce, [&](eax_state* eax) {
    return length == 0 ? CRYPT_OK : eax_encrypt(eax, input, output, static_cast<unsigned long>(length));
  });
}

void DecryptPackage(const std::string& keyText, const std::uint8_t* blob, std::size_t length, std::uint8_t* output) {
  DecryptEax("aes", FirmwareKey(keyText), FirmwareNonce(), blob, output, length);
}

std::string HashToHex(const std::string& hashName, std::span<const std::uint8_t> data) {
  int hash = RegisteredHash(hashName);
  unsigned char digest[MAXBLOCKSIZE];
  unsigned long size = sizeof digest;
  if (hash_memory(hash, data.data(), data.size(), digest, &size) != CRYPT_OK) throw rtl::Exception("wrong hash");
  static constexpr char kDigits[] = "0123456789abcdef";
  std::string text;
  for (unsigned long i = 0; i < size; ++i) {
    text += kDigits[digest[i] >> 4];
    text += kDigits[digest[i] & 0x0F];
  }
  return text;
}

std::string Md5Hex(std::span<const std::uint8_t> data) { return HashToHex("md5", data); }

}  // namespace device
