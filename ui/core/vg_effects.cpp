#include "ui/core/vg_effects.h"

#include <algorithm>
#include <cmath>

#include "platform/rtl/Rounding.h"
#include "ui/core/vg_anitarget.h"
#include "ui/core/vg_visual.h"

namespace vg {

namespace {

TvgRect Inflated(TvgRect r, float by) {
  vgInflateRect(r, by, by);
  return r;
}

// Stores value in field when it differs, then refreshes the parent.
template <class T>
void Update(TvgEffect& effect, T& field, T value) {
  if (field == value) return;
  field = value;
  effect.UpdateParentEffects();
}

}  // namespace

// ----- the base

TvgEffect::TvgEffect(rtl::TComponent* owner) : TvgObject(owner) {}

void TvgEffect::Publish(rtl::TPublisher<TvgEffect>& p) {
  p.Property("Enabled", &TvgEffect::Enabled, &TvgEffect::SetEnabled).Default(true);
  p.Property("Trigger", &TvgEffect::Trigger, &TvgEffect::SetTrigger);
}

void TvgEffect::SetEnabled(bool value) {
  if (value == FEnabled) return;
  FEnabled = value;
  if (FEnabled && Parent() && Parent()->IsVisual()) Parent()->Visual()->RecalcHasEffect();
  UpdateParentEffects();
}

void TvgEffect::UpdateParentEffects() {
  if (IsLoading() || !Parent() || !Parent()->IsVisual()) return;
  TvgVisualObject* node = Parent()->Visual();
  node->UpdateEffects();
  node->RecalcUpdateRect();
  // Counted as enabled while repainting, so the area of a just-disabled
  // effect is repainted too.
  const bool enabled = FEnabled;
  FEnabled = true;
  node->Repaint();
  FEnabled = enabled;
}

void TvgEffect::ChangeParent() {
  if (Parent() && Parent()->IsVisual()) Parent()->Visual()->RecalcUpdateRect();
}

TvgRect TvgEffect::GetRect(const TvgRect& rect) { return rect; }

TvgPoint TvgEffect::GetOffset() { return {}; }

void TvgEffect::ProcessEffect(TvgCanvas*, TvgBitmap&, float) {}

void TvgEffect::ApplyTrigger(TvgObject* instance, const std::string& trigger) {
  if (FTrigger.empty() || !instance || !vgTriggerMentions(FTrigger, trigger)) return;
  SetEnabled(vgTriggerEnablesEffect(instance, FTrigger));
}

// ----- shadow

void TvgShadowEffect::Publish(rtl::TPublisher<TvgShadowEffect>& p) {
  using T = TvgShadowEffect;
  p.Property("Distance", &T::Distance, &T::SetDistance).Default(3.0f);
  p.Property("Direction", &T::Direction, &T::SetDirection).Default(45.0f);
  p.Property("Softness", &T::Softness, &T::SetSoftness).Default(0.3f);
  p.Property("Opacity", &T::Opacity, &T::SetOpacity).Default(0.6f);
  p.Property("ShadowColor", &T::ShadowColor, &T::SetShadowColor).Default(std::string("#FF000000"));
}

void TvgShadowEffect::SetDistance(float value) { Update(*this, FDistance, value); }
void TvgShadowEffect::SetSoftness(float value) { Update(*this, FSoftness, std::clamp(value, 0.0f, 3.0f)); }
void TvgShadowEffect::SetShadowColor(const std::string& value) {
  Update(*this, FShadowColor, vgStrToColor(value));
}
void TvgShadowEffect::SetOpacity(float value) { Update(*this, FOpacity, std::clamp(value, 0.0f, 1.0f)); }
void TvgShadowEffect::SetDirection(float value) { Update(*this, FDirection, value); }

TvgRect TvgShadowEffect::GetRect(const TvgRect& rect) {
  TvgRect r = Inflated(rect, float(rtl::Trunc(FSoftness * 20.0)));
  const double angle = vgDegToRad(FDirection);
  vgOffsetRect(r, float(FDistance * std::cos(angle)), float(FDistance * std::sin(angle)));
  return r;
}

TvgPoint TvgShadowEffect::GetOffset() {
  const auto offset = float(rtl::Trunc(FSoftness * 20.0));
  return {offset, offset};
}

void TvgShadowEffect::ProcessEffect(TvgCanvas*, TvgBitmap& bitmap, float scale) {
  vgDropShadow(bitmap, FShadowColor, FOpacity, FSoftness, FDistance, FDirection, scale);
}

// ----- blur

TvgBlurEffect::TvgBlurEffect(rtl::TComponent* owner) : TvgEffect(owner) { FDisablePaint = true; }

void TvgBlurEffect::Publish(rtl::TPublisher<TvgBlurEffect>& p) {
  p.Property("Softness", &TvgBlurEffect::Softness, &TvgBlurEffect::SetSoftness).Default(0.3f);
}

void TvgBlurEffect::SetSoftness(float value) { Update(*this, FSoftness, std::clamp(value, 0.0f, 9.0f)); }

TvgRect TvgBlurEffect::GetRect(const TvgRect& rect) {
  return Inflated(rect, float(rtl::Trunc(FSoftness * 20.0)));
}

TvgPoint TvgBlurEffect::GetOffset() {
  const auto offset = float(rtl::Trunc(FSoftness * 20.0));
  return {offset, offset};
}

void TvgBlurEffect::ProcessEffect(TvgCanvas* canvas, TvgBitmap& bitmap, float) {
  if (FSoftness > 0) Blur(canvas, bitmap, int(rtl::Trunc(FSoftness * 15.0)), true);
}

// ----- glows

void TvgGlowEffect::Publish(rtl::TPublisher<TvgGlowEffect>& p) {
  using T = TvgGlowEffect;
  p.Property("Softness", &T::Softness, &T::SetSoftness).Default(0.4f);
  p.Property("Opacity", &T::Opacity, &T::SetOpacity).Default(0.9f);
  p.Property("GlowColor", &T::GlowColor, &T::SetGlowColor).Default(std::string("#FFFFD700"));
}

void TvgGlowEffect::SetSoftness(float value) { Update(*this, FSoftness, std::clamp(value, 0.0f, 9.0f)); }
void TvgGlowEffect::SetGlowColor(const std::string& value) { Update(*this, FGlowColor, vgStrToColor(value)); }
void TvgGlowEffect::SetOpacity(float value) { Update(*this, FOpacity, std::clamp(value, 0.0f, 1.0f)); }

float TvgGlowEffect::Reach() const { return float(rtl::Trunc(FSoftness * 23.0) + 4); }

TvgRect TvgGlowEffect::GetRect(const TvgRect& rect) { return Inflated(rect, Reach()); }

TvgPoint TvgGlowEffect::GetOffset() { return {Reach(), Reach()}; }

void TvgGlowEffect::ProcessEffect(TvgCanvas*, TvgBitmap& bitmap, float) {
  vgOuterGlow(bitmap, FGlowColor, FOpacity, FSoftness);
}

TvgInnerGlowEffect::TvgInnerGlowEffect(rtl::TComponent* owner) : TvgGlowEffect(owner) { FAfterPaint = true; }

float TvgInnerGlowEffect::Reach() const { return float(rtl::Trunc(FSoftness * 20.0)); }

void TvgInnerGlowEffect::ProcessEffect(TvgCanvas*, TvgBitmap& bitmap, float) {
  vgInnerGlow(bitmap, FGlowColor, FOpacity, FSoftness);
}

// ----- bevel

TvgBevelEffect::TvgBevelEffect(rtl::TComponent* owner) : TvgEffect(owner) { FDisablePaint = true; }

void TvgBevelEffect::Publish(rtl::TPublisher<TvgBevelEffect>& p) {
  p.Property("Direction", &TvgBevelEffect::Direction, &TvgBevelEffect::SetDirection).Default(45.0f);
  p.Property("Size", &TvgBevelEffect::Size, &TvgBevelEffect::SetSize).Default(10);
}

void TvgBevelEffect::SetDirection(float value) { Update(*this, FDirection, value); }
void TvgBevelEffect::SetSize(std::int32_t value) { Update(*this, FSize, value); }

TvgRect TvgBevelEffect::GetRect(const TvgRect& rect) { return Inflated(rect, 5); }

TvgPoint TvgBevelEffect::GetOffset() { return {5, 5}; }

void TvgBevelEffect::ProcessEffect(TvgCanvas*, TvgBitmap& bitmap, float) {
  vgBevel(bitmap, FDirection, FSize);
}

// ----- reflection

void TvgReflectionEffect::Publish(rtl::TPublisher<TvgReflectionEffect>& p) {
  using T = TvgReflectionEffect;
  p.Property("Opacity", &T::Opacity, &T::SetOpacity).Default(0.5f);
  p.Property("Offset", &T::Offset, &T::SetOffset).Default(0);
  p.Property("Length", &T::Length, &T::SetLength).Default(0.5f);
}

void TvgReflectionEffect::SetOffset(std::int32_t value) { Update(*this, FOffset, value); }
void TvgReflectionEffect::SetOpacity(float value) { Update(*this, FOpacity, value); }
void TvgReflectionEffect::SetLength(float value) { Update(*this, FLength, std::clamp(value, 0.1f, 1.0f)); }

TvgRect TvgReflectionEffect::GetRect(const TvgRect& rect) {
  TvgRect r = Inflated(rect, 2);
  vgOffsetRect(r, 0, vgRectHeight(rect) + float(FOffset));
  return r;
}

TvgPoint TvgReflectionEffect::GetOffset() { return {2, 2}; }

void TvgReflectionEffect::ProcessEffect(TvgCanvas*, TvgBitmap& bitmap, float) {
  vgReflection(bitmap, FOpacity, FLength);
}

void RegisterEffectClasses() {
  RegisterVGObjects("Effects", {TvgShadowEffect::StaticClass(), TvgBlurEffect::StaticClass(),
                                TvgGlowEffect::StaticClass(), TvgInnerGlowEffect::StaticClass(),
                                TvgBevelEffect::StaticClass(), TvgReflectionEffect::StaticClass()});
}

}  // namespace vg
