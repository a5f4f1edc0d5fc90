#pragma once
// The site the embedded web browser lives in: one object with one reference count that
// hands the browser each interface it asks its container for (client site, in-place
// site and frame, document host UI handler, document host show-UI and command target).
// Each interface is a small part forwarding its reference counting to the site. The
// document host answers follow the six switches below.

#include <docobj.h>
#include <mshtmhst.h>
#include <oleidl.h>
#include <windows.h>

#include <atomic>
#include <cstdint>
#include <functional>

namespace qev::win32 {

// The switches that decide how the page looks and which of the browser's own
// dialogs and menus appear. The member initialisers are the component's defaults.
struct TydWebBrowser {
  bool FlatScrollBars = false;
  bool ScrollBars = true;
  bool RightPopupMenu = true;
  bool Border3DStyle = true;
  // Read when a page asks for a message box or help; the answer suppresses it whatever
  // they hold.
  bool ShowMsgBox = false;
  bool ShowHelpBox = false;

  // The values the launcher's main window sets.
  static TydWebBrowser MainWindow() {
    TydWebBrowser s;
    s.ScrollBars = false;
    s.Border3DStyle = false;
    return s;
  }
};

// Asked for the right-button menu when RightPopupMenu is false; its result is the
// answer given to the browser.
using TydPopupMenuMethod = std::function<HRESULT(int32_t mode)>;

class BrowserSite {
 public:
  // A new site with one reference (the caller's) for the host window host.
  static BrowserSite* New(const TydWebBrowser& switches, HWND host);
  BrowserSite(const BrowserSite&) = delete;
  BrowserSite& operator=(const BrowserSite&) = delete;

  ULONG AddRef();
  ULONG Release();
  HRESULT QueryInterface(REFIID iid, void** out);
  // The site's identity: the client site part as IUnknown.
  IUnknown* Unknown();
  IOleClientSite* ClientSite();

  // The window the browser runs in; nullptr once it is gone (the browser may hold the
  // site a little longer).
  void SetHostWindow(HWND host) { host_ = host; }
  HWND HostWindow() const { return host_; }

  TydWebBrowser UIProperties;
  TydPopupMenuMethod PopupMenuMethod;

 private:
  BrowserSite(const TydWebBrowser& switches, HWND host);
  ~BrowserSite() = default;

  // Every part forwards IUnknown to the site.
#define QEV_SITE_PART_UNKNOWN                                                 \
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override { \
    return site.QueryInterface(iid, out);                                     \
  }                                                                           \
  ULONG STDMETHODCALLTYPE AddRef() override { return site.AddRef(); }         \
  ULONG STDMETHODCALLTYPE Release() override { return site.Release(); }       \
  BrowserSite& site

  struct ClientSitePart : IOleClientSite {
    QEV_SITE_PART_UNKNOWN;
    explicit ClientSitePart(BrowserSite& s) : site(s) {}
    HRESULT STDMETHODCALLTYPE SaveObject() override;
    HRESULT STDMETHODCALLTYPE GetMoniker(DWORD assign, DWORD which, IMoniker** out) override;
    HRESULT STDMETHODCALLTYPE GetContainer(IOleContainer** out) override;
    HRESULT STDMETHODCALLTYPE ShowObject() override;
    HRESULT STDMETHODCALLTYPE OnShowWindow(WINBOOL show) override;
    HRESULT STDMETHODCALLTYPE RequestNewObjectLayout() override;
  };

  struct InPlaceSitePart : IOleInPlaceSite {
    QEV_SITE_PART_UNKNOWN;
    explicit InPlaceSitePart(BrowserSite& s) : site(s) {}
    HRESULT STDMETHODCALLTYPE GetWindow(HWND* out) override;
    HRESULT STDMETHODCALLTYPE ContextSensitiveHelp(WINBOOL enter) override;
    HRESULT STDMETHODCALLTYPE CanInPlaceActivate() override;
    HRESULT STDMETHODCALLTYPE OnInPlaceActivate() override;
    HRESULT STDMETHODCALLTYPE OnUIActivate() override;
    HRESULT STDMETHODCALLTYPE GetWindowContext(IOleInPlaceFrame** frame, IOleInPlaceUIWindow** doc,
                                               LPRECT pos, LPRECT clip,
                                               LPOLEINPLACEFRAMEINFO info) override;
    HRESULT STDMETHODCALLTYPE Scroll(SIZE extent) override;
    HRESULT STDMETHODCALLTYPE OnUIDeactivate(WINBOOL undoable) override;
    HRESULT STDMETHODCALLTYPE OnInPlaceDeactivate() override;
    HRESULT STDMETHODCALLTYPE DiscardUndoState() override;
    HRESULT STDMETHODCALLTYPE DeactivateAndUndo() override;
    HRESULT STDMETHODCALLTYPE OnPosRectChange(LPCRECT pos) override;
  };

