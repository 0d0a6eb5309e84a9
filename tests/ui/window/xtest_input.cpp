#include "tests/ui/window/xtest_input.h"

#include <X11/extensions/XTest.h>
#include <gdk/gdkx.h>

namespace test_support {

namespace {

Display* XDisplay() { return gdk_x11_display_get_xdisplay(gdk_display_get_default()); }

}  // namespace

void MovePointer(int x, int y) {
  XTestFakeMotionEvent(XDisplay(), -1, x, y, CurrentTime);
  XFlush(XDisplay());
}

void TypeKey(unsigned keyval) {
  const KeyCode code = XKeysymToKeycode(XDisplay(), keyval);
  XTestFakeKeyEvent(XDisplay(), code, True, CurrentTime);
  XTestFakeKeyEvent(XDisplay(), code, False, CurrentTime);
  XFlush(XDisplay());
}

void ClickAt(int x, int y) {
  MovePointer(x, y);
  XTestFakeButtonEvent(XDisplay(), 1, True, CurrentTime);
  XTestFakeButtonEvent(XDisplay(), 1, False, CurrentTime);
  XFlush(XDisplay());
}

}  // namespace test_support
