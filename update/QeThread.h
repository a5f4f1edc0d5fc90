#pragma once
// The two workers started with the main window: TExistFile makes sure the staging folder
// exists, TUpIP runs the update check and hands every visible step to the main thread.

#include <string>

#include "platform/Thread.h"
#include "update/UpdateSettings.h"

namespace qev {

// The steps TUpIP runs on the main thread (each through a blocking Synchronise).
class UpdateMainSteps {
 public:
  virtual ~UpdateMainSteps() = default;
  virtual void AskZoneListReload() = 0;
  virtual void AskPatchUpdate() = 0;
  virtual void StartSelfUpdateTimer() = 0;
  virtual void ReportZoneListBad() = 0;
  // The update guard refused a download: the player is told once.
  virtual void ReportUpdateRefused() {}
};

class TExistFile : public TThread {
 public:
  TExistFile(ThreadHost& host, FileSystem& fs, std::string appDir);

 protected:
  void Execute() override;

 private:
  FileSystem& fs_;
  std::string appDir_;
};

class TUpIP : public TThread {
 public:
  TUpIP(ThreadHost& host, UpdateContext ctx, UpdateMainSteps& steps, std::string url);

 protected:
  void Execute() override;

 private:
  // The checks and hand-overs of Execute; Execute then tells the player of a refusal.
  void RunSteps();

  UpdateContext ctx_;
  UpdateMainSteps& steps_;
  std::string url_;
};

}  // namespace qev
