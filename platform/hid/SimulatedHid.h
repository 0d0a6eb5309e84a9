#pragma once
// The simulated adapter: a HID library whose devices are emulated, so
// everything from the report framing up runs unchanged without hardware.
// Time comes from an ITickClock: with a VirtualClock a read that waits
// advances the clock instead of sleeping; with the steady clock it sleeps.
//
// Each adapter carries one emulated device (ISimDevice). A device sees every
// output report and answers with frames; the adapter wraps each frame in the
// input report whose ID carries that length and queues it, applying the
// faults set for that adapter.
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "platform/hid/HidApi.h"
#include "platform/hid/TickClock.h"

namespace hid {

using Bytes = std::vector<std::uint8_t>;

/// How an emulated device answers.
class ISimReplies {
 public:
  virtual ~ISimReplies() = default;
  /// Queues one frame for the host, `delayMs` after now.
  virtual void Reply(const Bytes& frame, std::uint32_t delayMs = 0) = 0;
};

/// An emulated device behind an adapter (an ESC, a program card, the link
/// adapter, a firmware loader...).
class ISimDevice {
 public:
  virtual ~ISimDevice() = default;
  /// One output report as written: byte 0 the report ID, the frame from byte 1.
  virtual void OnOutputReport(const Bytes& report, ISimReplies& replies) = 0;
};

/// Faults injected on one adapter.
struct SimFaults {
  int dropReplies = 0;          ///< the next k replies are lost
  int corruptReplies = 0;       ///< the next k replies arrive with their next-to-last byte flipped
  int unplugAfterWrites = -1;   ///< the adapter is pulled out at this many further writes
  int failWrites = 0;           ///< the next k writes fail (-1) without reaching the device
  std::uint32_t replyDelayMs = 0;  ///< every reply arrives this much later
  bool denyOpen = false;        ///< OpenPath fails as a node without access rights does
};

class SimulatedHid final : public IHidApi {
 public:
  explicit SimulatedHid(ITickClock& clock);
  ~SimulatedHid() override;

  /// Plugs in an adapter with its device.
  void Plug(DeviceInfo info, std::shared_ptr<ISimDevice> device);
  /// Pulls an adapter out: it leaves the enumeration, reads on open handles
  /// throw EDeviceRemoved and writes fail.
  void Unplug(const std::string& path);
  /// Plugs a pulled-out adapter back in, its device as it was and its unplug
  /// fault cleared.
  void Replug(const std::string& path);
  /// Sets what is called, on the thread that plugged or pulled, after each
  /// plug, pull-out (also by the unplug fault) and replug; an empty function
  /// stops the calls. Safe against a call in progress on another thread.
  void SetOnPlugChange(std::function<void()> handler);

  /// The faults of a plugged adapter (path must be plugged).
  SimFaults& Faults(const std::string& path);
  /// Every output report written to an adapter, as passed to WriteTo.
  const std::vector<Bytes>& Written(const std::string& path) const;
  /// Queues a raw input report (byte 0 = report ID) for the host.
  void QueueInputReport(const std::string& path, Bytes report, std::uint32_t delayMs = 0);
  /// Number of library calls made so far (any entry point).
  int CallCount() const { return calls_; }

  int Init() override;
  int Exit() override;
  std::vector<DeviceInfo> Enumerate() override;
  Device* OpenPath(const std::string& path) override;
  OpenFailure LastOpenFailure() const override { return lastFailure_; }
  void Close(Device* device) override;
  int ReadTimeout(Device* device, std::uint8_t* buffer, std::size_t length, int timeoutMs) override;
  int WriteTo(Device* device, const std::uint8_t* report, std::size_t length, int timeoutMs) override;

 private:
  struct Pending {
    std::uint32_t due;
    Bytes report;
  };
  struct Adapter;
  struct Handle;
  class ReplyQueue;

  Adapter* Find(const std::string& path) const;
  void Deliver(Adapter& adapter, const Bytes& frame, std::uint32_t delayMs);
  void PlugChanged();

  ITickClock& clock_;
  std::vector<std::unique_ptr<Adapter>> adapters_;
  int calls_ = 0;
  OpenFailure lastFailure_;
  std::mutex plugChangeMutex_;  // guards onPlugChange_
  std::function<void()> onPlugChange_;
};

}  // namespace hid
