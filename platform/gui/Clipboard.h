#pragma once
// The clipboard as the toolkit uses it: Unicode text only.
//
// The real clipboard is the desktop's (GTK, "CLIPBOARD" selection, UTF-8 on
// the wire, UTF-16 here); tests install a fake (tests/support).
#include "platform/rtl/Types.h"

namespace gui {

class IClipboard {
 public:
  virtual ~IClipboard() = default;
  // Whether text can be pasted now.
  virtual bool HasText() = 0;
  // The clipboard's text, empty when it holds none. May run a nested loop
  // while the owning program answers; a call made from inside that loop
  // returns empty.
  virtual rtl::WideString AsText() = 0;
  // Takes ownership of the clipboard with this text.
  virtual void SetAsText(const rtl::WideString& text) = 0;
};

// The clipboard in use; SetClipboard(nullptr) restores the desktop's one.
IClipboard& Clipboard();
void SetClipboard(IClipboard* clipboard);

}  // namespace gui
