#pragma once
// A headless scene for node-tree tests: keeps the root nodes, counts queued
// update rectangles and forgets focused and hovered nodes when they die.
#include <algorithm>
#include <vector>

#include "ui/core/vg_visual.h"

namespace vgtest {

class HeadlessScene : public rtl::TComponent, public vg::IvgScene {
 public:
  HeadlessScene() : rtl::TComponent(nullptr) {}

  using rtl::TComponent::Notification;
  rtl::TComponent* GetComponent() override { return this; }
  void AddObject(vg::TvgObject* node) override {
    roots.push_back(node);
    node->SetNewScene(this);
  }
  void RemoveObject(vg::TvgObject* node) override {
    std::erase(roots, node);
    node->SetNewScene(nullptr);
  }
  void Notification(vg::TvgObject* node, rtl::TOperation operation) override {
    if (operation != rtl::opRemove) return;
    if (node == focused) focused = nullptr;
    if (node == hovered) hovered = nullptr;
    if (node == root) root = nullptr;
  }
  void AddUpdateRect(const vg::TvgRect& rect) override { updates.push_back(rect); }
  bool GetDisableUpdate() override { return false; }
  bool GetDesignTime() override { return designTime; }
  vg::TvgObject* GetRoot() override { return root; }
  vg::TvgVisualObject* GetFocused() override { return focused; }
  void SetFocused(vg::TvgVisualObject* node) override { focused = node; }
  void UpdateResource() override {}

  std::vector<vg::TvgObject*> roots;
  std::vector<vg::TvgRect> updates;
  vg::TvgObject* root = nullptr;
  vg::TvgVisualObject* focused = nullptr;
  vg::TvgObject* hovered = nullptr;
  bool designTime = false;
};

}  // namespace vgtest
