#include "base/GbkCodePage.h"

#include <algorithm>
#include <utility>
#include <vector>

namespace qev {
namespace {

constexpr uint8_t kFirstLead = 0x81, kLastLead = 0xFE;
constexpr uint16_t kEuroSign = 0x20AC;  // the one single byte above ASCII, 0x80
constexpr uint8_t kEuroByte = 0x80;

int TrailIndex(uint8_t trail) {
  if (trail < 0x40 || trail == 0x7F || trail == 0xFF) return -1;
  return trail < 0x7F ? trail - 0x40 : trail - 0x41;
}

uint8_t TrailOfIndex(int index) {
  return static_cast<uint8_t>(index < 0x3F ? index + 0x40 : index + 0x41);
}

// (UTF-16 value, GBK code) sorted by value, built once from the table.
const std::vector<std::pair<uint16_t, uint16_t>>& UnicodeToGbk() {
  static const std::vector<std::pair<uint16_t, uint16_t>> map = [] {
    std::vector<std::pair<uint16_t, uint16_t>> m;
    for (int lead = 0; lead < 126; ++lead)
      for (int t = 0; t < 190; ++t)
        if (uint16_t u = kGbkToUnicode[lead][t])
          m.emplace_back(u, static_cast<uint16_t>((kFirstLead + lead) << 8 | TrailOfIndex(t)));
    std::sort(m.begin(), m.end());
    return m;
  }();
  return map;
}

// The next code point of utf8 from at (advancing it); false on malformed UTF-8,
// an overlong form or a surrogate.
bool NextCodePoint(std::string_view s, size_t& at, uint32_t& cp) {
  uint8_t c = static_cast<uint8_t>(s[at]);
  int extra = c < 0x80             ? 0
              : (c & 0xE0) == 0xC0 ? 1
              : (c & 0xF0) == 0xE0 ? 2
              : (c & 0xF8) == 0xF0 ? 3
                                   : -1;
  if (extra < 0 || s.size() - at <= static_cast<size_t>(extra)) return false;
  cp = extra == 0 ? c : c & (0x3F >> extra);
  for (int i = 1; i <= extra; ++i) {
    uint8_t t = static_cast<uint8_t>(s[at + i]);
    if ((t & 0xC0) != 0x80) return false;
    cp = cp << 6 | (t & 0x3F);
  }
  static const uint32_t kMinimum[4] = {0, 0x80, 0x800, 0x10000};
  if (cp < kMinimum[extra] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return false;
  at += 1 + extra;
  return true;
}

}  // namespace

uint16_t GbkPairToUnicode(uint8_t lead, uint8_t trail) {
  int t = TrailIndex(trail);
  if (lead < kFirstLead || lead > kLastLead || t < 0) return 0;
  return kGbkToUnicode[lead - kFirstLead][t];
}

bool IsValidGbk(std::string_view text) {
  for (size_t i = 0; i < text.size(); ++i) {
    uint8_t c = static_cast<uint8_t>(text[i]);
    if (c < 0x80 || c == kEuroByte) continue;
    if (i + 1 == text.size() || !GbkPairToUnicode(c, static_cast<uint8_t>(text[i + 1])))
      return false;
    ++i;
  }
  return true;
}

bool Utf8ToGbk(std::string_view utf8, std::string& out) {
  out.clear();
  const auto& map = UnicodeToGbk();
  for (size_t at = 0; at < utf8.size();) {
    uint32_t cp = 0;
    if (!NextCodePoint(utf8, at, cp)) {
      out.clear();
      return false;
    }
    if (cp < 0x80) {
      out += static_cast<char>(cp);
      continue;
    }
    if (cp == kEuroSign) {
      out += static_cast<char>(kEuroByte);
      continue;
    }
    auto it = std::lower_bound(map.begin(), map.end(),
                               std::make_pair(static_cast<uint16_t>(cp), uint16_t{0}));
    if (cp > 0xFFFF || it == map.end() || it->first != cp) {
      out.clear();
      return false;
    }
    out += static_cast<char>(it->second >> 8);
    out += static_cast<char>(it->second & 0xFF);
  }
  return true;
}

}  // namespace qev
