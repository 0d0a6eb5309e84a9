#pragma once
// Screenshots of real windows for display tests, saved as artifacts so a
// person can look at what the test showed.
#include <gtk/gtk.h>

#include <optional>
#include <string>

namespace test_support {

struct ShotSize {
  int width = 0;
  int height = 0;
};

// Saves what `window` shows on screen as <artifacts>/<name>.png. Returns the
// size of the shot, or nothing when the window is not on screen or the file
// could not be written.
std::optional<ShotSize> SaveWindowShot(GtkWidget* window, const std::string& name);

}  // namespace test_support
