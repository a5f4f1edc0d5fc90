#pragma once
// UpdateGuard: the checks that keep a launcher with a pinned key from installing or
// running anything its operator did not sign. The update worker and the patch run ask it
// at each point where a downloaded file would be used; it answers yes or no, writes a
// log line for every refusal, and says when the player must be told.
//
// Without a pinned key every check passes (updating works exactly as it always did) and
// one log line says so. With a key, the first refusal stops the whole update: every later
// check refuses as well, and the caller leaves every file as it was.

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "config/ProcessValues.h"
#include "platform/Crypto.h"
#include "platform/FileSystem.h"
#include "update/SignedUpdate.h"

namespace qev {

using GuardLog = std::function<void(const std::string&)>;

// Shown once to the player after a refusal, GBK.
inline constexpr char kUpdateRefusedText[] =
    "\xb8\xfc\xd0\xc2\xce\xc4\xbc\xfe\xd0\xa3\xd1\xe9\xca\xa7\xb0\xdc\xa3\xac\xd2\xd1\xcd\xa3\xd6"
    "\xb9\xb8\xfc\xd0\xc2\xa1\xa3\xc7\xeb\xc1\xaa\xcf\xb5\xb9\xdc\xc0\xed\xd4\xb1\xa1\xa3";
// 更新文件校验失败，已停止更新。请联系管理员。

// The configuration file's LoginInfo key that pins the update key.
inline constexpr char kUpdateKeyName[] = "UpdateKey";

struct UpdateGuardSetup {
  std::string PinnedKey;   // UpdateKey of the configuration file as read; empty: none
  std::string SerialFile;  // where the last accepted serial is kept, beside the launcher
  std::string AppDir;      // the game folder, ending in a backslash
};

class UpdateGuard {
 public:
  // crypto may be null only when no key is pinned.
  UpdateGuard(FileSystem& fs, Crypto* crypto, UpdateGuardSetup setup, GuardLog log);
  UpdateGuard(FileSystem& fs, std::unique_ptr<Crypto> crypto, UpdateGuardSetup setup, GuardLog log);

  bool Pinned() const { return !setup_.PinnedKey.empty(); }

  // A fetched update-info text, before it is stored: its signature must verify under
  // the pinned key and its serial must not be lower than the last accepted one, which
  // it then becomes. scratch is a free file name the text may be read back from.
  bool AcceptUpdateText(const std::string& text, const std::string& scratch);

  // A downloaded configuration file, before it replaces the current one: its digest
  // must be IniSha256, and its UpdateKey the pinned key or the signed NextKey.
  bool AcceptZoneList(const std::string& path);

  // A downloaded patch archive, before it is extracted: its digest must be the one
  // signed for the file it installs (targetPath: the installed file's full path).
  bool AcceptPatchArchive(const std::string& targetPath, const std::string& archivePath);

  // The downloaded launcher or its archive, before it is unpacked or handed on.
  bool AcceptLauncher(const std::string& path);

  // True exactly once, for the first refusal: the caller then shows kUpdateRefusedText.
  bool TakeRefusalNotice();
  bool Refused() const { return refused_; }

  // The manifest of the accepted update-info file (empty before one was accepted).
  const TSignedManifest& Manifest() const { return manifest_; }

 private:
  bool Refuse(const std::string& why);
  bool PinnedKeyUsable(EcPublicKey& key);
  bool DigestMatches(const std::string& path, const std::string& want, const char* what);
  uint64_t LastSerial();
  bool StoreSerial(uint64_t serial);

  FileSystem& fs_;
  std::unique_ptr<Crypto> owned_;
  Crypto* crypto_;
  UpdateGuardSetup setup_;
  GuardLog log_;
  TSignedManifest manifest_;
  bool accepted_ = false;
  std::atomic<bool> refused_{false};
  std::atomic<bool> noticeTaken_{false};
};

// The launcher's guard: the key its configuration file pins, read now, before any
// download (a file that cannot be read pins a key that refuses everything); the last
// accepted serial in AppDir + "tolw3.serial"; the system's cryptography.
std::unique_ptr<UpdateGuard> MakeLauncherGuard(FileSystem& fs, const ProcessValues& values,
                                               GuardLog log);

}  // namespace qev
