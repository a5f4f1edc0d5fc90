#pragma once
// HostResolver over WinSock 1.1: started and released around every lookup.

#include "platform/HostResolver.h"

namespace qev {

class Win32HostResolver : public HostResolver {
 public:
  bool ResolveHost(const std::string& name, std::string& dotted) override;
};

}  // namespace qev
