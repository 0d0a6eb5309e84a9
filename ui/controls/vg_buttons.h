#pragma once
// The toolkit's push buttons on TvgCustomButton: the dialog button with its
// Default (Enter) and Cancel (Esc) keys, round, circle and speed buttons,
// the popup-menu button, the corner button that passes its corner settings
// to its style's "Background" rectangle, and the HUD look-alikes.
#include <memory>

#include "ui/controls/vg_custombutton.h"
#include "ui/core/vg_popupmenu.h"

namespace vg {

class TvgButton : public TvgCustomButton {
  RTL_CLASS(TvgButton, TvgCustomButton)

  explicit TvgButton(rtl::TComponent* owner) : TvgCustomButton(owner) {}

  bool Default() const { return FDefault; }
  void SetDefault(bool value) { FDefault = value; }
  bool Cancel() const { return FCancel; }
  void SetCancel(bool value) { FCancel = value; }
  // A Default button clicks on Enter, a Cancel button on Esc; the key is
  // then consumed.
  void DialogKey(std::uint16_t& key, TvgShiftState shift) override;

 private:
  static void Publish(rtl::TPublisher<TvgButton>& p);
  bool FDefault = false;
  bool FCancel = false;
};

class TvgRoundButton : public TvgButton {
  RTL_CLASS(TvgRoundButton, TvgButton)
  using TvgButton::TvgButton;
};

class TvgCircleButton : public TvgButton {
  RTL_CLASS(TvgCircleButton, TvgButton)
  explicit TvgCircleButton(rtl::TComponent* owner);
};

// Opens its PopupMenu below itself after every click.
class TvgPopupButton : public TvgButton {
  RTL_CLASS(TvgPopupButton, TvgButton)

  using TvgButton::TvgButton;
  void Click() override;
};

// Repeats while held and takes no focus: the arrows of scroll bars.
class TvgSpeedButton : public TvgCustomButton {
  RTL_CLASS(TvgSpeedButton, TvgCustomButton)

  explicit TvgSpeedButton(rtl::TComponent* owner);

 private:
  static void Publish(rtl::TPublisher<TvgSpeedButton>& p);
};

class TvgCornerButton : public TvgCustomButton {
  RTL_CLASS(TvgCornerButton, TvgCustomButton)

  explicit TvgCornerButton(rtl::TComponent* owner) : TvgCustomButton(owner) {}

  float xRadius() const { return FxRadius; }
  void SetxRadius(float value) { Change(FxRadius, value); }
  float yRadius() const { return FyRadius; }
  void SetyRadius(float value) { Change(FyRadius, value); }
  TvgCorners Corners() const { return FCorners; }
  void SetCorners(TvgCorners value) { Change(FCorners, value); }
  TvgCornerType CornerType() const { return FCornerType; }
  void SetCornerType(TvgCornerType value) { Change(FCornerType, value); }
  TvgSides Sides() const { return FSides; }
  void SetSides(TvgSides value) { Change(FSides, value); }

 protected:
  // Hands the corner settings to the "Background" rectangle.
  void ApplyStyle() override;

 private:
  static void Publish(rtl::TPublisher<TvgCornerButton>& p);
  template <class T>
  void Change(T& field, T value) {
    if (field == value) return;
    field = value;
    ApplyStyle();
  }

  float FyRadius = 3;
  float FxRadius = 3;
  TvgCorners FCorners = AllCorners;
  TvgCornerType FCornerType = vgCornerRound;
  TvgSides FSides = AllSides;
};

class TvgHudButton : public TvgButton {
  RTL_CLASS(TvgHudButton, TvgButton)
  using TvgButton::TvgButton;
};
class TvgHudRoundButton : public TvgButton {
  RTL_CLASS(TvgHudRoundButton, TvgButton)
  using TvgButton::TvgButton;
};
class TvgHudCircleButton : public TvgCircleButton {
  RTL_CLASS(TvgHudCircleButton, TvgCircleButton)
  using TvgCircleButton::TvgCircleButton;
};
class TvgHudCornerButton : public TvgCornerButton {
  RTL_CLASS(TvgHudCornerButton, TvgCornerButton)
  using TvgCornerButton::TvgCornerButton;
};
class TvgHudSpeedButton : public TvgSpeedButton {
  RTL_CLASS(TvgHudSpeedButton, TvgSpeedButton)
  using TvgSpeedButton::TvgSpeedButton;
};

}  // namespace vg
