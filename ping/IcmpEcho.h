#pragma once
// The echo request Tolvex sends and the arithmetic around it.

#include <array>
#include <cstddef>
#include <cstdint>

namespace tervane {

inline constexpr std::size_t kEchoRequestSize = 45;
inline constexpr std::size_t kEchoDataSize = 32;
inline constexpr std::size_t kEchoStampOffset = 9;
inline constexpr std::size_t kEchoDataOffset = 13;
inline constexpr std::size_t kReplyBufferSize = 321;
// In a datagram that still carries its 20-byte IP header.
inline constexpr std::size_t kIpTtlOffset = 8;
inline constexpr std::size_t kIpHeaderSize = 20;

using EchoRequest = std::array<std::uint8_t, kEchoRequestSize>;

// The Internet checksum (RFC 1071): the one's complement of the one's
// complement sum of the bytes taken as 16-bit words in host order, a final
// odd byte padded with zero. Stored back in host order it is valid on the
// wire whatever the byte order of the host.
std::uint16_t InternetChecksum(const std::uint8_t* data, std::size_t size);

// Type 8, code 0, identifier, sequence, a zero byte, the time stamp (all
// numbers low byte first), then the bytes 0x20 to 0x3F; checksum filled in.
EchoRequest BuildEchoRequest(std::uint16_t identifier, std::uint16_t sequence,
                             std::uint32_t stamp);

// Milliseconds from a steady clock, in 32 bits that wrap about every 49.7 days.
std::uint32_t TickCount();

// Elapsed milliseconds between two tick counts, correct across one wrap.
inline std::uint32_t ElapsedTicks(std::uint32_t now, std::uint32_t then) {
  return now - then;
}

// Reads 16 or 32 bits stored low byte first.
std::uint16_t ReadLe16(const std::uint8_t* p);
std::uint32_t ReadLe32(const std::uint8_t* p);

}  // namespace tervane
