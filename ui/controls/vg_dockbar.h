#pragma once
// TvgDockBar: lines its visible children up along its bottom edge, centred,
// each MinSize square; near the pointer they grow towards MaxSize, the
// one under the pointer to MaxSize and its neighbours within 1.5 MaxSize
// of their centres by a sine falloff.
#include "ui/core/vg_control.h"

namespace vg {

class TvgDockBar : public TvgControl {
  RTL_CLASS(TvgDockBar, TvgControl)

  explicit TvgDockBar(rtl::TComponent* owner) : TvgControl(owner) {}

  float MinSize() const { return FMinSize; }
  void SetMinSize(float value) { FMinSize = value; }
  float MaxSize() const { return FMaxSize; }
  void SetMaxSize(float value) { FMaxSize = value; }

  void MouseMove(TvgShiftState shift, float x, float y, float dx, float dy) override;
  void MouseLeave() override;
  void Realign() override;

 private:
  static void Publish(rtl::TPublisher<TvgDockBar>& p);
  // The visible items in the order of their x.
  std::vector<TvgVisualObject*> Items() const;
  void LineUp(const std::vector<TvgVisualObject*>& items);
  void Magnify(const std::vector<TvgVisualObject*>& items);

  TvgPoint FMousePos{0, 0};  // (0, 0): the pointer is away
  float FMaxSize = 64;
  float FMinSize = 32;
  bool FAligning = false;
};

}  // namespace vg
