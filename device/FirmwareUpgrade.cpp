#include "device/FirmwareUpgrade.h"

#include "device/FirmwareCrypto.h"
#include "device/SettingsCatalogue.h"
#include "device/SqliteDb.h"

namespace device {
namespace {

constexpr std::uint32_t kHandshakeWindowMs = 5000;
constexpr std::uint32_t kHandshakePauseMs = 100;
constexpr std::uint32_t kUploadPassMs = 50;
constexpr std::uint32_t kTailMs = 300;
constexpr int kUploadAttempts = 20;
constexpr int kPartBAttempts = 10;

// Clears Upgrading and the progress box on every way out, exceptions included.
class UpgradeScope {
 public:
  UpgradeScope(DeviceState& state, IFirmwareShell& shell) : state_(state), shell_(shell) { state_.Upgrading = true; }
  ~UpgradeScope() {
    state_.Upgrading = false;
    shell_.FreeProgressBox();
  }
  UpgradeScope(const UpgradeScope&) = delete;
  UpgradeScope& operator=(const UpgradeScope&) = delete;

 private:
  DeviceState& state_;
  IFirmwareShell& shell_;
};

}  // namespace

FirmwareUpgrade::FirmwareUpgrade(DeviceLink& link, const SettingsCatalogue& catalogue, UpgradeProgress& progress,
                                 const UpgradeServices& services)
    : link_(link), catalogue_(catalogue), progress_(progress), services_(services) {}

bool FirmwareUpgrade::HandshakeAnswered() { return link_.SendCommand(0) != 0 && link_.WaitAckShort(1) == 0; }

// Handshakes until one is answered or the window has passed, with a pause
// before (`pauseFirst`) or after each attempt.
void FirmwareUpgrade::AwaitHandshake(bool pauseFirst) {
  hid::ITickClock& clock = services_.clock;
  std::uint32_t start = clock.GetTickCount();
  while (clock.GetTickCount() - start < kHandshakeWindowMs) {
    services_.pump.ProcessMessages();
    if (pauseFirst) link_.Delay(kHandshakePauseMs);
    if (HandshakeAnswered()) return;
    if (!pauseFirst) link_.Delay(kHandshakePauseMs);
  }
}

std::string FirmwareUpgrade::ReadPackage(const std::string& version, const std::string& title, Bytes& package) {
  const auto& info = link_.State().DeviceInfoStrings;
  SqliteDb db;
  if (!db.Open(catalogue_.ActiveDatabasePath())) return "Open Database Fail.";
  SqliteStatement query;
  if (!query.Prepare(db, sql::kFirmwarePackage)) return "SQL parse Error.";
  query.BindText(1, info[kHardware]);
  query.BindText(2, info[kController]);
  query.BindText(3, version);
  int step = query.Step();
  if (step == kSqliteDone) return "Program not found.";
  if (step != kSqliteRow) return "Execute Query Fail.";
  std::string stored = query.ColumnText(0);
  Bytes blob = query.ColumnBlob(1);
  query.Finalize();

  progress_.ResultMessageKey = "upgrade_drive";
  std::string line = services_.texts.LangText("upgrade_drive", "upgrade_drive") + "(Version " +
                     WithoutFinalA(stored) + ")...";
  services_.messages.ShowInfo(title != "0" ? title + ": " + line : line, IMessageSink::kStatusLine);

  package.assign(blob.size(), 0);
  DecryptPackage(std::to_string(blob.size()) + stored, blob.data(), blob.size(), package.data());
  return {};
}

std::string FirmwareUpgrade::Prepare(const std::string& version, const std::string& title, FirmwareImage& image) {
  const auto& info = link_.State().DeviceInfoStrings;
  if (!services_.firmware.LinkLedOn() || info[kController].empty() || info[kHardware].empty()) return "USB Error";
  bool xorModel = IsXorModel(info[kController], info[kHardware]);
  AwaitHandshake(false);
  if (!services_.identity.ReadDeviceInfo(false).empty()) return "ESC Error.";
  Bytes package;
  if (std::string message = ReadPackage(version, title, package); !message.empty()) return message;
  if (std::string message = UnpackFirmware(package, [this] { services_.pump.ProcessMessages(); }, image);
      !message.empty())
    return message;
  if (xorModel) {
    XorMask mask = MakeXorMask(services_.identity.DeviceData());
    ApplyXorMask(image.partA, mask);
    ApplyXorMask(image.partB, mask);
  }
  // A register image is programmed in 16-bit words: refuse it before any byte goes out.
  if (link_.State().ProtocolSelector == 0)
    return DeviceLink::RegisterImageError(image.partA.size() + image.partB.size());
  return {};
}

std::string FirmwareUpgrade::UploadPartB(const FirmwareImage& image) {
  DeviceState& state = link_.State();
  for (int attempt = 0;;) {
    services_.pump.ProcessMessages();
    if (attempt >= kPartBAttempts || !state.Connected || !state.Busy) return "Max Fail Error.";
    if (link_.SendCommand(0) == 0) return "Connect Error.";
    if (link_.WaitAck(1) != 0) {
      ++attempt;
      continue;
    }
    if (link_.WriteClassicBlocks(4, image.partB.data(), kTailMs, static_cast<int>(image.partB.size()))) return {};
    // A writer that gave up has cleared Connected: the next pass ends.
  }
}

std::string FirmwareUpgrade::UploadClassic(const FirmwareImage& image) {
  if (!link_.WriteClassicBlocks(12, image.partA.data(), kTailMs, static_cast<int>(image.partA.size())))
    return "Communicate Error.";
  // The device restarts into its loader before it takes part B.
  AwaitHandshake(true);
  return UploadPartB(image);
}

std::string FirmwareUpgrade::Upload(const FirmwareImage& image) {
  DeviceState& state = link_.State();
  std::string message = "Connect Error.";  // a link already lost is never a success
  for (int attempt = 0;;) {
    services_.pump.ProcessMessages();
    link_.Delay(kUploadPassMs);
    if (attempt >= kUploadAttempts || !state.Connected || !state.Busy) return message;
    if (link_.SendCommand(0) == 0) return "Connect Error.";
    if (link_.WaitAck(1) != 0) {
      message = "Return Error.";
      ++attempt;
      continue;
    }
    if (state.ProtocolSelector != 0) return UploadClassic(image);
    Bytes whole = image.partA;
    whole.insert(whole.end(), image.partB.begin(), image.partB.end());
    switch (link_.ProgramRegisterDevice(whole.data(), kTailMs, whole.size())) {
      case 2: return {};
      case 1: message = "Program Error. Please restart the ESC."; break;
      default: message = "Program Error."; break;
    }
  }
}

// An adapter that left during the upgrade and never came back gets the
// no-adapter reset the upgrade deferred, once Upgrading is clear.
std::string FirmwareUpgrade::UpgradeFirmware(const std::string& version, const std::string& title) {
  std::string message;
  try {
    message = UpgradeWhileFlagged(version, title);
  } catch (...) {
    link_.ReturnToNoAdapterIfGone();
    throw;
  }
  link_.ReturnToNoAdapterIfGone();
  return message;
}

std::string FirmwareUpgrade::UpgradeWhileFlagged(const std::string& version, const std::string& title) {
  UpgradeScope scope(link_.State(), services_.shell);
  FirmwareImage image;
  if (std::string message = Prepare(version, title, image); !message.empty()) return message;
  services_.shell.FreeProgressBox();
  services_.shell.CreateProgressBox(services_.texts.LangText("Process", "处理中，请稍候..."),
                                    static_cast<int>(image.partA.size() + image.partB.size()));
  return Upload(image);
}

}  // namespace device
