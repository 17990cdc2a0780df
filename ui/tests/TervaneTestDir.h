#pragma once
#include <string>

namespace tervane::testing {
// The working directory of the window tests.
std::string& TestDirectory();
}  // namespace tervane::testing
