#include "ui/core/vg_designframe.h"

#include "ui/core/vg_canvas.h"
#include "ui/core/vg_scene.h"

namespace vg {

namespace {

constexpr TvgColor kDesignFrame = 0xA0909090;

}  // namespace

bool vgPaintsDesignFrame(TvgVisualObject& node) {
  IvgScene* scene = node.GetScene();
  return scene && scene->GetDesignTime() && !node.Locked() && !node.InPaintTo();
}

void vgDrawDesignFrame(TvgVisualObject& node, TvgCanvas& canvas) {
  TvgRect r = node.GetLocalRect();
  vgInflateRect(r, -0.5f, -0.5f);
  canvas.SetStrokeThickness(1);
  canvas.SetStrokeDash(vgDashDash);
  canvas.Stroke()->SetStyle(vgBrushSolid);
  canvas.Stroke()->SetSolidColor(kDesignFrame);
  canvas.DrawRect(r, 0, 0, AllCorners, node.GetAbsoluteOpacity(), vgCornerRound);
  canvas.SetStrokeDash(vgDashSolid);
}

}  // namespace vg
