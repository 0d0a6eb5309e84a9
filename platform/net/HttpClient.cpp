#include "platform/net/HttpClient.h"

#include <curl/curl.h>

#include <atomic>
#include <cctype>
#include <chrono>
#include <condition_variable>
#include <exception>
#include <mutex>
#include <thread>

#include "platform/rtl/AtomicFile.h"
#include "platform/rtl/TextConvert.h"

namespace net {
namespace {

using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

// How long the calling thread waits between two pumps, and the worker
// between two looks at the abandon flag and the read clock.
constexpr milliseconds kPumpStep{10};
constexpr int kWorkerStepMs = 20;

struct CurlEasyDeleter {
  void operator()(CURL* handle) const { curl_easy_cleanup(handle); }
};
struct CurlMultiDeleter {
  void operator()(CURLM* handle) const { curl_multi_cleanup(handle); }
};
struct CurlListDeleter {
  void operator()(curl_slist* list) const { curl_slist_free_all(list); }
};
using CurlEasy = std::unique_ptr<CURL, CurlEasyDeleter>;
using CurlMulti = std::unique_ptr<CURLM, CurlMultiDeleter>;
using CurlList = std::unique_ptr<curl_slist, CurlListDeleter>;

void InitCurlOnce() {
  static std::once_flag once;
  std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

std::string_view Trim(std::string_view text) {
  const auto first = text.find_first_not_of(" \t\r\n");
  if (first == std::string_view::npos) return {};
  const auto last = text.find_last_not_of(" \t\r\n");
  return text.substr(first, last - first + 1);
}

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i]))) return false;
  return true;
}

// The charset parameter of a Content-Type value, without quotes; empty when absent.
std::string CharsetOf(std::string_view contentType) {
  std::size_t start = contentType.find(';');
  while (start != std::string_view::npos) {
    const std::size_t end = contentType.find(';', start + 1);
    const std::string_view parameter = Trim(contentType.substr(start + 1, end - start - 1));
    const std::size_t equals = parameter.find('=');
    if (equals != std::string_view::npos && EqualsIgnoringCase(Trim(parameter.substr(0, equals)), "charset")) {
      std::string_view value = Trim(parameter.substr(equals + 1));
      if (value.size() >= 2 && value.front() == '"' && value.back() == '"') value = value.substr(1, value.size() - 2);
      return std::string(value);
    }
    start = end;
  }
  return {};
}

std::string DecodeText(const std::string& bytes, const std::string& charset) {
  const bool utf8 = charset.empty() || EqualsIgnoringCase(charset, "utf-8") || EqualsIgnoringCase(charset, "utf8");
  std::string text = rtl::CodePageToUtf8(utf8 ? bytes : rtl::CodePageToUtf8(bytes, charset.c_str()), "UTF-8");
  if (text.starts_with("\xEF\xBB\xBF")) text.erase(0, 3);
  return text;
}

}  // namespace

std::optional<std::string> THttpHeaders::Value(std::string_view name) const {
  for (const auto& [fieldName, value] : fields_)
    if (EqualsIgnoringCase(fieldName, name)) return value;
  return std::nullopt;
}

std::optional<std::int64_t> THttpHeaders::ContentLength() const {
  const auto text = Value("Content-Length");
  if (!text || text->empty() || text->size() > 18) return std::nullopt;
  std::int64_t length = 0;
  for (const char digit : *text) {
    if (digit < '0' || digit > '9') return std::nullopt;
    length = length * 10 + (digit - '0');
  }
  return length;
}

// One request: what the worker needs, and what it hands back. Lives on the
// calling thread's stack; the worker is joined before it goes.
struct HttpRequest {
  std::string url;
  bool head = false;
  int readTimeoutMs = 0;
  int connectTimeoutMs = 0;
  std::string accept;
  std::int64_t maxBodyBytes = 0;
  // Receives the body's bytes of a 2xx answer, on the worker thread.
  std::function<void(const char* data, std::size_t size)> sink;

  std::mutex mutex;
  std::condition_variable finishedSignal;
  bool finished = false;
  std::atomic<bool> abandon{false};
  std::atomic<std::int64_t> bodyBytes{0};
  std::int64_t discardedBytes = 0;  // of an error page

  // Written by the worker before `finished`, read by the caller after join.
  std::int64_t receivedBytes = 0;
  long status = 0;
  std::string statusLine;
  THttpHeaders headers;
  std::string contentType;
  std::string failure;
  std::exception_ptr sinkError;
  CURL* easy = nullptr;
};

