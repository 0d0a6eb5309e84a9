#include "platform/hid/SimulatedHid.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "platform/hid/HidReportMap.h"

namespace hid {

struct SimulatedHid::Adapter {
  DeviceInfo info;
  std::shared_ptr<ISimDevice> device;
  SimFaults faults;
  std::deque<Pending> pending;
  std::vector<Bytes> written;
  bool plugged = true;
};

struct SimulatedHid::Handle final : Device {
  explicit Handle(Adapter* a) : adapter(a) {}
  Adapter* adapter;
};

class SimulatedHid::ReplyQueue final : public ISimReplies {
 public:
  ReplyQueue(SimulatedHid& hid, Adapter& adapter) : hid_(hid), adapter_(adapter) {}
  void Reply(const Bytes& frame, std::uint32_t delayMs) override { hid_.Deliver(adapter_, frame, delayMs); }

 private:
  SimulatedHid& hid_;
  Adapter& adapter_;
};

namespace {

// The report a device uses for a frame: the ID of exactly that length, else
// the smallest report that holds it, zero-padded.
Bytes WrapFrame(const Bytes& frame) {
  std::uint8_t id = InputReportIdFor(static_cast<int>(frame.size()));
  if (id == 0) id = frame.size() <= 48 ? 9 : 255;
  Bytes report(1 + std::max<std::size_t>(frame.size(), InputFrameLength(id)), 0);
  report[0] = id;
  std::copy(frame.begin(), frame.end(), report.begin() + 1);
  return report;
}

}  // namespace

SimulatedHid::SimulatedHid(ITickClock& clock) : clock_(clock) {}
SimulatedHid::~SimulatedHid() = default;

void SimulatedHid::Plug(DeviceInfo info, std::shared_ptr<ISimDevice> device) {
  auto adapter = std::make_unique<Adapter>();
  adapter->info = std::move(info);
  adapter->device = std::move(device);
  adapters_.push_back(std::move(adapter));
  PlugChanged();
}

void SimulatedHid::Unplug(const std::string& path) {
  if (Adapter* adapter = Find(path)) {
    adapter->plugged = false;
    adapter->pending.clear();
    PlugChanged();
  }
}

void SimulatedHid::Replug(const std::string& path) {
  if (Adapter* adapter = Find(path)) {
    adapter->plugged = true;
    adapter->faults.unplugAfterWrites = -1;
    PlugChanged();
  }
}

void SimulatedHid::SetOnPlugChange(std::function<void()> handler) {
  std::lock_guard lock(plugChangeMutex_);
  onPlugChange_ = std::move(handler);
}

void SimulatedHid::PlugChanged() {
  std::lock_guard lock(plugChangeMutex_);
  if (onPlugChange_) onPlugChange_();
}

SimulatedHid::Adapter* SimulatedHid::Find(const std::string& path) const {
  for (auto it = adapters_.rbegin(); it != adapters_.rend(); ++it)
    if ((*it)->info.path == path) return it->get();
  return nullptr;
}

SimFaults& SimulatedHid::Faults(const std::string& path) { return Find(path)->faults; }

const std::vector<Bytes>& SimulatedHid::Written(const std::string& path) const { return Find(path)->written; }

void SimulatedHid::QueueInputReport(const std::string& path, Bytes report, std::uint32_t delayMs) {
  Find(path)->pending.push_back({clock_.GetTickCount() + delayMs, std::move(report)});
}

void SimulatedHid::Deliver(Adapter& adapter, const Bytes& frame, std::uint32_t delayMs) {
  SimFaults& faults = adapter.faults;
  if (faults.dropReplies > 0) {
    --faults.dropReplies;
    return;
  }
  Bytes report = WrapFrame(frame);
  if (faults.corruptReplies > 0 && frame.size() >= 2) {
    --faults.corruptReplies;
    report[frame.size() - 1] ^= 0xFF;  // next-to-last frame byte
  }
  adapter.pending.push_back({clock_.GetTickCount() + delayMs + faults.replyDelayMs, std::move(report)});
}

int SimulatedHid::Init() { return ++calls_, 0; }
int SimulatedHid::Exit() { return ++calls_, 0; }

std::vector<DeviceInfo> SimulatedHid::Enumerate() {
  ++calls_;
  std::vector<DeviceInfo> devices;
  for (const auto& adapter : adapters_)
    if (adapter->plugged) devices.push_back(adapter->info);
  return devices;
}

Device* SimulatedHid::OpenPath(const std::string& path) {
  ++calls_;
  Adapter* adapter = Find(path);
  if (!adapter || !adapter->plugged) {
    lastFailure_ = OpenFailure::Of(path, ENODEV);
    return nullptr;
  }
  if (adapter->faults.denyOpen) {
    lastFailure_ = OpenFailure::Of(path, EACCES);
    return nullptr;
  }
  lastFailure_ = {};
  return new Handle(adapter);
}

void SimulatedHid::Close(Device* device) {
  ++calls_;
  delete device;
}

int SimulatedHid::ReadTimeout(Device* device, std::uint8_t* buffer, std::size_t length, int timeoutMs) {
  ++calls_;
  if (!device) return -1;
  Adapter& adapter = *static_cast<Handle*>(device)->adapter;
  if (!adapter.plugged) throw EDeviceRemoved("HID device removed");
  std::uint32_t now = clock_.GetTickCount();
  std::uint32_t wait = static_cast<std::uint32_t>(std::max(timeoutMs, 0));
  auto next = std::min_element(adapter.pending.begin(), adapter.pending.end(),
                               [now](const Pending& a, const Pending& b) {
                                 return std::int32_t(a.due - now) < std::int32_t(b.due - now);
                               });
  bool ready = next != adapter.pending.end() &&
               (static_cast<std::int32_t>(next->due - now) <= 0 || next->due - now <= wait);
  if (!ready) {
    clock_.SleepFor(wait);
    return 0;
  }
  if (static_cast<std::int32_t>(next->due - now) > 0) clock_.SleepFor(next->due - now);
  std::memset(buffer, 0, length);
  std::copy_n(next->report.begin(), std::min(length, next->report.size()), buffer);
  adapter.pending.erase(next);
  return static_cast<int>(length);
}

int SimulatedHid::WriteTo(Device* device, const std::uint8_t* report, std::size_t length, int /*timeoutMs*/) {
  ++calls_;
  if (!device) return -1;
  Adapter& adapter = *static_cast<Handle*>(device)->adapter;
  if (!adapter.plugged || length == 0) return -1;
  SimFaults& faults = adapter.faults;
  if (faults.unplugAfterWrites == 0) {
    Unplug(adapter.info.path);
    return -1;
  }
  if (faults.unplugAfterWrites > 0) --faults.unplugAfterWrites;
  if (faults.failWrites > 0) {
    --faults.failWrites;
    return -1;
  }
  adapter.written.emplace_back(report, report + length);
  ReplyQueue replies(*this, adapter);
  adapter.device->OnOutputReport(adapter.written.back(), replies);
  return static_cast<int>(length);
}

}  // namespace hid
