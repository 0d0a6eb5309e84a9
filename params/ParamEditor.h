#pragma once
// The parameter editor of the main form: the mapping between the device's
// settings image and the parameter controls, the change rules between
// parameters with the mode change and the table-editor launch, and the TXT
// settings file. It works on the description it is given and reaches the
// controls, the form and the device only through ParamHost.h.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "params/DeviceDescription.h"
#include "params/MappingFamily.h"
#include "params/ParamHost.h"

namespace params {

class ParamEditor {
 public:
  // All references outlive the editor. `version` is the form's description,
  // whose link fields the editor launch completes with their defaults.
  ParamEditor(VERSION& version, IParamControls& controls, IParamForm& form, IParamDevice& device,
              ITableEditors& editors)
      : version_(version), controls_(controls), form_(form), device_(device), editors_(editors) {}

  // --- settings image mapping ------------------------------------------------
  // Fills the controls from the settings image, runs the link rules of the
  // listed parameters and chooses the page to show. A description whose
  // positions run past the image is refused with a message and changes nothing.
  void ShowSettings();
  // Writes the controls back into the settings image (refused like ShowSettings).
  void CollectSettings();
  // Fills the option list `name` from the device's value, maximum and default.
  void SetComboParam(const std::string& name, int defaultIndex, int value, int max, bool enabled);
  // The same for a list of percent entries ("15%"): numbers, not indices.
  void SetPercentComboParam(const std::string& name, int defaultPercent, int valuePercent, int maxPercent,
                            bool enabled);
  void SetParamControlsEnabled(bool enabled);
  // Runs the change handler of every listed, enabled option list that has link rules.
  void RunLinkPass();
  bool ParamError() const { return paramError_; }
  MappingFamily Family();

  // --- change rules, mode change and editors ---------------------------------
  // The change event of option lists, the mode selector and track bars.
  void itemChange(const std::string& sender);
  // The click event of a table box "eItem" i: opens the parameter's editor.
  void itemClick(const std::string& sender);
  // Key-down of the mode-name box: keeps the name below 15 characters.
  void itemKeyDown(const std::string& sender, std::uint16_t& key);

  // --- TXT settings file -----------------------------------------------------
  void Export1Click();
  void Import1Click();
  // The file the export writes for the pages as they stand.
  std::string SettingsTxtText();

 private:
  struct ImportPlan;
  struct ProgrammaticChange {
    explicit ProgrammaticChange(ParamEditor& editor) : depth(editor.programmatic_) { ++depth; }
    ~ProgrammaticChange() { --depth; }
    ProgrammaticChange(const ProgrammaticChange&) = delete;
    ProgrammaticChange& operator=(const ProgrammaticChange&) = delete;
    int& depth;
  };
  const ITEM& Item(int i) const { return version_.items[static_cast<std::size_t>(i)]; }
  ITEM& Item(int i) { return version_.items[static_cast<std::size_t>(i)]; }
  bool ImageFitsDescription(MappingFamily family);
  void RefuseUnfitDescription();
  bool TrimOptionList(const std::string& name, int defaultValue, int max);
  void DropDefaultMark(const std::string& name);
  void FinishOptionList(const std::string& name, bool enabled, int valueIndex, int defaultIndex);
  int SelectedPercent(const std::string& list);
  bool CustomEntrySelected(const std::string& list);
  void ShowFixedFamily(MappingFamily family);
  void ShowModeSelector(MappingFamily family);
  void ShowCarOrSeriesItem(MappingFamily family, int i, bool enabled, int counters[3]);
  void ShowGeneralItem(int i, bool enabled);
  void ShowOutcome();
  void CollectModeSelector(bool trimName);
  void CollectCarOrSeriesItem(int i, int counters[3]);
  void CollectGeneralItem(int i);
  void ModeReload();
  // One link rule: trigger option, kind (0 hide, 1 disable, 2 select),
  // target as written and as an index, and the option kind 2 selects.
  struct Rule {
    int trigger, kind;
    std::string target;
    std::optional<int> targetIndex;
    int value;
  };
  bool ApplyRules(int i);
  static std::optional<Rule> ParseRule(const std::string& entry);
  void ApplyRule(const Rule& rule, int selected);
  void UpdateTargetCustomControl(const Rule& rule, bool visibility);
  void UpdateOwnCustomControl(int i);
  bool UserChoice() const;
  void OpenChosenTable(const std::string& custom);
  std::optional<int> SelectedSpeed(const std::string& list);
  bool ReadImport(const rtl::TMemIniFile& file, ImportPlan& plan);

  VERSION& version_;
  IParamControls& controls_;
  IParamForm& form_;
  IParamDevice& device_;
  ITableEditors& editors_;
  bool paramError_ = false;
  // Above 0 while the editor sets controls itself (the settings shown or
  // imported, the link pass): their change events are nobody's choice.
  int programmatic_ = 0;
  std::vector<int> active_;   // parameters whose change handler runs, outermost first
};

}  // namespace params
