#pragma once
// TfrmUpdate: the update dialog. It shows either an offer (release notes
// and a download button) or the note that the installed version is the
// latest, and downloads and installs the offered packages: a database
// package unpacks into the program folder, a program package is handed to
// the desktop shell as an installer.
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/MainWindowServices.h"
#include "app/SceneForm.h"
#include "platform/net/HttpClient.h"
#include "ui/controls/vg_buttons.h"
#include "ui/controls/vg_memo.h"
#include "ui/controls/vg_progressbar.h"
#include "ui/controls/vg_textcontrol.h"
#include "ui/core/vg_control.h"
#include "ui/render/vg_layouts.h"
#include "ui/render/vg_objects.h"

namespace app {

// UpdateResult values.
inline constexpr int kUpdateNothing = 0, kUpdateCancelled = 1, kUpdateDatabaseDone = 2;

class TfrmUpdate : public TSceneForm {
  RTL_CLASS(TfrmUpdate, TSceneForm)

  // `services` must outlive the dialog.
  TfrmUpdate(rtl::TComponent* owner, IMainWindowServices& services);
  ~TfrmUpdate() override;

  vg::TvgBackground* Root1 = nullptr;
  vg::TvgImage* Image1 = nullptr;
  // Drawn in Image1 until a picture file takes its place.
  vg::TvgLayout* DefaultPicture = nullptr;
  vg::TvgLabel* Label1 = nullptr;
  vg::TvgMemo* mmoDetail = nullptr;
  vg::TvgProgressBar* ProgressBar1 = nullptr;
  vg::TvgRoundButton* btnInstall = nullptr;
  vg::TvgRoundButton* btnCancel = nullptr;

  // The offer: texts of the title (`database`: the database ones),
  // release notes, package addresses separated by "|", and the size each
  // package announced (nothing when one could not be learnt, which leaves
  // no way to install).
  void PrepareOffer(bool database, const std::string& notes, const std::string& urls,
                    std::optional<std::vector<std::int64_t>> sizes);
  // The note that nothing newer is offered.
  void PrepareLatest(bool database);

  void btnInstallClick(rtl::TObject* sender);
  void btnCancelClick(rtl::TObject* sender);

  int ProgressBase = 0;
  std::string UrlList;
  // The announced size of each package of UrlList, in order: a download
  // that goes further than its size and a little slack is stopped.
  std::vector<std::int64_t> PackageSizes;
  int UpdateResult = kUpdateNothing;
  bool DatabaseMode = false;
  bool InstallStarted = false;
  bool DatabaseInstalled = false;
  bool ProgramInstalled = false;
  // A download or unpacking failed; the dialog then says so, shows no
  // progress and offers only to close.
  bool InstallFailed = false;

  static void Publish(rtl::TPublisher<TfrmUpdate>& p);

 private:
  void SetTitles(bool database, const char* labelKey, const char* databaseLabelKey, const char* labelDefault);
  void InstallPackage(const std::string& url, std::int64_t announcedSize);
  void ShowInstallFailed();
  void Work(std::int64_t count);

  IMainWindowServices& services_;
  // Database packages, and program packages (which accept what a browser does).
  std::unique_ptr<net::THttpClient> IdHTTP1, IdHTTP2;
};

// Where a downloaded package goes, relative to the program folder:
// "_dbupdate.zip" for a database package whose address ends in ".zip",
// "_setup.exe" for a program package whose address ends in ".exe" (the
// four characters from the address's last "." compared exactly), else
// the address's last path segment without query or fragment ("download"
// when that is empty, "." or ".."), after "_dbupdate_" for a database
// package and "_setup_" for a program package: no download takes the name
// of an installed file.
std::string PackageFileName(const std::string& url, bool databaseMode);
// Whether a database package may hold an entry (its path below the program
// folder, see net::TZipLimits): a settings database "*_settings.db3",
// lang.ini, version_control.ini or version_control.xml at the top, or
// anything in the help/, history/ and pictures/ folders. The program
// itself and anything else of the program folder is no database's.
bool IsDatabasePackageEntry(const std::string& path, bool folder);
bool AddressEndsWith(const std::string& url, const char* extension);

}  // namespace app
