#pragma once
// The program's one message sink, ShowInfo: a line at the top of the status
// log, the modal information box, or both (the line first). The status log
// and the box are the main window's; this unit decides what goes where.
#include <string>

#include "device/LinkServices.h"

namespace app {

/// The status log in use (eMessage, or vgmMessage in link modes 2 to 4).
class IStatusLog {
 public:
  virtual ~IStatusLog() = default;
  /// Inserts `line` as line 0 and scrolls the log to its beginning.
  virtual void InsertTopLine(const std::string& line) = 0;
};

/// The information box TfrmInfo, created on first use and reused.
class IInfoBox {
 public:
  virtual ~IInfoBox() = default;
  /// Shows `text` with `title` and `button` centred on the main window and
  /// returns when the user closes it. While it is already open (a handler
  /// inside its modal loop), the open box takes the new texts and position
  /// and the call returns at once.
  virtual void Show(const std::string& text, const std::string& title, const std::string& button) = 0;
};

class MessageSink final : public device::IMessageSink {
 public:
  MessageSink(IStatusLog& log, IInfoBox& box, device::ITexts& texts) : log_(log), box_(box), texts_(texts) {}

  /// Mode 0 the log line only, 1 the box only, 2 both (the line first).
  /// The box's title is "InfoTitle" (default "Information"), its button
  /// "btn_Ok" (default "Ok").
  void ShowInfo(const std::string& text, int mode) override;

 private:
  IStatusLog& log_;
  IInfoBox& box_;
  device::ITexts& texts_;
};

}  // namespace app
