#include "ToolRunner.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <thread>

extern char** environ;

namespace qev::test {

namespace {

struct Pipe {
  int r = -1, w = -1;
  Pipe() {
    int fds[2];
    if (::pipe2(fds, O_CLOEXEC) != 0) throw std::runtime_error("pipe");
    r = fds[0];
    w = fds[1];
  }
};

pid_t Spawn(const std::vector<std::string>& args, int in, int out, int err) {
  posix_spawn_file_actions_t fa;
  posix_spawn_file_actions_init(&fa);
  posix_spawn_file_actions_adddup2(&fa, in, 0);
  posix_spawn_file_actions_adddup2(&fa, out, 1);
  posix_spawn_file_actions_adddup2(&fa, err, 2);
  std::vector<char*> argv;
  std::string exe = QEVTOOL_PATH;
  argv.push_back(exe.data());
  std::vector<std::string> copy = args;
  for (std::string& a : copy) argv.push_back(a.data());
  argv.push_back(nullptr);
  pid_t pid = -1;
  int rc = posix_spawn(&pid, exe.c_str(), &fa, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&fa);
  if (rc != 0) throw std::runtime_error("cannot start " + exe);
  return pid;
}

int WaitExit(pid_t pid) {
  int status = 0;
  while (::waitpid(pid, &status, 0) < 0) {
  }
  return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

}  // namespace

ToolResult RunTool(const std::vector<std::string>& args, const std::string& input) {
  Pipe in, out, err;
  pid_t pid = Spawn(args, in.r, out.w, err.w);
  ::close(in.r);
  ::close(out.w);
  ::close(err.w);
  signal(SIGPIPE, SIG_IGN);
  ToolResult result;
  int fds[2] = {out.r, err.r};
  std::string* sinks[2] = {&result.Out, &result.Err};
  int inFd = in.w;
  size_t written = 0;
  if (input.empty()) {
    ::close(inFd);
    inFd = -1;
  }
  while (fds[0] >= 0 || fds[1] >= 0 || inFd >= 0) {
    pollfd p[3] = {{fds[0], POLLIN, 0}, {fds[1], POLLIN, 0}, {inFd, POLLOUT, 0}};
    ::poll(p, 3, -1);
    for (int i = 0; i < 2; ++i) {
      if (fds[i] < 0 || !p[i].revents) continue;
      char buf[4096];
      ssize_t n = ::read(fds[i], buf, sizeof buf);
      if (n > 0) {
        sinks[i]->append(buf, static_cast<size_t>(n));
      } else {
        ::close(fds[i]);
        fds[i] = -1;
      }
    }
    if (inFd >= 0 && p[2].revents) {
      ssize_t n = ::write(inFd, input.data() + written, input.size() - written);
      if (n > 0) written += static_cast<size_t>(n);
      if (n <= 0 || written == input.size()) {
        ::close(inFd);
        inFd = -1;
      }
    }
  }
  result.Exit = WaitExit(pid);
  return result;
}

BackgroundTool::BackgroundTool(const std::vector<std::string>& args) {
  Pipe out;
  int devnull = ::open("/dev/null", O_RDWR | O_CLOEXEC);
  pid_ = Spawn(args, devnull, out.w, 2);
  ::close(devnull);
  ::close(out.w);
  outFd_ = out.r;
}

BackgroundTool::~BackgroundTool() {
  if (pid_ > 0) Stop(SIGKILL);
  if (outFd_ >= 0) ::close(outFd_);
}

std::string BackgroundTool::ReadLine(int timeoutMs) {
  auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
  for (;;) {
    size_t nl = pending_.find('\n');
    if (nl != std::string::npos) {
      std::string line = pending_.substr(0, nl);
      pending_.erase(0, nl + 1);
      return line;
    }
    auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
        deadline - std::chrono::steady_clock::now());
    if (left.count() <= 0) return "";
    pollfd p{outFd_, POLLIN, 0};
    if (::poll(&p, 1, static_cast<int>(left.count())) <= 0) continue;
    char buf[512];
    ssize_t n = ::read(outFd_, buf, sizeof buf);
    if (n <= 0) return "";
    pending_.append(buf, static_cast<size_t>(n));
  }
}

int BackgroundTool::Stop(int signal) {
  if (pid_ <= 0) return -1;
  ::kill(pid_, signal);
  for (int i = 0; i < 500; ++i) {
    int status = 0;
    if (::waitpid(pid_, &status, WNOHANG) == pid_) {
      pid_ = -1;
      return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  ::kill(pid_, SIGKILL);
  WaitExit(pid_);
  pid_ = -1;
  return -1;
}

TempFolder::TempFolder() {
  std::string tmpl = (std::filesystem::temp_directory_path() / "qevtool-test-XXXXXX").string();
  if (!::mkdtemp(tmpl.data())) throw std::runtime_error("mkdtemp");
  path_ = tmpl;
}

TempFolder::~TempFolder() {
  std::error_code ec;
  std::filesystem::remove_all(path_, ec);
}

std::string ReadFileBytes(const std::string& path) {
  std::ifstream f(path, std::ios::binary);
  std::ostringstream s;
  s << f.rdbuf();
  return s.str();
}

void WriteFileBytes(const std::string& path, const std::string& data) {
  std::filesystem::create_directories(std::filesystem::path(path).parent_path());
  std::ofstream(path, std::ios::binary) << data;
}

bool PathExists(const std::string& path) { return std::filesystem::exists(path); }

std::vector<std::string> FolderNames(const std::string& path) {
  std::vector<std::string> names;
  for (const auto& e : std::filesystem::directory_iterator(path))
    names.push_back(e.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

}  // namespace qev::test
