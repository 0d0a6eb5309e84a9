#include "ui/controls/vg_opendialog.h"

namespace vg {

namespace {

TvgOpenDialog& Installed() {
  static TvgOpenDialog dialog;
  return dialog;
}

}  // namespace

void vgSetOpenDialog(TvgOpenDialog dialog) { Installed() = std::move(dialog); }

bool vgExecuteOpenDialog(const std::string& filter, std::string& fileName) {
  return Installed() && Installed()(filter, fileName);
}

}  // namespace vg
