// Serialisation rules of the value model: numbers, names, strings, key
// order, streams, references and dates.
#include <gtest/gtest.h>

#include <clocale>

#include "pdf/PdfTypes.h"
#include "tests/pdf/pdf_test_support.h"

namespace pdf {
namespace {

using pdftest::WrittenValue;

std::string Written(TPdfObject* object) {
  std::unique_ptr<TPdfObject> owned(object);
  return WrittenValue(owned.get());
}

// A manager that only hands out numbers; the test keeps the objects.
class CountingMgr : public TPdfObjectMgr {
 public:
  void AddObject(TPdfObject* object) override { object->SetObjectNumber(next_++); }
  TPdfObject* GetObject(int) override { return nullptr; }

 private:
  int next_ = 7;
};

TEST(PdfTypes, ScalarForms) {
  const std::pair<TPdfObject*, std::string> cases[] = {
      {new TPdfNull(), "null"},
      {new TPdfBoolean(true), "true"},
      {new TPdfBoolean(false), "false"},
      {new TPdfNumber(-42), "-42"},
      {new TPdfNumber(0), "0"},
      {new TPdfReal(0.5), "0.5"},
      {new TPdfReal(-2.25), "-2.25"},
      {new TPdfReal(1.0 / 3), "0.333333333333333"},
      {new TPdfReal(596), "596"},
      {new TPdfReal(0.000001), "0.000001"},
      {new TPdfReal(1e15), "1000000000000000"},
      {new TPdfReal(-123456789012345678e3), "-123456789012346000000"},
      {new TPdfReal(1.5e300), "15" + std::string(299, '0')},
      {new TPdfReal(-0.0), "0"},
      {new TPdfName("A B"), "/A#20B"},
      {new TPdfName("a/b c"), "/a#2Fb#20c"},
      {new TPdfName("Name09"), "/Name09"},
      {new TPdfName("x#%()<>[]{}"), "/x#23#25#28#29#3C#3E#5B#5D#7B#7D"},
      {new TPdfName("\xC3\x88"), "/#C8"},
      {new TPdfName("\xE4\xB8\xAD"), "/#E4#B8#AD"},
      {new TPdfString(u"a(b\\c\nd)"), "(a\\(b\\\\c\\nd\\))"},
      {new TPdfString(u"\r\t\b\f"), "(\\r\\t\\b\\f)"},
      {new TPdfString(u"a\U0001F600b"), "(a?b)"},
      // Text strings: PDFDocEncoding when every character has a code there,
      // else UTF-16BE after the byte-order mark.
      {new TPdfText(u"caf\u00e9"), "(caf\xE9)"},
      {new TPdfText(u"\u20AC\u2022\u02D8\u017E (x)"), "(\xA0\x80\x18\x9E \\(x\\))"},
      {new TPdfText(u"\u5F20\u4E09"), "<FEFF5F204E09>"},
      {new TPdfText(u"\U0001F600A"), "<FEFFD83DDE000041>"},
      {new TPdfText(u"a\u00AD"), "<FEFF006100AD>"},
      // Bytes FE FF first would read as a byte-order mark.
      {new TPdfText(u"\u00FE\u00FFx"), "<FEFF00FE00FF0078>"},
  };
  for (const auto& [object, expected] : cases) EXPECT_EQ(Written(object), expected);
}

TEST(PdfTypes, RealsIgnoreTheLocale) {
  if (!std::setlocale(LC_NUMERIC, "de_DE.UTF-8")) GTEST_SKIP() << "locale de_DE.UTF-8 not available";
  EXPECT_EQ(Written(new TPdfReal(0.5)), "0.5");
  EXPECT_EQ(FloatToPdfStr(28.9f), "28.9");
  std::setlocale(LC_NUMERIC, "C");
}

TEST(PdfTypes, ContentStreamNumbers) {
  const std::pair<long double, std::string> cases[] = {
      {10, "10"},    {0.125, "0.13"}, {28.9f, "28.9"}, {0.004, "0"},       {-1.25, "-1.24"},
      {-0.004, "0"}, {-0.006, "0"},   {596, "596"},    {12.345f, "12.35"}, {1e-9, "0"},
  };
  for (const auto& [value, expected] : cases) EXPECT_EQ(FloatToPdfStr(value), expected) << static_cast<double>(value);
}

TEST(PdfTypes, GbkTrailBackslashIsEscapedAfterConversion) {
  // 誠 is 0xD5 0x5C in GBK: the trail byte needs a backslash.
  EXPECT_EQ(PdfStringForm(u"\u8AA0", "GBK"), "(\xD5\\\\)");
  EXPECT_EQ(PdfStringForm(u"\u4E2D(", "GBK"), "(\xD6\xD0\\()");
}

TEST(PdfTypes, HexHelpers) {
  EXPECT_EQ(CodeUnitsToHex(u"A\u00e9\u0100\u4E2D"), "004100E901004E2D");
  EXPECT_EQ(TextToUtf16Hex(u"GB"), "00470042");
}

TEST(PdfTypes, ArraysAndDictionaries) {
  auto* array = new TPdfArray(nullptr);
  EXPECT_EQ(WrittenValue(array), "[]");
  array->AddItem(new TPdfNumber(5));
  EXPECT_EQ(Written(array), "[5 ]");

  TPdfDictionary dictionary(nullptr);
  EXPECT_EQ(WrittenValue(&dictionary), "<<\r\n>>");
  dictionary.AddInternalItem("Hidden", new TPdfNumber(1));
  EXPECT_EQ(WrittenValue(&dictionary), "<<\r\n>>");
  EXPECT_EQ(dictionary.PdfNumberByName("Hidden")->Value(), 1);
  dictionary.AddNumberItem("Length", 0);
  dictionary.AddItem("Filter", new TPdfArray(nullptr));
  dictionary.AddNumberItem("Length", 3);
  auto* nested = new TPdfDictionary(nullptr);
  nested->AddNameItem("Type", "X");
  dictionary.AddItem("Sub", nested);
  EXPECT_EQ(WrittenValue(&dictionary), "<<\r\n/Filter []\r\n/Length 3\r\n/Sub <<\r\n/Type /X\r\n>>\r\n>>");
  dictionary.RemoveItem("Sub");
  dictionary.RemoveItem("Missing");
  EXPECT_EQ(dictionary.ValueByName("Sub"), nullptr);
  // Handing back the value just read keeps it alive.
  dictionary.AddItem("Filter", dictionary.ValueByName("Filter"));
  EXPECT_EQ(WrittenValue(&dictionary), "<<\r\n/Length 3\r\n/Filter []\r\n>>");
  EXPECT_THROW(TPdfDictionaryElement("K", nullptr), EPdfInvalidValue);
  // A reference handed over belongs to the container.
  dictionary.AddItem("Ref", TPdfVirtualObject::CreateVirtual(3));
  EXPECT_EQ(WrittenValue(dictionary.Items(3)->Value()), "3 0 R");
}

TEST(PdfTypes, IndirectObjectsAreStoredAsReferences) {
  CountingMgr mgr;
  TPdfDictionary object(&mgr);
  mgr.AddObject(&object);
  object.AddNumberItem("N", 1);
  TPdfArray array(&mgr);
  array.AddItem(&object);
  EXPECT_EQ(WrittenValue(&array), "[7 0 R ]");
  EXPECT_EQ(array.Items(0), nullptr);  // this manager resolves nothing
  rtl::TStringStream stream;
  object.WriteValueToStream(stream);
  EXPECT_EQ(stream.DataString(), "7 0 obj\r\n<<\r\n/N 1\r\n>>\r\nendobj\r\n");
  TPdfNumber direct(3);
  EXPECT_THROW(direct.WriteValueToStream(stream), EPdfInvalidOperation);
}

TEST(PdfTypes, StreamIsWrittenUncompressedWithItsLength) {
  TPdfStream stream(nullptr);
  stream.Attributes()->PdfArrayByName("Filter")->AddItem(new TPdfName("FlateDecode"));
  WriteAscii(stream.Stream(), "BT\n/F0 10 Tf\nET");
  EXPECT_EQ(WrittenValue(&stream), "<<\r\n/Length 15\r\n/Filter []\r\n>>\r\nstream\r\nBT\n/F0 10 Tf\nET\nendstream");
}

TEST(PdfTypes, NameArrayLookup) {
  TPdfArray array(nullptr);
  array.AddItem(new TPdfName("DCTDecode"));
  array.AddItem(new TPdfName("FlateDecode"));
  EXPECT_NE(array.FindName("FlateDecode"), nullptr);
  EXPECT_TRUE(array.RemoveName("FlateDecode"));
  EXPECT_FALSE(array.RemoveName("FlateDecode"));
  EXPECT_EQ(array.ItemCount(), 1);
}

TEST(PdfTypes, Dates) {
  EXPECT_EQ(FormatPdfDate(pdftest::kFixedTime), "D:20260102030405");
  EXPECT_EQ(ParsePdfDate("D:20260102030405"), pdftest::kFixedTime);
  EXPECT_EQ(FormatPdfDate(rtl::EncodeDate(987, 11, 30)), "D:09871130000000");
  for (const char* bad : {"D:2026010203040", "D:2026013203040x", "D:20260230030405", "D:20260102250405"}) {
    EXPECT_THROW(ParsePdfDate(bad), rtl::EConvertError) << bad;
  }
}

}  // namespace
}  // namespace pdf
