// qevtool zone encode / decode: the enciphered form of a zone's address and port.

#include <ostream>

#include "CommandLine.h"
#include "ToolContext.h"
#include "ToolErrors.h"
#include "config/LauncherConfig.h"

namespace qev::tool {

namespace {

int Encode(ToolContext& ctx, const ParsedArgs& a) {
  ctx.Out() << EncodeServerValue(ctx.FileText(a.Positional[0], "TEXT")) << '\n';
  return kExitOk;
}

int Decode(ToolContext& ctx, const ParsedArgs& a) {
  ctx.Out() << ctx.ScreenText(DecodeServerValue(a.Positional[0])) << '\n';
  return kExitOk;
}

const Registrar encodeReg({
    "zone encode",
    "TEXT",
    "print TEXT enciphered as ServerAddress and ServerPort are stored (hexadecimal)",
    "TEXT is enciphered with the server key (24681357, 21 rounds) as GBK bytes and\n"
    "printed as upper-case hexadecimal digits, ready for a server section.",
    {},
    1,
    1,
    Encode,
});

const Registrar decodeReg({
    "zone decode",
    "HEX",
    "print what the launcher deciphers from a stored ServerAddress or ServerPort",
    "Reads HEX as the launcher does (digit pairs up to the first pair that is not\n"
    "hexadecimal; an odd last digit is ignored) and deciphers it.",
    {},
    1,
    1,
    Decode,
});

}  // namespace

}  // namespace qev::tool
