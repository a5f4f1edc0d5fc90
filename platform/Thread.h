#pragma once
// Worker threads and the hand-over to the main (window) thread.
//
// A worker derives from TThread, is started with TThread::Start and frees itself when
// Execute returns. It never touches a control: every step that does runs through
// Synchronise, which runs the function on the main thread and blocks the worker until
// the function has returned.

#include <exception>
#include <functional>
#include <memory>
#include <utility>

namespace qev {

// The platform service behind TThread (real threads on Windows, a fake in tests).
class ThreadHost {
 public:
  virtual ~ThreadHost() = default;
  // Runs work on a new thread; the thread ends when work returns.
  virtual void StartThread(std::function<void()> work) = 0;
  // Called from a worker: runs fn on the main thread and returns once it has run. An
  // exception that escapes fn is raised again in the worker, never in the main loop.
  virtual void Synchronise(const std::function<void()>& fn) = 0;
};

class TThread {
 public:
  explicit TThread(ThreadHost& host) : host_(host) {}
  virtual ~TThread() = default;
  TThread(const TThread&) = delete;
  TThread& operator=(const TThread&) = delete;

  // Starts the worker running; it owns itself from here on. An exception that escapes
  // Execute ends the thread quietly.
  static void Start(std::unique_ptr<TThread> worker) {
    ThreadHost& host = worker->host_;
    std::shared_ptr<TThread> owned(std::move(worker));
    host.StartThread([owned]() mutable {
      try {
        owned->Execute();
      } catch (...) {
        // A worker's failure ends that worker only, never the launcher.
      }
      owned.reset();
    });
  }

 protected:
  virtual void Execute() = 0;
  void Synchronise(const std::function<void()>& fn) { host_.Synchronise(fn); }
  ThreadHost& host() { return host_; }

 private:
  ThreadHost& host_;
};

}  // namespace qev
