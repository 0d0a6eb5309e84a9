#pragma once
// Window frames drawn inside a scene, and their parts: the close button
// (closes the form the scene sits on, or does what the window says) and the
// size grip (dragged by the scene's input routing). TvgWindow shows or
// hides its style's "close" and "sizegrip" parts; TvgHudWindow also hands
// its fill, outline and caption settings to the parts "back", "stroke",
// "caption" and "text".
#include "ui/controls/vg_textcontrol.h"

namespace vg {

class TvgCloseButton : public TvgControl {
  RTL_CLASS(TvgCloseButton, TvgControl)

  explicit TvgCloseButton(rtl::TComponent* owner);

  bool CloseForm() const { return FCloseForm; }
  void SetCloseForm(bool value) { FCloseForm = value; }

  void MouseDown(TvgMouseButton button, TvgShiftState shift, float x, float y) override;
  // After a press on the button, wherever the release: closes the form
  // (with CloseForm), then raises OnClick.
  void MouseUp(TvgMouseButton button, TvgShiftState shift, float x, float y) override;

  // The button's own click event (the node's OnClick is not raised).
  rtl::TNotifyEvent OnClick;

 private:
  static void Publish(rtl::TPublisher<TvgCloseButton>& p);
  bool FPressing = false;
  bool FCloseForm = true;
};

class TvgHudCloseButton : public TvgCloseButton {
  RTL_CLASS(TvgHudCloseButton, TvgCloseButton)
  using TvgCloseButton::TvgCloseButton;
};

class TvgSizeGrip : public TvgControl {
  RTL_CLASS(TvgSizeGrip, TvgControl)
  using TvgControl::TvgControl;
};

class TvgHudSizeGrip : public TvgSizeGrip {
  RTL_CLASS(TvgHudSizeGrip, TvgSizeGrip)
  using TvgSizeGrip::TvgSizeGrip;
};

class TvgWindow : public TvgTextControl {
  RTL_CLASS(TvgWindow, TvgTextControl)

  explicit TvgWindow(rtl::TComponent* owner);

  bool ShowCloseButton() const { return FShowCloseButton; }
  void SetShowCloseButton(bool value);
  bool ShowSizeGrip() const { return FShowSizeGrip; }
  void SetShowSizeGrip(bool value);

  // Assigned, a click on the close part runs this instead of closing the
  // form.
  rtl::TNotifyEvent OnCloseClick;

 protected:
  void ApplyStyle() override;

 private:
  static void Publish(rtl::TPublisher<TvgWindow>& p);
  bool FShowCloseButton = true;
  bool FShowSizeGrip = true;
};

RTL_ENUM(TvgCloseAlign, vgButtonAlignLeft, vgButtonAlignRight)

class TvgHudWindow : public TvgWindow {
  RTL_CLASS(TvgHudWindow, TvgWindow)

  explicit TvgHudWindow(rtl::TComponent* owner);
  ~TvgHudWindow() override;

  bool DisableShadowOnOSX() const { return FDisableShadowOnOSX; }
  void SetDisableShadowOnOSX(bool value);
  TvgBrush* Fill() const { return FFill.get(); }
  void SetFill(const TvgBrush* value) { FFill->Assign(value); }
  TvgBrush* Stroke() const { return FStroke.get(); }
  void SetStroke(const TvgBrush* value) { FStroke->Assign(value); }
  float StrokeThickness() const { return FStrokeThickness; }
  void SetStrokeThickness(float value) { UpdateStyle(FStrokeThickness, value); }
  TvgStrokeCap StrokeCap() const { return FStrokeCap; }
  void SetStrokeCap(TvgStrokeCap value) { UpdateStyle(FStrokeCap, value); }
  TvgStrokeDash StrokeDash() const { return FStrokeDash; }
  void SetStrokeDash(TvgStrokeDash value) { UpdateStyle(FStrokeDash, value); }
  TvgStrokeJoin StrokeJoin() const { return FStrokeJoin; }
  void SetStrokeJoin(TvgStrokeJoin value) { UpdateStyle(FStrokeJoin, value); }
  TvgCloseAlign ButtonAlign() const { return FCloseAlign; }
  void SetCloseAlign(TvgCloseAlign value) { UpdateStyle(FCloseAlign, value); }
  bool ShowCaption() const { return FShowCaption; }
  void SetShowCaption(bool value) { UpdateStyle(FShowCaption, value); }

 protected:
  void ApplyStyle() override;

 private:
  static void Publish(rtl::TPublisher<TvgHudWindow>& p);
  template <class T>
  void UpdateStyle(T& field, T value) {
    if (field == value) return;
    field = value;
    if (!IsLoading()) ApplyStyle();
  }
  bool StrokeThicknessStored() const { return FStrokeThickness != 1; }

  bool FDisableShadowOnOSX = true;
  TvgOwned<TvgBrush> FFill;
  float FStrokeThickness = 1;
  TvgOwned<TvgBrush> FStroke;
  TvgStrokeCap FStrokeCap = vgCapFlat;
  TvgStrokeDash FStrokeDash = vgDashSolid;
  TvgStrokeJoin FStrokeJoin = vgJoinMiter;
  TvgCloseAlign FCloseAlign = vgButtonAlignLeft;
  bool FShowCaption = true;
};

class TvgLayerWindow : public TvgHudWindow {
  RTL_CLASS(TvgLayerWindow, TvgHudWindow)
  using TvgHudWindow::TvgHudWindow;
};

}  // namespace vg
