#include "win32/TrayIcon.h"

#include <shellapi.h>

#include <algorithm>

#include "win32/Gbk.h"
#include "win32/LateShell.h"

namespace qev::win32 {

namespace {
constexpr UINT kIconId = 1;
}

NOTIFYICONDATAW TrayIcon::Data() const {
  NOTIFYICONDATAW data = {};
  data.cbSize = sizeof(data);
  data.hWnd = owner_;
  data.uID = kIconId;
  data.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
  data.uCallbackMessage = kCallbackMessage;
  data.hIcon = icon_ ? icon_ : LoadIconW(nullptr, IDI_APPLICATION);
  const std::wstring tip = GbkToWide(hint_);
  const size_t n = std::min(tip.size(), std::size(data.szTip) - 1);
  tip.copy(data.szTip, n);
  return data;
}

bool TrayIcon::Add(HWND owner, HICON icon) {
  Remove();
  owner_ = owner;
  icon_ = icon;
  NOTIFYICONDATAW data = Data();
  if (late::Shell_NotifyIconW(NIM_ADD, &data)) return true;
  owner_ = nullptr;
  return false;
}

void TrayIcon::Remove() {
  if (!owner_) return;
  NOTIFYICONDATAW data = Data();
  late::Shell_NotifyIconW(NIM_DELETE, &data);
  owner_ = nullptr;
}

void TrayIcon::SetHint(const std::string& hint) {
  hint_ = hint;
  if (!owner_) return;
  NOTIFYICONDATAW data = Data();
  late::Shell_NotifyIconW(NIM_MODIFY, &data);
}

}  // namespace qev::win32
