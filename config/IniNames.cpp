#include "config/IniNames.h"

namespace qev {

bool IniNamesEqual(std::string_view a, std::string_view b) {
  if (a.empty() || a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (kIniUpperTbl[static_cast<unsigned char>(a[i])] !=
        kIniUpperTbl[static_cast<unsigned char>(b[i])])
      return false;
  return true;
}

}  // namespace qev
