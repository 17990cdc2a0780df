#include "TestNamespace.h"

#include <sched.h>
#include <sys/mount.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

namespace tervane::test {

bool InPrivateNetwork() {
  std::ifstream dev("/proc/self/net/dev");
  if (!dev) return false;
  std::string line;
  int interfaces = 0;
  while (std::getline(dev, line)) {
    const auto colon = line.find(':');
    if (colon == std::string::npos) continue;
    std::istringstream name(line.substr(0, colon));
    std::string n;
    name >> n;
    if (n != "lo") return false;
    ++interfaces;
  }
  return interfaces == 1;
}

bool SetDatagramPingAllowed(bool allow) {
  if (!InPrivateNetwork()) return false;
  std::ofstream range("/proc/sys/net/ipv4/ping_group_range");
  range << (allow ? "0 2147483647" : "1 0") << '\n';
  range.flush();
  return static_cast<bool>(range);
}

bool UseClosedResolver() {
  if (!InPrivateNetwork()) return false;
  char path[] = "/tmp/tolvex-resolv-XXXXXX";
  const int fd = mkstemp(path);
  if (fd < 0) return false;
  const char text[] = "nameserver 127.0.0.1\noptions timeout:1 attempts:1\n";
  const bool written = write(fd, text, sizeof text - 1) == static_cast<long>(sizeof text - 1);
  close(fd);
  bool ok = written && unshare(CLONE_NEWNS) == 0 &&
            mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0 &&
            mount(path, "/etc/resolv.conf", nullptr, MS_BIND, nullptr) == 0;
  unlink(path);  // the bind mount keeps the file alive
  return ok;
}

void PrepareNamespace() {
  if (!InPrivateNetwork()) {
    std::fprintf(stderr, "not in a private network namespace: network tests skip\n");
    return;
  }
  if (!UseClosedResolver())
    std::fprintf(stderr, "could not point the resolver at a closed port\n");
  if (!SetDatagramPingAllowed(true))
    std::fprintf(stderr, "could not allow ICMP datagram sockets\n");
}

}  // namespace tervane::test
