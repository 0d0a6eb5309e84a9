// libFuzzer target: random input reports against ReceiveFrame and ReadBlocks.
// Input: two control bytes, then reports as [length][bytes...]. Each write of
// the host releases the next report; a few are queued before the start. The
// second control byte can make the feeder repair markers and CRCs, so that
// the paths behind the checks (sequencing, storage, data-log decoding) are
// reached as well.
#include <cstddef>
#include <cstdint>

#include "tests/support/DeviceLinkFakes.h"

namespace {

struct FuzzFeeder : hid::ISimDevice {
  hid::SimulatedHid* hid = nullptr;
  const std::uint8_t* data = nullptr;
  std::size_t size = 0;
  bool repair = false;
  device::FrameMarkers markers;

  void Repair(hid::Bytes& report) const {
    if (report.size() < 2) return;
    int d = hid::InputFrameLength(report[0]);
    report.resize(std::max<std::size_t>(report.size(), 1 + d), 0);
    std::uint8_t* frame = report.data() + 1;
    if (frame[0] == 0xFE) {
      std::uint16_t crc = hid::Crc16Modbus(frame, d - 2);
      frame[d - 2] = crc & 0xFF;
      frame[d - 1] = crc >> 8;
      return;
    }
    frame[0] = markers.start;
    frame[d - 1] = markers.end;
    int n = frame[2];
    if (n > 16 || n + 8 > d) return;
    std::uint16_t crc = hid::Crc16Xmodem(frame, n + 5);
    frame[n + 5] = crc & 0xFF;
    frame[n + 6] = crc >> 8;
    frame[n + 7] = markers.end;
  }

  bool QueueNext() {
    if (size == 0) return false;
    std::size_t length = std::min<std::size_t>(data[0], size - 1);
    hid::Bytes report(data + 1, data + 1 + length);
    if (repair) Repair(report);
    data += 1 + length;
    size -= 1 + length;
    hid->QueueInputReport(device::fakes::LinkRig::kPath, std::move(report));
    return true;
  }
  void OnOutputReport(const hid::Bytes&, hid::ISimReplies&) override { QueueNext(); }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 3) return 0;
  std::uint8_t control = data[0], shape = data[1];
  device::fakes::LinkRig rig(0xFFFFF000u);
  auto feeder = std::make_shared<FuzzFeeder>();
  feeder->hid = &rig.hid;
  feeder->data = data + 2;
  feeder->size = size - 2;
  rig.Attach(feeder);

  device::DeviceState& state = rig.link.State();
  state.ProtocolSelector = control & 1;
  state.Connected = (control & 2) != 0;
  state.Busy = true;
  if (control & 4) state.Markers = device::kCardMarkers;
  if (control & 8) rig.hid.Faults(device::fakes::LinkRig::kPath).unplugAfterWrites = control >> 4;
  feeder->repair = (shape & 1) != 0;
  feeder->markers = state.Markers;
  rig.recorder.rows = shape >> 4;
  for (int i = 0; i < 3; ++i) feeder->QueueNext();

  device::InputFrame frame;
  rig.link.ReceiveFrame(frame, 150);
  rig.link.WaitAckShort(17);

  static constexpr std::uint8_t kCommands[] = {7, 9, 14, 9};
  std::uint8_t c = kCommands[(shape >> 1) & 3];
  std::size_t capacity = state.ProtocolSelector != 0 ? 32768 : c == 7 ? 64 : 4096;
  std::vector<std::uint8_t> destination(capacity);
  rig.link.ReadBlocks(c, destination, c == 14);
  return 0;
}
