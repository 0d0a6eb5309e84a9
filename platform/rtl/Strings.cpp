#include "platform/rtl/Strings.h"

#include "platform/rtl/TextCompare.h"
#include "platform/rtl/TextFileEncoding.h"

namespace rtl {

int Utf8ListTraits::CompareStr(View a, View b) { return rtl::CompareStr(a, b); }

int Utf8ListTraits::CompareText(View a, View b) { return rtl::AnsiCompareText(a, b); }

void Utf8ListTraits::ListError(TListFault fault, int index) {
  switch (fault) {
    case TListFault::SortedList:
      throw EListError("Operation not allowed on sorted list");
    case TListFault::Duplicate:
      throw EListError("String list does not allow duplicates");
    case TListFault::CapacityOutOfBounds:
      throw EListError(Format("List capacity out of bounds (%d)", index));
    case TListFault::IndexOutOfBounds:
      break;
  }
  throw EListError(Format("List index out of bounds (%d)", index));
}

std::size_t Utf8ListTraits::LineBreakAt(View text, std::size_t pos) {
  if (text[pos] == '\r') return pos + 1 < text.size() && text[pos + 1] == '\n' ? 2 : 1;
  return text[pos] == '\n' ? 1 : 0;
}

std::string Utf8ListTraits::DecodeText(const TBytes& bytes) { return TextBytesToUtf8(bytes); }

TBytes Utf8ListTraits::EncodeText(View text) { return TBytes(text.begin(), text.end()); }

std::string Utf8ListTraits::ReadItem(TReader& reader) { return reader.ReadString(); }

void Utf8ListTraits::WriteItem(TWriter& writer, View item) { writer.WriteString(item); }

}  // namespace rtl
