#pragma once
// Fakes of the window's services: application, shell, registry, shell links, clock,
// resolver, notice browser, skin theme and the update driver.

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "update/UpdateDriver.h"
#include "platform/Application.h"
#include "platform/Clock.h"
#include "platform/HostResolver.h"
#include "platform/NoticeBrowser.h"
#include "platform/Shell.h"
#include "platform/SkinTheme.h"
#include "tests/fakes/FakeControls.h"
#include "tests/fakes/MemFileSystem.h"

namespace qev::test {

// A tick count that moves by `step` at every reading (0: only when the test moves it).
class FakeClock : public Clock {
 public:
  uint32_t TickCount() override {
    const uint32_t t = now;
    now += step;
    ++readings;
    return t;
  }
  uint32_t now = 1000;
  uint32_t step = 0;
  int readings = 0;
};

class FakeApplication : public Application {
 public:
  std::string Title() const override { return title; }
  void SetTitle(const std::string& t) override {
    title = t;
    if (journal) journal->push_back("Title");
  }
  std::string ExeName() const override { return exeName; }
  void ProcessMessages() override {
    ++pumps;
    if (onPump) onPump();
  }
  void Terminate() override { terminated = true; }
  bool Terminated() const override { return terminated; }
  void Minimize() override { minimized = true; }
  void Restore() override { minimized = false; }
  bool IsMinimized() const override { return minimized; }
  void HideTaskbarWindow() override { taskbarHidden = true; }
  void ShowRestoredInFront() override {
    taskbarHidden = false;
    ++broughtToFront;
  }
  void SetBusyCursor(bool busy) override { cursors.push_back(busy); }

  std::string title;
  std::string exeName;
  int pumps = 0;
  std::function<void()> onPump;
  bool terminated = false;
  bool minimized = false;
  bool taskbarHidden = false;
  int broughtToFront = 0;
  std::vector<bool> cursors;  // every cursor change, true = hourglass
  Journal* journal = nullptr;
};

class FakeShell : public Shell {
 public:
  struct Call {
    std::string file, parameters, directory;
  };
  int Open(const std::string& file, const std::string& parameters,
           const std::string& directory) override {
    calls.push_back({file, parameters, directory});
    return 42;
  }
  std::vector<Call> calls;
};

class FakeRegistry : public Registry {
 public:
  bool ReadCurrentUserString(const std::string& key, const std::string& name,
                             std::string& value) override {
    auto it = values.find(key + "|" + name);
    if (it == values.end()) return false;
    value = it->second;
    return true;
  }
  std::map<std::string, std::string> values;  // "key|name" -> text
};

// Saves a link as a small text file in the fake file system, so tests see it exist.
class FakeShellLinks : public ShellLinks {
 public:
  explicit FakeShellLinks(MemFileSystem& fs) : fs_(fs) {}
  bool Save(const std::string& linkFile, const std::string& target, const std::string& arguments,
            const std::string& workingDir) override {
    saves.push_back(linkFile);
    if (journal) journal->push_back("Link saved");
    fs_.AddFile(linkFile, target + "|" + arguments + "|" + workingDir);
    return true;
  }
  std::vector<std::string> saves;
  Journal* journal = nullptr;

 private:
  MemFileSystem& fs_;
};

class FakeResolver : public HostResolver {
 public:
  bool ResolveHost(const std::string& name, std::string& dotted) override {
    lookups.push_back(name);
    auto it = hosts.find(name);
    if (it == hosts.end()) return false;
    dotted = it->second;
    return true;
  }
  std::map<std::string, std::string> hosts;
  std::vector<std::string> lookups;
};

class FakeNoticeBrowser : public NoticeBrowser {
 public:
  void Navigate(const std::string& url) override {
    pages.push_back(url);
    if (journal) journal->push_back("Navigate: " + url);
  }
  void SetTheaterMode(bool on) override {
    theater = on;
    if (journal) journal->push_back("Theater");
  }
  std::vector<std::string> pages;
  bool theater = false;
  Journal* journal = nullptr;
};

class FakeSkinTheme : public SkinTheme {
 public:
  void SetThemeFile(const std::string& path) override {
    themeFile = path;
    if (journal) journal->push_back("Theme: " + path);
  }
  std::string themeFile;
  Journal* journal = nullptr;
};

class FakeUpdateDriver : public UpdateDriver {
 public:
  void StartExistFile() override {
    ++existFileStarts;
    if (journal) journal->push_back("TExistFile");
  }
  void StartUpIP(const std::string& url) override {
    upIpUrls.push_back(url);
    if (journal) journal->push_back("TUpIP: " + url);
  }
  void RunSelfUpdate(UpdateView&) override { ++selfUpdates; }
  int existFileStarts = 0;
  std::vector<std::string> upIpUrls;
  int selfUpdates = 0;
  Journal* journal = nullptr;
};

}  // namespace qev::test
