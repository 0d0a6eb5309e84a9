// The help panel's content: which text a help code stands for, and what a
// file list of the help folder turns into.
#include "app/HelpContent.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>

#include "platform/rtl/AtomicFile.h"

namespace app {
namespace {

namespace fs = std::filesystem;

TEST(HelpText, ComesFromTheDescriptionOrTheLanguageFileByCode) {
  params::VERSION description;
  description.items[3].chelp = "参数三";
  description.items[3].ehelp = "item three";
  description.items[39].ehelp = "last item";
  description.site.chelp = "模式";
  description.site.ehelp = "modes";
  const std::map<std::string, std::string> texts = {
      {"upgrade_controller_help", "controller"},   {"lcd_upgrade_controller_help", "card controller"},
      {"upgrade_hardware_help", "hardware"},       {"lcd_upgrade_hardware_help", "card hardware"},
      {"upgrade_firmware_help", "firmware"},       {"lcd_upgrade_firmware_help", "card firmware"},
      {"upgrade_version_help", "versions"},        {"lcd_upgrade_version_help", "card versions"},
      {"calc_help", "calculator"},                 {"setting_suggestion", "governor"}};
  const auto langText = [&](const std::string& key) {
    const auto found = texts.find(key);
    return found == texts.end() ? std::string() : found->second;
  };
  struct Case {
    int code;
    bool chinese, programCard;
    const char* text;
  };
  const Case cases[] = {
      {3, true, false, "参数三"},       {3, false, false, "item three"}, {39, false, false, "last item"},
      {0, false, false, ""},            {40, false, false, ""},          {98, false, false, ""},
      {99, true, false, "模式"},        {99, false, false, "modes"},     {100, false, false, "controller"},
      {100, false, true, "card controller"},                            {101, false, true, "card hardware"},
      {102, true, false, "firmware"},   {103, false, true, "card versions"},
      {104, false, true, "calculator"}, {105, false, true, "governor"},  {106, false, false, ""},
      {-1, false, false, ""},
  };
  for (const Case& c : cases) {
    const HelpTextSources sources{
        .chinese = c.chinese, .programCard = c.programCard, .description = &description, .langText = langText};
    EXPECT_EQ(HelpTextFor(c.code, sources), c.text) << "code " << c.code << (c.chinese ? " chinese" : "")
                                                     << (c.programCard ? " card" : "");
  }
}

TEST(HelpText, DeviceMarkersAndFileKinds) {
  const DeviceMarkers device{"AIRPLANE_ESC", "HW1", "FW1.0"};
  EXPECT_EQ(ReplaceDeviceMarkers("/p/help/[E]_[H].htm", device), "/p/help/AIRPLANE_ESC_HW1.htm");
  EXPECT_EQ(ReplaceDeviceMarkers("[F]/[E]-[E]_[H][H].html", device), "FW1.0/AIRPLANE_ESC-[E]_HW1[H].html");
  EXPECT_EQ(ReplaceDeviceMarkers("[E].htm", DeviceMarkers{}), ".htm");

  const std::pair<const char*, HelpFileKind> kinds[] = {
      {"a.htm", HelpFileKind::WebPage},  {"a.html", HelpFileKind::WebPage}, {"a.gif", HelpFileKind::Picture},
      {"a.png", HelpFileKind::Picture},  {"a.jpg", HelpFileKind::Picture},  {"a.PNG", HelpFileKind::Text},
      {"a.HTM", HelpFileKind::Text},     {"a.jpeg", HelpFileKind::Text},    {"a.txt", HelpFileKind::Text},
      {"png", HelpFileKind::Text},       {"a.png.txt", HelpFileKind::Text},
  };
  for (const auto& [name, kind] : kinds) EXPECT_EQ(HelpFileKindOf(name), kind) << name;
}

class HelpFiles : public ::testing::Test {
 protected:
  void SetUp() override {
    folder = (fs::path(::testing::TempDir()) / "help_files/").string();
    fs::remove_all(folder);
    fs::create_directories(folder);
  }
  void TearDown() override { fs::remove_all(folder); }
  void Write(const std::string& name, std::string_view content) { rtl::WriteFileBytes(folder + name, content); }
  HelpContent Resolve(const std::string& text) { return ResolveHelp(text, folder, device); }

  std::string folder;
  DeviceMarkers device{"CAR_ESC", "V2", "1.4"};
};

TEST_F(HelpFiles, PlainTextAndMissingFiles) {
  Write("mode.txt", "from the file");
  EXPECT_EQ(Resolve("mode.txt").text, "mode.txt");  // no ";;": not a list
  EXPECT_EQ(Resolve("Just a sentence.").text, "Just a sentence.");
  EXPECT_EQ(Resolve("gone.txt;;").text, folder + "gone.txt");
  EXPECT_EQ(Resolve("gone.png;;mode.txt;;").text, folder + "gone.png" + "from the file\r\n");
  const HelpContent page = Resolve("[E]_[H].htm;;");
  EXPECT_EQ(page.text, folder + "CAR_ESC_V2.htm");
  EXPECT_FALSE(page.webPage);
  EXPECT_TRUE(Resolve("").text.empty());
}

TEST_F(HelpFiles, TextFilesRunTogetherWithTheirLineBreaks) {
  Write("a_en.txt", "first line\nsecond line\n");
  Write("b_en.txt", "\xEF\xBB\xBFthird");
  const HelpContent content = Resolve("a_en.txt;;b_en.txt;;");
  EXPECT_EQ(content.text, "first line\r\nsecond line\r\nthird\r\n");
  EXPECT_TRUE(content.pictures.empty());
  EXPECT_FALSE(content.webPage);
}

TEST_F(HelpFiles, PagesAndPicturesThatExist) {
  Write("CAR_ESC_V2.htm", "<p>page</p>");
  Write("mode.png", "png bytes");
  Write("shot.PNG", "upper-case");
  const HelpContent content = Resolve("[E]_[H].htm;;mode.png;;");
  EXPECT_EQ(content.webPage, folder + "CAR_ESC_V2.htm");
  EXPECT_EQ(content.pictures, std::vector<std::string>{folder + "mode.png"});
  EXPECT_EQ(content.text, "");
  // The extension is compared exactly: a picture in capitals is read as text.
  const HelpContent capitals = Resolve("shot.PNG;;");
  EXPECT_TRUE(capitals.pictures.empty());
  EXPECT_EQ(capitals.text, "upper-case\r\n");
  // Markers are replaced in page names only.
  Write("[E].txt", "marker kept");
  EXPECT_EQ(Resolve("[E].txt;;").text, "marker kept\r\n");
}

}  // namespace
}  // namespace app
