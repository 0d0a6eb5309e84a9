#pragma once
// The main form's components as maps, and a rig that puts the link-adapter
// handlers and the channel-parameter page on the simulated link adapter.
#include <map>
#include <string>
#include <vector>

#include "device/ChannelParameters.h"
#include "device/LinkAdapter.h"
#include "platform/hid/SimLinkAdapter.h"
#include "tests/support/DeviceLinkFakes.h"
#include "tests/support/FirmwareFakes.h"

namespace device::fakes {

/// Components by name with the form's radio groups (the link-mode menu items,
/// the channel buttons, the direction buttons); checking a link-mode item
/// also sets what the device view reports as the checked link mode.
struct FakeComponents : IFormComponents {
  std::map<std::string, bool> enabled, visible, checked;
  std::map<std::string, std::string> texts;
  std::map<std::string, std::vector<std::string>> memoLines;  ///< first line first
  FakeView& view;

  explicit FakeComponents(FakeView& v) : view(v) {
    const char* captions[] = {"PORTAVEX", "PORTAVEX UART->ESC", "PORTAVEX CAN", "PORTAVEX CAN->ESC", "PORTAVEX 调参"};
    for (int m = 1; m <= 5; ++m) texts["PORTAVEX" + std::to_string(m)] = captions[m - 1];
    for (int n = 1; n <= 8; ++n)
      for (const char* family : {"cbChannel", "rbChannel"}) texts[ChannelComponent(family, n)] = "channel " + std::to_string(n);
  }

  static std::string GroupOf(const std::string& name) {
    for (const char* group : {"PORTAVEX", "rbChannel", "rbC"})
      if (name.rfind(group, 0) == 0) return group;
    return {};
  }
  void SetEnabled(const std::string& name, bool on) override { enabled[name] = on; }
  void SetVisible(const std::string& name, bool on) override { visible[name] = on; }
  bool Checked(const std::string& name) override { return checked.count(name) && checked[name]; }
  void SetChecked(const std::string& name, bool on) override {
    std::string group = GroupOf(name);
    if (on && !group.empty())
      for (auto& [other, state] : checked)
        if (GroupOf(other) == group) state = false;
    checked[name] = on;
    if (group == "PORTAVEX") view.linkMode = on ? name.back() - '0' : 0;
  }
  std::string Text(const std::string& name) override { return texts[name]; }
  void SetText(const std::string& name, const std::string& text) override { texts[name] = text; }
  void InsertFirstLine(const std::string& name, const std::string& line) override {
    auto& lines = memoLines[name];
    lines.insert(lines.begin(), line);
  }
  std::string FirstLine(const std::string& memo) { return memoLines[memo].empty() ? "" : memoLines[memo].front(); }
};

/// The link-adapter handlers and the channel page on a simulated link adapter
/// (0483:5720 with 49-byte reports unless told otherwise).
struct LinkAdapterRig : LinkRig {
  explicit LinkAdapterRig(int inputReportLength = 49,
                          std::shared_ptr<hid::SimLinkAdapter> adapter = std::make_shared<hid::SimLinkAdapter>())
      : sim(std::move(adapter)) {
    hid.Plug({kPath, 0x0483, 0x5720, u"FS PORTAVEX", inputReportLength, 49, "1-1"}, sim);
    link.SelectAdapter(hid.Enumerate().back());
  }

  /// Announces link mode `m` to the adapter as identification does (command 21).
  void AnnounceMode() {
    static const std::uint8_t kArgument[] = {0, 1, 2, 2, 2, 3};
    if (link.SendLinkCommand(21, kArgument[view.linkMode]) != 0) link.WaitAckShort(21);
  }
  hid::SimLinkChannel& Channel(int n) { return sim->channels.at(static_cast<std::size_t>(n - 1)); }
  /// The frame of the last 49-byte channel report, cut to its length byte.
  hid::Bytes LastChannelFrame() {
    for (auto it = Written().rbegin(); it != Written().rend(); ++it)
      if (it->size() == 49 && (*it)[0] == 10) return hid::Bytes(it->begin() + 1, it->begin() + 1 + (*it)[48]);
    return {};
  }

  std::shared_ptr<hid::SimLinkAdapter> sim;
  FakeComponents components{view};
  FakeFirmwareView firmware;
  FakeFirmwareShell shell;
  std::vector<std::string> upgradedChannels;  ///< captions handed to the channel update
  /// The channel update; by default it succeeds for every channel.
  std::function<bool(const std::string&)> upgradeChannel = [](const std::string&) { return true; };
  LinkAdapter adapter{link, LinkAdapterServices{components, firmware, shell, [this](const std::string& caption) {
                                                  upgradedChannels.push_back(caption);
                                                  return upgradeChannel(caption);
                                                }}};
  ChannelParameters channels{link, components};
};

}  // namespace device::fakes
