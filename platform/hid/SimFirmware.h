#pragma once
// Emulated firmware loaders for the simulated adapter. Each wraps an
// emulated device that answers everything but the firmware transfer (the
// handshake above all) and records the firmware bytes it receives.
#include <cstdint>
#include <string>

#include "platform/hid/SimDevices.h"
#include "platform/hid/TickClock.h"

namespace hid {

/// Sample firmware images name their version as a real image carries its
/// version string: the text in their first 16 bytes, NUL-padded. Writes
/// `version` (at most 15 characters) there.
void NameSimFirmwareVersion(Bytes& image, const std::string& version);
/// The version an image names; empty when its first 16 bytes are not a
/// printable text followed by NULs.
std::string SimFirmwareVersion(const Bytes& image);

/// A classic-protocol device taking firmware as data frames (S, c, n, idx,
/// n bytes, CRC, E; each answered with ack(2)): part A with command 12, then
/// a loader restart during which it answers nothing for `restartMs`, then
/// part B with command 4. A frame of fewer than 16 bytes ends a part; once
/// both are complete, the device reports the version part A names (if any)
/// as its firmware.
class SimClassicFirmware final : public ISimDevice {
 public:
  explicit SimClassicFirmware(ITickClock& clock) : clock_(clock) {}

  SimClassicDevice device;         ///< answers everything else
  std::uint32_t restartMs = 1200;  ///< silence after part A
  Bytes partA, partB;              ///< bytes received so far
  bool partAComplete = false, partBComplete = false;
  int restarts = 0;

  void OnOutputReport(const Bytes& report, ISimReplies& replies) override;

 private:
  ITickClock& clock_;
  std::uint32_t restartEnds_ = 0;
  bool restarting_ = false;
};

/// A register-protocol device taking a firmware image: start (06 at 0x2AF8),
/// per 1024-byte block an announce (0x41), the data frame (0x42) in pieces,
/// a commit (0x41, answered with `commitStatus` at byte 9), then the end
/// frame (0x10 at 0x2AF9).
class SimRegisterFirmware final : public ISimDevice {
 public:
  SimRegisterDevice device;        ///< answers everything else
  std::uint8_t commitStatus = 10;  ///< 10 accepted, 11 or 14 restart requested
  Bytes image;                     ///< blocks received and committed
  bool started = false, ended = false;

  void OnOutputReport(const Bytes& report, ISimReplies& replies) override;

 private:
  void TakePiece(const Bytes& report, ISimReplies& replies);
  Bytes block_;                    ///< the data frame being reassembled
  std::size_t expected_ = 0;       ///< its full length while pieces arrive
};

}  // namespace hid
