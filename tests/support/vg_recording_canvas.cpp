#include "tests/support/vg_recording_canvas.h"

#include <algorithm>
#include <cstdarg>
#include <cstdio>

#include "platform/rtl/TextConvert.h"
#include "ui/core/vg_bitmap.h"
#include "ui/core/vg_pathdata.h"

namespace vgtest {

using namespace vg;

namespace {

std::string RectText(const TvgRect& r) {
  char text[96];
  std::snprintf(text, sizeof text, "(%g,%g,%g,%g)", r.Left, r.Top, r.Right, r.Bottom);
  return text;
}

}  // namespace

RecordingCanvas::RecordingCanvas(int width, int height) {
  FWidth = width;
  FHeight = height;
}

void RecordingCanvas::Add(const char* format, ...) {
  char line[512];
  va_list args;
  va_start(args, format);
  std::vsnprintf(line, sizeof line, format, args);
  va_end(args);
  Log.emplace_back(line);
}

std::string RecordingCanvas::PathText(const TvgPathData& path) {
  std::string text;
  static constexpr char kLetters[] = {'M', 'L', 'C', 'Z'};
  int curvePoint = 0;  // position inside a curve's three points
  for (const TvgPathPoint& p : path.PathData) {
    char item[48];
    const bool letter = p.Kind != vgPathPointCurveTo || curvePoint == 0;
    curvePoint = p.Kind == vgPathPointCurveTo ? (curvePoint + 1) % 3 : 0;
    if (p.Kind == vgPathPointClose)
      std::snprintf(item, sizeof item, "Z");
    else if (letter)
      std::snprintf(item, sizeof item, "%c%g,%g", kLetters[p.Kind], p.Point.X, p.Point.Y);
    else
      std::snprintf(item, sizeof item, "%g,%g", p.Point.X, p.Point.Y);
    if (!text.empty()) text += ' ';
    text += item;
  }
  return text;
}

void RecordingCanvas::FlushBuffer(int x, int y, std::uintptr_t) { Add("FlushBuffer %d,%d", x, y); }
void RecordingCanvas::FlushBufferRect(int x, int y, std::uintptr_t, const TvgRect& rect) {
  Add("FlushBufferRect %d,%d %s", x, y, RectText(rect).c_str());
}
void RecordingCanvas::ResizeBuffer(int width, int height) {
  FWidth = width;
  FHeight = height;
  Add("ResizeBuffer %d,%d", width, height);
}
void RecordingCanvas::Clear(TvgColor color) { Add("Clear %08X", color); }
void RecordingCanvas::ClearRect(const TvgRect& rect, TvgColor color) {
  Add("ClearRect %s %08X", RectText(rect).c_str(), color);
}
void RecordingCanvas::SetMatrix(const TvgMatrix& m) {
  TvgCanvas::SetMatrix(m);
  Add("SetMatrix %g,%g,%g,%g,%g,%g", m.m11, m.m12, m.m21, m.m22, m.m31, m.m32);
}
void RecordingCanvas::MultyMatrix(const TvgMatrix& m) {
  Add("MultyMatrix %g,%g,%g,%g,%g,%g", m.m11, m.m12, m.m21, m.m22, m.m31, m.m32);
}
int RecordingCanvas::SaveCanvas() {
  const int state = StoreState(std::uintptr_t(++nextToken_));
  Add("SaveCanvas %d", state);
  return state;
}
void RecordingCanvas::RestoreCanvas(int state) {
  Add("RestoreCanvas %d", state);
  if (IsSavedState(state)) LoadState(state);
}
void RecordingCanvas::SetClipRects(const std::vector<TvgRect>& rects) {
  std::string text;
  for (const TvgRect& r : rects) text += RectText(r);
  Add("SetClipRects [%s]", text.c_str());
}
void RecordingCanvas::IntersectClipRect(const TvgRect& rect) {
  Add("IntersectClipRect %s", RectText(rect).c_str());
}
void RecordingCanvas::ExcludeClipRect(const TvgRect& rect) {
  Add("ExcludeClipRect %s", RectText(rect).c_str());
}
void RecordingCanvas::ResetClipRect() { Add("ResetClipRect"); }
void RecordingCanvas::DrawLine(TvgPoint p1, TvgPoint p2, float opacity) {
  Add("DrawLine (%g,%g)-(%g,%g) %g", p1.X, p1.Y, p2.X, p2.Y, opacity);
}
void RecordingCanvas::FillRect(const TvgRect& rect, float xRadius, float yRadius, TvgCorners,
                               float opacity, TvgCornerType) {
  Add("FillRect %s %g,%g %g", RectText(rect).c_str(), xRadius, yRadius, opacity);
}
void RecordingCanvas::DrawRect(const TvgRect& rect, float xRadius, float yRadius, TvgCorners,
                               float opacity, TvgCornerType) {
  Add("DrawRect %s %g,%g %g", RectText(rect).c_str(), xRadius, yRadius, opacity);
}
void RecordingCanvas::FillEllipse(const TvgRect& rect, float opacity) {
  Add("FillEllipse %s %g", RectText(rect).c_str(), opacity);
}
void RecordingCanvas::DrawEllipse(const TvgRect& rect, float opacity) {
  Add("DrawEllipse %s %g", RectText(rect).c_str(), opacity);
}
bool RecordingCanvas::PtInPath(TvgPoint point, const TvgRect& rect, TvgPathData& path) {
  Add("PtInPath (%g,%g) %s %s", point.X, point.Y, RectText(rect).c_str(), PathText(path).c_str());
  return false;
}
void RecordingCanvas::FillPath(TvgPathData& path, const TvgRect& rect, float opacity) {
  Add("FillPath %s %s %g", PathText(path).c_str(), RectText(rect).c_str(), opacity);
}
void RecordingCanvas::DrawPath(TvgPathData& path, const TvgRect& rect, float opacity) {
  Add("DrawPath %s %s %g", PathText(path).c_str(), RectText(rect).c_str(), opacity);
}
void RecordingCanvas::DrawBitmap(TvgBitmap& bitmap, const TvgRect& source, const TvgRect& dest,
                                 float opacity, bool highSpeed) {
  Add("DrawBitmap %dx%d %s %s %g %d", bitmap.Width(), bitmap.Height(), RectText(source).c_str(),
      RectText(dest).c_str(), opacity, highSpeed);
}
void RecordingCanvas::DrawThumbnail(TvgBitmap& bitmap, float width, float height) {
  Add("DrawThumbnail %dx%d %g,%g", bitmap.Width(), bitmap.Height(), width, height);
}
void RecordingCanvas::FillText(const TvgRect& rect, const TvgRect&, const rtl::WideString& text,
                               bool wordWrap, float opacity, TvgTextAlign align,
                               TvgTextAlign vAlign) {
  Add("FillText %s \"%s\" %d %g %d %d", RectText(rect).c_str(), rtl::Utf16ToUtf8(text).c_str(),
      wordWrap, opacity, align, vAlign);
}
void RecordingCanvas::MeasureText(TvgRect& rect, const TvgRect&, const rtl::WideString& text,
                                  bool wordWrap, TvgTextAlign align, TvgTextAlign vAlign) {
  Add("MeasureText %s \"%s\" %d %d %d", RectText(rect).c_str(), rtl::Utf16ToUtf8(text).c_str(),
      wordWrap, align, vAlign);
  size_t longest = 0, lines = 1, current = 0;
  for (char16_t c : text) {
    if (c == u'\n') {
      ++lines;
      current = 0;
    } else {
      longest = std::max(longest, ++current);
    }
  }
  rect.Right = rect.Left + 7.0f * float(longest);
  rect.Bottom = rect.Top + 13.0f * float(text.empty() ? 0 : lines);
}
bool RecordingCanvas::TextToPath(TvgPathData&, const TvgRect& rect, const rtl::WideString& text,
                                 bool wordWrap, TvgTextAlign, TvgTextAlign) {
  Add("TextToPath %s \"%s\" %d", RectText(rect).c_str(), rtl::Utf16ToUtf8(text).c_str(), wordWrap);
  return false;
}

}  // namespace vgtest
