#include "ui/core/vg_ani.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <utility>

#include "platform/rtl/Exceptions.h"
#include "platform/rtl/TextCompare.h"
#include "ui/core/vg_visual.h"

namespace vg {

// ----- the clock services

namespace {

// The clock before the windowing layer installs its own: time passes, but
// no loop runs, so timers never tick and waiting for an event is an error.
class TNoLoopClock final : public IvgAniClock {
 public:
  double MonotonicMs() override {
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now().time_since_epoch()).count();
  }
  std::unique_ptr<IvgTimer> StartTimer(std::uint32_t, std::function<void()>) override {
    return std::make_unique<IvgTimer>();
  }
  void WaitForEvent() override {
    throw rtl::EInvalidOperation("No event loop to wait on: the animation clock is not installed");
  }
};

IvgAniClock* installedClock = nullptr;

// Frees the clock when the toolkit unit is finalised.
struct TAniThreadFinalizer {
  ~TAniThreadFinalizer() { vgFreeAniThread(); }
} aniThreadFinalizer;

}  // namespace

IvgAniClock* vgSetAniClock(IvgAniClock* clock) { return std::exchange(installedClock, clock); }

IvgAniClock& vgAniClock() {
  static TNoLoopClock noLoopClock;
  return installedClock ? *installedClock : noLoopClock;
}

// ----- the global clock

TvgAniThread* aniThread = nullptr;

void vgFreeAniThread() {
  TvgAniThread* doomed = aniThread;
  aniThread = nullptr;
  delete doomed;
}

TvgAniThread::TvgAniThread() : FStartTime(vgAniClock().MonotonicMs()) {}

TvgAniThread::~TvgAniThread() { *FAlive = false; }

double TvgAniThread::Elapsed() const { return (vgAniClock().MonotonicMs() - FStartTime) / 1000.0; }

void TvgAniThread::AddAnimation(TvgAnimation* animation) {
  if (!HasAnimation(animation)) FAniList.push_back(animation);
  if (FTimer) return;
  // The rest is no step of any animation: the first tick counts from here.
  FTime = Elapsed();
  FTimer = vgAniClock().StartTimer(Interval, [this] { DoSyncTimer(); });
}

void TvgAniThread::RemoveAnimation(TvgAnimation* animation) {
  std::erase(FAniList, animation);
  RestWhenIdle();
}

void TvgAniThread::RestWhenIdle() {
  if (std::none_of(FAniList.begin(), FAniList.end(), [](const TvgAnimation* a) { return a->Running(); }))
    FTimer.reset();  // safe inside the timer's own tick
}

bool TvgAniThread::HasAnimation(const TvgAnimation* animation) const {
  return std::find(FAniList.begin(), FAniList.end(), animation) != FAniList.end();
}

void TvgAniThread::DoSyncTimer() {
  const double now = Elapsed();
  if (now <= FTime) return;
  FDeltaTime = now - FTime;
  FTime = now;
  const std::shared_ptr<bool> alive = FAlive;
  // Backwards, re-clamped after every entry: animations leave the list
  // (or the clock goes altogether) while they are processed.
  for (int i = Count() - 1; i >= 0; i = std::min(i - 1, Count() - 1)) {
    TvgAnimation* animation = FAniList[i];
    if (!animation->Running()) continue;
    if (rtl::SameText(animation->BindingName(), "caret")) {
      animation->SetTag(animation->Tag() + 1);
      if (animation->Tag() % 3 != 0) continue;
    }
    animation->ProcessTick(float(FTime), float(FDeltaTime));
    if (!*alive) return;
  }
  RestWhenIdle();
}

// ----- the animation base

TvgAnimation::TBusy::TBusy(TvgAnimation* animation) : FAnimation(animation), FAlive(animation->FAlive) {
  ++FAnimation->FBusy;
}

TvgAnimation::TBusy::~TBusy() {
  if (!*FAlive) return;
  if (--FAnimation->FBusy == 0 && FAnimation->FFreePending) FAnimation->Free();
}

TvgAnimation::TvgAnimation(rtl::TComponent* owner) : TvgObject(owner) {}

TvgAnimation::~TvgAnimation() { *FAlive = false; }

void TvgAnimation::Publish(rtl::TPublisher<TvgAnimation>& p) {
  using T = TvgAnimation;
  p.Property("AnimationType", &T::AnimationType, &T::SetAnimationType).Default(vgAnimationIn);
  p.Property("AutoReverse", &T::AutoReverse, &T::SetAutoReverse).Default(false);
  p.Property("Enabled", &T::Enabled, &T::SetEnabled).Default(false);
  p.Property("Delay", &T::Delay, &T::SetDelay);
  p.Property("Duration", &T::Duration, &T::SetDuration).Default(0.2f);
  p.Property("Interpolation", &T::Interpolation, &T::SetInterpolation).Default(vgInterpolationLinear);
  p.Property("Inverse", &T::Inverse, &T::SetInverse).Default(false);
  p.Property("HideOnFinish", &T::HideOnFinish, &T::SetHideOnFinish).Default(false);
  p.Property("Loop", &T::Loop, &T::SetLoop).Default(false);
  p.Property("Trigger", &T::Trigger, &T::SetTrigger);
  p.Property("TriggerInverse", &T::TriggerInverse, &T::SetTriggerInverse);
  p.Property("OnProcess", &T::OnProcess);
  p.Property("OnFinish", &T::OnFinish);
}

