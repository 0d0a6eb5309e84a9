// The operations of TvgObject that drive the animations and effects among
// a node's children: starting and stopping by name, the trigger fan-out
// into the node's style parts, and the one-call property animations.
#include <algorithm>

#include "platform/rtl/TextConvert.h"
#include "platform/rtl/TextCompare.h"
#include "ui/core/vg_ani.h"
#include "ui/core/vg_effects.h"
#include "ui/core/vg_visual.h"

namespace vg {

namespace {

// A part of the node's applied style: visual, locked and not hit-testable.
// A nested control has HitTest set and is never entered.
bool IsStylePart(TvgObject* child) {
  return child->IsVisual() && child->Visual()->Locked() && !child->Visual()->HitTest();
}

template <class T>
T* As(TvgObject* child) {
  return child->InheritsFrom(T::StaticClass()) ? static_cast<T*>(child) : nullptr;
}

bool IsChildOf(const TvgObject* node, const TvgObject* child) {
  const auto& children = node->Children();
  return std::find(children.begin(), children.end(), child) != children.end();
}

// Calls action for the children in order (backwards when asked). Handlers
// may add or free children meanwhile: only those still present are visited.
template <class F>
void ForEachChild(TvgObject* node, bool backwards, const F& action) {
  std::vector<TvgObject*> snapshot = node->Children();
  if (backwards) std::reverse(snapshot.begin(), snapshot.end());
  for (TvgObject* child : snapshot)
    if (IsChildOf(node, child)) action(child);
}

bool SameName(const std::string& componentName, const rtl::WideString& name) {
  return rtl::SameText(componentName, rtl::Utf16ToUtf8(name));
}

// Watches an animation while the loop runs: anything may free it meanwhile.
class TAnimationWatch final : public IvgFreeNotification {
 public:
  explicit TAnimationWatch(TvgAnimation* animation) : FAnimation(animation) {
    FAnimation->AddFreeNotify(this);
  }
  ~TAnimationWatch() {
    if (FAnimation) FAnimation->RemoveFreeNotify(this);
  }
  void FreeNotification(IvgFreeNotifier*) override { FAnimation = nullptr; }
  TvgAnimation* Animation() const { return FAnimation; }

 private:
  TvgAnimation* FAnimation;
};

// Runs the loop while the animation runs; the wait also ends when the
// animation is freed or the clock is destroyed (the last scene went).
// Returns the animation, or nullptr when it is gone.
TvgAnimation* WaitWhileRunning(TvgAnimation* animation) {
  TAnimationWatch watch(animation);
  while (watch.Animation() && watch.Animation()->Running() && aniThread) vgAniClock().WaitForEvent();
  return watch.Animation();
}

TvgFloatAnimation* NewFloatAnimation(TvgObject* node, const std::string& propertyName, float newValue,
                                     float duration, TvgAnimationType type,
                                     TvgInterpolationType interpolation) {
  auto* animation = new TvgFloatAnimation(node);
  animation->SetParent(node);
  animation->SetAnimationType(type);
  animation->SetInterpolation(interpolation);
  animation->SetDuration(duration);
  animation->SetPropertyName(propertyName);
  animation->SetStartFromCurrent(true);
  animation->SetStopValue(newValue);
  return animation;
}

void FreeOnFinish(TvgAnimation* animation) {
  animation->OnFinish = [](rtl::TObject* sender) { static_cast<TvgAnimation*>(sender)->FreeWhenIdle(); };
}

}  // namespace

void TvgObject::StartAnimation(const rtl::WideString& name) {
  ForEachChild(this, false, [&](TvgObject* child) {
    if (auto* animation = As<TvgAnimation>(child); animation && SameName(animation->Name(), name))
      animation->Start();
  });
}

void TvgObject::StopAnimation(const rtl::WideString& name) {
  ForEachChild(this, true, [&](TvgObject* child) {
    if (auto* animation = As<TvgAnimation>(child); animation && SameName(animation->Name(), name))
      animation->Stop();
  });
}

void TvgObject::StopTriggerAnimation(TvgObject* instance) {
  ForEachChild(this, false, [&](TvgObject* child) {
    if (auto* animation = As<TvgAnimation>(child)) {
      if (!animation->Trigger().empty()) animation->Stop();
    } else if (IsStylePart(child)) {
      child->StopTriggerAnimation(instance);
    }
  });
}

void TvgObject::StartTriggerAnimation(TvgObject* instance, const std::string& trigger) {
  StopTriggerAnimation(instance);
  ForEachChild(this, false, [&](TvgObject* child) {
    if (auto* animation = As<TvgAnimation>(child))
      animation->StartTrigger(instance, trigger);
    else if (IsStylePart(child))
      child->StartTriggerAnimation(instance, trigger);
  });
}

void TvgObject::StartTriggerAnimationWait(TvgObject* instance, const std::string& trigger) {
  StopTriggerAnimation(instance);
  ForEachChild(this, false, [&](TvgObject* child) {
    if (auto* animation = As<TvgAnimation>(child)) {
      animation->StartTrigger(instance, trigger);
      WaitWhileRunning(animation);
    } else if (IsStylePart(child)) {
      child->StartTriggerAnimationWait(instance, trigger);
    }
  });
}

void TvgObject::ApplyTriggerEffect(TvgObject* instance, const std::string& trigger) {
  ForEachChild(this, false, [&](TvgObject* child) {
    if (auto* effect = As<TvgEffect>(child))
      effect->ApplyTrigger(instance, trigger);
    else if (IsStylePart(child))
      child->ApplyTriggerEffect(instance, trigger);
  });
}

void TvgObject::AnimateFloat(const std::string& propertyName, float newValue, float duration,
                             TvgAnimationType type, TvgInterpolationType interpolation) {
  AnimateFloatDelay(propertyName, newValue, duration, 0, type, interpolation);
}

void TvgObject::AnimateFloatDelay(const std::string& propertyName, float newValue, float duration,
                                  float delay, TvgAnimationType type, TvgInterpolationType interpolation) {
  TvgFloatAnimation* animation = NewFloatAnimation(this, propertyName, newValue, duration, type, interpolation);
  FreeOnFinish(animation);
  animation->SetDelay(delay);
  animation->Start();
}

void TvgObject::AnimateColor(const std::string& propertyName, const std::string& newValue, float duration,
                             TvgAnimationType type, TvgInterpolationType interpolation) {
  auto* animation = new TvgColorAnimation(this);
  animation->SetParent(this);
  animation->SetAnimationType(type);
  animation->SetInterpolation(interpolation);
  FreeOnFinish(animation);
  animation->SetDuration(duration);
  animation->SetPropertyName(propertyName);
  animation->SetStartFromCurrent(true);
  animation->SetStopValue(newValue);
  animation->Start();
}

void TvgObject::AnimateFloatWait(const std::string& propertyName, float newValue, float duration,
                                 TvgAnimationType type, TvgInterpolationType interpolation) {
  TvgFloatAnimation* animation = NewFloatAnimation(this, propertyName, newValue, duration, type, interpolation);
  animation->Start();
  if (TvgAnimation* left = WaitWhileRunning(animation)) left->Free();
}

}  // namespace vg
