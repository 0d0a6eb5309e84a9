#pragma once
// What the editing controls (text box, memo) share.
#include "platform/rtl/TypeInfo.h"
#include "platform/rtl/Types.h"

namespace vg {

// The letter case typed or assigned text is stored in.
RTL_ENUM(TEditCharCase, vgecNormal, vgecUpperCase, vgecLowerCase)

// The text in that case.
rtl::WideString vgApplyCharCase(const rtl::WideString& text, TEditCharCase charCase);

}  // namespace vg
