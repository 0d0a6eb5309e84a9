#include "ui/controls/vg_iphonebutton.h"

namespace vg {

TvgIPhoneButton::TvgIPhoneButton(rtl::TComponent* owner)
    : TvgBitmapButton(owner), FBackground(new TvgBrush(vgBrushSolid, 0xFF808080)) {
  FBackground->OnChanged = [this](rtl::TObject*) { ShowBackground(); };
}

TvgIPhoneButton::~TvgIPhoneButton() { TearDown(); }

void TvgIPhoneButton::Publish(rtl::TPublisher<TvgIPhoneButton>& p) {
  p.Property("Background", &TvgIPhoneButton::Background, &TvgIPhoneButton::SetBackground);
}

void TvgIPhoneButton::ApplyStyle() {
  inherited::ApplyStyle();
  ShowBackground();
}

void TvgIPhoneButton::ShowBackground() {
  if (auto* shape = dynamic_cast<TvgShape*>(FindResource("background"))) shape->SetFill(FBackground.get());
}

}  // namespace vg
