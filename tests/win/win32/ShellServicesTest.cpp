// Shell links, the registry and the shell-open of the Windows layer, read back through
// the system's own interfaces.
#include <gtest/gtest.h>
#include <objbase.h>
#include <shellapi.h>
#include <shlobj.h>

#include <string>

#include "tests/win/win32/WinTestSupport.h"
#include "win32/ComPtr.h"
#include "win32/Gbk.h"
#include "win32/WinShellServices.h"

namespace qev::win32 {
namespace {

using test::Gbk;
using test::Wide;

// A fresh folder under the temporary folder (a Chinese name unless told); removed afterwards.
class ScratchFolder {
 public:
  explicit ScratchFolder(const std::wstring& name = Wide("神域测试")) {
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    path_ = std::wstring(temp) + name + std::to_wstring(GetCurrentProcessId());
    CreateDirectoryW(path_.c_str(), nullptr);
  }
  ~ScratchFolder() {
    std::wstring list = path_ + L'\0';  // a double-null list for the shell
    SHFILEOPSTRUCTW op = {};
    op.wFunc = FO_DELETE;
    op.pFrom = list.c_str();
    op.fFlags = FOF_NO_UI;
    SHFileOperationW(&op);
  }
  const std::wstring& Path() const { return path_; }
  std::string GbkPath() const {
    std::string out;
    WideToGbk(path_, out);
    return out;
  }

 private:
  std::wstring path_;
};

struct LinkRead {
  std::wstring target, arguments, folder;
};

bool ReadLink(const std::wstring& file, LinkRead& out) {
  ComPtr<IShellLinkW> link;
  if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                              link.OutVoid())))
    return false;
  ComPtr<IPersistFile> persist = link.As<IPersistFile>();
  if (!persist || FAILED(persist->Load(file.c_str(), STGM_READ))) return false;
  wchar_t buffer[MAX_PATH * 2];
  link->GetPath(buffer, MAX_PATH * 2, nullptr, 0);
  out.target = buffer;
  link->GetArguments(buffer, MAX_PATH * 2);
  out.arguments = buffer;
  link->GetWorkingDirectory(buffer, MAX_PATH * 2);
  out.folder = buffer;
  return true;
}

// An empty file at path (GBK).
bool MakeFile(const std::string& path) {
  HANDLE f =
      CreateFileW(GbkToWide(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  if (f == INVALID_HANDLE_VALUE) return false;
  CloseHandle(f);
  return true;
}

TEST(WinShellLinks, SavesAndRefreshesALinkWithChineseNames) {
  ScratchFolder dir;
  const std::string linkFile = dir.GbkPath() + "\\" + Gbk("神域登录器.lnk");
  // Wine keeps a link's target in the ANSI code page, so a Chinese target comes back
  // whole only where that code page is 936; elsewhere the target lies in a plain folder.
  const bool chineseTarget = GetACP() == 936;
  ScratchFolder plain(L"qev-link-target");
  const std::string exe = (chineseTarget ? dir.GbkPath() + "\\" + Gbk("神域登录器.exe")
                                         : plain.GbkPath() + "\\QevLogin.exe");
  ASSERT_TRUE(MakeFile(exe));

  WinShellLinks links;
  ASSERT_TRUE(links.Save(linkFile, exe, "", dir.GbkPath()));
  // The saver starts COM only for its own call; this thread reads the link with its own.
  ASSERT_TRUE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)));
  LinkRead read;
  ASSERT_TRUE(ReadLink(GbkToWide(linkFile), read));
  EXPECT_EQ(read.target, GbkToWide(exe));
  EXPECT_EQ(read.arguments, L"");
  EXPECT_EQ(read.folder, dir.Path());

  // Saved again over the existing file, now with COM already running on this thread.
  ASSERT_TRUE(links.Save(linkFile, exe, "-x " + Gbk("参数"), dir.GbkPath() + "\\"));
  ASSERT_TRUE(ReadLink(GbkToWide(linkFile), read));
  EXPECT_EQ(read.target, GbkToWide(exe));
  EXPECT_EQ(read.arguments, L"-x " + Wide("参数"));
  EXPECT_EQ(read.folder, dir.Path() + L"\\");

  // A folder that does not exist, and a text with no GBK form, save nothing.
  EXPECT_FALSE(links.Save(dir.GbkPath() + "\\missing\\a.lnk", exe, "", ""));
  EXPECT_FALSE(links.Save(dir.GbkPath() + "\\b.lnk", "ab\x81", "", ""));
  CoUninitialize();
}

