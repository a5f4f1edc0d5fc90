#include "win32/TrayIcon.h"

#include <shellapi.h>

#include <algorithm>
#include <string>

#include "win32/Gbk.h"

namespace qev::win32 {

namespace {
constexpr UINT kIconId = 1;

NOTIFYICONDATAW BaseData(HWND owner) {
  NOTIFYICONDATAW data = {};
  data.cbSize = sizeof(data);
  data.hWnd = owner;
  data.uID = kIconId;
  return data;
}
}  // namespace

bool TrayIcon::Add(HWND owner, std::string_view hint) {
  Remove();
  NOTIFYICONDATAW data = BaseData(owner);
  data.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
  data.uCallbackMessage = kCallbackMessage;
  data.hIcon = LoadIconW(nullptr, IDI_APPLICATION);
  const std::wstring tip = GbkToWide(hint);
  const size_t n = std::min(tip.size(), std::size(data.szTip) - 1);
  tip.copy(data.szTip, n);
  if (!Shell_NotifyIconW(NIM_ADD, &data)) return false;
  owner_ = owner;
  return true;
}

void TrayIcon::Remove() {
  if (!owner_) return;
  NOTIFYICONDATAW data = BaseData(owner_);
  Shell_NotifyIconW(NIM_DELETE, &data);
  owner_ = nullptr;
}

}  // namespace qev::win32
