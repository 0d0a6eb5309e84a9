#pragma once
// Animations: child nodes that change a property of the node they belong to
// over time. TvgAnimation holds the timing (duration, delay, loop,
// auto-reverse, direction), the easing and the triggers; the single clock
// TvgAniThread steps every running animation from a 33 ms UI-thread timer,
// which runs only while an animation does;
// the property animations resolve a dotted property path of their parent
// ("Fill.Color", "Parent.Opacity") and write an interpolated value into it.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/rtl/Collection.h"
#include "ui/core/vg_anitarget.h"
#include "ui/core/vg_bitmap.h"
#include "ui/core/vg_brush.h"
#include "ui/core/vg_easing.h"
#include "ui/core/vg_geometry.h"
#include "ui/core/vg_object.h"
#include "ui/core/vg_pathdata.h"
#include "ui/core/vg_spline.h"

namespace vg {

class TvgAnimation;

// ---------------------------------------------------------------------------
// The clock's view of the outside world.

// A repeating timer; it stops when destroyed.
class IvgTimer {
 public:
  virtual ~IvgTimer() = default;
};

class IvgAniClock {
 public:
  virtual ~IvgAniClock() = default;
  // Milliseconds of a monotonic clock; never wraps.
  virtual double MonotonicMs() = 0;
  // Calls tick on the UI thread about every intervalMs until the handle is
  // destroyed.
  virtual std::unique_ptr<IvgTimer> StartTimer(std::uint32_t intervalMs, std::function<void()> tick) = 0;
  // Handles the next event of the UI thread's loop, waiting for one: one
  // step of a loop that waits for animations to end.
  virtual void WaitForEvent() = 0;
};

// Installs the clock services and returns the ones installed before. The
// windowing layer installs the real ones (vgUseGuiTimers); until then, or
// after nullptr, a clock without a loop serves: its time passes, its timers
// never tick, and WaitForEvent raises EInvalidOperation instead of waiting
// forever.
IvgAniClock* vgSetAniClock(IvgAniClock* clock);
IvgAniClock& vgAniClock();

// ---------------------------------------------------------------------------
// The global animation clock.

class TvgAniThread {
 public:
  static constexpr std::uint32_t Interval = 33;

  // Time counts from now; the timer starts with the first animation.
  TvgAniThread();
  ~TvgAniThread();
  TvgAniThread(const TvgAniThread&) = delete;
  TvgAniThread& operator=(const TvgAniThread&) = delete;

  // Adds the animation once and starts the timer if it rests.
  void AddAnimation(TvgAnimation* animation);
  // Removes it; the timer rests once no animation runs.
  void RemoveAnimation(TvgAnimation* animation);
  bool HasAnimation(const TvgAnimation* animation) const;
  int Count() const { return static_cast<int>(FAniList.size()); }
  // Whether the timer runs: only while an animation of the list runs, so
  // an idle program is not woken 30 times a second.
  bool Ticking() const { return FTimer != nullptr; }
  // Seconds since the clock started, at the last tick, and the step of that tick.
  double Time() const { return FTime; }
  double DeltaTime() const { return FDeltaTime; }

  // One clock step: every running animation advances by the time passed
  // since the previous step (or since the timer restarted); the caret's
  // animation only every third step.
  void DoSyncTimer();

 private:
  double Elapsed() const;
  void RestWhenIdle();

  std::vector<TvgAnimation*> FAniList;
  double FStartTime = 0;
  double FTime = 0;
  double FDeltaTime = 0;
  std::unique_ptr<IvgTimer> FTimer;
  std::shared_ptr<bool> FAlive = std::make_shared<bool>(true);
};

// The clock while it exists: made by the first Start that needs it.
extern TvgAniThread* aniThread;
// Frees the clock (the last scene is gone); the next Start makes a new one.
void vgFreeAniThread();

// ---------------------------------------------------------------------------
// The animation base.

class TvgAnimation : public TvgObject {
  RTL_CLASS(TvgAnimation, TvgObject)

