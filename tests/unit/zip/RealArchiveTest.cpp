// Archives made by outside tools (Info-ZIP zip, Python's zipfile), extracted on the real
// file system and compared byte for byte with the files they were made from.

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdlib>
#include <fstream>
#include <random>
#include <sstream>

#include "ScriptedPrompt.h"
#include "posix/PosixFileSystem.h"
#include "zip/VCLUnZip.h"

namespace qev {
namespace {

std::string ReadFile(const std::string& path) {
  std::ifstream f(path, std::ios::binary);
  std::stringstream ss;
  ss << f.rdbuf();
  return ss.str();
}

void WriteFile(const std::string& path, const std::string& data) {
  std::ofstream(path, std::ios::binary) << data;
}

int Sh(const std::string& cmd) { return std::system(cmd.c_str()); }

class RealArchive : public ::testing::Test {
 protected:
  void SetUp() override {
    if (Sh("command -v zip >/dev/null && command -v python3 >/dev/null") != 0)
      GTEST_SKIP() << "zip or python3 missing";
    char tmpl[] = "/tmp/qevzipXXXXXX";
    ASSERT_NE(mkdtemp(tmpl), nullptr);
    root_ = tmpl;
    src_ = root_ + "/src";
    Sh("mkdir -p " + src_ + "/sub/deeper");
    std::mt19937 rng(11);
    std::string random(300000, '\0');
    for (char& c : random) c = static_cast<char>(rng());
    std::string text;
    for (int i = 0; i < 20000; ++i) text += "Server" + std::to_string(i % 97) + "=127.0.0.1\r\n";
    files_ = {{"random.bin", random},
              {"text.ini", text},
              {"sub/empty.dat", ""},
              {"sub/deeper/small.txt", "hello"},
              {"readonly.cfg", "do not touch"}};
    for (auto& [name, data] : files_) WriteFile(src_ + "/" + name, data);
    // An even second, as DOS times keep: 2024-03-05 06:07:08.
    for (auto& [name, data] : files_) Sh("touch -d '2024-03-05 06:07:08' " + src_ + "/" + name);
    chmod((src_ + "/readonly.cfg").c_str(), 0444);
  }
  void TearDown() override {
    if (!root_.empty()) Sh("chmod -R u+w " + root_ + "; rm -rf " + root_);
  }

  // Extracts archive into a new folder and checks every source file arrived whole.
  void ExpectExtracts(const std::string& archive, const std::string& what) {
    std::string dest = root_ + "/out_" + what;
    PosixFileSystem fs;
    test::ScriptedPrompt prompt;
    TVCLUnZip unzip(fs, prompt);
    unzip.ZipName = archive;
    unzip.DestDir = dest;
    unzip.ReadZip();
    EXPECT_EQ(unzip.UnZip(), static_cast<int>(files_.size())) << what;
    EXPECT_TRUE(prompt.asked.empty()) << what;
    for (auto& [name, data] : files_) {
      std::string flat = dest + "/" + name.substr(name.rfind('/') + 1);
      EXPECT_TRUE(ReadFile(flat) == data) << what << ": " << name;
      struct stat st {};
      ASSERT_EQ(stat(flat.c_str(), &st), 0) << what << ": " << name;
      struct stat orig {};
      stat((src_ + "/" + name).c_str(), &orig);
      EXPECT_EQ(st.st_mtime, orig.st_mtime) << what << ": " << name;
    }
    uint32_t attrs = 0;
    fs.GetAttributes(dest + "/readonly.cfg", attrs);
    EXPECT_TRUE(attrs & kAttrReadOnly) << what;
    fs.GetAttributes(dest + "/text.ini", attrs);
    EXPECT_FALSE(attrs & kAttrReadOnly) << what;
  }

  std::string root_, src_;
  std::vector<std::pair<std::string, std::string>> files_;
};

TEST_F(RealArchive, InfoZipArchivesOfEveryKind) {
  const std::string in = "cd " + src_ + " && ";
  ASSERT_EQ(Sh(in + "zip -q -0 -r ../l0.zip ."), 0);
  ExpectExtracts(root_ + "/l0.zip", "level0");
  ASSERT_EQ(Sh(in + "zip -q -9 -r ../l9.zip ."), 0);
  ExpectExtracts(root_ + "/l9.zip", "level9");
  ASSERT_EQ(Sh(in + "echo 'patch of the week' | zip -q -9 -r -z ../comment.zip ."), 0);
  ExpectExtracts(root_ + "/comment.zip", "comment");
  ASSERT_EQ(Sh(in + "zip -q -fz -r ../z64.zip ."), 0);
  ExpectExtracts(root_ + "/z64.zip", "zip64");
}

TEST_F(RealArchive, PythonZipfileArchives) {
  std::string script = root_ + "/mk.py";
  WriteFile(script,
            "import os, sys, zipfile\n"
            "src, out = sys.argv[1], sys.argv[2]\n"
            "with zipfile.ZipFile(out, 'w') as z:\n"
            "  for base, dirs, files in os.walk(src):\n"
            "    for n in sorted(files):\n"
            "      p = os.path.join(base, n)\n"
            "      rel = os.path.relpath(p, src)\n"
            "      method = zipfile.ZIP_STORED if n.endswith('.txt') else zipfile.ZIP_DEFLATED\n"
            "      z.write(p, rel, compress_type=method)\n");
  ASSERT_EQ(Sh("python3 " + script + " " + src_ + " " + root_ + "/py.zip"), 0);
  ExpectExtracts(root_ + "/py.zip", "python");
}

}  // namespace
}  // namespace qev
