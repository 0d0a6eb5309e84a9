#include "ui/core/vg_widestrings.h"

#include "platform/rtl/TextCompare.h"
#include "platform/rtl/TextConvert.h"
#include "platform/rtl/TextFileEncoding.h"

namespace vg {

int WideListTraits::CompareStr(View a, View b) { return rtl::WideCompareStr(a, b); }

int WideListTraits::CompareText(View a, View b) { return rtl::WideCompareText(a, b); }

std::size_t WideListTraits::LineBreakAt(View text, std::size_t pos) {
  switch (text[pos]) {
    case u'\r':
      return pos + 1 < text.size() && text[pos + 1] == u'\n' ? 2 : 1;
    case u'\n':
    case u'\v':
    case u'\f':
    case u'\u2028':
    case u'\u2029':
      return 1;
    default:
      return 0;
  }
}

WideString WideListTraits::DecodeText(const rtl::TBytes& bytes) { return rtl::TextBytesToUtf16(bytes); }

rtl::TBytes WideListTraits::EncodeText(View text) { return rtl::Utf16ToBomBytes(text); }

WideString WideListTraits::ReadItem(rtl::TReader& reader) { return reader.ReadWideString(); }

void WideListTraits::WriteItem(rtl::TWriter& writer, View item) { writer.WriteWideString(item); }

void TvgWideStrings::AddStrings(const rtl::TStrings& source) {
  const int count = source.Count();
  Batch([&] {
    for (int i = 0; i < count; ++i) AddObject(rtl::Utf8ToUtf16(source.Strings(i)), source.Objects(i));
  });
}

void TvgWideStrings::Assign(const rtl::TPersistent* source) {
  const auto* strings = dynamic_cast<const rtl::TStrings*>(source);
  if (!strings) return BasicStrings::Assign(source);
  Batch([&] {
    Clear();
    AddStrings(*strings);
  });
}

void TvgWideStrings::AssignTo(rtl::TPersistent* dest) const {
  auto* strings = dynamic_cast<rtl::TStrings*>(dest);
  if (!strings) return BasicStrings::AssignTo(dest);
  strings->BeginUpdate();
  try {
    strings->Clear();
    for (int i = 0; i < Count(); ++i) strings->AddObject(rtl::Utf16ToUtf8(Get(i)), GetObject(i));
  } catch (...) {
    strings->EndUpdate();
    throw;
  }
  strings->EndUpdate();
}

void TvgWideStrings::SaveToAnsiFile(const std::string& fileName) const {
  rtl::TStringList lines;
  lines.SetText(rtl::Utf16ToUtf8(GetTextStr()));
  lines.SaveToFile(fileName);
}

}  // namespace vg
