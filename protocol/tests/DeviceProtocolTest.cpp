#include <gtest/gtest.h>

#include "BlowfishCipher.h"
#include "DeviceProtocol.h"
#include "FakeOwner.h"
#include "SettingsChecks.h"

using namespace tervane;
using namespace tervane::testing;

namespace {

class DeviceProtocolTest : public ::testing::Test {
 protected:
  DeviceProtocolTest() : protocol(sender, &owner) { owner.protocol = &protocol; }

  void Receive(std::string_view datagram) { protocol.HandleDatagram(datagram); }

  RecordingSender sender;
  FakeOwner owner;
  DeviceProtocol protocol;
};

const std::string kBody = "10.0.0.2/255.255.255.0/00:11:22:33:44:55/Bridge1/10.0.0.1";

struct ReplyCase {
  std::string name;
  std::string datagram;
  std::string ip, mask, mac, devName, gateway, channel, dhcp, ssid;
  bool notice;
};

}  // namespace

TEST_F(DeviceProtocolTest, RepliesOfEveryFormat) {
  const std::string mac = "00:11:22:33:44:55";
  const ReplyCase cases[] = {
      {"base", "A/" + kBody, "10.0.0.2", "255.255.255.0", mac, "Bridge1", "10.0.0.1", "", "", "",
       false},
      {"base with trailing text", "A/" + kBody + "/more/text", "10.0.0.2", "255.255.255.0", mac,
       "Bridge1", "10.0.0.1", "", "", "", false},
      {"format -1", "SB-1/" + kBody + "/6/1/", "10.0.0.2", "255.255.255.0", mac, "Bridge1",
       "10.0.0.1", "6", "1", "", false},
      {"format -1 ignores the rest", "SB-1/" + kBody + "/6/1/ignored", "10.0.0.2",
       "255.255.255.0", mac, "Bridge1", "10.0.0.1", "6", "1", "", false},
      {"format -2, ssid with slashes", "RB-2/" + kBody + "/11/0/my/ssid", "10.0.0.2",
       "255.255.255.0", mac, "Bridge1", "10.0.0.1", "11", "0", "my/ssid", true},
      {"format -2, empty ssid", "IB-2/" + kBody + "/0/0/", "10.0.0.2", "255.255.255.0", mac,
       "Bridge1", "10.0.0.1", "0", "0", "", true},
      {"-3 is the base format", "AP-3/" + kBody + "/6/1/", "10.0.0.2", "255.255.255.0", mac,
       "Bridge1", "10.0.0.1", "", "", "", false},
      {"trailing spaces in the mac", "A/10.0.0.2/m/" + mac + "  \t/n/g", "10.0.0.2", "m", mac,
       "n", "g", "", "", "", false},
      {"empty fields", "A/////", "", "", "", "", "", "", "", "", false},
      {"zero byte ends the text", std::string("A/1/2/3/4/5\0/junk", 17), "1", "2", "3", "4", "5",
       "", "", "", false},
  };
  for (const ReplyCase& c : cases) {
    SCOPED_TRACE(c.name);
    DeviceProtocol fresh(sender, nullptr);
    sender.sent.clear();
    fresh.HandleDatagram(c.datagram);
    ASSERT_EQ(1u, fresh.apList.GetCount());
    const CAPinfo& r = fresh.apList.GetAt(0);
    EXPECT_EQ(c.datagram[0], r.type);
    EXPECT_EQ(c.ip, r.ip);
    EXPECT_EQ(c.mask, r.mask);
    EXPECT_EQ(c.mac, r.mac);
    EXPECT_EQ(c.devName, r.devName);
    EXPECT_EQ(c.gateway, r.gateway);
    EXPECT_EQ(c.channel, r.channel);
    EXPECT_EQ(c.dhcp, r.dhcp);
    EXPECT_EQ(c.ssid, r.ssid);
    EXPECT_EQ(1, r.seen);
    EXPECT_EQ(0, r.shown);
    EXPECT_EQ(-1, r.row);
    if (c.notice) {
      ASSERT_EQ(1u, sender.sent.size());
      EXPECT_EQ("5" + c.mac, sender.sent[0]);
    } else {
      EXPECT_TRUE(sender.sent.empty());
    }
  }
}

