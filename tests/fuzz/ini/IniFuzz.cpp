// Any bytes load; after a sequence of operations derived from the input, every section
// block that no operation named comes back byte for byte and in order.

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "config/FastIniFile.h"
#include "config/IniNames.h"
#include "platform/FileError.h"
#include "tests/fakes/MemFileSystem.h"

namespace {

constexpr char kPath[] = "C:\\f\\a.ini";

const char* const kSections[] = {"a", "B", "s1", "", "a ", "[x", "Big", "SERVER"};
const char* const kKeys[] = {"k", "K", " k", "x", "", "=", "key1", "a b"};
const char* const kValues[] = {"", "v", "1", "0x1F", "abc   ;c", "\"q;q\"", "'a;b'", " s ", "x;"};

struct Block {
  bool header = false;
  std::string name;
  std::vector<std::string> lines;
};

// The file's lines as the loader sees them: cut at the first NUL, ended by CR, LF or
// CR LF, split into the part before the first header and one block per header.
std::vector<Block> Blocks(const std::string& text) {
  std::vector<Block> blocks(1);
  const size_t end = text.find('\0') == std::string::npos ? text.size() : text.find('\0');
  for (size_t p = 0; p < end;) {
    size_t q = p;
    while (q < end && text[q] != '\r' && text[q] != '\n') ++q;
    std::string line = text.substr(p, q - p);
    if (q < end && text[q] == '\r') ++q;
    if (q < end && text[q] == '\n') ++q;
    p = q;
    if (line.size() >= 2 && line.front() == '[' && line.back() == ']') {
      blocks.push_back({true, line.substr(1, line.size() - 2), {}});
    }
    blocks.back().lines.push_back(std::move(line));
  }
  return blocks;
}

std::vector<std::string> OutputLines(const std::string& out) {
  std::vector<std::string> lines;
  for (size_t p = 0; p < out.size();) {
    const size_t q = out.find("\r\n", p);
    if (q == std::string::npos) abort();  // every written line ends in CR LF
    lines.push_back(out.substr(p, q - p));
    p = q + 2;
  }
  return lines;
}

size_t FindRun(const std::vector<std::string>& hay, const std::vector<std::string>& run,
               size_t from) {
  for (size_t i = from; i + run.size() <= hay.size(); ++i) {
    size_t k = 0;
    while (k < run.size() && hay[i + k] == run[k]) ++k;
    if (k == run.size()) return i;
  }
  return std::string::npos;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzedDataProvider in(data, size);
  const int ops = in.ConsumeIntegralInRange(0, 12);
  std::vector<uint8_t> script = in.ConsumeBytes<uint8_t>(static_cast<size_t>(ops) * 4);
  script.resize(static_cast<size_t>(ops) * 4);
  const std::string text = in.ConsumeRemainingBytesAsString();

  qev::test::MemFileSystem fs;
  fs.AddFile(kPath, text);
  qev::TFastIniFile ini(fs, kPath);
  std::vector<std::string> named;
  std::vector<std::string> list;
  for (int i = 0; i < ops; ++i) {
    const uint8_t* op = &script[static_cast<size_t>(i) * 4];
    const std::string s = kSections[op[1] % std::size(kSections)];
    const std::string k = kKeys[op[2] % std::size(kKeys)];
    const std::string v = kValues[op[3] % std::size(kValues)];
    named.push_back(s);
    switch (op[0] % 9) {
      case 0:
        ini.ReadString(s, k, v);
        break;
      case 1:
        ini.WriteString(s, k, v);
        break;
      case 2:
        ini.WriteInteger(s, k, op[3] - 128);
        break;
      case 3:
        ini.ReadInteger(s, k, 0);
        break;
      case 4:
        ini.DeleteKey(s, k);
        break;
      case 5:
        ini.EraseSection(s);
        break;
      case 6:
        ini.ReadSection(s, list);
        break;
      case 7:
        ini.ReadSectionValues(s, list);
        break;
      case 8:
        ini.WriteBool(s, k, op[3] & 1);
        break;
    }
  }
  ini.Release();

  const std::string out = fs.Contents(kPath);
  if (out == text) return 0;  // nothing was written
  const std::vector<std::string> lines = OutputLines(out);
  size_t at = 0;
  bool first = true;
  for (const Block& b : Blocks(text)) {
    bool touched = false;
    for (const std::string& n : named)
      touched = touched || (b.header && qev::IniNamesEqual(b.name, n));
    if (!touched && !b.lines.empty()) {
      const size_t found = FindRun(lines, b.lines, at);
      if (found == std::string::npos || (first && !b.header && found != 0)) abort();
      at = found + b.lines.size();
    }
    first = false;
  }

  // Listing every section splits every line: still no crash, and a second load of the
  // written file reads the same section names.
  qev::TFastIniFile again(fs, kPath);
  again.ReadSections(list);
  return 0;
}
