// A report-like document checked by real PDF readers: qpdf, poppler's
// pdfinfo, pdfimages and pdftoppm, and mupdf's mutool.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "pdf/PdfDoc.h"
#include "platform/rtl/TextConvert.h"
#include "tests/support/pdf_report_fixture.h"

namespace {

namespace fs = std::filesystem;
using pdffixture::ReportPictures;

struct RunResult {
  int exitCode = -1;
  std::string output;  // standard output and standard error
};

RunResult RunTool(const std::string& command) {
  RunResult result;
  FILE* pipe = popen((command + " 2>&1").c_str(), "r");
  if (!pipe) return result;
  char buffer[4096];
  size_t read;
  while ((read = fread(buffer, 1, sizeof buffer, pipe)) > 0) result.output.append(buffer, read);
  const int status = pclose(pipe);
  result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return result;
}

bool HaveTool(const char* tool) { return RunTool(std::string("command -v ") + tool).exitCode == 0; }

#define REQUIRE_TOOL(tool) \
  if (!HaveTool(tool)) GTEST_SKIP() << tool << " is not installed"

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
  auto field = [&](const std::string& key) {
    std::istringstream lines(info.output);
    for (std::string line; std::getline(lines, line);) {
      if (line.rfind(key + ":", 0) == 0) return line.substr(line.find_first_not_of(' ', key.size() + 1));
    }
    return std::string("missing");
  };
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

}  // namespace
