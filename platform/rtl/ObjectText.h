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
#include "platform/rtl/Streams.h"

namespace rtl {

// Converts one component stream at the input's position; output is appended.
void ObjectBinaryToText(TStream& input, TStream& output);
void ObjectTextToBinary(TStream& input, TStream& output);

}  // namespace rtl
