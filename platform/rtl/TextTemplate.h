#pragma once
// Texts with named places ("{count} samples"), so that a translation can put
// the figures where its language wants them.
#include <initializer_list>
#include <string>
#include <string_view>
#include <utility>

namespace rtl {

/// `text` with every "{name}" of `values` replaced by its value. The values
/// are inserted as they stand (never read as places themselves); braces that
/// name no value stay.
std::string FillPlaces(std::string_view text,
                       std::initializer_list<std::pair<std::string_view, std::string_view>> values);

}  // namespace rtl
