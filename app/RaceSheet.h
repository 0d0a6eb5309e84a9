#pragma once
// The race sheet of the settings report: TfrmInput filled with the texts of
// the chosen language and the choices kept in lang.ini, run modally, and on
// OK the six choice indices written back and the header picture handed on.
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "app/RaceSheetForm.h"
#include "platform/rtl/MemIniFile.h"

namespace vg {
class TvgResources;
}

namespace app {

/// What the race sheet is filled from.
struct RaceSheetInputs {
  /// A text of the chosen language: lang.ini [common] under the language
  /// prefix, or the fallback.
  std::function<std::string(const std::string& key, const std::string& fallback)> langText;
  /// A picture file that replaces the built-in one when it exists.
  std::string logoFile;
  /// The report file: its name without folder and extension is the driver.
  std::string reportFile;
  std::string firmwareVersion;
  /// "yyyy-mm-dd".
  std::string today;
};

/// The header the confirmed race sheet gives: Panel1's picture and size.
struct RaceSheetHeader {
  std::unique_ptr<rtl::TJPEGImage> picture;
  float width = 0, height = 0;
};

/// Fills a fresh form: captions, radio texts and list items from the
/// language texts, the starting choices from `settings` ("export_*_index").
/// An "_items" list with fewer entries than its radio buttons raises
/// rtl::EListError.
void FillRaceSheet(TfrmInput& form, const RaceSheetInputs& inputs, const rtl::TMemIniFile& settings);

/// Writes the six choice indices of the form into `settings`.
void StoreRaceSheetChoices(const TfrmInput& form, rtl::TMemIniFile& settings);

/// Runs the race sheet modally. OK stores the choices, writes `settings`
/// to its file and gives the header; Cancel or closing the window gives
/// nothing.
std::optional<RaceSheetHeader> RunRaceSheet(rtl::TComponent* owner, vg::TvgResources* style,
                                            const RaceSheetInputs& inputs, rtl::TMemIniFile& settings);

}  // namespace app
