#pragma once
// The constant tables of the Deflate format (RFC 1951, section 3.2.5 and 3.2.7).

#include <array>
#include <cstdint>

namespace qev::deflate {

inline constexpr int kEndOfBlock = 256;
inline constexpr int kFirstLengthSymbol = 257;
inline constexpr int kLastLengthSymbol = 285;   // symbols 286 and 287 never occur in valid data
inline constexpr int kLastDistanceSymbol = 29;  // symbols 30 and 31 never occur in valid data
inline constexpr int kMaxLitLenCodes = 286;     // HLIT + 257 may not exceed this
inline constexpr int kMaxDistanceCodes = 30;    // HDIST + 1 may not exceed this
inline constexpr int kCodeLengthCodes = 19;

// Length symbols 257..285: base length and extra bits. Symbols 286/287 get zeros so
// that the fixed tree (which holds them) has an entry for every index.
inline constexpr std::array<uint16_t, 31> kLengthBase = {
    3,  4,  5,  6,  7,  8,  9,  10,  11,  13,  15,  17,  19,  23, 27, 31,
    35, 43, 51, 59, 67, 83, 99, 115, 131, 163, 195, 227, 258, 0,  0};
inline constexpr std::array<uint8_t, 31> kLengthExtra = {
    0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2, 2, 3, 3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 5, 0, 0, 0};

// Distance symbols 0..29: base distance and extra bits; 30/31 as above.
inline constexpr std::array<uint16_t, 32> kDistanceBase = {
    1,   2,   3,   4,   5,    7,    9,    13,   17,   25,   33,   49,    65,    97,    129, 193,
    257, 385, 513, 769, 1025, 1537, 2049, 3073, 4097, 6145, 8193, 12289, 16385, 24577, 0,   0};
inline constexpr std::array<uint8_t, 32> kDistanceExtra = {0,  0,  0,  0,  1,  1,  2,  2,  3, 3, 4,
                                                           4,  5,  5,  6,  6,  7,  7,  8,  8, 9, 9,
                                                           10, 10, 11, 11, 12, 12, 13, 13, 0, 0};

// The order in which a dynamic block lists the code-length code lengths.
inline constexpr std::array<uint8_t, 19> kCodeLengthOrder = {16, 17, 18, 0, 8,  7, 9,  6, 10, 5,
                                                             11, 4,  12, 3, 13, 2, 14, 1, 15};

}  // namespace qev::deflate
