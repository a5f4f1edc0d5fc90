#pragma once
// The text forms of keys, signatures and digests, as the configuration file, the
// update-info file and the signing key file carry them: hexadecimal, two digits per byte,
// written in lower case and read in either case.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/Crypto.h"
#include "platform/FileSystem.h"

namespace qev {

std::string HexText(const uint8_t* data, size_t size);

template <size_t N>
std::string HexText(const std::array<uint8_t, N>& bytes) {
  return HexText(bytes.data(), N);
}

// Reads exactly 2 * size hex digits (nothing before or after) into out.
bool ReadHexText(std::string_view text, uint8_t* out, size_t size);

template <size_t N>
bool ReadHexText(std::string_view text, std::array<uint8_t, N>& out) {
  return ReadHexText(text, out.data(), N);
}

// SHA-256 of a text; false when the library failed.
bool Sha256Of(Crypto& crypto, std::string_view data, Sha256Digest& out);

// SHA-256 of a whole file, read in pieces; false when the file cannot be read through
// or the library failed.
bool FileSha256(FileSystem& fs, Crypto& crypto, const std::string& path, Sha256Digest& out);

}  // namespace qev
