// The status-server command reached by a client over loopback.

#include <arpa/inet.h>
#include <netinet/in.h>
#include <signal.h>
#include <sys/socket.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "ToolRunner.h"

namespace qev::test {
namespace {

int PortOf(const std::string& listeningLine) {
  const std::string prefix = "listening on 127.0.0.1:";
  if (listeningLine.rfind(prefix, 0) != 0) return -1;
  return std::stoi(listeningLine.substr(prefix.size()));
}

int Connect(int port) {
  int s = ::socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in a{};
  a.sin_family = AF_INET;
  a.sin_port = htons(static_cast<uint16_t>(port));
  a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  if (::connect(s, reinterpret_cast<sockaddr*>(&a), sizeof a) != 0) {
    ::close(s);
    return -1;
  }
  timeval tv{5, 0};
  setsockopt(s, SOL_SOCKET, SO_RCVTIMEO, &tv, sizeof tv);
  return s;
}

std::string ReadUntilClosed(int s, size_t atMost) {
  std::string got;
  char buf[256];
  while (got.size() < atMost) {
    ssize_t n = ::recv(s, buf, sizeof buf, 0);
    if (n <= 0) break;
    got.append(buf, static_cast<size_t>(n));
  }
  return got;
}

TEST(QevtoolStatusServer, PushesGbkTextClosesOnRequestAndStopsOnSignal) {
  BackgroundTool server({"status-server", "--port", "0", "--push", "ab#维护中", "--close"});
  int port = PortOf(server.ReadLine());
  ASSERT_GT(port, 0);

  for (int round = 0; round < 2; ++round) {
    int c = Connect(port);
    ASSERT_GE(c, 0);
    // The push arrives as GBK and the server then closes: the read ends with the text.
    EXPECT_EQ(ReadUntilClosed(c, 64), "ab#\xce\xac\xbb\xa4\xd6\xd0");
    ::close(c);
    std::string line = server.ReadLine();
    EXPECT_EQ(line.rfind("connection from 127.0.0.1:", 0), 0u) << line;
    EXPECT_NE(line.find("(closed)"), std::string::npos);
  }
  EXPECT_EQ(server.Stop(SIGTERM), 0);
}

TEST(QevtoolStatusServer, KeepsConnectionsOpenWithoutClose) {
  BackgroundTool server({"status-server", "--port", "0"});
  int port = PortOf(server.ReadLine());
  ASSERT_GT(port, 0);
  int c = Connect(port);
  ASSERT_GE(c, 0);
  EXPECT_EQ(server.ReadLine().rfind("connection from 127.0.0.1:", 0), 0u);
  // Nothing is pushed and the connection stays up: a short read times out.
  timeval tv{0, 200000};
  setsockopt(c, SOL_SOCKET, SO_RCVTIMEO, &tv, sizeof tv);
  char b;
  EXPECT_LT(::recv(c, &b, 1, 0), 0);
  ::close(c);
  EXPECT_EQ(server.Stop(SIGINT), 0);
  EXPECT_EQ(server.ReadLine(), "stopped");
}

TEST(QevtoolStatusServer, PortInUseFailsAndBadAddressIsUsage) {
  BackgroundTool first({"status-server", "--port", "0"});
  int port = PortOf(first.ReadLine());
  ASSERT_GT(port, 0);
  ToolResult second = RunTool({"status-server", "--port", std::to_string(port)});
  EXPECT_EQ(second.Exit, 1);
  EXPECT_NE(second.Err.find("cannot listen on 127.0.0.1:"), std::string::npos) << second.Err;

  ToolResult bad = RunTool({"status-server", "--port", "0", "--bind", "localhost"});
  EXPECT_EQ(bad.Exit, 2);
}

}  // namespace
}  // namespace qev::test
