// The update worker's steps on their own: fetching and reading the update-info file,
// the zone-list download, the patch list and the 30-second rule, and the GET rule that
// only a complete 2xx answer counts.
#include <gtest/gtest.h>

#include "config/ProcessValues.h"
#include "tests/fakes/FakeHttp.h"
#include "tests/fakes/MemFileSystem.h"
#include "tests/unit/update/UpdateFixtures.h"
#include "update/HttpFetch.h"
#include "update/UpdateInfo.h"

namespace qev {
namespace {

using test::At;
using test::TicksAt;

constexpr char kUrl[] = "http://127.0.0.1:8080/up.txt";

struct Worker {
  Worker() {
    InitProcessValues(values, "C:\\Game\\QevLogin.exe");
    fs.AddDir("C:\\Game");
  }
  test::MemFileSystem fs;
  test::FakeHttpServer server;
  test::FakeHttpFactory factory{server};
  ProcessValues values;
  TUpdateSettings settings;
  UpdateContext ctx{fs, values, settings, factory, 0, 0};
};

TEST(FetchUpdateInfo, AcceptsHeaderAnywhereAndCreatesTheStagingFolder) {
  Worker w;  // no staging folder yet: the folder worker has not run
  const std::string text = test::UpdateInfoText("CheckIni=1\r\n");
  w.server.Serve(kUrl, text);
  ASSERT_TRUE(FetchUpdateInfo(w.ctx, kUrl));
  EXPECT_EQ(w.fs.Contents(w.values.UpdateInfoFileName), text + "\r\n");

  auto requests = w.server.Requests();
  ASSERT_EQ(requests.size(), 1u);
  EXPECT_TRUE(requests[0].followRedirects);
  EXPECT_EQ(requests[0].readTimeoutMs, 30000u);
  EXPECT_EQ(requests[0].headers.userAgent, "Mozilla/3.0 (compatible; Indy Library)");
  EXPECT_EQ(requests[0].headers.accept, "text/html, */*");
}

TEST(FetchUpdateInfo, RejectedAnswersLeaveTheOldCopyWhole) {
  Worker w;
  w.fs.AddFile(w.values.UpdateInfoFileName, "old copy");
  w.server.Serve(kUrl, "<html>maintenance</html>");
  EXPECT_FALSE(FetchUpdateInfo(w.ctx, kUrl));
  w.server.Fail(kUrl, 404, "Not Found");
  EXPECT_FALSE(FetchUpdateInfo(w.ctx, kUrl));
  // A header that arrives but whose body is cut short is not a valid file either.
  w.server.ServeShort(kUrl, test::UpdateInfoText("CheckIni=1\r\n"), 100000);
  EXPECT_FALSE(FetchUpdateInfo(w.ctx, kUrl));
  w.server.TimeOut(kUrl);
  EXPECT_FALSE(FetchUpdateInfo(w.ctx, kUrl));
  // A full disk during the write keeps the previous copy too.
  w.server.Serve(kUrl, test::UpdateInfoText("CheckIni=1\r\n"));
  w.fs.SetSpaceLeft(10);
  EXPECT_FALSE(FetchUpdateInfo(w.ctx, kUrl));
  EXPECT_EQ(w.fs.Contents(w.values.UpdateInfoFileName), "old copy");
}

TEST(FetchUpdateInfo, FollowsRedirects) {
  Worker w;
  w.server.Redirect(kUrl, "http://127.0.0.1:8080/moved.txt");
  w.server.Serve("http://127.0.0.1:8080/moved.txt", test::UpdateInfoText(""));
  EXPECT_TRUE(FetchUpdateInfo(w.ctx, kUrl));
}

TEST(ReadUpdateSettings, SwitchesOffChecksWithoutTheirUrlOrCode) {
  struct Case {
    int line;
    std::string lines;
    bool any, checkLong, checkIni, checkFix;
  } cases[] = {
      {__LINE__, "CheckIni=1\r\nIniURL=http://h/a.inf\r\nIniCode=-12345\r\n", true, false, true,
       false},
      {__LINE__, "CheckIni=1\r\nIniURL=http://h/a.inf\r\n", false, false, false, false},
      {__LINE__, "CheckLong=1\r\nLongURL=http://h/l.exe\r\nLongCode=7\r\n", true, true, false,
       false},
      {__LINE__, "CheckLong=1\r\nLongCode=7\r\n", false, false, false, false},
      {__LINE__, "CheckFix=2\r\nDefURL=http://h/p\r\n", true, false, false, true},
      {__LINE__, "CheckFix=1\r\n", false, false, false, false},
      {__LINE__, "CheckFix=true\r\nDefURL=http://h/p\r\n", false, false, false, false},
      {__LINE__, "CheckFix=0\r\nDefURL=http://h/p\r\n", false, false, false, false},
  };
  for (const Case& c : cases) {
    Worker w;
    w.fs.AddFile(w.values.UpdateInfoFileName, test::UpdateInfoText(c.lines));
    EXPECT_EQ(ReadUpdateSettings(w.ctx), c.any) << "line " << c.line;
    EXPECT_EQ(w.settings.CheckLong, c.checkLong) << "line " << c.line;
    EXPECT_EQ(w.settings.CheckIni, c.checkIni) << "line " << c.line;
    EXPECT_EQ(w.settings.CheckFix, c.checkFix) << "line " << c.line;
  }
}

TEST(ReadPatchList, KeepsValidSectionsInFileOrder) {
  Worker w;
  const std::string sections =
      test::PatchSection("Wav.pak", "Wav.pak.zip", "\\Data\\", "2009-03-01 12:30:00") +
      "[uPdAtEiNfO]\r\nFromFile=x.zip\r\nFilePath=\\\r\nFileDateTime=2009-03-01 12:30:00\r\n" +
      test::PatchSection("NoDate.dat", "NoDate.dat.zip", "\\", "") +
      test::PatchSection("BadDate.dat", "BadDate.dat.zip", "\\", "2009/03/01 12:30") +
      test::PatchSection("game.exe", "game.exe.zip", "\\", "2010-12-31 23:59:58");
  w.fs.AddFile(w.values.UpdateInfoFileName, test::UpdateInfoText("CheckFix=1\r\n", sections));
  ASSERT_TRUE(ReadPatchList(w.ctx));
  ASSERT_EQ(w.values.PatchList.size(), 2u);
  EXPECT_EQ(w.values.PatchList[0]->FileName, "Wav.pak");
  EXPECT_EQ(w.values.PatchList[0]->FromFile, "Wav.pak.zip");
  EXPECT_EQ(w.values.PatchList[0]->FilePath, "\\Data\\");
  EXPECT_EQ(w.values.PatchList[0]->FileDateTime, At("2009-03-01 12:30:00"));
  EXPECT_EQ(w.values.PatchList[1]->FileName, "game.exe");
}

TEST(PatchPending, ThirtyWholeSecondsIsStillUpToDate) {
  // The listed time, and the installed file's stamp as an offset from it in milliseconds.
  // File stamps are read at two-second resolution, so an odd listed second gives the
  // 29/31-second edges.
  struct Case {
    int line;
    const char* listed;
    int64_t offsetMs;
    bool pending;
  } cases[] = {
      {__LINE__, "2009-03-01 12:30:00", 0, false},
      {__LINE__, "2009-03-01 12:30:00", 30000, false},
      {__LINE__, "2009-03-01 12:30:00", -30000, false},
      {__LINE__, "2009-03-01 12:30:00", 30900, false},
      {__LINE__, "2009-03-01 12:30:00", 32000, true},
      {__LINE__, "2009-03-01 12:30:00", -32000, true},
      {__LINE__, "2009-03-01 12:30:01", 31000, true},
      {__LINE__, "2009-03-01 12:30:01", -31000, true},
      {__LINE__, "2009-03-01 12:30:01", 29000, false},
      {__LINE__, "2009-03-01 12:30:01", -29000, false},
      {__LINE__, "2009-03-01 12:30:00", 3600000, true},
  };
  for (const Case& c : cases) {
    Worker w;
    w.fs.AddFile("C:\\Game\\Data\\a.dat", "a", TicksAt(c.listed, c.offsetMs));
    w.values.PatchList.push_back(
        std::make_unique<TPatchInfo>(TPatchInfo{"a.dat.zip", "a.dat", "\\Data\\", At(c.listed)}));
    EXPECT_EQ(PatchPending(w.ctx), c.pending) << "line " << c.line;
    EXPECT_EQ(w.values.PatchList.size(), c.pending ? 1u : 0u) << "line " << c.line;
  }
}

TEST(PatchPending, DropsOnlyTheUpToDateHead) {
  Worker w;
  w.fs.AddFile("C:\\Game\\a.dat", "a", TicksAt("2009-03-01 12:30:00"));
  w.fs.AddFile("C:\\Game\\c.dat", "c", TicksAt("2009-03-01 12:30:00"));
  for (const char* name : {"a.dat", "b.dat", "c.dat"})
    w.values.PatchList.push_back(std::make_unique<TPatchInfo>(
        TPatchInfo{std::string(name) + ".zip", name, "\\", At("2009-03-01 12:30:00")}));
  EXPECT_TRUE(PatchPending(w.ctx));  // b.dat is missing
  ASSERT_EQ(w.values.PatchList.size(), 2u);
  EXPECT_EQ(w.values.PatchList[0]->FileName, "b.dat");
}

TEST(WholeSecondsApart, CountsWholeSecondsWithoutFallingShort) {
  // Day fractions do not hold whole seconds exactly; every count must still come out whole.
  const TDateTime base = At("2009-03-01 12:30:00");
  for (int s = 0; s < 400; ++s) {
    TDateTime later = base + s / 86400.0;
    EXPECT_EQ(WholeSecondsApart(base, later), s);
    EXPECT_EQ(WholeSecondsApart(later, base), s);
  }
  EXPECT_EQ(WholeSecondsApart(base, base + 30.999 / 86400.0), 30);
}

// A client that lets every answer through as "ok", whatever its status or length.
class LaxClient : public HttpClient {
 public:
  void SetFollowRedirects(bool) override {}
  void SetReadTimeout(uint32_t) override {}
  void SetConnectTimeout(uint32_t) override {}
  void SetHeaders(const HttpHeaders&) override {}
  void SetRangeStart(uint64_t) override {}
  void Disconnect() override {}
  HttpResult Get(const std::string&, HttpSink& sink) override {
    FireWorkBegin(announced);
    sink.Write(body.data(), body.size());
    FireWork(static_cast<int64_t>(body.size()));
    return {true, status, ""};
  }
  int status = 200;
  int64_t announced = -1;
  std::string body = "abc";
};

TEST(CheckedGet, OnlyACompleteSuccessCounts) {
  LaxClient client;
  int64_t begun = 0, worked = 0;
  client.SetWorkEvents([&](int64_t n) { begun = n; }, [&](int64_t n) { worked = n; });
  std::string body;
  StringSink sink(body);

  client.status = 404;
  HttpResult r = CheckedGet(client, "http://127.0.0.1/x", sink);
  EXPECT_FALSE(r.ok);
  EXPECT_NE(r.error.find("404"), std::string::npos);

  client.status = 200;
  client.announced = 10;
  r = CheckedGet(client, "http://127.0.0.1/x", sink);
  EXPECT_FALSE(r.ok);
  EXPECT_NE(r.error.find("200"), std::string::npos);
  EXPECT_NE(r.error.find("3 of 10"), std::string::npos);

  client.announced = 3;
  EXPECT_TRUE(CheckedGet(client, "http://127.0.0.1/x", sink).ok);
  // The caller's own progress events ran and are still in place afterwards.
  EXPECT_EQ(begun, 3);
  EXPECT_EQ(worked, 3);
  EXPECT_TRUE(static_cast<bool>(client.OnWorkBegin()));
}

}  // namespace
}  // namespace qev
