#pragma once
// Starts tervane-sim as a child process for a test and reads its event log.
// Tests that use it run inside a private network namespace.

#include <sys/types.h>

#include <string>
#include <vector>

namespace tervane::testing {

class SimProcess {
 public:
  // Starts the simulator with `args` (besides --log) and waits until it is
  // listening. started() tells whether that worked.
  explicit SimProcess(const std::vector<std::string>& args, int readyTimeoutMs = 10000);
  ~SimProcess();
  SimProcess(const SimProcess&) = delete;
  SimProcess& operator=(const SimProcess&) = delete;

  bool started() const { return started_; }
  std::vector<std::string> LogLines() const;
  // Waits until a log line contains `text` (`count` such lines in all).
  bool WaitForLog(const std::string& text, int timeoutMs = 5000, int count = 1) const;
  int CountLog(const std::string& text) const;
  const std::string& logPath() const { return logPath_; }

  // A file in the process's scratch directory.
  std::string ScratchFile(const std::string& name) const { return dir_ + "/" + name; }
  static std::string WriteScratch(const std::string& dir, const std::string& name, const std::string& text);

  static std::string SimulatorPath();

 private:
  pid_t pid_ = -1;
  bool started_ = false;
  std::string dir_;
  std::string logPath_;
};

}  // namespace tervane::testing
