#pragma once
// Runs a program to its end for a test and keeps what it printed.

#include <string>
#include <vector>

namespace tervane::testing {

struct ProcessResult {
  int exitCode = -1;  // -1 when it could not run or was killed
  std::string out;
  std::string err;
};

// Runs argv[0] with the arguments, in `workDir` when it is not empty, and
// kills it after `timeoutMs`.
ProcessResult RunProcess(const std::vector<std::string>& argv, const std::string& workDir = {},
                         int timeoutMs = 30000);

}  // namespace tervane::testing
