#include <gtest/gtest.h>
#define OPENSSL_SUPPRESS_DEPRECATED  // the low-level Blowfish API is the reference here
#include <openssl/blowfish.h>

#include <cstring>
#include <random>
#include <vector>

#include "BlowfishCipher.h"

using namespace tervane;

namespace {

std::vector<std::uint8_t> Hex(std::string_view hex) {
  std::vector<std::uint8_t> out;
  for (std::size_t i = 0; i + 1 < hex.size(); i += 2) {
    out.push_back(static_cast<std::uint8_t>(std::stoi(std::string(hex.substr(i, 2)), nullptr, 16)));
  }
  return out;
}

struct Vector {
  const char* key;
  const char* plain;
  const char* cipher;
};

// Published Blowfish ECB test vectors.
const Vector kVectors[] = {
    {"0000000000000000", "0000000000000000", "4EF997456198DD78"},
    {"FFFFFFFFFFFFFFFF", "FFFFFFFFFFFFFFFF", "51866FD5B85ECB8A"},
    {"3000000000000000", "1000000000000001", "7D856F9A613063F2"},
    {"1111111111111111", "1111111111111111", "2466DD878B963C9D"},
    {"0123456789ABCDEF", "1111111111111111", "61F9C3802281B096"},
    {"1111111111111111", "0123456789ABCDEF", "7D0CC630AFDA1EC7"},
    {"FEDCBA9876543210", "0123456789ABCDEF", "0ACEAB0FC6A0A28D"},
    {"7CA110454A1A6E57", "01A1D6D039776742", "59C68245EB05282B"},
    // Variable key lengths over the same plain text.
    {"F0", "FEDCBA9876543210", "F9AD597C49DB005E"},
    {"F0E1", "FEDCBA9876543210", "E91D21C1D961A6D6"},
    {"F0E1D2", "FEDCBA9876543210", "E9C2B70A1BC65CF3"},
};

CipherBlock Block(const std::vector<std::uint8_t>& b) { return CipherBlock::FromBytes(b.data()); }

}  // namespace

TEST(BlowfishCipher, PublishedVectorsEncryptAndDecrypt) {
  for (const Vector& v : kVectors) {
    SCOPED_TRACE(v.key);
    auto key = Hex(v.key);
    BlowfishCipher cipher(key.data(), key.size());
    CipherBlock block = Block(Hex(v.plain));
    cipher.EncryptBlock(block);
    EXPECT_EQ(block, Block(Hex(v.cipher)));
    cipher.DecryptBlock(block);
    EXPECT_EQ(block, Block(Hex(v.plain)));
  }
}

TEST(BlowfishCipher, AgreesWithOpenSslOnRandomKeysAndBlocks) {
  std::mt19937 rng(20261211);
  for (int round = 0; round < 400; ++round) {
    std::size_t keyLength = 1 + rng() % 56;
    std::vector<std::uint8_t> key(keyLength);
    for (auto& b : key) b = static_cast<std::uint8_t>(rng());
    std::uint8_t plain[8];
    for (auto& b : plain) b = static_cast<std::uint8_t>(rng());

    BF_KEY ref;
    BF_set_key(&ref, static_cast<int>(keyLength), key.data());
    std::uint8_t expected[8];
    BF_ecb_encrypt(plain, expected, &ref, BF_ENCRYPT);

    BlowfishCipher cipher(key.data(), keyLength);
    std::uint8_t got[8];
    cipher.Encrypt(plain, got, 8, kModeECB);
    ASSERT_EQ(0, std::memcmp(expected, got, 8)) << "key length " << keyLength;
    cipher.Decrypt(got, got, 8, kModeECB);
    ASSERT_EQ(0, std::memcmp(plain, got, 8));
  }
}

TEST(BlowfishCipher, KeyLongerThan56BytesIsShortened) {
  std::vector<std::uint8_t> key(57);
  for (std::size_t i = 0; i < key.size(); ++i) key[i] = static_cast<std::uint8_t>(i * 7 + 1);
  BlowfishCipher longKey(key.data(), 57), shortKey(key.data(), 56);
  CipherBlock a(0x01234567, 0x89ABCDEF), b = a;
  longKey.EncryptBlock(a);
  shortKey.EncryptBlock(b);
  EXPECT_EQ(a, b);
}

