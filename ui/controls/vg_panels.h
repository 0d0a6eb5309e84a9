#pragma once
// Plain containers: panels, the callout panel (a panel whose outline has a
// pointing tab), status and tool bars, and the non-drawing selection item.
// Each looks as its style says and only passes its settings to named style
// parts.
#include "ui/core/vg_control.h"
#include "ui/render/vg_objects.h"

namespace vg {

// Paints nothing of its own; its children are not painted while it is
// being designed.
class TvgSelectionItem : public TvgControl {
  RTL_CLASS(TvgSelectionItem, TvgControl)

  explicit TvgSelectionItem(rtl::TComponent* owner);
  void PaintChildren() override;
};

class TvgPanel : public TvgControl {
  RTL_CLASS(TvgPanel, TvgControl)

  explicit TvgPanel(rtl::TComponent* owner);
};

class TvgHudPanel : public TvgPanel {
  RTL_CLASS(TvgHudPanel, TvgPanel)
  using TvgPanel::TvgPanel;
};

// Hands its callout settings to the style's "Backgound" part, or to the
// style root, when that is a TvgCalloutRectangle.
class TvgCalloutPanel : public TvgPanel {
  RTL_CLASS(TvgCalloutPanel, TvgPanel)

  explicit TvgCalloutPanel(rtl::TComponent* owner) : TvgPanel(owner) {}

  float CalloutWidth() const { return FCalloutWidth; }
  void SetCalloutWidth(float value) { UpdateCallout(FCalloutWidth, value); }
  float CalloutLength() const { return FCalloutLength; }
  void SetCalloutLength(float value) { UpdateCallout(FCalloutLength, value); }
  TvgCalloutPosition CalloutPosition() const { return FCalloutPosition; }
  void SetCalloutPosition(TvgCalloutPosition value) { UpdateCallout(FCalloutPosition, value); }
  float CalloutOffset() const { return FCalloutOffset; }
  void SetCalloutOffset(float value) { UpdateCallout(FCalloutOffset, value); }

 protected:
  void ApplyStyle() override;

 private:
  static void Publish(rtl::TPublisher<TvgCalloutPanel>& p);
  template <class T>
  void UpdateCallout(T& field, T value) {
    if (field == value) return;
    field = value;
    ApplyStyle();
  }
  TvgCalloutRectangle* Outline();

  float FCalloutLength = 11;
  float FCalloutWidth = 23;
  TvgCalloutPosition FCalloutPosition = vgCalloutTop;
  float FCalloutOffset = 0;
};

// A bar at the bottom whose style's "sizegrip" part shows per ShowSizeGrip
// and, outside design mode, can be dragged.
class TvgStatusBar : public TvgControl {
  RTL_CLASS(TvgStatusBar, TvgControl)

  explicit TvgStatusBar(rtl::TComponent* owner);
  bool ShowSizeGrip() const { return FShowSizeGrip; }
  void SetShowSizeGrip(bool value);

 protected:
  void ApplyStyle() override;

 private:
  static void Publish(rtl::TPublisher<TvgStatusBar>& p);
  bool FShowSizeGrip = true;
};

class TvgHudStatusBar : public TvgStatusBar {
  RTL_CLASS(TvgHudStatusBar, TvgStatusBar)
  using TvgStatusBar::TvgStatusBar;
};

class TvgToolBar : public TvgControl {
  RTL_CLASS(TvgToolBar, TvgControl)

  explicit TvgToolBar(rtl::TComponent* owner);

 private:
  static void Publish(rtl::TPublisher<TvgToolBar>& p);
};

}  // namespace vg
