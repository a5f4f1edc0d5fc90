#include "config/IniValueText.h"

namespace qev {

namespace {

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

bool ParseHex(std::string_view s, uint32_t& out) {
  if (s.empty()) return false;
  uint64_t v = 0;
  for (char c : s) {
    const int d = HexDigit(c);
    if (d < 0) return false;
    v = v * 16 + static_cast<uint64_t>(d);
    if (v > 0xFFFFFFFFu) return false;
  }
  out = static_cast<uint32_t>(v);
  return true;
}

}  // namespace

size_t FindUnquotedSemicolon(std::string_view value) {
  bool quoted = false;
  for (size_t i = 0; i < value.size(); ++i) {
    if (value[i] == '"')
      quoted = !quoted;
    else if (value[i] == ';' && !quoted)
      return i;
  }
  return std::string_view::npos;
}

std::string_view TrimControls(std::string_view s) {
  while (!s.empty() && static_cast<unsigned char>(s.front()) <= 32) s.remove_prefix(1);
  while (!s.empty() && static_cast<unsigned char>(s.back()) <= 32) s.remove_suffix(1);
  return s;
}

std::string_view StripQuotes(std::string_view s) {
  if (s.size() >= 2 && (s.front() == '"' || s.front() == '\'') && s.back() == s.front())
    return s.substr(1, s.size() - 2);
  return s;
}

bool ParseDecimalInt32(std::string_view s, int32_t& out) {
  bool negative = false;
  if (!s.empty() && (s[0] == '-' || s[0] == '+')) {
    negative = s[0] == '-';
    s.remove_prefix(1);
  }
  if (s.empty()) return false;
  int64_t v = 0;
  for (char c : s) {
    if (c < '0' || c > '9') return false;
    v = v * 10 + (c - '0');
    if (v > 2147483648LL) return false;
  }
  if (negative) v = -v;
  if (v > 2147483647LL) return false;
  out = static_cast<int32_t>(v);
  return true;
}

bool ParseIniInteger(std::string_view s, int32_t& out) {
  uint32_t hex = 0;
  if (s.size() > 2 && s[0] == '0' && (s[1] == 'x' || s[1] == 'X')) {
    if (!ParseHex(s.substr(2), hex)) return false;
    out = static_cast<int32_t>(hex);
    return true;
  }
  size_t sign = !s.empty() && (s[0] == '-' || s[0] == '+') ? 1 : 0;
  if (s.size() > sign && s[sign] == '$') {
    if (!ParseHex(s.substr(sign + 1), hex)) return false;
    out = static_cast<int32_t>(s[0] == '-' ? 0u - hex : hex);
    return true;
  }
  return ParseDecimalInt32(s, out);
}

}  // namespace qev
