#include "app/ProgramEntry.h"

#include <signal.h>

#include <cstdio>
#include <exception>
#include <memory>
#include <string>

#include "EmbeddedResources_app_forms.h"
#include "app/DialogResources.h"
#include "app/MainForm.h"
#include "app/MainFormDevice.h"
#include "app/Restart.h"
#include "components/Registration.h"
#include "platform/gui/Application.h"
#include "platform/gui/Dialogs.h"
#include "platform/gui/GuiInit.h"
#include "platform/gui/WebBrowser.h"
#include "platform/hid/HidBackendChoice.h"
#include "platform/hid/SimulatedHotplug.h"
#include "platform/rtl/AtomicFile.h"
#include "platform/rtl/ClassRegistry.h"
#include "platform/rtl/Exceptions.h"
#include "ui/controls/vg_controls.h"
#include "ui/render/vg_canvas_gdip.h"
#include "ui/window/vg_controlservices.h"
#include "ui/window/vg_popupwindow.h"

namespace app {
namespace {

// Shows what escaped the loop as the application object does; an exception
// of another kind shows an empty message.
void ShowEscaped(std::exception_ptr error) {
  try {
    std::rethrow_exception(error);
  } catch (const rtl::Exception& e) {
    gui::Application->ShowException(e);
  } catch (...) {
    gui::Application->ShowException(std::runtime_error(""));
  }
}

// The desktop shell, restarting through the entry point's launcher.
class TLauncherShell final : public gui::IShell {
 public:
  explicit TLauncherShell(gui::IProcessLauncher& launcher) : launcher_(launcher) {}
  bool Open(const std::string& uri) override { return gui::Shell().Open(uri); }
  bool RestartSelf() override { return launcher_.Launch(gui::ExecutablePath()); }

 private:
  gui::IProcessLauncher& launcher_;
};

}  // namespace

void RegisterProgramClasses() {
  static const bool registered = [] {
    gui::RegisterGuiClasses();
    gui::RegisterWebClasses();
    vg::vgStartCore();
    vg::RegisterControlClasses();
    vg::StartGdiPlusBackEnd();
    components::RegisterTimerClasses();
    components::RegisterCaptionClasses();
    RegisterResources_app_forms();
    RegisterDialogResources();
    return true;
  }();
  (void)registered;
}

int RunProgram(gui::IProcessLauncher& launcher) {
  // A file-size limit then fails the write that reaches it, which the writer
  // reports, instead of ending the program in the middle of it.
  signal(SIGXFSZ, SIG_IGN);
  rtl::RemoveStaleTemporaryFiles(gui::ProgramFolder());
  if (!gui::InitGui()) {
    std::fputs("esctool: no display could be opened.\n", stderr);
    return 1;
  }
  RegisterProgramClasses();
  vg::vgUsePopupWindows();
  vg::vgUsePlatformControlServices();

  hid::SteadyTickClock clock;
  const std::unique_ptr<hid::IHidApi> hid = hid::CreateHidApi(clock);
  std::unique_ptr<hid::UdevHotplugMonitor> hotplug;
  std::unique_ptr<hid::SimulatedHotplugMonitor> simulatedHotplug;
  const MainFormPlatform platform{*hid, clock, [&hotplug, &simulatedHotplug](MainFormDevice& device) {
                                    hotplug = std::make_unique<hid::UdevHotplugMonitor>(device);
                                    if (hid::SimulatedHid* simulated = hid::SimulatedAdapterOfThisRun())
                                      simulatedHotplug =
                                          std::make_unique<hid::SimulatedHotplugMonitor>(*simulated, device);
                                    return hotplug->Active();
                                  }};
  TfrmInterface* form = nullptr;
  int status = 0;
  try {
    form = new TfrmInterface(nullptr, platform);
    gui::SetMainForm(form);
    form->Show();
    gui::Application->Run();
  } catch (...) {
    ShowEscaped(std::current_exception());
    status = 1;
  }
  // Freeing the window writes lang.ini back; a restart comes only after it.
  TLauncherShell shell(launcher);
  try {
    FinishRun(
        [&] {
          hotplug.reset();
          simulatedHotplug.reset();
          if (form) form->Free();
        },
        shell);
  } catch (...) {
    ShowEscaped(std::current_exception());
  }
  return status;
}

}  // namespace app
