#pragma once
// Text helpers of the device description and the parameter controls: option
// lists ("|"-separated, ranges "start-end/step", "(*)" marking the default)
// and strict splitting. No state, no UI.
#include <string>
#include <string_view>
#include <vector>

namespace params {

// Splits `text` at `delimiter`.
// One-character delimiter: strict split; empty parts count, a trailing
// delimiter gives a final empty part, an empty text gives no parts, and a
// part beginning with a double quote runs to its closing quote (a doubled
// quote stands for one; text after the closing quote stays in the part).
// Longer delimiter: count > 0 gives exactly `count` parts (the last takes
// the rest, missing ones are empty); count <= 0 splits everywhere and drops
// empty parts from the end.
std::vector<std::string> SplitString(std::string_view delimiter, std::string_view text,
                                     int count = 0);

// The options an option-list text stands for, in order; ranges give one
// entry per step written with one decimal ("0-1/0.1" gives "0.0" ... "1.0").
// A range stops when its step no longer advances the value and after at
// most MaxRangeEntries entries. Raises rtl::EConvertError for a range bound
// or step that is not a number and rtl::EListError for a lone "a-b" without
// a step.
std::vector<std::string> ExpandValueList(std::string_view list);
inline constexpr int MaxRangeEntries = 10000;

// Eight "0"/"1" characters for the low eight bits, bit 0 first ("10000000"
// for 1).
std::string ByteToBinary(int value);

}  // namespace params
