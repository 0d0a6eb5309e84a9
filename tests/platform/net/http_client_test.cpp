// The HTTP client against a real server on the loopback interface.
#include <glib.h>
#include <gtest/gtest.h>
#include <httplib.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <thread>
#include <vector>

#include "platform/net/HttpClient.h"
#include "platform/net/WebHost.h"
#include "platform/net/XmlDocument.h"
#include "platform/rtl/AtomicFile.h"
#include "tests/support/loopback_http_server.h"

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

constexpr int kSlowChunks = 6;
constexpr std::size_t kSlowChunkSize = 1000;

std::string ReadFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream content;
  content << in.rdbuf();
  return content.str();
}

// The routes the tests ask for.
class LoopbackServer : public test_support::LoopbackHttpServer {
 public:
  LoopbackServer() : LoopbackHttpServer([this](httplib::Server& server) { Route(server, *this); }) {}

  // Bytes of the endless bodies that went out.
  std::atomic<std::int64_t> endlessSent{0};

 private:
  static void Route(httplib::Server& server, LoopbackServer& self) {
    server.Get("/endless", [&self](const httplib::Request&, httplib::Response& res) {
      test_support::ServeEndlessBody(res, self, self.endlessSent);
    });
    server.Get("/endless-error", [&self](const httplib::Request&, httplib::Response& res) {
      res.status = 500;
      test_support::ServeEndlessBody(res, self, self.endlessSent);
    });
    server.Get("/utf8", [](const httplib::Request&, httplib::Response& res) {
      res.set_content("Gr\xC3\xBC\xC3\x9F" "e", "text/plain; charset=utf-8");
    });
    server.Get("/gbk", [](const httplib::Request&, httplib::Response& res) {
      res.set_content("\xD6\xD0\xCE\xC4", "text/html; charset=\"GBK\"");  // 中文
    });
    server.Get("/bom", [](const httplib::Request&, httplib::Response& res) {
      res.set_content("\xEF\xBB\xBF<a/>", "text/xml");
    });
    server.Get("/binary", [](const httplib::Request&, httplib::Response& res) {
      res.set_content(std::string("\xFF\x00\xD6\x01", 4), "application/octet-stream");
    });
    server.Get("/headers", [](const httplib::Request& req, httplib::Response& res) {
      res.set_content(req.get_header_value("User-Agent") + "\n" + req.get_header_value("Accept"), "text/plain");
    });
    server.Get("/moved", [](const httplib::Request&, httplib::Response& res) { res.set_redirect("/utf8"); });
    server.Get("/broken", [](const httplib::Request&, httplib::Response& res) {
      res.status = 500;
      res.set_content("server error page", "text/html");
    });
    server.Get("/package.zip", [](const httplib::Request&, httplib::Response& res) {
      res.set_content(std::string(1234, 'z'), "application/zip");
    });
    server.Get("/version_control.xml", [](const httplib::Request&, httplib::Response& res) {
      res.set_content("<VersionControl><Software><Version>V4.1</Version><VersionCode>41</VersionCode></Software>"
                      "<Database><Version>2020-01-01</Version></Database></VersionControl>",
                      "text/xml; charset=utf-8");
    });
    server.Get("/malformed.xml", [](const httplib::Request&, httplib::Response& res) {
      res.set_content("<VersionControl><Software><Version>V4.1</Software>", "text/xml");
    });
    server.Get("/slow", [](const httplib::Request&, httplib::Response& res) {
      res.set_chunked_content_provider("application/octet-stream", [](size_t offset, httplib::DataSink& sink) {
        if (offset >= kSlowChunks * kSlowChunkSize) {
          sink.done();
          return true;
        }
        std::this_thread::sleep_for(milliseconds(60));
        const std::string chunk(kSlowChunkSize, 's');
        return sink.write(chunk.data(), chunk.size());
      });
    });
    // Answers nothing until the test ends (at most a few seconds).
    server.Get("/stall", [&self](const httplib::Request&, httplib::Response& res) {
      for (int i = 0; i < 300 && !self.Released(); ++i) std::this_thread::sleep_for(milliseconds(10));
      res.set_content("late", "text/plain");
    });
  }
};

struct CountingPump : net::IMessagePump {
  int calls = 0;
  std::function<void()> action;
  void ProcessMessages() override {
    ++calls;
    if (action) action();
  }
};

class HttpClientTest : public ::testing::Test {
 protected:
  void SetUp() override {
    setenv("no_proxy", "*", 1);  // every request of these tests stays on this machine
    folder_ = fs::path(::testing::TempDir()) / ("net-http-" + std::to_string(getpid()));
    fs::remove_all(folder_);
    fs::create_directories(folder_);
  }
  void TearDown() override { fs::remove_all(folder_); }

  LoopbackServer server_;
  net::THttpClient client_;
  fs::path folder_;
};

