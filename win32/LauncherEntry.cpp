#include "win32/LauncherEntry.h"

#include <string>

#include "config/ProcessValues.h"
#include "win32/EntryTexts.h"
#include "win32/Gbk.h"
#include "win32/LauncherWindow.h"
#include "win32/MainWindow.h"
#include "win32/OwnPath.h"
#include "win32/SystemMessage.h"

namespace qev::win32 {

namespace {

// The class name identifies a running launcher; its caption does not.
HWND FindRunningLauncher() { return FindWindowW(GbkToWide(LauncherId).c_str(), nullptr); }

void HandOverTo(HWND running) {
  ShowSystemMessage(std::string(LauncherTitle) + "\r\n\r\n" + kAlreadyRunningText,
                    kAlreadyRunningCaption);
  SendMessageW(running, kRestoreMessage, 0, 0);
  SetForegroundWindow(running);
}

DWORD Attributes(const std::string& gbkPath) {
  return GetFileAttributesW(GbkToWide(gbkPath).c_str());
}

bool IsFile(const std::string& path) {
  DWORD a = Attributes(path);
  return a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY);
}

bool IsFolder(const std::string& path) {
  DWORD a = Attributes(path);
  return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
}

bool IsClientFolder(const std::string& appDir) {
  return IsFile(appDir + "map\\1.map") && IsFolder(appDir + "data");
}

}  // namespace

int RunLauncher(HINSTANCE instance) {
  std::string exePath;
  if (!OwnExePathGbk(exePath)) {
    ShowSystemMessage(kFolderNameNotGbkText, LauncherTitle);
    return 0;
  }
  ProcessValues values;
  InitProcessValues(values, exePath);

  if (HWND running = FindRunningLauncher()) {
    HandOverTo(running);
    return 0;
  }
  if (!IsClientFolder(values.AppDir)) {
    ShowSystemMessage(kNotInClientFolderText, LauncherTitle);
    return 0;
  }
  LauncherWindow launcher(instance, values);
  return launcher.Run();
}

}  // namespace qev::win32
