#pragma once
// The rules every command follows for the files it makes: an existing output is
// replaced only with --force, and a file appears only once it is complete (it is
// written beside its place and renamed over it in one step).

#include <string>
#include <string_view>

#include "platform/FileSystem.h"

namespace qev::tool {

// A short description of a file-system error code for messages.
std::string SysErrorText(SysError code);

// Raises ToolError when path exists and force is false (or path is a folder).
void RequireReplaceable(FileSystem& fs, const std::string& path, bool force);

// Writes a complete output file (after RequireReplaceable); raises ToolError.
void WriteOutputFile(FileSystem& fs, const std::string& path, std::string_view data, bool force);

// Reads a whole input file; raises ToolError naming the path.
std::string ReadInputFile(FileSystem& fs, const std::string& path);

}  // namespace qev::tool
