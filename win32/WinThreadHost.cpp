#include "win32/WinThreadHost.h"

#include <exception>
#include <thread>
#include <utility>

namespace qev::win32 {

namespace {

constexpr wchar_t kClassName[] = L"QevThreadHostSync";
constexpr UINT kRunCall = WM_APP + 0x51;

}  // namespace

struct WinThreadHost::Call {
  enum class State { Pending, Running, Done, Skipped };
  const std::function<void()>* fn = nullptr;
  State state = State::Pending;
  std::exception_ptr error;
};

WinThreadHost::WinThreadHost() : mainThread_(GetCurrentThreadId()) {
  HINSTANCE instance = GetModuleHandleW(nullptr);
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = WindowProc;
  wc.hInstance = instance;
  wc.lpszClassName = kClassName;
  RegisterClassExW(&wc);  // a second host finds the class already there
  window_ =
      CreateWindowExW(0, kClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, instance, nullptr);
  if (window_) SetWindowLongPtrW(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

WinThreadHost::~WinThreadHost() {
  Shutdown();
  if (!window_) return;
  // Calls still queued are dropped (their workers have been released by Shutdown).
  MSG msg;
  while (PeekMessageW(&msg, window_, kRunCall, kRunCall, PM_REMOVE))
    delete reinterpret_cast<std::shared_ptr<Call>*>(msg.lParam);
  DestroyWindow(window_);
}

void WinThreadHost::StartThread(std::function<void()> work) {
  {
    std::lock_guard<std::mutex> lock(shared_->mu);
    if (shared_->holding) {
      shared_->held.push_back(std::move(work));
      return;
    }
  }
  Launch(std::move(work));
}

void WinThreadHost::HoldUntilShown() {
  std::lock_guard<std::mutex> lock(shared_->mu);
  shared_->holding = true;
}

void WinThreadHost::StartHeld() {
  std::vector<std::function<void()>> held;
  {
    std::lock_guard<std::mutex> lock(shared_->mu);
    shared_->holding = false;
    held.swap(shared_->held);
  }
  for (auto& work : held) Launch(std::move(work));
}

void WinThreadHost::Launch(std::function<void()> work) {
  std::shared_ptr<Shared> shared = shared_;
  {
    std::lock_guard<std::mutex> lock(shared->mu);
    ++shared->running;
  }
  std::thread([shared, work = std::move(work)]() mutable {
    try {
      work();
    } catch (...) {
      // Nothing on this thread can report: the work's own code reports its failures
      // through the host before it throws, and the thread must still count itself out.
    }
    work = nullptr;  // the worker's own data goes before the host hears of its end
    std::lock_guard<std::mutex> lock(shared->mu);
    --shared->running;
    shared->cv.notify_all();
  }).detach();
}

void WinThreadHost::Synchronise(const std::function<void()>& fn) {
  if (GetCurrentThreadId() == mainThread_) {
    fn();
    return;
  }
  auto call = std::make_shared<Call>();
  call->fn = &fn;
  {
    std::lock_guard<std::mutex> lock(shared_->mu);
    if (shared_->shut || !window_) return;
  }
  auto* posted = new std::shared_ptr<Call>(call);
  if (!PostMessageW(window_, kRunCall, 0, reinterpret_cast<LPARAM>(posted))) {
    delete posted;
    return;
  }
  std::unique_lock<std::mutex> lock(shared_->mu);
  shared_->cv.wait(lock, [&] {
    if (call->state == Call::State::Done || call->state == Call::State::Skipped) return true;
    if (shared_->shut && call->state == Call::State::Pending) {
      call->state = Call::State::Skipped;  // the main thread will not run it now
      return true;
    }
    return false;
  });
  if (call->error) {
    std::exception_ptr error = call->error;
    lock.unlock();
    std::rethrow_exception(error);
  }
}

void WinThreadHost::RunOnMain(const std::shared_ptr<Call>& call) {
  {
    std::lock_guard<std::mutex> lock(shared_->mu);
    if (call->state != Call::State::Pending) return;
    if (shared_->shut) {
      call->state = Call::State::Skipped;
      shared_->cv.notify_all();
      return;
    }
    call->state = Call::State::Running;
  }
  std::exception_ptr error;
  try {
    (*call->fn)();
  } catch (...) {
    // Carried back to the waiting worker, which rethrows it there.
    error = std::current_exception();
  }
  std::lock_guard<std::mutex> lock(shared_->mu);
  call->error = error;
  call->state = Call::State::Done;
  shared_->cv.notify_all();
}

void WinThreadHost::Shutdown() {
  std::vector<std::function<void()>> dropped;  // let go of after the lock
  std::unique_lock<std::mutex> lock(shared_->mu);
  shared_->shut = true;
  dropped.swap(shared_->held);
  shared_->cv.notify_all();
  shared_->cv.wait_for(lock, std::chrono::milliseconds(kShutdownWaitMs),
                       [&] { return shared_->running == 0; });
}

LRESULT CALLBACK WinThreadHost::WindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == kRunCall) {
    std::unique_ptr<std::shared_ptr<Call>> call(reinterpret_cast<std::shared_ptr<Call>*>(lp));
    auto* host = reinterpret_cast<WinThreadHost*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (host) host->RunOnMain(*call);
    return 0;
  }
  return DefWindowProcW(hwnd, msg, wp, lp);
}

}  // namespace qev::win32
