#pragma once
// The paint model: TvgBrush says how an area or outline is coloured. It is a
// tagged description: a style plus the parameters of every style (solid
// colour, gradient, bitmap part, named-resource part, visual part), of which
// only the part matching the style is used, copied and streamed.
//
// Colours are straight (not premultiplied) ARGB. Gradient positions are
// fractions of the painted rectangle: (0,0) its top-left, (1,1) its
// bottom-right corner.
#include <string>

#include "platform/rtl/Collection.h"
#include "platform/rtl/Component.h"
#include "platform/rtl/Persistent.h"
#include "ui/core/vg_bitmap.h"
#include "ui/core/vg_colors.h"
#include "ui/core/vg_geometry.h"
#include "ui/core/vg_persistent.h"
#include "ui/core/vg_resourcelink.h"

namespace vg {

enum TvgBrushStyle {
  vgBrushNone,
  vgBrushSolid,
  vgBrushGradient,
  vgBrushBitmap,
  vgBrushResource,
  vgBrushVisual
};
enum TvgGradientStyle { vgLinearGradient, vgRadialGradient };
enum TvgWrapMode { vgWrapTile, vgWrapTileOriginal, vgWrapTileStretch };
RTL_ENUM_NAMES(TvgBrushStyle, vgBrushNone, vgBrushSolid, vgBrushGradient, vgBrushBitmap,
               vgBrushResource, vgBrushVisual)
RTL_ENUM_NAMES(TvgGradientStyle, vgLinearGradient, vgRadialGradient)
RTL_ENUM_NAMES(TvgWrapMode, vgWrapTile, vgWrapTileOriginal, vgWrapTileStretch)

class TvgGradientPoint : public rtl::TCollectionItem {
  RTL_CLASS(TvgGradientPoint, rtl::TCollectionItem)

  explicit TvgGradientPoint(rtl::TCollection* collection);

  TvgColor IntColor() const { return FColor; }
  void SetIntColor(TvgColor color) { FColor = color; }
  std::string GetColor() const { return vgColorToStr(FColor); }
  void SetColor(const std::string& text) { FColor = vgStrToColor(text); }
  float Offset() const { return FOffset; }
  void SetOffset(float offset) { FOffset = offset; }

  void Assign(const rtl::TPersistent* source) override;

 private:
  static void Publish(rtl::TPublisher<TvgGradientPoint>& p) {
    p.Property("Color", &TvgGradientPoint::GetColor, &TvgGradientPoint::SetColor);
    p.Property("Offset", &TvgGradientPoint::Offset, &TvgGradientPoint::SetOffset);
  }

  TvgColor FColor = 0;
  float FOffset = 0;
};

class TvgGradientPoints : public rtl::TCollection {
  RTL_CLASS(TvgGradientPoints, rtl::TCollection)

  explicit TvgGradientPoints(rtl::TPersistent* owner = nullptr)
      : rtl::TCollection(TvgGradientPoint::StaticClass(), owner) {}
  TvgGradientPoint* Points(int index) const {
    return static_cast<TvgGradientPoint*>(Items(index));
  }
  TvgGradientPoint* AddPoint(TvgColor color, float offset);
};

class TvgGradient : public rtl::TPersistent {
  RTL_CLASS(TvgGradient, rtl::TPersistent)

  // Two stops: opaque black at 0 and opaque white at 1, running top to bottom.
  TvgGradient();

  TvgGradientPoints* Points() const { return FPoints.get(); }
  TvgGradientStyle Style() const { return FStyle; }
  void SetStyle(TvgGradientStyle style);
  TvgPosition* StartPosition() const { return FStartPosition.get(); }
  TvgPosition* StopPosition() const { return FStopPosition.get(); }
  TvgTransform* RadialTransform() const { return FRadialTransform.get(); }
  void SetStartPosition(const TvgPosition* position) { FStartPosition->Assign(position); }
  void SetStopPosition(const TvgPosition* position) { FStopPosition->Assign(position); }
  void SetRadialTransform(const TvgTransform* transform) { FRadialTransform->Assign(transform); }
  // The colour of stop 0 / stop 1 from colour text, when that stop exists;
  // no notification.
  void SetColor(const std::string& text);
  void SetColor1(const std::string& text);
  void Change() { Fire(OnChanged, this); }
  // The colour at an offset (clamped to 0..1); 0 with fewer than two stops.
  TvgColor InterpolateColor(float offset) const;

