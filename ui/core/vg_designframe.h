#pragma once
// The dashed frame by which the designer shows a node that draws nothing
// of its own (a layout, an empty shape, a closed popup).
#include "ui/core/vg_visual.h"

namespace vg {

class TvgCanvas;

// Whether node marks its extent in the designer: the scene is in design
// mode and the node is neither locked nor being painted into a bitmap.
bool vgPaintsDesignFrame(TvgVisualObject& node);
// The designer's dashed translucent-grey frame just inside node's local
// rectangle; the canvas dash is solid again afterwards.
void vgDrawDesignFrame(TvgVisualObject& node, TvgCanvas& canvas);

}  // namespace vg
