#pragma once
// What the GDI+ back-end's sources share.
#include "platform/gdiplus/GdiPlus.h"

namespace vg::gdip_internal {

/// The bound flat API; raises rtl::EInvalidOperation while the back-end is
/// not started.
gdip::GdiPlus& G();

/// Image attributes whose colour matrix scales alpha by opacity (the caller
/// disposes them); nullptr at opacity 1, which needs none.
gdip::GpImageAttributes* AlphaAttributes(float opacity);

}  // namespace vg::gdip_internal
