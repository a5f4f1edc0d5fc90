// Plays the game client the launcher starts. Writes what it was started with into
// "FakeClient.json" beside itself: the command line, the text after the program name,
// the working folder and the bytes of Config.ini in its folder (hex, since that file is
// GBK). Then it stays up for QEV_FAKE_CLIENT_MS milliseconds (default 500) and exits;
// with QEV_FAKE_CLIENT_WINDOW set it shows all that in a window until that is closed.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "ClientWindow.h"
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

std::string Bytes(const std::wstring& path) {
  std::string out;
  FILE* f = _wfopen(path.c_str(), L"rb");
  if (!f) return out;
  int c;
  while ((c = fgetc(f)) != EOF) out += static_cast<char>(c);
  fclose(f);
  return out;
}

std::string Hex(const std::string& bytes) {
  std::string out;
  char buf[4];
  for (unsigned char c : bytes) {
    snprintf(buf, sizeof buf, "%02x", c);
    out += buf;
  }
  return out;
}

std::wstring Shown(const std::wstring& line, const std::wstring& cwd, const std::string& config) {
  std::wstring text = L"\u6e38\u620f\u5ba2\u6237\u7aef\u5df2\u7531\u767b\u5f55\u5668\u542f\u52a8\r\n\r\n";
  text += L"\u547d\u4ee4\u884c\uff1a  " + line + L"\r\n\u542f\u52a8\u53c2\u6570\uff1a  " + ArgumentsOf(line) +
          L"\r\n\u5de5\u4f5c\u76ee\u5f55\uff1a  " + cwd + L"\r\n\r\nConfig.ini:\r\n" + driver::FromGbk(config);
  return text;
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
  const std::string config = Bytes(folder + L"Config.ini");
  const std::string record = "{\"command_line\": " + Json(Utf8(line)) +
                             ", \"arguments\": " + Json(Utf8(ArgumentsOf(line))) +
                             ", \"cwd\": " + Json(Utf8(cwd)) +
                             ", \"config_hex\": " + Json(Hex(config)) + "}\n";
  if (!WriteWhole(folder + L"FakeClient.json", record)) return 1;
  if (getenv("QEV_FAKE_CLIENT_WINDOW"))
    return driver::ShowClientWindow(L"\u795e\u57df3 \u6e38\u620f\u5ba2\u6237\u7aef (demo)",
                                    Shown(line, cwd, config));
  const char* stay = getenv("QEV_FAKE_CLIENT_MS");
  Sleep(stay ? strtoul(stay, nullptr, 10) : 500);
  return 0;
}
