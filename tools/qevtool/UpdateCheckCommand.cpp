// qevtool update check: an update-info file as the launcher's update worker takes it.

#include <memory>
#include <ostream>

#include "CommandLine.h"
#include "OutputFiles.h"
#include "ToolContext.h"
#include "ToolErrors.h"
#include "base/DateTime.h"
#include "config/FastIniFile.h"
#include "config/UpperCase.h"
#include "update/UpdateInfo.h"
#include "update/UpdateSettings.h"

namespace qev::tool {

namespace {

// Reading a local file makes no request; a request would be a fault of this tool.
class NoHttp : public HttpClientFactory {
 public:
  std::unique_ptr<HttpClient> Create() override { throw ToolError("unexpected HTTP request"); }
};

// Why the worker's patch-list step passes over a section ("" when it takes it). Mirrors
// the step's rules, which give no reasons of their own; the test checks that the two
// agree on which sections are taken.
std::string SkipReason(TFastIniFile& ini, const std::string& name) {
  for (const char* key : {"FromFile", "FilePath", "FileDateTime"})
    if (ini.ReadString(name, key, "").empty()) return std::string("missing ") + key;
  TDateTime t;
  if (!ParseDateTime(ini.ReadString(name, "FileDateTime", ""), t))
    return "FileDateTime does not parse";
  return "";
}

void PrintSettings(ToolContext& ctx, const TUpdateSettings& s) {
  const std::pair<const char*, std::string> lines[] = {
      {"CheckLong", s.CheckLong ? "1" : "0"},
      {"LongURL", s.LongURL},
      {"LongCode", s.LongCode},
      {"CheckIni", s.CheckIni ? "1" : "0"},
      {"IniURL", s.IniURL},
      {"IniCode", s.IniCode},
      {"CheckFix", s.CheckFix ? "1" : "0"},
      {"DefURL", s.DefURL},
      {"EnableCue", s.EnableCue ? "1" : "0"},
      {"DLLURL", s.DLLURL},
      {"DLLCode", s.DLLCode},
  };
  for (const auto& [key, value] : lines) ctx.Out() << key << '=' << ctx.ScreenText(value) << '\n';
}

int Check(ToolContext& ctx, const ParsedArgs& a) {
  const std::string& path = a.Positional[0];
  std::string text = ReadInputFile(ctx.Fs(), path);
  if (text.find(UpdateFileHeader) == std::string::npos)
    throw ToolError(path + ": no update-file header (" + UpdateFileHeader +
                    "); the launcher refuses it");

  ProcessValues values;
  values.UpdateInfoFileName = path;
  TUpdateSettings settings;
  NoHttp http;
  UpdateContext uc{ctx.Fs(), values, settings, http};
  ReadUpdateSettings(uc);
  ReadPatchList(uc);

  PrintSettings(ctx, settings);
  ctx.Out() << "[patches]\n";
  for (const auto& p : values.PatchList)
    ctx.Out() << ctx.ScreenText(p->FileName) << '\t' << ctx.ScreenText(p->FromFile) << '\t'
              << ctx.ScreenText(p->FilePath) << '\t' << FormatDateTime(p->FileDateTime) << '\n';
  ctx.Out() << "[ignored]\n";
  TFastIniFile ini(ctx.Fs(), path);
  std::vector<std::string> sections;
  ini.ReadSections(sections);
  for (const std::string& name : sections) {
    if (UpperCaseTbl(name) == UpperCaseTbl(UpdateInfoSection)) continue;
    std::string why = SkipReason(ini, name);
    if (!why.empty()) ctx.Out() << ctx.ScreenText(name) << '\t' << why << '\n';
  }
  ini.Clear();
  return kExitOk;
}

const Registrar reg({
    "update check",
    "FILE",
    "print what the launcher takes from an update-info file",
    "First the eleven UpdateInfo settings as Key=value after the launcher's checks (a\n"
    "check whose URL or code is missing is off; booleans as 0 or 1), then [patches] with\n"
    "one line per patch entry: file name, FromFile, FilePath, FileDateTime (TAB-separated),\n"
    "then [ignored] with each section the launcher passes over and why. A file without the\n"
    "update-file header is refused (exit 1), as the launcher refuses it.",
    {},
    1,
    1,
    Check,
    {0},
});

}  // namespace

}  // namespace qev::tool
