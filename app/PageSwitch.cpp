#include "app/PageSwitch.h"

namespace app {
namespace {

bool IsGovernorModel(std::string_view controller) {
  for (const std::string_view model : {"Corvanel_HV_V4", "Corvanel_V4", "TESSIM_V5"})
    if (controller.find(model) != std::string_view::npos) return true;
  return false;
}

}  // namespace

std::array<bool, kPageLayouts> VisiblePages(int tag, std::string_view controller, int linkMode) {
  std::array<bool, kPageLayouts> visible{};
  auto show = [&visible](int layout) { visible[static_cast<std::size_t>(layout - 1)] = true; };
  const bool linkFirmware = linkMode >= 2 && linkMode <= 4;
  switch (tag) {
    case 0: show(1); break;
    case 1: show(2); break;
    case 2: show(3); break;
    case 3: show(IsGovernorModel(controller) ? 11 : 4); break;
    case 4: show(5); break;
    case 5: show(6); break;
    case 6: show(7); break;
    case 7:
      if (linkFirmware)
        show(12);
      else if (linkMode != 5)
        show(8);
      break;
    case 8: show(9); break;
    case 9: show(10); break;
    case 10:
      if (linkMode == 5 && controller.find("PORTAVEX") != std::string_view::npos) show(13);
      break;
    default: break;
  }
  return visible;
}

bool PageHasHelpPane(int tag) { return (tag >= 1 && tag <= 7) || tag == 9; }

bool PageNeedsDevice(int tag) { return tag != 0 && tag != 8 && tag != 9; }

}  // namespace app
