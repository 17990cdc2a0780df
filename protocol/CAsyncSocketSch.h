#pragma once
// The device socket: one UDP socket, broadcast enabled, whose datagrams are
// handled on the thread that runs its Qt event loop (the thread that owns
// the records).

#include <QObject>
#include <QSocketNotifier>
#include <memory>

#include "DeviceProtocol.h"
#include "UdpSocket.h"

namespace tervane {

class CAsyncSocketSch : public QObject, private DatagramSender, public DeviceProtocol {
  Q_OBJECT

 public:
  // A receive buffer that holds a burst of replies from thousands of devices
  // answering the same probe.
  static constexpr int kReceiveBufferBytes = 16 * 1024 * 1024;

  explicit CAsyncSocketSch(DeviceOwner* owner = nullptr, QObject* parent = nullptr,
                           std::uint16_t devicePort = kDevicePort);
  ~CAsyncSocketSch() override;

  // Creates the socket on any local port with SO_BROADCAST and starts
  // listening for datagrams. False when the socket could not be made.
  bool Open();
  bool isOpen() const { return socket_.isOpen(); }

  // Sends one datagram to sendAddress; false when the send failed.
  bool SendTo(std::string_view bytes);

  // Handles the datagrams waiting on the socket.
  void OnReceive();

  UdpSocket& socket() { return socket_; }

  sockaddr_in fromAddress{};  // sender of the last datagram received
  const sockaddr_in sendAddress;

 private:
  void SendDatagram(std::string_view bytes) override { SendTo(bytes); }

  UdpSocket socket_;
  std::unique_ptr<QSocketNotifier> notifier_;
};

}  // namespace tervane
