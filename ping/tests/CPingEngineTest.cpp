#include "CPingEngine.h"

#include <fcntl.h>
#include <grp.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <string>
#include <vector>

#include "CPingWorker.h"
#include "IcmpEcho.h"
#include "RecordingSink.h"
#include "TestNamespace.h"

namespace tervane {
namespace {

using test::RecordingSink;
using test::SinkEvent;
using testing::ElementsAre;
using testing::MatchesRegex;

// Routed to loopback inside the namespace but not an address of this host:
// requests to it are dropped and never answered.
constexpr const char* kSilentAddress = "192.0.2.1";

const char* KindName(CPingEngine::SocketKind kind) {
  return kind == CPingEngine::SocketKind::Raw ? "Raw" : "Datagram";
}

class NetworkTest : public testing::Test {
 protected:
  void SetUp() override {
    if (!test::InPrivateNetwork()) GTEST_SKIP() << "runs only in a private network namespace";
  }
};

class EngineKindTest : public testing::TestWithParam<CPingEngine::SocketKind> {
 protected:
  void SetUp() override {
    if (!test::InPrivateNetwork()) GTEST_SKIP() << "runs only in a private network namespace";
    engine.SetRawSocketAllowed(GetParam() == CPingEngine::SocketKind::Raw);
  }
  std::vector<SinkEvent> Run(std::uint32_t count, const std::string& host) {
    engine.Ping(count, host, &sink);
    EXPECT_EQ(engine.LastSocketKind(), GetParam());
    return sink.events();
  }
  CPingEngine engine;
  RecordingSink sink;
};

TEST_P(EngineKindTest, ThreeRequestsToLoopbackAreAnswered) {
  const auto events = Run(3, "127.0.0.1");
  ASSERT_EQ(events.size(), 5u);
  EXPECT_EQ(events[0], (SinkEvent{kPingLineHeader, "Pinging 127.0.0.1 [127.0.0.1] with 32 bytes of data:"}));
  for (int i = 1; i <= 3; ++i) {
    EXPECT_EQ(events[i].kind, kPingLineReply);
    EXPECT_THAT(events[i].text, MatchesRegex("Reply\\[" + std::to_string(i) +
                                             "\\] from: 127\\.0\\.0\\.1: bytes=32 time=[0-9]+ms TTL=64"));
  }
  EXPECT_EQ(events[4], (SinkEvent{SinkEvent::kDone, "1"}));
}

TEST_P(EngineKindTest, HeaderShowsTheHostAsGivenAndTheAddressResolved) {
  const auto events = Run(0, "localhost");
  EXPECT_THAT(events, ElementsAre(SinkEvent{kPingLineHeader, "Pinging localhost [127.0.0.1] with 32 bytes of data:"},
                                  SinkEvent{SinkEvent::kDone, "1"}));
}

TEST_P(EngineKindTest, CountZeroSendsNothing) {
  const auto events = Run(0, "127.0.0.1");
  EXPECT_THAT(events, ElementsAre(SinkEvent{kPingLineHeader, "Pinging 127.0.0.1 [127.0.0.1] with 32 bytes of data:"},
                                  SinkEvent{SinkEvent::kDone, "1"}));
}

TEST_P(EngineKindTest, UnresolvableHostEndsWithoutHeader) {
  const auto events = Run(3, "no-such-host.invalid");
  EXPECT_THAT(events, ElementsAre(SinkEvent{kPingLineError, "Host not found: no-such-host.invalid"},
                                  SinkEvent{SinkEvent::kDone, "0"}));
}

TEST_P(EngineKindTest, SilentAddressTimesOut) {
  const auto events = Run(2, kSilentAddress);
  EXPECT_THAT(events, ElementsAre(SinkEvent{kPingLineHeader, "Pinging 192.0.2.1 [192.0.2.1] with 32 bytes of data:"},
                                  SinkEvent{kPingLineTimedOut, "Request Timed Out"},
                                  SinkEvent{kPingLineTimedOut, "Request Timed Out"},
                                  SinkEvent{SinkEvent::kDone, "1"}));
}

// Watches what reaches this host over ICMP, as the kernel hands it to a raw
// socket: the whole IP datagram.
class IcmpCapture {
 public:
  IcmpCapture() : m_fd(socket(AF_INET, SOCK_RAW, IPPROTO_ICMP)) {}
  ~IcmpCapture() {
    if (m_fd >= 0) close(m_fd);
  }
  bool ok() const { return m_fd >= 0; }
  // The ICMP part of every echo request queued so far.
  std::vector<std::vector<std::uint8_t>> EchoRequests() {
    std::vector<std::vector<std::uint8_t>> found;
    std::uint8_t buf[2048];
    for (;;) {
      const long n = recv(m_fd, buf, sizeof buf, MSG_DONTWAIT);
      if (n <= 0) break;
      const std::size_t headerLength = (buf[0] & 0x0F) * 4u;
      if (static_cast<std::size_t>(n) <= headerLength) continue;
      if (buf[headerLength] != 8) continue;
      found.emplace_back(buf + headerLength, buf + n);
    }
    return found;
  }

