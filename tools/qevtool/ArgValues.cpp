#include "ArgValues.h"

#include <charconv>

#include "ToolErrors.h"

namespace qev::tool {

int32_t ParseInt32Arg(const std::string& text, const std::string& what) {
  const char* first = text.data();
  const char* last = first + text.size();
  if (first != last && *first == '+') ++first;
  int32_t value = 0;
  auto [end, ec] = std::from_chars(first, last, value);
  if (first == last || ec != std::errc() || end != last)
    throw UsageError(what + " needs a whole number: '" + text + "'");
  return value;
}

uint16_t ParsePortArg(const std::string& text, const std::string& what, int minPort) {
  int32_t v = ParseInt32Arg(text, what);
  if (v < minPort || v > 65535)
    throw UsageError(what + " must lie in " + std::to_string(minPort) + "..65535: " + text);
  return static_cast<uint16_t>(v);
}

}  // namespace qev::tool