TEST_F(HttpClientTest, GetDecodesTheCharsetOfTheAnswer) {
  struct Case {
    const char* path;
    std::string text;
  };
  const Case cases[] = {
      {"/utf8", "Gr\xC3\xBC\xC3\x9F" "e"},
      {"/gbk", "\xE4\xB8\xAD\xE6\x96\x87"},
      {"/bom", "<a/>"},
      {"/binary", std::string("\xEF\xBF\xBD\x00\xEF\xBF\xBD\x01", 8)},  // no charset: UTF-8, bad bytes replaced
  };
  for (const Case& c : cases) EXPECT_EQ(client_.Get(server_.Url(c.path)), c.text) << c.path;
  EXPECT_EQ(client_.GetBytes(server_.Url("/binary")), std::string("\xFF\x00\xD6\x01", 4));
}

TEST_F(HttpClientTest, SendsTheProgramsUserAgentAndTheChosenAccept) {
  EXPECT_EQ(client_.Get(server_.Url("/headers")), "Mozilla/3.0 (compatible; esctool)\ntext/html, */*");
  client_.Accept = net::kAcceptBrowser;
  EXPECT_EQ(client_.Get(server_.Url("/headers")),
            "Mozilla/3.0 (compatible; esctool)\ntext/html,application/xhtml+xml,application/xml;q=0.9,*/*;q=0.8");
}

TEST_F(HttpClientTest, AnyStatusOutside2xxFailsWithItsCode) {
  struct Case {
    const char* path;
    int status;
  };
  for (const Case c : {Case{"/nowhere", 404}, Case{"/moved", 302}, Case{"/broken", 500}}) {
    try {
      client_.Get(server_.Url(c.path));
      ADD_FAILURE() << c.path << " succeeded";
    } catch (const net::EHttpProtocolError& error) {
      EXPECT_EQ(error.StatusCode(), c.status) << c.path;
      EXPECT_NE(error.Message().find(c.path), std::string::npos) << error.Message();
    }
  }
  EXPECT_THROW(client_.Head(server_.Url("/nowhere")), net::EHttpProtocolError);
}

TEST_F(HttpClientTest, HeadGivesTheContentLength) {
  const net::THttpHeaders headers = client_.Head(server_.Url("/package.zip"));
  EXPECT_EQ(headers.ContentLength(), 1234);
  EXPECT_EQ(headers.Value("content-type"), "application/zip");
}

TEST(HttpHeadersTest, ContentLengthIsAWholeNonNegativeNumberOrNothing) {
  struct Case {
    const char* value;
    std::optional<std::int64_t> length;
  };
  const Case cases[] = {{"0", 0}, {"1234", 1234}, {"", std::nullopt}, {"-5", std::nullopt},
                        {"12a", std::nullopt}, {"1.5", std::nullopt}, {"99999999999999999999", std::nullopt}};
  for (const Case& c : cases) {
    net::THttpHeaders headers;
    headers.Add("Content-Length", c.value);
    EXPECT_EQ(headers.ContentLength(), c.length) << c.value;
  }
  EXPECT_EQ(net::THttpHeaders().ContentLength(), std::nullopt);
}

TEST_F(HttpClientTest, GetToFileReplacesTheFileOnlyOnSuccess) {
  const fs::path target = folder_ / "_dbupdate.zip";
  rtl::WriteFileBytes(target.string(), "old");
  client_.ReadTimeoutMs = 300;
  for (const char* failing : {"/nowhere", "/broken", "/stall"}) {
    EXPECT_THROW(client_.GetToFile(server_.Url(failing), target.string()), net::EHttpError) << failing;
    EXPECT_EQ(ReadFile(target), "old") << failing;
  }
  client_.GetToFile(server_.Url("/package.zip"), target.string());
  EXPECT_EQ(ReadFile(target), std::string(1234, 'z'));
  EXPECT_EQ(std::distance(fs::directory_iterator(folder_), fs::directory_iterator()), 1) << "a temporary file stayed";
}

// Bytes that keep coming never trip the read time-out: the size limit ends
// such a request, soon after the limit and without keeping the rest.
TEST_F(HttpClientTest, ABodyPastItsLimitEndsTheRequestThere) {
  constexpr std::int64_t kEachSentAtMost = std::int64_t{24} << 20;  // the limit and what the sockets buffer
  const fs::path target = folder_ / "package.zip";
  EXPECT_THROW(client_.Get(server_.Url("/endless")), net::EHttpBodyTooLarge);
  EXPECT_THROW(client_.GetBytes(server_.Url("/endless")), net::EHttpBodyTooLarge);
  EXPECT_THROW(client_.GetToFile(server_.Url("/endless"), target.string(), 100000), net::EHttpBodyTooLarge);
  EXPECT_FALSE(fs::exists(target));
  EXPECT_TRUE(fs::is_empty(folder_)) << "a temporary file stayed";
  try {
    client_.Get(server_.Url("/endless-error"));
    ADD_FAILURE() << "an error page succeeded";
  } catch (const net::EHttpProtocolError& error) {
    EXPECT_EQ(error.StatusCode(), 500);
  }
  EXPECT_LT(server_.endlessSent, 4 * kEachSentAtMost);  // four requests

  EXPECT_EQ(client_.GetBytes(server_.Url("/package.zip"), 1234), std::string(1234, 'z'));
  EXPECT_THROW(client_.GetBytes(server_.Url("/package.zip"), 1233), net::EHttpBodyTooLarge);
  client_.GetToFile(server_.Url("/package.zip"), target.string(), 1234);
  EXPECT_EQ(fs::file_size(target), 1234u);
}

