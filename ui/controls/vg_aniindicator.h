#pragma once
// TvgAniIndicator: a spinner drawn on the canvas, twelve spokes or eight
// dots in grey, with a dark highlight that runs round while the indicator
// is switched on (its own Enabled, apart from the node's enabled state).
// The phase is the RotateAngle of an internal node that an animation turns
// from 0 to 360 every 10 s.
#include "ui/core/vg_ani.h"
#include "ui/core/vg_control.h"

namespace vg {

RTL_ENUM(TvgAniIndicatorStyle, vgAniIndicatorLine, vgAniIndicatorCircle)

class TvgAniIndicator : public TvgControl {
  RTL_CLASS(TvgAniIndicator, TvgControl)

  explicit TvgAniIndicator(rtl::TComponent* owner);
  ~TvgAniIndicator() override;

  // The spinner's switch: starts or stops the highlight's run.
  bool Enabled() const { return FEnabled; }
  void SetEnabled(bool value);
  TvgAniIndicatorStyle Style() const { return FStyle; }
  void SetStyle(TvgAniIndicatorStyle value);
  // The highlight's phase in whole degrees, 0..360.
  int Phase() const;
  void Paint() override;

 private:
  static void Publish(rtl::TPublisher<TvgAniIndicator>& p);
  // The highlight's strength for a mark whose angle offset is `offset`.
  float Highlight(int offset) const;

  TvgVisualObject* FLayout;
  TvgFloatAnimation* FAni;
  bool FEnabled = false;
  TvgAniIndicatorStyle FStyle = vgAniIndicatorLine;
};

}  // namespace vg
