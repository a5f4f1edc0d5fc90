// The worker thread base: hand-overs run on the thread that pumps them and block the
// worker; an exception from a hand-over goes back to the worker and ends it quietly.
#include <gtest/gtest.h>

#include <stdexcept>
#include <thread>

#include "platform/Thread.h"
#include "tests/fakes/FakeThread.h"

namespace qev {
namespace {

class Probe : public TThread {
 public:
  Probe(ThreadHost& host, std::vector<std::string>& log, std::thread::id main)
      : TThread(host), log_(log), main_(main) {}
  ~Probe() override { log_.push_back("freed"); }

 protected:
  void Execute() override {
    int seen = 0;
    Synchronise([&] {
      seen = 1;
      log_.push_back(std::this_thread::get_id() == main_ ? "first on main" : "first elsewhere");
    });
    log_.push_back(seen == 1 ? "worker saw the hand-over done" : "worker ran ahead");
    Synchronise([] { throw std::runtime_error("dialog failed"); });
    log_.push_back("not reached");
  }

 private:
  std::vector<std::string>& log_;
  std::thread::id main_;
};

TEST(TThread, HandOversBlockTheWorkerAndExceptionsEndItQuietly) {
  test::FakeThreadHost host;
  std::vector<std::string> log;
  TThread::Start(std::make_unique<Probe>(host, log, std::this_thread::get_id()));
  ASSERT_TRUE(host.RunUntilIdle());
  EXPECT_EQ(host.SynchroniseCount(), 2);
  EXPECT_EQ(log,
            (std::vector<std::string>{"first on main", "worker saw the hand-over done", "freed"}));
}

}  // namespace
}  // namespace qev
