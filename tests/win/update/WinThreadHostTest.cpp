// The worker threads' host: a hand-over runs on the thread that made the host, through
// its message-only window, while the worker waits; Shutdown releases a waiting worker
// without running its function and never hangs.
#include <gtest/gtest.h>
#include <windows.h>

#include <atomic>
#include <stdexcept>

#include "platform/Thread.h"
#include "win32/WinThreadHost.h"

namespace qev {
namespace {

// Processes this thread's messages until done() or about ten seconds have passed.
template <class Done>
bool PumpUntil(Done done) {
  const DWORD start = GetTickCount();
  MSG msg;
  while (!done()) {
    if (GetTickCount() - start > 10000) return false;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
  }
  return true;
}

void PumpFor(DWORD ms) {
  const DWORD start = GetTickCount();
  PumpUntil([&] { return GetTickCount() - start >= ms; });
}

// Gives the worker's thrown hand-over time to come back and end the worker.
bool Settled() {
  PumpFor(200);
  return true;
}

class Asker : public TThread {
 public:
  Asker(ThreadHost& host, std::atomic<int>& stage, DWORD& ranOn)
      : TThread(host), stage_(stage), ranOn_(ranOn) {}

 protected:
  void Execute() override {
    Synchronise([this] { ranOn_ = GetCurrentThreadId(); });
    stage_ = 1;
    Synchronise([] { throw std::runtime_error("a dialog failed"); });
    stage_ = 2;  // not reached: the exception ends the worker quietly
  }

 private:
  std::atomic<int>& stage_;
  DWORD& ranOn_;
};

TEST(WinThreadHost, HandOversRunOnTheWindowThreadAndBlockTheWorker) {
  win32::WinThreadHost host;
  std::atomic<int> stage{0};
  DWORD ranOn = 0;
  TThread::Start(std::make_unique<Asker>(host, stage, ranOn));
  Sleep(100);
  EXPECT_EQ(stage, 0);  // nothing ran yet: the worker waits for this thread
  ASSERT_TRUE(PumpUntil([&] { return stage == 1; }));
  EXPECT_EQ(ranOn, GetCurrentThreadId());
  std::atomic<bool> ran{false};
  host.Synchronise([&] { ran = true; });  // on the main thread itself: runs at once
  EXPECT_TRUE(ran);
  ASSERT_TRUE(PumpUntil([&] { return stage == 1 && Settled(); }));
}

TEST(WinThreadHost, ShutdownReleasesAWaitingWorkerWithoutRunningItsFunction) {
  win32::WinThreadHost host;
  std::atomic<bool> ran{false}, returned{false}, later{false};
  host.StartThread([&] {
    host.Synchronise([&] { ran = true; });
    returned = true;
    host.Synchronise([&] { later = true; });
  });
  Sleep(200);  // the worker now waits; this thread does not process its messages
  EXPECT_FALSE(returned);
  const DWORD start = GetTickCount();
  host.Shutdown();
  EXPECT_LT(GetTickCount() - start, win32::WinThreadHost::kShutdownWaitMs);
  EXPECT_TRUE(returned);
  PumpFor(200);  // the posted call is still queued: it is dropped, not run
  EXPECT_FALSE(ran);
  EXPECT_FALSE(later);
}

TEST(WinThreadHost, WorkersAskedForWhileHoldingStartOnlyWhenReleased) {
  std::atomic<int> started{0};
  {
    win32::WinThreadHost host;
    host.HoldUntilShown();
    host.StartThread([&] { ++started; });
    host.StartThread([&] { ++started; });
    Sleep(200);
    EXPECT_EQ(started, 0);
    host.StartHeld();
    ASSERT_TRUE(PumpUntil([&] { return started == 2; }));
    host.StartThread([&] { ++started; });  // no longer held
    ASSERT_TRUE(PumpUntil([&] { return started == 3; }));
  }
  std::atomic<bool> ran{false};
  {
    win32::WinThreadHost host;
    host.HoldUntilShown();
    host.StartThread([&] { ran = true; });
    host.Shutdown();  // a window that never showed: the held worker is dropped
    host.StartHeld();
    Sleep(200);
  }
  EXPECT_FALSE(ran);
}

}  // namespace
}  // namespace qev
