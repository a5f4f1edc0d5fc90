#pragma once
// What the main window starts of the updating subsystem. The update code implements
// it; the window only calls it.

#include <string>

namespace qev {

class UpdateView;

class UpdateDriver {
 public:
  virtual ~UpdateDriver() = default;
  // Starts the worker that makes sure the staging folder exists.
  virtual void StartExistFile() = 0;
  // Starts the update worker with the configuration's UpdateURL.
  virtual void StartUpIP(const std::string& updateUrl) = 0;
  // The launcher's own update, on the main thread (called by Timer1Timer).
  virtual void RunSelfUpdate(UpdateView& view) = 0;
};

}  // namespace qev
