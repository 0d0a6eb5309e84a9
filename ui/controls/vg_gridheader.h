#pragma once
// The grid's header: a row of corner buttons (TvgHeaderItem), one per
// column, followed by a filler item that takes the rest of the width.
// Dragging an item's right edge resizes it (its left edge resizes the item
// before it); dragging an item onto another reorders them. The header only
// reports both through its events; the grid resizes and moves its columns.
#include "ui/controls/vg_buttons.h"

namespace vg {

class TvgHeader;

// Sender, old index, new index of an item moved by drag and drop.
using TvgOnRealignItemEvent = rtl::TEvent<rtl::TObject*, int, int>;
// Sender, and the new width of the item being resized (may be changed).
using TvgOnResizeItemEvent = rtl::TEvent<rtl::TObject*, float&>;

class TvgHeaderItem : public TvgCornerButton {
  RTL_CLASS(TvgHeaderItem, TvgCornerButton)

  // Not focusable, text aligned near, dragged automatically; owns a 3 px
  // splitter along each side.
  explicit TvgHeaderItem(rtl::TComponent* owner);
  ~TvgHeaderItem() override;

  // The parent when it is a header, else nullptr.
  TvgHeader* Header() const;
  TvgVisualObject* Splitter() const { return FSplitter; }
  TvgVisualObject* LeftSplitter() const { return FLeftSplitter; }

  // Accepts another item of the same header over an automatically dragged
  // item (never over the filler).
  void DragOver(const TvgDragObject& data, TvgPoint point, bool& accept) override;
  // Moves the dragged item to this item's place and reports it through the
  // header's OnRealignItem.
  void DragDrop(const TvgDragObject& data, TvgPoint point) override;

 private:
  static void Publish(rtl::TPublisher<TvgHeaderItem>& p);
  TvgVisualObject* MakeSplitter(TvgAlign align);
  // The pointer, in the right splitter's coordinates, sets the item's width.
  void DoSplitterMouseMove(TvgPoint splitterPoint);
  // The pointer, in the left splitter's coordinates, resizes the item before.
  void DoLeftSplitterMouseMove(TvgPoint splitterPoint);

  TvgVisualObject* FSplitter = nullptr;
  TvgVisualObject* FLeftSplitter = nullptr;
};

class TvgHeader : public TvgControl {
  RTL_CLASS(TvgHeader, TvgControl)

  // Clips its children; makes its filler item.
  explicit TvgHeader(rtl::TComponent* owner);
  ~TvgHeader() override;

  std::string ItemClass() const override { return "TvgHeaderItem"; }
  // The child at index when it is an item, else nullptr.
  TvgHeaderItem* GetItem(int index) const;
  // The filler, always the last item.
  TvgHeaderItem* LastItem() const { return FLastItem; }
  // Horizontal shift of every item (the grid's negative scroll position).
  float Offset() const { return FOffset; }
  void SetOffset(float value);
  float Radius() const { return FRadius; }
  void SetRadius(float value);
  TvgSides Sides() const { return FSides; }
  void SetSides(TvgSides value);

  // Lays the visible items side by side from Offset; the filler takes what
  // is left; item corners and sides make the row look like one bar.
  void Realign() override;
  // At design time a dashed frame shows the header's extent.
  void Paint() override;

  TvgOnRealignItemEvent OnRealignItem;
  TvgOnResizeItemEvent OnResizeItem;

 private:
  static void Publish(rtl::TPublisher<TvgHeader>& p);
  void LayOutItems();

  float FOffset = 0;
  TvgHeaderItem* FLastItem = nullptr;
  float FRadius = 0;
  TvgSides FSides = AllSides;
  bool FRealigning = false;
};

}  // namespace vg
