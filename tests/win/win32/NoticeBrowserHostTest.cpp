// The notice browser's host: the answers its site gives the browser engine, asked
// directly through the interfaces the engine uses, and the control hosted in a window.
#include <gtest/gtest.h>

#include <vector>

#include "tests/win/win32/WinTestSupport.h"
#include "win32/NoticeBrowserHost.h"

namespace qev::win32 {
namespace {

// {F38BC242-B950-11D1-8918-00C04FC2C836}, the document host's command group.
constexpr GUID kDocHostGroup = {
    0xf38bc242, 0xb950, 0x11d1, {0x89, 0x18, 0x00, 0xc0, 0x4f, 0xc2, 0xc8, 0x36}};

template <class T>
ComPtr<T> Ask(IUnknown* site) {
  ComPtr<T> out;
  EXPECT_EQ(site->QueryInterface(__uuidof(T), out.OutVoid()), S_OK);
  return out;
}

DWORD HostFlags(IUnknown* site) {
  DOCHOSTUIINFO info = {};
  info.dwDoubleClick = 77;
  EXPECT_EQ(Ask<IDocHostUIHandler>(site)->GetHostInfo(&info), S_OK);
  EXPECT_EQ(info.cbSize, sizeof(void*) == 4 ? 20u : sizeof(DOCHOSTUIINFO));
  EXPECT_EQ(info.dwDoubleClick, 77u);  // left as it was
  return info.dwFlags;
}

// The answers that do not depend on the switches.
void ExpectFixedAnswers(IUnknown* site) {
  auto ui = Ask<IDocHostUIHandler>(site);
  IDispatch* external = reinterpret_cast<IDispatch*>(1);
  EXPECT_EQ(ui->GetExternal(&external), S_OK);
  EXPECT_EQ(external, nullptr);
  IDropTarget* drop = reinterpret_cast<IDropTarget*>(1);
  EXPECT_EQ(ui->GetDropTarget(nullptr, &drop), S_FALSE);
  EXPECT_EQ(drop, nullptr);
  IDataObject* data = reinterpret_cast<IDataObject*>(1);
  EXPECT_EQ(ui->FilterDataObject(nullptr, &data), S_FALSE);
  EXPECT_EQ(data, nullptr);
  RECT r = {};
  MSG msg = {};
  LPOLESTR key = nullptr;
  LPWSTR url = nullptr;
  EXPECT_EQ(ui->ShowUI(0, nullptr, nullptr, nullptr, nullptr), S_FALSE);
  EXPECT_EQ(ui->HideUI(), S_FALSE);
  EXPECT_EQ(ui->UpdateUI(), S_FALSE);
  EXPECT_EQ(ui->EnableModeless(TRUE), S_FALSE);
  EXPECT_EQ(ui->OnDocWindowActivate(TRUE), S_FALSE);
  EXPECT_EQ(ui->OnFrameWindowActivate(TRUE), S_FALSE);
  EXPECT_EQ(ui->ResizeBorder(&r, nullptr, TRUE), S_FALSE);
  EXPECT_EQ(ui->TranslateAccelerator(&msg, nullptr, 0), S_FALSE);
  EXPECT_EQ(ui->GetOptionKeyPath(&key, 0), S_FALSE);
  EXPECT_EQ(ui->TranslateUrl(0, const_cast<LPWSTR>(L"about:blank"), &url), S_FALSE);

  // A page's alert box and its help are suppressed.
  auto show = Ask<IDocHostShowUI>(site);
  LRESULT answer = 0;
  EXPECT_EQ(
      show->ShowMessage(nullptr, const_cast<LPOLESTR>(L"hi"), nullptr, MB_OK, nullptr, 0, &answer),
      S_OK);
  EXPECT_EQ(show->ShowHelp(nullptr, nullptr, 0, 0, POINT{}, nullptr), S_OK);

  // A script error keeps the scripts running without a dialog; other commands only S_OK.
  auto commands = Ask<IOleCommandTarget>(site);
  VARIANT out;
  VariantInit(&out);
  EXPECT_EQ(commands->Exec(&kDocHostGroup, 40, 0, nullptr, &out), S_OK);
  EXPECT_EQ(V_VT(&out), VT_BOOL);
  EXPECT_EQ(V_BOOL(&out), VARIANT_TRUE);
  VariantInit(&out);
  EXPECT_EQ(commands->Exec(&kDocHostGroup, 41, 0, nullptr, &out), S_OK);
  EXPECT_EQ(commands->Exec(&GUID_NULL, 40, 0, nullptr, &out), S_OK);
  EXPECT_EQ(commands->Exec(nullptr, 40, 0, nullptr, &out), S_OK);
  EXPECT_EQ(V_VT(&out), VT_EMPTY);
  OLECMD cmd = {40, 0};
  EXPECT_EQ(commands->QueryStatus(&kDocHostGroup, 1, &cmd, nullptr), S_OK);
  EXPECT_EQ(cmd.cmdf, 0u);
}

TEST(BrowserSite, DefaultSwitchesShowScrollBarsAndBorderAndTheBrowsersMenu) {
  BrowserSite* site = BrowserSite::New(TydWebBrowser{}, nullptr);
  IUnknown* unknown = site->Unknown();
  EXPECT_EQ(HostFlags(unknown), 0x20000000u);
  EXPECT_EQ(Ask<IDocHostUIHandler>(unknown)->ShowContextMenu(0, nullptr, nullptr, nullptr),
            S_FALSE);
  ExpectFixedAnswers(unknown);

  // Every part answers for the one object.
  auto viaUi = Ask<IDocHostUIHandler>(unknown);
  ComPtr<IUnknown> identity;
  ASSERT_EQ(viaUi->QueryInterface(IID_IUnknown, identity.OutVoid()), S_OK);
  EXPECT_EQ(identity.Get(), unknown);
  ComPtr<IStream> none;
  EXPECT_EQ(unknown->QueryInterface(IID_IStream, none.OutVoid()), E_NOINTERFACE);

  // Every switch on its own.
  site->UIProperties.FlatScrollBars = true;
  EXPECT_EQ(HostFlags(unknown), 0x20000080u);
  site->UIProperties = TydWebBrowser{};
  site->UIProperties.ScrollBars = false;
  EXPECT_EQ(HostFlags(unknown), 0x20000008u);
  site->UIProperties = TydWebBrowser{};
  site->UIProperties.Border3DStyle = false;
  EXPECT_EQ(HostFlags(unknown), 0x20000004u);

  // Without the browser's own menu the method decides, asked with mode -1.
  std::vector<int32_t> modes;
  site->UIProperties.RightPopupMenu = false;
  site->PopupMenuMethod = [&](int32_t mode) {
    modes.push_back(mode);
    return HRESULT{S_OK};
  };
  EXPECT_EQ(Ask<IDocHostUIHandler>(unknown)->ShowContextMenu(0, nullptr, nullptr, nullptr), S_OK);
  EXPECT_EQ(modes, std::vector<int32_t>{-1});
  site->Release();
}

// A top-level window for the host to live in.
struct ParentWindow {
  ParentWindow() {
    hwnd = CreateWindowExW(0, L"STATIC", L"parent", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0,
                           864, 568, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
  }
  ~ParentWindow() { DestroyWindow(hwnd); }
  HWND hwnd;
};

BOOL CALLBACK CountShownWindows(HWND hwnd, LPARAM counter) {
  DWORD pid = 0;
  GetWindowThreadProcessId(hwnd, &pid);
  if (pid == GetCurrentProcessId() && IsWindowVisible(hwnd)) ++*reinterpret_cast<int*>(counter);
  return TRUE;
}

int ShownTopLevelWindows() {
  int n = 0;
  EnumWindows(&CountShownWindows, reinterpret_cast<LPARAM>(&n));
  return n;
}

TEST(NoticeBrowserHost, HostsTheControlAtItsPlaceWithTheMainWindowsAnswers) {
  ParentWindow parent;
  ASSERT_NE(parent.hwnd, nullptr);
  const int shownBefore = ShownTopLevelWindows();
  NoticeBrowserHost host;
  const RECT place = {392, 80, 392 + 441, 80 + 329};
  ASSERT_TRUE(host.Create(parent.hwnd, place));

  // The child window at its place with the notice browser's control ID.
  ASSERT_NE(host.Handle(), nullptr);
  EXPECT_EQ(GetParent(host.Handle()), parent.hwnd);
  EXPECT_EQ(GetDlgCtrlID(host.Handle()), 1005);
  RECT r;
  GetWindowRect(host.Handle(), &r);
  MapWindowPoints(nullptr, parent.hwnd, reinterpret_cast<POINT*>(&r), 2);
  EXPECT_EQ(r.left, 392);
  EXPECT_EQ(r.top, 80);
  EXPECT_EQ(r.right - r.left, 441);
  EXPECT_EQ(r.bottom - r.top, 329);

  // The control runs with our site, which answers from the main window's switches.
  ComPtr<IWebBrowser2> browser = host.Browser();
  ASSERT_TRUE(browser);
  ComPtr<IOleClientSite> given;
  ASSERT_EQ(browser.As<IOleObject>()->GetClientSite(given.Out()), S_OK);
  ComPtr<IUnknown> givenIdentity = given.As<IUnknown>();
  EXPECT_EQ(givenIdentity.Get(), host.Site());
  EXPECT_EQ(HostFlags(host.Site()), 0x2000000Cu);
  EXPECT_EQ(Ask<IDocHostUIHandler>(host.Site())->ShowContextMenu(0, nullptr, nullptr, nullptr),
            S_FALSE);
  ExpectFixedAnswers(host.Site());
  HWND siteWindow = nullptr;
  EXPECT_EQ(Ask<IOleInPlaceSite>(host.Site())->GetWindow(&siteWindow), S_OK);
  EXPECT_EQ(siteWindow, host.Handle());

  // Navigating and the theater mode return at once and show nothing of their own.
  host.Navigate("about:blank");
  host.SetTheaterMode(true);
  host.Navigate("http://127.0.0.1:9/" + test::Gbk("公告") + ".html");
  test::PumpFor(1500);
  EXPECT_EQ(ShownTopLevelWindows(), shownBefore);

  const HWND child = host.Handle();
  host.Destroy();
  EXPECT_FALSE(IsWindow(child));
  EXPECT_EQ(host.Handle(), nullptr);
  EXPECT_FALSE(host.Browser());
  host.Navigate("about:blank");  // harmless without the control
  host.SetTheaterMode(false);
}

TEST(NoticeBrowserHost, LaterCreationMakesTheControlOnceMessagesRunAndKeepsWhatWasAsked) {
  ParentWindow parent;
  ASSERT_NE(parent.hwnd, nullptr);
  NoticeBrowserHost host;
  ASSERT_TRUE(host.CreateLater(parent.hwnd, RECT{392, 80, 392 + 441, 80 + 329}));
  // The pane is there at once; the engine is not loaded yet.
  ASSERT_NE(host.Handle(), nullptr);
  EXPECT_EQ(GetDlgCtrlID(host.Handle()), 1005);
  EXPECT_FALSE(host.Browser());
  host.SetTheaterMode(true);
  host.Navigate("about:blank");
  test::PumpFor(300);
  ComPtr<IWebBrowser2> browser = host.Browser();
  ASSERT_TRUE(browser);
  ComPtr<IOleClientSite> given;
  ASSERT_EQ(browser.As<IOleObject>()->GetClientSite(given.Out()), S_OK);
  EXPECT_EQ(given.As<IUnknown>().Get(), host.Site());
  host.Destroy();
  EXPECT_FALSE(host.Browser());

  // Taken down before the message loop ran: the pending creation finds nothing to do.
  NoticeBrowserHost early;
  ASSERT_TRUE(early.CreateLater(parent.hwnd, RECT{0, 0, 100, 100}));
  early.Navigate("about:blank");
  early.Destroy();
  test::PumpFor(300);
  EXPECT_FALSE(early.Browser());
  EXPECT_EQ(early.Handle(), nullptr);
}

TEST(NoticeBrowserHost, WithoutAWindowNothingIsCreatedAndCallsAreHarmless) {
  NoticeBrowserHost host;
  EXPECT_FALSE(
      host.Create(reinterpret_cast<HWND>(static_cast<INT_PTR>(0x7ff0)), RECT{0, 0, 10, 10}));
  EXPECT_EQ(host.Handle(), nullptr);
  host.Navigate("about:blank");
  host.SetTheaterMode(true);
  EXPECT_EQ(HostFlags(host.Site()), 0x2000000Cu);
}

}  // namespace
}  // namespace qev::win32
