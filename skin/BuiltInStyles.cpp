#include "skin/BuiltInStyles.h"

#include "base/LittleEndian.h"
#include "skin/ExtractFrame.h"
#include "skin/UIStyle.h"

namespace qev {
namespace {

using K = BuiltInKind;

constexpr BuiltInEntry Int(int32_t a, int32_t b, int32_t c, int32_t d, int32_t e) {
  return {K::Integer, {a, b, c, d, e}, {"", "", "", "", ""}};
}
constexpr BuiltInEntry Col(int32_t a, int32_t b, int32_t c, int32_t d, int32_t e) {
  return {K::Colour, {a, b, c, d, e}, {"", "", "", "", ""}};
}
constexpr BuiltInEntry Bool(bool a, bool b, bool c, bool d, bool e) {
  return {K::Boolean, {a, b, c, d, e}, {"", "", "", "", ""}};
}
constexpr BuiltInEntry Bmp(const char* a, const char* b, const char* c, const char* d,
                           const char* e) {
  return {K::Bitmap, {0, 0, 0, 0, 0}, {a, b, c, d, e}};
}
constexpr BuiltInEntry kNoBitmap = Bmp("", "", "", "", "");

// Columns: MacOS, WinXP, DeepBlue, Protein, BlueGlass. Row n is position n + 1.
constexpr BuiltInEntry kTable[kBuiltInPositions] = {
    /* 1 */ Bmp("MACOS_BUTTON", "WINXP_BUTTON", "DEEPBLUE_BUTTON", "PROTEIN_BUTTON",
                "BLUEGLASS_BUTTON"),
    /* 2 */ Bool(true, false, false, false, true),
    /* 3 */
    Bmp("MACOS_CHECKBOX", "WINXP_CHECKBOX", "DEEPBLUE_CHECKBOX", "PROTEIN_CHECKBOX",
        "BLUEGLASS_CHECKBOX"),
    /* 4 */
    Bmp("MACOS_RADIOBUTTON", "WINXP_RADIOBUTTON", "DEEPBLUE_RADIOBUTTON", "PROTEIN_RADIOBUTTON",
        "BLUEGLASS_RADIOBUTTON"),
    /* 5 */
    Bmp("MACOS_TITLEBTN", "WINXP_TITLEBTN", "DEEPBLUE_TITLEBTN", "PROTEIN_TITLEBTN",
        "BLUEGLASS_TITLEBTN"),
    /* 6 */ Bool(false, false, false, true, true),
    /* 7 */ Int(3, 2, 0, 0, 4),
    /* 8 */ Int(-2, -2, 0, 0, -3),
    /* 9 */ Int(4, 5, 2, 2, 6),
    /* 10 */
    Bmp("MACOS_TITLE_LEFT", "WINXP_TITLE_LEFT", "DEEPBLUE_TITLE_LEFT", "PROTEIN_TITLE_LEFT",
        "BLUEGLASS_TITLE_LEFT"),
    /* 11 */
    Bmp("MACOS_TITLE_CLIENT", "WINXP_TITLE_CLIENT", "DEEPBLUE_TITLE_CLIENT", "PROTEIN_TITLE_CLIENT",
        "BLUEGLASS_TITLE_CLIENT"),
    /* 12 */
    Bmp("MACOS_TITLE_RIGHT", "WINXP_TITLE_RIGHT", "DEEPBLUE_TITLE_RIGHT", "PROTEIN_TITLE_RIGHT",
        "BLUEGLASS_TITLE_RIGHT"),
    /* 13 */ Int(130, 150, 130, 130, 270),
    /* 14 */ Int(0, 13, 0, 0, 11),
    /* 15 */ Col(0xE7E7E7, 0xDEEBEF, 0xE8E8E8, 0xFBFBFB, 0xE7E7E7),
    /* 16 */ Col(0x7F7F7F, 0xC82C00, 0x000000, 0x000000, 0x000000),
    /* 17 */ Int(1, 3, 1, 1, 1),
    /* 18 */ Col(0xC47339, 0xC66931, 0xA04A44, 0xC4302D, 0xEC5E5E),
    /* 19 */ Col(0xC47339, 0xEFD3C6, 0xA04A44, 0xC4302D, 0xEC5E5E),
    /* 20 */ Col(0xFFFFFF, 0x000000, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF),
    /* 21 */ Col(0x000000, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xE7E7E7),
    /* 22 */ Col(0x000000, 0x000000, 0x000000, 0x000000, 0x000000),
    /* 23 */ Col(0x000000, 0xCED3D6, 0xCED3D6, 0xCED3D6, 0xCED3D6),
    /* 24 */
    Bmp("MACOS_PROGRESSBAR", "WINXP_PROGRESSBAR", "DEEPBLUE_PROGRESSBAR", "PROTEIN_PROGRESSBAR",
        "BLUEGLASS_PROGRESSBAR"),
    /* 25 */ Col(0x7F7F7F, 0x686868, 0x000000, 0x000000, 0x000000),
    /* 26 */ Col(0xE7E7E7, 0xDEEBEF, 0xE8E8E8, 0xFBFBFB, 0xE7E7E7),
    /* 27 */ Col(0x000000, 0xCF4602, 0x000000, 0x000000, 0x000000),
    /* 28 */
    Bmp("MACOS_TRACKBAR_BAR", "WINXP_TRACKBAR_BAR", "DEEPBLUE_TRACKBAR_BAR", "PROTEIN_TRACKBAR_BAR",
        "BLUEGLASS_TRACKBAR_BAR"),
    /* 29 */
    Bmp("MACOS_TRACKBAR_SLIDER", "WINXP_TRACKBAR_SLIDER", "DEEPBLUE_TRACKBAR_SLIDER",
        "PROTEIN_TRACKBAR_SLIDER", "BLUEGLASS_TRACKBAR_SLIDER"),
    /* 30 */
    Bmp("MACOS_TRACKBAR_SLIDER_V", "WINXP_TRACKBAR_SLIDER_V", "DEEPBLUE_TRACKBAR_SLIDER_V",
        "PROTEIN_TRACKBAR_SLIDER_V", "BLUEGLASS_TRACKBAR_SLIDER_V"),
    /* 31 */ Col(0xC9C9C9, 0xF9F9F9, 0xF5F5F5, 0xF5F5F5, 0xF4F4F4),
    /* 32 */
    Bmp("MACOS_SCROLLBAR_BUTTON", "WINXP_SCROLLBAR_BUTTON", "DEEPBLUE_SCROLLBAR_BUTTON",
        "PROTEIN_SCROLLBAR_BUTTON", "BLUEGLASS_SCROLLBAR_BUTTON"),
    /* 33 */
    Bmp("MACOS_SCROLLBAR_TRACK", "WINXP_SCROLLBAR_TRACK", "DEEPBLUE_SCROLLBAR_TRACK",
        "PROTEIN_SCROLLBAR_TRACK", "BLUEGLASS_SCROLLBAR_TRACK"),
    /* 34 */
    Bmp("MACOS_CHECKLIST", "WINXP_CHECKLIST", "DEEPBLUE_CHECKLIST", "PROTEIN_CHECKLIST",
        "BLUEGLASS_CHECKLIST"),
    /* 35 */ Col(0x474747, 0xC66931, 0x474747, 0x474747, 0x474747),
    /* 36 */ Col(0xEFEFEF, 0xEFD3C6, 0xEFEFEF, 0xEFEFEF, 0xEFEFEF),
    /* 37 */ Col(0xD8D8D8, 0xE1AC93, 0xD8D8D8, 0xD8D8D8, 0xD8D8D8),
    /* 38 */
    Bmp("MACOS_SCROLLBUTTON", "WINXP_SCROLLBUTTON", "MORE_SCROLLBUTTON", "MORE_SCROLLBUTTON",
        "MORE_SCROLLBUTTON"),
    /* 39 */ Bmp("MACOS_TAB", "WINXP_TAB", "DEEPBLUE_TAB", "PROTEIN_TAB", "BLUEGLASS_TAB"),
    /* 40 */
    Bmp("MACOS_TAB_LINE", "WINXP_TAB_LINE", "DEEPBLUE_TAB_LINE", "PROTEIN_TAB_LINE",
        "BLUEGLASS_TAB_LINE"),
    /* 41 */
    Bmp("MACOS_SIDECHENNEL_HANDLE", "WINXP_SIDECHENNEL_HANDLE", "DEEPBLUE_SIDECHENNEL_HANDLE",
        "PROTEIN_SIDECHENNEL_HANDLE", "BLUEGLASS_SIDECHENNEL_HANDLE"),
    /* 42 */
    Bmp("MACOS_SIDECHENNEL_BAR", "WINXP_SIDECHENNEL_BAR", "DEEPBLUE_SIDECHENNEL_BAR",
        "PROTEIN_SIDECHENNEL_BAR", "BLUEGLASS_SIDECHENNEL_BAR"),
    /* 43 */ kNoBitmap,
    /* 44 */ Col(0x000000, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF),
    /* 45 */ kNoBitmap,
    /* 46 */ kNoBitmap,
    /* 47 */ Int(0, 0, 0, 0, 0),
    /* 48 */ Col(0xE7E7E7, 0xDEEBEF, 0xE8E8E8, 0xFBFBFB, 0xE7E7E7),
};

// The table row and style column, when both are in range and the kind matches.
const BuiltInEntry* Lookup(int style, int position, BuiltInKind kind, int& column) {
  column = (style & 0x7F) - 1;
  const BuiltInEntry* e = BuiltInStyleEntry(position);
  if (!e || e->Kind != kind || column < 0 || column >= kBuiltInStyleCount) return nullptr;
  return e;
}

}  // namespace

const BuiltInEntry* BuiltInStyleEntry(int position) {
  return position >= 1 && position <= kBuiltInPositions ? &kTable[position - 1] : nullptr;
}

int32_t GetBuiltInInteger(int style, int position) {
  int column = 0;
  const BuiltInEntry* e = Lookup(style, position, K::Integer, column);
  return e ? e->Values[column] : -1;
}

uint32_t GetBuiltInColor(int style, int position) {
  int column = 0;
  const BuiltInEntry* e = Lookup(style, position, K::Colour, column);
  return e ? static_cast<uint32_t>(e->Values[column]) : 0;
}

bool GetBuiltInBoolean(int style, int position) {
  int column = 0;
  const BuiltInEntry* e = Lookup(style, position, K::Boolean, column);
  return e && e->Values[column] != 0;
}

std::string_view GetBuiltInBitmapName(int style, int position) {
  int column = 0;
  const BuiltInEntry* e = Lookup(style, position, K::Bitmap, column);
  return e ? std::string_view(e->Bitmaps[column]) : std::string_view();
}

void GetBuiltInBitmap(BitmapResources& resources, int style, int position, PlainBitmap* destination,
                      int frameCount, int frameIndex) {
  std::string_view name = GetBuiltInBitmapName(style, position);
  if (!destination || name.empty()) return;
  PlainBitmap loaded;
  if (!resources.LoadBitmapResource(name, loaded)) return;
  if (frameCount != 0)
    ExtractFrame(loaded, *destination, frameCount, frameIndex);
  else
    *destination = std::move(loaded);
}

PlainBitmap DecodeDibResource(std::string_view dib) {
  constexpr uint32_t kFileHeaderSize = 14;
  constexpr uint32_t kCoreHeaderSize = 12;
  constexpr uint32_t kInfoHeaderSize = 40;
  constexpr uint32_t kBitFields = 3;
  if (dib.size() < kCoreHeaderSize) throw BmpError("bitmap resource too short");
  uint32_t headerSize = LoadLe32(dib, 0);
  uint32_t bitCount, colours = 0, compression = 0;
  if (headerSize == kCoreHeaderSize) {
    bitCount = LoadLe16(dib, 10);
  } else {
    if (headerSize < kInfoHeaderSize || dib.size() < kInfoHeaderSize)
      throw BmpError("bitmap resource header damaged");
    bitCount = LoadLe16(dib, 14);
    compression = LoadLe32(dib, 16);
    colours = LoadLe32(dib, 32);
  }
  uint32_t entrySize = headerSize == kCoreHeaderSize ? 3 : 4;
  uint32_t tableBytes = 0;
  if (bitCount <= 8) {
    if (colours > 256) throw BmpError("bitmap resource palette damaged");
    tableBytes = (colours ? colours : 1u << bitCount) * entrySize;
  }
  // Colour masks follow a 40-byte header; larger headers hold them inside.
  if (compression == kBitFields && headerSize == kInfoHeaderSize) tableBytes = 12;
  if (tableBytes > dib.size()) throw BmpError("bitmap resource palette damaged");
  std::string file = "BM";
  AppendLe32(file, static_cast<uint32_t>(kFileHeaderSize + dib.size()));
  AppendLe32(file, 0);
  AppendLe32(file, kFileHeaderSize + headerSize + tableBytes);
  file.append(dib);
  return DecodeBmp(file);
}

}  // namespace qev
