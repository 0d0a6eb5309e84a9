#include "ui/controls/vg_textedit.h"

#include <algorithm>

#include "platform/rtl/TextCase.h"

namespace vg {
namespace {

gui::IClipboard* gClipboard = nullptr;

}  // namespace

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

void vgSetEditClipboard(gui::IClipboard* clipboard) { gClipboard = clipboard; }
gui::IClipboard* vgEditClipboard() { return gClipboard; }

}  // namespace vg
