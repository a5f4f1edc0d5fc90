#pragma once
// A ThreadHost for tests: workers run on real threads, and every Synchronise call is
// queued for the test's own (main) thread, which runs the queue in RunUntilIdle. So the
// hand-over really blocks the worker and really runs on the test's thread.

#include <condition_variable>
#include <deque>
#include <exception>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

#include "platform/Thread.h"

namespace qev::test {

class FakeThreadHost : public ThreadHost {
 public:
  ~FakeThreadHost() override;

  void StartThread(std::function<void()> work) override;
  void Synchronise(const std::function<void()>& fn) override;

  // On the test's thread: runs handed-over functions until every started worker has
  // ended. Returns false when that takes longer than timeoutMs (a hung worker).
  bool RunUntilIdle(int timeoutMs = 10000);

  int SynchroniseCount() const;

 private:
  struct Call {
    const std::function<void()>* fn;
    bool done = false;
    std::exception_ptr error;
  };

  mutable std::mutex mu_;
  std::condition_variable cv_;
  std::deque<Call*> queue_;
  std::vector<std::thread> threads_;
  int running_ = 0;
  int syncCount_ = 0;
};

}  // namespace qev::test