  explicit TvgAnimation(rtl::TComponent* owner);
  ~TvgAnimation() override;

  TvgAnimationType AnimationType() const { return FAnimationType; }
  void SetAnimationType(TvgAnimationType value) { FAnimationType = value; }
  bool AutoReverse() const { return FAutoReverse; }
  void SetAutoReverse(bool value) { FAutoReverse = value; }
  bool Enabled() const { return FEnabled; }
  // Starts or stops the animation, except in design mode or while loading.
  void SetEnabled(bool value);
  float Delay() const { return FDelay; }
  void SetDelay(float value) { FDelay = value; }
  float Duration() const { return FDuration; }
  void SetDuration(float value) { FDuration = value; }
  TvgInterpolationType Interpolation() const { return FInterpolation; }
  void SetInterpolation(TvgInterpolationType value) { FInterpolation = value; }
  bool Inverse() const { return FInverse; }
  void SetInverse(bool value) { FInverse = value; }
  bool HideOnFinish() const { return FHideOnFinish; }
  void SetHideOnFinish(bool value) { FHideOnFinish = value; }
  bool Loop() const { return FLoop; }
  void SetLoop(bool value) { FLoop = value; }
  const std::string& Trigger() const { return FTrigger; }
  void SetTrigger(const std::string& value) { FTrigger = value; }
  const std::string& TriggerInverse() const { return FTriggerInverse; }
  void SetTriggerInverse(const std::string& value) { FTriggerInverse = value; }
  bool Running() const { return FRunning; }
  float Time() const { return FTime; }
  float DelayTime() const { return FDelayTime; }
  // While set, clock steps are ignored.
  bool Pause = false;

  rtl::TNotifyEvent OnProcess;
  rtl::TNotifyEvent OnFinish;

  // Applies the current progress to the target; nothing here.
  virtual void ProcessAnimation() {}
  // Runs from the start (the end when Inverse); without a scene, in design
  // mode or with a duration below 0.001 s the end state is applied at once.
  virtual void Start();
  // Jumps to the end state and finishes.
  virtual void Stop();
  // Finishes where it is; the property keeps its current value.
  virtual void StopAtCurrent();
  // Starts forwards or backwards when the trigger texts call for it.
  virtual void StartTrigger(TvgObject* instance, const std::string& trigger);
  // One clock step of delta seconds.
  void ProcessTick(float time, float delta);
  // The eased progress for the current time; 0 while a delay runs.
  float NormalizedTime() const;

  // Frees the animation once the operation under way (Start, Stop or a
  // clock step) has returned; at once when none is.
  void FreeWhenIdle();

 protected:
  void Loaded() override;
  void BeforeDestruction() override;
  // The parent is a visual node that is hidden.
  bool ParentHidden() const;
  // False once the animation is destroyed: an override that calls the base
  // Start or Stop checks it before touching itself again (a finish handler
  // may free the node and its animations).
  std::shared_ptr<const bool> AliveFlag() const { return FAlive; }
  bool InDesign();

  // Counts nested operations, so FreeWhenIdle waits for the outermost one.
  // A handler may free the animation (with its node) meanwhile: the guard
  // then touches nothing.
  class TBusy {
   public:
    explicit TBusy(TvgAnimation* animation);
    ~TBusy();

   private:
    TvgAnimation* FAnimation;
    std::shared_ptr<const bool> FAlive;
  };

 private:
  static void Publish(rtl::TPublisher<TvgAnimation>& p);
  void CompleteAtOnce();
  void Finish(bool applyEnd);
  void AdvanceTime(float delta);

