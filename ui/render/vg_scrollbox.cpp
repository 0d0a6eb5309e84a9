// Scroll boxes: the content node, the bars' binding and their two-pass
// settling, wheel, drag and fling scrolling.
#include "ui/render/vg_scrollbox.h"

#include <utility>

#include "ui/core/vg_effects.h"

namespace vg {

namespace {

constexpr float kScrollDuration = 0.7f;
constexpr float kFlingSteps = 7;
constexpr float kWheelNotch = 120;
constexpr float kWheelSteps = 3;

bool Shown(const TvgScrollBar* bar) { return bar && bar->Visible(); }

void HidePart(TvgObject* part) {
  if (part && part->IsVisual()) part->Visual()->SetVisible(false);
}

TvgVisualObject* VisualPart(TvgObject* part) { return part && part->IsVisual() ? part->Visual() : nullptr; }

}  // namespace

// ----- TvgScrollContent

TvgScrollContent::TvgScrollContent(rtl::TComponent* owner) : TvgContent(owner) {
  SetClipChildren(true);
  SetStored(false);
  SetLocked(true);
  SetHitTest(false);
}

TvgScrollBox* TvgScrollContent::Box() const {
  TvgObject* parent = Parent();
  return parent && parent->InheritsFrom(TvgScrollBox::StaticClass()) ? static_cast<TvgScrollBox*>(parent) : nullptr;
}

// Children coming and going change the content bounds: the box settles
// its bars again.
void TvgScrollContent::AddObject(TvgObject* child) {
  inherited::AddObject(child);
  if (TvgScrollBox* box = Box()) {
    box->ContentAddObject(child);
    if (child->IsVisual()) box->Realign();
  }
}

void TvgScrollContent::RemoveObject(TvgObject* child) {
  TvgScrollBox* box = Box();
  if (box) box->ContentBeforeRemoveObject(child);
  inherited::RemoveObject(child);
  if (!box) return;
  box->ContentRemoveObject(child);
  if (child->IsVisual()) box->Realign();
}

TvgRect TvgScrollContent::GetClipRect() {
  TvgScrollBox* box = Box();
  if (!box || !box->FContentLayout) return inherited::GetClipRect();
  TvgRect r = box->FContentLayout->GetLocalRect();
  const TvgScrollBar* h = box->FHScrollBar;
  const TvgScrollBar* v = box->FVScrollBar;
  vgOffsetRect(r, h && h->Enabled() ? h->Value() : 0, v && v->Enabled() ? v->Value() : 0);
  return r;
}

TvgRect TvgScrollContent::GetUpdateRect() {
  TvgScrollBox* box = Box();
  if (!box) return inherited::GetUpdateRect();
  // Never the box's update rectangle: that one unites its children's.
  return box->FContentLayout ? box->FContentLayout->GetUpdateRect() : box->GetAbsoluteRect();
}

TvgVisualObject* TvgScrollContent::ObjectByPoint(float x, float y) {
  TvgVisualObject* hit = inherited::ObjectByPoint(x, y);
  if (!hit || !Box()) return hit;
  return vgPtInRect(AbsoluteToLocal({x, y}), GetClipRect()) ? hit : nullptr;
}

void TvgScrollContent::Paint() {
  inherited::Paint();
  TvgScrollBox* box = Box();
  TvgCanvas* canvas = GetCanvas();
  if (!box || !canvas) return;
  TvgSavedCanvasState state(*canvas);
  canvas->SetMatrix(GetAbsoluteMatrix());
  canvas->IntersectClipRect(GetClipRect());
  box->ContentPaint(*canvas, GetLocalRect());
}

// ----- TvgScrollBox

TvgScrollBox::TvgScrollBox(rtl::TComponent* owner) : TvgControl(owner) {
  SetAutoCapture(true);
  FContent = new TvgScrollContent(this);
  FContent->SetParent(this);
}

TvgScrollBox::~TvgScrollBox() {
  FContent = nullptr;
  TearDown();
}

void TvgScrollBox::Publish(rtl::TPublisher<TvgScrollBox>& p) {
  using T = TvgScrollBox;
  p.Property("AutoHide", &T::AutoHide, &T::SetAutoHide).Default(true);
  p.Property("DisableMouseWheel", &T::DisableMouseWheel, &T::SetDisableMouseWheel).Default(false);
  p.Property("Animated", &T::Animated, &T::SetAnimated).Default(true);
  p.Property("ShowScrollBars", &T::ShowScrollBars, &T::SetShowScrollBars).Default(true);
  p.Property("ShowSizeGrip", &T::ShowSizeGrip, &T::SetShowSizeGrip).Default(false);
  p.Property("MouseTracking", &T::MouseTracking, &T::SetMouseTracking).Default(false);
  p.Property("UseSmallScrollBars", &T::UseSmallScrollBars, &T::SetUseSmallScrollBars).Default(false);
}

void TvgScrollBox::SetShowScrollBars(bool value) {
  if (value == FShowScrollBars) return;
  FShowScrollBars = value;
  Realign();
}

void TvgScrollBox::SetShowSizeGrip(bool value) {
  if (value == FShowSizeGrip) return;
  FShowSizeGrip = value;
  UpdateResource();
}

void TvgScrollBox::SetUseSmallScrollBars(bool value) {
  if (value == FUseSmallScrollBars) return;
  FUseSmallScrollBars = value;
  UpdateResource();
}

void TvgScrollBox::AddObject(TvgObject* child) {
  const bool staysOnBox = !FContent || child->TagString == "self" || child == FContent ||
                          child == ResourceLink() || child->InheritsFrom(TvgEffect::StaticClass()) ||
                          child->InheritsFrom(TvgAnimation::StaticClass());
  if (staysOnBox)
    inherited::AddObject(child);
  else
    FContent->AddObject(child);
}

// ----- style

TvgScrollBar* TvgScrollBox::BindBar(const char* name, bool vertical) {
  TvgObject* part = FindResource(name);
  if (!part || !part->InheritsFrom(TvgScrollBar::StaticClass())) return nullptr;
  auto* bar = static_cast<TvgScrollBar*>(part);
  if (vertical)
    bar->OnChange = [this](rtl::TObject* sender) { VScrollChange(sender); };
  else
    bar->OnChange = [this](rtl::TObject* sender) { HScrollChange(sender); };
  bar->SetLocked(true);
  if (bar->Tag() == 0) bar->SetTag(static_cast<std::intptr_t>(bar->Align()));
  return bar;
}

void TvgScrollBox::ApplyStyle() {
  inherited::ApplyStyle();
  if (TvgVisualObject* grip = VisualPart(FindResource("sizegrip"))) grip->SetVisible(FShowSizeGrip);
  FVScrollBar = FHScrollBar = nullptr;
  if (FUseSmallScrollBars) {
    FVScrollBar = BindBar("vsmallscrollbar", true);
    FHScrollBar = BindBar("hsmallscrollbar", false);
  }
  if (FVScrollBar && FHScrollBar) {
    HidePart(FindResource("vscrollbar"));
    HidePart(FindResource("hscrollbar"));
  } else {
    FVScrollBar = BindBar("vscrollbar", true);
    FHScrollBar = BindBar("hscrollbar", false);
    HidePart(FindResource("vsmallscrollbar"));
    HidePart(FindResource("hsmallscrollbar"));
  }
  FContentLayout = VisualPart(FindResource("content"));
  Realign();
  FHScrollAni = FVScrollAni = nullptr;
}

void TvgScrollBox::FreeStyle() {
  inherited::FreeStyle();
  // The animations are children of the bars, which go with the style.
  FHScrollAni = FVScrollAni = nullptr;
  FContentLayout = nullptr;
  FHScrollBar = FVScrollBar = nullptr;
}

// ----- scrolling

void TvgScrollBox::HScrollChange(rtl::TObject*) {
  if (!FContentLayout || !FHScrollBar) return;
  const float value = FHScrollBar->Value();
  FContent->Position()->SetX(FContentLayout->Position()->X() - (FHScrollBar->Visible() ? value : 0));
  FScrollDesign.X = value;
}

void TvgScrollBox::VScrollChange(rtl::TObject*) {
  if (!FContentLayout || !FVScrollBar) return;
  const float value = FVScrollBar->Value();
  FContent->Position()->SetY(FContentLayout->Position()->Y() - (FVScrollBar->Visible() ? value : 0));
  FScrollDesign.Y = value;
}

void TvgScrollBox::ScrollTo(float dx, float dy) {
  if (Shown(FVScrollBar)) FVScrollBar->SetValue(FVScrollBar->Value() - dy);
  if (Shown(FHScrollBar)) FHScrollBar->SetValue(FHScrollBar->Value() - dx);
}

void TvgScrollBox::Centre() {
  if (Shown(FVScrollBar)) FVScrollBar->SetValue((FVScrollBar->Max() - FVScrollBar->ViewportSize()) / 2);
  if (Shown(FHScrollBar)) FHScrollBar->SetValue((FHScrollBar->Max() - FHScrollBar->ViewportSize()) / 2);
}

float TvgScrollBox::VScrollBarValue() const { return Shown(FVScrollBar) ? FVScrollBar->Value() : 0; }
float TvgScrollBox::HScrollBarValue() const { return Shown(FHScrollBar) ? FHScrollBar->Value() : 0; }

TvgRect TvgScrollBox::ContentRect() {
  return FContentLayout ? FContentLayout->GetParentedRect() : GetLocalRect();
}

float TvgScrollBox::ClientWidth() { return FContentLayout ? FContentLayout->Width() : Width(); }
float TvgScrollBox::ClientHeight() { return FContentLayout ? FContentLayout->Height() : Height(); }

// ----- realignment

TvgRect TvgScrollBox::GetContentBounds() {
  if (!FContent || !FContentLayout) return {0, 0, Width(), Height()};
  TvgRect r = FContentLayout->GetLocalRect();
  for (TvgObject* child : FContent->Children())
    if (child->IsVisual() && child->Visual()->Visible()) r = vgUnionRect(r, child->Visual()->GetParentedRect());
  return r;
}

void TvgScrollBox::RealignContent(const TvgRect& rect) {
  FContent->SetBounds(rect.Left, rect.Top, vgRectWidth(rect), vgRectHeight(rect));
  FContent->RecalcUpdateRect();
}

void TvgScrollBox::Realign() {
  if (IsDestroying()) return;
  inherited::Realign();
  if (IsLoading() || !FContentLayout || FRealigning || Updating() > 0) return;
  FRealigning = true;
  try {
    const TvgRect view = FContentLayout->GetLocalRect();
    BarPass();
    const TvgRect after = FContentLayout->GetLocalRect();
    if (vgRectWidth(after) != vgRectWidth(view) || vgRectHeight(after) != vgRectHeight(view)) BarPass();
  } catch (...) {
    FRealigning = false;
    throw;
  }
  FRealigning = false;
}

void TvgScrollBox::SettleBar(TvgScrollBar* bar, bool vertical, const TvgRect& bounds, bool final) {
  const float contentLength = vertical ? vgRectHeight(bounds) : vgRectWidth(bounds);
  const float viewLength = vertical ? FContentLayout->Height() : FContentLayout->Width();
  const bool vEnabled = FVScrollBar && FVScrollBar->Enabled();
  bar->SetEnabled(contentLength > viewLength);
  if (!vertical && final) bar->Padding()->SetRight(0);
  if (FAutoHide) bar->SetVisible(bar->Enabled());
  if (FShowScrollBars) {
    bar->SetOpacity(1);
    if (final && vertical) bar->SetHitTest(true);
    bar->SetAlign(static_cast<TvgAlign>(bar->Tag()));
    if (!vertical && vEnabled) bar->Padding()->SetRight(FVScrollBar->Width());
  } else {
    bar->SetOpacity(0);
    bar->SetAlign(vaNone);
    if (final && vertical) bar->Position()->SetX(Width() + 100);
    if (final && !vertical) bar->Position()->SetY(Height() + 100);
  }
  if (!final) return;
  bar->BringToFront();
  if (!bar->Visible()) {
    bar->SetValue(0);
    return;
  }
  bar->SetMax(contentLength);
  bar->SetViewportSize(viewLength);
  bar->SetSmallChange(bar->ViewportSize() / 5);
  bar->SetValue(vertical ? FScrollDesign.Y : FContentLayout->Position()->X() - FContent->Position()->X());
}

void TvgScrollBox::BarPass() {
  TvgRect r = GetContentBounds();
  if (vgRectWidth(r) * vgRectHeight(r) == 0) return;
  vgOffsetRect(r, FContentLayout->Position()->X(), FContentLayout->Position()->Y());
  if (FHScrollBar && FHScrollBar->Enabled()) vgOffsetRect(r, -FScrollDesign.X, 0);
  if (FVScrollBar && FVScrollBar->Enabled()) vgOffsetRect(r, 0, -FScrollDesign.Y);
  RealignContent(r);
  TvgObject* frame = FContentLayout->Parent();
  TvgVisualObject* frameVisual = frame && frame->IsVisual() ? frame->Visual() : nullptr;
  if (frameVisual) frameVisual->BeginUpdate();
  if (FVScrollBar) SettleBar(FVScrollBar, true, r, false);
  if (FHScrollBar) SettleBar(FHScrollBar, false, r, false);
  if (frameVisual) {
    frameVisual->EndUpdate();
    frameVisual->Realign();
  }
  if (FVScrollBar) SettleBar(FVScrollBar, true, r, true);
  if (FHScrollBar) SettleBar(FHScrollBar, false, r, true);
}

TvgRect TvgVertScrollBox::GetContentBounds() {
  if (Content() && ContentLayout()) Content()->SetWidth(ContentLayout()->Width());
  return inherited::GetContentBounds();
}

// ----- wheel, drag and fling

TvgFloatAnimation* TvgScrollBox::ScrollAnimation(TvgScrollBar* bar) {
  TvgFloatAnimation*& animation = bar == FVScrollBar ? FVScrollAni : FHScrollAni;
  if (!animation) {
    animation = new TvgFloatAnimation(this);
    animation->SetParent(bar);
    animation->SetStored(false);
    animation->SetPropertyName("Value");
    animation->SetDuration(kScrollDuration);
    animation->SetInterpolation(vgInterpolationQuadratic);
    animation->SetAnimationType(vgAnimationOut);
    animation->SetStartFromCurrent(true);
  }
  return animation;
}

void TvgScrollBox::AnimateBar(TvgScrollBar* bar, float target) {
  TvgFloatAnimation* animation = ScrollAnimation(bar);
  if (animation->Running()) animation->StopAtCurrent();
  animation->SetStopValue(target);
  animation->Start();
}

void TvgScrollBox::StopScrollAnimations() {
  for (TvgFloatAnimation* animation : {FHScrollAni, FVScrollAni})
    if (animation && animation->Running()) animation->StopAtCurrent();
}

TvgScrollBar* TvgScrollBox::WheelBar() const {
  if (Shown(FVScrollBar)) return FVScrollBar;
  return Shown(FHScrollBar) ? FHScrollBar : nullptr;
}

void TvgScrollBox::MouseWheel(TvgShiftState shift, int delta, bool& handled) {
  inherited::MouseWheel(shift, delta, handled);
  if (handled || FDisableMouseWheel) return;
  TvgScrollBar* bar = WheelBar();
  if (!bar) return;
  const float target = bar->Value() - float(delta) / kWheelNotch * bar->SmallChange() * kWheelSteps;
  if (FAnimated)
    AnimateBar(bar, target);
  else
    bar->SetValue(target);
  handled = true;
}

void TvgScrollBox::MouseDown(TvgMouseButton button, TvgShiftState shift, float x, float y) {
  inherited::MouseDown(button, shift, x, y);
  if (!FMouseTracking || button != vgMouseLeft) return;
  FLastDelta = {0, 0};
  FDownPos = FCurrentPos = {x, y};
  FDown = true;
  StopScrollAnimations();
}

void TvgScrollBox::MouseMove(TvgShiftState shift, float x, float y, float dx, float dy) {
  inherited::MouseMove(shift, x, y, dx, dy);
  if (!FDown) return;
  if (Shown(FVScrollBar)) {
    FVScrollBar->SetValue(FVScrollBar->Value() - (y - FCurrentPos.Y));
    FLastDelta.Y = y - FCurrentPos.Y;
  }
  if (Shown(FHScrollBar)) {
    FHScrollBar->SetValue(FHScrollBar->Value() - (x - FCurrentPos.X));
    FLastDelta.X = x - FCurrentPos.X;
  }
  FCurrentPos = {x, y};
}

void TvgScrollBox::MouseUp(TvgMouseButton button, TvgShiftState shift, float x, float y) {
  inherited::MouseUp(button, shift, x, y);
  if (!FDown) return;
  FDown = false;
  if (!FAnimated || (FLastDelta.X == 0 && FLastDelta.Y == 0)) return;
  if (Shown(FVScrollBar)) AnimateBar(FVScrollBar, FVScrollBar->Value() - kFlingSteps * FLastDelta.Y);
  if (Shown(FHScrollBar)) AnimateBar(FHScrollBar, FHScrollBar->Value() - kFlingSteps * FLastDelta.X);
}

void RegisterScrollBoxClasses() {
  static bool registered = false;
  if (std::exchange(registered, true)) return;
  RegisterScrollBarClasses();
  RegisterVGObjects("Layout", {TvgScrollBox::StaticClass(), TvgVertScrollBox::StaticClass(),
                               TvgFramedScrollBox::StaticClass(), TvgFramedVertScrollBox::StaticClass()});
}

}  // namespace vg
