#pragma once
// Run-length encoded bitmap rows (BI_RLE8 and BI_RLE4) expanded into palette indexes.
//
// The stream is pairs of bytes: a count above 0 repeats one index (RLE4: two indexes
// taken in turn); a count of 0 is an escape: 0 ends the row, 1 ends the picture,
// 2 moves right and up by the next two bytes, and 3..255 copy that many indexes that
// follow, padded to an even number of bytes. Rows run bottom-up.

#include <cstdint>
#include <string_view>
#include <vector>

namespace qev {

// Indexes of a width x height picture, rows top to bottom. Pixels the stream never
// sets keep index 0; runs past a row's end or the last row are clipped. bits is 4 or 8.
std::vector<uint8_t> ExpandBmpRle(std::string_view stream, int width, int height, int bits);

}  // namespace qev
