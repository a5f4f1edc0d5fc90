#include "CommandLine.h"

#include <algorithm>

#include "ToolContext.h"
#include "ToolErrors.h"

namespace qev::tool {

namespace {

const OptionDef kGlobalOptions[] = {
    {"raw", "", "pass arguments and print values as bytes, without UTF-8/GBK conversion"},
    {"help", "", "describe this command"},
};

const OptionDef* FindOption(const CommandDef& def, const std::string& name) {
  for (const OptionDef& o : def.Options)
    if (o.Name == name) return &o;
  for (const OptionDef& o : kGlobalOptions)
    if (o.Name == name) return &o;
  return nullptr;
}

std::string Where(const CommandDef& def) { return " (see 'qevtool " + def.Words + " --help')"; }

void TakeOption(const CommandDef& def, const std::vector<std::string>& args, size_t& i,
                ParsedArgs& parsed) {
  std::string token = args[i].substr(2);
  std::string value;
  size_t eq = token.find('=');
  bool inlineValue = eq != std::string::npos;
  if (inlineValue) {
    value = token.substr(eq + 1);
    token.resize(eq);
  }
  const OptionDef* opt = FindOption(def, token);
  if (!opt) throw UsageError("unknown option --" + token + Where(def));
  if (parsed.Has(token)) throw UsageError("option --" + token + " given twice");
  if (opt->ValueName.empty()) {
    if (inlineValue) throw UsageError("option --" + token + " takes no value");
    parsed.Flags.insert(token);
    return;
  }
  if (!inlineValue) {
    if (i + 1 >= args.size()) throw UsageError("option --" + token + " needs " + opt->ValueName);
    value = args[++i];
  }
  parsed.Values[token] = value;
}

}  // namespace

std::string ParsedArgs::Value(const std::string& name, const std::string& fallback) const {
  auto it = Values.find(name);
  return it == Values.end() ? fallback : it->second;
}

std::vector<CommandDef>& CommandTable() {
  static std::vector<CommandDef> table;
  return table;
}

ParsedArgs ParseCommandArgs(const CommandDef& def, const std::vector<std::string>& args) {
  ParsedArgs parsed;
  bool optionsEnded = false;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    if (!optionsEnded && a == "--") {
      optionsEnded = true;
    } else if (!optionsEnded && a.size() > 2 && a.compare(0, 2, "--") == 0) {
      TakeOption(def, args, i, parsed);
    } else {
      parsed.Positional.push_back(a);
    }
  }
  if (parsed.Flags.count("help")) return parsed;
  if (parsed.Positional.size() < def.MinArgs)
    throw UsageError("too few arguments for '" + def.Words + "'" + Where(def));
  if (parsed.Positional.size() > def.MaxArgs)
    throw UsageError("too many arguments for '" + def.Words + "'" + Where(def));
  return parsed;
}

void ConvertPathArgs(const CommandDef& def, const ToolContext& ctx, ParsedArgs& parsed) {
  for (size_t i = 0; i < parsed.Positional.size(); ++i) {
    bool isPath = false;
    for (size_t p : def.PathArgs) isPath = isPath || p == kAllPaths || p == i;
    if (isPath) parsed.Positional[i] = ctx.FileText(parsed.Positional[i], "a path");
  }
  for (const OptionDef& o : def.Options)
    if (o.IsPath && parsed.Values.count(o.Name))
      parsed.Values[o.Name] = ctx.FileText(parsed.Values[o.Name], "--" + o.Name);
}

std::string CommandHelp(const CommandDef& def) {
  std::string text =
      "usage: qevtool [--raw] " + def.Words + " " + def.Usage + "\n\n" + def.Summary + "\n";
  if (!def.Details.empty()) text += "\n" + def.Details + "\n";
  text += "\noptions:\n";
  auto line = [&text](const OptionDef& o) {
    std::string head = "  --" + o.Name + (o.ValueName.empty() ? "" : " " + o.ValueName);
    if (head.size() < 24)
      head.resize(24, ' ');
    else
      head += "  ";
    text += head + o.Help + "\n";
  };
  for (const OptionDef& o : def.Options) line(o);
  for (const OptionDef& o : kGlobalOptions) line(o);
  return text;
}

std::string OverviewHelp() {
  std::vector<const CommandDef*> sorted;
  for (const CommandDef& c : CommandTable()) sorted.push_back(&c);
  std::sort(sorted.begin(), sorted.end(),
            [](const CommandDef* a, const CommandDef* b) { return a->Words < b->Words; });
  std::string text =
      "usage: qevtool [--raw] COMMAND [ARGUMENTS]\n\n"
      "The operator's kit for the launcher: makes and checks the configuration file, the\n"
      "update folder, skin files and the client's argument text, and plays a zone's status\n"
      "port. Every file is read and written with the launcher's own code.\n\n"
      "Text on the command line is UTF-8 and is written to files as GBK; text read from\n"
      "files is printed as UTF-8. --raw passes and prints the bytes unchanged.\n"
      "No command overwrites an existing output file unless given --force.\n"
      "Exit codes: 0 success, 1 the operation failed, 2 wrong usage.\n\ncommands:\n";
  for (const CommandDef* c : sorted) {
    std::string head = "  " + c->Words;
    if (head.size() < 22)
      head.resize(22, ' ');
    else
      head += "  ";
    text += head + c->Summary + "\n";
  }
  text += "\n'qevtool COMMAND --help' describes one command.\n";
  return text;
}

}  // namespace qev::tool
