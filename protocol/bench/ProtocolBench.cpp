// Discovery ingest and cipher set-up costs.
#include <benchmark/benchmark.h>
#define OPENSSL_SUPPRESS_DEPRECATED  // the low-level Blowfish API is the reference here
#include <openssl/blowfish.h>

#include <cstdio>
#include <string>
#include <vector>

#include "BlowfishCipher.h"
#include "DeviceProtocol.h"

using namespace tervane;

namespace {

class NullSender : public DatagramSender {
 public:
  void SendDatagram(std::string_view) override {}
};

std::vector<std::string> Replies(int n) {
  std::vector<std::string> out;
  out.reserve(static_cast<std::size_t>(n));
  char buf[128];
  for (int i = 0; i < n; ++i) {
    std::snprintf(buf, sizeof buf, "AP-2/10.%d.%d.%d/255.255.0.0/02:00:%02X:%02X:%02X:%02X/AP%d/10.0.0.1/6/1/ssid",
                  (i >> 16) & 255, (i >> 8) & 255, i & 255, (i >> 24) & 255, (i >> 16) & 255,
                  (i >> 8) & 255, i & 255, i);
    out.emplace_back(buf);
  }
  return out;
}

// n distinct devices, then the same n answering again.
void BM_IngestReplies(benchmark::State& state) {
  const auto replies = Replies(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    NullSender sender;
    DeviceProtocol protocol(sender, nullptr);
    for (const auto& r : replies) protocol.HandleDatagram(r);
    for (const auto& r : replies) protocol.HandleDatagram(r);
    benchmark::DoNotOptimize(protocol.apList.GetCount());
  }
  state.SetItemsProcessed(state.iterations() * state.range(0) * 2);
}
BENCHMARK(BM_IngestReplies)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

void BM_BlowfishKeyAndBlock(benchmark::State& state) {
  const std::uint8_t key[8] = {'k', 'e', 'r', 'b', 'o', 't', 'V', '9'};
  for (auto _ : state) {
    BlowfishCipher cipher(key, 8);
    CipherBlock b(0x616C6C20, 0x71757665);
    cipher.EncryptBlock(b);
    benchmark::DoNotOptimize(b);
  }
}
BENCHMARK(BM_BlowfishKeyAndBlock);

void BM_OpenSslKeyAndBlock(benchmark::State& state) {
  const std::uint8_t key[8] = {'k', 'e', 'r', 'b', 'o', 't', 'V', '9'};
  for (auto _ : state) {
    BF_KEY k;
    BF_set_key(&k, 8, key);
    BF_LONG data[2] = {0x616C6C20, 0x71757665};
    BF_encrypt(data, &k);
    benchmark::DoNotOptimize(data);
  }
}
BENCHMARK(BM_OpenSslKeyAndBlock);

// Prints the two ratios the targets are stated in.
class RatioReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& r : runs) {
      std::string name = r.benchmark_name();
      if (r.iterations == 0) continue;
      double t = r.real_accumulated_time / static_cast<double>(r.iterations);  // seconds
      if (name == "BM_IngestReplies/1000") ingest1k_ = t;
      if (name == "BM_IngestReplies/10000") ingest10k_ = t;
      if (name == "BM_IngestReplies/100000") ingest100k_ = t;
      if (name == "BM_BlowfishKeyAndBlock") ours_ = t;
      if (name == "BM_OpenSslKeyAndBlock") openssl_ = t;
    }
  }
  void Finalize() override {
    ConsoleReporter::Finalize();
    if (ingest10k_ > 0)
      std::printf("ingest: 10,000 new then 10,000 known replies in %.2f ms, %.0f ns per reply\n", ingest10k_ * 1e3,
                  ingest10k_ * 1e9 / 20000);
    if (ingest1k_ > 0 && ingest10k_ > 0)
      std::printf("ingest: 10,000 replies cost %.2f times 1,000 replies (linear: 10)\n", ingest10k_ / ingest1k_);
    if (ingest10k_ > 0 && ingest100k_ > 0)
      std::printf("ingest: 100,000 replies cost %.2f times 10,000 replies (linear: 10)\n", ingest100k_ / ingest10k_);
    if (ours_ > 0 && openssl_ > 0)
      std::printf("blowfish key expansion + block: %.2f times OpenSSL's time (goal: at most 1.2)\n",
                  ours_ / openssl_);
  }

 private:
  double ingest1k_ = 0, ingest10k_ = 0, ingest100k_ = 0, ours_ = 0, openssl_ = 0;
};

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  return 0;
}
