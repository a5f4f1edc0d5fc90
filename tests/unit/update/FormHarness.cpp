#include "tests/unit/update/FormHarness.h"

namespace qev::test {

FormHarness::FormHarness() {
  // No desktop folder is known, so the window makes no shortcut: the file system holds
  // only what the update puts there.
  registry.values.clear();
  // Each reading moves the clock on, so the window's delays end.
  clock.now = 1050;
  clock.step = 50;
  // The player accepts every update unless a test scripts otherwise.
  suiMessageDialog1.unscripted = TMessageDialog::kYes;
  form = Make(updater);
  updater.Attach(*form);
}

FormHarness::~FormHarness() { threads.RunUntilIdle(); }

bool FormHarness::CreateAndSettle() {
  form->FormCreate();
  return threads.RunUntilIdle();
}

}  // namespace qev::test
