#include "ui/controls/vg_droptarget.h"

namespace vg {

TvgDropTarget::TvgDropTarget(rtl::TComponent* owner) : TvgTextControl(owner) {
  SetWidth(120);
  SetHeight(120);
  DragDisableHighlight = true;
}

void TvgDropTarget::Publish(rtl::TPublisher<TvgDropTarget>& p) {
  using T = TvgDropTarget;
  p.Property("Font", &T::Font, &T::SetFont);
  p.Property("Text", &T::Text, &T::SetText);
  p.Property("Filter", &T::Filter, &T::SetFilter);
  p.Property("OnDroped", &T::OnDroped);
}

void TvgDropTarget::DragOver(const TvgDragObject& data, TvgPoint point, bool& accept) {
  inherited::DragOver(data, point, accept);
  accept = true;
}

void TvgDropTarget::DragDrop(const TvgDragObject& data, TvgPoint point) {
  inherited::DragDrop(data, point);
  OnDroped(this, data, point);
}

}  // namespace vg
