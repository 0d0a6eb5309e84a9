#include <gtest/gtest.h>

#include "tests/support/LinkAdapterFakes.h"

namespace device {
namespace {

using fakes::LinkAdapterRig;
using Registers = std::array<std::uint8_t, 8>;

// Link mode 5 with channel 2 chosen, its controller holding `registers`.
void PrepareChannel2(LinkAdapterRig& r, const Registers& registers) {
  r.Channel(2) = {true, false, nullptr, registers};
  r.adapter.PORTAVEX5Click();
  r.AnnounceMode();
  r.components.SetChecked("rbChannel2", true);
  r.channels.rbChannelChange();
}

TEST(ChannelParameters, ReadsAndWritesColourAndRotation) {
  LinkAdapterRig r;
  PrepareChannel2(r, {0x00, 0xA4, 0x11, 0x22, 0x33, 0x44, 0x00, 0x01});
  fakes::FakeComponents& ui = r.components;

  r.channels.btnReadClick();
  EXPECT_EQ(r.LastChannelFrame(), (hid::Bytes{0x01, 0x03, 0x00, 0x00, 0x00, 0x04, 0x44, 0x09}));
  EXPECT_EQ(r.sim->SelectionRequests(), std::vector<int>{2});
  EXPECT_TRUE(ui.Checked("cbRed") && ui.Checked("cbBlue"));
  EXPECT_FALSE(ui.Checked("cbGreen"));
  EXPECT_TRUE(ui.Checked("rbCCW"));
  EXPECT_FALSE(ui.Checked("rbCW"));
  EXPECT_TRUE(ui.enabled["btnWrite"]);
  EXPECT_EQ(r.channels.ChannelRegisterBytes(), (std::array<std::uint8_t, 4>{0x11, 0x22, 0x33, 0x44}));
  EXPECT_EQ(ui.FirstLine("sMessage"), "channel 2: Read the success.");

  ui.SetChecked("cbGreen", true);
  ui.SetChecked("rbCW", true);
  r.channels.btnWriteClick();
  EXPECT_EQ(r.LastChannelFrame(), (hid::Bytes{0x01, 0x10, 0x00, 0x00, 0x00, 0x04, 0x08, 0x00, 0xE4, 0x11, 0x22, 0x33,
                                              0x44, 0x00, 0x00, 0xA6, 0x63}));
  const hid::Bytes& report = r.Written().back();
  EXPECT_EQ(report.size(), 49u);
  EXPECT_EQ(report[48], 17);
  EXPECT_EQ(r.Channel(2).registers, (Registers{0x00, 0xE4, 0x11, 0x22, 0x33, 0x44, 0x00, 0x00}));
  EXPECT_EQ(ui.FirstLine("sMessage"), "channel 2: Save success");

  r.Channel(2).registers[7] = 2;
  r.channels.btnReadClick();
  EXPECT_FALSE(ui.Checked("rbCW") || ui.Checked("rbCCW")) << "no known direction";

  r.channels.rbChannelChange();
  EXPECT_FALSE(ui.Checked("cbRed") || ui.Checked("cbGreen") || ui.Checked("cbBlue"));
  EXPECT_TRUE(ui.Checked("rbCW"));
  EXPECT_FALSE(ui.enabled["btnWrite"]) << "a new channel is read before it is written";
  EXPECT_EQ(r.view.debug.back(), "rb change");
}

// Only a 49-byte report from slave 1 with a good CRC is a reply; anything
// else is logged as a failure and leaves the stored register bytes alone.
TEST(ChannelParameters, RepliesThatDoNotCount) {
  struct Case {
    const char* name;
    int inputReportLength;
    std::function<void(hid::SimLinkChannel&)> fault;
    const char* writeMessage;
    std::size_t selections;  ///< after the read
  } cases[] = {
      {"48-byte reports", 48, [](hid::SimLinkChannel&) {}, "Save fail", 1},
      {"50-byte reports", 50, [](hid::SimLinkChannel&) {}, "Save fail", 1},
      {"bad CRC", 49, [](hid::SimLinkChannel& c) { c.corruptReplies = 2; }, "Save fail", 1},
      {"error reply 01 83", 49, [](hid::SimLinkChannel& c) { c.errorReplies = 1; }, "Save success", 1},
      {"channel refuses its selection", 49, [](hid::SimLinkChannel& c) { c.refuses = true; }, "Save fail", 6},
      {"nothing on the channel", 49, [](hid::SimLinkChannel& c) { c.present = false; }, "Save fail", 6},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    LinkAdapterRig r(c.inputReportLength);
    PrepareChannel2(r, {0x00, 0xE0, 0x11, 0x22, 0x33, 0x44, 0x00, 0x01});
    c.fault(r.Channel(2));

    r.channels.btnReadClick();
    EXPECT_EQ(r.components.FirstLine("sMessage"), "channel 2: Error to Read Parameter.");
    EXPECT_EQ(r.channels.ChannelRegisterBytes(), (std::array<std::uint8_t, 4>{}));
    EXPECT_FALSE(r.components.enabled["btnWrite"]);
    EXPECT_FALSE(r.components.Checked("cbRed"));
    EXPECT_EQ(r.sim->SelectionRequests().size(), c.selections);

    r.channels.btnWriteClick();
    EXPECT_EQ(r.components.FirstLine("sMessage"), std::string("channel 2: ") + c.writeMessage);
  }
}

// Every write fails once the adapter is gone: the selection retries end.
TEST(ChannelParameters, AnUnpluggedAdapterEndsTheRetries) {
  LinkAdapterRig r;
  PrepareChannel2(r, {});
  r.hid.Unplug(fakes::LinkRig::kPath);
  r.channels.btnReadClick();
  EXPECT_EQ(r.components.FirstLine("sMessage"), "channel 2: Error to Read Parameter.");
  EXPECT_FALSE(r.channels.WriteChannelReport({0x01, 0x03}));
}

}  // namespace
}  // namespace device
