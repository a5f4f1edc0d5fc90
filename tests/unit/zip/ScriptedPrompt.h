#pragma once
// A ZipPrompt that answers from a script and records what it was asked.

#include <deque>
#include <string>
#include <vector>

#include "zip/VCLUnZip.h"

namespace qev::test {

class ScriptedPrompt : public ZipPrompt {
 public:
  std::deque<bool> answers;  // for AskReplace; an unscripted question fails the test
  std::vector<std::string> asked;
  std::vector<std::string> errors;  // caption + "|" + text

  bool AskReplace(const std::string& fileName) override {
    asked.push_back(fileName);
    if (answers.empty()) {
      unexpected = true;
      return false;
    }
    bool a = answers.front();
    answers.pop_front();
    return a;
  }
  void ShowError(const std::string& caption, const std::string& text) override {
    errors.push_back(caption + "|" + text);
  }
  bool unexpected = false;
};

}  // namespace qev::test
