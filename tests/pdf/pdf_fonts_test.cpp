// Fonts: the standard width tables, the composite fonts' objects, the "W"
// parser, character widths and the Japanese code mappings.
#include <gtest/gtest.h>

#include "pdf/PdfFonts.h"
#include "pdf/PdfGBFonts.h"
#include "pdf/PdfJpFonts.h"
#include "platform/rtl/TextConvert.h"
#include "tests/pdf/pdf_test_support.h"

namespace pdf {
namespace {

using pdftest::DefinedValue;

class PdfFontsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    RegisterPdfClasses();
    doc.NewDoc();
  }
  int Width(const std::string& alias, std::u16string_view text, int pos = 1) {
    return doc.GetFont(alias)->GetCharWidth(text, pos);
  }
  TPdfDoc doc;
};

TEST_F(PdfFontsTest, StandardWidthRows) {
  struct Row {
    const char* alias;
    std::vector<int> codes32to47;
  };
  const Row rows[] = {
      {"Arial", {278, 278, 355, 556, 556, 889, 667, 191, 333, 333, 389, 584, 278, 333, 278, 278}},
      {"Arial-Italic", {278, 278, 355, 556, 556, 889, 667, 191, 333, 333, 389, 584, 278, 333, 278, 278}},
      {"Arial-BoldItalic", {278, 333, 474, 556, 556, 889, 722, 238, 333, 333, 389, 584, 278, 333, 278, 278}},
      {"Times-Roman", {250, 333, 408, 500, 500, 833, 778, 180, 333, 333, 500, 564, 250, 333, 250, 278}},
      {"Times-Bold", {250, 333, 555, 500, 500, 1000, 833, 278, 333, 333, 500, 570, 250, 333, 250, 278}},
      {"Times-Italic", {250, 333, 420, 500, 500, 833, 778, 214, 333, 333, 500, 675, 250, 333, 250, 278}},
      {"Times-BoldItalic", {250, 389, 555, 500, 500, 833, 778, 278, 333, 333, 500, 570, 250, 333, 250, 278}},
  };
  for (const auto& row : rows) {
    for (int code = 32; code < 48; ++code) {
      const char16_t text[] = {static_cast<char16_t>(code), 0};
      EXPECT_EQ(Width(row.alias, text), row.codes32to47[static_cast<size_t>(code - 32)]) << row.alias << code;
    }
  }
}

TEST_F(PdfFontsTest, StandardWidthRules) {
  EXPECT_EQ(Width("Arial", u"A"), 667);
  EXPECT_EQ(Width("Arial", u"\u007F"), 0);
  EXPECT_EQ(Width("Times-Bold", u"\u007F"), 0);
  // Readers draw the no-break space as a space and the soft hyphen as a hyphen.
  for (const char* alias : {"Arial", "Arial-Bold", "Times-Roman", "Times-BoldItalic"}) {
    EXPECT_EQ(Width(alias, u"\u00A0"), Width(alias, u" ")) << alias;
    EXPECT_EQ(Width(alias, u"\u00AD"), Width(alias, u"-")) << alias;
  }
  // A character WinAnsi lacks is written, and measured, as "?".
  EXPECT_EQ(Width("Times-Bold", u"\u0081"), Width("Times-Bold", u"?"));
  EXPECT_EQ(Width("Arial", u"\u4E2D"), Width("Arial", u"?"));
  EXPECT_EQ(Width("Arial", u"\U0001F600", 1), Width("Arial", u"?"));  // the pair is written as one "?"
  EXPECT_EQ(Width("Arial", u"\U0001F600", 2), 0);
  EXPECT_EQ(Width("Arial", u"\u20ac"), 556);  // the Euro is code 128 in WinAnsi
  EXPECT_EQ(Width("Times-Italic", u"\u20ac"), 500);
  for (const char16_t code : {32, 127, 160, 255}) {
    const char16_t text[] = {code, 0};
    EXPECT_EQ(Width("FixedWidth-BoldItalic", text), 600);
  }
  // Helvetica dictionary: no Widths written, the resource name last.
  EXPECT_EQ(DefinedValue(doc.GetFont("Arial")->Data()),
            "<<\r\n/Type /Font\r\n/Subtype /Type1\r\n/Encoding /WinAnsiEncoding\r\n/FirstChar 32\r\n"
            "/LastChar 255\r\n/BaseFont /Helvetica\r\n/Name /F0\r\n>>");
}

