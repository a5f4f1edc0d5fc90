// Unpacking a patch or launcher archive into a folder.
#include "launcher/TForm1.h"
#include "launcher/Texts.h"
#include "launcher/ZipPromptBoxes.h"
#include "zip/VCLUnZip.h"

namespace qev {

bool TForm1::ExtractZipTo(const std::string& zipFile, const std::string& targetDir) {
  ZipPromptBoxes prompt(services_.Boxes);
  try {
    TVCLUnZip unzip(services_.Fs, prompt);
    unzip.ZipName = zipFile;
    unzip.ReadZip();
    unzip.FilesList = {"*.*"};
    unzip.DoAll = true;
    unzip.DestDir = targetDir;
    unzip.RecreateDirs = false;
    unzip.RetainAttributes = true;
    unzip.UnZip();
    return true;
  } catch (...) {
    // Any failure of the archive or the disk ends in the one unzip message; what was
    // already written stays, as it does when the player cancels.
    services_.Boxes.MessageBox(texts::kUnzipFailed, texts::kErrorCaption,
                               SystemDialogs::kOk | SystemDialogs::kIconInformation, true);
    return false;
  }
}

}  // namespace qev
