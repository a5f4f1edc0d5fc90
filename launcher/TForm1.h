#pragma once
// TForm1: the launcher's main window. Its behaviour (creation, commands, zone list,
// status probe, game start and the window operations the update code uses) is written
// here once, over the abstract controls and services of platform/. The Windows layer
// or a test passes the controls and services in at construction and wires the events.

#include <cstdint>
#include <string>

#include "config/LauncherConfig.h"
#include "config/ProcessValues.h"
#include "update/UpdateDriver.h"
#include "platform/Application.h"
#include "platform/ClientSocket.h"
#include "platform/Clock.h"
#include "platform/Controls.h"
#include "platform/Dialogs.h"
#include "platform/FileSystem.h"
#include "platform/HostResolver.h"
#include "platform/HttpClient.h"
#include "platform/NoticeBrowser.h"
#include "platform/Shell.h"
#include "platform/SkinTheme.h"
#include "update/UpdateView.h"

namespace qev {

// The window's components, named as in the window description.
struct TForm1Controls {
  TWindow& Window;
  TListBox& combo1;
  TLabel& ZT;
  TImage& Image1;
  TImage& Image2;
  NoticeBrowser& Web;
  TLabel& RzLabel1;
  TButton& suiButton1;
  TButton& suiButton2;
  TButton& suiButton6;
  TButton& suiButton7;
  TButton& suiImageButton_Min;
  TButton& suiImageButton_Close;
  TButton& zhaohuimima;
  TCheckBox& Opt1;
  TCheckBox& Opt2;
  TCheckBox& Opt3;
  TComboBox& Combo2;
  TProgressBar& ProgressBarCount;
  TButton& Button1;
  TTrayIcon& TrayIcon1;
  ClientSocket& ClientSocket1;
  TTimer& Timer1;
  TTimer& Timer4;
  TTimer& Timer5;
  HttpClient& IdHTTP1;
  TMessForm& MessForm;
  TMessageDialog& suiMessageDialog1;
  TPopupMenu& suiPopupMenu1;  // tray menu
  TMenuItem& M1;
  TMenuItem& M2;
  TMenuItem& M4;
  TPopupMenu& suiPopupMenu2;  // account menu
  TMenuItem& N1;
  TMenuItem& N2;
  TMenuItem& N3;
  TMenuItem& N8;
};

// The services the window uses.
struct TForm1Services {
  FileSystem& Fs;
  HostResolver& Resolver;
  Application& App;
  Shell& ShellOpen;
  Registry& Reg;
  ShellLinks& Links;
  Clock& Ticks;
  SystemDialogs& Boxes;
  SkinTheme& Theme;
  UpdateDriver& Updates;
};

// The components are the TForm1Controls base, so handlers name them as the window
// description does (combo1, ZT, Timer4 ...). The window is also the update code's view
// (its implementation is TForm1UpdateView.cpp).
class TForm1 : public TForm1Controls, public UpdateView {
 public:
  TForm1(const TForm1Controls& controls, const TForm1Services& services, ProcessValues& values);
  TForm1(const TForm1&) = delete;
  TForm1& operator=(const TForm1&) = delete;

  // Binds the handlers of this class to the events of the controls. The update
  // code binds its own (Timer4, Timer5, Button1, IdHTTP1's work events).
  void BindEvents();

  // --- life cycle
  void FormCreate();
  void FormClose();
  void FormDestroy() {}
  void FormShow() {}

  // --- commands
  void suiButton1Click();  // start the game
  void suiButton2Click();
  void suiButton6MouseDown(TPoint where);  // bound to the mouse-up of suiButton6
  void suiButton7Click();
  void zhaohuimimaClick();
  void soudButtonMouseDown() {}
  void suiImageButton_CloseClick();
  void suiImageButton_MinClick();
  void N9Click();   // account menu N1: change password
  void N10Click();  // account menu N2: recover password
  void O1Click();   // account menu N3: open the client folder
  void N8Click() {}
  void M1Click();
  void M2Click();
  void M4Click();
  void TrayIcon1Click();
  void suiPopupMenu1Change();
  void Timer1Timer();
  void ShowAccountHint(int kind);
  // The forum page: no control invokes it.
  void OpenBBS();

