// Documents checked by real PDF readers: qpdf, poppler's pdfinfo, pdfimages,
// pdftotext and pdftoppm, and mupdf's mutool. A report-like document, and one
// of mixed Chinese and Latin text with CMYK and gray JPEG pictures.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>

#include "pdf/PdfDoc.h"
#include "platform/rtl/TextConvert.h"
#include "tests/pdf/pdf_test_support.h"
#include "tests/support/pdf_report_fixture.h"
#include "tests/support/tool_run.h"

namespace {

namespace fs = std::filesystem;
using pdffixture::ReportPictures;

using test_support::HaveTool;
using test_support::RunTool;
using RunResult = test_support::ToolRun;

#define REQUIRE_TOOL(tool) \
  if (!HaveTool(tool)) GTEST_SKIP() << tool << " is not installed"

// The value after "key:" in pdfinfo's output.
std::string InfoField(const std::string& output, const std::string& key) {
  std::istringstream lines(output);
  for (std::string line; std::getline(lines, line);) {
    if (line.rfind(key + ":", 0) == 0) return line.substr(line.find_first_not_of(' ', key.size() + 1));
  }
  return "missing";
}

class PdfReadersTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    pdf::RegisterPdfClasses();
    dir_ = fs::temp_directory_path() / ("esctool_pdf_readers_" + std::to_string(getpid()));
    fs::create_directories(dir_);
    rtl::TFileStream file(Pdf(), rtl::fmCreate);
    pdffixture::WriteReportLikeDocument(pdffixture::MakeReportJpegs(), file);
  }
  static void TearDownTestSuite() { fs::remove_all(dir_); }
  static std::string Pdf() { return (dir_ / "report.pdf").string(); }
  static fs::path dir_;
};

fs::path PdfReadersTest::dir_;

TEST_F(PdfReadersTest, QpdfFindsNoFault) {
  REQUIRE_TOOL("qpdf");
  const RunResult check = RunTool("qpdf --check " + Pdf());
  EXPECT_EQ(check.exitCode, 0) << check.output;
  EXPECT_EQ(check.output.find("WARNING"), std::string::npos) << check.output;
  EXPECT_NE(check.output.find("No syntax or stream encoding errors found"), std::string::npos) << check.output;
}

TEST_F(PdfReadersTest, PdfinfoReadsPageAndProducer) {
  REQUIRE_TOOL("pdfinfo");
  const RunResult info = RunTool("pdfinfo " + Pdf());
  ASSERT_EQ(info.exitCode, 0) << info.output;
  auto field = [&](const std::string& key) { return InfoField(info.output, key); };
  EXPECT_EQ(field("Pages"), "1");
  EXPECT_EQ(field("Page size"), "2479 x 4508 pts");
  EXPECT_EQ(field("Producer"), "PdfWrite version 0.9");
  EXPECT_EQ(field("PDF version"), "1.2");
}

TEST_F(PdfReadersTest, PdfimagesListsTheJpegs) {
  REQUIRE_TOOL("pdfimages");
  const RunResult list = RunTool("pdfimages -list " + Pdf());
  ASSERT_EQ(list.exitCode, 0) << list.output;
  std::istringstream lines(list.output);
  std::string line;
  std::getline(lines, line);
  std::getline(lines, line);  // header and rule
  for (const auto& picture : ReportPictures()) {
    ASSERT_TRUE(std::getline(lines, line)) << list.output;
    std::istringstream fields(line);
    std::string page, num, type, width, height, color, comp, bpc, enc;
    fields >> page >> num >> type >> width >> height >> color >> comp >> bpc >> enc;
    EXPECT_EQ(type, "image") << line;
    EXPECT_EQ(width, std::to_string(picture.pixelWidth)) << line;
    EXPECT_EQ(height, std::to_string(picture.pixelHeight)) << line;
    EXPECT_EQ(color, picture.grayscale ? "gray" : "rgb") << line;
    EXPECT_EQ(enc, "jpeg") << line;
  }
}

// Reads a binary PPM (P6) file.
struct Ppm {
  int width = 0, height = 0;
  std::string pixels;
  rtl::TPaletteEntry At(int x, int y) const {
    const size_t offset = (static_cast<size_t>(y) * width + x) * 3;
    return {static_cast<std::uint8_t>(pixels[offset]), static_cast<std::uint8_t>(pixels[offset + 1]),
            static_cast<std::uint8_t>(pixels[offset + 2])};
  }
};

Ppm ReadPpm(const fs::path& path) {
  std::ifstream file(path, std::ios::binary);
  Ppm ppm;
  std::string magic;
  int maxValue = 0;
  file >> magic >> ppm.width >> ppm.height >> maxValue;
  file.get();
  ppm.pixels.assign(std::istreambuf_iterator<char>(file), {});
  return ppm;
}

