#include "IcmpEcho.h"

#include <chrono>
#include <cstring>

namespace tervane {

std::uint16_t InternetChecksum(const std::uint8_t* data, std::size_t size) {
  std::uint32_t sum = 0;
  std::size_t i = 0;
  for (; i + 1 < size; i += 2) {
    std::uint16_t word;
    std::memcpy(&word, data + i, 2);
    sum += word;
  }
  if (i < size) {
    std::uint8_t last[2] = {data[i], 0};
    std::uint16_t word;
    std::memcpy(&word, last, 2);
    sum += word;
  }
  sum = (sum >> 16) + (sum & 0xFFFF);
  sum += sum >> 16;
  return static_cast<std::uint16_t>(~sum);
}

namespace {

void PutLe16(std::uint8_t* p, std::uint16_t v) {
  p[0] = static_cast<std::uint8_t>(v);
  p[1] = static_cast<std::uint8_t>(v >> 8);
}

void PutLe32(std::uint8_t* p, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) p[i] = static_cast<std::uint8_t>(v >> (8 * i));
}

}  // namespace

EchoRequest BuildEchoRequest(std::uint16_t identifier, std::uint16_t sequence,
                             std::uint32_t stamp) {
  EchoRequest r{};
  r[0] = 8;
  r[1] = 0;
  PutLe16(&r[4], identifier);
  PutLe16(&r[6], sequence);
  r[8] = 0;
  for (std::size_t i = 0; i < kEchoDataSize; ++i)
    r[kEchoDataOffset + i] = static_cast<std::uint8_t>(0x20 + i);
  PutLe32(&r[kEchoStampOffset], stamp);
  const std::uint16_t sum = InternetChecksum(r.data(), r.size());
  std::memcpy(&r[2], &sum, 2);
  return r;
}

std::uint32_t TickCount() {
  const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(
      std::chrono::steady_clock::now().time_since_epoch());
  return static_cast<std::uint32_t>(ms.count());
}

std::uint16_t ReadLe16(const std::uint8_t* p) {
  return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
}

std::uint32_t ReadLe32(const std::uint8_t* p) {
  return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
         (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}

}  // namespace tervane
