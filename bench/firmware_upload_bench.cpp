// A 32 KB firmware upload (part A 30 KB, part B 2 KB) from a settings
// database to the simulated classic device on the real clock, set against
// the waits the upload itself mandates when the device answers every frame
// at once and its loader restarts at once: the 50 ms pass delay, the 100 ms
// pause before the handshake after the restart, and per part the 50 ms
// settle, the 10 x 150 ms drain of a stale reply and the 300 ms tail.
// "ratio" is measured / mandated.
#include <benchmark/benchmark.h>

#include <chrono>

#include "bench/RealClockLink.h"
#include "device/FirmwareUpgrade.h"
#include "device/SettingsCatalogue.h"
#include "platform/hid/SimFirmware.h"
#include "tests/support/FirmwareFakes.h"
#include "tools/mkfwdb/SettingsDatabaseMaker.h"

namespace {

using namespace device;

constexpr double kMandatedMs = 50.0 + 100.0 + 2 * (50.0 + 10 * 150.0 + 300.0);

void BM_ClassicFirmwareUpload32K(benchmark::State& bench) {
  fakes::TempFolder folder;
  {
    fwdb::SettingsDatabaseMaker db(folder.File("BENCH00001_settings.db3"));
    int hardware = db.AddController("VALTORINE_456_A", db.AddSplash("CAR_ESC"));
    db.AddSoftware("V1.0", hardware,
                   fwdb::MakePackage(fwdb::SampleFirmware(30720, "a"), fwdb::SampleFirmware(2048, "b"), "V1.0"));
  }
  rig::RealClockLink rig;
  auto esc = std::make_shared<hid::SimClassicFirmware>(rig.clock);
  esc->restartMs = 0;
  rig.Attach(esc);
  fakes::FakeFirmwareView firmware;
  fakes::FakeFirmwareShell shell;
  fakes::FakeIdentity identity;
  shell.programFolder = folder.path.string();
  DeviceLink& link = rig.link;
  SettingsCatalogue catalogue(link.State(), {rig.pump, rig.texts, rig.view, firmware, shell});
  UpgradeProgress upgradeProgress;
  FirmwareUpgrade upgrade(link, catalogue, upgradeProgress,
                          {rig.clock, rig.pump, rig.texts, rig.messages, rig.progress, firmware, shell, identity});
  link.State().DeviceInfoStrings = {"CAR_ESC", "VALTORINE_456_A", "V0.9", ""};
  catalogue.SelectSettingsDatabase();
  double totalMs = 0;
  for (auto _ : bench) {
    link.State().Connected = link.State().Busy = true;
    auto start = std::chrono::steady_clock::now();
    if (!upgrade.UpgradeFirmware("V1.0", "0").empty() || esc->partA.size() + esc->partB.size() != 32768)
      bench.SkipWithError("upload failed");
    totalMs += std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
  }
  bench.counters["mandated_ms"] = kMandatedMs;
  bench.counters["ratio"] = totalMs / bench.iterations() / kMandatedMs;
}
BENCHMARK(BM_ClassicFirmwareUpload32K)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();

}  // namespace
