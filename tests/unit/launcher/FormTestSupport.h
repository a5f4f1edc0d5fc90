#pragma once
// Shared set-up of the main-window tests: configuration files written the way an operator
// writes them, and a client folder to start from.

#include <memory>
#include <string>
#include <vector>

#include "tests/fakes/FakeFormKit.h"
#include "tests/fakes/GbkText.h"

namespace qev::test {

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

// InstallClient, then the form built from the kit and created.
std::unique_ptr<TForm1> StartClient(FakeFormKit& kit, const std::vector<ZoneEntry>& servers,
                                    const std::string& loginInfo = "Caption1=client.exe\r\n");

}  // namespace qev::test