bool TvgAnimation::ParentHidden() const {
  return Parent() && Parent()->IsVisual() && !Parent()->Visual()->Visible();
}

bool TvgAnimation::InDesign() {
  IvgScene* scene = GetScene();
  return scene && scene->GetDesignTime();
}

void TvgAnimation::SetEnabled(bool value) {
  if (value == FEnabled) return;
  FEnabled = value;
  if (InDesign() || IsLoading()) return;
  if (FEnabled)
    Start();
  else
    Stop();
}

void TvgAnimation::Loaded() {
  inherited::Loaded();
  if (!InDesign() && FEnabled) Start();
}

void TvgAnimation::BeforeDestruction() {
  if (aniThread) aniThread->RemoveAnimation(this);
  inherited::BeforeDestruction();
}

void TvgAnimation::FreeWhenIdle() {
  if (FBusy > 0)
    FFreePending = true;
  else
    Free();
}

void TvgAnimation::CompleteAtOnce() {
  const float duration = FDuration;
  FDelayTime = 0;
  FTime = FInverse ? 0 : 1;
  FDuration = 1;
  FRunning = true;
  ProcessAnimation();
  FRunning = false;
  FTime = 0;
  // A real duration is kept, so an animation that had to complete before its
  // node joined a scene still animates when started there.
  FDuration = std::fabs(duration) >= 0.001f ? duration : 0.00001f;
  OnFinish(this);
  FEnabled = false;
}

void TvgAnimation::Start() {
  TBusy busy(this);
  if (ParentHidden()) return;
  if (std::fabs(FDuration) < 0.001f || !GetScene() || InDesign()) {
    CompleteAtOnce();
    return;
  }
  FDelayTime = FDelay;
  FRunning = true;
  FTime = FInverse ? FDuration : 0;
  if (FDelay == 0) ProcessAnimation();
  if (!aniThread) aniThread = new TvgAniThread;
  aniThread->AddAnimation(this);
  FEnabled = true;
}

void TvgAnimation::Finish(bool applyEnd) {
  if (!FRunning) return;
  if (aniThread) aniThread->RemoveAnimation(this);
  FTime = FInverse ? 0 : FDuration;
  if (applyEnd) ProcessAnimation();
  FRunning = false;
  FEnabled = false;
  OnFinish(this);
}

void TvgAnimation::Stop() {
  TBusy busy(this);
  Finish(true);
}

void TvgAnimation::StopAtCurrent() {
  TBusy busy(this);
  Finish(false);
}

void TvgAnimation::AdvanceTime(float delta) {
  FTime += FInverse ? -delta : delta;
  if (FTime >= FDuration) {
    FTime = FDuration;
    if (!FLoop)
      FRunning = false;
    else if (FAutoReverse)
      FInverse = true;
    else
      FTime = 0;
  } else if (FTime <= 0) {
    FTime = 0;
    if (!FLoop)
      FRunning = false;
    else if (FAutoReverse)
      FInverse = false;
    else
      FTime = FDuration;
  }
}

void TvgAnimation::ProcessTick(float, float delta) {
  TBusy busy(this);
  if (InDesign() || IsDestroying()) return;
  if (ParentHidden()) {
    Stop();
    return;
  }
  if (!FRunning || Pause) return;
  if (FDelay > 0 && FDelayTime != 0) {
    FDelayTime -= delta;
    if (FDelayTime <= 0) {
      Start();
      FDelayTime = 0;
    }
    return;
  }
  AdvanceTime(delta);
  ProcessAnimation();
  const std::shared_ptr<const bool> alive = FAlive;
  OnProcess(this);
  if (!*alive) return;
  if (GetScene() && !FRunning) {
    if (aniThread) aniThread->RemoveAnimation(this);
    OnFinish(this);
  }
}

float TvgAnimation::NormalizedTime() const {
  if (FDuration <= 0 || FDelayTime > 0) return 0;
  return float(vgEase(FInterpolation, FAnimationType, FTime, FDuration));
}

void TvgAnimation::StartTrigger(TvgObject* instance, const std::string& trigger) {
  if (!instance) return;
  if (vgTriggerStartsAnimation(instance, FTriggerInverse, trigger)) {
    FInverse = true;
    Start();
    return;
  }
  if (vgTriggerStartsAnimation(instance, FTrigger, trigger)) {
    if (!FTriggerInverse.empty()) FInverse = false;
    Start();
  }
}

}  // namespace vg
