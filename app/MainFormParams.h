#pragma once
// The main window's parameter part: the device description, the parameter
// pages built into the window's page area, and the parameter editor that
// maps the settings image to their controls. It answers the editor's and
// the page builder's needs from the window's components, found by name, and
// offers the device link what it asks of the pages.
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <utility>

#include "app/CurveEditorForm.h"
#include "app/pages/ParamControls.h"
#include "app/pages/ParamDeviceLink.h"
#include "app/pages/ParamPageHost.h"
#include "params/DeviceDescription.h"
#include "params/ParamEditor.h"
#include "params/ParamHost.h"
#include "platform/gui/Dialogs.h"
#include "platform/gui/PostedCall.h"

namespace app {

class TfrmInterface;

class MainFormParams final : public params::IParamForm, public IParamPageHost, public params::ITableEditors {
 public:
  MainFormParams(TfrmInterface& form, device::DeviceLink& link, device::DeviceJobs& jobs);
  MainFormParams(const MainFormParams&) = delete;
  MainFormParams& operator=(const MainFormParams&) = delete;

  params::ParamEditor& Editor() { return editor_; }
  const params::VERSION& Version() const { return description_.Version(); }

  // --- what the device link asks of the pages
  // Loads the description `section`, or the connected device's own for an empty name.
  void LoadDeviceDescription(const std::string& section);
  void StartBackgroundLoad();
  bool DescriptionLoaded() { return description_.DescriptionLoaded(); }
  // Builds the pages of the loaded description; a connected, identified
  // device's settings fill them.
  void BuildParameterPages();
  /// Whether the pages show a device's settings (an identified, connected device).
  bool SettingsShown() const;
  // Item index of the mode selector; none while the pages hold none.
  std::optional<int> ModeIndex();

  // --- params::IParamForm
  std::string LangText(const std::string& key, const std::string& fallback) override;
  int LayoutInteger(const std::string& key, int fallback) override;
  bool Chinese() override;
  bool EscKindChecked() override { return Checked("ESCSpeedController1"); }
  int CheckedLinkMode() override;
  bool LanguageSwitching() override;
  bool ReportCapture() override;
  void ShowInfoBox(const std::string& text) override;
  void ProcessMessages() override;
  void Post(std::function<void()> call) override { posted_.Post(std::move(call)); }
  void SetUpdateButtonEnabled(bool enabled) override;
  void ShowPage(params::SidePage page) override;
  void ShowProgress(const std::string& label, int maximum) override;
  void FreeProgress() override;
  bool ExecuteSaveDialog(const std::string& filter, const std::string& defaultExt, std::string& fileName) override;
  bool ExecuteOpenDialog(const std::string& filter, std::string& fileName) override;
  // Runs the window's open or save dialog in the folder of the file last
  // chosen in one (the program folder before any), offering the name of
  // its FileName, and remembers the folder of the file chosen now.
  bool RunFileDialog(gui::TOpenDialog& dialog);

  // --- IParamPageHost
  rtl::TComponent& FormOwner() override;
  vg::TvgObject& PageArea() override;
  vg::TvgVisualObject* SoftwarePage() override;
  void SetPageEntry(int page, const std::string& caption, const std::string& icon) override;
  void CloseHelpPanel() override;
  params::SideListInputs SideListState() override;
  std::vector<int> ShownSideEntries() override;
  void ShowSideEntries(const std::vector<int>& entries) override;
  void itemEnterFocus(vg::TvgVisualObject* sender) override;

  // --- params::ITableEditors: the curve and table editors (MainFormEditors.cpp)
  std::optional<std::string> Edit(const params::TableEditRequest& request, bool reportCapture) override;
  // The curve editor left open for the settings report, nullptr when none.
  TCurveEditorForm* ReportEditor() const { return reportEditor_; }
  // Frees the report's curve editor and brings the help column back.
  void FreeReportEditor();

 private:
  bool Checked(const std::string& menuItem) const;

  std::string lastFileFolder_;
  params::DescriptionKey DeviceKey() const;
  void ApplyIcons(const params::DescriptionIcons& icons);
  void RefuseUnreadableDescription(const std::string& parameter);
  std::shared_ptr<const rtl::TMemIniFile> DescriptionStore();
  std::optional<std::string> EditCurve(const params::TableEditRequest& request, bool reportCapture);
  std::optional<std::string> EditTable(const params::TableEditRequest& request);
  void ShowHelpColumn(bool show, int webLeft);

  TfrmInterface& form_;
  device::DeviceLink& link_;
  std::shared_ptr<const rtl::TMemIniFile> store_;  // lang.ini as read for the descriptions
  params::DeviceDescription description_;
  ParamControls controls_;
  ParamDeviceLink device_;
  params::ParamEditor editor_;
  TCurveEditorForm* reportEditor_ = nullptr;  // owned by the main form
  gui::TPostedCall posted_;  // goes before the editor its call reaches
};

}  // namespace app
