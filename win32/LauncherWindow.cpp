// The socket and HTTP headers bring <winsock2.h>, which must come before <windows.h>.
#include "win32/AsyncClientSocket.h"
#include "win32/WinHttpClient.h"
#include "win32/WinThreadHost.h"
// Before anything that declares the dialogs interface (see there).
#include "win32/WinSystemDialogs.h"

#include "win32/LauncherWindow.h"

#include <commctrl.h>

#include <exception>
#include <memory>

#include "launcher/TForm1.h"
#include "launcher/Texts.h"
#include "update/Updater.h"
#include "win32/BuiltInLook.h"
#include "win32/ControlIds.h"
#include "win32/FaceBackdrop.h"
#include "win32/FaceRegion.h"
#include "win32/MainLayout.h"
#include "win32/MainWindow.h"
#include "win32/MessageDialogs.h"
#include "win32/MessageLoop.h"
#include "win32/NoticeBrowserHost.h"
#include "win32/SkinnedLook.h"
#include "win32/TrayIcon.h"
#include "win32/Win32FileSystem.h"
#include "win32/Win32HostResolver.h"
#include "win32/WinApplication.h"
#include "win32/WinCheckBox.h"
#include "win32/WinComboBox.h"
#include "win32/WinImageButton.h"
#include "win32/WinLabel.h"
#include "win32/WinListBox.h"
#include "win32/WinMenus.h"
#include "win32/WinProgressBar.h"
#include "win32/WinShellServices.h"
#include "win32/WinSkinTheme.h"
#include "win32/WinStatusImage.h"
#include "win32/WinTimer.h"
#include "win32/WindowTexts.h"

namespace qev::win32 {

namespace {
constexpr uint32_t kTimerInterval = 1000;
constexpr UINT_PTR kTimer1Id = 1;
constexpr UINT_PTR kTimer4Id = 4;
constexpr UINT_PTR kTimer5Id = 5;
}  // namespace

// Every control of the main window, named as the window description names them. Made
// once the main window exists, since each one is a child of it.
struct WindowControls {
  WindowControls(const ControlKit& kit, const MainWindow& window, WinSkinTheme& skin,
                 const LookFonts& fonts)
      : combo1(kit, fonts.Body.get()),
        ZT(kit, fonts.Body.get(), layout::kZTRoom),
        Image1(kit, true),
        Image2(kit, false),
        RzLabel1(kit, fonts.Info.get()),
        suiButton1(kit, ButtonFace::Start, fonts.StartButton.get()),
        suiButton2(kit, ButtonFace::Account, fonts.Button.get()),
        suiButton6(kit, ButtonFace::AccountMenu, fonts.Button.get()),
        suiButton7(kit, ButtonFace::Website, fonts.Button.get()),
        suiImageButton_Min(kit, ButtonFace::Minimize, nullptr),
        suiImageButton_Close(kit, ButtonFace::Close, nullptr),
        zhaohuimima(kit, ButtonFace::Recharge, fonts.ButtonSmall.get()),
        Opt1(kit, fonts.Body.get(), &skin.Form(), "Opt1", skin.Resources()),
        Opt2(kit, fonts.Body.get(), &skin.Form(), "Opt2", skin.Resources()),
        Opt3(kit, fonts.Body.get(), &skin.Form(), "Opt3", skin.Resources()),
        Combo2(kit, fonts.Body.get()),
        ProgressBarCount(kit),
        Button1(kit, ButtonFace::StopUpdate, fonts.ButtonSmall.get()),
        Timer1(kit.Main, kTimer1Id, kTimerInterval),
        Timer4(kit.Main, kTimer4Id, kTimerInterval),
        Timer5(kit.Main, kTimer5Id, kTimerInterval),
        MessForm(window, fonts, &skin.Form(), skin.Resources()),
        suiMessageDialog1(window, fonts, &skin.Form(), skin.Resources()),
        M1(ids::kM1, texts::kMenuShow),
        M2(ids::kM2, texts::kMenuLogin),
        M4(ids::kM4, texts::kMenuQuit),
        N1(ids::kN1, texts::kMenuChangePassword),
        N2(ids::kN2, texts::kMenuRecoverPassword),
        N3(ids::kN3, texts::kMenuOpenFolder),
        N8(ids::kN8, texts::kMenuCleanUp, false),
        suiPopupMenu1(kit.Main, {&M1, &M2, &M4}, &skin.Form(), "suiPopupMenu1", fonts.Body.get()),
        suiPopupMenu2(kit.Main, {&N1, &N2, &N3, &N8}, &skin.Form(), "suiPopupMenu2",
                      fonts.Body.get()) {}

