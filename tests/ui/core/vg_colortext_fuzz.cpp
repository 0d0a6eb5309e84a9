// libFuzzer target: colour and number texts never raise or crash outside
// the documented conversion error, and colour text round-trips.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "platform/rtl/Exceptions.h"
#include "ui/core/vg_colors.h"
#include "ui/core/vg_textforms.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  const vg::TvgColor color = vg::vgStrToColor(text);
  if (vg::vgStrToColor(vg::vgColorToStr(color)) != color) std::abort();
  vg::vgStringToRect(text);
  try {
    vg::vgStrToFloat(text);
  } catch (const rtl::EConvertError&) {
  }
  return 0;
}
