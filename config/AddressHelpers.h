#pragma once
// Host names and dotted IPv4 addresses.

#include <string>
#include <string_view>

#include "platform/HostResolver.h"

namespace qev {

bool IsDottedQuad(std::string_view s);
// The dotted address of s ("0.0.0.0" when it cannot be resolved).
std::string HostToIp(HostResolver& resolver, const std::string& s);

}  // namespace qev
