#pragma once
// The cryptography the update checks and the operator tool need: SHA-256, and ECDSA over
// the curve P-256 with SHA-256 as its hash. Keys and signatures travel in the plain
// fixed-size forms below, the same on every platform, so a signature made on one system
// verifies on another. No elliptic-curve arithmetic is done here: each platform's
// implementation hands the work to its system library.

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string_view>

namespace qev {

using Sha256Digest = std::array<uint8_t, 32>;
// A public key: the point's X then Y, each 32 bytes big-endian.
using EcPublicKey = std::array<uint8_t, 64>;
// A signature: r then s, each 32 bytes big-endian.
using EcSignature = std::array<uint8_t, 64>;

// A key pair: the private scalar d (32 bytes big-endian) and its public point.
struct EcKeyPair {
  std::array<uint8_t, 32> Private{};
  EcPublicKey Public{};
};

// A SHA-256 computation fed piece by piece.
class Sha256Hash {
 public:
  virtual ~Sha256Hash() = default;
  virtual void Update(const void* data, size_t size) = 0;
  // The digest of everything fed so far; the object is used up afterwards. False when
  // the system library failed.
  virtual bool Finish(Sha256Digest& out) = 0;
};

class Crypto {
 public:
  virtual ~Crypto() = default;

  // A fresh hash; nullptr when the system library cannot provide one.
  virtual std::unique_ptr<Sha256Hash> NewSha256() = 0;

  // True only when sig is a valid signature of SHA-256(message) under key. A key that is
  // not a point of the curve, or any failure of the library, gives false.
  virtual bool VerifyP256(const EcPublicKey& key, std::string_view message,
                          const EcSignature& sig) = 0;

  // A new random key pair; false when the library failed.
  virtual bool GenerateP256(EcKeyPair& out) = 0;

  // Signs SHA-256(message) with key; false when the key is unusable or the library failed.
  virtual bool SignP256(const EcKeyPair& key, std::string_view message, EcSignature& out) = 0;
};

// The system library of the platform the program is built for (libcrypto on Linux, CNG
// on Windows); each platform folder defines it.
std::unique_ptr<Crypto> MakeSystemCrypto();

}  // namespace qev
