#pragma once
// Base64 of the standard alphabet, over GLib.
#include <string>
#include <string_view>

namespace net {

// The bytes a Base64 text stands for. Characters outside the alphabet are
// skipped and decoding stops at the first "="; a text that decodes to
// nothing gives an empty result. Never throws.
std::string Base64Decode(std::string_view text);

}  // namespace net
