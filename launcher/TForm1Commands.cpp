// The commands of the window's buttons, menus and tray icon.
#include "launcher/TForm1.h"
#include "launcher/Texts.h"

namespace qev {

void TForm1::OpenDocument(const std::string& target) {
  // The result is not examined: an empty or dead address simply opens nothing.
  services_.ShellOpen.Open(target, "", "");
}

void TForm1::ShowPlainBox(const std::string& text) {
  services_.Boxes.MessageBox(text, services_.App.Title(), SystemDialogs::kOk, true);
}

void TForm1::ShowAccountHint(int kind) {
  if (CheckServerReady(texts::kServerNotReady)) return;
  if (kind >= 1 && kind <= 3) ShowPlainBox(texts::kAccountHint);
}

void TForm1::suiButton2Click() { ShowAccountHint(1); }
void TForm1::N9Click() { ShowAccountHint(2); }
void TForm1::N10Click() { ShowAccountHint(3); }
void TForm1::O1Click() { OpenDocument(Values.AppDir); }

void TForm1::suiButton6MouseDown(TPoint where) {
  suiPopupMenu2.Popup(suiButton6.ClientToScreen(where));
}

void TForm1::suiButton7Click() { OpenDocument(LauncherConfig.Website); }
void TForm1::zhaohuimimaClick() { OpenDocument(LauncherConfig.Chongzhi); }
void TForm1::OpenBBS() { OpenDocument(LauncherConfig.BBS); }

void TForm1::suiImageButton_CloseClick() { Window.Close(); }
void TForm1::M4Click() { Window.Close(); }
void TForm1::suiImageButton_MinClick() { TrayMinimize(); }
void TForm1::M1Click() { TrayRestore(); }
void TForm1::M2Click() { suiButton1Click(); }

void TForm1::TrayIcon1Click() {
  if (services_.App.IsMinimized())
    TrayRestore();
  else
    TrayMinimize();
}

void TForm1::suiPopupMenu1Change() { M1.SetEnabled(services_.App.IsMinimized()); }

void TForm1::TrayMinimize() {
  services_.App.Minimize();
  if (TrayIcon1.IconEnabled() && TrayIcon1.HideOnMinimize()) services_.App.HideTaskbarWindow();
}

void TForm1::TrayRestore() {
  // The restore message of a second start can arrive while a restore is in progress.
  if (restoring_) return;
  restoring_ = true;
  struct Clear {
    bool& flag;
    ~Clear() { flag = false; }
  } clear{restoring_};
  services_.App.Restore();
  if (TrayIcon1.IconEnabled()) services_.App.ShowRestoredInFront();
  TrayIcon1.NotifyRestored();
}

void TForm1::Timer1Timer() {
  Timer1.SetEnabled(false);
  if (!services_.Fs.FileExists(Values.AppDir + texts::kUpdaterExe)) return;
  UpdateStopped = false;
  Timer5.SetEnabled(true);
  ProgressBarCount.SetVisible(true);
  Button1.SetVisible(true);
  suiButton1.SetVisible(false);
  ProgressBarCount.SetMax(0);
  ProgressBarCount.SetMin(0);
  services_.Updates.RunSelfUpdate(*this);
}

}  // namespace qev
