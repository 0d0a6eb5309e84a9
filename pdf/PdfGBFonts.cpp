#include "pdf/PdfGBFonts.h"

#include "platform/rtl/TextConvert.h"

namespace pdf {

void TPdfGBFixedFont::Create(TPdfXref& xref) {
  CreateComposite(xref, "GB1", "GB-EUC-H");
  SetCharToCMap(GBCharToCID);
}

// Besides the half-width range 231..631, GB-EUC-H draws ASCII with CIDs
// 814..907 and the space with 7716: half width too, or Latin text inside
// Chinese captions is drawn spread out.
void TPdfGBFixedFont::FillWidths(TPdfDictionary& descendant) {
  descendant.AddItem(
      "W", TPdfArray::CreateNumArray(descendant.ObjectMgr(), {231, 631, 500, 814, 907, 500, 7716, 7716, 500}));
}

void TPdfChinese::FillDescriptor(TPdfDictionary& descriptor) {
  AddNumberEntries(descriptor, {{"Flags", 5}, {"ItalicAngle", 0}, {"StemV", 78}});
}

int GBCharToCID(std::u16string_view s, int index) {
  return rtl::IsLowSurrogate(s[static_cast<size_t>(index - 1)]) ? -1 : 0;
}

void RegisterGBFonts() { RegisterPdfFontClass<TPdfChinese>("Chinese"); }

}  // namespace pdf
