#include "win32/NoticeBrowserHost.h"

#include <ole2.h>

#include "win32/ControlIds.h"
#include "win32/Gbk.h"
#include "win32/LateShell.h"

namespace qev::win32 {

namespace {

constexpr wchar_t kWindowClass[] = L"QevNoticeBrowserHost";
constexpr DISPID kTheaterModeId = 554;
constexpr UINT kCreateBrowser = WM_APP + 40;

bool RegisterHostClass(WNDPROC proc) {
  WNDCLASSEXW wc = {};
  wc.cbSize = sizeof(wc);
  wc.lpfnWndProc = proc;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
  wc.lpszClassName = kWindowClass;
  return RegisterClassExW(&wc) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

// A BSTR owned while it lives.
class Bstr {
 public:
  explicit Bstr(const std::wstring& text) : b_(late::SysAllocStringLen(text.data(), text.size())) {}
  Bstr(const Bstr&) = delete;
  Bstr& operator=(const Bstr&) = delete;
  ~Bstr() { late::SysFreeString(b_); }
  BSTR Get() const { return b_; }

 private:
  BSTR b_;
};

}  // namespace

NoticeBrowserHost::NoticeBrowserHost(const TydWebBrowser& switches)
    : site_(BrowserSite::New(switches, nullptr)) {}

bool NoticeBrowserHost::Create(HWND parent, const RECT& place) {
  if (window_) return static_cast<bool>(browser_);
  oleStarted_ = SUCCEEDED(late::OleInitialize(nullptr));
  if (CreateWindowAt(parent, place) && CreateBrowser()) return true;
  Destroy();
  return false;
}

bool NoticeBrowserHost::CreateLater(HWND parent, const RECT& place) {
  if (window_) return true;
  if (!CreateWindowAt(parent, place)) {
    Destroy();
    return false;
  }
  deferred_ = true;
  PostMessageW(window_, kCreateBrowser, 0, 0);
  return true;
}

void NoticeBrowserHost::CreateDeferredBrowser() {
  if (!deferred_) return;
  deferred_ = false;
  oleStarted_ = SUCCEEDED(late::OleInitialize(nullptr));
  if (!CreateBrowser()) {
    // Without the engine the pane stays an empty page, as with a failed Create.
    ReleaseBrowser();
    return;
  }
  if (pendingTheater_ >= 0) SetTheaterMode(pendingTheater_ == 1);
  if (!pendingUrl_.empty()) Navigate(pendingUrl_);
  pendingUrl_.clear();
}

bool NoticeBrowserHost::CreateWindowAt(HWND parent, const RECT& place) {
  if (!RegisterHostClass(&NoticeBrowserHost::WindowProc)) return false;
  window_ = CreateWindowExW(
      0, kWindowClass, L"", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, place.left, place.top,
      place.right - place.left, place.bottom - place.top, parent,
      reinterpret_cast<HMENU>(static_cast<INT_PTR>(ids::kWeb)), GetModuleHandleW(nullptr), this);
  site_->SetHostWindow(window_);
  return window_ != nullptr;
}

bool NoticeBrowserHost::CreateBrowser() {
  if (FAILED(late::CoCreateInstance(CLSID_WebBrowser, nullptr, CLSCTX_INPROC_SERVER, IID_IOleObject,
                                    object_.OutVoid())))
    return false;
  if (FAILED(object_->SetClientSite(site_->ClientSite()))) return false;
  late::OleSetContainedObject(object_.Get(), TRUE);
  RECT area;
  GetClientRect(window_, &area);
  if (FAILED(object_->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, site_->ClientSite(), 0, window_,
                             &area)))
    return false;
  browser_ = object_.As<IWebBrowser2>();
  return static_cast<bool>(browser_);
}

void NoticeBrowserHost::ReleaseBrowser() {
  browser_.Reset();
  if (object_) {
    if (auto inPlace = object_.As<IOleInPlaceObject>()) inPlace->InPlaceDeactivate();
    object_->Close(OLECLOSE_NOSAVE);
    object_->SetClientSite(nullptr);
    object_.Reset();
  }
}

void NoticeBrowserHost::Destroy() {
  ReleaseBrowser();
  deferred_ = false;
  pendingUrl_.clear();
  site_->SetHostWindow(nullptr);
  if (window_) {
    SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
    DestroyWindow(window_);
    window_ = nullptr;
  }
  if (oleStarted_) late::OleUninitialize();
  oleStarted_ = false;
}

void NoticeBrowserHost::Navigate(const std::string& url) {
  if (deferred_) pendingUrl_ = url;
  if (!browser_) return;
  const Bstr address(GbkToWide(url));
  VARIANT empty;
  late::VariantInit(&empty);
  browser_->Navigate(address.Get(), &empty, &empty, &empty, &empty);
}

void NoticeBrowserHost::SetTheaterMode(bool on) {
  if (deferred_) pendingTheater_ = on ? 1 : 0;
  if (!browser_) return;
  VARIANT value;
  late::VariantInit(&value);
  V_VT(&value) = VT_BOOL;
  V_BOOL(&value) = on ? VARIANT_TRUE : VARIANT_FALSE;
  DISPID named = DISPID_PROPERTYPUT;
  DISPPARAMS params = {&value, &named, 1, 1};
  browser_->Invoke(kTheaterModeId, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYPUT, &params,
                   nullptr, nullptr, nullptr);
}

void NoticeBrowserHost::FitBrowser() {
  if (!object_) return;
  RECT area;
  GetClientRect(window_, &area);
  if (auto inPlace = object_.As<IOleInPlaceObject>()) inPlace->SetObjectRects(&area, &area);
}

LRESULT CALLBACK NoticeBrowserHost::WindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_NCCREATE) {
    auto* create = reinterpret_cast<CREATESTRUCTW*>(lp);
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  auto* self = reinterpret_cast<NoticeBrowserHost*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (self && msg == WM_SIZE) self->FitBrowser();
  if (self && msg == kCreateBrowser) {
    self->CreateDeferredBrowser();
    return 0;
  }
  return DefWindowProcW(hwnd, msg, wp, lp);
}

}  // namespace qev::win32
