#pragma once
// Bitmap effects: child nodes of a visual node that post-process its
// rendered image (drop shadow, blur, outer and inner glow, bevel,
// reflection). Painting asks an effect how far its output reaches beyond
// the node (GetRect) and where the node's image sits in it (GetOffset),
// renders the node into a bitmap of that size, lets ProcessEffect work on it
// and draws the result under the node, over it (AfterPaint) or instead of it
// (DisablePaint).
#include <string>

#include "ui/core/vg_bitmap.h"
#include "ui/core/vg_canvas.h"
#include "ui/core/vg_effectpixels.h"
#include "ui/core/vg_object.h"

namespace vg {

class TvgEffect : public TvgObject {
  RTL_CLASS(TvgEffect, TvgObject)

  explicit TvgEffect(rtl::TComponent* owner);

  bool Enabled() const { return FEnabled; }
  void SetEnabled(bool value);
  const std::string& Trigger() const { return FTrigger; }
  void SetTrigger(const std::string& value) { FTrigger = value; }
  // The node's own painting is replaced by the effect's output.
  bool DisablePaint() const { return FDisablePaint; }
  // The output is drawn over the node's painting instead of under it.
  bool AfterPaint() const { return FAfterPaint; }

  // The rectangle of the output for the node's local rectangle.
  virtual TvgRect GetRect(const TvgRect& rect);
  // Where the node's image sits inside the output.
  virtual TvgPoint GetOffset();
  // Works on the node's image in place; scale is the node's absolute
  // horizontal scale.
  virtual void ProcessEffect(TvgCanvas* canvas, TvgBitmap& bitmap, float scale);
  // Enables or disables the effect as the trigger text's last condition
  // judges the instance, when the text names the trigger.
  virtual void ApplyTrigger(TvgObject* instance, const std::string& trigger);
  bool IsEnabledEffect() const override { return FEnabled; }
  // Marks the parent's effect image dirty and repaints the area the effect
  // covers (also when it was just disabled).
  void UpdateParentEffects();

 protected:
  // Joining a node widens the area the node repaints.
  void ChangeParent() override;

  bool FDisablePaint = false;
  bool FAfterPaint = false;

 private:
  static void Publish(rtl::TPublisher<TvgEffect>& p);
  bool FEnabled = true;
  std::string FTrigger;
};

class TvgShadowEffect : public TvgEffect {
  RTL_CLASS(TvgShadowEffect, TvgEffect)

  explicit TvgShadowEffect(rtl::TComponent* owner) : TvgEffect(owner) {}
  float Distance() const { return FDistance; }
  void SetDistance(float value);
  float Softness() const { return FSoftness; }
  void SetSoftness(float value);  // 0..3
  std::string ShadowColor() const { return vgColorToStr(FShadowColor); }
  void SetShadowColor(const std::string& value);
  float Opacity() const { return FOpacity; }
  void SetOpacity(float value);  // 0..1
  float Direction() const { return FDirection; }
  void SetDirection(float value);  // degrees

  TvgRect GetRect(const TvgRect& rect) override;
  TvgPoint GetOffset() override;
  void ProcessEffect(TvgCanvas* canvas, TvgBitmap& bitmap, float scale) override;

 private:
  static void Publish(rtl::TPublisher<TvgShadowEffect>& p);
  float FDistance = 3;
  float FSoftness = 0.3f;
  TvgColor FShadowColor = 0xFF000000;
  float FOpacity = 0.6f;
  float FDirection = 45;
};

class TvgBlurEffect : public TvgEffect {
  RTL_CLASS(TvgBlurEffect, TvgEffect)

  explicit TvgBlurEffect(rtl::TComponent* owner);
  float Softness() const { return FSoftness; }
  void SetSoftness(float value);  // 0..9

  TvgRect GetRect(const TvgRect& rect) override;
  TvgPoint GetOffset() override;
  void ProcessEffect(TvgCanvas* canvas, TvgBitmap& bitmap, float scale) override;

 private:
  static void Publish(rtl::TPublisher<TvgBlurEffect>& p);
  float FSoftness = 0.3f;
};

class TvgGlowEffect : public TvgEffect {
  RTL_CLASS(TvgGlowEffect, TvgEffect)

  explicit TvgGlowEffect(rtl::TComponent* owner) : TvgEffect(owner) {}
  float Softness() const { return FSoftness; }
  void SetSoftness(float value);  // 0..9
  std::string GlowColor() const { return vgColorToStr(FGlowColor); }
  void SetGlowColor(const std::string& value);
  float Opacity() const { return FOpacity; }
  void SetOpacity(float value);  // 0..1

  TvgRect GetRect(const TvgRect& rect) override;
  TvgPoint GetOffset() override;
  void ProcessEffect(TvgCanvas* canvas, TvgBitmap& bitmap, float scale) override;

 protected:
  virtual float Reach() const;  // how far the output reaches past the node

  float FSoftness = 0.4f;
  TvgColor FGlowColor = 0xFFFFD700;
  float FOpacity = 0.9f;

 private:
  static void Publish(rtl::TPublisher<TvgGlowEffect>& p);
};

class TvgInnerGlowEffect : public TvgGlowEffect {
  RTL_CLASS(TvgInnerGlowEffect, TvgGlowEffect)

  explicit TvgInnerGlowEffect(rtl::TComponent* owner);
  void ProcessEffect(TvgCanvas* canvas, TvgBitmap& bitmap, float scale) override;

 protected:
  float Reach() const override;
};

class TvgBevelEffect : public TvgEffect {
  RTL_CLASS(TvgBevelEffect, TvgEffect)

  explicit TvgBevelEffect(rtl::TComponent* owner);
  float Direction() const { return FDirection; }
  void SetDirection(float value);
  std::int32_t Size() const { return FSize; }
  void SetSize(std::int32_t value);

  TvgRect GetRect(const TvgRect& rect) override;
  TvgPoint GetOffset() override;
  void ProcessEffect(TvgCanvas* canvas, TvgBitmap& bitmap, float scale) override;

 private:
  static void Publish(rtl::TPublisher<TvgBevelEffect>& p);
  float FDirection = 45;
  std::int32_t FSize = 10;
};

class TvgReflectionEffect : public TvgEffect {
  RTL_CLASS(TvgReflectionEffect, TvgEffect)

  explicit TvgReflectionEffect(rtl::TComponent* owner) : TvgEffect(owner) {}
  std::int32_t Offset() const { return FOffset; }
  void SetOffset(std::int32_t value);
  float Opacity() const { return FOpacity; }
  void SetOpacity(float value);
  float Length() const { return FLength; }
  void SetLength(float value);  // 0.1..1

  TvgRect GetRect(const TvgRect& rect) override;
  TvgPoint GetOffset() override;
  void ProcessEffect(TvgCanvas* canvas, TvgBitmap& bitmap, float scale) override;

 private:
  static void Publish(rtl::TPublisher<TvgReflectionEffect>& p);
  std::int32_t FOffset = 0;
  float FOpacity = 0.5f;
  float FLength = 0.5f;
};

// Registers the effect classes under "Effects".
void RegisterEffectClasses();

}  // namespace vg