TEST_F(DeviceProtocolTest, RepliesThatAreDropped) {
  const std::string mac = "00:11:22:33:44:55";
  const std::pair<const char*, std::string> cases[] = {
      {"base lacking devName's separator", "A/10.0.0.2/255.255.255.0/" + mac + "/Bridge1"},
      {"no separator at all", "A"},
      {"format -1 lacking dhcp's separator", "AP-1/" + kBody + "/6/1"},
      {"format -2 with gateway at the end", "AP-2/" + kBody},
      {"lower-case type letter", "a/" + kBody},
      {"other first byte", "B/" + kBody},
  };
  for (const auto& [name, datagram] : cases) {
    SCOPED_TRACE(name);
    Receive(datagram);
  }
  EXPECT_EQ(0u, protocol.apList.GetCount());
  EXPECT_TRUE(sender.sent.empty());
  EXPECT_EQ(0, owner.showCalls);
}

TEST_F(DeviceProtocolTest, DatagramLengthLimits) {
  std::string exact = "A/1/2/mac/4/";
  exact.resize(100, 'g');
  Receive(exact);
  ASSERT_EQ(1u, protocol.apList.GetCount());
  EXPECT_EQ(std::string(88, 'g'), protocol.apList.GetAt(0).gateway);

  std::string tooLong = "A/1/2/other/4/";
  tooLong.resize(101, 'g');
  Receive(tooLong);
  Receive("");
  protocol.HandleDatagram(reinterpret_cast<const std::uint8_t*>("A/1/2/x/4/5"), 500);
  EXPECT_EQ(1u, protocol.apList.GetCount());
  EXPECT_EQ(1, owner.showCalls);
}

TEST_F(DeviceProtocolTest, MergeWithinAndAcrossCycles) {
  Receive("A/" + kBody);
  Receive("S/10.0.0.3/255.0.0.0/other/Client/10.0.0.1");
  ASSERT_EQ(2u, owner.rows.size());
  CAPinfo* bridge = protocol.apList.FindByMac("00:11:22:33:44:55");
  ASSERT_NE(nullptr, bridge);
  EXPECT_EQ(0, bridge->row);

  // The operator edits; the same device answers again in this cycle.
  bridge->modified = 1;
  bridge->reboot = 0;
  bridge->ip = "edited";
  Receive("AP-1/10.0.0.9/255.255.255.0/00:11:22:33:44:55/Renamed/10.0.0.1/3/0/");
  EXPECT_EQ(2u, protocol.apList.GetCount());
  EXPECT_EQ(2u, owner.rows.size()) << "no second row";
  EXPECT_EQ("10.0.0.9", bridge->ip);
  EXPECT_EQ("Renamed", bridge->devName);
  EXPECT_EQ(0, bridge->modified);
  EXPECT_EQ(1, bridge->reboot);
  EXPECT_EQ(1, bridge->shown);
  EXPECT_EQ(0, bridge->row);

  // A new cycle: the second device answers first and the bridge keeps its list place.
  bridge->updated = 1;
  protocol.ClearRoundFlags();
  for (const CAPinfo& r : protocol.apList) {
    EXPECT_EQ(0, r.modified + r.seen + r.shown + r.updated);
  }
  owner.rows.clear();
  Receive("S/10.0.0.3/255.0.0.0/other/Client/10.0.0.1");
  Receive("A/" + kBody);
  EXPECT_EQ(bridge, &protocol.apList.GetAt(0));
  EXPECT_EQ(1, bridge->row);
  EXPECT_EQ(2u, owner.rows.size());

  // Macs differing in case are two devices.
  Receive("A/1/2/00:11:22:33:44:AA/4/5");
  Receive("A/1/2/00:11:22:33:44:aa/4/5");
  EXPECT_EQ(4u, protocol.apList.GetCount());
}

