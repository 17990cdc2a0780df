#include "DeviceFormat.h"

#include <algorithm>
#include <array>
#include <cstdio>

#include "SettingsChecks.h"

namespace tervane::cli {
namespace {

constexpr std::array<const char*, 9> kNames = {"type", "mac", "ip", "mask", "gateway", "name", "ssid", "channel", "dhcp"};
constexpr std::array<const char*, 9> kHeaders = {"TYPE", "MAC", "IP", "MASK", "GATEWAY", "NAME", "SSID", "CH", "DHCP"};

std::array<const std::string*, 9> Fields(const DeviceRow& r) {
  return {&r.type, &r.mac, &r.ip, &r.mask, &r.gateway, &r.name, &r.ssid, &r.channel, &r.dhcp};
}

// Latin-1 bytes as UTF-8; a terminal column is one character per byte.
std::string Utf8(const std::string& bytes) {
  std::string out;
  for (unsigned char c : bytes) {
    if (c < 0x80) {
      out += static_cast<char>(c);
    } else {
      out += static_cast<char>(0xC0 | (c >> 6));
      out += static_cast<char>(0x80 | (c & 0x3F));
    }
  }
  return out;
}

// Control characters from the network must not reach the terminal.
std::string Printable(const std::string& bytes) {
  std::string out = bytes;
  for (char& c : out) {
    if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) c = '?';
  }
  return out;
}

std::string JsonString(const std::string& bytes) {
  std::string out = "\"";
  for (unsigned char c : bytes) {
    switch (c) {
      case '"':
        out += "\\\"";
        break;
      case '\\':
        out += "\\\\";
        break;
      case '\n':
        out += "\\n";
        break;
      case '\r':
        out += "\\r";
        break;
      case '\t':
        out += "\\t";
        break;
      default:
        if (c < 0x20 || c == 0x7F) {
          char buf[8];
          std::snprintf(buf, sizeof buf, "\\u%04x", c);
          out += buf;
        } else {
          out += Utf8(std::string(1, static_cast<char>(c)));
        }
    }
  }
  return out + "\"";
}

std::string CsvField(const std::string& bytes) {
  std::string text = Utf8(bytes);
  if (text.find_first_of(",\"\r\n") == std::string::npos) return text;
  std::string out = "\"";
  for (char c : text) {
    if (c == '"') out += '"';
    out += c;
  }
  return out + "\"";
}

}  // namespace

DeviceRow RowOf(const CAPinfo& r) {
  DeviceRow row;
  row.type = std::string(1, static_cast<char>(r.type));
  row.mac = r.mac;
  row.ip = r.ip;
  row.mask = r.mask;
  row.gateway = r.gateway;
  row.name = r.devName;
  row.ssid = r.ssid;
  row.channel = LeadingNumber(r.channel) == 0 ? "Auto" : r.channel;
  row.dhcp = r.dhcp;
  return row;
}

std::string FormatTable(const std::vector<DeviceRow>& rows) {
  std::array<std::size_t, 9> width{};
  for (std::size_t c = 0; c < width.size(); ++c) width[c] = std::string(kHeaders[c]).size();
  for (const DeviceRow& r : rows) {
    auto f = Fields(r);
    for (std::size_t c = 0; c < width.size(); ++c) width[c] = std::max(width[c], f[c]->size());
  }
  auto line = [&](const std::array<std::string, 9>& cells) {
    std::string out;
    for (std::size_t c = 0; c < cells.size(); ++c) {
      std::string cell = Printable(cells[c]);
      const std::size_t pad = width[c] - cell.size();
      out += Utf8(cell);
      if (c + 1 < cells.size()) out += std::string(pad + 2, ' ');
    }
    return out + "\n";
  };
  std::array<std::string, 9> header;
  for (std::size_t c = 0; c < header.size(); ++c) header[c] = kHeaders[c];
  std::string out = line(header);
  for (const DeviceRow& r : rows) {
    auto f = Fields(r);
    std::array<std::string, 9> cells;
    for (std::size_t c = 0; c < cells.size(); ++c) cells[c] = *f[c];
    out += line(cells);
  }
  return out;
}

std::string FormatJson(const std::vector<DeviceRow>& rows) {
  std::string out = "[";
  for (std::size_t i = 0; i < rows.size(); ++i) {
    out += i ? ",\n  {" : "\n  {";
    auto f = Fields(rows[i]);
    for (std::size_t c = 0; c < f.size(); ++c) {
      if (c) out += ", ";
      out += std::string("\"") + kNames[c] + "\": " + JsonString(*f[c]);
    }
    out += "}";
  }
  return out + (rows.empty() ? "]\n" : "\n]\n");
}

std::string FormatCsv(const std::vector<DeviceRow>& rows) {
  std::string out;
  for (std::size_t c = 0; c < kNames.size(); ++c) out += std::string(c ? "," : "") + kNames[c];
  out += "\r\n";
  for (const DeviceRow& r : rows) {
    auto f = Fields(r);
    for (std::size_t c = 0; c < f.size(); ++c) out += (c ? "," : "") + CsvField(*f[c]);
    out += "\r\n";
  }
  return out;
}

}  // namespace tervane::cli
