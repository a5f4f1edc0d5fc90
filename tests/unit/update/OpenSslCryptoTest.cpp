// libcrypto behind the Crypto interface, against known answers of the OpenSSL command
// line and of RFC 6979.

#include "posix/OpenSslCrypto.h"
#include "tests/unit/update/CryptoChecks.h"

namespace qev::test {
namespace {

TEST(OpenSslCrypto, Sha256KnownAnswers) {
  OpenSslCrypto c;
  ExpectShaKnownAnswers(c);
}

TEST(OpenSslCrypto, VerifiesKnownSignaturesAndNothingElse) {
  OpenSslCrypto c;
  ExpectVerifyKnownAnswers(c);
}

TEST(OpenSslCrypto, MalformedKeysAndSignaturesAreRefused) {
  OpenSslCrypto c;
  ExpectMalformedInputsRefused(c);
}

TEST(OpenSslCrypto, SignsWithKnownAndFreshKeys) {
  OpenSslCrypto c;
  ExpectSignAndGenerate(c);
}

}  // namespace
}  // namespace qev::test
