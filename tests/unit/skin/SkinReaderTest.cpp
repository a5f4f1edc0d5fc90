#include <gtest/gtest.h>

#include "BmpMaker.h"
#include "skin/SUI2SkinReader.h"
#include "skin/SkinContainer.h"
#include "skin/SkinWriter.h"
#include "tests/fakes/MemFileSystem.h"

namespace qev {
namespace {

using test::MemFileSystem;

const std::string kSkinPath = "C:\\game\\QevLogin.ssk";

std::vector<SkinValue> SampleValues() {
  return {
      SkinValue::Bitmap("SKIN2_BUTTON", test::TestBmp(6, 3, 1)),
      SkinValue::Integer("SKIN2_FORMCOLOR", 0x00C08040),
      SkinValue::Boolean("SKIN2_TRANSPARENT", true),
      SkinValue::Text("SKIN2_NAME", "blue"),
      SkinValue::Integer("SKIN2_NEGATIVE", -5),
      SkinValue::Boolean("SKIN2_OFF", false),
      {"SKIN2_ODDKIND", 9, "xxxx"},              // unknown kind: skipped
      SkinValue::Integer("skin2_formcolor", 7),  // same name again: ignored
      SkinValue::Bitmap("SKIN2_TITLEBAR1", test::TestBmp(70, 40, 2)),
  };
}

std::string Container(const std::string& skinData, std::string_view password = {},
                      const std::string& entryName = kSkinDataEntryName) {
  return BuildSkinContainer({{"readme.txt", "not the skin", 8, 6}, {entryName, skinData, 8, 9}},
                            password);
}

// Patches a little-endian field of the first directory entry named name.
void PatchDirField(std::string& c, const std::string& name, size_t field, uint32_t value,
                   int width) {
  size_t at = c.find("PK\1\2");
  while (c.compare(at + 46, name.size(), name) != 0) at = c.find("PK\1\2", at + 1);
  for (int i = 0; i < width; ++i) c[at + field + i] = static_cast<char>(value >> (8 * i));
}

TEST(SkinReader, LoadsEveryKindAndLooksNamesUpWithoutCase) {
  MemFileSystem fs;
  fs.AddFile(kSkinPath, Container(BuildSkinData(SampleValues())));
  Tsk2SkinFileReader reader(fs, kSkinPath, "");
  ASSERT_TRUE(reader.Loaded());

  const PlainBitmap* button = reader.GetBitmap("skin2_button");
  ASSERT_NE(button, nullptr);
  EXPECT_EQ(button->Width, 6);
  EXPECT_EQ(button->Pixel(5, 2), 0x050201u);
  ASSERT_NE(reader.GetBitmap("SKIN2_TITLEBAR1"), nullptr);
  EXPECT_EQ(reader.GetBitmap("SKIN2_TITLEBAR1")->Pixel(69, 39), 0x452702u);

  EXPECT_EQ(reader.GetInteger("Skin2_FormColor"), 0x00C08040);  // the first of two wins
  EXPECT_EQ(reader.GetInteger("SKIN2_NEGATIVE"), -5);
  EXPECT_TRUE(reader.GetBoolean("skin2_transparent"));
  EXPECT_FALSE(reader.GetBoolean("SKIN2_OFF"));

  EXPECT_EQ(reader.GetBitmap("SKIN2_MISSING"), nullptr);
  EXPECT_EQ(reader.GetBitmap("SKIN2_FORMCOLOR"), nullptr);  // another kind is not a bitmap
  EXPECT_EQ(reader.GetInteger("SKIN2_MISSING"), -1);
  EXPECT_EQ(reader.GetInteger("SKIN2_ODDKIND"), -1);
  EXPECT_FALSE(reader.GetBoolean("SKIN2_MISSING"));

  // Nothing is left in the temporary folder, or anywhere else.
  EXPECT_EQ(fs.ListFiles().size(), 1u);  // the skin file alone
}

TEST(SkinReader, ChainRules) {
  // Only the closing record: nothing loaded, but loaded.
  Tsk2SkinFileReader empty(BuildSkinData({}));
  EXPECT_TRUE(empty.Loaded());
  EXPECT_EQ(empty.GetInteger("X"), -1);

  // The closing record's own fields are never loaded, whatever they say.
  std::string data = BuildSkinData({SkinValue::Integer("A", 1)});
  size_t closing = kSkinHeaderSize + kSkinRecordSize;
  data.replace(closing, 1, "B");
  data[closing + 64] = kSkinInteger;
  data.replace(closing + 65, 8, data.substr(kSkinHeaderSize + 65, 8));  // same data as A
  Tsk2SkinFileReader reader(data);
  EXPECT_EQ(reader.GetInteger("A"), 1);
  EXPECT_EQ(reader.GetInteger("B"), -1);

  // A record of an unknown kind is skipped even when its data lies outside the file.
  std::string odd = BuildSkinData({{"ODD", 7, "zz"}, SkinValue::Integer("C", 3)});
  for (int i = 0; i < 4; ++i) odd[kSkinHeaderSize + 65 + i] = static_cast<char>(0xF0);
  Tsk2SkinFileReader skipping(odd);
  EXPECT_TRUE(skipping.Loaded());
  EXPECT_EQ(skipping.GetInteger("C"), 3);
}

TEST(SkinReader, DamagedSkinDataRaises) {
  const std::string good =
      BuildSkinData({SkinValue::Integer("A", 1), SkinValue::Boolean("B", true)});
  auto with = [&](size_t at, uint32_t v) {
    std::string d = good;
    for (int i = 0; i < 4; ++i) d[at + i] = static_cast<char>(v >> (8 * i));
    return d;
  };
  const size_t rec1 = kSkinHeaderSize, rec2 = kSkinHeaderSize + kSkinRecordSize;
  struct {
    int line;
    std::string data;
  } bad[] = {
      {__LINE__, good.substr(0, 10)},  // shorter than the header
      {__LINE__, with(12, 16)},        // header size not 24
      {__LINE__, with(12, 1000)},
      {__LINE__, with(20, 0xFFFFFF00u)},                         // first record outside the file
      {__LINE__, with(rec1 + 65, 0x7FFFFFFFu)},                  // data outside the file
      {__LINE__, with(rec1 + 69, 0xFFFFFFFFu)},                  // data size past the end
      {__LINE__, with(rec1 + 69, 2)},                            // integer of 2 bytes
      {__LINE__, with(rec2 + 69, 4)},                            // boolean of 4 bytes
      {__LINE__, with(rec2 + 73, static_cast<uint32_t>(rec1))},  // chain loops back
      {__LINE__, with(rec1 + 73, static_cast<uint32_t>(rec1))},  // record names itself
  };
  for (const auto& b : bad)
    EXPECT_THROW(Tsk2SkinFileReader{b.data}, SkinError) << "line " << b.line;

  std::string badBitmap = BuildSkinData({SkinValue::Bitmap("B", "BM not really")});
  EXPECT_THROW(Tsk2SkinFileReader{badBitmap}, BmpError);
}

TEST(SkinReader, ContainerFaultsRaiseFailedToRead) {
  const std::string good = Container(BuildSkinData(SampleValues()));
  std::string pk = good;
  pk[0] = 'P';
  std::string comment = good;
  comment[comment.size() - 2] = 3;
  comment += "abc";
  std::string longName = good;
  PatchDirField(longName, kSkinDataEntryName, 28, 300, 2);
  std::string farOffset = good;
  PatchDirField(farOffset, kSkinDataEntryName, 42, 0x7FFFFFF0, 4);
  std::string farDir = good;
  farDir.replace(farDir.size() - 6, 4, "\xF0\xFF\xFF\x7F");

  struct {
    int line;
    std::string bytes;
  } bad[] = {
      {__LINE__, pk},                              // "PK" instead of "SK"
      {__LINE__, comment},                         // an archive comment hides the end record
      {__LINE__, good + "x"},                      // so does one trailing byte
      {__LINE__, Container("", {}, "OTHER.SK2")},  // the entry is absent
      {__LINE__, longName},                        // a name over 259 bytes
      {__LINE__, farOffset},                       // local header outside the file
      {__LINE__, farDir},                          // directory outside the file
      {__LINE__, "SK"},                            // too short for an end record
  };
  for (const auto& b : bad) {
    MemFileSystem fs;
    fs.AddFile(kSkinPath, b.bytes);
    try {
      Tsk2SkinFileReader reader(fs, kSkinPath, "");
      ADD_FAILURE() << "line " << b.line << ": no exception";
    } catch (const SkinError& e) {
      EXPECT_STREQ(e.what(), "Failed to read skin file!") << "line " << b.line;
    }
  }
  MemFileSystem none;
  EXPECT_THROW(Tsk2SkinFileReader(none, kSkinPath, ""), SkinError);
}

TEST(SkinReader, EntryNameCaseAndStoredMethodDoNotMatter) {
  MemFileSystem fs;
  std::string c = Container(BuildSkinData(SampleValues()), {}, "skindata.sk2");
  PatchDirField(c, "skindata.sk2", 10, 0, 2);  // method "stored": still a Deflate stream
  fs.AddFile(kSkinPath, c);
  Tsk2SkinFileReader reader(fs, kSkinPath, "");
  EXPECT_TRUE(reader.Loaded());
  EXPECT_EQ(reader.GetInteger("SKIN2_FORMCOLOR"), 0x00C08040);
}

TEST(SkinReader, EncipheredEntryNeedsTheRightPassword) {
  MemFileSystem fs;
  fs.AddFile(kSkinPath, Container(BuildSkinData(SampleValues()), "s3cret"));
  Tsk2SkinFileReader right(fs, kSkinPath, "s3cret");
  EXPECT_TRUE(right.Loaded());
  EXPECT_TRUE(right.GetBoolean("SKIN2_TRANSPARENT"));

  for (const char* password : {"", "wrong"}) {
    Tsk2SkinFileReader refused(fs, kSkinPath, password);  // no exception
    EXPECT_FALSE(refused.Loaded()) << password;
    EXPECT_EQ(refused.GetInteger("SKIN2_FORMCOLOR"), -1);
  }
  EXPECT_EQ(fs.ListFiles().size(), 1u);  // the skin file alone
}

TEST(ExtractSkinEntry, ResultsAndTheOutputFile) {
  const std::string data = BuildSkinData(SampleValues());
  const std::string dest = "C:\\TEMP\\out.sk2";
  MemFileSystem fs;
  fs.AddDir("C:\\TEMP");

  fs.AddFile(kSkinPath, Container(data));
  EXPECT_EQ(ExtractSkinEntry(fs, kSkinPath, kSkinDataEntryName, dest, ""), kSkinEntryDone);
  EXPECT_EQ(fs.Contents(dest), data);

  // Declared size one less than the stream yields: refused, no output left.
  std::string c = Container(data);
  PatchDirField(c, kSkinDataEntryName, 24, static_cast<uint32_t>(data.size() - 1), 4);
  fs.AddFile(kSkinPath, c);
  EXPECT_EQ(ExtractSkinEntry(fs, kSkinPath, kSkinDataEntryName, dest, ""), kSkinEntryRefused);
  EXPECT_FALSE(fs.FileExists(dest));

  // Declared size 0 for real output: refused like any other size that differs, so the
  // reader is "not loaded" and raises nothing.
  c = Container(data);
  PatchDirField(c, kSkinDataEntryName, 24, 0, 4);
  fs.AddFile(kSkinPath, c);
  EXPECT_EQ(ExtractSkinEntry(fs, kSkinPath, kSkinDataEntryName, dest, ""), kSkinEntryRefused);
  EXPECT_FALSE(fs.FileExists(dest));
  EXPECT_FALSE(Tsk2SkinFileReader(fs, kSkinPath, "").Loaded());

  // An empty entry is a failure.
  fs.AddFile(kSkinPath, Container(""));
  EXPECT_EQ(ExtractSkinEntry(fs, kSkinPath, kSkinDataEntryName, dest, ""), kSkinEntryFailed);
  EXPECT_FALSE(fs.FileExists(dest));

  // A claimed size no Deflate stream of this length can reach is refused up front.
  c = Container(data);
  PatchDirField(c, kSkinDataEntryName, 24, 0xF0000000u, 4);
  fs.AddFile(kSkinPath, c);
  EXPECT_EQ(ExtractSkinEntry(fs, kSkinPath, kSkinDataEntryName, dest, ""), kSkinEntryRefused);
}

TEST(ExtractSkinEntry, MalformedStreamsEndAsFailures) {
  // Entry data replaced by a stream of block type 3 (final bit, type 11).
  std::string c = BuildSkinContainer({{kSkinDataEntryName, "abcdef", 8, 9}});
  size_t data = 30 + std::string(kSkinDataEntryName).size();
  c[data] = 0x07;
  std::string out;
  EXPECT_EQ(ExtractSkinEntryFromBytes(c, kSkinDataEntryName, "", out), kSkinEntryRefused);
  EXPECT_TRUE(out.empty());

  // Large entry cut in the middle of its stream.
  std::string big = test::TestBmp(300, 300, 9);
  c = BuildSkinContainer({{kSkinDataEntryName, big, 8, 1}});
  std::string cut = c.substr(0, c.size() / 2) + c.substr(c.find("PK\1\2"));
  // Directory and end record moved: fix the directory offset.
  uint32_t dirAt = static_cast<uint32_t>(c.size() / 2);
  for (int i = 0; i < 4; ++i) cut[cut.size() - 6 + i] = static_cast<char>(dirAt >> (8 * i));
  EXPECT_EQ(ExtractSkinEntryFromBytes(cut, kSkinDataEntryName, "", out), kSkinEntryRefused);
}

}  // namespace
}  // namespace qev
