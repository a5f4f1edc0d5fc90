#pragma once
// A client socket that keeps the contract of platform/ClientSocket.h; the test plays
// the network by calling Connect, Refuse, Push and ServerClose, and can deliver a late
// notification of any attempt to check that handlers drop it.

#include <string>
#include <vector>

#include "platform/ClientSocket.h"

namespace qev::test {

class FakeClientSocket : public ClientSocket {
 public:
  std::string Address() const override { return address_; }
  void SetAddress(const std::string& dotted) override;
  int32_t Port() const override { return port_; }
  void SetPort(int32_t port) override;
  bool Active() const override { return active_; }
  void SetActive(bool on) override;
  uint32_t Open() override;
  void Close() override;
  std::string ReceiveText() override;

  // The network's side of the current attempt.
  void Connect();                      // the connection succeeds
  void Refuse(int code = 10061);       // the attempt fails (OnError kind 3, then the close)
  void Push(const std::string& text);  // bytes arrive; the read event fires
  void ServerClose();                  // the peer closes the connection

  // Late notifications of an attempt the socket should have forgotten (a misbehaving
  // platform): they reach the handlers as they are.
  void DeliverStaleConnect(uint32_t attempt);
  void DeliverStaleError(uint32_t attempt, int code = 10061);

  uint32_t attempt() const { return attempt_; }
  bool pending() const { return handle_ && !connected_; }
  bool connected() const { return connected_; }
  int opens = 0;
  int abandoned = 0;                 // pending attempts stopped by deactivation
  std::vector<std::string> targets;  // "address:port" of every Open

 private:
  void Disconnect();

  std::string address_;
  int32_t port_ = 0;
  bool active_ = false;
  bool connected_ = false;
  bool handle_ = false;
  uint32_t attempt_ = 0;
  std::string waiting_;
};

}  // namespace qev::test
