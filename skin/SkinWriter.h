#pragma once
// Writers of skin files, for the operator's tool and the tests: the SKINDATA.SK2 record
// file and the "SK" container around it.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace qev {

struct SkinValue {
  std::string Name;  // at most 64 bytes
  uint8_t Kind = 0;  // SkinValueKind
  std::string Data;  // value bytes as stored

  static SkinValue Bitmap(std::string name, std::string bmpFile);
  static SkinValue Integer(std::string name, int32_t value);
  static SkinValue Boolean(std::string name, bool value);
  static SkinValue Text(std::string name, std::string text);
};

// The header, one record per value in order plus the closing record, then the value
// bytes. Raises std::invalid_argument for a name longer than 64 bytes.
std::string BuildSkinData(const std::vector<SkinValue>& values);

struct SkinContainerEntry {
  std::string Name;
  std::string Data;     // plain bytes
  uint16_t Method = 8;  // written to the directory; the data is always Deflate
  int Level = 9;        // zlib compression level
};

// An archive whose local headers begin "SK" where ZIP has "PK"; with a password every entry is
// enciphered (Traditional PKWARE, check byte from the CRC). seed makes the cipher
// header bytes reproducible.
std::string BuildSkinContainer(const std::vector<SkinContainerEntry>& entries,
                               std::string_view password = {}, uint32_t seed = 1);

}  // namespace qev
