#include "app/LanguageApply.h"

#include <filesystem>

#include "app/LangKey.h"
#include "app/LanguageTables.h"
#include "app/MainForm.h"
#include "app/MainFormDevice.h"
#include "app/ModelMenu.h"
#include "platform/rtl/TextConvert.h"
#include "ui/controls/vg_compound.h"
#include "ui/controls/vg_gridcolumn.h"
#include "ui/controls/vg_listbox.h"
#include "ui/render/vg_objects.h"

namespace app {
namespace {

constexpr std::string_view kCommon = "common";
constexpr std::string_view kCaptionLabel = ".TextLabel";

// What each feature switch shows or hides, in the order of FeatureFlags.
const std::array<std::vector<const char*>, 11> kFeatureTargets = {{
    {"ESCSpeedController1"}, {"LCDProgramCard1"}, {"MotorChecker1"}, {"Version1"}, {"PORTAVEX1"},
    {"PORTAVEX2"},           {"PORTAVEX3"},       {"PORTAVEX4"},     {"PORTAVEX5"},
    {"lbColor", "cbRed", "cbGreen", "cbBlue"},    {"lbRotation", "rbCW", "rbCCW"},
}};
constexpr std::size_t kFirstOptionFlag = 9;

// The device-kind items whose caption the kind label shows, in the order
// in which a later checked one wins.
constexpr const char* kDeviceKindItems[] = {"ESCSpeedController1", "LCDProgramCard1", "MotorChecker1",
                                            "PORTAVEX1", "PORTAVEX2", "PORTAVEX3", "PORTAVEX4", "PORTAVEX5"};

class LanguageApplication {
 public:
  explicit LanguageApplication(TfrmInterface& form)
      : form_(form), ui_(form.Device()), ini_(form.ReloadLangIni()) {}

  void Run() {
    form_.State().SoftwareVersion = ini_.ReadString(kCommon, "software_version", "V4.0.5");
    ApplyFeatureFlags(0, kFirstOptionFlag);
    // The language is chosen before the first text is read, so that the
    // link adapter's captions are read in it too.
    ChooseStartLanguage();
    SetSharedTexts(LinkAdapterCaptions());
    language_ = form_.IsChinese() ? Language::Chinese : Language::English;
    LoadWindowIcon();
    PlaceLogoAndIcons();
    SetLanguageTexts();
    SetSharedTexts(SharedTexts());
    ApplyFeatureFlags(kFirstOptionFlag, kFeatureTargets.size());
    SetConnectButtonText();
    SetDeviceKindLabel();
    if (auto* version = form_.Node<gui::TMenuItem>("Version1"); version && !HasModelItems(*version))
      RunFirstCallBlock(*version);
    ApplyListBackground();
    ApplyTabLabelStyle();
    form_.Device().Catalogue().SelectSettingsDatabase();
  }

 private:
  std::string Text(std::string_view key, std::string_view fallback) const {
    return ini_.ReadString(kCommon, key, fallback);
  }

  void ApplyFeatureFlags(std::size_t first, std::size_t end) {
    const FeatureFlags& flags = form_.State().Features;
    for (std::size_t flag = first; flag < end; ++flag)
      for (const char* name : kFeatureTargets[flag]) ui_.SetVisible(name, flags[flag] != 0);
  }

  void SetSharedTexts(const std::vector<SharedText>& texts) {
    for (const SharedText& text : texts) SetTargetText(text.target, Text(form_.LangKey(text.key), text.fallback));
  }

  // The language stored at the last exit decides until an item is checked.
  void ChooseStartLanguage() {
    if (!form_.Chinese1 || !form_.English1 || form_.Chinese1->Checked() || form_.English1->Checked()) return;
    form_.Chinese1->SetChecked(ini_.ReadBool(kCommon, "lang", true));
    form_.English1->SetChecked(!form_.Chinese1->Checked());
  }

  // The icon path is taken as it stands: a relative one is relative to the
  // current folder.
  void LoadWindowIcon() {
    const std::string icon = Text("icon", "");
    if (!icon.empty() && std::filesystem::is_regular_file(icon)) form_.LoadIcon(icon);
  }

