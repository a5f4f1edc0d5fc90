// The main window's status probe over the real socket and tick count, against loopback
// status ports: the controls are the test's, the network and the clock are not.

// The fakes first: once <windows.h> is in, MessageBox is a macro.
#include "tests/fakes/FakeFormKit.h"

#include <gtest/gtest.h>

#include <vector>

#include "config/LauncherConfig.h"
#include "tests/win/win32/WinTestSupport.h"
#include "win32/AsyncClientSocket.h"
#include "win32/WinShellServices.h"

namespace qev::win32 {
namespace {

using test::Gbk;
using test::PumpFor;
using test::PumpUntil;

int BoundPort(SOCKET s) {
  sockaddr_in a{};
  int len = sizeof a;
  getsockname(s, reinterpret_cast<sockaddr*>(&a), &len);
  return ntohs(a.sin_port);
}

// A status port on 127.0.0.1 that accepts without blocking; backlog 0 and a few
// waiting connections leave further attempts pending.
class StatusPort {
 public:
  explicit StatusPort(int backlog = SOMAXCONN) : s_(socket(AF_INET, SOCK_STREAM, IPPROTO_TCP)) {
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    bind(s_.Get(), reinterpret_cast<const sockaddr*>(&a), sizeof a);
    listen(s_.Get(), backlog);
    u_long nonBlocking = 1;
    ioctlsocket(s_.Get(), FIONBIO, &nonBlocking);
  }
  int Port() const { return BoundPort(s_.Get()); }
  void FillQueue() {
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    a.sin_port = htons(static_cast<u_short>(Port()));
    for (int i = 0; i < 4; ++i) {
      fillers_.emplace_back(socket(AF_INET, SOCK_STREAM, IPPROTO_TCP));
      u_long nonBlocking = 1;
      ioctlsocket(fillers_.back().Get(), FIONBIO, &nonBlocking);
      connect(fillers_.back().Get(), reinterpret_cast<const sockaddr*>(&a), sizeof a);
    }
    Sleep(200);
  }
  // Accepts what waits and pushes text to each new connection.
  void Serve(const std::string& push = "") {
    for (SOCKET c; (c = accept(s_.Get(), nullptr, nullptr)) != INVALID_SOCKET;) {
      if (!push.empty()) send(c, push.data(), static_cast<int>(push.size()), 0);
      accepted_.emplace_back(c);
    }
  }

