#include "win32/AsyncClientSocket.h"

#include <cstring>
#include <vector>

#include "win32/Gbk.h"
#include "win32/LateWinsock.h"
#include "win32/SocketTexts.h"

namespace qev::win32 {

namespace {

constexpr wchar_t kWindowClass[] = L"QevAsyncSocketWindow";
constexpr long kNotifications = FD_READ | FD_WRITE | FD_CONNECT | FD_CLOSE;
// The error code reported when Open has neither a host nor an address.
constexpr int kNoAddressCode = 1110;

bool RegisterWindowClass(WNDPROC proc) {
  WNDCLASSEXW wc = {};
  wc.cbSize = sizeof(wc);
  wc.lpfnWndProc = proc;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.lpszClassName = kWindowClass;
  return RegisterClassExW(&wc) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

// Attempt numbers count from 1 and skip the two values the contract keeps free.
uint32_t NextAttempt(uint32_t attempt) {
  ++attempt;
  while (attempt == 0 || attempt == 0xFFFFFFFFu) ++attempt;
  return attempt;
}

SocketErrorKind KindOf(int event) {
  switch (event) {
    case FD_READ:
      return SocketErrorKind::Receive;
    case FD_WRITE:
      return SocketErrorKind::Send;
    case FD_CONNECT:
      return SocketErrorKind::Connect;
    case FD_CLOSE:
      return SocketErrorKind::Disconnect;
    case FD_ACCEPT:
      return SocketErrorKind::Accept;
    default:
      return SocketErrorKind::General;
  }
}

}  // namespace

AsyncClientSocket::AsyncClientSocket() {
  if (RegisterWindowClass(&AsyncClientSocket::WindowProc))
    window_ = CreateWindowExW(0, kWindowClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                              GetModuleHandleW(nullptr), this);
  if (!window_) {
    const int code = static_cast<int>(GetLastError());
    throw SocketError(SocketCallFailedText(code, "CreateWindowEx"));
  }
}

AsyncClientSocket::~AsyncClientSocket() {
  CancelLookup();
  if (socket_) late::WSAAsyncSelect(socket_.Get(), window_, 0, 0);
  socket_.Reset();
  DestroyWindow(window_);
  // A lookup that never completed may still write into its buffer: leave it be.
  for (auto& entry : lookupBuffers_) entry.second.release();
  // A failing clean-up cannot be reported from a destructor; nothing is left to undo.
  if (winsockStarted_) late::WSACleanup();
}

LRESULT CALLBACK AsyncClientSocket::WindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_NCCREATE) {
    auto* create = reinterpret_cast<CREATESTRUCTW*>(lp);
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  auto* self = reinterpret_cast<AsyncClientSocket*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (self && (msg == kSocketMessage || msg == kLookupMessage)) {
    self->HandleMessage(msg, wp, lp);
    return 0;
  }
  return DefWindowProcW(hwnd, msg, wp, lp);
}

void AsyncClientSocket::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
  // No exception may cross the window procedure: failures go to the error handler.
  try {
    if (msg == kSocketMessage)
      OnSocketMessage(static_cast<SOCKET>(wp), WSAGETSELECTEVENT(lp), WSAGETSELECTERROR(lp));
    else
      OnLookupMessage(reinterpret_cast<HANDLE>(wp), WSAGETASYNCERROR(lp));
  } catch (const std::exception& e) {
    if (OnFailure)
      OnFailure(e.what());
    else
      MessageBoxW(nullptr, GbkToWide(e.what()).c_str(), L"", MB_OK | MB_ICONERROR);
  } catch (...) {
    // A handler's own failure of no known kind: dropped rather than let through.
  }
}

// --- target

void AsyncClientSocket::CheckChange(bool same) const {
  if (active_ && !same) throw SocketError(socket_texts::kChangeWhileActive);
}

void AsyncClientSocket::SetAddress(const std::string& dotted) {
  CheckChange(dotted == address_);
  address_ = dotted;
}

void AsyncClientSocket::SetPort(int32_t port) {
  CheckChange(port == port_);
  port_ = port;
}

void AsyncClientSocket::SetHost(const std::string& name) {
  CheckChange(name == host_);
  host_ = name;
}

void AsyncClientSocket::SetService(const std::string& name) {
  CheckChange(name == service_);
  service_ = name;
}

// --- opening

void AsyncClientSocket::SetActive(bool on) {
  if (on == active_) return;
  active_ = on;
  if (on) {
    if (!connected_) Open();
  } else if (connected_) {
    Disconnect();
  } else {
    Abandon();
  }
}

