#include "UdpSocket.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace tervane {

sockaddr_in BroadcastAddress(std::uint16_t port) {
  sockaddr_in a{};
  a.sin_family = AF_INET;
  a.sin_port = htons(port);
  a.sin_addr.s_addr = htonl(INADDR_BROADCAST);
  return a;
}

UdpSocket::~UdpSocket() { Close(); }

bool UdpSocket::Open(std::uint16_t port, bool reuseAddress) {
  Close();
  fd_ = ::socket(AF_INET, SOCK_DGRAM, 0);
  if (fd_ < 0) {
    lastError_ = errno;
    return false;
  }
  int flags = ::fcntl(fd_, F_GETFL, 0);
  ::fcntl(fd_, F_SETFL, flags | O_NONBLOCK);
  ::fcntl(fd_, F_SETFD, FD_CLOEXEC);
  int one = 1;
  if (reuseAddress) ::setsockopt(fd_, SOL_SOCKET, SO_REUSEADDR, &one, sizeof one);
  sockaddr_in local{};
  local.sin_family = AF_INET;
  local.sin_port = htons(port);
  local.sin_addr.s_addr = htonl(INADDR_ANY);
  if (::bind(fd_, reinterpret_cast<sockaddr*>(&local), sizeof local) != 0 ||
      ::setsockopt(fd_, SOL_SOCKET, SO_BROADCAST, &one, sizeof one) != 0) {
    lastError_ = errno;
    Close();
    return false;
  }
  return true;
}

void UdpSocket::Close() {
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
}

std::uint16_t UdpSocket::LocalPort() const {
  sockaddr_in local{};
  socklen_t len = sizeof local;
  if (fd_ < 0 || ::getsockname(fd_, reinterpret_cast<sockaddr*>(&local), &len) != 0) return 0;
  return ntohs(local.sin_port);
}

int UdpSocket::SetReceiveBuffer(int bytes) {
  if (fd_ < 0) return 0;
#ifdef SO_RCVBUFFORCE
  // Past net.core.rmem_max where the process is privileged (root, or root of
  // its own user namespace).
  if (::setsockopt(fd_, SOL_SOCKET, SO_RCVBUFFORCE, &bytes, sizeof bytes) != 0)
#endif
    ::setsockopt(fd_, SOL_SOCKET, SO_RCVBUF, &bytes, sizeof bytes);
  return ReceiveBufferSize();
}

int UdpSocket::ReceiveBufferSize() const {
  int size = 0;
  socklen_t len = sizeof size;
  if (fd_ < 0 || ::getsockopt(fd_, SOL_SOCKET, SO_RCVBUF, &size, &len) != 0) return 0;
  return size;
}

bool UdpSocket::SendTo(std::string_view bytes, const sockaddr_in& to) {
  if (fd_ < 0) return false;
  ssize_t n = ::sendto(fd_, bytes.data(), bytes.size(), 0, reinterpret_cast<const sockaddr*>(&to),
                       sizeof to);
  if (n < 0) {
    lastError_ = errno;
    return false;
  }
  return true;
}

long UdpSocket::ReceiveFrom(std::uint8_t* buf, std::size_t capacity, sockaddr_in* from) {
  if (fd_ < 0) return -1;
  sockaddr_in sender{};
  iovec iov{buf, capacity};
  msghdr msg{};
  msg.msg_name = &sender;
  msg.msg_namelen = sizeof sender;
  msg.msg_iov = &iov;
  msg.msg_iovlen = 1;
  int flags = 0;
#ifdef __linux__
  flags |= MSG_TRUNC;  // report the datagram's true length
#endif
  ssize_t n = ::recvmsg(fd_, &msg, flags);
  if (n < 0) {
    lastError_ = errno;
    return -1;
  }
  if (from) *from = sender;
  if ((msg.msg_flags & MSG_TRUNC) && static_cast<std::size_t>(n) <= capacity) {
    return static_cast<long>(capacity) + 1;
  }
  return static_cast<long>(n);
}

}  // namespace tervane
