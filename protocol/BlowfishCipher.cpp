#include "BlowfishCipher.h"

#include <algorithm>
#include <cstring>

namespace tervane {
namespace {
#include "BlowfishTables.inc"
}  // namespace

CipherBlock CipherBlock::FromBytes(const std::uint8_t* b) {
  return {(std::uint32_t{b[0]} << 24) | (std::uint32_t{b[1]} << 16) | (std::uint32_t{b[2]} << 8) |
              std::uint32_t{b[3]},
          (std::uint32_t{b[4]} << 24) | (std::uint32_t{b[5]} << 16) | (std::uint32_t{b[6]} << 8) |
              std::uint32_t{b[7]}};
}

void CipherBlock::ToBytes(std::uint8_t* b) const {
  b[0] = static_cast<std::uint8_t>(left >> 24);
  b[1] = static_cast<std::uint8_t>(left >> 16);
  b[2] = static_cast<std::uint8_t>(left >> 8);
  b[3] = static_cast<std::uint8_t>(left);
  b[4] = static_cast<std::uint8_t>(right >> 24);
  b[5] = static_cast<std::uint8_t>(right >> 16);
  b[6] = static_cast<std::uint8_t>(right >> 8);
  b[7] = static_cast<std::uint8_t>(right);
}

BlowfishCipher::BlowfishCipher(std::string_view key, CipherBlock chain)
    : BlowfishCipher(reinterpret_cast<const std::uint8_t*>(key.data()), key.size(), chain) {}

BlowfishCipher::BlowfishCipher(const std::uint8_t* key, std::size_t keyLength, CipherBlock chain)
    : initialChain_(chain), chain_(chain) {
  if (keyLength == 0 || key == nullptr) throw CipherError("Incorrect key length");
  keyLength = std::min(keyLength, kMaxKeyLength);

  std::memcpy(pArray_, kInitialP, sizeof pArray_);
  std::memcpy(sBoxes_, kInitialS, sizeof sBoxes_);

  std::size_t k = 0;
  for (std::uint32_t& p : pArray_) {
    std::uint32_t word = 0;
    for (int i = 0; i < 4; ++i) {
      word = (word << 8) | key[k];
      if (++k == keyLength) k = 0;
    }
    p ^= word;
  }

  CipherBlock block;
  for (int i = 0; i < 18; i += 2) {
    EncryptBlock(block);
    pArray_[i] = block.left;
    pArray_[i + 1] = block.right;
  }
  for (auto& box : sBoxes_) {
    for (int i = 0; i < 256; i += 2) {
      EncryptBlock(block);
      box[i] = block.left;
      box[i + 1] = block.right;
    }
  }
}

void BlowfishCipher::EncryptBlock(CipherBlock& block) const {
  std::uint32_t l = block.left ^ pArray_[0];
  std::uint32_t r = block.right;
  for (int i = 1; i <= 16; i += 2) {
    r ^= F(l) ^ pArray_[i];
    l ^= F(r) ^ pArray_[i + 1];
  }
  r ^= pArray_[17];
  block.left = r;
  block.right = l;
}

void BlowfishCipher::DecryptBlock(CipherBlock& block) const {
  std::uint32_t l = block.left ^ pArray_[17];
  std::uint32_t r = block.right;
  for (int i = 16; i >= 1; i -= 2) {
    r ^= F(l) ^ pArray_[i];
    l ^= F(r) ^ pArray_[i - 1];
  }
  r ^= pArray_[0];
  block.left = r;
  block.right = l;
}

void BlowfishCipher::CheckLength(std::size_t n) {
  if (n == 0 || n % 8 != 0) throw CipherError("Incorrect buffer length");
}

void BlowfishCipher::Encrypt(const std::uint8_t* in, std::uint8_t* out, std::size_t n,
                             int mode) const {
  CheckLength(n);
  CipherBlock c = chain_;
  for (std::size_t at = 0; at < n; at += 8) {
    CipherBlock b = CipherBlock::FromBytes(in + at);
    CipherBlock w;
    switch (mode) {
      case kModeCBC:
        w = b ^ c;
        EncryptBlock(w);
        c = w;
        break;
      case kModeCFB:
        EncryptBlock(c);
        w = b ^ c;
        c = w;
        break;
      default:
        w = b;
        EncryptBlock(w);
        break;
    }
    w.ToBytes(out + at);
  }
}

void BlowfishCipher::Decrypt(const std::uint8_t* in, std::uint8_t* out, std::size_t n,
                             int mode) const {
  CheckLength(n);
  CipherBlock c = chain_;
  for (std::size_t at = 0; at < n; at += 8) {
    CipherBlock b = CipherBlock::FromBytes(in + at);
    CipherBlock w;
    switch (mode) {
      case kModeCBC:
        w = b;
        DecryptBlock(w);
        w ^= c;
        c = b;
        break;
      case kModeCFB:
        // CFB decrypts with the block encryption.
        EncryptBlock(c);
        w = b ^ c;
        c = b;
        break;
      default:
        w = b;
        DecryptBlock(w);
        break;
    }
    w.ToBytes(out + at);
  }
}

std::string BuildKeyText(std::string_view password) {
  std::string key(password);
  if (key.size() < 8) key.append(keyPadText.substr(0, 8 - key.size()));
  return key;
}

std::string_view DeviceKey(std::string_view keyText) { return keyText.substr(0, 8); }

}  // namespace tervane
