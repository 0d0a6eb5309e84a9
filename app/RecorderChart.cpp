#include "app/RecorderChart.h"

#include "ui/core/vg_brush.h"

namespace app {

void PaintRecorderChart(vg::TvgCanvas& canvas, const vg::TvgRect& paintRect) {
  const int state = canvas.SaveCanvas();
  canvas.SetClipRects({paintRect});
  canvas.Stroke()->SetStyle(vg::vgBrushSolid);
  canvas.Stroke()->SetColor("#FF000000");
  canvas.SetStrokeThickness(2);
  canvas.DrawLine({271, 2}, {271, 536}, 1);
  canvas.DrawLine({8, 16}, {284, 16}, 1);
  canvas.RestoreCanvas(state);
}

}  // namespace app