namespace {

using Request = HttpRequest;

size_t OnHeaderLine(char* data, size_t size, size_t count, void* context) {
  auto& request = *static_cast<Request*>(context);
  const std::size_t length = size * count;
  request.receivedBytes += static_cast<std::int64_t>(length);
  const std::string_view line = Trim(std::string_view(data, length));
  if (line.starts_with("HTTP/")) {  // a new answer (after a 100 Continue, say)
    request.headers = THttpHeaders();
    request.statusLine = std::string(line);
  } else if (const auto colon = line.find(':'); colon != std::string_view::npos) {
    request.headers.Add(std::string(Trim(line.substr(0, colon))), std::string(Trim(line.substr(colon + 1))));
  }
  return length;
}

size_t OnBody(char* data, size_t size, size_t count, void* context) {
  auto& request = *static_cast<Request*>(context);
  const std::size_t length = size * count;
  request.receivedBytes += static_cast<std::int64_t>(length);
  long status = 0;
  curl_easy_getinfo(request.easy, CURLINFO_RESPONSE_CODE, &status);
  if (status < 200 || status > 299) {  // an error page is not the body asked for
    request.discardedBytes += static_cast<std::int64_t>(length);
    return request.discardedBytes > request.maxBodyBytes ? 0 : length;  // any count but `length` stops the transfer
  }
  if (request.bodyBytes + static_cast<std::int64_t>(length) > request.maxBodyBytes) {
    request.sinkError = std::make_exception_ptr(EHttpBodyTooLarge(
        rtl::Format("%s: the answer is longer than %lld bytes", request.url.c_str(),
                    static_cast<long long>(request.maxBodyBytes))));
    return 0;
  }
  try {
    if (request.sink) request.sink(data, length);
  } catch (...) {
    request.sinkError = std::current_exception();
    return 0;
  }
  request.bodyBytes += static_cast<std::int64_t>(length);
  return length;
}

void Configure(Request& request, CURL* easy, curl_slist* headers) {
  curl_easy_setopt(easy, CURLOPT_URL, request.url.c_str());
  curl_easy_setopt(easy, CURLOPT_PROTOCOLS_STR, "http,https");
  curl_easy_setopt(easy, CURLOPT_FOLLOWLOCATION, 0L);
  curl_easy_setopt(easy, CURLOPT_NOSIGNAL, 1L);
  curl_easy_setopt(easy, CURLOPT_USERAGENT, std::string(kUserAgent).c_str());
  curl_easy_setopt(easy, CURLOPT_HTTPHEADER, headers);
  curl_easy_setopt(easy, CURLOPT_NOBODY, request.head ? 1L : 0L);
  curl_easy_setopt(easy, CURLOPT_HEADERFUNCTION, OnHeaderLine);
  curl_easy_setopt(easy, CURLOPT_HEADERDATA, &request);
  curl_easy_setopt(easy, CURLOPT_WRITEFUNCTION, OnBody);
  curl_easy_setopt(easy, CURLOPT_WRITEDATA, &request);
  if (request.connectTimeoutMs > 0) curl_easy_setopt(easy, CURLOPT_CONNECTTIMEOUT_MS, long{request.connectTimeoutMs});
}

// Drives the transfer until it ends; returns why it failed, empty on success.
std::string Drive(Request& request, CURLM* multi) {
  std::int64_t lastReceived = -1;
  Clock::time_point lastActivity = Clock::now();
  int running = 1;
  while (true) {
    if (curl_multi_perform(multi, &running) != CURLM_OK) return "transfer failed";
    if (running == 0) break;
    if (request.abandon) return "request abandoned";
    if (request.receivedBytes != lastReceived) {
      lastReceived = request.receivedBytes;
      lastActivity = Clock::now();
    } else if (request.readTimeoutMs > 0 && Clock::now() - lastActivity >= milliseconds(request.readTimeoutMs)) {
      return "Read timed out";
    }
    curl_multi_poll(multi, nullptr, 0, kWorkerStepMs, nullptr);
  }
  int queued = 0;
  while (CURLMsg* message = curl_multi_info_read(multi, &queued))
    if (message->msg == CURLMSG_DONE && message->data.result != CURLE_OK)
      return curl_easy_strerror(message->data.result);
  return {};
}

void RunTransfer(Request& request) {
  CurlEasy easy(curl_easy_init());
  CurlMulti multi(curl_multi_init());
  CurlList headers(curl_slist_append(nullptr, ("Accept: " + request.accept).c_str()));
  std::string failure;
  if (!easy || !multi || !headers) {
    failure = "out of memory";
  } else {
    request.easy = easy.get();
    Configure(request, easy.get(), headers.get());
    curl_multi_add_handle(multi.get(), easy.get());
    failure = Drive(request, multi.get());
    curl_easy_getinfo(easy.get(), CURLINFO_RESPONSE_CODE, &request.status);
    const char* contentType = nullptr;
    if (curl_easy_getinfo(easy.get(), CURLINFO_CONTENT_TYPE, &contentType) == CURLE_OK && contentType)
      request.contentType = contentType;
    curl_multi_remove_handle(multi.get(), easy.get());
  }
  std::lock_guard lock(request.mutex);
  request.failure = std::move(failure);
  request.finished = true;
  request.finishedSignal.notify_all();
}

// Abandons and joins the worker on every way out of the caller's wait.
class WorkerGuard {
 public:
  WorkerGuard(Request& request, std::thread& worker) : request_(request), worker_(worker) {}
  ~WorkerGuard() {
    request_.abandon = true;
    if (worker_.joinable()) worker_.join();
  }

