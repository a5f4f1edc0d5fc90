#pragma once
// The status probe's client socket over WinSock's asynchronous interface: the socket's
// events and the completions of its name lookups arrive as messages to a hidden window
// of its own, so no call waits for the network and every event runs on the thread that
// created the object (the main thread), between window messages. It keeps the contract
// of platform/ClientSocket.h.
//
// Failures inside the handling of a notification (an error the handler left unhandled)
// cannot travel up through the window procedure: they go to OnFailure instead.

#include <windows.h>
#include <winsock2.h>

#include <functional>
#include <map>
#include <memory>
#include <string>

#include "platform/ClientSocket.h"
#include "win32/SocketHandle.h"

namespace qev::win32 {

class AsyncClientSocket : public ClientSocket {
 public:
  static constexpr UINT kSocketMessage = WM_USER + 1;  // 1025: readable, writable, ...
  static constexpr UINT kLookupMessage = WM_USER + 3;  // 1027: a name lookup completed

  // Creates the hidden window; throws SocketError when that fails. WinSock 2.2 starts
  // with the first Open (which throws SocketError when it cannot start).
  AsyncClientSocket();
  AsyncClientSocket(const AsyncClientSocket&) = delete;
  AsyncClientSocket& operator=(const AsyncClientSocket&) = delete;
  // Closes the socket without raising any event, then releases WinSock if it started.
  ~AsyncClientSocket() override;

  std::string Address() const override { return address_; }
  void SetAddress(const std::string& dotted) override;
  int32_t Port() const override { return port_; }
  void SetPort(int32_t port) override;
  // A host name, looked up asynchronously by Open; when set it wins over Address.
  std::string Host() const { return host_; }
  void SetHost(const std::string& name);
  // A service name, looked up asynchronously (protocol "tcp"); when set it wins over Port.
  std::string Service() const { return service_; }
  void SetService(const std::string& name);

  bool Active() const override { return active_; }
  void SetActive(bool on) override;
  // With Host or Service set the connecting event comes only after the lookups, when
  // their completion messages have been handled.
  uint32_t Open() override;
  void Close() override;
  std::string ReceiveText() override;

  // True between the connected notification and the close.
  bool Connected() const { return connected_; }
  // The hidden window that receives the notifications.
  HWND Window() const { return window_; }

  Event OnLookup;  // Open is about to resolve the target
  Event OnWrite;   // the socket became writable (nothing is ever queued for sending)
  // The application's error handler for failures inside a notification's handling;
  // unset, a system message box shows the text.
  std::function<void(const std::string& text)> OnFailure;

 private:
  enum class LookupKind { Host, Service };

  static LRESULT CALLBACK WindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
  void HandleMessage(UINT msg, WPARAM wp, LPARAM lp);
  void OnSocketMessage(SOCKET s, int event, int error);
  void OnLookupMessage(HANDLE task, int error);

  void CheckChange(bool same) const;
  void StartWinsock();
  void ResolveAddress();
  void ResolvePort();
  void StartLookup(LookupKind kind);
  void LookupFailed(int code);
  void StartConnect();
  void CallFailed(const char* api);
  bool ConnectFinished() const;
  void Disconnect();
  void Abandon();
  void CancelLookup();
  void DiscardQueuedNotifications(SOCKET closed);
  void Raise(const Event& event);
  // Calls OnError with a copy of code; returns what the handler left in it.
  int RaiseError(SocketErrorKind kind, int code);

  std::string host_;
  std::string address_;
  std::string service_;
  int32_t port_ = 0;
  bool winsockStarted_ = false;
  bool active_ = false;
  bool connected_ = false;
  uint32_t attempt_ = 0;
  SocketHandle socket_;
  sockaddr_in target_{};
  HANDLE lookup_ = nullptr;
  LookupKind lookupKind_ = LookupKind::Host;
  // The result buffer of every lookup that may still complete, by task: the system
  // writes into it until the completion message is posted, even after a cancel.
  std::map<HANDLE, std::unique_ptr<char[]>> lookupBuffers_;
  HWND window_ = nullptr;
};

}  // namespace qev::win32
