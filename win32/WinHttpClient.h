#pragma once
// HttpClient over WinHTTP.
//
// The blocking WinHTTP calls of a GET run on a helper thread of their own; the calling
// thread waits for its chunks while processing its pending window messages, writes them
// into the sink and raises the work events. So a GET on the window's thread keeps the
// window responsive, and Disconnect (from a work event, a timer or a button that runs
// meanwhile) ends the GET at once: the helper is left to finish its current call and
// close its handles on its own. Reads are sized from WinHttpQueryDataAvailable, since a
// larger read waits until its buffer is full.
//
// Time-outs: connect and read time-outs go to WinHTTP (the read time-out also bounds the
// wait for the answer's headers), and the waiting thread enforces the read time-out too,
// so a server that stalls always ends in an error containing "timed out.".
//
// HTTPS uses the system's certificate checks; a failed check is an error, never a retry
// over plain HTTP. Cookies the server sets are kept by the client for later GETs to the
// same host.

#include <atomic>
#include <cstdint>
#include <map>
#include <memory>
#include <mutex>
#include <string>

#include "platform/HttpClient.h"

namespace qev::win32 {

class WinHttpClient : public qev::HttpClient {
 public:
  // WinHTTP's own defaults, used when a time-out is set to 0.
  static constexpr uint32_t kDefaultConnectTimeoutMs = 60000;
  static constexpr uint32_t kDefaultReadTimeoutMs = 30000;

  WinHttpClient();
  ~WinHttpClient() override;

  void SetFollowRedirects(bool on) override { follow_ = on; }
  void SetReadTimeout(uint32_t ms) override { readMs_ = ms ? ms : kDefaultReadTimeoutMs; }
  void SetConnectTimeout(uint32_t ms) override { connectMs_ = ms ? ms : kDefaultConnectTimeoutMs; }
  void SetHeaders(const qev::HttpHeaders& headers) override { headers_ = headers; }
  void SetRangeStart(uint64_t start) override { rangeStart_ = start; }
  qev::HttpResult Get(const std::string& url, qev::HttpSink& sink) override;
  void Disconnect() override { stop_ = true; }

  struct Transfer;

 private:
  bool follow_ = true;
  uint32_t connectMs_ = kDefaultConnectTimeoutMs;
  uint32_t readMs_ = kDefaultReadTimeoutMs;
  qev::HttpHeaders headers_;
  uint64_t rangeStart_ = 0;
  std::atomic<bool> stop_{false};
  // Cookies by host (lower case), then by name.
  std::map<std::string, std::map<std::string, std::string>> cookies_;
};

class WinHttpClientFactory : public qev::HttpClientFactory {
 public:
  std::unique_ptr<qev::HttpClient> Create() override;
};

}  // namespace qev::win32
