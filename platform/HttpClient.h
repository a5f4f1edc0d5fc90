#pragma once
// The HTTP client interface: the main window's long-lived client and the update
// worker's short-lived ones. A GET writes its body into a text buffer or a sink
// (an open OutputFile); failures come back as a result, never as an exception.
//
// Contract every implementation keeps (the update code relies on it):
// - A status outside 200..299 is a failure; the error text names the status,
//   for example "HTTP/1.1 404 Not Found".
// - A body that ends before the length the server announced is a failure.
// - Time-outs are failures whose error text contains "timed out."
//   ("Read timed out.", "Connect timed out.").
// - Disconnect() makes the transfer in progress fail soon after (within the next
//   chunk) with kHttpDisconnectedText; it may be called from the work events, from a
//   timer, or from any handler that runs while the transfer pumps window messages.
// - Cookies the server sets are accepted for later requests of the same client.
// - A GET on the main thread keeps the window responsive while it waits for data
//   (pending window messages are processed, so timers and buttons run and may call
//   Disconnect); on a worker thread it simply blocks.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <utility>

#include "platform/FileSystem.h"

namespace qev {

inline constexpr const char kHttpUserAgent[] = "Mozilla/3.0 (compatible; Indy Library)";
inline constexpr const char kHttpAccept[] = "text/html, */*";
inline constexpr const char kHttpContentType[] = "text/html";
inline constexpr const char kHttpDisconnectedText[] = "Connection closed by the client.";
inline constexpr const char kHttpTimedOutMark[] = "timed out.";
// Read time-out of the update worker's clients.
inline constexpr uint32_t kWorkerReadTimeoutMs = 30000;

struct HttpResult {
  bool ok = false;
  int status = 0;     // the answer's status; 0 when no answer arrived
  std::string error;  // why it failed; empty on success
};

// Receives a body chunk by chunk; returning false aborts the transfer (a write error).
class HttpSink {
 public:
  virtual ~HttpSink() = default;
  virtual bool Write(const void* data, size_t n) = 0;
};

// A sink that appends to a byte string.
class StringSink : public HttpSink {
 public:
  explicit StringSink(std::string& out) : out_(out) {}
  bool Write(const void* data, size_t n) override {
    out_.append(static_cast<const char*>(data), n);
    return true;
  }

 private:
  std::string& out_;
};

// A sink that writes into an open file; remembers the first write error.
class FileSink : public HttpSink {
 public:
  explicit FileSink(OutputFile& file) : file_(file) {}
  bool Write(const void* data, size_t n) override {
    if (error_ == kErrNone) error_ = file_.Write(data, n);
    return error_ == kErrNone;
  }
  SysError error() const { return error_; }

 private:
  OutputFile& file_;
  SysError error_ = kErrNone;
};

struct HttpHeaders {
  std::string userAgent = kHttpUserAgent;
  std::string accept = kHttpAccept;
  std::string contentType = kHttpContentType;
};

class HttpClient {
 public:
  // Expected body size at the start of a transfer (-1 when the server did not say).
  using WorkBeginEvent = std::function<void(int64_t expected)>;
  // Bytes received so far, during the transfer.
  using WorkEvent = std::function<void(int64_t countSoFar)>;

  virtual ~HttpClient() = default;

  virtual void SetFollowRedirects(bool on) = 0;
  // 0 keeps the implementation's default.
  virtual void SetReadTimeout(uint32_t ms) = 0;
  virtual void SetConnectTimeout(uint32_t ms) = 0;
  virtual void SetHeaders(const HttpHeaders& headers) = 0;
  // First byte asked for by the next GET (0 asks for the whole resource).
  virtual void SetRangeStart(uint64_t start) = 0;
  // The events run on the thread of the GET; implementations raise them through
  // FireWorkBegin and FireWork.
  void SetWorkEvents(WorkBeginEvent onBegin, WorkEvent onWork) {
    onBegin_ = std::move(onBegin);
    onWork_ = std::move(onWork);
  }
  const WorkBeginEvent& OnWorkBegin() const { return onBegin_; }
  const WorkEvent& OnWork() const { return onWork_; }

  // Blocking GET; runs the work events on the calling thread.
  virtual HttpResult Get(const std::string& url, HttpSink& sink) = 0;
  // Aborts the transfer in progress (no effect when none runs).
  virtual void Disconnect() = 0;

  HttpResult GetText(const std::string& url, std::string& body) {
    body.clear();
    StringSink sink(body);
    return Get(url, sink);
  }

 protected:
  void FireWorkBegin(int64_t expected) {
    if (onBegin_) onBegin_(expected);
  }
  void FireWork(int64_t countSoFar) {
    if (onWork_) onWork_(countSoFar);
  }

 private:
  WorkBeginEvent onBegin_;
  WorkEvent onWork_;
};

// One GET through client that counts only a complete 2xx answer as success: a status
// outside 200..299, or a body shorter than the length announced at work-begin, fails with
// an error text that carries the status. Holds even for a client that lets such an
// answer through. The client's own work events still run.
inline HttpResult CheckedGet(HttpClient& client, const std::string& url, HttpSink& sink) {
  class Counting : public HttpSink {
   public:
    explicit Counting(HttpSink& inner) : inner_(inner) {}
    bool Write(const void* data, size_t n) override {
      count += static_cast<int64_t>(n);
      return inner_.Write(data, n);
    }
    int64_t count = 0;

   private:
    HttpSink& inner_;
  };
  const HttpClient::WorkBeginEvent begin = client.OnWorkBegin();
  const HttpClient::WorkEvent work = client.OnWork();
  int64_t announced = -1;
  client.SetWorkEvents(
      [&](int64_t expected) {
        announced = expected;
        if (begin) begin(expected);
      },
      work);
  Counting counting(sink);
  HttpResult r;
  try {
    r = client.Get(url, counting);
  } catch (...) {
    // The caller's events are put back on every path; the failure goes on up.
    client.SetWorkEvents(begin, work);
    throw;
  }
  client.SetWorkEvents(begin, work);
  if (!r.ok) return r;
  const std::string status = "HTTP status " + std::to_string(r.status);
  if (r.status < 200 || r.status > 299) {
    r.ok = false;
    r.error = status;
  } else if (announced >= 0 && counting.count < announced) {
    r.ok = false;
    r.error = status + ": the body ended after " + std::to_string(counting.count) + " of " +
              std::to_string(announced) + " bytes";
  }
  return r;
}

// Makes the update worker's short-lived clients, one per request. Safe to call from
// any thread.
class HttpClientFactory {
 public:
  virtual ~HttpClientFactory() = default;
  virtual std::unique_ptr<HttpClient> Create() = 0;
};

}  // namespace qev
