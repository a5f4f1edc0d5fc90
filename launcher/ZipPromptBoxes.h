#pragma once
// The ZIP component's questions and error boxes as system message boxes without owner.

#include "platform/Dialogs.h"
#include "zip/VCLUnZip.h"

namespace qev {

class ZipPromptBoxes : public ZipPrompt {
 public:
  explicit ZipPromptBoxes(SystemDialogs& boxes) : boxes_(boxes) {}
  bool AskReplace(const std::string& fileName) override;
  void ShowError(const std::string& caption, const std::string& text) override;

 private:
  SystemDialogs& boxes_;
};

}  // namespace qev
