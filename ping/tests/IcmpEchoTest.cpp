#include "IcmpEcho.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace tervane {
namespace {

std::vector<std::uint8_t> StoredChecksum(std::vector<std::uint8_t> bytes) {
  const std::uint16_t sum = InternetChecksum(bytes.data(), bytes.size());
  std::vector<std::uint8_t> stored(2);
  std::memcpy(stored.data(), &sum, 2);
  return stored;
}

struct ChecksumCase {
  std::vector<std::uint8_t> bytes;
  std::vector<std::uint8_t> onWire;
};

class ChecksumTest : public testing::TestWithParam<ChecksumCase> {};

TEST_P(ChecksumTest, StoredInHostOrderReadsRightOnTheWire) {
  EXPECT_EQ(StoredChecksum(GetParam().bytes), GetParam().onWire);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ChecksumTest,
    testing::Values(
        // The worked example of RFC 1071: the sum is ddf2, the checksum 220d.
        ChecksumCase{{0x00, 0x01, 0xf2, 0x03, 0xf4, 0xf5, 0xf6, 0xf7}, {0x22, 0x0d}},
        // An odd final byte counts as the high byte of a word on the wire.
        ChecksumCase{{0x01}, {0xfe, 0xff}},
        ChecksumCase{{0x00, 0x01, 0xf2}, {0x0d, 0xfe}},
        // Carries folded back in: ffff + ffff + ffff sums to ffff.
        ChecksumCase{{0xff, 0xff, 0xff, 0xff, 0xff, 0xff}, {0x00, 0x00}},
        ChecksumCase{{}, {0xff, 0xff}}));

TEST(EchoRequestTest, LayoutLowByteFirstWithValidChecksum) {
  const EchoRequest r = BuildEchoRequest(0x0102, 0x0304, 0x0A0B0C0D);
  ASSERT_EQ(r.size(), 45u);
  EXPECT_EQ(r[0], 8);
  EXPECT_EQ(r[1], 0);
  EXPECT_EQ(r[4], 0x02);
  EXPECT_EQ(r[5], 0x01);
  EXPECT_EQ(r[6], 0x04);
  EXPECT_EQ(r[7], 0x03);
  EXPECT_EQ(r[8], 0);
  EXPECT_EQ(r[9], 0x0D);
  EXPECT_EQ(r[10], 0x0C);
  EXPECT_EQ(r[11], 0x0B);
  EXPECT_EQ(r[12], 0x0A);
  EXPECT_EQ(std::string(r.begin() + 13, r.end()), " !\"#$%&'()*+,-./0123456789:;<=>?");
  EXPECT_EQ(InternetChecksum(r.data(), r.size()), 0) << "a request with its checksum sums to zero";
}

TEST(EchoRequestTest, ChecksumFollowsTheContents) {
  const EchoRequest a = BuildEchoRequest(1, 1, 0);
  const EchoRequest b = BuildEchoRequest(2, 2, 0);
  EXPECT_NE(std::memcmp(&a[2], &b[2], 2), 0);
  EXPECT_EQ(InternetChecksum(b.data(), b.size()), 0);
}

struct ElapsedCase {
  std::uint32_t now, then, elapsed;
};

class ElapsedTest : public testing::TestWithParam<ElapsedCase> {};

TEST_P(ElapsedTest, ThirtyTwoBitUnsignedDifference) {
  EXPECT_EQ(ElapsedTicks(GetParam().now, GetParam().then), GetParam().elapsed);
}

INSTANTIATE_TEST_SUITE_P(Cases, ElapsedTest,
                         testing::Values(ElapsedCase{1500, 1000, 500}, ElapsedCase{7, 7, 0},
                                         ElapsedCase{5, 0xFFFFFFFBu, 10},
                                         ElapsedCase{0, 0xFFFFFFFFu, 1}));

TEST(LittleEndianTest, ReadsLowByteFirst) {
  const std::uint8_t bytes[] = {0x78, 0x56, 0x34, 0x12};
  EXPECT_EQ(ReadLe16(bytes), 0x5678);
  EXPECT_EQ(ReadLe32(bytes), 0x12345678u);
}

}  // namespace
}  // namespace tervane
