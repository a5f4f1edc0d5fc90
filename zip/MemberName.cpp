#include "zip/MemberName.h"

#include <array>

#include "base/GbkCodePage.h"

namespace qev {
namespace {

constexpr std::array<std::string_view, 22> kDeviceNames = {
    "CON",  "PRN",  "AUX",  "NUL",  "COM1", "COM2", "COM3", "COM4", "COM5", "COM6", "COM7",
    "COM8", "COM9", "LPT1", "LPT2", "LPT3", "LPT4", "LPT5", "LPT6", "LPT7", "LPT8", "LPT9"};

bool IsLeadByte(unsigned char c) { return c >= 0x81 && c <= 0xFE; }

// A device name answers whatever extension follows it ("nul.txt" is NUL too), and
// Windows drops trailing blanks and dots before comparing.
bool IsDeviceName(std::string_view name) {
  std::string_view base = name.substr(0, name.find('.'));
  while (!base.empty() && (base.back() == ' ' || base.back() == '.')) base.remove_suffix(1);
  if (base.size() < 3 || base.size() > 4) return false;
  std::string upper(base);
  for (char& c : upper)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 32);
  for (std::string_view d : kDeviceNames)
    if (upper == d) return true;
  return false;
}

// Characters no Windows file name may hold; ":" would also name a stream or a drive.
bool IsForbiddenByte(unsigned char c) {
  return c < 0x20 || c == 0x7F || c == ':' || c == '*' || c == '?' || c == '"' || c == '<' ||
         c == '>' || c == '|';
}

}  // namespace

std::string SafeMemberFileName(std::string_view storedName, uint16_t flags) {
  std::string converted;
  if ((flags & kZipFlagUtf8Name) && !Utf8ToGbk(storedName, converted)) return {};
  std::string_view stored = (flags & kZipFlagUtf8Name) ? std::string_view(converted) : storedName;
  size_t start = 0;
  for (size_t i = 0; i < stored.size(); ++i) {
    unsigned char c = static_cast<unsigned char>(stored[i]);
    if (IsLeadByte(c) && i + 1 < stored.size()) {
      ++i;  // the trail byte belongs to the character
      continue;
    }
    if (c == '/' || c == '\\') start = i + 1;
  }
  std::string_view name = stored.substr(start);
  if (name.empty() || name == "." || name == ".." || IsDeviceName(name)) return {};
  for (size_t i = 0; i < name.size(); ++i) {
    unsigned char c = static_cast<unsigned char>(name[i]);
    if (IsLeadByte(c) && i + 1 < name.size()) {
      ++i;
      continue;
    }
    if (IsForbiddenByte(c)) return {};
  }
  // The file layer turns the name into UTF-16 from GBK; bytes that are not GBK could
  // not be created.
  if (!IsValidGbk(name)) return {};
  return std::string(name);
}

}  // namespace qev
