// INI look-ups on the corpus's ini/ files: the launcher's INI class against SimpleIni
// and against inih parsed into a hash map (names folded to lower case, so all three
// compare names without regard to case). Each contender runs in a forked child process
// so that its peak memory is its own; the child reports its time and the growth of its
// resident set above the level after the look-up list was prepared.
//
// ini_large: load ini/large.ini, then 100,000 random look-ups (seconds, best of three;
// peak memory of the first run). ini_hugesection: load ini/hugesection.ini, then 100,000
// random look-ups in its one section (look-ups per second, the first look-up's index
// building included for ours).

#include <fcntl.h>
#include <malloc.h>
#include <sys/wait.h>
#include <unistd.h>

// Texts are GBK bytes: SimpleIni is told to take them as they are.
#define SI_NO_CONVERSION
#define SI_IMPLEMENTATION
#include <SimpleIni.h>
#include <ini.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

#include "bench/Bench.h"
#include "config/FastIniFile.h"
#include "posix/PosixFileSystem.h"

namespace qev::bench {
namespace {

constexpr int kLookups = 100000;

using Lookups = std::vector<std::pair<std::string, std::string>>;

struct Result {
  double loadSeconds = 0;
  double lookupSeconds = 0;
  double peakBytes = 0;
  long found = 0;
};

// Picks look-ups among the section and key names of the file, with a fixed seed.
Lookups MakeLookups(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::vector<std::pair<std::string, std::string>> all;
  std::string line, section;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.size() >= 2 && line.front() == '[' && line.back() == ']') {
      section = line.substr(1, line.size() - 2);
      continue;
    }
    const size_t eq = line.find('=');
    if (line.empty() || line[0] == ';' || line[0] == '#' || eq == std::string::npos) continue;
    std::string key = line.substr(0, eq);
    while (!key.empty() && key.back() == ' ') key.pop_back();
    all.emplace_back(section, key);
  }
  std::mt19937 rng(20240601);
  Lookups out;
  out.reserve(kLookups);
  for (int i = 0; i < kLookups; ++i) out.push_back(all[rng() % all.size()]);
  return out;
}

long StatusKb(const char* field) {
  std::ifstream in("/proc/self/status");
  std::string line;
  const size_t n = std::strlen(field);
  while (std::getline(in, line))
    if (line.compare(0, n, field) == 0) return std::atol(line.c_str() + n + 1);
  return 0;
}

void ResetPeak() {
  malloc_trim(0);
  std::ofstream("/proc/self/clear_refs") << "5";
}

template <class Work>
Result InChild(Work work) {
  int fds[2];
  if (pipe(fds) != 0) return {};
  const pid_t pid = fork();
  if (pid == 0) {
    close(fds[0]);
    Result r = work();
    if (write(fds[1], &r, sizeof r) != static_cast<ssize_t>(sizeof r)) _exit(1);
    _exit(0);
  }
  close(fds[1]);
  Result r;
  if (read(fds[0], &r, sizeof r) != static_cast<ssize_t>(sizeof r)) r = {};
  close(fds[0]);
  waitpid(pid, nullptr, 0);
  return r;
}

// Runs load() then the look-ups through find(), timing both and the memory growth.
template <class Load, class Find>
Result Measure(const std::string& path, Load load, Find find) {
  return InChild([&] {
    const Lookups lookups = MakeLookups(path);
    ResetPeak();
    const long baseKb = StatusKb("VmRSS:");
    Result r;
    const double t0 = Now();
    auto state = load(path);
    const double t1 = Now();
    for (const auto& [s, k] : lookups) r.found += find(*state, s, k) ? 1 : 0;
    const double t2 = Now();
    r.loadSeconds = t1 - t0;
    r.lookupSeconds = t2 - t1;
    r.peakBytes = static_cast<double>(StatusKb("VmHWM:") - baseKb) * 1024.0;
    return r;
  });
}

struct Ours {
  PosixFileSystem fs;
  std::unique_ptr<TFastIniFile> ini;
};

Result RunOurs(const std::string& path) {
  return Measure(
      path,
      [](const std::string& p) {
        auto o = std::make_unique<Ours>();
        o->ini = std::make_unique<TFastIniFile>(o->fs, p);
        o->ini->ReadString("", "", "");  // the first operation loads the file
        return o;
      },
      [](Ours& o, const std::string& s, const std::string& k) {
        return !o.ini->ReadString(s, k, "\x01").starts_with('\x01');
      });
}

