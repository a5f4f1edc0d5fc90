#pragma once
// The common helpers: file CRC-32, the server-entry cipher, hexadecimal decoding, the
// fixed byte-wise upper-casing, decimal and substring helpers, host resolution and
// file time stamps. Texts are GBK byte strings; positions are 1-based.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "base/DateTime.h"
#include "platform/FileSystem.h"
#include "platform/HostResolver.h"

namespace qev {

struct FileCrcResult {
  uint32_t Crc = 0;    // 0 when Error is set
  uint16_t Error = 0;  // 1 when the file could not be read
};

// The standard CRC-32 of a whole file, read in pieces.
FileCrcResult FileCrc32(FileSystem& fs, const std::string& path);
// register := CRC-32 step over count bytes (count >= 1); register starts at 0xFFFFFFFF.
void Crc32Update(const void* buffer, size_t count, uint32_t& reg);
extern const uint32_t kCrc32Table[256];

// The server-entry cipher, in place, and its exact inverse.
void StrDecipher(std::string& s, uint32_t key, int rounds);
void StrEncipher(std::string& s, uint32_t key, int rounds);

// Hexadecimal digit pairs to bytes (stops at the first pair outside "0".."f").
std::string HexToStr(std::string_view text);
// Bytes to upper-case hexadecimal digit pairs.
std::string StrToHex(std::string_view bytes);

extern const uint8_t kUpperCaseTbl[256];
std::string UpperCaseTbl(std::string_view text);

std::string IntToText(int32_t n);
// The CRC as the signed decimal text that update files carry (0xFFFFFFFF -> "-1").
inline std::string CrcText(uint32_t crc) { return IntToText(static_cast<int32_t>(crc)); }

size_t PosFrom(std::string_view sub, std::string_view s, size_t start);
std::string StrReplaceAll(std::string_view s, std::string_view oldPart, std::string_view newPart);

// count UTF-16 units of a GBK text from 1-based position start.
std::string WideMid(std::string_view s, int start, int count);
bool IsDottedQuad(std::string_view s);
std::string HostToIp(HostResolver& resolver, const std::string& s);

// Local date-time of a file's stamp at two-second resolution; -1.0 when missing,
// a folder, or not convertible.
TDateTime FileTimeAsDateTime(FileSystem& fs, const std::string& path, int which);
// 0 or the system error code.
SysError SetFileTimeFromDateTime(FileSystem& fs, const std::string& path, int which,
                                 TDateTime value);

}  // namespace qev
