#include "app/GovernorPage.h"

#include <string_view>

#include "app/GovernorCalc.h"
#include "app/GovernorKeys.h"
#include "platform/rtl/NumberText.h"
#include "platform/rtl/TextConvert.h"
#include "ui/controls/vg_combotextbox.h"
#include "ui/controls/vg_compound.h"
#include "ui/controls/vg_textbox.h"
#include "ui/core/vg_colors.h"
#include "ui/core/vg_control.h"

namespace app {
namespace {

constexpr std::string_view kBoxPrefix = "calcTextBox";
constexpr int kInputBoxes = 6;      // 1 to 6
constexpr int kFirstCellBox = 7;    // 7 to 9, then pack voltages 10 to 12
constexpr int kFirstHeadBox = 13;   // 13 to 15
constexpr int kRangeBox = 16, kThrottleBox = 17, kMotorBox = 18, kElectricalBox = 19;
constexpr int kOtherItem = 4;

std::string BoxName(int n) { return std::string(kBoxPrefix) + std::to_string(n); }

std::uint32_t StyleTextColor(vg::TvgCustomTextBox& box) {
  const auto* foreground = dynamic_cast<const vg::TvgBrushObject*>(box.FindResource("foreground"));
  return foreground ? foreground->Brush()->GetSolidColor() : kHeadSpeedReachedColor;
}

bool IsInputBox(int n) { return n >= 1 && n <= kInputBoxes; }
bool IsCellVoltageBox(int n) { return n >= kFirstCellBox && n < kFirstCellBox + 3; }

}  // namespace

vg::TvgCustomTextBox* GovernorPage::TextBox(int n) const {
  return dynamic_cast<vg::TvgCustomTextBox*>(form_.FindComponent(BoxName(n)));
}

std::optional<std::string> GovernorPage::BoxText(int n) const {
  rtl::TComponent* box = form_.FindComponent(BoxName(n));
  if (auto* text = dynamic_cast<vg::TvgCustomTextBox*>(box)) return rtl::Utf16ToUtf8(text->Text());
  if (auto* compound = dynamic_cast<vg::TvgCompoundTextBox*>(box)) return rtl::Utf16ToUtf8(compound->GetText());
  return std::nullopt;
}

void GovernorPage::SetBoxText(int n, const std::string& text) {
  rtl::TComponent* box = form_.FindComponent(BoxName(n));
  if (auto* plain = dynamic_cast<vg::TvgCustomTextBox*>(box))
    plain->SetText(rtl::W(text));
  else if (auto* compound = dynamic_cast<vg::TvgCompoundTextBox*>(box))
    compound->SetText(rtl::W(text));
}

int GovernorPage::BoxNumber(const rtl::TObject* sender) const {
  const auto* component = dynamic_cast<const rtl::TComponent*>(sender);
  if (!component || !component->Name().starts_with(kBoxPrefix)) return 0;
  int n = 0;
  if (!rtl::TryStrToInt(std::string_view(component->Name()).substr(kBoxPrefix.size()), n)) return 0;
  return form_.FindComponent(BoxName(n)) == component ? n : 0;
}

void GovernorPage::CalcGovernor() {
  GovernorInputs inputs;
  std::string* inputTexts[] = {&inputs.HeadSpeed, &inputs.MainGear, &inputs.Pinion,
                               &inputs.PolePairs, &inputs.Kv,       &inputs.Cells};
  for (int n = 1; n <= kInputBoxes; ++n) *inputTexts[n - 1] = BoxText(n).value_or("");
  for (int column = 0; column < 3; ++column)
    inputs.CellVoltages[static_cast<std::size_t>(column)] = BoxText(kFirstCellBox + column).value_or("");

  const GovernorResult result = app::CalcGovernor(inputs);
  auto show = [this](int n, const std::optional<std::string>& text) {
    if (text) SetBoxText(n, *text);
  };
  show(kMotorBox, result.MotorRpmText);
  show(kElectricalBox, result.ElectricalRpmText);
  show(kRangeBox, result.Range);
  show(kThrottleBox, result.Throttle);
  for (int column = 0; column < 3; ++column) {
    const GovernorColumn& shown = result.Columns[static_cast<std::size_t>(column)];
    show(kFirstCellBox + column, shown.CellVoltage);
    show(kFirstCellBox + 3 + column, shown.PackVoltage);
    show(kFirstHeadBox + column, shown.HeadSpeed);
    if (shown.HeadSpeed) ShowHeadSpeedColor(kFirstHeadBox + column, shown.HeadSpeedColor);
  }
}

void GovernorPage::ShowHeadSpeedColor(int n, std::uint32_t color) {
  vg::TvgCustomTextBox* box = TextBox(n);
  if (!box) return;
  // A style applied later (before the first paint) would reset the colour.
  box->ApplyResource();
  // A head speed that is reached shows in the style's text colour: black
  // would vanish on the dark boxes of the built-in style.
  if (color == kHeadSpeedReachedColor) color = StyleTextColor(*box);
  box->FontFill()->SetColor(vg::vgColorToStr(color));
  box->Repaint();
}

void GovernorPage::InputCommitted(rtl::TObject* sender) {
  const int n = BoxNumber(sender);
  if (const auto text = BoxText(n); text && (IsInputBox(n) || IsCellVoltageBox(n))) {
    const auto committed = IsInputBox(n) ? CapGovernorInput(*text) : NormalizeCellVoltage(*text);
    if (committed) SetBoxText(n, *committed);
  }
  CalcGovernor();
}

void GovernorPage::BatteryChosen(rtl::TObject* sender) {
  auto* box = dynamic_cast<vg::TvgComboTextBox*>(TextBox(BoxNumber(sender)));
  if (!box) return;
  box->SetReadOnly(true);
  if (const auto cell = CellVoltageOfItem(box->ItemIndex())) box->SetText(rtl::W(*cell));
  CalcGovernor();
}

void GovernorPage::KeyDown(rtl::TObject* sender, std::uint16_t key, char16_t keyChar) {
  const int n = BoxNumber(sender);
  vg::TvgCustomTextBox* box = TextBox(n);
  if (!box) return;
  std::optional<TypedText> typed;
  if (IsInputBox(n)) {
    // The character event after a key event edits nothing: the key did.
    if (key == 0) return;
    typed = TypeIntoInput(box->Text(), box->GetSelStart(), box->GetSelLength(), key);
  } else if (IsCellVoltageBox(n)) {
    auto* combo = dynamic_cast<vg::TvgComboTextBox*>(box);
    if (!combo || combo->ItemIndex() != kOtherItem) return;
    typed = TypeIntoCellVoltage(box->Text(), box->GetSelStart(), box->GetSelLength(), key, keyChar);
  }
  if (!typed) return;
  box->SetText(typed->Text);
  // SetSelStart alone keeps a selection whose moving end is already there.
  box->SetSelLength(0);
  box->SetCaretPosition(typed->Caret);
  box->SetSelStart(typed->Caret);
}

}  // namespace app
