#include "ui/core/vg_brush.h"

#include <algorithm>
#include <optional>

namespace vg {

namespace {

// Holds an object's change event back while it is assigned piece by piece,
// and gives it back (also when the copy fails).
class HeldBack {
 public:
  explicit HeldBack(TNotifyEvent& event) : event_(event), saved_(std::move(event)) {
    event_ = nullptr;
  }
  ~HeldBack() { event_ = std::move(saved_); }
  HeldBack(const HeldBack&) = delete;
  HeldBack& operator=(const HeldBack&) = delete;

 private:
  TNotifyEvent& event_;
  TNotifyEvent saved_;
};

}  // namespace

TvgGradientPoint::TvgGradientPoint(rtl::TCollection* collection)
    : rtl::TCollectionItem(collection) {}

void TvgGradientPoint::Assign(const rtl::TPersistent* source) {
  const auto* other = dynamic_cast<const TvgGradientPoint*>(source);
  if (!other) return inherited::Assign(source);
  FColor = other->FColor;
  FOffset = other->FOffset;
}

TvgGradientPoint* TvgGradientPoints::AddPoint(TvgColor color, float offset) {
  auto* point = static_cast<TvgGradientPoint*>(Add());
  point->SetIntColor(color);
  point->SetOffset(offset);
  return point;
}

TvgGradient::TvgGradient()
    : FPoints(new TvgGradientPoints(this)),
      FStartPosition(new TvgPosition({0, 0})),
      FStopPosition(new TvgPosition({0, 1})),
      FRadialTransform(new TvgTransform) {
  FPoints->AddPoint(0xFF000000, 0);
  FPoints->AddPoint(0xFFFFFFFF, 1);
  auto positionChanged = [this](rtl::TObject*) { Change(); };
  FStartPosition->OnChange = positionChanged;
  FStopPosition->OnChange = positionChanged;
  FRadialTransform->OnChanged = positionChanged;
}

void TvgGradient::SetStyle(TvgGradientStyle style) {
  if (style == FStyle) return;
  FStyle = style;
  Change();
}

void TvgGradient::SetColor(const std::string& text) {
  if (FPoints->Count() > 0) FPoints->Points(0)->SetColor(text);
}

void TvgGradient::SetColor1(const std::string& text) {
  if (FPoints->Count() > 1) FPoints->Points(1)->SetColor(text);
}

TvgColor TvgGradient::InterpolateColor(float offset) const {
  const int count = FPoints->Count();
  if (count < 2) return 0;
  const float a = std::clamp(offset, 0.0f, 1.0f);
  const TvgGradientPoint* first = FPoints->Points(0);
  const TvgGradientPoint* last = FPoints->Points(count - 1);
  if (first->Offset() > a) return first->IntColor();
  if (last->Offset() < a) return last->IntColor();
  // Stops are expected in ascending order; the last bracketing pair wins.
  TvgColor color = 0;
  for (int i = 0; i < count - 1; ++i) {
    const TvgGradientPoint* p = FPoints->Points(i);
    const TvgGradientPoint* next = FPoints->Points(i + 1);
    if (p->Offset() > a) continue;
    color = p->Offset() == next->Offset()
                ? p->IntColor()
                : vgInterpolateColor(p->IntColor(), next->IntColor(),
                                     (a - p->Offset()) / (next->Offset() - p->Offset()));
  }
  return color;
}

void TvgGradient::Assign(const rtl::TPersistent* source) {
  const auto* other = dynamic_cast<const TvgGradient*>(source);
  if (!other) return inherited::Assign(source);
  {
    HeldBack held(OnChanged);
    FPoints->Clear();
    FPoints->Assign(other->FPoints.get());
    FStyle = other->FStyle;
    if (FStyle == vgRadialGradient) {
      FRadialTransform->Assign(other->FRadialTransform.get());
    } else {
      FStopPosition->Assign(other->FStopPosition.get());
      FStartPosition->Assign(other->FStartPosition.get());
    }
  }
  Change();
}

TvgBrushBitmap::TvgBrushBitmap() : FBitmap(new TvgBitmap(0, 0)) {}

void TvgBrushBitmap::SetBitmap(const TvgBitmap* bitmap) {
  if (bitmap) FBitmap->Assign(bitmap);
}

void TvgBrushBitmap::SetWrapMode(TvgWrapMode mode) {
  if (mode == FWrapMode) return;
  FWrapMode = mode;
  Fire(OnChanged, this);
}

void TvgBrushBitmap::Assign(const rtl::TPersistent* source) {
  const auto* other = dynamic_cast<const TvgBrushBitmap*>(source);
  if (!other) return inherited::Assign(source);
  FWrapMode = other->FWrapMode;
  FBitmap->Assign(other->FBitmap.get());
  Fire(OnChanged, this);
}

void TvgBrushResource::SetResource(IvgResourceNode* node) {
  if (node != link_.Node()) link_.Link(node);
}

void TvgBrushResource::SetResourceName(const std::string& name) { link_.SetName(name); }

TvgBrush* TvgBrushResource::GetBrush() const {
  IvgResourceNode* node =
      link_.Resolve([](IvgResourceNode* n) { return n->ResourceBrush() != nullptr; });
  return node ? node->ResourceBrush() : nullptr;
}

void TvgBrushResource::Assign(const rtl::TPersistent* source) {
  const auto* other = dynamic_cast<const TvgBrushResource*>(source);
  if (!other) return inherited::Assign(source);
  link_.Link(other->link_.Node());
  link_.SetName(other->link_.Name());
}

TvgVisual::~TvgVisual() {
  if (IvgFreeNotifier* notifier = Notifier()) notifier->RemoveFreeNotify(this);
}

void TvgVisual::SetVisualObject(rtl::TComponent* node) {
  if (node == FVisualObject) return;
  if (IvgFreeNotifier* notifier = Notifier()) notifier->RemoveFreeNotify(this);
  FVisualObject = node;
  Fire(OnChanged, this);
  if (IvgFreeNotifier* notifier = Notifier()) notifier->AddFreeNotify(this);
}

void TvgVisual::FreeNotification(IvgFreeNotifier* node) {
  if (node == Notifier()) FVisualObject = nullptr;
}

void TvgVisual::Assign(const rtl::TPersistent* source) {
  const auto* other = dynamic_cast<const TvgVisual*>(source);
  if (!other) return inherited::Assign(source);
  SetVisualObject(other->FVisualObject);
}

TvgBrush::TvgBrush(TvgBrushStyle defaultStyle, TvgColor defaultColor)
    : FColor(defaultColor),
      FStyle(defaultStyle),
      FGradient(new TvgGradient),
      FVisual(new TvgVisual),
      FDefaultStyle(defaultStyle),
      FDefaultColor(defaultColor),
      FResource(new TvgBrushResource),
      FBitmap(new TvgBrushBitmap) {
  auto partChanged = [this](rtl::TObject*) { Changed(); };
  FGradient->OnChanged = partChanged;
  FVisual->OnChanged = partChanged;
  FResource->OnChanged = partChanged;
  FBitmap->OnChanged = partChanged;
}

void TvgBrush::SetStyle(TvgBrushStyle style) {
  if (style == FStyle) return;
  FStyle = style;
  Changed();
}

void TvgBrush::SetSolidColor(TvgColor color) {
  if (color == FColor) return;
  FColor = color;
  Changed();
}

namespace {

// The resolved colour, or nothing when a chain of resource brushes is deeper
// than the limit (a brush that refers to itself, directly or in a cycle).
std::optional<TvgColor> ResolvedColor(const TvgBrush& brush, int depth) {
  if (brush.Style() != vgBrushResource) return brush.SolidColor();
  const TvgBrush* target = brush.Resource()->GetBrush();
  if (!target) return brush.SolidColor();
  if (depth >= TvgBrush::kMaxResourceDepth) return std::nullopt;
  return ResolvedColor(*target, depth + 1);
}

}  // namespace

TvgColor TvgBrush::GetSolidColor() const { return ResolvedColor(*this, 0).value_or(FColor); }

void TvgBrush::SetColor(const std::string& text) {
  SetSolidColor(vgStrToColor(text));
  if (FStyle == vgBrushGradient) FGradient->SetColor(text);
}

void TvgBrush::Assign(const rtl::TPersistent* source) {
  const auto* other = dynamic_cast<const TvgBrush*>(source);
  if (!other) return inherited::Assign(source);
  {
    HeldBack held(OnChanged);
    FDefaultStyle = other->FDefaultStyle;
    FDefaultColor = other->FDefaultColor;
    FColor = other->GetSolidColor();
    FStyle = other->FStyle;
    switch (FStyle) {
      case vgBrushGradient: FGradient->Assign(other->FGradient.get()); break;
      case vgBrushBitmap: FBitmap->Assign(other->FBitmap.get()); break;
      case vgBrushResource: FResource->Assign(other->FResource.get()); break;
      case vgBrushVisual: FVisual->Assign(other->FVisual.get()); break;
      case vgBrushNone:
      case vgBrushSolid: break;
    }
  }
  Changed();
}

}  // namespace vg
