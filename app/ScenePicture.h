#pragma once
// Pictures of what a scene shows, taken for the settings report: an area of
// the scene's client drawn into a bitmap (also while the window is off
// screen or was never shown), a whole scene form, and the JPEG the report
// places.
#include <memory>

#include "app/SceneForm.h"
#include "platform/rtl/Graphics.h"
#include "platform/rtl/Jpeg.h"
#include "ui/core/vg_scene.h"

namespace app {

/// An area of a scene's client in whole pixels.
struct SceneArea {
  int left = 0, top = 0, width = 0, height = 0;
};

/// The area as the scene draws it, in 24-bit colour; what the scene leaves
/// transparent comes out white.
rtl::TBitmap ScenePicture(vg::TvgCustomScene& scene, const SceneArea& area);

/// The whole client area of a scene form (the curve editors have no
/// border, so this is the whole window).
rtl::TBitmap FormPicture(TSceneForm& form);

/// A baseline colour JPEG of quality 100 of the picture, compressed.
std::unique_ptr<rtl::TJPEGImage> ReportJpeg(const rtl::TBitmap& picture);

}  // namespace app
