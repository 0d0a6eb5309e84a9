#pragma once
// A real embedded scene (recording canvas: text measures 7 units a
// character by 13) with the built-in style book and the control classes
// registered, and a background root that test controls are placed on.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/vg_anim_fakes.h"
#include "tests/support/vg_scene_fakes.h"
#include "ui/controls/vg_controls.h"
#include "ui/core/vg_scene.h"

namespace vgtest {

inline void StartControlTests() {
  static bool started = false;
  if (started) return;
  started = true;
  vg::vgStartCore();
  vg::RegisterControlClasses();
}

struct ControlScene : ::testing::Test {
  ManualOneShots timers;
  FakeAniClock clock;
  vg::TvgOwned<vg::TvgScene> scene;
  vg::TvgBackground* root = nullptr;

  void SetUp() override {
    StartControlTests();
    vg::DefaultCanvasClass = &kRecordingCanvasClass;
    scene.reset(new vg::TvgScene(nullptr));
    scene->CreateEmbedded(400, 300, [](rtl::TObject*) {});
    root = new vg::TvgBackground(nullptr);
    root->SetBounds(0, 0, 400, 300);
    scene->AddObject(root);
    timers.FireAll();
  }
  void TearDown() override {
    scene.reset();
    vg::DefaultCanvasClass = nullptr;
  }

  // A control on `parent` (the root by default) with its style applied.
  template <class T>
  T* Add(vg::TvgObject* parent = nullptr) {
    auto* control = new T(nullptr);
    control->SetParent(parent ? parent : root);
    control->ApplyResource();
    return control;
  }
  // Runs the animation clock until every started animation has ended.
  void Settle() {
    for (int i = 0; i < 30; ++i) clock.Step();
  }
};

// A popup menu that keeps its items and where it was opened.
struct RecordedMenu : vg::IvgItemMenu {
  struct Item {
    rtl::WideString caption;
    bool checked, enabled;
    std::function<void()> click;
  };
  std::vector<Item> items;
  int popups = 0, x = 0, y = 0;

  void Clear() override { items.clear(); }
  void Add(const rtl::WideString& caption, bool checked, bool enabled, std::function<void()> click) override {
    items.push_back({caption, checked, enabled, std::move(click)});
  }
  void Popup(int px, int py) override {
    ++popups;
    x = px;
    y = py;
  }
};

}  // namespace vgtest
