#pragma once
// The GBK code page (936) as a table, for portable code that meets text in another
// encoding: a ZIP member name stored as UTF-8 is turned into the GBK name the launcher
// writes. The same table serves every build, so the operator's tool and the launcher
// decide alike which names have a GBK form.

#include <cstdint>
#include <string>
#include <string_view>

namespace qev {

extern const uint16_t kGbkToUnicode[126][190];

// The UTF-16 value of a double-byte code, or 0 when it is not a GBK character.
uint16_t GbkPairToUnicode(uint8_t lead, uint8_t trail);

// True when text is well-formed GBK: ASCII bytes and double-byte characters that the
// code page defines.
bool IsValidGbk(std::string_view text);

// Converts UTF-8 text to GBK; false (out empty) when the text is not UTF-8 or a
// character has no GBK form.
bool Utf8ToGbk(std::string_view utf8, std::string& out);

}  // namespace qev
