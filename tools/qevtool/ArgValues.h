#pragma once
// Readers of numeric arguments; each raises UsageError naming the argument.

#include <cstdint>
#include <string>

namespace qev::tool {

// Decimal with an optional sign, nothing else, within the 32-bit range.
int32_t ParseInt32Arg(const std::string& text, const std::string& what);
// A TCP port, minPort..65535.
uint16_t ParsePortArg(const std::string& text, const std::string& what, int minPort = 1);

}  // namespace qev::tool
