// The ZIP directory reader and extraction into the in-memory file system, fed arbitrary
// archives. Extraction must end with a count or a ZipError, never a crash, and must
// leave nothing outside the destination folder.

#include <cstddef>
#include <cstdint>
#include <string>

#include "tests/fakes/MemFileSystem.h"
#include "zip/VCLUnZip.h"

namespace {

class AlternatingPrompt : public qev::ZipPrompt {
 public:
  bool AskReplace(const std::string&) override { return (++asked_ & 1) != 0; }
  void ShowError(const std::string&, const std::string&) override {}

 private:
  unsigned asked_ = 0;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  qev::test::MemFileSystem fs;
  fs.AddFile("C:\\in\\a.zip", std::string(reinterpret_cast<const char*>(data), size));
  fs.AddFile("C:\\out\\a.txt", "existing");
  AlternatingPrompt prompt;
  qev::TVCLUnZip unzip(fs, prompt);
  unzip.ZipName = "C:\\in\\a.zip";
  unzip.DestDir = "C:\\out";
  try {
    unzip.ReadZip();
    unzip.UnZip();
  } catch (const qev::ZipError&) {
  }
  for (const std::string& f : fs.ListFiles())
    if (f.rfind("C:\\OUT\\", 0) != 0 && f != "C:\\IN\\A.ZIP") __builtin_trap();
  return 0;
}
