// skin pack, list and unpack, read back by the launcher's skin reader.

#include <gtest/gtest.h>

#include "ToolRunner.h"
#include "base/LittleEndian.h"
#include "posix/PosixFileSystem.h"
#include "skin/SUI2SkinReader.h"
#include "skin/SkinWriter.h"

namespace qev::test {
namespace {

// A 24-bit bottom-up bitmap of w x h pixels, every pixel the same colour.
std::string MakeBmp(int w, int h, uint8_t r, uint8_t g, uint8_t b) {
  int stride = (w * 3 + 3) & ~3;
  std::string px;
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x)
      px += {static_cast<char>(b), static_cast<char>(g), static_cast<char>(r)};
    px.append(static_cast<size_t>(stride - w * 3), '\0');
  }
  std::string f = "BM";
  AppendLe32(f, static_cast<uint32_t>(54 + px.size()));
  AppendLe32(f, 0);
  AppendLe32(f, 54);
  AppendLe32(f, 40);
  AppendLe32(f, static_cast<uint32_t>(w));
  AppendLe32(f, static_cast<uint32_t>(h));
  f += std::string("\x01\x00\x18\x00", 4);
  AppendLe32(f, 0);
  AppendLe32(f, static_cast<uint32_t>(px.size()));
  for (int i = 0; i < 4; ++i) AppendLe32(f, 0);
  return f + px;
}

void MakeSkinFolder(const std::string& dir) {
  WriteFileBytes(dir + "/Form.bmp", MakeBmp(3, 2, 10, 20, 30));
  WriteFileBytes(dir + "/按钮.bmp", MakeBmp(1, 4, 0, 0, 0));
  WriteFileBytes(dir + "/values.ini",
                 "[integers]\nFontColor=0x00FF8040\nHeight=-12\n[booleans]\nRound=1\nFlat=0\n"
                 "[texts]\nTitle=登录器\nNote=\"a;b\"\n");
}

const char kListing[] =
    "bitmap\tForm\t3x2\nbitmap\t按钮\t1x4\ninteger\tFontColor\t16744512\ninteger\tHeight\t-12\n"
    "boolean\tRound\t1\nboolean\tFlat\t0\ntext\tTitle\t登录器\ntext\tNote\ta;b\n";

TEST(QevtoolSkin, PackedSkinLoadsInTheLaunchersReaderAndListsInChainOrder) {
  TempFolder dir;
  MakeSkinFolder(dir / "src");
  std::string skin = dir / "QevLogin.ssk";
  ToolResult r = RunTool({"skin", "pack", dir / "src", skin});
  ASSERT_EQ(r.Exit, 0) << r.Err;
  EXPECT_EQ(ReadFileBytes(skin).substr(0, 2), "SK");

  PosixFileSystem fs;
  Tsk2SkinFileReader reader(fs, skin, "");
  ASSERT_TRUE(reader.Loaded());
  const PlainBitmap* form = reader.GetBitmap("form");
  ASSERT_NE(form, nullptr);
  EXPECT_EQ(form->Width, 3);
  EXPECT_EQ(form->ColorAt(0, 0), 0x001E140Au);
  EXPECT_NE(reader.GetBitmap("\xb0\xb4\xc5\xa5"), nullptr);  // the GBK name
  EXPECT_EQ(reader.GetInteger("FontColor"), 0x00FF8040);
  EXPECT_TRUE(reader.GetBoolean("Round"));
  EXPECT_FALSE(reader.GetBoolean("Flat"));

  ToolResult list = RunTool({"skin", "list", skin});
  EXPECT_EQ(list.Exit, 0) << list.Err;
  EXPECT_EQ(list.Out, kListing);

  // Unpacking and packing again gives the same records.
  ASSERT_EQ(RunTool({"skin", "unpack", skin, dir / "back"}).Exit, 0);
  ASSERT_EQ(RunTool({"skin", "pack", dir / "back", dir / "again.ssk"}).Exit, 0);
  EXPECT_EQ(RunTool({"skin", "list", dir / "again.ssk"}).Out, kListing);
  EXPECT_EQ(ReadFileBytes(dir / "back/Form.bmp"), ReadFileBytes(dir / "src/Form.bmp"));
}

