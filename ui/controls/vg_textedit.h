#pragma once
// What the editing controls (text box, memo) share: the letter case text is
// stored in, word moves, and the clipboard they copy to and paste from.
#include <string_view>

#include "platform/gui/Clipboard.h"
#include "platform/rtl/TypeInfo.h"
#include "platform/rtl/Types.h"

namespace vg {

// The letter case typed or assigned text is stored in.
RTL_ENUM(TEditCharCase, vgecNormal, vgecUpperCase, vgecLowerCase)

// The text in that case.
rtl::WideString vgApplyCharCase(const rtl::WideString& text, TEditCharCase charCase);

// Word moves within one line of text; positions count the characters before.
// Back from pos over spaces, then over the word before them: the position
// after the nearest space once a non-space was passed (0 at the start).
int vgPriorWordStart(std::u16string_view text, int pos);
// Forward from pos over the characters but the last: before the first
// non-space that follows a space met after a non-space; else the end of the
// text, or the position before its last character when a space precedes it.
int vgNextWordStart(std::u16string_view text, int pos);

// The clipboard the editing controls use. The window layer installs the
// desktop's; tests install a fake. Without one, copying does nothing and
// pasting finds no text.
void vgSetEditClipboard(gui::IClipboard* clipboard);
gui::IClipboard* vgEditClipboard();

}  // namespace vg