Result RunSimpleIni(const std::string& path) {
  return Measure(
      path,
      [](const std::string& p) {
        auto ini = std::make_unique<CSimpleIniA>(false, false, false);
        ini->LoadFile(p.c_str());
        return ini;
      },
      [](CSimpleIniA& ini, const std::string& s, const std::string& k) {
        return ini.GetValue(s.c_str(), k.c_str(), nullptr) != nullptr;
      });
}

std::string Lower(std::string s) {
  for (char& c : s) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c + 32 : c);
  return s;
}

using HashIni = std::unordered_map<std::string, std::string>;

int InihHandler(void* user, const char* section, const char* name, const char* value) {
  auto& map = *static_cast<HashIni*>(user);
  std::string key = Lower(section);
  key += '\0';
  key += Lower(name);
  map[std::move(key)] = value;
  return 1;
}

Result RunInih(const std::string& path) {
  return Measure(
      path,
      [](const std::string& p) {
        auto map = std::make_unique<HashIni>();
        ini_parse(p.c_str(), InihHandler, map.get());
        return map;
      },
      [](HashIni& map, const std::string& s, const std::string& k) {
        std::string key = Lower(s);
        key += '\0';
        key += Lower(k);
        return map.find(key) != map.end();
      });
}

// Best time of three runs; the memory of the first.
template <class Run>
Result Best(Run run, const std::string& path) {
  Result best = run(path);
  for (int i = 0; i < 2; ++i) {
    const Result r = run(path);
    if (r.loadSeconds + r.lookupSeconds < best.loadSeconds + best.lookupSeconds) {
      best.loadSeconds = r.loadSeconds;
      best.lookupSeconds = r.lookupSeconds;
    }
  }
  return best;
}

void Report(const char* name, const Result& r) {
  std::printf("  %-10s load %.4f s, %d look-ups %.4f s, found %ld, peak +%.1f MiB\n", name,
              r.loadSeconds, kLookups, r.lookupSeconds, r.found, r.peakBytes / 1048576.0);
}

std::string IniFile(const char* name) {
  const std::string dir = CorpusDir();
  if (dir.empty()) {
    std::printf("  corpus missing: run ../shared/bench/make_corpus.sh build/corpus (or set QEV_CORPUS)\n");
    return {};
  }
  return dir + "/ini/" + name;
}

}  // namespace

namespace {

struct Contenders {
  Result ours, simple, inih;
};

// The best run of each contender on one file, each reported as it comes.
Contenders RunAll(const std::string& path) {
  Contenders c{Best(RunOurs, path), Best(RunSimpleIni, path), Best(RunInih, path)};
  Report("ours", c.ours);
  Report("SimpleIni", c.simple);
  Report("inih", c.inih);
  return c;
}

double TotalSeconds(const Result& r) { return r.loadSeconds + r.lookupSeconds; }

void CompareTotals(const std::string& name, const Contenders& c) {
  Compare(name, TotalSeconds(c.ours), "SimpleIni", TotalSeconds(c.simple), false);
  Compare(name, TotalSeconds(c.ours), "inih", TotalSeconds(c.inih), false);
}

}  // namespace

QEV_BENCH_CASE(ini_large) {
  const std::string path = IniFile("large.ini");
  if (path.empty()) return;
  const Contenders c = RunAll(path);
  CompareTotals("ini_large_seconds", c);
  Compare("ini_large_peak_bytes", c.ours.peakBytes, "SimpleIni", c.simple.peakBytes, false);
  Compare("ini_large_peak_bytes", c.ours.peakBytes, "inih", c.inih.peakBytes, false);
}

QEV_BENCH_CASE(ini_hugesection) {
  const std::string path = IniFile("hugesection.ini");
  if (path.empty()) return;
  const Contenders c = RunAll(path);
  auto rate = [](const Result& r) { return r.lookupSeconds > 0 ? kLookups / r.lookupSeconds : 0; };
  Compare("ini_hugesection_lookups_per_s", rate(c.ours), "SimpleIni", rate(c.simple), true);
  Compare("ini_hugesection_lookups_per_s", rate(c.ours), "inih", rate(c.inih), true);
  CompareTotals("ini_hugesection_seconds", c);
}

}  // namespace qev::bench
