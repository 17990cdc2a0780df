#pragma once
// The device protocol without a socket: what to do with each datagram that
// arrives, and what to send for a probe or a settings push. Every datagram
// goes to the limited broadcast address at the device port.

#include <cstdint>
#include <string>
#include <string_view>

#include "APList.h"
#include "DeviceOwner.h"

namespace tervane {

inline constexpr std::uint16_t kDevicePort = 192;
inline constexpr std::size_t kReceiveBufferSize = 100;  // longer datagrams are dropped
inline constexpr std::string_view kProbePlainText = "all quve";
inline constexpr std::string_view kNoApUpdated = "No AP updated";

// Moves one datagram to the device port at 255.255.255.255.
class DatagramSender {
 public:
  virtual ~DatagramSender() = default;
  virtual void SendDatagram(std::string_view bytes) = 0;
};

// The 8-byte discovery probe: "all quve" encrypted under the key text.
std::string BuildProbe(std::string_view keyText);

// The answer to challenge bytes q: E_K(NOT D_K(q)).
std::string AnswerChallenge(std::string_view keyText, std::string_view q);

// A record's settings as sent to its device, each field followed by '$'.
std::string SettingsText(const CAPinfo& record);

// True when a value sent in the settings text contains '$', which would
// shift every later field on the device.
bool SettingsTextUnsafe(const CAPinfo& record);

class DeviceProtocol {
 public:
  DeviceProtocol(DatagramSender& sender, DeviceOwner* owner) : sender_(sender), owner_(owner) {}
  virtual ~DeviceProtocol() = default;
  DeviceProtocol(const DeviceProtocol&) = delete;
  DeviceProtocol& operator=(const DeviceProtocol&) = delete;

  void SetOwner(DeviceOwner* owner) { owner_ = owner; }
  DeviceOwner* owner() const { return owner_; }

  // One received datagram of `length` bytes (its true length, which may be
  // more than the bytes held in data when the receive truncated it).
  void HandleDatagram(const std::uint8_t* data, std::size_t length);
  void HandleDatagram(std::string_view datagram) {
    HandleDatagram(reinterpret_cast<const std::uint8_t*>(datagram.data()), datagram.size());
  }

  // Starts a discovery cycle: clears modified, seen, shown and updated.
  void ClearRoundFlags();
  // Sends the discovery probe under the owner's key text.
  void SendProbe();
  // Sends an update request for every selected row whose record is modified.
  void UpdateSelected();

  // The record the last accepted device reply was merged into, so an owner
  // need not walk the whole list after every reply; nullptr before any.
  CAPinfo* lastMerged() const { return lastMerged_; }

  APList apList;

 private:
  void HandleDeviceReply(std::string_view datagram);
  void HandleChallenge(std::string_view datagram);
  void HandleUpdateAck(std::string_view datagram);
  std::string KeyText() const;

  DatagramSender& sender_;
  DeviceOwner* owner_;
  CAPinfo* lastMerged_ = nullptr;
};

}  // namespace tervane
