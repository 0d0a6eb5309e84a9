#include "app/GovernorKeys.h"

#include <algorithm>

#include "app/CalcNumbers.h"
#include "platform/rtl/NumberText.h"
#include "platform/rtl/TextConvert.h"
#include "ui/core/vg_keys.h"

namespace app {
namespace {

constexpr double kInputCap = 300000;

std::optional<char16_t> DigitOfKey(std::uint16_t key) {
  if (key >= 48 && key <= 57) return static_cast<char16_t>(u'0' + (key - 48));
  if (key >= 96 && key <= 105) return static_cast<char16_t>(u'0' + (key - 96));
  return std::nullopt;
}

// The selection [start, start + length) kept inside the text.
struct Selection {
  int Start;
  int Length;
};

Selection ClampedSelection(const rtl::WideString& text, int start, int length) {
  const int size = static_cast<int>(text.size());
  const int first = std::clamp(start, 0, size);
  return {first, std::clamp(length, 0, size - first)};
}

// Backspace: the selection, or without one the last character.
void RemoveForBackspace(rtl::WideString& text, Selection selection) {
  if (selection.Length > 0)
    text.erase(static_cast<std::size_t>(selection.Start), static_cast<std::size_t>(selection.Length));
  else if (!text.empty())
    text.pop_back();
}

void ReplaceSelection(rtl::WideString& text, Selection selection, char16_t character) {
  text.replace(static_cast<std::size_t>(selection.Start), static_cast<std::size_t>(selection.Length), 1, character);
}

}  // namespace

std::optional<TypedText> TypeIntoInput(const rtl::WideString& text, int selStart, int selLength,
                                       std::uint16_t key) {
  rtl::WideString edited = text;
  const Selection selection = ClampedSelection(edited, selStart, selLength);
  int start = selection.Start;
  if (const auto digit = DigitOfKey(key)) {
    ReplaceSelection(edited, selection, *digit);
  } else if (key == vg::kKeyBack) {
    RemoveForBackspace(edited, selection);
    start -= selection.Length + 1;
  }
  std::string number = edited.empty() ? "0" : rtl::Utf16ToUtf8(edited);
  if (double value = 0; rtl::TryStrToFloat(number, value) && value > kInputCap) number = "300000";
  int whole = 0;
  if (!rtl::TryStrToInt(number, whole)) return std::nullopt;
  TypedText typed{rtl::W(rtl::IntToStr(whole)), 0};
  typed.Caret = std::clamp(start + 1, 0, static_cast<int>(typed.Text.size()));
  return typed;
}

std::optional<TypedText> TypeIntoCellVoltage(const rtl::WideString& text, int selStart, int selLength,
                                             std::uint16_t key, char16_t keyChar) {
  rtl::WideString edited = text;
  if (edited == u"Other")
    edited = u"0";
  else if (edited.find(u'V') != rtl::WideString::npos)
    edited.pop_back();
  const Selection selection = ClampedSelection(edited, selStart, selLength);
  if (const auto digit = DigitOfKey(key)) {
    ReplaceSelection(edited, selection, *digit);
  } else if (keyChar == u'.') {
    if (edited.find(u'.') == rtl::WideString::npos) edited += u'.';
  } else if (key == vg::kKeyBack) {
    RemoveForBackspace(edited, selection);
  }
  if (edited.empty()) edited = u"0";
  if (keyChar != u'.') {
    double value = 0;
    if (!rtl::TryStrToFloat(rtl::Utf16ToUtf8(edited), value)) return std::nullopt;
    edited = rtl::W(GeneralText(value));
  }
  edited += u'V';
  return TypedText{edited, static_cast<int>(edited.size())};
}

}  // namespace app
