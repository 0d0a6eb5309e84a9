#include "components/Registration.h"

#include "components/JvGroupHeader.h"
#include "components/JvThreadTimer.h"
#include "components/JvTimer.h"
#include "platform/rtl/ClassRegistry.h"

namespace components {

void RegisterTimerClasses() { rtl::RegisterClasses<TJvTimer, TJvThreadTimer>(); }

void RegisterCaptionClasses() { rtl::RegisterClasses<TJvGroupHeader>(); }

}  // namespace components
