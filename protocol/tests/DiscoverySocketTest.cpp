// Discovery over a real UDP socket. Runs inside a private network namespace
// in which the limited broadcast is routed to loopback.
#include <gtest/gtest.h>
#include <poll.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <chrono>

#include "BlowfishCipher.h"
#include "CAsyncSocketSch.h"
#include "FakeOwner.h"
#include "SpinUntil.h"

using namespace tervane;
using namespace tervane::testing;

namespace {

// Waits for one datagram on a blocking poll; empty on time-out.
std::string ReceiveOne(UdpSocket& socket, int timeoutMs, sockaddr_in* from = nullptr) {
  pollfd p{socket.fd(), POLLIN, 0};
  if (::poll(&p, 1, timeoutMs) <= 0) return {};
  std::uint8_t buf[2048];
  long n = socket.ReceiveFrom(buf, sizeof buf, from);
  return n < 0 ? std::string() : std::string(reinterpret_cast<char*>(buf), static_cast<std::size_t>(n));
}

}  // namespace

TEST(DiscoverySocket, FakeDeviceAnswersTheProbeInTheLongestFormat) {
  int argc = 1;
  char name[] = "discovery-socket-test";
  char* argv[] = {name, nullptr};
  QCoreApplication app(argc, argv);

  FakeOwner owner;
  owner.keyText = BuildKeyText("secret");
  CAsyncSocketSch socket(&owner);
  owner.protocol = &socket;
  ASSERT_TRUE(socket.Open());
  EXPECT_GE(socket.socket().ReceiveBufferSize(), 1 << 20);

  UdpSocket device;
  ASSERT_TRUE(device.Open(kDevicePort, true)) << "bind port " << kDevicePort << ": " << device.lastError();

  socket.SendProbe();
  std::string probe = ReceiveOne(device, 2000);
  ASSERT_EQ(8u, probe.size());
  BlowfishCipher cipher(DeviceKey(BuildKeyText("secret")));
  std::string plain(8, '\0');
  cipher.Decrypt(reinterpret_cast<const std::uint8_t*>(probe.data()),
                 reinterpret_cast<std::uint8_t*>(plain.data()), 8, kModeCBC);
  ASSERT_EQ("all quve", plain);

  const sockaddr_in prober = BroadcastAddress(socket.socket().LocalPort());
  // A reply one byte too long is dropped whole, although its start would parse.
  std::string tooLong = "AP-2/10.0.0.9/255.0.0.0/ff:ff:ff:ff:ff:ff/Long/10.0.0.1/1/1/";
  tooLong.resize(101, 's');
  ASSERT_TRUE(device.SendTo(tooLong, prober));
  const std::string reply = "SB-2/10.0.0.2/255.255.255.0/00:11:22:33:44:55 /Bridge1/10.0.0.1/6/1/lab/net";
  ASSERT_TRUE(device.SendTo(reply, prober));

  ASSERT_TRUE(SpinUntil([&] { return owner.rows.size() == 1; }, 3000));
  const CAPinfo& r = *owner.rows[0];
  EXPECT_EQ('S', r.type);
  EXPECT_EQ("10.0.0.2", r.ip);
  EXPECT_EQ("255.255.255.0", r.mask);
  EXPECT_EQ("00:11:22:33:44:55", r.mac);
  EXPECT_EQ("Bridge1", r.devName);
  EXPECT_EQ("10.0.0.1", r.gateway);
  EXPECT_EQ("6", r.channel);
  EXPECT_EQ("1", r.dhcp);
  EXPECT_EQ("lab/net", r.ssid);
  EXPECT_EQ(1u, socket.apList.GetCount());

  // The notice for the longest format reaches the device port.
  EXPECT_EQ("500:11:22:33:44:55", ReceiveOne(device, 2000));
}
