#include "app/LangKey.h"

namespace app {

std::string LangKey(Language language, std::string_view key) {
  std::string prefixed = language == Language::Chinese ? "chs" : "eng";
  prefixed += key;
  return prefixed;
}

}  // namespace app
