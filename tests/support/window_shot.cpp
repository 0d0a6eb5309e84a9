#include "tests/support/window_shot.h"

#include <memory>

#include "tests/support/artifacts.h"

namespace test_support {
namespace {

struct PixbufUnref {
  void operator()(GdkPixbuf* pixbuf) const { g_object_unref(pixbuf); }
};

}  // namespace

std::optional<ShotSize> SaveWindowShot(GtkWidget* window, const std::string& name) {
  GdkWindow* onScreen = gtk_widget_get_window(window);
  if (onScreen == nullptr) return std::nullopt;
  const std::unique_ptr<GdkPixbuf, PixbufUnref> shot(gdk_pixbuf_get_from_window(
      onScreen, 0, 0, gdk_window_get_width(onScreen), gdk_window_get_height(onScreen)));
  if (!shot) return std::nullopt;
  const std::string file = (ArtifactDir() / (name + ".png")).string();
  if (!gdk_pixbuf_save(shot.get(), file.c_str(), "png", nullptr, nullptr)) return std::nullopt;
  return ShotSize{gdk_pixbuf_get_width(shot.get()), gdk_pixbuf_get_height(shot.get())};
}

}  // namespace test_support
