#pragma once
// The signed form of the update-info file. A signed file is an ordinary update-info file
// with a few more keys and one more line, all of which a launcher without a pinned key
// passes over:
//
//   [UpdateInfo]  Serial=N          never lower than the last one a launcher accepted
//                 LongSha256=HEX    SHA-256 of the file at LongURL (launcher or its ZIP)
//                 IniSha256=HEX     SHA-256 of the configuration file at IniURL
//                 NextKey=HEX       optional: the key the next configuration file may carry
//   [each patch]  Sha256=HEX        SHA-256 of its archive FromFile
//   last line     ;Signature=HEX    ECDSA P-256 over every byte before this line
//
// The signature sits inside the file rather than beside it so that one upload publishes
// a whole signed update: no launcher can fetch a new file with an old signature.

#include <cstdint>
#include <map>
#include <string>
#include <string_view>

#include "platform/Crypto.h"
#include "platform/FileSystem.h"

namespace qev {

inline constexpr char kSerialKey[] = "Serial";
inline constexpr char kLongShaKey[] = "LongSha256";
inline constexpr char kIniShaKey[] = "IniSha256";
inline constexpr char kNextKeyKey[] = "NextKey";
inline constexpr char kPatchShaKey[] = "Sha256";
// A comment line to the INI reader.
inline constexpr char kSignatureLinePrefix[] = ";Signature=";

// What a verified update-info file promises. Texts are as written (hex), empty when absent.
struct TSignedManifest {
  uint64_t Serial = 0;
  std::string LongSha256, IniSha256, NextKey;
  // SHA-256 text of each patch archive, by UpperCaseTbl(FilePath + section name): the
  // installed file's path below the game folder, as the patch run names its target.
  std::map<std::string, std::string> PatchSha256;
};

// Appends the signature line over the exact bytes of text, which must end in a line
// break. False when the key does not sign.
bool AppendSignature(Crypto& crypto, const EcKeyPair& key, const std::string& text,
                     std::string& signedText);

// Splits a fetched text into the bytes the signature covers and the signature: the last
// line (a final line break allowed) must be the signature line with 128 hex digits.
bool SplitSignature(std::string_view text, std::string_view& covered, EcSignature& sig);

// Reads the manifest of an update-info file with the launcher's INI reader, so each
// value is the one the launcher itself will act on. False (with why) when the serial is
// missing or not a number; missing digests are left empty for the checks to refuse.
bool ReadSignedManifest(FileSystem& fs, const std::string& path, TSignedManifest& out,
                        std::string& why);

// Decimal digits only, at most what 64 bits hold.
bool ParseSerial(std::string_view text, uint64_t& out);

}  // namespace qev
