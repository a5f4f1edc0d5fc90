#include "Tool.h"

#include <ostream>

#include "CommandLine.h"
#include "ToolErrors.h"
#include "platform/FileError.h"

namespace qev::tool {

namespace {

const CommandDef* FindCommand(const std::vector<std::string>& args, size_t at, size_t& words) {
  for (const CommandDef& c : CommandTable()) {
    size_t space = c.Words.find(' ');
    if (space == std::string::npos) {
      if (at < args.size() && args[at] == c.Words) {
        words = 1;
        return &c;
      }
    } else if (at + 1 < args.size() && args[at] == c.Words.substr(0, space) &&
               args[at + 1] == c.Words.substr(space + 1)) {
      words = 2;
      return &c;
    }
  }
  return nullptr;
}

std::string GroupHelp(const std::string& group) {
  std::string text;
  for (const CommandDef& c : CommandTable())
    if (c.Words.compare(0, group.size() + 1, group + " ") == 0)
      text += "usage: qevtool " + c.Words + " " + c.Usage + "\n  " + c.Summary + "\n";
  return text;
}

int Dispatch(ToolContext& ctx, const std::vector<std::string>& args) {
  size_t at = 0;
  for (; at < args.size() && args[at] == "--raw"; ++at) ctx.Raw = true;
  if (at < args.size() && args[at] == "--help") {
    ctx.Out() << OverviewHelp();
    return kExitOk;
  }
  if (at >= args.size()) throw UsageError("no command given (see 'qevtool --help')");
  size_t words = 0;
  const CommandDef* def = FindCommand(args, at, words);
  if (!def) {
    std::string group = GroupHelp(args[at]);
    if (group.empty())
      throw UsageError("unknown command '" + args[at] + "' (see 'qevtool --help')");
    if (at + 1 < args.size() && args[at + 1] == "--help") {
      ctx.Out() << group;
      return kExitOk;
    }
    throw UsageError("'" + args[at] + "' needs one of its commands:\n" + group);
  }
  std::vector<std::string> rest(args.begin() + static_cast<long>(at + words), args.end());
  ParsedArgs parsed = ParseCommandArgs(*def, rest);
  if (parsed.Flags.count("raw")) ctx.Raw = true;
  if (parsed.Flags.count("help")) {
    ctx.Out() << CommandHelp(*def);
    return kExitOk;
  }
  ConvertPathArgs(*def, ctx, parsed);
  return def->Run(ctx, parsed);
}

}  // namespace

int RunTool(ToolContext& ctx, const std::vector<std::string>& args) {
  int code;
  try {
    code = Dispatch(ctx, args);
  } catch (const UsageError& e) {
    ctx.Err() << "qevtool: " << ctx.ScreenText(e.what()) << "\n";
    code = kExitUsage;
  } catch (const ToolError& e) {
    ctx.Err() << "qevtool: " << ctx.ScreenText(e.what()) << "\n";
    code = kExitFailed;
  } catch (const FileError& e) {
    ctx.Err() << "qevtool: " << ctx.ScreenText(e.what()) << "\n";
    code = kExitFailed;
  } catch (const std::exception& e) {
    // Any other failure (out of memory, a library's own error) is an operation that
    // failed: exit code 1 with its text, never a crash.
    ctx.Err() << "qevtool: " << ctx.ScreenText(e.what()) << "\n";
    code = kExitFailed;
  }
  ctx.Out().flush();
  ctx.Err().flush();
  return code;
}

}  // namespace qev::tool