  void Assign(const rtl::TPersistent* source) override;
  bool LinearStored() const { return FStyle == vgLinearGradient; }
  bool RadialStored() const { return FStyle == vgRadialGradient; }

  TNotifyEvent OnChanged;

 private:
  static void Publish(rtl::TPublisher<TvgGradient>& p) {
    p.Property("Points", &TvgGradient::Points);
    p.Property("Style", &TvgGradient::Style, &TvgGradient::SetStyle);
    p.Property("StartPosition", &TvgGradient::StartPosition).Stored(&TvgGradient::LinearStored);
    p.Property("StopPosition", &TvgGradient::StopPosition).Stored(&TvgGradient::LinearStored);
    p.Property("RadialTransform", &TvgGradient::RadialTransform)
        .Stored(&TvgGradient::RadialStored);
  }

  TvgOwned<TvgGradientPoints> FPoints;
  TvgOwned<TvgPosition> FStartPosition;
  TvgOwned<TvgPosition> FStopPosition;
  TvgGradientStyle FStyle = vgLinearGradient;
  TvgOwned<TvgTransform> FRadialTransform;
};

class TvgBrushBitmap : public rtl::TPersistent {
  RTL_CLASS(TvgBrushBitmap, rtl::TPersistent)

  TvgBrushBitmap();

  TvgBitmap* Bitmap() const { return FBitmap.get(); }
  void SetBitmap(const TvgBitmap* bitmap);  // copies; no OnChanged
  TvgWrapMode WrapMode() const { return FWrapMode; }
  void SetWrapMode(TvgWrapMode mode);

  void Assign(const rtl::TPersistent* source) override;

  TNotifyEvent OnChanged;

 private:
  static void Publish(rtl::TPublisher<TvgBrushBitmap>& p) {
    p.Property("Bitmap", &TvgBrushBitmap::Bitmap);
    p.Property("WrapMode", &TvgBrushBitmap::WrapMode, &TvgBrushBitmap::SetWrapMode);
  }

  TvgOwned<TvgBitmap> FBitmap;
  TvgWrapMode FWrapMode = vgWrapTile;
};

class TvgBrush;

class TvgBrushResource : public rtl::TPersistent {
  RTL_CLASS(TvgBrushResource, rtl::TPersistent)

  IvgResourceNode* Resource() const { return link_.Node(); }
  void SetResource(IvgResourceNode* node);  // takes the node's name; no OnChanged
  const std::string& GetResourceName() const { return link_.Name(); }
  void SetResourceName(const std::string& name);  // keeps the link
  // The linked node's brush, resolving the name on first use; nullptr when
  // nothing is found.
  TvgBrush* GetBrush() const;

  void Assign(const rtl::TPersistent* source) override;

  TNotifyEvent OnChanged;

 private:
  static void Publish(rtl::TPublisher<TvgBrushResource>& p) {
    p.Property("ResourceName", &TvgBrushResource::GetResourceName,
               &TvgBrushResource::SetResourceName);
  }

  mutable TvgResourceLink link_;
};

// The weak link of a visual brush to the node whose painting fills it. The
// link registers for the node's free notification when the node offers one
// (every toolkit node does).
class TvgVisual : public rtl::TPersistent, private IvgFreeNotification {
  RTL_CLASS(TvgVisual, rtl::TPersistent)

  ~TvgVisual() override;

  rtl::TComponent* VisualObject() const { return FVisualObject; }
  void SetVisualObject(rtl::TComponent* node);

  void Assign(const rtl::TPersistent* source) override;

