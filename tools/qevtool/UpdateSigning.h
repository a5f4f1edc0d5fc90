#pragma once
// The signing half of the signed-update workflow: the key file, the public key as the
// configuration file carries it, and the lines that make an update-info file signed.
// Each raises UsageError or ToolError as the command line or the files demand.

#include <string>

#include "CommandLine.h"
#include "ToolContext.h"
#include "platform/Crypto.h"

namespace qev::tool {

// The signing key file: an INI text holding the private and the public key in hex.
std::string KeyFileText(const EcKeyPair& key);
EcKeyPair ReadKeyFile(ToolContext& ctx, const std::string& path);

// A public key given on the command line: 128 hex digits (X then Y). Returns it in the
// form the configuration file carries (lower case).
std::string PublicKeyArg(const std::string& text, const std::string& what);

// For update build with --sign (each returns "" without it):
// the lines of section UpdateInfo: Serial, LongSha256, IniSha256 and, when the
// configuration file carries a new key, NextKey. infoPath is the update-info file about
// to be replaced, whose serial the new one follows unless --serial is given.
std::string SignedInfoLines(ToolContext& ctx, const ParsedArgs& a, const std::string& infoPath);
// The Sha256 line of one patch section, over its archive as written.
std::string PatchShaLine(ToolContext& ctx, const ParsedArgs& a, const std::string& archive);
// The whole update-info text with its signature line appended.
std::string SignedInfoText(ToolContext& ctx, const ParsedArgs& a, const std::string& info);
// Usage checks of the signing options.
void CheckSigningArgs(const ParsedArgs& a);

}  // namespace qev::tool
