#include "CAsyncSocketSch.h"

#include <array>

namespace tervane {

CAsyncSocketSch::CAsyncSocketSch(DeviceOwner* owner, QObject* parent, std::uint16_t devicePort)
    : QObject(parent), DeviceProtocol(*this, owner), sendAddress(BroadcastAddress(devicePort)) {}

CAsyncSocketSch::~CAsyncSocketSch() = default;

bool CAsyncSocketSch::Open() {
  notifier_.reset();
  if (!socket_.Open(0)) return false;
  socket_.SetReceiveBuffer(kReceiveBufferBytes);
  notifier_ = std::make_unique<QSocketNotifier>(socket_.fd(), QSocketNotifier::Read);
  connect(notifier_.get(), &QSocketNotifier::activated, this, [this] { OnReceive(); });
  return true;
}

bool CAsyncSocketSch::SendTo(std::string_view bytes) { return socket_.SendTo(bytes, sendAddress); }

void CAsyncSocketSch::OnReceive() {
  // One byte more than the largest datagram handled, so that a longer one is
  // recognised and dropped whole.
  std::array<std::uint8_t, kReceiveBufferSize + 1> buffer{};
  // Bounded per notification so the event loop stays responsive; the
  // notifier fires again while datagrams are waiting.
  for (int i = 0; i < 512; ++i) {
    long n = socket_.ReceiveFrom(buffer.data(), buffer.size(), &fromAddress);
    if (n < 0) return;
    HandleDatagram(buffer.data(), static_cast<std::size_t>(n));
  }
}

}  // namespace tervane
