#pragma once
// Printing discovered devices for a terminal or a script.

#include <string>
#include <vector>

#include "CAPinfo.h"

namespace tervane::cli {

enum class OutputFormat { Table, Json, Csv };

// The fields a row of the grid shows, in grid order (reboot is not a
// device value). Channels that read as 0 show as "Auto", as in the grid.
struct DeviceRow {
  std::string type, mac, ip, mask, gateway, name, ssid, channel, dhcp;
};

DeviceRow RowOf(const CAPinfo& record);

std::string FormatTable(const std::vector<DeviceRow>& rows);
// An array of objects with the field names type, mac, ip, mask, gateway,
// name, ssid, channel, dhcp. Texts are bytes read as Latin-1, written as UTF-8.
std::string FormatJson(const std::vector<DeviceRow>& rows);
// RFC 4180: a header row, CR LF line ends, fields quoted where needed.
std::string FormatCsv(const std::vector<DeviceRow>& rows);

}  // namespace tervane::cli
