// tervane-sim: answers the device protocol for any number of simulated
// access points and client bridges on one UDP socket at the device port.
#include <arpa/inet.h>
#include <poll.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iostream>
#include <queue>
#include <sstream>
#include <string>

#include "DeviceProtocol.h"
#include "DeviceSimulator.h"
#include "UdpSocket.h"

using namespace tervane;
using namespace tervane::sim;
using Clock = std::chrono::steady_clock;

namespace {

const char kUsage[] =
    "usage: tervane-sim [--devices FILE | --count N] [options]\n"
    "\n"
    "Simulates access points and client bridges that answer Tervane's device\n"
    "protocol on UDP port 192. Run it only inside a private network namespace\n"
    "(scripts/netns-run) unless it is meant to be seen on a real network.\n"
    "\n"
    "  --devices FILE     devices to simulate, one per line of key=value pairs:\n"
    "                     type mac ip mask gateway name channel dhcp ssid\n"
    "                     format (base, -1, -2) password, and for tests locked=1\n"
    "                     (ignores update requests) and acks=0 (never confirms);\n"
    "                     '#' starts a comment\n"
    "  --count N          generate N devices of mixed types and formats\n"
    "  --seed S           seed for generated devices and challenges (default 1)\n"
    "  --password P       password of generated devices (default kerbo)\n"
    "  --spread-ms MS     spread the replies to a probe over MS milliseconds\n"
    "                     (default 0: one burst)\n"
    "  --log FILE         write one line per event to FILE\n"
    "  --seconds N        stop after N seconds (default: run until killed)\n"
    "  --port P           device port (default 192)\n"
    "  --help             this text\n";

struct Options {
  std::string devicesFile;
  int count = -1;
  std::uint32_t seed = 1;
  std::string password = "kerbo";
  int spreadMs = 0;
  std::string logFile;
  double seconds = 0;
  int port = kDevicePort;
};

bool ParseInt(const char* text, long min, long max, long& out) {
  char* end = nullptr;
  errno = 0;
  long v = std::strtol(text, &end, 10);
  if (errno != 0 || end == text || *end != '\0' || v < min || v > max) return false;
  out = v;
  return true;
}

int Fail(const std::string& message) {
  std::cerr << "tervane-sim: " << message << "\n";
  return 2;
}

struct Scheduled {
  Clock::time_point at;
  std::uint64_t order;
  Outgoing datagram;
  bool operator>(const Scheduled& o) const { return at != o.at ? at > o.at : order > o.order; }
};

// Sends one datagram, waiting while the socket's send queue is full.
void Send(UdpSocket& socket, const Outgoing& o) {
  sockaddr_in to = BroadcastAddress(o.port);
  for (int attempt = 0; attempt < 1000; ++attempt) {
    if (socket.SendTo(o.bytes, to)) return;
    if (socket.lastError() != EAGAIN && socket.lastError() != EWOULDBLOCK && socket.lastError() != ENOBUFS)
      return;
    pollfd p{socket.fd(), POLLOUT, 0};
    ::poll(&p, 1, 10);
  }
}

}  // namespace

