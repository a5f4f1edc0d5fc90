// The window operations other parts call: message box, delay, download, delete.
#include <exception>

#include "config/TextHelpers.h"
#include "launcher/TForm1.h"
#include "launcher/Texts.h"

namespace qev {

int TForm1::ShowMsg(int kind, const std::string& text) {
  static constexpr TMessForm::Icon kIcons[] = {TMessForm::Icon::Help, TMessForm::Icon::Information,
                                               TMessForm::Icon::Stop, TMessForm::Icon::Warning,
                                               TMessForm::Icon::None};
  if (kind >= 0 && kind <= 4) MessForm.SetIcon(kIcons[kind]);
  MessForm.SetFont(texts::kMessageFont, texts::kMessageFontSize);
  MessForm.SetText(text);
  MessForm.SetCaption(std::string(" ") + LauncherTitle);
  return MessForm.ShowModal();
}

void TForm1::DelayPump(uint32_t ms) {
  const uint32_t start = services_.Ticks.TickCount();
  // Unsigned subtraction keeps the elapsed time right across the 2^32 wrap.
  while (static_cast<uint32_t>(services_.Ticks.TickCount() - start) < ms)
    services_.App.ProcessMessages();
}

bool TForm1::DownloadToFile(const std::string& url, const std::string& target, std::string& error) {
  std::unique_ptr<OutputFile> file;
  if (SysError e = services_.Fs.Create(target, file); e != kErrNone) {
    error = "Cannot create file \"" + target + "\". Windows error " + IntToText(int32_t(e));
    return false;
  }
  try {
    IdHTTP1.SetRangeStart(0);
    FileSink sink(*file);
    HttpResult result = CheckedGet(IdHTTP1, url, sink);
    const SysError closed = file->Close();
    if (!result.ok) {
      error = result.error.empty() ? std::string("Download failed.") : result.error;
      return false;
    }
    if (sink.error() != kErrNone || closed != kErrNone) {
      error = "Cannot write file \"" + target + "\". Windows error " +
              IntToText(int32_t(sink.error() != kErrNone ? sink.error() : closed));
      return false;
    }
    return true;
  } catch (const std::exception& e) {
    error = e.what();
    return false;
  }
}

void TForm1::DeleteFileIfExists(const std::string& path) {
  if (services_.Fs.FileExists(path)) services_.Fs.Delete(path);
}

}  // namespace qev
