#pragma once
// TCairoCanvas: the class library's canvas over a cairo context, text
// through pango. Integer coordinates address pixel edges: a 1-pixel line
// from (x1, y) to (x2, y) covers the pixels x1 .. x2 - 1 of row y.
#include <algorithm>

#include "platform/gui/Canvas.h"

typedef struct _cairo cairo_t;

namespace gui {

class TCairoCanvas : public TCanvas {
 public:
  // Draws on `context`, which the caller owns and keeps alive.
  explicit TCairoCanvas(cairo_t* context) : cr_(context) {}

  void Rectangle(int x1, int y1, int x2, int y2) override;
  void RoundRect(int x1, int y1, int x2, int y2, int cornerWidth, int cornerHeight) override;
  void Ellipse(int x1, int y1, int x2, int y2) override;
  void FillRect(const TRect& rect) override;
  TPoint TextExtent(const rtl::WideString& text) override;
  int DrawText(const rtl::WideString& text, TRect& rect, unsigned flags) override;

 protected:
  void DrawLine(TPoint from, TPoint to) override;

 private:
  void SetColor(TColor color);
  // A pen of width 0 draws as wide as one of width 1.
  double PenWidth() { return std::max(1, Pen().Width()); }
  // Fills the current path with the brush and strokes it with the pen.
  void FillAndStroke();

  cairo_t* cr_;
};

}  // namespace gui
