#include "tests/win/update/LoopbackServer.h"

#include <ws2tcpip.h>

namespace qev::test {

namespace {

bool SendAll(SOCKET s, const char* data, size_t n) {
  while (n > 0) {
    int part = n > 65536 ? 65536 : static_cast<int>(n);
    int sent = send(s, data, part, 0);
    if (sent <= 0) return false;
    data += sent;
    n -= static_cast<size_t>(sent);
  }
  return true;
}

struct WinsockUser {
  WinsockUser() {
    WSADATA d;
    WSAStartup(MAKEWORD(2, 2), &d);
  }
  ~WinsockUser() { WSACleanup(); }
};

}  // namespace

LoopbackServer::LoopbackServer() : stopEvent_(CreateEventW(nullptr, TRUE, FALSE, nullptr)) {
  static WinsockUser winsock;
  listener_.Reset(socket(AF_INET, SOCK_STREAM, IPPROTO_TCP));
  sockaddr_in addr{};
  addr.sin_family = AF_INET;
  addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  addr.sin_port = 0;
  bind(listener_.Get(), reinterpret_cast<sockaddr*>(&addr), sizeof addr);
  int len = sizeof addr;
  getsockname(listener_.Get(), reinterpret_cast<sockaddr*>(&addr), &len);
  port_ = ntohs(addr.sin_port);
  listen(listener_.Get(), SOMAXCONN);
  acceptor_ = std::thread([this] { AcceptLoop(); });
}

LoopbackServer::~LoopbackServer() {
  Stop();
  CloseHandle(stopEvent_);
}

void LoopbackServer::Stop() {
  if (stopping_.exchange(true)) return;
  SetEvent(stopEvent_);
  {
    // A connection of our own wakes the accepting thread, which then sees stopping_.
    win32::SocketHandle wake(socket(AF_INET, SOCK_STREAM, IPPROTO_TCP));
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    addr.sin_port = htons(port_);
    connect(wake.Get(), reinterpret_cast<sockaddr*>(&addr), sizeof addr);
    if (acceptor_.joinable()) acceptor_.join();
  }
  listener_.Reset();
  std::vector<std::thread> workers;
  {
    std::lock_guard<std::mutex> lock(mu_);
    workers.swap(workers_);
  }
  for (auto& t : workers) t.join();
}

void LoopbackServer::Set(const std::string& path, Answer answer) {
  std::lock_guard<std::mutex> lock(mu_);
  answers_[path] = std::move(answer);
}

std::string LoopbackServer::Url(const std::string& path) const {
  return "http://127.0.0.1:" + std::to_string(port_) + path;
}

std::vector<std::string> LoopbackServer::Requests() const {
  std::lock_guard<std::mutex> lock(mu_);
  return requests_;
}

bool LoopbackServer::Wait(uint32_t ms) {
  return WaitForSingleObject(stopEvent_, ms) == WAIT_TIMEOUT;
}

void LoopbackServer::AcceptLoop() {
  for (;;) {
    SOCKET s = accept(listener_.Get(), nullptr, nullptr);
    if (s == INVALID_SOCKET) return;
    if (stopping_) {
      closesocket(s);
      return;
    }
    std::lock_guard<std::mutex> lock(mu_);
    workers_.emplace_back([this, s] { Serve(win32::SocketHandle(s)); });
  }
}

void LoopbackServer::Serve(win32::SocketHandle s) {
  std::string request;
  char buf[4096];
  while (request.find("\r\n\r\n") == std::string::npos) {
    int got = recv(s.Get(), buf, sizeof buf, 0);
    if (got <= 0) return;
    request.append(buf, static_cast<size_t>(got));
  }
  request.resize(request.find("\r\n\r\n") + 4);
  const size_t pathStart = request.find(' ') + 1;
  const std::string path = request.substr(pathStart, request.find(' ', pathStart) - pathStart);
  Answer a;
  {
    std::lock_guard<std::mutex> lock(mu_);
    requests_.push_back(request);
    auto it = answers_.find(path);
    if (it != answers_.end()) {
      a = it->second;
    } else {
      a.status = 404;
      a.reason = "Not Found";
      a.body = "no such path";
    }
  }
  if (a.stallBeforeHeaders) {
    Wait(INFINITE);
    return;
  }
  const std::string& body = a.echoRequest ? request : a.body;
  const int64_t announced = a.announced >= 0 ? a.announced : static_cast<int64_t>(body.size());
  std::string head = "HTTP/1.1 " + std::to_string(a.status) + " " + a.reason +
                     "\r\nContent-Length: " + std::to_string(announced) + "\r\n" + a.extraHeaders +
                     "Connection: close\r\n\r\n";
  if (!SendAll(s.Get(), head.data(), head.size())) return;
  const size_t upTo = a.stallAfter < body.size() ? a.stallAfter : body.size();
  if (a.trickleBytes == 0) {
    if (!SendAll(s.Get(), body.data(), upTo)) return;
  } else {
    for (size_t at = 0; at < upTo; at += a.trickleBytes) {
      size_t n = upTo - at < a.trickleBytes ? upTo - at : a.trickleBytes;
      if (!SendAll(s.Get(), body.data() + at, n) || !Wait(a.trickleDelayMs)) return;
    }
  }
  if (a.stallAfter < body.size()) Wait(INFINITE);
  shutdown(s.Get(), SD_SEND);
}

}  // namespace qev::test
