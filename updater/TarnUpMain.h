#pragma once
// The updater: replaces the launcher executable with the staged one after the launcher
// has ended.
//
//   TarnUp NAME   copies <own folder>\update\NAME over <own folder>\NAME, then deletes
//                 update\NAME and update\NAME.zip.
//
// Exit codes: 0 replaced, 1 no argument, 2 NAME is not a bare file name or no file of
// that name exists in the working folder, 4 every attempt failed (nothing changed).

#include <string>
#include <vector>

#include "updater/UpdaterOps.h"

namespace qev {

inline constexpr int kTarnUpDone = 0;
inline constexpr int kTarnUpNoArgument = 1;
inline constexpr int kTarnUpNoSuchFile = 2;
inline constexpr int kTarnUpCopyFailed = 4;

inline constexpr unsigned kTarnUpFirstWaitMs = 200;
inline constexpr unsigned kTarnUpRetryWaitMs = 400;
inline constexpr int kTarnUpAttempts = 5;

// args are the program arguments after the program name; exePath is the updater's own
// full path.
int RunTarnUp(UpdaterOps& ops, const std::vector<std::wstring>& args, const std::wstring& exePath);

// The temporary name beside target that a new copy is written to before it replaces
// the target.
std::wstring TarnUpTempName(const std::wstring& target);

}  // namespace qev