  // Creates every child window at its place, in its designed start state.
  bool Create() {
    using namespace layout;
    bool ok = combo1.Create(ids::kCombo1, kCombo1);
    ok &= ZT.Create(ids::kZT, kZT, qev::texts::kPickServer);
    ok &= Image2.Create(ids::kImage2, kStatusIcon, true);
    ok &= Image1.Create(ids::kImage1, kStatusIcon, false);
    ok &= RzLabel1.Create(ids::kRzLabel1, kRzLabel1, "");
    ok &= suiButton1.Create(ids::kSuiButton1, kSuiButton1, texts::kStart, true);
    ok &= suiButton2.Create(ids::kSuiButton2, kSuiButton2, texts::kAccount, true);
    ok &= suiButton6.Create(ids::kSuiButton6, kSuiButton6, texts::kAccountMenu, true);
    ok &= suiButton7.Create(ids::kSuiButton7, kSuiButton7, texts::kWebsite, true);
    ok &= suiImageButton_Min.Create(ids::kSuiImageButtonMin, kMin, texts::kMinimize, true);
    ok &= suiImageButton_Close.Create(ids::kSuiImageButtonClose, kClose, texts::kClose, true);
    ok &= zhaohuimima.Create(ids::kZhaohuimima, kZhaohuimima, texts::kRecharge, false);
    ok &= Opt1.Create(ids::kOpt1, kOpt1, texts::kFullScreen, true, "");
    ok &= Opt2.Create(ids::kOpt2, kOpt2, texts::kResolution, true, texts::kResolutionHint);
    ok &= Opt3.Create(ids::kOpt3, kOpt3, qev::texts::kInterface3G, false, "");
    ok &= Combo2.Create(ids::kCombo2, kCombo2);
    ok &= ProgressBarCount.Create(ids::kProgressBarCount, kProgressBarCount);
    ok &= Button1.Create(ids::kButton1, kButton1, texts::kStopUpdate, false);
    return ok;
  }

  // Hands the window the objects that take its notifications.
  void Register(MainWindow& window) {
    const std::pair<int, ChildHandler*> children[] = {
        {ids::kCombo1, &combo1},
        {ids::kZT, &ZT},
        {ids::kImage1, &Image1},
        {ids::kImage2, &Image2},
        {ids::kRzLabel1, &RzLabel1},
        {ids::kSuiButton1, &suiButton1},
        {ids::kSuiButton2, &suiButton2},
        {ids::kSuiButton6, &suiButton6},
        {ids::kSuiButton7, &suiButton7},
        {ids::kSuiImageButtonMin, &suiImageButton_Min},
        {ids::kSuiImageButtonClose, &suiImageButton_Close},
        {ids::kZhaohuimima, &zhaohuimima},
        {ids::kOpt1, &Opt1},
        {ids::kOpt2, &Opt2},
        {ids::kOpt3, &Opt3},
        {ids::kCombo2, &Combo2},
        {ids::kButton1, &Button1},
    };
    for (const auto& [id, child] : children) window.AddChild(id, child);
    for (WinMenuItem* item : {&M1, &M2, &M4, &N1, &N2, &N3, &N8}) window.AddMenuItem(item);
    for (WinTimer* timer : {&Timer1, &Timer4, &Timer5}) window.AddTimer(timer);
  }

