#pragma once
// Bytes as hex text and back: two digits a byte, no separators. Used for the
// tables of device descriptions, firmware packages and settings databases.
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace rtl {

// Value of one hex digit ("0"-"9", "A"-"F", "a"-"f"), -1 for anything else.
int HexDigitValue(char c);

// Decodes hex text (two digits a byte, read up to the first NUL) into
// `bytes`. Returns the number of bytes written; -1 for a text shorter than
// two characters or holding a non-hex character (pairs before it are already
// written); -2 for an odd length; -3, writing nothing, when the text holds
// more bytes than `bytes` has room for.
int HexToBytes(std::string_view text, std::span<std::uint8_t> bytes);

// Two upper-case hex digits per byte, no separators ("00AB05").
std::string BytesToHex(std::span<const std::uint8_t> bytes);

}  // namespace rtl
