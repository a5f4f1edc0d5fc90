#include "posix/OpenSslCrypto.h"

#include <openssl/bn.h>
#include <openssl/core_names.h>
#include <openssl/ec.h>
#include <openssl/evp.h>
#include <openssl/param_build.h>

#include <cstring>
#include <vector>

namespace qev {

namespace {

template <typename T, void (*Free)(T*)>
struct Deleter {
  void operator()(T* p) const { Free(p); }
};
template <typename T, void (*Free)(T*)>
using Owned = std::unique_ptr<T, Deleter<T, Free>>;

void FreeBn(BIGNUM* b) { BN_clear_free(b); }
void FreeParams(OSSL_PARAM* p) { OSSL_PARAM_free(p); }

using MdCtx = Owned<EVP_MD_CTX, EVP_MD_CTX_free>;
using PKey = Owned<EVP_PKEY, EVP_PKEY_free>;
using PKeyCtx = Owned<EVP_PKEY_CTX, EVP_PKEY_CTX_free>;
using Bn = Owned<BIGNUM, FreeBn>;
using ParamBld = Owned<OSSL_PARAM_BLD, OSSL_PARAM_BLD_free>;
using Params = Owned<OSSL_PARAM, FreeParams>;
using EcdsaSig = Owned<ECDSA_SIG, ECDSA_SIG_free>;

constexpr char kCurveName[] = "prime256v1";
constexpr size_t kCoord = 32;

class OpenSslSha256 : public Sha256Hash {
 public:
  OpenSslSha256() : ctx_(EVP_MD_CTX_new()) {
    ok_ = ctx_ && EVP_DigestInit_ex(ctx_.get(), EVP_sha256(), nullptr) == 1;
  }
  void Update(const void* data, size_t size) override {
    if (ok_ && size > 0) ok_ = EVP_DigestUpdate(ctx_.get(), data, size) == 1;
  }
  bool Finish(Sha256Digest& out) override {
    unsigned int n = 0;
    bool done = ok_ && EVP_DigestFinal_ex(ctx_.get(), out.data(), &n) == 1 && n == out.size();
    ok_ = false;
    return done;
  }

