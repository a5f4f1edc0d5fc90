#include "update/SignedUpdate.h"

#include <exception>
#include <vector>

#include "config/FastIniFile.h"
#include "config/UpperCase.h"
#include "update/CryptoText.h"
#include "update/UpdateSettings.h"

namespace qev {

bool AppendSignature(Crypto& crypto, const EcKeyPair& key, const std::string& text,
                     std::string& signedText) {
  if (text.empty() || text.back() != '\n') return false;
  EcSignature sig;
  if (!crypto.SignP256(key, text, sig)) return false;
  signedText = text + kSignatureLinePrefix + HexText(sig) + "\r\n";
  return true;
}

bool SplitSignature(std::string_view text, std::string_view& covered, EcSignature& sig) {
  std::string_view body = text;
  if (body.size() >= 1 && body.back() == '\n') body.remove_suffix(1);
  if (body.size() >= 1 && body.back() == '\r') body.remove_suffix(1);
  const std::string marker = std::string("\n") + kSignatureLinePrefix;
  size_t at = body.rfind(marker);
  if (at == std::string_view::npos) return false;
  if (!ReadHexText(body.substr(at + marker.size()), sig)) return false;
  covered = text.substr(0, at + 1);
  return true;
}

bool ParseSerial(std::string_view text, uint64_t& out) {
  if (text.empty() || text.size() > 19) return false;  // 19 digits always fit
  uint64_t v = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return false;
    v = v * 10 + static_cast<uint64_t>(c - '0');
  }
  out = v;
  return true;
}

bool ReadSignedManifest(FileSystem& fs, const std::string& path, TSignedManifest& out,
                        std::string& why) {
  try {
    TFastIniFile ini(fs, path);
    const std::string info = UpdateInfoSection;
    if (!ParseSerial(ini.ReadString(info, kSerialKey, ""), out.Serial)) {
      why = "no valid Serial";
      return false;
    }
    out.LongSha256 = ini.ReadString(info, kLongShaKey, "");
    out.IniSha256 = ini.ReadString(info, kIniShaKey, "");
    out.NextKey = ini.ReadString(info, kNextKeyKey, "");
    std::vector<std::string> sections;
    ini.ReadSections(sections);
    const std::string infoName = UpperCaseTbl(info);
    for (const std::string& name : sections) {
      if (UpperCaseTbl(name) == infoName) continue;
      std::string where = ini.ReadString(name, "FilePath", "") + name;
      out.PatchSha256[UpperCaseTbl(where)] = ini.ReadString(name, kPatchShaKey, "");
    }
    ini.Clear();
  } catch (const std::exception& e) {
    why = std::string("unreadable: ") + e.what();
    return false;
  }
  return true;
}

}  // namespace qev
