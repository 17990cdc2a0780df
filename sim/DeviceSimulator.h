#pragma once
// What a segment of devices answers to each datagram it hears. No sockets:
// the simulator program moves the datagrams.

#include <cstdint>
#include <deque>
#include <functional>
#include <random>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "SimDevice.h"

namespace tervane::sim {

// One datagram to send to 255.255.255.255 at `port`, `delayMs` from now.
struct Outgoing {
  std::string bytes;
  std::uint16_t port = 0;
  int delayMs = 0;
};

class DeviceSimulator {
 public:
  using Log = std::function<void(const std::string&)>;

  DeviceSimulator(std::vector<SimDevice> devices, std::uint32_t seed, Log log);

  // Replies to a probe are spread at random over this window (0: one burst).
  void SetSpreadMs(int ms) { spreadMs_ = ms; }

  // Handles one datagram that arrived from the given port.
  std::vector<Outgoing> Handle(std::string_view datagram, std::uint16_t fromPort);

  const std::vector<SimDevice>& devices() const { return devices_; }

 private:
  bool HandleProbe(std::string_view datagram, std::uint16_t fromPort, std::vector<Outgoing>& out);
  void HandleRequest(std::string_view mac, std::uint16_t fromPort, std::vector<Outgoing>& out);
  void HandleResponse(std::string_view datagram, std::uint16_t fromPort, std::vector<Outgoing>& out);
  SimDevice* FindPrefixOf(std::string_view text);
  void Write(const std::string& line) {
    if (log_) log_(line);
  }

  std::vector<SimDevice> devices_;
  std::unordered_map<std::string, std::size_t> byMac_;
  std::vector<std::size_t> macLengths_;  // distinct mac lengths, for finding a mac at a text's start
  // key text -> devices with that key, so a probe is decrypted once per password.
  std::unordered_map<std::string, std::vector<std::size_t>> byKey_;
  // mac -> challenges sent and not yet answered (the last few).
  std::unordered_map<std::string, std::deque<std::string>> pending_;
  std::mt19937_64 rng_;
  int spreadMs_ = 0;
  Log log_;
};

}  // namespace tervane::sim
