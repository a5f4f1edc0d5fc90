#pragma once
// The checks every Crypto implementation must pass, against the known answers of
// CryptoVectors.h. The native tests run them over libcrypto, the Windows tests over CNG.

#include <gtest/gtest.h>

#include <string>

#include "platform/Crypto.h"
#include "tests/unit/update/CryptoVectors.h"
#include "update/CryptoText.h"

namespace qev::test {

template <size_t N>
std::array<uint8_t, N> FromHex(const char* hex) {
  std::array<uint8_t, N> out{};
  EXPECT_TRUE(ReadHexText(hex, out)) << hex;
  return out;
}

inline std::string VectorMessage(const SigVector& v) { return std::string(v.Message, v.Size); }

inline void ExpectShaKnownAnswers(Crypto& crypto) {
  for (const ShaVector& v : kShaVectors) {
    std::unique_ptr<Sha256Hash> hash = crypto.NewSha256();
    ASSERT_TRUE(hash);
    for (size_t i = 0; i < v.Repeat; ++i) hash->Update(v.Piece, v.Size);
    Sha256Digest d;
    ASSERT_TRUE(hash->Finish(d));
    EXPECT_EQ(HexText(d), v.Digest) << "piece of " << v.Size << " x " << v.Repeat;
  }
  // One text fed in uneven pieces gives the digest of the whole.
  const ShaVector& nist = kShaVectors[2];
  std::unique_ptr<Sha256Hash> hash = crypto.NewSha256();
  hash->Update(nist.Piece, 1);
  hash->Update(nist.Piece + 1, 0);
  hash->Update(nist.Piece + 1, nist.Size - 1);
  Sha256Digest d;
  ASSERT_TRUE(hash->Finish(d));
  EXPECT_EQ(HexText(d), nist.Digest);
}

inline void ExpectVerifyKnownAnswers(Crypto& crypto) {
  for (const SigVector& v : kSignatures) {
    const EcPublicKey key = FromHex<64>(kKeys[v.Key].Public);
    const EcPublicKey other = FromHex<64>(kKeys[(v.Key + 1) % std::size(kKeys)].Public);
    const EcSignature sig = FromHex<64>(v.Signature);
    const std::string msg = VectorMessage(v);
    EXPECT_TRUE(crypto.VerifyP256(key, msg, sig)) << v.Signature;
    EXPECT_FALSE(crypto.VerifyP256(other, msg, sig)) << "another key";
    EXPECT_FALSE(crypto.VerifyP256(key, msg + " ", sig)) << "a longer message";
    if (!msg.empty()) {
      std::string changed = msg;
      changed[changed.size() / 2] ^= 0x01;
      EXPECT_FALSE(crypto.VerifyP256(key, changed, sig)) << "one bit of the message";
    }
    for (size_t byte : {size_t{0}, size_t{31}, size_t{32}, size_t{63}}) {
      EcSignature bad = sig;
      bad[byte] ^= 0x80;
      EXPECT_FALSE(crypto.VerifyP256(key, msg, bad)) << "bit flipped in byte " << byte;
    }
  }
}

inline void ExpectMalformedInputsRefused(Crypto& crypto) {
  const SigVector& v = kSignatures[0];
  const std::string msg = VectorMessage(v);
  const EcSignature sig = FromHex<64>(v.Signature);
  EcPublicKey key = FromHex<64>(kKeys[v.Key].Public);

  EcPublicKey offCurve = key;
  offCurve[63] ^= 0x01;  // Y no longer matches X
  EXPECT_FALSE(crypto.VerifyP256(offCurve, msg, sig));
  EXPECT_FALSE(crypto.VerifyP256(EcPublicKey{}, msg, sig));

  EcSignature zeroR = sig, zeroS = sig;
  std::fill(zeroR.begin(), zeroR.begin() + 32, 0);
  std::fill(zeroS.begin() + 32, zeroS.end(), 0);
  EXPECT_FALSE(crypto.VerifyP256(key, msg, zeroR));
  EXPECT_FALSE(crypto.VerifyP256(key, msg, zeroS));
  // s equal to the group order n is out of range.
  EcSignature orderS = sig;
  const auto order =
      FromHex<32>("ffffffff00000000ffffffffffffffffbce6faada7179e84f3b9cac2fc632551");
  std::copy(order.begin(), order.end(), orderS.begin() + 32);
  EXPECT_FALSE(crypto.VerifyP256(key, msg, orderS));
  EcSignature ones;
  ones.fill(0xff);
  EXPECT_FALSE(crypto.VerifyP256(key, msg, ones));
}

inline void ExpectSignAndGenerate(Crypto& crypto) {
  EcKeyPair known;
  known.Private = FromHex<32>(kKeys[0].Private);
  known.Public = FromHex<64>(kKeys[0].Public);
  const std::string msg = "[UpdateInfo]\r\nSerial=1\r\n";
  EcSignature sig;
  ASSERT_TRUE(crypto.SignP256(known, msg, sig));
  EXPECT_TRUE(crypto.VerifyP256(known.Public, msg, sig));
  EXPECT_FALSE(crypto.VerifyP256(FromHex<64>(kKeys[1].Public), msg, sig));

  // A private scalar that does not belong to the public point is refused.
  EcKeyPair mixed = known;
  mixed.Public = FromHex<64>(kKeys[1].Public);
  EXPECT_FALSE(crypto.SignP256(mixed, msg, sig));

  EcKeyPair a, b;
  ASSERT_TRUE(crypto.GenerateP256(a));
  ASSERT_TRUE(crypto.GenerateP256(b));
  EXPECT_NE(a.Public, b.Public);
  EXPECT_NE(a.Private, b.Private);
  ASSERT_TRUE(crypto.SignP256(a, msg, sig));
  EXPECT_TRUE(crypto.VerifyP256(a.Public, msg, sig));
  EXPECT_FALSE(crypto.VerifyP256(b.Public, msg, sig));
}

}  // namespace qev::test
