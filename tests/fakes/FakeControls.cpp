#include "tests/fakes/FakeControls.h"

namespace qev::test {

namespace {
int Next(std::deque<int>& answers, int otherwise) {
  if (answers.empty()) return otherwise;
  const int a = answers.front();
  answers.pop_front();
  return a;
}
}  // namespace

int FakeMessForm::ShowModal() {
  shown.push_back({icon, font, fontSize, caption, text});
  if (journal) journal->push_back("ShowMsg: " + text);
  if (whileShown) whileShown();
  return Next(answers, 1);
}

int FakeMessageDialog::ShowModal() {
  shown.push_back({caption, text});
  if (journal) journal->push_back("Ask: " + caption);
  return Next(answers, unscripted);
}

int FakeSystemDialogs::MessageBox(const std::string& text, const std::string& caption,
                                  uint32_t flags, bool ownedByMainWindow) {
  shown.push_back({text, caption, flags, ownedByMainWindow});
  if ((flags & 0x0F) == kYesNo) return Next(answers, kIdNo);
  return kIdOk;
}

}  // namespace qev::test
