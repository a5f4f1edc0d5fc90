// The probe's socket against loopback listeners of the test's own, with the events
// recorded as they reach the handlers.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/win/win32/WinTestSupport.h"
#include "win32/AsyncClientSocket.h"

namespace qev::win32 {
namespace {

using test::Gbk;
using test::PumpFor;
using test::PumpUntil;

// WinSock for the test's own sockets.
struct WinsockScope {
  WinsockScope() {
    WSADATA wsa;
    WSAStartup(MAKEWORD(2, 2), &wsa);
  }
  ~WinsockScope() { WSACleanup(); }
};

int BoundPort(SOCKET s) {
  sockaddr_in a{};
  int len = sizeof a;
  getsockname(s, reinterpret_cast<sockaddr*>(&a), &len);
  return ntohs(a.sin_port);
}

sockaddr_in Loopback(int port) {
  sockaddr_in a{};
  a.sin_family = AF_INET;
  a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  a.sin_port = htons(static_cast<u_short>(port));
  return a;
}

// A listening socket on 127.0.0.1 that accepts without blocking.
class Listener {
 public:
  explicit Listener(int backlog = SOMAXCONN) : s_(socket(AF_INET, SOCK_STREAM, IPPROTO_TCP)) {
    const sockaddr_in a = Loopback(0);
    bind(s_.Get(), reinterpret_cast<const sockaddr*>(&a), sizeof a);
    listen(s_.Get(), backlog);
    u_long nonBlocking = 1;
    ioctlsocket(s_.Get(), FIONBIO, &nonBlocking);
  }
  int Port() const { return BoundPort(s_.Get()); }
  // Takes every waiting connection; true when there was one.
  bool AcceptWaiting() {
    bool any = false;
    for (SOCKET c; (c = accept(s_.Get(), nullptr, nullptr)) != INVALID_SOCKET; any = true)
      accepted_.emplace_back(c);
    return any;
  }
  SOCKET Last() const { return accepted_.empty() ? INVALID_SOCKET : accepted_.back().Get(); }
  void CloseAccepted() { accepted_.clear(); }

 private:
  SocketHandle s_;
  std::vector<SocketHandle> accepted_;
};

// A port of 127.0.0.1 where nothing listens.
int ClosedPort() {
  SocketHandle s(socket(AF_INET, SOCK_STREAM, IPPROTO_TCP));
  const sockaddr_in a = Loopback(0);
  bind(s.Get(), reinterpret_cast<const sockaddr*>(&a), sizeof a);
  return BoundPort(s.Get());
}

class AsyncClientSocketTest : public ::testing::Test {
 protected:
  void SetUp() override {
    sock.OnLookup = [this](uint32_t a) { Note("lookup", a); };
    sock.OnConnecting = [this](uint32_t a) { Note("connecting", a); };
    sock.OnConnect = [this](uint32_t a) { Note("connect", a); };
    sock.OnDisconnect = [this](uint32_t a) {
      Note("disconnect", a, sock.Active() ? " active" : "");
    };
    sock.OnRead = [this](uint32_t a) {
      std::string text(1, ' ');
      text += sock.ReceiveText();
      Note("read", a, text);
    };
    sock.OnError = [this](uint32_t a, SocketErrorKind kind, int& code) {
      Note("error", a, " " + std::to_string(static_cast<int>(kind)) + " " + std::to_string(code));
      if (!leaveErrors) {
        code = 0;
        sock.Close();
      }
    };
    sock.OnFailure = [this](const std::string& text) { failures.push_back(text); };
  }

  void Note(const char* what, uint32_t attempt, const std::string& more = "") {
    events.push_back(std::string(what) + " " + std::to_string(attempt) + more);
  }
  bool Saw(const std::string& event) const {
    for (const auto& e : events)
      if (e == event) return true;
    return false;
  }
  void Target(int port) {
    sock.SetAddress("127.0.0.1");
    sock.SetPort(port);
  }
  static std::string N(uint32_t attempt) { return std::to_string(attempt); }

