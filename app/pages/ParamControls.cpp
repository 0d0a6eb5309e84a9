#include "app/pages/ParamControls.h"

#include "platform/rtl/TextConvert.h"
#include "ui/controls/vg_combobox.h"
#include "ui/controls/vg_numberbox.h"
#include "ui/controls/vg_textbox.h"
#include "ui/controls/vg_textcontrol.h"
#include "ui/controls/vg_track.h"

namespace app {

using params::ControlKind;

ControlKind ParamControls::Kind(const std::string& name) {
  rtl::TComponent* component = owner_.FindComponent(name);
  if (dynamic_cast<vg::TvgStringComboBox*>(component)) return ControlKind::OptionList;
  if (dynamic_cast<vg::TvgSpinBox*>(component)) return ControlKind::SpinBox;
  if (dynamic_cast<vg::TvgTrackBar*>(component)) return ControlKind::TrackBar;
  if (dynamic_cast<vg::TvgTextBox*>(component)) return ControlKind::TextBox;
  if (dynamic_cast<vg::TvgLabel*>(component)) return ControlKind::Label;
  return ControlKind::None;
}

bool ParamControls::Enabled(const std::string& name) {
  auto* node = Find<vg::TvgVisualObject>(name);
  return node && node->Enabled();
}

void ParamControls::SetEnabled(const std::string& name, bool enabled) {
  if (auto* node = Find<vg::TvgVisualObject>(name)) node->SetEnabled(enabled);
}

bool ParamControls::Visible(const std::string& name) {
  auto* node = Find<vg::TvgVisualObject>(name);
  return node && node->Visible();
}

void ParamControls::SetVisible(const std::string& name, bool visible) {
  if (auto* node = Find<vg::TvgVisualObject>(name)) node->SetVisible(visible);
}

void ParamControls::SetFocus(const std::string& name) {
  if (auto* node = Find<vg::TvgVisualObject>(name)) node->SetFocus();
}

std::vector<std::string> ParamControls::Entries(const std::string& name) {
  std::vector<std::string> entries;
  if (auto* list = Find<vg::TvgStringComboBox>(name))
    for (int k = 0; k < list->Items()->Count(); ++k) entries.push_back(rtl::Utf16ToUtf8(list->Items()->Strings(k)));
  return entries;
}

void ParamControls::SetEntry(const std::string& name, int index, const std::string& text) {
  if (auto* list = Find<vg::TvgStringComboBox>(name)) list->Items()->SetStrings(index, rtl::W(text));
}

void ParamControls::DeleteEntry(const std::string& name, int index) {
  if (auto* list = Find<vg::TvgStringComboBox>(name)) list->Items()->Delete(index);
}

void ParamControls::SetEntries(const std::string& name, const std::vector<std::string>& entries) {
  auto* list = Find<vg::TvgStringComboBox>(name);
  if (!list) return;
  list->Items()->BeginUpdate();
  list->Items()->Clear();
  for (const std::string& entry : entries) list->Items()->Add(rtl::W(entry));
  list->Items()->EndUpdate();
}

int ParamControls::ItemIndex(const std::string& name) {
  auto* list = Find<vg::TvgStringComboBox>(name);
  return list ? list->ItemIndex() : -1;
}

void ParamControls::SetItemIndex(const std::string& name, int index) {
  auto* list = Find<vg::TvgStringComboBox>(name);
  if (!list) return;
  // A byte from the device past the list's entries selects nothing.
  list->SetItemIndex(index < list->Count() ? index : -1);
}

double ParamControls::Value(const std::string& name) {
  if (auto* spin = Find<vg::TvgSpinBox>(name)) return spin->Value();
  if (auto* track = Find<vg::TvgTrackBar>(name)) return track->Value();
  return 0;
}

void ParamControls::SetValue(const std::string& name, double value) {
  if (auto* spin = Find<vg::TvgSpinBox>(name)) spin->SetValue(static_cast<float>(value));
  if (auto* track = Find<vg::TvgTrackBar>(name)) track->SetValue(static_cast<float>(value));
}

double ParamControls::Min(const std::string& name) {
  if (auto* spin = Find<vg::TvgSpinBox>(name)) return spin->Min();
  if (auto* track = Find<vg::TvgTrackBar>(name)) return track->Min();
  return 0;
}

void ParamControls::SetMin(const std::string& name, double value) {
  if (auto* spin = Find<vg::TvgSpinBox>(name)) spin->SetMin(static_cast<float>(value));
  if (auto* track = Find<vg::TvgTrackBar>(name)) track->SetMin(static_cast<float>(value));
}

double ParamControls::Max(const std::string& name) {
  if (auto* spin = Find<vg::TvgSpinBox>(name)) return spin->Max();
  if (auto* track = Find<vg::TvgTrackBar>(name)) return track->Max();
  return 0;
}

void ParamControls::SetMax(const std::string& name, double value) {
  if (auto* spin = Find<vg::TvgSpinBox>(name)) spin->SetMax(static_cast<float>(value));
  if (auto* track = Find<vg::TvgTrackBar>(name)) track->SetMax(static_cast<float>(value));
}

std::string ParamControls::Text(const std::string& name) {
  if (auto* box = Find<vg::TvgCustomTextBox>(name)) return rtl::Utf16ToUtf8(box->Text());
  if (auto* label = Find<vg::TvgTextControl>(name)) return rtl::Utf16ToUtf8(label->Text());
  return "";
}

void ParamControls::SetText(const std::string& name, const std::string& text) {
  if (auto* box = Find<vg::TvgCustomTextBox>(name)) box->SetText(rtl::W(text));
  if (auto* label = Find<vg::TvgTextControl>(name)) label->SetText(rtl::W(text));
}

}  // namespace app
