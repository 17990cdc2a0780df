#include "CliSession.h"

#include <poll.h>

#include <cstring>

namespace tervane::cli {

using Clock = std::chrono::steady_clock;

CliSession::CliSession(std::string keyText, std::uint16_t devicePort)
    : keyText_(std::move(keyText)), sendAddress_(BroadcastAddress(devicePort)), protocol_(*this, this) {}

bool CliSession::Open(std::string& error) {
  if (!socket_.Open(0)) {
    error = std::string("cannot open a UDP socket: ") + std::strerror(socket_.lastError());
    return false;
  }
  socket_.SetReceiveBuffer(16 * 1024 * 1024);  // a whole segment answering at once
  return true;
}

void CliSession::SendDatagram(std::string_view bytes) { socket_.SendTo(bytes, sendAddress_); }

void CliSession::ShowNewDevices() {
  CAPinfo* r = protocol_.lastMerged();
  if (r && r->seen && !r->shown) {
    r->row = static_cast<int>(rows_.size());
    r->shown = 1;
    rows_.push_back(r);
  }
}

void CliSession::MarkUpdated(int row) { acknowledged_.insert(row); }

void CliSession::Pump(Clock::time_point until, const std::function<bool()>& done) {
  std::uint8_t buffer[kReceiveBufferSize + 1];
  while (!(done && done())) {
    const auto left = std::chrono::duration_cast<Duration>(until - Clock::now()).count();
    if (left <= 0) return;
    pollfd p{socket_.fd(), POLLIN, 0};
    if (::poll(&p, 1, static_cast<int>(std::min<long long>(left, 1000))) <= 0) continue;
    for (int i = 0; i < 512; ++i) {
      long n = socket_.ReceiveFrom(buffer, sizeof buffer, nullptr);
      if (n < 0) break;
      // A challenge for the device being pushed to tells that it heard the request.
      const std::size_t held = std::min<std::size_t>(static_cast<std::size_t>(n), sizeof buffer);
      std::string_view d(reinterpret_cast<const char*>(buffer), held);
      if (!challengeFor_.empty() && d.size() >= 9 && d[0] == '2' && d.substr(9).starts_with(challengeFor_))
        challengeSeen_ = true;
      protocol_.HandleDatagram(buffer, static_cast<std::size_t>(n));
    }
  }
}

void CliSession::Discover(Duration wait, const std::function<bool()>& done) {
  protocol_.ClearRoundFlags();
  rows_.clear();
  protocol_.SendProbe();
  Pump(Clock::now() + wait, done);
}

CliSession::PushResult CliSession::Push(CAPinfo& record, Duration wait) {
  if (record.row < 0 || record.row >= GridRowCount() || rows_[static_cast<std::size_t>(record.row)] != &record)
    return PushResult::NotSent;
  record.modified = 1;
  selected_ = {record.row};
  challengeFor_ = record.mac;
  challengeSeen_ = false;
  acknowledged_.clear();
  const std::size_t before = messages_.size();
  protocol_.UpdateSelected();
  if (messages_.size() != before) return PushResult::NotSent;
  const int row = record.row;
  Pump(Clock::now() + wait, [&] { return acknowledged_.count(row) != 0; });
  if (acknowledged_.count(row)) return PushResult::Acknowledged;
  return challengeSeen_ ? PushResult::NoAcknowledgement : PushResult::NoChallenge;
}

}  // namespace tervane::cli
