#include "ui/controls/vg_buttons.h"

#include "platform/rtl/Rounding.h"
#include "platform/rtl/TextCompare.h"
#include "ui/core/vg_keys.h"
#include "ui/render/vg_objects.h"

namespace vg {

namespace {

// The first node of the subtree whose resource name is `name` in any case.
TvgObject* FindResourceAnyCase(TvgObject* node, std::string_view name) {
  if (rtl::SameText(node->ResourceName(), name)) return node;
  for (TvgObject* child : node->Children())
    if (TvgObject* found = FindResourceAnyCase(child, name)) return found;
  return nullptr;
}

}  // namespace

// ----- TvgButton

void TvgButton::Publish(rtl::TPublisher<TvgButton>& p) {
  p.Property("Default", &TvgButton::Default, &TvgButton::SetDefault).Default(false);
  p.Property("Cancel", &TvgButton::Cancel, &TvgButton::SetCancel).Default(false);
}

void TvgButton::DialogKey(std::uint16_t& key, TvgShiftState shift) {
  inherited::DialogKey(key, shift);
  if ((FDefault && key == vgKeyReturn) || (FCancel && key == kKeyEscape)) {
    Click();
    key = 0;
  }
}

TvgCircleButton::TvgCircleButton(rtl::TComponent* owner) : TvgButton(owner) {
  SetWidth(21);
  SetHeight(21);
}

// ----- TvgPopupButton

void TvgPopupButton::Click() {
  inherited::Click();
  IvgPopupMenu* menu = vgPopupMenuOf(PopupMenu());
  if (!menu || !GetScene()) return;
  const TvgPoint screen = GetScene()->LocalToScreen(LocalToAbsolute({0, Height()}));
  menu->Popup(int(rtl::Round(screen.X)), int(rtl::Round(screen.Y)));
}

// ----- TvgSpeedButton

TvgSpeedButton::TvgSpeedButton(rtl::TComponent* owner) : TvgCustomButton(owner) {
  FCanFocused = false;
  SetRepeatClick(true);
  SetWidth(23);
  SetHeight(23);
}

void TvgSpeedButton::Publish(rtl::TPublisher<TvgSpeedButton>& p) {
  p.Property("RepeatClick", &TvgSpeedButton::RepeatClick, &TvgSpeedButton::SetRepeatClick).Default(true);
  p.Property("CanFocused", &TvgSpeedButton::CanFocused, &TvgSpeedButton::SetCanFocused).Default(false);
}

// ----- TvgCornerButton

void TvgCornerButton::Publish(rtl::TPublisher<TvgCornerButton>& p) {
  using T = TvgCornerButton;
  p.Property("xRadius", &T::xRadius, &T::SetxRadius).Default(3.0f);
  p.Property("yRadius", &T::yRadius, &T::SetyRadius).Default(3.0f);
  p.Property("Corners", &T::Corners, &T::SetCorners).Default(AllCorners);
  p.Property("CornerType", &T::CornerType, &T::SetCornerType).Default(vgCornerRound);
  p.Property("Sides", &T::Sides, &T::SetSides).Default(AllSides);
}

void TvgCornerButton::ApplyStyle() {
  inherited::ApplyStyle();
  TvgObject* link = ResourceLink();
  if (!link) return;
  auto* background = dynamic_cast<TvgRectangle*>(FindResourceAnyCase(link, "Background"));
  if (!background) return;
  background->SetCornerType(FCornerType);
  background->SetCorners(FCorners);
  background->SetxRadius(FxRadius);
  background->SetyRadius(FyRadius);
  background->SetSides(FSides);
}

}  // namespace vg