 private:
  Request& request_;
  std::thread& worker_;
};

}  // namespace

THttpClient::THttpClient() : alive_(std::make_shared<bool>(true)) { InitCurlOnce(); }

THttpClient::~THttpClient() { *alive_ = false; }

void THttpClient::Perform(HttpRequest& request) {
  request.readTimeoutMs = ReadTimeoutMs;
  request.connectTimeoutMs = ConnectTimeoutMs;
  request.accept = Accept;
  const std::shared_ptr<bool> alive = alive_;  // outlives this client if the pump frees it
  std::int64_t reported = 0;
  auto reportWork = [&] {
    const std::int64_t count = request.bodyBytes;
    if (count != reported && *alive && OnWork) OnWork(reported = count);
  };
  {
    std::thread worker([&request] { RunTransfer(request); });
    WorkerGuard guard(request, worker);
    std::unique_lock lock(request.mutex);
    while (!request.finished) {
      request.finishedSignal.wait_for(lock, kPumpStep);
      lock.unlock();
      reportWork();
      if (*alive && Pump) Pump->ProcessMessages();
      if (!*alive) request.abandon = true;
      lock.lock();
    }
  }
  if (!*alive) throw EHttpError(rtl::Format("%s: request abandoned", request.url.c_str()));
  if (request.sinkError) std::rethrow_exception(request.sinkError);
  const bool answered = request.status != 0;
  if (answered && (request.status < 200 || request.status > 299))
    throw EHttpProtocolError(rtl::Format("%s: %s", request.url.c_str(), request.statusLine.c_str()),
                             static_cast<int>(request.status));
  if (!request.failure.empty())
    throw EHttpError(rtl::Format("%s: %s", request.url.c_str(), request.failure.c_str()));
  reportWork();
}

std::string THttpClient::Fetch(const std::string& url, std::int64_t maxBytes, std::string& contentType) {
  HttpRequest request;
  request.url = url;
  request.maxBodyBytes = maxBytes;
  std::string body;
  request.sink = [&body](const char* data, std::size_t size) { body.append(data, size); };
  Perform(request);
  contentType = std::move(request.contentType);
  return body;
}

std::string THttpClient::GetBytes(const std::string& url, std::int64_t maxBytes) {
  std::string contentType;
  return Fetch(url, maxBytes, contentType);
}

std::string THttpClient::Get(const std::string& url, std::int64_t maxBytes) {
  std::string contentType;
  const std::string body = Fetch(url, maxBytes, contentType);
  return DecodeText(body, CharsetOf(contentType));
}

void THttpClient::GetToFile(const std::string& url, const std::string& fileName, std::int64_t maxBytes) {
  rtl::TAtomicFileWriter file(fileName);
  HttpRequest request;
  request.url = url;
  request.maxBodyBytes = maxBytes;
  request.sink = [&file](const char* data, std::size_t size) { file.Write(data, size); };
  Perform(request);
  file.Commit();
}

THttpHeaders THttpClient::Head(const std::string& url) {
  HttpRequest request;
  request.url = url;
  request.head = true;
  Perform(request);
  return std::move(request.headers);
}

}  // namespace net