TEST_F(PdfFontsTest, ChineseFontObjects) {
  doc.GetFont("Arial");
  TPdfFont* chinese = doc.GetFont("Chinese");
  const int n = chinese->Data()->ObjectNumber();
  EXPECT_EQ(n, 5);  // after catalog, information, pages and Helvetica
  EXPECT_EQ(DefinedValue(chinese->Data()),
            "<<\r\n/BaseFont /Chinese\r\n/DescendantFonts [6 0 R ]\r\n/Type /Font\r\n/Subtype /Type0\r\n"
            "/Encoding /GBK-EUC-H\r\n/Name /F1\r\n>>");
  EXPECT_EQ(DefinedValue(doc.Xref()->GetObject(6)),
            "<<\r\n/Type /Font\r\n/Subtype /CIDFontType2\r\n/WinCharSet /128\r\n/BaseFont /Chinese\r\n"
            "/CIDSystemInfo <<\r\n/Registry (Adobe)\r\n/Ordering (GB1)\r\n/Supplement 2\r\n>>\r\n/DW 1000\r\n"
            "/W [814 907 500 7716 7716 500 ]\r\n/FontDescriptor 7 0 R\r\n>>");
  EXPECT_EQ(DefinedValue(doc.Xref()->GetObject(7)),
            "<<\r\n/Type /FontDescriptor\r\n/FontName /Chinese\r\n/Ascent 859\r\n/CapHeight 859\r\n/Descent -141\r\n"
            "/MissingWidth 500\r\n/Flags 5\r\n/ItalicAngle 0\r\n/StemV 78\r\n/FontBBox [0 -141 1000 859 ]\r\n>>");
}

TEST_F(PdfFontsTest, ChineseCodeMapping) {
  const std::pair<int, int> codes[] = {
      {0x20, 7716}, {0x41, 846},    {0x7E, 907},  {0x09, 7716},  // ASCII, controls as the space
      {0xA3BA, 287}, {0xA1A1, 96},  {0xB0A1, 940},               // GB2312 rows
      {0x8140, 10072}, {0xFE80, 22094},                          // GBK beyond GB2312
      {0x80, 0},    {0xA2A0, 0},    {0xFFFF, 0},                 // no glyph
  };
  for (const auto& [code, cid] : codes) EXPECT_EQ(GBKCodeToCID(code), cid) << std::hex << code;
  EXPECT_EQ(GBCharToCID(u"\uFF1A", 1), 287);       // "：" is A3BA in GBK
  EXPECT_EQ(GBCharToCID(u"\U0001F600", 1), 844);   // written as "?"
  EXPECT_EQ(GBCharToCID(u"\U0001F600", 2), -1);
  const char16_t loneLow[] = {0xDE00, 0};
  EXPECT_EQ(GBCharToCID(loneLow, 1), 844);  // a lone low surrogate is a "?" too
}

TEST_F(PdfFontsTest, ChineseWidths) {
  auto* chinese = static_cast<TPdfType0Font*>(doc.GetFont("Chinese"));
  ASSERT_EQ(chinese->WidthRanges().size(), 2u);
  EXPECT_EQ(chinese->WidthRanges()[0].FStrCID, 814);
  EXPECT_EQ(chinese->WidthRanges()[0].FEndCID, 907);
  const std::pair<std::u16string, int> widths[] = {
      {u"\u4E2D", 1000},  // simplified
      {u"\u81FA", 1000},  // traditional, GBK only
      {u"\uFF1A", 1000},  // full-width colon
      {u"\uFF21", 1000},  // full-width A
      {u"\u03B1", 1000},  // Greek
      {u"\u3042", 1000},  // hiragana
      {u"A", 500},        {u" ", 500},
      {u"\u20AC", 500},   // written as "?"
      {u"\U0001F600", 500},
  };
  for (const auto& [text, width] : widths) EXPECT_EQ(chinese->GetCharWidth(text, 1), width) << rtl::Utf16ToUtf8(text);
  EXPECT_EQ(chinese->GetCharWidth(u"\U0001F600", 2), 0);
}

