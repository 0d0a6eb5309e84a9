#pragma once
// Why a HID node could not be opened, as both back ends say it.
#include <string>

namespace hid {

/// The failure of one OpenPath: the system's error number and the sentence
/// for the user ("cannot open /dev/hidraw3: Permission denied (...)").
struct OpenFailure {
  int error = 0;     ///< errno of the open; 0 when none was set
  std::string text;  ///< empty when the open succeeded

  /// The failure to open `path` with `error`; a node without access rights
  /// names the udev rule that grants them.
  static OpenFailure Of(const std::string& path, int error);
  /// Whether the node exists but the user may not open it.
  bool Denied() const;
};

}  // namespace hid
