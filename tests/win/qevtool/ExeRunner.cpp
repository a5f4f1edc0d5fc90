#include "ExeRunner.h"

#include <windows.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>

#include "win32/Gbk.h"

namespace qev::test {

namespace {

// The build names the program by its Unix path; Wine shows the Unix root as drive Z:.
std::wstring ProgramPath() {
  std::wstring p = Utf8ToWide(QEVTOOL_PATH);
  for (wchar_t& c : p)
    if (c == L'/') c = L'\\';
  return p.size() > 0 && p[0] == L'\\' ? L"Z:" + p : p;
}

// The quoting that the C runtime's command-line parser undoes: backslashes count only
// before a double quote, so those runs are doubled.
std::wstring Quote(const std::wstring& arg) {
  std::wstring out = L"\"";
  size_t slashes = 0;
  for (wchar_t c : arg) {
    if (c == L'\\') {
      ++slashes;
      continue;
    }
    out.append(c == L'"' ? 2 * slashes + 1 : slashes, L'\\');
    slashes = 0;
    out += c;
  }
  out.append(2 * slashes, L'\\');
  return out + L"\"";
}

HANDLE InheritableFile(const std::wstring& path, DWORD access, DWORD disposition) {
  SECURITY_ATTRIBUTES sa{sizeof(sa), nullptr, TRUE};
  HANDLE h = CreateFileW(path.c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE, &sa, disposition,
                         FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) throw std::runtime_error("cannot open a standard stream");
  return h;
}

std::wstring UniqueTempPath(const wchar_t* stem) {
  wchar_t dir[MAX_PATH + 1];
  GetTempPathW(MAX_PATH, dir);
  static unsigned counter = 0;
  return std::wstring(dir) + stem + std::to_wstring(GetCurrentProcessId()) + L"-" +
         std::to_wstring(++counter);
}

std::string ReadWide(const std::wstring& path) {
  std::ifstream in(std::filesystem::path(path), std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

}  // namespace

std::wstring Utf8ToWide(const std::string& utf8) {
  int n = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
  std::wstring w(static_cast<size_t>(n), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), w.data(), n);
  return w;
}

std::string WideToUtf8(const std::wstring& wide) {
  int n = WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0,
                              nullptr, nullptr);
  std::string s(static_cast<size_t>(n), '\0');
  WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), s.data(), n, nullptr,
                      nullptr);
  return s;
}

ExeResult RunQevtool(const std::vector<std::string>& args) {
  std::wstring exe = ProgramPath(), line = Quote(exe);
  for (const std::string& a : args) line += L" " + Quote(Utf8ToWide(a));
  // Output goes to files rather than pipes, so a chatty child can never block on a
  // pipe that nobody is reading yet.
  std::wstring outPath = UniqueTempPath(L"qevout"), errPath = UniqueTempPath(L"qeverr");
  HANDLE in = InheritableFile(L"NUL", GENERIC_READ, OPEN_EXISTING);
  HANDLE out = InheritableFile(outPath, GENERIC_WRITE, CREATE_ALWAYS);
  HANDLE err = InheritableFile(errPath, GENERIC_WRITE, CREATE_ALWAYS);
  STARTUPINFOW si{};
  si.cb = sizeof(si);
  si.dwFlags = STARTF_USESTDHANDLES;
  si.hStdInput = in;
  si.hStdOutput = out;
  si.hStdError = err;
  PROCESS_INFORMATION pi{};
  BOOL started = CreateProcessW(exe.c_str(), line.data(), nullptr, nullptr, TRUE, 0, nullptr,
                                nullptr, &si, &pi);
  CloseHandle(in);
  CloseHandle(out);
  CloseHandle(err);
  ExeResult r;
  if (started) {
    WaitForSingleObject(pi.hProcess, 60000);
    DWORD code = 0;
    GetExitCodeProcess(pi.hProcess, &code);
    r.Exit = static_cast<int>(code);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
  }
  r.Out = ReadWide(outPath);
  r.Err = ReadWide(errPath);
  DeleteFileW(outPath.c_str());
  DeleteFileW(errPath.c_str());
  if (!started) throw std::runtime_error("cannot start qevtool.exe");
  return r;
}

ExeTempFolder::ExeTempFolder() : path_(UniqueTempPath(L"qev \u6d4b\u8bd5 ")) {  // "测试"
  std::filesystem::create_directories(std::filesystem::path(path_));
}

ExeTempFolder::~ExeTempFolder() {
  std::error_code ignored;
  std::filesystem::remove_all(std::filesystem::path(path_), ignored);
}

std::string ExeTempFolder::operator/(const std::string& name) const {
  return WideToUtf8(path_) + "\\" + name;
}

std::string ExeTempFolder::Gbk(const std::string& name) const {
  std::string gbk;
  if (!WideToGbk(path_ + L"\\" + Utf8ToWide(name), gbk)) throw std::runtime_error("not GBK");
  return gbk;
}

std::string ReadBytes(const std::string& utf8Path) { return ReadWide(Utf8ToWide(utf8Path)); }

void WriteBytes(const std::string& utf8Path, const std::string& data) {
  std::ofstream out(std::filesystem::path(Utf8ToWide(utf8Path)), std::ios::binary);
  out << data;
}

}  // namespace qev::test
