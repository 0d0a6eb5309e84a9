#include "app/UpdateForm.h"

#include <algorithm>
#include <array>
#include <filesystem>
#include <numeric>
#include <string_view>
#include <system_error>

#include "params/TextFunctions.h"
#include "platform/gui/Shell.h"
#include "platform/net/ZipFile.h"
#include "platform/rtl/DebugOutput.h"
#include "platform/rtl/TextConvert.h"

namespace app {

namespace fs = std::filesystem;

namespace {

// How far a download may run past the size its package announced.
constexpr std::int64_t kDownloadSlack = 64 * 1024;

net::TZipLimits DatabasePackageLimits() {
  net::TZipLimits limits;
  limits.accept = IsDatabasePackageEntry;
  limits.maxEntries = 4000;
  limits.maxUnpackedBytes = std::int64_t{256} << 20;
  return limits;
}

}  // namespace

TfrmUpdate::TfrmUpdate(rtl::TComponent* owner, IMainWindowServices& services)
    : TSceneForm(owner), services_(services) {
  ReadSceneForm();
  IdHTTP1 = std::make_unique<net::THttpClient>();
  IdHTTP2 = std::make_unique<net::THttpClient>();
  IdHTTP2->Accept = net::kAcceptBrowser;
  for (net::THttpClient* client : {IdHTTP1.get(), IdHTTP2.get()}) {
    client->Pump = services_.Pump();
    client->OnWork = [this](std::int64_t count) { Work(count); };
  }
  if (vg::TvgResources* style = services_.StyleBook()) ControlsScene->SetStyle(style);
}

TfrmUpdate::~TfrmUpdate() = default;

void TfrmUpdate::Publish(rtl::TPublisher<TfrmUpdate>& p) {
  p.Field("Root1", &TfrmUpdate::Root1);
  p.Field("Image1", &TfrmUpdate::Image1);
  p.Field("DefaultPicture", &TfrmUpdate::DefaultPicture);
  p.Field("Label1", &TfrmUpdate::Label1);
  p.Field("mmoDetail", &TfrmUpdate::mmoDetail);
  p.Field("ProgressBar1", &TfrmUpdate::ProgressBar1);
  p.Field("btnInstall", &TfrmUpdate::btnInstall);
  p.Field("btnCancel", &TfrmUpdate::btnCancel);
  p.Method("btnInstallClick", &TfrmUpdate::btnInstallClick);
  p.Method("btnCancelClick", &TfrmUpdate::btnCancelClick);
}

void TfrmUpdate::SetTitles(bool database, const char* labelKey, const char* databaseLabelKey,
                           const char* labelDefault) {
  SetCaption(rtl::W(services_.Text(database ? "DBUpdateTitle" : "UpdateTitle", "更新信息")));
  Label1->SetText(rtl::W(services_.Text(database ? databaseLabelKey : labelKey, labelDefault)));
  btnInstall->SetText(rtl::W(services_.Text("UpdateInstall", "确定")));
  btnCancel->SetText(rtl::W(services_.Text("UpdateCancel", "取消")));
}

void TfrmUpdate::PrepareOffer(bool database, const std::string& notes, const std::string& urls,
                              std::optional<std::vector<std::int64_t>> sizes) {
  DatabaseMode = database;
  SetTitles(database, "UpdateNew", "DBUpdateNew", "版本更新了！");
  mmoDetail->Lines()->SetTextStr(rtl::W(notes));
  const std::int64_t total = sizes ? std::accumulate(sizes->begin(), sizes->end(), std::int64_t{0}) : 0;
  if (total > 0) {
    ProgressBar1->SetMax(static_cast<float>(total));
    PackageSizes = std::move(*sizes);
  } else {
    btnInstall->SetEnabled(false);
  }
  UrlList = urls;
}

void TfrmUpdate::PrepareLatest(bool database) {
  SetTitles(database, "UpdateAlready", "DBUpdateAlready", "已经是最新版本了！");
  btnInstall->SetVisible(false);
  mmoDetail->Lines()->SetTextStr({});
  const std::string picture = services_.Setting("updateimage");
  std::error_code error;
  if (picture.empty() || !fs::is_regular_file(services_.ProgramFolder() + picture, error)) return;
  Image1->Bitmap()->LoadFromFile(services_.ProgramFolder() + picture);
  DefaultPicture->SetVisible(Image1->Bitmap()->IsEmpty());
}

void TfrmUpdate::btnInstallClick(rtl::TObject*) {
  InstallStarted = true;
  try {
    ProgressBar1->SetValue(0);
    const std::vector<std::string> urls = params::SplitString("|", UrlList);
    for (std::size_t i = 0; i < urls.size(); ++i)
      InstallPackage(urls[i], i < PackageSizes.size() ? PackageSizes[i] : net::kMaxDownloadBytes);
    if (DatabaseMode) UpdateResult = kUpdateDatabaseDone;
    Close();
  } catch (const std::exception& e) {
    rtl::OutputDebugString(std::string("update: install failed: ") + e.what());
    ShowInstallFailed();
  }
}

void TfrmUpdate::ShowInstallFailed() {
  InstallFailed = true;
  ProgressBar1->SetValue(0);
  ProgressBar1->SetVisible(false);
  Label1->SetText(rtl::W(services_.Text("Upgrade_fail", "升级失败,请重新升级!")));
  btnCancel->SetEnabled(true);
}

void TfrmUpdate::InstallPackage(const std::string& url, std::int64_t announcedSize) {
  ProgressBase = static_cast<int>(ProgressBar1->Value());
  const std::string target = services_.ProgramFolder() + PackageFileName(url, DatabaseMode);
  std::error_code ignored;
  fs::remove(target, ignored);
  ProgressBar1->SetVisible(true);
  btnInstall->SetEnabled(false);
  btnCancel->SetEnabled(false);
  const std::int64_t limit = std::min(announcedSize, net::kMaxDownloadBytes) + kDownloadSlack;
  (DatabaseMode ? *IdHTTP1 : *IdHTTP2).GetToFile(url, target, limit);
  if (DatabaseMode) {
    struct RemoveAfter {
      const std::string& file;
      ~RemoveAfter() {
        std::error_code error;
        fs::remove(file, error);
      }
    } removeAfter{target};
    if (AddressEndsWith(url, ".zip")) net::ExtractZipFile(target, services_.ProgramFolder(), DatabasePackageLimits());
    DatabaseInstalled = true;
  } else {
    if (AddressEndsWith(url, ".exe") && !gui::Shell().Open(gui::FileUri(target)))
      throw rtl::Exception("cannot start the installer " + target);
    ProgramInstalled = true;
  }
}

void TfrmUpdate::Work(std::int64_t count) {
  ProgressBar1->SetValue(static_cast<float>(ProgressBase + count));
}

void TfrmUpdate::btnCancelClick(rtl::TObject*) {
  UpdateResult = kUpdateCancelled;
  Close();
}

bool AddressEndsWith(const std::string& url, const char* extension) {
  const std::size_t dot = url.rfind('.');
  return dot != std::string::npos && url.compare(dot, 4, extension) == 0;
}

std::string PackageFileName(const std::string& url, bool databaseMode) {
  if (databaseMode && AddressEndsWith(url, ".zip")) return "_dbupdate.zip";
  if (!databaseMode && AddressEndsWith(url, ".exe")) return "_setup.exe";
  std::string segment = url.substr(url.rfind('/') + 1);
  segment = segment.substr(0, segment.find_first_of("?#"));
  if (segment.empty() || segment == "." || segment == "..") segment = "download";
  return (databaseMode ? "_dbupdate_" : "_setup_") + segment;
}

bool IsDatabasePackageEntry(const std::string& path, bool folder) {
  constexpr std::array<std::string_view, 3> kFolders{"help", "history", "pictures"};
  constexpr std::array<std::string_view, 3> kFiles{"lang.ini", "version_control.ini", "version_control.xml"};
  const std::string_view name(path);
  const std::string_view top = name.substr(0, name.find('/'));
  if (std::find(kFolders.begin(), kFolders.end(), top) != kFolders.end()) return true;
  if (folder || top != name) return false;
  return name.ends_with("_settings.db3") || std::find(kFiles.begin(), kFiles.end(), name) != kFiles.end();
}

}  // namespace app
