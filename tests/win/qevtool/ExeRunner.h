#pragma once
// Runs the built qevtool.exe as a child process on Windows, for tests of the real
// program: arguments go in as UTF-16, standard output and error come back as bytes.

#include <string>
#include <vector>

namespace qev::test {

struct ExeResult {
  int Exit = -1;
  std::string Out;
  std::string Err;
};

// args are UTF-8; they reach the program as its wide command line.
ExeResult RunQevtool(const std::vector<std::string>& args);

// A fresh folder under the temporary folder (its name holds Chinese, so every path a
// test hands over goes through the tool's text conversion), removed at the end.
class ExeTempFolder {
 public:
  ExeTempFolder();
  ~ExeTempFolder();
  // The UTF-8 path of name inside the folder, as a test passes it on the command line.
  std::string operator/(const std::string& name) const;
  // The same path as GBK, as the launcher's own file system takes it.
  std::string Gbk(const std::string& name) const;

 private:
  std::wstring path_;
};

std::wstring Utf8ToWide(const std::string& utf8);
std::string WideToUtf8(const std::wstring& wide);
std::string ReadBytes(const std::string& utf8Path);
void WriteBytes(const std::string& utf8Path, const std::string& data);

}  // namespace qev::test