  struct FramePart : IOleInPlaceFrame {
    QEV_SITE_PART_UNKNOWN;
    explicit FramePart(BrowserSite& s) : site(s) {}
    HRESULT STDMETHODCALLTYPE GetWindow(HWND* out) override;
    HRESULT STDMETHODCALLTYPE ContextSensitiveHelp(WINBOOL enter) override;
    HRESULT STDMETHODCALLTYPE GetBorder(LPRECT border) override;
    HRESULT STDMETHODCALLTYPE RequestBorderSpace(LPCBORDERWIDTHS widths) override;
    HRESULT STDMETHODCALLTYPE SetBorderSpace(LPCBORDERWIDTHS widths) override;
    HRESULT STDMETHODCALLTYPE SetActiveObject(IOleInPlaceActiveObject* object,
                                              LPCOLESTR name) override;
    HRESULT STDMETHODCALLTYPE InsertMenus(HMENU shared, LPOLEMENUGROUPWIDTHS widths) override;
    HRESULT STDMETHODCALLTYPE SetMenu(HMENU shared, HOLEMENU menu, HWND object) override;
    HRESULT STDMETHODCALLTYPE RemoveMenus(HMENU shared) override;
    HRESULT STDMETHODCALLTYPE SetStatusText(LPCOLESTR text) override;
    HRESULT STDMETHODCALLTYPE EnableModeless(WINBOOL enable) override;
    HRESULT STDMETHODCALLTYPE TranslateAccelerator(LPMSG msg, WORD id) override;
  };

  struct UiHandlerPart : IDocHostUIHandler {
    QEV_SITE_PART_UNKNOWN;
    explicit UiHandlerPart(BrowserSite& s) : site(s) {}
    HRESULT STDMETHODCALLTYPE ShowContextMenu(DWORD id, POINT* at, IUnknown* target,
                                              IDispatch* object) override;
    HRESULT STDMETHODCALLTYPE GetHostInfo(DOCHOSTUIINFO* info) override;
    HRESULT STDMETHODCALLTYPE ShowUI(DWORD id, IOleInPlaceActiveObject* object,
                                     IOleCommandTarget* target, IOleInPlaceFrame* frame,
                                     IOleInPlaceUIWindow* doc) override;
    HRESULT STDMETHODCALLTYPE HideUI() override;
    HRESULT STDMETHODCALLTYPE UpdateUI() override;
    HRESULT STDMETHODCALLTYPE EnableModeless(WINBOOL enable) override;
    HRESULT STDMETHODCALLTYPE OnDocWindowActivate(WINBOOL activate) override;
    HRESULT STDMETHODCALLTYPE OnFrameWindowActivate(WINBOOL activate) override;
    HRESULT STDMETHODCALLTYPE ResizeBorder(LPCRECT border, IOleInPlaceUIWindow* window,
                                           WINBOOL frameWindow) override;
    HRESULT STDMETHODCALLTYPE TranslateAccelerator(LPMSG msg, const GUID* group,
                                                   DWORD command) override;
    HRESULT STDMETHODCALLTYPE GetOptionKeyPath(LPOLESTR* key, DWORD reserved) override;
    HRESULT STDMETHODCALLTYPE GetDropTarget(IDropTarget* given, IDropTarget** out) override;
    HRESULT STDMETHODCALLTYPE GetExternal(IDispatch** out) override;
    HRESULT STDMETHODCALLTYPE TranslateUrl(DWORD translate, LPWSTR in, LPWSTR* out) override;
    HRESULT STDMETHODCALLTYPE FilterDataObject(IDataObject* given, IDataObject** out) override;
  };

  struct ShowUiPart : IDocHostShowUI {
    QEV_SITE_PART_UNKNOWN;
    explicit ShowUiPart(BrowserSite& s) : site(s) {}
    HRESULT STDMETHODCALLTYPE ShowMessage(HWND hwnd, LPOLESTR text, LPOLESTR caption, DWORD type,
                                          LPOLESTR helpFile, DWORD helpContext,
                                          LRESULT* result) override;
    HRESULT STDMETHODCALLTYPE ShowHelp(HWND hwnd, LPOLESTR helpFile, UINT command, DWORD data,
                                       POINT at, IDispatch* object) override;
  };

  struct CommandTargetPart : IOleCommandTarget {
    QEV_SITE_PART_UNKNOWN;
    explicit CommandTargetPart(BrowserSite& s) : site(s) {}
    HRESULT STDMETHODCALLTYPE QueryStatus(const GUID* group, ULONG count, OLECMD commands[],
                                          OLECMDTEXT* text) override;
    HRESULT STDMETHODCALLTYPE Exec(const GUID* group, DWORD command, DWORD options, VARIANT* in,
                                   VARIANT* out) override;
  };
#undef QEV_SITE_PART_UNKNOWN

  std::atomic<ULONG> refs_{1};
  HWND host_;
  ClientSitePart clientSite_{*this};
  InPlaceSitePart inPlaceSite_{*this};
  FramePart frame_{*this};
  UiHandlerPart uiHandler_{*this};
  ShowUiPart showUi_{*this};
  CommandTargetPart commandTarget_{*this};
};

}  // namespace qev::win32
