#pragma once
// The program's HTTP client: plain GET and HEAD requests with the program's
// own user agent, no redirects followed, any status outside 200..299 taken
// as a failure.
//
// A request blocks its caller, but the transfer runs on a worker thread of
// its own while the calling thread waits in short steps; at each step it
// reports the bytes received so far to OnWork (when they changed) and lets
// the pump run, so the caller's windows keep painting and its timers keep
// firing. OnWork and the pump run on the calling thread only.
//
// Every request takes a body of a bounded size only: the read time-out
// cannot end an answer whose bytes keep coming, so a body that passes its
// request's limit ends the request there, and an error page is read no
// further than that limit either.
//
// Failures raise: EHttpProtocolError for an answer whose status is not
// 2xx (a redirect is one), EHttpBodyTooLarge for a body past its limit,
// EHttpError for everything else (no connection, the read time-out, a
// request abandoned because its client was freed during the pump). The
// message names the address. GetToFile raises the atomic writer's errors
// for its file as they are. No connection outlives a request.
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/rtl/Exceptions.h"

namespace net {

class EHttpError : public rtl::Exception {
 public:
  using rtl::Exception::Exception;
};

class EHttpBodyTooLarge : public EHttpError {
 public:
  using EHttpError::EHttpError;
};

class EHttpProtocolError : public EHttpError {
 public:
  EHttpProtocolError(std::string message, int statusCode) : EHttpError(std::move(message)), statusCode_(statusCode) {}
  int StatusCode() const { return statusCode_; }

 private:
  int statusCode_;
};

// The longest body kept in memory (Get, GetBytes), and the longest download
// into a file when its caller knows no better.
inline constexpr std::int64_t kMaxBodyInMemory = std::int64_t{1} << 20;
inline constexpr std::int64_t kMaxDownloadBytes = std::int64_t{512} << 20;

// "NAME" in the user agent "Mozilla/3.0 (compatible; NAME)".
inline constexpr std::string_view kUserAgent = "Mozilla/3.0 (compatible; esctool)";
// The Accept header of most requests, and of program downloads.
inline constexpr std::string_view kAcceptAny = "text/html, */*";
inline constexpr std::string_view kAcceptBrowser = "text/html,application/xhtml+xml,application/xml;q=0.9,*/*;q=0.8";

// What the caller's thread runs while it waits for a transfer: the class
// library's ProcessMessages, or a test's counter.
class IMessagePump {
 public:
  virtual ~IMessagePump() = default;
  virtual void ProcessMessages() = 0;
};

// The header fields of an answer, in the order received.
class THttpHeaders {
 public:
  void Add(std::string name, std::string value) { fields_.emplace_back(std::move(name), std::move(value)); }
  // The value of the first field of that name (case-insensitive), trimmed.
  std::optional<std::string> Value(std::string_view name) const;
  // "Content-Length" when it is present and a whole non-negative number.
  std::optional<std::int64_t> ContentLength() const;

 private:
  std::vector<std::pair<std::string, std::string>> fields_;
};

struct HttpRequest;

class THttpClient {
 public:
  THttpClient();
  // A client freed while one of its requests waits in the pump makes that
  // request stop and raise EHttpError; nothing of the client is touched after.
  ~THttpClient();
  THttpClient(const THttpClient&) = delete;
  THttpClient& operator=(const THttpClient&) = delete;

  // The longest wait for the next byte of the answer, counted from the
  // start of the request (so it bounds connecting too); 0 waits without end.
  int ReadTimeoutMs = 3000;
  // The longest wait for the connection alone; 0 leaves it to ReadTimeoutMs.
  int ConnectTimeoutMs = 0;
  std::string Accept{kAcceptAny};
  // Not owned; may be null (the caller then just waits).
  IMessagePump* Pump = nullptr;
  // Bytes of the body received so far in the current request.
  std::function<void(std::int64_t count)> OnWork;

  // The body as UTF-8 text, decoded from the charset of the answer's
  // Content-Type (UTF-8 when it names none); a leading byte-order mark is
  // dropped and undecodable bytes become U+FFFD. At most `maxBytes` bytes.
  std::string Get(const std::string& url, std::int64_t maxBytes = kMaxBodyInMemory);
  // The body's bytes as received, at most `maxBytes` of them.
  std::string GetBytes(const std::string& url, std::int64_t maxBytes = kMaxBodyInMemory);
  // The body's bytes, at most `maxBytes` of them, into `fileName` through
  // the atomic writer: on any failure the file keeps its old content (or
  // stays absent).
  void GetToFile(const std::string& url, const std::string& fileName, std::int64_t maxBytes = kMaxDownloadBytes);
  // The header fields of a HEAD request's answer.
  THttpHeaders Head(const std::string& url);

 private:
  std::string Fetch(const std::string& url, std::int64_t maxBytes, std::string& contentType);
  void Perform(HttpRequest& request);

  std::shared_ptr<bool> alive_;
};

}  // namespace net
