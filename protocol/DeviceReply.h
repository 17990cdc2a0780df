#pragma once
// Reading a device's answer to the discovery probe.

#include <optional>
#include <string_view>

#include "CAPinfo.h"

namespace tervane {

enum class ReplyFormat { Base, WithChannel, WithSsid };  // base, "-1", "-2"

struct DeviceReply {
  CAPinfo record;  // type and the fields the format carries
  ReplyFormat format = ReplyFormat::Base;
};

// Parses a DeviceReply datagram (first byte 'A', 'I', 'S' or 'R'). The text
// ends at the end of the datagram or at an earlier zero byte. Returns nothing
// when a separator the format requires is missing.
std::optional<DeviceReply> ParseDeviceReply(std::string_view datagram);

bool IsDeviceTypeLetter(char c);

}  // namespace tervane