  WinListBox combo1;
  WinLabel ZT;
  WinStatusImage Image1;
  WinStatusImage Image2;
  NoticeBrowserHost Web;
  WinLabel RzLabel1;
  WinImageButton suiButton1;
  WinImageButton suiButton2;
  WinImageButton suiButton6;
  WinImageButton suiButton7;
  WinImageButton suiImageButton_Min;
  WinImageButton suiImageButton_Close;
  WinImageButton zhaohuimima;
  WinCheckBox Opt1;
  WinCheckBox Opt2;
  WinCheckBox Opt3;
  WinComboBox Combo2;
  WinProgressBar ProgressBarCount;
  WinImageButton Button1;
  TrayIcon TrayIcon1;
  AsyncClientSocket ClientSocket1;
  WinTimer Timer1;
  WinTimer Timer4;
  WinTimer Timer5;
  WinHttpClient IdHTTP1;
  WinMessForm MessForm;
  WinMessageDialog suiMessageDialog1;
  WinMenuItem M1, M2, M4;
  WinMenuItem N1, N2, N3, N8;
  WinPopupMenu suiPopupMenu1;
  WinPopupMenu suiPopupMenu2;
};

class LauncherParts {
 public:
  LauncherParts(HINSTANCE instance, ProcessValues& values)
      : instance_(instance), values_(values), builtInLook_(instance), theme_(fs_, instance) {}

  ~LauncherParts() {
    // Workers must not hand anything over to a window that is going away.
    threads_.Shutdown();
    if (controls_) controls_->Web.Destroy();
  }

  int Run() {
    if (!Build()) return 0;
    CreateForm();
    if (app_.Terminated()) return 0;
    window_.Show();
    AfterShown();
    // The zone list takes the keyboard, not the interface field (whose text would
    // show selected).
    SetFocus(controls_->combo1.Handle());
    RunMessageLoop();
    return 0;
  }

 private:
  bool Build() {
    const INITCOMMONCONTROLSEX common{sizeof(INITCOMMONCONTROLSEX),
                                      ICC_STANDARD_CLASSES | ICC_PROGRESS_CLASS | ICC_BAR_CLASSES};
    InitCommonControlsEx(&common);
    backdrop_.Compose(look_, fonts_, LauncherTitle);
    if (!window_.Create(instance_, LauncherId, LauncherTitle, backdrop_, look_.ProgramIcon(32),
                        look_.ProgramIcon(16)))
      return false;
    shell_.SetOwner(window_.Handle());
    const ControlKit kit{window_.Handle(), &backdrop_, &look_, &fonts_};
    controls_ = std::make_unique<WindowControls>(kit, window_, theme_, fonts_);
    controls_->Register(window_);
    if (!controls_->Create()) return false;
    BindTheme();
    controls_->Web.CreateLater(window_.Handle(), layout::kWeb.Rect());
    controls_->TrayIcon1.SetHint(LauncherTitle);
    links_.HoldUntilShown();
    threads_.HoldUntilShown();
    return true;
  }

  // What the player need not wait for before the window shows: the tray icon and the
  // desktop link (each a round trip to the shell), and the workers the creation handler
  // started (their results come by message in any case).
  void AfterShown() {
    threads_.StartHeld();
    controls_->TrayIcon1.Add(window_.Handle(), look_.ProgramIcon(16));
    links_.SavePending();
  }

