#pragma once
// TvgFrame shows the node tree of another scene inside the current one: it
// borrows that scene's root as its child (aligned to the frame) and hands
// it back when it lets go. A scene already shown in another frame is shown
// from a copy: a new instance of the class of the scene's owner (its form),
// made on the frame's next paint and freed when the frame lets go of it.
// The borrowed root is never streamed with the frame. In the designer the
// frame only previews the scene's root, painted into a buffer of its own.
#include <memory>

#include "ui/core/vg_bitmap.h"
#include "ui/core/vg_visual.h"

namespace vg {

class TvgCustomScene;

class TvgFrame : public TvgVisualObject {
  RTL_CLASS(TvgFrame, TvgVisualObject)

  explicit TvgFrame(rtl::TComponent* owner) : TvgVisualObject(owner) {}
  ~TvgFrame() override;

  TvgCustomScene* SceneObject() const { return FSceneObject; }
  // Nothing for the frame's own scene.
  void SetSceneObject(TvgCustomScene* value);
  // The frame that shows the scene's root, or nullptr.
  static TvgFrame* OpenInFrame(const TvgCustomScene* scene);

  // Makes the pending copy and borrows its root; in the designer, paints
  // the preview.
  void Paint() override;
  void GetChildren(const rtl::TGetChildProc&, rtl::TComponent*) override {}

 protected:
  void Notification(rtl::TComponent* component, rtl::TOperation operation) override;
  void BeforeDestruction() override;

 private:
  static void Publish(rtl::TPublisher<TvgFrame>& p);
  bool DesignTime();
  void Borrow();
  void HandBack(bool sceneGoing);
  void MakeCopy();
  void PaintPreview();

  bool FNeedClone = false;
  TvgCustomScene* FSceneObject = nullptr;
  std::unique_ptr<TvgBitmap> FBuffer;
};

}  // namespace vg
