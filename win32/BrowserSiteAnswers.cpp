// The answers the site gives the browser engine about the page's look, its menus and
// its dialogs, from the switches.
#include "win32/BrowserSite.h"

namespace qev::win32 {

namespace {

// Host flags of GetHostInfo.
constexpr DWORD kNoThreeDBorder = 0x4;
constexpr DWORD kNoScrollBars = 0x8;
constexpr DWORD kFlatScrollBars = 0x80;
constexpr DWORD kActiveXInactivateMode = 0x20000000;

// The document host's command group and its "show script error" command.
constexpr GUID kDocHostCommandGroup = {
    0xf38bc242, 0xb950, 0x11d1, {0x89, 0x18, 0x00, 0xc0, 0x4f, 0xc2, 0xc8, 0x36}};
constexpr DWORD kShowScriptError = 40;

// The size the host info carries: five 32-bit fields in the 32-bit program.
static_assert(sizeof(void*) != 4 || sizeof(DOCHOSTUIINFO) == 20);

}  // namespace

// --- IDocHostUIHandler

HRESULT BrowserSite::UiHandlerPart::ShowContextMenu(DWORD, POINT*, IUnknown*, IDispatch*) {
  if (site.UIProperties.RightPopupMenu) return S_FALSE;  // the browser shows its own menu
  // Without a method there is no menu to show: the browser's own stays away too.
  return site.PopupMenuMethod ? site.PopupMenuMethod(-1) : S_OK;
}

HRESULT BrowserSite::UiHandlerPart::GetHostInfo(DOCHOSTUIINFO* info) {
  if (!info) return E_POINTER;
  const TydWebBrowser& ui = site.UIProperties;
  DWORD flags = kActiveXInactivateMode;
  if (!ui.ScrollBars) flags += kNoScrollBars;
  if (ui.FlatScrollBars) flags += kFlatScrollBars;
  if (!ui.Border3DStyle) flags += kNoThreeDBorder;
  info->cbSize = sizeof(DOCHOSTUIINFO);
  info->dwFlags = flags;
  return S_OK;
}

HRESULT BrowserSite::UiHandlerPart::GetExternal(IDispatch** out) {
  if (out) *out = nullptr;
  return S_OK;
}

HRESULT BrowserSite::UiHandlerPart::GetDropTarget(IDropTarget*, IDropTarget** out) {
  if (out) *out = nullptr;
  return S_FALSE;
}

HRESULT BrowserSite::UiHandlerPart::FilterDataObject(IDataObject*, IDataObject** out) {
  if (out) *out = nullptr;
  return S_FALSE;
}

// The rest leave the browser's own behaviour in place.
HRESULT BrowserSite::UiHandlerPart::ShowUI(DWORD, IOleInPlaceActiveObject*, IOleCommandTarget*,
                                           IOleInPlaceFrame*, IOleInPlaceUIWindow*) {
  return S_FALSE;
}
HRESULT BrowserSite::UiHandlerPart::HideUI() { return S_FALSE; }
HRESULT BrowserSite::UiHandlerPart::UpdateUI() { return S_FALSE; }
HRESULT BrowserSite::UiHandlerPart::EnableModeless(WINBOOL) { return S_FALSE; }
HRESULT BrowserSite::UiHandlerPart::OnDocWindowActivate(WINBOOL) { return S_FALSE; }
HRESULT BrowserSite::UiHandlerPart::OnFrameWindowActivate(WINBOOL) { return S_FALSE; }
HRESULT BrowserSite::UiHandlerPart::ResizeBorder(LPCRECT, IOleInPlaceUIWindow*, WINBOOL) {
  return S_FALSE;
}
HRESULT BrowserSite::UiHandlerPart::TranslateAccelerator(LPMSG, const GUID*, DWORD) {
  return S_FALSE;
}
HRESULT BrowserSite::UiHandlerPart::GetOptionKeyPath(LPOLESTR*, DWORD) { return S_FALSE; }
HRESULT BrowserSite::UiHandlerPart::TranslateUrl(DWORD, LPWSTR, LPWSTR*) { return S_FALSE; }

// --- IDocHostShowUI: the page's message boxes and help count as shown; none appears.

HRESULT BrowserSite::ShowUiPart::ShowMessage(HWND, LPOLESTR, LPOLESTR, DWORD, LPOLESTR, DWORD,
                                             LRESULT*) {
  (void)site.UIProperties.ShowMsgBox;  // no effect yet: every box stays hidden
  return S_OK;
}

HRESULT BrowserSite::ShowUiPart::ShowHelp(HWND, LPOLESTR, UINT, DWORD, POINT, IDispatch*) {
  (void)site.UIProperties.ShowHelpBox;  // no effect yet: help stays hidden
  return S_OK;
}

// --- IOleCommandTarget

HRESULT BrowserSite::CommandTargetPart::QueryStatus(const GUID*, ULONG, OLECMD[], OLECMDTEXT*) {
  return S_OK;
}

HRESULT BrowserSite::CommandTargetPart::Exec(const GUID* group, DWORD command, DWORD, VARIANT*,
                                             VARIANT* out) {
  // A script error: answer "keep running the scripts" so no error dialog appears.
  if (group && *group == kDocHostCommandGroup && command == kShowScriptError && out) {
    V_VT(out) = VT_BOOL;
    V_BOOL(out) = VARIANT_TRUE;
  }
  return S_OK;
}

}  // namespace qev::win32