 private:
  int m_fd;
};

TEST_P(EngineKindTest, RequestsAsSentCarryGrowingNumbersAcrossRuns) {
  IcmpCapture capture;
  ASSERT_TRUE(capture.ok());
  engine.Ping(2, "127.0.0.1", &sink);
  engine.Ping(1, "127.0.0.1", &sink);
  const auto requests = capture.EchoRequests();
  ASSERT_EQ(requests.size(), 3u);
  for (const auto& r : requests) {
    ASSERT_EQ(r.size(), 45u);
    EXPECT_EQ(r[1], 0);
    EXPECT_EQ(r[8], 0);
    EXPECT_EQ(InternetChecksum(r.data(), r.size()), 0);
    EXPECT_EQ(std::string(r.begin() + 13, r.end()), " !\"#$%&'()*+,-./0123456789:;<=>?");
  }
  for (std::size_t i = 1; i < requests.size(); ++i) {
    EXPECT_EQ(static_cast<std::uint16_t>(ReadLe16(&requests[i][6]) - ReadLe16(&requests[i - 1][6])), 1)
        << "sequence of request " << i;
    if (GetParam() == CPingEngine::SocketKind::Raw) {
      // The datagram socket puts its own identifier in; a raw socket sends ours.
      EXPECT_EQ(static_cast<std::uint16_t>(ReadLe16(&requests[i][4]) - ReadLe16(&requests[i - 1][4])), 1)
          << "identifier of request " << i;
    }
  }
  if (GetParam() == CPingEngine::SocketKind::Raw) {
    EXPECT_EQ(ReadLe16(&requests[0][4]), ReadLe16(&requests[0][6]));
  }
}

// Sends an ICMP message of our own making to 127.0.0.1, as another
// exchange on this host might.
bool InjectIcmp(const std::vector<std::uint8_t>& message) {
  const int fd = socket(AF_INET, SOCK_RAW, IPPROTO_ICMP);
  if (fd < 0) return false;
  sockaddr_in to{};
  to.sin_family = AF_INET;
  to.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  const long sent = sendto(fd, message.data(), message.size(), 0, reinterpret_cast<sockaddr*>(&to), sizeof to);
  close(fd);
  return sent == static_cast<long>(message.size());
}

std::vector<std::uint8_t> EchoReplyStamped(std::uint32_t stamp, std::size_t length) {
  EchoRequest r = BuildEchoRequest(0x7777, 0x7777, stamp);
  r[0] = 0;  // echo reply
  r[2] = r[3] = 0;
  const std::uint16_t sum = InternetChecksum(r.data(), length);
  std::memcpy(&r[2], &sum, 2);
  return {r.begin(), r.begin() + static_cast<long>(length)};
}

class RawEngineTest : public NetworkTest {
 protected:
  // Pings the silent address once and, while the engine waits, hands it
  // `message` from elsewhere.
  std::vector<SinkEvent> PingSilentWhileInjecting(const std::vector<std::uint8_t>& message) {
    CPingWorker worker;
    worker.Start(1, kSilentAddress, &sink);
    // The header is posted once the socket is open and just before the
    // request goes out, so the message is queued for the engine.
    EXPECT_TRUE(sink.WaitEvents(1));
    EXPECT_TRUE(InjectIcmp(message));
    EXPECT_TRUE(sink.WaitRuns(1));
    EXPECT_EQ(worker.engine().LastSocketKind(), CPingEngine::SocketKind::Raw);
    return sink.events();
  }
  RecordingSink sink;
};

TEST_F(RawEngineTest, AnyIcmpMessageThatArrivesIsTakenAsTheReply) {
  const auto events = PingSilentWhileInjecting(EchoReplyStamped(TickCount(), kEchoRequestSize));
  ASSERT_EQ(events.size(), 3u);
  EXPECT_EQ(events[0].kind, kPingLineHeader);
  EXPECT_EQ(events[1].kind, kPingLineReply);
  EXPECT_THAT(events[1].text, MatchesRegex("Reply\\[1\\] from: 127\\.0\\.0\\.1: bytes=32 time=[0-9]+ms TTL=64"));
  EXPECT_EQ(events[2], (SinkEvent{SinkEvent::kDone, "1"}));
}

TEST_F(RawEngineTest, MessageTooShortForTheTimeStampGivesNoReplyLine) {
  // 20 bytes of IP header and 8 of ICMP: the time stamp would lie beyond it.
  const auto events = PingSilentWhileInjecting(EchoReplyStamped(0, 8));
  EXPECT_THAT(events, ElementsAre(SinkEvent{kPingLineHeader, "Pinging 192.0.2.1 [192.0.2.1] with 32 bytes of data:"},
                                  SinkEvent{SinkEvent::kDone, "1"}));
}

INSTANTIATE_TEST_SUITE_P(Sockets, EngineKindTest,
                         testing::Values(CPingEngine::SocketKind::Raw, CPingEngine::SocketKind::Datagram),
                         [](const auto& info) { return std::string(KindName(info.param)); });

// Runs one ping as the unprivileged user nobody in a child process and
// returns the lines it reported, one per text line, kinds in front.
std::vector<std::string> PingAsNobody(const char* host, CPingEngine::SocketKind* kindOut) {
  int pipeFds[2];
  if (pipe(pipeFds) != 0) return {"pipe failed"};
  const pid_t child = fork();
  if (child == 0) {
    close(pipeFds[0]);
    if (setgroups(0, nullptr) != 0 || setgid(65534) != 0 || setuid(65534) != 0) _exit(77);
    RecordingSink sink;
    CPingEngine engine;
    engine.Ping(1, host, &sink);
    std::string out = std::to_string(static_cast<int>(engine.LastSocketKind())) + "\n";
    for (const auto& e : sink.events()) out += std::to_string(e.kind) + " " + e.text + "\n";
    const bool written = write(pipeFds[1], out.data(), out.size()) == static_cast<long>(out.size());
    _exit(written ? 0 : 1);
  }
  close(pipeFds[1]);
  std::string all;
  char buf[512];
  long n;
  while ((n = read(pipeFds[0], buf, sizeof buf)) > 0) all.append(buf, static_cast<std::size_t>(n));
  close(pipeFds[0]);
  int status = 0;
  waitpid(child, &status, 0);
  if (WIFEXITED(status) && WEXITSTATUS(status) == 77) return {"no such user"};
  std::vector<std::string> lines;
  std::size_t start = 0;
  for (std::size_t nl; (nl = all.find('\n', start)) != std::string::npos; start = nl + 1)
    lines.push_back(all.substr(start, nl - start));
  if (lines.empty()) return {"child failed"};
  *kindOut = static_cast<CPingEngine::SocketKind>(std::stoi(lines.front()));
  lines.erase(lines.begin());
  return lines;
}

class UnprivilegedTest : public NetworkTest {
 protected:
  void TearDown() override { test::SetDatagramPingAllowed(true); }
};

TEST_F(UnprivilegedTest, WithoutRawRightsTheDatagramSocketIsUsed) {
  CPingEngine::SocketKind kind = CPingEngine::SocketKind::None;
  const auto lines = PingAsNobody("127.0.0.1", &kind);
  if (lines == std::vector<std::string>{"no such user"}) GTEST_SKIP() << "cannot become nobody here";
  EXPECT_EQ(kind, CPingEngine::SocketKind::Datagram);
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[0], "1 Pinging 127.0.0.1 [127.0.0.1] with 32 bytes of data:");
  EXPECT_THAT(lines[1], MatchesRegex("2 Reply\\[1\\] from: 127\\.0\\.0\\.1: bytes=32 time=[0-9]+ms TTL=64"));
  EXPECT_EQ(lines[2], "-1 1");
}

TEST_F(UnprivilegedTest, WhenBothSocketsAreRefusedTheRunEndsWithTheSocketLine) {
  ASSERT_TRUE(test::SetDatagramPingAllowed(false));
  CPingEngine::SocketKind kind = CPingEngine::SocketKind::Raw;
  const auto lines = PingAsNobody("127.0.0.1", &kind);
  if (lines == std::vector<std::string>{"no such user"}) GTEST_SKIP() << "cannot become nobody here";
  EXPECT_EQ(kind, CPingEngine::SocketKind::None);
  EXPECT_THAT(lines, ElementsAre("0 socket() - WSAError: " + std::to_string(EACCES), "-1 0"));
}

TEST_F(NetworkTest, WorkerRunsEachStartAndFinishesTheRunBeforeItEnds) {
  RecordingSink sink;
  {
    CPingWorker worker;
    worker.Start(0, "127.0.0.1", &sink);
    ASSERT_TRUE(sink.WaitRuns(1));
    worker.Start(1, kSilentAddress, &sink);
    // Destroyed while the second run waits for its answer: the run goes on
    // to its end before the worker's thread stops.
    ASSERT_TRUE(sink.WaitEvents(3));
  }
  EXPECT_THAT(sink.events(),
              ElementsAre(SinkEvent{kPingLineHeader, "Pinging 127.0.0.1 [127.0.0.1] with 32 bytes of data:"},
                          SinkEvent{SinkEvent::kDone, "1"},
                          SinkEvent{kPingLineHeader, "Pinging 192.0.2.1 [192.0.2.1] with 32 bytes of data:"},
                          SinkEvent{kPingLineTimedOut, "Request Timed Out"},
                          SinkEvent{SinkEvent::kDone, "1"}));
}

TEST(WorkerTest, DestroyedWithoutRunStopsAtOnce) {
  RecordingSink sink;
  { CPingWorker worker; }
  EXPECT_TRUE(sink.events().empty());
}

}  // namespace
}  // namespace tervane
