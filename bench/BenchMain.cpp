// qev_bench [FILTER]: runs every case whose name contains FILTER.
#include <sys/resource.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

#include "bench/Bench.h"

namespace qev::bench {

namespace {
std::map<std::string, std::function<void()>>& Cases() {
  static std::map<std::string, std::function<void()>> cases;
  return cases;
}
std::vector<std::string>& Lines() {
  static std::vector<std::string> lines;
  return lines;
}
}  // namespace

Registrar::Registrar(const char* name, std::function<void()> fn) { Cases()[name] = std::move(fn); }

std::string CorpusDir() {
  const char* env = std::getenv("QEV_CORPUS");
  std::string dir = env && *env ? env : "build/corpus";
  FILE* f = std::fopen((dir + "/SHA256SUMS").c_str(), "rb");
  if (!f) return std::string();
  std::fclose(f);
  return dir;
}

void Compare(const std::string& caseName, double ours, const std::string& peer, double theirs,
             bool higherIsBetter) {
  double ratio = higherIsBetter ? (theirs > 0 ? ours / theirs : 0) : (ours > 0 ? theirs / ours : 0);
  char buf[512];
  std::snprintf(buf, sizeof buf, "compare %s ours=%.6g %s=%.6g ratio=%.3f", caseName.c_str(), ours,
                peer.c_str(), theirs, ratio);
  std::printf("%s\n", buf);
  std::fflush(stdout);
  Lines().push_back(buf);
}

double Now() {
  using namespace std::chrono;
  return duration<double>(steady_clock::now().time_since_epoch()).count();
}

double PeakRss() {
  rusage ru{};
  getrusage(RUSAGE_SELF, &ru);
  return static_cast<double>(ru.ru_maxrss) * 1024.0;
}

}  // namespace qev::bench

int main(int argc, char** argv) {
  using namespace qev::bench;
  std::string filter = argc > 1 ? argv[1] : "";
  int ran = 0;
  for (auto& [name, fn] : Cases()) {
    if (name.find(filter) == std::string::npos) continue;
    std::printf("== %s\n", name.c_str());
    std::fflush(stdout);
    fn();
    ++ran;
  }
  std::printf("\n");
  for (auto& l : Lines()) std::printf("%s\n", l.c_str());
  if (ran == 0) std::fprintf(stderr, "no benchmark case matches '%s'\n", filter.c_str());
  return ran == 0 ? 1 : 0;
}
