#pragma once
// The governor calculator's page of the main window: the boxes
// calcTextBox1 to calcTextBox19 (six inputs, three cell-voltage combo boxes,
// pack voltages, highest head speeds, range, throttle, motor and electrical
// rpm), found by name on the window. The inputs are read-only; the page's
// key handler does their editing, and a committed or left input, or a
// chosen battery type, recalculates the page.
#include <cstdint>
#include <optional>
#include <string>

#include "platform/rtl/Component.h"

namespace vg {
class TvgCustomTextBox;
}

namespace app {

class GovernorPage {
 public:
  explicit GovernorPage(rtl::TComponent& form) : form_(form) {}

  /// Computes every result and shows it; the boxes a result cannot be had
  /// for keep their texts.
  void CalcGovernor();
  /// An input committed or left: a number above 300000 becomes "300000", a
  /// cell voltage gets one decimal ("12V" gives "12.0V"); then calculates.
  void InputCommitted(rtl::TObject* sender);
  /// A battery type chosen in a cell-voltage box: its cell voltage, then
  /// calculates. "Other" keeps the text, for typing.
  void BatteryChosen(rtl::TObject* sender);
  /// A key in an input, or in a cell-voltage box while "Other" is chosen.
  void KeyDown(rtl::TObject* sender, std::uint16_t key, char16_t keyChar);

  /// The text of calcTextBox<n> (a text, combo or compound box); none when
  /// the window has no such box.
  std::optional<std::string> BoxText(int n) const;
  /// Sets it without a change event; a missing box is skipped.
  void SetBoxText(int n, const std::string& text);

 private:
  vg::TvgCustomTextBox* TextBox(int n) const;
  /// The number (1 to 19) of a box of the page, 0 for anything else.
  int BoxNumber(const rtl::TObject* sender) const;
  void ShowHeadSpeedColor(int n, std::uint32_t color);

  rtl::TComponent& form_;
};

}  // namespace app
