#include "config/IniLine.h"

#include <cstring>
#include <limits>
#include <stdexcept>

namespace qev {

void TIniLine::SetView(std::string_view text, std::string_view value) {
  if (text.size() > std::numeric_limits<uint32_t>::max() ||
      value.size() > std::numeric_limits<uint32_t>::max())
    throw std::length_error("INI line too long");
  text_ = text.data();
  textLen_ = static_cast<uint32_t>(text.size());
  value_ = value.data();
  valueLen_ = static_cast<uint32_t>(value.size());
}

void TIniLine::SetOwned(std::string_view text, std::string_view value) {
  // The new text may be a view of the old copy, so the old copy goes last.
  auto copy = std::make_unique<char[]>(text.size() + value.size() + 1);
  if (!text.empty()) std::memcpy(copy.get(), text.data(), text.size());
  if (!value.empty()) std::memcpy(copy.get() + text.size(), value.data(), value.size());
  SetView({copy.get(), text.size()}, {copy.get() + text.size(), value.size()});
  own_ = std::move(copy);
}

}  // namespace qev