TEST(BlowfishCipher, LengthErrorsCarryTheirMessages) {
  EXPECT_THROW(
      {
        try {
          BlowfishCipher(std::string_view(""));
        } catch (const CipherError& e) {
          EXPECT_STREQ("Incorrect key length", e.what());
          throw;
        }
      },
      CipherError);

  BlowfishCipher cipher("12345678");
  std::uint8_t in[16] = {}, out[16] = {1};
  for (std::size_t n : {0u, 7u, 12u}) {
    for (bool encrypt : {true, false}) {
      try {
        encrypt ? cipher.Encrypt(in, out, n, kModeCBC) : cipher.Decrypt(in, out, n, kModeCBC);
        ADD_FAILURE() << "no error for " << n;
      } catch (const CipherError& e) {
        EXPECT_STREQ("Incorrect buffer length", e.what());
      }
      EXPECT_EQ(1, out[0]) << "output touched for " << n;
    }
  }
}

TEST(BlowfishCipher, CbcChainsInsideOneCallAndRestartsAtEveryCall) {
  BlowfishCipher cipher("abcdefgh");
  std::uint8_t plain[16] = {};  // two equal blocks
  std::uint8_t out[16];
  cipher.Encrypt(plain, out, 16, kModeCBC);
  // The second block is the encryption of (block XOR first output).
  CipherBlock second = CipherBlock::FromBytes(out);
  cipher.EncryptBlock(second);
  EXPECT_EQ(second, CipherBlock::FromBytes(out + 8));
  EXPECT_NE(0, std::memcmp(out, out + 8, 8));

  std::uint8_t once[8], again[8];
  cipher.Encrypt(plain, once, 8, kModeCBC);
  cipher.Encrypt(plain, again, 8, kModeCBC);
  EXPECT_EQ(0, std::memcmp(once, again, 8));
  // One block under a zero chain is plain ECB.
  std::uint8_t ecb[8];
  cipher.Encrypt(plain, ecb, 8, kModeECB);
  EXPECT_EQ(0, std::memcmp(once, ecb, 8));
}

TEST(BlowfishCipher, EveryModeRoundTripsInPlaceWithAnyChain) {
  std::mt19937 rng(7);
  for (int mode : {kModeCBC, kModeCFB, kModeECB}) {
    for (std::size_t n : {8u, 16u, 64u}) {
      CipherBlock chain(rng(), rng());
      BlowfishCipher cipher("key text", chain);
      std::vector<std::uint8_t> plain(n), buf(n);
      for (auto& b : plain) b = static_cast<std::uint8_t>(rng());
      buf = plain;
      cipher.Encrypt(buf.data(), buf.data(), n, mode);
      EXPECT_NE(plain, buf);
      cipher.Decrypt(buf.data(), buf.data(), n, mode);
      EXPECT_EQ(plain, buf) << "mode " << mode << " n " << n;
      EXPECT_EQ(chain, cipher.chain());
    }
  }
}

TEST(BlowfishCipher, CfbDecryptUsesTheBlockEncryption) {
  CipherBlock chain(0x11111111, 0x22222222);
  BlowfishCipher cipher("cfb-key!", chain);
  std::uint8_t in[8] = {1, 2, 3, 4, 5, 6, 7, 8}, out[8];
  cipher.Decrypt(in, out, 8, kModeCFB);
  CipherBlock keystream = chain;
  cipher.EncryptBlock(keystream);
  EXPECT_EQ(CipherBlock::FromBytes(in) ^ keystream, CipherBlock::FromBytes(out));
}

TEST(BlowfishCipher, UnknownModeValuesAreEcb) {
  BlowfishCipher cipher("modes123", CipherBlock(5, 6));
  std::uint8_t in[16] = {9, 8, 7, 6, 5, 4, 3, 2, 1, 0, 1, 2, 3, 4, 5, 6};
  std::uint8_t ecb[16], other[16];
  cipher.Encrypt(in, ecb, 16, kModeECB);
  for (int mode : {0, 3, -1}) {
    cipher.Encrypt(in, other, 16, mode);
    EXPECT_EQ(0, std::memcmp(ecb, other, 16)) << mode;
    cipher.Decrypt(ecb, other, 16, mode);
    EXPECT_EQ(0, std::memcmp(in, other, 16)) << mode;
  }
}

TEST(BuildKeyText, PadsShortPasswordsAndKeepsLongOnes) {
  ASSERT_EQ(9u, keyPadText.size());
  for (char c : keyPadText) EXPECT_TRUE(c > ' ' && c < 127) << "printable";
  EXPECT_EQ(std::string("abc") + std::string(keyPadText.substr(0, 5)), BuildKeyText("abc"));
  EXPECT_EQ(std::string(keyPadText.substr(0, 8)), BuildKeyText(""));
  EXPECT_EQ("twelve chars", BuildKeyText("twelve chars"));
  EXPECT_EQ("twelve c", DeviceKey(BuildKeyText("twelve chars")));
  EXPECT_EQ("kerbo" + std::string(keyPadText.substr(0, 3)), BuildKeyText("kerbo"));
}
