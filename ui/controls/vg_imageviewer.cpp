#include "ui/controls/vg_imageviewer.h"

#include <algorithm>

#include "platform/rtl/Rounding.h"
#include "ui/controls/vg_imagecontrol.h"

namespace vg {

namespace {

constexpr float kMinScale = 0.01f;
constexpr float kMaxScale = 10;
constexpr float kScaleStep = 0.04f;  // per wheel notch of 120
constexpr std::int16_t kHandPointCursor = -21;

void MakeFixedPart(TvgVisualObject& part, TvgObject* parent) {
  part.SetLocked(true);
  part.SetStored(false);
  part.SetHitTest(false);
  part.SetParent(parent);
}

float Centred(float room, float size) { return static_cast<float>(rtl::Round((room - size) / 2)); }

}  // namespace

TvgImageViewer::TvgImageViewer(rtl::TComponent* owner) : TvgScrollBox(owner) {
  SetMouseTracking(true);
  SetCursor(kHandPointCursor);
  FBack = new TvgRectangle(nullptr);
  FBack->Stroke()->SetStyle(vgBrushNone);
  FBack->SetVisible(false);
  MakeFixedPart(*FBack, this);
  FImage = new TvgImage(nullptr);
  FImage->SetWrapMode(vgImageStretch);
  MakeFixedPart(*FImage, this);
  rtl::TNotifyEvent imageChanged = std::move(FImage->Bitmap()->OnChange);
  FImage->Bitmap()->OnChange = [this, imageChanged](rtl::TObject* sender) {
    imageChanged(sender);
    Realign();
  };
  SetResource("framedscrollboxstyle");  // once the parts exist: applying it lays them out
}

void TvgImageViewer::Publish(rtl::TPublisher<TvgImageViewer>& p) {
  using T = TvgImageViewer;
  p.Property("BackgroundFill", &T::BackgroundFill, &T::SetBackgroundFill);
  p.Property("Bitmap", &T::Bitmap, &T::SetBitmap);
  p.Property("BitmapScale", &T::BitmapScale, &T::SetScale).Default(1.0f);
  p.Property("ShowBackground", &T::ShowBackground, &T::SetShowBackground).Default(false);
  p.Property("MouseScaling", &T::MouseScaling, &T::SetMouseScaling).Default(true);
}

void TvgImageViewer::SetScale(float value) {
  if (value == FScale) return;
  FScale = std::clamp(value, kMinScale, kMaxScale);
  Realign();
  Centre();
}

void TvgImageViewer::SetShowBackground(bool value) {
  if (value == FShowBackground) return;
  FShowBackground = value;
  FBack->SetVisible(value);
}

void TvgImageViewer::BestFit() {
  if (!ContentLayout()) return;
  const bool barWasShown = VScrollBar() && VScrollBar()->Enabled();
  FitOnce();
  if (barWasShown) FitOnce();  // the view grew when the bar went away
}

void TvgImageViewer::FitOnce() {
  TvgRect picture{0, 0, float(Bitmap()->Width()), float(Bitmap()->Height())};
  const float ratio = vgFitRect(picture, ContentLayout()->GetLocalRect());
  SetScale(ratio < 1 ? 1 : 1 / ratio);
}

rtl::Variant TvgImageViewer::GetData() { return ObjectToVariant(Bitmap()); }

void TvgImageViewer::SetData(const rtl::Variant& value) { vgSetBitmapData(*Bitmap(), value); }

void TvgImageViewer::MouseWheel(TvgShiftState shift, int delta, bool& handled) {
  if (FMouseScaling) {
    SetScale(FScale + float(delta) / 120 * kScaleStep);
    handled = true;
  }
  inherited::MouseWheel(shift, delta, handled);
}

TvgRect TvgImageViewer::GetContentBounds() {
  const float width = float(Bitmap()->Width()) * FScale;
  const float height = float(Bitmap()->Height()) * FScale;
  TvgPoint at{0, 0};
  if (TvgVisualObject* view = ContentLayout()) {
    if (width < view->Width()) at.X = Centred(view->Width(), width);
    if (height < view->Height()) at.Y = Centred(view->Height(), height);
  }
  FImage->SetBounds(at.X, at.Y, width, height);
  FBack->SetBounds(at.X, at.Y, width, height);
  return {std::min(0.0f, at.X), std::min(0.0f, at.Y), std::max(0.0f, at.X + width), std::max(0.0f, at.Y + height)};
}

}  // namespace vg
