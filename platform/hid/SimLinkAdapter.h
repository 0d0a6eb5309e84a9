#pragma once
// The emulated link adapter: a bus adapter with eight channels, each of which
// may carry a speed controller. The host sets its mode with link command 21,
// polls the channels with command 17 (a status frame whose bytes 5..12 flag
// the answering channels) and selects a channel with command 18 (ack(2)).
// After a selection, frames with the channel markers of the mode (A6/6A in
// mode 3, the CAN mode; A5/5A otherwise) go to the selected channel's
// controller unchanged. In mode 5 the channel's Modbus registers 0..3 are
// read and written through 49-byte reports (ID 10, the frame from byte 1,
// its length at byte 48), answered the same way. Command 21 for another
// mode drops the selection; repeated for the mode in use it keeps it.
#include <array>
#include <cstdint>
#include <memory>

#include "platform/hid/SimDevices.h"
#include "platform/hid/TickClock.h"

namespace hid {

/// One channel of the link adapter.
struct SimLinkChannel {
  bool present = false;                     ///< answers the channel scan and can be selected
  bool refuses = false;                     ///< present, but never acknowledges its selection
  std::shared_ptr<ISimDevice> esc;          ///< receives the routed frames; null: nothing routed
  std::array<std::uint8_t, 8> registers{};  ///< Modbus registers 0..3 as bytes d0..d7
  int corruptReplies = 0;                   ///< the next k Modbus replies carry a broken CRC
  int errorReplies = 0;                     ///< the next k Modbus reads are answered 01 83
};

class SimLinkAdapter final : public ISimDevice {
 public:
  SimLinkAdapter();

  std::array<SimLinkChannel, 8> channels;  ///< channel n is channels[n - 1]
  /// The adapter's own device behind the link markers A8/8A (handshake,
  /// information block).
  SimClassicDevice own;

  /// 0 until the first command 21, then the link mode 1..5.
  int Mode() const { return mode_; }
  /// The selected channel 1..8, 0 when none is.
  int SelectedChannel() const { return selected_; }
  /// Every channel number command 18 asked for, in order.
  const std::vector<int>& SelectionRequests() const { return requests_; }

  void OnOutputReport(const Bytes& report, ISimReplies& replies) override;

 private:
  void OnLinkCommand(std::uint8_t start, std::uint8_t end, const std::uint8_t* frame, ISimReplies& replies);
  void OnChannelModbus(const Bytes& report, ISimReplies& replies);
  bool OwnFrame(std::uint8_t start) const;
  std::uint8_t ChannelStart() const { return mode_ == 3 ? 0xA6 : 0xA5; }

  int mode_ = 0;
  int selected_ = 0;
  std::vector<int> requests_;
};

/// A link adapter for end-to-end runs. It identifies as a "QV_PORTAVEX"
/// controller; channels 1 and 3 carry classic "CAR_ESC" controllers that
/// speak the channel markers of the adapter's mode, behind firmware loaders
/// whose restart silence runs on `clock`; channel 2 answers the scan but
/// refuses its selection; channels 1 and 3 hold channel registers.
std::shared_ptr<SimLinkAdapter> MakeSimLinkAdapter(ITickClock& clock);

}  // namespace hid
