#pragma once
// A headless scene for shape and layout tests: it paints nothing itself,
// hands out a canvas (a recording one unless a test installs another) and
// keeps its root nodes.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "tests/support/vg_recording_canvas.h"
#include "ui/core/vg_visual.h"

namespace vgtest {

class ShapeScene : public rtl::TComponent, public vg::IvgScene {
 public:
  ShapeScene() : rtl::TComponent(nullptr) {}

  rtl::TComponent* GetComponent() override { return this; }
  void AddObject(vg::TvgObject* node) override {
    roots.push_back(node);
    node->SetNewScene(this);
  }
  void RemoveObject(vg::TvgObject* node) override {
    std::erase(roots, node);
    node->SetNewScene(nullptr);
  }
  void Notification(vg::TvgObject*, rtl::TOperation) override {}
  void AddUpdateRect(const vg::TvgRect& rect) override { updates.push_back(rect); }
  bool GetDisableUpdate() override { return false; }
  bool GetDesignTime() override { return designTime; }
  vg::TvgObject* GetRoot() override { return nullptr; }
  vg::TvgVisualObject* GetFocused() override { return nullptr; }
  void SetFocused(vg::TvgVisualObject*) override {}
  void UpdateResource() override {}
  vg::TvgCanvas* GetCanvas() override { return canvas; }

  std::vector<vg::TvgObject*> roots;
  std::vector<vg::TvgRect> updates;
  bool designTime = false;
  vg::TvgCanvas* canvas = nullptr;
};

// A scene with a recording canvas; nodes made with Make are roots of it and
// freed with the fixture.
class ShapeTest : public ::testing::Test {
 protected:
  ShapeTest() { scene.canvas = &canvas; }
  ~ShapeTest() override {
    for (vg::TvgObject* node : std::vector<vg::TvgObject*>(scene.roots)) node->Free();
  }

  template <class T>
  T* Make(float width, float height) {
    T* node = new T(nullptr);
    scene.AddObject(node);
    node->SetBounds(0, 0, width, height);
    return node;
  }

  // The calls one paint of node (without its children) makes.
  std::vector<std::string> Paint(vg::TvgVisualObject& node) {
    canvas.Log.clear();
    node.BeforePaint();
    canvas.Log.clear();
    node.Paint();
    return canvas.Log;
  }
  // The logged lines that start with prefix.
  std::vector<std::string> Only(const std::vector<std::string>& log, const std::string& prefix) {
    std::vector<std::string> lines;
    for (const std::string& line : log)
      if (line.rfind(prefix, 0) == 0) lines.push_back(line);
    return lines;
  }

  RecordingCanvas canvas{200, 200};
  ShapeScene scene;
};

}  // namespace vgtest
