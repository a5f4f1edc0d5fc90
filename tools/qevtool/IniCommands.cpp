// qevtool ini run / get / set: operations on one INI file through the launcher's
// INI class, which writes the file back only when something changed.

#include <istream>
#include <ostream>

#include "ArgValues.h"
#include "CommandLine.h"
#include "ToolContext.h"
#include "ToolErrors.h"
#include "config/FastIniFile.h"

namespace qev::tool {

namespace {

struct IniOp {
  std::string Name;
  std::vector<std::string> Fields;  // after the name, already in file text (GBK)
  int32_t Number = 0;               // the DEFAULT of getint and getbool
};

struct OpShape {
  const char* Name;
  size_t MinFields, MaxFields;  // fields after the name
};

constexpr OpShape kShapes[] = {
    {"get", 2, 3},    {"getint", 3, 3}, {"getbool", 3, 3},  {"set", 3, 3},
    {"delete", 2, 2}, {"erase", 1, 1},  {"sections", 0, 0}, {"keys", 1, 1},
    {"values", 1, 1}, {"update", 0, 0}, {"clear", 0, 0},
};

std::vector<std::string> SplitTabs(const std::string& line) {
  std::vector<std::string> fields;
  size_t start = 0;
  for (;;) {
    size_t tab = line.find('\t', start);
    fields.push_back(line.substr(start, tab - start));
    if (tab == std::string::npos) return fields;
    start = tab + 1;
  }
}

IniOp ParseOp(ToolContext& ctx, const std::vector<std::string>& parts, const std::string& where) {
  const OpShape* shape = nullptr;
  for (const OpShape& s : kShapes)
    if (parts[0] == s.Name) shape = &s;
  if (!shape) throw UsageError(where + "unknown operation '" + parts[0] + "'");
  size_t n = parts.size() - 1;
  if (n < shape->MinFields || n > shape->MaxFields)
    throw UsageError(where + "wrong number of fields for '" + parts[0] + "'");
  IniOp op{parts[0], {}, 0};
  for (size_t i = 1; i < parts.size(); ++i)
    op.Fields.push_back(ctx.FileText(parts[i], where + "field"));
  // A line break would start a new line (a new section, say) and "=" in a key would
  // move the key's end: neither could be read back as written.
  for (const std::string& field : op.Fields)
    if (field.find_first_of("\r\n") != std::string::npos)
      throw UsageError(where + "a line break cannot be part of an INI name or value");
  if (op.Name == "set" && op.Fields[1].find('=') != std::string::npos)
    throw UsageError(where + "'=' cannot be part of a key");
  if (op.Name == "getint" || op.Name == "getbool")
    op.Number = ParseInt32Arg(parts[3], where + "DEFAULT");
  return op;
}

// All lines are checked before the first operation runs.
std::vector<IniOp> ReadOps(ToolContext& ctx) {
  std::vector<IniOp> ops;
  std::string line;
  for (int number = 1; std::getline(ctx.In(), line); ++number) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.empty()) continue;
    ops.push_back(ParseOp(ctx, SplitTabs(line), "line " + std::to_string(number) + ": "));
  }
  return ops;
}

void PrintList(ToolContext& ctx, const std::vector<std::string>& items) {
  for (const std::string& item : items) ctx.Out() << ctx.ScreenText(item) << '\n';
  ctx.Out() << '\n';
}

void Apply(ToolContext& ctx, TFastIniFile& ini, const IniOp& op) {
  const std::vector<std::string>& f = op.Fields;
  std::vector<std::string> list;
  if (op.Name == "get") {
    ctx.Out() << ctx.ScreenText(ini.ReadString(f[0], f[1], f.size() > 2 ? f[2] : "")) << '\n';
  } else if (op.Name == "getint") {
    ctx.Out() << ini.ReadInteger(f[0], f[1], op.Number) << '\n';
  } else if (op.Name == "getbool") {
    ctx.Out() << (ini.ReadBool(f[0], f[1], op.Number != 0) ? 1 : 0) << '\n';
  } else if (op.Name == "set") {
    ini.WriteString(f[0], f[1], f[2]);
  } else if (op.Name == "delete") {
    ini.DeleteKey(f[0], f[1]);
  } else if (op.Name == "erase") {
    ini.EraseSection(f[0]);
  } else if (op.Name == "sections") {
    ini.ReadSections(list);
    PrintList(ctx, list);
  } else if (op.Name == "keys") {
    ini.ReadSection(f[0], list);
    PrintList(ctx, list);
  } else if (op.Name == "values") {
    ini.ReadSectionValues(f[0], list);
    PrintList(ctx, list);
  } else if (op.Name == "update") {
    ini.UpdateFile();
  } else if (op.Name == "clear") {
    ini.Clear();
  }
}

int RunOps(ToolContext& ctx, const std::string& path, const std::vector<IniOp>& ops) {
  if (ctx.Fs().DirExists(path)) throw ToolError(path + " is a folder");
  TFastIniFile ini(ctx.Fs(), path);
  for (const IniOp& op : ops) Apply(ctx, ini, op);
  ini.Release();
  return kExitOk;
}

int Run(ToolContext& ctx, const ParsedArgs& a) {
  return RunOps(ctx, a.Positional[0], ReadOps(ctx));
}

int Get(ToolContext& ctx, const ParsedArgs& a) {
  std::vector<std::string> parts{"get"};
  parts.insert(parts.end(), a.Positional.begin() + 1, a.Positional.end());
  return RunOps(ctx, a.Positional[0], {ParseOp(ctx, parts, "")});
}

int Set(ToolContext& ctx, const ParsedArgs& a) {
  std::vector<std::string> parts{"set"};
  parts.insert(parts.end(), a.Positional.begin() + 1, a.Positional.end());
  return RunOps(ctx, a.Positional[0], {ParseOp(ctx, parts, "")});
}

const Registrar runReg({
    "ini run",
    "FILE",
    "apply INI operations read from standard input to FILE, as the launcher would",
    "One operation per line, fields separated by TAB:\n"
    "  get S K [DEFAULT]   getint S K DEFAULT   getbool S K DEFAULT   set S K VALUE\n"
    "  delete S K   erase S   sections   keys S   values S   update   clear\n"
    "get prints the string, getint the number, getbool 1 or 0; sections, keys and values\n"
    "(name=value) print one line per item and then an empty line. Every line is checked\n"
    "before the first runs. At the end the file is written back only if it was changed;\n"
    "a failed write-back exits with 1 and leaves the old file whole.",
    {},
    1,
    1,
    Run,
    {0},
});

const Registrar getReg({
    "ini get",
    "FILE S K [DEFAULT]",
    "print the value of key K in section S of FILE (as 'get' of ini run)",
    "",
    {},
    3,
    4,
    Get,
    {0},
});

const Registrar setReg({
    "ini set",
    "FILE S K VALUE",
    "set key K of section S in FILE to VALUE (as 'set' of ini run)",
    "",
    {},
    4,
    4,
    Set,
    {0},
});

}  // namespace

}  // namespace qev::tool
