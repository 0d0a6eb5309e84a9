#pragma once
// The update and history commands against a web server on the loopback
// interface: a program folder of their own, the main window fake, the
// recording shell, and a server whose files and failures the test sets.
#include <gtest/gtest.h>
#include <unistd.h>
#include <zip.h>

#include <atomic>
#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <mutex>
#include <sstream>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "app/Restart.h"
#include "platform/rtl/AtomicFile.h"
#include "tests/support/loopback_http_server.h"
#include "tests/support/main_window_fakes.h"
#include "tests/support/shell_fakes.h"

namespace app_test {

namespace fs = std::filesystem;

// Registers the dialogs' resources and starts the toolkit's drawing back
// end (in a unit of its own: its platform header and the server's clash).
void StartDialogs();

inline std::string ReadFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream content;
  content << in.rdbuf();
  return content.str();
}

// The bytes of a zip archive of the given entries (made in `scratch`).
inline std::string ZipBytes(const fs::path& scratch, const std::vector<std::pair<std::string, std::string>>& entries) {
  int code = 0;
  zip_t* archive = zip_open(scratch.c_str(), ZIP_CREATE | ZIP_TRUNCATE, &code);
  for (const auto& [name, content] : entries)
    zip_file_add(archive, name.c_str(), zip_source_buffer(archive, content.data(), content.size(), 0), ZIP_FL_ENC_UTF_8);
  zip_close(archive);
  std::string bytes = ReadFile(scratch);
  fs::remove(scratch);
  return bytes;
}

// What the server answers; set before the request.
struct ServedFiles {
  std::mutex lock;
  std::map<std::string, std::string> files;   // path -> body
  std::map<std::string, int> statuses;        // path -> status other than 200; 0 stalls
  std::chrono::milliseconds slowChunkDelay{0}; // paths starting "/slow/" arrive in 1000-byte chunks
  std::map<std::string, std::int64_t> endless;  // path -> the size a HEAD announces (0: none); the body never ends
  std::atomic<std::int64_t> endlessSent{0};     // bytes of endless bodies that went out
};

inline void ServeFiles(httplib::Server& server, ServedFiles& served, const test_support::LoopbackHttpServer& self) {
  server.Get(R"(/.*)", [&served, &self](const httplib::Request& request, httplib::Response& response) {
    std::unique_lock guard(served.lock);
    if (const auto status = served.statuses.find(request.path); status != served.statuses.end()) {
      while (status->second == 0 && !self.Released()) std::this_thread::sleep_for(std::chrono::milliseconds(10));
      response.status = status->second == 0 ? 200 : status->second;
      return;
    }
    if (const auto endless = served.endless.find(request.path); endless != served.endless.end()) {
      if (request.method == "HEAD" && endless->second > 0)
        response.set_content(std::string(static_cast<std::size_t>(endless->second), ' '), "application/zip");
      else
        test_support::ServeEndlessBody(response, self, served.endlessSent);
      return;
    }
    const auto file = served.files.find(request.path);
    if (file == served.files.end()) {
      response.status = 404;
      return;
    }
    const std::string body = file->second;
    if (!request.path.starts_with("/slow/")) {
      response.set_content(body, "application/octet-stream");
      return;
    }
    const auto delay = served.slowChunkDelay;
    response.set_content_provider(body.size(), "application/octet-stream",
                                  [body, delay](size_t offset, size_t, httplib::DataSink& sink) {
                                    std::this_thread::sleep_for(delay);
                                    const std::size_t chunk = std::min<std::size_t>(1000, body.size() - offset);
                                    return sink.write(body.data() + offset, chunk);
                                  });
  });
}

class WebCommandTest : public ::testing::Test {
 protected:
  WebCommandTest() : server_([this](httplib::Server& server) { ServeFiles(server, served_, server_); }) {}

  void SetUp() override {
    setenv("no_proxy", "*", 1);
    setenv("ESCTOOL_WEB_HOST", server_.Host().c_str(), 1);
    folder_ = fs::path(::testing::TempDir()) / ("app-update-" + std::to_string(getpid())) / "";
    fs::remove_all(folder_);
    fs::create_directories(folder_);
    window_.Folder = folder_.string();
    StartDialogs();
    app::RestartFlag = false;
  }
  void TearDown() override {
    unsetenv("ESCTOOL_WEB_HOST");
    app::RestartFlag = false;
    fs::remove_all(folder_);
  }

  void Serve(const std::string& path, std::string body) {
    std::lock_guard guard(served_.lock);
    served_.files[path] = std::move(body);
    served_.endless.erase(path);
  }
  // A body that never ends, after a HEAD that announces `announcedSize`
  // bytes (0: no size).
  void ServeEndless(const std::string& path, std::int64_t announcedSize = 0) {
    std::lock_guard guard(served_.lock);
    served_.endless[path] = announcedSize;
  }
  void Fail(const std::string& path, int status) {
    std::lock_guard guard(served_.lock);
    served_.statuses[path] = status;
  }

  ServedFiles served_;
  test_support::LoopbackHttpServer server_;
  fs::path folder_;
  test_support::TFakeMainWindow window_;
  test_support::TRecordingShell shell_;
};

}  // namespace app_test
