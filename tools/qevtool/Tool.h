#pragma once
// The whole tool behind main(): picks the command from the arguments, runs it and
// turns its outcome into the exit code.

#include <string>
#include <vector>

#include "ToolContext.h"

namespace qev::tool {

// args: the arguments after the program name, UTF-8 (or bytes with --raw).
int RunTool(ToolContext& ctx, const std::vector<std::string>& args);

}  // namespace qev::tool
