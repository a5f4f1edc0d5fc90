#pragma once
// The benchmark program's case registry. A case measures our code and a named peer on
// the same work in the same run and reports each comparison with Compare(); the program
// prints one "compare CASE ours=VALUE PEER=VALUE ratio=R" line per comparison at the end
// (R > 1: ours is better).

#include <functional>
#include <string>

namespace qev::bench {

// Where the corpus lies (QEV_CORPUS, default build/corpus); empty when it is missing.
std::string CorpusDir();

// higherIsBetter: throughput (MB/s, lookups/s); otherwise times or sizes.
void Compare(const std::string& caseName, double ours, const std::string& peer, double theirs,
             bool higherIsBetter);

// Seconds of a monotonic clock.
double Now();
// The peak resident set size of this process so far, in bytes.
double PeakRss();

struct Registrar {
  Registrar(const char* name, std::function<void()> fn);
};

}  // namespace qev::bench

#define QEV_BENCH_CASE(name)                                                      \
  static void qev_bench_##name();                                                 \
  static ::qev::bench::Registrar qev_bench_reg_##name(#name, &qev_bench_##name); \
  static void qev_bench_##name()
