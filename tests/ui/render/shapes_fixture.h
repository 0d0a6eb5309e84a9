#pragma once
// A headless scene for shape and layout tests: the node-tree test scene that
// also hands out a canvas (a recording one unless a test installs another).
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/vg_recording_canvas.h"
#include "tests/support/vg_headless_scene.h"

namespace vgtest {

class ShapeScene : public HeadlessScene {
 public:
  vg::TvgCanvas* GetCanvas() override { return canvas; }

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
