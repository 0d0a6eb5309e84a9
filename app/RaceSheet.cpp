#include "app/RaceSheet.h"

#include <filesystem>
#include <vector>

#include "params/TextFunctions.h"
#include "platform/rtl/TextConvert.h"

namespace app {
namespace {

constexpr const char* kSection = "common";

struct Caption {
  const char* node;
  const char* key;
  const char* fallback;
};

// Compound boxes: their label takes the text.
constexpr Caption kBoxCaptions[] = {
    {"eEvent", "export_event", "EVENT:"},   {"eDriver", "export_driver", "DRIVER:"},
    {"eDate", "export_date", "DATE:"},      {"eNation", "export_nation", "NATION:"},
    {"eNote", "export_note", "NOTE:"},      {"eEndbell", "export_endbell", "ENDBELL TIMING:"},
    {"eFinal", "export_final", "FINAL DRIVE RATIO:"}};

constexpr Caption kLabels[] = {
    {"lChassis", "export_chassis", "CHASSIS:"},  {"lTyres", "export_tyres", "Tyres Used:"},
    {"lTrack", "export_track", "TRACK:"},        {"lTraction", "export_traction", "TRACTION:"},
    {"lSurface", "export_surface", "SURFACE:"},  {"lType", "export_type", "TYPE:"},
    {"lEcs", "export_ecs", "ECS/Firmware Version:"}, {"lMotor", "export_motor", "MOTOR:"},
    {"lRotor", "export_rotor", "ROTOR:"},        {"lBattery", "export_battery", "BATTERY:"}};

// A group of radio buttons: RadioButton<first> and the next ones.
struct RadioGroup {
  int first, count;
  const char* itemsKey;
  const char* itemsFallback;
  const char* indexKey;
};

constexpr RadioGroup kGroups[] = {
    {1, 2, "export_track_items", "INDOOR|DOTDOOR", "export_track_index"},
    {3, 3, "export_traction_items", "LOW|MED|HIGH", "export_traction_index"},
    {6, 3, "export_surface_items", "ASPHALT|CONCRETE|CARPET", "export_surface_index"},
    {9, 3, "export_type_items", "TECHNICAL|MIXED|FAST", "export_type_index"}};

const std::string& Entry(const std::vector<std::string>& entries, int index) {
  if (index < 0 || index >= static_cast<int>(entries.size()))
    throw rtl::EListError("List index out of bounds (" + std::to_string(index) + ")");
  return entries[static_cast<std::size_t>(index)];
}

void FillGroup(TfrmInput& form, const RadioGroup& group, const RaceSheetInputs& inputs,
               const rtl::TMemIniFile& settings) {
  const auto entries = params::ExpandValueList(inputs.langText(group.itemsKey, group.itemsFallback));
  const int chosen = settings.ReadInteger(kSection, group.indexKey, 0);
  for (int i = 0; i < group.count; ++i) {
    vg::TvgRadioButton& button = form.RadioButton(group.first + i);
    button.SetText(rtl::W(Entry(entries, i)));
    if (i == chosen) button.SetIsChecked(true);
  }
}

void FillList(vg::TvgComboTextBox& box, const std::string& items, int index) {
  for (const std::string& entry : params::ExpandValueList(items)) box.Items()->Add(rtl::W(entry));
  box.SetItemIndex(index);
}

// The position of the first checked button of the group; the last one when
// none is checked.
int ChosenIndex(const TfrmInput& form, const RadioGroup& group) {
  for (int i = 0; i < group.count; ++i)
    if (form.RadioButton(group.first + i).IsChecked()) return i;
  return group.count - 1;
}

}  // namespace

void FillRaceSheet(TfrmInput& form, const RaceSheetInputs& inputs, const rtl::TMemIniFile& settings) {
  const auto text = [&](const Caption& caption) { return rtl::W(inputs.langText(caption.key, caption.fallback)); };
  form.SetCaption(rtl::W(inputs.langText("export_input", "Input")));
  std::error_code error;
  if (!inputs.logoFile.empty() && std::filesystem::is_regular_file(inputs.logoFile, error)) {
    form.Image1->Bitmap()->LoadFromFile(inputs.logoFile);
    form.DefaultPicture->SetVisible(form.Image1->Bitmap()->IsEmpty());
  }
  for (const Caption& caption : kBoxCaptions)
    if (auto* box = form.Node<vg::TvgCompoundControl>(caption.node)) box->TextLabel()->SetText(text(caption));
  for (const Caption& caption : kLabels)
    if (auto* label = form.Node<vg::TvgTextControl>(caption.node)) label->SetText(text(caption));
  form.eDriver->SetText(rtl::W(std::filesystem::path(inputs.reportFile).stem().string()));
  form.eDate->SetText(rtl::W(inputs.today));
  for (const RadioGroup& group : kGroups) FillGroup(form, group, inputs, settings);
  FillList(*form.eEcs, inputs.langText("export_ecs_items", "A|B"), settings.ReadInteger(kSection, "export_ecs_index", 0));
  FillList(*form.eRotor, inputs.langText("export_rotor_items", "A|B"),
           settings.ReadInteger(kSection, "export_rotor_index", 0));
  form.eVersion->SetText(rtl::W(inputs.firmwareVersion));
  form.eFinal->SetText(rtl::W(inputs.langText("export_final_value", "")));
  form.btnOk->SetText(rtl::W(inputs.langText("btn_Ok", "Ok")));
  form.btnCancel->SetText(rtl::W(inputs.langText("btn_Cancel", "Cancel")));
}

void StoreRaceSheetChoices(const TfrmInput& form, rtl::TMemIniFile& settings) {
  for (const RadioGroup& group : kGroups) settings.WriteInteger(kSection, group.indexKey, ChosenIndex(form, group));
  settings.WriteInteger(kSection, "export_ecs_index", form.eEcs->ItemIndex());
  settings.WriteInteger(kSection, "export_rotor_index", form.eRotor->ItemIndex());
}

std::optional<RaceSheetHeader> RunRaceSheet(rtl::TComponent* owner, vg::TvgResources* style,
                                            const RaceSheetInputs& inputs, rtl::TMemIniFile& settings) {
  std::unique_ptr<TfrmInput, void (*)(TfrmInput*)> form(new TfrmInput(owner), [](TfrmInput* f) { f->Free(); });
  if (style) form->ControlsScene->SetStyle(style);
  FillRaceSheet(*form, inputs, settings);
  if (form->ShowModal() != gui::mrOk || !form->HeaderPicture()) return std::nullopt;
  StoreRaceSheetChoices(*form, settings);
  settings.UpdateFile();
  RaceSheetHeader header{std::make_unique<rtl::TJPEGImage>(*form->HeaderPicture()), form->Panel1->Width(),
                         form->Panel1->Height()};
  return header;
}

}  // namespace app
