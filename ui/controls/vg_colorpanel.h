#pragma once
// The colour panel (a saturation/lightness square with a vertical hue bar
// at its right and an alpha bar below) and the combo colour box, which
// shows its colour as a swatch and drops such a panel down, with a swatch
// and the colour's "#AARRGGBB" text to edit. Colours are texts here, as
// vgColorToStr writes them.
#include "ui/controls/vg_colorpicker.h"
#include "ui/controls/vg_colorramps.h"
#include "ui/controls/vg_textbox.h"
#include "ui/core/vg_popup.h"

namespace vg {

class TvgColorPanel : public TvgControl {
  RTL_CLASS(TvgColorPanel, TvgControl)

  explicit TvgColorPanel(rtl::TComponent* owner);
  ~TvgColorPanel() override;

  // The square's colour with its alpha.
  std::string GetColor() const;
  // Sets square, hue bar and alpha bar from the colour; the linked swatch
  // follows and OnChange is raised once (not while loading).
  void SetColor(const std::string& value);
  TvgColorBox* ColorBox() const { return FColorBox; }
  // A new swatch takes the panel's colour.
  void SetColorBox(TvgColorBox* value);
  bool UseAlpha() const { return FUseAlpha; }
  // Shows or hides the alpha bar.
  void SetUseAlpha(bool value);

  TvgColorQuad* ColorQuad() const { return FColorQuad; }
  TvgHueTrackBar* HueTrack() const { return FHueTrack; }
  TvgAlphaTrackBar* AlphaTrack() const { return FAlphaTrack; }

  rtl::TNotifyEvent OnChange;

 protected:
  void Loaded() override;
  void Notification(rtl::TComponent* component, rtl::TOperation operation) override;

 private:
  static void Publish(rtl::TPublisher<TvgColorPanel>& p);
  void QuadChanged();

  TvgColorQuad* FColorQuad = nullptr;
  TvgAlphaTrackBar* FAlphaTrack = nullptr;
  TvgHueTrackBar* FHueTrack = nullptr;
  TvgColorBox* FColorBox = nullptr;
  bool FUseAlpha = true;
};

class TvgComboColorBox : public TvgControl {
  RTL_CLASS(TvgComboColorBox, TvgControl)

  explicit TvgComboColorBox(rtl::TComponent* owner);
  ~TvgComboColorBox() override;

  std::string GetValue() const { return FColorPanel->GetColor(); }
  void SetValue(const std::string& value) { FColorPanel->SetColor(value); }
  bool UseAlpha() const { return FColorPanel->UseAlpha(); }
  void SetUseAlpha(bool value) { FColorPanel->SetUseAlpha(value); }
  TvgPlacement Placement() const { return FPlacement; }
  void SetPlacement(TvgPlacement value) { FPlacement = value; }

  TvgPopup* Popup() const { return FPopup; }
  TvgColorPanel* ColorPanel() const { return FColorPanel; }
  TvgColorBox* ColorBox() const { return FColorBox; }
  TvgTextBox* ColorText() const { return FColorText; }

  // Closes an open drop-down, else opens it.
  void DropDown();

  // The colour text.
  rtl::Variant GetData() override;
  // An event reference becomes OnChange; a text is set as the colour; a
  // whole number is taken as an ARGB value.
  void SetData(const rtl::Variant& value) override;
  void MouseDown(TvgMouseButton button, TvgShiftState shift, float x, float y) override;

  rtl::TNotifyEvent OnChange;

 protected:
  void ApplyStyle() override;
  void DoColorChange();
  void DoTextChange();

 private:
  static void Publish(rtl::TPublisher<TvgComboColorBox>& p);
  void PaintContent(rtl::TObject* sender, TvgCanvas* canvas, const TvgRect& rect);

  TvgPopup* FPopup = nullptr;
  TvgColorPanel* FColorPanel = nullptr;
  TvgColorBox* FColorBox = nullptr;
  TvgTextBox* FColorText = nullptr;
  TvgPlacement FPlacement = vgPlacementBottom;
};

class TvgHudComboColorBox : public TvgComboColorBox {
  RTL_CLASS(TvgHudComboColorBox, TvgComboColorBox)
  explicit TvgHudComboColorBox(rtl::TComponent* owner);
};

// Registers the colour controls under "Colors" and their head-up-display
// variants under "HUD".
void RegisterColorControlClasses();

}  // namespace vg
