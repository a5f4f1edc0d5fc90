#pragma once
// The fixed parts of the ZIP records (local header, directory entry, end record): their
// signatures and the sizes of their fixed fields, shared by the readers and the writer.

#include <cstddef>
#include <cstdint>

namespace qev {

inline constexpr uint32_t kZipLocalSignature = 0x04034B50;
inline constexpr uint32_t kZipDirEntrySignature = 0x02014B50;
inline constexpr uint32_t kZipEndSignature = 0x06054B50;

inline constexpr size_t kZipLocalHeaderSize = 30;
inline constexpr size_t kZipDirEntrySize = 46;
inline constexpr size_t kZipEndRecordSize = 22;

// Deflate cannot turn one input byte into more than 258 * 8 / 2 = 1032 output bytes.
inline constexpr uint64_t kMaxDeflateRatio = 1032;

}  // namespace qev
