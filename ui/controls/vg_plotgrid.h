#pragma once
// TvgPlotGrid: the millimetre-paper background of charts. Lines run every
// Frequency units out from the centre in both directions; the two centre
// lines are 2 wide, a line every Marks steps has the full colour of
// LineFill and the others 40 % of its alpha. Charts draw their own axes
// and curves over it (OnPaint).
#include "ui/core/vg_brush.h"
#include "ui/core/vg_visual.h"

namespace vg {

class TvgPlotGrid : public TvgVisualObject {
  RTL_CLASS(TvgPlotGrid, TvgVisualObject)

  explicit TvgPlotGrid(rtl::TComponent* owner);
  ~TvgPlotGrid() override;

  float Marks() const { return FMarks; }
  void SetMarks(float value);
  float Frequency() const { return FFrequency; }
  // Never below 0.001.
  void SetFrequency(float value);
  TvgBrush* LineFill() const { return FLineFill.get(); }
  void SetLineFill(const TvgBrush* value) { FLineFill->Assign(value); }

  void Paint() override;

 private:
  static void Publish(rtl::TPublisher<TvgPlotGrid>& p);
  // The lines across one direction: `length` along the offsets, `span`
  // the length of each line.
  void PaintLines(TvgCanvas& canvas, float length, float span, bool vertical);

  float FMarks = 25;
  float FFrequency = 5;
  TvgOwned<TvgBrush> FLineFill;
};

}  // namespace vg
