#pragma once
// The style a skinned control draws in: from the skin file, or one of five built-in
// styles compiled into the launcher.

#include <cstdint>

namespace qev {

enum TsuiUIStyle : uint8_t {
  FromThemeFile = 0,
  MacOS = 1,
  WinXP = 2,
  DeepBlue = 3,
  Protein = 4,
  BlueGlass = 5,
};

inline constexpr int kBuiltInStyleCount = 5;

}  // namespace qev