  // --- zone list and status
  void Combo1Change();
  // True means refused (a message was shown); false when the selected zone runs.
  bool CheckServerReady(const std::string& text);
  void MarkServerDown();

  // --- status probe
  void ClientSocket1Connecting(uint32_t attempt);
  void ClientSocket1Connect(uint32_t attempt);
  void ClientSocket1Read(uint32_t attempt);
  void ClientSocket1Disconnect(uint32_t attempt);
  void ClientSocket1Error(uint32_t attempt, SocketErrorKind kind, int& code);

  // --- game start
  // Writes section "Options" of AppDir + "Config.ini"; false when the file could not
  // be written (the old file is then left whole).
  bool WriteClientConfig();
  void CreateDesktopShortcut();

  // --- window operations used by the update code
  // Kind 0 help, 1 information, 2 stop, 3 warning, 4 none; other kinds keep the icon.
  int ShowMsg(int kind, const std::string& text);
  void DelayPump(uint32_t ms) override;
  void ProcessMessages() override { services_.App.ProcessMessages(); }
  bool DownloadToFile(const std::string& url, const std::string& target,
                      std::string& error) override;
  bool ExtractZipTo(const std::string& zipFile, const std::string& targetDir) override;
  void DeleteFileIfExists(const std::string& path) override;
  void TrayMinimize();
  void TrayRestore();  // also the handler of the restore message of a second start

  const TForm1Services& Services() const { return services_; }

  // --- the update view
  void BindUpdateEvents(UpdateEvents& events) override;
  void SetUpTransfers(const TransferSetup& setup) override;
  void SetStatusText(const std::string& text) override;
  void SetProgressRange(int min, int max) override;
  void SetProgressPosition(int position) override;
  void ShowUpdateControls(bool updating) override;
  bool AskYesNo(const std::string& caption, const std::string& text) override;
  int ShowMessage(int kind, const std::string& text) override { return ShowMsg(kind, text); }
  void SetTimerEnabled(UpdateTimer timer, bool on) override;
  void ReloadZoneList() override;
  void SetZoneRow(int row, const std::string& text) override;
  void DisconnectTransfer() override;
  void StartProgramAndEnd(const std::string& program, const std::string& parameters,
                          const std::string& directory) override;
  bool IsUpdateStopped() const override { return UpdateStopped; }
  void SetUpdateStopped(bool on) override { UpdateStopped = on; }
  uint32_t ConfigCrc() const override { return ConfigFileCrc; }
  uint32_t LauncherCrc() const override { return LauncherFileCrc; }
  std::string LauncherPath() const override { return services_.App.ExeName(); }
  FileSystem& Files() override { return services_.Fs; }
  ProcessValues& State() override { return Values; }

  // --- state
  ProcessValues& Values;  // AppDir, ConfigFileName, ServerList, PatchList
  TLauncherConfig LauncherConfig;
  uint32_t ConfigFileCrc = 0;
  uint32_t LauncherFileCrc = 0;
  std::string NoticePage;
  bool UpdateStopped = false;

  int SelectedServer = -1;
  std::string ServerIp;
  int32_t ProbePort = 0;
  bool ServerOnline = false;
  uint32_t ProbeStartTick = 0;
  // The number of the probe attempt whose events count; events of any other are stale.
  // kProbeOpening while Open runs (its connecting event comes before the number does).
  static constexpr uint32_t kProbeOpening = 0;
  static constexpr uint32_t kNoProbe = 0xFFFFFFFFu;
  uint32_t ProbeAttempt = kNoProbe;

 private:
  void OpenDocument(const std::string& target);
  void ShowPlainBox(const std::string& text);
  bool IsCurrentProbe(uint32_t attempt) const {
    return ProbeAttempt != kNoProbe && (attempt == ProbeAttempt || ProbeAttempt == kProbeOpening);
  }
  void SelectServer();
  std::string SelectedCaption() const;

  TForm1Services services_;
  bool restoring_ = false;
};

}  // namespace qev
