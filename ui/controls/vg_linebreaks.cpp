#include "ui/controls/vg_linebreaks.h"

namespace vg {
namespace {

constexpr char16_t kCR = u'\r';
constexpr char16_t kLF = u'\n';

bool IsWrapSeparator(char16_t c) { return c == u' ' || c == u',' || c == u'-'; }

class LineScanner {
 public:
  LineScanner(std::u16string_view text, const TvgLineLayout& layout) : FText(text), FLayout(layout) {}

  TvgScannedLines Scan(int from, int to) {
    int lineStart = from;
    int pos = from;
    while (pos < to) {
      const int breakLength = LineBreakLength(FText, pos);
      if (breakLength == 0) {
        ++pos;
        continue;
      }
      AddPhysicalLine(lineStart, pos);
      pos += breakLength;
      lineStart = pos;
      FResult.Starts.push_back(pos + 1);
    }
    if (lineStart < to) AddPhysicalLine(lineStart, to);
    return std::move(FResult);
  }

 private:
  float Width(int from, int to) const {
    return FLayout.Measure ? FLayout.Measure(FText.substr(from, to - from)) : 0.0f;
  }

  // The line text[from, to) without its break.
  void AddPhysicalLine(int from, int to) {
    const float width = Width(from, to);
    if (!FLayout.WordWrap || !FLayout.Measure || width <= FLayout.WrapWidth) {
      AddDisplayLine(width);
      return;
    }
    int lineStart = from;
    int pos = from;
    while (pos < to && IsWrapSeparator(FText[pos])) ++pos;
    while (pos < to) {
      const int word = pos;
      while (pos < to && !IsWrapSeparator(FText[pos])) ++pos;
      while (pos < to && IsWrapSeparator(FText[pos])) ++pos;
      if (word > lineStart && Width(lineStart, pos) > FLayout.WrapWidth) {
        AddDisplayLine(Width(lineStart, word));
        FResult.Starts.push_back(word + 1);
        lineStart = word;
      }
    }
    AddDisplayLine(Width(lineStart, to));
  }

  // Notes the width of the display line that begins after the starts
  // recorded so far.
  void AddDisplayLine(float width) { FResult.Widths.push_back(width); }

  std::u16string_view FText;
  const TvgLineLayout& FLayout;
  TvgScannedLines FResult;
};

}  // namespace

int LineBreakLength(std::u16string_view text, int pos) {
  const auto at = static_cast<std::size_t>(pos);
  if (at >= text.size()) return 0;
  if (text[at] == kLF) return 1;
  if (text[at] != kCR) return 0;
  return at + 1 < text.size() && text[at + 1] == kLF ? 2 : 1;
}

TvgScannedLines ScanDisplayLines(std::u16string_view text, int from, int to, const TvgLineLayout& layout) {
  return LineScanner(text, layout).Scan(from, to);
}

}  // namespace vg