 private:
  MdCtx ctx_;
  bool ok_ = false;
};

// An EVP_PKEY from the point (and the private scalar when given); nullptr when the
// point is not on the curve or the library refuses the values.
PKey MakeKey(const EcPublicKey& pub, const std::array<uint8_t, 32>* priv) {
  unsigned char point[1 + 64];
  point[0] = 0x04;  // uncompressed
  std::memcpy(point + 1, pub.data(), pub.size());
  ParamBld bld(OSSL_PARAM_BLD_new());
  if (!bld) return nullptr;
  Bn d(priv ? BN_bin2bn(priv->data(), static_cast<int>(priv->size()), nullptr) : nullptr);
  if (priv && !d) return nullptr;
  if (!OSSL_PARAM_BLD_push_utf8_string(bld.get(), OSSL_PKEY_PARAM_GROUP_NAME, kCurveName, 0) ||
      !OSSL_PARAM_BLD_push_octet_string(bld.get(), OSSL_PKEY_PARAM_PUB_KEY, point, sizeof point) ||
      (d && !OSSL_PARAM_BLD_push_BN(bld.get(), OSSL_PKEY_PARAM_PRIV_KEY, d.get())))
    return nullptr;
  Params params(OSSL_PARAM_BLD_to_param(bld.get()));
  PKeyCtx ctx(EVP_PKEY_CTX_new_from_name(nullptr, "EC", nullptr));
  if (!params || !ctx || EVP_PKEY_fromdata_init(ctx.get()) != 1) return nullptr;
  EVP_PKEY* raw = nullptr;
  int selection = d ? EVP_PKEY_KEYPAIR : EVP_PKEY_PUBLIC_KEY;
  if (EVP_PKEY_fromdata(ctx.get(), &raw, selection, params.get()) != 1) return nullptr;
  PKey key(raw);
  PKeyCtx check(EVP_PKEY_CTX_new_from_pkey(nullptr, key.get(), nullptr));
  if (!check || EVP_PKEY_public_check(check.get()) != 1) return nullptr;
  return key;
}

bool BnTo32(const BIGNUM* bn, uint8_t* out) {
  return bn && BN_bn2binpad(bn, out, static_cast<int>(kCoord)) == static_cast<int>(kCoord);
}

std::vector<unsigned char> SignatureToDer(const EcSignature& sig) {
  EcdsaSig s(ECDSA_SIG_new());
  BIGNUM* r = BN_bin2bn(sig.data(), kCoord, nullptr);
  BIGNUM* sv = BN_bin2bn(sig.data() + kCoord, kCoord, nullptr);
  if (!s || !r || !sv || ECDSA_SIG_set0(s.get(), r, sv) != 1) {
    BN_free(r);
    BN_free(sv);
    return {};
  }
  int n = i2d_ECDSA_SIG(s.get(), nullptr);
  if (n <= 0) return {};
  std::vector<unsigned char> der(static_cast<size_t>(n));
  unsigned char* p = der.data();
  i2d_ECDSA_SIG(s.get(), &p);
  return der;
}

bool DerToSignature(const std::vector<unsigned char>& der, EcSignature& out) {
  const unsigned char* p = der.data();
  EcdsaSig s(d2i_ECDSA_SIG(nullptr, &p, static_cast<long>(der.size())));
  if (!s) return false;
  const BIGNUM *r = nullptr, *sv = nullptr;
  ECDSA_SIG_get0(s.get(), &r, &sv);
  return BnTo32(r, out.data()) && BnTo32(sv, out.data() + kCoord);
}

}  // namespace

std::unique_ptr<Sha256Hash> OpenSslCrypto::NewSha256() { return std::make_unique<OpenSslSha256>(); }

bool OpenSslCrypto::VerifyP256(const EcPublicKey& key, std::string_view message,
                               const EcSignature& sig) {
  PKey pkey = MakeKey(key, nullptr);
  std::vector<unsigned char> der = SignatureToDer(sig);
  MdCtx ctx(EVP_MD_CTX_new());
  if (!pkey || der.empty() || !ctx) return false;
  if (EVP_DigestVerifyInit(ctx.get(), nullptr, EVP_sha256(), nullptr, pkey.get()) != 1)
    return false;
  return EVP_DigestVerify(ctx.get(), der.data(), der.size(),
                          reinterpret_cast<const unsigned char*>(message.data()),
                          message.size()) == 1;
}

bool OpenSslCrypto::GenerateP256(EcKeyPair& out) {
  PKey key(EVP_EC_gen("P-256"));
  if (!key) return false;
  BIGNUM *d = nullptr, *x = nullptr, *y = nullptr;
  EVP_PKEY_get_bn_param(key.get(), OSSL_PKEY_PARAM_PRIV_KEY, &d);
  EVP_PKEY_get_bn_param(key.get(), OSSL_PKEY_PARAM_EC_PUB_X, &x);
  EVP_PKEY_get_bn_param(key.get(), OSSL_PKEY_PARAM_EC_PUB_Y, &y);
  Bn dOwned(d), xOwned(x), yOwned(y);
  return BnTo32(d, out.Private.data()) && BnTo32(x, out.Public.data()) &&
         BnTo32(y, out.Public.data() + kCoord);
}

bool OpenSslCrypto::SignP256(const EcKeyPair& key, std::string_view message, EcSignature& out) {
  PKey pkey = MakeKey(key.Public, &key.Private);
  MdCtx ctx(EVP_MD_CTX_new());
  if (!pkey || !ctx) return false;
  if (EVP_DigestSignInit(ctx.get(), nullptr, EVP_sha256(), nullptr, pkey.get()) != 1) return false;
  const auto* msg = reinterpret_cast<const unsigned char*>(message.data());
  size_t n = 0;
  if (EVP_DigestSign(ctx.get(), nullptr, &n, msg, message.size()) != 1) return false;
  std::vector<unsigned char> der(n);
  if (EVP_DigestSign(ctx.get(), der.data(), &n, msg, message.size()) != 1) return false;
  der.resize(n);
  // A private scalar that does not belong to the public point would sign happily; only a
  // check against the point catches a damaged key file before its signature ships.
  return DerToSignature(der, out) && VerifyP256(key.Public, message, out);
}

std::unique_ptr<Crypto> MakeSystemCrypto() { return std::make_unique<OpenSslCrypto>(); }

}  // namespace qev