// WinSock starts with the first attempt: a launcher that never probes never loads it.
void AsyncClientSocket::StartWinsock() {
  if (winsockStarted_) return;
  WSADATA wsa;
  const int started = late::WSAStartup(MAKEWORD(2, 2), &wsa);
  if (started != 0) throw SocketError(SocketCallFailedText(started, "WSAStartup"));
  winsockStarted_ = true;
}

uint32_t AsyncClientSocket::Open() {
  if (connected_) throw SocketError(socket_texts::kAlreadyOpen);
  StartWinsock();
  Abandon();  // an attempt still pending gives way to the new one
  const SOCKET s = late::socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
  if (s == INVALID_SOCKET) throw SocketError(socket_texts::kCannotCreate);
  socket_.Reset(s);
  active_ = true;
  attempt_ = NextAttempt(attempt_);
  const uint32_t attempt = attempt_;
  target_ = {};
  target_.sin_family = AF_INET;
  Raise(OnLookup);
  if (socket_.Get() == s) ResolveAddress();
  return attempt;
}

void AsyncClientSocket::ResolveAddress() {
  if (!host_.empty()) return StartLookup(LookupKind::Host);
  if (address_.empty()) {
    const int code = RaiseError(SocketErrorKind::Lookup, kNoAddressCode);
    Close();
    if (code != 0) throw SocketError(socket_texts::kNoAddress);
    return;
  }
  target_.sin_addr.s_addr = late::inet_addr(address_.c_str());
  ResolvePort();
}

void AsyncClientSocket::ResolvePort() {
  if (!service_.empty()) return StartLookup(LookupKind::Service);
  target_.sin_port = late::htons(static_cast<u_short>(port_));
  StartConnect();
}

void AsyncClientSocket::StartLookup(LookupKind kind) {
  auto buffer = std::make_unique<char[]>(MAXGETHOSTSTRUCT);
  const HANDLE task = kind == LookupKind::Host
                          ? late::WSAAsyncGetHostByName(window_, kLookupMessage, host_.c_str(),
                                                        buffer.get(), MAXGETHOSTSTRUCT)
                          : late::WSAAsyncGetServByName(window_, kLookupMessage, service_.c_str(),
                                                        "tcp", buffer.get(), MAXGETHOSTSTRUCT);
  if (!task) return LookupFailed(late::WSAGetLastError());
  lookup_ = task;
  lookupKind_ = kind;
  lookupBuffers_[task] = std::move(buffer);
}

void AsyncClientSocket::OnLookupMessage(HANDLE task, int error) {
  const auto buffer = lookupBuffers_.find(task);
  if (buffer == lookupBuffers_.end()) return;
  const std::unique_ptr<char[]> result = std::move(buffer->second);
  lookupBuffers_.erase(buffer);
  if (task != lookup_ || !socket_) return;  // a cancelled lookup: only its buffer was left
  lookup_ = nullptr;
  if (error != 0) return LookupFailed(error);
  if (lookupKind_ == LookupKind::Host) {
    const auto* host = reinterpret_cast<const hostent*>(result.get());
    if (host->h_addrtype != AF_INET || !host->h_addr_list || !host->h_addr_list[0])
      return LookupFailed(WSANO_DATA);
    std::memcpy(&target_.sin_addr, host->h_addr_list[0], sizeof target_.sin_addr);
    ResolvePort();
  } else {
    target_.sin_port = static_cast<u_short>(reinterpret_cast<const servent*>(result.get())->s_port);
    StartConnect();
  }
}

void AsyncClientSocket::LookupFailed(int code) {
  code = RaiseError(SocketErrorKind::Lookup, code);
  Close();
  if (code != 0) throw SocketError(SocketCallFailedText(code, "ASync Lookup"));
}

void AsyncClientSocket::StartConnect() {
  const SOCKET s = socket_.Get();
  if (late::WSAAsyncSelect(s, window_, kSocketMessage, kNotifications) == SOCKET_ERROR)
    return CallFailed("WSAAsyncSelect");
  Raise(OnConnecting);
  if (socket_.Get() != s) return;  // the handler closed it
  if (late::connect(s, reinterpret_cast<const sockaddr*>(&target_), sizeof target_) == SOCKET_ERROR)
    CallFailed("connect");
}

void AsyncClientSocket::CallFailed(const char* api) {
  int code = late::WSAGetLastError();
  if (code == WSAEWOULDBLOCK) return;
  const int reported = code;
  code = RaiseError(SocketErrorKind::Connect, code);
  if (code != 0) throw SocketError(SocketCallFailedText(reported, api));
}

