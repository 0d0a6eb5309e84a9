#include "ui/core/vg_visual.h"

#include <algorithm>
#include <cmath>

namespace vg {

namespace {

constexpr float kDisabledOpacity = 0.8f;

TvgRect Inflated(TvgRect r, float d) {
  vgInflateRect(r, d, d);
  return r;
}

}  // namespace

TvgVisualObject::TvgVisualObject(rtl::TComponent* owner)
    : TvgObject(owner),
      FMargins(new TvgBounds),
      FPadding(new TvgBounds),
      FPosition(new TvgPosition({0, 0})),
      FScale(new TvgPosition({1, 1})),
      FSkew(new TvgPosition({0, 0})),
      FRotateCenter(new TvgPosition({0.5f, 0.5f})) {
  FIsVisual = true;
  FVisual = this;
  for (TvgPosition* p : {FPosition.get(), FScale.get(), FSkew.get(), FRotateCenter.get()})
    p->OnChange = [this](rtl::TObject* sender) { MatrixChanged(sender); };
  FMargins->OnChange = [this](rtl::TObject* sender) { MarginsChanged(sender); };
  FPadding->OnChange = [this](rtl::TObject* sender) { PaddingChanged(sender); };
}

TvgVisualObject::~TvgVisualObject() { TearDown(); }

void TvgVisualObject::Publish(rtl::TPublisher<TvgVisualObject>& p) {
  using T = TvgVisualObject;
  p.Property("Align", &T::Align, &T::SetAlign).Default(vaNone);
  p.Property("Position", &T::Position, &T::SetPosition);
  p.Property("Scale", &T::Scale, &T::SetScale);
  p.Property("Skew", &T::Skew, &T::SetSkew);
  p.Property("RotateAngle", &T::RotateAngle, &T::SetRotateAngle);
  p.Property("RotateCenter", &T::RotateCenter, &T::SetRotateCenter);
  p.Property("Margins", &T::Margins);
  p.Property("Padding", &T::Padding);
  p.Property("Opacity", &T::Opacity, &T::SetOpacity).Default(1.0f);
  p.Property("Width", &T::Width, &T::SetWidth);
  p.Property("Height", &T::Height, &T::SetHeight);
  p.Property("Visible", &T::Visible, &T::SetVisible).Default(true);
  p.Property("Enabled", &T::Enabled, &T::SetEnabled).Default(true);
  p.Property("HitTest", &T::HitTest, &T::SetHitTest).Default(true);
  p.Property("ClipChildren", &T::ClipChildren, &T::SetClipChildren).Default(false);
  p.Property("ClipParent", &T::ClipParent, &T::SetClipParent).Default(false);
  p.Property("Locked", &T::Locked, &T::SetLocked).Default(false);
  p.Property("DesignHide", &T::DesignHide, &T::SetDesignHide).Default(false);
  p.Property("CanClipped", &T::FCanClipped).Default(true);
  p.Property("Cursor", &T::Cursor, &T::SetCursor).Default(0);
  p.Property("DragMode", &T::DragMode, &T::SetDragMode).Default(vgDragManual);
  p.Property("DragDisableHighlight", &T::FDragDisableHighlight).Default(false);
  p.Property("Hint", &T::FHint);
  p.Property("ShowHint", &T::FShowHint).Default(false);
  p.Property("PopupMenu", &T::PopupMenu, &T::SetPopupMenu);
  p.Property("OnClick", &T::OnClick);
  p.Property("OnDblClick", &T::OnDblClick);
  p.Property("OnMouseDown", &T::OnMouseDown);
  p.Property("OnMouseUp", &T::OnMouseUp);
  p.Property("OnMouseMove", &T::OnMouseMove);
  p.Property("OnMouseWheel", &T::OnMouseWheel);
  p.Property("OnMouseEnter", &T::OnMouseEnter);
  p.Property("OnMouseLeave", &T::OnMouseLeave);
  p.Property("OnKeyDown", &T::OnKeyDown);
  p.Property("OnKeyUp", &T::OnKeyUp);
  p.Property("OnCanFocused", &T::OnCanFocused);
  p.Property("OnEnterFocus", &T::OnEnterFocus);
  p.Property("OnKillFocus", &T::OnKillFocus);
  p.Property("OnPaint", &T::OnPaint);
  p.Property("OnBeforePaint", &T::OnBeforePaint);
  p.Property("OnDragEnter", &T::OnDragEnter);
  p.Property("OnDragOver", &T::OnDragOver);
  p.Property("OnDragDrop", &T::OnDragDrop);
  p.Property("OnDragLeave", &T::OnDragLeave);
  p.Property("OnDragEnd", &T::OnDragEnd);
  p.Property("OnApplyResource", &T::OnApplyResource);
  // Read by animations and trigger texts, never streamed.
  p.Property("IsMouseOver", &T::IsMouseOver).RunTimeOnly();
  p.Property("IsFocused", &T::IsFocused).RunTimeOnly();
  p.Property("IsVisible", &T::Visible).RunTimeOnly();
  p.Property("IsDragOver", &T::IsDragOver).RunTimeOnly();
}

TvgVisualObject* TvgVisualObject::VisualParent() const {
  return Parent() && Parent()->IsVisual() ? Parent()->Visual() : nullptr;
}

bool TvgVisualObject::InDesign() {
  IvgScene* scene = GetScene();
  return scene && scene->GetDesignTime();
}

// ----- loading and the tree

void TvgVisualObject::Loaded() {
  inherited::Loaded();
  FLastWidth = FWidth;
  FLastHeight = FHeight;
  MatrixChanged();
  if (ChildrenCount() > 0) Realign();
  FixupTabList();
}

void TvgVisualObject::Notification(rtl::TComponent* component, rtl::TOperation operation) {
  inherited::Notification(component, operation);
  if (operation == rtl::opRemove && component == FPopupMenu) FPopupMenu = nullptr;
}

void TvgVisualObject::AttachChild(TvgVisualObject* child) {
  if (child->FAlign != vaNone) FNeedAlign = true;
  if (FTempCanvas) child->SetTempCanvas(FTempCanvas);
  child->FUpdating = FUpdating;
  child->RecalcEnabled();
  child->RecalcOpacity();
  child->RecalcAbsolute();
  child->RecalcUpdateRect();
  if (FHasEffect) {
    UpdateEffects();
    Repaint();
  }
  if (child->FAlign != vaNone)
    Realign();
  else
    Repaint();
  FTabList.push_back(child);
}

void TvgVisualObject::DetachChild(TvgVisualObject* child) {
  // Children leave mostly from the end (a list cleared last to first).
  if (auto it = std::find(FTabList.rbegin(), FTabList.rend(), child); it != FTabList.rend()) {
    child->FUpdating = 0;
    FTabList.erase(std::next(it).base());
  }
  child->Repaint();
}

void TvgVisualObject::DeleteChildren() {
  inherited::DeleteChildren();
  FTabList = {};
}

// ----- size and place

float TvgVisualObject::DesignSize(float value, TvgPosition* scale, bool isX) {
  if (value >= 0 || !InDesign()) return value;
  if (isX)
    scale->SetX(-scale->X());
  else
    scale->SetY(-scale->Y());
  return -value;
}

void TvgVisualObject::SizeChanged() {
  UpdateEffects();
  RecalcUpdateRect();
  if (TvgVisualObject* parent = VisualParent())
    if (FAlign != vaNone || parent->RealignsOnChildResize()) parent->Realign();
  if (ChildrenCount() > 0) Realign();
}

void TvgVisualObject::SetWidth(float value) {
  if (value == FWidth) return;
  Repaint();
  FWidth = DesignSize(value, FScale.get(), true);
  if (!IsLoading() && GetScene()) SizeChanged();
}

void TvgVisualObject::SetHeight(float value) {
  if (value == FHeight) return;
  Repaint();
  FHeight = DesignSize(value, FScale.get(), false);
  if (!IsLoading() && GetScene()) SizeChanged();
}

void TvgVisualObject::SetBounds(float x, float y, float width, float height) {
  Repaint();
  const bool sizeChanged = width != FWidth || height != FHeight;
  if (height != FHeight) FHeight = DesignSize(height, FScale.get(), false);
  if (width != FWidth) FWidth = DesignSize(width, FScale.get(), true);
  if (x != FPosition->X() || y != FPosition->Y()) {
    SetPositionSilently(x, y);
    MatrixChanged();
  }
  if (IsLoading()) return;
  if (sizeChanged) {
    if (TvgVisualObject* parent = VisualParent(); parent && (FAlign != vaNone || parent->RealignsOnChildResize()))
      parent->Realign();
    if (ChildrenCount() > 0) Realign();
  }
  RecalcUpdateRect();
  Repaint();
}

void TvgVisualObject::SetSizeWithoutChange(float width, float height) {
  FWidth = FLastWidth = width;
  FHeight = FLastHeight = height;
}

void TvgVisualObject::SetBoundsRect(const TvgRect& rect) {
  Repaint();
  FWidth = vgRectWidth(rect);
  FHeight = vgRectHeight(rect);
  const float cx = FRotateCenter->X(), cy = FRotateCenter->Y();
  TvgPoint p = LocalToAbsolute({cx * FWidth + rect.Left, cy * FHeight + rect.Top});
  if (TvgVisualObject* parent = VisualParent()) p = parent->AbsoluteToLocal(p);
  SetPositionSilently(p.X - FScale->X() * cx * FWidth, p.Y - FScale->Y() * cy * FHeight);
  if (FWidth < 0) {
    FWidth = -FWidth;
    FScale->SetX(-FScale->X());
  }
  if (FHeight < 0) {
    FHeight = -FHeight;
    FScale->SetY(-FScale->Y());
  }
  MatrixChanged();
  Realign();
}

void TvgVisualObject::SetPositionSilently(float x, float y) {
  const rtl::TNotifyEvent listener = std::exchange(FPosition->OnChange, nullptr);
  FPosition->SetPoint({x, y});
  FPosition->OnChange = listener;
}

void TvgVisualObject::SetPosition(const TvgPosition* value) { FPosition->Assign(value); }
void TvgVisualObject::SetScale(const TvgPosition* value) { FScale->Assign(value); }
void TvgVisualObject::SetSkew(const TvgPosition* value) { FSkew->Assign(value); }
void TvgVisualObject::SetRotateCenter(const TvgPosition* value) { FRotateCenter->Assign(value); }

void TvgVisualObject::SetRotateAngle(float value) {
  value = vgNormalizeAngle(value);
  if (value == FRotateAngle) return;
  FRotateAngle = value;
  MatrixChanged();
}

void TvgVisualObject::SetAlign(TvgAlign value) {
  if (value == FAlign) return;
  FAlign = value;
  if (TvgVisualObject* parent = VisualParent()) {
    parent->FNeedAlign = true;
    if (!IsLoading()) parent->Realign();
  }
}

// ----- appearance

void TvgVisualObject::SetOpacity(float value) {
  value = std::clamp(value, 0.0f, 1.0f);
  if (value == FOpacity) return;
  FOpacity = value;
  RecalcOpacity();
  Repaint();
}

void TvgVisualObject::SetVisible(bool value) {
  if (value == FVisible) return;
  IvgScene* scene = GetScene();
  if (FVisible && scene) scene->AddUpdateRect(GetUpdateRect());
  FVisible = value;
  if (!IsLoading())
    if (TvgVisualObject* parent = VisualParent(); parent && FAlign != vaNone) parent->Realign();
  if (FVisible) {
    RecalcUpdateRect();
    if (scene) scene->AddUpdateRect(GetUpdateRect());
    StartTriggerAnimation(this, "IsVisible");
  } else {
    DropFocusWithin();
  }
}

void TvgVisualObject::SetEnabled(bool value) {
  if (value == FEnabled) return;
  FEnabled = value;
  RecalcEnabled();
  RecalcOpacity();
  Repaint();
  if (!FEnabled) DropFocusWithin();
}

void TvgVisualObject::DropFocusWithin() {
  IvgScene* scene = GetScene();
  if (!scene) return;
  if (TvgVisualObject* focused = scene->GetFocused(); focused && focused->IsAncestorOrSelf(this))
    scene->SetFocused(nullptr);
}

void TvgVisualObject::SetClipChildren(bool value) {
  if (value == FClipChildren) return;
  FClipChildren = value;
  Repaint();
}

void TvgVisualObject::Lock() {
  FLocked = true;
  for (TvgObject* child : Children())
    if (child->IsVisual()) child->Visual()->Lock();
}

void TvgVisualObject::SetTempCanvas(TvgCanvas* canvas) {
  FTempCanvas = canvas;
  for (TvgObject* child : Children())
    if (child->IsVisual()) child->Visual()->SetTempCanvas(canvas);
}

void TvgVisualObject::SetDesignHide(bool value) {
  if (value == FDesignHide) return;
  FDesignHide = value;
  if (InDesign())
    if (TvgVisualObject* parent = VisualParent()) parent->Repaint();
}

void TvgVisualObject::UpdateDesignHide(bool value) {
  FDesignHide = value;
  for (TvgObject* child : Children())
    if (child->IsVisual()) child->Visual()->UpdateDesignHide(value);
}

// ----- matrices and rectangles

void TvgVisualObject::MatrixChanged(rtl::TObject*) {
  Repaint();
  TvgMatrix local = IdentityMatrix;
  local.m11 = FScale->X();
  local.m22 = FScale->Y();
  local.m31 = FPosition->X();
  local.m32 = FPosition->Y();
  if (FRotateAngle != 0) {
    const float cx = FRotateCenter->X() * FWidth, cy = FRotateCenter->Y() * FHeight;
    TvgMatrix m = vgMatrixMultiply(vgCreateTranslateMatrix(-cx, -cy), vgCreateRotationMatrix(vgDegToRad(FRotateAngle)));
    m = vgMatrixMultiply(m, vgCreateTranslateMatrix(cx, cy));
    local = vgMatrixMultiply(m, local);
  }
  FLocalMatrix = local;
  RecalcAbsolute();
  RecalcUpdateRect();
  UpdateEffects();
  Repaint();
}

TvgMatrix TvgVisualObject::GetAbsoluteMatrix() {
  if (!FRecalcAbsolute) return FAbsoluteMatrix;
  if (TvgVisualObject* parent = VisualParent())
    FAbsoluteMatrix = vgMatrixMultiply(vgMatrixMultiply(FLocalMatrix, parent->GetChildrenMatrix()),
                                       parent->GetAbsoluteMatrix());
  else
    FAbsoluteMatrix = FLocalMatrix;
  FRecalcAbsolute = false;
  IvgScene* scene = GetScene();
  if (scene && !scene->GetDisableUpdate() && !FInPaintTo && FUpdating == 0) Repaint();
  return FAbsoluteMatrix;
}

TvgMatrix TvgVisualObject::GetChildrenMatrix() { return IdentityMatrix; }

TvgMatrix TvgVisualObject::GetInvertAbsoluteMatrix() {
  TvgMatrix m = GetAbsoluteMatrix();
  vgInvertMatrix(m);
  return m;
}

TvgPoint TvgVisualObject::GetAbsoluteScale() {
  TvgPoint scale{FScale->X(), FScale->Y()};
  for (TvgVisualObject* p = VisualParent(); p; p = p->VisualParent())
    scale = {scale.X * p->FScale->X(), scale.Y * p->FScale->Y()};
  return scale;
}

TvgRect TvgVisualObject::GetAbsoluteRect() {
  std::vector<TvgPoint> corners = {LocalToAbsolute({0, 0}), LocalToAbsolute({FWidth, 0}),
                                   LocalToAbsolute({FWidth, FHeight}), LocalToAbsolute({0, FHeight})};
  return vgNormalizeRect(corners);
}

TvgRect TvgVisualObject::GetLocalRect() { return {0, 0, FWidth, FHeight}; }
TvgRect TvgVisualObject::GetBoundsRect() { return {0, 0, FWidth, FHeight}; }
TvgRect TvgVisualObject::GetClipRect() { return {0, 0, FWidth, FHeight}; }

TvgRect TvgVisualObject::GetParentedRect() {
  TvgRect r{0, 0, FWidth, FHeight};
  vgOffsetRect(r, FPosition->X(), FPosition->Y());
  return r;
}

TvgRect TvgVisualObject::GetDrawnRect() { return GetLocalRect(); }

// Bounding box of the transformed corners of a local rectangle.
TvgRect TvgVisualObject::AbsoluteBounds(const TvgRect& local) {
  return vgNormalizeRect({LocalToAbsolute(local.TopLeft()), LocalToAbsolute({local.Right, local.Top}),
                          LocalToAbsolute(local.BottomRight()), LocalToAbsolute({local.Left, local.Bottom})});
}

TvgRect TvgVisualObject::GetUpdateRect() {
  if (!FRecalcUpdateRect) return FUpdateRect;
  ++FUpdating;
  TvgRect r = GetAbsoluteRect();
  IvgScene* scene = GetScene();
  if (scene && !scene->GetDisableUpdate() && !IsLoading()) {
    if (const TvgRect drawn = GetDrawnRect(); drawn != GetLocalRect()) r = vgUnionRect(r, AbsoluteBounds(drawn));
    for (TvgVisualObject* p = VisualParent(); p; p = p->VisualParent())
      if (p->FClipChildren) {
        TvgRect clipped;
        vgIntersectRect(clipped, r, p->GetUpdateRect());
        r = clipped;
      }
    if (FCanFocused && FIsFocused) r = Inflated(r, 5);
    if (FHasEffect && !FClipChildren) r = vgUnionRect(r, AbsoluteBounds(GetEffectsRect()));
    if (!FClipChildren)
      for (TvgObject* child : Children())
        if (child->IsVisual() && child->Visual()->FVisible) r = vgUnionRect(r, child->Visual()->GetUpdateRect());
  }
  --FUpdating;
  FUpdateRect = r;
  FRecalcUpdateRect = false;
  return r;
}

TvgRect TvgVisualObject::GetChildrenRect() {
  TvgRect r = GetAbsoluteRect();
  if (FClipChildren) return r;
  for (TvgObject* child : Children())
    if (child->IsVisual() && child->Visual()->FVisible) r = vgUnionRect(r, child->Visual()->GetChildrenRect());
  return r;
}

float TvgVisualObject::GetAbsoluteWidth() { return LocalToAbsoluteVector({FWidth, FHeight, 0}).X; }
float TvgVisualObject::GetAbsoluteHeight() { return LocalToAbsoluteVector({FWidth, FHeight, 0}).Y; }

TvgPoint TvgVisualObject::LocalToAbsolute(TvgPoint p) {
  return vgPointFromVector(vgVectorTransform(vgVector(p), GetAbsoluteMatrix()));
}

TvgPoint TvgVisualObject::AbsoluteToLocal(TvgPoint p) {
  return vgPointFromVector(vgVectorTransform(vgVector(p), GetInvertAbsoluteMatrix()));
}

TvgVector TvgVisualObject::LocalToAbsoluteVector(TvgVector v) {
  v.W = 0;
  return vgVectorTransform(v, GetAbsoluteMatrix());
}

TvgVector TvgVisualObject::AbsoluteToLocalVector(TvgVector v) {
  v.W = 0;
  return vgVectorTransform(v, GetInvertAbsoluteMatrix());
}

// ----- opacity and enabled state

float TvgVisualObject::GetAbsoluteOpacity() {
  if (!FRecalcOpacity) return FAbsoluteOpacity;
  TvgVisualObject* parent = VisualParent();
  float opacity = parent ? parent->GetAbsoluteOpacity() * FOpacity : FOpacity;
  if (!GetAbsoluteEnabled()) {
    IvgScene* scene = GetScene();
    TvgObject* root = scene ? scene->GetRoot() : nullptr;
    const bool belowRootChildren = !root || (this != root && Parent() != root);
    if (belowRootChildren) opacity *= kDisabledOpacity;
  }
  FAbsoluteOpacity = opacity;
  FRecalcOpacity = false;
  return opacity;
}

bool TvgVisualObject::GetAbsoluteEnabled() {
  if (FRecalcEnabled) {
    TvgVisualObject* parent = VisualParent();
    FAbsoluteEnabled = FEnabled && (!parent || parent->GetAbsoluteEnabled());
    FRecalcEnabled = false;
    if (!FAbsoluteEnabled && FCanFocused && FIsFocused)
      if (IvgScene* scene = GetScene(); scene && scene->GetFocused() == this) scene->SetFocused(nullptr);
  }
  return FAbsoluteEnabled;
}

bool TvgVisualObject::CheckParentVisible() {
  for (TvgVisualObject* node = this; node; node = node->VisualParent())
    if (!node->FVisible) return false;
  return true;
}

// ----- change propagation

namespace {
template <class F>
void ForVisualSubtree(TvgVisualObject* node, const F& action) {
  action(node);
  for (TvgObject* child : node->Children())
    if (child->IsVisual()) ForVisualSubtree(child->Visual(), action);
}
}  // namespace

void TvgVisualObject::RecalcAbsolute() {
  ForVisualSubtree(this, [](TvgVisualObject* n) { n->FRecalcAbsolute = true; });
}

void TvgVisualObject::RecalcOpacity() {
  ForVisualSubtree(this, [](TvgVisualObject* n) { n->FRecalcOpacity = true; });
}

void TvgVisualObject::RecalcEnabled() {
  ForVisualSubtree(this, [](TvgVisualObject* n) { n->FRecalcEnabled = true; });
}

void TvgVisualObject::RecalcUpdateRect() {
  ForVisualSubtree(this, [](TvgVisualObject* n) { n->FRecalcUpdateRect = true; });
  // The ancestors' rectangles hold this one's union: they follow it when it
  // grows past them and when it shrinks back, up to a clipping ancestor.
  for (TvgVisualObject* parent = VisualParent(); parent && !parent->FClipChildren; parent = parent->VisualParent())
    parent->FRecalcUpdateRect = true;
}

void TvgVisualObject::RecalcAbsoluteNow() {
  ForVisualSubtree(this, [](TvgVisualObject* n) { n->GetAbsoluteMatrix(); });
}

void TvgVisualObject::RecalcNeedAlign() {
  FNeedAlign = std::any_of(Children().begin(), Children().end(), [](TvgObject* child) {
    return child->IsVisual() && child->Visual()->FAlign != vaNone;
  });
}

void TvgVisualObject::UpdateEffects() {
  for (TvgVisualObject* node = this; node; node = node->VisualParent())
    if (node->FHasEffect) node->FUpdateEffects = true;
}

void TvgVisualObject::RecalcHasEffect() {
  const bool had = FHasEffect;
  FHasEffect = !FDisableEffect && std::any_of(Children().begin(), Children().end(),
                                              [](TvgObject* child) { return child->IsEnabledEffect(); });
  if (FHasEffect && !had) {
    FUpdateEffects = true;
    Repaint();
  }
}

void TvgVisualObject::Repaint() {
  IvgScene* scene = GetScene();
  if (!scene) return;
  const bool design = scene->GetDesignTime();
  if (!FVisible && !design) return;
  if (FDesignHide && design) return;
  if (scene->GetDisableUpdate()) return;
  if (!design && !CheckParentVisible()) return;
  if (FUpdating > 0) return;
  if (HasDisablePaintEffect()) FUpdateEffects = true;
  scene->AddUpdateRect(GetUpdateRect());
}

void TvgVisualObject::MarginsChanged(rtl::TObject*) { Realign(); }

void TvgVisualObject::PaddingChanged(rtl::TObject*) {
  if (TvgVisualObject* parent = VisualParent()) parent->Realign();
}

void TvgVisualObject::BeginUpdate() {
  ++FUpdating;
  for (TvgObject* child : Children())
    if (child->IsVisual()) child->Visual()->BeginUpdate();
}

void TvgVisualObject::EndUpdate() {
  --FUpdating;
  for (TvgObject* child : Children())
    if (child->IsVisual()) child->Visual()->EndUpdate();
  if (FUpdating == 0) Realign();
}

}  // namespace vg
