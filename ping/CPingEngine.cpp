#include "CPingEngine.h"

#include <arpa/inet.h>
#include <linux/icmp.h>
#include <netdb.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <mutex>
#include <thread>

#include "IcmpEcho.h"

namespace tervane {

namespace {

// The identifier and sequence counters live for the whole process, so a
// second run continues the numbers of the first.
std::mutex g_counterMutex;
std::uint32_t g_identifier = 1;
std::uint32_t g_sequence = 1;

constexpr int kWaitMs = 1000;
constexpr auto kPauseAfterReply = std::chrono::milliseconds(1000);

std::string Format(const char* format, auto... args) {
  char buf[512];
  std::snprintf(buf, sizeof buf, format, args...);
  return buf;
}

std::string Dotted(const in_addr& addr) {
  char text[INET_ADDRSTRLEN] = {};
  inet_ntop(AF_INET, &addr, text, sizeof text);
  return text;
}

}  // namespace

void CPingEngine::Ping(std::uint32_t count, const std::string& host, PingLineSink* sink) {
  m_pSink = sink;

  const int sock = OpenSocket();
  if (sock < 0) {
    ReportError("socket()", errno);
    m_pSink->PostDone(0);
    return;
  }

  addrinfo hints{};
  hints.ai_family = AF_INET;
  hints.ai_socktype = SOCK_DGRAM;
  addrinfo* found = nullptr;
  if (getaddrinfo(host.c_str(), nullptr, &hints, &found) != 0 || found == nullptr) {
    PostLine(kPingLineError, Format("Host not found: %s", host.c_str()));
    m_pSink->PostDone(0);
    CloseSocket(sock);
    return;
  }
  sockaddr_in destination{};
  destination.sin_family = AF_INET;
  destination.sin_port = 0;
  destination.sin_addr = reinterpret_cast<const sockaddr_in*>(found->ai_addr)->sin_addr;
  freeaddrinfo(found);

  PostLine(kPingLineHeader, Format("Pinging %s [%s] with %d bytes of data:", host.c_str(),
                                   Dotted(destination.sin_addr).c_str(),
                                   static_cast<int>(kEchoDataSize)));

  for (std::uint32_t i = 0; i < count; ++i) {
    SendEcho(sock, destination);
    const int ready = WaitReply(sock);
    if (ready < 0) {
      ReportError("select()", errno);
      break;
    }
    if (ready == 0) {
      PostLine(kPingLineTimedOut, "Request Timed Out");
      continue;
    }
    sockaddr_in source{};
    int ttl = 0;
    std::uint32_t stamp = 0;
    const ReadResult read = ReadReply(sock, &source, &ttl, &stamp);
    const std::uint32_t now = TickCount();
    // A failed receive was reported by ReadReply and a datagram too short to
    // hold the TTL and the time stamp has nothing to show: neither gives a
    // reply line, but the pause that follows an answer is kept.
    if (read == ReadResult::Ok) {
      PostLine(kPingLineReply,
               Format("Reply[%d] from: %s: bytes=%d time=%ldms TTL=%d", static_cast<int>(i + 1),
                      Dotted(source.sin_addr).c_str(), static_cast<int>(kEchoDataSize),
                      static_cast<long>(ElapsedTicks(now, stamp)), ttl));
    }
    std::this_thread::sleep_for(kPauseAfterReply);
  }

  m_pSink->PostDone(1);
  CloseSocket(sock);
}

int CPingEngine::OpenSocket() {
  m_kind = SocketKind::None;
  if (m_bRawAllowed) {
    const int raw = socket(AF_INET, SOCK_RAW, IPPROTO_ICMP);
    if (raw >= 0) {
      // A raw socket sees every ICMP message that reaches this host,
      // including echo requests addressed to it (on loopback: our own, just
      // sent). Those are never answers; everything else still is.
      icmp_filter filter{};
      filter.data = 1u << ICMP_ECHO;
      setsockopt(raw, SOL_RAW, ICMP_FILTER, &filter, sizeof filter);
      m_kind = SocketKind::Raw;
      return raw;
    }
    if (errno != EPERM && errno != EACCES) return -1;
  }
  const int dgram = socket(AF_INET, SOCK_DGRAM, IPPROTO_ICMP);
  if (dgram < 0) return -1;
  const int on = 1;
  if (setsockopt(dgram, IPPROTO_IP, IP_RECVTTL, &on, sizeof on) != 0) {
    const int error = errno;
    close(dgram);
    errno = error;
    return -1;
  }
  m_kind = SocketKind::Datagram;
  return dgram;
}

long CPingEngine::SendEcho(int sock, const sockaddr_in& destination) {
  std::uint16_t identifier;
  std::uint16_t sequence;
  {
    std::lock_guard lock(g_counterMutex);
    identifier = static_cast<std::uint16_t>(g_identifier++);
    sequence = static_cast<std::uint16_t>(g_sequence++);
  }
  const EchoRequest request = BuildEchoRequest(identifier, sequence, TickCount());
  const long sent = sendto(sock, request.data(), request.size(), 0,
                           reinterpret_cast<const sockaddr*>(&destination), sizeof destination);
  if (sent < 0) ReportError("sendto()", errno);
  return sent;
}

int CPingEngine::WaitReply(int sock) {
  // poll rather than select: select cannot watch a descriptor numbered
  // FD_SETSIZE or above. A signal does not cut the second short.
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(kWaitMs);
  for (;;) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
        deadline - std::chrono::steady_clock::now());
    pollfd p{sock, POLLIN, 0};
    const int result = poll(&p, 1, left.count() > 0 ? static_cast<int>(left.count()) : 0);
    if (result < 0 && errno == EINTR) continue;
    return result;
  }
}

