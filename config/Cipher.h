#pragma once
// The server-entry cipher of the configuration file's zone addresses and ports.

#include <cstdint>
#include <string>

namespace qev {

// In place, and its exact inverse.
void StrDecipher(std::string& s, uint32_t key, int rounds);
void StrEncipher(std::string& s, uint32_t key, int rounds);

}  // namespace qev
