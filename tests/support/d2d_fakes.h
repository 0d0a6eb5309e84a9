#pragma once
// Render targets that fail as devices do. While a FaultyD2DFactory lives,
// every Direct2D-style canvas takes its targets from it: real targets that
// draw as usual, whose EndDraw can report a lost device and whose window
// state can be occluded.
#include "platform/d2d/D2D.h"
#include "ui/render/vg_canvas_d2d.h"

namespace vgtest {

class FaultyD2DFactory : public d2d::Factory {
 public:
  FaultyD2DFactory() { vg::RouteD2DFactory(this); }
  ~FaultyD2DFactory() override { vg::RouteD2DFactory(nullptr); }

  bool occluded = false;
  int lostFrames = 0;   // so many next EndDraw calls report a lost device
  int targetsMade = 0;

  std::unique_ptr<d2d::RenderTarget> CreateBitmapRenderTarget(std::uint32_t* pixels,
                                                              d2d::SizeU size) override {
    ++targetsMade;
    return std::make_unique<Target>(*this, d2d::RenderTarget::BitmapTarget, pixels, size);
  }
  std::unique_ptr<d2d::RenderTarget> CreateHwndRenderTarget(std::uintptr_t, d2d::SizeU size) override {
    ++targetsMade;
    return std::make_unique<Target>(*this, d2d::RenderTarget::WindowTarget, size);
  }
  std::unique_ptr<d2d::RenderTarget> CreateDCRenderTarget() override {
    ++targetsMade;
    return std::make_unique<Target>(*this, d2d::RenderTarget::DCTarget, d2d::SizeU{});
  }

 private:
  class Target : public d2d::RenderTarget {
   public:
    template <class... Args>
    explicit Target(FaultyD2DFactory& owner, Args... args) : RenderTarget(args...), owner_(owner) {}
    d2d::HRESULT EndDraw() override {
      const d2d::HRESULT result = RenderTarget::EndDraw();
      if (owner_.lostFrames == 0) return result;
      --owner_.lostFrames;
      return d2d::D2DERR_RECREATE_TARGET;
    }
    unsigned CheckWindowState() override { return owner_.occluded ? d2d::WINDOW_STATE_OCCLUDED : 0; }

   private:
    FaultyD2DFactory& owner_;
  };
};

}  // namespace vgtest
