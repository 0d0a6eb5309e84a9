#pragma once
// Fakes of the back-end classes for headless tests of ui/core: a canvas that
// draws bitmaps nearest-neighbour under its matrix, and an image filter that
// stores a small text form instead of PNG or JPEG.
#include <algorithm>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "ui/core/vg_bitmap.h"
#include "ui/core/vg_brush.h"
#include "ui/core/vg_pathdata.h"

namespace vgtest {

class FakeCanvas : public vg::TvgCanvas {
  RTL_CLASS(FakeCanvas, vg::TvgCanvas)

  explicit FakeCanvas(vg::TvgBitmap& target) : target_(target) {}
  void DrawBitmap(vg::TvgBitmap& bitmap, const vg::TvgRect& source, const vg::TvgRect& dest,
                  float opacity, bool highSpeed) override;
  void DrawThumbnail(vg::TvgBitmap& bitmap, float width, float height) override;

  static const vg::TvgCanvasClassInfo Class;

 private:
  vg::TvgBitmap& target_;
};

// "fake:<format>:<params>:<width>x<height>:<pixels in hex>" in the stream.
class FakeFilter : public vg::TvgFilter {
  RTL_CLASS(FakeFilter, vg::TvgFilter)

  bool LoadFromStream(rtl::TStream& stream, vg::TvgBitmap& bitmap) override;
  bool SaveToStream(rtl::TStream& stream, vg::TvgBitmap& bitmap, const std::string& format,
                    const std::string& params) override;
  bool LoadFromFile(const std::string& fileName, float rotation, vg::TvgBitmap& bitmap) override;

  static const vg::TvgFilterClassInfo Class;
  static inline std::vector<std::string> Saved;  // "format params" of every save
};

// A named style node holding a brush, a path and a bitmap, found through
// vg::vgFindResource while it is registered; it clears every link when it goes.
class FakeResourceNode : public vg::IvgResourceNode {
 public:
  explicit FakeResourceNode(std::string name) : name_(std::move(name)) { Registry()[name_] = this; }
  virtual ~FakeResourceNode() {
    Registry().erase(name_);
    for (vg::IvgFreeNotification* link : std::vector(links_)) link->FreeNotification(this);
  }

  std::string GetResourceName() const override { return name_; }
  void AddFreeNotify(vg::IvgFreeNotification* link) override { links_.push_back(link); }
  void RemoveFreeNotify(vg::IvgFreeNotification* link) override {
    links_.erase(std::remove(links_.begin(), links_.end(), link), links_.end());
  }
  vg::TvgPathData* ResourcePath() override { return &path; }
  vg::TvgBrush* ResourceBrush() override { return &brush; }
  vg::TvgBitmap* ResourceBitmap() override { return &bitmap; }
  size_t LinkCount() const { return links_.size(); }

  vg::TvgPathData path;
  vg::TvgBrush brush{vg::vgBrushSolid, 0xFFFF0000};
  vg::TvgBitmap bitmap;

  static vg::IvgResourceNode* Find(const std::string& name) {
    auto it = Registry().find(name);
    return it == Registry().end() ? nullptr : it->second;
  }

 private:
  static std::map<std::string, FakeResourceNode*>& Registry() {
    static std::map<std::string, FakeResourceNode*> registry;
    return registry;
  }
  std::string name_;
  std::vector<vg::IvgFreeNotification*> links_;
};

// A node that offers free notification, as every toolkit node does.
class FakeNode : public rtl::TComponent, public vg::IvgFreeNotifier {
  RTL_CLASS(FakeNode, rtl::TComponent)

  FakeNode() : rtl::TComponent(nullptr) {}
  ~FakeNode() override {
    for (vg::IvgFreeNotification* link : std::vector(links_)) link->FreeNotification(this);
  }
  void AddFreeNotify(vg::IvgFreeNotification* link) override { links_.push_back(link); }
  void RemoveFreeNotify(vg::IvgFreeNotification* link) override {
    links_.erase(std::remove(links_.begin(), links_.end(), link), links_.end());
  }
  size_t LinkCount() const { return links_.size(); }

 private:
  std::vector<vg::IvgFreeNotification*> links_;
};

// Installs the fakes for a test's lifetime.
struct FakeBackEnd {
  FakeBackEnd() {
    vg::DefaultCanvasClass = &FakeCanvas::Class;
    vg::DefaultFilterClass = &FakeFilter::Class;
    vg::vgFindResource = &FakeResourceNode::Find;
    FakeFilter::Saved.clear();
  }
  ~FakeBackEnd() {
    vg::DefaultCanvasClass = nullptr;
    vg::DefaultFilterClass = nullptr;
    vg::vgFindResource = nullptr;
  }
};

}  // namespace vgtest
