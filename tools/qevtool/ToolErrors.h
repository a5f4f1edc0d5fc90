#pragma once
// The two ways a command ends early. main() turns them into exit codes: a usage error
// into 2, a failed operation into 1; both print "qevtool: " and the message. Messages
// hold text as files do (GBK paths and values); they are printed as screen text.

#include <stdexcept>
#include <string>

namespace qev::tool {

// The command line asks for something the tool cannot understand.
class UsageError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The operation was understood but could not be done.
class ToolError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

inline constexpr int kExitOk = 0;
inline constexpr int kExitFailed = 1;
inline constexpr int kExitUsage = 2;

}  // namespace qev::tool
