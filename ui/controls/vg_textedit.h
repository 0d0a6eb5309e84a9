#pragma once
// What the editing controls (text box, memo) share: the letter case text is
// stored in, word moves and their context menu. Their clipboard is the one
// installed among the control services.
#include <functional>
#include <string_view>

#include "platform/rtl/TypeInfo.h"
#include "platform/rtl/Types.h"
#include "ui/controls/vg_services.h"

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

// The position one character before (step -1) or after (step 1) pos: a
// surrogate pair counts as one character, so the step never lands inside one.
int vgStepChar(std::u16string_view text, int pos, int step);
// pos lies between the two units of a surrogate pair.
bool vgSplitsSurrogatePair(std::u16string_view text, int pos);

// The context menu of an editing control: "Undo" (when the control has
// one), "Cut", "Copy", "Paste", "Delete", "Select All", each enabled when it
// can do something: Undo with steps to undo, Cut and Delete with selected
// text, Copy with selected text, Paste with text on the clipboard, Select
// All unless everything is selected; a read-only control only copies and
// selects; a secret one never cuts or copies.
struct TvgEditMenu {
  bool ReadOnly = false;
  bool Secret = false;  // the text must not reach the clipboard
  bool CanUndo = false;
  rtl::WideString SelText;
  rtl::WideString Text;
  std::function<void()> Undo;  // empty: no Undo item
  std::function<void()> Cut, Copy, Paste, Delete, SelectAll;
};
// Points the menu's Cut, Copy, Paste, Delete and Select All at an editor's
// own commands and takes its selected text.
template <class Editor>
void vgBindEditCommands(TvgEditMenu& items, Editor& editor) {
  items.SelText = editor.GetSelText();
  items.Cut = [&editor] { editor.CutToClipboard(); };
  items.Copy = [&editor] { editor.CopyToClipboard(); };
  items.Paste = [&editor] { editor.PasteFromClipboard(); };
  items.Delete = [&editor] { editor.ClearSelection(); };
  items.SelectAll = [&editor] { editor.SelectAll(); };
}
// Refills menu with the items and opens it at the screen point.
void vgPopupEditMenu(IvgListMenu& menu, const TvgEditMenu& items, int x, int y);

}  // namespace vg