TEST_F(PdfReadersTest, PdftoppmDrawsTheImagesWhereTheyBelong) {
  REQUIRE_TOOL("pdftoppm");
  constexpr int kDpi = 18;
  const fs::path prefix = dir_ / "page";
  const RunResult render =
      RunTool("pdftoppm -r " + std::to_string(kDpi) + " -singlefile " + Pdf() + " " + prefix.string());
  ASSERT_EQ(render.exitCode, 0) << render.output;
  const Ppm page = ReadPpm(prefix.string() + ".ppm");
  ASSERT_EQ(page.width, (pdffixture::kPageWidth * kDpi + 71) / 72);
  for (const auto& picture : ReportPictures()) {
    const int x = (picture.x + picture.width / 2) * kDpi / 72;
    const int y = (pdffixture::kPageHeight - picture.y - picture.height / 2) * kDpi / 72;
    const rtl::TPaletteEntry sample = page.At(x, y);
    EXPECT_NEAR(sample.Red, picture.color.Red, 6) << picture.name;
    EXPECT_NEAR(sample.Green, picture.color.Green, 6) << picture.name;
    EXPECT_NEAR(sample.Blue, picture.color.Blue, 6) << picture.name;
  }
  const rtl::TPaletteEntry margin = page.At(5, 5);
  EXPECT_EQ(margin.Red + margin.Green + margin.Blue, 3 * 255);
}

TEST_F(PdfReadersTest, MutoolExtractsTheCaptions) {
  REQUIRE_TOOL("mutool");
  const RunResult text = RunTool("mutool draw -F txt -o - " + Pdf());
  ASSERT_EQ(text.exitCode, 0) << text.output;
  EXPECT_NE(text.output.find(rtl::Utf16ToUtf8(pdffixture::kChineseCaption)), std::string::npos) << text.output;
  EXPECT_NE(text.output.find(rtl::Utf16ToUtf8(pdffixture::kLatinCaption)), std::string::npos) << text.output;
}

// ---- mixed Chinese and Latin text, CMYK and gray pictures ----

struct TextLine {
  const char* font;
  float x, y;
  std::u16string text;
};

struct Picture {
  const char* name;
  float x, y;
  rtl::TPaletteEntry color;  // as drawn
  int tolerance;              // readers turn CMYK into RGB each their own way
};

constexpr float kFontSize = 20;
constexpr int kMixedPageWidth = 600;
constexpr int kMixedPageHeight = 400;
constexpr float kPictureSize = 80;
const pdf::TPdfRect kRightBox{40, 190, 300, 160};
const pdf::TPdfRect kWrapBox{400, 300, 540, 150};  // right of the lines
const std::u16string kRightText = u"\u53F3\u5BF9\u9F50\uFF1A\u6587\u5B57";
const std::u16string kWrapText = u"\u901F\u5EA6 \u8BA1\u7B97 \u7535\u8C03 \u8BBE\u7F6E \u62A5\u544A";
const std::u16string kTitle = u"\u901F\u5EA6 caf\u00E9 \u20AC";
const std::u16string kAuthor = u"\u5F20\u4E09";

const std::vector<TextLine>& MixedLines() {
  static const std::vector<TextLine> lines = {
      // simplified, full-width punctuation, digits, letters, Greek and kana
      {"Chinese", 40, 350,
       u"\u7535\u8C03\u8BBE\u7F6E\uFF1A\uFF08\uFF21\uFF09\uFF0C\u597D\uFF01\uFF11\uFF15\u5EA6\uFF1B\u03B1\u03B2"},
      // traditional characters, one found only in GBK, and ASCII
      {"Chinese", 40, 310, u"\u8AA0\u5BE6\u81FA\u7063\u5803 ESC 12.5V"},
      // an emoji between two characters
      {"Chinese", 40, 270, u"\u4E2D\U0001F600\u6587"},
      // no-break space, soft hyphen and an emoji in a standard font
      {"Arial", 40, 230, u"Latin a\u00A0b c\u00ADd Emoji\U0001F600here"},
  };
  return lines;
}

const std::vector<Picture>& MixedPictures() {
  static const std::vector<Picture> pictures = {
      {"cmyk", 400, 50, {255, 0, 0}, 40},
      {"gray", 500, 50, {90, 90, 90}, 8},
  };
  return pictures;
}

class PdfMixedTextReadersTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    pdf::RegisterPdfClasses();
    dir_ = fs::temp_directory_path() / ("esctool_pdf_mixed_" + std::to_string(getpid()));
    fs::create_directories(dir_);
    pdf::TPdfDoc doc;
    doc.SetDefaultPageWidth(kMixedPageWidth);
    doc.SetDefaultPageHeight(kMixedPageHeight);
    doc.NewDoc();
    doc.AddPage();
    doc.Info()->SetTitle(kTitle);
    doc.Info()->SetAuthor(kAuthor);
    pdf::TPdfCanvas* canvas = doc.Canvas();
    for (const auto& line : MixedLines()) {
      canvas->SetFont(line.font, kFontSize);
      canvas->TextOut(line.x, line.y, line.text);
    }
    canvas->SetFont("Chinese", kFontSize);
    canvas->TextRect(kRightBox, kRightText, pdf::TPdfAlignment::paRightJustify, false);
    canvas->SetLeading(24);
    canvas->MultilineTextRect(kWrapBox, kWrapText, true);
    // The CMYK file holds red (no cyan and black, full magenta and yellow)
    // with its inks inverted.
    doc.AddXObject("cmyk", pdf::CreatePdfImage(pdftest::SolidJpegFile(16, 16, JCS_CMYK, {255, 0, 0, 255}), "Pdf-Jpeg"));
    doc.AddXObject("gray", pdf::CreatePdfImage(pdftest::SolidJpegFile(16, 16, JCS_GRAYSCALE, {90}), "Pdf-Jpeg"));
    for (const auto& picture : MixedPictures()) {
      canvas->DrawXObject(picture.x, picture.y, kPictureSize, kPictureSize, picture.name);
    }
    rtl::TFileStream file(Pdf(), rtl::fmCreate);
    doc.SaveToStream(file);
  }
  static void TearDownTestSuite() { fs::remove_all(dir_); }
  static std::string Pdf() { return (dir_ / "mixed.pdf").string(); }

  // Width of the text as the writer measures it, in points.
  static float Measured(const char* font, const std::u16string& text) {
    pdf::TPdfDoc doc;
    doc.NewDoc();
    doc.AddPage();
    doc.Canvas()->SetFont(font, kFontSize);
    return doc.Canvas()->TextWidth(text);
  }
  static fs::path dir_;
};

fs::path PdfMixedTextReadersTest::dir_;

// A word of pdftotext -bbox, in points from the top-left corner.
struct Word {
  double xMin, yMin, xMax, yMax;
  std::string text;
};

std::vector<Word> BboxWords(const std::string& html) {
  static const std::regex word(
      R"re(<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">([^<]*)</word>)re");
  std::vector<Word> words;
  for (auto it = std::sregex_iterator(html.begin(), html.end(), word); it != std::sregex_iterator(); ++it) {
    words.push_back({std::stod((*it)[1]), std::stod((*it)[2]), std::stod((*it)[3]), std::stod((*it)[4]), (*it)[5]});
  }
  return words;
}

// The words left of the wrapped box whose box holds the height `y` (from the
// page's bottom).
std::vector<Word> WordsOnLine(const std::vector<Word>& words, double y) {
  std::vector<Word> line;
  const double top = kMixedPageHeight - y;
  for (const auto& w : words) {
    if (w.yMin < top && w.yMax > top - 2 && w.xMin < kWrapBox.Left) line.push_back(w);
  }
  std::sort(line.begin(), line.end(), [](const Word& a, const Word& b) { return a.xMin < b.xMin; });
  return line;
}

std::string WithoutSpaces(std::string text) {
  std::erase_if(text, [](char c) { return c == ' ' || c == '\n'; });
  return text;
}

TEST_F(PdfMixedTextReadersTest, QpdfFindsNoFault) {
  REQUIRE_TOOL("qpdf");
  const RunResult check = RunTool("qpdf --check " + Pdf());
  EXPECT_EQ(check.exitCode, 0) << check.output;
  EXPECT_EQ(check.output.find("WARNING"), std::string::npos) << check.output;
}

// Where the reader puts each line's last glyph is where the writer's
// measure says the line ends; boxed text stays in its box.
TEST_F(PdfMixedTextReadersTest, AdvancesAgreeWithTheWriter) {
  REQUIRE_TOOL("pdftotext");
  const RunResult bbox = RunTool("pdftotext -bbox " + Pdf() + " -");
  ASSERT_EQ(bbox.exitCode, 0) << bbox.output;
  const std::vector<Word> words = BboxWords(bbox.output);
  for (const auto& line : MixedLines()) {
    const std::string label = rtl::Utf16ToUtf8(line.text);
    const std::vector<Word> drawn = WordsOnLine(words, line.y + 1);
    ASSERT_FALSE(drawn.empty()) << label << "\n" << bbox.output;
    EXPECT_NEAR(drawn.front().xMin, line.x, 0.05) << label;
    EXPECT_NEAR(drawn.back().xMax, line.x + Measured(line.font, line.text), 0.05) << label;
  }

  const std::vector<Word> right = WordsOnLine(words, kRightBox.Top - kFontSize / 2);
  ASSERT_EQ(right.size(), 1u) << bbox.output;
  EXPECT_NEAR(right[0].xMax, kRightBox.Right, 0.5);
  EXPECT_NEAR(right[0].xMax - right[0].xMin, Measured("Chinese", kRightText), 0.05);

  int wrapped = 0;
  for (const auto& w : words) {
    if (w.xMin < kWrapBox.Left - 0.5 || w.yMin < kMixedPageHeight - kWrapBox.Top - 0.5) continue;
    ++wrapped;
    EXPECT_LE(w.xMax, kWrapBox.Right + 0.05) << w.text;
  }
  EXPECT_EQ(wrapped, 5) << bbox.output;  // every word drawn, two or three to a line
}