  void CreateForm() {
    WindowControls& c = *controls_;
    const TForm1Controls formControls{window_,
                                      c.combo1,
                                      c.ZT,
                                      c.Image1,
                                      c.Image2,
                                      c.Web,
                                      c.RzLabel1,
                                      c.suiButton1,
                                      c.suiButton2,
                                      c.suiButton6,
                                      c.suiButton7,
                                      c.suiImageButton_Min,
                                      c.suiImageButton_Close,
                                      c.zhaohuimima,
                                      c.Opt1,
                                      c.Opt2,
                                      c.Opt3,
                                      c.Combo2,
                                      c.ProgressBarCount,
                                      c.Button1,
                                      c.TrayIcon1,
                                      c.ClientSocket1,
                                      c.Timer1,
                                      c.Timer4,
                                      c.Timer5,
                                      c.IdHTTP1,
                                      c.MessForm,
                                      c.suiMessageDialog1,
                                      c.suiPopupMenu1,
                                      c.M1,
                                      c.M2,
                                      c.M4,
                                      c.suiPopupMenu2,
                                      c.N1,
                                      c.N2,
                                      c.N3,
                                      c.N8};
    const TForm1Services services{fs_,    resolver_, app_,   shell_, registry_,
                                  links_, clock_,    boxes_, theme_, updater_};
    form_ = std::make_unique<TForm1>(formControls, services, values_);
    form_->BindEvents();
    updater_.Attach(*form_);
    BindWindow();
    try {
      form_->FormCreate();
    } catch (const std::exception&) {
      // The file is there but could not be read (locked, damaged, unreadable).
      form_->ShowMsg(2, std::string(texts::kConfigUnreadableHead) + LauncherId + ".inf" +
                            texts::kConfigUnreadableTail);
      app_.Terminate();
    }
  }

  // The window's stored settings: the themed controls draw from the skin file once the
  // creation handler loads one. The face, its shape and the image buttons follow here.
  void BindTheme() {
    theme_.Form().SetWindow(window_.Handle());
    theme_.ApplyStoredSettings(MainWindowThemedNames());
    theme_.OnSkinLoaded = [this] {
      look_.Reload(theme_.FileTheme());
      backdrop_.Compose(look_, fonts_, LauncherTitle);
      ShapeWindow(window_.Handle(), backdrop_.Shape(layout::kOutsideColour));
      RedrawWindow(window_.Handle(), nullptr, nullptr,
                   RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
    };
  }

  // What the window itself reports: the tray icon, a second start, minimise, closing.
  void BindWindow() {
    WindowControls& c = *controls_;
    window_.OnTrayMouse = [this, &c](UINT mouse) {
      if (mouse == WM_LBUTTONDOWN && c.TrayIcon1.OnLeftDown) {
        c.TrayIcon1.OnLeftDown();
      } else if (mouse == WM_RBUTTONUP) {
        POINT pt;
        GetCursorPos(&pt);
        c.suiPopupMenu1.Popup(TPoint{pt.x, pt.y});
      }
    };
    window_.OnRestoreRequest = [this] { form_->TrayRestore(); };
    window_.OnMinimizeRequest = [this] { form_->TrayMinimize(); };
    window_.OnClosed = [this, &c] {
      threads_.Shutdown();
      c.TrayIcon1.Remove();
    };
    window_.OnTaskbarCreated = [this, &c] {
      c.TrayIcon1.Add(window_.Handle(), look_.ProgramIcon(16));
    };
  }

  HINSTANCE instance_;
  ProcessValues& values_;
  Win32FileSystem fs_;
  Win32HostResolver resolver_;
  // Made before the window, as it runs the workers' hand-overs on this thread.
  WinThreadHost threads_;
  WinHttpClientFactory httpFactory_;
  TUpdater updater_{threads_, httpFactory_};
  BuiltInLook builtInLook_;
  SkinnedLook look_{builtInLook_};
  LookFonts fonts_;
  FaceBackdrop backdrop_;
  MainWindow window_;
  WinApplication app_{window_};
  WinShell shell_;
  WinRegistry registry_;
  WinShellLinks links_;
  WinClock clock_;
  WinSystemDialogs boxes_{window_};
  WinSkinTheme theme_;
  std::unique_ptr<WindowControls> controls_;
  std::unique_ptr<TForm1> form_;
};

LauncherWindow::LauncherWindow(HINSTANCE instance, ProcessValues& values)
    : parts_(std::make_unique<LauncherParts>(instance, values)) {}

LauncherWindow::~LauncherWindow() = default;

int LauncherWindow::Run() { return parts_->Run(); }

}  // namespace qev::win32