 private:
  SocketHandle s_;
  std::vector<SocketHandle> fillers_;
  std::vector<SocketHandle> accepted_;
};

struct Zone {
  int port;
  std::string caption;
};

std::string ConfigText(const std::vector<Zone>& zones) {
  std::string text = "[LoginInfo]\r\nCaption1=client.exe\r\n";
  int n = 1;
  for (const Zone& z : zones) {
    text += "[Server" + std::to_string(n++) + "]\r\n";
    text += "ServerAddress=" + EncodeServerValue("127.0.0.1") + "\r\n";
    text += "ServerName=zone\r\n";
    text += "ServerPort=" + EncodeServerValue(std::to_string(z.port - 1000)) + "\r\n";
    text += "ServerCaption=" + z.caption + "\r\n";
  }
  return text;
}

// The kit's controls with the real socket in ClientSocket1's place.
TForm1Controls ControlsWith(test::FakeFormKit& k, ClientSocket& socket) {
  return TForm1Controls{k.window,
                        k.combo1,
                        k.ZT,
                        k.Image1,
                        k.Image2,
                        k.web,
                        k.RzLabel1,
                        k.suiButton1,
                        k.suiButton2,
                        k.suiButton6,
                        k.suiButton7,
                        k.suiImageButton_Min,
                        k.suiImageButton_Close,
                        k.zhaohuimima,
                        k.Opt1,
                        k.Opt2,
                        k.Opt3,
                        k.Combo2,
                        k.ProgressBarCount,
                        k.Button1,
                        k.TrayIcon1,
                        socket,
                        k.Timer1,
                        k.Timer4,
                        k.Timer5,
                        k.http,
                        k.MessForm,
                        k.suiMessageDialog1,
                        k.suiPopupMenu1,
                        k.M1,
                        k.M2,
                        k.M4,
                        k.suiPopupMenu2,
                        k.N1,
                        k.N2,
                        k.N3,
                        k.N8};
}

TEST(ProbeJourney, PicksZonesDownUpPendingAndPushingOverRealSockets) {
  WSADATA wsa;
  WSAStartup(MAKEWORD(2, 2), &wsa);
  StatusPort up;
  StatusPort pushing;
  StatusPort stuck(0);
  stuck.FillQueue();
  int closedPort;
  {
    StatusPort gone;
    closedPort = gone.Port();
  }

  test::FakeFormKit kit;
  kit.fs.AddFile(kit.values.ConfigFileName, ConfigText({{up.Port(), "Zone A"},
                                                        {closedPort, "Zone B"},
                                                        {stuck.Port(), "Zone C"},
                                                        {pushing.Port(), "Zone D"}}));
  kit.fs.AddFile("C:\\Game\\QevLogin.exe", "123456789");
  kit.fs.AddFile("C:\\Game\\client.exe", "MZ");
  AsyncClientSocket socket;
  WinClock clock;
  TForm1 form(ControlsWith(kit, socket),
              TForm1Services{kit.fs, kit.resolver, kit.app, kit.shell, kit.registry, kit.links,
                             clock, kit.boxes, kit.theme, kit.updates},
              kit.values);
  form.BindEvents();
  form.FormCreate();
  ASSERT_EQ(kit.combo1.Count(), 4);
  const std::string running = Gbk("服务器运行中 ");
  const std::string down = Gbk("服务器正在维护中");
  const std::string probing = Gbk("正在检测状态..");

  // A closed status port: the zone is down.
  kit.combo1.ClickRow(1);
  EXPECT_EQ(form.ProbePort, closedPort);
  ASSERT_TRUE(PumpUntil([&] { return kit.ZT.text == down; }));
  EXPECT_EQ(kit.combo1.Row(1), "Zone B");
  EXPECT_TRUE(kit.Image2.visible);

  // A listening one: up, with the measured time in the status line and in the row.
  kit.combo1.ClickRow(0);
  EXPECT_EQ(kit.ZT.text, probing);
  ASSERT_TRUE(PumpUntil([&] { return kit.ZT.text.rfind(running, 0) == 0; }));
  const std::string ms = kit.ZT.text.substr(running.size());
  ASSERT_GE(ms.size(), 3u);
  EXPECT_EQ(ms.substr(ms.size() - 2), "ms");
  EXPECT_EQ(std::to_string(std::stoi(ms)) + "ms", ms);
  EXPECT_EQ(kit.combo1.Row(0), "Zone A  " + ms);
  EXPECT_TRUE(form.ServerOnline);
  EXPECT_TRUE(kit.Image1.visible);
  up.Serve();

  // A zone that never answers: the previous row goes back to its caption, and when
  // the player picks again meanwhile, the old attempt never changes the new display.
  kit.combo1.ClickRow(2);
  EXPECT_EQ(kit.combo1.Row(0), "Zone A");
  PumpFor(300);
  EXPECT_EQ(kit.ZT.text, probing);
  kit.combo1.ClickRow(0);
  ASSERT_TRUE(PumpUntil([&] { return form.ServerOnline; }));
  const std::string shown = kit.ZT.text;
  stuck.Serve();
  PumpFor(300);
  EXPECT_EQ(kit.ZT.text, shown);
  EXPECT_EQ(kit.combo1.Row(2), "Zone C");
  EXPECT_TRUE(form.ServerOnline);

  // A zone that pushes a text: the player sees what follows "ab#".
  kit.combo1.ClickRow(3);
  ASSERT_TRUE(PumpUntil([&] {
    pushing.Serve("ab#" + Gbk("今晚维护"));
    return !kit.boxes.shown.empty();
  }));
  EXPECT_EQ(kit.boxes.shown[0].text, Gbk("今晚维护"));
  EXPECT_TRUE(form.ServerOnline);

  // Closing the window deactivates the probe; the zone keeps its last display.
  form.FormClose();
  EXPECT_FALSE(socket.Active());
  EXPECT_FALSE(socket.Connected());
  WSACleanup();
}

}  // namespace
}  // namespace qev::win32
