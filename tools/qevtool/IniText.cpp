#include "IniText.h"

#include "ToolErrors.h"
#include "config/IniValueText.h"

namespace qev::tool {

namespace {

bool IsBlank(char c) { return static_cast<unsigned char>(c) <= 32; }

bool ReadsBackPlain(const std::string& v) {
  if (v.empty()) return true;
  if (IsBlank(v.front()) || IsBlank(v.back())) return false;
  if (FindUnquotedSemicolon(v) != std::string_view::npos) return false;
  bool enclosed = v.size() >= 2 && v.front() == v.back() && (v.front() == '"' || v.front() == '\'');
  return !enclosed;
}

}  // namespace

std::string IniValueText(const std::string& value, const std::string& what) {
  if (value.find_first_of(std::string("\r\n\0", 3)) != std::string::npos)
    throw UsageError(what + " must not contain a line break");
  if (ReadsBackPlain(value)) return value;
  if (value.find('"') != std::string::npos)
    throw UsageError(what + " cannot be stored: it needs quotes and contains '\"'");
  return "\"" + value + "\"";
}

std::string IniKeyLine(const std::string& key, const std::string& value, const std::string& what) {
  return key + "=" + IniValueText(value, what) + "\r\n";
}

}  // namespace qev::tool
