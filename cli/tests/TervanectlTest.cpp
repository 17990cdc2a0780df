// tervanectl against tervane-sim inside a private network namespace.
#include <gtest/gtest.h>

#include "RunProcess.h"
#include "SimProcess.h"

using namespace tervane::testing;

namespace {

const char kSegment[] =
    "type=A mac=02:00:00:00:00:01 ip=10.0.0.11 mask=255.255.255.0 gateway=10.0.0.1 name=Lobby channel=6 dhcp=1 format=-1\n"
    "type=S mac=02:00:00:00:00:02 ip=10.0.0.12 mask=255.255.255.0 gateway=10.0.0.1 name=Store channel=0 dhcp=0 ssid=\"a,b\" format=-2\n"
    "type=R mac=02:00:00:00:00:03 ip=10.0.0.13 mask=255.255.0.0 gateway=10.0.0.1 name=Yard format=base locked=1\n"
    "type=A mac=02:00:00:00:00:04 ip=10.0.0.14 mask=255.255.255.0 gateway=10.0.0.1 name=Other format=-2 password=secret\n"
    "type=I mac=02:00:00:00:00:05 ip=10.0.0.15 mask=255.255.255.0 gateway=10.0.0.1 name=Mute format=base acks=0\n";

class Tervanectl : public ::testing::Test {
 protected:
  void SetUp() override {
    char tmpl[] = "/tmp/tervanectl-test-XXXXXX";
    ASSERT_NE(nullptr, ::mkdtemp(tmpl));
    dir_ = tmpl;
  }
  void TearDown() override { RunProcess({"/bin/rm", "-rf", dir_}); }

  ProcessResult Ctl(std::vector<std::string> args) {
    args.insert(args.begin(), TERVANECTL_PATH);
    return RunProcess(args, dir_);
  }
  std::string dir_;
};

}  // namespace

TEST_F(Tervanectl, DiscoverInEveryFormat) {
  SimProcess sim({"--devices", SimProcess::WriteScratch(dir_, "segment.txt", kSegment), "--seconds", "60"});
  ASSERT_TRUE(sim.started());

  ProcessResult table = Ctl({"discover", "--wait", "1"});
  ASSERT_EQ(0, table.exitCode) << table.err;
  EXPECT_EQ(
      "TYPE  MAC                IP         MASK           GATEWAY   NAME   SSID  CH    DHCP\n"
      "A     02:00:00:00:00:01  10.0.0.11  255.255.255.0  10.0.0.1  Lobby        6     1\n"
      "S     02:00:00:00:00:02  10.0.0.12  255.255.255.0  10.0.0.1  Store  a,b   Auto  0\n"
      "R     02:00:00:00:00:03  10.0.0.13  255.255.0.0    10.0.0.1  Yard         Auto  \n"
      "I     02:00:00:00:00:05  10.0.0.15  255.255.255.0  10.0.0.1  Mute         Auto  \n",
      table.out);
  EXPECT_EQ("", table.err);

  ProcessResult csv = Ctl({"discover", "--wait", "1", "--format", "csv"});
  ASSERT_EQ(0, csv.exitCode) << csv.err;
  EXPECT_EQ(
      "type,mac,ip,mask,gateway,name,ssid,channel,dhcp\r\n"
      "A,02:00:00:00:00:01,10.0.0.11,255.255.255.0,10.0.0.1,Lobby,,6,1\r\n"
      "S,02:00:00:00:00:02,10.0.0.12,255.255.255.0,10.0.0.1,Store,\"a,b\",Auto,0\r\n"
      "R,02:00:00:00:00:03,10.0.0.13,255.255.0.0,10.0.0.1,Yard,,Auto,\r\n"
      "I,02:00:00:00:00:05,10.0.0.15,255.255.255.0,10.0.0.1,Mute,,Auto,\r\n",
      csv.out);

  ProcessResult json = Ctl({"discover", "--wait", "1", "--format", "json", "--password", "secret"});
  ASSERT_EQ(0, json.exitCode) << json.err;
  EXPECT_EQ(
      "[\n  {\"type\": \"A\", \"mac\": \"02:00:00:00:00:04\", \"ip\": \"10.0.0.14\", \"mask\": \"255.255.255.0\", "
      "\"gateway\": \"10.0.0.1\", \"name\": \"Other\", \"ssid\": \"\", \"channel\": \"6\", \"dhcp\": \"0\"}\n]\n",
      json.out);

  // The password of config.xml in the working directory is the default.
  SimProcess::WriteScratch(dir_, "config.xml",
                           "<vireo><config><password>secret</password></config></vireo>");
  ProcessResult fromConfig = Ctl({"discover", "--wait", "1", "--format", "csv"});
  ASSERT_EQ(0, fromConfig.exitCode) << fromConfig.err;
  EXPECT_NE(std::string::npos, fromConfig.out.find("02:00:00:00:00:04"));
  EXPECT_EQ(std::string::npos, fromConfig.out.find("02:00:00:00:00:01"));
}

