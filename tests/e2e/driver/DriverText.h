#pragma once
// Text helpers of the UI driver: UTF-8 <-> UTF-16, JSON strings, window texts.

#include <windows.h>

#include <string>

namespace driver {

std::string Utf8(const std::wstring& w);
std::wstring Wide(const std::string& utf8);
// The bytes whose hex digits are given ("e4b8ad" -> the UTF-8 of one character).
std::string FromHex(const char* hex);
// A JSON string literal of UTF-8 text.
std::string Json(const std::string& utf8);
inline std::string Json(const std::wstring& w) { return Json(Utf8(w)); }
// WM_GETTEXT with a time-out, so a hung window cannot hang the driver.
std::wstring TextOf(HWND h);
std::wstring ClassOf(HWND h);
// A caption without its mnemonic marks: "(&Y)Yes" -> "(Y)Yes".
std::wstring WithoutAmpersands(const std::wstring& s);
HWND ParseHwnd(const char* s);
unsigned long ParseNumber(const char* s);

}  // namespace driver
