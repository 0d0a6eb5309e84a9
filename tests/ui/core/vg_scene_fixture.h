#pragma once
// An embedded scene of 100 x 100 drawing into a recording canvas, with the
// test style books and classes registered once.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "EmbeddedResources_vg_test_styles.h"
#include "platform/rtl/Resources.h"
#include "tests/support/vg_anim_fakes.h"
#include "tests/support/vg_scene_fakes.h"
#include "ui/core/vg_scene.h"

namespace vgtest {

inline void StartSceneTests() {
  static bool started = false;
  if (started) return;
  started = true;
  vg::vgStartCore();
  RegisterSceneTestClasses();
  RegisterResources_vg_test_styles();
}

struct EmbeddedScene : ::testing::Test {
  ManualOneShots timers;
  FakeAniClock clock;
  vg::TvgOwned<vg::TvgScene> scene;
  int flushes = 0;

  void SetUp() override {
    StartSceneTests();
    vg::DefaultCanvasClass = &kRecordingCanvasClass;
    scene.reset(new vg::TvgScene(nullptr));
    scene->CreateEmbedded(100, 100, [this](rtl::TObject*) { ++flushes; });
    timers.FireAll();
    Log().clear();
    flushes = 0;
  }
  void TearDown() override {
    scene.reset();
    vg::DefaultCanvasClass = nullptr;
  }

  std::vector<std::string>& Log() { return static_cast<RecordingCanvas*>(scene->Canvas())->Log; }
  // The lines of the log that start with prefix.
  std::vector<std::string> Lines(const std::string& prefix) {
    std::vector<std::string> lines;
    std::copy_if(Log().begin(), Log().end(), std::back_inserter(lines),
                 [&](const std::string& line) { return line.rfind(prefix, 0) == 0; });
    return lines;
  }
  // Draws what is queued, as the posted draw would.
  void DrawQueued() { timers.FireAll(); }
  template <class T>
  T* AddRoot(float width = 100, float height = 100) {
    auto* node = new T(nullptr);
    node->SetBounds(0, 0, width, height);
    scene->AddObject(node);
    return node;
  }
  template <class T>
  T* Add(vg::TvgObject* parent, float x, float y, float width, float height) {
    auto* node = new T(nullptr);
    node->SetParent(parent);
    node->SetBounds(x, y, width, height);
    return node;
  }
};

}  // namespace vgtest