TEST_F(Tervanectl, SetRoundTripShowsInTheNextDiscovery) {
  SimProcess sim({"--devices", SimProcess::WriteScratch(dir_, "segment.txt", kSegment), "--seconds", "60"});
  ASSERT_TRUE(sim.started());
  ProcessResult set = Ctl({"set", "02:00:00:00:00:01", "ip=10.0.0.21", "name=Hall", "channel=Auto", "--wait", "2"});
  ASSERT_EQ(0, set.exitCode) << set.err;
  EXPECT_EQ("updated 02:00:00:00:00:01\n", set.out);
  // The address edit turned DHCP off, as in the grid.
  EXPECT_EQ(1, sim.CountLog("settings 02:00:00:00:00:01 ip=10.0.0.21 mask=255.255.255.0 gateway=10.0.0.1 "
                            "name=Hall channel=0 dhcp=0 reboot=1"));

  ProcessResult after = Ctl({"discover", "--wait", "1", "--format", "csv"});
  ASSERT_EQ(0, after.exitCode) << after.err;
  EXPECT_NE(std::string::npos, after.out.find("A,02:00:00:00:00:01,10.0.0.21,255.255.255.0,10.0.0.1,Hall,,Auto,0\r\n"))
      << after.out;
}

TEST_F(Tervanectl, EveryFailureExitsWithItsMessage) {
  {
    ProcessResult none = Ctl({"discover", "--wait", "0.3"});
    EXPECT_EQ(1, none.exitCode);
    EXPECT_EQ("", none.out);
    EXPECT_EQ("tervanectl: no device answered\n", none.err);
  }
  SimProcess sim({"--devices", SimProcess::WriteScratch(dir_, "segment.txt", kSegment), "--seconds", "60"});
  ASSERT_TRUE(sim.started());
  struct Case {
    std::vector<std::string> args;
    int exitCode;
    std::string err;
  };
  const Case cases[] = {
      {{"set", "02:00:00:00:00:99", "ip=10.0.0.5", "--wait", "0.5"}, 1, "tervanectl: device 02:00:00:00:00:99 not found\n"},
      {{"set", "02:00:00:00:00:01", "ip=10.0.0.300", "--wait", "1"}, 1,
       "tervanectl: ip=10.0.0.300 refused: The address not valid\n"},
      {{"set", "02:00:00:00:00:01", "name=a$b", "--wait", "1"}, 1,
       "tervanectl: name=a$b refused: The value must not contain '$'\n"},
      {{"set", "02:00:00:00:00:01", "channel=12", "--wait", "1"}, 1,
       "tervanectl: channel=12 refused: a channel is Auto or 1 to 11\n"},
      {{"set", "02:00:00:00:00:03", "reboot=0", "--wait", "0.5"}, 1,
       "tervanectl: no challenge from 02:00:00:00:00:03: the device did not take the update request\n"},
      {{"set", "02:00:00:00:00:04", "reboot=0", "--wait", "0.5", "--password", "kerbo"}, 1,
       "tervanectl: device 02:00:00:00:00:04 not found\n"},
      {{"set", "02:00:00:00:00:02", "colour=red"}, 1,
       "tervanectl: unknown setting colour (ip, mask, gateway, name, channel, dhcp, reboot)\n"},
      {{"frobnicate"}, 2, "tervanectl: unknown command frobnicate (see tervanectl --help)\n"},
      {{"discover", "--format", "xml"}, 2, "tervanectl: --format is table, json or csv (see tervanectl discover --help)\n"},
      {{"set"}, 2, "tervanectl: set needs the MAC of a device (see tervanectl set --help)\n"},
  };
  for (const Case& c : cases) {
    ProcessResult r = Ctl(c.args);
    EXPECT_EQ(c.exitCode, r.exitCode) << c.args[0] << " " << (c.args.size() > 1 ? c.args[1] : "");
    EXPECT_EQ(c.err, r.err);
    EXPECT_EQ("", r.out);
  }
  EXPECT_EQ(0, sim.CountLog("settings ")) << "nothing refused reached a device";

  ProcessResult mute = Ctl({"set", "02:00:00:00:00:05", "name=X", "--wait", "0.5"});
  EXPECT_EQ(1, mute.exitCode);
  EXPECT_EQ("tervanectl: no acknowledgement from 02:00:00:00:00:05 in time (is the password right?)\n", mute.err);
  EXPECT_EQ(1, sim.CountLog("response ignored 02:00:00:00:00:05"));

  for (const char* command : {"--help", "discover", "set"}) {
    std::vector<std::string> args{command};
    if (std::string(command) != "--help") args.push_back("--help");
    ProcessResult help = Ctl(args);
    EXPECT_EQ(0, help.exitCode);
    EXPECT_NE(std::string::npos, help.out.find("usage: tervanectl")) << command;
    EXPECT_EQ("", help.err);
  }
}
