// Runs Tervane's window tests with one application object, constructed in
// a scratch working directory so config.xml is read from (and written to)
// there.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <string>

#include "CVantelApp.h"
#include "TervaneTestDir.h"

namespace tervane::testing {

std::string& TestDirectory() {
  static std::string dir;
  return dir;
}

}  // namespace tervane::testing

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  char tmpl[] = "/tmp/tervane-window-test-XXXXXX";
  if (::mkdtemp(tmpl) == nullptr || ::chdir(tmpl) != 0) return 2;
  tervane::testing::TestDirectory() = tmpl;
  int qtArgc = 1;
  tervane::CVantelApp app(qtArgc, argv);
  const int result = RUN_ALL_TESTS();
  const std::string cleanup = std::string("rm -rf '") + tmpl + "'";
  if (std::system(cleanup.c_str()) != 0) {
    // A scratch folder left behind is harmless.
  }
  return result;
}
