// qevtool update build: the update folder that the launcher's update run reads from.

#include <map>
#include <ostream>

#include "CommandLine.h"
#include "HostFolders.h"
#include "IniText.h"
#include "OutputFiles.h"
#include "ToolContext.h"
#include "ToolErrors.h"
#include "UpdateSigning.h"
#include "ZipWriter.h"
#include "base/DateTime.h"
#include "config/Crc32.h"
#include "config/FileTimes.h"
#include "config/UpperCase.h"
#include "platform/FileOps.h"

namespace qev::tool {

namespace {

constexpr char kHeaderLine[] = ";;;;;QEV TarnLogin Update File;;;;;";
constexpr char kUpdateInfoName[] = "tolw3.up";

// Every text and path here is GBK, as the file system and the update file take them.
struct Patch {
  std::string Source;    // the game file
  std::string Section;   // its name
  std::string FilePath;  // "\" + folders + "\"
  std::string Archive;   // where its archive goes
};

std::string Join(const std::vector<std::string>& parts, char sep) {
  std::string s;
  for (const std::string& p : parts) s += p + sep;
  return s;
}

// The launcher looks each patch section up by name, so two files of one name (in any
// folders, any letter case) would read as one; and a file named UpdateInfo is not a patch.
void CheckNamesDistinct(ToolContext& ctx, const std::vector<Patch>& patches) {
  std::map<std::string, const Patch*> seen;
  for (const Patch& p : patches) {
    std::string key = UpperCaseTbl(p.Section);
    if (key == UpperCaseTbl("UpdateInfo"))
      throw ToolError(p.Source + ": a file named UpdateInfo cannot be patched");
    auto [it, added] = seen.emplace(key, &p);
    if (!added)
      throw ToolError("two files share the name " + p.Section + " (" + it->second->Source + ", " +
                      p.Source + "); the update-info file can list only one of them");
  }
}

std::vector<Patch> PlanPatches(ToolContext& ctx, const std::string& game, const std::string& out) {
  if (!ctx.Fs().DirExists(game)) throw ToolError("no game folder " + game);
  std::vector<Patch> patches;
  for (const GameFile& f : ListGameFiles(ctx.NativePath(game))) {
    Patch p;
    p.Section = ctx.FileText(f.NativeName, "a file name in the game folder");
    std::vector<std::string> folders;
    for (const std::string& d : f.NativeFolders)
      folders.push_back(ctx.FileText(d, "a folder name in the game folder"));
    p.FilePath = std::string(1, '\\').append(Join(folders, '\\'));
    p.Source = game + "/" + Join(folders, '/') + p.Section;
    p.Archive = out + "/" + Join(folders, '/') + p.Section + ".zip";
    patches.push_back(std::move(p));
  }
  CheckNamesDistinct(ctx, patches);
  return patches;
}

TDateTime FileTime(ToolContext& ctx, const std::string& path) {
  TDateTime t = FileTimeAsDateTime(ctx.Fs(), path, 2);
  if (t < 0) throw ToolError(path + ": its file time cannot be written as a DOS date (1980-2107)");
  return t;
}

std::string CodeOf(ToolContext& ctx, const std::string& path) {
  FileCrcResult r = FileCrc32(ctx.Fs(), path);
  if (r.Error) throw ToolError("cannot read " + path);
  return CrcText(r.Crc);
}

void WriteArchive(ToolContext& ctx, const Patch& p, TDateTime time) {
  ZipMemberPlan member;
  member.Name = p.Section;
  if (!DateTimeToDos(time, member.DosDateTime))
    throw ToolError(p.Source + ": file time outside 1980-2107");
  std::string zip = MakeOneMemberZip(member, ReadInputFile(ctx.Fs(), p.Source));
  if (SysError e = CreateDirPath(ctx.Fs(), DirPart(p.Archive)))
    throw ToolError("cannot create the folder of " + p.Archive + ": " + SysErrorText(e));
  WriteOutputFile(ctx.Fs(), p.Archive, zip, true);
}

std::string UpdateInfoSection(ToolContext& ctx, const ParsedArgs& a) {
  std::string base = ctx.FileText(a.Value("base-url"), "--base-url");
  while (!base.empty() && base.back() == '/') base.pop_back();
  if (base.empty()) throw UsageError("--base-url must not be empty");
  std::string s = "[UpdateInfo]\r\n";
  if (a.Has("launcher")) {
    s += "CheckLong=1\r\n";
    s += IniKeyLine("LongURL", ctx.FileText(a.Value("long-url"), "--long-url"), "--long-url");
    s += "LongCode=" + CodeOf(ctx, a.Value("launcher")) + "\r\n";
  }
  if (a.Has("config")) {
    s += "CheckIni=1\r\n";
    s += IniKeyLine("IniURL", ctx.FileText(a.Value("ini-url"), "--ini-url"), "--ini-url");
    s += "IniCode=" + CodeOf(ctx, a.Value("config")) + "\r\n";
  }
  s += "CheckFix=1\r\n";
  s += IniKeyLine("DefURL", base, "--base-url");
  s += std::string("EnableCue=") + (a.Has("cue") ? "1" : "0") + "\r\n";
  return s;
}

void CheckPairs(const ParsedArgs& a) {
  for (const char* need : {"game", "out", "base-url"})
    if (!a.Has(need)) throw UsageError(std::string("update build needs --") + need);
  if (a.Has("launcher") != a.Has("long-url"))
    throw UsageError("--launcher and --long-url go together");
  if (a.Has("config") != a.Has("ini-url")) throw UsageError("--config and --ini-url go together");
  CheckSigningArgs(a);
}

int Build(ToolContext& ctx, const ParsedArgs& a) {
  CheckPairs(a);
  std::string game = a.Value("game"), out = WithoutTrailingSeparator(a.Value("out"));
  if (PathInside(ctx.NativePath(out), ctx.NativePath(game)))
    throw ToolError("the output folder must not lie inside the game folder");
  bool force = a.Has("force");
  std::string infoPath = out + "/" + kUpdateInfoName;
  std::vector<Patch> patches = PlanPatches(ctx, game, out);
  // Every refusal comes before the first file is written.
  RequireReplaceable(ctx.Fs(), infoPath, force);
  for (const Patch& p : patches) RequireReplaceable(ctx.Fs(), p.Archive, force);
  std::string info = std::string(kHeaderLine) + "\r\n" + UpdateInfoSection(ctx, a) +
                     SignedInfoLines(ctx, a, infoPath);
  for (const Patch& p : patches) {
    TDateTime time = FileTime(ctx, p.Source);
    info += "\r\n[" + p.Section + "]\r\n";
    info += IniKeyLine("FromFile", p.Section + ".zip", "file name " + p.Source);
    info += IniKeyLine("FilePath", p.FilePath, "folder of " + p.Source);
    info += "FileDateTime=" + FormatDateTime(time) + "\r\n";
    WriteArchive(ctx, p, time);
    info += PatchShaLine(ctx, a, p.Archive);
  }
  // The update-info file comes last: until it is replaced the old one still describes
  // archives that are all in place.
  if (SysError e = CreateDirPath(ctx.Fs(), out))
    throw ToolError("cannot create " + out + ": " + SysErrorText(e));
  WriteOutputFile(ctx.Fs(), infoPath, SignedInfoText(ctx, a, info), force);
  ctx.Out() << patches.size() << " files, " << ctx.ScreenText(infoPath) << '\n';
  return kExitOk;
}

const Registrar reg({
    "update build",
    "--game DIR --out DIR --base-url URL [--launcher EXE --long-url URL] "
    "[--config FILE --ini-url URL] [--cue] [--sign KEYFILE [--serial N] [--long-file ZIP]] "
    "[--force]",
    "make the update folder: one ZIP archive per game file and the update-info file",
    "For every file under the game folder an archive NAME.zip holding the file (dated\n"
    "with the file's time) is placed in the output folder under the file's own folder,\n"
    "where the launcher asks for it below the base URL. tolw3.up lists them all; with\n"
    "--launcher and --config it also carries their checksums so that launchers with a\n"
    "different copy fetch LongURL or IniURL. Upload the output folder to the base URL\n"
    "and point UpdateURL of the configuration at tolw3.up. Two files of one name (in any\n"
    "folders) are refused, since the launcher tells patches apart by file name only.",
    {{"game", "DIR", "the game folder as the players should have it", true},
     {"out", "DIR", "where the archives and tolw3.up are written", true},
     {"base-url", "URL", "the URL of the output folder (DefURL)"},
     {"launcher", "EXE", "the current launcher executable (its CRC becomes LongCode)", true},
     {"long-url", "URL", "where launchers download it (LongURL)"},
     {"config", "FILE", "the current configuration file (its CRC becomes IniCode)", true},
     {"ini-url", "URL", "where launchers download it (IniURL)"},
     {"cue", "", "ask the player before patching (EnableCue)"},
     {"sign", "KEYFILE", "sign with this key (update keygen): serial, SHA-256 of every file", true},
     {"serial", "N", "serial of the signed file (default: the old tolw3.up's + 1)"},
     {"long-file", "FILE", "with --sign: the ZIP served at a --long-url ending in .zip", true},
     {"force", "", "replace existing archives and tolw3.up"}},
    0,
    0,
    Build,
});

}  // namespace

}  // namespace qev::tool
