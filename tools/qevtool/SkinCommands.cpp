// qevtool skin pack / list / unpack: skin files and their folder form (one BMP per
// bitmap record plus values.ini with [integers], [booleans] and [texts]).

#include <algorithm>
#include <ostream>
#include <random>

#include "CommandLine.h"
#include "HostFolders.h"
#include "IniText.h"
#include "OutputFiles.h"
#include "SkinRecords.h"
#include "ToolContext.h"
#include "ToolErrors.h"
#include "config/FastIniFile.h"
#include "config/IniValueText.h"
#include "config/UpperCase.h"
#include "platform/FileOps.h"
#include "skin/BmpDecoder.h"
#include "skin/SUI2SkinReader.h"
#include "skin/SkinContainer.h"
#include "skin/SkinWriter.h"

namespace qev::tool {

namespace {

constexpr char kValuesFile[] = "values.ini";
constexpr size_t kMaxNameBytes = 64;
const char* const kValueSections[] = {"integers", "booleans", "texts"};

std::string Password(ToolContext& ctx, const ParsedArgs& a) {
  return a.Has("password") ? ctx.FileText(a.Value("password"), "--password") : "";
}

void CheckName(const std::string& name, const std::string& where) {
  if (name.empty() || name.size() > kMaxNameBytes)
    throw ToolError(where + ": a record name has 1 to 64 bytes");
}

// ---- pack

std::vector<SkinValue> BitmapValues(ToolContext& ctx, const std::string& dir) {
  std::vector<SkinValue> values;
  for (const std::string& file : ListFileNames(ctx.NativePath(dir))) {
    std::string ext = file.size() > 4 ? file.substr(file.size() - 4) : "";
    std::transform(ext.begin(), ext.end(), ext.begin(), ::tolower);
    if (ext != ".bmp") continue;
    std::string fileName = ctx.FileText(file, "a bitmap's file name");
    std::string path = dir + "/" + fileName;
    std::string name = fileName.substr(0, fileName.size() - 4);
    CheckName(name, path);
    std::string bmp = ReadInputFile(ctx.Fs(), path);
    try {
      DecodeBmp(bmp);  // the launcher's decoder must take it
    } catch (const BmpError& e) {
      throw ToolError(path + ": not a bitmap the launcher can load: " + e.what());
    }
    values.push_back(SkinValue::Bitmap(name, bmp));
  }
  return values;
}

SkinValue ParseValue(ToolContext& ctx, const std::string& section, const std::string& key,
                     const std::string& text) {
  std::string where = std::string(kValuesFile) + " [" + section + "] " + key;
  std::string name = ctx.Raw ? key : ctx.FileText(key, where);
  CheckName(name, where);
  if (section == "texts") return SkinValue::Text(name, ctx.Raw ? text : ctx.FileText(text, where));
  int32_t n = 0;
  if (!ParseIniInteger(text, n)) throw ToolError(where + ": not a whole number: " + text);
  if (section == "integers") return SkinValue::Integer(name, n);
  if (n != 0 && n != 1) throw ToolError(where + ": a boolean is 0 or 1");
  return SkinValue::Boolean(name, n != 0);
}

// values.ini is the operator's own file in the terminal's text (UTF-8), read with the
// launcher's INI rules.
std::vector<SkinValue> ValuesFromIni(ToolContext& ctx, const std::string& dir) {
  std::string path = dir + "/" + kValuesFile;
  std::vector<SkinValue> values;
  if (!ctx.Fs().FileExists(path)) return values;
  TFastIniFile ini(ctx.Fs(), path);
  std::vector<std::string> sections, keys;
  ini.ReadSections(sections);
  for (const std::string& s : sections)
    if (std::find(std::begin(kValueSections), std::end(kValueSections), s) ==
        std::end(kValueSections))
      throw ToolError(path + ": unknown section [" + s + "] (integers, booleans, texts)");
  for (const char* section : kValueSections) {
    ini.ReadSection(section, keys);
    for (const std::string& key : keys)
      values.push_back(ParseValue(ctx, section, key, ini.ReadString(section, key, "")));
  }
  ini.Clear();
  return values;
}

std::string RandomSeedPassword(const std::string& password, const std::string& data) {
  std::random_device rd;
  return BuildSkinContainer({{kSkinDataEntryName, data}}, password, rd());
}

int Pack(ToolContext& ctx, const ParsedArgs& a) {
  const std::string& dir = a.Positional[0];
  const std::string& out = a.Positional[1];
  if (!ctx.Fs().DirExists(dir)) throw ToolError("no folder " + dir);
  RequireReplaceable(ctx.Fs(), out, a.Has("force"));
  std::vector<SkinValue> values = BitmapValues(ctx, dir);
  for (SkinValue& v : ValuesFromIni(ctx, dir)) values.push_back(std::move(v));
  if (values.empty()) throw ToolError(dir + " holds no .bmp file and no values");
  std::string password = Password(ctx, a);
  std::string container = RandomSeedPassword(password, BuildSkinData(values));
  // The launcher's reader must load what was made before the file appears.
  std::string back;
  if (ExtractSkinEntryFromBytes(container, kSkinDataEntryName, password, back) != kSkinEntryDone ||
      !Tsk2SkinFileReader(back).Loaded())
    throw ToolError("the launcher's reader does not accept the packed skin");
  WriteOutputFile(ctx.Fs(), out, container, a.Has("force"));
  ctx.Out() << values.size() << " records, " << ctx.ScreenText(out) << '\n';
  return kExitOk;
}

// ---- list and unpack

// Reads the skin as the launcher does. A reader failure is reported with the text the
// player sees, then the precise reason; "not loaded" says whether the data is
// enciphered or damaged.
std::vector<SkinRecordView> LoadRecords(ToolContext& ctx, const std::string& path,
                                        const std::string& password) {
  std::string data, why;
  uint8_t result = ReadSkinEntry(ctx.Fs(), path, kSkinDataEntryName, password, data, &why);
  if (result == kSkinEntryFailed)
    throw ToolError(std::string(kSkinReadFailedText) + " " + path + ": " + why);
  if (result == kSkinEntryRefused) throw ToolError(path + ": not loaded (" + why + ")");
  try {
    Tsk2SkinFileReader reader(data);
  } catch (const SkinError& e) {
    throw ToolError(std::string(kSkinReadFailedText) + " " + path + ": " + e.what());
  } catch (const BmpError& e) {
    throw ToolError(std::string(kSkinReadFailedText) + " " + path + ": " + e.what());
  }
  return WalkSkinRecords(data);
}

int32_t IntegerOf(const std::string& d) {
  uint32_t v = 0;
  for (int i = 3; i >= 0; --i) v = (v << 8) | static_cast<uint8_t>(d[static_cast<size_t>(i)]);
  return static_cast<int32_t>(v);
}

int List(ToolContext& ctx, const ParsedArgs& a) {
  for (const SkinRecordView& r : LoadRecords(ctx, a.Positional[0], Password(ctx, a))) {
    std::string name = ctx.ScreenText(r.Name);
    switch (r.Kind) {
      case kSkinBitmap: {
        PlainBitmap b = DecodeBmp(r.Data);
        ctx.Out() << "bitmap\t" << name << '\t' << b.Width << 'x' << b.Height << '\n';
        break;
      }
      case kSkinInteger:
        ctx.Out() << "integer\t" << name << '\t' << IntegerOf(r.Data) << '\n';
        break;
      case kSkinBoolean:
        ctx.Out() << "boolean\t" << name << '\t' << (r.Data[0] ? 1 : 0) << '\n';
        break;
      case kSkinText:
        ctx.Out() << "text\t" << name << '\t' << ctx.ScreenText(r.Data) << '\n';
        break;
      default:
        break;  // the launcher skips unknown kinds
    }
  }
  return kExitOk;
}

// A record name becomes a file name or an INI key: nothing that leaves the folder or
// changes the INI line.
void CheckUnpackName(const std::string& name, bool asKey) {
  bool bad = name.empty() || name == "." || name == ".." ||
             name.find_first_of(std::string("/\\:\0", 4)) != std::string::npos ||
             static_cast<unsigned char>(name.front()) <= 32 ||
             static_cast<unsigned char>(name.back()) <= 32;
  if (asKey)
    bad = bad || name.find('=') != std::string::npos || name.front() == ';' || name.front() == '[';
  if (bad) throw ToolError("record name cannot be unpacked safely: " + name);
}

int Unpack(ToolContext& ctx, const ParsedArgs& a) {
  const std::string& dir = a.Positional[1];
  bool force = a.Has("force");
  std::vector<SkinRecordView> records = LoadRecords(ctx, a.Positional[0], Password(ctx, a));
  std::vector<std::pair<std::string, std::string>> files;  // native path, bytes
  std::string sections[3];
  std::vector<std::string> seen[4];  // names already taken per kind: lookups find the first
  for (const SkinRecordView& r : records) {
    if (r.Kind > kSkinText) continue;
    std::string folded = UpperCaseTbl(r.Name);
    if (std::find(seen[r.Kind].begin(), seen[r.Kind].end(), folded) != seen[r.Kind].end()) {
      ctx.Err() << "qevtool: skipped a second record named " << ctx.ScreenText(r.Name) << '\n';
      continue;
    }
    seen[r.Kind].push_back(folded);
    // Checked in screen form: the second byte of a GBK character may be a backslash.
    std::string name = ctx.ScreenText(r.Name);
    CheckUnpackName(name, r.Kind != kSkinBitmap);
    if (r.Kind == kSkinBitmap)
      files.emplace_back(dir + "/" + r.Name + ".bmp", r.Data);
    else if (r.Kind == kSkinInteger)
      sections[0] += name + "=" + std::to_string(IntegerOf(r.Data)) + "\r\n";
    else if (r.Kind == kSkinBoolean)
      sections[1] += name + "=" + (r.Data[0] ? "1" : "0") + "\r\n";
    else
      sections[2] += IniKeyLine(name, ctx.ScreenText(r.Data), "text " + name);
  }
  std::string ini;
  for (int i = 0; i < 3; ++i)
    ini += std::string(i ? "\r\n" : "") + "[" + kValueSections[i] + "]\r\n" + sections[i];
  files.emplace_back(dir + "/" + kValuesFile, ini);
  for (const auto& f : files) RequireReplaceable(ctx.Fs(), f.first, force);
  if (SysError e = CreateDirPath(ctx.Fs(), dir))
    throw ToolError("cannot create " + dir + ": " + SysErrorText(e));
  for (const auto& f : files) WriteOutputFile(ctx.Fs(), f.first, f.second, force);
  ctx.Out() << records.size() << " records, " << ctx.ScreenText(dir) << '\n';
  return kExitOk;
}

const OptionDef kPassword{"password", "P", "the password of an enciphered skin"};
const OptionDef kForce{"force", "", "replace existing output files"};

const Registrar packReg({
    "skin pack",
    "DIR OUT [--password P] [--force]",
    "build a skin file from a folder of bitmaps and values.ini",
    "DIR holds one NAME.bmp per bitmap record and optionally values.ini with sections\n"
    "[integers], [booleans] (0 or 1) and [texts]; keys are record names (at most 64\n"
    "bytes in GBK). Integers, colours among them (0x00BBGGRR), may be written as decimal\n"
    "or 0x hexadecimal. The records go into the chain as bitmaps (by file name), then\n"
    "integers, booleans and texts in file order. With --password the data is enciphered.\n"
    "The launcher's reader checks the result before OUT is written.",
    {kPassword, kForce},
    2,
    2,
    Pack,
    {0, 1},
});

const Registrar listReg({
    "skin list",
    "FILE [--password P]",
    "print every record the launcher loads from a skin file, in chain order",
    "Lines (TAB-separated): bitmap NAME WIDTHxHEIGHT, integer NAME VALUE, boolean NAME\n"
    "0|1, text NAME VALUE. Exit 1 with \"Failed to read skin file!\" and the reason when the\n"
    "reader fails, and with \"not loaded\" and the reason (enciphered data with a missing or\n"
    "wrong password, or damaged data) when the launcher would show its built-in look.",
    {kPassword},
    1,
    1,
    List,
    {0},
});

const Registrar unpackReg({
    "skin unpack",
    "FILE DIR [--password P] [--force]",
    "write a skin file back in the folder form that 'skin pack' takes",
    "Records that a lookup never reaches (a second record of one name) are left out with\n"
    "a message. A record name that is not a safe file name is refused.",
    {kPassword, kForce},
    2,
    2,
    Unpack,
    {0, 1},
});

}  // namespace

}  // namespace qev::tool
