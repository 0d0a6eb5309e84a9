#pragma once
// The toolkit on the GDI+ canvas with the control classes registered, for
// the life of one benchmark.
#include <memory>

#include "ui/controls/vg_controls.h"
#include "ui/core/vg_scene.h"
#include "ui/render/vg_canvas_gdip.h"

namespace vgbench {

struct GdiPlusBackEnd {
  // Text is measured once, so that loading the fonts is not timed.
  GdiPlusBackEnd() {
    vg::StartGdiPlusBackEnd();
    vg::vgStartCore();
    vg::RegisterControlClasses();
    std::unique_ptr<vg::TvgCanvas> canvas(vg::DefaultCanvasClass->Create(1, 1));
    canvas->TextWidth(u"Fonts");
  }
  ~GdiPlusBackEnd() { vg::StopGdiPlusBackEnd(); }
  GdiPlusBackEnd(const GdiPlusBackEnd&) = delete;
  GdiPlusBackEnd& operator=(const GdiPlusBackEnd&) = delete;
};

}  // namespace vgbench
