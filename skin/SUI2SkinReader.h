#pragma once
// Tsk2SkinFileReader: opens a skin file, takes its "SKINDATA.SK2" entry out (in memory:
// nothing is written to the temporary folder) and parses the record chain into four
// name lists. Look-ups ignore ASCII case; of two records with one name the first wins.
//
// SKINDATA.SK2: a 24-byte header (u32 header size at 12, u32 first record offset at 20)
// and a chain of 77-byte records: Name[64], Kind u8 (0 bitmap, 1 integer, 2 boolean,
// 3 text), DataOffset u32, DataSize u32, NextOffset u32. A record whose NextOffset is 0
// ends the chain and is not loaded itself.

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/FileSystem.h"
#include "skin/BmpDecoder.h"

namespace qev {

// Raised by the reader: "Failed to read skin file!" when the container cannot be read,
// or a description of the fault in SKINDATA.SK2. Bitmaps the decoder rejects raise
// BmpError.
class SkinError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

inline constexpr const char* kSkinDataEntryName = "SKINDATA.SK2";
inline constexpr const char* kSkinReadFailedText = "Failed to read skin file!";
inline constexpr size_t kSkinRecordSize = 77;
inline constexpr size_t kSkinHeaderSize = 24;

enum SkinValueKind : uint8_t { kSkinBitmap = 0, kSkinInteger = 1, kSkinBoolean = 2, kSkinText = 3 };

class Tsk2SkinFileReader {
 public:
  // Loads the file; Loaded() stays false when the data entry is enciphered and the
  // password is missing or wrong.
  Tsk2SkinFileReader(FileSystem& fs, const std::string& skinPath, const std::string& password);
  // Parses SKINDATA.SK2 bytes directly (the chain walk alone).
  explicit Tsk2SkinFileReader(std::string_view skinData);

  // None (null) when no bitmap record has that name. The reader owns the bitmap.
  // Loading checks every bitmap as a decode would; its pixels are decoded on the first
  // request, since a skin holds far more pictures than one window draws.
  const PlainBitmap* GetBitmap(std::string_view name) const;
  int32_t GetInteger(std::string_view name) const;  // -1 when missing
  bool GetBoolean(std::string_view name) const;     // false when missing
  bool Loaded() const { return loaded_; }

 private:
  // A bitmap record: its bytes in data_, decoded when first asked for.
  struct Picture {
    size_t offset = 0, size = 0;
    mutable bool decoded = false;
    mutable PlainBitmap bitmap;
  };

  void Parse();

  std::string data_;  // SKINDATA.SK2
  std::vector<std::pair<std::string, Picture>> bitmaps_;
  std::vector<std::pair<std::string, std::string>> integers_;
  std::vector<std::pair<std::string, std::string>> booleans_;
  std::vector<std::pair<std::string, std::string>> texts_;
  bool loaded_ = false;
};

}  // namespace qev
