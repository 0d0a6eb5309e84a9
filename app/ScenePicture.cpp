#include "app/ScenePicture.h"

#include <vector>

#include "ui/core/vg_bitmap.h"
#include "ui/core/vg_control.h"
#include "ui/core/vg_visual.h"

namespace app {
namespace {

// A premultiplied ARGB pixel over white.
rtl::TPaletteEntry OverWhite(std::uint32_t pixel) {
  const auto channel = [pixel](int shift) { return static_cast<std::uint8_t>((pixel >> shift) & 0xFF); };
  const int clear = 255 - channel(24);
  return {static_cast<std::uint8_t>(channel(16) + clear), static_cast<std::uint8_t>(channel(8) + clear),
          static_cast<std::uint8_t>(channel(0) + clear)};
}

// Controls take their style before their first paint, which may be this
// picture's.
void ApplyStyles(vg::TvgObject& node) {
  if (auto* control = dynamic_cast<vg::TvgControl*>(&node)) control->ApplyResource();
  for (vg::TvgObject* child : std::vector<vg::TvgObject*>(node.Children())) ApplyStyles(*child);
}

}  // namespace

rtl::TBitmap ScenePicture(vg::TvgCustomScene& scene, const SceneArea& area) {
  vg::TvgBitmap drawn(area.width, area.height);
  rtl::TBitmap picture(area.width, area.height, rtl::TPixelFormat::pf24bit);
  if (drawn.IsEmpty()) return picture;
  drawn.Clear(0);
  vg::TvgCanvas* canvas = drawn.GetCanvas();
  if (canvas->BeginScene()) {
    for (int i = 0; i < scene.GetCount(); ++i) {
      auto* root = dynamic_cast<vg::TvgVisualObject*>(scene.GetChildrenObject(i));
      if (!root || !root->Visible()) continue;
      ApplyStyles(*root);
      const vg::TvgPoint at = root->Position()->GetPoint();
      const float left = at.X - float(area.left), top = at.Y - float(area.top);
      root->PaintTo(*canvas, {left, top, left + root->Width(), top + root->Height()});
    }
    canvas->EndScene();
  }
  const std::uint32_t* bits = drawn.Bits();
  for (int y = 0; y < area.height; ++y)
    for (int x = 0; x < area.width; ++x) picture.SetPixelColor(x, y, OverWhite(bits[y * area.width + x]));
  return picture;
}

rtl::TBitmap FormPicture(TSceneForm& form) {
  return ScenePicture(*form.ControlsScene, {0, 0, form.ClientWidth(), form.ClientHeight()});
}

std::unique_ptr<rtl::TJPEGImage> ReportJpeg(const rtl::TBitmap& picture) {
  auto jpeg = std::make_unique<rtl::TJPEGImage>();
  jpeg->SetCompressionQuality(100);
  jpeg->Assign(picture);
  jpeg->Compress();
  return jpeg;
}

}  // namespace app