  float FDuration = 0.2f;
  float FDelay = 0;
  float FDelayTime = 0;
  float FTime = 0;
  bool FInverse = false;
  std::string FTrigger;
  std::string FTriggerInverse;
  bool FLoop = false;
  bool FRunning = false;
  bool FHideOnFinish = false;
  TvgInterpolationType FInterpolation = vgInterpolationLinear;
  TvgAnimationType FAnimationType = vgAnimationIn;
  bool FEnabled = false;
  bool FAutoReverse = false;
  int FBusy = 0;
  bool FFreePending = false;
  std::shared_ptr<bool> FAlive = std::make_shared<bool>(true);
};

// ---------------------------------------------------------------------------
// Property animations. Each resolves PropertyName against its parent when
// it starts (see TvgAnimatedProperty) and writes the value for
// NormalizedTime on every step; a property that cannot be resolved, or is
// of another kind, is left alone while the animation still runs its time.

// What the property animations share: the property path, the property it
// resolves to, and whether a start reads the start value from that property
// (published only by the animations that can read one).
class TvgPropertyAnimation : public TvgAnimation {
  RTL_CLASS(TvgPropertyAnimation, TvgAnimation)

  explicit TvgPropertyAnimation(rtl::TComponent* owner) : TvgAnimation(owner) {}
  const std::string& PropertyName() const { return FPropertyName; }
  void SetPropertyName(const std::string& value) { FPropertyName = value; }
  bool StartFromCurrent() const { return FStartFromCurrent; }
  void SetStartFromCurrent(bool value) { FStartFromCurrent = value; }

 protected:
  // Resolves the property the first time the animation starts.
  void ResolveTarget();

  std::string FPropertyName;
  TvgAnimatedProperty FTarget;
  bool FStartFromCurrent = false;
};

class TvgColorAnimation : public TvgPropertyAnimation {
  RTL_CLASS(TvgColorAnimation, TvgPropertyAnimation)

  explicit TvgColorAnimation(rtl::TComponent* owner) : TvgPropertyAnimation(owner) {}
  std::string StartValue() const { return vgColorToStr(FStartColor); }
  void SetStartValue(const std::string& text) { FStartColor = vgStrToColor(text); }
  std::string StopValue() const { return vgColorToStr(FStopColor); }
  void SetStopValue(const std::string& text) { FStopColor = vgStrToColor(text); }

  void Start() override;
  void ProcessAnimation() override;

 private:
  static void Publish(rtl::TPublisher<TvgColorAnimation>& p);
  TvgColor FStartColor = 0xFFFFFFFF;
  TvgColor FStopColor = 0xFFFFFFFF;
};

class TvgGradientAnimation : public TvgPropertyAnimation {
  RTL_CLASS(TvgGradientAnimation, TvgPropertyAnimation)

  explicit TvgGradientAnimation(rtl::TComponent* owner) : TvgPropertyAnimation(owner) {}
  TvgGradient* StartValue() const { return FStartGradient.get(); }
  void SetStartValue(const TvgGradient* value) { FStartGradient->Assign(value); }
  TvgGradient* StopValue() const { return FStopGradient.get(); }
  void SetStopValue(const TvgGradient* value) { FStopGradient->Assign(value); }

  void Start() override;
  void ProcessAnimation() override;

 private:
  static void Publish(rtl::TPublisher<TvgGradientAnimation>& p);
  TvgGradient* TargetGradient() const;
  TvgOwned<TvgGradient> FStartGradient{new TvgGradient};
  TvgOwned<TvgGradient> FStopGradient{new TvgGradient};
};

class TvgFloatAnimation : public TvgPropertyAnimation {
  RTL_CLASS(TvgFloatAnimation, TvgPropertyAnimation)

  explicit TvgFloatAnimation(rtl::TComponent* owner) : TvgPropertyAnimation(owner) {}
  float StartValue() const { return FStartFloat; }
  void SetStartValue(float value) { FStartFloat = value; }
  float StopValue() const { return FStopFloat; }
  void SetStopValue(float value) { FStopFloat = value; }

  void Start() override;
  // Also forgets the resolved property, so the next Start looks it up again.
  void Stop() override;
  void ProcessAnimation() override;

