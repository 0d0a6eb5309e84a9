#pragma once
// Fakes for headless tests of animations, effects and painting: a clock that
// moves only when told to, a scene that records what nodes queue with it,
// and a visual node with a fill that logs its painting.
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "ui/core/vg_ani.h"
#include "ui/core/vg_brush.h"
#include "ui/core/vg_canvas.h"
#include "ui/core/vg_visual.h"

namespace vgtest {

// Installs itself as the animation clock for its lifetime; frees the global
// animation clock and puts the clock installed before back when it goes.
class FakeAniClock final : public vg::IvgAniClock {
 public:
  explicit FakeAniClock(double startMs = 0) : nowMs_(startMs), previous_(vg::vgSetAniClock(this)) {}
  ~FakeAniClock() override {
    vg::vgFreeAniThread();
    vg::vgSetAniClock(previous_);
  }

  double MonotonicMs() override { return nowMs_; }
  std::unique_ptr<vg::IvgTimer> StartTimer(std::uint32_t intervalMs, std::function<void()> tick) override {
    interval_ = intervalMs;
    auto handle = std::make_unique<Handle>(this);
    tick_ = std::move(tick);
    return handle;
  }
  // Lets one timer interval pass, then calls OnWait.
  void WaitForEvent() override {
    Step();
    if (OnWait) OnWait();
  }

  // Advances the time by ms and fires the timer when it runs.
  void Step(double ms = 33) {
    nowMs_ += ms;
    ++waits_;
    if (tick_) tick_();
  }
  void Advance(double ms) { nowMs_ += ms; }
  bool Ticking() const { return static_cast<bool>(tick_); }
  std::uint32_t Interval() const { return interval_; }
  int Waits() const { return waits_; }
  std::function<void()> OnWait;

 private:
  struct Handle final : vg::IvgTimer {
    explicit Handle(FakeAniClock* clock) : clock_(clock) {}
    ~Handle() override { clock_->tick_ = nullptr; }
    FakeAniClock* clock_;
  };

  double nowMs_;
  vg::IvgAniClock* previous_;
  std::uint32_t interval_ = 0;
  int waits_ = 0;
  std::function<void()> tick_;
};

// A scene that keeps the rectangles queued with it.
class FakeScene final : public vg::IvgScene {
 public:
  explicit FakeScene(vg::TvgCanvas* canvas = nullptr) : canvas_(canvas) {}

  rtl::TComponent* GetComponent() override { return nullptr; }
  void AddObject(vg::TvgObject*) override {}
  void RemoveObject(vg::TvgObject*) override {}
  void Notification(vg::TvgObject*, rtl::TOperation) override {}
  void AddUpdateRect(const vg::TvgRect& rect) override { Queued.push_back(rect); }
  bool GetDisableUpdate() override { return DisableUpdate; }
  void SetDisableUpdate(bool value) override { DisableUpdate = value; }
  bool GetDesignTime() override { return DesignTime; }
  vg::TvgObject* GetRoot() override { return nullptr; }
  vg::TvgVisualObject* GetFocused() override { return nullptr; }
  void SetFocused(vg::TvgVisualObject*) override {}
  void UpdateResource() override {}
  vg::TvgCanvas* GetCanvas() override { return canvas_; }
  int GetUpdateRectsCount() override { return static_cast<int>(Dirty.size()); }
  vg::TvgRect GetUpdateRect(int index) override { return Dirty[index]; }

  std::vector<vg::TvgRect> Queued;  // by AddUpdateRect
  std::vector<vg::TvgRect> Dirty;   // the draw pass's dirty rectangles
  bool DisableUpdate = false;
  bool DesignTime = false;

 private:
  vg::TvgCanvas* canvas_;
};

// A visual node with a fill brush that fills its local rectangle when painted.
class FakeShape : public vg::TvgVisualObject {
  RTL_CLASS(FakeShape, vg::TvgVisualObject)

  explicit FakeShape(rtl::TComponent* owner = nullptr) : vg::TvgVisualObject(owner) {}
  vg::TvgBrush* Fill() const { return fill_.get(); }
  vg::TvgBitmap* Bitmap() const { return bitmap_.get(); }
  void SetFocusState(bool focused) { FCanFocused = FIsFocused = focused; }
  void SetMouseOver(bool over) { FIsMouseOver = over; }
  void SetDragOver(bool over) { FIsDragOver = over; }
  bool Control = false;

  void Paint() override {
    if (vg::TvgCanvas* canvas = GetCanvas()) canvas->FillRect(GetLocalRect(), 0, 0, vg::AllCorners, 1);
  }

 protected:
  bool IsControl() const override { return Control; }

 private:
  static void Publish(rtl::TPublisher<FakeShape>& p) {
    p.Property("Fill", &FakeShape::Fill);
    p.Property("Bitmap", &FakeShape::Bitmap);
  }
  vg::TvgOwned<vg::TvgBrush> fill_{new vg::TvgBrush(vg::vgBrushSolid, 0xFF000000)};
  vg::TvgOwned<vg::TvgBitmap> bitmap_{new vg::TvgBitmap(1, 1)};
};

}  // namespace vgtest
