// The main window created off screen on a temporary program folder, with
// the simulated HID library on a virtual clock and no adapter plugged in.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "app/MainForm.h"
#include "app/MainFormDevice.h"
#include "app/ProgramEntry.h"
#include "platform/gui/GuiInit.h"
#include "platform/hid/SimulatedHid.h"
#include "platform/hid/TickClock.h"
#include "platform/rtl/AtomicFile.h"
#include "platform/rtl/DebugOutput.h"
#include "platform/rtl/Streams.h"
#include "platform/rtl/TextConvert.h"
#include "tests/support/gui_pump.h"

namespace app::testing {

namespace fs = std::filesystem;

class MainFormTest : public ::testing::Test {
 protected:
  void SetUp() override {
    // One folder per test program: ctest runs several of them at once.
    folder = fs::path(::testing::TempDir()) / ("main_form_" + std::to_string(getpid()));
    fs::remove_all(folder);
    fs::create_directories(folder);
    setenv("ESCTOOL_PROGRAM_DIR", folder.c_str(), 1);
    rtl::WriteFileBytes((folder / "lang.ini").string(),
                        "\xEF\xBB\xBF[common]\r\nlang=1\r\ncacl7=3.7V\r\nengProcess=Working\r\nchsProcess=处理中\r\n");
    RegisterProgramClasses();
    previousSink = rtl::SetDebugSink([this](const std::string& line) { debugLines.push_back(line); });
  }
  void TearDown() override {
    if (form) form->Free();
    rtl::SetDebugSink(previousSink);
    unsetenv("ESCTOOL_PROGRAM_DIR");
    fs::remove_all(folder);
  }
  void Create(bool notificationsWork = true) {
    const MainFormPlatform platform{hid, clock, [notificationsWork](MainFormDevice&) { return notificationsWork; }};
    form = new TfrmInterface(nullptr, platform);
  }
  // Creates the window and shows it on screen (display tests only); returns
  // once it has been drawn.
  void CreateOnScreen() {
    ASSERT_TRUE(gui::InitGui());
    Create();
    form->Show();
    ASSERT_TRUE(test_support::PumpUntil([&] { return form->ControlsScene->DrawCount() > 0; }));
  }
  std::string LangFile() {
    const rtl::TBytes bytes = rtl::ReadFileBytes((folder / "lang.ini").string());
    return std::string(bytes.begin(), bytes.end());
  }
  std::vector<std::string> MemoLines(vg::TvgMemo* memo) {
    std::vector<std::string> lines;
    for (int i = 0; i < memo->Lines()->Count(); ++i) lines.push_back(rtl::Utf16ToUtf8(memo->Lines()->Get(i)));
    return lines;
  }

  fs::path folder;
  hid::VirtualClock clock;
  hid::SimulatedHid hid{clock};
  TfrmInterface* form = nullptr;
  std::vector<std::string> debugLines;
  rtl::TDebugSink previousSink;
};

}  // namespace app::testing
