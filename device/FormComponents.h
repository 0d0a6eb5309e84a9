#pragma once
// The main form's components that the link-adapter handlers set and read,
// reached by component name as the form finds them ("btnScan", "cbChannel3",
// "rbChannel1", "PORTAVEX2", "gbChannel", "sMessage", ...). Texts are UTF-8.
#include <string>

namespace device {

class IFormComponents {
 public:
  virtual ~IFormComponents() = default;
  virtual void SetEnabled(const std::string& name, bool enabled) = 0;
  virtual void SetVisible(const std::string& name, bool visible) = 0;
  virtual bool Checked(const std::string& name) = 0;
  /// Checking a radio menu item or radio button unchecks the others of its group.
  virtual void SetChecked(const std::string& name, bool checked) = 0;
  /// The caption or text of a control or menu item.
  virtual std::string Text(const std::string& name) = 0;
  virtual void SetText(const std::string& name, const std::string& text) = 0;
  /// Inserts `line` as the first line of memo `name` and scrolls it to the top.
  virtual void InsertFirstLine(const std::string& name, const std::string& line) = 0;
};

/// The component name of channel `n` (1..8) of a channel control family
/// ("cbChannel" or "rbChannel").
inline std::string ChannelComponent(const char* family, int n) { return family + std::to_string(n); }

}  // namespace device