// --- notifications

void AsyncClientSocket::OnSocketMessage(SOCKET s, int event, int error) {
  // A notification of a socket closed since is not this socket's, even when the
  // system has handed the same handle value out again.
  if (!socket_ || s != socket_.Get()) return;
  if (event == FD_CONNECT && !ConnectFinished()) return;
  if (error != 0) {
    const int code = RaiseError(KindOf(event), error);
    if (code != 0) throw SocketError(AsyncSocketFailedText(error));
    return;
  }
  switch (event) {
    case FD_CONNECT:
      connected_ = true;
      active_ = true;
      Raise(OnConnect);
      break;
    case FD_READ:
      Raise(OnRead);
      break;
    case FD_WRITE:
      Raise(OnWrite);
      break;
    case FD_CLOSE:
      Disconnect();
      break;
    default:
      break;
  }
}

// A connected notification counts only while this socket's attempt has really ended:
// the socket is then writable (connected) or in error (refused). One still pending is
// neither, so a late notification meant for an earlier socket with the same handle
// value is dropped.
bool AsyncClientSocket::ConnectFinished() const {
  if (connected_) return false;
  fd_set writable;
  fd_set failed;
  FD_ZERO(&writable);
  FD_ZERO(&failed);
  FD_SET(socket_.Get(), &writable);
  FD_SET(socket_.Get(), &failed);
  timeval now = {0, 0};
  return late::select(0, nullptr, &writable, &failed, &now) > 0;
}

// --- closing

void AsyncClientSocket::Close() {
  Disconnect();
  active_ = false;
}

void AsyncClientSocket::Disconnect() {
  CancelLookup();
  if (!socket_) return;
  // The handle leaves socket_ first, so a handler that closes again finds nothing.
  SocketHandle closing = std::move(socket_);
  const SOCKET s = closing.Get();
  const uint32_t attempt = attempt_;
  active_ = false;
  connected_ = false;
  target_ = {};
  if (OnDisconnect) OnDisconnect(attempt);
  late::WSAAsyncSelect(s, window_, 0, 0);
  closing.Reset();
  DiscardQueuedNotifications(s);
}

void AsyncClientSocket::Abandon() {
  CancelLookup();
  if (!socket_) return;
  const SOCKET s = socket_.Get();
  late::WSAAsyncSelect(s, window_, 0, 0);
  socket_.Reset();
  connected_ = false;
  target_ = {};
  DiscardQueuedNotifications(s);
}

void AsyncClientSocket::CancelLookup() {
  if (!lookup_) return;
  late::WSACancelAsyncRequest(lookup_);
  lookup_ = nullptr;
}

// Notifications of the closed socket already waiting in the queue are taken out, so
// none can be mistaken for a later socket's. Those of other handles go back in order.
void AsyncClientSocket::DiscardQueuedNotifications(SOCKET closed) {
  std::vector<MSG> others;
  MSG msg;
  while (PeekMessageW(&msg, window_, kSocketMessage, kSocketMessage, PM_REMOVE))
    if (static_cast<SOCKET>(msg.wParam) != closed) others.push_back(msg);
  for (const MSG& m : others) PostMessageW(window_, m.message, m.wParam, m.lParam);
}

// --- events

void AsyncClientSocket::Raise(const Event& event) {
  if (event) event(attempt_);
}

int AsyncClientSocket::RaiseError(SocketErrorKind kind, int code) {
  if (OnError) OnError(attempt_, kind, code);
  return code;
}

// --- receiving

std::string AsyncClientSocket::ReceiveText() {
  if (!socket_) return {};
  const SOCKET s = socket_.Get();
  u_long waiting = 0;
  const char* api = "ioctlsocket";
  std::string text;
  if (late::ioctlsocket(s, FIONREAD, &waiting) == 0) {
    if (waiting == 0) return text;
    text.resize(waiting);
    api = "recv";
    const int got = late::recv(s, text.data(), static_cast<int>(waiting), 0);
    if (got != SOCKET_ERROR) {
      text.resize(static_cast<size_t>(got));
      return text;
    }
  }
  const int error = late::WSAGetLastError();
  if (error == WSAEWOULDBLOCK) return {};
  const int code = RaiseError(SocketErrorKind::Receive, error);
  Close();
  if (code != 0) throw SocketError(SocketCallFailedText(error, api));
  return {};
}

}  // namespace qev::win32
