#include "ui/controls/vg_textedit.h"

#include "platform/rtl/TextCase.h"

namespace vg {

rtl::WideString vgApplyCharCase(const rtl::WideString& text, TEditCharCase charCase) {
  switch (charCase) {
    case vgecUpperCase:
      return rtl::WideUpperCase(text);
    case vgecLowerCase:
      return rtl::WideLowerCase(text);
    case vgecNormal:
      break;
  }
  return text;
}

}  // namespace vg
