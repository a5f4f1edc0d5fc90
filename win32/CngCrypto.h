#pragma once
// Crypto over Windows CNG (bcrypt.dll): SHA-256 and ECDSA P-256. CNG takes and gives the
// plain X||Y keys and r||s signatures of the interface, so no conversion is needed.

#include "platform/Crypto.h"

namespace qev::win32 {

class CngCrypto : public Crypto {
 public:
  std::unique_ptr<Sha256Hash> NewSha256() override;
  bool VerifyP256(const EcPublicKey& key, std::string_view message,
                  const EcSignature& sig) override;
  bool GenerateP256(EcKeyPair& out) override;
  bool SignP256(const EcKeyPair& key, std::string_view message, EcSignature& out) override;
};

}  // namespace qev::win32
