#pragma once
// The class library's controls as far as the program's graphic controls
// need them: TControl (bounds, caption, colour, font, enabled and visible
// state, mouse events, the change notifications a subclass may override)
// and TGraphicControl, which has no window and paints on its parent's
// canvas. A control joins a parent through the form streaming
// (SetParentComponent); a parent that offers IControlParent supplies its
// background and repaints the control's area, any other parent (a form
// that draws no graphic controls) leaves the control unpainted.
#include <memory>

#include "platform/gui/Canvas.h"
#include "platform/rtl/Component.h"

namespace gui {

RTL_ENUM(TControlStyleFlag, csOpaque, csReplicatable, csParentBackground)
using TControlStyle = rtl::TSet<TControlStyleFlag>;

using TMouseEvent = rtl::TEvent<rtl::TObject*, TMouseButton, TShiftState, int, int>;
using TMouseMoveEvent = rtl::TEvent<rtl::TObject*, TShiftState, int, int>;

// What a windowed parent offers the graphic controls on it.
class IControlParent {
 public:
  virtual TColor BackgroundColor() = 0;
  // Paints the parent's background of `rect` (parent coordinates) into a
  // canvas whose origin is rect's top-left corner.
  virtual void PaintBackground(TCanvas& canvas, const TRect& rect) = 0;
  // Asks for a repaint of rect (parent coordinates).
  virtual void InvalidateRect(const TRect& rect) = 0;

 protected:
  ~IControlParent() = default;
};

class TControl : public rtl::TComponent {
  RTL_CLASS(TControl, rtl::TComponent)

  explicit TControl(rtl::TComponent* owner);
  ~TControl() override;

  int Left() const { return left_; }
  int Top() const { return top_; }
  int Width() const { return width_; }
  int Height() const { return height_; }
  void SetLeft(int value) { SetBounds(value, top_, width_, height_); }
  void SetTop(int value) { SetBounds(left_, value, width_, height_); }
  void SetWidth(int value) { SetBounds(left_, top_, value, height_); }
  void SetHeight(int value) { SetBounds(left_, top_, width_, value); }
  void SetBounds(int left, int top, int width, int height);
  TRect BoundsRect() const { return {left_, top_, left_ + width_, top_ + height_}; }
  TRect ClientRect() const { return {0, 0, width_, height_}; }

  const rtl::WideString& Caption() const { return caption_; }
  void SetCaption(const rtl::WideString& value);
  TColor Color() const { return color_; }
  void SetColor(TColor value);
  bool ColorStored() const { return !parentColor_; }
  bool ParentColor() const { return parentColor_; }
  void SetParentColor(bool value) { parentColor_ = value; }
  TFont* Font() const { return font_.get(); }
  void SetFont(const TFont* value);
  bool FontStored() const { return !parentFont_; }
  bool ParentFont() const { return parentFont_; }
  void SetParentFont(bool value) { parentFont_ = value; }
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool value);
  bool Visible() const { return visible_; }
  void SetVisible(bool value);
  const rtl::WideString& Hint() const { return hint_; }
  bool ShowHint() const { return showHint_; }
  void SetShowHint(bool value) { showHint_ = value; }
  bool ParentShowHint() const { return parentShowHint_; }
  void SetParentShowHint(bool value) { parentShowHint_ = value; }
  TControlStyle ControlStyle() const { return controlStyle_; }
  void SetControlStyle(TControlStyle value) { controlStyle_ = value; }

  // The parent component and, when it offers one, its drawing interface.
  rtl::TComponent* Parent() const { return parent_; }
  IControlParent* ParentControl() const { return parentControl_; }
  // Asks the parent to repaint the control's area.
  void Invalidate();

  // Change notifications, each after the value changed.
  virtual void TextChanged() {}
  virtual void FontChanged() {}
  virtual void ColorChanged() {}
  virtual void EnabledChanged() { Invalidate(); }
  virtual void VisibleChanged() { Invalidate(); }
  virtual void BoundsChanged() {}
  virtual void ParentColorChanged();
  virtual void MouseEnter() {}
  virtual void MouseLeave() {}

  rtl::TNotifyEvent OnClick, OnDblClick;
  TMouseEvent OnMouseDown, OnMouseUp;
  TMouseMoveEvent OnMouseMove;

  // Streaming: a control is a child of the component it sits on.
  bool HasParent() const override { return true; }
  rtl::TComponent* GetParentComponent() const override { return parent_; }
  void SetParentComponent(rtl::TComponent* value) override;

  static void Publish(rtl::TPublisher<TControl>& p);

 protected:
  void Notification(rtl::TComponent* component, rtl::TOperation operation) override;

 private:
  int left_ = 0, top_ = 0, width_ = 0, height_ = 0;
  rtl::WideString caption_, hint_;
  TColor color_ = clBtnFace;
  bool parentColor_ = true, parentFont_ = true, enabled_ = true, visible_ = true, showHint_ = false,
       parentShowHint_ = true;
  std::unique_ptr<TFont> font_;
  TControlStyle controlStyle_;
  rtl::TComponent* parent_ = nullptr;
  IControlParent* parentControl_ = nullptr;
};

class TGraphicControl : public TControl {
  RTL_CLASS(TGraphicControl, TControl)

  using TControl::TControl;

  // The canvas being painted on, nullptr outside painting.
  TCanvas* Canvas() const { return canvas_; }
  // Paints the control on `canvas`, whose origin is the control's top-left
  // corner and which the caller clips to the control.
  void PaintOn(TCanvas& canvas);

 protected:
  virtual void Paint() {}

 private:
  TCanvas* canvas_ = nullptr;
};

}  // namespace gui
