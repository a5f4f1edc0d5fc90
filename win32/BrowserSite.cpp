// The site's identity and the OLE container parts the browser needs to run in place.
#include "win32/BrowserSite.h"

namespace qev::win32 {

BrowserSite* BrowserSite::New(const TydWebBrowser& switches, HWND host) {
  return new BrowserSite(switches, host);
}

BrowserSite::BrowserSite(const TydWebBrowser& switches, HWND host)
    : UIProperties(switches), host_(host) {}

ULONG BrowserSite::AddRef() { return ++refs_; }

ULONG BrowserSite::Release() {
  const ULONG left = --refs_;
  if (left == 0) delete this;
  return left;
}

IUnknown* BrowserSite::Unknown() { return &clientSite_; }
IOleClientSite* BrowserSite::ClientSite() { return &clientSite_; }

HRESULT BrowserSite::QueryInterface(REFIID iid, void** out) {
  if (!out) return E_POINTER;
  *out = nullptr;
  if (iid == IID_IUnknown || iid == IID_IOleClientSite)
    *out = static_cast<IOleClientSite*>(&clientSite_);
  else if (iid == IID_IOleWindow || iid == IID_IOleInPlaceSite)
    *out = static_cast<IOleInPlaceSite*>(&inPlaceSite_);
  else if (iid == IID_IOleInPlaceUIWindow || iid == IID_IOleInPlaceFrame)
    *out = static_cast<IOleInPlaceFrame*>(&frame_);
  else if (iid == __uuidof(IDocHostUIHandler))
    *out = static_cast<IDocHostUIHandler*>(&uiHandler_);
  else if (iid == __uuidof(IDocHostShowUI))
    *out = static_cast<IDocHostShowUI*>(&showUi_);
  else if (iid == IID_IOleCommandTarget)
    *out = static_cast<IOleCommandTarget*>(&commandTarget_);
  if (!*out) return E_NOINTERFACE;
  AddRef();
  return S_OK;
}

// --- client site: the container keeps no storage and no monikers.

HRESULT BrowserSite::ClientSitePart::SaveObject() { return E_NOTIMPL; }
HRESULT BrowserSite::ClientSitePart::GetMoniker(DWORD, DWORD, IMoniker** out) {
  if (out) *out = nullptr;
  return E_NOTIMPL;
}
HRESULT BrowserSite::ClientSitePart::GetContainer(IOleContainer** out) {
  if (out) *out = nullptr;
  return E_NOINTERFACE;
}
HRESULT BrowserSite::ClientSitePart::ShowObject() { return S_OK; }
HRESULT BrowserSite::ClientSitePart::OnShowWindow(WINBOOL) { return S_OK; }
HRESULT BrowserSite::ClientSitePart::RequestNewObjectLayout() { return E_NOTIMPL; }

// --- in-place site: the browser fills the host window's client area.

HRESULT BrowserSite::InPlaceSitePart::GetWindow(HWND* out) {
  if (!out) return E_POINTER;
  *out = site.host_;
  return site.host_ ? S_OK : E_FAIL;
}
HRESULT BrowserSite::InPlaceSitePart::ContextSensitiveHelp(WINBOOL) { return E_NOTIMPL; }
HRESULT BrowserSite::InPlaceSitePart::CanInPlaceActivate() { return site.host_ ? S_OK : S_FALSE; }
HRESULT BrowserSite::InPlaceSitePart::OnInPlaceActivate() { return S_OK; }
HRESULT BrowserSite::InPlaceSitePart::OnUIActivate() { return S_OK; }

HRESULT BrowserSite::InPlaceSitePart::GetWindowContext(IOleInPlaceFrame** frame,
                                                       IOleInPlaceUIWindow** doc, LPRECT pos,
                                                       LPRECT clip, LPOLEINPLACEFRAMEINFO info) {
  if (!frame || !doc || !pos || !clip || !info) return E_POINTER;
  *frame = &site.frame_;
  site.AddRef();
  *doc = nullptr;
  RECT area = {};
  if (site.host_) GetClientRect(site.host_, &area);
  *pos = area;
  *clip = area;
  info->fMDIApp = FALSE;
  info->hwndFrame = site.host_;
  info->haccel = nullptr;
  info->cAccelEntries = 0;
  return S_OK;
}

HRESULT BrowserSite::InPlaceSitePart::Scroll(SIZE) { return E_NOTIMPL; }
HRESULT BrowserSite::InPlaceSitePart::OnUIDeactivate(WINBOOL) { return S_OK; }
HRESULT BrowserSite::InPlaceSitePart::OnInPlaceDeactivate() { return S_OK; }
HRESULT BrowserSite::InPlaceSitePart::DiscardUndoState() { return E_NOTIMPL; }
HRESULT BrowserSite::InPlaceSitePart::DeactivateAndUndo() { return E_NOTIMPL; }
HRESULT BrowserSite::InPlaceSitePart::OnPosRectChange(LPCRECT) { return S_OK; }

// --- frame: no tool space, no menus, no status bar.

HRESULT BrowserSite::FramePart::GetWindow(HWND* out) {
  if (!out) return E_POINTER;
  *out = site.host_;
  return site.host_ ? S_OK : E_FAIL;
}
HRESULT BrowserSite::FramePart::ContextSensitiveHelp(WINBOOL) { return E_NOTIMPL; }
HRESULT BrowserSite::FramePart::GetBorder(LPRECT) { return INPLACE_E_NOTOOLSPACE; }
HRESULT BrowserSite::FramePart::RequestBorderSpace(LPCBORDERWIDTHS) {
  return INPLACE_E_NOTOOLSPACE;
}
HRESULT BrowserSite::FramePart::SetBorderSpace(LPCBORDERWIDTHS) { return S_OK; }
HRESULT BrowserSite::FramePart::SetActiveObject(IOleInPlaceActiveObject*, LPCOLESTR) {
  return S_OK;
}
HRESULT BrowserSite::FramePart::InsertMenus(HMENU, LPOLEMENUGROUPWIDTHS) { return E_NOTIMPL; }
HRESULT BrowserSite::FramePart::SetMenu(HMENU, HOLEMENU, HWND) { return S_OK; }
HRESULT BrowserSite::FramePart::RemoveMenus(HMENU) { return E_NOTIMPL; }
HRESULT BrowserSite::FramePart::SetStatusText(LPCOLESTR) { return S_OK; }
HRESULT BrowserSite::FramePart::EnableModeless(WINBOOL) { return S_OK; }
HRESULT BrowserSite::FramePart::TranslateAccelerator(LPMSG, WORD) { return S_FALSE; }

}  // namespace qev::win32
