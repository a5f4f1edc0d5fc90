#include "tests/fakes/FakeThread.h"

#include <chrono>

namespace qev::test {

FakeThreadHost::~FakeThreadHost() {
  RunUntilIdle();
  for (auto& t : threads_) t.join();
}

void FakeThreadHost::StartThread(std::function<void()> work) {
  std::lock_guard<std::mutex> lock(mu_);
  ++running_;
  threads_.emplace_back([this, work = std::move(work)]() mutable {
    work();
    work = nullptr;  // the worker object is released on its own thread, as for real
    std::lock_guard<std::mutex> lock(mu_);
    --running_;
    cv_.notify_all();
  });
}

void FakeThreadHost::Synchronise(const std::function<void()>& fn) {
  Call call{&fn, false, nullptr};
  std::unique_lock<std::mutex> lock(mu_);
  queue_.push_back(&call);
  cv_.notify_all();
  cv_.wait(lock, [&] { return call.done; });
  if (call.error) std::rethrow_exception(call.error);
}

bool FakeThreadHost::RunUntilIdle(int timeoutMs) {
  auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
  std::unique_lock<std::mutex> lock(mu_);
  for (;;) {
    if (!queue_.empty()) {
      Call* call = queue_.front();
      queue_.pop_front();
      ++syncCount_;
      lock.unlock();
      try {
        (*call->fn)();
      } catch (...) {
        call->error = std::current_exception();
      }
      lock.lock();
      call->done = true;
      cv_.notify_all();
      continue;
    }
    if (running_ == 0) return true;
    if (cv_.wait_until(lock, deadline) == std::cv_status::timeout && queue_.empty() &&
        running_ != 0)
      return false;
  }
}

int FakeThreadHost::SynchroniseCount() const {
  std::lock_guard<std::mutex> lock(mu_);
  return syncCount_;
}

}  // namespace qev::test
