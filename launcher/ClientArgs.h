#pragma once
// The argument texts the game client is started with, held packed (DecodeSixBit
// unpacks them just before the start). ClientArgs is used when the configuration's
// Caption3 is empty, ClientArgsAlt when it is not.

namespace qev {

// 62 packed characters; 46 characters unpacked.
extern const char ClientArgs[];
// 48 packed characters; 36 characters unpacked.
extern const char ClientArgsAlt[];

}  // namespace qev
