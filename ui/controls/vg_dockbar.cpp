#include "ui/controls/vg_dockbar.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace vg {

namespace {

bool Spans(const TvgVisualObject& item, float x) {
  const float left = item.Position()->X();
  return left <= x && x <= left + item.Width();
}

}  // namespace

void TvgDockBar::Publish(rtl::TPublisher<TvgDockBar>& p) {
  using T = TvgDockBar;
  p.Property("MinSize", &T::MinSize, &T::SetMinSize).Default(32.0f);
  p.Property("MaxSize", &T::MaxSize, &T::SetMaxSize).Default(64.0f);
}

void TvgDockBar::MouseMove(TvgShiftState shift, float x, float y, float dx, float dy) {
  inherited::MouseMove(shift, x, y, dx, dy);
  FMousePos = {x, y};
  Realign();
}

void TvgDockBar::MouseLeave() {
  inherited::MouseLeave();
  FMousePos = {0, 0};
  Realign();
}

std::vector<TvgVisualObject*> TvgDockBar::Items() const {
  std::vector<TvgVisualObject*> items;
  for (TvgObject* child : Children())
    if (child != ResourceLink() && child->IsVisual() && child->Visual()->Visible()) items.push_back(child->Visual());
  std::stable_sort(items.begin(), items.end(),
                   [](TvgVisualObject* a, TvgVisualObject* b) { return a->Position()->X() < b->Position()->X(); });
  return items;
}

void TvgDockBar::Realign() {
  inherited::Realign();
  if (FAligning || IsLoading() || ChildrenCount() == 0) return;
  FAligning = true;
  const std::vector<TvgVisualObject*> items = Items();
  if (FMousePos.X == 0)
    LineUp(items);
  else
    Magnify(items);
  FAligning = false;
}

void TvgDockBar::LineUp(const std::vector<TvgVisualObject*>& items) {
  const float left = Width() / 2 - float(items.size()) * FMinSize / 2;
  for (std::size_t i = 0; i < items.size(); ++i)
    items[i]->SetBounds(left + float(i) * FMinSize, Height() - FMinSize, FMinSize, FMinSize);
}

void TvgDockBar::Magnify(const std::vector<TvgVisualObject*>& items) {
  const float pointer = FMousePos.X;
  const bool hovered =
      std::any_of(items.begin(), items.end(), [pointer](TvgVisualObject* item) { return Spans(*item, pointer); });
  const float reach = 1.5f * FMaxSize;
  float total = float(items.size()) * FMinSize;
  for (TvgVisualObject* item : items) {
    float size = FMinSize;
    if (Spans(*item, pointer)) {
      size = FMaxSize;
    } else {
      const float distance = item->Width() / 2 + item->Position()->X() - pointer;
      if (std::abs(distance) < reach && hovered)
        size = FMinSize + std::sin(distance / reach * std::numbers::pi_v<float> / 2 + std::numbers::pi_v<float> / 2) *
                              (FMaxSize - FMinSize);
    }
    item->SetWidth(size);
    item->SetHeight(size);
    total += size - FMinSize;
  }
  float x = Width() / 2 - total / 2;
  for (TvgVisualObject* item : items) {
    item->Position()->SetPoint({x, Height() - item->Height() - 1});
    x += item->Width();
  }
}

}  // namespace vg
