#pragma once
// Where the display lines of a memo's text begin. The text breaks into
// physical lines at CR, LF and CR LF (one break). With word wrap, a physical
// line wider than the wrap width breaks again before the first word that no
// longer fits; words are the runs of characters other than space, comma and
// hyphen, each with the separators after it, so separators stay at the end
// of the line they follow and a word wider than the width stands alone.
#include <functional>
#include <string_view>
#include <vector>

namespace vg {

// 1-based indices of the first character of each display line, strictly
// increasing; empty for an empty text. A text that ends in a break has an
// empty last line, starting one past its end.
using TLinesBegs = std::vector<int>;

// The width of one line of text.
using TvgLineMeasure = std::function<float(std::u16string_view)>;

struct TvgLineLayout {
  bool WordWrap = false;
  float WrapWidth = 0;
  // Empty when nothing can be measured: no wrapping then, every width 0.
  TvgLineMeasure Measure;
};

// What a scan of a stretch of text found.
struct TvgScannedLines {
  // The starts of the display lines after the stretch's first one.
  TLinesBegs Starts;
  // The width of each display line of the stretch, in order.
  std::vector<float> Widths;
};

// Scans text[from, to) (0-based), which begins a display line and ends at
// the end of a line break or of the text. A break at its very end gives the
// start to + 1, that of the line after the stretch.
TvgScannedLines ScanDisplayLines(std::u16string_view text, int from, int to, const TvgLineLayout& layout);

// The length of the line break at text[pos]: 2 for CR LF, 1 for a lone CR
// or LF, 0 for any other character.
int LineBreakLength(std::u16string_view text, int pos);

}  // namespace vg
