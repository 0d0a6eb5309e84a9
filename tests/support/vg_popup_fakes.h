#pragma once
// A popup platform without windows: each popup window is an embedded scene
// whose bounds, showing and modal result the test reads and sets; the work
// area and the mouse pointer are fields. Installs itself for its lifetime.
#include <memory>
#include <vector>

#include "ui/core/vg_popup.h"
#include "ui/core/vg_scene.h"

namespace vgtest {

class FakePopupWindow final : public vg::IvgPopupWindow {
 public:
  explicit FakePopupWindow(vg::TvgPopup& popup) : Popup(popup) {
    scene_->CreateEmbedded(1, 1, [](rtl::TObject*) {});
  }
  vg::TvgCustomScene& Scene() override { return *scene_; }
  void SetBounds(int left, int top, int width, int height) override {
    bounds_ = {float(left), float(top), float(left + width), float(top + height)};
  }
  vg::TvgRect Bounds() override { return bounds_; }
  void Show() override { ++Shows; }
  void Hide() override { ++Hides; }
  vg::TvgModalResult ModalResult() override { return modalResult_; }
  void SetModalResult(vg::TvgModalResult value) override { modalResult_ = value; }

  vg::TvgPopup& Popup;
  int Shows = 0;
  int Hides = 0;
  bool Released = false;

 private:
  vg::TvgOwned<vg::TvgScene> scene_{new vg::TvgScene(nullptr)};
  vg::TvgRect bounds_{};
  vg::TvgModalResult modalResult_ = 0;
};

class FakePopupPlatform final : public vg::IvgPopupPlatform {
 public:
  FakePopupPlatform() { vg::vgSetPopupPlatform(this); }
  ~FakePopupPlatform() override { vg::vgSetPopupPlatform(nullptr); }

  std::unique_ptr<vg::IvgPopupWindow> CreateWindow(vg::TvgPopup& popup, vg::IvgScene*) override {
    auto window = std::make_unique<FakePopupWindow>(popup);
    Windows.push_back(window.get());
    return window;
  }
  // Kept (hidden) until the platform goes, so tests can still read them.
  void ReleaseWindow(std::unique_ptr<vg::IvgPopupWindow> window) override {
    static_cast<FakePopupWindow*>(window.get())->Released = true;
    released_.push_back(std::move(window));
  }
  vg::TvgRect WorkArea(vg::TvgPoint) override { return Work; }
  vg::TvgPoint CursorPos() override { return Cursor; }

  FakePopupWindow* Last() const { return Windows.empty() ? nullptr : Windows.back(); }

  std::vector<FakePopupWindow*> Windows;
  vg::TvgRect Work{0, 0, 1920, 1080};
  vg::TvgPoint Cursor{0, 0};

 private:
  std::vector<std::unique_ptr<vg::IvgPopupWindow>> released_;
};

}  // namespace vgtest
