#pragma once
// One ping run: resolve the host, send echo requests one at a time, wait up
// to a second for each answer and report every event as a line.

#include <netinet/in.h>

#include <cstdint>
#include <string>

#include "PingLineSink.h"

namespace tervane {

class CPingEngine {
 public:
  enum class SocketKind { None, Raw, Datagram };

  // Runs `count` requests to `host` (passed to the resolver as given) and
  // reports to `sink`. Blocks for the whole run.
  void Ping(std::uint32_t count, const std::string& host, PingLineSink* sink);

  // A raw ICMP socket is tried first; when it is refused, the unprivileged
  // ICMP datagram socket. Clearing this goes straight to the datagram socket.
  void SetRawSocketAllowed(bool allowed) { m_bRawAllowed = allowed; }
  // The kind of socket the last run used (None when none could be opened).
  SocketKind LastSocketKind() const { return m_kind; }

 private:
  enum class ReadResult { Failed, TooShort, Ok };

  int OpenSocket();
  long SendEcho(int sock, const sockaddr_in& destination);
  int WaitReply(int sock);
  ReadResult ReadReply(int sock, sockaddr_in* source, int* ttl, std::uint32_t* stamp);
  void CloseSocket(int sock);
  void ReportError(const char* call, int error);
  void PostLine(int kind, std::string text);

  PingLineSink* m_pSink = nullptr;
  bool m_bRawAllowed = true;
  SocketKind m_kind = SocketKind::None;
};

}  // namespace tervane
