#pragma once
// The adapters this program talks to, the line each gets in the adapter
// list, and the chooser TfrmHid that lets the user pick one when several are
// plugged in (its logic; the window shows it through IAdapterChooser).
#include <string>
#include <vector>

#include "platform/hid/HidApi.h"

namespace device {

/// The label of an adapter in the adapter list. With a USB port path (Linux)
/// it is the port path cut or blank-padded to ten characters; with a
/// Windows-style device path P it is the ten characters of P from position
/// 29 (1-based) when the 37th is "&", else a blank and the nine characters
/// from position 29. Then four blanks and the product string.
std::string AdapterLabel(const hid::DeviceInfo& device);

/// The chooser's lines: each adapter line followed by "    PORTAVEX" when it
/// holds "FS", else by "    DUR Udazedi Ved".
std::vector<std::string> ChooserLines(const std::vector<std::string>& adapterLines);

/// The logic of the chooser TfrmHid: one HidList line per adapter; a double
/// click closes it with modal result = clicked index + 1 (none selected: the
/// chooser stays open, modal result 0).
class TfrmHid {
 public:
  explicit TfrmHid(const std::vector<std::string>& adapterLines) : lines_(ChooserLines(adapterLines)) {}

  const std::vector<std::string>& HidList() const { return lines_; }
  /// Double click on HidList with `itemIndex` selected (-1: none).
  void HidListDblClick(int itemIndex);
  int ModalResult() const { return modalResult_; }

 private:
  std::vector<std::string> lines_;
  int modalResult_ = 0;
};

/// Shows the chooser modally over the main form.
class IAdapterChooser {
 public:
  virtual ~IAdapterChooser() = default;
  /// Runs TfrmHid for the adapter lines; returns its modal result (the chosen
  /// line + 1, or 0 or less when it was closed without a choice).
  virtual int ShowModal(const std::vector<std::string>& adapterLines) = 0;
};

}  // namespace device
