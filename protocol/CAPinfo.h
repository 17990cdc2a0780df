#pragma once
// One discovered device: an access point or an Ethernet client bridge.

#include <cstdint>
#include <string>

namespace tervane {

class CAPinfo {
 public:
  CAPinfo();
  // A key-only record for FindByMac: the text is taken unchanged.
  explicit CAPinfo(std::string macKey);

  CAPinfo(const CAPinfo& other);
  // Copies the device values and `modified`/`seen`; keeps `shown`, `updated`
  // and `row`, which describe the record's place in the grid.
  CAPinfo& operator=(const CAPinfo& other);
  void Assign(const CAPinfo& other) { *this = other; }

  void Reset();

  void SetIp(std::string v) { ip = std::move(v); }
  void SetMac(std::string v);  // trailing white space is removed
  void SetMask(std::string v) { mask = std::move(v); }
  void SetDevName(std::string v) { devName = std::move(v); }
  void SetGateway(std::string v) { gateway = std::move(v); }
  void SetChannel(std::string v) { channel = std::move(v); }
  void SetDhcp(std::string v) { dhcp = std::move(v); }
  void SetSsid(std::string v) { ssid = std::move(v); }
  void SetType(char letter) { type = static_cast<signed char>(letter); }
  void SetReboot(bool on) { reboot = on ? 1 : 0; }

  std::uint8_t modified = 0;  // the operator changed a cell of the row
  std::uint8_t seen = 0;      // answered in the current discovery cycle
  std::uint8_t shown = 0;     // has a grid row in the current cycle
  std::uint8_t updated = 0;   // the device acknowledged an update
  std::int32_t row = -1;      // grid row given when the row was inserted
  std::string ip;
  std::string mac;
  std::string mask;
  std::string devName;
  std::string gateway;
  std::string channel;
  std::string dhcp;
  std::uint8_t reboot = 1;
  std::int32_t type = 0;  // 'A', 'I', 'S' or 'R'
  std::string ssid;
};

}  // namespace tervane
