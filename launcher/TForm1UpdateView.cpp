// The window as the update code's view: the update code decides, these only show.
#include <exception>

#include "launcher/TForm1.h"

namespace qev {

void TForm1::BindUpdateEvents(UpdateEvents& events) {
  Timer4.OnTimer = [&events] { events.PatchTimerFired(); };
  Timer5.OnTimer = [&events] { events.StopWatchFired(); };
  Button1.OnClick = [&events] { events.StopButtonClicked(); };
  IdHTTP1.SetWorkEvents([&events](int64_t n) { events.TransferBegins(n); },
                        [&events](int64_t n) { events.TransferProgress(n); });
}

void TForm1::SetUpTransfers(const TransferSetup& setup) {
  IdHTTP1.SetFollowRedirects(setup.followRedirects);
  IdHTTP1.SetHeaders(setup.headers);
  IdHTTP1.SetConnectTimeout(setup.connectTimeoutMs);
  IdHTTP1.SetReadTimeout(setup.readTimeoutMs);
}

void TForm1::SetStatusText(const std::string& text) { ZT.SetText(text); }

void TForm1::SetProgressRange(int min, int max) {
  ProgressBarCount.SetMin(min);
  ProgressBarCount.SetMax(max);
}

void TForm1::SetProgressPosition(int position) { ProgressBarCount.SetPosition(position); }

void TForm1::ShowUpdateControls(bool updating) {
  ProgressBarCount.SetVisible(updating);
  Button1.SetVisible(updating);
  suiButton1.SetVisible(!updating);
}

bool TForm1::AskYesNo(const std::string& caption, const std::string& text) {
  suiMessageDialog1.SetCaption(caption);
  suiMessageDialog1.SetText(text);
  return suiMessageDialog1.ShowModal() == TMessageDialog::kYes;
}

void TForm1::SetTimerEnabled(UpdateTimer timer, bool on) {
  switch (timer) {
    case UpdateTimer::SelfUpdate:
      Timer1.SetEnabled(on);
      break;
    case UpdateTimer::PatchRun:
      Timer4.SetEnabled(on);
      break;
    case UpdateTimer::StopWatch:
      Timer5.SetEnabled(on);
      break;
  }
}

void TForm1::ReloadZoneList() {
  combo1.Clear();
  Values.ServerList.clear();
  try {
    LoadLauncherConfig(services_.Fs, Values.ConfigFileName, LauncherConfig, Values.ServerList);
  } catch (const std::exception&) {
    // the records read before the failure are shown; the file is read again next start
  }
  ServerOnline = false;  // a fresh load forgets the last probe's verdict
  for (const auto& server : Values.ServerList) combo1.Add(server->ServerCaption);
}

void TForm1::SetZoneRow(int row, const std::string& text) { combo1.SetRow(row, text); }

void TForm1::DisconnectTransfer() { IdHTTP1.Disconnect(); }

void TForm1::StartProgramAndEnd(const std::string& program, const std::string& parameters,
                                const std::string& directory) {
  services_.ShellOpen.Open(program, parameters, directory);
  // Closing runs FormClose's steps; the window's end then ends the message loop.
  Window.Close();
  services_.App.Terminate();
}

}  // namespace qev
