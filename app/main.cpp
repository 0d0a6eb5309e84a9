#include "app/ProgramEntry.h"

int main() {
  gui::TProcessLauncher launcher;
  return app::RunProgram(launcher);
}
