#pragma once
// UpdateView: everything the update code asks of the main window, and nothing more.
// The update code decides what happens (which text, which timer, what an answer does);
// the view only shows it and runs the window operations it names. The launcher's
// main window implements it; tests use a small recording fake.

#include <cstdint>
#include <string>

#include "config/ProcessValues.h"
#include "platform/FileSystem.h"
#include "platform/HttpClient.h"

namespace qev {

// The handlers the update code binds to the view's timers, stop button and transfer.
class UpdateEvents {
 public:
  virtual ~UpdateEvents() = default;
  virtual void PatchTimerFired() = 0;    // the patch-run timer
  virtual void StopWatchFired() = 0;     // the one-second stop watchdog
  virtual void StopButtonClicked() = 0;  // "停止更新"
  virtual void TransferBegins(int64_t expected) = 0;
  virtual void TransferProgress(int64_t countSoFar) = 0;
};

// How the window's own HTTP client is to be set up for downloads.
struct TransferSetup {
  bool followRedirects = false;
  HttpHeaders headers;
  uint32_t connectTimeoutMs = 0;
  uint32_t readTimeoutMs = 0;
};

enum class UpdateTimer { SelfUpdate, PatchRun, StopWatch };

class UpdateView {
 public:
  virtual ~UpdateView() = default;

  // --- wiring (once, from TUpdater::Attach)
  virtual void BindUpdateEvents(UpdateEvents& events) = 0;
  virtual void SetUpTransfers(const TransferSetup& setup) = 0;

  // --- what the player sees
  virtual void SetStatusText(const std::string& text) = 0;
  // Sets the minimum, then the maximum (a range of 0..0 hides nothing, it only idles).
  virtual void SetProgressRange(int min, int max) = 0;
  virtual void SetProgressPosition(int position) = 0;
  // The progress bar and the stop button in place of the start button, or back.
  virtual void ShowUpdateControls(bool updating) = 0;
  // The skinned yes/no question; true only for "(&Y)是".
  virtual bool AskYesNo(const std::string& caption, const std::string& text) = 0;
  // The skinned message box (kind 0 help, 1 information, 2 stop, 3 warning, 4 none).
  virtual int ShowMessage(int kind, const std::string& text) = 0;
  virtual void SetTimerEnabled(UpdateTimer timer, bool on) = 0;
  // Reloads the configuration file into the window and shows its zones afresh.
  virtual void ReloadZoneList() = 0;
  virtual void SetZoneRow(int row, const std::string& text) = 0;

  // --- window operations
  virtual void ProcessMessages() = 0;
  virtual void DelayPump(uint32_t ms) = 0;
  virtual bool DownloadToFile(const std::string& url, const std::string& target,
                              std::string& error) = 0;
  virtual bool ExtractZipTo(const std::string& zipFile, const std::string& targetDir) = 0;
  virtual void DeleteFileIfExists(const std::string& path) = 0;
  // Drops the window client's transfer in progress.
  virtual void DisconnectTransfer() = 0;
  // Shell-opens program with parameters in directory, then ends the launcher through
  // its normal closing steps.
  virtual void StartProgramAndEnd(const std::string& program, const std::string& parameters,
                                  const std::string& directory) = 0;

  // --- state the window keeps
  virtual bool IsUpdateStopped() const = 0;
  virtual void SetUpdateStopped(bool on) = 0;
  // The checksums taken when the window was created (0: no value).
  virtual uint32_t ConfigCrc() const = 0;
  virtual uint32_t LauncherCrc() const = 0;
  // The running launcher's full path.
  virtual std::string LauncherPath() const = 0;
  virtual FileSystem& Files() = 0;
  // AppDir, the configuration file's name, the zone and patch lists.
  virtual ProcessValues& State() = 0;
};

}  // namespace qev
