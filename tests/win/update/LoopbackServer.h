#pragma once
// A small HTTP/1.1 server on 127.0.0.1 for the Windows tests and the download benchmark:
// one thread accepts, one thread answers each connection (then closes it). Each path has
// an answer that can serve, fail with a status, redirect, set a cookie, echo the request,
// cut the body short, trickle it, or stall part-way until the server stops.

#include <winsock2.h>

#include <atomic>
#include <cstdint>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "win32/SocketHandle.h"

namespace qev::test {

struct Answer {
  int status = 200;
  std::string reason = "OK";
  std::string body;
  std::string extraHeaders;      // whole lines, each ending in CR LF
  int64_t announced = -1;        // Content-Length sent; -1: the body's size
  size_t stallAfter = SIZE_MAX;  // send this much of the body, then wait until Stop
  bool stallBeforeHeaders = false;
  size_t trickleBytes = 0;      // send the body in pieces this big ...
  uint32_t trickleDelayMs = 0;  // ... this far apart
  bool echoRequest = false;     // the body is the request's header text
};

class LoopbackServer {
 public:
  LoopbackServer();  // listens on an ephemeral port
  ~LoopbackServer();

  void Set(const std::string& path, Answer answer);
  std::string Url(const std::string& path) const;
  uint16_t Port() const { return port_; }
  // The header text of every request received, in order.
  std::vector<std::string> Requests() const;
  void Stop();

 private:
  void AcceptLoop();
  void Serve(win32::SocketHandle s);
  bool Wait(uint32_t ms);  // false when the server is stopping

  win32::SocketHandle listener_;
  uint16_t port_ = 0;
  HANDLE stopEvent_;
  std::atomic<bool> stopping_{false};
  std::thread acceptor_;
  mutable std::mutex mu_;
  std::vector<std::thread> workers_;
  std::map<std::string, Answer> answers_;
  std::vector<std::string> requests_;
};

}  // namespace qev::test
