#include "win32/Win32HostResolver.h"

#include <winsock2.h>

#include <cstdio>

#include "win32/LateWinsock.h"

namespace qev {

bool Win32HostResolver::ResolveHost(const std::string& name, std::string& dotted) {
  WSADATA wsa;
  if (win32::late::WSAStartup(MAKEWORD(1, 1), &wsa) != 0) return false;
  bool ok = false;
  const hostent* host = win32::late::gethostbyname(name.c_str());
  if (host && host->h_addrtype == AF_INET && host->h_length == 4 && host->h_addr_list &&
      host->h_addr_list[0]) {
    const auto* b = reinterpret_cast<const unsigned char*>(host->h_addr_list[0]);
    char buf[16];
    std::snprintf(buf, sizeof buf, "%d.%d.%d.%d", b[0], b[1], b[2], b[3]);
    dotted = buf;
    ok = true;
  }
  win32::late::WSACleanup();
  return ok;
}

}  // namespace qev
