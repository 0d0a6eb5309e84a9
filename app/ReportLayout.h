#pragma once
// Where the settings report puts its pictures and lines on its one page.
// Positions are PDF units with the origin at the lower-left corner. Two
// values anchor the layout: the left margin L ("export_left") and the top
// line T (the page height less "export_top"); every element's offset (x, y)
// is measured from L to the right and from T downwards, and is read from
// lang.ini [common] under its "export_" keys (no language prefix).
#include <string>
#include <string_view>

#include "platform/rtl/MemIniFile.h"

namespace app {

inline constexpr int kReportPageWidth = 2479;
inline constexpr int kReportPageHeight = 4508;

/// A picture's place: lower-left corner and drawn size.
struct ReportBox {
  int x = 0, y = 0, width = 0, height = 0;
  friend bool operator==(const ReportBox&, const ReportBox&) = default;
};

struct ReportPoint {
  int x = 0, y = 0;
  friend bool operator==(const ReportPoint&, const ReportPoint&) = default;
};

struct ReportFont {
  std::string name;
  int size = 0;
  friend bool operator==(const ReportFont&, const ReportFont&) = default;
};

/// The window sizes the default picture sizes come from, in pixels: the
/// page area and the bottom bar below it.
struct PageAreaSize {
  float width = 0, height = 0, barHeight = 0;
};

/// A title or version line: its text, font and baseline.
struct ReportTextLine {
  std::string text;
  ReportFont font;
  ReportPoint at;
};

class ReportLayout {
 public:
  ReportLayout(const rtl::TMemIniFile& ini, bool chinese);

  int Left() const { return left_; }
  int Top() const { return top_; }

  /// The picture of parameter page n (1-based).
  ReportBox PagePicture(int n, const PageAreaSize& area) const;
  /// The first curve picture of page n, from an editor window of the given
  /// size; a frequency curve goes one picture height plus 100 lower.
  ReportBox CurvePicture(int n, int editorWidth, int editorHeight, bool frequencyCurve) const;
  /// A further curve picture of page n: below `above`, the page's curve
  /// placed before it, with the gap the layout leaves between pictures.
  ReportBox CurveBelow(const ReportBox& above, int n, int editorWidth, int editorHeight) const;
  ReportBox CalculatorPicture(const PageAreaSize& area) const;
  /// The race-sheet header: as wide as the page between the margins, as
  /// high as the header picture's aspect gives less 80.
  ReportBox HeaderPicture(float headerWidth, float headerHeight) const;
  /// The caption of a picture stands on its top edge, 60 units in.
  static ReportPoint CaptionOf(const ReportBox& picture) { return {picture.x + 60, picture.y + picture.height}; }
  /// "Chinese" 34 in the Chinese interface, "Arial-BoldItalic" 38 else.
  ReportFont CaptionFont() const;
  /// The title line ("export_title_*").
  ReportTextLine Title(std::string text) const;
  /// The version line ("export_version_*"), below the last picture placed,
  /// which was `lastPictureHeight` high.
  ReportTextLine Version(std::string text, int lastPictureHeight) const;

 private:
  int Value(const std::string& key, int fallback) const;
  ReportBox Place(int x, int y, int width, int height) const;
  ReportTextLine TextLine(std::string_view prefix, std::string text, int drop) const;

  const rtl::TMemIniFile& ini_;
  bool chinese_;
  int left_, top_;
};

/// Car models get the race-sheet header; these do not.
bool HasRaceSheet(std::string_view controller);
/// The aircraft models whose report shows the calculator page.
bool HasCalculatorPage(std::string_view controller);

}  // namespace app
