#include "app/ReportLayout.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace app {
namespace {

constexpr const char* kSection = "common";
constexpr int kPageStep = 500;
constexpr int kPictureGap = 100;

int Whole(double size) { return static_cast<int>(std::trunc(size)); }

}  // namespace

ReportLayout::ReportLayout(const rtl::TMemIniFile& ini, bool chinese)
    : ini_(ini),
      chinese_(chinese),
      left_(Value("export_left", 138)),
      top_(kReportPageHeight - Value("export_top", 54)) {}

int ReportLayout::Value(const std::string& key, int fallback) const { return ini_.ReadInteger(kSection, key, fallback); }

ReportBox ReportLayout::Place(int x, int y, int width, int height) const {
  return {left_ + x, top_ - y - height, width, height};
}

ReportBox ReportLayout::PagePicture(int n, const PageAreaSize& area) const {
  const std::string key = "export_tab" + std::to_string(n);
  return Place(Value(key + "_x", 5), Value(key + "_y", (n - 1) * kPageStep + 1000), Value(key + "_w", Whole(area.width)),
               Value(key + "_h", Whole(area.height - area.barHeight)));
}

ReportBox ReportLayout::CurvePicture(int n, int editorWidth, int editorHeight, bool frequencyCurve) const {
  const std::string key = "export_img" + std::to_string(n);
  const int height = Value(key + "_h", editorHeight);
  const int drop = frequencyCurve ? height + kPictureGap : 0;
  return Place(Value(key + "_x", 5), Value(key + "_y", (n - 1) * kPageStep + 2000) + drop,
               Value(key + "_w", editorWidth), height);
}

ReportBox ReportLayout::CurveBelow(const ReportBox& above, int n, int editorWidth, int editorHeight) const {
  const std::string key = "export_img" + std::to_string(n);
  const int height = Value(key + "_h", editorHeight);
  return {left_ + Value(key + "_x", 5), above.y - kPictureGap - height, Value(key + "_w", editorWidth), height};
}

ReportBox ReportLayout::CalculatorPicture(const PageAreaSize& area) const {
  return Place(Value("export_calc_x", 5), Value("export_calc_y", 5), Value("export_calc_w", Whole(area.width)),
               Value("export_calc_h", Whole(area.height - area.barHeight)));
}

ReportBox ReportLayout::HeaderPicture(float headerWidth, float headerHeight) const {
  const int width = kReportPageWidth - 2 * left_;
  const int height = headerWidth > 0 ? Whole(double(width) * headerHeight / headerWidth - 80) : 0;
  return Place(Value("export_header_x", 0), Value("export_header_y", 0), width, height);
}

ReportFont ReportLayout::CaptionFont() const {
  return chinese_ ? ReportFont{"Chinese", 34} : ReportFont{"Arial-BoldItalic", 38};
}

ReportTextLine ReportLayout::TextLine(std::string_view prefix, std::string text, int drop) const {
  const std::string key(prefix);
  const bool chineseFont = ini_.ReadBool(kSection, key + "_lang", chinese_);
  ReportTextLine line{std::move(text), {chineseFont ? "Chinese" : "Arial-BoldItalic", Value(key + "_size", 12)}, {}};
  line.at = {left_ + Value(key + "_x", 5), top_ - Value(key + "_y", 5) - drop};
  return line;
}

ReportTextLine ReportLayout::Title(std::string text) const { return TextLine("export_title", std::move(text), 0); }

ReportTextLine ReportLayout::Version(std::string text, int lastPictureHeight) const {
  return TextLine("export_version", std::move(text), lastPictureHeight + 150);
}

bool HasRaceSheet(std::string_view controller) {
  static constexpr std::array<std::string_view, 10> kWithout = {
      "AIRPLANE_ESC",     "AIRPLANE_ESC_HV",   "BOAT_ESC",    "Corvanel_V3",    "Corvanel_HV_V3",
      "Corvanel_HV_V4",   "Corvanel_HV_V4.1",  "Corvanel_V4", "Corvanel_V4_FL", "TESSIM_V5"};
  return std::find(kWithout.begin(), kWithout.end(), controller) == kWithout.end();
}

bool HasCalculatorPage(std::string_view controller) {
  return controller == "AIRPLANE_ESC" || controller == "AIRPLANE_ESC_HV";
}

}  // namespace app
