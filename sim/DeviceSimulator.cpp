#include "DeviceSimulator.h"

#include <algorithm>
#include <cstdlib>

#include "BlowfishCipher.h"
#include "DeviceProtocol.h"

namespace tervane::sim {
namespace {

constexpr std::size_t kPendingPerDevice = 4;

std::string Hex(std::string_view bytes) {
  static const char digits[] = "0123456789abcdef";
  std::string out;
  for (unsigned char c : bytes) {
    out += digits[c >> 4];
    out += digits[c & 15];
  }
  return out;
}

// Splits "a$b$...$" into its '$'-terminated fields.
std::vector<std::string> SplitSettings(std::string_view text) {
  std::vector<std::string> fields;
  std::size_t start = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '$') {
      fields.emplace_back(text.substr(start, i - start));
      start = i + 1;
    }
  }
  if (start != text.size()) fields.clear();  // a field without its '$'
  return fields;
}

// A channel as the device stores it: 1 to 11, anything else is automatic (0).
std::string DeviceChannel(const std::string& text) {
  int n = std::atoi(text.c_str());
  return n >= 1 && n <= 11 ? std::to_string(n) : "0";
}

}  // namespace

DeviceSimulator::DeviceSimulator(std::vector<SimDevice> devices, std::uint32_t seed, Log log)
    : devices_(std::move(devices)), rng_(seed), log_(std::move(log)) {
  for (std::size_t i = 0; i < devices_.size(); ++i) {
    byMac_.try_emplace(devices_[i].mac, i);
    byKey_[BuildKeyText(devices_[i].password)].push_back(i);
    if (std::find(macLengths_.begin(), macLengths_.end(), devices_[i].mac.size()) == macLengths_.end())
      macLengths_.push_back(devices_[i].mac.size());
  }
}

std::vector<Outgoing> DeviceSimulator::Handle(std::string_view datagram, std::uint16_t fromPort) {
  std::vector<Outgoing> out;
  if (datagram.size() == kProbePlainText.size() && HandleProbe(datagram, fromPort, out)) return out;
  if (datagram.empty()) return out;
  switch (datagram[0]) {
    case '1':
      HandleRequest(datagram.substr(1), fromPort, out);
      break;
    case '3':
      HandleResponse(datagram, fromPort, out);
      break;
    case '5':
      Write("notice " + std::string(datagram.substr(1)));
      break;
    default:
      break;
  }
  return out;
}

bool DeviceSimulator::HandleProbe(std::string_view datagram, std::uint16_t fromPort,
                                  std::vector<Outgoing>& out) {
  bool isProbe = false;
  std::size_t answered = 0;
  for (const auto& [keyText, members] : byKey_) {
    BlowfishCipher cipher(DeviceKey(keyText));
    std::string plain(8, '\0');
    cipher.Decrypt(reinterpret_cast<const std::uint8_t*>(datagram.data()),
                   reinterpret_cast<std::uint8_t*>(plain.data()), 8, kModeCBC);
    if (plain != kProbePlainText) continue;
    isProbe = true;
    for (std::size_t i : members) {
      const SimDevice& d = devices_[i];
      int delay = spreadMs_ > 0 ? static_cast<int>(rng_() % static_cast<unsigned>(spreadMs_ + 1)) : 0;
      out.push_back({d.ReplyText(), fromPort, delay});
      Write("reply " + d.mac + " " + FormatName(d.format));
      ++answered;
    }
  }
  if (isProbe) Write("probe from port " + std::to_string(fromPort) + " answered " + std::to_string(answered));
  return isProbe;
}

void DeviceSimulator::HandleRequest(std::string_view mac, std::uint16_t fromPort, std::vector<Outgoing>& out) {
  Write("request " + std::string(mac));
  auto it = byMac_.find(std::string(mac));
  if (it == byMac_.end() || devices_[it->second].locked) return;
  std::string q(8, '\0');
  for (char& c : q) c = static_cast<char>(rng_() & 0xFF);
  auto& pending = pending_[it->first];
  pending.push_back(q);
  if (pending.size() > kPendingPerDevice) pending.pop_front();
  out.push_back({"2" + q + it->first, fromPort, 0});
  Write("challenge " + it->first + " " + Hex(q));
}

SimDevice* DeviceSimulator::FindPrefixOf(std::string_view text) {
  for (std::size_t len : macLengths_) {
    if (len > text.size()) continue;
    auto it = byMac_.find(std::string(text.substr(0, len)));
    if (it != byMac_.end()) return &devices_[it->second];
  }
  return nullptr;
}

void DeviceSimulator::HandleResponse(std::string_view datagram, std::uint16_t fromPort,
                                     std::vector<Outgoing>& out) {
  if (datagram.size() < 9) {
    Write("response bad short");
    return;
  }
  std::string_view answer = datagram.substr(1, 8);
  SimDevice* d = FindPrefixOf(datagram.substr(9));
  if (d == nullptr) {
    Write("response bad unknown-device");
    return;
  }
  if (!d->acks) {
    Write("response ignored " + d->mac);
    return;
  }
  auto& pending = pending_[d->mac];
  const std::string keyText = BuildKeyText(d->password);
  auto match = std::find_if(pending.begin(), pending.end(),
                            [&](const std::string& q) { return AnswerChallenge(keyText, q) == answer; });
  if (match == pending.end()) {
    Write("response bad " + d->mac);
    return;
  }
  pending.erase(match);

  std::vector<std::string> f = SplitSettings(datagram.substr(9 + d->mac.size()));
  if (f.size() != 7) {
    Write("response bad settings " + d->mac);
    return;
  }
  Write("response ok " + d->mac);
  d->ip = f[0];
  d->mask = f[1];
  d->gateway = f[2];
  d->name = f[3];
  d->channel = DeviceChannel(f[4]);
  if (f[5] == "0" || f[5] == "1") d->dhcp = f[5];
  Write("settings " + d->mac + " ip=" + d->ip + " mask=" + d->mask + " gateway=" + d->gateway +
        " name=" + d->name + " channel=" + d->channel + " dhcp=" + d->dhcp + " reboot=" + f[6]);
  out.push_back({"4" + d->mac, fromPort, 0});
  Write("ack " + d->mac);
}

}  // namespace tervane::sim
