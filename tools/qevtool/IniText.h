#pragma once
// Writing INI text that the launcher's INI reader gives back exactly: values that the
// reader would trim, cut at a ";" or unquote are written in double quotes.

#include <string>

namespace qev::tool {

// The text to write after "Key=" so that reading the key yields value. Raises
// UsageError (naming what) when no such text exists: a line break or NUL in the value,
// or a value that needs quotes and holds a double quote itself.
std::string IniValueText(const std::string& value, const std::string& what);

// "Key=" + IniValueText(value) + CR LF.
std::string IniKeyLine(const std::string& key, const std::string& value, const std::string& what);

}  // namespace qev::tool
