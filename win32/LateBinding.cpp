#include "win32/LateBinding.h"

#include <string>

#include "win32/SystemMessage.h"

namespace qev::win32 {

namespace {

constexpr char kMissingHead[] =
    "\xc8\xb1\xc9\xd9\xcf\xb5\xcd\xb3\xd7\xe9\xbc\xfe\xa3\xba";  // 缺少系统组件：
constexpr char kMissingTail[] =
    "\xa3\xac\xb5\xc7\xc2\xbc\xc6\xf7\xce\xde\xb7\xa8\xd4\xcb\xd0\xd0\xa1\xa3";  // ，登录器无法运行。
constexpr char kMissingCaption[] = "\xb4\xed\xce\xf3";                           // 错误

[[noreturn]] void Missing(const wchar_t* library, const char* function) {
  std::string text = kMissingHead;
  for (const wchar_t* c = library; *c; ++c) text += static_cast<char>(*c);  // ASCII names
  text += std::string(" ") + function + kMissingTail;
  ShowSystemMessage(text, kMissingCaption);
  ExitProcess(1);
}

}  // namespace

FARPROC LateAddress(const wchar_t* library, const char* function) {
  // Only from the system folder: a library of the same name beside the launcher is
  // never taken.
  HMODULE module = LoadLibraryExW(library, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
  if (!module && GetLastError() == ERROR_INVALID_PARAMETER)
    module = LoadLibraryW(library);  // systems without the search flags
  FARPROC address = module ? GetProcAddress(module, function) : nullptr;
  if (!address) Missing(library, function);
  return address;
}

}  // namespace qev::win32
