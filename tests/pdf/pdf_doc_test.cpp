// The document layer: the new-document bytes, numbering, page tree, fonts,
// image registration and the document's errors.
#include <gtest/gtest.h>

#include "pdf/PdfDoc.h"
#include "pdf/PdfGBFonts.h"
#include "tests/pdf/pdf_test_support.h"

namespace pdf {
namespace {

using pdftest::DefinedValue;
using pdftest::FixedClock;
using pdftest::SavedBytes;
using pdftest::WrittenValue;

class PdfDocTest : public ::testing::Test {
 protected:
  void SetUp() override {
    RegisterPdfClasses();
    doc.SetClock(FixedClock());
  }
  TPdfDoc doc;
};

TEST_F(PdfDocTest, NewDocumentWithOneEmptyPageIsByteExact) {
  doc.NewDoc();
  doc.AddPage();
  const std::string expected =
      "%PDF-1.2 \r\n"
      "1 0 obj\r\n<<\r\n/Type /Catalog\r\n/Pages 3 0 R\r\n>>\r\nendobj\r\n"
      "2 0 obj\r\n<<\r\n/Producer (PdfWrite version 0.9)\r\n/CreationDate (D:20260102030405)\r\n"
      "/ModDate (D:20260102030405)\r\n>>\r\nendobj\r\n"
      "3 0 obj\r\n<<\r\n/Type /Pages\r\n/Kids [4 0 R ]\r\n/Count 1\r\n>>\r\nendobj\r\n"
      "4 0 obj\r\n<<\r\n/Type /Page\r\n/Parent 3 0 R\r\n/MediaBox [0 0 596 842 ]\r\n"
      "/Resources <<\r\n/Font <<\r\n/F0 6 0 R\r\n>>\r\n/XObject <<\r\n>>\r\n/ProcSet [/PDF /Text /ImageC ]\r\n>>\r\n"
      "/Contents 5 0 R\r\n>>\r\nendobj\r\n"
      "5 0 obj\r\n<<\r\n/Length 10\r\n/Filter []\r\n>>\r\nstream\r\n/F0 10 Tf\n\nendstream\r\nendobj\r\n"
      "6 0 obj\r\n<<\r\n/Type /Font\r\n/Subtype /Type1\r\n/Encoding /WinAnsiEncoding\r\n/FirstChar 32\r\n"
      "/LastChar 255\r\n/BaseFont /Helvetica\r\n/Name /F0\r\n>>\r\nendobj\r\n"
      "xref\r\n0 7\r\n"
      "0000000000 65535 f\r\n0000000011 00000 n\r\n0000000066 00000 n\r\n0000000188 00000 n\r\n"
      "0000000253 00000 n\r\n0000000442 00000 n\r\n0000000521 00000 n\r\n"
      "trailer\r\n<<\r\n/Size 7\r\n/Root 1 0 R\r\n/Info 2 0 R\r\n>>\r\nstartxref\r\n667\r\n%%EOF\r\n";
  const std::string bytes = SavedBytes(doc);
  EXPECT_EQ(bytes, expected);
  EXPECT_EQ(bytes.size(), 893u);
}

TEST_F(PdfDocTest, SavingAgainMovesModDateLastAndKeepsOne) {
  doc.NewDoc();
  doc.AddPage();
  SavedBytes(doc);
  doc.Info()->SetTitle(u"T");
  SavedBytes(doc);
  const TPdfDictionary* info = doc.Info()->Data();
  ASSERT_EQ(info->ItemCount(), 4);
  EXPECT_EQ(info->Items(0)->Key(), "Producer");
  EXPECT_EQ(info->Items(2)->Key(), "Title");
  EXPECT_EQ(info->Items(3)->Key(), "ModDate");
  EXPECT_EQ(doc.Info()->CreationDate(), pdftest::kFixedTime);
}

TEST_F(PdfDocTest, SaveWritesFromStartAndKeepsLongerTail) {
  doc.NewDoc();
  doc.AddPage();
  rtl::TStringStream stream(std::string(1000, 'x'));
  stream.SetPosition(500);
  doc.SaveToStream(stream);
  EXPECT_EQ(stream.DataString().substr(0, 9), "%PDF-1.2 ");
  EXPECT_EQ(stream.DataString().substr(893), std::string(107, 'x'));
}

TEST_F(PdfDocTest, OutlinesTakeNumberTwo) {
  doc.SetUseOutlines(true);
  doc.NewDoc();
  EXPECT_EQ(doc.OutlineRoot()->Data()->ObjectNumber(), 2);
  EXPECT_EQ(doc.Info()->Data()->ObjectNumber(), 3);
  EXPECT_EQ(doc.Root()->Pages()->ObjectNumber(), 4);
  EXPECT_EQ(DefinedValue(doc.Root()->Data()), "<<\r\n/Type /Catalog\r\n/Outlines 2 0 R\r\n/Pages 4 0 R\r\n>>");
}

TEST_F(PdfDocTest, ReportPageSizeAndObjectOrder) {
  doc.SetDefaultPageWidth(2479);
  doc.SetDefaultPageHeight(4508);
  doc.NewDoc();
  doc.AddPage();
  doc.AddXObject("ListBoxItem2", pdftest::MakeJpegXObject(8, 8, false));
  doc.Canvas()->SetFont("Chinese", 34);
  doc.Canvas()->SetFont("Arial-BoldItalic", 38);
  doc.SetDefaultPageWidth(100);  // later pages only
  const TPdfXref& xref = *doc.Xref();
  EXPECT_EQ(WrittenValue(doc.Canvas()->Page()->ValueByName("MediaBox")), "[0 0 2479 4508 ]");
  EXPECT_EQ(DictionaryTypeName(static_cast<TPdfDictionary*>(xref.GetItem(6)->Value())), "Font");
  EXPECT_NE(dynamic_cast<TPdfImage*>(xref.GetItem(7)->Value()), nullptr);
  EXPECT_EQ(static_cast<TPdfDictionary*>(xref.GetItem(8)->Value())->PdfNameByName("BaseFont")->Value(), "Chinese");
  EXPECT_EQ(static_cast<TPdfDictionary*>(xref.GetItem(11)->Value())->PdfNameByName("BaseFont")->Value(),
            "Helvetica-BoldOblique");
  EXPECT_EQ(xref.ItemCount(), 12);
}

TEST_F(PdfDocTest, GetFontTwiceRegistersOneObject) {
  doc.NewDoc();
  TPdfFont* first = doc.GetFont("Times-Roman");
  const int count = doc.Xref()->ItemCount();
  EXPECT_EQ(doc.GetFont("Times-Roman"), first);
  EXPECT_EQ(doc.Xref()->ItemCount(), count);
  EXPECT_THROW(doc.GetFont("NoSuchFont"), rtl::EClassNotFound);
}

TEST_F(PdfDocTest, XObjectRegistration) {
  doc.NewDoc();
  doc.AddPage();
  doc.AddXObject("pic", pdftest::MakeJpegXObject(4, 4, false));
  std::unique_ptr<TPdfXObject> second(pdftest::MakeJpegXObject(4, 4, false));
  try {
    doc.AddXObject("pic", second.get());
    FAIL();
  } catch (const rtl::Exception& e) {
    EXPECT_STREQ(e.what(), "AddImage --the image named pic is already exists..");
  }
  second->Attributes()->AddNameItem("Subtype", "Form");
  try {
    doc.AddXObject("other", second.get());
    FAIL();
  } catch (const rtl::Exception& e) {
    EXPECT_STREQ(e.what(), "AddImage --the image is not valid TPdfImage..");
  }
  EXPECT_EQ(doc.GetXObject("pic")->Attributes()->PdfNameByName("Name")->Value(), "pic");
  EXPECT_EQ(doc.GetXObject("other"), nullptr);
}

TEST_F(PdfDocTest, ErrorsWithoutDocumentOrPage) {
  auto message = [](auto call) {
    try {
      call();
    } catch (const rtl::Exception& e) {
      return std::string(e.what());
    }
    return std::string("no exception");
  };
  rtl::TMemoryStream stream;
  EXPECT_EQ(message([&] { doc.SaveToStream(stream); }), "SaveToStream --there is no document to save.");
  EXPECT_EQ(message([&] { doc.Canvas(); }), "GetCanvas --Document is null");
  EXPECT_EQ(message([&] { doc.Info(); }), "GetInfo --this method can not use this state..");
  EXPECT_EQ(message([&] { doc.Root(); }), "GetRoot --this method can not use this state..");
  EXPECT_EQ(message([&] { doc.GetFont("Arial"); }), "GetFont --document is null.");
  EXPECT_EQ(message([&] { doc.CreateAnnotation(TPdfAnnotationSubType::asLink, {}); }),
            "AddAnotation --document is null.");
  doc.NewDoc();
  EXPECT_EQ(message([&] { doc.SaveToStream(stream); }), "GetPage --the Page is nil");
  EXPECT_EQ(message([&] { doc.OutlineRoot(); }), "GetOutlineRoot --not use outline mode..");
  EXPECT_EQ(message([&] { doc.Xref()->AddObject(doc.Info()->Data()); }), "AddObject --wrong object type.");
}

TEST_F(PdfDocTest, NewDocOnUsedDocumentStartsClean) {
  doc.NewDoc();
  doc.AddPage();
  doc.Canvas()->SetFont("Chinese", 34);
  doc.NewDoc();
  EXPECT_THROW(doc.Canvas()->Page(), EPdfInvalidOperation);
  EXPECT_EQ(doc.Canvas()->Attribute().Font(), nullptr);
  doc.AddPage();
  EXPECT_EQ(SavedBytes(doc).size(), 893u);
}

TEST_F(PdfDocTest, CatalogSettings) {
  doc.NewDoc();
  doc.AddPage();
  TPdfCatalog* root = doc.Root();
  EXPECT_EQ(root->PageLayout(), TPdfPageLayout::plSinglePage);
  root->SetPageLayout(TPdfPageLayout::plTwoColumnLeft);
  root->SetPageMode(TPdfPageMode::pmUseOutlines);
  root->SetNonFullScreenPageMode(TPdfPageMode::pmUseThumbs);
  root->SetViewerPreference({TPdfViewerPreference::vpFitWindow});
  EXPECT_EQ(root->PageLayout(), TPdfPageLayout::plTwoColumnLeft);
  EXPECT_EQ(root->NonFullScreenPageMode(), TPdfPageMode::pmUseThumbs);
  EXPECT_EQ(root->ViewerPreference(), TPdfViewerPreferences{TPdfViewerPreference::vpFitWindow});
  TPdfDestination* destination = doc.CreateDestination();
  destination->SetDestinationType(TPdfDestinationType::dtFitR);
  destination->SetRight(-5);
  root->SetOpenAction(destination);
  SavedBytes(doc);
  EXPECT_EQ(WrittenValue(root->Data()->ValueByName("OpenAction")), "[4 0 R /FitR 0 0 null 0 ]");
  EXPECT_THROW(destination->SetZoom(11), EPdfInvalidValue);
}

TEST_F(PdfDocTest, OutlineTreeIsLinkedAndCounted) {
  doc.SetUseOutlines(true);
  doc.NewDoc();
  doc.AddPage();
  TPdfOutlineEntry* chapter = doc.OutlineRoot()->AddChild();
  chapter->SetTitle(u"One");
  TPdfOutlineEntry* section = chapter->AddChild();
  TPdfOutlineEntry* second = doc.OutlineRoot()->AddChild();
  EXPECT_EQ(doc.OutlineRoot()->Count(), 3);
  EXPECT_EQ(chapter->Next(), second);
  EXPECT_EQ(second->Prev(), chapter);
  EXPECT_EQ(section->Parent(), chapter);
  SavedBytes(doc);
  EXPECT_EQ(DefinedValue(chapter->Data()), "<<\r\n/Count -1\r\n/Title (One)\r\n/Parent 2 0 R\r\n/First " +
                                               std::to_string(section->Data()->ObjectNumber()) + " 0 R\r\n/Last " +
                                               std::to_string(section->Data()->ObjectNumber()) + " 0 R\r\n/Next " +
                                               std::to_string(second->Data()->ObjectNumber()) + " 0 R\r\n>>");
  EXPECT_NE(DefinedValue(section->Data()).find("/Parent " + std::to_string(chapter->Data()->ObjectNumber()) + " 0 R"),
            std::string::npos);
}

}  // namespace
}  // namespace pdf
