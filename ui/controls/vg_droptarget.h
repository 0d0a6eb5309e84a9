#pragma once
// TvgDropTarget: a labelled area that accepts anything dragged over it and
// reports each drop through OnDroped. Filter is kept for forms; the area
// itself accepts everything.
#include "ui/controls/vg_textcontrol.h"

namespace vg {

using TvgDragDropEvent = rtl::TEvent<rtl::TObject*, const TvgDragObject&, TvgPoint>;

class TvgDropTarget : public TvgTextControl {
  RTL_CLASS(TvgDropTarget, TvgTextControl)

  explicit TvgDropTarget(rtl::TComponent* owner);

  const std::string& Filter() const { return FFilter; }
  void SetFilter(const std::string& value) { FFilter = value; }

  void DragOver(const TvgDragObject& data, TvgPoint point, bool& accept) override;
  void DragDrop(const TvgDragObject& data, TvgPoint point) override;

  TvgDragDropEvent OnDroped;

 private:
  static void Publish(rtl::TPublisher<TvgDropTarget>& p);

  std::string FFilter;
};

}  // namespace vg
