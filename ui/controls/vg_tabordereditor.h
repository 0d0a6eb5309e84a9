#pragma once
// The tab-order editor's content: a HUD window titled "TabOrder Editor"
// with "Up" and "Down" and a list of a node's siblings in tab order (each
// by its name, or its class name when it has none). "Up" and "Down" move
// the chosen control one place in the tab order. The windowing layer puts
// it on a borderless modal form (vgEditTabOrder).
#include <vector>

#include "ui/core/vg_visual.h"

namespace vg {

class TvgHudButton;
class TvgHudListBox;
class TvgHudWindow;

class TvgTabOrderEditor {
 public:
  // Builds the content as children of `root` (sized formWidth wide) and
  // lists the siblings of `node`, choosing node.
  TvgTabOrderEditor(TvgObject& root, TvgVisualObject& node, float formWidth);

  TvgHudWindow* Window() const { return FWindow; }
  TvgHudListBox* List() const { return FList; }
  TvgHudButton* UpButton() const { return FUp; }
  TvgHudButton* DownButton() const { return FDown; }
  // The chosen control one place earlier or later in the tab order.
  void MoveUp() { Move(-1); }
  void MoveDown() { Move(1); }

 private:
  // The parent's children in tab order, without its style.
  std::vector<TvgVisualObject*> Listed() const;
  void Fill(TvgVisualObject* chosen);
  void Move(int by);

  TvgVisualObject& FParent;
  TvgHudWindow* FWindow = nullptr;
  TvgHudButton* FUp = nullptr;
  TvgHudButton* FDown = nullptr;
  TvgHudListBox* FList = nullptr;
};

}  // namespace vg
