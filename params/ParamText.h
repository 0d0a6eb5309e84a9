#pragma once
// Small text rules of the parameter controls: the default mark of option
// lists, numbers in front of units ("15%", "2000rpm"), the item offset, and
// the mode name's byte limits.
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "params/DeviceDescription.h"

namespace params {

inline constexpr char kDefaultMark[] = "(*)";

// The decimal integer at the start of `text` (after leading blanks, with an
// optional sign); 0 when there is none.
int LeadingInteger(std::string_view text);

// Index of the first entry containing `needle`; -1 when none does.
int FindEntryContaining(const std::vector<std::string>& entries, std::string_view needle);

// The item's offset between list index and stored byte: its `min` as an
// integer, 0 for "0" or a text that is no integer.
int ItemOffset(const ITEM& item);

// `text` without leading and trailing characters up to 0x20.
std::string TrimControlCharacters(std::string_view text);

// At most `bytes` bytes of UTF-8 `text`, never cutting a character in two.
std::string CutUtf8(std::string_view text, std::size_t bytes);

// Decodes table hex text into `table` only when it holds exactly the
// table's bytes; otherwise `table` is left as it was and false returned.
bool DecodeTable(std::string_view text, std::span<std::uint8_t> table);

// A number with exactly one decimal ("35.0"), as the TXT file writes it.
std::string OneDecimal(double value);

}  // namespace params
