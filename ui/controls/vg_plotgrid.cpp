#include "ui/controls/vg_plotgrid.h"

#include <algorithm>
#include <cmath>

#include "platform/rtl/Rounding.h"
#include "ui/core/vg_canvas.h"
#include "ui/core/vg_colors.h"

namespace vg {

namespace {

constexpr float kMinFrequency = 0.001f;
constexpr float kFaintAlpha = 0.4f;

bool IsWhole(double value) { return std::floor(value) == value; }

}  // namespace

TvgPlotGrid::TvgPlotGrid(rtl::TComponent* owner)
    : TvgVisualObject(owner), FLineFill(new TvgBrush(vgBrushSolid, 0xFF505050)) {
  FLineFill->OnChanged = [this](rtl::TObject*) { Repaint(); };
}

TvgPlotGrid::~TvgPlotGrid() { TearDown(); }

void TvgPlotGrid::Publish(rtl::TPublisher<TvgPlotGrid>& p) {
  using T = TvgPlotGrid;
  p.Property("LineFill", &T::LineFill, &T::SetLineFill);
  p.Property("Marks", &T::Marks, &T::SetMarks).Default(25.0f);
  p.Property("Frequency", &T::Frequency, &T::SetFrequency).Default(5.0f);
}

void TvgPlotGrid::SetMarks(float value) {
  if (value == FMarks) return;
  FMarks = value;
  Repaint();
}

void TvgPlotGrid::SetFrequency(float value) {
  if (value == FFrequency) return;
  FFrequency = std::max(value, kMinFrequency);
  Repaint();
}

void TvgPlotGrid::Paint() {
  TvgCanvas* canvas = GetCanvas();
  if (!canvas) return;
  canvas->Stroke()->Assign(FLineFill.get());
  canvas->Stroke()->SetStyle(vgBrushSolid);
  PaintLines(*canvas, Width(), Height(), true);
  PaintLines(*canvas, Height(), Width(), false);
}

void TvgPlotGrid::PaintLines(TvgCanvas& canvas, float length, float span, bool vertical) {
  const TvgColor strong = FLineFill->SolidColor();
  const TvgColor faint = vgOpacity(strong, kFaintAlpha);
  const float opacity = GetAbsoluteOpacity();
  const auto centre = static_cast<float>(rtl::Round(length / 2));
  auto line = [&](float at) {
    if (vertical)
      canvas.DrawLine({at, 0}, {at, span}, opacity);
    else
      canvas.DrawLine({0, at}, {span, at}, opacity);
  };
  // The offset grows in single precision; far enough out a tiny step no
  // longer changes it, and the walk stops there.
  for (float offset = 0, previous = -1; offset < length / 2 && offset != previous;
       previous = offset, offset += FFrequency) {
    const bool isCentre = offset == 0;
    const bool isMark = IsWhole(offset) && IsWhole(double(offset) / FFrequency / FMarks);
    canvas.SetStrokeThickness(isCentre ? 2 : 1);
    canvas.Stroke()->SetSolidColor(isCentre || isMark ? strong : faint);
    const float half = canvas.StrokeThickness() / 2;
    line(centre + offset + half);
    if (!isCentre) line(centre - offset + half);
  }
}

}  // namespace vg
