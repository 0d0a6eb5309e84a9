#pragma once
// The settings report: a one-page PDF file of pictures of the program's own
// windows (every parameter page as shown, the curve editor of every curve
// parameter, the calculator page of the aircraft models), each with a
// caption, a title and a version line, and for car models the race-sheet
// header the user fills in first. Where each goes is ReportLayout's.
//
// The file is written whole or not at all: the document goes to a
// temporary file beside the chosen one, which replaces it once complete.
// Cancelling the race sheet, or any failure, leaves the chosen path as it
// was.
#include <optional>
#include <string>

#include "app/RaceSheet.h"
#include "app/ReportLayout.h"
#include "params/DeviceDescription.h"
#include "platform/rtl/Graphics.h"
#include "platform/rtl/MemIniFile.h"

namespace pdf {
class TPdfDoc;
}

namespace app {

/// A page of the main window: its position in the side list and its page
/// item ListBoxItem<entry>.
struct ShownPagePlace {
  int position = 0, entry = 1;
  friend bool operator==(const ShownPagePlace&, const ShownPagePlace&) = default;
};

/// What the report needs of the main window.
class IReportWindow {
 public:
  virtual ~IReportWindow() = default;
  virtual const params::VERSION& Description() = 0;
  /// The controller key (the first device string).
  virtual std::string Controller() = 0;
  virtual bool Chinese() = 0;
  /// lang.ini: the layout keys, and the race sheet's choices.
  virtual rtl::TMemIniFile& LangIni() = 0;
  virtual std::string LangText(const std::string& key, const std::string& fallback) = 0;
  /// The save dialog; nothing when the user cancels it.
  virtual std::optional<std::string> ChooseReportFile() = 0;
  /// The race sheet for the chosen file; nothing when the user cancels it.
  virtual std::optional<RaceSheetHeader> RunRaceSheet(const std::string& reportFile) = 0;
  /// Selects `position` in the side list, shows page item ListBoxItem<entry>
  /// and repaints.
  virtual void ShowPage(int position, int entry) = 0;
  /// The page shown now.
  virtual ShownPagePlace ShownPage() = 0;
  virtual PageAreaSize PageArea() = 0;
  /// The page area as the window shows it now.
  virtual rtl::TBitmap PagePicture() = 0;
  /// The curve editor of parameter `item` opened for the report, pictured
  /// whole and closed again; nothing when the page has no table box
  /// "eItem<item>" or no editor opens.
  virtual std::optional<rtl::TBitmap> CurvePicture(int item) = 0;
};

/// Asks for the file and writes the report. The window shows the pages it
/// pictures while it works and then the page it showed before; a run that
/// ends before the first picture leaves it as it is. Failures other than the
/// user's cancel raise.
void PrintSettingsReport(IReportWindow& window);

/// Shows `utf8Text` with its baseline starting at (x, y) in the font the
/// canvas has selected.
void PdfShowTextAt(pdf::TPdfDoc& doc, int x, int y, const std::string& utf8Text);

}  // namespace app
