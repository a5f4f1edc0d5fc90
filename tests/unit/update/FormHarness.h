#pragma once
// The fake main window with the update subsystem attached: TUpdater in place of the
// recording update driver, the HTTP fake both as IdHTTP1 and as the worker's client
// factory, and real worker threads whose hand-overs run on the test's thread. Clicks and
// ticks mid-transfer come from app.onPump, which the window's message pumping runs.

#include <memory>

#include "tests/fakes/FakeFormKit.h"
#include "tests/fakes/FakeThread.h"
#include "update/Updater.h"

namespace qev::test {

struct FormHarness : FakeFormKit {
  FormHarness();
  ~FormHarness();

  // Creates the window (workers start) and lets every worker finish, running their
  // hand-overs here. False when a worker hung.
  bool CreateAndSettle();

  FakeHttpFactory factory{httpServer};
  FakeThreadHost threads;
  TUpdater updater{threads, factory};
  std::unique_ptr<TForm1> form;
};

}  // namespace qev::test
