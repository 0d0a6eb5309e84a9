#pragma once
// Fakes of the firmware widgets, the shell and identification's information
// read, and a temporary program folder for settings databases.
#include <array>
#include <deque>
#include <filesystem>
#include <fstream>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "device/FirmwareServices.h"

namespace device::fakes {

/// One widget set of the firmware page (single device or link adapter).
struct FakeFirmwareWidgets {
  std::vector<std::string> items;
  int itemIndex = -1;
  bool comboEnabled = false, comboFocused = false, fieldsEnabled = false, upgradeEnabled = false;
  std::string controller, hardware, firmware;
};

struct FakeFirmwareView : IFirmwareView {
  FakeFirmwareWidgets single, link;
  std::string versionLabel = "(untouched)";
  std::vector<int> sidePages;
  bool motorChecker = false, linkLed = true, demo = false;
  int motorCheckerClicks = 0, tabCount = 3, formStyleResets = 0;
  bool settingsButtonsEnabled = false;
  std::string programCardCaption = "LCD Program Card";

  FakeFirmwareWidgets& Set(bool l) { return l ? link : single; }
  void SetVersionLabel(const std::string& text) override { versionLabel = text; }
  void ClearFirmwareCombo(bool l) override { Set(l).items.clear(), Set(l).itemIndex = -1; }
  void AddFirmwareItem(bool l, const std::string& text) override { Set(l).items.push_back(text); }
  int FirmwareItemCount(bool l) override { return static_cast<int>(Set(l).items.size()); }
  int FirmwareItemIndex(bool l) override { return Set(l).itemIndex; }
  void SetFirmwareItemIndex(bool l, int index) override {
    Set(l).itemIndex = index >= 0 && index < FirmwareItemCount(l) ? index : -1;
  }
  std::string FirmwareItemText(bool l) override {
    int index = Set(l).itemIndex;
    return index >= 0 ? Set(l).items[static_cast<std::size_t>(index)] : std::string();
  }
  void SetFirmwareComboEnabled(bool l, bool on) override { Set(l).comboEnabled = on; }
  void FocusFirmwareCombo(bool l) override { Set(l).comboFocused = true; }
  void SetDeviceFields(bool l, const std::string& c, const std::string& h) override {
    Set(l).controller = c, Set(l).hardware = h;
  }
  void SetFirmwareField(bool l, const std::string& text) override { Set(l).firmware = text; }
  void SetDeviceFieldsEnabled(bool l, bool on) override { Set(l).fieldsEnabled = on; }
  void SetSettingsButtonsEnabled(bool on) override { settingsButtonsEnabled = on; }
  bool UpgradeButtonEnabled(bool l) override { return Set(l).upgradeEnabled; }
  void SetUpgradeButtonEnabled(bool l, bool on) override { Set(l).upgradeEnabled = on; }
  void ShowSidePage(int item) override { sidePages.push_back(item); }
  bool MotorCheckerChecked() override { return motorChecker; }
  void ClickMotorChecker() override { ++motorCheckerClicks; }
  std::string ProgramCardCaption() override { return programCardCaption; }
  int DescriptionTabCount() override { return tabCount; }
  bool LinkLedOn() override { return linkLed; }
  bool DemoMode() override { return demo; }
  void SetFormStyleNormal() override { ++formStyleResets; }
};

struct FakeFirmwareShell : IFirmwareShell {
  std::string programFolder;
  std::string localDatabaseVersion = "2016-03-21";
  bool chinese = false;
  std::deque<bool> answers;  ///< Yes/No answers in order; Yes when none is left
  std::vector<std::string> questions;
  int progressCreates = 0, progressFrees = 0, progressMaximum = 0;
  bool progressShown = false;

  std::string ProgramFolder() override { return programFolder; }
  std::string LocalDatabaseVersion() override { return localDatabaseVersion; }
  bool IsChinese() override { return chinese; }
  std::string LangKey(const std::string& key) override { return (chinese ? "chs" : "eng") + key; }
  bool HasInvalidChars(const std::string& text) override {
    for (unsigned char c : text)
      if (!std::isalnum(c) && c != '-' && c != '.' && c != '_') return true;
    return false;
  }
  bool AskYesNo(const std::string& text, const std::string& caption) override {
    questions.push_back(caption + ": " + text);
    if (answers.empty()) return true;
    bool answer = answers.front();
    answers.pop_front();
    return answer;
  }
  void CreateProgressBox(const std::string&, int maximum) override {
    ++progressCreates, progressShown = true, progressMaximum = maximum;
  }
  void FreeProgressBox() override { ++progressFrees, progressShown = false; }
};

struct FakeIdentity : IDeviceIdentity {
  std::string readMessage;
  std::array<std::uint8_t, 32> deviceData{};
  int reads = 0;
  std::string ReadDeviceInfo(bool) override { return ++reads, readMessage; }
  std::array<std::uint8_t, 32> DeviceData() override { return deviceData; }
};

/// A fresh, empty folder under the system's temporary folder, removed with the object.
struct TempFolder {
  std::filesystem::path path;
  TempFolder() {
    std::random_device random;
    path = std::filesystem::temp_directory_path() / ("esctool-fw-" + std::to_string(random()));
    std::filesystem::create_directories(path);
  }
  ~TempFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path, ignored);
  }
  std::string File(const std::string& name) const { return (path / name).string(); }
  void Write(const std::string& name, const std::string& text) const { std::ofstream(path / name) << text; }
};

}  // namespace device::fakes
