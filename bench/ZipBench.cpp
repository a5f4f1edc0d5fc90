// ZIP extraction of each archive of the corpus's zip/ folder into an empty folder: the
// launcher's component (in this process, through the POSIX file system, every member
// flat into the folder as the launcher extracts) against `unzip -o -q` and `7z x`, each
// run as a child process and timed whole. The same component is also timed as a whole
// process through the operator tool (`qevtool zip extract`), the fair match for the two
// outside programs. Best of three runs, seconds.

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "bench/Bench.h"
#include "posix/PosixFileSystem.h"
#include "zip/VCLUnZip.h"

namespace qev::bench {
namespace {

class YesPrompt : public ZipPrompt {
 public:
  bool AskReplace(const std::string&) override { return true; }
  void ShowError(const std::string&, const std::string&) override {}
};

std::string Scratch() { return std::filesystem::absolute("build/zipbench-scratch").string(); }

void Fresh(const std::string& dir) {
  std::filesystem::remove_all(dir);
  std::filesystem::create_directories(dir);
}

double TimeOurs(const std::string& archive, int& count) {
  std::string dir = Scratch();
  Fresh(dir);
  double t0 = Now();
  PosixFileSystem fs;
  YesPrompt prompt;
  TVCLUnZip unzip(fs, prompt);
  unzip.ZipName = archive;
  unzip.DestDir = dir;
  unzip.ReadZip();
  count = unzip.UnZip();
  return Now() - t0;
}

double TimeCommand(const std::string& cmd) {
  Fresh(Scratch());
  double t0 = Now();
  int rc = std::system(cmd.c_str());
  double t = Now() - t0;
  if (rc != 0) std::printf("  command failed (%d): %s\n", rc, cmd.c_str());
  return t;
}

// The operator tool of the same build tree, beside this program's folder.
std::string ToolPath() {
  std::error_code ec;
  auto self = std::filesystem::read_symlink("/proc/self/exe", ec);
  if (ec) return std::string();
  auto tool = self.parent_path().parent_path() / "tools" / "qevtool" / "qevtool";
  return std::filesystem::exists(tool) ? tool.string() : std::string();
}

template <typename F>
double Best(F f) {
  double best = 1e30;
  for (int i = 0; i < 3; ++i) best = std::min(best, f());
  return best;
}

}  // namespace

QEV_BENCH_CASE(zip_extract) {
  std::string corpus = CorpusDir();
  if (corpus.empty()) {
    std::printf("  no corpus (run make_corpus.sh build/corpus)\n");
    return;
  }
  std::vector<std::filesystem::path> archives;
  for (const auto& e : std::filesystem::directory_iterator(corpus + "/zip"))
    if (e.path().extension() == ".zip") archives.push_back(std::filesystem::absolute(e.path()));
  std::sort(archives.begin(), archives.end());
  const std::string dir = Scratch();
  const std::string tool = ToolPath();
  if (tool.empty()) std::printf("  qevtool not built: the whole-process comparison is skipped\n");
  for (const auto& p : archives) {
    std::string a = p.string(), name = p.stem().string();
    int count = 0;
    double ours = Best([&] { return TimeOurs(a, count); });
    double unzip = Best([&] { return TimeCommand("unzip -o -q '" + a + "' -d '" + dir + "'"); });
    double sevenZip =
        Best([&] { return TimeCommand("7z x -y -bd -o'" + dir + "' '" + a + "' >/dev/null"); });
    std::printf("  %-22s %d members: ours %.3f s, unzip %.3f s, 7z %.3f s\n", name.c_str(), count,
                ours, unzip, sevenZip);
    Compare("zip_extract/" + name, ours, "unzip", unzip, false);
    Compare("zip_extract/" + name, ours, "7z", sevenZip, false);
    if (!tool.empty()) {
      double viaTool = Best([&] {
        return TimeCommand("'" + tool + "' zip extract '" + a + "' '" + dir +
                           "' --overwrite yes >/dev/null");
      });
      std::printf("  %-22s through qevtool: %.3f s\n", name.c_str(), viaTool);
      Compare("zip_extract_tool/" + name, viaTool, "unzip", unzip, false);
      Compare("zip_extract_tool/" + name, viaTool, "7z", sevenZip, false);
    }
  }
  std::filesystem::remove_all(dir);
}

}  // namespace qev::bench
