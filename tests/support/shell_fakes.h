#pragma once
// A desktop shell that starts nothing: it records what the program asked
// it to open and whether it asked for a restart. Installs itself for its
// lifetime.
#include <string>
#include <vector>

#include "platform/gui/Shell.h"

namespace test_support {

class TRecordingShell final : public gui::IShell {
 public:
  TRecordingShell() { gui::SetShell(this); }
  ~TRecordingShell() override { gui::SetShell(nullptr); }

  bool Open(const std::string& uri) override {
    Opened.push_back(uri);
    return Succeeds;
  }
  bool RestartSelf() override {
    ++Restarts;
    return Succeeds;
  }

  bool Succeeds = true;
  std::vector<std::string> Opened;
  int Restarts = 0;
};

}  // namespace test_support
