#include "SimProcess.h"

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <thread>

namespace tervane::testing {

std::string SimProcess::SimulatorPath() {
  if (const char* env = std::getenv("TERVANE_SIM")) return env;
  return TERVANE_SIM_PATH;
}

std::string SimProcess::WriteScratch(const std::string& dir, const std::string& name, const std::string& text) {
  std::string path = dir + "/" + name;
  std::ofstream(path, std::ios::binary) << text;
  return path;
}

SimProcess::SimProcess(const std::vector<std::string>& args, int readyTimeoutMs) {
  char tmpl[] = "/tmp/tervane-sim-XXXXXX";
  if (::mkdtemp(tmpl) == nullptr) return;
  dir_ = tmpl;
  logPath_ = dir_ + "/sim.log";

  std::vector<std::string> argv{SimulatorPath(), "--log", logPath_};
  argv.insert(argv.end(), args.begin(), args.end());
  pid_ = ::fork();
  if (pid_ == 0) {
    std::vector<char*> cargv;
    for (auto& a : argv) cargv.push_back(a.data());
    cargv.push_back(nullptr);
    ::execv(cargv[0], cargv.data());
    ::_exit(127);
  }
  if (pid_ < 0) return;
  started_ = WaitForLog("ready", readyTimeoutMs);
}

SimProcess::~SimProcess() {
  if (pid_ > 0) {
    ::kill(pid_, SIGTERM);
    int status = 0;
    ::waitpid(pid_, &status, 0);
  }
  if (!dir_.empty()) {
    std::remove(logPath_.c_str());
    std::string cmd = "rm -rf '" + dir_ + "'";
    if (std::system(cmd.c_str()) != 0) {
      // Leaving a scratch folder behind is harmless.
    }
  }
}

std::vector<std::string> SimProcess::LogLines() const {
  std::vector<std::string> lines;
  std::ifstream in(logPath_);
  std::string line;
  while (std::getline(in, line)) lines.push_back(line);
  return lines;
}

int SimProcess::CountLog(const std::string& text) const {
  int n = 0;
  for (const auto& line : LogLines()) n += line.find(text) != std::string::npos;
  return n;
}

bool SimProcess::WaitForLog(const std::string& text, int timeoutMs, int count) const {
  auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
  do {
    if (CountLog(text) >= count) return true;
    if (pid_ > 0 && ::waitpid(pid_, nullptr, WNOHANG) == pid_) return CountLog(text) >= count;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  } while (std::chrono::steady_clock::now() < until);
  return false;
}

}  // namespace tervane::testing
