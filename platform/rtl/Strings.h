#pragma once
// The class library's string lists of UTF-8 texts, each paired with an
// object reference that the list never owns.
//
// TStrings is the abstract list (Get, GetCount and Insert are its
// primitives); TStringList keeps the items in an array, optionally sorted
// (Sorted, Duplicates, CaseSensitive), with OnChanging/OnChange events.
// Texts:
//   Text         the items joined by CR LF; read back split at CR, LF or CR LF.
//   CommaText    items joined by ","; an item holding a blank, a control
//                character, a double quote or a comma is quoted with double
//                quotes doubled inside; reading skips blanks around items.
//   DelimitedText the same with Delimiter and QuoteChar; StrictDelimiter
//                splits at the delimiter only, keeping blanks.
//   Names/Values/ValueFromIndex/IndexOfName   items of the form name=value.
// In component streams the texts are the defined property "Strings".
// Files and streams are UTF-8 (written without a byte-order mark; read with
// or without one, UTF-16 with a mark, anything else as GBK).
//
// Misuse raises EListError: "List index out of bounds (%d)", "List capacity
// out of bounds (%d)" (a capacity below the count), "Operation not
// allowed on sorted list" (Insert or a text change in a sorted list) and
// "String list does not allow duplicates" (dupError). LoadFromFile raises
// the file stream's errors; SaveToFile writes through WriteFileBytes
// (AtomicFile.h) and raises its errors.
#include <string>
#include <string_view>

#include "platform/rtl/StringListCore.h"

namespace rtl {

struct Utf8ListTraits {
  using String = std::string;
  using View = std::string_view;
  static constexpr bool kTrailingDelimiterAddsItem = true;
  static constexpr bool kLoadFromFileSwallowsErrors = false;
  static constexpr const char* kStreamPropertyName = "Strings";

  static int CompareStr(View a, View b);
  static int CompareText(View a, View b);
  [[noreturn]] static void ListError(TListFault fault, int index);
  static std::size_t LineBreakAt(View text, std::size_t pos);
  static String DecodeText(const TBytes& bytes);
  static TBytes EncodeText(View text);
  static String ReadItem(TReader& reader);
  static void WriteItem(TWriter& writer, View item);
};

class TStrings : public BasicStrings<Utf8ListTraits> {
  RTL_CLASS(TStrings, TPersistent)

  char Delimiter() const { return delimiter_; }
  void SetDelimiter(char delimiter) { delimiter_ = delimiter; }
  char QuoteChar() const { return quoteChar_; }
  void SetQuoteChar(char quoteChar) { quoteChar_ = quoteChar; }
  bool StrictDelimiter() const { return strictDelimiter_; }
  void SetStrictDelimiter(bool strict) { strictDelimiter_ = strict; }

  std::string DelimitedText() const { return DelimitedTextWith(delimiter_, quoteChar_, strictDelimiter_); }
  void SetDelimitedText(std::string_view text) {
    SetDelimitedTextWith(text, delimiter_, quoteChar_, strictDelimiter_);
  }

 private:
  char delimiter_ = ',';
  char quoteChar_ = '"';
  bool strictDelimiter_ = false;
};

class TStringList : public BasicStringList<TStrings> {
  RTL_CLASS(TStringList, TStrings)
};

}  // namespace rtl
