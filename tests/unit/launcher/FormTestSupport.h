#pragma once
// Shared set-up of the main-window tests: UTF-8 to GBK for readable expectations, and
// configuration files written the way an operator writes them.

#include <string>
#include <vector>

#include "tests/fakes/FakeFormKit.h"

namespace qev::test {

// The GBK bytes of a UTF-8 text (through the C library's converter, independent of
// the byte tables of the code under test).
std::string Gbk(const std::string& utf8);

struct ZoneEntry {
  std::string address;
  int port;
  std::string caption;
  std::string notice;
};

// A configuration file text with section LoginInfo (the given extra lines) and one
// enciphered server section per entry.
std::string ConfigText(const std::vector<ZoneEntry>& servers, const std::string& loginInfo = "");

// A kit with a client folder, the configuration file and the client program in place.
void InstallClient(FakeFormKit& kit, const std::vector<ZoneEntry>& servers,
                   const std::string& loginInfo = "Caption1=client.exe\r\n");

}  // namespace qev::test
