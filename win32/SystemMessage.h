#pragma once
// The system's own message box, for the messages shown before the main window exists.

#include <string_view>

namespace qev::win32 {

// A modal box with one OK button; both texts are GBK.
void ShowSystemMessage(std::string_view text, std::string_view caption);

}  // namespace qev::win32