  WinsockScope winsock;
  AsyncClientSocket sock;
  std::vector<std::string> events;
  std::vector<std::string> failures;
  bool leaveErrors = false;
};

TEST_F(AsyncClientSocketTest, ConnectsThenReadsAPushWholeThenSeesTheServerClose) {
  Listener server;
  Target(server.Port());
  const uint32_t a = sock.Open();
  EXPECT_NE(a, 0u);
  // Open returns without waiting for the network: only the lookup and connecting
  // events have run.
  EXPECT_EQ(events, (std::vector<std::string>{"lookup " + N(a), "connecting " + N(a)}));
  EXPECT_TRUE(sock.Active());
  EXPECT_FALSE(sock.Connected());

  ASSERT_TRUE(PumpUntil([&] { return Saw("connect " + N(a)); }));
  EXPECT_TRUE(sock.Connected());
  EXPECT_TRUE(sock.Active());
  EXPECT_TRUE(PumpUntil([&] { return server.AcceptWaiting(); }));

  // A target change while active is refused; the same value is accepted.
  try {
    sock.SetPort(server.Port() + 1);
    ADD_FAILURE() << "changed the port while active";
  } catch (const SocketError& e) {
    EXPECT_EQ(std::string(e.what()), Gbk("Socket 激活时不能改变值"));
  }
  EXPECT_THROW(sock.SetAddress("127.0.0.2"), SocketError);
  EXPECT_NO_THROW(sock.SetAddress("127.0.0.1"));
  EXPECT_NO_THROW(sock.SetPort(server.Port()));
  EXPECT_EQ(sock.Port(), server.Port());
  try {
    sock.Open();
    ADD_FAILURE() << "opened twice";
  } catch (const SocketError& e) {
    EXPECT_EQ(std::string(e.what()), Gbk("Socket 已经打开"));
  }

  const std::string push = "ab#" + Gbk("今晚 22 点维护") + std::string(3000, 'x');
  ASSERT_EQ(send(server.Last(), push.data(), static_cast<int>(push.size()), 0),
            static_cast<int>(push.size()));
  ASSERT_TRUE(PumpUntil([&] { return events.back().rfind("read", 0) == 0; }));
  EXPECT_EQ(events.back(), "read " + N(a) + " " + push);

  server.CloseAccepted();
  ASSERT_TRUE(PumpUntil([&] { return Saw("disconnect " + N(a)); }));
  EXPECT_FALSE(sock.Active());
  EXPECT_FALSE(sock.Connected());
  EXPECT_EQ(sock.ReceiveText(), "");
  EXPECT_TRUE(failures.empty());

  // Inactive again, the target can change and a new attempt gets a new number.
  EXPECT_NO_THROW(sock.SetPort(server.Port()));
  const uint32_t b = sock.Open();
  EXPECT_NE(b, a);
  EXPECT_TRUE(PumpUntil([&] { return Saw("connect " + N(b)); }));
  sock.SetActive(false);
  EXPECT_EQ(events.back(), "disconnect " + N(b));
}

TEST_F(AsyncClientSocketTest, AServerClosingRightAfterTheAcceptStillConnectsFirst) {
  Listener server;
  Target(server.Port());
  const uint32_t a = sock.Open();
  ASSERT_TRUE(PumpUntil([&] {
    if (server.AcceptWaiting()) server.CloseAccepted();
    return Saw("disconnect " + N(a));
  }));
  EXPECT_EQ(events, (std::vector<std::string>{"lookup " + N(a), "connecting " + N(a),
                                              "connect " + N(a), "disconnect " + N(a)}));
  EXPECT_FALSE(sock.Active());
}

TEST_F(AsyncClientSocketTest, AClosedPortReportsAConnectErrorThenTheCloseDisconnects) {
  const int port = ClosedPort();
  Target(port);
  const uint32_t a = sock.Open();
  ASSERT_TRUE(PumpUntil([&] { return Saw("disconnect " + N(a)); }));
  EXPECT_EQ(events, (std::vector<std::string>{"lookup " + N(a), "connecting " + N(a),
                                              "error " + N(a) + " 3 10061", "disconnect " + N(a)}));
  EXPECT_FALSE(sock.Active());

  // An error the handler leaves unhandled reaches the application's error handler.
  leaveErrors = true;
  const uint32_t b = sock.Open();
  ASSERT_TRUE(PumpUntil([&] { return !failures.empty(); }));
  EXPECT_EQ(events.back(), "error " + N(b) + " 3 10061");
  EXPECT_EQ(failures, (std::vector<std::string>{Gbk("Asynchronous socket 错误 10061")}));
  sock.Close();
  EXPECT_EQ(events.back(), "disconnect " + N(b));
}

TEST_F(AsyncClientSocketTest, MissingTargetsAndFailedLookupsAreLookupErrors) {
  // Neither host nor address.
  const uint32_t a = sock.Open();
  EXPECT_EQ(events, (std::vector<std::string>{"lookup " + N(a), "error " + N(a) + " 6 1110",
                                              "disconnect " + N(a)}));
  leaveErrors = true;
  try {
    sock.Open();
    ADD_FAILURE() << "opened without an address";
  } catch (const SocketError& e) {
    EXPECT_EQ(std::string(e.what()), Gbk("没指定地址"));
  }
  EXPECT_FALSE(sock.Active());
  leaveErrors = false;

  // A host name is looked up without blocking, then connected to.
  Listener server;
  sock.SetHost("localhost");
  sock.SetPort(server.Port());
  events.clear();
  const uint32_t b = sock.Open();
  EXPECT_EQ(events, (std::vector<std::string>{"lookup " + N(b)}));
  ASSERT_TRUE(PumpUntil([&] { return Saw("connect " + N(b)); }));
  EXPECT_EQ(events[1], "connecting " + N(b));
  sock.Close();

  // An unknown host and an unknown service fail as lookups.
  sock.SetHost("no-such-host.invalid");
  const uint32_t c = sock.Open();
  ASSERT_TRUE(PumpUntil([&] { return Saw("disconnect " + N(c)); }));
  EXPECT_TRUE(Saw("error " + N(c) + " 6 11001") || Saw("error " + N(c) + " 6 11004"))
      << events.back();
  EXPECT_FALSE(Saw("connecting " + N(c)));

  sock.SetHost("");
  sock.SetAddress("127.0.0.1");
  sock.SetService("qev-no-such-service");
  const uint32_t d = sock.Open();
  ASSERT_TRUE(PumpUntil([&] { return Saw("disconnect " + N(d)); }));
  EXPECT_FALSE(Saw("connecting " + N(d)));
  EXPECT_EQ(events[events.size() - 2].rfind("error " + N(d) + " 6 ", 0), 0u);
  EXPECT_TRUE(failures.empty());
}

// Listener with a full queue: further attempts stay pending.
class FullListener {
 public:
  FullListener() : server_(0) {
    const sockaddr_in a = Loopback(server_.Port());
    for (int i = 0; i < 4; ++i) {
      fillers_.emplace_back(socket(AF_INET, SOCK_STREAM, IPPROTO_TCP));
      u_long nonBlocking = 1;
      ioctlsocket(fillers_.back().Get(), FIONBIO, &nonBlocking);
      connect(fillers_.back().Get(), reinterpret_cast<const sockaddr*>(&a), sizeof a);
    }
    Sleep(200);
  }
  int Port() const { return server_.Port(); }
  void Drain() { server_.AcceptWaiting(); }

