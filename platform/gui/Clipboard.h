#pragma once
// The clipboard as the toolkit uses it: Unicode text and pictures.
//
// The real clipboard is the desktop's (GTK, "CLIPBOARD" selection, UTF-8 on
// the wire, UTF-16 here; pictures as the desktop's images); tests install a
// fake (tests/support).
#include "platform/rtl/Graphics.h"
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
  // The clipboard's picture as a 32-bit bitmap (blue, green, red, alpha;
  // colours premultiplied by alpha; an opaque picture gets alpha 255);
  // false, leaving `picture`, when it holds none. May run a nested loop as
  // AsText does.
  virtual bool GetPicture(rtl::TBitmap& picture) = 0;
  // Takes ownership of the clipboard with this picture (a 32-bit one is
  // read as above, others as opaque).
  virtual void SetPicture(const rtl::TBitmap& picture) = 0;
};

// The clipboard in use; SetClipboard(nullptr) restores the desktop's one.
IClipboard& Clipboard();
void SetClipboard(IClipboard* clipboard);

}  // namespace gui
