#pragma once
// Blocking host-name resolution (the system's resolver; WinSock on Windows).

#include <string>

namespace qev {

class HostResolver {
 public:
  virtual ~HostResolver() = default;
  // The first IPv4 address of name as "%d.%d.%d.%d"; false when the lookup fails.
  virtual bool ResolveHost(const std::string& name, std::string& dotted) = 0;
};

}  // namespace qev
