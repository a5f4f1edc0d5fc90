#include "win32/SystemMessage.h"

#include <windows.h>

#include "win32/Gbk.h"

namespace qev::win32 {

void ShowSystemMessage(std::string_view text, std::string_view caption) {
  const std::wstring wideText = GbkToWide(text);
  const std::wstring wideCaption = GbkToWide(caption);
  MessageBoxW(nullptr, wideText.c_str(), wideCaption.c_str(), MB_OK | MB_SETFOREGROUND);
}

}  // namespace qev::win32
