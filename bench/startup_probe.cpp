// Start-up probe: `startup_probe main` opens the program's main window,
// `startup_probe bare` a bare GTK window of the same client size; either
// prints the CLOCK_MONOTONIC time (ns) of its first painted frame and exits.
// startup_ratio.py starts each the same way and compares them.
#include <gtk/gtk.h>

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <string>

#include "app/MainForm.h"
#include "app/ProgramEntry.h"
#include "platform/gui/GuiInit.h"
#include "platform/hid/HidBackendChoice.h"
#include "ui/window/vg_controlservices.h"
#include "ui/window/vg_popupwindow.h"

namespace {

[[noreturn]] void ReportFrameAndExit() {
  timespec now{};
  clock_gettime(CLOCK_MONOTONIC, &now);
  std::printf("%lld\n", static_cast<long long>(now.tv_sec) * 1000000000LL + now.tv_nsec);
  std::fflush(stdout);
  std::_Exit(0);
}

gboolean BareDrawn(GtkWidget*, cairo_t* cr, gpointer) {
  cairo_set_source_rgb(cr, 0.2, 0.2, 0.2);
  cairo_paint(cr);
  g_idle_add([](gpointer) -> gboolean { ReportFrameAndExit(); }, nullptr);
  return FALSE;
}

int Bare() {
  gtk_init(nullptr, nullptr);
  GtkWidget* window = gtk_window_new(GTK_WINDOW_TOPLEVEL);
  GtkWidget* area = gtk_drawing_area_new();
  gtk_widget_set_size_request(area, 779, 624);
  gtk_container_add(GTK_CONTAINER(window), area);
  g_signal_connect(area, "draw", G_CALLBACK(BareDrawn), nullptr);
  gtk_widget_show_all(window);
  gtk_main();
  return 1;
}

int Main() {
  if (!gui::InitGui()) return 1;
  app::RegisterProgramClasses();
  vg::vgUsePopupWindows();
  vg::vgUsePlatformControlServices();
  hid::SteadyTickClock clock;
  const auto hid = hid::CreateHidApi(clock);
  const app::MainFormPlatform platform{*hid, clock, [](app::MainFormDevice&) { return true; }};
  auto* form = new app::TfrmInterface(nullptr, platform);
  form->Show();
  g_timeout_add(1, [](gpointer data) -> gboolean {
    auto* shown = static_cast<app::TfrmInterface*>(data);
    if (shown->ControlsScene->DrawCount() > 0) ReportFrameAndExit();
    return G_SOURCE_CONTINUE;
  }, form);
  gtk_main();
  return 1;
}

}  // namespace

int main(int argc, char** argv) {
  const std::string mode = argc > 1 ? argv[1] : "";
  if (mode == "bare") return Bare();
  if (mode == "main") return Main();
  std::fputs("usage: startup_probe main|bare\n", stderr);
  return 2;
}
