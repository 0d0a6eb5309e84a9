#include "app/UpdateCheck.h"

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <vector>
#include <system_error>

#include "app/Restart.h"
#include "app/TextFiles.h"
#include "app/UpdateForm.h"
#include "params/TextFunctions.h"
#include "platform/net/WebHost.h"
#include "platform/rtl/DebugOutput.h"

namespace app {
namespace {

constexpr int kTimeoutMs = 3000;

// Reads the offer into `state`; false when any step fails.
bool FetchOffer(net::THttpClient& http, UpdateState& state, UpdateTarget target, IMainWindowServices& services) {
  const std::string local = services.ProgramFolder() + "_control.tmp";
  std::error_code ignored;
  std::filesystem::remove(local, ignored);
  try {
    WriteTextFile(local, http.Get(state.VersionFileUrl));
    ReadOfferedVersion(state, local, target, services.CurrentLanguage() == Language::Chinese);
    return true;
  } catch (const std::exception& e) {
    rtl::OutputDebugString(std::string("update: no offer: ") + e.what());
    return false;
  }
}

std::string ReleaseNotes(net::THttpClient& http, const std::string& url) {
  if (url.empty()) return {};
  try {
    return http.Get(url);
  } catch (const std::exception&) {
    return {};
  }
}

// The size each package announces, nothing when there are none or one
// does not tell its size.
std::optional<std::vector<std::int64_t>> PackageSizes(net::THttpClient& http, const std::string& urls) {
  std::vector<std::int64_t> sizes;
  const std::vector<std::string> parts = params::SplitString("|", urls);
  if (parts.empty()) return std::nullopt;
  for (const std::string& url : parts) {
    try {
      const std::optional<std::int64_t> size = http.Head(url).ContentLength();
      if (!size) return std::nullopt;
      sizes.push_back(*size);
    } catch (const std::exception&) {
      return std::nullopt;
    }
  }
  return sizes;
}

using TUpdateForm = std::unique_ptr<TfrmUpdate, void (*)(TfrmUpdate*)>;

TUpdateForm NewUpdateForm(IMainWindowServices& services) {
  return TUpdateForm(new TfrmUpdate(services.DialogOwner(), services), [](TfrmUpdate* form) { form->Free(); });
}

void ShowOffer(net::THttpClient& http, const UpdateState& state, UpdateTarget target,
               IMainWindowServices& services) {
  const bool database = target == UpdateTarget::Database;
  const std::string notes = ReleaseNotes(http, state.ReadmeUrl);
  TUpdateForm form = NewUpdateForm(services);
  form->PrepareOffer(database, notes, state.PackageUrls, PackageSizes(http, state.PackageUrls));
  form->ShowModal();
  const bool failed = form->InstallFailed;
  if (!database) {
    const bool installerStarted = form->ProgramInstalled;
    form.reset();
    if (failed) services.ShowInfo(services.Text("Upgrade_fail", "升级失败,请重新升级!"), 2);
    if (installerStarted) services.CloseMainWindow();
    return;
  }
  const bool started = form->InstallStarted;
  const bool installed = form->DatabaseInstalled;
  const int result = form->UpdateResult;
  if (started) services.ReloadAfterDatabaseInstall();
  form.reset();
  if (result == kUpdateDatabaseDone && installed) {
    services.ShowInfo(services.Text("upgrade_succ", "升级成功"), 2);
    RestartFlag = true;
    services.CloseMainWindow();
  } else if (result == kUpdateDatabaseDone || failed) {
    services.ShowInfo(services.Text("Upgrade_fail", "升级失败,请重新升级!"), 2);
  }
}

void ShowLatest(UpdateTarget target, IMainWindowServices& services) {
  TUpdateForm form = NewUpdateForm(services);
  form->PrepareLatest(target == UpdateTarget::Database);
  form->ShowModal();
}

void SayNetworkFailed(IMainWindowServices& services) {
  services.ShowInfo(services.Text("network_connect_fail", "network_connect_fail"), 2);
}

}  // namespace

std::string UpdateHost(IMainWindowServices& services) {
  const char* variable = std::getenv(net::kWebHostVariable);
  if (variable && *variable) return net::WebHostAddress();
  const std::string configured = services.Setting("update_host");
  return configured.empty() ? net::WebHostAddress() : configured;
}

void RunUpdateCheck(UpdateState& state, UpdateTarget target, IMainWindowServices& services) {
  try {
    net::THttpClient http;
    http.ReadTimeoutMs = kTimeoutMs;
    http.Pump = services.Pump();
    state.VersionFileUrl = UpdateHost(services) + kVersionFilePath;
    if (!FetchOffer(http, state, target, services)) {
      SayNetworkFailed(services);
      return;
    }
    if (IsNewerOffer(state, target))
      ShowOffer(http, state, target, services);
    else
      ShowLatest(target, services);
  } catch (const std::exception& e) {
    rtl::OutputDebugString(std::string("update: check failed: ") + e.what());
    SayNetworkFailed(services);
  }
}

}  // namespace app
