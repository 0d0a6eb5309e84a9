#pragma once
// The data recorder page's chart: over the plot grid's own drawing, a
// vertical and a horizontal black line (the loaded samples are not drawn).
#include "ui/core/vg_canvas.h"

namespace app {

// The plot grid's paint handler: draws the two lines, clipped to
// `paintRect`, in the plot grid's coordinates, leaving the canvas state as
// it found it.
void PaintRecorderChart(vg::TvgCanvas& canvas, const vg::TvgRect& paintRect);

}  // namespace app
