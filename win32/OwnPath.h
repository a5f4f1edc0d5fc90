#pragma once
// The running executable's own path.

#include <string>

namespace qev::win32 {

// The full path as the system reports it.
std::wstring OwnExePathWide();
// The same path in GBK; false when some character of it has no GBK form.
bool OwnExePathGbk(std::string& out);

}  // namespace qev::win32
