// The link adapter, used as its owner would: the link modes chosen from the
// Device menu, the channels scanned in the UART mode, then one channel's
// colour and rotation read, changed, written and read back in the parameter
// mode. The simulated adapter has controllers on channels 1 and 3 and one
// that answers the scan but refuses its selection on channel 2; channel 1
// holds red and blue, counter-clockwise, channel 3 green, clockwise.
#include <gtest/gtest.h>

#include <array>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/MainForm.h"
#include "tests/app/program_run.h"
#include "tests/e2e/e2e_user.h"
#include "ui/render/vg_objects.h"

namespace {

using app::TfrmInterface;

// The connection LED beside the device-kind label shows a device identified.
bool Connected(TfrmInterface& form) { return e2e::Settled(form) && e2e::LampOn(form); }

std::string FirstLine(const std::string& text) { return text.substr(0, text.find_first_of("\r\n")); }

// The channel boxes checked, and enabled (greyed while their group is locked
// during the scan), exactly for the channels that answered.
constexpr std::array<bool, 8> kAnswering{true, true, true, false, false, false, false, false};

bool ShowsChannels(TfrmInterface& form, const std::array<bool, 8>& expected) {
  int n = 0;
  for (bool answered : expected) {
    std::string name = "cbChannel" + std::to_string(++n);
    auto* box = form.Node<vg::TvgVisualObject>(name);
    if (!box || e2e::Checked(form, name) != answered || box->Enabled() != answered) return false;
  }
  return true;
}

bool Shown(TfrmInterface& form, const char* node) { return e2e::Reachable(form, node) != nullptr; }

struct Colours {
  bool red, green, blue, clockwise;
  bool operator==(const Colours&) const = default;
};

Colours ShownColours(TfrmInterface& form) {
  return {e2e::Checked(form, "cbRed"), e2e::Checked(form, "cbGreen"), e2e::Checked(form, "cbBlue"),
          e2e::Checked(form, "rbCW") && !e2e::Checked(form, "rbCCW")};
}

// A step that clicks the named nodes one after another, one per poll.
std::function<bool(TfrmInterface&)> ClickEach(std::vector<std::string> names) {
  auto next = std::make_shared<std::size_t>(0);
  return [names = std::move(names), next](TfrmInterface& form) {
    if (*next < names.size() && e2e::Click(form, names[*next])) ++*next;
    return *next == names.size();
  };
}

TEST(LinkAdapter, ModesScanAndChannelParameters) {
  setenv("ESCTOOL_SIMULATED_HID", "PORTAVEX", 1);
  app::testing::ProgramRun run;
  e2e::ShowEveryFeature(run.folder);
  std::string uartLabel, uartCaption, paramLabel, paramCaption, idleScan, scanning, scanned, channelController;
  std::string adapterController;  // the adapter itself, named before a channel is chosen
  std::string readLine, savedLine, otherLine, rereadLine, upgradeSummary, upgradeLog;
  Colours read{}, cleared{}, other{}, reread{};
  bool shots[4] = {};
  run.Then("the UART mode chosen", [](TfrmInterface& form) { return e2e::Settled(form) && e2e::Choose(form, "PORTAVEX2"); })
      .Then("the adapter identified",
            [&](TfrmInterface& form) {
              uartLabel = e2e::Shows(form, "Label1");
              uartCaption = e2e::MenuCaption(form, "PORTAVEX2");
              return Connected(form);
            })
      .Then("its channel page opened", e2e::ClickUntil("ListBoxItem8",
                                                  [&](TfrmInterface& form) {
                                                    idleScan = e2e::Shows(form, "btnScan");
                                                    adapterController = e2e::Shows(form, "tbController");
                                                    return Shown(form, "btnScan");
                                                  }))
      .Then("shot", e2e::ShotStep("e2e_link_uart_mode", &shots[0]))
      .Then("scan started", e2e::ClickUntil("btnScan", [&](TfrmInterface& form) {
              scanning = e2e::Shows(form, "btnScan");
              return scanning != idleScan;
            }))
      .Then("the answering channels listed", [](TfrmInterface& form) { return ShowsChannels(form, kAnswering); })
      .Then("scan stopped", [](TfrmInterface& form) { return e2e::Click(form, "btnScan"); })
      .Then("channel 1's controller identified",
            [&](TfrmInterface& form) {
              scanned = e2e::Shows(form, "btnScan");
              channelController = e2e::Shows(form, "tbController");
              return Connected(form) && scanned == idleScan && channelController != adapterController &&
                     ShowsChannels(form, kAnswering);
            })
      .Then("shot", e2e::ShotStep("e2e_link_scan", &shots[1]))
      .Then("a version chosen", e2e::ChooseEntryStep("scbFirmware", "V1.1"))
      .Then("the answering channels upgraded",
            [&](TfrmInterface& form) {
              // The release notes, confirmed for each channel that is selected: 1 and 3.
              run.dialogs.ForgetBoxAnswers().AnswerBox(gui::IDYES).AnswerBox(gui::IDYES);
              return e2e::Click(form, "btnUpgrade2");
            })
      .Then("the summary box shown", [](TfrmInterface&) { return e2e::Dialog("TfrmInfo") != nullptr; })
      .Then("shot", e2e::ShotStep("e2e_link_upgrade_summary", &shots[3]))
      .Then("the summary box answered", e2e::AnswerBoxStep(&upgradeSummary))
      .Then("the upgrade log read",
            [&](TfrmInterface& form) {
              upgradeLog = e2e::Shows(form, "vgmMessage");
              return true;
            })
      .Then("the parameter mode chosen",
            [](TfrmInterface& form) { return e2e::Settled(form) && e2e::Choose(form, "PORTAVEX5"); })
      .Then("its page opened once the adapter is known", e2e::ClickUntil("ListBoxItem11", [&](TfrmInterface& form) {
              paramLabel = e2e::Shows(form, "Label1");
              paramCaption = e2e::MenuCaption(form, "PORTAVEX5");
              return e2e::Settled(form) && Shown(form, "btnRead");
            }))
      .Then("channel 1 read", [](TfrmInterface& form) { return e2e::Click(form, "btnRead"); })
      .Then("its settings shown",
            [&](TfrmInterface& form) {
              readLine = FirstLine(e2e::Shows(form, "sMessage"));
              read = ShownColours(form);
              return !readLine.empty();
            })
      .Then("green and clockwise chosen, written", ClickEach({"cbGreen", "rbCW", "btnWrite"}))
      .Then("the write reported",
            [&](TfrmInterface& form) {
              savedLine = FirstLine(e2e::Shows(form, "sMessage"));
              return savedLine != readLine;
            })
      .Then("channel 3 chosen", [](TfrmInterface& form) { return e2e::Click(form, "rbChannel3"); })
      .Then("its settings unknown until read",
            [&](TfrmInterface& form) {
              cleared = ShownColours(form);
              return !Shown(form, "btnWrite");
            })
      .Then("channel 3 read", [](TfrmInterface& form) { return e2e::Click(form, "btnRead"); })
      .Then("its own settings shown",
            [&](TfrmInterface& form) {
              otherLine = FirstLine(e2e::Shows(form, "sMessage"));
              other = ShownColours(form);
              return otherLine != savedLine;
            })
      .Then("channel 1 chosen and read again", ClickEach({"rbChannel1", "btnRead"}))
      .Then("the new settings shown",
            [&](TfrmInterface& form) {
              rereadLine = FirstLine(e2e::Shows(form, "sMessage"));
              reread = ShownColours(form);
              return rereadLine != otherLine;
            })
      .Then("shot", e2e::ShotStep("e2e_link_channel", &shots[2]))
      .Then("exit", [](TfrmInterface& form) { return e2e::Settled(form) && e2e::Choose(form, "Exit1"); });
  EXPECT_EQ(run.Run(std::chrono::seconds(120)), 0);
  EXPECT_EQ(run.timedOut, "");
  EXPECT_EQ(uartLabel, uartCaption);
  EXPECT_EQ(paramLabel, paramCaption);
  EXPECT_EQ(scanning, "停止");
  EXPECT_EQ(idleScan, "扫描");
  EXPECT_EQ(scanned, idleScan);
  EXPECT_EQ(adapterController, "QV_PORTAVEX");
  EXPECT_EQ(channelController, "CAR_ESC");
  // Channel 2 answers the scan but refuses its selection.
  EXPECT_EQ(upgradeSummary, "2 个通道更新固件完成，1 个通道更新固件失败。") << upgradeLog;
  for (const char* line : {"通道 1: 升级成功", "通道 2：无法选择该通道，未更新固件", "通道 3: 升级成功"})
    EXPECT_NE(upgradeLog.find(line), std::string::npos) << line << "\n" << upgradeLog;
  EXPECT_EQ(readLine, "通道 1: 读取成功");
  EXPECT_EQ(read, (Colours{true, false, true, false}));
  EXPECT_EQ(savedLine, "通道 1: 设置成功");
  EXPECT_EQ(cleared, (Colours{false, false, false, true}));
  EXPECT_EQ(otherLine, "通道 3: 读取成功");
  EXPECT_EQ(other, (Colours{false, true, false, true}));
  EXPECT_EQ(rereadLine, "通道 1: 读取成功");
  EXPECT_EQ(reread, (Colours{true, true, true, true}));
  for (bool saved : shots) EXPECT_TRUE(saved);
}

}  // namespace