TEST_F(DeviceProtocolTest, ProbeIsTheEncryptedPlainText) {
  protocol.SendProbe();
  ASSERT_EQ(1u, sender.sent.size());
  ASSERT_EQ(8u, sender.sent[0].size());
  BlowfishCipher cipher(DeviceKey(owner.keyText));
  std::string plain(8, '\0');
  cipher.Decrypt(reinterpret_cast<const std::uint8_t*>(sender.sent[0].data()),
                 reinterpret_cast<std::uint8_t*>(plain.data()), 8, kModeCBC);
  EXPECT_EQ("all quve", plain);
}

// ---- Settings push ------------------------------------------------------

TEST(SettingsTextTest, FieldsJoinedByDollar) {
  CAPinfo r;
  r.ip = "10.0.0.2";
  r.mask = "255.255.255.0";
  r.gateway = "10.0.0.1";
  r.devName = "Bridge1";
  r.channel = "6";
  r.dhcp = "0";
  r.reboot = 1;
  EXPECT_EQ("10.0.0.2$255.255.255.0$10.0.0.1$Bridge1$6$0$1$", SettingsText(r));
  r.channel = "";
  r.dhcp = "";
  r.reboot = 0;
  EXPECT_EQ("10.0.0.2$255.255.255.0$10.0.0.1$Bridge1$$$0$", SettingsText(r));
  r.channel = "Auto";
  EXPECT_EQ("10.0.0.2$255.255.255.0$10.0.0.1$Bridge1$Auto$$0$", SettingsText(r));
  EXPECT_FALSE(SettingsTextUnsafe(r));
  r.devName = "a$b";
  EXPECT_TRUE(SettingsTextUnsafe(r));
}

TEST_F(DeviceProtocolTest, UpdateSelectedSendsModifiedSelectedRowsInRowOrder) {
  Receive("A/1/2/mac0/4/5");
  Receive("S/1/2/mac1/4/5");
  Receive("R/1/2/mac2/4/5");
  owner.rows[0]->modified = 1;
  owner.rows[1]->modified = 1;
  owner.rows[2]->modified = 1;
  owner.selected = {2, 0};
  owner.rows.push_back(nullptr);  // a row read from a saved document carries no record
  owner.selected.insert(3);

  protocol.UpdateSelected();
  EXPECT_EQ((std::vector<std::string>{"1mac0", "1mac2"}), sender.sent);
  EXPECT_TRUE(owner.messages.empty());
  EXPECT_EQ(0, owner.rows[0]->modified);
  EXPECT_EQ(1, owner.rows[1]->modified) << "not selected";

  sender.sent.clear();
  protocol.UpdateSelected();
  EXPECT_TRUE(sender.sent.empty());
  EXPECT_EQ((std::vector<std::string>{"No AP updated"}), owner.messages);

  // An edit followed by a refresh is not sent.
  owner.rows[1]->modified = 1;
  owner.selected = {1};
  protocol.ClearRoundFlags();
  protocol.UpdateSelected();
  EXPECT_TRUE(sender.sent.empty());
  EXPECT_EQ(2u, owner.messages.size());
}

TEST_F(DeviceProtocolTest, ChallengeIsAnsweredWithTheTransformedBytesAndSettings) {
  Receive("AP-1/10.0.0.2/255.255.255.0/00:11:22:33:44:55/Bridge1/10.0.0.1/6/0/");
  sender.sent.clear();

  BlowfishCipher cipher(DeviceKey(owner.keyText));
  const std::uint8_t x[8] = {0x00, 0x01, 0x7F, 0x80, 0xFE, 0xFF, 0x55, 0xAA};
  std::string q(8, '\0');
  cipher.Encrypt(x, reinterpret_cast<std::uint8_t*>(q.data()), 8, kModeCBC);

  Receive("2" + q + "00:11:22:33:44:55");
  ASSERT_EQ(1u, sender.sent.size());
  const std::string& response = sender.sent[0];
  ASSERT_GE(response.size(), 9u);
  EXPECT_EQ('3', response[0]);
  std::uint8_t expected[8], notX[8];
  for (int i = 0; i < 8; ++i) notX[i] = static_cast<std::uint8_t>(~x[i]);
  cipher.Encrypt(notX, expected, 8, kModeCBC);
  EXPECT_EQ(std::string(reinterpret_cast<char*>(expected), 8), response.substr(1, 8));
  EXPECT_EQ("00:11:22:33:44:55" "10.0.0.2$255.255.255.0$10.0.0.1$Bridge1$6$0$1$", response.substr(9));
  EXPECT_EQ(AnswerChallenge(owner.keyText, q), response.substr(1, 8));
}

