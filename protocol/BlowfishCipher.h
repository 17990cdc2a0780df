#pragma once
// The Blowfish block cipher (64-bit blocks, 16 rounds, keys of 1 to 56
// bytes) and the derivation of the device key text from a password.

#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

namespace tervane {

// Raised for a key or buffer of the wrong length; what() is the message.
class CipherError : public std::invalid_argument {
 public:
  using std::invalid_argument::invalid_argument;
};

// One 64-bit block as two big-endian 32-bit halves.
struct CipherBlock {
  std::uint32_t left = 0;
  std::uint32_t right = 0;

  constexpr CipherBlock() = default;
  constexpr CipherBlock(std::uint32_t l, std::uint32_t r) : left(l), right(r) {}

  constexpr CipherBlock& operator^=(const CipherBlock& other) {
    left ^= other.left;
    right ^= other.right;
    return *this;
  }
  friend constexpr CipherBlock operator^(CipherBlock a, const CipherBlock& b) { return a ^= b; }
  friend constexpr bool operator==(const CipherBlock&, const CipherBlock&) = default;

  static CipherBlock FromBytes(const std::uint8_t* bytes);
  void ToBytes(std::uint8_t* bytes) const;
};

// Chaining modes of the buffer operations; any other value means ECB.
enum CipherMode : int { kModeECB = 0, kModeCBC = 1, kModeCFB = 2 };

class BlowfishCipher {
 public:
  static constexpr std::size_t kMaxKeyLength = 56;

  // Throws CipherError("Incorrect key length") for an empty key; keys longer
  // than 56 bytes are shortened to 56.
  BlowfishCipher(const std::uint8_t* key, std::size_t keyLength, CipherBlock chain = {});
  explicit BlowfishCipher(std::string_view key, CipherBlock chain = {});

  void EncryptBlock(CipherBlock& block) const;
  void DecryptBlock(CipherBlock& block) const;

  // Process n bytes (a non-zero multiple of 8) from in to out, which may be
  // the same buffer. The chain restarts from the construction value at every
  // call. Throws CipherError("Incorrect buffer length") before writing.
  void Encrypt(const std::uint8_t* in, std::uint8_t* out, std::size_t n, int mode) const;
  void Decrypt(const std::uint8_t* in, std::uint8_t* out, std::size_t n, int mode) const;

  const CipherBlock& initialChain() const { return initialChain_; }
  const CipherBlock& chain() const { return chain_; }

 private:
  std::uint32_t F(std::uint32_t x) const {
    return ((sBoxes_[0][x >> 24] + sBoxes_[1][(x >> 16) & 0xFF]) ^ sBoxes_[2][(x >> 8) & 0xFF]) +
           sBoxes_[3][x & 0xFF];
  }
  static void CheckLength(std::size_t n);

  CipherBlock initialChain_;
  CipherBlock chain_;
  std::uint32_t pArray_[18];
  std::uint32_t sBoxes_[4][256];
};

// Nine printable characters that pad short passwords to eight. Devices use
// the same text, so it must never change.
inline constexpr std::string_view keyPadText = "tV9#kq2!W";

// The key text of a password: passwords shorter than 8 bytes are padded with
// the start of keyPadText; longer ones are kept whole (only their first 8
// bytes reach the key).
std::string BuildKeyText(std::string_view password);

// The first 8 bytes of a key text: the cipher key of every device exchange.
std::string_view DeviceKey(std::string_view keyText);

}  // namespace tervane
