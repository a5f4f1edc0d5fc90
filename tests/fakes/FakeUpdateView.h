#pragma once
// A recording update view: what the update code showed, asked and armed, with scripted
// answers. Downloads go through a FakeHttpClient of the given server; an "archive" is a
// text of lines "name=content", each unpacked as one file, so update logic can be tested
// apart from the ZIP reader.

#include <deque>
#include <functional>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "config/ProcessValues.h"
#include "tests/fakes/FakeHttp.h"
#include "tests/fakes/MemFileSystem.h"
#include "update/UpdateView.h"

namespace qev::test {

class FakeUpdateView : public UpdateView {
 public:
  FakeUpdateView(MemFileSystem& fs, FakeHttpServer& server);

  void BindUpdateEvents(UpdateEvents& e) override { events = &e; }
  void SetUpTransfers(const TransferSetup& s) override { setup = s; }
  void SetStatusText(const std::string& text) override { statuses.push_back(text); }
  void SetProgressRange(int min, int max) override {
    progressMin = min;
    progressMax = max;
  }
  void SetProgressPosition(int p) override { progressPosition = p; }
  void ShowUpdateControls(bool on) override { updating = on; }
  bool AskYesNo(const std::string& caption, const std::string& text) override;
  int ShowMessage(int kind, const std::string& text) override {
    messages.emplace_back(kind, text);
    return 1;
  }
  void SetTimerEnabled(UpdateTimer t, bool on) override { timers[t] = on; }
  void ReloadZoneList() override { ++reloads; }
  void SetZoneRow(int row, const std::string& text) override { rows[row] = text; }
  void ProcessMessages() override {
    if (onPump) onPump();
  }
  void DelayPump(uint32_t) override { ProcessMessages(); }
  bool DownloadToFile(const std::string& url, const std::string& target,
                      std::string& error) override;
  bool ExtractZipTo(const std::string& zipFile, const std::string& targetDir) override;
  void DeleteFileIfExists(const std::string& path) override {
    if (fs.FileExists(path)) fs.Delete(path);
  }
  void DisconnectTransfer() override { client.Disconnect(); }
  void StartProgramAndEnd(const std::string& program, const std::string& parameters,
                          const std::string& directory) override {
    started.push_back({program, parameters, directory});
    ended = true;
  }
  bool IsUpdateStopped() const override { return stopped; }
  void SetUpdateStopped(bool on) override { stopped = on; }
  uint32_t ConfigCrc() const override { return configCrc; }
  uint32_t LauncherCrc() const override { return launcherCrc; }
  std::string LauncherPath() const override { return launcherPath; }
  FileSystem& Files() override { return fs; }
  ProcessValues& State() override { return values; }

  bool Timer(UpdateTimer t) const {
    auto it = timers.find(t);
    return it != timers.end() && it->second;
  }
  bool Showed(const std::string& status) const;

  MemFileSystem& fs;
  FakeHttpClient client;
  ProcessValues values;
  UpdateEvents* events = nullptr;
  TransferSetup setup;
  std::vector<std::string> statuses;
  int progressMin = 0, progressMax = 0, progressPosition = 0;
  bool updating = false;
  std::deque<bool> answers;  // scripted answers to AskYesNo; yes when none is left
  std::vector<std::pair<std::string, std::string>> questions;
  std::vector<std::pair<int, std::string>> messages;
  std::map<UpdateTimer, bool> timers;
  int reloads = 0;
  std::map<int, std::string> rows;
  std::function<void()> onPump;
  struct Start {
    std::string program, parameters, directory;
  };
  std::vector<Start> started;
  bool ended = false;
  bool stopped = false;
  uint32_t configCrc = 0, launcherCrc = 0;
  std::string launcherPath = "C:\\Game\\QevLogin.exe";
};

}  // namespace qev::test
