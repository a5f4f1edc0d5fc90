#pragma once
// The five built-in styles (MacOS, WinXP, DeepBlue, Protein, BlueGlass): a table of 48
// positions, each of one kind for every style, and the look-ups by (style, position).
// Only a style's low 7 bits count; a style outside 1-5 or a position outside 1-48
// gives the "other kind" answers: -1 (integer), 0 (colour), false (boolean), no bitmap.
// Bitmap positions name resources of the launcher executable; the Windows side loads
// them through BitmapResources.

#include <cstdint>
#include <string>
#include <string_view>

#include "skin/BmpDecoder.h"

namespace qev {

enum class BuiltInKind : uint8_t { Integer = 0, Colour = 1, Bitmap = 2, Boolean = 3 };

inline constexpr int kBuiltInPositions = 48;

struct BuiltInEntry {
  BuiltInKind Kind;
  int32_t Values[5];       // integer, colour (0x00BBGGRR) or boolean (0/1) per style
  const char* Bitmaps[5];  // resource names per style ("" for none)
};

// The table row of a position (1-48), or none.
const BuiltInEntry* BuiltInStyleEntry(int position);

int32_t GetBuiltInInteger(int style, int position);
uint32_t GetBuiltInColor(int style, int position);
bool GetBuiltInBoolean(int style, int position);
// The resource name of a bitmap position; empty for other kinds and for "none".
std::string_view GetBuiltInBitmapName(int style, int position);

// Where built-in bitmaps come from: the launcher executable's bitmap resources.
class BitmapResources {
 public:
  virtual ~BitmapResources() = default;
  // Decodes the named bitmap resource into out; false when there is none.
  virtual bool LoadBitmapResource(std::string_view name, PlainBitmap& out) = 0;
};

// Loads the position's bitmap into destination when the position is a bitmap and the
// resource exists (destination untouched otherwise, and nothing when it is none).
// With frameCount not 0 only frame frameIndex of frameCount is kept (ExtractFrame).
void GetBuiltInBitmap(BitmapResources& resources, int style, int position, PlainBitmap* destination,
                      int frameCount, int frameIndex);

// A bitmap resource as Windows stores it (a BITMAPINFO header, palette or masks, then
// the rows: a bitmap file without its 14-byte file header), decoded. Raises BmpError.
PlainBitmap DecodeDibResource(std::string_view dib);

}  // namespace qev
