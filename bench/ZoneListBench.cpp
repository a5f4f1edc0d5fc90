// Loading a configuration file with many zones: the launcher's LoadLauncherConfig on
// 2,000 and on 20,000 zones. The peer is the linear expectation, ten times the time of
// the small list; a ratio near 1 means the load grows linearly, near 0.1 quadratically.
// Best of three, seconds.

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "bench/Bench.h"
#include "config/LauncherConfig.h"
#include "posix/PosixFileSystem.h"

namespace qev::bench {
namespace {

std::string WriteZoneList(int zones) {
  std::string path = std::filesystem::absolute("build/zonebench-" + std::to_string(zones) + ".inf");
  std::ofstream out(path, std::ios::binary);
  out << "[LoginInfo]\r\nCaption1=Client.exe\r\n";
  const std::string address = EncodeServerValue("127.0.0.1"), port = EncodeServerValue("7000");
  for (int i = 0; i < zones; ++i)
    out << "[Server" << i << "]\r\nServerName=zone" << i << "\r\nServerCaption=Zone caption " << i
        << "\r\nServerAddress=" << address << "\r\nServerPort=" << port << "\r\n";
  return path;
}

double TimeLoad(const std::string& path, size_t& loaded) {
  double best = 1e30;
  for (int run = 0; run < 3; ++run) {
    PosixFileSystem fs;
    TLauncherConfig config;
    TServerList servers;
    double t0 = Now();
    LoadLauncherConfig(fs, path, config, servers);
    best = std::min(best, Now() - t0);
    loaded = servers.size();
  }
  return best;
}

}  // namespace

QEV_BENCH_CASE(zone_list_load) {
  std::string small = WriteZoneList(2000), large = WriteZoneList(20000);
  size_t n = 0;
  double tSmall = TimeLoad(small, n);
  double tLarge = TimeLoad(large, n);
  std::printf("  2,000 zones %.4f s, 20,000 zones %.4f s (%zu loaded)\n", tSmall, tLarge, n);
  Compare("zone_list_load/20000", tLarge, "linear", 10 * tSmall, false);
  std::filesystem::remove(small);
  std::filesystem::remove(large);
}

}  // namespace qev::bench
