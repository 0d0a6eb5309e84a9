#pragma once
// Synthetic GDK input for display tests, and reading back what the X server
// shows.
#include <gtk/gtk.h>

#include <cstdint>

#include "platform/gui/SceneWindow.h"

namespace test_support {

using gui::TPoint;
using gui::TSceneWindow;

// The colour (0xRRGGBB) the X server shows at (x, y) of a window.
inline std::uint32_t Pixel(GdkWindow* window, int x, int y) {
  GdkPixbuf* pixbuf = gdk_pixbuf_get_from_window(window, x, y, 1, 1);
  if (!pixbuf) return 0xDEADBEEF;
  const guchar* p = gdk_pixbuf_get_pixels(pixbuf);
  const std::uint32_t rgb = (p[0] << 16) | (p[1] << 8) | p[2];
  g_object_unref(pixbuf);
  return rgb;
}

// The colour the X server shows at (x, y) of the scene window.
inline std::uint32_t ScreenPixel(TSceneWindow& scene, int x, int y) {
  return Pixel(gtk_widget_get_window(scene.Widget()), x, y);
}

inline GdkDevice* Device(bool keyboard) {
  GdkSeat* seat = gdk_display_get_default_seat(gdk_display_get_default());
  return keyboard ? gdk_seat_get_keyboard(seat) : gdk_seat_get_pointer(seat);
}

inline void SendKey(GtkWidget* toplevel, unsigned keyval, unsigned state, bool press = true) {
  GdkEvent* event = gdk_event_new(press ? GDK_KEY_PRESS : GDK_KEY_RELEASE);
  event->key.window = GDK_WINDOW(g_object_ref(gtk_widget_get_window(toplevel)));
  event->key.send_event = TRUE;
  event->key.time = GDK_CURRENT_TIME;
  event->key.keyval = keyval;
  event->key.state = state;
  GdkKeymapKey* keys = nullptr;
  gint count = 0;
  if (gdk_keymap_get_entries_for_keyval(gdk_keymap_get_for_display(gdk_display_get_default()), keyval, &keys,
                                        &count) &&
      count > 0) {
    event->key.hardware_keycode = static_cast<guint16>(keys[0].keycode);
    event->key.group = static_cast<guint8>(keys[0].group);
  }
  g_free(keys);
  gdk_event_set_device(event, Device(true));
  gtk_main_do_event(event);
  gdk_event_free(event);
}

inline void Type(GtkWidget* toplevel, unsigned keyval, unsigned state = 0) {
  SendKey(toplevel, keyval, state, true);
  SendKey(toplevel, keyval, state, false);
}

// Pointer events for a drawing area whose client origin is at `origin` on
// the screen (a scene window's, or a popup window's).
inline void SendMotion(GtkWidget* area, TPoint origin, int screenX, int screenY, unsigned state = GDK_BUTTON1_MASK) {
  GdkEvent* event = gdk_event_new(GDK_MOTION_NOTIFY);
  event->motion.window = GDK_WINDOW(g_object_ref(gtk_widget_get_window(area)));
  event->motion.send_event = TRUE;
  event->motion.x = screenX - origin.X;
  event->motion.y = screenY - origin.Y;
  event->motion.x_root = screenX;
  event->motion.y_root = screenY;
  event->motion.state = state;
  gdk_event_set_device(event, Device(false));
  gtk_main_do_event(event);
  gdk_event_free(event);
}

inline void SendMotion(TSceneWindow& scene, int screenX, int screenY, unsigned state = GDK_BUTTON1_MASK) {
  SendMotion(scene.Widget(), scene.ClientToScreen({0, 0}), screenX, screenY, state);
}

inline void SendButton(GtkWidget* area, TPoint origin, GdkEventType type, guint button, double x, double y,
                       guint32 time) {
  GdkEvent* event = gdk_event_new(type);
  event->button.window = GDK_WINDOW(g_object_ref(gtk_widget_get_window(area)));
  event->button.send_event = TRUE;
  event->button.time = time;
  event->button.x = x;
  event->button.y = y;
  event->button.button = button;
  event->button.x_root = origin.X + x;
  event->button.y_root = origin.Y + y;
  event->button.state = type == GDK_BUTTON_RELEASE ? GDK_BUTTON1_MASK : 0;
  gdk_event_set_device(event, Device(false));
  gtk_main_do_event(event);
  gdk_event_free(event);
}

inline void SendButton(TSceneWindow& scene, GdkEventType type, guint button, double x, double y, guint32 time) {
  SendButton(scene.Widget(), scene.ClientToScreen({0, 0}), type, button, x, y, time);
}

// The mapped popup window (a GTK_WINDOW_POPUP toplevel) on the screen, or
// null when none is open.
inline GtkWidget* OpenPopupWindow() {
  GtkWidget* found = nullptr;
  GList* list = gtk_window_list_toplevels();
  for (GList* it = list; it; it = it->next)
    if (gtk_window_get_window_type(GTK_WINDOW(it->data)) == GTK_WINDOW_POPUP &&
        gtk_widget_get_mapped(GTK_WIDGET(it->data)))
      found = GTK_WIDGET(it->data);
  g_list_free(list);
  return found;
}

}  // namespace test_support
