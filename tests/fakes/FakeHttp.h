#pragma once
// An HTTP fake: a table of answers by URL shared by every client it makes. An answer
// can serve a body (in chunks, with work events), fail with a status, redirect, cut the
// body short of its announced length, time out, or stall until the client is
// disconnected. Every request is logged with the client settings it was made with.

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "platform/HttpClient.h"

namespace qev::test {

struct FakeAnswer {
  enum class Kind { Serve, TimeOut, Refuse, Stall };
  Kind kind = Kind::Serve;
  int status = 200;
  std::string reason = "OK";
  std::string body;
  int64_t announced = -1;        // Content-Length the server claims; -1: the body's size
  std::string location;          // redirect target (status 3xx)
  std::string errorText;         // TimeOut / Refuse / Stall-end text
  size_t sendBeforeFailing = 0;  // TimeOut and Stall: bytes delivered before it happens
  int stallRounds = 50;          // Stall: pump rounds before the read times out
};

struct FakeRequest {
  std::string url;
  bool followRedirects = false;
  uint32_t readTimeoutMs = 0;
  uint64_t rangeStart = 0;
  HttpHeaders headers;
};

class FakeHttpServer {
 public:
  void Serve(const std::string& url, std::string body);
  void Fail(const std::string& url, int status, std::string reason);
  void Redirect(const std::string& url, const std::string& to);
  // The body ends after body.size() bytes although `announced` were promised.
  void ServeShort(const std::string& url, std::string body, int64_t announced);
  void TimeOut(const std::string& url, std::string text = "Read timed out.",
               size_t sendBeforeFailing = 0);
  void Refuse(const std::string& url);
  // Delivers sendBeforeFailing bytes, then waits: on each wait round it calls the
  // client's pump (the window's message processing); after maxRounds rounds it fails
  // with "Read timed out.". A Disconnect ends the wait at once.
  void Stall(const std::string& url, size_t sendBeforeFailing, int maxRounds = 50);
  void Set(const std::string& url, FakeAnswer answer);

  size_t chunkSize = 4096;

  std::vector<FakeRequest> Requests() const;
  std::vector<std::string> RequestedUrls() const;
  bool Find(const std::string& url, FakeAnswer& out) const;

 private:
  friend class FakeHttpClient;
  void Log(FakeRequest r);
  mutable std::mutex mu_;
  std::map<std::string, FakeAnswer> answers_;
  std::vector<FakeRequest> requests_;
};

class FakeHttpClient : public HttpClient {
 public:
  explicit FakeHttpClient(FakeHttpServer& server) : server_(server) {}

  void SetFollowRedirects(bool on) override { follow_ = on; }
  void SetReadTimeout(uint32_t ms) override { readTimeout_ = ms; }
  void SetConnectTimeout(uint32_t) override {}
  void SetHeaders(const HttpHeaders& headers) override { headers_ = headers; }
  void SetRangeStart(uint64_t start) override { rangeStart_ = start; }
  HttpResult Get(const std::string& url, HttpSink& sink) override;
  void Disconnect() override { disconnected_ = true; }

  // Runs while a stalled transfer waits (as the window's message processing would).
  std::function<void()> pump;

 private:
  HttpResult Deliver(const FakeAnswer& a, HttpSink& sink, size_t limit);

  FakeHttpServer& server_;
  bool follow_ = false;
  uint32_t readTimeout_ = 0;
  uint64_t rangeStart_ = 0;
  HttpHeaders headers_;
  bool disconnected_ = false;
};

class FakeHttpFactory : public HttpClientFactory {
 public:
  explicit FakeHttpFactory(FakeHttpServer& server) : server_(server) {}
  std::unique_ptr<HttpClient> Create() override {
    return std::make_unique<FakeHttpClient>(server_);
  }

 private:
  FakeHttpServer& server_;
};

}  // namespace qev::test