TEST_F(HttpClientTest, ReadTimeOutEndsAStalledRequest) {
  client_.ReadTimeoutMs = 300;
  const auto start = Clock::now();
  try {
    client_.Get(server_.Url("/stall"));
    ADD_FAILURE() << "a stalled request succeeded";
  } catch (const net::EHttpProtocolError&) {
    ADD_FAILURE() << "a time-out is no status";
  } catch (const net::EHttpError& error) {
    EXPECT_NE(error.Message().find("timed out"), std::string::npos) << error.Message();
  }
  const auto elapsed = Clock::now() - start;
  EXPECT_GE(elapsed, milliseconds(300));
  EXPECT_LT(elapsed, milliseconds(2500));
}

TEST_F(HttpClientTest, AServerThatIsDownFailsAtOnce) {
  std::string url;
  {
    LoopbackServer gone;
    url = gone.Url("/utf8");
  }
  CountingPump pump;
  client_.Pump = &pump;
  EXPECT_THROW(client_.Get(url), net::EHttpError);
  EXPECT_THROW(client_.Head(url), net::EHttpError);
}

// A download that takes a while reports its progress and lets the caller's
// main loop run: a GLib timer keeps firing while the caller waits.
TEST_F(HttpClientTest, ASlowDownloadReportsProgressWhileTheMainLoopRuns) {
  struct GLibPump : net::IMessagePump {
    void ProcessMessages() override {
      while (g_main_context_iteration(nullptr, FALSE)) {
      }
    }
  } pump;
  int ticks = 0;
  const guint timer = g_timeout_add(
      20,
      [](gpointer data) -> gboolean {
        ++*static_cast<int*>(data);
        return G_SOURCE_CONTINUE;
      },
      &ticks);
  std::vector<std::int64_t> counts;
  client_.Pump = &pump;
  client_.OnWork = [&counts](std::int64_t count) { counts.push_back(count); };
  const fs::path target = folder_ / "slow.bin";
  client_.GetToFile(server_.Url("/slow"), target.string());
  g_source_remove(timer);

  EXPECT_EQ(fs::file_size(target), kSlowChunks * kSlowChunkSize);
  ASSERT_GE(counts.size(), 3u);
  EXPECT_TRUE(std::is_sorted(counts.begin(), counts.end()));
  EXPECT_EQ(std::adjacent_find(counts.begin(), counts.end()), counts.end()) << "a count was reported twice";
  EXPECT_EQ(counts.back(), static_cast<std::int64_t>(kSlowChunks * kSlowChunkSize));
  EXPECT_GE(ticks, 5);
}

TEST_F(HttpClientTest, AClientFreedDuringItsPumpAbandonsTheRequest) {
  auto client = std::make_unique<net::THttpClient>();
  CountingPump pump;
  pump.action = [&client] { client.reset(); };
  client->Pump = &pump;
  const auto start = Clock::now();
  EXPECT_THROW(client->GetBytes(server_.Url("/stall")), net::EHttpError);
  EXPECT_EQ(pump.calls, 1);
  EXPECT_LT(Clock::now() - start, milliseconds(2000));
}

TEST_F(HttpClientTest, AFetchedDescriptionParsesAndAMalformedOneIsRefused) {
  const fs::path local = folder_ / "_control.tmp";
  net::TXmlDocument document;
  rtl::WriteFileBytes(local.string(), client_.Get(server_.Url("/version_control.xml")));
  document.LoadFromFile(local.string());
  const net::TXmlNode software = document.DocumentElement().FindNode("Software");
  EXPECT_EQ(software.FindNode("VersionCode").Text(), "41");
  EXPECT_THROW(document.DocumentElement().FindNode("Database").FindNode("VersionCode").Text(), net::EXmlError);

  rtl::WriteFileBytes(local.string(), client_.Get(server_.Url("/malformed.xml")));
  EXPECT_THROW(document.LoadFromFile(local.string()), net::EXmlError);
  EXPECT_FALSE(document.DocumentElement());
}

TEST(WebHostTest, TheEnvironmentOverridesTheBuiltInAddress) {
  unsetenv(net::kWebHostVariable);
  EXPECT_EQ(net::WebHostAddress(), net::kDefaultWebHost);
  setenv(net::kWebHostVariable, "", 1);
  EXPECT_EQ(net::WebHostAddress(), net::kDefaultWebHost);
  setenv(net::kWebHostVariable, "http://127.0.0.1:8080/", 1);
  EXPECT_EQ(net::WebHostAddress(), "http://127.0.0.1:8080");
  unsetenv(net::kWebHostVariable);
}

}  // namespace
