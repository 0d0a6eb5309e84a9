// libFuzzer target: arbitrary bytes as a decrypted firmware package, and as an
// enciphered blob decrypted with a key text taken from the input's first bytes.
#include <cstddef>
#include <cstdint>
#include <string>

#include "device/FirmwareCrypto.h"
#include "device/FirmwarePackage.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace device;
  FirmwareImage image;
  if (UnpackFirmware({data, size}, nullptr, image).empty()) {
    ApplyXorMask(image.partA, XorMask{1, 2, 3});
    ApplyXorMask(image.partB, XorMask{4, 5, 6});
  }
  std::size_t keyLength = size == 0 ? 0 : data[0] % 48;
  if (keyLength + 1 > size) return 0;
  std::string keyText(reinterpret_cast<const char*>(data + 1), keyLength);
  Bytes blob(data + 1 + keyLength, data + size);
  Bytes plain(blob.size());
  DecryptPackage(keyText, blob.data(), blob.size(), plain.data());
  UnpackFirmware(plain, nullptr, image);
  return 0;
}
