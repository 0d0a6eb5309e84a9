// The main window's decisions that need no window: config.dat, the poll's
// guard order, the extra-text check, the message sink and the write-back.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "app/ExtraDeviceText.h"
#include "app/FeatureFlags.h"
#include "app/Heartbeat.h"
#include "app/LangWriteBack.h"
#include "app/MessageSink.h"
#include "platform/rtl/AtomicFile.h"
#include "platform/rtl/Streams.h"

namespace app {
namespace {

namespace fs = std::filesystem;

std::string Base64(const std::string& text) {
  static const char* const alphabet = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
  std::string out;
  std::size_t i = 0;
  for (; i + 2 < text.size(); i += 3) {
    const unsigned v = (unsigned char)text[i] << 16 | (unsigned char)text[i + 1] << 8 | (unsigned char)text[i + 2];
    for (int s = 18; s >= 0; s -= 6) out += alphabet[(v >> s) & 63];
  }
  if (i + 1 == text.size()) {
    const unsigned v = (unsigned char)text[i] << 16;
    out += std::string{alphabet[v >> 18], alphabet[(v >> 12) & 63], '=', '='};
  } else if (i + 2 == text.size()) {
    const unsigned v = (unsigned char)text[i] << 16 | (unsigned char)text[i + 1] << 8;
    out += std::string{alphabet[v >> 18], alphabet[(v >> 12) & 63], alphabet[(v >> 6) & 63], '='};
  }
  return out;
}

std::string Data(const std::vector<std::string>& values) {
  std::string json = "{\"Data\":[";
  for (std::size_t i = 0; i < values.size(); ++i) json += (i ? "," : "") + values[i];
  return json + "]}";
}

TEST(FeatureSwitches, ConfigContentTable) {
  const FeatureFlags start = kDefaultFeatureFlags;
  const FeatureFlags defaults = kDefaultFeatureFlags;
  const std::string on = R"({"on-off":"on"})", off = R"({"on-off":"off"})";
  std::vector<std::string> twelve(12, on);
  twelve[11] = off;
  const std::string longPadding(kConfigFileLimit, ' ');
  ASSERT_EQ(Base64(Data({off})).size(), 36u);
  struct Case {
    const char* what;
    std::string content;
    FeatureFlags expected;
    bool error;
  } cases[] = {
      {"the example switches ESC, card, versions and PORTAVEX1 on", Base64(Data({on, on, off, on, on})),
       {1, 1, 0, 1, 1, 0, 0, 0, 0, 0, 0}, false},
      {"an empty file keeps the start values", "", start, false},
      {"\"ON\" is not \"on\"", Base64(Data({R"({"on-off":"ON"})"})), {0, 1, 0, 1, 0, 0, 0, 0, 0, 0, 0}, false},
      {"only eleven elements count", Base64(Data(twelve)), {1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1}, false},
      {"the text ends at the first NUL", Base64(Data({off})) + std::string(1, '\0') + "garbage",
       {0, 1, 0, 1, 0, 0, 0, 0, 0, 0, 0}, false},
      {"not Base64", "this is not base64!", defaults, true},
      {"Base64 of no JSON", Base64("{\"Data\":[{\"on-off\""), defaults, true},
      {"no Data list", Base64(R"({"data":[]})"), defaults, true},
      {"an element without on-off resets the flags set before it", Base64(Data({off, off, "{}", on, on})), defaults,
       true},
      {"non-ASCII text is read as '?'", Base64(Data({"{\"on-off\":\"\xC3\xB6n\"}"})),
       {0, 1, 0, 1, 0, 0, 0, 0, 0, 0, 0}, false},
      {"a file of 4096 bytes is read whole", Base64(Data({off})) + std::string(kConfigFileLimit - 36, '\n'),
       {0, 1, 0, 1, 0, 0, 0, 0, 0, 0, 0}, false},
      {"a longer file gives the defaults", longPadding + Base64(Data({off})), defaults, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const FeatureFlagsResult result = ParseFeatureFlags(c.content, start);
    EXPECT_EQ(result.flags, c.expected);
    EXPECT_EQ(!result.error.empty(), c.error) << result.error;
  }
}

TEST(FeatureSwitches, MissingFileIsNoErrorATooLongFileIsOne) {
  const fs::path folder = fs::path(::testing::TempDir()) / "feature_switches";
  fs::create_directories(folder);
  EXPECT_FALSE(ReadFeatureFlagsFile((folder / "config.dat").string(), kDefaultFeatureFlags));
  rtl::WriteFileBytes((folder / "config.dat").string(), Base64(Data({R"({"on-off":"off"})"})));
  const auto read = ReadFeatureFlagsFile((folder / "config.dat").string(), kDefaultFeatureFlags);
  ASSERT_TRUE(read);
  EXPECT_EQ(read->flags[0], 0);
  rtl::WriteFileBytes((folder / "config.dat").string(), std::string(kConfigFileLimit + 1, 'A'));
  EXPECT_FALSE(ReadFeatureFlagsFile((folder / "config.dat").string(), kDefaultFeatureFlags)->error.empty());
  fs::remove_all(folder);
}

TEST(Heartbeat, GuardsAreTestedInOrder) {
  using A = HeartbeatAction;
  struct Case {
    HeartbeatInputs in;
    A expected;
  } cases[] = {
      // scan mode never identifies, even after a kind change or without an adapter
      {{.scanMode = true, .adapterListed = true, .deviceKindChanged = true}, A::ScanChannels},
      {{.scanMode = true, .demoChecked = true}, A::ScanChannels},
      {{.adapterListed = false}, A::Idle},
      {{.demoChecked = true, .adapterListed = true}, A::Idle},
      {{.adapterListed = true, .busy = true, .deviceKindChanged = true}, A::Idle},
      {{.adapterListed = true, .identifying = true, .deviceKindChanged = true}, A::Idle},
      {{.adapterListed = true, .upgrading = true}, A::Idle},
      {{.adapterListed = true}, A::Identify},
      {{.adapterListed = true, .deviceKindChanged = true}, A::IdentifyAfresh},
  };
  for (std::size_t i = 0; i < std::size(cases); ++i) EXPECT_EQ(DecideHeartbeat(cases[i].in), cases[i].expected) << i;
}

TEST(ExtraDeviceText, AllowsDigitsLettersMinusPointUnderscore) {
  EXPECT_FALSE(HasInvalidChars(""));
  EXPECT_FALSE(HasInvalidChars("Az09-._"));
  for (const std::string& text : {std::string("A B"), std::string("x/y"), std::string("\xC3\xA9"),
                                  std::string("a\x7F"), std::string("name;"), std::string(1, '\0')})
    EXPECT_TRUE(HasInvalidChars(text)) << text;
}

struct RecordingLog : IStatusLog {
  std::vector<std::string>* events;
  void InsertTopLine(const std::string& line) override { events->push_back("log:" + line); }
};
struct ScriptedBox : IInfoBox {
  std::vector<std::string>* events;
  void Show(const std::string& text, const std::string& title, const std::string& button) override {
    events->push_back("box:" + text + "|" + title + "|" + button);
  }
};
struct Texts : device::ITexts {
  std::string LangText(const std::string& key, const std::string& fallback) override {
    return key == "btn_Ok" ? "OK!" : fallback;
  }
  std::string LangKey(const std::string& key) override { return "eng" + key; }
};

TEST(MessageSink, ModesWriteTheLineThenShowTheBox) {
  const std::vector<std::pair<int, std::vector<std::string>>> cases = {
      {0, {"log:hello"}},
      {1, {"box:hello|Information|OK!"}},
      {2, {"log:hello", "box:hello|Information|OK!"}},
  };
  for (const auto& [mode, expected] : cases) {
    std::vector<std::string> events;
    RecordingLog log;
    log.events = &events;
    ScriptedBox box;
    box.events = &events;
    Texts texts;
    MessageSink(log, box, texts).ShowInfo("hello", mode);
    EXPECT_EQ(events, expected) << "mode " << mode;
  }
}

TEST(LangWriteBack, WritesLanguageAndCalculatorKeysKeepingMissingBoxes) {
  const fs::path folder = fs::path(::testing::TempDir()) / "lang_write_back";
  fs::create_directories(folder);
  const std::string file = (folder / "lang.ini").string();
  rtl::WriteFileBytes(file, "\xEF\xBB\xBF; comment\r\n[common]\r\nlang=1\r\ncacl7=3.7V\r\nchsInfoTitle=x\r\n");
  rtl::TMemIniFile ini(file);
  CalculatorTexts calculator;
  for (std::size_t n = 0; n < calculator.size(); ++n) calculator[n] = std::to_string(n + 1) + "0";
  calculator[6].reset();  // no box 7 on the window
  WriteBackLangSettings(ini, false, calculator);

  const rtl::TBytes bytes = rtl::ReadFileBytes(file);
  const std::string text(bytes.begin(), bytes.end());
  EXPECT_FALSE(text.starts_with("\xEF\xBB\xBF"));
  rtl::TMemIniFile back(file);
  EXPECT_EQ(back.ReadString("common", "lang", "?"), "0");
  EXPECT_EQ(back.ReadString("common", "cacl1", "?"), "10");
  EXPECT_EQ(back.ReadString("common", "cacl19", "?"), "190");
  EXPECT_EQ(back.ReadString("common", "cacl7", "?"), "3.7V");
  EXPECT_EQ(back.ReadString("common", "chsInfoTitle", "?"), "x");
  fs::remove_all(folder);
}

}  // namespace
}  // namespace app
