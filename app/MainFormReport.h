#pragma once
// The main window as the settings report sees it: its description, texts
// and dialogs, its pages shown one after another and pictured, and the
// curve editors it opens for the report.
//
// A curve editor opened while ReportCapture is set stays open without a
// modal loop; the report finds it among the main window's components as
// "frmGraph" (curves) or "frmGraph2" (frequency curves), pictures it whole
// and frees it.
#include "app/SettingsReport.h"

namespace app {

class TfrmInterface;
class TSceneForm;

class MainFormReport final : public IReportWindow {
 public:
  explicit MainFormReport(TfrmInterface& form) : form_(form) {}

  const params::VERSION& Description() override;
  std::string Controller() override;
  bool Chinese() override;
  rtl::TMemIniFile& LangIni() override;
  std::string LangText(const std::string& key, const std::string& fallback) override;
  std::optional<std::string> ChooseReportFile() override;
  std::optional<RaceSheetHeader> RunRaceSheet(const std::string& reportFile) override;
  void ShowPage(int position, int entry) override;
  ShownPagePlace ShownPage() override;
  PageAreaSize PageArea() override;
  rtl::TBitmap PagePicture() override;
  std::optional<rtl::TBitmap> CurvePicture(int item) override;

 private:
  TfrmInterface& form_;
};

}  // namespace app
