#include <algorithm>
#include <vector>

#include "config/AddressHelpers.h"
#include "config/IniValueText.h"
#include "config/TextHelpers.h"

namespace qev {

namespace {

// Byte offsets of the characters of a GBK text: a lead byte 0x81-0xFE followed by a
// trail byte 0x40-0xFE (not 0x7F) is one character, as it is one UTF-16 unit; any
// other byte is a character of its own.
std::vector<size_t> CharStarts(std::string_view s) {
  std::vector<size_t> starts;
  for (size_t i = 0; i < s.size();) {
    starts.push_back(i);
    const auto lead = static_cast<unsigned char>(s[i]);
    const auto trail = i + 1 < s.size() ? static_cast<unsigned char>(s[i + 1]) : 0;
    const bool pair =
        lead >= 0x81 && lead <= 0xFE && trail >= 0x40 && trail <= 0xFE && trail != 0x7F;
    i += pair ? 2 : 1;
  }
  starts.push_back(s.size());
  return starts;
}

}  // namespace

std::string WideMid(std::string_view s, int start, int count) {
  if (count <= 0) return {};
  if (start < 1) start = 1;
  const std::vector<size_t> starts = CharStarts(s);
  const size_t units = starts.size() - 1;
  const size_t first = static_cast<size_t>(start) - 1;
  if (first >= units) return {};
  const size_t last = std::min(units, first + static_cast<size_t>(count));
  return std::string(s.substr(starts[first], starts[last] - starts[first]));
}

bool IsDottedQuad(std::string_view s) {
  std::string rest(s);
  int32_t part = 0;
  for (int i = 0; i < 3; ++i) {
    const size_t dot = rest.find('.');
    const int p = dot == std::string::npos ? 0 : static_cast<int>(dot) + 1;
    const std::string piece = WideMid(rest, 1, p - 1);
    rest = WideMid(rest, p + 1, static_cast<int>(rest.size()) - p);
    if (!ParseDecimalInt32(piece, part) || part < 0 || part > 255) return false;
  }
  return ParseDecimalInt32(rest, part) && part >= 0 && part <= 255;
}

std::string HostToIp(HostResolver& resolver, const std::string& s) {
  if (IsDottedQuad(s)) return s;
  std::string dotted;
  if (resolver.ResolveHost(s, dotted)) return dotted;
  return "0.0.0.0";
}

}  // namespace qev
