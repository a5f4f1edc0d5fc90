#pragma once
// GBK (code page 936) <-> UTF-16 at the Windows boundary. Always code page 936, never
// the system's ANSI code page, so Chinese texts survive on a Windows of any language.

#include <string>
#include <string_view>

namespace qev {

// Bytes that are not valid GBK give an empty result (for a non-empty input).
std::wstring GbkToWide(std::string_view gbk);
// False when some character has no GBK form; out is then left empty.
bool WideToGbk(std::wstring_view wide, std::string& out);

}  // namespace qev
