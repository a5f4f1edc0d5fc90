#pragma once
// ThreadHost over real threads. Synchronise posts the function to a message-only window
// that this host owns on the main thread and blocks the worker until it has run there.
//
// Closing: Shutdown() (called by the main window as it closes, and by the destructor)
// makes every waiting and every later Synchronise return without running its function,
// and then waits a short, bounded time for the workers to end. A function that is already
// running on the main thread (a question the worker asked) is waited for by its worker,
// since it still uses the worker's data; nothing waits forever.

#include <windows.h>

#include <condition_variable>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <vector>

#include "platform/Thread.h"

namespace qev::win32 {

class WinThreadHost : public qev::ThreadHost {
 public:
  // On the main thread, before the main window is made.
  WinThreadHost();
  ~WinThreadHost() override;
  WinThreadHost(const WinThreadHost&) = delete;
  WinThreadHost& operator=(const WinThreadHost&) = delete;

  void StartThread(std::function<void()> work) override;
  // Workers asked for from here on wait until StartHeld(): while the window is being
  // made they would only compete with it for the processor. Shutdown drops any still
  // held.
  void HoldUntilShown();
  void StartHeld();
  // On the main thread it runs fn directly.
  void Synchronise(const std::function<void()>& fn) override;
  void Shutdown();

  // How long Shutdown waits for running workers before it lets the process go on.
  static constexpr uint32_t kShutdownWaitMs = 2000;

  struct Call;

 private:
  static LRESULT CALLBACK WindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
  void RunOnMain(const std::shared_ptr<Call>& call);

  // Shared with the worker threads, so a worker that outlives the host still ends safely.
  struct Shared {
    std::mutex mu;
    std::condition_variable cv;
    bool shut = false;
    bool holding = false;
    int running = 0;
    std::vector<std::function<void()>> held;
  };

  void Launch(std::function<void()> work);

  DWORD mainThread_;
  HWND window_ = nullptr;
  std::shared_ptr<Shared> shared_ = std::make_shared<Shared>();
};

}  // namespace qev::win32
