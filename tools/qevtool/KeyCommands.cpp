// qevtool update keygen / pubkey / verify and config set-key: the keys of signed updates.

#include <ostream>

#include "CommandLine.h"
#include "OutputFiles.h"
#include "ToolContext.h"
#include "ToolErrors.h"
#include "UpdateSigning.h"
#include "config/FastIniFile.h"
#include "config/LauncherConfig.h"
#include "platform/FileOps.h"
#include "update/CryptoText.h"
#include "update/SignedUpdate.h"

#ifndef _WIN32
#include <sys/stat.h>
#endif

namespace qev::tool {

namespace {

// ---- update keygen

void WriteSecretFile(ToolContext& ctx, const std::string& path, const std::string& text,
                     bool force) {
#ifndef _WIN32
  // Readable by the operator alone from its first byte on.
  mode_t old = umask(077);
  try {
    WriteOutputFile(ctx.Fs(), path, text, force);
  } catch (...) {
    // The process's file mask is restored on every path; the failure goes on.
    umask(old);
    throw;
  }
  umask(old);
#else
  WriteOutputFile(ctx.Fs(), path, text, force);
#endif
}

int Keygen(ToolContext& ctx, const ParsedArgs& a) {
  const std::string& path = a.Positional[0];
  RequireReplaceable(ctx.Fs(), path, a.Has("force"));
  std::unique_ptr<Crypto> crypto = MakeSystemCrypto();
  EcKeyPair key;
  if (!crypto->GenerateP256(key)) throw ToolError("the system library made no key");
  WriteSecretFile(ctx, path, KeyFileText(key), a.Has("force"));
  ctx.Out() << HexText(key.Public) << '\n';
  return kExitOk;
}

int PubKey(ToolContext& ctx, const ParsedArgs& a) {
  ctx.Out() << HexText(ReadKeyFile(ctx, a.Positional[0]).Public) << '\n';
  return kExitOk;
}

// ---- update verify

int Verify(ToolContext& ctx, const ParsedArgs& a) {
  if (!a.Has("key")) throw UsageError("update verify needs --key");
  EcPublicKey key;
  ReadHexText(PublicKeyArg(a.Value("key"), "--key"), key);
  const std::string& path = a.Positional[0];
  std::string text = ReadInputFile(ctx.Fs(), path);
  std::string_view covered;
  EcSignature sig;
  if (!SplitSignature(text, covered, sig)) throw ToolError(path + " is not signed");
  std::unique_ptr<Crypto> crypto = MakeSystemCrypto();
  if (!crypto->VerifyP256(key, covered, sig))
    throw ToolError(path + ": the signature does not verify with this key");
  // The manifest as the launcher reads it, from the signed bytes only.
  const std::string temp = TempNameBeside(ctx.Fs(), path);
  TSignedManifest m;
  std::string why;
  bool read = WriteFileReplacing(ctx.Fs(), temp, covered) == kErrNone &&
              ReadSignedManifest(ctx.Fs(), temp, m, why);
  if (ctx.Fs().FileExists(temp)) ctx.Fs().Delete(temp);
  if (!read) throw ToolError(path + ": " + (why.empty() ? "cannot be read" : why));
  std::ostream& out = ctx.Out();
  out << "Serial=" << m.Serial << '\n'
      << "LongSha256=" << m.LongSha256 << '\n'
      << "IniSha256=" << m.IniSha256 << '\n'
      << "NextKey=" << m.NextKey << '\n'
      << "[patches]\n";
  for (const auto& [where, sha] : m.PatchSha256)
    out << ctx.ScreenText(where) << '\t' << sha << '\n';
  return kExitOk;
}

// ---- config set-key

int SetKey(ToolContext& ctx, const ParsedArgs& a) {
  const std::string& path = a.Positional[0];
  const std::string key = PublicKeyArg(a.Positional[1], "PUBLIC");
  if (!ctx.Fs().FileExists(path)) throw ToolError("no configuration file " + path);
  // The work is done on a copy, so the file stays whole until the new one is checked.
  std::string temp = TempNameBeside(ctx.Fs(), path);
  if (SysError e = ctx.Fs().Copy(path, temp, false))
    throw ToolError("cannot copy " + path + ": " + SysErrorText(e));
  try {
    TFastIniFile ini(ctx.Fs(), temp);
    ini.WriteString("LoginInfo", "UpdateKey", key);
    ini.Release();
    TLauncherConfig config;
    TServerList servers;
    LoadLauncherConfig(ctx.Fs(), temp, config, servers);
    if (config.UpdateKey != key) throw ToolError("the launcher would not read the key back");
    if (SysError e = ReplaceWithFile(ctx.Fs(), temp, path))
      throw ToolError("cannot replace " + path + ": " + SysErrorText(e));
  } catch (...) {
    // Whatever stopped the change, the working copy goes and the old file stays whole.
    if (ctx.Fs().FileExists(temp)) ctx.Fs().Delete(temp);
    throw;
  }
  return kExitOk;
}

const Registrar keygenReg({
    "update keygen",
    "KEYFILE [--force]",
    "make a signing key pair for signed updates and print its public key",
    "Writes KEYFILE with a new ECDSA P-256 key pair and prints the public key (128 hex\n"
    "digits). Keep KEYFILE on the machine that builds the update folder: it signs with\n"
    "'update build --sign KEYFILE'. Launchers pin only the public key, through\n"
    "'config new --update-key' or 'config set-key'.",
    {{"force", "", "replace KEYFILE if it exists (launchers pinned to the old key then refuse)"}},
    1,
    1,
    Keygen,
    {0},
});

const Registrar pubkeyReg({
    "update pubkey",
    "KEYFILE",
    "print the public key of a signing key file",
    "Prints the 128 hex digits that 'config set-key' and '--update-key' take.",
    {},
    1,
    1,
    PubKey,
    {0},
});

const Registrar verifyReg({
    "update verify",
    "FILE --key PUBLIC",
    "check a signed update-info file as a launcher with that key does",
    "Checks the signature line of FILE against the public key and prints what the\n"
    "signed part promises: the serial, the SHA-256 of the launcher and the\n"
    "configuration file, the next key, then [patches] with each installed file's path\n"
    "and the SHA-256 of its archive. Exit code 1 when the signature does not verify.",
    {{"key", "PUBLIC", "the public key launchers pin"}},
    1,
    1,
    Verify,
    {0},
});

const Registrar setKeyReg({
    "config set-key",
    "FILE PUBLIC",
    "pin the update key: launchers then accept only updates signed with it",
    "Writes UpdateKey=PUBLIC into section LoginInfo of the configuration file (other\n"
    "lines stay as they are). A launcher with this file checks every update-info file,\n"
    "zone list, patch archive and new launcher against what the key signed. To move to\n"
    "a new key, set it in the configuration file and build the update with the old key:\n"
    "the new key is then signed as NextKey.",
    {},
    2,
    2,
    SetKey,
    {0},
});

}  // namespace

}  // namespace qev::tool
