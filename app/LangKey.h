#pragma once
// Text keys of lang.ini [common] carry the language as a prefix: "chs" for
// Chinese, "eng" for English ("chsInfoTitle", "engInfoTitle").
#include <string>
#include <string_view>

namespace app {

enum class Language { Chinese, English };

// "chs" + key for Chinese, "eng" + key for English.
std::string LangKey(Language language, std::string_view key);

}  // namespace app
