#include <gtest/gtest.h>

#include "TestNamespace.h"

int main(int argc, char** argv) {
  tervane::test::PrepareNamespace();
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
