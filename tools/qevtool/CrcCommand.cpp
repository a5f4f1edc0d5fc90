// qevtool crc: file checksums as the update-info file carries them.

#include <ostream>

#include "CommandLine.h"
#include "ToolContext.h"
#include "ToolErrors.h"
#include "config/Crc32.h"

namespace qev::tool {

namespace {

int Run(ToolContext& ctx, const ParsedArgs& a) {
  int code = kExitOk;
  for (const std::string& path : a.Positional) {
    FileCrcResult r = ctx.Fs().DirExists(path) ? FileCrcResult{0, 1} : FileCrc32(ctx.Fs(), path);
    if (r.Error) {
      // The other files are still checked; the run as a whole then fails.
      ctx.Err() << "qevtool: cannot read " << ctx.ScreenText(path) << "\n";
      code = kExitFailed;
      continue;
    }
    ctx.Out() << CrcText(r.Crc) << '\t' << ctx.ScreenText(path) << '\n';
  }
  return code;
}

const Registrar reg({
    "crc",
    "FILE...",
    "print each file's CRC-32 as signed decimal text, a TAB and the path",
    "The text is what LongCode and IniCode of the update-info file carry: the standard\n"
    "CRC-32 read as a signed 32-bit number (a CRC of 0xFFFFFFFF prints as -1).\n"
    "A file that cannot be read gets a message; the others are still printed (exit 1).",
    {},
    1,
    static_cast<size_t>(-1),
    Run,
    {kAllPaths},
});

}  // namespace

}  // namespace qev::tool
