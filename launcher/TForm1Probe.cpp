// The status probe's event handlers.
#include "config/TextHelpers.h"
#include "launcher/TForm1.h"
#include "launcher/Texts.h"

namespace qev {

void TForm1::ClientSocket1Connecting(uint32_t attempt) {
  if (!IsCurrentProbe(attempt)) return;
  ZT.SetText(texts::kProbing);
}

void TForm1::ClientSocket1Connect(uint32_t attempt) {
  if (!IsCurrentProbe(attempt)) return;
  // Unsigned subtraction survives the tick count's wrap; shown signed as the text says.
  const uint32_t elapsed = services_.Ticks.TickCount() - ProbeStartTick;
  const std::string ms = IntToText(static_cast<int32_t>(elapsed)) + texts::kMs;
  ServerOnline = true;
  Image1.SetVisible(true);
  Image2.SetVisible(false);
  ZT.SetText(texts::kServerRunning + ms);
  try {
    combo1.SetRow(SelectedServer, SelectedCaption() + texts::kRowGap + ms);
  } catch (...) {
    // The list was rebuilt under the probe; the status line alone tells.
  }
}

void TForm1::ClientSocket1Read(uint32_t attempt) {
  const std::string text = ClientSocket1.ReceiveText();
  if (!IsCurrentProbe(attempt)) return;
  if (text.size() >= 3 && text.compare(0, 3, texts::kPushPrefix) == 0) ShowPlainBox(text.substr(3));
}

void TForm1::ClientSocket1Disconnect(uint32_t attempt) {
  if (!IsCurrentProbe(attempt)) return;
  if (!ServerOnline) MarkServerDown();
}

void TForm1::ClientSocket1Error(uint32_t attempt, SocketErrorKind kind, int& code) {
  code = 0;
  // A stale attempt's error is absorbed without touching the current connection.
  if (!IsCurrentProbe(attempt)) return;
  ClientSocket1.Close();
}

}  // namespace qev
