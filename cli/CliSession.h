#pragma once
// The device protocol for a terminal: one socket, a loop that waits for
// datagrams, and the discovered devices as the rows of an invisible grid.

#include <chrono>
#include <functional>
#include <set>
#include <string>
#include <vector>

#include "DeviceProtocol.h"
#include "UdpSocket.h"

namespace tervane::cli {

class CliSession : private DatagramSender, public DeviceOwner {
 public:
  using Duration = std::chrono::milliseconds;

  explicit CliSession(std::string keyText, std::uint16_t devicePort = kDevicePort);

  // False with the reason in `error` when the socket cannot be made.
  bool Open(std::string& error);

  // Sends the probe and collects replies until `wait` has passed or `done`
  // says so.
  void Discover(Duration wait, const std::function<bool()>& done = {});
  const std::vector<CAPinfo*>& Devices() const { return rows_; }
  CAPinfo* Find(const std::string& mac) { return protocol_.apList.FindByMac(mac); }

  enum class PushResult { Acknowledged, NoChallenge, NoAcknowledgement, NotSent };
  // Sends the record's settings and waits for the device to confirm them.
  PushResult Push(CAPinfo& record, Duration wait);
  const std::vector<std::string>& Messages() const { return messages_; }

  // DeviceOwner
  void ShowNewDevices() override;
  void MarkUpdated(int row) override;
  int GridRowCount() const override { return static_cast<int>(rows_.size()); }
  bool IsRowSelected(int row) const override { return selected_.count(row) != 0; }
  CAPinfo* RecordOfRow(int row) const override { return rows_[static_cast<std::size_t>(row)]; }
  void ShowMessage(const std::string& text) override { messages_.push_back(text); }
  std::string KeyText() const override { return keyText_; }

 private:
  void SendDatagram(std::string_view bytes) override;
  // Handles datagrams until the deadline or until `done`.
  void Pump(std::chrono::steady_clock::time_point until, const std::function<bool()>& done);

  std::string keyText_;
  sockaddr_in sendAddress_;
  UdpSocket socket_;
  DeviceProtocol protocol_;
  std::vector<CAPinfo*> rows_;
  std::set<int> selected_;
  std::set<int> acknowledged_;
  std::string challengeFor_;
  bool challengeSeen_ = false;
  std::vector<std::string> messages_;
};

}  // namespace tervane::cli
