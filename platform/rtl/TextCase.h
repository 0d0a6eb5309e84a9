#pragma once
// Upper and lower case of UTF-16 text, character by character by the
// Unicode simple case mappings. The length never changes: a character whose
// mapping would need another number of code units stays as it is, so
// positions counted in code units stay valid.
#include <string_view>

#include "platform/rtl/Types.h"

namespace rtl {

WideString WideUpperCase(std::u16string_view text);
WideString WideLowerCase(std::u16string_view text);

}  // namespace rtl
