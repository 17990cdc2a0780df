// tervanectl: Tervane's device protocol for scripts and terminals.
#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <iostream>
#include <map>
#include <string>
#include <vector>

#include "BlowfishCipher.h"
#include "CConfig.h"
#include "CliSession.h"
#include "DeviceFormat.h"
#include "SettingsChecks.h"

using namespace tervane;
using namespace tervane::cli;

namespace {

const char kMainHelp[] =
    "usage: tervanectl COMMAND [ARGS]\n"
    "\n"
    "Finds the access points and client bridges on the segment and changes their\n"
    "settings, as Tervane does, from a terminal or a script.\n"
    "\n"
    "commands:\n"
    "  discover   list the devices that answer the probe\n"
    "  set        change a device's settings\n"
    "\n"
    "'tervanectl COMMAND --help' tells more. The password is the one in\n"
    "config.xml of the working directory unless --password is given.\n";

const char kDiscoverHelp[] =
    "usage: tervanectl discover [--wait SECONDS] [--format table|json|csv] [--password P]\n"
    "\n"
    "Sends the discovery probe and prints one row per device that answered within\n"
    "the wait (default 2 seconds): type, MAC, IP, mask, gateway, name, SSID,\n"
    "channel and DHCP. Exits 1 when no device answered.\n";

const char kSetHelp[] =
    "usage: tervanectl set MAC [ip=A] [mask=A] [gateway=A] [name=N] [channel=C]\n"
    "                      [dhcp=0|1] [reboot=0|1] [--password P] [--wait SECONDS]\n"
    "\n"
    "Finds the device with that MAC, changes the given settings and sends them\n"
    "to it, then waits for its acknowledgement (each step waits up to --wait,\n"
    "default 2 seconds). Values pass the same checks as in Tervane's grid: an\n"
    "address is four numbers from 0 to 255, a name has 1 to 32 characters, a\n"
    "channel is Auto or 1 to 11, and no value may contain '$'. Changing an\n"
    "address turns DHCP off unless dhcp= is given too. reboot defaults to 1.\n"
    "Exits 0 when the device acknowledged, 1 when something failed.\n";

int Usage(const std::string& message) {
  std::cerr << "tervanectl: " << message << "\n";
  return 2;
}

int Failure(const std::string& message) {
  std::cerr << "tervanectl: " << message << "\n";
  return 1;
}

bool ParseSeconds(const std::string& text, CliSession::Duration& out) {
  char* end = nullptr;
  errno = 0;
  double s = std::strtod(text.c_str(), &end);
  if (errno != 0 || end == text.c_str() || *end != '\0' || !std::isfinite(s) || s < 0 || s > 3600) return false;
  out = CliSession::Duration(static_cast<long>(s * 1000));
  return true;
}

struct Common {
  CliSession::Duration wait{2000};
  bool havePassword = false;
  std::string password;
  std::string format = "table";
};

// Takes the options every command knows; returns false with a message.
bool TakeOption(std::vector<std::string>& args, std::size_t& i, Common& c, bool allowFormat, std::string& error) {
  const std::string a = args[i];
  auto value = [&]() -> const std::string* {
    if (i + 1 >= args.size()) {
      error = a + " needs a value";
      return nullptr;
    }
    return &args[++i];
  };
  if (a == "--wait") {
    const std::string* v = value();
    if (!v) return false;
    if (!ParseSeconds(*v, c.wait)) {
      error = "--wait needs a number of seconds from 0 to 3600";
      return false;
    }
    return true;
  }
  if (a == "--password") {
    const std::string* v = value();
    if (!v) return false;
    c.havePassword = true;
    c.password = *v;
    return true;
  }
  if (a == "--format" && allowFormat) {
    const std::string* v = value();
    if (!v) return false;
    if (*v != "table" && *v != "json" && *v != "csv") {
      error = "--format is table, json or csv";
      return false;
    }
    c.format = *v;
    return true;
  }
  error = "unknown option " + a;
  return false;
}

std::string KeyTextOf(const Common& c) {
  if (c.havePassword) return BuildKeyText(c.password);
  CConfig config;  // config.xml of the working directory, or the defaults
  return config.keyText;
}

int Discover(std::vector<std::string> args) {
  Common c;
  for (std::size_t i = 0; i < args.size(); ++i) {
    if (args[i] == "--help" || args[i] == "-h") {
      std::cout << kDiscoverHelp;
      return 0;
    }
    std::string error;
    if (!TakeOption(args, i, c, true, error)) return Usage(error + " (see tervanectl discover --help)");
  }
  CliSession session(KeyTextOf(c));
  std::string error;
  if (!session.Open(error)) return Failure(error);
  session.Discover(c.wait);
  if (session.Devices().empty()) return Failure("no device answered");
  std::vector<DeviceRow> rows;
  for (const CAPinfo* r : session.Devices()) rows.push_back(RowOf(*r));
  if (c.format == "json") {
    std::cout << FormatJson(rows);
  } else if (c.format == "csv") {
    std::cout << FormatCsv(rows);
  } else {
    std::cout << FormatTable(rows);
  }
  return 0;
}

// Applies one field=value to the record with the grid's checks.
bool ApplyField(CAPinfo& r, const std::string& field, const std::string& value, std::string& error) {
  const std::string what = field + "=" + value + " refused: ";
  if (field == "ip" || field == "mask" || field == "gateway") {
    if (ContainsDollar(value)) {
      error = what + std::string(kDollarNotAllowed);
      return false;
    }
    if (CheckAddress(value) != AddressVerdict::Valid) {
      error = what + std::string(kAddressNotValid);
      return false;
    }
    std::string& target = field == "ip" ? r.ip : field == "mask" ? r.mask : r.gateway;
    target = value;
    return true;
  }
  if (field == "name") {
    if (!ValidNameLength(value)) {
      error = what + "a name has 1 to 32 characters";
      return false;
    }
    if (ContainsDollar(value)) {
      error = what + std::string(kDollarNotAllowed);
      return false;
    }
    r.devName = value;
    return true;
  }
  if (field == "channel") {
    const bool number = !value.empty() && value.find_first_not_of("0123456789") == std::string::npos &&
                        LeadingNumber(value) >= 1 && LeadingNumber(value) <= 11;
    if (value != "Auto" && !number) {
      error = what + "a channel is Auto or 1 to 11";
      return false;
    }
    r.channel = value;
    return true;
  }
  if (field == "dhcp" || field == "reboot") {
    if (value != "0" && value != "1") {
      error = what + field + " is 0 or 1";
      return false;
    }
    if (field == "dhcp") {
      r.dhcp = value;
    } else {
      r.reboot = value == "1";
    }
    return true;
  }
  error = "unknown setting " + field + " (ip, mask, gateway, name, channel, dhcp, reboot)";
  return false;
}

int Set(std::vector<std::string> args) {
  Common c;
  std::string mac;
  std::vector<std::pair<std::string, std::string>> fields;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    if (a == "--help" || a == "-h") {
      std::cout << kSetHelp;
      return 0;
    }
    if (a.rfind("--", 0) == 0) {
      std::string error;
      if (!TakeOption(args, i, c, false, error)) return Usage(error + " (see tervanectl set --help)");
    } else if (mac.empty()) {
      mac = a;
    } else {
      auto eq = a.find('=');
      if (eq == std::string::npos || eq == 0) return Usage("expected field=value, not " + a);
      fields.emplace_back(a.substr(0, eq), a.substr(eq + 1));
    }
  }
  if (mac.empty()) return Usage("set needs the MAC of a device (see tervanectl set --help)");

