#pragma once
// A non-blocking IPv4 UDP socket with broadcast enabled (POSIX).

#include <netinet/in.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace tervane {

// 255.255.255.255 at the given port.
sockaddr_in BroadcastAddress(std::uint16_t port);

class UdpSocket {
 public:
  UdpSocket() = default;
  ~UdpSocket();
  UdpSocket(const UdpSocket&) = delete;
  UdpSocket& operator=(const UdpSocket&) = delete;

  // Binds to any local address at `port` (0: the system picks one) and sets
  // SO_BROADCAST; `reuseAddress` also sets SO_REUSEADDR. False with
  // lastError() set when the socket cannot be made.
  bool Open(std::uint16_t port = 0, bool reuseAddress = false);
  void Close();
  bool isOpen() const { return fd_ >= 0; }
  int fd() const { return fd_; }
  std::uint16_t LocalPort() const;

  // Asks for a receive buffer of `bytes` (beyond the system's limit where
  // the process may); returns the size the kernel granted.
  int SetReceiveBuffer(int bytes);
  int ReceiveBufferSize() const;

  bool SendTo(std::string_view bytes, const sockaddr_in& to);

  // Receives one waiting datagram into buf. Returns its true length, which is
  // more than `capacity` when it did not fit (the excess is discarded), or -1
  // when nothing is waiting or the receive failed.
  long ReceiveFrom(std::uint8_t* buf, std::size_t capacity, sockaddr_in* from);

  int lastError() const { return lastError_; }

 private:
  int fd_ = -1;
  int lastError_ = 0;
};

}  // namespace tervane
