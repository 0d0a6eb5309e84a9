// The page canvas: operator bytes, font selection, XObject drawing, the text
// state ranges, text measuring and the text boxes.
#include <gtest/gtest.h>

#include "pdf/PdfDoc.h"
#include "tests/pdf/pdf_test_support.h"

namespace pdf {
namespace {

using pdftest::ContentBytes;

class PdfCanvasTest : public ::testing::Test {
 protected:
  void SetUp() override {
    RegisterPdfClasses();
    doc.SetClock(pdftest::FixedClock());
    doc.NewDoc();
    doc.AddPage();
    canvas = doc.Canvas();
  }
  // The bytes written since the fresh page's "/F0 10 Tf".
  std::string Written() { return ContentBytes(doc).substr(10); }

  TPdfDoc doc;
  TPdfCanvas* canvas = nullptr;
};

TEST_F(PdfCanvasTest, FreshPageSelectsArial) {
  EXPECT_EQ(ContentBytes(doc), "/F0 10 Tf\n");
  EXPECT_EQ(pdftest::WrittenValue(TPdfDoc::PageResourceDict(canvas->Page(), "Font")), "<<\r\n/F0 6 0 R\r\n>>");
}

TEST_F(PdfCanvasTest, OperatorBytes) {
  const std::pair<std::function<void()>, std::string> cases[] = {
      {[&] { canvas->GSave(); }, "q\n"},
      // Negative values are rounded half up, then cut toward zero.
      {[&] { canvas->Concat(1, 0, 0, 1, 10.5f, -3); }, "1 0 0 1 10.5 -2.99 cm\n"},
      {[&] { canvas->SetFlat(3); }, "3 i\n"},
      {[&] { canvas->SetLineCap(TLineCapStyle::lcRound_End); }, "1 J\n"},
      {[&] {
         canvas->SetDash({0, 3}, 0);
       },
       "[] 0 d\n"},
      {[&] {
         canvas->SetDash({3, 2}, 1);
       },
       "[3 2 ] 1 d\n"},
      {[&] { canvas->SetLineJoin(TLineJoinStyle::ljBevelJoin); }, "2 j\n"},
      {[&] { canvas->SetLineWidth(0.25f); }, "0.25 w\n"},
      {[&] { canvas->SetMiterLimit(4); }, "4 M\n"},
      {[&] { canvas->MoveTo(1, 2); }, "1 2 m\n"},
      {[&] { canvas->LineTo(3, 4); }, "3 4 l\n"},
      {[&] { canvas->CurveToC(1, 2, 3, 4, 5, 6); }, "1 2 3 4 5 6 c\n"},
      {[&] { canvas->CurveToV(1, 2, 3, 4); }, "1 2 3 4 v\n"},
      {[&] { canvas->CurveToY(1, 2, 3, 4); }, "1 2 3 4 y\n"},
      {[&] { canvas->Rectangle(0, 0, 10, 20); }, "0 0 10 20 re\n"},
      {[&] {
         canvas->Closepath();
         canvas->NewPath();
         canvas->Stroke();
         canvas->ClosePathStroke();
       },
       "h\nn\nS\ns\n"},
      {[&] {
         canvas->Fill();
         canvas->Eofill();
         canvas->FillStroke();
         canvas->ClosepathFillStroke();
       },
       "f\nf*\nB\nb\n"},
      {[&] {
         canvas->EofillStroke();
         canvas->ClosepathEofillStroke();
         canvas->Clip();
         canvas->Eoclip();
       },
       "B*\nb*\nW\nW*\n"},
      {[&] { canvas->SetTextRenderingMode(TTextRenderingMode::trInvisible); }, "3 Tr\n"},
      {[&] { canvas->SetTextRise(2); }, "2 Ts\n"},
      {[&] {
         canvas->BeginText();
         canvas->EndText();
       },
       "BT\nET\n"},
      {[&] { canvas->MoveTextPoint(12.345f, 7); }, "12.35 7 Td\n"},
      {[&] { canvas->SetTextMatrix(1, 0, 0, 1, 100, 200); }, "1 0 0 1 100 200 Tm\n"},
      {[&] { canvas->MoveToNextLine(); }, "T*\n"},
      {[&] { canvas->ShowText(u"a(b"); }, "(a\\(b) Tj\n"},
      // A character outside the Basic Multilingual Plane becomes "?" alone.
      {[&] { canvas->ShowText(u"a\U0001F600b"); }, "(a?b) Tj\n"},
      {[&] { canvas->ShowTextNextLine(u"x"); }, "(x) '\n"},
      {[&] { canvas->ShowText(u"25\u00b0C \u20ac"); },
       "(25\xB0"
       "C \x80) Tj\n"},
      {[&] { canvas->ExecuteXObject("item 1"); }, "/item#201 Do\n"},
      {[&] { canvas->SetRGBFillColor(0x0000FF); }, "1 0 0 rg\n"},
      {[&] { canvas->SetRGBStrokeColor(0x80FFFF); }, "1 1 0.5 RG\n"},
      {[&] { canvas->SetRGBFillColor(-16777201); }, "0 0 0 rg\n"},
      {[&] {
         canvas->SetHorizontalScaling(100);
         canvas->SetHorizontalScaling(50);
       },
       "50 Tz\n"},
      {[&] { canvas->SetCharSpace(-30); }, "-29.99 Tc\n"},
      {[&] {
         canvas->SetWordSpace(2);
         canvas->SetLeading(12);
       },
       "2 Tw\n12 TL\n"},
  };
  for (const auto& [call, expected] : cases) {
    const size_t before = Written().size();
    call();
    EXPECT_EQ(Written().substr(before), expected);
  }
}

TEST_F(PdfCanvasTest, RangeFailuresWriteNothing) {
  try {
    canvas->SetCharSpace(-30.5f);
    FAIL();
  } catch (const EPdfInvalidValue& e) {
    EXPECT_STREQ(e.what(), "SetCharSpace --invalid char space");
  }
  EXPECT_THROW(canvas->SetWordSpace(-1), EPdfInvalidValue);
  EXPECT_THROW(canvas->SetHorizontalScaling(9), EPdfInvalidValue);
  EXPECT_THROW(canvas->SetLeading(301), EPdfInvalidValue);
  EXPECT_EQ(Written(), "");
  EXPECT_EQ(canvas->Attribute().CharSpace(), 0);
}

TEST_F(PdfCanvasTest, SetFontWritesOnlyOnChange) {
  canvas->SetFont("Chinese", 34);
  canvas->SetFont("Chinese", 34);
  canvas->SetFont("Chinese", 38);
  EXPECT_EQ(Written(), "/F1 34 Tf\n/F1 38 Tf\n");
  EXPECT_THROW(canvas->SetFont("Chinese", 301), EPdfInvalidValue);
}

TEST_F(PdfCanvasTest, ChineseTextIsWrittenInGbk) {
  canvas->SetFont("Chinese", 34);
  canvas->ShowText(u"\u901F\u5EA6 A\u8AA0");
  // Traditional characters are GBK too; the euro sign (GBK's lone 0x80, which
  // the font's encoding leaves without a glyph) and an emoji become "?".
  canvas->ShowText(u"\u81FA\u20AC\U0001F600\u4E2D");
  EXPECT_EQ(Written(), "/F1 34 Tf\n(\xCB\xD9\xB6\xC8 A\xD5\\\\) Tj\n(\xC5_??\xD6\xD0) Tj\n");
}

TEST_F(PdfCanvasTest, DrawXObjectListsItOnce) {
  doc.AddXObject("name", pdftest::MakeJpegXObject(4, 4, false));
  canvas->DrawXObject(100, 200, 300, 150, "name");
  canvas->DrawXObject(100, 200, 300, 150, "name");
  const std::string once = "q\n300 0 0 150 100 200 cm\n/name Do\nQ\n";
  EXPECT_EQ(Written(), once + once);
  EXPECT_EQ(TPdfDoc::PageResourceDict(canvas->Page(), "XObject")->ItemCount(), 1);
  canvas->DrawXObjectEx(0, 0, 10, 10, 1, 2, 3, 4, "name");
  EXPECT_EQ(Written().substr(2 * once.size()), "q\n1 2 3 4 re\nW\nn\n10 0 0 10 0 0 cm\n/name Do\nQ\n");
  try {
    canvas->DrawXObject(0, 0, 1, 1, "missing");
    FAIL();
  } catch (const EPdfInvalidValue& e) {
    EXPECT_STREQ(e.what(), "DrawXObject --XObject not found: missing");
  }
}

TEST_F(PdfCanvasTest, TextWidthAndMeasure) {
  canvas->SetFont("Arial", 10);
  TPdfCanvasAttribute& attr = canvas->Attribute();
  EXPECT_FLOAT_EQ(canvas->TextWidth(u""), 0);
  EXPECT_FLOAT_EQ(canvas->TextWidth(u"AA"), 13.34f);
  attr.SetCharSpace(1);
  attr.SetWordSpace(2);
  // A: 6.67 + 1, space: 2.78 + 1 + 2, A: 6.67 + 1, minus one char space.
  EXPECT_FLOAT_EQ(canvas->TextWidth(u"A A"), 20.12f);
  EXPECT_EQ(canvas->MeasureText(u"A A", 11), 1);
  EXPECT_EQ(canvas->MeasureText(u"A A", 100), 3);
  attr.SetHorizontalScaling(50);
  attr.SetCharSpace(0);
  attr.SetWordSpace(0);
  EXPECT_FLOAT_EQ(canvas->TextWidth(u"A"), 3.335f);
}

TEST(PdfCanvas, MeasuringWithoutFontIsRefused) {
  TPdfDoc doc;
  TPdfCanvas canvas(&doc);
  EXPECT_THROW(canvas.TextWidth(u"a"), EPdfInvalidOperation);
  EXPECT_THROW(canvas.MoveTo(1, 1), EPdfInvalidOperation);
}

TEST_F(PdfCanvasTest, TextRectCentresWithHalfEvenRounding) {
  canvas->SetFont("FixedWidth", 10);  // "AB" is 12 wide
  const size_t before = Written().size();
  canvas->TextRect({0, 100, 21, 0}, u"AB", TPdfAlignment::paCenter, false);
  canvas->TextRect({0, 100, 23, 0}, u"AB", TPdfAlignment::paCenter, false);
  // 4.5 rounds to 4, 5.5 to 6.
  EXPECT_EQ(Written().substr(before), "BT\n4 91.5 Td\n(AB) Tj\nET\nBT\n6 91.5 Td\n(AB) Tj\nET\n");
  canvas->SetFont("Arial", 100);  // "A" is 66.7 wide
  const size_t second = Written().size();
  canvas->TextRect({0, 100, 100, 0}, u"A", TPdfAlignment::paRightJustify, true);
  EXPECT_EQ(Written().substr(second), "q\n0 100 m\n0 0 l\n100 0 l\n100 100 l\nh\nW\nn\nBT\n33 15 Td\n(A) Tj\nET\nQ\n");
}

TEST_F(PdfCanvasTest, MultilineTextWrapsAndBreaks) {
  canvas->SetFont("FixedWidth", 10);  // 6 per character
  canvas->SetLeading(12);
  const size_t before = Written().size();
  canvas->MultilineTextRect({0, 100, 40, 0}, u"aaa bbb ccc\r\ndd", true);
  EXPECT_EQ(Written().substr(before), "BT\n0 91.5 Td\n(aaa ) Tj\nT*\n(bbb ) Tj\nT*\n(ccc) Tj\nT*\n(dd) Tj\nET\n");
  size_t index = 0;
  EXPECT_EQ(TPdfCanvas::GetNextWord(u"ab\rc\r\nd e", index), u"ab\rc\r\n");
  EXPECT_EQ(TPdfCanvas::GetNextWord(u"ab\rc\r\nd e", index), u"d ");
}

TEST_F(PdfCanvasTest, EllipsePath) {
  canvas->Ellipse(0, 0, 40, 20);
  EXPECT_EQ(Written(), "0 10 m\n0 4.5 9 0 20 0 c\n31 0 40 4.5 40 10 c\n40 15.5 31 20 20 20 c\n9 20 0 15.5 0 10 c\n");
}

TEST_F(PdfCanvasTest, PagesKeepTheirTextState) {
  canvas->SetFont("Times-Bold", 20);
  canvas->SetLeading(14);
  TPdfDictionary* first = canvas->Page();
  doc.AddPage();
  EXPECT_EQ(ContentBytes(doc), "/F0 10 Tf\n");
  EXPECT_EQ(canvas->Attribute().Leading(), 0);
  EXPECT_EQ(first->PdfNameByName("_Font")->Value(), "Times-Bold");
  EXPECT_EQ(pdftest::WrittenValue(first).find("_Font"), std::string::npos);
  canvas->SetPage(first);
  EXPECT_EQ(canvas->Attribute().Font()->Name(), "Times-Bold");
  EXPECT_EQ(canvas->Attribute().FontSize(), 20);
  EXPECT_EQ(canvas->Attribute().Leading(), 14);
}

TEST_F(PdfCanvasTest, VirtualModeWritesNoOperators) {
  doc.SetVirtualMode();
  canvas = doc.Canvas();
  canvas->SetFont("Arial-Bold", 12);
  canvas->MoveTo(1, 1);
  EXPECT_EQ(ContentBytes(doc), "/F0 10 Tf\n");
  EXPECT_EQ(canvas->Attribute().FontSize(), 12);
}

TEST_F(PdfCanvasTest, PageSize) {
  EXPECT_EQ(canvas->PageWidth(), 596);
  canvas->SetPageHeight(500);
  EXPECT_EQ(canvas->PageHeight(), 500);
  canvas->Page()->RemoveItem("MediaBox");
  EXPECT_EQ(canvas->PageHeight(), 842);
  try {
    canvas->SetPageWidth(10);
    FAIL();
  } catch (const EPdfInvalidOperation& e) {
    EXPECT_STREQ(e.what(), "Can not chenge width of this page..");
  }
}

}  // namespace
}  // namespace pdf
