#pragma once
// The command table and the parsing of one command's arguments.
//
// A command is named by one or two words ("crc", "config new"). After the words come
// positional arguments and options "--name VALUE", "--name=VALUE" or "--flag"; "--"
// makes everything after it positional, so a text may begin with "--". Every command
// also accepts the global flags --raw and --help.

#include <cstddef>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace qev::tool {

class ToolContext;

struct OptionDef {
  std::string Name;       // without the leading "--"
  std::string ValueName;  // empty for a flag
  std::string Help;
  bool IsPath = false;  // the value names a file or folder
};

class ParsedArgs {
 public:
  std::vector<std::string> Positional;
  std::map<std::string, std::string> Values;
  std::set<std::string> Flags;

  bool Has(const std::string& name) const { return Values.count(name) || Flags.count(name); }
  // The option's value, or fallback when it was not given.
  std::string Value(const std::string& name, const std::string& fallback = "") const;
};

struct CommandDef {
  std::string Words;    // "config new"
  std::string Usage;    // the part after the words: "FILE [--client EXE] ..."
  std::string Summary;  // one line for the overview
  std::string Details;  // the rest of COMMAND --help
  std::vector<OptionDef> Options;
  size_t MinArgs = 0;
  size_t MaxArgs = 0;
  std::function<int(ToolContext&, const ParsedArgs&)> Run;
  // Positional arguments that name files or folders: their indexes, or kAllPaths.
  std::vector<size_t> PathArgs = {};
};

inline constexpr size_t kAllPaths = static_cast<size_t>(-1);

// Each command file registers its commands through one static Registrar.
std::vector<CommandDef>& CommandTable();
struct Registrar {
  explicit Registrar(CommandDef def) { CommandTable().push_back(std::move(def)); }
};

// Parses the arguments that follow the command words. Raises UsageError.
ParsedArgs ParseCommandArgs(const CommandDef& def, const std::vector<std::string>& args);
// Turns the path arguments into the GBK paths the file system takes.
void ConvertPathArgs(const CommandDef& def, const ToolContext& ctx, ParsedArgs& parsed);

std::string CommandHelp(const CommandDef& def);
std::string OverviewHelp();

}  // namespace qev::tool
