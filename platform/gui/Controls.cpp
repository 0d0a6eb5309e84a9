#include "platform/gui/Controls.h"

#include <utility>

namespace gui {

TControl::TControl(rtl::TComponent* owner) : rtl::TComponent(owner), font_(new TFont) {}

TControl::~TControl() = default;

void TControl::Publish(rtl::TPublisher<TControl>& p) {
  using T = TControl;
  p.Property("Left", &T::Left, &T::SetLeft);
  p.Property("Top", &T::Top, &T::SetTop);
  p.Property("Width", &T::Width, &T::SetWidth);
  p.Property("Height", &T::Height, &T::SetHeight);
}

void TControl::SetBounds(int left, int top, int width, int height) {
  if (left == left_ && top == top_ && width == width_ && height == height_) return;
  Invalidate();
  left_ = left;
  top_ = top;
  width_ = width;
  height_ = height;
  Invalidate();
  BoundsChanged();
}

void TControl::SetCaption(const rtl::WideString& value) {
  if (value == caption_) return;
  caption_ = value;
  TextChanged();
}

void TControl::SetColor(TColor value) {
  if (value == color_) return;
  color_ = value;
  parentColor_ = false;
  ColorChanged();
}

void TControl::SetFont(const TFont* value) {
  font_->Assign(value);
  parentFont_ = false;
  FontChanged();
}

void TControl::SetEnabled(bool value) {
  if (value == enabled_) return;
  enabled_ = value;
  EnabledChanged();
}

void TControl::SetVisible(bool value) {
  if (value == visible_) return;
  visible_ = value;
  VisibleChanged();
}

void TControl::ParentColorChanged() {
  if (parentColor_ && parentControl_) {
    color_ = parentControl_->BackgroundColor();
    ColorChanged();
  }
}

void TControl::Invalidate() {
  if (parentControl_ && visible_) parentControl_->InvalidateRect(BoundsRect());
}

void TControl::SetParentComponent(rtl::TComponent* value) {
  if (value == parent_) return;
  Invalidate();
  if (parent_) parent_->RemoveFreeNotification(this);
  parent_ = value;
  parentControl_ = dynamic_cast<IControlParent*>(value);
  if (parent_) parent_->FreeNotification(this);
  ParentColorChanged();
  Invalidate();
}

void TControl::Notification(rtl::TComponent* component, rtl::TOperation operation) {
  inherited::Notification(component, operation);
  if (operation == rtl::opRemove && component == parent_) {
    parent_ = nullptr;
    parentControl_ = nullptr;
  }
}

void TGraphicControl::PaintOn(TCanvas& canvas) {
  TCanvas* previous = std::exchange(canvas_, &canvas);
  Paint();
  canvas_ = previous;
}

}  // namespace gui
