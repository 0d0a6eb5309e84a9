#pragma once
// TvgColorButton: shows Color in its style's "fill" shape and, clicked,
// lets the user pick another in the colour dialog.
#include <string>

#include "ui/controls/vg_custombutton.h"

namespace vg {

class TvgShape;

class TvgColorButton : public TvgCustomButton {
  RTL_CLASS(TvgColorButton, TvgCustomButton)

  explicit TvgColorButton(rtl::TComponent* owner);
  ~TvgColorButton() override;

  // The colour as text ("#AARRGGBB" or a colour name).
  const std::string& Color() const { return FColor; }
  // Stores the text as it is, shows it and raises OnChange (not while
  // loading).
  void SetColor(const std::string& value);
  bool UseStandardDialog() const { return FUseStandardDialog; }
  void SetUseStandardDialog(bool value) { FUseStandardDialog = value; }
  // After the click, the colour dialog; the toolkit's own brush dialog,
  // which UseStandardDialog off asks for, is not part of this program, so
  // then no dialog opens.
  void Click() override;

  rtl::TNotifyEvent OnChange;

 protected:
  void ApplyStyle() override;
  void FreeStyle() override;

 private:
  static void Publish(rtl::TPublisher<TvgColorButton>& p);
  void ShowColor();

  TvgShape* FFill = nullptr;
  std::string FColor = "#FF000000";
  bool FUseStandardDialog = true;
};

}  // namespace vg
