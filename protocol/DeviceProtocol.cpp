#include "DeviceProtocol.h"

#include <array>

#include "BlowfishCipher.h"
#include "DeviceReply.h"

namespace tervane {
namespace {

const std::uint8_t* Bytes(std::string_view s) { return reinterpret_cast<const std::uint8_t*>(s.data()); }

// A text that ends at the end of its bytes or at an earlier zero byte.
std::string_view UpToZero(std::string_view s) { return s.substr(0, s.find('\0')); }

}  // namespace

std::string BuildProbe(std::string_view keyText) {
  BlowfishCipher cipher(DeviceKey(keyText));
  std::string probe(kProbePlainText.size(), '\0');
  cipher.Encrypt(Bytes(kProbePlainText), reinterpret_cast<std::uint8_t*>(probe.data()), probe.size(),
                 kModeCBC);
  return probe;
}

std::string AnswerChallenge(std::string_view keyText, std::string_view q) {
  BlowfishCipher cipher(DeviceKey(keyText));
  std::array<std::uint8_t, 8> x{};
  cipher.Decrypt(Bytes(q.substr(0, 8)), x.data(), x.size(), kModeCBC);
  for (auto& b : x) b = static_cast<std::uint8_t>(~b);
  std::string answer(8, '\0');
  cipher.Encrypt(x.data(), reinterpret_cast<std::uint8_t*>(answer.data()), answer.size(), kModeCBC);
  return answer;
}

std::string SettingsText(const CAPinfo& r) {
  std::string text;
  for (const std::string* field : {&r.ip, &r.mask, &r.gateway, &r.devName, &r.channel, &r.dhcp}) {
    text += *field;
    text += '$';
  }
  text += r.reboot ? "1$" : "0$";
  return text;
}

bool SettingsTextUnsafe(const CAPinfo& r) {
  for (const std::string* field : {&r.ip, &r.mask, &r.gateway, &r.devName, &r.channel, &r.dhcp}) {
    if (field->find('$') != std::string::npos) return true;
  }
  return false;
}

std::string DeviceProtocol::KeyText() const { return owner_ ? owner_->KeyText() : BuildKeyText(""); }

void DeviceProtocol::HandleDatagram(const std::uint8_t* data, std::size_t length) {
  if (length < 1 || length > kReceiveBufferSize || data == nullptr) return;
  std::string_view datagram(reinterpret_cast<const char*>(data), length);
  switch (datagram[0]) {
    case 'A':
    case 'I':
    case 'S':
    case 'R':
      HandleDeviceReply(datagram);
      break;
    case '2':
      HandleChallenge(datagram);
      break;
    case '4':
      HandleUpdateAck(datagram);
      break;
    default:
      break;
  }
}

void DeviceProtocol::HandleDeviceReply(std::string_view datagram) {
  auto reply = ParseDeviceReply(datagram);
  if (!reply) return;
  CAPinfo& fresh = reply->record;
  if (reply->format == ReplyFormat::WithSsid) sender_.SendDatagram("5" + fresh.mac);

  if (CAPinfo* known = apList.FindByMac(fresh)) {
    known->Assign(fresh);
    known->seen = 1;
    lastMerged_ = known;
  } else {
    fresh.seen = 1;
    fresh.shown = 0;
    lastMerged_ = apList.AddTail(fresh);
  }
  if (owner_) owner_->ShowNewDevices();
}

void DeviceProtocol::HandleChallenge(std::string_view datagram) {
  // Eight challenge bytes must follow the kind byte.
  if (datagram.size() < 9) return;
  std::string_view q = datagram.substr(1, 8);
  std::string_view mac = UpToZero(datagram.substr(9));
  CAPinfo* record = apList.FindByMac(mac);
  if (record == nullptr) return;
  // A '$' inside a value would shift every later field on the device.
  if (SettingsTextUnsafe(*record)) return;

  std::string response = "3";
  response += AnswerChallenge(KeyText(), q);
  response += mac;
  response += SettingsText(*record);
  sender_.SendDatagram(response);
}

void DeviceProtocol::HandleUpdateAck(std::string_view datagram) {
  std::string_view mac = UpToZero(datagram.substr(1, 17));
  CAPinfo* record = apList.FindByMac(mac);
  if (record == nullptr) return;
  record->updated = 1;
  if (owner_) owner_->MarkUpdated(record->row);
}

void DeviceProtocol::ClearRoundFlags() {
  for (CAPinfo& r : apList) {
    r.modified = 0;
    r.seen = 0;
    r.shown = 0;
    r.updated = 0;
  }
}

void DeviceProtocol::SendProbe() { sender_.SendDatagram(BuildProbe(KeyText())); }

void DeviceProtocol::UpdateSelected() {
  if (owner_ == nullptr) return;
  int sent = 0;
  const int rows = owner_->GridRowCount();
  for (int row = 0; row < rows; ++row) {
    if (!owner_->IsRowSelected(row)) continue;
    CAPinfo* record = owner_->RecordOfRow(row);
    if (record == nullptr || !record->modified) continue;
    sender_.SendDatagram("1" + record->mac);
    record->modified = 0;
    ++sent;
  }
  if (sent == 0) owner_->ShowMessage(std::string(kNoApUpdated));
}

}  // namespace tervane
