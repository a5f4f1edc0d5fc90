#pragma once
// The notice page's browser: the system's web browser control, running in place in a
// child window of its own (control ID ids::kWeb) at its place in the main window. The
// control asks its site (BrowserSite) how the page should look and which of its own
// dialogs and menus may appear. Without the control (Create failed or not called)
// Navigate and SetTheaterMode do nothing.

#include <exdisp.h>
#include <oleidl.h>
#include <windows.h>

#include <memory>
#include <string>

#include "platform/NoticeBrowser.h"
#include "win32/BrowserSite.h"
#include "win32/ComPtr.h"

namespace qev::win32 {

class NoticeBrowserHost : public NoticeBrowser {
 public:
  // With the switches the launcher's main window uses.
  NoticeBrowserHost() : NoticeBrowserHost(TydWebBrowser::MainWindow()) {}
  explicit NoticeBrowserHost(const TydWebBrowser& switches);
  NoticeBrowserHost(const NoticeBrowserHost&) = delete;
  NoticeBrowserHost& operator=(const NoticeBrowserHost&) = delete;
  ~NoticeBrowserHost() override { Destroy(); }

  // Creates the child window at place (parent's client coordinates) and the browser in
  // it; starts OLE on this thread. False when either fails (nothing is left behind).
  bool Create(HWND parent, const RECT& place);
  // The same, but the browser itself is made once the message loop runs: loading the
  // engine takes long, and the window should not wait for it to appear. Navigate and
  // SetTheaterMode before then are kept and applied when the browser is there.
  bool CreateLater(HWND parent, const RECT& place);
  // Takes the browser down and destroys the child window; again harmless.
  void Destroy();

  // Starts loading url (GBK) and returns at once.
  void Navigate(const std::string& url) override;
  // Sets the control's TheaterMode property (dispatch 554).
  void SetTheaterMode(bool on) override;

  HWND Handle() const { return window_; }
  // The switches the site answers from; changes count from the next question.
  TydWebBrowser& UIProperties() { return site_->UIProperties; }
  TydPopupMenuMethod& PopupMenuMethod() { return site_->PopupMenuMethod; }
  // The site the control was given, as IUnknown (one reference stays with the host).
  IUnknown* Site() const { return site_->Unknown(); }
  // The control itself; empty without Create.
  ComPtr<IWebBrowser2> Browser() const { return browser_; }

 private:
  static LRESULT CALLBACK WindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
  bool CreateWindowAt(HWND parent, const RECT& place);
  bool CreateBrowser();
  void CreateDeferredBrowser();
  void ReleaseBrowser();
  void FitBrowser();

  struct SiteRelease {
    void operator()(BrowserSite* site) const { site->Release(); }
  };
  std::unique_ptr<BrowserSite, SiteRelease> site_;
  HWND window_ = nullptr;
  bool oleStarted_ = false;
  ComPtr<IOleObject> object_;
  ComPtr<IWebBrowser2> browser_;
  bool deferred_ = false;
  std::string pendingUrl_;
  int pendingTheater_ = -1;  // -1: not asked; 0 or 1: the mode asked for
};

}  // namespace qev::win32
