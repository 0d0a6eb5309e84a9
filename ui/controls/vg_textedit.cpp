#include "ui/controls/vg_textedit.h"

#include <algorithm>

#include "platform/rtl/TextCase.h"
#include "platform/rtl/TextConvert.h"

namespace vg {
rtl::WideString vgApplyCharCase(const rtl::WideString& text, TEditCharCase charCase) {
  switch (charCase) {
    case vgecUpperCase:
      return rtl::WideUpperCase(text);
    case vgecLowerCase:
      return rtl::WideLowerCase(text);
    case vgecNormal:
      break;
  }
  return text;
}

int vgPriorWordStart(std::u16string_view text, int pos) {
  pos = std::min(pos, static_cast<int>(text.size()));
  while (pos > 0 && text[pos - 1] == u' ') --pos;
  while (pos > 0 && text[pos - 1] != u' ') --pos;
  return std::max(pos, 0);
}

int vgNextWordStart(std::u16string_view text, int pos) {
  const int length = static_cast<int>(text.size());
  bool passedWord = false;
  bool spaceAfterWord = false;
  for (int i = std::max(pos, 0); i < length - 1; ++i) {
    if (text[i] != u' ') {
      if (spaceAfterWord) return i;
      passedWord = true;
    } else if (passedWord) {
      spaceAfterWord = true;
    }
  }
  if (pos >= length - 1) return length;
  return text[length - 2] == u' ' ? length - 1 : length;
}

bool vgSplitsSurrogatePair(std::u16string_view text, int pos) {
  return pos > 0 && pos < static_cast<int>(text.size()) && rtl::IsHighSurrogate(text[pos - 1]) &&
         rtl::IsLowSurrogate(text[pos]);
}

int vgStepChar(std::u16string_view text, int pos, int step) {
  const int next = pos + step;
  return vgSplitsSurrogatePair(text, next) ? next + step : next;
}

void vgPopupEditMenu(IvgListMenu& menu, const TvgEditMenu& items, int x, int y) {
  const bool selected = !items.SelText.empty();
  const bool editable = !items.ReadOnly;
  IvgClipboard* clipboard = vgClipboard();
  const bool canPaste = editable && clipboard && !clipboard->AsText().empty();
  menu.Clear();
  if (items.Undo) menu.Add(u"Undo", false, items.CanUndo && editable, items.Undo);
  const bool copyable = selected && !items.Secret;
  menu.Add(u"Cut", false, copyable && editable, items.Cut);
  menu.Add(u"Copy", false, copyable, items.Copy);
  menu.Add(u"Paste", false, canPaste, items.Paste);
  menu.Add(u"Delete", false, selected && editable, items.Delete);
  menu.Add(u"Select All", false, items.SelText != items.Text, items.SelectAll);
  menu.Popup(x, y);
}


}  // namespace vg
