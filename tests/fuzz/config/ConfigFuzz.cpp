// The launcher configuration over any file: no crash, no leak, and the accepted servers
// always have distinct captions and all four required values.

#include <cstdint>
#include <cstdlib>
#include <string>

#include "config/LauncherConfig.h"
#include "config/UpperCase.h"
#include "tests/fakes/MemFileSystem.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  qev::test::MemFileSystem fs;
  const char* path = "C:\\g\\tolw3.inf";
  fs.AddFile(path, std::string(reinterpret_cast<const char*>(data), size));
  qev::TLauncherConfig config;
  qev::TServerList servers;
  std::vector<qev::DroppedSection> dropped;
  qev::LoadLauncherConfig(fs, path, config, servers, &dropped);
  if (config.InfoVer.size() > 60) abort();
  for (size_t i = 0; i < servers.size(); ++i) {
    if (servers[i]->ServerName.empty() || servers[i]->ServerCaption.empty()) abort();
    for (size_t j = 0; j < i; ++j)
      if (qev::UpperCaseTbl(servers[i]->ServerCaption) ==
          qev::UpperCaseTbl(servers[j]->ServerCaption))
        abort();
  }
  for (const auto& d : dropped)
    if (d.Reason.empty()) abort();
  return 0;
}
