#include "UpdateSigning.h"

#include "OutputFiles.h"
#include "ToolErrors.h"
#include "config/FastIniFile.h"
#include "config/LauncherConfig.h"
#include "config/UpperCase.h"
#include "update/CryptoText.h"
#include "update/SignedUpdate.h"
#include "update/UpdateSettings.h"

namespace qev::tool {

namespace {

constexpr char kKeySection[] = "UpdateSigningKey";

Crypto& SystemCrypto() {
  static std::unique_ptr<Crypto> crypto = MakeSystemCrypto();
  return *crypto;
}

std::string FileSha256Text(ToolContext& ctx, const std::string& path) {
  Sha256Digest d;
  if (!ctx.Fs().FileExists(path) || !FileSha256(ctx.Fs(), SystemCrypto(), path, d))
    throw ToolError("cannot read " + path);
  return HexText(d);
}

bool IsZipUrl(const std::string& url) {
  return url.size() >= 4 && UpperCaseTbl(url.substr(url.size() - 4)) == ".ZIP";
}

uint64_t NextSerial(ToolContext& ctx, const ParsedArgs& a, const std::string& infoPath) {
  uint64_t serial = 0;
  if (a.Has("serial")) {
    if (!ParseSerial(a.Value("serial"), serial) || serial == 0)
      throw UsageError("--serial must be a whole number from 1");
    return serial;
  }
  if (!ctx.Fs().FileExists(infoPath)) return 1;
  TFastIniFile old(ctx.Fs(), infoPath);
  if (!ParseSerial(old.ReadString(UpdateInfoSection, kSerialKey, ""), serial)) return 1;
  return serial + 1;
}

// The key the configuration file pins: the signing key itself, or the next one.
std::string NextKeyLine(ToolContext& ctx, const ParsedArgs& a, const EcKeyPair& key) {
  TLauncherConfig config;
  TServerList servers;
  LoadLauncherConfig(ctx.Fs(), a.Value("config"), config, servers);
  EcPublicKey carried;
  if (!ReadHexText(config.UpdateKey, carried))
    throw ToolError(a.Value("config") +
                    " pins no valid UpdateKey: launchers with a key would refuse it "
                    "(qevtool config set-key)");
  if (carried == key.Public) return "";
  ctx.Err() << "qevtool: " << ctx.ScreenText(a.Value("config"))
            << " carries a new update key; it is signed as NextKey\n";
  return std::string(kNextKeyKey) + "=" + HexText(carried) + "\r\n";
}

}  // namespace

std::string KeyFileText(const EcKeyPair& key) {
  return "; qevtool update signing key (ECDSA P-256). Keep this file secret: never upload\r\n"
         "; it or copy it to a player's machine. Launchers need only the public key.\r\n"
         "[" +
         std::string(kKeySection) + "]\r\n" + "Private=" + HexText(key.Private) + "\r\n" +
         "Public=" + HexText(key.Public) + "\r\n";
}

EcKeyPair ReadKeyFile(ToolContext& ctx, const std::string& path) {
  if (!ctx.Fs().FileExists(path)) throw ToolError("no key file " + path);
  TFastIniFile ini(ctx.Fs(), path);
  EcKeyPair key;
  if (!ReadHexText(ini.ReadString(kKeySection, "Private", ""), key.Private) ||
      !ReadHexText(ini.ReadString(kKeySection, "Public", ""), key.Public))
    throw ToolError(path + " is not a signing key file of qevtool update keygen");
  return key;
}

std::string PublicKeyArg(const std::string& text, const std::string& what) {
  EcPublicKey key;
  if (!ReadHexText(text, key))
    throw UsageError(what + " must be a public key: 128 hex digits as update keygen prints");
  return HexText(key);
}

void CheckSigningArgs(const ParsedArgs& a) {
  if (!a.Has("sign")) {
    if (a.Has("serial") || a.Has("long-file"))
      throw UsageError("--serial and --long-file go with --sign");
    return;
  }
  if (a.Has("long-file") && !a.Has("launcher")) throw UsageError("--long-file needs --launcher");
  if (a.Has("launcher") && IsZipUrl(a.Value("long-url")) && !a.Has("long-file"))
    throw UsageError("--long-url names a ZIP: give the archive itself with --long-file");
}

std::string SignedInfoLines(ToolContext& ctx, const ParsedArgs& a, const std::string& infoPath) {
  if (!a.Has("sign")) return "";
  EcKeyPair key = ReadKeyFile(ctx, a.Value("sign"));
  std::string s =
      std::string(kSerialKey) + "=" + std::to_string(NextSerial(ctx, a, infoPath)) + "\r\n";
  if (a.Has("launcher")) {
    std::string served = a.Has("long-file") ? a.Value("long-file") : a.Value("launcher");
    s += std::string(kLongShaKey) + "=" + FileSha256Text(ctx, served) + "\r\n";
  }
  if (a.Has("config")) {
    s += std::string(kIniShaKey) + "=" + FileSha256Text(ctx, a.Value("config")) + "\r\n";
    s += NextKeyLine(ctx, a, key);
  }
  return s;
}

std::string PatchShaLine(ToolContext& ctx, const ParsedArgs& a, const std::string& archive) {
  if (!a.Has("sign")) return "";
  return std::string(kPatchShaKey) + "=" + FileSha256Text(ctx, archive) + "\r\n";
}

std::string SignedInfoText(ToolContext& ctx, const ParsedArgs& a, const std::string& info) {
  if (!a.Has("sign")) return info;
  EcKeyPair key = ReadKeyFile(ctx, a.Value("sign"));
  std::string text = info;
  if (text.empty() || text.back() != '\n') text += "\r\n";
  std::string signedText;
  if (!AppendSignature(SystemCrypto(), key, text, signedText))
    throw ToolError(a.Value("sign") + ": the key does not sign (a damaged key file?)");
  return signedText;
}

}  // namespace qev::tool
