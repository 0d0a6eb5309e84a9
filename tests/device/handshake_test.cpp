// Handshake, mode select and factory defaults against both emulated devices.
#include <gtest/gtest.h>

#include "tests/support/DeviceLinkFakes.h"

namespace device {
namespace {

TEST(ClassicDevice, HandshakeModeSelectAndDefaults) {
  fakes::LinkRig rig;
  auto esc = rig.AttachClassic();
  esc->settings.assign(64, 0x11);
  esc->defaults.assign(64, 0x22);
  rig.editor.modeIndex = 1;
  EXPECT_EQ(rig.link.SendCommand(0), 1);
  EXPECT_EQ(rig.link.WaitAck(1), 0);
  EXPECT_EQ(rig.link.SendCommand(15), 1);
  EXPECT_EQ(rig.link.WaitAck(15), 0);
  EXPECT_EQ(rig.link.SendCommand(10), 1);
  EXPECT_EQ(rig.link.WaitAck(2), 0);
  EXPECT_EQ(esc->lastModeByte, 1);
  EXPECT_EQ(esc->settings, esc->defaults);
  EXPECT_EQ(rig.link.State().ProtocolSelector, 1);
}

TEST(RegisterDevice, HandshakeSwitchesProtocolAndDefaultsAreAcknowledged) {
  fakes::LinkRig rig;
  auto esc = rig.Attach(std::make_shared<hid::SimRegisterDevice>());
  esc->settings.assign(4096, 0x33);
  // A classic handshake goes unanswered; the register one is answered.
  EXPECT_EQ(rig.link.SendCommand(0), 1);
  EXPECT_EQ(rig.link.WaitAckShort(1), 2);
  rig.link.State().ProtocolSelector = 0;
  EXPECT_EQ(rig.link.SendCommand(0), 1);
  EXPECT_EQ(rig.link.WaitAckShort(1), 0);
  rig.editor.modeIndex = 2;
  EXPECT_EQ(rig.link.SendCommand(15), 1);
  EXPECT_EQ(esc->lastModeValue, 0x0200);
  rig.link.WaitAckShort(15);
  EXPECT_EQ(rig.link.SendCommand(10), 1);
  EXPECT_EQ(rig.link.WaitAck(2), 0);
  EXPECT_EQ(esc->settings, esc->defaults);
}

}  // namespace
}  // namespace device
