#pragma once
// The device link of the main form: the adapters (enumeration, chooser,
// hot-plug, reopening), the report framing, the classic and register
// protocols' senders and waits, and the block transfers. TfrmInterface is composed of it; it reaches the rest of the
// program only through LinkServices.
//
// Result conventions: senders return 1 sent, 0 not sent (0 at once when no
// adapter is listed); waits return 0 the expected reply, 1 another reply,
// 2 no reply or no adapter, 3 restart requested; block transfers 1 success
// and 0 failure. Every loop pumps messages and stops when `Busy` or
// `Connected` is cleared under it (an unplug, a job that gave up).
#include <array>
#include <functional>
#include <optional>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "device/DeviceFrames.h"
#include "device/DeviceState.h"
#include "device/LinkServices.h"
#include "platform/hid/HidApi.h"
#include "platform/hid/TickClock.h"

namespace device {

/// One received frame: bytes beyond `length` are zero.
struct InputFrame {
  std::array<std::uint8_t, 64> bytes{};
  int length = 0;
};

class DeviceLink {
 public:
  DeviceLink(hid::IHidApi& api, hid::ITickClock& clock, const LinkServices& services);
  ~DeviceLink();
  DeviceLink(const DeviceLink&) = delete;
  DeviceLink& operator=(const DeviceLink&) = delete;

  DeviceState& State() { return state_; }
  const DeviceState& State() const { return state_; }

  const LinkServices& Services() const { return services_; }
  hid::ITickClock& Clock() { return clock_; }

  // --- adapters and hot-plug -----------------------------------------------
  static constexpr std::size_t kAdapterSlots = 12;
  /// One accepted adapter (path, product, report lengths); slot n belongs to
  /// line n of the adapter list.
  using HidDeviceSlot = hid::DeviceInfo;

  /// Lists `adapter` as the only line of the adapter list, selects it and
  /// opens it (report lengths 0 when opening fails).
  void SelectAdapter(const hid::DeviceInfo& adapter);
  /// Enumerates, lists the accepted adapters (at most 12; slot n belongs to
  /// line n), lets the user choose when there are several (a chooser closed
  /// without a choice selects slot 0) and selects the choice with the poll
  /// timer on. No adapter: unless Upgrading, the library is reset and the
  /// main form returns to its no-device state.
  void HidConnect();
  /// The no-adapter reset, which a running upgrade defers: when no adapter is
  /// listed and Upgrading is clear, resets the library and returns the main
  /// form to its no-device state with the window enabled.
  void ReturnToNoAdapterIfGone();
  /// Probes an open adapter with five handshakes; when the last one fails (or
  /// none is open) closes it, resets the library and runs HidConnect.
  bool HidCtlEnumerate();
  /// Closes and reopens the selected adapter (report lengths 0 when that
  /// fails) and starts the poll timer; nothing when no adapter was accepted.
  void ReopenDevice();
  /// A plugged adapter (or the first activation): reset, enumerate, reopen,
  /// and frame markers from the device-kind menu.
  void HidCtlDeviceArrival();
  /// A removed adapter: list the remaining ones again and reopen the one
  /// selected among them.
  void HidCtlDeviceRemove();

  /// True while the adapter list holds a line.
  bool AdapterListed() const { return !adapterLines_.empty(); }
  /// The adapter list's lines (labels of the accepted adapters).
  const std::vector<std::string>& AdapterLines() const { return adapterLines_; }
  /// The selected adapter; its report lengths are used by every read and write.
  const HidDeviceSlot& SelectedAdapter() const { return selected_; }
  /// True while an adapter handle is open.
  bool AdapterOpen() const { return handle_ != nullptr; }

  /// Returns once `ms` milliseconds have passed, pumping messages meanwhile.
  void Delay(std::uint32_t ms);
  /// The idle state after a link loss: timer off, device forgotten, flags
  /// cleared (Connected and Busy kept while Upgrading), LEDs off, job buttons
  /// and parameters disabled.
  void ResetDeviceState();

  // --- report framing ------------------------------------------------------
  /// Writes the frame as one output report, its report ID taken from its length.
  bool SendFrame(const std::uint8_t* frame, int length);
  bool SendFrame(const Frame& frame) { return SendFrame(frame.data(), static_cast<int>(frame.size())); }
  /// Receives one frame of the current device (classic markers) or a register
  /// reply with a good CRC within about `timeoutMs`. An unplugged adapter runs
  /// the unplug path and returns false.
  bool ReceiveFrame(InputFrame& destination, std::uint32_t timeoutMs);

  // --- raw reports (the link adapter's channel Modbus) ----------------------
  static constexpr std::size_t kMaxReportBytes = 65;
  using Report = std::array<std::uint8_t, kMaxReportBytes>;
  /// Writes `report` (byte 0 = report ID, zero-filled) with the selected
  /// adapter's output report length. False at once when no adapter is open,
  /// else whether the library reported bytes written.
  bool WriteReport(const Report& report);
  /// One read of an input report (the selected adapter's input length) with
  /// `timeoutMs`: the bytes read, 0 at time-out, negative on an error or when
  /// no adapter is open. Throws hid::EDeviceRemoved when the adapter was pulled out.
  int ReadReport(Report& report, int timeoutMs);

