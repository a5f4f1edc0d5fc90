#pragma once
// Owns one WinSock socket and closes it when it goes.

#include <winsock2.h>

#include <utility>

#include "win32/LateWinsock.h"

namespace qev::win32 {

class SocketHandle {
 public:
  SocketHandle() = default;
  explicit SocketHandle(SOCKET s) : s_(s) {}
  SocketHandle(const SocketHandle&) = delete;
  SocketHandle& operator=(const SocketHandle&) = delete;
  SocketHandle(SocketHandle&& other) noexcept : s_(std::exchange(other.s_, INVALID_SOCKET)) {}
  SocketHandle& operator=(SocketHandle&& other) noexcept {
    if (this != &other) Reset(std::exchange(other.s_, INVALID_SOCKET));
    return *this;
  }
  ~SocketHandle() { Reset(); }

  void Reset(SOCKET s = INVALID_SOCKET) {
    if (s_ != INVALID_SOCKET) late::closesocket(s_);
    s_ = s;
  }
  SOCKET Get() const { return s_; }
  explicit operator bool() const { return s_ != INVALID_SOCKET; }

 private:
  SOCKET s_ = INVALID_SOCKET;
};

}  // namespace qev::win32
