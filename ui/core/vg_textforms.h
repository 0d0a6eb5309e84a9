#pragma once
// Text forms of toolkit numbers, points and rectangles, and the two small
// tokenizers. Numbers always use "." as the decimal separator whatever the
// process locale.
#include <string>
#include <string_view>

#include "platform/rtl/Types.h"
#include "ui/core/vg_types.h"

namespace vg {

// Whole numbers as integer text ("3", "-20"), others with exactly three
// decimals ("0.500", "-1.250").
std::string vgFloatToStr(float x);
// Surrounding spaces allowed; raises rtl::EConvertError on malformed text
// (also the empty text). The result is rounded to single precision.
float vgStrToFloat(std::string_view text);

std::string vgPointToString(TvgPoint p);  // "(10,2.500)"
std::string vgRectToString(const TvgRect& r);  // "(1,2,3.500,4)"
// Any failure gives the zero point / rectangle as a whole.
TvgPoint vgStringToPoint(std::string_view text);
TvgRect vgStringToRect(std::string_view text);

// Takes one token from the front of s: a character of stop ends it and stays,
// one of separators ends it and is removed. Token and rest are trimmed of
// characters up to the space.
std::string vgGetToken(std::string& s, std::string_view separators, std::string_view stop = {});
// From the 1-based pos: skips separators, collects up to a stop or separator
// character, skips separators again; pos ends at the first character not used.
rtl::WideString vgWideGetToken(int& pos, const rtl::WideString& s,
                               const rtl::WideString& separators,
                               const rtl::WideString& stop = {});

}  // namespace vg
