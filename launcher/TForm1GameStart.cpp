// The game start and the desktop shortcut.
#include "config/FastIniFile.h"
#include "config/SixBit.h"
#include "launcher/ClientArgs.h"
#include "launcher/TForm1.h"
#include "launcher/Texts.h"
#include "platform/FileError.h"
#include "platform/FileOps.h"

namespace qev {

void TForm1::suiButton1Click() {
  if (CheckServerReady(texts::kServerNotReady)) return;
  const std::string exe = Values.AppDir + LauncherConfig.Caption1;
  if (LauncherConfig.Caption1.empty() || !services_.Fs.FileExists(exe)) {
    ShowMsg(3, texts::kClientMissing);
    return;
  }
  // Starting the client with settings that were not written would send the player to
  // the zone of the last start: stop and say so instead.
  if (!WriteClientConfig()) {
    ShowMsg(2, texts::kConfigNotWritten);
    return;
  }
  const std::string args =
      DecodeSixBit(LauncherConfig.Caption3.empty() ? ClientArgs : ClientArgsAlt);
  services_.ShellOpen.Open(exe, args, Values.AppDir);
  TrayMinimize();
}

bool TForm1::WriteClientConfig() {
  const std::string section = texts::kOptionsSection;
  const int32_t port =
      (SelectedServer >= 0 && static_cast<size_t>(SelectedServer) < Values.ServerList.size())
          ? Values.ServerList[SelectedServer]->ServerPort
          : 0;
  try {
    TFastIniFile ini(services_.Fs, Values.AppDir + texts::kClientConfigFile);
    ini.WriteString(section, "ServerAddr", ServerIp);
    ini.WriteInteger(section, "Param1", port);
    ini.WriteString(section, "FullScreenMode", Opt1.Checked() ? "1" : "0");
    const int row = Combo2.ItemIndex();
    if (row >= 0 && row <= 2) ini.WriteInteger(section, "Interface", row);
    ini.WriteInteger(section, "ScreenWidth", Opt2.Checked() ? 1024 : 800);
    ini.WriteInteger(section, "ScreenHeight", Opt2.Checked() ? 768 : 600);
    ini.Release();
    return true;
  } catch (const std::exception&) {
    return false;
  }
}

void TForm1::CreateDesktopShortcut() {
  const std::string exe = services_.App.ExeName();
  std::string desktop;
  // Without a desktop folder there is no place for the link (and no question to ask).
  if (!services_.Reg.ReadCurrentUserString(texts::kShellFoldersKey, texts::kDesktopValue,
                                           desktop) ||
      desktop.empty())
    return;
  const std::string link = desktop + "\\" + LauncherTitle + ".lnk";
  if (!services_.Fs.FileExists(link)) {
    suiMessageDialog1.SetCaption(texts::kShortcutCaption);
    suiMessageDialog1.SetText(texts::kShortcutAskHead + std::string(LauncherTitle) +
                              texts::kShortcutAskTail);
    if (suiMessageDialog1.ShowModal() != TMessageDialog::kYes) return;
  }
  services_.Links.Save(link, exe, "", DirPart(exe));
}

}  // namespace qev