// A composite font whose "W" array the test supplies.
class WidthsFont : public TPdfGBFixedFont {
 public:
  WidthsFont(std::string alias, TPdfArray* widths) : TPdfGBFixedFont(std::move(alias)), widths_(widths) {}

 protected:
  void FillWidths(TPdfDictionary& descendant) override { descendant.AddItem("W", widths_); }
  std::string FontBaseName() const override { return "Test"; }

 private:
  TPdfArray* widths_;
};

TEST_F(PdfFontsTest, WidthArrayParsing) {
  auto make = [&](TPdfArray* widths) {
    WidthsFont font("Test", widths);
    font.Create(*doc.Xref());
    return font.WidthRanges();
  };
  auto* listForm = new TPdfArray(nullptr);
  listForm->AddItem(new TPdfNumber(1));
  listForm->AddItem(TPdfArray::CreateNumArray(nullptr, {500, 600}));
  const auto ranges = make(listForm);
  ASSERT_EQ(ranges.size(), 2u);
  EXPECT_EQ(ranges[0].FStrCID, 1);
  EXPECT_EQ(ranges[0].FWidth, 500);
  EXPECT_EQ(ranges[1].FStrCID, 2);
  EXPECT_EQ(ranges[1].FEndCID, 2);
  EXPECT_EQ(ranges[1].FWidth, 600);
  EXPECT_TRUE(make(TPdfArray::CreateNumArray(nullptr, {5})).empty());

  auto* badStart = new TPdfArray(nullptr);
  badStart->AddItem(new TPdfName("x"));
  EXPECT_THROW(make(badStart), EPdfInvalidValue);
  auto* badValue = TPdfArray::CreateNumArray(nullptr, {1});
  badValue->AddItem(new TPdfName("x"));
  EXPECT_THROW(make(badValue), EPdfInvalidValue);
  auto* badWidth = TPdfArray::CreateNumArray(nullptr, {1, 2});
  badWidth->AddItem(new TPdfNull());
  EXPECT_THROW(make(badWidth), EPdfInvalidValue);
}

TEST_F(PdfFontsTest, JapaneseMappingsAndDescriptors) {
  EXPECT_EQ(FixedCodeToCID(0x20), 231);
  EXPECT_EQ(ProportionalCodeToCID(0x20), 1);
  EXPECT_EQ(FixedCodeToCID(0xFC40), 8706);
  EXPECT_EQ(ProportionalCodeToCID(0xFC40), 8706);
  EXPECT_EQ(FixedCodeToCID(0x8140), 633);
  EXPECT_EQ(FixedCharToCID(u"\u3000", 1), 633);  // the ideographic space is 0x8140 in Shift-JIS
  EXPECT_EQ(FixedCharToCID(u"\U00020000", 2), -1);

  TPdfFont* font = doc.GetFont("PMincyo,BoldItalic");
  const auto* descendant = static_cast<TPdfDictionary*>(font->Data()->PdfArrayByName("DescendantFonts")->Items(0));
  const TPdfDictionary* descriptor = descendant->PdfDictionaryByName("FontDescriptor");
  EXPECT_EQ(descriptor->PdfNumberByName("Flags")->Value(), 262150);
  EXPECT_EQ(descriptor->PdfNumberByName("ItalicAngle")->Value(), -11);
  EXPECT_EQ(descriptor->PdfNumberByName("StemV")->Value(), 156);
  EXPECT_EQ(font->Data()->PdfNameByName("Encoding")->Value(), "90msp-RKSJ-H");
  EXPECT_EQ(font->GetCharWidth(u"!", 1), 219);
  EXPECT_EQ(doc.GetFont("Gothic")->GetCharWidth(u"!", 1), 500);
  EXPECT_EQ(doc.GetFont("Gothic")->GetCharWidth(u"\u3000", 1), 1000);  // CID 633: not in "W", so "DW"
}

}  // namespace
}  // namespace pdf