  void PlaceLogoAndIcons() {
    if (auto* logo = form_.Node<vg::TvgImage>("imgLogo")) {
      logo->Position()->SetX(static_cast<float>(ini_.ReadInteger(kCommon, "aboutimage_x", 16)));
      logo->Position()->SetY(static_cast<float>(ini_.ReadInteger(kCommon, "aboutimage_y", 16)));
      logo->SetWidth(static_cast<float>(ini_.ReadInteger(kCommon, "aboutimage_w", 589)));
      logo->SetHeight(static_cast<float>(ini_.ReadInteger(kCommon, "aboutimage_h", 427)));
      form_.LoadImageFile(logo, Text("aboutimage", ""));
    }
    const std::pair<const char*, const char*> icons[] = {
        {"abouticon", "tabImage1"}, {"firmwareicon", "tabImage8"}, {"dataicon", "tabImage9"}, {"calcicon", "tabImage10"}};
    for (const auto& [key, image] : icons) form_.LoadImageFile(form_.Node<vg::TvgImage>(image), Text(key, ""));
  }

  void SetLanguageTexts() {
    const std::string title =
        Text(LangKey(language_, "Title"),
             language_ == Language::Chinese ? "Valtorine电调调制软件 V3.0" : "Valtorine ESC System V3.0");
    form_.SetCaption(rtl::W(
        TitleLine(language_, title, form_.State().SoftwareVersion, form_.Updates().LocalDatabaseVersion)));
    for (const LanguageText& row : LanguageTexts())
      for (std::string_view target : row.targets) SetTargetText(target, Text(LangKey(language_, row.suffix), row.Fallback(language_)));
  }

  void SetTargetText(std::string_view target, const std::string& text) {
    if (target.ends_with(kCaptionLabel)) {
      auto* box = form_.Node<vg::TvgCompoundTextBox>(target.substr(0, target.size() - kCaptionLabel.size()));
      if (box && box->TextLabel()) box->TextLabel()->SetText(rtl::W(text));
      return;
    }
    if (auto* column = form_.Node<vg::TvgColumn>(target)) {
      column->SetHeader(rtl::W(text));
      return;
    }
    ui_.SetText(std::string(target), text);
  }

  // The button names what it does: disconnect while connecting by itself.
  void SetConnectButtonText() {
    const bool automatic = form_.Device().State().AutoConnect != 0;
    SetTargetText("btnConnect", automatic ? Text(form_.LangKey("DisConnect"), "DisConnect")
                                          : Text(form_.LangKey("Connect"), "Connect"));
  }

  void SetDeviceKindLabel() {
    for (const char* item : kDeviceKindItems) {
      if (!ui_.Checked(item)) continue;
      const std::string caption = ui_.Text(item);
      ui_.SetText("Label1", caption);
      if (std::string_view(item) == "LCDProgramCard1" && !ui_.Text("eController").empty())
        ui_.SetText("eController", caption);
    }
  }

  void RunFirstCallBlock(gui::TMenuItem& version) {
    BuildModelMenu(ini_, version, [&form = form_](rtl::TObject* sender) { form.VersionClick(sender); });
    for (std::size_t n = 1; n <= kCalculatorDefaults.size(); ++n)
      form_.SetCalculatorText(static_cast<int>(n),
                              Text("cacl" + std::to_string(n), kCalculatorDefaults[n - 1]));
    bool& autoUpdate = form_.Updates().AutoUpdate;
    if (autoUpdate) autoUpdate = ini_.ReadBool(kCommon, "autoupdate", true);
  }

  void ApplyListBackground() {
    const std::string image = Text("styleimage", "");
    auto* list = form_.Node<vg::TvgListBox>("ListBox1");
    const std::string path = form_.ProgramFolder() + image;
    if (image.empty() || !list || !std::filesystem::is_regular_file(path)) return;
    list->AddBackgroundBitmap(path);
    list->SetBackground(true);
  }

  // Only switches the style on: a style set by an earlier call stays.
  void ApplyTabLabelStyle() {
    if (!ini_.ReadBool(kCommon, "stylecolor", false)) return;
    for (int n = 1; n <= 10; ++n)
      if (auto* label = form_.Node<vg::TvgControl>("tabLabel" + std::to_string(n))) label->SetResource("labelstyle2");
  }

  TfrmInterface& form_;
  device::IFormComponents& ui_;
  const rtl::TMemIniFile& ini_;
  Language language_ = Language::Chinese;
};

}  // namespace

void ApplyLanguage(TfrmInterface& form) { LanguageApplication(form).Run(); }

}  // namespace app