 private:
  Listener server_;
  std::vector<SocketHandle> fillers_;
};

TEST_F(AsyncClientSocketTest, ARetargetAbandonsThePendingAttemptAndNothingOfItArrivesLater) {
  FullListener stuck;
  Listener good;
  Target(stuck.Port());
  const uint32_t a = sock.Open();
  PumpFor(300);
  ASSERT_EQ(events, (std::vector<std::string>{"lookup " + N(a), "connecting " + N(a)}))
      << "the attempt did not stay pending";

  sock.SetActive(false);  // abandons the attempt without an event
  EXPECT_FALSE(sock.Active());
  EXPECT_EQ(events.size(), 2u);
  Target(good.Port());
  const uint32_t b = sock.Open();
  ASSERT_TRUE(PumpUntil([&] { return Saw("connect " + N(b)); }));

  // The stuck server frees its queue; whatever happens to the old attempt now, none
  // of it reaches a handler.
  stuck.Drain();
  PumpFor(300);
  stuck.Drain();
  EXPECT_EQ(events,
            (std::vector<std::string>{"lookup " + N(a), "connecting " + N(a), "lookup " + N(b),
                                      "connecting " + N(b), "connect " + N(b)}));
  EXPECT_TRUE(sock.Connected());
}

// Notifications of an abandoned attempt that are already waiting in the queue when a
// new attempt starts (the new socket may get the old handle value back) belong to the
// old attempt: a queued refusal must not fail the new one, a queued connect must not
// make a refused one look connected.
TEST_F(AsyncClientSocketTest, QueuedNotificationsOfAnAbandonedAttemptNeverCountForTheNext) {
  Listener good;
  const int closed = ClosedPort();

  Target(closed);
  const uint32_t a = sock.Open();
  Sleep(200);  // the refusal is queued, not yet dispatched
  sock.SetActive(false);
  Target(good.Port());
  const uint32_t b = sock.Open();
  ASSERT_TRUE(PumpUntil([&] { return Saw("connect " + N(b)); }));
  PumpFor(100);
  EXPECT_EQ(events,
            (std::vector<std::string>{"lookup " + N(a), "connecting " + N(a), "lookup " + N(b),
                                      "connecting " + N(b), "connect " + N(b)}));
  sock.SetActive(false);

  events.clear();
  Target(good.Port());
  const uint32_t c = sock.Open();
  Sleep(200);  // the connect is queued
  sock.SetActive(false);
  Target(closed);
  const uint32_t d = sock.Open();
  ASSERT_TRUE(PumpUntil([&] { return Saw("disconnect " + N(d)); }));
  PumpFor(100);
  EXPECT_EQ(events, (std::vector<std::string>{"lookup " + N(c), "connecting " + N(c),
                                              "lookup " + N(d), "connecting " + N(d),
                                              "error " + N(d) + " 3 10061", "disconnect " + N(d)}));
  EXPECT_TRUE(failures.empty());
}

}  // namespace
}  // namespace qev::win32
