#pragma once
// One simulated device: the values it reports and the password it checks.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace tervane::sim {

enum class Format { Base, WithChannel, WithSsid };

struct SimDevice {
  char type = 'A';
  std::string mac;
  std::string ip;
  std::string mask = "255.255.255.0";
  std::string gateway;
  std::string name;
  std::string channel = "6";
  std::string dhcp = "0";
  std::string ssid;
  Format format = Format::WithSsid;
  std::string password = "kerbo";
  bool locked = false;  // ignores update requests, as a device locked by its owner
  bool acks = true;     // false: takes no challenge response, so never confirms

  // The device's answer to a probe in its reply format.
  std::string ReplyText() const;
};

// Reads a device list: one device per line of key=value pairs separated by
// spaces ("quoted values" may hold spaces), '#' starts a comment. Keys: type,
// mac, ip, mask, gateway, name, channel, dhcp, ssid, format (base, -1, -2),
// password, locked (0 or 1), acks (0 or 1). Returns the devices, or nothing with a message in `error`.
std::optional<std::vector<SimDevice>> ParseDeviceList(const std::string& text, std::string& error);

// `count` devices of mixed types and formats, the same for the same seed.
std::vector<SimDevice> GenerateDevices(int count, std::uint32_t seed, const std::string& password);

const char* FormatName(Format f);

}  // namespace tervane::sim
