#include <gtest/gtest.h>

#include <map>
#include <set>

#include "updater/TarnUpMain.h"

namespace qev {
namespace {

// Files in memory; relative names resolve against the working folder. A path in
// busy refuses to be replaced or removed while busyAttempts lasts, like an executable
// that is still running or a file another process holds open.
class FakeOps : public UpdaterOps {
 public:
  std::map<std::wstring, std::string> files;
  std::wstring cwd = L"D:\\game\\";
  std::set<std::wstring> busy;
  int busyMoves = 0;         // how many replacements of a busy path still fail
  bool copyBreaks = false;   // copies leave half a file and fail
  std::vector<unsigned> waits;
  int copies = 0;

  std::wstring Full(const std::wstring& p) const {
    bool absolute = p.size() >= 2 && (p[1] == L':' || p[0] == L'\\');
    return absolute ? p : cwd + p;
  }
  bool FileExists(const std::wstring& p) override { return files.count(Full(p)) > 0; }
  bool CopyOver(const std::wstring& from, const std::wstring& to) override {
    ++copies;
    auto it = files.find(Full(from));
    if (it == files.end()) return false;
    if (copyBreaks) {
      files[Full(to)] = it->second.substr(0, it->second.size() / 2);
      return false;
    }
    if (IsBusy(to)) return false;
    files[Full(to)] = it->second;
    return true;
  }
  bool MoveReplacing(const std::wstring& from, const std::wstring& to) override {
    if (!files.count(Full(from)) || IsBusy(to)) return false;
    files[Full(to)] = files[Full(from)];
    files.erase(Full(from));
    return true;
  }
  bool Remove(const std::wstring& p) override { return files.erase(Full(p)) > 0; }
  void Wait(unsigned ms) override { waits.push_back(ms); }

 private:
  bool IsBusy(const std::wstring& p) {
    if (!busy.count(Full(p)) || busyMoves == 0) return false;
    --busyMoves;
    return true;
  }
};

const std::wstring kExe = L"D:\\game\\TarnUp.exe";
const std::wstring kLauncher = L"D:\\game\\QevLogin.exe";
const std::wstring kStaged = L"D:\\game\\update\\QevLogin.exe";
const std::wstring kArchive = L"D:\\game\\update\\QevLogin.exe.zip";

FakeOps StagedUpdate() {
  FakeOps ops;
  ops.files[kLauncher] = "old launcher";
  ops.files[kStaged] = "new launcher";
  ops.files[kArchive] = "archive";
  return ops;
}

unsigned TotalWait(const FakeOps& ops) {
  unsigned sum = 0;
  for (unsigned w : ops.waits) sum += w;
  return sum;
}

TEST(TarnUp, ArgumentsThatTouchNothing) {
  FakeOps ops = StagedUpdate();
  EXPECT_EQ(RunTarnUp(ops, {}, kExe), 1);
  EXPECT_EQ(RunTarnUp(ops, {L"Other.exe"}, kExe), 2);
  // Names with a folder part exist here, yet are refused: the copy would leave the folder.
  ops.files[L"D:\\game\\update\\update\\QevLogin.exe"] = "x";
  ops.files[L"D:\\QevLogin.exe"] = "x";
  const auto withDecoys = ops.files;
  for (const wchar_t* bad : {L"update\\QevLogin.exe", L"..\\QevLogin.exe", L"..", L".",
                                  L"D:\\game\\QevLogin.exe", L"D:QevLogin.exe", L"../QevLogin.exe",
                                  L""}) {
    SCOPED_TRACE(testing::PrintToString(std::wstring(bad)));
    EXPECT_EQ(RunTarnUp(ops, {bad}, kExe), 2);
  }
  EXPECT_EQ(ops.files, withDecoys);
  EXPECT_EQ(ops.copies, 0);
  EXPECT_TRUE(ops.waits.empty());
}

TEST(TarnUp, SuccessReplacesLauncherAndRemovesBothStagedFiles) {
  FakeOps ops = StagedUpdate();
  EXPECT_EQ(RunTarnUp(ops, {L"QevLogin.exe", L"ignored"}, kExe), 0);
  EXPECT_EQ(ops.files[kLauncher], "new launcher");
  EXPECT_EQ(ops.files.size(), 1u);  // no staged file, no temporary copy
  EXPECT_EQ(ops.waits, std::vector<unsigned>{200});

  FakeOps bare = StagedUpdate();  // a bare executable download has no archive
  bare.files.erase(kArchive);
  EXPECT_EQ(RunTarnUp(bare, {L"QevLogin.exe"}, kExe), 0);
  EXPECT_EQ(bare.files.size(), 1u);
}

TEST(TarnUp, MissingSourceFailsFiveTimesAndChangesNothing) {
  FakeOps ops = StagedUpdate();
  ops.files.erase(kStaged);
  const auto before = ops.files;
  EXPECT_EQ(RunTarnUp(ops, {L"QevLogin.exe"}, kExe), 4);
  EXPECT_EQ(ops.files, before);  // archive kept, launcher unchanged
  EXPECT_EQ(ops.copies, 5);
  EXPECT_EQ(ops.waits, (std::vector<unsigned>{200, 400, 400, 400, 400, 400}));
  EXPECT_EQ(TotalWait(ops), 2200u);
}

TEST(TarnUp, BusyTargetIsReplacedAtTheThirdAttempt) {
  FakeOps ops = StagedUpdate();
  ops.busy.insert(kLauncher);
  ops.busyMoves = 2;
  EXPECT_EQ(RunTarnUp(ops, {L"QevLogin.exe"}, kExe), 0);
  EXPECT_EQ(ops.copies, 3);
  EXPECT_EQ(ops.waits, (std::vector<unsigned>{200, 400, 400}));
  EXPECT_EQ(ops.files[kLauncher], "new launcher");
  EXPECT_EQ(ops.files.size(), 1u);
}

TEST(TarnUp, FailedCopiesNeverLeaveAHalfWrittenLauncher) {
  FakeOps ops = StagedUpdate();
  ops.copyBreaks = true;
  EXPECT_EQ(RunTarnUp(ops, {L"QevLogin.exe"}, kExe), 4);
  EXPECT_EQ(ops.files[kLauncher], "old launcher");
  EXPECT_EQ(ops.files.count(TarnUpTempName(kLauncher)), 0u);
  EXPECT_EQ(ops.files.size(), 3u);

  FakeOps locked = StagedUpdate();  // busy for every attempt
  locked.busy.insert(kLauncher);
  locked.busyMoves = 100;
  EXPECT_EQ(RunTarnUp(locked, {L"QevLogin.exe"}, kExe), 4);
  EXPECT_EQ(locked.files[kLauncher], "old launcher");
  EXPECT_EQ(locked.files.size(), 3u);
}

TEST(TarnUp, PathsComeFromOwnFolderNotWorkingFolder) {
  FakeOps ops;
  ops.cwd = L"C:\\elsewhere\\";
  ops.files[L"C:\\elsewhere\\L.exe"] = "name present here";
  ops.files[L"D:\\update\\L.exe"] = "new";
  EXPECT_EQ(RunTarnUp(ops, {L"L.exe"}, L"D:\\TarnUp.exe"), 0);
  EXPECT_EQ(ops.files[L"D:\\L.exe"], "new");
  EXPECT_EQ(ops.files[L"C:\\elsewhere\\L.exe"], "name present here");
}

}  // namespace
}  // namespace qev
