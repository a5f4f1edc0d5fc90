#include "launcher/ZipPromptBoxes.h"

namespace qev {

bool ZipPromptBoxes::AskReplace(const std::string& fileName) {
  return boxes_.MessageBox("Replace existing file " + fileName + "?", "File Exists Alert",
                           SystemDialogs::kYesNo, false) == SystemDialogs::kIdYes;
}

void ZipPromptBoxes::ShowError(const std::string& caption, const std::string& text) {
  boxes_.MessageBox(text, caption, SystemDialogs::kOk, false);
}

}  // namespace qev
