#include "platform/rtl/TextTemplate.h"

namespace rtl {

std::string FillPlaces(std::string_view text,
                       std::initializer_list<std::pair<std::string_view, std::string_view>> values) {
  std::string filled;
  std::size_t at = 0;
  while (at < text.size()) {
    const std::size_t open = text.find('{', at);
    const std::size_t close = open == std::string_view::npos ? open : text.find('}', open);
    if (close == std::string_view::npos) break;
    filled.append(text.substr(at, open - at));
    const std::string_view name = text.substr(open + 1, close - open - 1);
    const auto* value = values.begin();
    while (value != values.end() && value->first != name) ++value;
    if (value != values.end()) {
      filled.append(value->second);
      at = close + 1;
    } else {
      filled += '{';
      at = open + 1;
    }
  }
  return filled.append(text.substr(at));
}

}  // namespace rtl
