// The window operations the update code calls.
#include <gtest/gtest.h>

#include "tests/unit/launcher/FormTestSupport.h"

namespace qev {
namespace {

using test::FakeFormKit;

TEST(ShowMsg, IconFollowsKindAndOtherKindsKeepIt) {
  FakeFormKit kit;
  auto form = kit.Make();
  const TMessForm::Icon expected[] = {TMessForm::Icon::Help, TMessForm::Icon::Information,
                                      TMessForm::Icon::Stop, TMessForm::Icon::Warning,
                                      TMessForm::Icon::None};
  for (int kind = 0; kind <= 4; ++kind) {
    kit.MessForm.answers = {7};
    EXPECT_EQ(form->ShowMsg(kind, "t"), 7);
    EXPECT_EQ(kit.MessForm.shown.back().icon, expected[kind]) << kind;
  }
  form->ShowMsg(3, "a");
  form->ShowMsg(9, "b");
  form->ShowMsg(-1, "c");
  EXPECT_EQ(kit.MessForm.shown.back().icon, TMessForm::Icon::Warning);
  EXPECT_EQ(kit.MessForm.shown.back().text, "c");
}

TEST(DelayPump, WaitsTheFullTimeAcrossTheTickWrap) {
  FakeFormKit kit;
  auto form = kit.Make();
  kit.clock.now = 0xFFFFFFFFu - 50;
  kit.clock.step = 20;
  form->DelayPump(200);
  // After the start reading, the readings 20 .. 180 ms later each pump once; the one
  // 200 ms later ends the wait. A comparison that overflowed would not wait at all.
  EXPECT_EQ(kit.app.pumps, 9);
  EXPECT_EQ(kit.clock.now, 0xFFFFFFFFu - 50 + 220);

  kit.app.pumps = 0;
  form->DelayPump(0);
  EXPECT_EQ(kit.app.pumps, 0);
}

TEST(DownloadToFile, WritesTheWholeBodyWithTheRangeReset) {
  FakeFormKit kit;
  auto form = kit.Make();
  kit.fs.AddDir("C:\\Game\\update");
  kit.httpServer.Serve("http://127.0.0.1/a.zip", std::string(10000, 'z'));
  kit.http.SetRangeStart(500);
  std::string error = "stale";
  ASSERT_TRUE(form->DownloadToFile("http://127.0.0.1/a.zip", "C:\\Game\\update\\a.zip", error));
  EXPECT_EQ(kit.fs.Contents("C:\\Game\\update\\a.zip"), std::string(10000, 'z'));
  ASSERT_EQ(kit.httpServer.Requests().size(), 1u);
  EXPECT_EQ(kit.httpServer.Requests()[0].rangeStart, 0u);
}

TEST(DownloadToFile, FailuresReportTheirCause) {
  FakeFormKit kit;
  auto form = kit.Make();
  kit.fs.AddDir("C:\\Game\\update");
  std::string error;

  kit.httpServer.Fail("http://127.0.0.1/missing.zip", 404, "Not Found");
  EXPECT_FALSE(
      form->DownloadToFile("http://127.0.0.1/missing.zip", "C:\\Game\\update\\m.zip", error));
  EXPECT_NE(error.find("404"), std::string::npos) << error;

  kit.httpServer.ServeShort("http://127.0.0.1/cut.zip", "abc", 1000);
  error.clear();
  EXPECT_FALSE(form->DownloadToFile("http://127.0.0.1/cut.zip", "C:\\Game\\update\\c.zip", error));
  EXPECT_FALSE(error.empty());

  kit.httpServer.TimeOut("http://127.0.0.1/slow.zip");
  error.clear();
  EXPECT_FALSE(form->DownloadToFile("http://127.0.0.1/slow.zip", "C:\\Game\\update\\s.zip", error));
  EXPECT_NE(error.find("timed out."), std::string::npos) << error;

  // A target that cannot be created is a failed download, before any request.
  const size_t requests = kit.httpServer.Requests().size();
  kit.httpServer.Serve("http://127.0.0.1/ok.zip", "data");
  error.clear();
  EXPECT_FALSE(
      form->DownloadToFile("http://127.0.0.1/ok.zip", "C:\\Game\\nofolder\\ok.zip", error));
  EXPECT_FALSE(error.empty());
  EXPECT_EQ(kit.httpServer.Requests().size(), requests);

  // A disk that fills up during the transfer.
  kit.fs.SetSpaceLeft(100);
  kit.httpServer.Serve("http://127.0.0.1/big.zip", std::string(5000, 'b'));
  error.clear();
  EXPECT_FALSE(form->DownloadToFile("http://127.0.0.1/big.zip", "C:\\Game\\update\\b.zip", error));
  EXPECT_FALSE(error.empty());
}

TEST(DeleteFileIfExists, DeletesFilesOnlyAndIgnoresErrors) {
  FakeFormKit kit;
  auto form = kit.Make();
  kit.fs.AddFile("C:\\Game\\old.bin", "x");
  kit.fs.AddDir("C:\\Game\\folder");
  form->DeleteFileIfExists("C:\\Game\\OLD.BIN");
  form->DeleteFileIfExists("C:\\Game\\folder");
  form->DeleteFileIfExists("C:\\Game\\none");
  EXPECT_FALSE(kit.fs.FileExists("C:\\Game\\old.bin"));
  EXPECT_TRUE(kit.fs.DirExists("C:\\Game\\folder"));
  kit.fs.AddFile("C:\\Game\\held.bin", "x");
  kit.fs.Lock("C:\\Game\\held.bin");
  EXPECT_NO_THROW(form->DeleteFileIfExists("C:\\Game\\held.bin"));
}

}  // namespace
}  // namespace qev
