#include "platform/gui/XShape.h"

#include <X11/extensions/shape.h>
#include <gdk/gdkx.h>

#include <vector>

namespace gui {

void SetX11WindowShape(GdkWindow* window, const cairo_region_t* region) {
  if (!GDK_IS_X11_WINDOW(window)) return;
  const int count = cairo_region_num_rectangles(region);
  std::vector<XRectangle> rects(static_cast<std::size_t>(count));
  for (int i = 0; i < count; ++i) {
    cairo_rectangle_int_t r;
    cairo_region_get_rectangle(region, i, &r);
    rects[static_cast<std::size_t>(i)] = {static_cast<short>(r.x), static_cast<short>(r.y),
                                          static_cast<unsigned short>(r.width), static_cast<unsigned short>(r.height)};
  }
  // Regions are banded from top to bottom, then left to right.
  XShapeCombineRectangles(GDK_WINDOW_XDISPLAY(window), GDK_WINDOW_XID(window), ShapeBounding, 0, 0, rects.data(),
                          count, ShapeSet, YXBanded);
}

}  // namespace gui
