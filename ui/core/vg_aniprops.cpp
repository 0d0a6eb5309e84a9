// The property animations of vg_ani.h.
#include <algorithm>
#include <cmath>

#include "platform/rtl/Rounding.h"
#include "ui/core/vg_ani.h"
#include "ui/core/vg_visual.h"

namespace vg {

namespace {

template <class T>
T* HeldAs(const TvgAnimatedProperty& target) {
  rtl::TObject* held = target.HeldObject();
  return held && held->InheritsFrom(T::StaticClass()) ? static_cast<T*>(held) : nullptr;
}

}  // namespace

void TvgPropertyAnimation::ResolveTarget() {
  if (Parent() && !FPropertyName.empty() && !FTarget.Instance()) FTarget.Resolve(Parent(), FPropertyName);
}

// ----- colour

void TvgColorAnimation::Publish(rtl::TPublisher<TvgColorAnimation>& p) {
  using T = TvgColorAnimation;
  p.Property("StartValue", &T::StartValue, &T::SetStartValue);
  p.Property("StopValue", &T::StopValue, &T::SetStopValue);
  p.Property("StartFromCurrent", &T::StartFromCurrent, &T::SetStartFromCurrent).Default(false);
  p.Property("PropertyName", &T::PropertyName, &T::SetPropertyName);
}

void TvgColorAnimation::Start() {
  ResolveTarget();
  if (FStartFromCurrent) FTarget.ReadColor(FStartColor);
  inherited::Start();
}

void TvgColorAnimation::ProcessAnimation() {
  FTarget.WriteColor(vgInterpolateColor(FStartColor, FStopColor, NormalizedTime()));
}

// ----- gradient

void TvgGradientAnimation::Publish(rtl::TPublisher<TvgGradientAnimation>& p) {
  using T = TvgGradientAnimation;
  p.Property("StartValue", &T::StartValue);
  p.Property("StopValue", &T::StopValue);
  p.Property("StartFromCurrent", &T::StartFromCurrent, &T::SetStartFromCurrent).Default(false);
  p.Property("PropertyName", &T::PropertyName, &T::SetPropertyName);
}

TvgGradient* TvgGradientAnimation::TargetGradient() const { return HeldAs<TvgGradient>(FTarget); }

void TvgGradientAnimation::Start() {
  ResolveTarget();
  if (FStartFromCurrent)
    if (TvgGradient* gradient = TargetGradient()) FStartGradient->Assign(gradient);
  inherited::Start();
}

void TvgGradientAnimation::ProcessAnimation() {
  TvgGradient* gradient = TargetGradient();
  if (!gradient) return;
  const float p = NormalizedTime();
  TvgGradientPoints* from = FStartGradient->Points();
  TvgGradientPoints* to = FStopGradient->Points();
  for (int i = 0; i < gradient->Points()->Count(); ++i)
    if (i < from->Count() && i < to->Count())
      gradient->Points()->Points(i)->SetIntColor(
          vgInterpolateColor(from->Points(i)->IntColor(), to->Points(i)->IntColor(), p));
  gradient->Change();
}

// ----- float

void TvgFloatAnimation::Publish(rtl::TPublisher<TvgFloatAnimation>& p) {
  using T = TvgFloatAnimation;
  p.Property("StartValue", &T::StartValue, &T::SetStartValue);
  p.Property("StopValue", &T::StopValue, &T::SetStopValue);
  p.Property("StartFromCurrent", &T::StartFromCurrent, &T::SetStartFromCurrent).Default(false);
  p.Property("PropertyName", &T::PropertyName, &T::SetPropertyName);
}

void TvgFloatAnimation::Start() {
  ResolveTarget();
  if (FStartFromCurrent) FTarget.ReadFloat(FStartFloat);
  inherited::Start();
}

void TvgFloatAnimation::Stop() {
  TBusy busy(this);
  const auto alive = AliveFlag();
  inherited::Stop();
  if (*alive) FTarget.Clear();
}

void TvgFloatAnimation::ProcessAnimation() {
  FTarget.WriteFloat(vgInterpolateSingle(FStartFloat, FStopFloat, NormalizedTime()));
}

// ----- rectangle

void TvgRectAnimation::Publish(rtl::TPublisher<TvgRectAnimation>& p) {
  using T = TvgRectAnimation;
  p.Property("StartValue", &T::StartValue);
  p.Property("StopValue", &T::StopValue);
  p.Property("StartFromCurrent", &T::StartFromCurrent, &T::SetStartFromCurrent).Default(false);
  p.Property("PropertyName", &T::PropertyName, &T::SetPropertyName);
}

void TvgRectAnimation::Start() {
  ResolveTarget();
  if (FStartFromCurrent)
    if (auto* held = HeldAs<rtl::TPersistent>(FTarget)) FStartRect->Assign(held);
  inherited::Start();
}

void TvgRectAnimation::ProcessAnimation() {
  const float p = NormalizedTime();
  const TvgRect from = FStartRect->GetRect(), to = FStopRect->GetRect();
  FCurrent->SetLeft(vgInterpolateSingle(from.Left, to.Left, p));
  FCurrent->SetTop(vgInterpolateSingle(from.Top, to.Top, p));
  FCurrent->SetRight(vgInterpolateSingle(from.Right, to.Right, p));
  FCurrent->SetBottom(vgInterpolateSingle(from.Bottom, to.Bottom, p));
  if (auto* held = HeldAs<rtl::TPersistent>(FTarget)) held->Assign(FCurrent.get());
}

// ----- bitmaps

void TvgBitmapAnimation::Publish(rtl::TPublisher<TvgBitmapAnimation>& p) {
  using T = TvgBitmapAnimation;
  p.Property("StartValue", &T::StartValue);
  p.Property("StopValue", &T::StopValue);
  p.Property("PropertyName", &T::PropertyName, &T::SetPropertyName);
}

namespace {

// The bitmaps resolve on their first step and keep only the last part of
// the path as their property name.
void ResolveBitmapTarget(TvgAnimatedProperty& target, TvgObject* parent, std::string& propertyName) {
  if (target.Instance() || !parent || propertyName.empty()) return;
  target.Resolve(parent, propertyName);
  propertyName = propertyName.substr(propertyName.rfind('.') + 1);
}

}  // namespace

// A true cross-fade: each pixel moves from the start picture to the stop
// picture (premultiplied channels mix linearly), so the start picture shows
// at first and the stop picture alone at the end.
void TvgBitmapAnimation::ProcessAnimation() {
  ResolveBitmapTarget(FTarget, Parent(), FPropertyName);
  auto* held = HeldAs<rtl::TPersistent>(FTarget);
  if (!held) return;
  const float p = NormalizedTime();
  TvgBitmap& base = Inverse() ? *FStopBitmap : *FStartBitmap;
  TvgBitmap& over = Inverse() ? *FStartBitmap : *FStopBitmap;
  FCurrent->Assign(&base);
  if (FCurrent->IsEmpty()) return;
  TvgBitmap fitted;  // `over` at the size of `base`
  const TvgBitmap* top = &over;
  if (over.Width() != base.Width() || over.Height() != base.Height()) {
    fitted.SetSize(base.Width(), base.Height());
    fitted.Clear(0);
    TvgCanvas* canvas = fitted.GetCanvas();
    if (canvas && canvas->BeginScene()) {
      canvas->DrawBitmap(over, {0, 0, float(over.Width()), float(over.Height())},
                         {0, 0, float(base.Width()), float(base.Height())}, 1, false);
      canvas->EndScene();
    }
    top = &fitted;
  }
  const float weight = Inverse() ? 1 - p : p;
  std::uint32_t* pixels = FCurrent->Bits();
  const std::uint32_t* overPixels = top->ConstBits();
  if (!overPixels) return;
  for (std::size_t i = 0, n = std::size_t(base.Width()) * base.Height(); i < n; ++i)
    pixels[i] = vgInterpolateColor(pixels[i], overPixels[i], weight);
  FCurrent->BitmapChanged();
  held->Assign(FCurrent.get());
}

void TvgBitmapListAnimation::Publish(rtl::TPublisher<TvgBitmapListAnimation>& p) {
  using T = TvgBitmapListAnimation;
  p.Property("PropertyName", &T::PropertyName, &T::SetPropertyName);
  p.Property("AnimationBitmap", &T::AnimationBitmap);
  p.Property("AnimationCount", &T::AnimationCount, &T::SetAnimationCount).Default(1);
}

void TvgBitmapListAnimation::ProcessAnimation() {
  ResolveBitmapTarget(FTarget, Parent(), FPropertyName);
  TvgBitmap* target = HeldAs<TvgBitmap>(FTarget);
  if (!target || FAnimationCount <= 0) return;
  const auto frame = float(rtl::Trunc(vgInterpolateSingle(0, float(FAnimationCount - 1), NormalizedTime())));
  const float width = float(FAnimationBitmap->Width() / FAnimationCount);
  FCurrent->SetSize(target->Width(), target->Height());
  TvgCanvas* canvas = FCurrent->GetCanvas();
  if (canvas->BeginScene()) {
    canvas->Clear(0);
    const float left = frame * (width + 1);
    canvas->DrawBitmap(*FAnimationBitmap,
                       {left, 0, left + float(FCurrent->Width()), float(FCurrent->Height())},
                       {0, 0, width, float(FAnimationBitmap->Height())}, 1, false);
    canvas->EndScene();
  }
  target->Assign(FCurrent.get());
}

// ----- key frames

void TvgKey::SetKey(float value) { FKey = std::clamp(value, 0.0f, 1.0f); }

bool TvgKeys::FindKeys(float time, TvgKey*& key1, TvgKey*& key2) const {
  for (int i = 0; i + 1 < Count(); ++i)
    if (Keys(i)->Key() <= time && time <= Keys(i + 1)->Key()) {
      key1 = Keys(i);
      key2 = Keys(i + 1);
      return true;
    }
  return false;
}

namespace {

// The position of p between the keys of the pair it falls in; false
// outside every pair.
template <class Key>
bool LocalTime(const TvgKeys& keys, float p, Key*& key1, Key*& key2, float& local) {
  TvgKey *first = nullptr, *second = nullptr;
  if (!keys.FindKeys(p, first, second) || second->Key() - first->Key() == 0) return false;
  key1 = static_cast<Key*>(first);
  key2 = static_cast<Key*>(second);
  local = (p - first->Key()) / (second->Key() - first->Key());
  return true;
}

}  // namespace

void TvgColorKeyAnimation::Publish(rtl::TPublisher<TvgColorKeyAnimation>& p) {
  using T = TvgColorKeyAnimation;
  p.Property("PropertyName", &T::PropertyName, &T::SetPropertyName);
  p.Property("Keys", &T::Keys);
  p.Property("StartFromCurrent", &T::StartFromCurrent, &T::SetStartFromCurrent).Default(false);
}

TvgColorKey* TvgColorKeyAnimation::AddKey(float key, const std::string& value) {
  auto* item = static_cast<TvgColorKey*>(FKeys->Add());
  item->SetKey(key);
  item->Value = value;
  return item;
}

void TvgColorKeyAnimation::Start() {
  ResolveTarget();
  TvgColor current = 0;
  if (FStartFromCurrent && FKeys->Count() > 0 && FTarget.ReadColor(current))
    static_cast<TvgColorKey*>(FKeys->Keys(0))->Value = vgColorToStr(current);
  inherited::Start();
}

void TvgColorKeyAnimation::ProcessAnimation() {
  TvgColorKey *key1 = nullptr, *key2 = nullptr;
  float local = 0;
  if (LocalTime(*FKeys, NormalizedTime(), key1, key2, local))
    FTarget.WriteColor(vgInterpolateColor(vgStrToColor(key1->Value), vgStrToColor(key2->Value), local));
}

void TvgFloatKeyAnimation::Publish(rtl::TPublisher<TvgFloatKeyAnimation>& p) {
  using T = TvgFloatKeyAnimation;
  p.Property("PropertyName", &T::PropertyName, &T::SetPropertyName);
  p.Property("Keys", &T::Keys);
  p.Property("StartFromCurrent", &T::StartFromCurrent, &T::SetStartFromCurrent).Default(false);
}

TvgFloatKey* TvgFloatKeyAnimation::AddKey(float key, float value) {
  auto* item = static_cast<TvgFloatKey*>(FKeys->Add());
  item->SetKey(key);
  item->Value = value;
  return item;
}

void TvgFloatKeyAnimation::Start() {
  ResolveTarget();
  if (FStartFromCurrent && FKeys->Count() > 0)
    FTarget.ReadFloat(static_cast<TvgFloatKey*>(FKeys->Keys(0))->Value);
  inherited::Start();
}

void TvgFloatKeyAnimation::ProcessAnimation() {
  TvgFloatKey *key1 = nullptr, *key2 = nullptr;
  float local = 0;
  if (LocalTime(*FKeys, NormalizedTime(), key1, key2, local))
    FTarget.WriteFloat(vgInterpolateSingle(key1->Value, key2->Value, local));
}

// ----- path

TvgPathAnimation::TvgPathAnimation(rtl::TComponent* owner) : TvgAnimation(owner) {}

void TvgPathAnimation::Publish(rtl::TPublisher<TvgPathAnimation>& p) {
  p.Property("Path", &TvgPathAnimation::Path);
  p.Property("Rotate", &TvgPathAnimation::Rotate, &TvgPathAnimation::SetRotate).Default(false);
}

void TvgPathAnimation::Start() {
  TBusy busy(this);
  const auto alive = AliveFlag();
  inherited::Start();
  if (!*alive) return;
  FSpline.reset();
  FPolygon.clear();
  if (!GetScene()) return;
  FPath->FlattenToPolygon(FPolygon, 0.25f);
  if (FPolygon.size() > 1)
    for (std::size_t i = 1; i < FPolygon.size(); ++i)
      if (FPolygon[i] == ClosePolygon && FPolygon[i - 1] != ClosePolygon) FPolygon[i] = FPolygon[i - 1];
  FSpline = std::make_unique<TvgSpline>(FPolygon);
  FObj = Parent() && Parent()->IsVisual() ? Parent()->Visual() : nullptr;
  if (FObj) FStart = {FObj->Position()->X(), FObj->Position()->Y()};
}

void TvgPathAnimation::ProcessAnimation() {
  // Only the node it belongs to now: an earlier parent may be gone.
  if (FPolygon.size() < 2 || !FObj || !FSpline || FObj != Parent()) return;
  const float p = NormalizedTime();
  float x = 0, y = 0;
  FSpline->SplineXY(p * float(FPolygon.size() - 1), x, y);
  const TvgPoint old{FObj->Position()->X(), FObj->Position()->Y()};
  FObj->Position()->SetX(FStart.X + x);
  FObj->Position()->SetY(FStart.Y + y);
  const TvgPoint now{FObj->Position()->X(), FObj->Position()->Y()};
  if (!FRotate || p == 0 || p == 1 || now.X == old.X || now.Y == old.Y) return;
  const TvgVector v = vgVector(now.X - old.X, now.Y - old.Y);
  const TvgVector down = vgVector(0, 1);
  const float a = vgRadToDeg(std::acos(vgVectorAngleCosine(v, down)));
  const bool negative = vgVectorCrossProductZ(v, down) < 0;
  if (!Inverse())
    FObj->SetRotateAngle(negative ? a : -a);
  else
    FObj->SetRotateAngle(negative ? a + 180 : 180 - a);
}

// ----- path switcher

TvgPathSwitcher::TvgPathSwitcher(rtl::TComponent* owner) : TvgAnimation(owner) { SetDuration(0.001f); }

void TvgPathSwitcher::Publish(rtl::TPublisher<TvgPathSwitcher>& p) {
  p.Property("PathTrue", &TvgPathSwitcher::PathTrue);
  p.Property("PathFalse", &TvgPathSwitcher::PathFalse);
  p.Property("PropertyName", &TvgPathSwitcher::PropertyName);
}

void RegisterAnimationClasses() {
  RegisterVGObjects("Animations",
                    {TvgColorAnimation::StaticClass(), TvgGradientAnimation::StaticClass(),
                     TvgFloatAnimation::StaticClass(), TvgRectAnimation::StaticClass(),
                     TvgBitmapAnimation::StaticClass(), TvgBitmapListAnimation::StaticClass(),
                     TvgColorKeyAnimation::StaticClass(), TvgFloatKeyAnimation::StaticClass(),
                     TvgPathAnimation::StaticClass(), TvgPathSwitcher::StaticClass()});
}

}  // namespace vg