int main(int argc, char** argv) {
  Options opt;
  for (int i = 1; i < argc; ++i) {
    std::string a = argv[i];
    auto value = [&](const char* name) -> const char* {
      if (i + 1 >= argc) return nullptr;
      (void)name;
      return argv[++i];
    };
    long n = 0;
    if (a == "--help" || a == "-h") {
      std::cout << kUsage;
      return 0;
    } else if (a == "--devices") {
      const char* v = value("--devices");
      if (!v) return Fail("--devices needs a file");
      opt.devicesFile = v;
    } else if (a == "--count") {
      const char* v = value("--count");
      if (!v || !ParseInt(v, 0, 1000000, n)) return Fail("--count needs a number from 0 to 1000000");
      opt.count = static_cast<int>(n);
    } else if (a == "--seed") {
      const char* v = value("--seed");
      if (!v || !ParseInt(v, 0, 0xFFFFFFFFL, n)) return Fail("--seed needs a number");
      opt.seed = static_cast<std::uint32_t>(n);
    } else if (a == "--password") {
      const char* v = value("--password");
      if (!v) return Fail("--password needs a text");
      opt.password = v;
    } else if (a == "--spread-ms") {
      const char* v = value("--spread-ms");
      if (!v || !ParseInt(v, 0, 600000, n)) return Fail("--spread-ms needs milliseconds");
      opt.spreadMs = static_cast<int>(n);
    } else if (a == "--log") {
      const char* v = value("--log");
      if (!v) return Fail("--log needs a file");
      opt.logFile = v;
    } else if (a == "--seconds") {
      const char* v = value("--seconds");
      if (!v || !ParseInt(v, 1, 86400 * 365, n)) return Fail("--seconds needs a whole number of seconds");
      opt.seconds = static_cast<double>(n);
    } else if (a == "--port") {
      const char* v = value("--port");
      if (!v || !ParseInt(v, 1, 65535, n)) return Fail("--port needs a port number");
      opt.port = static_cast<int>(n);
    } else {
      return Fail("unknown option " + a + " (see --help)");
    }
  }
  if (opt.devicesFile.empty() == (opt.count < 0)) return Fail("give exactly one of --devices FILE and --count N");

  std::vector<SimDevice> devices;
  if (!opt.devicesFile.empty()) {
    std::ifstream in(opt.devicesFile, std::ios::binary);
    if (!in) return Fail("cannot read " + opt.devicesFile);
    std::stringstream text;
    text << in.rdbuf();
    std::string error;
    auto parsed = ParseDeviceList(text.str(), error);
    if (!parsed) return Fail(opt.devicesFile + ": " + error);
    devices = std::move(*parsed);
  } else {
    devices = GenerateDevices(opt.count, opt.seed, opt.password);
  }

  std::ofstream log;
  if (!opt.logFile.empty()) {
    log.open(opt.logFile, std::ios::out | std::ios::trunc);
    if (!log) return Fail("cannot write " + opt.logFile);
  }
  auto write = [&](const std::string& line) {
    if (log.is_open()) log << line << std::endl;
  };

  UdpSocket socket;
  if (!socket.Open(static_cast<std::uint16_t>(opt.port), true)) {
    return Fail("cannot open UDP port " + std::to_string(opt.port) + ": " + std::strerror(socket.lastError()));
  }
  // Room for a burst of requests and responses from a push to many devices.
  socket.SetReceiveBuffer(16 * 1024 * 1024);

  DeviceSimulator simulator(std::move(devices), opt.seed, write);
  simulator.SetSpreadMs(opt.spreadMs);
  std::cerr << "tervane-sim: " << simulator.devices().size() << " devices on UDP port " << opt.port << "\n";
  write("ready port " + std::to_string(opt.port) + " devices " + std::to_string(simulator.devices().size()));

  const Clock::time_point start = Clock::now();
  const Clock::time_point stopAt =
      opt.seconds > 0 ? start + std::chrono::milliseconds(static_cast<long>(opt.seconds * 1000))
                      : Clock::time_point::max();
  std::priority_queue<Scheduled, std::vector<Scheduled>, std::greater<>> queue;
  std::uint64_t order = 0;
  std::uint8_t buffer[2048];

  while (Clock::now() < stopAt) {
    // Due datagrams first, in the order they were scheduled.
    while (!queue.empty() && queue.top().at <= Clock::now()) {
      Send(socket, queue.top().datagram);
      queue.pop();
    }
    Clock::time_point wake = stopAt;
    if (!queue.empty()) wake = std::min(wake, queue.top().at);
    int timeoutMs = 1000;
    if (wake != Clock::time_point::max()) {
      auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(wake - Clock::now()).count();
      timeoutMs = static_cast<int>(std::clamp<long long>(ms, 0, 1000));
    }
    pollfd p{socket.fd(), POLLIN, 0};
    if (::poll(&p, 1, timeoutMs) <= 0) continue;
    for (int i = 0; i < 256; ++i) {
      sockaddr_in from{};
      long n = socket.ReceiveFrom(buffer, sizeof buffer, &from);
      if (n < 0) break;
      std::size_t len = std::min<std::size_t>(static_cast<std::size_t>(n), sizeof buffer);
      auto out = simulator.Handle(std::string_view(reinterpret_cast<char*>(buffer), len), ntohs(from.sin_port));
      for (Outgoing& o : out) {
        if (o.delayMs == 0) {
          Send(socket, o);
        } else {
          queue.push({Clock::now() + std::chrono::milliseconds(o.delayMs), order++, std::move(o)});
        }
      }
    }
  }
  write("stop");
  return 0;
}
