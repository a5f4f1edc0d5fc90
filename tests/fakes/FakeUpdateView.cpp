#include "tests/fakes/FakeUpdateView.h"

#include <memory>

#include "platform/FileOps.h"

namespace qev::test {

FakeUpdateView::FakeUpdateView(MemFileSystem& files, FakeHttpServer& server)
    : fs(files), client(server) {
  values.AppDir = "C:\\Game\\";
  values.ConfigFileName = values.AppDir + "tolw3.inf";
  values.UpdateInfoFileName = values.AppDir + "update\\tolw3.up";
  fs.AddDir("C:\\Game");
  client.pump = [this] { ProcessMessages(); };
  client.SetWorkEvents(
      [this](int64_t n) {
        if (events) events->TransferBegins(n);
      },
      [this](int64_t n) {
        if (events) events->TransferProgress(n);
      });
}

bool FakeUpdateView::AskYesNo(const std::string& caption, const std::string& text) {
  questions.emplace_back(caption, text);
  if (answers.empty()) return true;
  bool yes = answers.front();
  answers.pop_front();
  return yes;
}

bool FakeUpdateView::DownloadToFile(const std::string& url, const std::string& target,
                                    std::string& error) {
  std::unique_ptr<OutputFile> file;
  if (fs.Create(target, file) != kErrNone) {
    error = "cannot create " + target;
    return false;
  }
  FileSink sink(*file);
  HttpResult r = CheckedGet(client, url, sink);
  file->Close();
  if (!r.ok) error = r.error;
  return r.ok;
}

bool FakeUpdateView::ExtractZipTo(const std::string& zipFile, const std::string& targetDir) {
  std::string text;
  if (ReadWholeFile(fs, zipFile, text) != kErrNone) return false;
  const std::string dir = WithoutTrailingSeparator(targetDir) + "\\";
  size_t pos = 0;
  while (pos < text.size()) {
    size_t end = text.find('\n', pos);
    if (end == std::string::npos) end = text.size();
    const std::string line = text.substr(pos, end - pos);
    const size_t eq = line.find('=');
    if (eq == std::string::npos) return false;  // not an "archive": extraction fails
    fs.AddFile(dir + line.substr(0, eq), line.substr(eq + 1));
    pos = end + 1;
  }
  return true;
}

bool FakeUpdateView::Showed(const std::string& status) const {
  for (const auto& s : statuses)
    if (s == status) return true;
  return false;
}

}  // namespace qev::test
