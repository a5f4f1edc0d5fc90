#pragma once
// Crypto over OpenSSL's libcrypto, for the operator tool and the native tests.
// libcrypto speaks DER for ECDSA signatures; the conversion to and from the r||s form of
// the interface happens here.

#include "platform/Crypto.h"

namespace qev {

class OpenSslCrypto : public Crypto {
 public:
  std::unique_ptr<Sha256Hash> NewSha256() override;
  bool VerifyP256(const EcPublicKey& key, std::string_view message,
                  const EcSignature& sig) override;
  bool GenerateP256(EcKeyPair& out) override;
  bool SignP256(const EcKeyPair& key, std::string_view message, EcSignature& out) override;
};

}  // namespace qev
