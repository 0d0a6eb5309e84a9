#pragma once
// Cuts an X11 toplevel window to a region (its bounding shape), for
// transparent windows on a screen without a compositor. GDK keeps the shape
// of a toplevel to itself, so this goes to the X shape extension directly.
// Kept apart because the X headers' macros clash with ordinary names.
typedef struct _GdkWindow GdkWindow;
typedef struct _cairo_region cairo_region_t;

namespace gui {

// Does nothing for a window of another backend.
void SetX11WindowShape(GdkWindow* window, const cairo_region_t* region);

}  // namespace gui
