#include "ui/core/vg_textforms.h"

#include <charconv>
#include <cmath>

#include "platform/rtl/Exceptions.h"
#include "platform/rtl/NumberText.h"
#include "platform/rtl/TextTrim.h"

namespace vg {

std::string vgFloatToStr(float x) {
  const double value = x;
  char text[64];
  const bool whole = std::isfinite(value) && value == std::trunc(value);
  // Adding 0.0 turns -0 into 0, so a negative zero prints as "0".
  const auto result = whole ? std::to_chars(text, text + sizeof text, value + 0.0,
                                            std::chars_format::fixed, 0)
                            : std::to_chars(text, text + sizeof text, value,
                                            std::chars_format::fixed, 3);
  return std::string(text, result.ptr);
}

float vgStrToFloat(std::string_view text) {
  const float value = static_cast<float>(rtl::StrToFloat(text));
  // A value beyond the single range is as malformed as bad text.
  if (!std::isfinite(value))
    throw rtl::EConvertError("'" + std::string(text) + "' is not a valid floating point value");
  return value;
}

std::string vgPointToString(TvgPoint p) {
  return "(" + vgFloatToStr(p.X) + "," + vgFloatToStr(p.Y) + ")";
}

std::string vgRectToString(const TvgRect& r) {
  return "(" + vgFloatToStr(r.Left) + "," + vgFloatToStr(r.Top) + "," + vgFloatToStr(r.Right) +
         "," + vgFloatToStr(r.Bottom) + ")";
}

namespace {

constexpr std::string_view kPointSeparators = ",()";

// Reads count numbers after the (discarded) text before the first separator.
template <size_t N>
bool ReadNumbers(std::string_view text, float (&numbers)[N]) {
  std::string rest(text);
  vgGetToken(rest, kPointSeparators);
  try {
    for (float& n : numbers) n = vgStrToFloat(vgGetToken(rest, kPointSeparators));
    return true;
  } catch (const rtl::EConvertError&) {
    return false;
  }
}

}  // namespace

TvgPoint vgStringToPoint(std::string_view text) {
  float n[2];
  return ReadNumbers(text, n) ? TvgPoint{n[0], n[1]} : TvgPoint{};
}

TvgRect vgStringToRect(std::string_view text) {
  float n[4];
  return ReadNumbers(text, n) ? TvgRect{n[0], n[1], n[2], n[3]} : TvgRect{};
}

std::string vgGetToken(std::string& s, std::string_view separators, std::string_view stop) {
  std::string token;
  size_t i = 0;
  while (i < s.size()) {
    const char c = s[i];
    if (stop.find(c) != std::string_view::npos) break;
    ++i;
    if (separators.find(c) != std::string_view::npos) break;
    token += c;
  }
  s = std::string(rtl::Trim(std::string_view(s).substr(i)));
  return std::string(rtl::Trim(token));
}

rtl::WideString vgWideGetToken(int& pos, const rtl::WideString& s,
                               const rtl::WideString& separators, const rtl::WideString& stop) {
  const int length = static_cast<int>(s.size());
  auto isSeparator = [&](int p) { return separators.find(s[p - 1]) != rtl::WideString::npos; };
  auto isStop = [&](int p) { return stop.find(s[p - 1]) != rtl::WideString::npos; };
  if (pos < 1) pos = 1;
  while (pos <= length && isSeparator(pos)) ++pos;
  const int start = pos;
  while (pos <= length && !isStop(pos) && !isSeparator(pos)) ++pos;
  rtl::WideString token = start <= length ? s.substr(start - 1, pos - start) : rtl::WideString();
  while (pos <= length && isSeparator(pos)) ++pos;
  return token;
}

}  // namespace vg
