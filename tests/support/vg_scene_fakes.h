#pragma once
// Test-only node classes for scene and style tests: a filled rectangle, a
// text part and a small styled control that keeps its "text" part, plus
// manual one-shot timers (for the scene's deferred draw) and the
// installation of recording canvases as the default canvas class.
#include <functional>
#include <memory>
#include <cstdint>
#include <set>
#include <string>
#include <vector>

#include "platform/rtl/ClassRegistry.h"
#include "tests/support/vg_recording_canvas.h"
#include "ui/core/vg_brush.h"
#include "ui/core/vg_canvas.h"
#include "ui/core/vg_control.h"

namespace vgtest {

// Fills its local rectangle with its Fill.
class TTestRect : public vg::TvgVisualObject {
  RTL_CLASS(TTestRect, vg::TvgVisualObject)

  explicit TTestRect(rtl::TComponent* owner = nullptr) : vg::TvgVisualObject(owner) {}
  ~TTestRect() override { TearDown(); }
  vg::TvgBrush* Fill() const { return fill_.get(); }
  void Paint() override {
    vg::TvgCanvas* canvas = GetCanvas();
    if (!canvas) return;
    canvas->Fill()->Assign(fill_.get());
    canvas->FillRect(GetLocalRect(), 0, 0, vg::AllCorners, GetAbsoluteOpacity());
  }

 private:
  static void Publish(rtl::TPublisher<TTestRect>& p) { p.Property("Fill", &TTestRect::Fill); }
  vg::TvgOwned<vg::TvgBrush> fill_{new vg::TvgBrush(vg::vgBrushSolid, 0xFFFFFFFF)};
};

// Draws its Text.
class TTestText : public vg::TvgVisualObject {
  RTL_CLASS(TTestText, vg::TvgVisualObject)

  explicit TTestText(rtl::TComponent* owner = nullptr) : vg::TvgVisualObject(owner) {}
  ~TTestText() override { TearDown(); }
  const rtl::WideString& Text() const { return text_; }
  void SetText(const rtl::WideString& text) {
    text_ = text;
    Repaint();
  }
  void Paint() override {
    if (vg::TvgCanvas* canvas = GetCanvas())
      canvas->FillText(GetLocalRect(), GetLocalRect(), text_, false, GetAbsoluteOpacity());
  }

 private:
  static void Publish(rtl::TPublisher<TTestText>& p) { p.Property("Text", &TTestText::Text, &TTestText::SetText); }
  rtl::WideString text_;
};

// A focusable control that pushes its caption into the style's "text"
// part and forgets the part when the style goes.
class TvgTestButton : public vg::TvgControl {
  RTL_CLASS(TvgTestButton, vg::TvgControl)

  explicit TvgTestButton(rtl::TComponent* owner = nullptr) : vg::TvgControl(owner) { FCanFocused = true; }
  ~TvgTestButton() override { TearDown(); }
  rtl::WideString Caption = u"OK";
  TTestText* TextPart = nullptr;
  int FreeStyleCalls = 0;

 protected:
  void ApplyStyle() override {
    inherited::ApplyStyle();
    vg::TvgObject* part = FindResource("text");
    TextPart = dynamic_cast<TTestText*>(part);
    if (TextPart) TextPart->SetText(Caption);
  }
  void FreeStyle() override {
    ++FreeStyleCalls;
    TextPart = nullptr;
  }
};

// A control class without a style of its own.
class TvgTestToggle : public TvgTestButton {
  RTL_CLASS(TvgTestToggle, TvgTestButton)
  using TvgTestButton::TvgTestButton;
  ~TvgTestToggle() override { TearDown(); }
};

inline void RegisterSceneTestClasses() { rtl::RegisterClasses<TTestRect, TTestText, TvgTestButton, TvgTestToggle>(); }

// Recording canvases for scenes (Create) and bitmaps.
inline const vg::TvgCanvasClassInfo kRecordingCanvasClass = {
    [](vg::TvgBitmap& bitmap) -> vg::TvgCanvas* { return new RecordingCanvas(bitmap.Width(), bitmap.Height()); },
    [](vg::TvgBitmap& bitmap, int y) -> std::uint32_t* {
      return y >= 0 && y < bitmap.Height() ? bitmap.Bits() + y * bitmap.Width() : nullptr;
    },
    [](int width, int height) -> vg::TvgCanvas* { return new RecordingCanvas(width, height); }};

// One-shot timers that fire only when told to. A timer is known by a serial
// number, so a new timer at a cancelled one's address stays apart from it.
class ManualOneShots {
 public:
  ManualOneShots() {
    previous_ = vg::vgSetOneShotFactory([this](std::uint32_t milliseconds, std::function<void()> fire) {
      auto handle = std::make_unique<Handle>(this, ++serial_);
      if (milliseconds == 0) return handle;  // as the real timer: a zero interval never fires
      pending_.push_back({handle->id_, std::move(fire)});
      return handle;
    });
  }
  ~ManualOneShots() { vg::vgSetOneShotFactory(std::move(previous_)); }
  // Fires every timer pending now; returns how many fired.
  int FireAll() {
    auto due = std::move(pending_);
    pending_.clear();
    for (auto& entry : due)
      if (live_.count(entry.id)) entry.fire();
    return static_cast<int>(due.size());
  }
  std::size_t Pending() const { return pending_.size(); }

 private:
  struct Entry {
    std::uint64_t id;
    std::function<void()> fire;
  };
  struct Handle : vg::IvgOneShot {
    Handle(ManualOneShots* owner, std::uint64_t id) : owner_(owner), id_(id) { owner_->live_.insert(id_); }
    ~Handle() override { owner_->live_.erase(id_); }
    ManualOneShots* owner_;
    std::uint64_t id_;
  };
  std::vector<Entry> pending_;
  std::set<std::uint64_t> live_;
  vg::TvgOneShotFactory previous_;
  std::uint64_t serial_ = 0;
};

}  // namespace vgtest
