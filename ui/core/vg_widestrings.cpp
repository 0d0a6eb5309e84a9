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

void TvgWideStrings::AddStrings(const rtl::TStrings& source) {
  const int count = source.Count();
  Batch([&] {
    for (int i = 0; i < count; ++i) AddObject(rtl::Utf8ToUtf16(source.Strings(i)), source.Objects(i));
  });
}

void TvgWideStrings::Assign(const rtl::TStrings& source) {
  Batch([&] {
    Clear();
    AddStrings(source);
  });
}

void TvgWideStrings::AssignTo(rtl::TStrings& dest) const {
  dest.BeginUpdate();
  try {
    dest.Clear();
    for (int i = 0; i < Count(); ++i) dest.AddObject(rtl::Utf16ToUtf8(Get(i)), GetObject(i));
  } catch (...) {
    dest.EndUpdate();
    throw;
  }
  dest.EndUpdate();
}

void TvgWideStrings::SaveToAnsiFile(const std::string& fileName) const {
  rtl::TStringList lines;
  lines.SetText(rtl::Utf16ToUtf8(GetTextStr()));
  lines.SaveToFile(fileName);
}

}  // namespace vg