TEST_F(PdfMixedTextReadersTest, TextExtractsAsWritten) {
  REQUIRE_TOOL("mutool");
  const RunResult text = RunTool("mutool draw -q -F txt -o - " + Pdf());
  ASSERT_EQ(text.exitCode, 0) << text.output;
  const std::string extracted = WithoutSpaces(text.output);
  auto expect = [&](const std::u16string& written) {
    EXPECT_NE(extracted.find(WithoutSpaces(rtl::Utf16ToUtf8(written))), std::string::npos)
        << rtl::Utf16ToUtf8(written) << "\n" << text.output;
  };
  expect(MixedLines()[0].text);
  expect(MixedLines()[1].text);
  expect(u"\u4E2D?\u6587");  // the emoji alone becomes "?"
  expect(u"Emoji?here");
  expect(kRightText);
}

TEST_F(PdfMixedTextReadersTest, InformationAndFonts) {
  REQUIRE_TOOL("pdfinfo");
  const RunResult info = RunTool("pdfinfo " + Pdf());
  ASSERT_EQ(info.exitCode, 0) << info.output;
  EXPECT_EQ(InfoField(info.output, "Title"), rtl::Utf16ToUtf8(kTitle));
  EXPECT_EQ(InfoField(info.output, "Author"), rtl::Utf16ToUtf8(kAuthor));
  REQUIRE_TOOL("pdffonts");
  const RunResult fonts = RunTool("pdffonts " + Pdf());
  EXPECT_NE(fonts.output.find("CID TrueType      GBK-EUC-H"), std::string::npos) << fonts.output;
}

TEST_F(PdfMixedTextReadersTest, ImagesKeepTheirColourSpaces) {
  REQUIRE_TOOL("pdfimages");
  const RunResult list = RunTool("pdfimages -list " + Pdf());
  ASSERT_EQ(list.exitCode, 0) << list.output;
  EXPECT_TRUE(std::regex_search(list.output, std::regex(R"(image +16 +16 +cmyk +4 +8 +jpeg)"))) << list.output;
  EXPECT_TRUE(std::regex_search(list.output, std::regex(R"(image +16 +16 +gray +1 +8 +jpeg)"))) << list.output;
}

// Both readers paint the pictures in their colours; poppler's page is kept
// as a test artifact.
TEST_F(PdfMixedTextReadersTest, ReadersPaintThePictures) {
  REQUIRE_TOOL("pdftoppm");
  REQUIRE_TOOL("mutool");
  const fs::path poppler = dir_ / "poppler";
  const fs::path mupdf = dir_ / "mupdf.ppm";
  const struct {
    std::string command;
    fs::path ppm;
  } renders[] = {
      {"pdftoppm -r 72 -singlefile " + Pdf() + " " + poppler.string(), poppler.string() + ".ppm"},
      {"mutool draw -q -r 72 -o " + mupdf.string() + " " + Pdf(), mupdf},
  };
  for (const auto& render : renders) {
    const RunResult run = RunTool(render.command);
    ASSERT_EQ(run.exitCode, 0) << run.output;
    const Ppm page = ReadPpm(render.ppm);
    ASSERT_EQ(page.width, kMixedPageWidth) << render.command;
    for (const auto& picture : MixedPictures()) {
      const rtl::TPaletteEntry sample = page.At(static_cast<int>(picture.x + kPictureSize / 2),
                                                static_cast<int>(kMixedPageHeight - picture.y - kPictureSize / 2));
      EXPECT_NEAR(sample.Red, picture.color.Red, picture.tolerance) << picture.name << " " << render.command;
      EXPECT_NEAR(sample.Green, picture.color.Green, picture.tolerance) << picture.name << " " << render.command;
      EXPECT_NEAR(sample.Blue, picture.color.Blue, picture.tolerance) << picture.name << " " << render.command;
    }
  }
  const char* binary = std::getenv("ESCTOOL_BINARY_DIR");
  const fs::path artifacts = fs::path(binary ? binary : ".") / "artifacts";
  fs::create_directories(artifacts);
  const RunResult png =
      RunTool("pdftoppm -r 100 -png -singlefile " + Pdf() + " " + (artifacts / "pdf_mixed_text").string());
  EXPECT_EQ(png.exitCode, 0) << png.output;
}

}  // namespace
