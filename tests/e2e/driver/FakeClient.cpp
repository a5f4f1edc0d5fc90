// Plays the game client the launcher starts. Writes what it was started with into
// "FakeClient.json" beside itself: the command line, the text after the program name,
// the working folder and the bytes of Config.ini in its folder (hex, since that file is
// GBK). Then it stays up for QEV_FAKE_CLIENT_MS milliseconds (default 500) and exits.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "DriverText.h"

namespace {

using driver::Json;
using driver::Utf8;

// The command line without the program name (quoted or not) and the blanks after it.
std::wstring ArgumentsOf(const std::wstring& line) {
  size_t i = 0;
  if (!line.empty() && line[0] == L'"') {
    i = line.find(L'"', 1);
    i = i == std::wstring::npos ? line.size() : i + 1;
  } else {
    while (i < line.size() && line[i] != L' ' && line[i] != L'\t') ++i;
  }
  while (i < line.size() && (line[i] == L' ' || line[i] == L'\t')) ++i;
  return line.substr(i);
}

std::wstring OwnFolder() {
  wchar_t path[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring p = path;
  return p.substr(0, p.find_last_of(L'\\') + 1);
}

std::string Hex(const std::wstring& path) {
  std::string out;
  FILE* f = _wfopen(path.c_str(), L"rb");
  if (!f) return out;
  int c;
  char buf[4];
  while ((c = fgetc(f)) != EOF) {
    snprintf(buf, sizeof buf, "%02x", c);
    out += buf;
  }
  fclose(f);
  return out;
}

bool WriteWhole(const std::wstring& path, const std::string& text) {
  // Written beside the target and moved over it, so a reader never sees half a record.
  const std::wstring temp = path + L".tmp";
  FILE* f = _wfopen(temp.c_str(), L"wb");
  if (!f) return false;
  const bool ok = fwrite(text.data(), 1, text.size(), f) == text.size();
  if (fclose(f) != 0 || !ok) return false;
  return MoveFileExW(temp.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING) != 0;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  const std::wstring folder = OwnFolder();
  wchar_t cwd[MAX_PATH] = {};
  GetCurrentDirectoryW(MAX_PATH, cwd);
  const std::wstring line = GetCommandLineW();
  const std::string record = "{\"command_line\": " + Json(Utf8(line)) +
                             ", \"arguments\": " + Json(Utf8(ArgumentsOf(line))) +
                             ", \"cwd\": " + Json(Utf8(cwd)) +
                             ", \"config_hex\": " + Json(Hex(folder + L"Config.ini")) + "}\n";
  if (!WriteWhole(folder + L"FakeClient.json", record)) return 1;
  const char* stay = getenv("QEV_FAKE_CLIENT_MS");
  Sleep(stay ? strtoul(stay, nullptr, 10) : 500);
  return 0;
}
