#include "params/TextFunctions.h"

#include <cmath>

#include "platform/rtl/Exceptions.h"
#include "platform/rtl/NumberText.h"

namespace params {
namespace {

bool Contains(std::string_view text, char c) { return text.find(c) != std::string_view::npos; }

// start, start + step, ... while the value rounded to two decimals (halves
// to even) is not above end. The rounded value is compared in single
// precision like the bounds, so an end single precision cannot hold exactly
// (0.7) is still reached.
void ExpandRange(float start, float end, float step, std::vector<std::string>& out) {
  float x = start;
  for (int count = 0; count < MaxRangeEntries; ++count) {
    const float rounded = static_cast<float>(std::nearbyint(static_cast<double>(x) * 100.0) / 100.0);
    if (rounded > end) return;
    out.push_back(rtl::FloatToStrF(x, rtl::ffFixed, 12, 1));
    const float next = x + step;
    if (!(next > x)) return;  // a step that is zero, negative or too small to advance
    x = next;
  }
}

// One entry that holds "-": a range when it splits into start and end,
// otherwise the text before its "/".
void ExpandEntry(std::string_view entry, std::vector<std::string>& out) {
  const std::vector<std::string> slashParts = SplitString("/", entry);
  if (slashParts.empty()) return;
  const std::vector<std::string> bounds = SplitString("-", slashParts[0]);
  if (bounds.size() >= 2) {
    const float start = static_cast<float>(rtl::StrToFloat(bounds[0]));
    const float end = static_cast<float>(rtl::StrToFloat(bounds[1]));
    if (slashParts.size() < 2) throw rtl::EListError("List index out of bounds (1)");
    const float step = static_cast<float>(rtl::StrToFloat(slashParts[1]));
    ExpandRange(start, end, step, out);
  } else if (bounds.size() == 1) {
    out.push_back(bounds[0]);
  }
}

std::vector<std::string> SplitAtChar(char delimiter, std::string_view text) {
  std::vector<std::string> parts;
  if (text.empty()) return parts;
  std::size_t pos = 0;
  while (true) {
    std::string part;
    if (pos < text.size() && text[pos] == '"') {
      std::size_t i = pos + 1;
      while (i < text.size()) {
        if (text[i] == '"') {
          if (i + 1 < text.size() && text[i + 1] == '"') {
            part += '"';
            i += 2;
            continue;
          }
          ++i;
          break;
        }
        part += text[i++];
      }
      pos = i;
    }
    std::size_t end = text.find(delimiter, pos);
    if (end == std::string_view::npos) end = text.size();
    part.append(text.substr(pos, end - pos));
    parts.push_back(std::move(part));
    if (end == text.size()) return parts;
    pos = end + 1;
  }
}

std::vector<std::string> SplitAtText(std::string_view delimiter, std::string_view text, int count) {
  std::vector<std::string> parts;
  std::string_view rest = text;
  while (true) {
    const bool lastAllowed = count > 0 && static_cast<int>(parts.size()) + 1 >= count;
    const std::size_t at = rest.find(delimiter);
    if (lastAllowed || at == std::string_view::npos) {
      parts.emplace_back(rest);
      break;
    }
    parts.emplace_back(rest.substr(0, at));
    rest.remove_prefix(at + delimiter.size());
  }
  if (count > 0) {
    parts.resize(static_cast<std::size_t>(count));
  } else {
    while (!parts.empty() && parts.back().empty()) parts.pop_back();
  }
  return parts;
}

}  // namespace

std::vector<std::string> SplitString(std::string_view delimiter, std::string_view text, int count) {
  if (delimiter.empty()) return text.empty() ? std::vector<std::string>{} : std::vector<std::string>{std::string(text)};
  if (delimiter.size() == 1) return SplitAtChar(delimiter[0], text);
  return SplitAtText(delimiter, text, count);
}

std::vector<std::string> ExpandValueList(std::string_view list) {
  std::vector<std::string> options;
  if (list.empty()) return options;
  if (!Contains(list, '|')) {
    ExpandEntry(list, options);
    return options;
  }
  for (const std::string& entry : SplitString("|", list)) {
    if (Contains(entry, '-') && Contains(entry, '/')) {
      ExpandEntry(entry, options);
    } else {
      options.push_back(entry);
    }
  }
  return options;
}

std::string ByteToBinary(int value) {
  std::string bits(8, '0');
  for (int k = 0; k < 8; ++k) {
    if (value & (1 << k)) bits[k] = '1';
  }
  return bits;
}

}  // namespace params
