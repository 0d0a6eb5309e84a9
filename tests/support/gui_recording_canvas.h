#pragma once
// A class-library canvas that draws nothing and logs each primitive as one
// line: "line C x1,y1 x2,y2" (pen colour C as 8 hex digits), "rect", "round",
// "ellipse" (x1,y1 x2,y2 [corner]), "fill C l,t,r,b", "text C l,t,r,b
// flags 'caption'" (font colour, drawn rectangle, DrawText flags in hex).
// Text measures 7 pixels a character by 13.
#include <cstdio>
#include <string>
#include <vector>

#include "platform/gui/Canvas.h"
#include "platform/rtl/TextConvert.h"

namespace guitest {

class RecordingCanvas : public gui::TCanvas {
 public:
  std::vector<std::string> Log;

  void Rectangle(int x1, int y1, int x2, int y2) override { Add("rect %d,%d %d,%d", x1, y1, x2, y2); }
  void RoundRect(int x1, int y1, int x2, int y2, int cw, int ch) override {
    Add("round %d,%d %d,%d %d,%d", x1, y1, x2, y2, cw, ch);
  }
  void Ellipse(int x1, int y1, int x2, int y2) override { Add("ellipse %d,%d %d,%d", x1, y1, x2, y2); }
  void FillRect(const gui::TRect& r) override {
    Add("fill %08X %d,%d,%d,%d", unsigned(Brush().Color()), r.Left, r.Top, r.Right, r.Bottom);
  }
  gui::TPoint TextExtent(const rtl::WideString& text) override { return {7 * int(text.size()), 13}; }
  int DrawText(const rtl::WideString& text, gui::TRect& rect, unsigned flags) override {
    if (flags & gui::DT_CALCRECT) {
      rect.Right = rect.Left + TextWidth(text);
      rect.Bottom = rect.Top + 13;
      return 13;
    }
    Add("text %08X %d,%d,%d,%d %X '%s'", unsigned(Font().Color), rect.Left, rect.Top, rect.Right, rect.Bottom, flags,
        rtl::Utf16ToUtf8(text).c_str());
    return 13;
  }
  // The logged lines that start with prefix.
  std::vector<std::string> Only(const std::string& prefix) const {
    std::vector<std::string> lines;
    for (const std::string& line : Log)
      if (line.rfind(prefix, 0) == 0) lines.push_back(line);
    return lines;
  }

 protected:
  void DrawLine(gui::TPoint from, gui::TPoint to) override {
    Add("line %08X %d,%d %d,%d", unsigned(Pen().Color()), from.X, from.Y, to.X, to.Y);
  }

 private:
  template <class... Args>
  void Add(const char* format, Args... args) {
    char buffer[256];
    std::snprintf(buffer, sizeof buffer, format, args...);
    Log.push_back(buffer);
  }
};

}  // namespace guitest
