#include <gtest/gtest.h>

#include "DocumentFile.h"

using namespace tervane;

TEST(DocumentFile, TwoRowsWithEmptyTexts) {
  const std::vector<DocumentRow> rows = {{"", "00:11:22:33:44:55", "10.0.0.2"}, {"", "mac2", ""}};
  const std::string bytes = WriteDocument(rows);
  const std::string expected = std::string("\x02\x00\x00\x00", 4) + '\0' + '\x11' + "00:11:22:33:44:55" + '\x08' +
                               "10.0.0.2" + '\0' + '\x04' + "mac2" + '\0';
  EXPECT_EQ(expected, bytes);
  std::string error;
  auto back = ReadDocument(bytes, error);
  ASSERT_TRUE(back) << error;
  EXPECT_EQ(rows, *back);
}

TEST(DocumentFile, LengthPrefixForms) {
  for (std::size_t n : {0u, 254u, 255u, 65533u, 65534u, 70000u}) {
    const std::vector<DocumentRow> rows = {{std::string(n, 'x'), "", ""}};
    const std::string bytes = WriteDocument(rows);
    const std::size_t prefix = n < 255 ? 1 : n <= 65533 ? 3 : 7;
    EXPECT_EQ(4 + prefix + n + 2, bytes.size()) << n;
    if (n >= 255) {
      EXPECT_EQ('\xFF', bytes[4]);
    }
    if (n > 65533) {
      EXPECT_EQ(std::string("\xFF\xFF\xFF", 3), bytes.substr(4, 3));
    }
    std::string error;
    auto back = ReadDocument(bytes, error);
    ASSERT_TRUE(back) << n << ": " << error;
    EXPECT_EQ(rows, *back);
  }
}

TEST(DocumentFile, DamagedFilesAreRefusedWithAReason) {
  const std::string good = WriteDocument({{"", "mac", "ip"}});
  const std::pair<std::string, const char*> cases[] = {
      {"", "too short"},
      {std::string("\x01\x00", 2), "too short"},
      {std::string("\xFF\xFF\xFF\xFF", 4), "negative"},
      {std::string("\x00\x00\x00\x7F", 4), "cannot hold"},  // a huge count, nothing behind it
      {good.substr(0, good.size() - 1), "runs past the end"},
      {std::string("\x01\x00\x00\x00\x05" "ab\0\0", 9), "runs past the end"},
      {std::string("\x01\x00\x00\x00\xFF\x10", 6), "cannot hold"},
      {std::string("\x01\x00\x00\x00\xFF\xFF\xFF\xFF\xFF\xFF\x7F\0\0", 13), "runs past the end"},
  };
  for (const auto& [bytes, reason] : cases) {
    std::string error;
    EXPECT_FALSE(ReadDocument(bytes, error)) << testing::PrintToString(bytes);
    EXPECT_NE(std::string::npos, error.find(reason)) << error;
  }
  std::string error;
  EXPECT_TRUE(ReadDocument(std::string("\0\0\0\0", 4), error)) << "an empty document is fine";
}
