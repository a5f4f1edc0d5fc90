#include "win32/CngCrypto.h"

// bcrypt.h needs the types of windows.h before it.
#include <windows.h>

#include <bcrypt.h>

#include <cstring>
#include <vector>

#include "win32/LateBcrypt.h"

namespace qev::win32 {

namespace {

constexpr size_t kCoord = 32;

class AlgHandle {
 public:
  explicit AlgHandle(LPCWSTR id) {
    if (!BCRYPT_SUCCESS(late::BCryptOpenAlgorithmProvider(&h_, id, nullptr, 0))) h_ = nullptr;
  }
  ~AlgHandle() {
    if (h_) late::BCryptCloseAlgorithmProvider(h_, 0);
  }
  AlgHandle(const AlgHandle&) = delete;
  AlgHandle& operator=(const AlgHandle&) = delete;
  BCRYPT_ALG_HANDLE get() const { return h_; }

 private:
  BCRYPT_ALG_HANDLE h_ = nullptr;
};

class KeyHandle {
 public:
  KeyHandle() = default;
  ~KeyHandle() {
    if (h_) late::BCryptDestroyKey(h_);
  }
  KeyHandle(const KeyHandle&) = delete;
  KeyHandle& operator=(const KeyHandle&) = delete;
  BCRYPT_KEY_HANDLE get() const { return h_; }
  BCRYPT_KEY_HANDLE* put() { return &h_; }

 private:
  BCRYPT_KEY_HANDLE h_ = nullptr;
};

class CngSha256 : public Sha256Hash {
 public:
  CngSha256() : alg_(BCRYPT_SHA256_ALGORITHM) {
    ok_ = alg_.get() &&
          BCRYPT_SUCCESS(late::BCryptCreateHash(alg_.get(), &hash_, nullptr, 0, nullptr, 0, 0));
  }
  ~CngSha256() override {
    if (hash_) late::BCryptDestroyHash(hash_);
  }
  void Update(const void* data, size_t size) override {
    // BCryptHashData takes a 32-bit count: large pieces go in slices.
    const auto* p = static_cast<const UCHAR*>(data);
    while (ok_ && size > 0) {
      ULONG n = size > 0x40000000 ? 0x40000000UL : static_cast<ULONG>(size);
      ok_ = BCRYPT_SUCCESS(late::BCryptHashData(hash_, const_cast<PUCHAR>(p), n, 0));
      p += n;
      size -= n;
    }
  }
  bool Finish(Sha256Digest& out) override {
    bool done = ok_ && BCRYPT_SUCCESS(late::BCryptFinishHash(hash_, out.data(),
                                                             static_cast<ULONG>(out.size()), 0));
    ok_ = false;
    return done;
  }

 private:
  AlgHandle alg_;
  BCRYPT_HASH_HANDLE hash_ = nullptr;
  bool ok_ = false;
};

bool DigestOf(std::string_view message, Sha256Digest& out) {
  CngSha256 hash;
  hash.Update(message.data(), message.size());
  return hash.Finish(out);
}

// The key blob CNG imports and exports: a BCRYPT_ECCKEY_BLOB header, then X, Y and,
// for a private key, d.
std::vector<UCHAR> KeyBlob(ULONG magic, const EcPublicKey& pub,
                           const std::array<uint8_t, 32>* priv) {
  BCRYPT_ECCKEY_BLOB head{magic, static_cast<ULONG>(kCoord)};
  std::vector<UCHAR> blob(sizeof head + pub.size() + (priv ? priv->size() : 0));
  std::memcpy(blob.data(), &head, sizeof head);
  std::memcpy(blob.data() + sizeof head, pub.data(), pub.size());
  if (priv) std::memcpy(blob.data() + sizeof head + pub.size(), priv->data(), priv->size());
  return blob;
}

bool ImportKey(const AlgHandle& alg, LPCWSTR type, std::vector<UCHAR>& blob, KeyHandle& key) {
  return alg.get() &&
         BCRYPT_SUCCESS(late::BCryptImportKeyPair(alg.get(), nullptr, type, key.put(), blob.data(),
                                                  static_cast<ULONG>(blob.size()), 0));
}

}  // namespace

std::unique_ptr<Sha256Hash> CngCrypto::NewSha256() { return std::make_unique<CngSha256>(); }

bool CngCrypto::VerifyP256(const EcPublicKey& key, std::string_view message,
                           const EcSignature& sig) {
  Sha256Digest digest;
  if (!DigestOf(message, digest)) return false;
  AlgHandle alg(BCRYPT_ECDSA_P256_ALGORITHM);
  std::vector<UCHAR> blob = KeyBlob(BCRYPT_ECDSA_PUBLIC_P256_MAGIC, key, nullptr);
  KeyHandle handle;
  if (!ImportKey(alg, BCRYPT_ECCPUBLIC_BLOB, blob, handle)) return false;
  EcSignature copy = sig;
  return late::BCryptVerifySignature(handle.get(), nullptr, digest.data(),
                                     static_cast<ULONG>(digest.size()), copy.data(),
                                     static_cast<ULONG>(copy.size()), 0) == 0;
}

bool CngCrypto::GenerateP256(EcKeyPair& out) {
  AlgHandle alg(BCRYPT_ECDSA_P256_ALGORITHM);
  KeyHandle key;
  if (!alg.get() || !BCRYPT_SUCCESS(late::BCryptGenerateKeyPair(alg.get(), key.put(), 256, 0)) ||
      !BCRYPT_SUCCESS(late::BCryptFinalizeKeyPair(key.get(), 0)))
    return false;
  std::vector<UCHAR> blob(sizeof(BCRYPT_ECCKEY_BLOB) + 3 * kCoord);
  ULONG got = 0;
  if (!BCRYPT_SUCCESS(late::BCryptExportKey(key.get(), nullptr, BCRYPT_ECCPRIVATE_BLOB, blob.data(),
                                            static_cast<ULONG>(blob.size()), &got, 0)) ||
      got != blob.size())
    return false;
  const UCHAR* p = blob.data() + sizeof(BCRYPT_ECCKEY_BLOB);
  std::memcpy(out.Public.data(), p, out.Public.size());
  std::memcpy(out.Private.data(), p + out.Public.size(), out.Private.size());
  SecureZeroMemory(blob.data(), blob.size());
  return true;
}

bool CngCrypto::SignP256(const EcKeyPair& key, std::string_view message, EcSignature& out) {
  Sha256Digest digest;
  if (!DigestOf(message, digest)) return false;
  AlgHandle alg(BCRYPT_ECDSA_P256_ALGORITHM);
  std::vector<UCHAR> blob = KeyBlob(BCRYPT_ECDSA_PRIVATE_P256_MAGIC, key.Public, &key.Private);
  KeyHandle handle;
  bool imported = ImportKey(alg, BCRYPT_ECCPRIVATE_BLOB, blob, handle);
  SecureZeroMemory(blob.data(), blob.size());
  if (!imported) return false;
  ULONG got = 0;
  if (!BCRYPT_SUCCESS(late::BCryptSignHash(handle.get(), nullptr, digest.data(),
                                           static_cast<ULONG>(digest.size()), out.data(),
                                           static_cast<ULONG>(out.size()), &got, 0)) ||
      got != out.size())
    return false;
  // A private scalar that does not belong to the public point would sign happily; only a
  // check against the point catches a damaged key file before its signature ships.
  return VerifyP256(key.Public, message, out);
}

}  // namespace qev::win32

namespace qev {

std::unique_ptr<Crypto> MakeSystemCrypto() { return std::make_unique<win32::CngCrypto>(); }

}  // namespace qev
