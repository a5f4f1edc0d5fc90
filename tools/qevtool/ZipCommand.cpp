// qevtool zip extract: a patch archive taken out by the launcher's own ZIP component.

#include <ostream>

#include "CommandLine.h"
#include "ToolContext.h"
#include "ToolErrors.h"
#include "zip/VCLUnZip.h"

namespace qev::tool {

namespace {

// Answers the component's questions from the command line; its error boxes become
// lines on standard error.
class FixedAnswers : public ZipPrompt {
 public:
  FixedAnswers(ToolContext& ctx, bool overwrite) : ctx_(ctx), overwrite_(overwrite) {}
  bool AskReplace(const std::string& fileName) override {
    ctx_.Err() << "qevtool: " << (overwrite_ ? "replacing " : "kept existing ")
               << ctx_.ScreenText(fileName) << '\n';
    return overwrite_;
  }
  void ShowError(const std::string& caption, const std::string& text) override {
    ctx_.Err() << "qevtool: " << ctx_.ScreenText(caption) << ": " << ctx_.ScreenText(text) << '\n';
  }

 private:
  ToolContext& ctx_;
  bool overwrite_;
};

int Extract(ToolContext& ctx, const ParsedArgs& a) {
  std::string answer = a.Value("overwrite", "no");
  if (answer != "yes" && answer != "no") throw UsageError("--overwrite takes yes or no");
  if (!ctx.Fs().FileExists(a.Positional[0])) throw ToolError("no archive " + a.Positional[0]);
  FixedAnswers prompt(ctx, answer == "yes");
  TVCLUnZip unzip(ctx.Fs(), prompt);
  unzip.ZipName = a.Positional[0];
  unzip.DestDir = a.Positional[1];
  int count = 0;
  try {
    unzip.ReadZip();
    count = unzip.UnZip();
  } catch (const ZipError& e) {
    throw ToolError(a.Positional[0] + ": " + e.what());
  }
  // The launcher skips these silently; the operator hears of each one.
  for (const std::string& name : unzip.SkippedNames)
    ctx.Err() << "qevtool: skipped a member whose name cannot be a file name: "
              << ctx.ScreenText(name) << '\n';
  ctx.Out() << count << '\n';
  return kExitOk;
}

const Registrar reg({
    "zip extract",
    "ARCHIVE DIR [--overwrite yes|no]",
    "extract an archive exactly as the launcher's patch run does; print the member count",
    "Every member is written into DIR under its file name alone (folders are dropped),\n"
    "with its date and attributes, and kept only when its CRC matches. A member whose\n"
    "name cannot be a file name (also a UTF-8 name with no GBK form) is skipped and\n"
    "named on standard error. Names compare without regard to case, as on Windows, so\n"
    "A.txt and a.txt are one file. The answer to\n"
    "each \"replace existing file?\" question is --overwrite (default no). An archive that\n"
    "cannot be opened or whose directory is damaged exits with 1.",
    {{"overwrite", "yes|no", "replace files that exist in DIR (default no)"}},
    2,
    2,
    Extract,
    {0, 1},
});

}  // namespace

}  // namespace qev::tool
