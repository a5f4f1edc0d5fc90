#include <winsock2.h>
#include <ws2tcpip.h>

#include <atomic>
#include <ostream>
#include <vector>

#include "StatusServer.h"
#include "ToolErrors.h"

namespace qev::tool {

namespace {

// Held connections beyond this are closed oldest first.
constexpr size_t kMaxHeld = 48;  // select() takes at most 64 sockets
constexpr long kPollMicroseconds = 200000;

std::atomic<bool> g_stop{false};

BOOL WINAPI OnConsoleStop(DWORD) {
  g_stop = true;
  return TRUE;
}

class WinsockSession {
 public:
  WinsockSession() {
    WSADATA wsa;
    if (WSAStartup(MAKEWORD(2, 2), &wsa) != 0) throw ToolError("cannot start Windows sockets");
  }
  ~WinsockSession() { WSACleanup(); }
};

class Sock {
 public:
  explicit Sock(SOCKET s = INVALID_SOCKET) : s_(s) {}
  ~Sock() {
    if (s_ != INVALID_SOCKET) closesocket(s_);
  }
  Sock(Sock&& o) noexcept : s_(o.s_) { o.s_ = INVALID_SOCKET; }
  Sock& operator=(Sock&& o) noexcept {
    std::swap(s_, o.s_);
    return *this;
  }
  SOCKET get() const { return s_; }

 private:
  SOCKET s_;
};

std::string PeerText(const sockaddr_in& a) {
  char ip[INET_ADDRSTRLEN] = "?";
  inet_ntop(AF_INET, &a.sin_addr, ip, sizeof ip);
  return std::string(ip) + ":" + std::to_string(ntohs(a.sin_port));
}

Sock Listen(const StatusServerOptions& o, std::string& boundText) {
  sockaddr_in addr{};
  addr.sin_family = AF_INET;
  addr.sin_port = htons(o.Port);
  if (inet_pton(AF_INET, o.BindAddress.c_str(), &addr.sin_addr) != 1)
    throw UsageError("--bind needs a dotted IPv4 address: " + o.BindAddress);
  Sock s(socket(AF_INET, SOCK_STREAM, IPPROTO_TCP));
  if (s.get() == INVALID_SOCKET) throw ToolError("cannot create a socket");
  int addrLen = sizeof addr;
  if (bind(s.get(), reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0 ||
      listen(s.get(), 64) != 0)
    throw ToolError("cannot listen on " + PeerText(addr) + " (error " +
                    std::to_string(WSAGetLastError()) + ")");
  getsockname(s.get(), reinterpret_cast<sockaddr*>(&addr), &addrLen);
  boundText = PeerText(addr);
  return s;
}

void SendAll(SOCKET s, const std::string& data) {
  size_t done = 0;
  while (done < data.size()) {
    int n = send(s, data.data() + done, static_cast<int>(data.size() - done), 0);
    if (n <= 0) return;
    done += static_cast<size_t>(n);
  }
}

}  // namespace

void RunStatusServer(const StatusServerOptions& o, std::ostream& log) {
  WinsockSession session;
  std::string bound;
  Sock listener = Listen(o, bound);
  g_stop = false;
  SetConsoleCtrlHandler(OnConsoleStop, TRUE);
  log << "listening on " << bound << std::endl;
  std::vector<Sock> held;
  while (!g_stop) {
    fd_set readable;
    FD_ZERO(&readable);
    FD_SET(listener.get(), &readable);
    for (const Sock& c : held) FD_SET(c.get(), &readable);
    timeval tv{0, kPollMicroseconds};
    if (select(0, &readable, nullptr, nullptr, &tv) <= 0) continue;
    for (size_t i = held.size(); i-- > 0;) {
      if (!FD_ISSET(held[i].get(), &readable)) continue;
      char buf[512];
      if (recv(held[i].get(), buf, sizeof buf, 0) <= 0)
        held.erase(held.begin() + static_cast<long>(i));
    }
    if (!FD_ISSET(listener.get(), &readable)) continue;
    sockaddr_in peer{};
    int len = sizeof peer;
    Sock c(accept(listener.get(), reinterpret_cast<sockaddr*>(&peer), &len));
    if (c.get() == INVALID_SOCKET) continue;
    if (!o.Push.empty()) SendAll(c.get(), o.Push);
    log << "connection from " << PeerText(peer) << (o.CloseAtOnce ? " (closed)" : "") << std::endl;
    if (o.CloseAtOnce) continue;
    if (held.size() >= kMaxHeld) held.erase(held.begin());
    held.push_back(std::move(c));
  }
  SetConsoleCtrlHandler(OnConsoleStop, FALSE);
  log << "stopped" << std::endl;
}

}  // namespace qev::tool
