#include "DeviceReply.h"

namespace tervane {
namespace {

// Cuts fields off the front of a text, one separator at a time.
class FieldReader {
 public:
  explicit FieldReader(std::string_view text) : rest_(text) {}

  // The text up to the next '/', which is consumed; nothing if there is none.
  std::optional<std::string_view> Next() {
    auto at = rest_.find('/');
    if (at == std::string_view::npos) return std::nullopt;
    std::string_view field = rest_.substr(0, at);
    rest_.remove_prefix(at + 1);
    return field;
  }
  // The text up to the next '/' or the end; the '/' is consumed.
  std::string_view NextOrRest() {
    if (auto field = Next()) return *field;
    std::string_view field = rest_;
    rest_ = {};
    return field;
  }
  std::string_view Rest() const { return rest_; }

 private:
  std::string_view rest_;
};

}  // namespace

bool IsDeviceTypeLetter(char c) { return c == 'A' || c == 'I' || c == 'S' || c == 'R'; }

std::optional<DeviceReply> ParseDeviceReply(std::string_view datagram) {
  if (auto nul = datagram.find('\0'); nul != std::string_view::npos) datagram = datagram.substr(0, nul);
  if (datagram.empty() || !IsDeviceTypeLetter(datagram[0])) return std::nullopt;

  DeviceReply reply;
  if (datagram.size() >= 4 && datagram[2] == '-') {
    if (datagram[3] == '1') reply.format = ReplyFormat::WithChannel;
    if (datagram[3] == '2') reply.format = ReplyFormat::WithSsid;
  }

  CAPinfo& r = reply.record;
  r.SetType(datagram[0]);
  FieldReader fields(datagram);
  auto typeToken = fields.Next();
  auto ip = fields.Next();
  auto mask = fields.Next();
  auto mac = fields.Next();
  auto devName = fields.Next();
  if (!typeToken || !ip || !mask || !mac || !devName) return std::nullopt;
  r.SetIp(std::string(*ip));
  r.SetMask(std::string(*mask));
  r.SetMac(std::string(*mac));
  r.SetDevName(std::string(*devName));

  if (reply.format == ReplyFormat::Base) {
    r.SetGateway(std::string(fields.NextOrRest()));
    return reply;
  }
  auto gateway = fields.Next();
  auto channel = fields.Next();
  auto dhcp = fields.Next();
  if (!gateway || !channel || !dhcp) return std::nullopt;
  r.SetGateway(std::string(*gateway));
  r.SetChannel(std::string(*channel));
  r.SetDhcp(std::string(*dhcp));
  if (reply.format == ReplyFormat::WithSsid) r.SetSsid(std::string(fields.Rest()));
  return reply;
}

}  // namespace tervane
