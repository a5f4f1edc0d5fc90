#pragma once
// The skin container: an archive in the ZIP record layout whose first two bytes are
// "SK", read the strict way the skin files are made (end record in the last 22 bytes,
// no archive comment). Its entries are Deflate streams, possibly enciphered with the
// Traditional PKWARE encryption.
//
// Results of taking an entry out:
//   0  done: the entry's bytes, as many as the directory's uncompressed size, not 0
//   1  failed: container missing or unreadable, not a skin container, entry absent,
//      a bound broken (name over 259 bytes, offsets outside the file), empty output
//   2  refused: enciphered with no password or a wrong one, or the output size differs
//      from the directory's uncompressed size (this includes malformed Deflate data once
//      output was produced, and output beyond the declared size)

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/FileSystem.h"

namespace qev {

inline constexpr uint8_t kSkinEntryDone = 0;
inline constexpr uint8_t kSkinEntryFailed = 1;
inline constexpr uint8_t kSkinEntryRefused = 2;

// Containers and entries above this size are not skin files.
inline constexpr uint64_t kMaxSkinFileSize = 256u << 20;

// The reason given for result 2 when the entry is enciphered and the password is
// missing or wrong (any other result 2 means damaged data).
inline constexpr const char* kSkinEncipheredReason =
    "the skin data is enciphered: missing or wrong password";

// Takes entryName (matched without regard to ASCII case) out of a container held in
// memory. why, when given, receives the reason for a result other than 0.
uint8_t ExtractSkinEntryFromBytes(std::string_view container, std::string_view entryName,
                                  std::string_view password, std::string& out,
                                  std::string* why = nullptr);

// The same for a container file; out is cleared unless the result is 0.
uint8_t ReadSkinEntry(FileSystem& fs, const std::string& containerPath, std::string_view entryName,
                      std::string_view password, std::string& out, std::string* why = nullptr);

// Writes the entry into a new file destPath; for any result other than 0 no file named
// destPath is left behind.
uint8_t ExtractSkinEntry(FileSystem& fs, const std::string& containerPath,
                         std::string_view entryName, const std::string& destPath,
                         std::string_view password);

}  // namespace qev
