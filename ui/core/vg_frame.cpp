#include "ui/core/vg_frame.h"

#include <map>

#include "platform/rtl/Rounding.h"
#include "ui/core/vg_scene.h"

namespace vg {

namespace {

// What a scene knows of frames: the frame showing its root, and the copy
// of its form made for a second frame (the copy owns the scene).
struct TFramedScene {
  TvgFrame* openIn = nullptr;
  rtl::TComponent* copyForm = nullptr;
};

std::map<const TvgCustomScene*, TFramedScene>& Framed() {
  static std::map<const TvgCustomScene*, TFramedScene> framed;
  return framed;
}

}  // namespace

TvgFrame* TvgFrame::OpenInFrame(const TvgCustomScene* scene) {
  auto it = Framed().find(scene);
  return it == Framed().end() ? nullptr : it->second.openIn;
}

TvgFrame::~TvgFrame() {
  HandBack(false);
  TearDown();
}

void TvgFrame::BeforeDestruction() {
  HandBack(false);
  inherited::BeforeDestruction();
}

void TvgFrame::Publish(rtl::TPublisher<TvgFrame>& p) {
  p.Property("SceneObject", &TvgFrame::SceneObject, &TvgFrame::SetSceneObject);
}

bool TvgFrame::DesignTime() {
  IvgScene* scene = GetScene();
  return scene && scene->GetDesignTime();
}

void TvgFrame::Notification(rtl::TComponent* component, rtl::TOperation operation) {
  inherited::Notification(component, operation);
  if (operation != rtl::opRemove || component != FSceneObject) return;
  HandBack(true);
  FSceneObject = nullptr;
}

void TvgFrame::SetSceneObject(TvgCustomScene* value) {
  if (value == FSceneObject) return;
  if (value && static_cast<IvgScene*>(value) == GetScene()) return;
  if (!DesignTime()) HandBack(false);
  if (FSceneObject) RemoveFreeNotification(FSceneObject);
  FSceneObject = value;
  if (!FSceneObject) return;
  FreeNotification(FSceneObject);
  if (DesignTime()) {
    Repaint();
    return;
  }
  if (OpenInFrame(FSceneObject)) {
    FNeedClone = true;
    Repaint();
  } else {
    Borrow();
  }
}

void TvgFrame::Borrow() {
  TvgObject* root = FSceneObject->GetRoot();
  if (!root) return;
  Framed()[FSceneObject].openIn = this;
  root->SetParent(this);
  if (root->IsVisual()) {
    root->Visual()->SetAlign(vaClient);
    Realign();
  }
}

// The borrowed root goes back to its scene; a copy made for this frame is
// freed (with its scene) unless that scene is going anyway.
void TvgFrame::HandBack(bool sceneGoing) {
  if (!FSceneObject) return;
  auto it = Framed().find(FSceneObject);
  if (it == Framed().end() || it->second.openIn != this) return;
  if (!sceneGoing)
    if (TvgObject* root = GetChild(0)) FSceneObject->AddObject(root);
  rtl::TComponent* copy = it->second.copyForm;
  Framed().erase(it);
  if (copy && !sceneGoing) {
    TvgCustomScene* scene = std::exchange(FSceneObject, nullptr);
    RemoveFreeNotification(scene);
    copy->Free();
  }
}

void TvgFrame::MakeCopy() {
  rtl::TComponent* form = FSceneObject->Owner();
  rtl::TClass cls = form ? form->ClassType() : nullptr;
  rtl::TComponent* copy = cls && cls->createComponent ? cls->createComponent(nullptr) : nullptr;
  auto* scene = copy ? dynamic_cast<TvgCustomScene*>(copy->FindComponent(FSceneObject->Name())) : nullptr;
  RemoveFreeNotification(FSceneObject);
  FSceneObject = scene;
  if (!scene) {
    if (copy) copy->Free();
    return;
  }
  FreeNotification(scene);
  Framed()[scene].copyForm = copy;
}

void TvgFrame::Paint() {
  if (FNeedClone && FSceneObject) {
    FNeedClone = false;
    if (!DesignTime()) {
      if (OpenInFrame(FSceneObject)) MakeCopy();
      if (FSceneObject && !OpenInFrame(FSceneObject)) Borrow();
    }
  }
  if (DesignTime()) PaintPreview();
}

void TvgFrame::PaintPreview() {
  TvgObject* root = FSceneObject ? FSceneObject->GetRoot() : nullptr;
  TvgCanvas* canvas = GetCanvas();
  if (!root || !root->IsVisual() || !canvas) return;
  const int width = int(rtl::Round(Width())), height = int(rtl::Round(Height()));
  if (width <= 0 || height <= 0) return;
  if (!FBuffer) FBuffer = std::make_unique<TvgBitmap>(width, height);
  else if (FBuffer->Width() != int(rtl::Trunc(Width())) || FBuffer->Height() != int(rtl::Trunc(Height())))
    FBuffer->SetSize(width, height);
  FBuffer->Clear(0);
  TvgVisualObject& shown = *root->Visual();
  const TvgPoint position = shown.Position()->GetPoint();
  const float shownWidth = shown.Width(), shownHeight = shown.Height();
  shown.SetBounds(0, 0, Width(), Height());
  shown.PaintTo(*FBuffer->GetCanvas(), GetLocalRect());
  shown.SetBounds(position.X, position.Y, shownWidth, shownHeight);
  const float bufferWidth = float(FBuffer->Width()), bufferHeight = float(FBuffer->Height());
  canvas->DrawBitmap(*FBuffer, {0, 0, bufferWidth, bufferHeight}, {0, 0, bufferWidth - 1, bufferHeight - 1}, 1, false);
}

}  // namespace vg
