#include "SimDevice.h"

#include <random>
#include <sstream>

namespace tervane::sim {

const char* FormatName(Format f) {
  switch (f) {
    case Format::Base:
      return "base";
    case Format::WithChannel:
      return "-1";
    case Format::WithSsid:
      return "-2";
  }
  return "base";
}

std::string SimDevice::ReplyText() const {
  // The type token: the type letter, a second letter, then the format mark
  // at bytes 2 and 3.
  std::string text(1, type);
  text += type == 'A' ? 'P' : 'B';
  if (format == Format::WithChannel) text += "-1";
  if (format == Format::WithSsid) text += "-2";
  text += '/' + ip + '/' + mask + '/' + mac + '/' + name + '/' + gateway;
  if (format == Format::Base) return text;
  text += '/' + channel + '/' + dhcp + '/';
  if (format == Format::WithSsid) text += ssid;
  return text;
}

namespace {

// Splits a line into key=value words; values may be "quoted".
bool SplitWords(const std::string& line, std::vector<std::pair<std::string, std::string>>& out,
                std::string& error) {
  std::size_t i = 0;
  while (i < line.size()) {
    while (i < line.size() && (line[i] == ' ' || line[i] == '\t' || line[i] == '\r')) ++i;
    if (i >= line.size() || line[i] == '#') break;
    std::size_t eq = line.find('=', i);
    std::size_t space = line.find_first_of(" \t", i);
    if (eq == std::string::npos || (space != std::string::npos && space < eq)) {
      error = "expected key=value at \"" + line.substr(i) + "\"";
      return false;
    }
    std::string key = line.substr(i, eq - i);
    i = eq + 1;
    std::string value;
    if (i < line.size() && line[i] == '"') {
      std::size_t close = line.find('"', i + 1);
      if (close == std::string::npos) {
        error = "unterminated quote after " + key + "=";
        return false;
      }
      value = line.substr(i + 1, close - i - 1);
      i = close + 1;
    } else {
      std::size_t end = line.find_first_of(" \t\r", i);
      if (end == std::string::npos) end = line.size();
      value = line.substr(i, end - i);
      i = end;
    }
    out.emplace_back(std::move(key), std::move(value));
  }
  return true;
}

}  // namespace

std::optional<std::vector<SimDevice>> ParseDeviceList(const std::string& text, std::string& error) {
  std::vector<SimDevice> devices;
  std::istringstream in(text);
  std::string line;
  int lineNo = 0;
  while (std::getline(in, line)) {
    ++lineNo;
    std::vector<std::pair<std::string, std::string>> words;
    std::string why;
    if (!SplitWords(line, words, why)) {
      error = "line " + std::to_string(lineNo) + ": " + why;
      return std::nullopt;
    }
    if (words.empty()) continue;
    SimDevice d;
    for (auto& [key, value] : words) {
      if (key == "type") {
        if (value.size() != 1) {
          error = "line " + std::to_string(lineNo) + ": type must be one letter";
          return std::nullopt;
        }
        d.type = value[0];
      } else if (key == "mac") {
        d.mac = value;
      } else if (key == "ip") {
        d.ip = value;
      } else if (key == "mask") {
        d.mask = value;
      } else if (key == "gateway") {
        d.gateway = value;
      } else if (key == "name") {
        d.name = value;
      } else if (key == "channel") {
        d.channel = value;
      } else if (key == "dhcp") {
        d.dhcp = value;
      } else if (key == "ssid") {
        d.ssid = value;
      } else if (key == "password") {
        d.password = value;
      } else if (key == "locked") {
        if (value != "0" && value != "1") {
          error = "line " + std::to_string(lineNo) + ": locked must be 0 or 1";
          return std::nullopt;
        }
        d.locked = value == "1";
      } else if (key == "acks") {
        if (value != "0" && value != "1") {
          error = "line " + std::to_string(lineNo) + ": acks must be 0 or 1";
          return std::nullopt;
        }
        d.acks = value == "1";
      } else if (key == "format") {
        if (value == "base") {
          d.format = Format::Base;
        } else if (value == "-1") {
          d.format = Format::WithChannel;
        } else if (value == "-2") {
          d.format = Format::WithSsid;
        } else {
          error = "line " + std::to_string(lineNo) + ": format must be base, -1 or -2";
          return std::nullopt;
        }
      } else {
        error = "line " + std::to_string(lineNo) + ": unknown key " + key;
        return std::nullopt;
      }
    }
    if (d.mac.empty()) {
      error = "line " + std::to_string(lineNo) + ": a device needs a mac";
      return std::nullopt;
    }
    devices.push_back(std::move(d));
  }
  return devices;
}

std::vector<SimDevice> GenerateDevices(int count, std::uint32_t seed, const std::string& password) {
  std::mt19937 rng(seed);
  std::vector<SimDevice> devices;
  devices.reserve(static_cast<std::size_t>(count > 0 ? count : 0));
  const char types[] = {'A', 'A', 'A', 'S', 'S', 'R', 'R', 'I'};
  char buf[64];
  for (int i = 0; i < count; ++i) {
    SimDevice d;
    d.type = types[rng() % 8];
    d.format = static_cast<Format>(rng() % 3);
    std::snprintf(buf, sizeof buf, "02:%02X:%02X:%02X:%02X:%02X", (seed >> 8) & 0xFF, seed & 0xFF,
                  (i >> 16) & 0xFF, (i >> 8) & 0xFF, i & 0xFF);
    d.mac = buf;
    std::snprintf(buf, sizeof buf, "10.%d.%d.%d", 1 + ((i >> 16) & 0x7F), (i >> 8) & 0xFF, 1 + (i & 0xFF) % 254);
    d.ip = buf;
    d.mask = "255.0.0.0";
    d.gateway = "10.0.0.1";
    std::snprintf(buf, sizeof buf, "%s%05d", d.type == 'A' ? "AP" : "Bridge", i);
    d.name = buf;
    d.channel = std::to_string(rng() % 12);  // 0 means automatic
    d.dhcp = rng() % 2 ? "1" : "0";
    std::snprintf(buf, sizeof buf, "site-%d", i % 97);
    d.ssid = buf;
    d.password = password;
    devices.push_back(std::move(d));
  }
  return devices;
}

}  // namespace tervane::sim
