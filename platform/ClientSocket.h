#pragma once
// The asynchronous TCP client socket of the status probe. All its events run on the
// main thread, between window messages.
//
// Contract the probe handlers rely on:
// - Address and Port can only be changed while the socket is inactive; changing them
//   while Active throws SocketError (setting the same value is accepted).
// - Open() starts one connection attempt and returns its attempt number (a new number
//   each time, counting from 1; never 0 or 0xFFFFFFFF). OnConnecting runs before Open
//   returns, carrying the number Open is about to return. Later exactly one of these
//   follows: OnConnect (the connection stands; OnRead may follow, and OnDisconnect when
//   it is closed), or OnError (kind 3, the code by reference). A failure while opening
//   throws SocketError.
// - An error handler that sets the code to 0 has handled it; the handler may call
//   Close(). With the code left non-zero the socket throws SocketError from the call or
//   notification that failed.
// - Close() closes the wrapped socket; when it had a valid handle, OnDisconnect runs
//   (Active already false) before Close returns. Active is false afterwards.
// - SetActive(false) on a connected socket disconnects it as Close() does. On an
//   attempt that is still pending (not yet connected) it abandons the attempt: the
//   handle is closed without any event, and no later notification of that attempt
//   reaches a handler. So after SetActive(false) no event of an earlier attempt ever
//   runs; as a second guard every event carries its attempt number, and a handler can
//   drop an event whose number is not the one Open() last returned.
// - ReceiveText() returns every byte that is waiting, as one text ("" when none).

#include <cstdint>
#include <functional>
#include <stdexcept>
#include <string>

namespace qev {

class SocketError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Event and error kinds as the socket reports them.
enum class SocketErrorKind : int {
  General = 0,
  Send = 1,
  Receive = 2,
  Connect = 3,
  Disconnect = 4,
  Accept = 5,
  Lookup = 6
};

class ClientSocket {
 public:
  using Event = std::function<void(uint32_t attempt)>;
  using ErrorEvent = std::function<void(uint32_t attempt, SocketErrorKind kind, int& code)>;

  virtual ~ClientSocket() = default;

  virtual std::string Address() const = 0;
  virtual void SetAddress(const std::string& dotted) = 0;
  virtual int32_t Port() const = 0;
  virtual void SetPort(int32_t port) = 0;

  virtual bool Active() const = 0;
  virtual void SetActive(bool on) = 0;
  // Starts a connection attempt (Active := true); its number.
  virtual uint32_t Open() = 0;
  // Closes the wrapped socket (see the contract above).
  virtual void Close() = 0;
  virtual std::string ReceiveText() = 0;

  Event OnConnecting;
  Event OnConnect;
  Event OnRead;
  Event OnDisconnect;
  ErrorEvent OnError;
};

}  // namespace qev
