// Picking a zone and the status probe, with a socket the test drives.
#include <gtest/gtest.h>

#include "tests/unit/launcher/FormTestSupport.h"

namespace qev {
namespace {

using test::FakeFormKit;
using test::Gbk;

class ZoneProbe : public ::testing::Test {
 protected:
  void SetUp() override {
    kit.resolver.hosts["zone-b.example"] = "127.0.0.2";
    form = test::StartClient(kit, {{"127.0.0.1", 7000, "Zone A", ""},
                                   {"zone-b.example", 7100, "Zone B", ""},
                                   {"no-such-host.example", 7200, "Zone C", ""},
                                   {"127.0.0.4", 7300, "Zone D", "Welcome!"}});
  }
  std::string Running(int ms) { return Gbk("服务器运行中 ") + std::to_string(ms) + "ms"; }

  FakeFormKit kit;
  std::unique_ptr<TForm1> form;
};

TEST_F(ZoneProbe, ConnectShowsTimeInStatusAndRowThenServerCloseKeepsIt) {
  kit.clock.now = 5000;
  kit.combo1.ClickRow(1);
  EXPECT_EQ(form->SelectedServer, 1);
  EXPECT_EQ(form->ServerIp, "127.0.0.2");  // a host name is resolved
  EXPECT_EQ(form->ProbePort, 8100);
  EXPECT_EQ(kit.ClientSocket1.targets.back(), "127.0.0.2:8100");
  EXPECT_EQ(kit.ZT.text, Gbk("正在检测状态.."));
  EXPECT_EQ(kit.app.cursors, (std::vector<bool>{true, false}));

  kit.clock.now = 5015;
  kit.ClientSocket1.Connect();
  EXPECT_TRUE(form->ServerOnline);
  EXPECT_EQ(kit.ZT.text, Running(15));
  EXPECT_EQ(kit.combo1.Row(1), "Zone B  15ms");
  EXPECT_TRUE(kit.Image1.visible);
  EXPECT_FALSE(kit.Image2.visible);

  // The server closing a connection that succeeded changes nothing on screen.
  kit.ClientSocket1.ServerClose();
  EXPECT_TRUE(form->ServerOnline);
  EXPECT_EQ(kit.ZT.text, Running(15));
  EXPECT_EQ(kit.combo1.Row(1), "Zone B  15ms");
  EXPECT_TRUE(kit.Image1.visible);
}

TEST_F(ZoneProbe, ElapsedTimeSurvivesTheTickWrapAndCanBeZero) {
  kit.clock.now = 0xFFFFFFF0u;
  kit.combo1.ClickRow(0);
  kit.clock.now = 0x10;
  kit.ClientSocket1.Connect();
  EXPECT_EQ(kit.ZT.text, Running(32));

  kit.clock.now = 777;
  kit.combo1.ClickRow(0);
  kit.ClientSocket1.Connect();
  EXPECT_EQ(kit.ZT.text, Running(0));
  EXPECT_EQ(kit.combo1.Row(0), "Zone A  0ms");
}

TEST_F(ZoneProbe, RefusedProbeMarksTheZoneDownWithTheErrorAbsorbed) {
  kit.combo1.ClickRow(0);
  EXPECT_NO_THROW(kit.ClientSocket1.Refuse(10061));
  EXPECT_FALSE(form->ServerOnline);
  EXPECT_FALSE(kit.ClientSocket1.Active());
  EXPECT_EQ(kit.ZT.text, Gbk("服务器正在维护中"));
  EXPECT_EQ(kit.combo1.Row(0), "Zone A");
  EXPECT_FALSE(kit.Image1.visible);
  EXPECT_TRUE(kit.Image2.visible);
}

TEST_F(ZoneProbe, UnresolvableHostIsProbedAtNullAddress) {
  kit.combo1.ClickRow(2);
  EXPECT_EQ(form->ServerIp, "0.0.0.0");
  EXPECT_EQ(kit.ClientSocket1.targets.back(), "0.0.0.0:8200");
  kit.ClientSocket1.Refuse(10049);
  EXPECT_EQ(kit.ZT.text, Gbk("服务器正在维护中"));
}

TEST_F(ZoneProbe, PushedTextsOnlyShowAfterTheExactPrefix) {
  kit.combo1.ClickRow(0);
  kit.ClientSocket1.Connect();
  kit.ClientSocket1.Push("ab#" + Gbk("今晚维护"));
  kit.ClientSocket1.Push("ab");
  kit.ClientSocket1.Push("xab#hidden");
  kit.ClientSocket1.Push("AB#hidden");
  kit.ClientSocket1.Push("ab#");
  ASSERT_EQ(kit.boxes.shown.size(), 2u);
  EXPECT_EQ(kit.boxes.shown[0].text, Gbk("今晚维护"));
  EXPECT_EQ(kit.boxes.shown[0].caption, LauncherTitle);
  EXPECT_EQ(kit.boxes.shown[1].text, "");
  EXPECT_TRUE(form->ServerOnline);
}

TEST_F(ZoneProbe, SeveralPushesReadTogetherCountOnePrefix) {
  kit.combo1.ClickRow(0);
  kit.ClientSocket1.Connect();
  // Two pushes waiting at one read are one text.
  auto onRead = kit.ClientSocket1.OnRead;
  kit.ClientSocket1.OnRead = nullptr;
  kit.ClientSocket1.Push("ab#one");
  kit.ClientSocket1.OnRead = onRead;
  kit.ClientSocket1.Push("ab#two");
  ASSERT_EQ(kit.boxes.shown.size(), 1u);
  EXPECT_EQ(kit.boxes.shown[0].text, "oneab#two");
}

TEST_F(ZoneProbe, NewSelectionStopsAPendingAttemptAndIgnoresItsLateEvents) {
  kit.combo1.ClickRow(0);
  const uint32_t first = kit.ClientSocket1.attempt();
  ASSERT_TRUE(kit.ClientSocket1.pending());

  kit.combo1.ClickRow(1);
  EXPECT_EQ(kit.ClientSocket1.abandoned, 1);
  EXPECT_EQ(kit.ZT.text, Gbk("正在检测状态.."));

  // Late notifications of the first attempt change nothing and close nothing.
  kit.ClientSocket1.DeliverStaleConnect(first);
  EXPECT_FALSE(form->ServerOnline);
  EXPECT_EQ(kit.ZT.text, Gbk("正在检测状态.."));
  EXPECT_EQ(kit.combo1.Row(0), "Zone A");
  kit.ClientSocket1.DeliverStaleError(first);
  EXPECT_TRUE(kit.ClientSocket1.pending());
  EXPECT_EQ(kit.ZT.text, Gbk("正在检测状态.."));

  kit.clock.now += 40;
  kit.ClientSocket1.Connect();
  EXPECT_EQ(kit.ZT.text, Running(40));
  EXPECT_EQ(kit.combo1.Row(1), "Zone B  40ms");
  EXPECT_EQ(kit.combo1.Row(0), "Zone A");
}

TEST_F(ZoneProbe, NewSelectionWhileConnectedRestoresThePreviousRow) {
  kit.combo1.ClickRow(0);
  kit.ClientSocket1.Connect();
  ASSERT_EQ(kit.combo1.Row(0), "Zone A  0ms");

  kit.combo1.ClickRow(1);
  EXPECT_EQ(kit.combo1.Row(0), "Zone A");
  EXPECT_EQ(kit.ClientSocket1.opens, 2);
  EXPECT_EQ(kit.ZT.text, Gbk("正在检测状态.."));
  EXPECT_FALSE(kit.Image1.visible);

  // Clicking the same row again runs the whole selection again.
  kit.ClientSocket1.Connect();
  kit.combo1.ClickRow(1);
  EXPECT_EQ(kit.ClientSocket1.opens, 3);
  EXPECT_EQ(kit.combo1.Row(1), "Zone B");
  EXPECT_FALSE(form->ServerOnline);
}

TEST_F(ZoneProbe, ClickBelowTheLastRowResetsTheDisplayAndRestoresTheCursor) {
  kit.combo1.ClickRow(0);
  kit.ClientSocket1.Connect();
  kit.app.cursors.clear();

  kit.combo1.index = -1;
  kit.combo1.ClickRow(-1);
  EXPECT_EQ(form->SelectedServer, -1);
  EXPECT_FALSE(form->ServerOnline);
  EXPECT_TRUE(form->ServerIp.empty());
  EXPECT_EQ(form->ProbePort, 0);
  EXPECT_EQ(kit.ClientSocket1.opens, 1);
  EXPECT_TRUE(kit.Image2.visible);
  EXPECT_FALSE(kit.Image1.visible);
  EXPECT_EQ(kit.app.cursors, (std::vector<bool>{true, false}));
  EXPECT_EQ(kit.combo1.Row(0), "Zone A");

  // With no row selected the start refuses with the stop message.
  form->suiButton1Click();
  EXPECT_EQ(kit.MessForm.shown.back().text, Gbk("服务器正在重新启动或者正在维护中，请稍侯再来..."));
}

TEST_F(ZoneProbe, NoticeComesAfterAPumpedDelayAndProbeEventsRunMeanwhile) {
  kit.clock.step = 10;
  int connectedDuringDelay = 0;
  kit.app.onPump = [&] {
    if (kit.ClientSocket1.pending()) {
      kit.ClientSocket1.Connect();
      ++connectedDuringDelay;
    }
  };
  uint32_t noticeAt = 0;
  kit.MessForm.whileShown = [&] { noticeAt = kit.clock.now; };
  const uint32_t clickedAt = kit.clock.now;
  kit.combo1.ClickRow(3);
  EXPECT_EQ(connectedDuringDelay, 1);
  EXPECT_GE(noticeAt - clickedAt, 150u);
  ASSERT_EQ(kit.MessForm.shown.size(), 1u);
  EXPECT_EQ(kit.MessForm.shown[0].text, "Welcome!");
  EXPECT_EQ(kit.MessForm.shown[0].icon, TMessForm::Icon::None);
  EXPECT_TRUE(form->ServerOnline);

  // A zone without a notice shows no box.
  kit.combo1.ClickRow(0);
  EXPECT_EQ(kit.MessForm.shown.size(), 1u);
}

TEST(ZoneProbePort, AProbePortOutsideTheRangeFailsAtOnceWithoutOpening) {
  FakeFormKit kit;
  kit.clock.step = 10;  // the notice's delay needs a clock that moves
  auto form = test::StartClient(kit, {{"127.0.0.1", 64535, "Top", ""},
                                      {"127.0.0.1", 64536, "Over", "Note"},
                                      {"127.0.0.1", 2147483647, "Max", ""},
                                      {"127.0.0.1", -1000, "Zero", ""}});
  kit.combo1.ClickRow(0);
  EXPECT_EQ(kit.ClientSocket1.targets.back(), "127.0.0.1:65535");
  kit.ClientSocket1.Connect();
  ASSERT_TRUE(form->ServerOnline);

  for (int row : {1, 2, 3}) {
    kit.combo1.ClickRow(row);
    EXPECT_EQ(kit.ClientSocket1.opens, 1) << row;
    EXPECT_FALSE(kit.ClientSocket1.Active()) << row;
    EXPECT_FALSE(form->ServerOnline) << row;
    EXPECT_EQ(form->ProbePort, 0) << row;
    EXPECT_EQ(kit.ZT.text, Gbk("服务器正在维护中")) << row;
    EXPECT_TRUE(kit.Image2.visible) << row;
    EXPECT_FALSE(kit.Image1.visible) << row;
  }
  EXPECT_EQ(kit.combo1.Row(0), "Top");
  EXPECT_EQ(kit.combo1.Row(1), "Over");
  // The zone's notice still follows its selection.
  ASSERT_EQ(kit.MessForm.shown.size(), 1u);
  EXPECT_EQ(kit.MessForm.shown[0].text, "Note");
  EXPECT_EQ(kit.app.cursors.back(), false);

  form->suiButton1Click();
  EXPECT_EQ(kit.MessForm.shown.back().text, Gbk("服务器正在重新启动或者正在维护中，请稍侯再来..."));
}

}  // namespace
}  // namespace qev
