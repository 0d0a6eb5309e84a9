#include "app/MainFormReport.h"

#include <cmath>
#include <memory>

#include "app/CurveEditorForm.h"
#include "app/MainForm.h"
#include "app/MainFormDevice.h"
#include "app/MainFormParams.h"
#include "app/ScenePicture.h"
#include "platform/rtl/DateTime.h"
#include "ui/controls/vg_listbox.h"
#include "ui/controls/vg_textbox.h"

namespace app {
namespace {

int Whole(float size) { return static_cast<int>(std::trunc(size)); }

// ReportCapture is set only while the report's editor is open; afterwards
// the help column, which the editor's launch hid, shows again.
class ReportCaptureOn {
 public:
  explicit ReportCaptureOn(TfrmInterface& form) : form_(form) { form_.State().ReportCapture = true; }
  ~ReportCaptureOn() {
    form_.State().ReportCapture = false;
    if (auto* help = form_.Node<vg::TvgVisualObject>("Panel6")) help->SetVisible(true);
  }
  ReportCaptureOn(const ReportCaptureOn&) = delete;
  ReportCaptureOn& operator=(const ReportCaptureOn&) = delete;

 private:
  TfrmInterface& form_;
};

}  // namespace

const params::VERSION& MainFormReport::Description() { return form_.Params().Version(); }

std::string MainFormReport::Controller() { return form_.Device().State().DeviceInfoStrings[device::kController]; }

bool MainFormReport::Chinese() { return form_.IsChinese(); }

rtl::TMemIniFile& MainFormReport::LangIni() { return form_.LangIni(); }

std::string MainFormReport::LangText(const std::string& key, const std::string& fallback) {
  return form_.LangText(key, fallback);
}

std::optional<std::string> MainFormReport::ChooseReportFile() {
  std::string fileName;
  if (!form_.Params().ExecuteSaveDialog("PDF Config File|*.pdf", ".pdf", fileName)) return std::nullopt;
  return fileName;
}

std::optional<RaceSheetHeader> MainFormReport::RunRaceSheet(const std::string& reportFile) {
  RaceSheetInputs inputs;
  inputs.langText = [this](const std::string& key, const std::string& fallback) { return LangText(key, fallback); };
  inputs.logoFile = form_.ProgramFolder() + form_.LangIni().ReadString("common", "export_logo", "pdflogo.jpg");
  inputs.reportFile = reportFile;
  inputs.firmwareVersion = form_.Device().State().DeviceInfoStrings[device::kFirmware];
  inputs.today = rtl::FormatDateTime("yyyy-mm-dd", rtl::Now());
  return app::RunRaceSheet(&form_, form_.SceneStyle, inputs, form_.LangIni());
}

void MainFormReport::ShowPage(int position, int entry) {
  if (auto* list = form_.Node<vg::TvgListBox>("ListBox1")) list->SetItemIndex(position);
  form_.ShowPageItem(entry);
  form_.ControlsScene->UpdateBuffer();
}

ShownPagePlace MainFormReport::ShownPage() {
  auto* list = form_.Node<vg::TvgListBox>("ListBox1");
  return {list ? list->ItemIndex() : 0, form_.ShownPageTag() + 1};
}

PageAreaSize MainFormReport::PageArea() {
  auto* pages = form_.Node<vg::TvgVisualObject>("Panel3");
  auto* bar = form_.Node<vg::TvgVisualObject>("Panel4");
  if (!pages || !bar) throw rtl::Exception("the main window has no page area Panel3 or bottom bar Panel4");
  return {pages->Width(), pages->Height(), bar->Height()};
}

rtl::TBitmap MainFormReport::PagePicture() {
  auto* list = form_.Node<vg::TvgVisualObject>("Panel1");
  const PageAreaSize area = PageArea();
  return ScenePicture(*form_.ControlsScene,
                      {list ? Whole(list->Width()) : 0, 0, Whole(area.width), Whole(area.height)});
}

std::optional<rtl::TBitmap> MainFormReport::CurvePicture(int item) {
  const std::string box = "eItem" + std::to_string(item);
  if (!form_.Node<vg::TvgCustomTextBox>(box)) return std::nullopt;
  ReportCaptureOn capture(form_);
  form_.Params().Editor().itemClick(box);
  MainFormParams& params = form_.Params();
  const std::unique_ptr<MainFormParams, decltype([](MainFormParams* p) { p->FreeReportEditor(); })> freeEditor(&params);
  TCurveEditorForm* editor = params.ReportEditor();
  if (!editor) return std::nullopt;
  return FormPicture(*editor);
}

}  // namespace app