  TNotifyEvent OnChanged;

 private:
  static void Publish(rtl::TPublisher<TvgVisual>& p) {
    p.Property("VisualObject", &TvgVisual::VisualObject, &TvgVisual::SetVisualObject);
  }
  void FreeNotification(IvgFreeNotifier* node) override;
  IvgFreeNotifier* Notifier() const { return dynamic_cast<IvgFreeNotifier*>(FVisualObject); }

  rtl::TComponent* FVisualObject = nullptr;
};

class TvgBrush : public rtl::TPersistent {
  RTL_CLASS(TvgBrush, rtl::TPersistent)

  // Style and colour start at, and stay stored relative to, these defaults.
  TvgBrush(TvgBrushStyle defaultStyle, TvgColor defaultColor);

  TvgBrushStyle Style() const { return FStyle; }
  void SetStyle(TvgBrushStyle style);
  TvgColor SolidColor() const { return FColor; }
  void SetSolidColor(TvgColor color);
  // The colour of the brush a resource brush resolves to (through chains of
  // resource brushes, at most kMaxResourceDepth deep); else the own colour.
  TvgColor GetSolidColor() const;
  // The colour as text; setting it also sets stop 0 of a gradient brush.
  std::string GetColor() const { return vgColorToStr(FColor); }
  void SetColor(const std::string& text);

  TvgGradient* Gradient() const { return FGradient.get(); }
  void SetGradient(const TvgGradient* gradient) { FGradient->Assign(gradient); }
  TvgBrushBitmap* Bitmap() const { return FBitmap.get(); }
  TvgBrushResource* Resource() const { return FResource.get(); }
  void SetResource(const TvgBrushResource* resource) { FResource->Assign(resource); }
  TvgVisual* Visual() const { return FVisual.get(); }
  void SetVisual(const TvgVisual* visual) { FVisual->Assign(visual); }
  TvgBrushStyle DefaultStyle() const { return FDefaultStyle; }
  TvgColor DefaultColor() const { return FDefaultColor; }

  // Stored rules of the stream form.
  bool StyleStored() const { return FStyle != FDefaultStyle; }
  bool ColorStored() const { return FStyle == vgBrushSolid && FColor != FDefaultColor; }
  bool GradientStored() const { return FStyle == vgBrushGradient; }
  bool BitmapStored() const { return FStyle == vgBrushBitmap; }
  bool ResourceStored() const { return FStyle == vgBrushResource; }
  bool VisualStored() const { return FStyle == vgBrushVisual; }

  // Copies defaults, the resolved solid colour, the style and the part of
  // that style; one OnChanged.
  void Assign(const rtl::TPersistent* source) override;

  static constexpr int kMaxResourceDepth = 16;

  TNotifyEvent OnChanged;

 private:
  static void Publish(rtl::TPublisher<TvgBrush>& p) {
    p.Property("Style", &TvgBrush::Style, &TvgBrush::SetStyle).Stored(&TvgBrush::StyleStored);
    p.Property("Color", &TvgBrush::GetColor, &TvgBrush::SetColor).Stored(&TvgBrush::ColorStored);
    p.Property("Gradient", &TvgBrush::Gradient).Stored(&TvgBrush::GradientStored);
    p.Property("Bitmap", &TvgBrush::Bitmap).Stored(&TvgBrush::BitmapStored);
    p.Property("Resource", &TvgBrush::Resource).Stored(&TvgBrush::ResourceStored);
    p.Property("Visual", &TvgBrush::Visual).Stored(&TvgBrush::VisualStored);
  }
  void Changed() { Fire(OnChanged, this); }

  TvgColor FColor;
  TvgBrushStyle FStyle;
  TvgOwned<TvgGradient> FGradient;
  TvgOwned<TvgVisual> FVisual;
  TvgBrushStyle FDefaultStyle;
  TvgColor FDefaultColor;
  TvgOwned<TvgBrushResource> FResource;
  TvgOwned<TvgBrushBitmap> FBitmap;
};

}  // namespace vg
