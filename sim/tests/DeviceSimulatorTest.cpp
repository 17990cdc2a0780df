#include <gtest/gtest.h>

#include "BlowfishCipher.h"
#include "DeviceProtocol.h"
#include "DeviceSimulator.h"

using namespace tervane;
using namespace tervane::sim;

namespace {

SimDevice Device(const std::string& mac, const std::string& password, Format format = Format::WithSsid) {
  SimDevice d;
  d.type = 'S';
  d.mac = mac;
  d.ip = "10.0.0.2";
  d.gateway = "10.0.0.1";
  d.name = "Bridge1";
  d.ssid = "lab";
  d.password = password;
  d.format = format;
  return d;
}

}  // namespace

TEST(SimDevice, ReplyTextsParseBackIntoTheSameRecord) {
  for (Format f : {Format::Base, Format::WithChannel, Format::WithSsid}) {
    SimDevice d = Device("02:00:00:00:00:01", "kerbo", f);
    class NullSender : public DatagramSender {
     public:
      void SendDatagram(std::string_view) override {}
    } sender;
    DeviceProtocol protocol(sender, nullptr);
    protocol.HandleDatagram(d.ReplyText());
    ASSERT_EQ(1u, protocol.apList.GetCount()) << d.ReplyText();
    const CAPinfo& r = protocol.apList.GetAt(0);
    EXPECT_EQ('S', r.type);
    EXPECT_EQ(d.mac, r.mac);
    EXPECT_EQ(d.ip, r.ip);
    EXPECT_EQ(d.name, r.devName);
    EXPECT_EQ(f == Format::Base ? "" : d.channel, r.channel);
    EXPECT_EQ(f == Format::WithSsid ? d.ssid : "", r.ssid);
  }
}

TEST(SimDevice, DeviceListFilesAndTheirErrors) {
  std::string error;
  auto ok = ParseDeviceList(
      "# lab bench\n"
      "type=A mac=02:00:00:00:00:01 ip=10.0.0.2 name=\"Lobby AP\" format=base\n"
      "\n"
      "type=R mac=02:00:00:00:00:02 ssid=\"guest net\" format=-1 password=other # comment\n",
      error);
  ASSERT_TRUE(ok) << error;
  ASSERT_EQ(2u, ok->size());
  EXPECT_EQ("Lobby AP", (*ok)[0].name);
  EXPECT_EQ(Format::Base, (*ok)[0].format);
  EXPECT_EQ("guest net", (*ok)[1].ssid);
  EXPECT_EQ("other", (*ok)[1].password);

  const std::pair<const char*, const char*> bad[] = {
      {"type=A ip=1\n", "needs a mac"},
      {"mac=x format=-3\n", "format must be"},
      {"mac=x colour=red\n", "unknown key colour"},
      {"mac=x name=\"open\n", "unterminated quote"},
      {"mac=x type=AP\n", "one letter"},
      {"mac=x stray\n", "expected key=value"},
  };
  for (const auto& [text, message] : bad) {
    error.clear();
    EXPECT_FALSE(ParseDeviceList(text, error)) << text;
    EXPECT_NE(std::string::npos, error.find(message)) << error;
    EXPECT_NE(std::string::npos, error.find("line 1")) << error;
  }
}

TEST(SimDevice, GeneratedSegmentsAreRepeatableAndFitTheReceiveBuffer) {
  auto a = GenerateDevices(2000, 7, "kerbo");
  auto b = GenerateDevices(2000, 7, "kerbo");
  ASSERT_EQ(2000u, a.size());
  int formats[3] = {};
  for (std::size_t i = 0; i < a.size(); ++i) {
    EXPECT_EQ(a[i].ReplyText(), b[i].ReplyText());
    EXPECT_LE(a[i].ReplyText().size(), kReceiveBufferSize);
    ++formats[static_cast<int>(a[i].format)];
  }
  EXPECT_GT(formats[0] * formats[1] * formats[2], 0) << "all formats present";
}

TEST(DeviceSimulator, AnswersOnlyProbesUnderItsPassword) {
  std::vector<std::string> log;
  DeviceSimulator sim({Device("m1", "kerbo"), Device("m2", "other"), Device("m3", "kerbo")}, 1,
                      [&](const std::string& l) { log.push_back(l); });
  auto out = sim.Handle(BuildProbe(BuildKeyText("kerbo")), 40000);
  ASSERT_EQ(2u, out.size());
  EXPECT_EQ(Device("m1", "kerbo").ReplyText(), out[0].bytes);
  EXPECT_EQ(40000, out[0].port);
  EXPECT_NE(std::string::npos, out[1].bytes.find("/m3/"));
  EXPECT_TRUE(sim.Handle(BuildProbe(BuildKeyText("wrong")), 40000).empty());
  EXPECT_EQ("probe from port 40000 answered 2", log.back());
}

TEST(DeviceSimulator, ChallengeResponseAppliesSettingsAndAcks) {
  DeviceSimulator sim({Device("02:00:00:00:00:01", "pw")}, 3, nullptr);
  auto challenge = sim.Handle("102:00:00:00:00:01", 5000);
  ASSERT_EQ(1u, challenge.size());
  ASSERT_EQ(9u + 17u, challenge[0].bytes.size());
  EXPECT_EQ('2', challenge[0].bytes[0]);
  std::string q = challenge[0].bytes.substr(1, 8);

  const std::string settings = "10.0.0.9$255.0.0.0$10.0.0.1$Renamed$Auto$1$0$";
  // A wrong answer gets no ack and changes nothing.
  EXPECT_TRUE(sim.Handle("3" + AnswerChallenge(BuildKeyText("nope"), q) + "02:00:00:00:00:01" + settings, 5000)
                  .empty());
  EXPECT_EQ("10.0.0.2", sim.devices()[0].ip);

  auto ack = sim.Handle("3" + AnswerChallenge(BuildKeyText("pw"), q) + "02:00:00:00:00:01" + settings, 5000);
  ASSERT_EQ(1u, ack.size());
  EXPECT_EQ("402:00:00:00:00:01", ack[0].bytes);
  const SimDevice& d = sim.devices()[0];
  EXPECT_EQ("10.0.0.9", d.ip);
  EXPECT_EQ("255.0.0.0", d.mask);
  EXPECT_EQ("Renamed", d.name);
  EXPECT_EQ("0", d.channel) << "Auto is stored as automatic";
  EXPECT_EQ("1", d.dhcp);

  // The same challenge is not accepted twice; unknown devices get nothing.
  EXPECT_TRUE(sim.Handle("3" + AnswerChallenge(BuildKeyText("pw"), q) + "02:00:00:00:00:01" + settings, 5000)
                  .empty());
  EXPECT_TRUE(sim.Handle("1unknown", 5000).empty());
}