  // --- senders: one attempt while not Connected, else up to 10 within 1500 ms
  /// Command c in the protocol `ProtocolSelector` chooses.
  int SendCommand(std::uint8_t c);
  /// Short frame (0..3, 5), mode command (9, 10 but for AIRPLANE models) or command frame.
  int SendClassicCommand(std::uint8_t c);
  /// The register request standing for command c; sets `TransferPhase`.
  int SendRegisterCommand(std::uint8_t c);
  /// Link-adapter command; command 21 always goes with the link markers A8/8A.
  int SendLinkCommand(std::uint8_t c, std::uint8_t arg);

  // --- acknowledgement waits -----------------------------------------------
  /// Up to 10 receives of 150 ms for ack(c); register replies judged by phase.
  int WaitAck(std::uint8_t c);
  /// Up to 10 receives of `timeoutMs` for ack(c) or a block's register reply (3: restart).
  int WaitBlockAck(std::uint8_t c, std::uint32_t timeoutMs);
  /// How long a block write or a firmware commit waits for its acknowledgement.
  static constexpr std::uint32_t kBlockAckMs = 150;
  /// One 15 ms receive for ack(c) or a status frame (which fills `ChannelFlags`).
  int WaitAckShort(std::uint8_t c);
  /// One receive of `timeoutMs` for ack(c) or a status frame; anything else is 1.
  int WaitAckTimeout(std::uint8_t c, std::uint32_t timeoutMs);
  /// Up to 10 receives of 150 ms for the register reply of a 0x17 write at the address.
  int WaitWriteAck(std::uint8_t function, std::uint8_t addressHigh, std::uint8_t addressLow);

  // --- block transfers -----------------------------------------------------
  /// Writes `total` bytes as numbered classic data frames of command c.
  int WriteClassicBlocks(std::uint8_t c, const std::uint8_t* data, std::uint32_t tailMs, int total);
  /// Writes `total` bytes to the register write window in chunks of 32.
  int WriteRegisterBlocks(const std::uint8_t* data, std::uint32_t tailMs, int total);
  /// The job error for a register firmware image that cannot be programmed
  /// (odd length, or shorter than the 16 bytes of the end frame): "Program
  /// Error."; empty when the image is fine. Checked before any upload.
  static std::string RegisterImageError(std::size_t length);
  /// Programs a register device's firmware image in 1024-byte blocks. Returns
  /// 2 on success, 1 when the device asked for a restart, 0 on failure (also
  /// at once, without sending, for an image RegisterImageError refuses).
  int ProgramRegisterDevice(const std::uint8_t* image, std::uint32_t tailMs, std::size_t length);
  /// Reads the block of command 7, 9 or 14 into `destination` (bounded by its
  /// size); runs only while Busy is set. `waitAck2` (command 14) first waits
  /// for the device's ack(2). Command 14 decodes the data log into the grids.
  int ReadBlocks(std::uint8_t c, std::span<std::uint8_t> destination, bool waitAck2);

 private:
  enum class ReadEnd { Continue, Restart, Done, Failed, Stopped };
  struct ReadProgress;

  std::uint32_t Tick() { return clock_.GetTickCount(); }
  void PauseUntil(std::uint32_t since, std::uint32_t ms);
  void OpenSelectedAdapter();
  void UnplugPath();
  void ReturnToNoAdapter(bool hideScanButton);
  void ResetLibrary();
  int SendWithRetries(const Frame& frame);
  std::uint8_t ModeByte();
  bool IsAirplaneModel() const;
  bool IsAck(const InputFrame& frame, std::uint8_t c) const;
  bool TakeStatusFrame(const InputFrame& frame, std::uint8_t c);
  int JudgeHandshakeReply(const InputFrame& reply);
  int JudgeRegisterAck(std::uint8_t c, const InputFrame& reply, std::uint32_t attemptStart);
  int JudgeRegisterBlockAck(const InputFrame& reply) const;
  template <typename Judge>
  int WaitAttempts(int attempts, std::uint32_t timeoutMs, Judge judge);

  enum class ChunkResult { NotSent, Acknowledged, NotAcknowledged, Finished };
  /// Sends chunk `chunk` of `n` bytes (attempt `attempt`) and waits for it.
  using ChunkStep = std::function<ChunkResult(int chunk, int n, int attempt)>;
  void AddProgress(int step);
  void BeginTransfer();
  int RunChunks(int chunkSize, int total, std::uint32_t tailMs, const ChunkStep& step);
  int GuardedTransfer(const std::function<int()>& transfer);
  bool NextAttemptAllowed(int attempts, std::uint32_t& attemptStart);
  int ProgramBlocks(const std::uint8_t* image, std::size_t length, int& attempts);
  bool SendBlockPieces(const Frame& data, int& attempts);
  ReadEnd ReadFrames(std::uint8_t c, std::span<std::uint8_t> destination, ReadProgress& progress);
  ReadEnd TakeClassicFrame(std::uint8_t c, const InputFrame& frame, std::span<std::uint8_t> destination,
                           ReadProgress& progress);
  ReadEnd TakeRegisterReply(std::uint8_t c, const InputFrame& frame, std::span<std::uint8_t> destination,
                            ReadProgress& progress);
  void DecodeDataLog(const std::uint8_t* window, int count);

  hid::IHidApi& api_;
  hid::ITickClock& clock_;
  LinkServices services_;
  DeviceState state_;
  std::vector<std::string> adapterLines_;
  std::array<HidDeviceSlot, kAdapterSlots> slots_;
  std::optional<std::vector<HidDeviceSlot>> accepted_;  // created by every arrival
  HidDeviceSlot selected_;
  hid::Device* handle_ = nullptr;
  bool deniedShown_ = false;  // the user was told this arrival's adapter may not be opened
};

}  // namespace device
