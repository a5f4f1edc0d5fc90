// The zone list: selection, the readiness gate and the "down" display.
#include <cstdint>
#include <stdexcept>

#include "config/AddressHelpers.h"
#include "launcher/TForm1.h"
#include "launcher/Texts.h"

namespace qev {

namespace {

// The status port lies this far above the game port.
constexpr int64_t kProbePortOffset = 1000;

// The record of a row; a row that is not a record (below the last row, none) throws.
const TServerInfo& ServerAt(const TServerList& list, int row) {
  if (row < 0 || static_cast<size_t>(row) >= list.size())
    throw std::out_of_range("no server in that row");
  return *list[static_cast<size_t>(row)];
}

// The zone's notice, if it has one, after a short delay that keeps the window going.
void ShowZoneNotice(TForm1& form, const TServerInfo& server) {
  // ShowMsg runs a nested message loop: keep a copy, the list may be rebuilt meanwhile.
  const std::string notice = server.ServerNotice;
  if (notice.empty()) return;
  form.DelayPump(150);
  form.ShowMsg(4, notice);
}

}  // namespace

void TForm1::Combo1Change() {
  ServerOnline = false;
  try {
    ClientSocket1.SetActive(false);
    Image2.SetVisible(true);
    Image1.SetVisible(false);
    ServerIp.clear();
    ProbePort = 0;
    ZT.Repaint();
    services_.App.SetBusyCursor(true);
    SelectServer();
  } catch (...) {
    // A click below the last row ends here, with the display reset above.
  }
  services_.App.SetBusyCursor(false);
}

void TForm1::SelectServer() {
  SelectedServer = combo1.ItemIndex();
  const TServerInfo& server = ServerAt(Values.ServerList, SelectedServer);
  ServerIp = HostToIp(services_.Resolver, server.ServerAddress);
  // Widened, so a configured port near the top of the range cannot overflow.
  const int64_t probePort = int64_t{server.ServerPort} + kProbePortOffset;
  if (probePort < 1 || probePort > 65535) {
    // No such port: the probe fails at once, without opening anything.
    MarkServerDown();
    ShowZoneNotice(*this, server);
    return;
  }
  ProbePort = static_cast<int32_t>(probePort);
  ClientSocket1.SetAddress(ServerIp);
  ClientSocket1.SetPort(ProbePort);
  ProbeStartTick = services_.Ticks.TickCount();
  // The attempt number is known only when Open returns, but the connecting event runs
  // inside Open: take the next number as current until then.
  ProbeAttempt = kProbeOpening;
  try {
    ProbeAttempt = ClientSocket1.Open();
  } catch (...) {
    // No attempt is under way after a failed open; the failure itself goes on up.
    ProbeAttempt = kNoProbe;
    throw;
  }
  ShowZoneNotice(*this, server);
}

bool TForm1::CheckServerReady(const std::string& text) {
  if (ServerOnline) return false;
  if (combo1.ItemIndex() == 0 && Values.ServerList.size() > 1)
    ShowMsg(3, texts::kPickZoneFirst);
  else
    ShowMsg(2, text);
  return true;
}

void TForm1::MarkServerDown() {
  ClientSocket1.SetActive(false);
  ServerOnline = false;
  Image1.SetVisible(false);
  Image2.SetVisible(true);
  ZT.SetText(texts::kServerDown);
  if (SelectedServer >= 0 && static_cast<size_t>(SelectedServer) < Values.ServerList.size())
    combo1.SetRow(SelectedServer, Values.ServerList[SelectedServer]->ServerCaption);
}

std::string TForm1::SelectedCaption() const {
  return ServerAt(Values.ServerList, SelectedServer).ServerCaption;
}

}  // namespace qev