CPingEngine::ReadResult CPingEngine::ReadReply(int sock, sockaddr_in* source, int* ttl,
                                               std::uint32_t* stamp) {
  std::uint8_t buffer[kReplyBufferSize + 1] = {};
  alignas(cmsghdr) char control[CMSG_SPACE(sizeof(int)) * 4] = {};
  iovec iov{buffer, kReplyBufferSize};
  msghdr msg{};
  msg.msg_name = source;
  msg.msg_namelen = sizeof *source;
  msg.msg_iov = &iov;
  msg.msg_iovlen = 1;
  msg.msg_control = control;
  msg.msg_controllen = sizeof control;
  const long received = recvmsg(sock, &msg, 0);
  if (received < 0) {
    ReportError("recvfrom()", errno);
    return ReadResult::Failed;
  }
  const auto length = static_cast<std::size_t>(received);

  if (m_kind == SocketKind::Raw) {
    // The whole IP datagram: TTL in the IP header, the echo after 20 bytes.
    if (length < kIpHeaderSize + kEchoStampOffset + 4) return ReadResult::TooShort;
    *ttl = buffer[kIpTtlOffset];
    *stamp = ReadLe32(buffer + kIpHeaderSize + kEchoStampOffset);
    return ReadResult::Ok;
  }

  // The datagram socket hands over the ICMP message alone; the TTL comes
  // as ancillary data.
  bool haveTtl = false;
  for (cmsghdr* c = CMSG_FIRSTHDR(&msg); c != nullptr; c = CMSG_NXTHDR(&msg, c)) {
    if (c->cmsg_level == IPPROTO_IP && c->cmsg_type == IP_TTL &&
        c->cmsg_len >= CMSG_LEN(sizeof(int))) {
      std::memcpy(ttl, CMSG_DATA(c), sizeof(int));
      haveTtl = true;
    }
  }
  if (!haveTtl || length < kEchoStampOffset + 4) return ReadResult::TooShort;
  *stamp = ReadLe32(buffer + kEchoStampOffset);
  return ReadResult::Ok;
}

void CPingEngine::CloseSocket(int sock) {
  if (close(sock) != 0) ReportError("closesocket()", errno);
}

void CPingEngine::ReportError(const char* call, int error) {
  PostLine(kPingLineError, Format("%s - WSAError: %ld", call, static_cast<long>(error)));
}

void CPingEngine::PostLine(int kind, std::string text) { m_pSink->PostLine(kind, std::move(text)); }

}  // namespace tervane
