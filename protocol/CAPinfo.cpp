#include "CAPinfo.h"

namespace tervane {

CAPinfo::CAPinfo() { Reset(); }

CAPinfo::CAPinfo(std::string macKey) : mac(std::move(macKey)) { Reset(); }

CAPinfo::CAPinfo(const CAPinfo& other) : CAPinfo() { *this = other; }

CAPinfo& CAPinfo::operator=(const CAPinfo& other) {
  if (this == &other) return *this;
  ip = other.ip;
  mac = other.mac;
  mask = other.mask;
  gateway = other.gateway;
  devName = other.devName;
  channel = other.channel;
  dhcp = other.dhcp;
  ssid = other.ssid;
  type = other.type;
  reboot = other.reboot;
  modified = other.modified;
  seen = other.seen;
  return *this;
}

void CAPinfo::Reset() {
  modified = 0;
  channel.clear();
  dhcp.clear();
  reboot = 1;
  updated = 0;
  row = -1;
}

void CAPinfo::SetMac(std::string v) {
  auto end = v.find_last_not_of(" \t\r\n\v\f");
  v.erase(end == std::string::npos ? 0 : end + 1);
  mac = std::move(v);
}

}  // namespace tervane
