#pragma once
// A real HTTP server on 127.0.0.1 at a free port, serving the routes a test
// gives it from a thread of its own until the server object goes. Handlers
// that stall should poll Released() so the server can stop. Link
// PkgConfig::HTTPLIB (cpp-httplib) to use it.
#include <httplib.h>

#include <atomic>
#include <chrono>
#include <cstdint>
#include <functional>
#include <string>
#include <thread>

namespace test_support {

class LoopbackHttpServer {
 public:
  explicit LoopbackHttpServer(const std::function<void(httplib::Server&)>& routes = {}) {
    if (routes) routes(server_);
    port_ = server_.bind_to_any_port("127.0.0.1");
    thread_ = std::thread([this] { server_.listen_after_bind(); });
    for (int i = 0; i < 500 && !server_.is_running(); ++i) std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  ~LoopbackHttpServer() {
    released_ = true;
    server_.stop();
    thread_.join();
  }
  LoopbackHttpServer(const LoopbackHttpServer&) = delete;
  LoopbackHttpServer& operator=(const LoopbackHttpServer&) = delete;

  std::string Host() const { return "http://127.0.0.1:" + std::to_string(port_); }
  std::string Url(const std::string& path) const { return Host() + path; }
  int Port() const { return port_; }
  // True once the server is going: stalled handlers should answer now.
  bool Released() const { return released_; }

 private:
  httplib::Server server_;
  std::atomic<bool> released_{false};
  std::thread thread_;
  int port_ = 0;
};

// Answers with a body that does not end: XML-looking text in 64 KiB chunks
// until the client stops reading, the server goes or, as a guard against a
// client that never stops, 64 MiB have gone out. `sent` counts the bytes
// handed to the connection.
inline constexpr std::int64_t kEndlessBodyCeiling = std::int64_t{64} << 20;
inline void ServeEndlessBody(httplib::Response& response, const LoopbackHttpServer& server,
                             std::atomic<std::int64_t>& sent) {
  response.set_chunked_content_provider("text/xml", [&server, &sent](size_t offset, httplib::DataSink& sink) {
    static const std::string chunk = "<a>" + std::string(65533, 'x');
    if (server.Released() || offset >= static_cast<size_t>(kEndlessBodyCeiling)) {
      sink.done();
      return true;
    }
    if (!sink.write(chunk.data(), chunk.size())) return false;
    sent += static_cast<std::int64_t>(chunk.size());
    return true;
  });
}

}  // namespace test_support