 private:
  static void Publish(rtl::TPublisher<TvgFloatAnimation>& p);
  float FStartFloat = 0;
  float FStopFloat = 0;
};

class TvgRectAnimation : public TvgPropertyAnimation {
  RTL_CLASS(TvgRectAnimation, TvgPropertyAnimation)

  explicit TvgRectAnimation(rtl::TComponent* owner) : TvgPropertyAnimation(owner) {}
  TvgBounds* StartValue() const { return FStartRect.get(); }
  void SetStartValue(const TvgBounds* value) { FStartRect->Assign(value); }
  TvgBounds* StopValue() const { return FStopRect.get(); }
  void SetStopValue(const TvgBounds* value) { FStopRect->Assign(value); }

  void Start() override;
  void ProcessAnimation() override;

 private:
  static void Publish(rtl::TPublisher<TvgRectAnimation>& p);
  TvgOwned<TvgBounds> FStartRect{new TvgBounds};
  TvgOwned<TvgBounds> FCurrent{new TvgBounds};
  TvgOwned<TvgBounds> FStopRect{new TvgBounds};
};

// Cross-fades the bitmap property from StartValue to StopValue (at the
// size of the picture it starts from).
class TvgBitmapAnimation : public TvgPropertyAnimation {
  RTL_CLASS(TvgBitmapAnimation, TvgPropertyAnimation)

  explicit TvgBitmapAnimation(rtl::TComponent* owner) : TvgPropertyAnimation(owner) {}
  TvgBitmap* StartValue() const { return FStartBitmap.get(); }
  void SetStartValue(const TvgBitmap* value) { FStartBitmap->Assign(value); }
  TvgBitmap* StopValue() const { return FStopBitmap.get(); }
  void SetStopValue(const TvgBitmap* value) { FStopBitmap->Assign(value); }

  void ProcessAnimation() override;

 private:
  static void Publish(rtl::TPublisher<TvgBitmapAnimation>& p);
  TvgOwned<TvgBitmap> FStartBitmap{new TvgBitmap(1, 1)};
  TvgOwned<TvgBitmap> FStopBitmap{new TvgBitmap(1, 1)};
  TvgOwned<TvgBitmap> FCurrent{new TvgBitmap(1, 1)};
};

// Plays AnimationCount frames of a horizontal strip into a bitmap property.
class TvgBitmapListAnimation : public TvgPropertyAnimation {
  RTL_CLASS(TvgBitmapListAnimation, TvgPropertyAnimation)

  explicit TvgBitmapListAnimation(rtl::TComponent* owner) : TvgPropertyAnimation(owner) {}
  TvgBitmap* AnimationBitmap() const { return FAnimationBitmap.get(); }
  void SetAnimationBitmap(const TvgBitmap* value) { FAnimationBitmap->Assign(value); }
  std::int32_t AnimationCount() const { return FAnimationCount; }
  void SetAnimationCount(std::int32_t value) { FAnimationCount = value; }

  void ProcessAnimation() override;

 private:
  static void Publish(rtl::TPublisher<TvgBitmapListAnimation>& p);
  TvgOwned<TvgBitmap> FCurrent{new TvgBitmap(1, 1)};
  std::int32_t FAnimationCount = 1;
  TvgOwned<TvgBitmap> FAnimationBitmap{new TvgBitmap(1, 1)};
};

// Key frames: Key in 0..1 (clamped), expected in ascending order.
class TvgKey : public rtl::TCollectionItem {
  RTL_CLASS(TvgKey, rtl::TCollectionItem)

  explicit TvgKey(rtl::TCollection* collection) : rtl::TCollectionItem(collection) {}
  float Key() const { return FKey; }
  void SetKey(float value);

 private:
  static void Publish(rtl::TPublisher<TvgKey>& p) { p.Property("Key", &TvgKey::Key, &TvgKey::SetKey); }
  float FKey = 0;
};

class TvgColorKey : public TvgKey {
  RTL_CLASS(TvgColorKey, TvgKey)

  explicit TvgColorKey(rtl::TCollection* collection) : TvgKey(collection) {}
  std::string Value;  // colour text

