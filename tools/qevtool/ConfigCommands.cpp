// qevtool config new / add-zone / list: the launcher configuration file.

#include <ostream>

#include "ArgValues.h"
#include "CommandLine.h"
#include "IniText.h"
#include "OutputFiles.h"
#include "ToolContext.h"
#include "ToolErrors.h"
#include "UpdateSigning.h"
#include "config/FastIniFile.h"
#include "config/LauncherConfig.h"
#include "config/TextHelpers.h"
#include "config/UpperCase.h"
#include "platform/FileOps.h"

namespace qev::tool {

namespace {

constexpr char kLoginInfo[] = "LoginInfo";
// The launcher keeps only this much of InfoVer.
constexpr size_t kInfoVerBytes = 60;
// The probe connects to the game port + 1000, which must still be a port.
constexpr int kHighestGamePort = 65535 - 1000;

struct LoadedConfig {
  TLauncherConfig Config;
  TServerList Servers;
  std::vector<DroppedSection> Dropped;
};

LoadedConfig LoadExisting(ToolContext& ctx, const std::string& path) {
  if (!ctx.Fs().FileExists(path)) throw ToolError("no configuration file " + path);
  LoadedConfig c;
  LoadLauncherConfig(ctx.Fs(), path, c.Config, c.Servers, &c.Dropped);
  return c;
}

// ---- config new

int New(ToolContext& ctx, const ParsedArgs& a) {
  auto text = [&](const char* option) {
    return a.Has(option) ? ctx.FileText(a.Value(option), std::string("--") + option) : "";
  };
  std::string info = text("info");
  if (info.size() > kInfoVerBytes)
    throw UsageError("--info is " + std::to_string(info.size()) +
                     " bytes in GBK; the launcher shows only the first 60");
  const std::pair<const char*, std::string> keys[] = {
      {"Caption1", text("client")},
      {"Command1", ""},
      {"Caption2", ""},
      {"Command2", ""},
      {"Caption3", a.Has("alt-args") ? "1" : ""},
      {"Command3", ""},
      {"NoticeURL", a.Has("notice") ? text("notice") : "about:blank"},
      {"UpdateURL", text("update")},
      {"Website", text("website")},
      {"ExitURL", text("exit")},
      {"Chongzhi", text("pay")},
      {"BBS", text("bbs")},
      {"InfoVer", info},
  };
  std::string file = std::string("[") + kLoginInfo + "]\r\n";
  for (const auto& [key, value] : keys) file += IniKeyLine(key, value, key);
  if (a.Has("update-key"))
    file += "UpdateKey=" + PublicKeyArg(a.Value("update-key"), "--update-key") + "\r\n";
  WriteOutputFile(ctx.Fs(), a.Positional[0], file, a.Has("force"));
  return kExitOk;
}

// ---- config add-zone

struct NewZone {
  std::string Caption, Name, Address, Notice;
  int32_t Port = 0;
};

NewZone ZoneFromArgs(ToolContext& ctx, const ParsedArgs& a) {
  for (const char* required : {"caption", "name", "address", "port"})
    if (!a.Has(required)) throw UsageError(std::string("add-zone needs --") + required);
  NewZone z;
  z.Caption = ctx.FileText(a.Value("caption"), "--caption");
  z.Name = ctx.FileText(a.Value("name"), "--name");
  z.Address = ctx.FileText(a.Value("address"), "--address");
  z.Notice = ctx.FileText(a.Value("notice"), "--notice");
  // The launcher drops a zone whose caption, name or address is empty.
  if (z.Caption.empty() || z.Name.empty() || z.Address.empty())
    throw UsageError("--caption, --name and --address must not be empty");
  z.Port = ParsePortArg(a.Value("port"), "--port");
  if (z.Port > kHighestGamePort)
    throw UsageError("--port above " + std::to_string(kHighestGamePort) +
                     ": the status port (game port + 1000) would not exist");
  return z;
}

std::string NextServerSection(FileSystem& fs, const std::string& path) {
  TFastIniFile ini(fs, path);
  std::vector<std::string> names;
  ini.ReadSections(names);
  for (int n = 1;; ++n) {
    std::string candidate = UpperCaseTbl("Server" + std::to_string(n));
    bool taken = false;
    for (const std::string& s : names) taken = taken || UpperCaseTbl(s) == candidate;
    if (!taken) return "Server" + std::to_string(n);
  }
}

void WriteZone(FileSystem& fs, const std::string& path, const std::string& section,
               const NewZone& z) {
  TFastIniFile ini(fs, path);
  ini.WriteString(section, "ServerCaption", IniValueText(z.Caption, "--caption"));
  ini.WriteString(section, "ServerName", IniValueText(z.Name, "--name"));
  ini.WriteString(section, "ServerAddress", EncodeServerValue(z.Address));
  ini.WriteString(section, "ServerPort", EncodeServerValue(IntToText(z.Port)));
  ini.WriteString(section, "ServerNotice", IniValueText(z.Notice, "--notice"));
  ini.Release();
}

// The launcher must read the new zone back as given; otherwise nothing is replaced.
void CheckZoneAccepted(ToolContext& ctx, const std::string& path, size_t before, const NewZone& z) {
  LoadedConfig after = LoadExisting(ctx, path);
  if (after.Servers.size() == before + 1) {
    const TServerInfo& s = *after.Servers.back();
    if (s.ServerCaption == z.Caption && s.ServerName == z.Name && s.ServerAddress == z.Address &&
        s.ServerPort == z.Port && s.ServerNotice == z.Notice)
      return;
  }
  std::string why = after.Dropped.empty() ? "" : ": " + after.Dropped.back().Reason;
  throw ToolError("the launcher would not read the new zone back as given" + why);
}

int AddZone(ToolContext& ctx, const ParsedArgs& a) {
  const std::string& path = a.Positional[0];
  NewZone z = ZoneFromArgs(ctx, a);
  LoadedConfig current = LoadExisting(ctx, path);
  for (const auto& s : current.Servers)
    if (UpperCaseTbl(s->ServerCaption) == UpperCaseTbl(z.Caption))
      throw ToolError("a zone with the caption " + s->ServerCaption +
                      " exists already; the launcher would drop the new one");
  // The work is done on a copy, so the file stays whole until the new one is checked.
  std::string temp = TempNameBeside(ctx.Fs(), path);
  if (SysError e = ctx.Fs().Copy(path, temp, false))
    throw ToolError("cannot copy " + path + ": " + SysErrorText(e));
  try {
    std::string section = NextServerSection(ctx.Fs(), temp);
    WriteZone(ctx.Fs(), temp, section, z);
    CheckZoneAccepted(ctx, temp, current.Servers.size(), z);
    if (SysError e = ReplaceWithFile(ctx.Fs(), temp, path))
      throw ToolError("cannot replace " + path + ": " + SysErrorText(e));
    ctx.Out() << section << '\n';
  } catch (...) {
    // Whatever stopped the change, the working copy goes and the old file stays whole.
    ctx.Fs().Delete(temp);
    throw;
  }
  return kExitOk;
}

// ---- config list

int List(ToolContext& ctx, const ParsedArgs& a) {
  LoadedConfig c = LoadExisting(ctx, a.Positional[0]);
  const TLauncherConfig& k = c.Config;
  const std::pair<const char*, const std::string*> fields[] = {
      {"Caption1", &k.Caption1},   {"Command1", &k.Command1},   {"Caption2", &k.Caption2},
      {"Command2", &k.Command2},   {"Caption3", &k.Caption3},   {"Command3", &k.Command3},
      {"NoticeURL", &k.NoticeURL}, {"UpdateURL", &k.UpdateURL}, {"Website", &k.Website},
      {"ExitURL", &k.ExitURL},     {"Chongzhi", &k.Chongzhi},   {"BBS", &k.BBS},
      {"InfoVer", &k.InfoVer},
  };
  std::ostream& out = ctx.Out();
  for (const auto& [key, value] : fields) out << key << '=' << ctx.ScreenText(*value) << '\n';
  out << "[zones]\n";
  for (const auto& s : c.Servers)
    out << ctx.ScreenText(s->ServerCaption) << '\t' << ctx.ScreenText(s->ServerAddress) << '\t'
        << s->ServerPort << '\t' << ctx.ScreenText(s->ServerName) << '\t'
        << ctx.ScreenText(s->ServerNotice) << '\n';
  out << "[dropped]\n";
  for (const DroppedSection& d : c.Dropped)
    out << ctx.ScreenText(d.Name) << '\t' << ctx.ScreenText(d.Reason) << '\n';
  return kExitOk;
}

const Registrar newReg({
    "config new",
    "FILE [--client EXE] [--alt-args] [--notice URL] [--update URL] [--website URL] "
    "[--exit URL] [--pay URL] [--bbs URL] [--info TEXT] [--update-key PUBLIC] [--force]",
    "write a launcher configuration file (section LoginInfo, no zones yet)",
    "The launcher reads its configuration from tolw3.inf beside it. Every key of\n"
    "LoginInfo is written; NoticeURL is about:blank unless --notice is given. A value\n"
    "that the launcher would cut at a \";\" or trim is written in double quotes.\n"
    "Add zones with 'qevtool config add-zone'.",
    {{"client", "EXE", "the game client program, relative to the launcher (Caption1)"},
     {"alt-args", "", "start the client with the alternative argument text (Caption3)"},
     {"notice", "URL", "notice page shown in the launcher (NoticeURL)"},
     {"update", "URL", "address of the update-info file (UpdateURL)"},
     {"website", "URL", "web site button (Website)"},
     {"exit", "URL", "page opened when the launcher closes (ExitURL)"},
     {"pay", "URL", "payment page button (Chongzhi)"},
     {"bbs", "URL", "forum page (BBS)"},
     {"info", "TEXT", "banner text, at most 60 bytes in GBK (InfoVer)"},
     {"update-key", "PUBLIC", "accept only updates signed with this key (UpdateKey)"},
     {"force", "", "replace FILE if it exists"}},
    1,
    1,
    New,
    {0},
});

const Registrar addReg({
    "config add-zone",
    "FILE --caption TEXT --name TEXT --address HOST --port N [--notice TEXT]",
    "append a zone (server section) to a configuration file",
    "The new section is the next free name Server1, Server2, ...; ServerAddress and\n"
    "ServerPort are stored enciphered. A caption that equals an existing zone's\n"
    "(ignoring case) is refused, since the launcher would drop it. The file is changed\n"
    "only after the launcher's reader accepts the new zone; the section name is printed.",
    {{"caption", "TEXT", "the zone's row in the launcher's list"},
     {"name", "TEXT", "the zone's name (required by the launcher, not shown)"},
     {"address", "HOST", "host name or dotted IPv4 address of the game server"},
     {"port", "N", "game port (the status port is N + 1000)"},
     {"notice", "TEXT", "message shown when the zone is chosen"}},
    1,
    1,
    AddZone,
    {0},
});

const Registrar listReg({
    "config list",
    "FILE",
    "print a configuration file exactly as the launcher reads it",
    "First the 13 LoginInfo values as Key=value (defaults applied, InfoVer cut to 60\n"
    "bytes), then [zones] with one line per accepted zone: caption, address, port, name,\n"
    "notice (TAB-separated), then [dropped] with each skipped server section and why.",
    {},
    1,
    1,
    List,
    {0},
});

}  // namespace

}  // namespace qev::tool
