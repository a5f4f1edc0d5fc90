#include "update/UpdateGuard.h"

#include <exception>

#include "config/LauncherConfig.h"
#include "config/UpperCase.h"
#include "platform/FileOps.h"
#include "update/CryptoText.h"

namespace qev {

UpdateGuard::UpdateGuard(FileSystem& fs, Crypto* crypto, UpdateGuardSetup setup, GuardLog log)
    : fs_(fs), crypto_(crypto), setup_(std::move(setup)), log_(std::move(log)) {}

UpdateGuard::UpdateGuard(FileSystem& fs, std::unique_ptr<Crypto> crypto, UpdateGuardSetup setup,
                         GuardLog log)
    : UpdateGuard(fs, crypto.get(), std::move(setup), std::move(log)) {
  owned_ = std::move(crypto);
}

bool UpdateGuard::Refuse(const std::string& why) {
  if (log_) log_("update refused: " + why);
  refused_ = true;
  return false;
}

bool UpdateGuard::TakeRefusalNotice() { return refused_ && !noticeTaken_.exchange(true); }

bool UpdateGuard::PinnedKeyUsable(EcPublicKey& key) {
  return crypto_ && ReadHexText(setup_.PinnedKey, key);
}

bool UpdateGuard::AcceptUpdateText(const std::string& text, const std::string& scratch) {
  if (refused_) return false;
  if (!Pinned()) {
    if (log_) log_("updates are unsigned: the configuration file pins no UpdateKey");
    return true;
  }
  EcPublicKey key;
  if (!PinnedKeyUsable(key)) return Refuse("UpdateKey of the configuration file is not a key");
  std::string_view covered;
  EcSignature sig;
  if (!SplitSignature(text, covered, sig)) return Refuse("the update-info file is not signed");
  if (!crypto_->VerifyP256(key, covered, sig))
    return Refuse("the signature of the update-info file does not verify");

  // Read back with the launcher's own INI reader, from the signed bytes only.
  TSignedManifest manifest;
  std::string why;
  bool read = CreateDirPath(fs_, DirPart(scratch)) == kErrNone &&
              WriteFileReplacing(fs_, scratch, covered) == kErrNone &&
              ReadSignedManifest(fs_, scratch, manifest, why);
  if (fs_.FileExists(scratch)) fs_.Delete(scratch);
  if (!read)
    return Refuse("the signed update-info file cannot be read" + (why.empty() ? "" : ": " + why));

  uint64_t last = LastSerial();
  if (manifest.Serial < last)
    return Refuse("serial " + std::to_string(manifest.Serial) + " is lower than " +
                  std::to_string(last) + ", the last one accepted: an old update-info file");
  if (manifest.Serial > last && !StoreSerial(manifest.Serial))
    return Refuse("the serial cannot be recorded in " + setup_.SerialFile);
  manifest_ = std::move(manifest);
  accepted_ = true;
  if (log_) log_("signed update-info file accepted, serial " + std::to_string(manifest_.Serial));
  return true;
}

uint64_t UpdateGuard::LastSerial() {
  std::string text;
  if (!fs_.FileExists(setup_.SerialFile)) return 0;
  if (ReadWholeFile(fs_, setup_.SerialFile, text) == kErrNone) {
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r' || text.back() == ' '))
      text.pop_back();
    uint64_t serial = 0;
    if (ParseSerial(text, serial)) return serial;
  }
  // Refusing every update for ever would be worse than losing replay protection once.
  if (log_) log_("the last accepted serial in " + setup_.SerialFile + " is unreadable; taken as 0");
  return 0;
}

bool UpdateGuard::StoreSerial(uint64_t serial) {
  return WriteFileReplacing(fs_, setup_.SerialFile, std::to_string(serial) + "\r\n") == kErrNone;
}

bool UpdateGuard::DigestMatches(const std::string& path, const std::string& want,
                                const char* what) {
  Sha256Digest expected, actual;
  if (!ReadHexText(want, expected))
    return Refuse(std::string("the update-info file signs no SHA-256 for the ") + what);
  if (!FileSha256(fs_, *crypto_, path, actual))
    return Refuse(std::string("the downloaded ") + what + " cannot be read: " + path);
  if (expected != actual)
    return Refuse(std::string("the SHA-256 of the downloaded ") + what +
                  " differs from the signed one: " + path);
  return true;
}

bool UpdateGuard::AcceptZoneList(const std::string& path) {
  if (!Pinned()) return true;
  if (refused_) return false;
  if (!accepted_) return Refuse("no signed update-info file was accepted");
  if (!DigestMatches(path, manifest_.IniSha256, "configuration file")) return false;
  TLauncherConfig config;
  TServerList servers;
  try {
    LoadLauncherConfig(fs_, path, config, servers);
  } catch (const std::exception&) {
    return Refuse("the downloaded configuration file cannot be read");
  }
  EcPublicKey pinned, carried, next;
  if (!ReadHexText(config.UpdateKey, carried))
    return Refuse("the downloaded configuration file carries no valid UpdateKey");
  if (PinnedKeyUsable(pinned) && carried == pinned) return true;
  if (ReadHexText(manifest_.NextKey, next) && carried == next) {
    if (log_) log_("the downloaded configuration file brings the new update key signed as NextKey");
    return true;
  }
  return Refuse("the downloaded configuration file carries an update key that was not signed");
}

bool UpdateGuard::AcceptPatchArchive(const std::string& targetPath,
                                     const std::string& archivePath) {
  if (!Pinned()) return true;
  if (refused_) return false;
  if (!accepted_) return Refuse("no signed update-info file was accepted");
  const std::string dir = UpperCaseTbl(WithoutTrailingSeparator(setup_.AppDir));
  std::string where = UpperCaseTbl(targetPath);
  if (where.compare(0, dir.size(), dir) == 0) where.erase(0, dir.size());
  auto it = manifest_.PatchSha256.find(where);
  if (it == manifest_.PatchSha256.end())
    return Refuse("the update-info file signs no archive for " + targetPath);
  return DigestMatches(archivePath, it->second, "patch archive");
}

bool UpdateGuard::AcceptLauncher(const std::string& path) {
  if (!Pinned()) return true;
  if (refused_) return false;
  if (!accepted_) return Refuse("no signed update-info file was accepted");
  return DigestMatches(path, manifest_.LongSha256, "launcher");
}

}  // namespace qev
