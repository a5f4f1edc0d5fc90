// qevtool args encode / decode: the packed form of the game client's argument text.

#include <ostream>

#include "CommandLine.h"
#include "ToolContext.h"
#include "ToolErrors.h"
#include "config/SixBit.h"

namespace qev::tool {

namespace {

int Encode(ToolContext& ctx, const ParsedArgs& a) {
  ctx.Out() << EncodeSixBit(ctx.FileText(a.Positional[0], "TEXT")) << '\n';
  return kExitOk;
}

int Decode(ToolContext& ctx, const ParsedArgs& a) {
  ctx.Out() << ctx.ScreenText(DecodeSixBit(ctx.FileText(a.Positional[0], "TEXT"))) << '\n';
  return kExitOk;
}

const Registrar encodeReg({
    "args encode",
    "TEXT",
    "print the packed form of an argument text, as the launcher holds it built in",
    "The packed text is printable ASCII; the launcher unpacks it just before it starts\n"
    "the game client.",
    {},
    1,
    1,
    Encode,
});

const Registrar decodeReg({
    "args decode",
    "TEXT",
    "print the argument text that the launcher unpacks from a packed TEXT",
    "",
    {},
    1,
    1,
    Decode,
});

}  // namespace

}  // namespace qev::tool
