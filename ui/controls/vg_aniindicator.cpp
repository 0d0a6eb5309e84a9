#include "ui/controls/vg_aniindicator.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "platform/rtl/Rounding.h"
#include "ui/core/vg_canvas.h"

namespace vg {

namespace {

constexpr TvgColor kMarkColor = 0xFFBABABA;
constexpr TvgColor kHighlightColor = 0xFF000000;

TvgPoint OnCircle(TvgPoint centre, float radius, int degrees) {
  const double a = degrees * std::numbers::pi / 180;
  return {float(centre.X + radius * std::cos(a)), float(centre.Y + radius * std::sin(a))};
}

}  // namespace

TvgAniIndicator::TvgAniIndicator(rtl::TComponent* owner) : TvgControl(owner) {
  FLayout = new TvgVisualObject(nullptr);
  FLayout->SetParent(this);
  FLayout->SetAlign(vaContents);
  FLayout->SetLocked(true);
  FLayout->SetStored(false);
  FAni = new TvgFloatAnimation(nullptr);
  FAni->SetParent(FLayout);
  FAni->SetPropertyName("RotateAngle");
  FAni->SetStartValue(0);
  FAni->SetStopValue(360);
  FAni->SetDuration(10);
  FAni->SetLoop(true);
  FAni->SetStored(false);
}

TvgAniIndicator::~TvgAniIndicator() { TearDown(); }

void TvgAniIndicator::Publish(rtl::TPublisher<TvgAniIndicator>& p) {
  using T = TvgAniIndicator;
  p.Property("Enabled", &T::Enabled, &T::SetEnabled).Default(false);
  p.Property("Style", &T::Style, &T::SetStyle).Default(vgAniIndicatorLine);
}

void TvgAniIndicator::SetEnabled(bool value) {
  if (value == FEnabled) return;
  FEnabled = value;
  if (FEnabled)
    FAni->Start();
  else
    FAni->Stop();
}

void TvgAniIndicator::SetStyle(TvgAniIndicatorStyle value) {
  if (value == FStyle) return;
  FStyle = value;
  Repaint();
}

int TvgAniIndicator::Phase() const { return int(rtl::Trunc(FLayout->RotateAngle())); }

float TvgAniIndicator::Highlight(int offset) const {
  const float t = float((Phase() - offset + 30) % 30) / 30;
  const float s = t > 1 ? std::fabs(t - 2) : t;
  return 1 - s;
}

void TvgAniIndicator::Paint() {
  inherited::Paint();
  TvgCanvas* canvas = GetCanvas();
  if (!canvas) return;
  const float r = std::min(Width(), Height()) / 2;
  const float d = r / 3.7f;
  const float inner = r - d;
  const TvgPoint centre{Width() / 2, Height() / 2};
  const float o = Opacity();
  if (FStyle == vgAniIndicatorLine) {
    canvas->Fill()->SetStyle(vgBrushSolid);
    canvas->Stroke()->SetStyle(vgBrushSolid);
    canvas->SetStrokeDash(vgDashSolid);
    canvas->SetStrokeThickness(d / 2);
    for (int i = 0; i < 12; ++i) {
      const TvgPoint p1 = OnCircle(centre, inner, 30 * i), p2 = OnCircle(centre, inner / 2, 30 * i);
      canvas->Fill()->SetSolidColor(kMarkColor);
      canvas->Stroke()->SetSolidColor(kMarkColor);
      canvas->DrawLine(p1, p2, o);
      if (!FEnabled) continue;
      canvas->Stroke()->SetSolidColor(kHighlightColor);
      canvas->DrawLine(p1, p2, Highlight(int(rtl::Trunc(i / 12.0 * 30))) * o);
    }
    return;
  }
  canvas->Fill()->SetStyle(vgBrushSolid);
  canvas->Stroke()->SetStyle(vgBrushNone);
  for (int i = 0; i < 8; ++i) {
    const TvgPoint p = OnCircle(centre, inner, 45 * i);
    const TvgRect dot{p.X - d, p.Y - d, p.X + d, p.Y + d};
    canvas->Fill()->SetSolidColor(kMarkColor);
    canvas->FillEllipse(dot, o);
    if (!FEnabled) continue;
    canvas->Fill()->SetSolidColor(kHighlightColor);
    canvas->FillEllipse(dot, Highlight(int(rtl::Trunc(i / 7.0 * 30))) * o);
  }
}

}  // namespace vg
