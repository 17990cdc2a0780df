// The protocol engine and tervane-sim over real UDP inside a private
// network namespace: discovery, a settings push, and the next discovery.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <map>

#include "BlowfishCipher.h"
#include "CAsyncSocketSch.h"
#include "FakeOwner.h"
#include "SpinUntil.h"
#include "SimProcess.h"

using namespace tervane;
using namespace tervane::testing;

namespace {

const char kSegment[] =
    "type=A mac=02:00:00:00:00:01 ip=10.0.0.11 mask=255.255.255.0 gateway=10.0.0.1 name=Lobby channel=6 dhcp=0 format=base\n"
    "type=S mac=02:00:00:00:00:02 ip=10.0.0.12 mask=255.255.255.0 gateway=10.0.0.1 name=Store channel=11 dhcp=1 format=-1\n"
    "type=R mac=02:00:00:00:00:03 ip=10.0.0.13 mask=255.255.0.0 gateway=10.0.0.1 name=Yard channel=0 dhcp=0 ssid=\"yard/west\" format=-2\n"
    "type=I mac=02:00:00:00:00:04 ip=10.0.0.14 mask=255.255.255.0 gateway=10.0.0.1 name=Infra channel=3 dhcp=1 ssid=infra format=-2\n"
    "type=A mac=02:00:00:00:00:05 ip=10.0.0.15 mask=255.255.255.0 gateway=10.0.0.1 name=Office channel=1 dhcp=0 format=-2 password=different\n";

class EndToEnd : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    static int argc = 1;
    static char name[] = "end-to-end-test";
    static char* argv[] = {name, nullptr};
    app_ = new QCoreApplication(argc, argv);
  }
  static void TearDownTestSuite() {
    delete app_;
    app_ = nullptr;
  }
  static QCoreApplication* app_;
};
QCoreApplication* EndToEnd::app_ = nullptr;

}  // namespace

TEST_F(EndToEnd, DiscoverPushAndDiscoverAgain) {
  char dir[] = "/tmp/tervane-e2e-XXXXXX";
  ASSERT_NE(nullptr, ::mkdtemp(dir));
  SimProcess sim({"--devices", SimProcess::WriteScratch(dir, "segment.txt", kSegment), "--seconds", "60"});
  ASSERT_TRUE(sim.started()) << "tervane-sim did not start: " << SimProcess::SimulatorPath();

  FakeOwner owner;
  owner.keyText = BuildKeyText("kerbo");
  CAsyncSocketSch socket(&owner);
  owner.protocol = &socket;
  ASSERT_TRUE(socket.Open());

  socket.SendProbe();
  ASSERT_TRUE(SpinUntil([&] { return owner.rows.size() == 4; }));
  ASSERT_TRUE(SpinUntil([&] { return sim.CountLog("notice 02:00:00:00:00:04") > 0; }));
  EXPECT_EQ(1, sim.CountLog("notice 02:00:00:00:00:03"));
  EXPECT_EQ(2, sim.CountLog("notice ")) << "only the longest format is noticed";

  std::map<std::string, CAPinfo*> byMac;
  for (CAPinfo* r : owner.rows) byMac[r->mac] = r;
  EXPECT_EQ(0u, byMac.count("02:00:00:00:00:05")) << "another password: no answer";
  ASSERT_EQ(4u, byMac.size());
  CAPinfo* lobby = byMac["02:00:00:00:00:01"];
  EXPECT_EQ('A', lobby->type);
  EXPECT_EQ("10.0.0.11", lobby->ip);
  EXPECT_EQ("Lobby", lobby->devName);
  EXPECT_EQ("", lobby->channel);
  CAPinfo* store = byMac["02:00:00:00:00:02"];
  EXPECT_EQ('S', store->type);
  EXPECT_EQ("11", store->channel);
  EXPECT_EQ("1", store->dhcp);
  EXPECT_EQ("", store->ssid);
  CAPinfo* yard = byMac["02:00:00:00:00:03"];
  EXPECT_EQ("255.255.0.0", yard->mask);
  EXPECT_EQ("yard/west", yard->ssid);
  EXPECT_EQ("0", yard->channel);

  // The operator edits the yard bridge and pushes.
  yard->ip = "10.0.0.99";
  yard->devName = "YardNorth";
  yard->channel = "Auto";
  yard->dhcp = "1";
  yard->reboot = 0;
  yard->modified = 1;
  owner.selected = {yard->row};
  socket.UpdateSelected();
  EXPECT_TRUE(owner.messages.empty());
  ASSERT_TRUE(SpinUntil([&] { return !owner.updatedRows.empty(); }));
  EXPECT_EQ(std::vector<int>{yard->row}, owner.updatedRows);
  EXPECT_EQ(1, yard->updated);
  EXPECT_EQ(1, sim.CountLog("request 02:00:00:00:00:03"));
  EXPECT_EQ(1, sim.CountLog("response ok 02:00:00:00:00:03"));
  EXPECT_EQ(1, sim.CountLog("settings 02:00:00:00:00:03 ip=10.0.0.99 mask=255.255.0.0 gateway=10.0.0.1 "
                            "name=YardNorth channel=0 dhcp=1 reboot=0"));

  // A new cycle shows the device's new values.
  owner.rows.clear();
  socket.ClearRoundFlags();
  socket.SendProbe();
  ASSERT_TRUE(SpinUntil([&] { return owner.rows.size() == 4; }));
  EXPECT_EQ("10.0.0.99", yard->ip);
  EXPECT_EQ("YardNorth", yard->devName);
  EXPECT_EQ("1", yard->dhcp);
  EXPECT_EQ(0, yard->updated);
  EXPECT_EQ(4u, socket.apList.GetCount());
}

TEST_F(EndToEnd, AWrongPasswordGetsNoAck) {
  SimProcess sim({"--count", "3", "--seed", "5", "--password", "kerbo", "--seconds", "60"});
  ASSERT_TRUE(sim.started());
  FakeOwner owner;
  owner.keyText = BuildKeyText("kerbo");
  CAsyncSocketSch socket(&owner);
  owner.protocol = &socket;
  ASSERT_TRUE(socket.Open());
  socket.SendProbe();
  ASSERT_TRUE(SpinUntil([&] { return owner.rows.size() == 3; }));

  // The operator changed the password since the discovery.
  owner.keyText = BuildKeyText("changed");
  owner.rows[0]->modified = 1;
  owner.selected = {0};
  socket.UpdateSelected();
  ASSERT_TRUE(SpinUntil([&] { return sim.CountLog("response bad") > 0; })) << [&] {
    std::string all;
    for (auto& l : sim.LogLines()) all += l + "\n";
    return all;
  }();
  QElapsedTimer settle;
  settle.start();
  while (settle.elapsed() < 300) QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
  EXPECT_TRUE(owner.updatedRows.empty());
  EXPECT_EQ(0, sim.CountLog("ack "));
}
