#include "platform/rtl/TextFileEncoding.h"

#include <glib.h>

#include "platform/rtl/DebugOutput.h"
#include "platform/rtl/TextConvert.h"

namespace rtl {
namespace {

enum class Encoding { Ansi, Utf8, Utf16LE, Utf16BE };

struct Detected {
  Encoding encoding;
  std::string_view body;  // the bytes after the mark
};

Detected Detect(const TBytes& bytes) {
  const std::string_view all(reinterpret_cast<const char*>(bytes.data()), bytes.size());
  if (all.starts_with(kUtf8Bom)) return {Encoding::Utf8, all.substr(kUtf8Bom.size())};
  if (all.substr(0, 2) == "\xFF\xFE") return {Encoding::Utf16LE, all.substr(2)};
  if (all.substr(0, 2) == "\xFE\xFF") return {Encoding::Utf16BE, all.substr(2)};
  return {Encoding::Ansi, all};
}

WideString Utf16Units(std::string_view body, bool bigEndian) {
  WideString text(body.size() / 2, u'\0');
  for (std::size_t i = 0; i < text.size(); ++i) {
    const auto first = static_cast<unsigned char>(body[2 * i]);
    const auto second = static_cast<unsigned char>(body[2 * i + 1]);
    text[i] = static_cast<char16_t>(bigEndian ? (first << 8 | second) : (second << 8 | first));
  }
  return text;
}

bool IsValidUtf8(std::string_view text) {
  return g_utf8_validate_len(text.data(), text.size(), nullptr);
}

std::string LegacyToUtf8(std::string_view body, std::string_view source) {
  OutputDebugString(std::string(source.empty() ? "text" : source) + " is not UTF-8; read as " + kLegacyCodePage);
  return CodePageToUtf8(body, kLegacyCodePage);
}

}  // namespace

std::string UnmarkedTextToUtf8(std::string_view bytes, std::string_view source) {
  return IsValidUtf8(bytes) ? std::string(bytes) : LegacyToUtf8(bytes, source);
}

std::string TextBytesToUtf8(const TBytes& bytes, std::string_view source) {
  const Detected detected = Detect(bytes);
  switch (detected.encoding) {
    case Encoding::Utf16LE:
    case Encoding::Utf16BE:
      return Utf16ToUtf8(Utf16Units(detected.body, detected.encoding == Encoding::Utf16BE));
    case Encoding::Utf8:
      return Utf16ToUtf8(Utf8ToUtf16(detected.body));  // replaces malformed sequences
    case Encoding::Ansi:
      break;
  }
  return UnmarkedTextToUtf8(detected.body, source);
}

WideString TextBytesToUtf16(const TBytes& bytes, std::string_view source) {
  const Detected detected = Detect(bytes);
  switch (detected.encoding) {
    case Encoding::Utf16LE:
    case Encoding::Utf16BE:
      return Utf16Units(detected.body, detected.encoding == Encoding::Utf16BE);
    case Encoding::Utf8:
      return Utf8ToUtf16(detected.body);
    case Encoding::Ansi:
      break;
  }
  return Utf8ToUtf16(UnmarkedTextToUtf8(detected.body, source));
}

TBytes Utf16ToBomBytes(std::u16string_view text) {
  TBytes bytes{0xFF, 0xFE};
  bytes.reserve(2 + text.size() * 2);
  for (char16_t unit : text) {
    bytes.push_back(static_cast<std::uint8_t>(unit & 0xFF));
    bytes.push_back(static_cast<std::uint8_t>(unit >> 8));
  }
  return bytes;
}

}  // namespace rtl
