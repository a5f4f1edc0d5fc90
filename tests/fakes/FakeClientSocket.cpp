#include "tests/fakes/FakeClientSocket.h"

namespace qev::test {

void FakeClientSocket::SetAddress(const std::string& dotted) {
  if (active_ && dotted != address_) throw SocketError("Socket active: cannot change value");
  address_ = dotted;
}

void FakeClientSocket::SetPort(int32_t port) {
  if (active_ && port != port_) throw SocketError("Socket active: cannot change value");
  port_ = port;
}

void FakeClientSocket::SetActive(bool on) {
  if (on == active_) return;
  active_ = on;
  if (on) {
    if (!connected_) Open();
    return;
  }
  if (connected_) {
    Disconnect();
  } else if (handle_) {
    // A pending attempt is abandoned without any event.
    handle_ = false;
    ++abandoned;
  }
}

uint32_t FakeClientSocket::Open() {
  if (connected_) throw SocketError("Socket already open");
  handle_ = true;
  active_ = true;
  waiting_.clear();
  ++opens;
  ++attempt_;
  targets.push_back(address_ + ":" + std::to_string(port_));
  if (OnConnecting) OnConnecting(attempt_);
  return attempt_;
}

void FakeClientSocket::Close() {
  if (handle_) Disconnect();
  active_ = false;
}

void FakeClientSocket::Disconnect() {
  active_ = false;
  const uint32_t a = attempt_;
  if (OnDisconnect) OnDisconnect(a);
  handle_ = false;
  connected_ = false;
  waiting_.clear();
}

std::string FakeClientSocket::ReceiveText() {
  std::string out;
  out.swap(waiting_);
  return out;
}

void FakeClientSocket::Connect() {
  if (!handle_ || connected_) return;
  connected_ = true;
  active_ = true;
  if (OnConnect) OnConnect(attempt_);
}

void FakeClientSocket::Refuse(int code) {
  if (!handle_ || connected_) return;
  int c = code;
  if (OnError) OnError(attempt_, SocketErrorKind::Connect, c);
  if (c != 0) throw SocketError("Asynchronous socket error " + std::to_string(c));
}

void FakeClientSocket::Push(const std::string& text) {
  if (!connected_) return;
  waiting_ += text;
  if (OnRead) OnRead(attempt_);
}

void FakeClientSocket::ServerClose() {
  if (handle_) Disconnect();
}

void FakeClientSocket::DeliverStaleConnect(uint32_t attempt) {
  if (OnConnect) OnConnect(attempt);
}

void FakeClientSocket::DeliverStaleError(uint32_t attempt, int code) {
  int c = code;
  if (OnError) OnError(attempt, SocketErrorKind::Connect, c);
}

}  // namespace qev::test
