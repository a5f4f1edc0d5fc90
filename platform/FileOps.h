#pragma once
// Small operations built on FileSystem that several layers share.

#include <string>
#include <string_view>

#include "platform/FileSystem.h"

namespace qev {

// The folder part of a path including its final separator ("" when there is none).
std::string DirPart(std::string_view path);
// The text after the last "\" or "/".
std::string NamePart(std::string_view path);
// The path without one trailing separator.
std::string WithoutTrailingSeparator(std::string_view path);

// Reads a whole file into out.
SysError ReadWholeFile(FileSystem& fs, const std::string& path, std::string& out);

// Writes data to path so that a failure never leaves a truncated file: the bytes go
// to a temporary file beside the target, which then replaces the target in one step.
// On failure the temporary file is removed and the old target is untouched.
SysError WriteFileReplacing(FileSystem& fs, const std::string& path, std::string_view data);

// Moves an already complete file over target in one step (the replace half of
// WriteFileReplacing); removes source when the move fails.
SysError ReplaceWithFile(FileSystem& fs, const std::string& source, const std::string& target);

// A name beside path that no file has yet, for a temporary copy.
std::string TempNameBeside(FileSystem& fs, const std::string& path);

// Creates a folder and every missing parent.
SysError CreateDirPath(FileSystem& fs, const std::string& path);

}  // namespace qev
