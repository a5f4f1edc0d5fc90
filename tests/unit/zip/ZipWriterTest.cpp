// The archive writer, read back by an outside reader (Python's zipfile) so that a fault
// shared by our writer and our reader cannot hide.

#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <sstream>

#include "zip/VCLUnZip.h"
#include "zip/ZipWriter.h"

namespace qev {
namespace {

// Runs a Python script on the archive and returns what it prints.
std::string PythonOn(const std::string& archive, const std::string& script) {
  char tmpl[] = "/tmp/qevzipwXXXXXX";
  int fd = mkstemp(tmpl);
  if (fd < 0) return "no temporary file";
  close(fd);
  const std::string path = tmpl;
  std::ofstream(path, std::ios::binary) << archive;
  std::ofstream(path + ".py") << "import sys, zipfile\nz = zipfile.ZipFile(sys.argv[1])\n"
                              << script;
  std::string out;
  if (FILE* p = popen(("python3 " + path + ".py " + path + " 2>&1").c_str(), "r")) {
    char buf[4096];
    for (size_t n; (n = fread(buf, 1, sizeof buf, p)) > 0;) out.append(buf, n);
    pclose(p);
  }
  std::remove((path + ".py").c_str());
  std::remove(path.c_str());
  return out;
}

TEST(ZipWriter, MembersReadBackByAnOutsideReader) {
  if (std::system("command -v python3 >/dev/null") != 0) GTEST_SKIP() << "python3 missing";
  std::string big;
  for (int i = 0; big.size() < 300000; ++i)
    big += "Zone" + std::to_string(i % 101) + "=127.0.0.1\r\n";
  big.resize(300000);
  ZipWriter zip;
  EXPECT_EQ(zip.AddDeflated({"a.dat", 0x58613C84, 0x21}, big), 0u);
  size_t second = zip.AddDeflated({"sub/\xD6\xD0.txt", 0x00210000, 0x20}, "", 1);
  // Data packed by the caller is written as given, with the caller's CRC and size.
  zip.AddPacked({"raw.bin", 0x00210000, 0, 0, 0}, ZipCrc32("stored"), 6, "stored");
  const std::string archive = zip.Finish();
  EXPECT_EQ(archive.compare(second, 4, "PK\3\4"), 0);

  std::string listed =
      PythonOn(archive,
               "print(z.testzip())\n"
               "for i in z.infolist():\n"
               "  print(i.filename.encode('cp437'), i.date_time, hex(i.external_attr),"
               " i.compress_type, i.file_size, i.flag_bits, i.create_version)\n"
               "print(len(z.read('a.dat')), z.read('raw.bin'))\n");
  EXPECT_EQ(listed,
            "None\n"
            "b'a.dat' (2024, 3, 1, 7, 36, 8) 0x21 8 300000 0 20\n"
            "b'sub/\\xd6\\xd0.txt' (1980, 1, 1, 0, 0, 0) 0x20 8 0 0 20\n"
            "b'raw.bin' (1980, 1, 1, 0, 0, 0) 0x0 0 6 0 20\n"
            "300000 b'stored'\n");
}

TEST(ZipWriter, RefusesWhatThePlainFormatCannotHold) {
  ZipWriter zip;
  EXPECT_THROW(zip.AddDeflated({std::string(0x10000, 'n')}, "x"), ZipError);
  EXPECT_THROW(zip.AddPacked({"huge"}, 0, 0xFFFFFFFFull, ""), ZipError);
  EXPECT_NO_THROW(zip.AddDeflated({std::string(0xFFFF, 'n')}, "x"));
  for (int i = 1; i < 0xFFFF; ++i) zip.AddPacked({"e"}, 0, 0, "");
  EXPECT_THROW(zip.AddPacked({"one too many"}, 0, 0, ""), ZipError);
  // The refused members left nothing behind: the count field holds all that were taken.
  const std::string archive = zip.Finish();
  EXPECT_EQ(archive.compare(archive.size() - 22, 4, "PK\5\6"), 0);
  EXPECT_EQ(static_cast<uint8_t>(archive[archive.size() - 12]), 0xFF);
  EXPECT_EQ(static_cast<uint8_t>(archive[archive.size() - 11]), 0xFF);
}

}  // namespace
}  // namespace qev
