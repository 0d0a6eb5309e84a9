#include "pdf/PdfGBFonts.h"

#include <algorithm>
#include <array>

#include "platform/rtl/TextConvert.h"

namespace pdf {

namespace {

#include "pdf/PdfGBCidRanges.inc"

// GBK-EUC-H draws the control codes 0x00..0x1F with the space's CID.
constexpr int kControlCodeCid = 7716;

std::string GbkText(std::u16string_view text) {
  std::string bytes = rtl::Utf16ToCodePage(text, "GBK");
  for (size_t i = 0; i < bytes.size(); ++i) {
    const auto byte = static_cast<unsigned char>(bytes[i]);
    if (byte == 0x80) {
      bytes[i] = '?';
    } else if (byte > 0x80) {
      ++i;  // the lead byte of a pair
    }
  }
  return bytes;
}

}  // namespace

std::string TPdfGBFont::EncodeText(std::u16string_view text) const { return GbkText(text); }

void TPdfGBFixedFont::Create(TPdfXref& xref) {
  CreateComposite(xref, "GB1", "GBK-EUC-H");
  SetCharToCMap(GBCharToCID);
}

// GBK-EUC-H draws ASCII with CIDs 814..907 and the space with 7716, half
// width; every other glyph of the collection is full width ("DW").
void TPdfGBFixedFont::FillWidths(TPdfDictionary& descendant) {
  descendant.AddItem("W", TPdfArray::CreateNumArray(descendant.ObjectMgr(), {814, 907, 500, 7716, 7716, 500}));
}

void TPdfChinese::FillDescriptor(TPdfDictionary& descriptor) {
  AddNumberEntries(descriptor, {{"Flags", 5}, {"ItalicAngle", 0}, {"StemV", 78}});
}

int GBKCodeToCID(int code) {
  if (code >= 0 && code < 0x20) return kControlCodeCid;
  const auto row = std::upper_bound(kGBKCidRanges.begin(), kGBKCidRanges.end(), code,
                                    [](int value, const TPdfCodeRange& range) { return value < range.firstCode; });
  if (row == kGBKCidRanges.begin()) return 0;
  const TPdfCodeRange& range = *std::prev(row);
  return code <= range.lastCode ? range.firstCid + (code - range.firstCode) : 0;
}

int GBCharToCID(std::u16string_view s, int index) {
  const int code = CharCodeAt(s, index, GbkText);
  return code < 0 ? -1 : GBKCodeToCID(code);
}

void RegisterGBFonts() { RegisterPdfFontClass<TPdfChinese>("Chinese"); }

}  // namespace pdf
