#pragma once
// The text form of component streams and its conversion to and from the
// binary form ("TPF0", Filer.h).
//
//   object Form1: TForm1            (only the class when the name is empty;
//     Caption = 'Settings'#13#10     "inherited" / "inline" for prefixed
//     Width = 320                    components, " [n]" for a child position)
//     Fill.Color = '#FF2B2B2B'
//     Anchors = [akLeft, akTop]
//     Strings = (
//       'one'
//       'two')
//     Points = <
//       item
//         Offset = 0.5
//       end>
//     PNG = {
//       89504E47}
//     object Button1: TButton
//       OnClick = Button1Click
//     end
//   end
//
// Two spaces indent each level. Strings are quoted runs ('' for a quote)
// joined with #<code> for characters below 32 and at or above 128 (UTF-16
// code units); the reader also takes raw UTF-8 inside quotes and joins
// chunks with "+". Numbers use "."; floats always carry a "." or an
// exponent, with a suffix s (single), c (currency), d (date) or f (double)
// for the tags other than extended. Text is UTF-8.
//
// Malformed input raises EReadError; a text error names its place as
// "<line>:<column>: <reason>".
//
// The text-to-binary conversion can also list where each component header
// and each property of the binary form came from in the text, so that a
// reader can name the place of an error found later ("<file>:12:5: ...").
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/rtl/Streams.h"

namespace rtl {

// The component header or property starting `offset` bytes into the binary
// form came from this line and column (from 1) of the text.
struct TTextPlace {
  std::uint32_t offset;
  std::uint32_t line;
  std::uint32_t column;
};

// The places of one converted text, sorted by offset; the entries are not
// owned and must outlive this view. `source` names the text (a file name).
struct TTextPlaces {
  std::string source;
  const TTextPlace* entries = nullptr;
  std::size_t count = 0;

  bool Empty() const { return count == 0; }
  // "<source>:<line>:<column>" of the last entry at or before `offset`.
  std::string Describe(std::int64_t offset) const;
};

// Converts one component stream at the input's position; output is appended.
void ObjectBinaryToText(TStream& input, TStream& output);
// With `places`, it receives the place of every component header and
// property, offsets counted from the output's position at the call.
void ObjectTextToBinary(TStream& input, TStream& output, std::vector<TTextPlace>* places = nullptr);

}  // namespace rtl
