// CNG behind the Crypto interface, against known answers of the OpenSSL command line and
// of RFC 6979: a signature made on the operator's Linux machine verifies here, and one
// made here verifies anywhere.

#include "tests/unit/update/CryptoChecks.h"
#include "win32/CngCrypto.h"

namespace qev::test {
namespace {

TEST(CngCrypto, Sha256KnownAnswers) {
  win32::CngCrypto c;
  ExpectShaKnownAnswers(c);
}

TEST(CngCrypto, VerifiesKnownSignaturesAndNothingElse) {
  win32::CngCrypto c;
  ExpectVerifyKnownAnswers(c);
}

TEST(CngCrypto, MalformedKeysAndSignaturesAreRefused) {
  win32::CngCrypto c;
  ExpectMalformedInputsRefused(c);
}

TEST(CngCrypto, SignsWithKnownAndFreshKeys) {
  win32::CngCrypto c;
  ExpectSignAndGenerate(c);
}

TEST(CngCrypto, SystemCryptoIsCng) {
  std::unique_ptr<Crypto> c = MakeSystemCrypto();
  EXPECT_NE(dynamic_cast<win32::CngCrypto*>(c.get()), nullptr);
}

}  // namespace
}  // namespace qev::test