TEST(QevtoolSkin, PasswordFailuresAndExistingOutputs) {
  TempFolder dir;
  MakeSkinFolder(dir / "src");
  std::string skin = dir / "s.ssk";
  ASSERT_EQ(RunTool({"skin", "pack", dir / "src", skin, "--password", "秘密"}).Exit, 0);
  for (std::vector<std::string> args : {std::vector<std::string>{"skin", "list", skin},
                                        {"skin", "list", skin, "--password", "wrong"}}) {
    ToolResult r = RunTool(args);
    EXPECT_EQ(r.Exit, 1);
    EXPECT_NE(r.Err.find("not loaded"), std::string::npos) << r.Err;
    EXPECT_NE(r.Err.find("enciphered"), std::string::npos) << r.Err;
  }
  EXPECT_EQ(RunTool({"skin", "list", skin, "--password", "秘密"}).Out, kListing);

  std::string before = ReadFileBytes(skin);
  ToolResult again = RunTool({"skin", "pack", dir / "src", skin});
  EXPECT_EQ(again.Exit, 1);
  EXPECT_EQ(ReadFileBytes(skin), before);
  ASSERT_EQ(RunTool({"skin", "unpack", skin, dir / "out", "--password", "秘密"}).Exit, 0);
  EXPECT_EQ(RunTool({"skin", "unpack", skin, dir / "out", "--password", "秘密"}).Exit, 1);
  EXPECT_EQ(RunTool({"skin", "unpack", skin, dir / "out", "--password", "秘密", "--force"}).Exit,
            0);
}

TEST(QevtoolSkin, DamagedInputsFailWithClearMessages) {
  TempFolder dir;
  MakeSkinFolder(dir / "src");
  std::string skin = dir / "s.ssk";
  ASSERT_EQ(RunTool({"skin", "pack", dir / "src", skin}).Exit, 0);
  std::string bytes = ReadFileBytes(skin);
  bytes[0] = 'P';
  WriteFileBytes(dir / "pk.ssk", bytes);
  struct {
    std::string path, reason;
  } failures[] = {{dir / "pk.ssk", "not a skin container"}, {dir / "missing.ssk", "missing"}};
  for (const auto& bad : failures) {
    ToolResult r = RunTool({"skin", "list", bad.path});
    EXPECT_EQ(r.Exit, 1);
    EXPECT_NE(r.Err.find("Failed to read skin file!"), std::string::npos) << r.Err;
    EXPECT_NE(r.Err.find(bad.reason), std::string::npos) << r.Err;
  }
  // Unenciphered data whose declared size is wrong is "not loaded" as damaged, not as
  // enciphered; damaged records fail with the launcher's text and the record's fault.
  std::string sized = ReadFileBytes(skin);
  size_t entry = sized.find("PK\1\2");
  sized[entry + 24] = static_cast<char>(sized[entry + 24] + 1);
  WriteFileBytes(dir / "sized.ssk", sized);
  ToolResult notLoaded = RunTool({"skin", "list", dir / "sized.ssk"});
  EXPECT_EQ(notLoaded.Exit, 1);
  EXPECT_NE(notLoaded.Err.find("not loaded"), std::string::npos) << notLoaded.Err;
  EXPECT_NE(notLoaded.Err.find("damaged"), std::string::npos) << notLoaded.Err;
  EXPECT_EQ(notLoaded.Err.find("enciphered"), std::string::npos) << notLoaded.Err;
  std::string data = BuildSkinData({SkinValue::Integer("A", 1)});
  data[12] = 16;  // header size not 24
  WriteFileBytes(dir / "records.ssk", BuildSkinContainer({{kSkinDataEntryName, data, 8, 9}}, ""));
  ToolResult badRecords = RunTool({"skin", "list", dir / "records.ssk"});
  EXPECT_EQ(badRecords.Exit, 1);
  EXPECT_NE(badRecords.Err.find("Failed to read skin file!"), std::string::npos) << badRecords.Err;
  EXPECT_NE(badRecords.Err.find("header size"), std::string::npos) << badRecords.Err;
  // A bitmap the launcher cannot load, or a value that is not a number, packs nothing.
  WriteFileBytes(dir / "src/Broken.bmp", "BMnotabitmap");
  EXPECT_EQ(RunTool({"skin", "pack", dir / "src", dir / "x.ssk"}).Exit, 1);
  std::remove((dir / "src/Broken.bmp").c_str());
  WriteFileBytes(dir / "src/values.ini", "[integers]\nA=12abc\n");
  EXPECT_EQ(RunTool({"skin", "pack", dir / "src", dir / "x.ssk"}).Exit, 1);
  EXPECT_FALSE(PathExists(dir / "x.ssk"));
}

TEST(QevtoolSkin, UnpackRefusesRecordNamesThatLeaveTheFolder) {
  TempFolder dir;
  for (std::string name : {"../escaped", "sub/x", "..", "=key"}) {
    bool asText = name == "=key";
    std::string data = BuildSkinData(
        {asText ? SkinValue::Text(name, "v") : SkinValue::Bitmap(name, MakeBmp(1, 1, 0, 0, 0))});
    WriteFileBytes(dir / "evil.ssk", BuildSkinContainer({{"SKINDATA.SK2", data}}));
    ToolResult r = RunTool({"skin", "unpack", dir / "evil.ssk", dir / "out", "--force"});
    EXPECT_EQ(r.Exit, 1) << name;
    EXPECT_NE(r.Err.find("cannot be unpacked safely"), std::string::npos) << r.Err;
  }
  EXPECT_FALSE(PathExists(dir / "escaped.bmp"));
  EXPECT_FALSE(PathExists(dir / "out"));
}

}  // namespace
}  // namespace qev::test
