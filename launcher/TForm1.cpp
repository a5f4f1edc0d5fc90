#include "launcher/TForm1.h"

#include "config/Crc32.h"
#include "launcher/Texts.h"

namespace qev {

TForm1::TForm1(const TForm1Controls& c, const TForm1Services& services, ProcessValues& values)
    : TForm1Controls(c),
      Values(values),
      services_(services) {}

void TForm1::BindEvents() {
  Window.OnClose = [this] { FormClose(); };
  combo1.OnClick = [this] { Combo1Change(); };
  suiButton1.OnClick = [this] { suiButton1Click(); };
  suiButton2.OnClick = [this] { suiButton2Click(); };
  suiButton6.OnMouseUp = [this](TPoint p) { suiButton6MouseDown(p); };
  suiButton7.OnClick = [this] { suiButton7Click(); };
  zhaohuimima.OnClick = [this] { zhaohuimimaClick(); };
  suiImageButton_Min.OnClick = [this] { suiImageButton_MinClick(); };
  suiImageButton_Close.OnClick = [this] { suiImageButton_CloseClick(); };
  M1.OnClick = [this] { M1Click(); };
  M2.OnClick = [this] { M2Click(); };
  M4.OnClick = [this] { M4Click(); };
  N1.OnClick = [this] { N9Click(); };
  N2.OnClick = [this] { N10Click(); };
  N3.OnClick = [this] { O1Click(); };
  N8.OnClick = [this] { N8Click(); };
  suiPopupMenu1.OnChange = [this] { suiPopupMenu1Change(); };
  TrayIcon1.OnLeftDown = [this] { TrayIcon1Click(); };
  Timer1.OnTimer = [this] { Timer1Timer(); };
  ClientSocket1.OnConnecting = [this](uint32_t a) { ClientSocket1Connecting(a); };
  ClientSocket1.OnConnect = [this](uint32_t a) { ClientSocket1Connect(a); };
  ClientSocket1.OnRead = [this](uint32_t a) { ClientSocket1Read(a); };
  ClientSocket1.OnDisconnect = [this](uint32_t a) { ClientSocket1Disconnect(a); };
  ClientSocket1.OnError = [this](uint32_t a, SocketErrorKind k, int& code) {
    ClientSocket1Error(a, k, code);
  };
}

void TForm1::FormCreate() {
  FileSystem& fs = services_.Fs;
  if (!fs.FileExists(Values.ConfigFileName)) {
    ShowMsg(2, std::string(texts::kNoConfigHead) + LauncherId + ".inf" + texts::kNoConfigTail);
    services_.App.Terminate();
    return;
  }
  ConfigFileCrc = FileCrc32(fs, Values.ConfigFileName).Crc;
  LauncherFileCrc = FileCrc32(fs, services_.App.ExeName()).Crc;
  LoadLauncherConfig(fs, Values.ConfigFileName, LauncherConfig, Values.ServerList);
  ServerOnline = false;
  services_.Updates.StartExistFile();
  NoticePage = LauncherConfig.NoticeURL;
  Web.Navigate(NoticePage);
  services_.Theme.SetThemeFile(Values.AppDir + texts::kSkinFile);
  CreateDesktopShortcut();
  for (const auto& server : Values.ServerList) combo1.Add(server->ServerCaption);
  if (!LauncherConfig.UpdateURL.empty()) services_.Updates.StartUpIP(LauncherConfig.UpdateURL);
  Web.SetTheaterMode(true);
  services_.App.SetTitle(LauncherTitle);
  RzLabel1.SetText(LauncherConfig.InfoVer.empty() ? std::string(texts::kDefaultInfoLine)
                                                  : LauncherConfig.InfoVer);
  Window.SetCaption(LauncherTitle);
  TrayIcon1.SetHint(LauncherTitle);
  Combo2.Clear();
  Combo2.Add(texts::kInterface3G);
  Combo2.Add(texts::kInterface145);
  Combo2.Add(texts::kInterfaceNew3G);
  Combo2.SetItemIndex(1);
}

void TForm1::FormClose() {
  try {
    if (ClientSocket1.Active()) ClientSocket1.SetActive(false);
  } catch (...) {
    // Closing goes on even if the socket cannot be closed: the process ends with it.
  }
  try {
    if (!LauncherConfig.ExitURL.empty()) OpenDocument(LauncherConfig.ExitURL);
  } catch (...) {
    // An exit page that cannot be opened must not keep the player from leaving.
  }
}

}  // namespace qev
