#include "platform/gui/Shell.h"

#include <gio/gio.h>

#include <memory>

#include "platform/rtl/DebugOutput.h"

namespace gui {
namespace {

struct GErrorFree {
  void operator()(GError* error) const { g_error_free(error); }
};
using TGError = std::unique_ptr<GError, GErrorFree>;

class TDesktopShell final : public IShell {
 public:
  bool Open(const std::string& uri) override {
    GError* raw = nullptr;
    const bool started = g_app_info_launch_default_for_uri(uri.c_str(), nullptr, &raw);
    TGError error(raw);
    if (!started) rtl::OutputDebugString("shell: cannot open " + uri + ": " + (error ? error->message : "?"));
    return started;
  }

  bool RestartSelf() override {
    char self[] = "/proc/self/exe";
    char* argv[] = {self, nullptr};
    GError* raw = nullptr;
    const bool started = g_spawn_async(nullptr, argv, nullptr, G_SPAWN_DEFAULT, nullptr, nullptr, nullptr, &raw);
    TGError error(raw);
    if (!started) rtl::OutputDebugString(std::string("shell: cannot restart: ") + (error ? error->message : "?"));
    return started;
  }
};

IShell* g_shell = nullptr;

}  // namespace

IShell& Shell() {
  static TDesktopShell desktop;
  return g_shell ? *g_shell : desktop;
}

void SetShell(IShell* shell) { g_shell = shell; }

std::string FileUri(const std::string& fileName) {
  const std::unique_ptr<gchar, decltype(&g_free)> uri(g_filename_to_uri(fileName.c_str(), nullptr, nullptr), g_free);
  return uri ? std::string(uri.get()) : std::string();
}

}  // namespace gui
