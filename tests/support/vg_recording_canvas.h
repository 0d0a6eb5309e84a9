#pragma once
// A canvas that draws nothing and logs every primitive it receives as one
// line of text, for tests of code that paints through vg::TvgCanvas. Paths
// are written point by point ("M0,0 L10,0 C... Z"), numbers with six
// significant digits and "." whatever the locale.
// Text measures 7 units a character by 13 (its lines broken at '\n').
#include <string>
#include <vector>

#include "ui/core/vg_canvas.h"

namespace vgtest {

class RecordingCanvas : public vg::TvgCanvas {
  RTL_CLASS(RecordingCanvas, vg::TvgCanvas)

  RecordingCanvas(int width = 100, int height = 100);

  std::vector<std::string> Log;

  static std::string PathText(const vg::TvgPathData& path);

  void FlushBuffer(int x, int y, std::uintptr_t dc) override;
  void FlushBufferRect(int x, int y, std::uintptr_t dc, const vg::TvgRect& rect) override;
  void FreeBuffer() override {}
  void ResizeBuffer(int width, int height) override;
  void Clear(vg::TvgColor color) override;
  void ClearRect(const vg::TvgRect& rect, vg::TvgColor color) override;
  void SetMatrix(const vg::TvgMatrix& m) override;
  void MultyMatrix(const vg::TvgMatrix& m) override;
  int SaveCanvas() override;
  void RestoreCanvas(int state) override;
  void SetClipRects(const std::vector<vg::TvgRect>& rects) override;
  void IntersectClipRect(const vg::TvgRect& rect) override;
  void ExcludeClipRect(const vg::TvgRect& rect) override;
  void ResetClipRect() override;
  void DrawLine(vg::TvgPoint p1, vg::TvgPoint p2, float opacity) override;
  void FillRect(const vg::TvgRect& rect, float xRadius, float yRadius, vg::TvgCorners corners,
                float opacity, vg::TvgCornerType cornerType) override;
  void DrawRect(const vg::TvgRect& rect, float xRadius, float yRadius, vg::TvgCorners corners,
                float opacity, vg::TvgCornerType cornerType) override;
  void FillEllipse(const vg::TvgRect& rect, float opacity) override;
  void DrawEllipse(const vg::TvgRect& rect, float opacity) override;
  bool PtInPath(vg::TvgPoint point, const vg::TvgRect& rect, vg::TvgPathData& path) override;
  void FillPath(vg::TvgPathData& path, const vg::TvgRect& rect, float opacity) override;
  void DrawPath(vg::TvgPathData& path, const vg::TvgRect& rect, float opacity) override;
  void DrawBitmap(vg::TvgBitmap& bitmap, const vg::TvgRect& source, const vg::TvgRect& dest,
                  float opacity, bool highSpeed) override;
  void DrawThumbnail(vg::TvgBitmap& bitmap, float width, float height) override;
  void FillText(const vg::TvgRect& rect, const vg::TvgRect& clipRect, const rtl::WideString& text,
                bool wordWrap, float opacity, vg::TvgTextAlign align,
                vg::TvgTextAlign vAlign) override;
  void MeasureText(vg::TvgRect& rect, const vg::TvgRect& clipRect, const rtl::WideString& text,
                   bool wordWrap, vg::TvgTextAlign align, vg::TvgTextAlign vAlign) override;
  bool TextToPath(vg::TvgPathData& path, const vg::TvgRect& rect, const rtl::WideString& text,
                  bool wordWrap, vg::TvgTextAlign align, vg::TvgTextAlign vAlign) override;
  // 7 units a unit of the text, as MeasureText.
  std::vector<float> CaretOffsets(const rtl::WideString& text) override;

 private:
  void Add(const char* format, ...);
  int nextToken_ = 0;
};

}  // namespace vgtest
