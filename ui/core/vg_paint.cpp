// Painting, effect application and hit testing of TvgVisualObject.
#include <optional>
#include <utility>
#include <vector>

#include "platform/rtl/Rounding.h"
#include "ui/core/vg_brush.h"
#include "ui/core/vg_canvas.h"
#include "ui/core/vg_effects.h"
#include "ui/core/vg_visual.h"

namespace vg {

namespace {

constexpr TvgColor kDragOverFrame = 0xB2005ACC;

TvgEffect* EnabledEffect(TvgObject* child) {
  if (!child->InheritsFrom(TvgEffect::StaticClass())) return nullptr;
  auto* effect = static_cast<TvgEffect*>(child);
  return effect->Enabled() ? effect : nullptr;
}

template <class F>
void ForEnabledEffects(TvgObject* node, const F& action) {
  for (TvgObject* child : node->Children())
    if (TvgEffect* effect = EnabledEffect(child)) action(effect);
}

TvgRect Inset(TvgRect r, float by) {
  vgInflateRect(r, -by, -by);
  return r;
}

// Sets a persistent point without telling its listener.
void SetSilently(TvgPosition& position, TvgPoint p) {
  const rtl::TNotifyEvent listener = std::exchange(position.OnChange, nullptr);
  position.SetPoint(p);
  position.OnChange = listener;
}

}  // namespace

TvgCanvas* TvgVisualObject::GetCanvas() {
  if (FTempCanvas) return FTempCanvas;
  IvgScene* scene = GetScene();
  return scene ? scene->GetCanvas() : nullptr;
}

void TvgVisualObject::InvalidateRect(const TvgRect& rect) {
  IvgScene* scene = GetScene();
  if (!scene) return;
  const bool design = scene->GetDesignTime();
  if ((!FVisible && !design) || (FDesignHide && design) || scene->GetDisableUpdate()) return;
  if (!design && !CheckParentVisible()) return;
  scene->AddUpdateRect(vgNormalizeRect({LocalToAbsolute(rect.TopLeft()), LocalToAbsolute(rect.BottomRight())}));
}

// ----- effects

void TvgVisualObject::SetDisableEffect(bool value) {
  if (value == FDisableEffect) return;
  FDisableEffect = value;
  RecalcHasEffect();
}

// FHasEffect is set whenever an enabled effect child arrives: without it
// the children need no look (a list of many items repaints often).
bool TvgVisualObject::HasDisablePaintEffect() {
  bool found = false;
  if (!FDisableEffect && FHasEffect) ForEnabledEffects(this, [&](TvgEffect* e) { found = found || e->DisablePaint(); });
  return found;
}

bool TvgVisualObject::HasAfterPaintEffect() {
  bool found = false;
  if (!FDisableEffect && FHasEffect) ForEnabledEffects(this, [&](TvgEffect* e) { found = found || e->AfterPaint(); });
  return found;
}

TvgRect TvgVisualObject::GetEffectsRect() {
  const TvgRect local = GetLocalRect();
  TvgRect r = local;
  ForEnabledEffects(this, [&](TvgEffect* e) { r = vgUnionRect(r, e->GetRect(local)); });
  return r;
}

void TvgVisualObject::ApplyEffect() {
  IvgScene* scene = GetScene();
  TvgCanvas* canvas = GetCanvas();
  if (Children().empty() || !scene || !canvas || FDisableEffect || !FHasEffect) return;
  TvgSavedCanvasState saved(*canvas);
  const TvgPoint scale = GetAbsoluteScale();
  const bool highSpeed = FRotateAngle == 0;
  // One cached image per effect: each is drawn again as it was made until
  // the effects need updating.
  if (FUpdateEffects) {
    std::size_t index = 0;
    ForEnabledEffects(this, [&](TvgEffect* effect) {
      if (FEffectBitmaps.size() <= index) FEffectBitmaps.emplace_back();
      TvgOwned<TvgBitmap>& cached = FEffectBitmaps[index++];
      TvgRect r = effect->GetRect(GetLocalRect());
      vgMultiplyRect(r, scale.X, scale.Y);
      const int width = int(rtl::Trunc(vgRectWidth(r))), height = int(rtl::Trunc(vgRectHeight(r)));
      if (width <= 0 || height <= 0) {
        cached.reset();
        return;
      }
      if (!cached)
        cached.reset(new TvgBitmap(width, height));
      else if (cached->Width() != width || cached->Height() != height)
        cached->SetSize(width, height);
      TvgCanvas* image = cached->GetCanvas();
      {
        TvgSavedCanvasState imageState(*image);
        if (image->BeginScene()) {
          image->Clear(0);
          image->SetMatrix(IdentityMatrix);
          const TvgPoint offset = effect->GetOffset();
          TvgRect place{offset.X, offset.Y, offset.X + FWidth, offset.Y + FHeight};
          vgMultiplyRect(place, scale.X, scale.Y);
          PaintTo(*image, place, nullptr);
          image->EndScene();
        }
      }
      effect->ProcessEffect(image, *cached, scale.X);
      vgMultiplyRect(r, 1 / scale.X, 1 / scale.Y);
      canvas->SetMatrix(GetAbsoluteMatrix());
      canvas->DrawBitmap(*cached, {0, 0, float(width), float(height)}, r, GetAbsoluteOpacity(), highSpeed);
    });
    FEffectBitmaps.resize(index);
    FUpdateEffects = false;
  } else {
    canvas->SetMatrix(GetAbsoluteMatrix());
    std::size_t index = 0;
    ForEnabledEffects(this, [&](TvgEffect* effect) {
      if (index >= FEffectBitmaps.size()) return;
      TvgBitmap* cached = FEffectBitmaps[index++].get();
      if (!cached) return;
      const TvgRect whole{0, 0, float(cached->Width()), float(cached->Height())};
      canvas->DrawBitmap(*cached, whole, effect->GetRect(GetLocalRect()), GetAbsoluteOpacity(), highSpeed);
    });
  }
}

// ----- painting

void TvgVisualObject::SetInPaintTo(bool value) {
  FInPaintTo = value;
  for (TvgObject* child : Children())
    if (child->IsVisual()) child->Visual()->SetInPaintTo(value);
}

namespace {

bool MeetsDirtyRects(IvgScene& scene, const TvgRect& area) {
  for (int i = 0; i < scene.GetUpdateRectsCount(); ++i)
    if (vgIntersectRect(area, scene.GetUpdateRect(i))) return true;
  return false;
}

void DrawDragOverFrame(TvgCanvas& canvas, const TvgRect& local) {
  canvas.SetStrokeThickness(3);
  canvas.SetStrokeDash(vgDashSolid);
  canvas.SetStrokeCap(vgCapFlat);
  canvas.SetStrokeJoin(vgJoinMiter);
  canvas.Stroke()->SetStyle(vgBrushSolid);
  canvas.Stroke()->SetSolidColor(kDragOverFrame);
  canvas.DrawRect(Inset(local, 1), 1, 1, AllCorners, 1);
  canvas.SetStrokeDash(vgDashSolid);
}

}  // namespace

void TvgVisualObject::PaintChildren() {
  IvgScene* scene = GetScene();
  TvgCanvas* canvas = GetCanvas();
  if (!scene || !canvas || Children().empty()) return;
  const bool design = scene->GetDesignTime();
  for (TvgObject* node : std::vector<TvgObject*>(Children())) {
    if (!node->IsVisual()) continue;
    TvgVisualObject* child = node->Visual();
    if (!child->FVisible && !(design && !child->FLocked)) continue;
    if (design && child->FDesignHide) continue;
    const TvgRect update = child->GetUpdateRect();
    if (vgRectWidth(update) == 0 || vgRectHeight(update) == 0) continue;
    child->FScene = scene;
    if (FClipChildren && !vgIntersectRect(update, GetUpdateRect())) continue;
    const bool painted = design || child->FInPaintTo ||
                         MeetsDirtyRects(*scene, vgUnionRect(update, child->GetChildrenRect()));
    if (painted) {
      std::optional<TvgSavedCanvasState> clip;
      if (FClipChildren && child->FCanClipped) {
        clip.emplace(*canvas);
        canvas->SetMatrix(GetAbsoluteMatrix());
        canvas->IntersectClipRect(GetClipRect());
      }
      child->PaintSelf(*canvas);
    }
    if (child->FHasEffect && child->HasAfterPaintEffect()) {
      canvas->SetMatrix(child->GetAbsoluteMatrix());
      child->ApplyEffect();
    }
  }
}

void TvgVisualObject::PaintSelf(TvgCanvas& canvas) {
  const TvgRect local = GetLocalRect();
  canvas.SetMatrix(GetAbsoluteMatrix());
  BeforePaint();
  if (FHasEffect && !HasAfterPaintEffect()) ApplyEffect();
  if (!HasDisablePaintEffect()) {
    {
      std::optional<TvgSavedCanvasState> hole;
      if (TvgVisualObject* clipper = HasClipParent()) {
        hole.emplace(canvas);
        canvas.SetMatrix(clipper->GetAbsoluteMatrix());
        canvas.ExcludeClipRect(clipper->GetLocalRect());
      }
      canvas.SetMatrix(GetAbsoluteMatrix());
      std::optional<TvgSavedCanvasState> clip;
      if (FClipChildren) {
        clip.emplace(canvas);
        canvas.IntersectClipRect(GetClipRect());
      }
      OnBeforePaint(this, &canvas, local);
      Paint();
    }
    PaintChildren();
    // The children leave their own matrix behind: the handler draws in the node's.
    canvas.SetMatrix(GetAbsoluteMatrix());
    OnPaint(this, &canvas, local);
  }
  canvas.SetMatrix(GetAbsoluteMatrix());
  AfterPaint();
  if (FIsDragOver && !DragDisableHighlight) DrawDragOverFrame(canvas, local);
}

void TvgVisualObject::PaintTo(TvgCanvas& canvas, const TvgRect& rect, TvgObject* parent) {
  IvgScene* scene = GetScene();
  if (!scene || FWidth * FHeight == 0) return;
  const bool disableUpdate = scene->GetDisableUpdate();
  scene->SetDisableUpdate(true);
  const bool disableAlign = std::exchange(FDisableAlign, true);
  // Inside another PaintTo (an effect image made during a screenshot) the
  // outer pass's flag is kept.
  const bool wasInPaintTo = FInPaintTo;
  SetInPaintTo(true);
  TvgCanvas* tempCanvas = FTempCanvas;
  SetTempCanvas(&canvas);
  {
    TvgSavedCanvasState saved(canvas);
    const TvgPoint position = FPosition->GetPoint(), scale = FScale->GetPoint();
    const float angle = FRotateAngle;
    TvgObject* parentLink = std::exchange(FParent, parent);
    SetSilently(*FPosition, rect.TopLeft());
    SetSilently(*FScale, {vgRectWidth(rect) / FWidth, vgRectHeight(rect) / FHeight});
    FRotateAngle = 0;
    MatrixChanged();

    canvas.SetMatrix(GetAbsoluteMatrix());
    BeforePaint();
    Paint();
    AfterPaint();
    PaintChildren();

    FParent = parentLink;
    SetSilently(*FPosition, position);
    SetSilently(*FScale, scale);
    FRotateAngle = angle;
    MatrixChanged();
    FRecalcUpdateRect = true;
    RecalcAbsoluteNow();
    RecalcOpacity();
    RecalcEnabled();
    SetInPaintTo(wasInPaintTo);
    FDisableAlign = disableAlign;
  }
  SetTempCanvas(tempCanvas);
  // The scene's previous state, not always "enabled": a caller that had
  // disabled updates keeps them disabled.
  scene->SetDisableUpdate(disableUpdate);
}

TvgBitmap* TvgVisualObject::MakeScreenshot() {
  auto* bitmap = new TvgBitmap(int(rtl::Round(FWidth)), int(rtl::Round(FHeight)));
  if (bitmap->IsEmpty()) return bitmap;
  bitmap->Clear(0);
  TvgCanvas* canvas = bitmap->GetCanvas();
  if (canvas->BeginScene()) {
    PaintTo(*canvas, {0, 0, float(bitmap->Width()), float(bitmap->Height())}, nullptr);
    canvas->EndScene();
  }
  return bitmap;
}

// ----- hit testing

bool TvgVisualObject::PointInObject(float x, float y) {
  // A node collapsed to a line or a point covers no area (and its matrix
  // has no inverse).
  if (std::fabs(vgMatrixDeterminant(GetAbsoluteMatrix())) < Epsilon) return false;
  const TvgPoint p = AbsoluteToLocal({x, y});
  return p.X > 0 && p.X < FWidth && p.Y > 0 && p.Y < FHeight;
}

bool TvgVisualObject::CheckHitTest() {
  if (InDesign()) return !FLocked && !FDesignHide;
  return FHitTest;
}

TvgVisualObject* TvgVisualObject::ObjectByPoint(float x, float y) {
  const bool design = InDesign();
  if (!design && (!FVisible || (IsControl() && !GetAbsoluteEnabled()))) return nullptr;
  if (FClipChildren && !PointInObject(x, y)) return nullptr;
  if (!(design && FDesignHide))
    for (auto it = Children().rbegin(); it != Children().rend(); ++it) {
      if (!(*it)->IsVisual()) continue;
      TvgVisualObject* child = (*it)->Visual();
      if (!design && !child->FVisible) continue;
      if (TvgVisualObject* hit = child->ObjectByPoint(x, y)) return hit;
    }
  return PointInObject(x, y) && CheckHitTest() ? this : nullptr;
}

TvgVisualObject* TvgVisualObject::FindTarget(TvgPoint point, const TvgDragObject& data) {
  const bool design = InDesign();
  if (!design && (!FVisible || (IsControl() && !GetAbsoluteEnabled()))) return nullptr;
  if (!(design && FDesignHide) && !(FClipChildren && !PointInObject(point.X, point.Y)))
    for (auto it = Children().rbegin(); it != Children().rend(); ++it) {
      if (!(*it)->IsVisual()) continue;
      TvgVisualObject* child = (*it)->Visual();
      if (!design && !child->FVisible) continue;
      if (TvgVisualObject* target = child->FindTarget(point, data)) return target;
    }
  bool accept = false;
  DragOver(data, point, accept);
  return accept && PointInObject(point.X, point.Y) && CheckHitTest() ? this : nullptr;
}

}  // namespace vg