 private:
  static void Publish(rtl::TPublisher<TvgColorKey>& p) { p.Property("Value", &TvgColorKey::Value); }
};

class TvgFloatKey : public TvgKey {
  RTL_CLASS(TvgFloatKey, TvgKey)

  explicit TvgFloatKey(rtl::TCollection* collection) : TvgKey(collection) {}
  float Value = 0;

 private:
  static void Publish(rtl::TPublisher<TvgFloatKey>& p) { p.Property("Value", &TvgFloatKey::Value); }
};

class TvgKeys : public rtl::TCollection {
  RTL_CLASS(TvgKeys, rtl::TCollection)

  explicit TvgKeys(rtl::TClass keyClass, rtl::TPersistent* owner = nullptr)
      : rtl::TCollection(keyClass, owner) {}
  TvgKey* Keys(int index) const { return static_cast<TvgKey*>(Items(index)); }
  // The first neighbouring pair with Key(i) <= time <= Key(i + 1).
  bool FindKeys(float time, TvgKey*& key1, TvgKey*& key2) const;
};

class TvgColorKeyAnimation : public TvgPropertyAnimation {
  RTL_CLASS(TvgColorKeyAnimation, TvgPropertyAnimation)

  explicit TvgColorKeyAnimation(rtl::TComponent* owner) : TvgPropertyAnimation(owner) {}
  TvgKeys* Keys() const { return FKeys.get(); }
  TvgColorKey* AddKey(float key, const std::string& value);

  void Start() override;
  void ProcessAnimation() override;

 private:
  static void Publish(rtl::TPublisher<TvgColorKeyAnimation>& p);
  TvgOwned<TvgKeys> FKeys{new TvgKeys(TvgColorKey::StaticClass())};
};

class TvgFloatKeyAnimation : public TvgPropertyAnimation {
  RTL_CLASS(TvgFloatKeyAnimation, TvgPropertyAnimation)

  explicit TvgFloatKeyAnimation(rtl::TComponent* owner) : TvgPropertyAnimation(owner) {}
  TvgKeys* Keys() const { return FKeys.get(); }
  TvgFloatKey* AddKey(float key, float value);

  void Start() override;
  void ProcessAnimation() override;

 private:
  static void Publish(rtl::TPublisher<TvgFloatKeyAnimation>& p);
  TvgOwned<TvgKeys> FKeys{new TvgKeys(TvgFloatKey::StaticClass())};
};

// Moves the parent along Path, from where it stood at the start; with
// Rotate it also turns the parent along the way.
class TvgPathAnimation : public TvgAnimation {
  RTL_CLASS(TvgPathAnimation, TvgAnimation)

  explicit TvgPathAnimation(rtl::TComponent* owner);
  TvgPathData* Path() const { return FPath.get(); }
  void SetPath(const TvgPathData* value) { FPath->Assign(value); }
  bool Rotate() const { return FRotate; }
  void SetRotate(bool value) { FRotate = value; }

  void Start() override;
  void ProcessAnimation() override;

 private:
  static void Publish(rtl::TPublisher<TvgPathAnimation>& p);
  TvgOwned<TvgPathData> FPath{new TvgPathData};
  TvgPolygon FPolygon;
  TvgVisualObject* FObj = nullptr;
  TvgPoint FStart;
  bool FRotate = false;
  std::unique_ptr<TvgSpline> FSpline;
};

// Holds two path texts for a property; it changes nothing itself.
class TvgPathSwitcher : public TvgAnimation {
  RTL_CLASS(TvgPathSwitcher, TvgAnimation)

  explicit TvgPathSwitcher(rtl::TComponent* owner);
  std::string PathTrue;
  std::string PathFalse;
  std::string PropertyName;

 private:
  static void Publish(rtl::TPublisher<TvgPathSwitcher>& p);
};

// Registers the animation classes under "Animations".
void RegisterAnimationClasses();

}  // namespace vg
