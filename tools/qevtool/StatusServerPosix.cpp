#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <signal.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <ostream>
#include <vector>

#include "StatusServer.h"
#include "ToolErrors.h"

namespace qev::tool {

namespace {

// Held connections beyond this are closed oldest first, so a flood cannot exhaust
// the descriptors.
constexpr size_t kMaxHeld = 256;

int g_wakeWrite = -1;

extern "C" void OnStopSignal(int) {
  char b = 1;
  [[maybe_unused]] ssize_t n = ::write(g_wakeWrite, &b, 1);
}

class Fd {
 public:
  explicit Fd(int fd = -1) : fd_(fd) {}
  ~Fd() {
    if (fd_ >= 0) ::close(fd_);
  }
  Fd(Fd&& o) noexcept : fd_(o.fd_) { o.fd_ = -1; }
  Fd& operator=(Fd&& o) noexcept {
    std::swap(fd_, o.fd_);
    return *this;
  }
  int get() const { return fd_; }

 private:
  int fd_;
};

// Installs the stop handlers for the life of the object and restores the old ones.
class StopSignals {
 public:
  explicit StopSignals(int wakeWrite) {
    g_wakeWrite = wakeWrite;
    struct sigaction sa {};
    sa.sa_handler = OnStopSignal;
    sigemptyset(&sa.sa_mask);
    sigaction(SIGINT, &sa, &oldInt_);
    sigaction(SIGTERM, &sa, &oldTerm_);
    signal(SIGPIPE, SIG_IGN);
  }
  ~StopSignals() {
    sigaction(SIGINT, &oldInt_, nullptr);
    sigaction(SIGTERM, &oldTerm_, nullptr);
    g_wakeWrite = -1;
  }

 private:
  struct sigaction oldInt_ {
  }, oldTerm_{};
};

std::string PeerText(const sockaddr_in& a) {
  char ip[INET_ADDRSTRLEN] = "?";
  inet_ntop(AF_INET, &a.sin_addr, ip, sizeof ip);
  return std::string(ip) + ":" + std::to_string(ntohs(a.sin_port));
}

Fd Listen(const StatusServerOptions& o, std::string& boundText) {
  sockaddr_in addr{};
  addr.sin_family = AF_INET;
  addr.sin_port = htons(o.Port);
  if (inet_pton(AF_INET, o.BindAddress.c_str(), &addr.sin_addr) != 1)
    throw UsageError("--bind needs a dotted IPv4 address: " + o.BindAddress);
  Fd s(::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0));
  if (s.get() < 0) throw ToolError(std::string("cannot create a socket: ") + strerror(errno));
  int one = 1;
  setsockopt(s.get(), SOL_SOCKET, SO_REUSEADDR, &one, sizeof one);
  if (::bind(s.get(), reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0 ||
      ::listen(s.get(), 64) != 0)
    throw ToolError("cannot listen on " + PeerText(addr) + ": " + strerror(errno));
  socklen_t len = sizeof addr;
  getsockname(s.get(), reinterpret_cast<sockaddr*>(&addr), &len);
  boundText = PeerText(addr);
  return s;
}

void SendAll(int fd, const std::string& data) {
  size_t done = 0;
  while (done < data.size()) {
    ssize_t n = ::send(fd, data.data() + done, data.size() - done, MSG_NOSIGNAL);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return;  // the peer went away; nothing to report beyond the line
    done += static_cast<size_t>(n);
  }
}

class Server {
 public:
  Server(const StatusServerOptions& o, std::ostream& log) : o_(o), log_(log) {}

  void Run() {
    int pipeFds[2];
    if (::pipe2(pipeFds, O_CLOEXEC | O_NONBLOCK) != 0)
      throw ToolError(std::string("cannot create a pipe: ") + strerror(errno));
    Fd wakeRead(pipeFds[0]), wakeWrite(pipeFds[1]);
    std::string bound;
    Fd listener = Listen(o_, bound);
    StopSignals signals(wakeWrite.get());
    log_ << "listening on " << bound << std::endl;
    while (Step(listener.get(), wakeRead.get())) {
    }
    log_ << "stopped" << std::endl;
  }

 private:
  // One round of poll; false once a stop signal arrived.
  bool Step(int listener, int wakeRead) {
    std::vector<pollfd> fds{{wakeRead, POLLIN, 0}, {listener, POLLIN, 0}};
    for (const Fd& c : held_) fds.push_back({c.get(), POLLIN, 0});
    if (::poll(fds.data(), fds.size(), -1) < 0) return errno == EINTR || errno == EAGAIN;
    if (fds[0].revents) return false;
    for (size_t i = fds.size(); i-- > 2;)
      if (fds[i].revents) DrainOrDrop(i - 2);
    if (fds[1].revents & POLLIN) Accept(listener);
    return true;
  }

  void Accept(int listener) {
    sockaddr_in peer{};
    socklen_t len = sizeof peer;
    Fd c(::accept4(listener, reinterpret_cast<sockaddr*>(&peer), &len, SOCK_CLOEXEC));
    if (c.get() < 0) return;
    if (!o_.Push.empty()) SendAll(c.get(), o_.Push);
    log_ << "connection from " << PeerText(peer) << (o_.CloseAtOnce ? " (closed)" : "")
         << std::endl;
    if (o_.CloseAtOnce) return;
    if (held_.size() >= kMaxHeld) held_.erase(held_.begin());
    held_.push_back(std::move(c));
  }

  // The probe sends nothing; whatever arrives is dropped, and a closed peer is let go.
  void DrainOrDrop(size_t index) {
    char buf[512];
    ssize_t n = ::recv(held_[index].get(), buf, sizeof buf, MSG_DONTWAIT);
    if (n == 0 || (n < 0 && errno != EAGAIN && errno != EINTR))
      held_.erase(held_.begin() + static_cast<long>(index));
  }

  const StatusServerOptions& o_;
  std::ostream& log_;
  std::vector<Fd> held_;
};

}  // namespace

void RunStatusServer(const StatusServerOptions& options, std::ostream& log) {
  Server(options, log).Run();
}

}  // namespace qev::tool
