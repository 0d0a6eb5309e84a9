#include "tests/support/vg_recording_canvas.h"

#include <algorithm>
#include <cstdarg>
#include <cstdio>

#include "platform/rtl/NumberText.h"
#include "platform/rtl/TextConvert.h"
#include "ui/core/vg_bitmap.h"
#include "ui/core/vg_pathdata.h"

namespace vgtest {

using namespace vg;

namespace {

// Six significant digits, "." whatever the locale.
std::string Num(double value) { return rtl::FloatToStrF(value, rtl::ffGeneral, 6, 0); }

std::string PointText(TvgPoint p) { return "(" + Num(p.X) + "," + Num(p.Y) + ")"; }

std::string MatrixText(const TvgMatrix& m) {
  return Num(m.m11) + "," + Num(m.m12) + "," + Num(m.m21) + "," + Num(m.m22) + "," + Num(m.m31) + "," + Num(m.m32);
}

std::string RectText(const TvgRect& r) {
  return "(" + Num(r.Left) + "," + Num(r.Top) + "," + Num(r.Right) + "," + Num(r.Bottom) + ")";
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
    const bool letter = p.Kind != vgPathPointCurveTo || curvePoint == 0;
    curvePoint = p.Kind == vgPathPointCurveTo ? (curvePoint + 1) % 3 : 0;
    if (!text.empty()) text += ' ';
    if (letter) text += kLetters[p.Kind];
    if (p.Kind != vgPathPointClose) text += Num(p.Point.X) + "," + Num(p.Point.Y);
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
  Add("SetMatrix %s", MatrixText(m).c_str());
}
void RecordingCanvas::MultyMatrix(const TvgMatrix& m) {
  Add("MultyMatrix %s", MatrixText(m).c_str());
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
  Add("DrawLine %s-%s %s", PointText(p1).c_str(), PointText(p2).c_str(), Num(opacity).c_str());
}
void RecordingCanvas::FillRect(const TvgRect& rect, float xRadius, float yRadius, TvgCorners,
                               float opacity, TvgCornerType) {
  Add("FillRect %s %s,%s %s", RectText(rect).c_str(), Num(xRadius).c_str(), Num(yRadius).c_str(),
      Num(opacity).c_str());
}
void RecordingCanvas::DrawRect(const TvgRect& rect, float xRadius, float yRadius, TvgCorners,
                               float opacity, TvgCornerType) {
  Add("DrawRect %s %s,%s %s", RectText(rect).c_str(), Num(xRadius).c_str(), Num(yRadius).c_str(),
      Num(opacity).c_str());
}
void RecordingCanvas::FillEllipse(const TvgRect& rect, float opacity) {
  Add("FillEllipse %s %s", RectText(rect).c_str(), Num(opacity).c_str());
}
void RecordingCanvas::DrawEllipse(const TvgRect& rect, float opacity) {
  Add("DrawEllipse %s %s", RectText(rect).c_str(), Num(opacity).c_str());
}
bool RecordingCanvas::PtInPath(TvgPoint point, const TvgRect& rect, TvgPathData& path) {
  Add("PtInPath %s %s %s", PointText(point).c_str(), RectText(rect).c_str(), PathText(path).c_str());
  return false;
}
void RecordingCanvas::FillPath(TvgPathData& path, const TvgRect& rect, float opacity) {
  Add("FillPath %s %s %s", PathText(path).c_str(), RectText(rect).c_str(), Num(opacity).c_str());
}
void RecordingCanvas::DrawPath(TvgPathData& path, const TvgRect& rect, float opacity) {
  Add("DrawPath %s %s %s", PathText(path).c_str(), RectText(rect).c_str(), Num(opacity).c_str());
}
void RecordingCanvas::DrawBitmap(TvgBitmap& bitmap, const TvgRect& source, const TvgRect& dest,
                                 float opacity, bool highSpeed) {
  Add("DrawBitmap %dx%d %s %s %s %d", bitmap.Width(), bitmap.Height(), RectText(source).c_str(),
      RectText(dest).c_str(), Num(opacity).c_str(), highSpeed);
}
void RecordingCanvas::DrawThumbnail(TvgBitmap& bitmap, float width, float height) {
  Add("DrawThumbnail %dx%d %s,%s", bitmap.Width(), bitmap.Height(), Num(width).c_str(), Num(height).c_str());
}
void RecordingCanvas::FillText(const TvgRect& rect, const TvgRect&, const rtl::WideString& text,
                               bool wordWrap, float opacity, TvgTextAlign align,
                               TvgTextAlign vAlign) {
  Add("FillText %s \"%s\" %d %s %d %d", RectText(rect).c_str(), rtl::Utf16ToUtf8(text).c_str(),
      wordWrap, Num(opacity).c_str(), align, vAlign);
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
std::vector<float> RecordingCanvas::CaretOffsets(const rtl::WideString& text) {
  Add("CaretOffsets \"%s\"", rtl::Utf16ToUtf8(text).c_str());
  std::vector<float> offsets(text.size() + 1, 0);
  for (std::size_t n = 1; n <= text.size(); ++n) offsets[n] = 7.0f * float(n);
  return offsets;
}
bool RecordingCanvas::TextToPath(TvgPathData&, const TvgRect& rect, const rtl::WideString& text,
                                 bool wordWrap, TvgTextAlign, TvgTextAlign) {
  Add("TextToPath %s \"%s\" %d", RectText(rect).c_str(), rtl::Utf16ToUtf8(text).c_str(), wordWrap);
  return false;
}

}  // namespace vgtest
