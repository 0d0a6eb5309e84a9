#pragma once
// The gradient editor: a bar showing a gradient over a checkerboard, with a
// marker per stop below it. A press on a marker makes that stop current
// and starts moving it; a press on the bar adds a stop there (between two
// existing ones); dragging a stop far below the editor removes it on
// release. A linked colour picker shows the current stop's colour.
#include <memory>

#include "ui/controls/vg_colorpicker.h"
#include "ui/core/vg_brush.h"

namespace vg {

class TvgGradientEdit : public TvgControl {
  RTL_CLASS(TvgGradientEdit, TvgControl)

  explicit TvgGradientEdit(rtl::TComponent* owner);
  ~TvgGradientEdit() override;

  TvgGradient* Gradient() const { return FGradient.get(); }
  // Copies the gradient.
  void SetGradient(const TvgGradient* value);
  int CurrentPoint() const { return FCurrentPoint; }
  // Raises OnSelectPoint; the linked picker takes the stop's colour.
  void SetCurrentPoint(int value);
  TvgColorPicker* ColorPicker() const { return FColorPicker; }
  void SetColorPicker(TvgColorPicker* value);
  bool CurrentPointInvisible() const { return FCurrentPointInvisible; }
  // The stop's marker below the bar; empty outside the stops.
  TvgRect GetPointRect(int point);

  void MouseDown(TvgMouseButton button, TvgShiftState shift, float x, float y) override;
  void MouseMove(TvgShiftState shift, float x, float y, float dx, float dy) override;
  void MouseUp(TvgMouseButton button, TvgShiftState shift, float x, float y) override;
  void Paint() override;

  rtl::TNotifyEvent OnChange, OnSelectPoint;

 protected:
  void Notification(rtl::TComponent* component, rtl::TOperation operation) override;

 private:
  static void Publish(rtl::TPublisher<TvgGradientEdit>& p);
  TvgRect BarRect() const;
  // The offset a point's x stands for, 0..1.
  float OffsetAt(float x) const;
  void Changed();
  void UpdatePicker();
  void AddStopAt(float x);
  void MoveCurrentTo(float x, float y);

  std::unique_ptr<TvgBitmap> FBitmap;
  TvgOwned<TvgGradient> FGradient;
  int FCurrentPoint = 0;
  bool FCurrentPointInvisible = false;
  bool FMoving = false;
  TvgColorPicker* FColorPicker = nullptr;
};

}  // namespace vg
