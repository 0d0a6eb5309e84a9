#pragma once
// The toolkit's lists of UTF-16 texts, each paired with an object reference
// that the list never owns (combo and list box items, memo lines, the
// translation dictionary).
//
// TvgWideStrings is the abstract list: Get, GetCount and Insert are its
// primitives, everything else (name=value access, comma and line text, files
// and streams, copies to and from the class library's TStrings) is built on
// them. TvgWideStringList keeps the items in an array, optionally sorted,
// with OnChanging/OnChange events.
//
// Where these lists differ from the class library's:
//   - Misuse never raises. An index outside the list reads as an empty text
//     (or no object) and changes nothing; Insert or Put on a sorted list and
//     Add of a duplicate in dupError mode go on as if allowed.
//   - Line text splits also at VT, FF, U+2028 and U+2029; delimited text
//     ending in a comma gives no last empty item.
//   - Files are written as FF FE and UTF-16 little-endian. Reading takes
//     UTF-16 after FF FE (or FE FF, big-endian), UTF-8 after EF BB BF, and
//     otherwise UTF-8 when valid, else Windows-1252. LoadFromFile swallows
//     every error, leaving the list as far as the load got.
//   - In component streams the texts are the defined property "strings",
//     a list of wide-string values.
#include <string>

#include "platform/rtl/StringListCore.h"
#include "platform/rtl/Strings.h"

namespace vg {

using rtl::TObject;
using rtl::WideChar;
using rtl::WideString;

struct WideListTraits {
  using String = WideString;
  using View = std::u16string_view;
  static constexpr bool kTrailingDelimiterAddsItem = false;
  static constexpr bool kLoadFromFileSwallowsErrors = true;
  static constexpr const char* kStreamPropertyName = "strings";

  static int CompareStr(View a, View b);
  static int CompareText(View a, View b);
  static void ListError(rtl::TListFault, int) {}
  static std::size_t LineBreakAt(View text, std::size_t pos);
  static String DecodeText(const rtl::TBytes& bytes);
  static rtl::TBytes EncodeText(View text);
  static String ReadItem(rtl::TReader& reader);
  static void WriteItem(rtl::TWriter& writer, View item);
};

class TvgWideStrings : public rtl::BasicStrings<WideListTraits> {
  RTL_CLASS(TvgWideStrings, rtl::TPersistent)

  using BasicStrings::AddStrings;
  using BasicStrings::SetText;

  // A zero-terminated text; nullptr clears the list.
  void SetText(const WideChar* text) { SetTextStr(text ? View(text) : View()); }

  // Copies from the class library's UTF-8 lists too, objects included.
  void AddStrings(const rtl::TStrings& source);
  void Assign(const rtl::TPersistent* source) override;

  // Saves the lines through a class-library TStringList: UTF-8, CR LF.
  void SaveToAnsiFile(const std::string& fileName) const;

 protected:
  // Copies into a class-library TStrings, objects included.
  void AssignTo(rtl::TPersistent* dest) const override;
};

class TvgWideStringList : public rtl::BasicStringList<TvgWideStrings> {
  RTL_CLASS(TvgWideStringList, TvgWideStrings)
};

}  // namespace vg
