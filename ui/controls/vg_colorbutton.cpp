#include "ui/controls/vg_colorbutton.h"

#include "ui/controls/vg_services.h"
#include "ui/core/vg_colors.h"
#include "ui/render/vg_objects.h"

namespace vg {

TvgColorButton::TvgColorButton(rtl::TComponent* owner) : TvgCustomButton(owner) { FAutoTranslate = false; }

TvgColorButton::~TvgColorButton() { TearDown(); }

void TvgColorButton::Publish(rtl::TPublisher<TvgColorButton>& p) {
  using T = TvgColorButton;
  p.Property("AutoTranslate", &T::AutoTranslate, &T::SetAutoTranslate).Default(false);
  p.Property("Color", &T::Color, &T::SetColor);
  p.Property("UseStandardDialog", &T::UseStandardDialog, &T::SetUseStandardDialog).Default(true);
  p.Property("OnChange", &T::OnChange);
}

void TvgColorButton::ShowColor() {
  if (FFill) FFill->Fill()->SetColor(FColor);
}

void TvgColorButton::SetColor(const std::string& value) {
  FColor = value;
  ShowColor();
  if (!IsLoading()) OnChange(this);
}

void TvgColorButton::Click() {
  inherited::Click();
  if (!FUseStandardDialog) return;
  std::uint32_t argb = vgStrToColor(FColor);
  if (vgExecuteColorDialog(argb)) SetColor(vgColorToStr(argb));
}

void TvgColorButton::ApplyStyle() {
  inherited::ApplyStyle();
  FFill = dynamic_cast<TvgShape*>(FindResource("fill"));
  ShowColor();
}

void TvgColorButton::FreeStyle() {
  FFill = nullptr;
  inherited::FreeStyle();
}

}  // namespace vg