TEST(WinShellLinks, AHeldSaveWaitsForSavePendingAndThenSavesInOrder) {
  ScratchFolder dir;
  ScratchFolder plain(L"qev-held-target");
  const std::string exe = plain.GbkPath() + "\\QevLogin.exe";
  ASSERT_TRUE(MakeFile(exe));
  const std::string linkFile = dir.GbkPath() + "\\held.lnk";

  WinShellLinks links;
  links.HoldUntilShown();
  EXPECT_TRUE(links.Save(linkFile, exe, "-a", ""));
  EXPECT_TRUE(links.Save(linkFile, exe, "-b", dir.GbkPath()));
  EXPECT_EQ(GetFileAttributesW(GbkToWide(linkFile).c_str()), INVALID_FILE_ATTRIBUTES);

  links.SavePending();
  ASSERT_TRUE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)));
  LinkRead read;
  ASSERT_TRUE(ReadLink(GbkToWide(linkFile), read));
  EXPECT_EQ(read.arguments, L"-b");  // the later save is the one that stays
  EXPECT_EQ(read.folder, dir.Path());
  // Not held any more: a save that cannot be done says so again.
  EXPECT_FALSE(links.Save(dir.GbkPath() + "\\missing\\a.lnk", exe, "", ""));
  CoUninitialize();
}

TEST(WinRegistry, ReadsTextValuesOfTheCurrentUser) {
  WinRegistry reg;
  std::string desktop;
  ASSERT_TRUE(reg.ReadCurrentUserString(
      "Software\\MicroSoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders", "Desktop", desktop));
  EXPECT_GT(desktop.size(), 3u);
  EXPECT_EQ(desktop.substr(1, 2), ":\\") << desktop;

  // Values the test writes: Chinese text, an unexpanded text, a number, a missing one.
  const std::wstring key = L"Software\\QevServicesTest";
  HKEY k = nullptr;
  ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, key.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                            &k, nullptr),
            ERROR_SUCCESS);
  const std::wstring text = Wide("桌面");
  RegSetValueExW(k, Wide("名字").c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                 static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
  const std::wstring expand = L"%USERPROFILE%\\x";
  RegSetValueExW(k, L"expand", 0, REG_EXPAND_SZ, reinterpret_cast<const BYTE*>(expand.c_str()),
                 static_cast<DWORD>(expand.size() * sizeof(wchar_t)));  // stored without a null
  const DWORD number = 7;
  RegSetValueExW(k, L"number", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&number), sizeof number);
  RegCloseKey(k);

  std::string value = "old";
  EXPECT_TRUE(reg.ReadCurrentUserString("Software\\QevServicesTest", Gbk("名字"), value));
  EXPECT_EQ(value, Gbk("桌面"));
  EXPECT_TRUE(reg.ReadCurrentUserString("Software\\QevServicesTest", "expand", value));
  EXPECT_EQ(value, "%USERPROFILE%\\x");
  value = "old";
  EXPECT_FALSE(reg.ReadCurrentUserString("Software\\QevServicesTest", "number", value));
  EXPECT_FALSE(reg.ReadCurrentUserString("Software\\QevServicesTest", "missing", value));
  EXPECT_FALSE(reg.ReadCurrentUserString("Software\\QevNoSuchKey", "Desktop", value));
  EXPECT_EQ(value, "old");
  RegDeleteKeyW(HKEY_CURRENT_USER, key.c_str());
}

TEST(WinShell, StartsAProgramWithItsParametersInItsFolder) {
  ScratchFolder dir;
  WinShell shell;
  // cmd writes a file named by the parameters into the working folder.
  const int result = shell.Open("cmd.exe", "/c echo started>made.txt", dir.GbkPath());
  EXPECT_GT(result, 32);
  const std::wstring made = dir.Path() + L"\\made.txt";
  EXPECT_TRUE(test::PumpUntil(
      [&] { return GetFileAttributesW(made.c_str()) != INVALID_FILE_ATTRIBUTES; }, 10000));
  // A text that is not GBK opens nothing.
  EXPECT_EQ(shell.Open("ab\x81", "", ""), ERROR_FILE_NOT_FOUND);
}

}  // namespace
}  // namespace qev::win32
