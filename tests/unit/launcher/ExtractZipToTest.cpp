// Unpacking through the window: members land in the folder, the replace question, and
// the error box of a damaged archive.
#include <gtest/gtest.h>

#include <zlib.h>

#include "tests/unit/launcher/FormTestSupport.h"

namespace qev {
namespace {

using test::FakeFormKit;
using test::Gbk;

void Put16(std::string& s, uint32_t v) {
  s.push_back(char(v & 0xFF));
  s.push_back(char((v >> 8) & 0xFF));
}
void Put32(std::string& s, uint32_t v) {
  Put16(s, v & 0xFFFF);
  Put16(s, v >> 16);
}

// A ZIP archive of stored members (name -> data), laid out as the application note says.
std::string StoredZip(const std::vector<std::pair<std::string, std::string>>& members) {
  std::string out, central;
  for (const auto& [name, data] : members) {
    const uint32_t crc = crc32(0, reinterpret_cast<const Bytef*>(data.data()), data.size());
    const uint32_t offset = static_cast<uint32_t>(out.size());
    const uint32_t dosTime = (29u << 25) | (1u << 21) | (1u << 16);  // 2009-01-01 00:00
    Put32(out, 0x04034b50);
    Put16(out, 10), Put16(out, 0), Put16(out, 0), Put32(out, dosTime), Put32(out, crc);
    Put32(out, data.size()), Put32(out, data.size()), Put16(out, name.size()), Put16(out, 0);
    out += name + data;
    Put32(central, 0x02014b50);
    Put16(central, 20), Put16(central, 10), Put16(central, 0), Put16(central, 0);
    Put32(central, dosTime), Put32(central, crc), Put32(central, data.size());
    Put32(central, data.size()), Put16(central, name.size()), Put16(central, 0);
    Put16(central, 0), Put16(central, 0), Put16(central, 0), Put32(central, 0x20);
    Put32(central, offset);
    central += name;
  }
  const uint32_t centralAt = static_cast<uint32_t>(out.size());
  out += central;
  Put32(out, 0x06054b50);
  Put16(out, 0), Put16(out, 0), Put16(out, members.size()), Put16(out, members.size());
  Put32(out, central.size()), Put32(out, centralAt), Put16(out, 0);
  return out;
}

TEST(ExtractZipTo, MembersLandFlatAndExistingFilesAreAskedAbout) {
  FakeFormKit kit;
  auto form = kit.Make();
  kit.fs.AddDir("C:\\Game\\update");
  kit.fs.AddFile("C:\\Game\\update\\Wav.pak.zip",
                 StoredZip({{"Data/Wav.pak", "new wave"}, {"Readme.txt", "hello"}}));
  kit.fs.AddFile("C:\\Game\\update\\Readme.txt", "leftover");

  kit.boxes.answers = {SystemDialogs::kIdNo};
  EXPECT_TRUE(form->ExtractZipTo("C:\\Game\\update\\Wav.pak.zip", "C:\\Game\\update"));
  EXPECT_EQ(kit.fs.Contents("C:\\Game\\update\\Wav.pak"), "new wave");
  EXPECT_EQ(kit.fs.Contents("C:\\Game\\update\\Readme.txt"), "leftover");
  ASSERT_EQ(kit.boxes.shown.size(), 1u);
  EXPECT_EQ(kit.boxes.shown[0].caption, "File Exists Alert");
  EXPECT_EQ(kit.boxes.shown[0].text, "Replace existing file Readme.txt?");
  EXPECT_FALSE(kit.boxes.shown[0].owned);

  kit.boxes.answers = {SystemDialogs::kIdYes, SystemDialogs::kIdYes};
  EXPECT_TRUE(form->ExtractZipTo("C:\\Game\\update\\Wav.pak.zip", "C:\\Game\\update\\"));
  EXPECT_EQ(kit.fs.Contents("C:\\Game\\update\\Readme.txt"), "hello");
}

TEST(ExtractZipTo, DamagedOrMissingArchiveShowsTheErrorBox) {
  FakeFormKit kit;
  auto form = kit.Make();
  kit.fs.AddDir("C:\\Game\\update");
  kit.fs.AddFile("C:\\Game\\update\\bad.zip", "PK\x03\x04 this is not an archive");
  EXPECT_FALSE(form->ExtractZipTo("C:\\Game\\update\\bad.zip", "C:\\Game\\update"));
  EXPECT_FALSE(form->ExtractZipTo("C:\\Game\\update\\none.zip", "C:\\Game\\update"));
  ASSERT_EQ(kit.boxes.shown.size(), 2u);
  for (const auto& b : kit.boxes.shown) {
    EXPECT_EQ(b.text, Gbk("解压文件失败"));
    EXPECT_EQ(b.caption, Gbk("错误"));
    EXPECT_EQ(b.flags, SystemDialogs::kIconInformation);
  }
}

}  // namespace
}  // namespace qev
