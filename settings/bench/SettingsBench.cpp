// Costs of reading and writing settings: the reader over a saved config.xml, a whole load and
// save of one, and the reader over deep nesting (quadratic: each level searches its content).
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <string>

#include "CConfig.h"
#include "XML_Param_Notify.h"
#include "XmlStream.h"

using namespace tervane;

namespace {

const std::string kSaved =
    "<vireo>\r\n\t<config>\r\n\t\t<user>kerbo</user>\r\n\t\t<password>kerbo</password>\r\n"
    "\t\t<systray>1</systray>\r\n\t</config>\r\n</vireo>\r\n";

void ParseSavedConfig(benchmark::State& state) {
  for (auto _ : state) {
    XML_Param_Notify tree;
    XmlStream stream;
    stream.setNotify(&tree);
    benchmark::DoNotOptimize(stream.parse(kSaved.data(), static_cast<std::int32_t>(kSaved.size())));
  }
}
BENCHMARK(ParseSavedConfig);

void LoadAndSaveConfig(benchmark::State& state) {
  std::string dir = (std::filesystem::temp_directory_path() / "tervane-bench-XXXXXX").string();
  if (::mkdtemp(dir.data()) == nullptr) std::abort();
  const std::string file = dir + "/config.xml";
  CConfig(file).Save(file);
  for (auto _ : state) {
    CConfig config(file);
    benchmark::DoNotOptimize(config.Save(file));
  }
  std::filesystem::remove_all(dir);
}
BENCHMARK(LoadAndSaveConfig)->Unit(benchmark::kMicrosecond);

void ParseDeepNesting(benchmark::State& state) {
  const auto depth = static_cast<int>(state.range(0));
  std::string text;
  for (int i = 0; i < depth; ++i) text += "<a>";
  text += "<v>1</v>";
  for (int i = 0; i < depth; ++i) text += "</a>";
  for (auto _ : state) {
    XML_Param_Notify tree;
    XmlStream stream;
    stream.setNotify(&tree);
    benchmark::DoNotOptimize(stream.parse(text.data(), static_cast<std::int32_t>(text.size())));
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                          static_cast<std::int64_t>(text.size()));
}
BENCHMARK(ParseDeepNesting)->Arg(100)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
