#pragma once
// TvgSplitter: a bar aligned beside a sibling that resizes that sibling
// while dragged, between MinSize and what the parent leaves over; the
// parent's realignment then moves the splitter along.
#include "ui/core/vg_control.h"

namespace vg {

constexpr std::int16_t vgCursorHSplit = -14, vgCursorVSplit = -15;

class TvgSplitter : public TvgControl {
  RTL_CLASS(TvgSplitter, TvgControl)

  // 5 wide, aligned vaLeft.
  explicit TvgSplitter(rtl::TComponent* owner);
  ~TvgSplitter() override;

  float MinSize() const { return FMinSize; }
  void SetMinSize(float value) { FMinSize = value; }
  bool ShowGrip() const { return FShowGrip; }
  // Shows or hides the style's "grip" part.
  void SetShowGrip(bool value);
  // Also picks the cursor: row resize for vaTop and vaBottom, else column.
  void SetAlign(TvgAlign value) override;

  void MouseDown(TvgMouseButton button, TvgShiftState shift, float x, float y) override;
  void MouseMove(TvgShiftState shift, float x, float y, float dx, float dy) override;
  void MouseUp(TvgMouseButton button, TvgShiftState shift, float x, float y) override;

 protected:
  void ApplyStyle() override;

 private:
  static void Publish(rtl::TPublisher<TvgSplitter>& p);
  bool Horizontal() const;
  // The sibling beside the splitter's aligned side, or nullptr.
  TvgVisualObject* FindSibling();
  float LimitSize();
  // The sibling's size for a pointer point; corrects FSplit for the clamp.
  float SizeFor(TvgPoint p);
  void ApplySize(float size);

  bool FPressed = false;
  TvgVisualObject* FControl = nullptr;
  TvgPoint FDownPos{0, 0};
  float FMinSize = 20;
  float FMaxSize = 0;
  float FNewSize = 0;
  float FOldSize = 0;
  float FSplit = 0;
  bool FShowGrip = true;
};

}  // namespace vg