  CliSession session(KeyTextOf(c));
  std::string error;
  if (!session.Open(error)) return Failure(error);
  session.Discover(c.wait, [&] { return session.Find(mac) != nullptr; });
  CAPinfo* record = session.Find(mac);
  if (record == nullptr || !record->shown) return Failure("device " + mac + " not found");

  bool dhcpGiven = false, addressChanged = false;
  for (const auto& [field, value] : fields) {
    const std::string before = field == "ip" ? record->ip : field == "mask" ? record->mask : record->gateway;
    if (!ApplyField(*record, field, value, error)) return Failure(error);
    dhcpGiven |= field == "dhcp";
    addressChanged |= (field == "ip" || field == "mask" || field == "gateway") && before != value;
  }
  // As in the grid: an address typed by hand turns DHCP off.
  if (addressChanged && !dhcpGiven && record->dhcp == "1") record->dhcp = "0";

  switch (session.Push(*record, c.wait)) {
    case CliSession::PushResult::Acknowledged:
      std::cout << "updated " << mac << "\n";
      return 0;
    case CliSession::PushResult::NoChallenge:
      return Failure("no challenge from " + mac + ": the device did not take the update request");
    case CliSession::PushResult::NoAcknowledgement:
      return Failure("no acknowledgement from " + mac + " in time (is the password right?)");
    case CliSession::PushResult::NotSent:
      break;
  }
  return Failure("the settings of " + mac + " could not be sent");
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  if (args.empty()) {
    std::cerr << kMainHelp;
    return 2;
  }
  const std::string command = args.front();
  args.erase(args.begin());
  if (command == "--help" || command == "-h" || command == "help") {
    std::cout << kMainHelp;
    return 0;
  }
  if (command == "discover") return Discover(args);
  if (command == "set") return Set(args);
  return Usage("unknown command " + command + " (see tervanectl --help)");
}