TEST_F(DeviceProtocolTest, ChallengesThatAreNotAnswered) {
  Receive("A/1/2/mac/4/5");
  sender.sent.clear();
  Receive("2" + std::string(7, 'q'));                // fewer than 9 bytes
  Receive("2" + std::string(8, 'q') + "unknown");    // no such device
  Receive("2" + std::string(8, 'q') + "mac ");       // the mac is not trimmed
  protocol.apList.FindByMac("mac")->devName = "a$b";  // would corrupt the device
  Receive("2" + std::string(8, 'q') + "mac");
  EXPECT_TRUE(sender.sent.empty());

  protocol.apList.FindByMac("mac")->devName = "ok";
  Receive("2" + std::string(8, 'q') + std::string("mac\0tail", 8));  // the mac ends at a zero byte
  ASSERT_EQ(1u, sender.sent.size());
  EXPECT_EQ("mac1$2$5$ok$$$1$", sender.sent[0].substr(9));
}

TEST_F(DeviceProtocolTest, UpdateAckMarksTheRecordAndItsRow) {
  const std::string mac = "00:11:22:33:44:55";  // 17 characters
  Receive("S/1/2/zz/4/5");
  Receive("A/1/2/" + mac + "   /4/5");
  Receive("4" + mac + "trailing bytes");  // 30 bytes: only 1..17 are the mac
  EXPECT_EQ((std::vector<int>{1}), owner.updatedRows);
  EXPECT_EQ(1, protocol.apList.FindByMac(mac)->updated);

  Receive("4zz");
  Receive("4unknown");
  Receive("4");
  EXPECT_EQ((std::vector<int>{1, 0}), owner.updatedRows);
  EXPECT_EQ(1, protocol.apList.FindByMac("zz")->updated);
}

// ---- Checks before a value is stored ---------------------------------------

TEST(SettingsChecks, AddressVerdicts) {
  const std::pair<std::string, AddressVerdict> cases[] = {
      {"192.168.1.1", AddressVerdict::Valid},
      {"0.0.0.0", AddressVerdict::Valid},
      {" 10.0.0.1", AddressVerdict::Valid},        // stored as typed
      {"10.0.0.1/24", AddressVerdict::Valid},      // the number is read from the part's start
      {"192.168.1.300", AddressVerdict::NotValid},
      {"192.168.1.a", AddressVerdict::NotValid},
      {"192..1.1", AddressVerdict::NotValid},       // an empty part
      {"-1.0.0.0", AddressVerdict::NotValid},
      {"1.2.3.99999999999999999999999", AddressVerdict::NotValid},
      {"192.168.1", AddressVerdict::Refused},
      {"1.2.3.4.5", AddressVerdict::Refused},
      {"", AddressVerdict::Refused},
      {std::string(40, '1') + ".1.1.1", AddressVerdict::NotValid},  // long texts are checked whole
  };
  for (const auto& [text, verdict] : cases) EXPECT_EQ(verdict, CheckAddress(text)) << text;
}

TEST(SettingsChecks, LeadingNumbers) {
  const std::pair<const char*, long> cases[] = {
      {"6", 6}, {" 7", 7}, {"+7", 7}, {"-3", -3}, {"11abc", 11}, {"Auto", 0}, {"", 0}, {"x7", 0}, {"-", 0},
  };
  for (const auto& [text, value] : cases) EXPECT_EQ(value, LeadingNumber(text)) << text;
  EXPECT_TRUE(ValidNameLength(std::string(32, 'n')));
  EXPECT_FALSE(ValidNameLength(std::string(33, 'n')));
  EXPECT_FALSE(ValidNameLength(""));
}
